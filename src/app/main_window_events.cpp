// The main window's events, bound to the routines of the subsystems they belong to (the frame
// and the menu bar bind their own).
#include "app/commands.h"
#include "app/drops.h"
#include "app/edge_hide.h"
#include "app/housekeeping.h"
#include "app/main_frame.h"
#include "app/main_window_menus.h"
#include "app/menu_bar.h"
#include "app/mini_mode.h"
#include "app/shortcuts.h"
#include "app/shutdown.h"
#include "app/single_instance.h"
#include "app/snapping.h"
#include "app/startup.h"
#include "app/tab_menu_items.h"
#include "app/tray.h"
#include "common/main_window_ref.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "pages/open_pages_popup.h"
#include "pages/page_display.h"
#include "pages/tab_commands.h"
#include "pages/tab_menus.h"
#include "texttools/edit_commands.h"
#include "texttools/editor_status.h"
#include "texttools/insertions.h"
#include "web/dropped_url.h"
#include "web/update_check.h"

namespace {

// Bulk page work begins or ends.
void on_open_busy_changed(bool busy) {
  // The opened pages are shown: a window slid out at an edge comes back first.
  if (!busy) leave_edge_hide();
  accept_drops(!busy);
  // The commands that create, close or re-queue pages (the saved-tab item under either caption,
  // the restart of the File menu and of the tray menu). The items whose states are set when
  // their menu opens take the busy state there.
  set_refused_commands_disabled(busy);
}

}  // namespace

void bind_main_window(MainWindowForm& f) {
  // The window the shared routines open, fade and show their boxes over.
  set_main_window_ref(&f);
  set_open_busy_reaction(on_open_busy_changed);
  build_main_window_menus(f);
  build_tab_menus(f);
  f.on_created = on_main_window_created;
  f.on_first_activation = on_main_window_first_activation;
  f.on_resized = layout_main_window;
  f.on_moved = on_main_window_moved;
  f.on_may_close = on_main_window_may_close;
  f.on_destroying = on_main_window_destroying;
  f.高级选择夹_标签.on_changing = on_tab_changing;
  f.高级选择夹_标签.on_changed = show_current_page;
  f.编辑框_文本类容.on_changed = on_editor_changed;
  f.编辑框_文本类容.on_key_down = dispatch_shortcut;
  f.编辑框_文本类容.on_focus = update_command_states;
  f.编辑框_文本类容.on_wheel = [](int delta, int modifiers) {
    on_editor_wheel(delta, modifiers);
    return modifiers == 0;  // with a modifier the wheel is ours, not a scroll
  };
  f.编辑框_文本类容.on_blur = update_command_states;
  f.编辑框_文本类容.on_left_up = [](int, int, int) {
    update_command_states();
    return true;
  };
  f.工具条_工具栏.on_click = on_toolbar_button;
  f.拖放对象.on_text = on_text_dropped;
  f.拖放对象.on_html = on_html_dropped;
  f.拖放对象.on_url = on_url_dropped;
  f.拖放对象.on_files = on_files_dropped;
  f.时钟_滚动标签.on_tick = scroll_or_autosave_tick;
  f.时钟_信息框.on_tick = prompt_update_available;
  f.时钟_显示时间.on_tick = update_clock_digits;
  f.时钟_内存优化.on_tick = trim_working_set;
  f.时钟_显示出来.on_tick = poll_cursor_for_edge_hide;
  f.时钟_真正显示.on_tick = on_hide_delay_elapsed;
  f.时钟_延迟执行任务.on_tick = on_delayed_task_timer;
  f.托盘图标.on_event = on_tray_event;
  f.时钟_监视程序.on_tick = poll_ipc_box;
  f.图形按钮_向左.on_click = select_previous_tab;
  f.图形按钮_向右.on_click = select_next_tab;
  f.高级选择夹_标签.on_tab_right_click = on_tab_right_click;
  f.高级选择夹_标签.on_strip_double_click = on_tab_strip_double_click;
  bind_frame_events(f);
  // Double clicks on the status line and the frame move the caret; a single press on these
  // labels still moves the window.
  auto on_double_click = [](void (*jump)()) {
    return [jump](int, int, int) {
      jump();
      return true;
    };
  };
  for (rt::Label* status : {&f.透明标签_标签状态, &f.透明标签_文件标题, &f.透明标签_文件路径})
    status->on_double_click = on_double_click(move_caret_to_end);
  f.标签_底.on_double_click = on_double_click(move_caret_to_start);
  auto open_pages_popup_on_release = [](int, int, int) {
    open_open_pages_popup();
    return true;
  };
  f.标签_底.on_right_up = open_pages_popup_on_release;
  f.图形按钮_迷你模式.on_right_up = open_pages_popup_on_release;
  f.图形按钮_迷你模式.on_click = enter_mini_mode;
  f.标签_右中.on_double_click = on_double_click(move_caret_to_quarter);
  f.标签_左中.on_double_click = on_double_click(move_caret_to_quarter);
  bind_menu_bar(f);
  // The units take their places for the design size, as a change of size places them.
  layout_main_window();
}
