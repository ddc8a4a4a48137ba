#include "app/main_frame.h"

#include <algorithm>
#include <string_view>

#include "app/commands.h"
#include "app/edge_hide.h"
#include "app/housekeeping.h"
#include "app/menu_bar.h"
#include "app/shutdown.h"
#include "app/snapping.h"
#include "app/startup.h"
#include "app/topmost.h"
#include "common/balloon_tip.h"
#include "common/frame_art.h"
#include "common/menu_art.h"
#include "common/message_box.h"
#include "common/window_fade.h"
#include "common/window_reach.h"
#include "forms/main_window_form.h"
#include "forms/open_pages_popup_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "pages/closing.h"
#include "runtime/hooks.h"
#include "runtime/system.h"
#include "runtime/window_services.h"
#include "web/cloud_input.h"

namespace {

// The tool windows that follow the main window, in this order; the download and the about
// window share their caption.
constexpr std::string_view kFollowers[] = {
    "Velmora_打开文件", "Velmora_程序设置", "Velmora_跳转页面", "Velmora_寻找替换", "Velmora_语音朗读",
    "Velmora_简繁转换", "Velmora_谷歌翻译", "Velmora_加密解密", "Velmora_字体设置", "Velmora_检测更新",
    "Velmora_文件信息", "Velmora_标签管理"};

int g_maximized = 0;
int g_restore_rect[4] = {788, 597, 0, 0};  // width, height, left, top before maximizing
int g_dock_rect[4] = {0, 0, 0, 0};         // width, height, left, top before docking
int g_drag_enabled = 0;
int g_restore_on_unmaximize = 0;

constexpr unsigned kSysCommand = 0x0112, kNcLeftButtonDown = 0x00A1, kGetMinMaxInfo = 0x0024;
constexpr unsigned kSizeCommand = 0xF000;  // SC_SIZE; + 1..8 names the edge or corner
constexpr int kHitCaption = 2;

void set_caption_strip(rt::GraphicButton& b, CaptionGlyph g) {
  const auto& s = caption_button_strip(g);
  b.set_pictures(s[0], s[1], s[2]);
}

// The program menu's item follows the state: "还原(&D)" while maximized.
void set_maximize_item(bool maximized) {
  rt::MenuItem* item = find_command_item(Command::ToggleMaximize);
  if (!item) return;
  item->caption = maximized ? "还原(&D)" : "最大化(&D)";
  item->image = maximized ? kImageRestore : kImageMaximize;
}

}  // namespace

void set_maximize_button_tip() {
  set_balloon_tip(main_window().图形按钮_最大化, g_maximized ? "还原" : "最大化程序");
}

namespace {

bool docked() {
  rt::Window& w = main_window();
  // Compared without rounding: on a screen of odd width a window never counts as docked.
  return w.height() == work_height() && w.width() == rt::screen_width() / 2.0;
}

void undock() {
  rt::Window& w = main_window();
  if (g_dock_rect[0] == rt::screen_width()) {
    // Docked from the maximized state: the rectangle before maximizing.
    w.move(g_restore_rect[2], g_restore_rect[3], g_restore_rect[0], g_restore_rect[1]);
  } else {
    keep_dock_rect(false);
  }
}

void start_sizing(int edge) { rt::send_message(main_window().handle(), kSysCommand, kSizeCommand + edge, 0); }

void start_moving() {
  if (!g_drag_enabled) return;
  rt::release_mouse_capture();
  rt::send_message(main_window().handle(), kNcLeftButtonDown, kHitCaption, 0);
}

}  // namespace

namespace {
// Width, height, left, top of the main window into the record, or back to the window.
void keep_rect(int (&record)[4], bool store) {
  rt::Window& w = main_window();
  if (store) {
    rt::Rect r = w.rect();
    record[0] = r.width;
    record[1] = r.height;
    record[2] = r.left;
    record[3] = r.top;
  } else {
    // A place kept while the screens were others (or the window off them) comes back within reach.
    Edges back = reachable_place({record[2], record[3], record[2] + record[0], record[3] + record[1]},
                                 main_caption_grip());
    w.move(back.left, back.top, back.width(), back.height());
  }
}
}  // namespace

bool main_window_maximized() { return g_maximized != 0; }

bool frame_drag_enabled() { return g_drag_enabled != 0; }

void enable_frame_drag(bool on) { g_drag_enabled = on ? 1 : 0; }

