// The boss key and its capture box against the real main window under Wine: hotkeys registered
// with the system and pressed as the user presses them (keyboard input through the system, which
// turns the combination into the hotkey message), the failure when another window holds the
// combination, the release at the exit and restart, and the boss-key group of the options window
// hosted by a small window of the test.
#include "app/boss_key.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/globals.h"
#include "app/hotkeys.h"
#include "app/shutdown.h"
#include "common/control_routines.h"
#include "common/menu_art.h"
#include "forms/find_window_form.h"
#include "layout_check.h"
#include "options/boss_key_settings.h"
#include "options/config.h"
#include "pages/page_store.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/seams.h"
#include "texttools/find_replace.h"
#include "ui_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

// Keys as the keyboard sends them: through the system's input queue, so that the key state, the
// hotkeys and the focus window are the system's own.
void keys(std::initializer_list<std::pair<WORD, bool>> strokes) {
  for (auto [vk, up] : strokes) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
    ui_test::settle(30);
  }
  ui_test::settle(100);
}
void press_shift_d() { keys({{VK_SHIFT, false}, {'D', false}, {'D', true}, {VK_SHIFT, true}}); }

// Brings a window to the front and waits until the system has settled the keyboard on it (a
// change of focus takes the modifier keys' state afresh from the display).
void to_front(rt::Window& window) {
  SetForegroundWindow(hw(window.handle()));
  ui_test::wait_for([&] { return GetForegroundWindow() == hw(window.handle()); });
  ui_test::settle(300);
}

// Another program's window, as far as the hotkeys go: it holds a combination first.
class Squatter {
 public:
  Squatter() { h_ = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr); }
  ~Squatter() {
    UnregisterHotKey(h_, 1);
    DestroyWindow(h_);
  }
  bool take(UINT modifiers, UINT key) { return RegisterHotKey(h_, 1, modifiers, key) != FALSE; }
  void give_back() { UnregisterHotKey(h_, 1); }

 private:
  HWND h_;
};

// Whether a combination is free now: another window can take it (and gives it back at once).
bool free_now(UINT modifiers, UINT key) {
  Squatter s;
  return s.take(modifiers, key);
}

rt::MenuItem* boss_item() {
  rt::MenuItem* i = w().超级菜单.find("开老板键(&K)");
  return i ? i : w().超级菜单.find("关老板键(&G)");
}

class MiniModeStandIn : public rt::Window {
 public:
  MiniModeStandIn() : rt::Window("VelmoraTestMini", "Velmora_迷你模式", {10, 10, 120, 40}) {}

 protected:
  void build() override {}
};

class BossKeyTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    ended_ = -1;
    rt::seams::end_process_hook() = [this](int code) { ended_ = code; };
    record_message_boxes(&boxes_);
    to_front(w());
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    rt::seams::set_menu_hook(nullptr);
    rt::seams::end_process_hook() = nullptr;
    rt::seams::record_launches(false);
    find_window().destroy();
    mini_.destroy();
    // Hotkeys go with their window.
    ProgramTest::TearDown();
  }
  // A fresh start with these options.
  void restart_with(std::initializer_list<std::pair<const char*, const char*>> options) {
    w().destroy();
    init_globals();
    DeleteFileA(config_file().c_str());
    for (auto [key, value] : options) config_write("程序设置", key, value);
    ASSERT_TRUE(w().load());
    ASSERT_TRUE(ui_test::wait_for([] { return !pages().empty() && editor().has_focus(); }));
  }

  std::vector<RecordedBox> boxes_;
  int ended_ = -1;
  MiniModeStandIn mini_;
};

void count_a() {}

