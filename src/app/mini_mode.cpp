#include "app/mini_mode.h"

#include <array>

#include "app/commands.h"
#include "app/drops.h"
#include "app/edge_hide.h"
#include "app/housekeeping.h"
#include "app/main_frame.h"
#include "app/shutdown.h"
#include "app/single_instance.h"
#include "app/snapping.h"
#include "app/startup.h"
#include "app/tray.h"
#include "common/window_rules.h"
#include "common/balloon_tip.h"
#include "common/control_routines.h"
#include "common/menu_art.h"
#include "common/mini_art.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "forms/about_window_form.h"
#include "forms/cloud_input_window_form.h"
#include "forms/crypt_window_form.h"
#include "forms/custom_open_window_form.h"
#include "forms/file_info_window_form.h"
#include "forms/find_window_form.h"
#include "forms/font_window_form.h"
#include "forms/jump_window_form.h"
#include "forms/main_window_form.h"
#include "forms/mini_window_form.h"
#include "forms/options_window_form.h"
#include "forms/read_aloud_window_form.h"
#include "forms/simp_trad_window_form.h"
#include "forms/suggestion_popup_form.h"
#include "forms/tab_manager_form.h"
#include "forms/translation_window_form.h"
#include "forms/update_window_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/closing.h"
#include "pages/page_store.h"
#include "runtime/shell.h"
#include "runtime/system.h"
#include "texttools/read_aloud.h"
#include "texttools/typing_output.h"
#include "web/web_search.h"

namespace {

// 1 when the bar's place is written on every move.
int g_mini_remember_position = 0;

namespace 迷你 = cfg::迷你模式设置;

constexpr const char* kTitle = "  Velmora迷你模式";
// The longest text dropped on the bar that becomes its keyword, in bytes.
constexpr size_t kLongestDroppedKeyword = 67;
constexpr unsigned kFrameColor = 0x9D7B45;

MiniWindowForm& m() { return mini_window(); }

// The main window's clock ticked when mini mode began.
int g_main_clock_interval = 0;
// While the bar fades in or out it slides: those moves are neither corrected nor remembered.
bool g_mini_fading = false;
// The moved event moves the bar itself; that move's own event changes nothing more.
bool g_mini_correcting = false;
// The exit question is open: the bar's other buttons wait for the end it leads to.
bool g_mini_exiting = false;

void fade_mini(bool show) {
  g_mini_fading = true;
  show_window_faded(m(), show, true);
  g_mini_fading = false;
}

int work_bottom() { return rt::screen_height() - taskbar_height(); }

void set_colons(const MiniWindowForm::ClockUnits& units, const rt::Picture& colon) {
  units[2]->set_pictures(colon, colon, colon);
  units[5]->set_pictures(colon, colon, colon);
}

// The tool windows entering mini mode closes, faded out and destroyed at once: those the main
// window's commands open (the read-aloud window goes to the tray instead, the typing-output
// window ends its replay), in the order they are closed.
std::array<rt::Window*, 5> windows_closed_first() {
  return {&cloud_input_window(), &custom_open_window(), &options_window(), &jump_window(), &find_window()};
}
std::array<rt::Window*, 8> windows_closed_after() {
  return {&simp_trad_window(), &translation_window(), &crypt_window(), &font_window(),
          &update_window(),    &tab_manager_window(), &about_window(), &file_info_window()};
}

void close_tool_window(rt::Window* w) {
  if (!w->loaded()) return;
  show_window_faded(*w, false);
  w->destroy();
}

// Full to compact form or back; at creation without the position checks.
void switch_mini_form(bool keep_on_screen) {
  MiniWindowForm& w = m();
  const bool compact = w.full_form();
  if (compact) {
    hide_suggestion_popup(true);
    // Typing must not reach the keyword box the compact form does not show.
    if (w.编辑框_关键词.has_focus()) w.set_focus();
  }
  w.标签_上中.set_text(compact ? "" : kTitle);
  for (rt::GraphicButton* b : w.full_form_buttons()) b->set_visible(!compact);
  // The compact form is narrower than the small clock's place and shorter than the search row:
  // they go with the full form (the hint over an empty keyword box comes back with it).
  for (rt::GraphicButton* u : w.small_clock()) u->set_visible(!compact);
  w.编辑框_关键词.set_visible(!compact);
  w.标签_提示搜索引擎.set_visible(!compact && w.编辑框_关键词.text().empty());
  w.时钟_显示时间.set_interval(compact ? 1000 : 0);
  w.时钟_显示时间_小.set_interval(compact ? 0 : 1000);
  if (compact)
    update_mini_big_clock();
  else
    update_mini_small_clock();
  for (rt::GraphicButton* u : w.big_clock()) u->set_visible(compact);
  w.move(w.left(), w.top(), compact ? MiniWindowForm::kCompactWidth : MiniWindowForm::kFullWidth,
         compact ? MiniWindowForm::kCompactHeight : MiniWindowForm::kFullHeight);
  if (!keep_on_screen) return;
  int left = mini_bar_left_after_switch(w.left(), w.width(), !compact, rt::screen_width());
  int top = mini_bar_top_after_switch(w.top(), w.height(), work_bottom());
  if (left != w.left() || top != w.top()) w.move(left, top, w.width(), w.height());
}

void show_topmost_button(bool on) {
  MiniWindowForm& w = m();
  const auto& pin = title_button_pictures(on ? TitleGlyph::PinOn : TitleGlyph::PinOff);
  w.图形按钮_最前.set_pictures(pin[0], pin[1], pin[2]);
  set_balloon_tip(w.图形按钮_最前, on ? "取消最前" : "窗口最前");
}

}  // namespace