void set_restore_on_unmaximize(bool on) { g_restore_on_unmaximize = on ? 1 : 0; }

void set_restore_rect(int width, int height, int left, int top) {
  g_restore_rect[0] = width;
  g_restore_rect[1] = height;
  g_restore_rect[2] = left;
  g_restore_rect[3] = top;
}

void reset_main_frame() {
  g_maximized = 0;
  set_restore_rect(788, 597, 0, 0);
  for (int& n : g_dock_rect) n = 0;
  g_drag_enabled = 0;
  g_restore_on_unmaximize = 0;
}

CaptionGrip main_caption_grip() {
  MainWindowForm& m = main_window();
  // The buttons lie at the right end, the clock left of them (laid out from the width alone).
  int right = m.标签_右上.width() - 4 + m.图形按钮_关闭.width() + m.图形按钮_最大化.width() + m.图形按钮_最小化.width() +
              m.图形按钮_最前.width() + m.图形按钮_迷你模式.width();
  if (m.图形按钮_时_个位.visible()) right += kClockGap + main_clock_width();
  return {m.图形按钮_程序图标.left() + m.图形按钮_程序图标.width(), m.width() - right, m.标签_上中.height()};
}

void keep_restore_rect(bool store) { keep_rect(g_restore_rect, store); }
void keep_dock_rect(bool store) { keep_rect(g_dock_rect, store); }

void enable_resize_labels(bool on) {
  MainWindowForm& w = main_window();
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{&w.标签_右下, &w.标签_左下, &w.标签_左上, &w.标签_右上,
                                                      &w.透明标签_上, &w.透明标签_右, &w.透明标签_左, &w.透明标签_下})
    u->set_disabled(!on);
}

void toggle_maximize() {
  MainWindowForm& w = main_window();
  if (open_pages_popup().loaded()) open_pages_popup().destroy();
  if (!g_maximized) {
    keep_restore_rect(true);
    set_caption_strip(w.图形按钮_最大化, CaptionGlyph::Restore);
    g_maximized = 1;
    g_drag_enabled = 0;
    enable_resize_labels(false);
    w.时钟_显示出来.set_interval(0);
    const Edges area = maximized_area(w);
    w.maximize();
    // Where the system placed it otherwise (its own rule for another screen), it still fills the
    // work area of its screen.
    if (!(window_edges(w) == area)) w.move(area.left, area.top, area.width(), area.height());
    set_maximize_item(true);
    set_maximize_button_tip();
  } else {
    w.restore();
    if (g_restore_on_unmaximize) keep_restore_rect(false);
    set_caption_strip(w.图形按钮_最大化, CaptionGlyph::Maximize);
    g_maximized = 0;
    g_drag_enabled = 1;
    enable_resize_labels(true);
    if (options().edge_hide_enabled) w.时钟_显示出来.set_interval(250);
    set_maximize_item(false);
    set_maximize_button_tip();
  }
}

void dock_half_screen(bool to_left) {
  rt::Window& w = main_window();
  if (g_maximized) {
    g_restore_on_unmaximize = 0;
    toggle_maximize();
  } else {
    g_restore_on_unmaximize = 1;
  }
  if (docked()) {
    undock();
    return;
  }
  keep_dock_rect(true);
  int half = rt::screen_width() / 2;
  w.move(to_left ? 0 : rt::screen_width() - half, 0, half, work_height());
}

void restore_or_minimize() {
  if (g_maximized) {
    toggle_maximize();
  } else if (docked()) {
    g_restore_on_unmaximize = 1;
    undock();
  } else {
    main_window().minimize();
  }
}

void minimize_main_window() {
  main_window().时钟_显示出来.set_interval(0);
  main_window().minimize();
}

