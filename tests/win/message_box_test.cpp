// The own message box, its skin frame and the runtime services it stands on, against real
// windows under Wine. The box is answered from inside its modal loop, as a user would.
#include "common/message_box.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "common/skin.h"
#include "common/skin_art.h"
#include "common/message_box_form.h"
#include "layout_check.h"
#include "runtime/app.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "ui_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }
MessageBoxForm& box() { return message_box_form(); }

class OwnerForm : public rt::Window {
 public:
  explicit OwnerForm(rt::Rect r = {200, 150, 600, 400}) : rt::Window("VelmoraTestOwner", "主窗口", r) {}

 protected:
  void build() override {}
};

struct Answer {
  int code = -1;
  bool without_button = false;
  std::string input = "(untouched)";
};

using Act = std::function<void(MessageBoxForm&)>;

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(owner.load()); }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    owner.destroy();
  }

  MessageBoxRequest request(int set = 0) {
    MessageBoxRequest r;
    r.owner = &owner;
    r.button_set = set;
    r.icon = 32;
    r.text = "  测试信息。";
    r.text_color = 0x8000;
    r.title = "测试标题";
    r.title_color = 0xFF00FF;
    r.box_cursor = program_pointer_cursor();
    r.input_cursor = program_text_cursor();
    return r;
  }

  // Shows the box and answers it with act from inside its modal loop; a box that act leaves
  // open is a failure, and is closed so that the test goes on.
  static Answer ask(MessageBoxRequest r, const Act& act) {
    Answer a;
    r.closed_without_button = &a.without_button;
    r.input_result = &a.input;
    rt::seams::set_modal_hook([&](rt::Window& w) {
      EXPECT_EQ(&w, &box());
      act(box());
      if (box().loaded()) {
        ADD_FAILURE() << "the box stayed open";
        close_message_box();
      }
    });
    a.code = show_message_box(r);
    rt::seams::set_modal_hook(nullptr);
    return a;
  }

  OwnerForm owner;
};

const char* const kCaptions[] = {"确定", "取消", "终止", "重试", "忽略", "是", "否"};

TEST_F(MessageBoxTest, EachButtonSetShowsItsButtonsAtTheirSlotsAndAnswersWithTheClickedCode) {
  struct Shown {
    int code, left;
  };
  struct SetCase {
    int set;
    std::vector<Shown> shown;
    bool close_enabled;
  };
  const SetCase cases[] = {
      {0, {{kBoxOk, 225}}, true},
      {1, {{kBoxOk, 22}, {kBoxCancel, 225}}, true},
      {2, {{kBoxAbort, 22}, {kBoxRetry, 123}, {kBoxIgnore, 225}}, false},
      {3, {{kBoxYes, 22}, {kBoxNo, 123}, {kBoxCancel, 225}}, true},
      {4, {{kBoxYes, 22}, {kBoxNo, 225}}, false},
      {5, {{kBoxRetry, 22}, {kBoxCancel, 225}}, true},
      {7, {{kBoxOk, 225}}, true},  // any other set is OK alone
      {-1, {{kBoxOk, 225}}, true},
  };
  for (const SetCase& c : cases) {
    for (const Shown& pressed : c.shown) {
      SCOPED_TRACE("set " + std::to_string(c.set) + ", button " + kCaptions[pressed.code]);
      Answer a = ask(request(c.set), [&](MessageBoxForm& f) {
        for (int code = kBoxOk; code <= kBoxNo; ++code) {
          rt::GraphicButton& b = *f.answer_button(code);
          auto it = std::find_if(c.shown.begin(), c.shown.end(), [&](const Shown& s) { return s.code == code; });
          EXPECT_EQ(b.visible(), it != c.shown.end()) << kCaptions[code];
          EXPECT_EQ(b.caption(), kCaptions[code]);
          if (it == c.shown.end()) continue;
          EXPECT_EQ(b.left(), it->left) << kCaptions[code];
          EXPECT_EQ(b.top(), 95) << kCaptions[code];
          // Each button's tooltip is its own caption.
          EXPECT_EQ(rt::tooltip_text(b), kCaptions[code]);
        }
        EXPECT_EQ(f.图形按钮_关闭_信息框.disabled(), !c.close_enabled);
        ui_test::click(*f.answer_button(pressed.code));
      });
      EXPECT_EQ(a.code, pressed.code);
      EXPECT_FALSE(a.without_button);
    }
  }
}

