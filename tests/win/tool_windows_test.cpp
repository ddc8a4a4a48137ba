// Tool windows owned by the main window stay above it on the screen, against the real windows
// under Wine: after a click into the main window's text, after the program's own message box
// and after a common dialog of the main window closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "common/messages.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
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
};

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
