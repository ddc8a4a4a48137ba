#include "app/tray.h"

#include "app/edge_hide.h"
#include "common/frame_art.h"
#include "forms/main_window_form.h"

bool mini_mode_loaded() { return rt::Window::find_loaded("Velmora_迷你模式") != nullptr; }

bool add_tray_icon() { return main_window().托盘图标.add(program_icon_picture(), kTrayTip); }

void remove_tray_icon() { main_window().托盘图标.remove(); }

void on_tray_event(int type) {
  MainWindowForm& w = main_window();
  leave_edge_hide();
  bool mini = mini_mode_loaded();
  if (!mini) w.set_visible(true);
  switch (type) {
    case 1:
    case 2:
      // Back from the task bar to the state it had; a window that is not minimized keeps its
      // state (a maximized one stays maximized), and mini mode keeps it hidden.
      if (!mini) w.restore_if_minimized();
      break;
    case 3:
      popup_tray_menu_at_cursor();
      break;
    default:
      break;
  }
}