TEST_F(MessageBoxTest, CloseButtonAnswersCancelWhenShownElseOkAndCannotBePressedForAbortRetryIgnoreOrYesNo) {
  struct CloseCase {
    int set;
    bool input_mode;
    bool enabled;
    int code;  // for an enabled close button
  };
  const CloseCase cases[] = {{0, false, true, kBoxOk},     {1, false, true, kBoxCancel}, {2, false, false, 0},
                             {3, false, true, kBoxCancel}, {4, false, false, 0},         {5, false, true, kBoxCancel},
                             {0, true, true, kBoxCancel}};
  for (const CloseCase& c : cases) {
    SCOPED_TRACE("set " + std::to_string(c.set) + (c.input_mode ? " (input)" : ""));
    MessageBoxRequest r = request(c.set);
    r.input_mode = c.input_mode;
    r.input_default = "默认";
    Answer a = ask(r, [&](MessageBoxForm& f) {
      EXPECT_EQ(rt::tooltip_text(f.图形按钮_关闭_信息框), "关闭信息框");
      ui_test::click(f.图形按钮_关闭_信息框);
      if (c.enabled) return;
      EXPECT_TRUE(f.loaded()) << "a disabled close button closed the box";
      close_message_box();
    });
    EXPECT_EQ(a.code, c.enabled ? c.code : kBoxCancel);
    EXPECT_TRUE(a.without_button);
    if (c.input_mode) {
      EXPECT_EQ(a.input, "");
    }
  }
}

TEST_F(MessageBoxTest, EnterPressesOkElseYesElseAbortOnTheWindowAndOnTheMessage) {
  struct EnterCase {
    int set;
    int code;  // -1: Enter presses nothing
  };
  const EnterCase cases[] = {{0, kBoxOk}, {1, kBoxOk}, {2, kBoxAbort}, {3, kBoxYes}, {4, kBoxYes}, {5, -1}};
  for (bool on_label : {false, true}) {
    for (const EnterCase& c : cases) {
      SCOPED_TRACE(std::string(on_label ? "message label" : "window") + ", set " + std::to_string(c.set));
      Answer a = ask(request(c.set), [&](MessageBoxForm& f) {
        rt::Unit& target = on_label ? static_cast<rt::Unit&>(f.透明标签_提示类容) : f;
        ui_test::press_key(target, VK_RETURN);
        if (c.code >= 0) return;
        EXPECT_TRUE(f.loaded());
        close_message_box();
      });
      EXPECT_EQ(a.code, c.code >= 0 ? c.code : kBoxCancel);
      EXPECT_EQ(a.without_button, c.code < 0);
    }
  }
}

TEST_F(MessageBoxTest, InputPromptLayout) {
  MessageBoxRequest r = request(3);  // the button set gives way to OK and Cancel
  r.input_mode = 1;
  r.input_default = "新建文档 2";
  r.input_text_color = 0xFF0000;
  r.button_row_top = 140;  // ignored in input mode
  ask(r, [](MessageBoxForm& f) {
    for (int code = kBoxOk; code <= kBoxNo; ++code)
      EXPECT_EQ(f.answer_button(code)->visible(), code == kBoxOk || code == kBoxCancel) << kCaptions[code];
    EXPECT_EQ(f.图形按钮_确定_信息框.rect().left, 22);
    EXPECT_EQ(f.图形按钮_确定_信息框.rect().top, 106);
    EXPECT_EQ(f.图形按钮_取消_信息框.rect().left, 225);
    EXPECT_EQ(f.图形按钮_取消_信息框.rect().top, 106);
    EXPECT_TRUE(f.编辑框_输入类容.visible());
    EXPECT_EQ(f.编辑框_输入类容.text(), "新建文档 2");
    EXPECT_EQ(f.编辑框_输入类容.text_color(), 0xFF0000u);
    EXPECT_TRUE(f.编辑框_输入类容.has_focus());
    EXPECT_EQ(f.透明标签_提示类容.top(), 21);
    EXPECT_EQ(f.透明标签_提示类容.height(), 49);
    EXPECT_EQ(f.height(), 135);
    close_message_box();
  });
}

