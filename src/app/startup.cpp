#include "app/startup.h"

#include <cstdlib>

#include "app/boss_key.h"
#include "app/drops.h"
#include "app/edge_hide.h"
#include "app/globals.h"
#include "app/housekeeping.h"
#include "app/main_frame.h"
#include "app/single_instance.h"
#include "app/snapping.h"
#include "app/topmost.h"
#include "app/tray.h"
#include "common/balloon_tip.h"
#include "common/control_routines.h"
#include "common/messages.h"
#include "common/os_version.h"
#include "common/path_routines.h"
#include "common/skin.h"
#include "common/text_routines.h"
#include "common/window_fade.h"
#include "common/window_reach.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/gbk_text.h"
#include "runtime/hooks.h"
#include "runtime/shell.h"
#include "runtime/system.h"
#include "runtime/window_services.h"
#include "texttools/edit_commands.h"
#include "texttools/find_replace.h"
#include "texttools/insertions.h"
#include "web/cloud_input.h"
#include "web/update_check.h"

namespace {

// The screen's height above the taskbar.
int g_work_height = 0;
// The last window the dialog placement saw waiting for the user.
rt::WindowHandle g_last_idle_dialog = nullptr;

// What only the pointer, a drop, the tray or the network meets is set up once the first screen
// has painted: the start does not wait for it.
bool g_start_due = false, g_start_finished = false;

// Built by the created event and appended to the page list once the edit box has its colours.
PageRecord g_first_page;

// The machine check of the first start: little memory switches fading off for good.
void first_start_fade_check() {
  if (config_flag(cfg::程序设置::关闭淡入淡出效果)) return;
  if (rt::physical_memory_mb() <= 2000) {
    config_set_flag(cfg::程序设置::关闭淡入淡出效果, true);
    set_option(&OptionValues::fade_enabled, 0);
  } else {
    config_set_flag(cfg::程序设置::环境监测优化完毕, true);
  }
}

// A colour option: empty gives the default, the text "0" black, any other non-number the default.
unsigned colour_option(const std::string& section, const std::string& key, unsigned fallback) {
  std::string text = rt::remove_blanks(config_read(section, key));
  if (text.empty()) return fallback;
  if (text == "0") return 0;
  double n = rt::text_to_number(text);
  return n != 0 ? static_cast<unsigned>(static_cast<long long>(n)) : fallback;
}

void apply_editor_font_options(MainWindowForm& w) {
  rt::Font f = w.编辑框_文本类容.font();
  std::string face = config_read("页面设置", "默认字体名称");
  if (face.empty()) {
    if (os_version_code() == 9)
      f.face = "微软雅黑";
    else if (f.face != "微软雅黑")
      f.face = "黑体";
  } else {
    f.face = face;
  }
  std::string size = config_read("页面设置", "默认字体大小");
  f.size = size.empty() ? 11 : static_cast<int>(rt::text_to_number(size));
  std::string bold = config_read("页面设置", "默认字体是否加粗");
  f.bold = bold == "真" || bold.empty();
  f.italic = config_read("页面设置", "默认字体是否倾斜") == "真";
  f.underline = config_read("页面设置", "默认字体是否有下划线") == "真";
  f.strikeout = config_read("页面设置", "默认字体是否有删除线") == "真";
  w.编辑框_文本类容.set_font(f);
  set_option(&OptionValues::default_font,
             FontRecord{f.angle, f.bold, f.italic, f.strikeout, f.underline, f.size, f.face});
}

void apply_window_position_options(MainWindowForm& w) {
  if (config_flag(cfg::程序设置::取消纪录窗口位置)) {
    set_option(&OptionValues::remember_position, 0);
    return;
  }
  rt::Rect r = w.rect();
  std::string left = config_read("程序设置", "窗口左边"), top = config_read("程序设置", "窗口顶边");
  if (!left.empty()) r.left = static_cast<int>(rt::text_to_number(left));
  if (!top.empty()) r.top = static_cast<int>(rt::text_to_number(top));
  r.width = config_int(cfg::程序设置::窗口宽度);
  r.height = config_int(cfg::程序设置::窗口高度);
  int screen_w = rt::screen_width(), screen_h = rt::screen_height();
  int taskbar = taskbar_height();
  // Stored maximized: it filled the work area of a screen (a taskbar at the bottom leaves it at
  // 0, 0, the screen's width and its height without the taskbar).
  const Edges stored{r.left, r.top, r.left + r.width, r.top + r.height};
  bool maximized = false;
  for (const Edges& area : screen_work_areas()) maximized = maximized || stored == area;
  if (!maximized) {
    // Back onto the screen.
    if (std::abs(r.left - r.width) >= r.width) r.left = 0;
    if (screen_w - r.left <= 8) r.left = screen_w - r.width;
    if (std::abs(r.top - r.height) >= r.height) r.top = 0;
    if (screen_h - r.top - taskbar <= 8) r.top = screen_h - r.height - taskbar;
    // A place stored on other screens, or off them, comes back to where its caption can be reached.
    Edges kept = reachable_place({r.left, r.top, r.left + r.width, r.top + r.height}, main_caption_grip());
    r.left = kept.left;
    r.top = kept.top;
  }
  w.move(r.left, r.top, r.width, r.height);
  if (maximized) toggle_maximize();
  set_option(&OptionValues::remember_position, 1);
}

void apply_option_flags() {
  set_option(&OptionValues::detect_encoding, config_flag(cfg::程序设置::打开时编码自动转换为ANSI));
  set_option(&OptionValues::prevent_double_open, config_flag(cfg::程序设置::防止文件被重复打开));
  set_option(&OptionValues::edge_hide_enabled, config_flag(cfg::程序设置::开启靠边自动隐藏));
  set_option(&OptionValues::jump_to_opened, config_flag(cfg::程序设置::打开文件后自动跳到该页面));
  set_option(&OptionValues::tab_close_button, config_flag(cfg::程序设置::标签页上显示关闭按钮));
  main_window().高级选择夹_标签.set_close_button_space(options().tab_close_button != 0);
  main_window().图形按钮_关闭本页.set_visible(options().tab_close_button != 0);
}

// The tips of the caption, the menu bar, the frame and the tab strip; the maximize and topmost
// buttons' tips follow their state, the status line's follow the page.
void apply_main_window_tips(MainWindowForm& w) {
  set_topmost_button_tip();
  set_maximize_button_tip();
  const std::pair<rt::Unit*, const char*> tips[] = {
      {&w.图形按钮_关闭, "<font color=red>关闭本程序<font>"},
      {&w.图形按钮_最小化, "最小化程序"},
      {&w.图形按钮_程序图标, "Velmora"},
      {&w.图形按钮_文件_菜单, "文件菜单"},
      {&w.图形按钮_编辑_菜单, "编辑菜单"},
      {&w.图形按钮_附加_菜单, "附加菜单"},
      {&w.图形按钮_设置_菜单, "设置菜单"},
      {&w.图形按钮_帮助_菜单, "帮助菜单"},
      {&w.图形按钮_迷你模式, "迷你模式"},
      {&w.标签_底, "双击此处将编辑框光标移动到最前\r\n右击此处打开文件列表窗口"},
      {&w.标签_左中, "双击此处将编辑框光标移动到中间"},
      {&w.标签_右中, "双击此处将编辑框光标移动到中间"},
      {&w.图形按钮_关闭本页, "关闭当前页，快捷键Ctrl+W"},
      {&w.图形按钮_向左, "向前翻动一个标签，或者使用快捷键'Alt+←'或'Shift+滚轮前滚'"},
      {&w.图形按钮_向右, "向后翻动一个标签，或者使用快捷键'Alt+→'或'Shift+滚轮后滚'"},
  };
  for (const auto& [unit, text] : tips) set_balloon_tip(*unit, text);
}

constexpr unsigned kEnterIdle = 0x0121;
// WM_ENTERIDLE of a dialog's loop. A menu's loop sends it too, naming the window that owns the
// menu, the main window itself: that is no dialog to place.
constexpr uintptr_t kIdleOfDialog = 0;
rt::HookId g_dialog_centring_hook = 0;

// The folder browser, by its caption or, where the system names it otherwise, by its tree.
bool is_folder_browser(rt::WindowHandle dialog, const std::string& caption) {
  return caption == "浏览文件夹" || !rt::find_child_windows(dialog, "SysTreeView32").empty();
}

// Over the middle of the main window at the size; a dialog that cannot be that small keeps its
// least size and is centred with it, and one without a sizing border (the colour dialog) keeps
// its own size: it lays its controls out for that alone.
void centre_dialog(rt::WindowHandle dialog, int width, int height) {
  rt::Window& main = main_window();
  auto place = [&](int w, int h) {
    move_window(dialog, main.left() + main.width() / 2 - w / 2, main.top() + main.height() / 2 - h / 2, w, h);
  };
  if (!rt::window_has_sizing_border(dialog)) {
    rt::Rect own = rt::window_rect(dialog);
    place(own.width, own.height);
    return;
  }
  place(width, height);
  rt::Rect got = rt::window_rect(dialog);
  if (got.width != width || got.height != height) place(got.width, got.height);
}

void place_common_dialog(rt::WindowHandle dialog) {
  std::string caption = rt::window_text(dialog);
  if (is_folder_browser(dialog, caption))
    centre_dialog(dialog, 380, 420);
  else if (!caption.empty())
    centre_dialog(dialog, 580, 420);
  // Read again: the options window may have changed it since the start.
  rt::set_window_alpha(dialog, config_int(cfg::程序设置::窗口透明度));
}

void apply_autosave_option(MainWindowForm& w) {
  set_option(&OptionValues::autosave_interval, 0);
  if (!config_flag(cfg::页面设置::开启自动定时保存)) return;
  std::string text = config_read("页面设置", "自动定时保存时间");
  double minutes = rt::text_to_number(text);
  if (!text.empty() && minutes >= 0 && minutes <= 10)
    set_option(&OptionValues::autosave_interval, static_cast<int>(minutes * 60000));
  w.时钟_滚动标签.set_interval(options().autosave_interval);
}

void finish_start() {
  MainWindowForm& w = main_window();
  // A wait left from a window of an earlier load finds nothing due.
  if (!w.loaded() || !g_start_due || g_start_finished) return;
  g_start_finished = true;
  attach_main_window_drops();
  apply_main_window_tips(w);
  apply_main_window_cursors();
  add_tray_icon();
  rt::start_thread(check_for_update_at_startup_thread);
}

}  // namespace

