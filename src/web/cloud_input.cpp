#include "web/cloud_input.h"

#include <array>
#include <initializer_list>

#include "app/snapping.h"
#include "common/balloon_tip.h"
#include "common/cloud_art.h"
#include "common/control_routines.h"
#include "common/message_box.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "forms/cloud_input_window_form.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "runtime/app.h"
#include "runtime/internet.h"
#include "runtime/window_jobs.h"
#include "web/cloud_input_rules.h"
#include "web/http_request.h"

namespace {

// The QQ request up to its page number, rebuilt whenever a QQ setting changes.
std::string g_qq_ime_prefix;
// The Sogou service key fetched when the window opens; empty: Sogou is not offered.
std::string g_sogou_ime_key;
// The page shown: the page number for QQ (from 1) and Sogou (from 0), the result offset in
// steps of 20 for Baidu (from 0).
int g_cloud_ime_page = 0;

namespace 云 = cfg::云输入法设置;

constexpr unsigned kEditBorderColor = 0x9D7B45;
constexpr int kWubiLength = 4, kPinyinLength = 64;
constexpr int kBackspace = 8, kEnter = 13, kSpace = 32, kPageUp = 33, kPageDown = 34, kUp = 38, kDown = 40;
constexpr int kMinus = 189, kEquals = 187;

CloudInputWindowForm& f() { return cloud_input_window(); }
rt::EditBox& editor() { return main_window().编辑框_文本类容; }

// Each load of the window; results of workers started for an earlier one are dropped.
rt::WindowJobs g_loads;
// The newest request (query or page); a reply of any other is dropped.
int g_newest_request = 0;
// The newest request has not answered yet.
bool g_waiting = false;
// The settings are open.
bool g_settings_open = true;
// While the window sets several settings at once, their new queries become one at the end.
int g_settling = 0;
bool g_query_wanted = false;

bool current(int generation) { return g_loads.current(generation) && f().loaded(); }

std::string fetch_reply(const std::string& address) { return rt::http_get(address); }

CloudEngine engine() {
  int i = f().组合框_云输入法.current();
  return i == 1 ? CloudEngine::kBaidu : i == 2 ? CloudEngine::kSogou : CloudEngine::kQq;
}

// Previous, next.
std::array<rt::GraphicButton*, 2> page_buttons() { return {&f().超级按钮_向上, &f().超级按钮_向下}; }

void show_page_buttons(bool show) {
  for (rt::GraphicButton* b : page_buttons()) b->set_visible(show);
}

bool usable(rt::GraphicButton& b) { return b.visible() && !b.disabled(); }

// A combo's index within its items, else the default.
int valid_index(int index, int count, int fallback) { return index >= 0 && index < count ? index : fallback; }

void store_choice(const ConfigKey& key, rt::ComboBox& combo) {
  if (combo.current() >= 0) config_set_index(key, combo.current());
}

void rebuild_qq_prefix() {
  CloudInputWindowForm& w = f();
  QqImeSettings s;
  s.input_method = valid_index(w.组合框_输入方式.current(), 2, 0);
  s.fuzzy = check_button_state(w.超级按钮_开启模糊音, ButtonOp::Query) != 0;
  s.output_mode = valid_index(w.组合框_输出模式切换.current(), 2, 0);
  s.pinyin_mode = valid_index(w.组合框_拼音模式.current(), 3, 2);
  s.shuangpin_style = valid_index(w.组合框_双拼风格.current(), 6, 3);
  g_qq_ime_prefix = build_qq_ime_prefix(s);
}

void query_again() {
  if (g_settling > 0) {
    g_query_wanted = true;
    return;
  }
  start_cloud_ime_query();
}

// Settings changed together ask one query at the end.
struct Settling {
  Settling() { ++g_settling; }
  ~Settling() {
    if (--g_settling > 0 || !g_query_wanted) return;
    g_query_wanted = false;
    start_cloud_ime_query();
  }
};

void set_title(const char* title, int icon) {
  CloudInputWindowForm& w = f();
  w.标签_上中.set_text(title);
  rt::Picture p = cloud_input_icon(icon);
  w.图形按钮_程序图标.set_pictures(p, p, p);
}

void fill_list(const std::vector<std::string>& items) {
  rt::ListBox& list = f().列表框_云服务器取到的数据;
  list.clear();
  list.add_items(items);
}

void select_first_candidate() {
  rt::ListBox& list = f().列表框_云服务器取到的数据;
  if (list.count() > 0) list.set_current(0);
}

void show_query_result(int generation, int request, CloudEngine asked, const CloudCandidates& found) {
  if (!current(generation) || request != g_newest_request) return;
  CloudInputWindowForm& w = f();
  g_waiting = false;
  g_cloud_ime_page = cloud_first_page(asked);
  fill_list(found.items);
  show_page_buttons(found.pageable);
  if (found.pageable) w.超级按钮_向下.set_disabled(false);
  select_first_candidate();
}

void show_page_result(int generation, int request, bool next, int page, const CloudCandidates& found) {
  if (!current(generation) || request != g_newest_request) return;
  CloudInputWindowForm& w = f();
  g_waiting = false;
  if (!found.items.empty()) fill_list(found.items);
  if (!found.items.empty() && page >= 0) {
    g_cloud_ime_page = page;
    w.超级按钮_向上.set_disabled(false);
    w.超级按钮_向下.set_disabled(false);
  } else {
    // The page stays where it was; the list keeps it when nothing came.
    (next ? w.超级按钮_向下 : w.超级按钮_向上).set_disabled(true);
  }
  w.列表框_云服务器取到的数据.set_focus();
  select_first_candidate();
}

CloudRequest request_of_box() {
  CloudInputWindowForm& w = f();
  CloudRequest r;
  r.engine = engine();
  r.box_text = w.编辑框_拼音.text();
  r.qq_prefix = g_qq_ime_prefix;
  r.sogou_key = g_sogou_ime_key;
  r.fallback = check_button_state(w.超级按钮_调用引擎搜索, ButtonOp::Query) != 0;
  return r;
}

void page_candidates(bool next) {
  CloudInputWindowForm& w = f();
  if (!w.loaded()) return;
  w.编辑框_拼音.set_focus();
  // A page is asked only of a list that answers the box as it is now.
  if (g_waiting || cloud_pinyin(w.编辑框_拼音.text()).empty()) return;
  (next ? w.超级按钮_向下 : w.超级按钮_向上).set_disabled(true);
  CloudRequest r = request_of_box();
  int step = cloud_page_step(r.engine);
  r.page = g_cloud_ime_page + (next ? step : -step);
  const int request = ++g_newest_request;
  g_waiting = true;
  const int generation = g_loads.generation();
  rt::start_thread(
      [=] {
        CloudCandidates found = page_cloud_candidates(r, fetch_reply);
        rt::post([=] { show_page_result(generation, request, next, r.page, found); });
      },
      [=] { show_page_result(generation, request, next, r.page, {}); });
}

void set_up_engine(bool store);

void on_sogou_key(int generation, const std::string& key) {
  if (!current(generation)) return;
  CloudInputWindowForm& w = f();
  rt::ComboBox& engines = w.组合框_云输入法;
  g_sogou_ime_key = key;
  if (!key.empty()) {
    engines.add_item("搜狗云输入法");
    if (config_index(云::默认使用的云输入法) == 2) engines.set_current(2);
  }
  // A stored engine that is not offered: QQ, until the user picks one.
  if (engines.current() < 0) engines.set_current(0);
  set_up_engine(false);
}

void fetch_sogou_ime_key_thread(int generation) {
  std::string key = cut_sogou_ime_key(rt::http_get(sogou_ime_key_address()));
  rt::post([generation, key] { on_sogou_key(generation, key); });
}

// The engine's set-up; stored only when the user chose it (the choice the window opened with
// is already stored, and one that is not offered stays stored).
void set_up_engine(bool store) {
  CloudInputWindowForm& w = f();
  Settling settling;
  CloudEngine e = engine();
  rt::ComboBox* qq_only[] = {&w.组合框_输入方式, &w.组合框_输出模式切换, &w.组合框_拼音模式, &w.组合框_双拼风格};
  if (e != CloudEngine::kQq) {
    bool baidu = e == CloudEngine::kBaidu;
    for (rt::ComboBox* c : qq_only) c->set_disabled(true);
    set_title(baidu ? "    百度云输入法" : "    搜狗云输入法", baidu ? 2 : 3);
    w.超级按钮_调用引擎搜索.set_caption(baidu ? "同时调用百度搜索引擎" : "同时调用搜狗搜索引擎");
    if (store) config_set_index(云::默认使用的云输入法, static_cast<int>(e));
  } else {
    w.超级按钮_调用引擎搜索.set_caption("同时调用搜搜搜索引擎");
    for (rt::ComboBox* c : qq_only) c->set_disabled(false);
    if (!cloud_pinyin(w.编辑框_拼音.text()).empty()) show_page_buttons(true);
    on_input_method_changed();
    on_pinyin_mode_changed();
    if (store) config_set_index(云::默认使用的云输入法, 0);
  }
  g_cloud_ime_page = 0;
  set_balloon_tip(w.超级按钮_调用引擎搜索, w.超级按钮_调用引擎搜索.caption() +
                                               "\r\n调用搜索引擎的联想功能\r\n这样可以更快找到需要的\r\n词组！提高效率！");
  set_balloon_tip(w.组合框_云输入法, w.组合框_云输入法.text());
  query_again();
}

void settings_units_visible(bool show) {
  CloudInputWindowForm& w = f();
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{&w.分组框_设置, &w.标签1, &w.组合框_输入方式, &w.组合框_输出模式切换,
                                                      &w.组合框_拼音模式, &w.组合框_双拼风格, &w.超级按钮_开启模糊音,
                                                      &w.超级按钮_调用引擎搜索, &w.超级按钮_顺便写到配置文件})
    u->set_visible(show);
}