TEST_F(MessageBoxTest, APromptGrowsToItsMessage) {
  MessageBoxRequest r = request(1);
  r.input_mode = 1;
  r.text = "  ";
  for (int i = 0; i < 10; ++i) r.text += "这是一段很长的提示文字，";
  ask(r, [](MessageBoxForm& f) {
    const rt::Label& message = f.透明标签_提示类容;
    const rt::EditBox& input = f.编辑框_输入类容;
    EXPECT_GT(message.height(), 49);
    EXPECT_GE(message.height(), message.text_height());
    // The input box, the buttons and the box's edge move down as far as the message grew.
    EXPECT_EQ(input.top(), message.top() + message.height() + 2);
    for (const rt::GraphicButton* b : {&f.图形按钮_确定_信息框, &f.图形按钮_取消_信息框})
      EXPECT_EQ(b->top(), input.top() + input.height() + 2);
    EXPECT_EQ(f.height(), f.图形按钮_确定_信息框.top() + 29);
    EXPECT_TRUE(ui_test::layout_is_sound(f));
    close_message_box();
  });
}

TEST_F(MessageBoxTest, InputPromptGivesTheTypedTextOnlyForOk) {
  auto type = [](MessageBoxForm& f) {
    rt::EditBox& input = f.编辑框_输入类容;
    input.select(0, input.text_length());
    ui_test::type_text(input, "新名字");
  };
  struct InputCase {
    const char* name;
    int enter_submits;
    Act answer;
    int code;
    bool without_button;
    std::string input;
  };
  const InputCase cases[] = {
      {"OK", 0, [](MessageBoxForm& f) { ui_test::click(f.图形按钮_确定_信息框); }, kBoxOk, false, "新名字"},
      {"Cancel", 0, [](MessageBoxForm& f) { ui_test::click(f.图形按钮_取消_信息框); }, kBoxCancel, false, ""},
      {"Enter that submits", 1, [](MessageBoxForm& f) { ui_test::press_key(f.编辑框_输入类容, VK_RETURN); }, kBoxOk,
       false, "新名字"},
      {"Enter that does not submit, then the close button", 0,
       [](MessageBoxForm& f) {
         ui_test::press_key(f.编辑框_输入类容, VK_RETURN);
         EXPECT_TRUE(f.loaded());
         EXPECT_EQ(f.编辑框_输入类容.text(), "新名字");
         ui_test::click(f.图形按钮_关闭_信息框);
       },
       kBoxCancel, true, ""},
      {"close_message_box", 0, [](MessageBoxForm&) { close_message_box(); }, kBoxCancel, true, ""},
  };
  for (const InputCase& c : cases) {
    SCOPED_TRACE(c.name);
    MessageBoxRequest r = request();
    r.input_mode = 1;
    r.input_default = "默认";
    r.enter_submits = c.enter_submits;
    Answer a = ask(r, [&](MessageBoxForm& f) {
      type(f);
      c.answer(f);
    });
    EXPECT_EQ(a.code, c.code);
    EXPECT_EQ(a.without_button, c.without_button);
    EXPECT_EQ(a.input, c.input);
  }
}

TEST_F(MessageBoxTest, AfterAPromptAnsweredWithEnterTheNextPromptTakesEveryTypedCharacter) {
  MessageBoxRequest r = request();
  r.input_mode = 1;
  r.enter_submits = 1;
  for (const char* typed : {"第一", "第二"}) {
    Answer a = ask(r, [&](MessageBoxForm& f) {
      ui_test::type_text(f.编辑框_输入类容, typed);
      ui_test::press_key(f.编辑框_输入类容, VK_RETURN);
    });
    EXPECT_EQ(a.code, kBoxOk);
    EXPECT_EQ(a.input, typed);
  }
}

TEST_F(MessageBoxTest, TheButtonRowTopIsClampedAndSetsTheHeight) {
  struct RowCase {
    int row_top, height, buttons_top;
  };
  for (RowCase c : {RowCase{0, 135, 95}, {95, 135, 95}, {120, 160, 120}, {140, 180, 140}, {200, 180, 140}}) {
    SCOPED_TRACE("row top " + std::to_string(c.row_top));
    MessageBoxRequest r = request(3);
    r.button_row_top = c.row_top;
    ask(r, [&](MessageBoxForm& f) {
      EXPECT_EQ(f.height(), c.height);
      for (int code = kBoxOk; code <= kBoxNo; ++code) EXPECT_EQ(f.answer_button(code)->top(), c.buttons_top);
      // The frame follows the height.
      EXPECT_EQ(f.标签_下中.top() + f.标签_下中.height(), c.height);
      EXPECT_EQ(f.标签_右下.top() + f.标签_右下.height(), c.height);
      ui_test::click(f.图形按钮_是_信息框);
    });
  }
}

