#include "app/edge_hide.h"

#include "app/main_frame.h"
#include "app/startup.h"
#include "app/tray.h"
#include "common/window_rules.h"
#include "forms/main_window_form.h"
#include "forms/open_pages_popup_form.h"
#include "options/config.h"
#include "options/option_values.h"
#include "runtime/gbk_text.h"
#include "runtime/mouse_input.h"
#include "runtime/system.h"

namespace {

constexpr int kPollInterval = 250;
constexpr int kPauseAfterComingBack = 3500;

bool pointer_over_main_window() {
  rt::Point p = rt::cursor_position();
  return cursor_in_main_window(p.x, p.y);
}

// The pointer asks for a slide: back over the sliver of a slid-out window, or away from a shown
// one.
bool slide_called_for() { return pointer_over_main_window() == edge_hidden(); }

// Nothing slides while the option is off or the window is maximized, minimized (its place is
// then the task bar's) or hidden.
bool edge_hiding_applies() {
  MainWindowForm& w = main_window();
  return options().edge_hide_enabled && !main_window_maximized() && w.loaded() && w.visible() && !w.minimized();
}

}  // namespace

bool cursor_in_main_window(int x, int y) {
  rt::Rect r = main_window().rect();
  return point_over_window({x, y}, r.left, r.top, r.width, r.height);
}

void apply_edge_hide_at_start() {
  if (!config_flag(cfg::程序设置::开启靠边自动隐藏)) return;
  set_option(&OptionValues::edge_hide_delay,
             edge_hide_delay_at_start(rt::text_to_number(config_read("程序设置", "自动隐藏时间"))));
  set_option(&OptionValues::edge_hide_enabled, 1);
  if (!main_window_maximized()) main_window().时钟_显示出来.set_interval(kPollInterval);
}

void poll_cursor_for_edge_hide() {
  if (!edge_hiding_applies()) return;
  // Writing the interval the delay already has keeps its countdown: the pointer must stay
  // where it is for the whole delay.
  if (slide_called_for()) main_window().时钟_真正显示.set_interval(options().edge_hide_delay);
}

void on_hide_delay_elapsed() {
  MainWindowForm& w = main_window();
  w.时钟_显示出来.set_interval(0);
  w.时钟_真正显示.set_interval(0);
  if (!edge_hiding_applies()) return;
  // The pointer may have come back within the delay: then nothing moves.
  if (slide_called_for()) toggle_edge_slide();
  w.时钟_显示出来.set_interval(kPollInterval);
}

void on_delayed_task_timer() {
  main_window().时钟_延迟执行任务.set_interval(0);
  resume_edge_hide_poll();
}

void put_back_from_edge() {
  if (!edge_hidden()) return;
  MainWindowForm& w = main_window();
  w.set_left(edge_hide_left());
  w.set_top(edge_hide_top());
  note_edge_shown();
}

void reset_edge_hide() { reset_edge_state(); }

void resume_edge_hide_poll() {
  if (options().edge_hide_enabled && !main_window_maximized()) main_window().时钟_显示出来.set_interval(kPollInterval);
}

void remember_pos_before_slide() {
  MainWindowForm& w = main_window();
  note_edge_hidden(w.left(), w.top());
  OpenPagesPopupForm& popup = open_pages_popup();
  if (popup.loaded()) popup.destroy();
}

void toggle_edge_slide() {
  MainWindowForm& w = main_window();
  rt::Rect r = w.rect();
  if (edge_hidden()) {
    bring_main_window_forward();
    w.move(edge_hide_left(), edge_hide_top(), r.width, r.height);
    note_edge_shown();
    return;
  }
  EdgeSlide slide = edge_slide_out(r.left, r.top, r.width, r.height, rt::screen_width(), work_height());
  if (!slide.slides) {
    note_edge_shown();
    return;
  }
  remember_pos_before_slide();
  w.move(slide.left, slide.top, r.width, r.height);
}

void leave_edge_hide() {
  if (!edge_hidden()) return;
  MainWindowForm& w = main_window();
  toggle_edge_slide();
  w.时钟_显示出来.set_interval(0);
  // A delay still counting down would slide the window out again inside the pause.
  w.时钟_真正显示.set_interval(0);
  w.时钟_延迟执行任务.set_interval(kPauseAfterComingBack);
}

void bring_main_window_forward() {
  MainWindowForm& w = main_window();
  if (!w.loaded()) return;
  if (w.minimized()) {
    // Back to the state it had before it was minimized, a maximized window maximized.
    w.restore_if_minimized();
  } else {
    // To the top of the windows without changing its own always-on-top setting.
    bool topmost = w.topmost();
    w.set_topmost(true);
    w.set_topmost(topmost);
  }
  if (!mini_mode_loaded()) w.set_visible(true);
  // Last: coming back from the taskbar gives the focus to the window itself.
  w.set_focus();
  w.编辑框_文本类容.set_focus();
}

void on_tab_pressed() { main_window().时钟_滚动标签.set_interval(options().autosave_interval); }