TEST_F(BossKeyTest, HotkeyIdsCountUpAndAreNeverReused) {
  rt::WindowHandle main = w().handle();
  int first = register_hotkey(main, MOD_CONTROL | MOD_ALT, VK_F11, count_a);
  EXPECT_EQ(first, 1);
  unregister_hotkey(main, first);
  int second = register_hotkey(main, MOD_CONTROL | MOD_ALT, VK_F11, count_a);
  EXPECT_EQ(second, 2);
  ASSERT_EQ(hotkey_records().size(), 2u);
  EXPECT_EQ(hotkey_records()[0].callback, count_a);
  EXPECT_EQ(hotkey_records()[1].callback, count_a);
  EXPECT_FALSE(hotkey_records()[0].registered);
  EXPECT_TRUE(hotkey_records()[1].registered);
  EXPECT_FALSE(free_now(MOD_CONTROL | MOD_ALT, VK_F11));
  // A combination another window holds: 0, and nothing changes.
  Squatter s;
  ASSERT_TRUE(s.take(MOD_CONTROL | MOD_ALT, VK_F12));
  EXPECT_EQ(register_hotkey(main, MOD_CONTROL | MOD_ALT, VK_F12, count_a), 0);
  EXPECT_EQ(hotkey_records().size(), 2u);
  unregister_hotkey(main, second);
  EXPECT_TRUE(free_now(MOD_CONTROL | MOD_ALT, VK_F11));
}

TEST_F(BossKeyTest, ShiftDHidesAndShowsTheMainWindowAndOnlyIt) {
  EXPECT_EQ(boss_item()->caption, "开老板键(&K)");
  EXPECT_EQ(boss_item()->image, kImageBossKey);
  // Switched on in the Settings menu, as the user does; nothing stored: Shift + D.
  rt::seams::set_menu_hook([](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("开老板键(&K)")); });
  ui_test::click(w().图形按钮_设置_菜单);
  rt::seams::set_menu_hook(nullptr);
  EXPECT_EQ(boss_key_registered(), 1);
  EXPECT_NE(boss_hotkey_id(), 0);
  EXPECT_EQ(boss_item()->caption, "关老板键(&G)");
  EXPECT_EQ(boss_item()->image, kImageTick);
  EXPECT_FALSE(free_now(MOD_SHIFT, 'D'));
  EXPECT_TRUE(boxes_.empty());
  // The menu switches for this run only.
  EXPECT_EQ(config_read("程序设置", "开启老板键"), "");

  open_find_window();
  ASSERT_TRUE(ui_test::wait_for([] { return find_window().loaded() && find_window().visible(); }));
  to_front(w());
  press_shift_d();
  EXPECT_TRUE(ui_test::wait_for([] { return !w().visible(); }));
  EXPECT_TRUE(find_window().visible());  // tool windows keep their state
  // From whatever window has the focus.
  to_front(find_window());
  press_shift_d();
  EXPECT_TRUE(ui_test::wait_for([] { return w().visible(); }));
  EXPECT_TRUE(find_window().visible());

  // Switched off: the combination is free again and does nothing here.
  toggle_boss_key_menu();
  EXPECT_EQ(boss_key_registered(), 0);
  EXPECT_EQ(boss_item()->caption, "开老板键(&K)");
  EXPECT_EQ(boss_item()->image, kImageBossKey);
  EXPECT_TRUE(free_now(MOD_SHIFT, 'D'));
  to_front(w());
  press_shift_d();
  EXPECT_TRUE(w().visible());
}

TEST_F(BossKeyTest, OnlyARegisteredIdRunsItsCallback) {
  toggle_boss_key_menu();
  ASSERT_EQ(boss_key_registered(), 1);
  int id = boss_hotkey_id();
  // Posted by anyone: an id never given out, the system's negative ids.
  for (WPARAM other : {WPARAM(id + 1), WPARAM(7), WPARAM(-1), WPARAM(-2), WPARAM(0)}) {
    PostMessageW(hw(w().handle()), WM_HOTKEY, other, MAKELPARAM(MOD_SHIFT, 'D'));
    ui_test::settle(50);
    EXPECT_TRUE(w().visible()) << other;
  }
  PostMessageW(hw(w().handle()), WM_HOTKEY, id, MAKELPARAM(MOD_SHIFT, 'D'));
  EXPECT_TRUE(ui_test::wait_for([] { return !w().visible(); }));
  w().set_visible(true);
  // A hotkey given back runs nothing either.
  toggle_boss_key_menu();
  PostMessageW(hw(w().handle()), WM_HOTKEY, id, MAKELPARAM(MOD_SHIFT, 'D'));
  ui_test::settle(50);
  EXPECT_TRUE(w().visible());
}