TEST_F(MessageBoxTest, TheIconAndTheTitleStrip) {
  const int icons[] = {8, 16, 32, 48, 64};
  for (int icon : {0, 8, 16, 32, 48, 64, 7, 100}) {
    SCOPED_TRACE("icon " + std::to_string(icon));
    MessageBoxRequest r = request();
    r.icon = icon;
    bool known = std::find(std::begin(icons), std::end(icons), icon) != std::end(icons);
    ask(r, [&](MessageBoxForm& f) {
      EXPECT_EQ(f.图形按钮_图标_信息框.visible(), known);
      // Three spaces leave room for the icon.
      EXPECT_EQ(f.标签_上中.text(), known ? "   测试标题" : "测试标题");
      EXPECT_EQ(f.caption(), "Velmora_测试标题");
      for (int other : icons)
        EXPECT_EQ(f.图形按钮_图标_信息框.normal_picture().same_image(message_box_icon(other)), known && other == icon)
            << other;
      ui_test::click(f.图形按钮_确定_信息框);
    });
  }
}

TEST_F(MessageBoxTest, ColoursOfTheBackgroundAreDrawnInMagenta) {
  struct ColourCase {
    unsigned title, text, shown_title, shown_text;
  };
  for (ColourCase c : {ColourCase{0xF4E2B3, 0x8000, 0xFF00FF, 0x8000}, {0xFF, 0xF4E2B3, 0xFF, 0xFF00FF}}) {
    MessageBoxRequest r = request();
    r.title_color = c.title;
    r.text_color = c.text;
    ask(r, [&](MessageBoxForm& f) {
      EXPECT_EQ(f.标签_上中.text_color(), c.shown_title);
      EXPECT_EQ(f.透明标签_提示类容.text_color(), c.shown_text);
      EXPECT_EQ(f.透明标签_提示类容.text().rfind("  测试信息。", 0), 0u) << f.透明标签_提示类容.text();
      ui_test::click(f.图形按钮_确定_信息框);
    });
  }
}

TEST_F(MessageBoxTest, AFadingBoxCountsDownAndPressesTheDefaultButton) {
  MessageBoxRequest r = request(1);
  r.fade = 1;
  r.auto_close_ms = 2000;
  r.default_button = kBoxOk;
  Answer a = ask(r, [](MessageBoxForm& f) {
    rt::Label& count = f.透明标签_倒计时;
    ASSERT_TRUE(ui_test::wait_for([&] { return count.visible() && count.text() == "2"; }));
    // The countdown starts after the fade-in, which ends opaque where the box was centred.
    EXPECT_EQ(f.alpha(), 255);
    EXPECT_EQ(f.left(), static_cast<int>(200 + 300 - 295 / 2.0));
    EXPECT_EQ(count.top(), f.标签_上中.top());
    EXPECT_TRUE(ui_test::wait_for([&] { return count.text() == "1"; }));
    EXPECT_TRUE(ui_test::wait_for([&] { return !f.loaded(); }));
  });
  EXPECT_EQ(a.code, kBoxOk);
  EXPECT_FALSE(a.without_button);
}

TEST_F(MessageBoxTest, ABoxThatDoesNotFadeNeverClosesOnItsOwn) {
  MessageBoxRequest r = request(1);
  r.auto_close_ms = 1000;
  r.default_button = kBoxOk;
  Answer a = ask(r, [](MessageBoxForm& f) {
    EXPECT_FALSE(rt::pump_until([&] { return !f.loaded() || f.透明标签_倒计时.visible(); }, 1500));
    EXPECT_TRUE(f.loaded());
    EXPECT_EQ(f.alpha(), 255);
    ui_test::click(f.图形按钮_取消_信息框);
  });
  EXPECT_EQ(a.code, kBoxCancel);
}

