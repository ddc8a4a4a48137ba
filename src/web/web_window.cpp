#include "web/web_window.h"

#include "app/edge_state.h"
#include "common/window_fade.h"
#include "forms/main_window_form.h"
#include "runtime/app.h"
#include "runtime/shell.h"

void fade_in_web_window(rt::Window& window) {
  rt::WindowHandle shown = window.handle();
  rt::post([&window, shown] {
    if (!window.loaded() || window.handle() != shown) return;
    MainWindowForm& main = main_window();
    // Over a main window slid out at a screen edge it would be centred off the screen.
    bool over_main = main.loaded() && main.visible() && !main.minimized() && !edge_hidden();
    show_window_faded(window, true, !over_main);
  });
}

void open_in_browser(const std::string& address) { rt::shell_execute("open", address); }