void layout_main_window() {
  MainWindowForm& m = main_window();
  if (!m.loaded() || m.minimized()) return;
  rt::Rect r = m.rect();
  const int W = r.width, H = r.height;
  m.set_round_region(4);
  m.标签_右上.set_left(W - m.标签_右上.width());
  m.标签_上中.set_left(m.标签_左上.width());
  m.标签_上中.set_width(m.标签_右上.left() - m.标签_左上.width());
  m.标签_右中.set_left(W - m.标签_右中.width());
  m.标签_右下.set_left(m.标签_右上.left());
  m.标签_左下.set_top(H - m.标签_左下.height());
  m.标签_左中.set_top(m.标签_左上.height());
  m.标签_左中.set_height(m.标签_左下.top() - m.标签_左上.height());
  m.标签_右下.set_top(m.标签_左下.top());
  m.标签_右中.set_height(m.标签_左中.height());
  m.标签_下中.set_top(m.标签_左下.top());
  m.标签_右下.set_left(W - m.标签_右下.width());
  m.标签_下中.set_width(m.标签_右下.left() - m.标签_左下.width());
  m.图形按钮_移动.set_left(m.标签_右下.left() - 4);
  m.图形按钮_移动.set_top(m.标签_右下.top() + 8);

  m.图形按钮_关闭.set_left(m.标签_右上.left() - m.图形按钮_关闭.width() + 4);
  rt::GraphicButton* row[] = {&m.图形按钮_关闭, &m.图形按钮_最大化, &m.图形按钮_最小化, &m.图形按钮_最前,
                              &m.图形按钮_迷你模式};
  for (int i = 1; i < 5; ++i) row[i]->set_left(row[i - 1]->left() - row[i]->width());
  place_main_clock();
  // The caption's text ends before the clock, which lies left of the buttons.
  m.标签_上中.set_text_end_margin(m.标签_上中.left() + m.标签_上中.width() - m.图形按钮_时_个位.left());
  m.工具条_工具栏.set_width(m.标签_右中.left() - m.工具条_工具栏.left());

  m.高级选择夹_标签.set_width(m.标签_右中.left() - m.标签_左中.width() + 2);
  m.编辑框_文本类容.set_width(m.高级选择夹_标签.width());
  m.编辑框_文本类容.set_height(m.标签_下中.top() - m.编辑框_文本类容.top());

  for (rt::Label* l : {&m.透明标签_标签状态, &m.透明标签_文件标题, &m.透明标签_文件路径}) l->set_top(m.标签_下中.top());
  // A window too narrow for the whole name narrows it, after the path has gone.
  m.透明标签_文件标题.set_width(std::clamp(W - 8 - m.透明标签_文件标题.left(), 0, kStatusTitleWidth));
  m.透明标签_文件路径.set_left(m.透明标签_文件标题.left() + m.透明标签_文件标题.width());
  m.透明标签_文件路径.set_width(std::max(0, W - m.透明标签_文件路径.left() - 8));
  // The grip lies over the status line's right end: the texts there end before it.
  for (rt::Label* l : {&m.透明标签_文件标题, &m.透明标签_文件路径})
    l->set_text_end_margin(std::clamp(l->left() + l->width() - m.图形按钮_移动.left(), 0, l->width()));
  m.进度条.set_top(m.标签_下中.top() - 1);
  m.进度条.set_width(m.编辑框_文本类容.width() + 2);

  m.图形按钮_向右.set_left(m.高级选择夹_标签.left() + m.高级选择夹_标签.width() - m.图形按钮_向右.width() + 1);
  m.图形按钮_向左.set_left(m.图形按钮_向右.left() - m.图形按钮_向左.width() + 1);
  // The scroll buttons cover the strip's right end: the tabs keep clear of them.
  m.高级选择夹_标签.set_end_margin(m.高级选择夹_标签.left() + m.高级选择夹_标签.width() - m.图形按钮_向左.left());
  if (options().tab_close_button) place_tab_close_button();

  m.透明标签_上.move(m.标签_上中.left() - 4, m.标签_上中.top(), m.标签_上中.width() + 8, m.透明标签_上.height());
  m.透明标签_左.move(m.标签_左中.left(), m.标签_左中.top() - 12, m.透明标签_左.width(), m.标签_左中.height() + 24);
  m.透明标签_右.move(W - 2, m.标签_右中.top() - 12, m.透明标签_右.width(), m.透明标签_左.height() + 24);
  m.透明标签_下.move(m.标签_下中.left() - 4, H - 2, m.标签_下中.width() + 8, m.透明标签_下.height());

  m.高级选择夹_标签.redraw();
  m.标签_底.move(0, H - m.标签_底.height(), W, m.标签_底.height());
  if (options().remember_position) {
    config_write("程序设置", "窗口宽度", std::to_string(W));
    config_write("程序设置", "窗口高度", std::to_string(H));
  }
  if (options().edge_hide_enabled && !g_maximized) m.时钟_显示出来.set_interval(250);
}