TEST_F(MessageBoxTest, AutoCloseWithoutItsDefaultButtonClosesWithoutAButtonPress) {
  struct AutoCase {
    int set, default_button, code;
    bool without_button;
  };
  for (AutoCase c : {AutoCase{4, kBoxNo, kBoxNo, false}, {0, kBoxNo, kBoxCancel, true}, {4, 9, kBoxCancel, true}}) {
    SCOPED_TRACE("set " + std::to_string(c.set) + ", default " + std::to_string(c.default_button));
    MessageBoxRequest r = request(c.set);
    r.fade = 1;
    r.auto_close_ms = 500;
    r.default_button = c.default_button;
    Answer a = ask(r, [](MessageBoxForm& f) { ui_test::wait_for([&] { return !f.loaded(); }); });
    EXPECT_EQ(a.code, c.code);
    EXPECT_EQ(a.without_button, c.without_button);
  }
}

TEST_F(MessageBoxTest, ClosesWithoutAButtonReturnOneAndSaySo) {
  EXPECT_EQ(close_message_box(), 0);  // no box open
  struct Way {
    const char* name;
    Act close;
  };
  const Way ways[] = {
      {"close_message_box", [](MessageBoxForm&) { EXPECT_EQ(close_message_box(), 1); }},
      {"Alt+F4", [](MessageBoxForm& f) { SendMessageW(hw(f.handle()), WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  struct Box {
    const char* name;
    int set, input_mode, fade;
  };
  const Box boxes[] = {{"Yes/No", 4, 0, 0}, {"input prompt", 0, 1, 0}, {"fading OK box", 0, 0, 1}};
  for (const Way& w : ways) {
    for (const Box& b : boxes) {
      SCOPED_TRACE(std::string(w.name) + ", " + b.name);
      MessageBoxRequest r = request(b.set);
      r.input_mode = b.input_mode;
      r.input_default = "默认";
      r.fade = b.fade;
      Answer a = ask(r, w.close);
      EXPECT_EQ(a.code, kBoxCancel);
      EXPECT_TRUE(a.without_button);
      EXPECT_EQ(a.input, b.input_mode ? "" : "(untouched)");
    }
  }
}

TEST_F(MessageBoxTest, ASecondBoxPreemptsTheFirstWhoseCallNeverGetsTheSecondAnswer) {
  MessageBoxRequest first = request();
  first.title = "第一个";
  first.input_mode = 1;
  first.input_default = "第一个的文字";
  Answer a1, a2;
  first.closed_without_button = &a1.without_button;
  first.input_result = &a1.input;
  rt::seams::set_modal_hook([&](rt::Window&) {
    if (box().caption() == "Velmora_第一个") {
      MessageBoxRequest second = request(4);
      second.title = "第二个";
      second.closed_without_button = &a2.without_button;
      a2.code = show_message_box(second);
      EXPECT_FALSE(box().loaded());
    } else {
      EXPECT_EQ(box().caption(), "Velmora_第二个");
      ui_test::click(box().图形按钮_是_信息框);
    }
  });
  a1.code = show_message_box(first);
  EXPECT_EQ(a2.code, kBoxYes);
  EXPECT_FALSE(a2.without_button);
  EXPECT_EQ(a1.code, kBoxCancel);
  EXPECT_TRUE(a1.without_button);
  EXPECT_EQ(a1.input, "");
}

TEST_F(MessageBoxTest, CentredOverItsOwnerAndTopmostWithIt) {
  struct OwnerCase {
    rt::Rect place;
    bool topmost;
  };
  for (OwnerCase c : {OwnerCase{{200, 150, 600, 400}, false}, {{101, 77, 333, 257}, true}}) {
    SCOPED_TRACE(std::to_string(c.place.left) + "," + std::to_string(c.place.top));
    owner.move(c.place.left, c.place.top, c.place.width, c.place.height);
    owner.set_topmost(c.topmost);
    ask(request(), [&](MessageBoxForm& f) {
      EXPECT_EQ(f.left(), static_cast<int>(c.place.left + c.place.width / 2.0 - f.width() / 2.0));
      EXPECT_EQ(f.top(), static_cast<int>(c.place.top + c.place.height / 2.0 - f.height() / 2.0));
      EXPECT_EQ(f.topmost(), c.topmost);
      ui_test::click(f.图形按钮_确定_信息框);
    });
  }
  owner.set_topmost(false);
}

TEST_F(MessageBoxTest, WithoutALoadedOwnerTheBoxStaysAtItsFormPlaceUnconfined) {
  OwnerForm never_loaded;
  for (rt::Window* o : {static_cast<rt::Window*>(nullptr), static_cast<rt::Window*>(&never_loaded)}) {
    owner.set_topmost(true);  // a loaded window being topmost does not matter
    MessageBoxRequest r = request();
    r.owner = o;
    ask(r, [](MessageBoxForm& f) {
      EXPECT_EQ(f.left(), 50);
      EXPECT_EQ(f.top(), 50);
      EXPECT_FALSE(f.topmost());
      RECT away{2000, 2000, 2295, 2135};
      SendMessageW(hw(f.handle()), WM_MOVING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&away));
      EXPECT_EQ(away.left, 2000);
      EXPECT_EQ(away.top, 2000);
      ui_test::click(f.图形按钮_确定_信息框);
    });
  }
  owner.set_topmost(false);
}

TEST_F(MessageBoxTest, DraggingByTheTitleStripKeepsTheBoxInsideItsOwner) {
  // The owner spans 200..800 x 150..550; the box is 295 x 135.
  struct MoveCase {
    RECT proposed, kept;
  };
  const MoveCase cases[] = {
      {{150, 100, 445, 235}, {200, 150, 495, 285}},  // past the left and top edges
      {{600, 500, 895, 635}, {505, 415, 800, 550}},  // past the right and bottom edges
      {{300, 200, 595, 335}, {300, 200, 595, 335}},  // inside
  };
  ask(request(), [&](MessageBoxForm& f) {
    HWND h = hw(f.handle());
    RECT w;
    GetWindowRect(h, &w);
    // The strip lets the hit through to the window, which answers "caption": the system moves it.
    POINT on_strip{w.left + 150, w.top + 10}, on_body{w.left + 150, w.top + 60};
    EXPECT_EQ(WindowFromPoint(on_strip), h);
    EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(on_strip.x, on_strip.y)), HTCAPTION);
    EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(on_body.x, on_body.y)), HTCLIENT);
    // The close button lies above the strip and takes its own clicks.
    RECT c;
    GetWindowRect(hw(f.图形按钮_关闭_信息框.handle()), &c);
    EXPECT_EQ(WindowFromPoint(POINT{(c.left + c.right) / 2, (c.top + c.bottom) / 2}),
              hw(f.图形按钮_关闭_信息框.handle()));
    for (const MoveCase& m : cases) {
      RECT r = m.proposed;
      SendMessageW(h, WM_MOVING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&r));
      EXPECT_EQ(r.left, m.kept.left);
      EXPECT_EQ(r.top, m.kept.top);
      EXPECT_EQ(r.right, m.kept.right);
      EXPECT_EQ(r.bottom, m.kept.bottom);
    }
    ui_test::click(f.图形按钮_确定_信息框);
  });
}

