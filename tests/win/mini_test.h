#pragma once
// The fixture of the mini-mode tests: the program started as in the web windows' tests (its web
// services at a server of the test's own, the browser recorded), the end of the process taken,
// and the bar entered by a click on the main window's mini-mode button.
#include <windows.h>

#include <string>

#include "app/mini_mode.h"
#include "app/tray.h"
#include "common/window_fade.h"
#include "forms/mini_window_form.h"
#include "forms/suggestion_popup_form.h"
#include "options/option_values.h"
#include "runtime/clock.h"
#include "web_test.h"

inline MiniWindowForm& mini() { return mini_window(); }
inline SuggestionPopupForm& popup() { return suggestion_popup(); }
inline rt::EditBox& keyword() { return mini_window().编辑框_关键词; }

class MiniModeTest : public WebTest {
 protected:
  void SetUp() override {
    WebTest::SetUp();
    ended_ = -1;
    rt::seams::end_process_hook() = [this](int code) { ended_ = code; };
  }
  void TearDown() override {
    rt::seams::hold_workers(false);
    rt::seams::set_clock(nullptr);
    rt::seams::end_process_hook() = nullptr;
    ui_test::answer_message_boxes({});
    // Back to the main window as the user would, so that the next start finds the activation
    // where a start leaves it.
    if (mini().loaded()) leave_mini_mode();
    mini().destroy();
    WebTest::TearDown();
  }
  // The user's click on the mini-mode button; returns once the bar has faded in and its popup
  // is there.
  static void enter() {
    ui_test::click(w().图形按钮_迷你模式);
    ASSERT_TRUE(ui_test::wait_for(
        [] { return mini().loaded() && mini().alpha() == options().window_alpha && popup().loaded(); }, 10000));
  }
  // A test's own move of the bar, as a drag ends it.
  static void move_bar(int left, int top) { mini().move(left, top, mini().width(), mini().height()); }
  static bool item_shown(const char* caption) {
    rt::MenuItem* item = w().超级菜单.find(caption);
    return item && !item->hidden;
  }

  int ended_ = -1;
};