int mini_remember_position() { return g_mini_remember_position; }

void enter_mini_mode() {
  MainWindowForm& w = main_window();
  // An open run may still fill the current page and re-arm the hand-over poll at its end.
  if (mini_mode_loaded() || open_busy()) return;
  for (rt::Window* t : windows_closed_first()) close_tool_window(t);
  if (read_aloud_window().loaded()) hide_read_aloud_to_tray();
  for (rt::Window* t : windows_closed_after()) close_tool_window(t);
  if (typing_window_loaded()) close_typing_output_window();
  w.时钟_真正显示.set_interval(0);
  show_window_faded(w, false);
  w.set_visible(false);
  g_main_clock_interval = w.时钟_显示时间.interval();
  for (rt::Timer* t : {&w.时钟_显示时间, &w.时钟_滚动标签, &w.时钟_监视程序, &w.时钟_显示出来}) t->set_interval(0);
  accept_drops(false);
  mini_window().load(&w);
  set_tray_normal_mode_item_visible(true);
}

void leave_mini_mode() {
  MiniWindowForm& mini = m();
  MainWindowForm& w = main_window();
  if (!mini.loaded() || g_mini_exiting) return;
  // From the bar's fade on: a run started by a drop on it shows its pages once the window stands.
  MainWindowFadingIn fading_in;
  fade_out_mini_window();
  w.set_visible(true);
  w.时钟_显示时间.set_interval(g_main_clock_interval);
  w.时钟_滚动标签.set_interval(options().autosave_interval);
  // A run started from the bar (files dropped on it) gives both back at its end.
  if (!open_busy()) w.时钟_监视程序.set_interval(kHandOverPollMs);
  resume_edge_hide_poll();
  if (!open_busy()) accept_drops(true);
  show_window_faded(w, true);
  set_tray_normal_mode_item_visible(false);
  set_tray_read_aloud_item_visible(false);
  if (read_aloud_window().loaded()) open_read_aloud_window();
  on_main_window_moved();
  mini.destroy();
  w.编辑框_文本类容.set_focus();
}

void toggle_mini_compact() {
  if (m().loaded() && !g_mini_exiting) switch_mini_form(true);
}

void exit_from_mini_mode() {
  if (g_mini_exiting) return;
  g_mini_exiting = true;
  // The modified pages are offered as at every exit; a page left unsaved (a cancelled dialog, a
  // failed write) keeps the program, still in mini mode.
  if (open_busy() || !close_all_pages(true)) {
    g_mini_exiting = false;
    return;
  }
  release_main_window();
  rt::end_process(0);
}