TEST_F(MessageBoxTest, AWorkersBoxRunsOnTheUiThread) {
  DWORD box_thread = 0;
  rt::seams::set_modal_hook([&](rt::Window&) {
    box_thread = GetWindowThreadProcessId(hw(box().handle()), nullptr);
    ui_test::click(box().图形按钮_否_信息框);
  });
  std::atomic<bool> done{false};
  std::atomic<int> code{-1};
  MessageBoxRequest r = request(4);
  rt::start_thread([&] {
    code = show_message_box(r);
    done = true;
  });
  ASSERT_TRUE(ui_test::wait_for([&] { return done.load(); }));
  EXPECT_EQ(code.load(), kBoxNo);
  EXPECT_EQ(box_thread, GetCurrentThreadId());
}

TEST_F(MessageBoxTest, TheBoxPointerIsTheBoxAndButtonsPointerAndTheTextCursorTheInputBoxs) {
  ASSERT_FALSE(program_pointer_cursor().empty());
  ASSERT_FALSE(program_text_cursor().empty());
  MessageBoxRequest r = request();
  r.input_mode = 1;
  ask(r, [](MessageBoxForm& f) {
    auto pointer_over = [](rt::Unit& u) {
      HWND h = hw(u.handle());
      SetCursor(nullptr);
      SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
      return static_cast<rt::CursorHandle>(GetCursor());
    };
    for (rt::Unit* u : std::initializer_list<rt::Unit*>{&f, &f.图形按钮_确定_信息框, &f.图形按钮_取消_信息框,
                                                        &f.图形按钮_关闭_信息框})
      EXPECT_EQ(pointer_over(*u), program_pointer_cursor().handle());
    EXPECT_EQ(pointer_over(f.编辑框_输入类容), program_text_cursor().handle());
    ui_test::click(f.图形按钮_确定_信息框);
  });
}

