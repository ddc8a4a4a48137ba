// Tool windows owned by the main window stay above it on the screen, against the real windows
// under Wine: after a click into the main window's text, after the program's own message box
// and after a common dialog of the main window closed, after a click on its taskbar button or
// its tray icon, and when another program gives the activation back.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "common/messages.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "foreign/grabber_window.h"
#include "foreign_target_process.h"
#include "forms/grabber_window_form.h"
#include "forms/crypt_window_form.h"
#include "forms/find_window_form.h"
#include "forms/main_window_form.h"
#include "common/message_box_form.h"
#include "options/option_values.h"
#include "program_test.h"
#include "runtime/seams.h"
#include "texttools/crypt_window.h"
#include "texttools/find_replace.h"
#include "ui_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

// Whether the window a lies above the window b on the screen.
bool above(rt::Window& a, rt::Window& b) {
  for (HWND h = GetWindow(hw(a.handle()), GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT))
    if (h == hw(b.handle())) return true;
  return false;
}

struct Tool {
  const char* name;
  void (*open)();
  rt::Window& (*window)();
};
const Tool kTools[] = {
    {"find", open_find_window, []() -> rt::Window& { return find_window(); }},
    {"encryption", open_crypt_window, []() -> rt::Window& { return crypt_window(); }},
    {"reader", open_grabber_window, []() -> rt::Window& { return grabber_window(); }},
};

// The button of the window in the desktop's taskbar (Wine's shows one while the program's tray
// icon is there); null without one.
BOOL CALLBACK note_button_of(HWND button, LPARAM found) {
  auto* f = reinterpret_cast<std::pair<HWND, HWND>*>(found);
  if (reinterpret_cast<HWND>(GetWindowLongPtrW(button, GWLP_ID)) == f->first && IsWindowVisible(button))
    f->second = button;
  return TRUE;
}
HWND taskbar_button_of(rt::Window& window) {
  HWND bar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!bar || !IsWindowVisible(bar)) return nullptr;
  std::pair<HWND, HWND> found{hw(window.handle()), nullptr};
  EnumChildWindows(bar, note_button_of, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

// The user's click on the main window's taskbar button, with the real pointer.
void click_taskbar_button() {
  HWND button = taskbar_button_of(w());
  ASSERT_TRUE(button) << "the desktop shows the main window's taskbar button";
  RECT r{};
  GetWindowRect(button, &r);
  ui_test::move_pointer((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT press[2]{};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, press, sizeof(INPUT));
  ui_test::settle(150);
}

bool main_is_foreground() { return GetForegroundWindow() == hw(w().handle()); }

// The tool window open in the case at hand.
rt::Window* g_tool = nullptr;

// Another program, for the activation that comes back from another process.
ForeignTargetProcess g_other_program;

// What brings the main window to the front while the tool window is open.
struct Activation {
  const char* name;
  std::function<void()> run;
};

class ToolWindowOrderTest : public ProgramTest {
 protected:
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    for (const Tool& t : kTools) t.window().destroy();
    g_other_program.end();
    ProgramTest::TearDown();
  }
};

TEST_F(ToolWindowOrderTest, AToolWindowStaysAboveTheMainWindowWhenTheMainWindowComesForward) {
  editor().set_text("Velmora 的一页文字，用来寻找和加密。");
  const Activation activations[] = {
      {"a click into the text", [] { ui_test::click_with_pointer(editor()); }},
      {"the message box closed",
       [] {
         rt::seams::set_modal_hook([](rt::Window& box) {
           if (&box == &message_box_form()) ui_test::click(message_box_form().图形按钮_确定_信息框);
         });
         tell_user(0, 64, "提示", 0xFF00FF, "  一个信息框。", 0x8000);
         rt::seams::set_modal_hook(nullptr);
       }},
      {"its taskbar button clicked while the tool window is active",
       [] {
         ui_test::click_with_pointer(*g_tool);
         ASSERT_TRUE(ui_test::wait_for([] { return g_tool->is_foreground(); }));
         click_taskbar_button();
         ui_test::wait_for(main_is_foreground);
       }},
      {"its taskbar button clicked again and again: minimized and back",
       [] {
         click_taskbar_button();
         ui_test::wait_for(main_is_foreground);
         click_taskbar_button();
         ui_test::wait_for([] { return w().minimized(); });
         ui_test::settle(300);
         click_taskbar_button();
         ui_test::wait_for([] { return !w().minimized(); });
       }},
      {"minimized by its button, back by its taskbar button",
       [] {
         ui_test::click(w().图形按钮_最小化);
         ui_test::wait_for([] { return w().minimized(); });
         ui_test::settle(300);
         click_taskbar_button();
         ui_test::wait_for([] { return !w().minimized(); });
       }},
      {"the tray icon clicked after minimizing",
       [] {
         const rt::Point icon = ui_test::find_tray_icon(w());
         ASSERT_GE(icon.x, 0);
         ui_test::click(w().图形按钮_最小化);
         ui_test::wait_for([] { return w().minimized(); });
         ui_test::settle(300);
         ui_test::mouse_on_tray_icon(icon, WM_LBUTTONUP);
         ui_test::wait_for([] { return !w().minimized(); });
       }},
      {"another program gives the activation back",
       [] {
         if (!g_other_program.window()) ASSERT_TRUE(g_other_program.start());
         PostMessageW(g_other_program.window(), foreign_target::kActivateMessage, 0, 0);
         ui_test::wait_for([] { return GetForegroundWindow() == g_other_program.window(); });
         ui_test::settle(300);
         PostMessageW(g_other_program.window(), foreign_target::kActivateMessage, reinterpret_cast<WPARAM>(w().handle()),
                      0);
         ui_test::wait_for(main_is_foreground);
       }},
      {"the open dialog closed",
       [] {
         rt::seams::DialogAnswer real{rt::seams::DialogKind::Open, false};
         real.while_shown = [](void*) {};
         rt::seams::script_dialog(std::move(real));
         open_files();
       }},
  };
  for (const Tool& t : kTools) {
    t.open();
    ASSERT_TRUE(
        ui_test::wait_for([&t] { return t.window().loaded() && t.window().alpha() == options().window_alpha; }));
    g_tool = &t.window();
    for (const Activation& a : activations) {
      SCOPED_TRACE(std::string(t.name) + ", " + a.name);
      ASSERT_TRUE(above(t.window(), w()));
      a.run();
      // The system may raise the main window some moments after activating it.
      ui_test::settle(1200);
      EXPECT_TRUE(above(t.window(), w()));
      EXPECT_FALSE(w().disabled());
    }
    t.window().destroy();
  }
}

}  // namespace