void on_mini_created() {
  MiniWindowForm& w = m();
  w.拖放对象.attach(w);
  g_mini_remember_position = 0;
  g_mini_fading = false;
  g_mini_correcting = false;
  g_mini_exiting = false;
  w.set_alpha(0);
  reset_web_search();
  rt::Picture icon = main_window().超级菜单.image_on(kImageMiniMode, kSkinBodyColor);
  w.图形按钮_程序图标.set_pictures(icon, icon, icon);
  const auto& close = close_button_pictures();
  w.图形按钮_关闭.set_pictures(close[0], close[1], close[2]);
  const auto& normal = title_button_pictures(TitleGlyph::NormalMode);
  w.图形按钮_正常模式.set_pictures(normal[0], normal[1], normal[2]);
  w.图形按钮_正常模式.set_disabled_picture(normal[3]);
  toggle_mini_topmost();

  rt::CursorHandle pointer = program_pointer_cursor().handle();
  w.set_mouse_pointer(pointer);
  w.标签_上中.set_mouse_pointer(pointer);
  for (rt::GraphicButton* b : w.full_form_buttons()) b->set_mouse_pointer(pointer);
  for (const MiniWindowForm::ClockUnits& clock : {w.big_clock(), w.small_clock()})
    for (rt::GraphicButton* u : clock) u->set_mouse_pointer(pointer);
  w.编辑框_关键词.set_mouse_pointer(program_text_cursor().handle());

  set_colons(w.big_clock(), mini_big_clock_colon());
  set_colons(w.small_clock(), mini_small_clock_colon());
  update_mini_big_clock();
  update_mini_small_clock();
  // The compact form shows no frame labels: this line is its edge.
  install_colored_border(w.handle(), kFrameColor);

  for (rt::GraphicButton* u : w.big_clock()) u->set_visible(false);
  choose_engine(search_engine_of_setting(config_int(迷你::默认启用搜索引擎)));
  // The window was sized before its events were bound: the skin comes now, and again with
  // every change of form.
  reskin_mini_window();
  if (config_flag(迷你::自动进入时间模式)) switch_mini_form(false);

  const int centred = rt::screen_width() / 2 - w.width() / 2;
  int left = centred, top = 0;
  if (!config_flag(迷你::取消纪录窗口位置)) {
    left = config_int_if_set(迷你::窗口左边).value_or(centred);
    top = config_int_if_set(迷你::窗口顶边).value_or(0);
  }
  w.move(left, top, w.width(), w.height());
  g_mini_remember_position = config_flag(迷你::取消纪录窗口位置) ? 0 : 1;

  set_balloon_tip(w.图形按钮_正常模式, "还原到正常模式");
  set_balloon_tip(w.图形按钮_关闭, "<font color=red>关闭整个程序");
}

void on_mini_first_activation() {
  MiniWindowForm& w = m();
  rt::WindowHandle shown = w.handle();
  // Once the activation is over: the fade moves the bar and gives it the focus.
  rt::post([shown] {
    MiniWindowForm& w = m();
    if (!w.loaded() || w.handle() != shown) return;
    fade_mini(true);
    if (w.loaded() && !suggestion_popup().loaded()) {
      suggestion_popup().load(&w, false);
      place_suggestion_popup_at_keyword_box();
    }
  });
}

void on_mini_moved() {
  MiniWindowForm& w = m();
  if (!w.loaded() || g_mini_fading || g_mini_correcting) return;
  const rt::Rect r = w.rect();
  Edges at{r.left, r.top, r.left + r.width, r.top + r.height};
  Edges snapped = snap_mini_bar(at, rt::screen_width(), rt::screen_height(), work_bottom());
  if (!(snapped == at)) {
    g_mini_correcting = true;
    w.move(snapped.left, snapped.top, r.width, r.height);
    g_mini_correcting = false;
  }
  place_suggestion_popup_at_keyword_box();
  if (g_mini_remember_position) {
    config_set_int(迷你::窗口左边, w.left());
    config_set_int(迷你::窗口顶边, w.top());
  }
}

void place_suggestion_popup_at_keyword_box() {
  MiniWindowForm& w = m();
  SuggestionPopupForm& popup = suggestion_popup();
  if (!w.loaded() || !popup.loaded()) return;
  rt::EditBox& box = w.编辑框_关键词;
  PopupPlace p = place_suggestion_popup(w.left() + box.left(), w.top() + box.top(), box.height(), popup.height(),
                                        rt::screen_height());
  popup.move(p.left, p.top, popup.width(), popup.height());
  popup.列表框_取到提示.set_top(p.list_top);
}

void reskin_mini_window() {
  MiniWindowForm& w = m();
  if (!w.loaded()) return;
  const bool full = w.full_form();
  // The compact form is the clock alone, inside the window's own edge line.
  for (rt::Label* l : w.frame_labels()) l->set_visible(full);
  apply_child_window_skin(w, 4, w.frame_labels(), tool_window_frame_pictures());
}

void on_mini_destroying() {
  // The next bar's window is made before its created event: nothing of it is kept till then.
  g_mini_remember_position = 0;
}

bool may_close_mini_window() {
  // Only the system closes the bar this way (the program's own paths destroy it): that is the
  // bar's close button.
  exit_from_mini_mode();
  return false;
}

void fade_out_mini_window() {
  if (suggestion_popup().loaded()) suggestion_popup().set_visible(false);
  if (m().loaded()) fade_mini(false);
}