TEST_F(MessageBoxTest, Screenshots) {
  struct Shot {
    int set, icon;
    const char* title;
    const char* text;
    unsigned title_color, text_color;
    int input_mode;
  };
  const Shot shots[] = {
      {0, 64, "提示", "  文件已经成功保存到指定的位置。", 0xFF00FF, 0x8000, 0},
      {1, 48, "欲打开文件个数超出建议范围！",
       "  "
       "你欲打开文件个数为612个，超出了建议范围[612－500＝112]个，如果配置不是太高的话，建议分开打开，请问你是否继续？",
       0xFF00FF, 0xFF, 0},
      {2, 16, "写到文件失败！", "  输出到C:\\文档\\记录.txt\r\n失败！", 0xFF, 0xFF, 0},
      {3, 32, "检测到文件被修改!是否保存？", "  检测到文件[新建文档 1...]内容已经被修改，请问是否将更改保存到该文件？",
       0xFF00FF, 0xFF, 0},
      {4, 48, "你确定全部保存吗？", "  当前标签内的所有文件均为已经被修改的文件，请问是否全部保存呢？", 0xFF00FF, 0xFF,
       0},
      {5, 8, "替换所有换行符成功！", "  成功将所有的换行符替换为\"、\"，成功替换了12处。", 0xFF00FF, 0x8000, 0},
      {1, 32, "请输入要新建标签的名称！", "  请输入要新建的标签名称，标签名称不允许含有：\\/|:*?< >\"这些特殊字符！",
       0xFF00FF, 0x8000, 1},
  };
  for (const Shot& s : shots) {
    MessageBoxRequest r = request(s.set);
    r.icon = s.icon;
    r.title = s.title;
    r.text = s.text;
    r.title_color = s.title_color;
    r.text_color = s.text_color;
    r.input_mode = s.input_mode;
    r.input_default = "新建文档 2";
    r.input_text_color = 0xFF0000;
    std::string name = s.input_mode ? "message_box_input" : "message_box_set_" + std::to_string(s.set);
    ask(r, [&](MessageBoxForm& f) {
      ui_test::screenshot(name);
      EXPECT_TRUE(ui_test::layout_is_sound(f));
      close_message_box();
    });
  }
  MessageBoxRequest r = request(1);
  r.fade = 1;
  r.auto_close_ms = 5000;
  r.title = "更新提示";
  r.text = "  发现新版本，五秒后自动打开更新窗口。";
  ask(r, [](MessageBoxForm& f) {
    ui_test::wait_for([&] { return f.透明标签_倒计时.text() == "4"; }, 8000);
    ui_test::screenshot("message_box_countdown");
    EXPECT_TRUE(ui_test::layout_is_sound(f));
    close_message_box();
  });
}

// ---- The skin frame and the coloured border ----

class SkinForm : public rt::Window {
 public:
  SkinForm() : rt::Window("VelmoraTestSkin", "皮肤", {120, 100, 300, 200}) {}
  rt::Label labels[8];
  rt::EditBox edit;

 protected:
  void build() override {
    // Sizes of their own; scattered, so that the skin has to place every one.
    const rt::Rect r[8] = {{40, 40, 5, 20}, {40, 40, 10, 20}, {40, 40, 6, 20}, {40, 40, 3, 10},
                           {40, 40, 4, 10}, {40, 40, 7, 8},   {40, 40, 10, 5}, {40, 40, 9, 8}};
    for (int i = 0; i < 8; ++i) labels[i].create(*this, r[i]);
    edit.create(*this, {60, 80, 160, 30}, {.multiline = false}, "文字");
  }
};

SkinLabels skin_labels(SkinForm& f) {
  SkinLabels out;
  for (int i = 0; i < 8; ++i) out[i] = &f.labels[i];
  return out;
}