void set_toolbar_hidden(bool hidden) {
  MainWindowForm& m = main_window();
  rt::TabControl& tabs = m.高级选择夹_标签;
  m.工具条_工具栏.set_visible(!hidden);
  if (hidden) {
    // One pixel below the menu bar, whose row the toolbar stands under.
    tabs.set_top(m.图形按钮_文件_菜单.top() + m.图形按钮_文件_菜单.height() + 1);
    m.编辑框_文本类容.set_top(tabs.top() + tabs.height() - 2);
  } else {
    tabs.set_top(m.工具条_工具栏.top() + m.工具条_工具栏.height());
    m.编辑框_文本类容.set_top(tabs.top() + tabs.height() - 1);
  }
  // The scroll buttons lie on the tab strip.
  m.图形按钮_向左.set_top(tabs.top());
  m.图形按钮_向右.set_top(tabs.top());
  layout_main_window();
}

void confine_min_max_size(rt::Window& window, int min_w, int min_h) {
  rt::add_hook(window.handle(), [&window, min_w, min_h](rt::Message& m) -> intptr_t {
    if (m.msg != kGetMinMaxInfo) return m.next();
    intptr_t r = m.next();
    // Read as the size is asked for: the taskbar may have moved, the window gone to another screen.
    const Edges area = maximized_area(window);
    rt::set_min_max_info(m.lparam, {min_w, min_h}, {area.width(), area.height()}, {area.left, area.top},
                         {area.width(), area.height()});
    return r;
  });
}

Edges maximized_area(const rt::Window& window) { return work_area_of(window_edges(window)); }

void bind_frame_events(MainWindowForm& w) {
  auto size_from = [](int edge) {
    return [edge](int, int, int) {
      start_sizing(edge);
      return true;
    };
  };
  w.标签_左上.on_left_down = size_from(4);
  w.标签_右上.on_left_down = size_from(5);
  w.标签_左下.on_left_down = size_from(7);
  w.标签_右下.on_left_down = size_from(8);
  // The size grip over the corner sizes the window as the corner does.
  w.图形按钮_移动.on_left_down = size_from(8);
  w.透明标签_左.on_left_down = size_from(1);
  w.透明标签_右.on_left_down = size_from(2);
  w.透明标签_上.on_left_down = size_from(3);
  w.透明标签_下.on_left_down = size_from(6);
  auto move_by = [](int, int, int) {
    start_moving();
    return true;
  };
  for (rt::Unit* u :
       std::initializer_list<rt::Unit*>{&w.标签_上中, &w.标签_左中, &w.标签_右中, &w.标签_下中, &w.标签_底,
                                        &w.透明标签_文件标题, &w.透明标签_文件路径, &w.透明标签_标签状态})
    u->on_left_down = move_by;
  // The tab bar moves the window from its empty part only: a press on a tab selects it.
  w.高级选择夹_标签.on_left_down = [&w](int x, int y, int) {
    if (w.高级选择夹_标签.tab_at(x, y) < 0)
      start_moving();
    else
      on_tab_pressed();
    return true;
  };
  w.标签_上中.on_double_click = [](int, int, int) {
    toggle_maximize();
    return true;
  };
  w.图形按钮_最大化.on_click = toggle_maximize;
  w.图形按钮_最小化.on_click = minimize_main_window;
  w.图形按钮_最前.on_click = toggle_topmost;
  w.图形按钮_关闭.on_click = exit_program;
  w.图形按钮_关闭.on_right_up = [](int, int, int) {
    close_current_page_by_button();
    return true;
  };
  w.图形按钮_关闭本页.on_click = close_current_page_by_button;
  w.图形按钮_程序图标.on_double_click = [](int, int, int) {
    exit_program();
    return true;
  };
}

void on_main_window_moved() {
  MainWindowForm& main = main_window();
  if (rt::Window* cloud = rt::Window::find_loaded("Velmora_云输入法")) place_window_at_caret(*cloud);
  recentre_message_box(main);
  if (!options().children_stay) {
    for (std::string_view caption : kFollowers)
      for (rt::Window* w : rt::Window::loaded_windows())
        if (w != &main && w->caption() == caption) centre_over_main_window(*w);
    if (rt::Window* typing = rt::Window::find_loaded("Velmora_屏幕输出效果")) place_by_main_caption_buttons(*typing);
  }
  if (options().remember_position && !main.minimized()) {
    config_write("程序设置", "窗口左边", std::to_string(main.left()));
    config_write("程序设置", "窗口顶边", std::to_string(main.top()));
  }
}