int work_height() { return g_work_height; }

void reset_startup() {
  g_work_height = 0;
  g_start_due = g_start_finished = false;
  g_last_idle_dialog = nullptr;
}

intptr_t dialog_centring_proc(rt::Message& m) {
  if (m.msg == kEnterIdle && m.wparam == kIdleOfDialog && m.lparam) {
    auto dialog = reinterpret_cast<rt::WindowHandle>(m.lparam);
    // A dialog is placed when it first waits for the user; afterwards it stays where the user
    // puts it.
    if (dialog != g_last_idle_dialog) {
      g_last_idle_dialog = dialog;
      place_common_dialog(dialog);
    }
  }
  return m.next();
}

void remove_dialog_centring() {
  rt::remove_hook(main_window().handle(), g_dialog_centring_hook);
  g_dialog_centring_hook = 0;
}

int program_entry() {
  rt::initialize();
  init_globals();
  rt::set_end_of_program(free_globals);
  if (!main_window().load()) return 1;
  return rt::run_message_loop();
}

bool queue_command_line(const std::vector<std::string>& arguments) {
  clear_open_queue();
  for (const std::string& a : arguments) queue_file(rt::full_path(a));
  if (open_queue().empty()) return false;
  std::string path = open_queue()[0], extension;
  std::string name = path;
  split_file_name(name, extension);
  if (rt::to_lower_ascii(extension) != "lnk") return false;
  std::string target = rt::shortcut_target(path);
  if (target.empty()) return false;
  reveal_in_explorer(target);
  return true;
}