TEST(Skin, TheFrameLabelsLineTheEdgesAndTheWindowIsRounded) {
  SkinForm f;
  layout_child_window_skin(f, 4, skin_labels(f));  // not loaded: nothing to do
  ASSERT_TRUE(f.load());
  apply_child_window_skin(f, 4, skin_labels(f), tool_window_frame_pictures());
  // 300 x 200: top-left, top, top-right, left, right, bottom-left, bottom, bottom-right.
  const rt::Rect expected[8] = {{0, 0, 5, 20},     {5, 0, 289, 20}, {294, 0, 6, 20},  {0, 20, 3, 172},
                                {296, 20, 4, 172}, {0, 192, 7, 8},  {7, 195, 284, 5}, {291, 192, 9, 8}};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE("label " + std::to_string(i));
    rt::Rect r = f.labels[i].rect();
    EXPECT_EQ(r.left, expected[i].left);
    EXPECT_EQ(r.top, expected[i].top);
    EXPECT_EQ(r.width, expected[i].width);
    EXPECT_EQ(r.height, expected[i].height);
    EXPECT_TRUE(f.labels[i].picture().same_image(tool_window_frame_pictures()[i]));
  }
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(hw(f.handle()), rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));  // a corner is cut off
  EXPECT_TRUE(PtInRegion(rgn, 0, 100));
  EXPECT_TRUE(PtInRegion(rgn, 299, 100));
  EXPECT_TRUE(PtInRegion(rgn, 150, 199));
  DeleteObject(rgn);
  // Laid out again after a resize.
  f.set_width(400);
  layout_child_window_skin(f, 4, skin_labels(f));
  EXPECT_EQ(f.labels[2].left(), 394);
  EXPECT_EQ(f.labels[6].width(), 384);
  f.destroy();
}

TEST(Skin, TheColouredBorderIsPaintedOncePerWindowAndGoesWithIt) {
  auto edge_colours = [](rt::EditBox& e) {
    HWND h = hw(e.handle());
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    ui_test::settle(50);
    RECT r;
    GetWindowRect(h, &r);
    int w = r.right - r.left, ht = r.bottom - r.top;
    HDC dc = GetWindowDC(h);
    std::vector<COLORREF> out{GetPixel(dc, 0, 0), GetPixel(dc, w - 1, ht - 1), GetPixel(dc, w / 2, 0),
                              GetPixel(dc, 0, ht / 2), GetPixel(dc, w / 2, ht / 2)};
    ReleaseDC(h, dc);
    return out;
  };
  SkinForm f;
  for (unsigned first : {0x0000FFu, 0x00FF00u}) {
    SCOPED_TRACE(first);
    ASSERT_TRUE(f.load());
    install_colored_border(f.edit.handle(), first);
    install_colored_border(f.edit.handle(), 0xFF0000);  // a second install does nothing
    std::vector<COLORREF> c = edge_colours(f.edit);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(c[i], first) << "edge pixel " << i;
    EXPECT_NE(c[4], first) << "the inside stays the edit box's own";
    f.destroy();  // the next window is a new one and takes its own colour
  }
}

TEST(RuntimeServices, TooltipsAreSetReplacedAndRemoved) {
  SkinForm f;
  ASSERT_TRUE(f.load());
  EXPECT_EQ(rt::tooltip_text(f.labels[0]), "");
  rt::set_tooltip(f.labels[0], "第一");
  rt::set_tooltip(f.labels[1], "第二");
  EXPECT_EQ(rt::tooltip_text(f.labels[0]), "第一");
  rt::set_tooltip(f.labels[0], "换了");
  EXPECT_EQ(rt::tooltip_text(f.labels[0]), "换了");
  EXPECT_EQ(rt::tooltip_text(f.labels[1]), "第二");
  rt::set_tooltip(f.labels[0], "");
  EXPECT_EQ(rt::tooltip_text(f.labels[0]), "");
  EXPECT_EQ(rt::tooltip_text(f.labels[1]), "第二");
  f.destroy();
  EXPECT_EQ(rt::tooltip_text(f.labels[1]), "");
}

TEST(RuntimeServices, CursorsComeFromPixelsWithTheirHotSpot) {
  const CursorArt& a = pointer_cursor_art();
  rt::Cursor c = rt::Cursor::from_pixels(a.width, a.height, a.pixels, a.hot_x, a.hot_y);
  ASSERT_FALSE(c.empty());
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(static_cast<HICON>(c.handle()), &ii));
  EXPECT_FALSE(ii.fIcon);
  EXPECT_EQ(ii.xHotspot, 1u);
  EXPECT_EQ(ii.yHotspot, 1u);
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  EXPECT_TRUE(rt::Cursor::from_pixels(32, 32, {}, 0, 0).empty());  // too few pixels
}

}  // namespace