TEST_F(BossKeyTest, ACombinationHeldElsewhereIsReportedAndLeavesTheKeyOff) {
  Squatter other;
  ASSERT_TRUE(other.take(MOD_SHIFT, 'D'));
  toggle_boss_key_menu();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "注册老板键失败！");
  EXPECT_EQ(boxes_[0].title_color, 0x0000FFu);
  EXPECT_EQ(boxes_[0].text, "  注册老板键失败！请确认该热键是否被其他软件占用。\r\n");
  EXPECT_EQ(boxes_[0].text_color, 0xFF00FFu);
  EXPECT_EQ(boxes_[0].icon, 16);
  EXPECT_EQ(boxes_[0].buttons, std::vector<int>{kBoxOk});
  EXPECT_EQ(boxes_[0].owner, w().handle());
  EXPECT_EQ(boss_key_registered(), 0);
  EXPECT_EQ(boss_hotkey_id(), 0);
  EXPECT_EQ(boss_item()->caption, "开老板键(&K)");
  // Free again: the next try works.
  other.give_back();
  toggle_boss_key_menu();
  EXPECT_EQ(boss_key_registered(), 1);
}

TEST_F(BossKeyTest, InMiniModeTheBossKeyDoesNothing) {
  toggle_boss_key_menu();
  ASSERT_TRUE(mini_.load());
  to_front(w());
  press_shift_d();
  EXPECT_TRUE(w().visible());
  mini_.destroy();
  to_front(w());
  press_shift_d();
  EXPECT_TRUE(ui_test::wait_for([] { return !w().visible(); }));
  w().set_visible(true);
}

TEST_F(BossKeyTest, StartUpRegistersTheStoredCombinationWhenTheOptionIsOn) {
  restart_with({{"开启老板键", "真"}, {"功能键状态", "3"}, {"键代码", "120"}, {"老板键文本描述", "Ctrl + Alt + F9"}});
  EXPECT_EQ(boss_key_registered(), 1);
  EXPECT_EQ(boss_item()->caption, "关老板键(&G)");
  EXPECT_FALSE(free_now(MOD_CONTROL | MOD_ALT, VK_F9));
  EXPECT_TRUE(free_now(MOD_SHIFT, 'D'));
  // Off: nothing registered at the start.
  restart_with({{"功能键状态", "3"}, {"键代码", "120"}});
  EXPECT_EQ(boss_key_registered(), 0);
  EXPECT_TRUE(free_now(MOD_CONTROL | MOD_ALT, VK_F9));
  // On, but another program holds the combination: the start tells so over the main window and
  // goes on without the boss key; the option stays for the next start.
  Squatter other;
  ASSERT_TRUE(other.take(MOD_SHIFT, 'D'));
  boxes_.clear();
  restart_with({{"开启老板键", "真"}});
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "注册老板键失败！");
  EXPECT_EQ(boxes_[0].owner, w().handle());
  EXPECT_EQ(boss_key_registered(), 0);
  EXPECT_EQ(boss_item()->caption, "开老板键(&K)");
  EXPECT_EQ(config_read("程序设置", "开启老板键"), "真");
}

TEST_F(BossKeyTest, TheExitGivesTheHotkeyBack) {
  toggle_boss_key_menu();
  ASSERT_FALSE(free_now(MOD_SHIFT, 'D'));
  exit_program();
  EXPECT_EQ(ended_, 0);
  EXPECT_EQ(boss_key_registered(), 0);
  EXPECT_TRUE(free_now(MOD_SHIFT, 'D'));
}

TEST_F(BossKeyTest, RestartGivesTheHotkeyBackBeforeTheNewInstanceStarts) {
  toggle_boss_key_menu();
  ASSERT_FALSE(free_now(MOD_SHIFT, 'D'));
  bool free_at_launch = false;
  rt::seams::record_launches(true);
  rt::seams::launches().clear();
  // The new instance would register the same combination the moment it runs.
  rt::seams::end_process_hook() = [&](int code) {
    ended_ = code;
    free_at_launch = rt::seams::launches().size() == 1 && free_now(MOD_SHIFT, 'D');
  };
  restart_program();
  EXPECT_EQ(ended_, 0);
  EXPECT_TRUE(free_at_launch);
  reset_shutdown();
}

// ---- The boss-key group of the options window ----

// The options window as far as the group goes: its three units, handed over as that window does.
class GroupHost : public rt::Window {
 public:
  GroupHost() : rt::Window("VelmoraTestOptions", "Velmora_程序设置", {200, 200, 320, 90}) {}
  rt::GraphicButton 超级按钮_开启老板键, 图形按钮_确定;
  rt::EditBox 编辑框_老板键;