// Up and Down in the pinyin box: the list takes the focus and its selection moves, round.
void move_candidate_selection(bool down) {
  rt::ListBox& list = f().列表框_云服务器取到的数据;
  list.set_focus();
  if (list.count() == 0) return;
  step_list_selection_round(list, down);
  show_candidate_tip();
}

void tell_offline() {
  MessageBoxRequest r;
  r.owner = &main_window();
  r.button_set = 0;
  r.button_row_top = 120;
  r.icon = 8;
  r.title = "对不起，没有连接到互联网……";
  r.title_color = 0x8000;
  r.text = "  请确认你已经连接到互联网，如果你没有正确连接到互联网将不能使用本功能，因为云输入是调用云服务器进行输入处理！";
  r.text_color = 0xFF00FF;
  r.box_cursor = program_pointer_cursor();
  r.fade = options().fade_enabled;
  show_message_box(r);
}

}  // namespace

const std::string& qq_ime_prefix() { return g_qq_ime_prefix; }

const std::string& sogou_ime_key() { return g_sogou_ime_key; }

int cloud_ime_page() { return g_cloud_ime_page; }

void reset_cloud_input() {
  g_qq_ime_prefix.clear();
  g_sogou_ime_key.clear();
  g_cloud_ime_page = 0;
}