void on_main_window_created() {
  MainWindowForm& w = main_window();
  g_first_page = make_page_record();
  std::string dir = rt::program_directory();
  set_config_path(normalize_dir_path(dir) + "Config_Vel.ini");
  if (queue_command_line(rt::command_line_arguments())) {
    rt::end_process(0);
    return;
  }
  // A second start hands its files to the running instance and ends without a window.
  if (hand_over_to_running_instance(open_queue())) {
    rt::end_process(0);
    return;
  }
  hold_instance_event();
  rt::set_out_of_memory_notice(tell_out_of_memory);
  // Shown by the fade of the first activation.
  w.set_alpha(0);
  enable_frame_drag(true);
  config_write("程序设置", "进程通信钥匙", std::to_string(reinterpret_cast<uintptr_t>(w.编辑框_进程通信.handle())));
  set_restore_on_unmaximize(true);
  accept_drops(true);
  set_search_forward(1);
  set_find_ignore_case(1);
  restart_page_numbers();
  if (config_flag(cfg::程序设置::关闭淡入淡出效果)) {
    set_option(&OptionValues::fade_enabled, 0);
  } else if (!config_flag(cfg::程序设置::环境监测优化完毕)) {
    set_option(&OptionValues::fade_enabled, 0);
    first_start_fade_check();
  } else {
    set_option(&OptionValues::fade_enabled, 1);
  }
  set_option(&OptionValues::window_alpha, config_int(cfg::程序设置::窗口透明度));
  apply_editor_font_options(w);
  apply_option_flags();
  apply_window_position_options(w);
  std::array<unsigned, 2> colors = {colour_option("页面设置", "文本颜色", 0x8000),
                                    colour_option("页面设置", "背景颜色", 0xCFE8CC)};
  if (colors[0] == colors[1]) colors = {0x8000, 0xCFE8CC};
  set_option(&OptionValues::default_colors, colors);
  apply_autosave_option(w);
  if (config_flag(cfg::程序设置::程序默认最前)) toggle_topmost();
  if (config_flag(cfg::程序设置::不在主界面显示工具栏)) set_toolbar_hidden(true);
  set_option(&OptionValues::children_stay, config_flag(cfg::程序设置::子窗口不随主窗口移动));
  if (config_flag(cfg::程序设置::关闭内存优化功能)) toggle_memory_trim();
  set_option(&OptionValues::per_page_font, config_flag(cfg::页面设置::使用不同字体));
  set_option(&OptionValues::per_page_colors, config_flag(cfg::页面设置::使用不同前景和背景));
  if (config_flag(cfg::云输入法设置::程序启动时自动打开云输入法)) open_cloud_input_window();
  set_option(&OptionValues::open_in_thread, config_flag(cfg::程序设置::不使用线程打开文件) ? 0 : 1);
  if (config_flag(cfg::程序设置::开启老板键)) register_boss_key_from_config();
  set_option(&OptionValues::first_line_title, config_flag(cfg::程序设置::使用内容的第一行为新文件的标题));
  show_main_clock(!config_flag(cfg::程序设置::主界面不显示时间));
  int os = os_version_code();
  set_not_win9x((os == 1 || os == 2) ? 0 : 1);
  g_work_height = rt::screen_height() - taskbar_height();
  confine_min_max_size(w, 320, 336);
  restart_open_paths();
  if (!config_flag(cfg::程序设置::关闭窗口吸附效果)) enable_window_snapping(w, 11);
  keep_reachable_while_moved(w, main_caption_grip);
  g_first_page.back_color = options().default_colors[1];
  g_first_page.text_color = options().default_colors[0];
  w.编辑框_文本类容.set_text_color(options().default_colors[0]);
  w.编辑框_文本类容.set_back_color(options().default_colors[1]);
  if (options().per_page_font) g_first_page.font = options().default_font;
  add_page(g_first_page);
  apply_page_colors();
  if (!open_queue().empty()) open_files();
  // The window's place before any maximizing: the default size, centred.
  set_restore_rect(788, 597, rt::screen_width() / 2 - 394, static_cast<int>(rt::screen_height() / 2.0 - 298.5));
  reset_script_object();
  install_colored_border(w.编辑框_文本类容.handle(), 0x9D7B45);
}

void on_main_window_first_activation() {
  MainWindowForm& w = main_window();
  update_title_and_status(w.高级选择夹_标签.current());
  update_command_states();
  show_window_faded(w, true);
  w.编辑框_文本类容.set_top(w.高级选择夹_标签.top() + w.高级选择夹_标签.height() - 1);
  layout_main_window();
  apply_edge_hide_at_start();
  set_option(&OptionValues::separator_text, config_text(cfg::程序设置::分隔符));
  fill_separator_box(options().separator_text);
  // A running instance is recognised by its tab control without the scroll arrows.
  for (const char* title : {"<", ">"})
    for (rt::WindowHandle arrow : rt::find_child_windows(w.高级选择夹_标签.handle(), "VelmoraTabArrow", title))
      rt::close_window(arrow);
  main_window().时钟_监视程序.set_interval(kHandOverPollMs);
  show_current_page();
  // Every common dialog over the main window is placed over its middle when it first shows.
  g_last_idle_dialog = nullptr;
  g_dialog_centring_hook = rt::add_hook(w.handle(), dialog_centring_proc);
  g_start_due = true;
  rt::post_after_paint(finish_start);
}

bool start_finished() { return g_start_finished; }