 protected:
  void build() override {
    超级按钮_开启老板键.create(*this, {10, 10, 140, 20}, "开启老板键");
    超级按钮_开启老板键.set_check_style(true);
    编辑框_老板键.create(*this, {10, 40, 200, 22}, {.multiline = false, .border = true});
    编辑框_老板键.set_disabled(true);
    图形按钮_确定.create(*this, {220, 40, 60, 23}, "确定");
    bind_boss_key_group({this, &超级按钮_开启老板键, &编辑框_老板键, &图形按钮_确定});
    on_first_activation = show_boss_key_group;
  }
};

class BossKeySettingsTest : public BossKeyTest {
 protected:
  void SetUp() override {
    BossKeyTest::SetUp();
    open_host();
  }
  void TearDown() override {
    host_.destroy();
    BossKeyTest::TearDown();
  }
  void open_host() {
    ASSERT_TRUE(host_.load(&w()));
    ASSERT_TRUE(ui_test::wait_for([this] { return box().text() != ""; }));
  }
  rt::EditBox& box() { return host_.编辑框_老板键; }
  bool option_checked() { return check_button_state(host_.超级按钮_开启老板键, ButtonOp::Query) != 0; }
  // The user's keys in the capture box.
  void in_box(std::initializer_list<std::pair<WORD, bool>> strokes) {
    if (GetForegroundWindow() != hw(host_.handle())) to_front(host_);
    if (!box().has_focus()) {
      box().set_focus();
      ui_test::settle(300);
    }
    keys(strokes);
  }
  void capture_ctrl_shift_f8() {
    in_box(
        {{VK_CONTROL, false}, {VK_SHIFT, false}, {VK_F8, false}, {VK_F8, true}, {VK_SHIFT, true}, {VK_CONTROL, true}});
  }
  GroupHost host_;
};

TEST_F(BossKeySettingsTest, TheBoxShowsTheStoredCombinationAndTheSwitchTheBossKeysState) {
  EXPECT_EQ(box().text(), "Shift + D");
  EXPECT_TRUE(box().read_only());
  EXPECT_FALSE(option_checked());
  EXPECT_TRUE(box().disabled());
  int modifiers = 0, key = 0;
  ASSERT_TRUE(read_captured_hotkey(box(), modifiers, key));
  EXPECT_EQ(modifiers, 4);
  EXPECT_EQ(key, 68);
  // The menu switches it while the window is open: the switch and the box follow.
  toggle_boss_key_menu();
  EXPECT_TRUE(option_checked());
  EXPECT_FALSE(box().disabled());
  toggle_boss_key_menu();
  EXPECT_FALSE(option_checked());
  EXPECT_TRUE(box().disabled());
  // A stored combination.
  host_.destroy();
  config_write("程序设置", "功能键状态", "2");
  config_write("程序设置", "键代码", "65");
  config_write("程序设置", "老板键文本描述", "Ctrl + A");
  open_host();
  EXPECT_EQ(box().text(), "Ctrl + A");
  ASSERT_TRUE(read_captured_hotkey(box(), modifiers, key));
  EXPECT_EQ(modifiers, 2);
  EXPECT_EQ(key, 65);
}

TEST_F(BossKeySettingsTest, Screenshot) {
  ui_test::click(host_.超级按钮_开启老板键);
  capture_ctrl_shift_f8();
  ui_test::screenshot("boss_key_capture_box");
  EXPECT_TRUE(ui_test::layout_is_sound(host_));
}

TEST_F(BossKeySettingsTest, KeysPressedInTheBoxBecomeTheCombination) {
  ui_test::click(host_.超级按钮_开启老板键);
  ASSERT_TRUE(option_checked());
  capture_ctrl_shift_f8();
  EXPECT_EQ(box().text(), "Ctrl + Shift + F8");
  int modifiers = 0, key = 0;
  ASSERT_TRUE(read_captured_hotkey(box(), modifiers, key));
  EXPECT_EQ(modifiers, 6);
  EXPECT_EQ(key, 119);
  EXPECT_FALSE(host_.图形按钮_确定.disabled());
  // The comma has no name: the box is left at 无, and 确定 cannot be pressed.
  in_box({{VK_OEM_COMMA, false}, {VK_OEM_COMMA, true}});
  EXPECT_EQ(box().text(), "无");
  EXPECT_TRUE(host_.图形按钮_确定.disabled());
  // A key alone shows its name.
  in_box({{VK_F8, false}, {VK_F8, true}});
  EXPECT_EQ(box().text(), "F8");
  EXPECT_FALSE(host_.图形按钮_确定.disabled());
  // Ctrl pressed and released alone ends at 无.
  in_box({{VK_CONTROL, false}});
  EXPECT_EQ(box().text(), "Ctrl + ");
  in_box({{VK_CONTROL, true}});
  EXPECT_EQ(box().text(), "无");
}