void open_cloud_input_window() {
  CloudInputWindowForm& w = f();
  if (w.loaded()) {
    w.bring_forward();
    w.编辑框_拼音.set_focus();
    return;
  }
  if (!is_internet_reachable()) {
    tell_offline();
    return;
  }
  w.load(&main_window());
}

void on_cloud_ime_window_created() {
  CloudInputWindowForm& w = f();
  // Kept inside the main window and snapping to it.
  confine_child_window(w, main_window());
  snap_child_window(w, main_window(), 11);
  g_loads.restart();
  g_waiting = false;
  g_settings_open = true;
  g_settling = 0;
  g_query_wanted = false;
  g_sogou_ime_key.clear();
  g_cloud_ime_page = 0;
  Settling settling;
  dress_tool_window(w, {&w.标签_左上, &w.标签_上中, &w.标签_右上, &w.标签_左中, &w.标签_右中, &w.标签_左下, &w.标签_下中, &w.标签_右下},
                    w.图形按钮_程序图标, cloud_input_icon(0), w.图形按钮_关闭小);
  // Where an insertion would put it.
  editor().set_focus();
  w.set_width(CloudInputWindowForm::kNarrowWidth);
  place_cloud_input_window_at_caret();
  w.编辑框_拼音.set_focus();
  rt::GraphicButton& next = w.超级按钮_向下;
  next.set_top(w.编辑框_拼音.top() + w.编辑框_拼音.height() + 1 - next.height());
  for (int i = 0; i < 2; ++i) {
    const auto& look = cloud_page_button_pictures(i == 1);
    page_buttons()[i]->set_pictures(look[0], look[1], look[2]);
    page_buttons()[i]->set_disabled_picture(look[3]);
  }

  w.组合框_云输入法.set_current(config_index(云::默认使用的云输入法));
  w.组合框_输入方式.set_current(valid_index(config_index(云::输入方式), 2, 0));
  w.组合框_输出模式切换.set_current(valid_index(config_index(云::输出模式), 2, 0));
  w.组合框_拼音模式.set_current(valid_index(config_index(云::拼音模式), 3, 2));
  w.组合框_双拼风格.set_current(valid_index(config_index(云::双拼风格), 6, 3));
  check_button_state(w.超级按钮_开启模糊音, ButtonOp::Set, config_flag(云::开启模糊音) ? 1 : 0);
  check_button_state(w.超级按钮_调用引擎搜索, ButtonOp::Set, config_flag(云::同时调用搜搜搜索引擎) ? 1 : 0);
  check_button_state(w.超级按钮_顺便写到配置文件, ButtonOp::Set, config_flag(云::写云输入法配置到配置文件) ? 1 : 0);
  rebuild_qq_prefix();
  toggle_cloud_ime_settings();
  // These write the settings back.
  on_input_method_changed();
  on_output_mode_changed();
  on_pinyin_mode_changed();
  on_shuangpin_style_changed();

  install_colored_border(w.编辑框_拼音.handle(), kEditBorderColor);
  install_colored_border(w.列表框_云服务器取到的数据.handle(), kEditBorderColor);
  const int generation = g_loads.generation();
  rt::start_thread([generation] { fetch_sogou_ime_key_thread(generation); },
                   [generation] { on_sogou_key(generation, {}); });

  for (rt::Unit* u : std::initializer_list<rt::Unit*>{
           &w, &w.图形按钮_关闭小, &w.图形按钮_程序图标, &w.超级按钮_设置, &w.超级按钮_向上, &w.超级按钮_向下,
           &w.组合框_云输入法, &w.组合框_输入方式, &w.组合框_输出模式切换, &w.组合框_拼音模式, &w.组合框_双拼风格,
           &w.超级按钮_开启模糊音, &w.超级按钮_调用引擎搜索, &w.超级按钮_顺便写到配置文件})
    u->set_mouse_pointer(program_pointer_cursor().handle());
  w.编辑框_拼音.set_mouse_pointer(program_text_cursor().handle());
  set_balloon_tip(w.图形按钮_关闭小, "<font color=red>关闭云输入法窗口");
  set_balloon_tip(w.超级按钮_设置, "对云输入法进行设置，主要针对QQ云输入法。");
  set_balloon_tip(w.超级按钮_顺便写到配置文件, "将配置写到配置文件，这样可以记忆你的使用习惯……");
  show_page_buttons(false);
}