void restore_mini_caption() { m().标签_上中.set_text(kTitle); }

void toggle_mini_topmost() {
  MiniWindowForm& w = m();
  const bool on = !w.topmost();
  w.set_topmost(on);
  show_topmost_button(on);
}

void update_mini_big_clock() { show_clock_time(m().big_clock(), mini_big_clock_digits()); }

void update_mini_small_clock() { show_clock_time(m().small_clock(), mini_small_clock_digits()); }

void move_mini_window_by_title() { move_window_by_title(m()); }

void on_mini_text_dropped(const std::string& text) {
  MiniWindowForm& w = m();
  w.标签_提示搜索引擎.set_visible(false);
  if (text.size() <= kLongestDroppedKeyword) {
    w.编辑框_关键词.set_text(text);
    return;
  }
  // The bar takes no web addresses: a long link goes in as the text it is.
  append_dropped_text(text);
  leave_mini_mode();
}

void on_mini_files_dropped(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  m().标签_提示搜索引擎.set_visible(false);
  set_open_queue(paths);
  open_files();
  bring_main_window_forward();
  leave_mini_mode();
}

namespace {

bool toggle_form(int, int, int) {
  toggle_mini_compact();
  return true;
}

// Swallowed: a button must not take the mouse the move loop has already let go.
bool move_by_title(int, int, int) {
  move_mini_window_by_title();
  return false;
}

}  // namespace

void bind_mini_window(MiniWindowForm& f) {
  rt::MenuItem& engines = f.超级菜单.add_menu("搜索引擎选择");
  engines.add("百度", 0, choose_engine_baidu);
  engines.add("搜搜", 1, choose_engine_soso);
  engines.add("搜狗", 2, choose_engine_sogou);
  engines.add("谷歌", 3, choose_engine_google);
  f.on_created = on_mini_created;
  f.on_first_activation = on_mini_first_activation;
  f.on_moved = on_mini_moved;
  f.on_resized = reskin_mini_window;
  f.on_may_close = may_close_mini_window;
  f.on_destroying = on_mini_destroying;
  f.on_double_click = toggle_form;
  f.on_right_up = toggle_form;
  f.标签_上中.on_double_click = toggle_form;
  f.标签_上中.on_right_up = toggle_form;
  f.标签_上中.on_left_down = move_by_title;
  // The clocks lie on the title strip or fill the compact form: they act as the title does.
  for (const MiniWindowForm::ClockUnits& clock : {f.big_clock(), f.small_clock()})
    for (rt::GraphicButton* u : clock) {
      u->on_left_down = move_by_title;
      u->on_double_click = toggle_form;
      u->on_right_up = toggle_form;
    }
  f.超级菜单.on_closed = restore_mini_caption;
  f.超级菜单.on_highlighted = show_engine_menu_hint;
  f.图形按钮_正常模式.on_click = [] { run_command(Command::LeaveMiniMode, Source::Button); };
  f.图形按钮_关闭.on_click = [] { run_command(Command::ExitFromMiniMode, Source::Button); };
  f.图形按钮_最前.on_click = toggle_mini_topmost;
  f.图形按钮_搜索.on_click = start_web_search;
  f.图形按钮_搜索引擎.on_click = pop_up_engine_menu;
  f.图形按钮_下拉.on_click = pop_up_engine_menu;
  auto engine_menu_on_release = [](int, int, int) {
    pop_up_engine_menu();
    return true;
  };
  f.图形按钮_搜索引擎.on_right_up = engine_menu_on_release;
  f.图形按钮_下拉.on_right_up = engine_menu_on_release;
  // A press on the field or the hint is a press into the box.
  auto into_box = [&f](int, int, int) {
    f.编辑框_关键词.set_focus();
    return true;
  };
  f.图形按钮_输入框.on_left_down = into_box;
  f.标签_提示搜索引擎.on_left_down = into_box;
  f.编辑框_关键词.on_changed = on_search_keyword_changed;
  f.编辑框_关键词.on_key_down = on_search_keyword_key;
  f.编辑框_关键词.on_focus = on_keyword_focus_got;
  f.编辑框_关键词.on_blur = on_keyword_focus_lost;
  f.编辑框_关键词.on_left_up = [](int, int, int) {
    select_keyword_once();
    return true;
  };
  f.拖放对象.on_text = on_mini_text_dropped;
  f.拖放对象.on_files = on_mini_files_dropped;
  f.时钟_显示时间.on_tick = update_mini_big_clock;
  f.时钟_显示时间_小.on_tick = update_mini_small_clock;
}