TEST_F(BossKeySettingsTest, TheMouseHasNoEffectOnTheBox) {
  ui_test::click(host_.超级按钮_开启老板键);
  capture_ctrl_shift_f8();
  ASSERT_EQ(box().text(), "Ctrl + Shift + F8");
  box().select(0, 0);
  ui_test::double_click(box(), 20, 5);
  EXPECT_EQ(box().selection_length(), 0);
  HWND h = hw(box().handle());
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 5));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
  EXPECT_EQ(box().selection_length(), 0);  // no selection dragged
  // A right click opens no menu of the control.
  PostMessageW(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), MAKELPARAM(300, 300));
  ui_test::settle(200);
  EXPECT_EQ(FindWindowW(L"#32768", nullptr), nullptr);
  ui_test::right_click(box());
  ui_test::settle(200);
  EXPECT_EQ(FindWindowW(L"#32768", nullptr), nullptr);
  EXPECT_EQ(box().text(), "Ctrl + Shift + F8");
  // Typing changes nothing but the combination.
  ui_test::type_text(box(), "x");
  EXPECT_EQ(box().text(), "Ctrl + Shift + F8");
}

TEST_F(BossKeySettingsTest, ApplyingRegistersTheCapturedCombinationAndStoresIt) {
  ui_test::click(host_.超级按钮_开启老板键);
  ASSERT_EQ(boss_key_registered(), 1);
  EXPECT_EQ(config_read("程序设置", "开启老板键"), "真");
  capture_ctrl_shift_f8();
  ui_test::click(host_.图形按钮_确定);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "老板键注册成功！");
  EXPECT_EQ(boxes_[0].title_color, 0x8000u);
  EXPECT_EQ(boxes_[0].text, "  老板键注册成功！你可以按 Ctrl + Shift + F8 呼入呼出本软件。\r\n");
  EXPECT_EQ(boxes_[0].text_color, 0xFF00FFu);
  EXPECT_EQ(boxes_[0].icon, 8);
  EXPECT_EQ(boxes_[0].owner, host_.handle());
  EXPECT_EQ(config_read("程序设置", "老板键文本描述"), "Ctrl + Shift + F8");
  EXPECT_EQ(config_read("程序设置", "功能键状态"), "6");
  EXPECT_EQ(config_read("程序设置", "键代码"), "119");
  EXPECT_EQ(boss_key_registered(), 1);
  EXPECT_EQ(boss_item()->caption, "关老板键(&G)");
  // The old key is given back, the new one works.
  EXPECT_TRUE(free_now(MOD_SHIFT, 'D'));
  to_front(w());
  keys({{VK_CONTROL, false}, {VK_SHIFT, false}, {VK_F8, false}, {VK_F8, true}, {VK_SHIFT, true}, {VK_CONTROL, true}});
  EXPECT_TRUE(ui_test::wait_for([] { return !w().visible(); }));
  w().set_visible(true);
}

TEST_F(BossKeySettingsTest, ApplyingWithoutANewCaptureKeepsTheStoredKeys) {
  config_write("程序设置", "功能键状态", "2");
  config_write("程序设置", "键代码", "65");
  config_write("程序设置", "老板键文本描述", "Ctrl + A");
  ui_test::click(host_.超级按钮_开启老板键);
  ASSERT_EQ(box().text(), "Ctrl + A");
  ASSERT_EQ(boss_key_registered(), 1);
  ui_test::click(host_.图形按钮_确定);
  EXPECT_EQ(boss_key_registered(), 1);
  EXPECT_FALSE(free_now(MOD_CONTROL, 'A'));
  EXPECT_EQ(config_read("程序设置", "功能键状态"), "2");
  EXPECT_EQ(config_read("程序设置", "键代码"), "65");
  EXPECT_EQ(config_read("程序设置", "老板键文本描述"), "Ctrl + A");
}