void on_cloud_ime_first_activation() {
  CloudInputWindowForm& w = f();
  rt::WindowHandle shown = w.handle();
  rt::post([shown] {
    CloudInputWindowForm& w = f();
    if (w.loaded() && w.handle() == shown) show_window_faded(w, true, true);
  });
}

void start_cloud_ime_query() {
  CloudInputWindowForm& w = f();
  if (!w.loaded()) return;
  if (g_settling > 0) {
    g_query_wanted = true;
    return;
  }
  // Whatever is still on its way answers an older box.
  const int request = ++g_newest_request;
  CloudRequest r = request_of_box();
  set_balloon_tip(w.编辑框_拼音, r.box_text);
  if (cloud_pinyin(r.box_text).empty()) {
    g_waiting = false;
    show_page_buttons(false);
    w.列表框_云服务器取到的数据.clear();
    return;
  }
  g_waiting = true;
  const int generation = g_loads.generation();
  rt::start_thread(
      [=] {
        CloudCandidates found = query_cloud_candidates(r, fetch_reply);
        rt::post([=] { show_query_result(generation, request, r.engine, found); });
      },
      [=] { show_query_result(generation, request, r.engine, {}); });
}

void next_cloud_ime_page() { page_candidates(true); }
void previous_cloud_ime_page() { page_candidates(false); }

void insert_cloud_ime_candidate() {
  CloudInputWindowForm& w = f();
  if (!w.loaded()) return;
  std::string candidate = w.列表框_云服务器取到的数据.text();
  if (candidate.empty()) return;
  editor().set_focus();
  editor().replace_selection(candidate);
  place_cloud_input_window_at_caret();
  w.编辑框_拼音.set_text("");
  w.编辑框_拼音.set_focus();
}