namespace {

// Back from another program, the keyboard is where it was: typing goes on in the text.
TEST_F(ToolWindowOrderTest, TypingGoesOnInThePageWhenTheMainWindowComesBackFromAnotherProgram) {
  editor().set_text("前文");
  editor().set_focus();
  editor().select(4, 0);
  ASSERT_TRUE(g_other_program.start());
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    PostMessageW(g_other_program.window(), foreign_target::kActivateMessage, 0, 0);
    ASSERT_TRUE(ui_test::wait_for([] { return GetForegroundWindow() == g_other_program.window(); }));
    ui_test::settle(300);
    PostMessageW(g_other_program.window(), foreign_target::kActivateMessage, reinterpret_cast<WPARAM>(w().handle()),
                 0);
    ASSERT_TRUE(ui_test::wait_for(main_is_foreground));
    ui_test::settle(300);
    EXPECT_TRUE(editor().has_focus());
    ui_test::key_from_keyboard('A');
    ui_test::settle(200);
  }
  // Minimized by its button and back by the taskbar's: the keyboard is in the page again.
  ui_test::click(w().图形按钮_最小化);
  ASSERT_TRUE(ui_test::wait_for([] { return w().minimized(); }));
  ui_test::settle(300);
  click_taskbar_button();
  ASSERT_TRUE(ui_test::wait_for([] { return !w().minimized() && main_is_foreground(); }));
  ui_test::settle(300);
  EXPECT_TRUE(editor().has_focus());
  ui_test::key_from_keyboard('A');
  ui_test::settle(200);
  EXPECT_EQ(editor().text(), "前文aaaa");
}

}  // namespace