TEST_F(BossKeySettingsTest, AFailedApplyLeavesTheBossKeyOffAndStillStoresTheKeys) {
  ui_test::click(host_.超级按钮_开启老板键);
  ASSERT_EQ(boss_key_registered(), 1);
  Squatter other;
  ASSERT_TRUE(other.take(MOD_CONTROL | MOD_SHIFT, VK_F8));
  capture_ctrl_shift_f8();
  ui_test::click(host_.图形按钮_确定);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "注册老板键失败！");
  EXPECT_EQ(boxes_[0].icon, 16);
  EXPECT_EQ(boxes_[0].owner, host_.handle());
  // The old key was given back first: the boss key is off now, and the menu says so.
  EXPECT_EQ(boss_key_registered(), 0);
  EXPECT_EQ(boss_item()->caption, "开老板键(&K)");
  EXPECT_EQ(boss_item()->image, kImageBossKey);
  EXPECT_TRUE(free_now(MOD_SHIFT, 'D'));
  EXPECT_EQ(config_read("程序设置", "功能键状态"), "6");
  EXPECT_EQ(config_read("程序设置", "键代码"), "119");
  EXPECT_EQ(config_read("程序设置", "老板键文本描述"), "Ctrl + Shift + F8");
}

TEST_F(BossKeySettingsTest, WhileTheOptionIsOffApplyingOnlyStoresTheKeys) {
  // The box is disabled while the option is off; the combination comes from a capture made
  // while it was on.
  ui_test::click(host_.超级按钮_开启老板键);
  capture_ctrl_shift_f8();
  ui_test::click(host_.超级按钮_开启老板键);
  ASSERT_FALSE(option_checked());
  EXPECT_EQ(boss_key_registered(), 0);
  EXPECT_TRUE(box().disabled());
  EXPECT_EQ(config_read("程序设置", "开启老板键"), "");
  EXPECT_TRUE(free_now(MOD_SHIFT, 'D'));
  ui_test::click(host_.图形按钮_确定);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(boss_key_registered(), 0);
  EXPECT_TRUE(free_now(MOD_CONTROL | MOD_SHIFT, VK_F8));
  EXPECT_EQ(config_read("程序设置", "功能键状态"), "6");
  EXPECT_EQ(config_read("程序设置", "键代码"), "119");
  // Switched on, the stored combination is the one registered.
  ui_test::click(host_.超级按钮_开启老板键);
  EXPECT_EQ(boss_key_registered(), 1);
  EXPECT_EQ(box().text(), "Ctrl + Shift + F8");
  EXPECT_FALSE(free_now(MOD_CONTROL | MOD_SHIFT, VK_F8));
}

TEST_F(BossKeySettingsTest, SwitchingTheOptionOnWhenTheKeyIsHeldElsewhereKeepsTheOption) {
  Squatter other;
  ASSERT_TRUE(other.take(MOD_SHIFT, 'D'));
  ui_test::click(host_.超级按钮_开启老板键);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "注册老板键失败！");
  EXPECT_EQ(boxes_[0].owner, host_.handle());
  EXPECT_EQ(boss_key_registered(), 0);
  EXPECT_EQ(config_read("程序设置", "开启老板键"), "真");  // the next start tries again
  EXPECT_FALSE(box().disabled());
}

TEST_F(BossKeySettingsTest, ClosingTheWindowLetsGoOfTheBoxAndANewWindowAttachesAfresh) {
  ui_test::click(host_.超级按钮_开启老板键);
  capture_ctrl_shift_f8();
  host_.destroy();
  int modifiers = 0, key = 0;
  EXPECT_FALSE(read_captured_hotkey(box(), modifiers, key));
  open_host();
  EXPECT_EQ(box().text(), "Shift + D");
  ASSERT_TRUE(read_captured_hotkey(box(), modifiers, key));
  EXPECT_EQ(modifiers, 4);
  EXPECT_EQ(key, 68);
  // Detached by hand: an ordinary box again.
  detach_hotkey_capture(box());
  EXPECT_EQ(box().text(), "");
  EXPECT_FALSE(box().read_only());
  EXPECT_FALSE(read_captured_hotkey(box(), modifiers, key));
}

}  // namespace