bool on_pinyin_key(int key, int modifiers) {
  CloudInputWindowForm& w = f();
  if (modifiers == rt::kCtrl && (key == kMinus || key == kEquals)) {
    rt::GraphicButton& button = key == kMinus ? w.超级按钮_向上 : w.超级按钮_向下;
    if (usable(button)) page_candidates(key == kEquals);
    w.编辑框_拼音.set_focus();
    return false;
  }
  if (modifiers != 0) return true;
  rt::ListBox& list = w.列表框_云服务器取到的数据;
  switch (key) {
    case kSpace:
    case kEnter:
      if (w.编辑框_拼音.text().empty()) {
        editor().set_focus();
      } else if (!g_waiting) {
        // Only candidates of the box as it is now go in; while they are on their way the key
        // does nothing.
        if (list.count() > 0) {
          list.set_current(0);
          insert_cloud_ime_candidate();
        }
        w.编辑框_拼音.set_text("");
      }
      return false;
    case kBackspace:
      if (!w.编辑框_拼音.text().empty()) return true;  // it deletes as in any box
      editor().set_focus();
      // As if pressed in the page.
      if (editor().on_key_down) editor().on_key_down(kBackspace, 0);
      return false;
    case kPageUp:
    case kPageDown: {
      rt::GraphicButton& button = key == kPageUp ? w.超级按钮_向上 : w.超级按钮_向下;
      if (usable(button)) page_candidates(key == kPageDown);
      w.编辑框_拼音.set_focus();
      return false;
    }
    case kUp:
    case kDown:
      move_candidate_selection(key == kDown);
      return false;
    default:
      return true;
  }
}

bool on_candidate_key(int key, int modifiers) {
  CloudInputWindowForm& w = f();
  if (modifiers != 0) return true;
  switch (key) {
    case kEnter:
    case kSpace:
      insert_cloud_ime_candidate();
      w.编辑框_拼音.set_text("");
      return false;
    case kBackspace:
      w.编辑框_拼音.set_focus();
      return false;
    case kPageUp:
    case kMinus:
      if (usable(w.超级按钮_向上)) page_candidates(false);
      return false;
    case kPageDown:
    case kEquals:
      if (usable(w.超级按钮_向下)) page_candidates(true);
      return false;
    default:
      return true;
  }
}

bool on_cloud_ime_window_key(int key, int modifiers) { return on_candidate_key(key, modifiers); }

void show_candidate_tip() {
  rt::ListBox& list = f().列表框_云服务器取到的数据;
  set_balloon_tip(list, list.text());
}

void on_cloud_ime_engine_changed() { set_up_engine(true); }

void on_input_method_changed() {
  CloudInputWindowForm& w = f();
  bool wubi = w.组合框_输入方式.current() == 1;
  set_title(wubi ? "    QQ五笔云输入法" : "    QQ拼音云输入法", wubi ? 1 : 0);
  w.编辑框_拼音.set_max_length(wubi ? kWubiLength : kPinyinLength);
  rebuild_qq_prefix();
  set_balloon_tip(w.组合框_输入方式, w.组合框_输入方式.text());
  query_again();
  store_choice(云::输入方式, w.组合框_输入方式);
}

void on_output_mode_changed() {
  CloudInputWindowForm& w = f();
  rebuild_qq_prefix();
  set_balloon_tip(w.组合框_输出模式切换, w.组合框_输出模式切换.text());
  query_again();
  store_choice(云::输出模式, w.组合框_输出模式切换);
}

void on_pinyin_mode_changed() {
  CloudInputWindowForm& w = f();
  w.组合框_双拼风格.set_disabled(w.组合框_拼音模式.current() == 0);
  rebuild_qq_prefix();
  set_balloon_tip(w.组合框_拼音模式, w.组合框_拼音模式.text());
  query_again();
  store_choice(云::拼音模式, w.组合框_拼音模式);
}

void on_shuangpin_style_changed() {
  CloudInputWindowForm& w = f();
  rebuild_qq_prefix();
  set_balloon_tip(w.组合框_双拼风格, w.组合框_双拼风格.text());
  query_again();
  store_choice(云::双拼风格, w.组合框_双拼风格);
}

void toggle_fuzzy_pinyin() {
  CloudInputWindowForm& w = f();
  bool on = check_button_state(w.超级按钮_开启模糊音) != 0;
  rebuild_qq_prefix();
  config_set_flag(云::开启模糊音, on);
}

void toggle_engine_fallback() {
  config_set_flag(云::同时调用搜搜搜索引擎, check_button_state(f().超级按钮_调用引擎搜索) != 0);
}

void toggle_save_cloud_ime_settings() {
  config_set_flag(云::写云输入法配置到配置文件, check_button_state(f().超级按钮_顺便写到配置文件) != 0);
}

void toggle_cloud_ime_settings() {
  CloudInputWindowForm& w = f();
  if (!w.loaded()) return;
  g_settings_open = !g_settings_open;
  const auto& look = cloud_settings_button_pictures(g_settings_open);
  w.超级按钮_设置.set_pictures(look[0], look[1], look[2]);
  settings_units_visible(g_settings_open);
  int width = g_settings_open ? CloudInputWindowForm::kWideWidth : CloudInputWindowForm::kNarrowWidth;
  w.set_width(width);
  w.图形按钮_关闭小.set_left(width - 23);
  relayout_cloud_ime_skin();
}

void focus_pinyin_box() {
  CloudInputWindowForm& w = f();
  if (w.loaded() && !w.编辑框_拼音.has_focus()) w.编辑框_拼音.set_focus();
}

void relayout_cloud_ime_skin() {
  CloudInputWindowForm& w = f();
  layout_child_window_skin(w, 4, {&w.标签_左上, &w.标签_上中, &w.标签_右上, &w.标签_左中, &w.标签_右中, &w.标签_左下, &w.标签_下中, &w.标签_右下});
}

void place_window_at_caret(rt::Window& window) {
  const int size = editor().font().size;
  move_window(window, caret_screen_x() + size, caret_screen_y() + window.height() / 2 + size, window.width(),
              window.height());
}

void place_cloud_input_window_at_caret() {
  CloudInputWindowForm& w = f();
  if (w.loaded()) place_window_at_caret(w);
}

bool cloud_ime_request_pending() { return g_waiting; }

void close_cloud_input_window() { f().close(); }

bool may_close_cloud_input_window() {
  fade_out_cloud_input_window();
  return true;
}

void fade_out_cloud_input_window() {
  CloudInputWindowForm& w = f();
  if (w.loaded()) show_window_faded(w, false);
}

void bind_cloud_input_window(CloudInputWindowForm& f) {
  f.on_created = on_cloud_ime_window_created;
  f.on_first_activation = on_cloud_ime_first_activation;
  f.on_may_close = may_close_cloud_input_window;
  f.on_resized = relayout_cloud_ime_skin;
  f.on_mouse_move = [](int, int, int) {
    focus_pinyin_box();
    return true;
  };
  f.on_key_down = on_cloud_ime_window_key;
  f.图形按钮_关闭小.on_click = close_cloud_input_window;
  f.标签_上中.on_left_down = [](int, int, int) {
    move_window_by_title(cloud_input_window());
    return true;
  };
  f.编辑框_拼音.on_changed = start_cloud_ime_query;
  f.编辑框_拼音.on_key_down = on_pinyin_key;
  f.列表框_云服务器取到的数据.on_key_down = on_candidate_key;
  f.列表框_云服务器取到的数据.on_changed = show_candidate_tip;
  f.列表框_云服务器取到的数据.on_double_click = [](int, int, int) {
    insert_cloud_ime_candidate();
    return true;
  };
  f.超级按钮_向上.on_click = previous_cloud_ime_page;
  f.超级按钮_向下.on_click = next_cloud_ime_page;
  f.超级按钮_设置.on_click = toggle_cloud_ime_settings;
  f.组合框_云输入法.on_changed = on_cloud_ime_engine_changed;
  f.组合框_输入方式.on_changed = on_input_method_changed;
  f.组合框_输出模式切换.on_changed = on_output_mode_changed;
  f.组合框_拼音模式.on_changed = on_pinyin_mode_changed;
  f.组合框_双拼风格.on_changed = on_shuangpin_style_changed;
  f.超级按钮_开启模糊音.on_click = toggle_fuzzy_pinyin;
  f.超级按钮_调用引擎搜索.on_click = toggle_engine_fallback;
  f.超级按钮_顺便写到配置文件.on_click = toggle_save_cloud_ime_settings;
}
