// The boss-key capture box's words: key names and what each key press makes of the text.
#include "options/hotkey_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Step {
  int key;
  bool up;
  HeldModifiers held;  // as the keyboard stands while the message is handled
};

struct Shown {
  std::string text;
  HotkeyCaptureEntry record;
};

// A capture box as the program drives it: each key down starts afresh from an empty box, each
// key up copies the entry into the box's record, and an empty box shows "无".
Shown press(const std::vector<Step>& steps) {
  Shown box{std::string(kNoHotkeyText), {}};
  HotkeyCaptureEntry entry;
  for (const Step& s : steps) {
    if (!s.up) {
      box.text = compose_hotkey_text("", s.key, false, s.held, entry);
      continue;
    }
    box.text = compose_hotkey_text(box.text, s.key, true, s.held, entry);
    box.record = entry;
    if (box.text.empty()) box.text = kNoHotkeyText;
  }
  return box;
}

constexpr HeldModifiers kNone{}, kCtrl{true}, kCtrlShift{true, true}, kShift{false, true};
constexpr HeldModifiers kAltWin{false, false, true, true}, kAlt{false, false, true};

TEST(HotkeyCapture, CombinationsAsPressed) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::string text;
    int modifiers, key;
  };
  const Case cases[] = {
      {"Ctrl+Shift+F8",
       {{17, false, kCtrl},
        {16, false, kCtrlShift},
        {119, false, kCtrlShift},
        {119, true, kCtrlShift},
        {16, true, kCtrl},
        {17, true, kNone}},
       "Ctrl + Shift + F8",
       6,
       119},
      {"Ctrl+A released in the other order",
       {{17, false, kCtrl}, {65, false, kCtrl}, {17, true, kNone}, {65, true, kNone}},
       "Ctrl + A",
       2,
       65},
      {"a key alone shows its name", {{119, false, kNone}, {119, true, kNone}}, "F8", 0, 119},
      {"the comma has no name", {{188, false, kNone}, {188, true, kNone}}, "无", 0, 188},
      {"a modifier alone ends empty", {{17, false, kCtrl}, {17, true, kNone}}, "无", 2, 17},
      {"modifiers in the order Ctrl, Shift, Alt, Win",
       {{18, false, kAlt},
        {91, false, kAltWin},
        {36, false, kAltWin},
        {36, true, kAltWin},
        {91, true, kAlt},
        {18, true, kNone}},
       "Alt + Win + Home",
       9,
       36},
      {"a new key down starts afresh",
       {{17, false, kCtrl},
        {65, false, kCtrl},
        {65, true, kCtrl},
        {17, true, kNone},
        {66, false, kNone},
        {66, true, kNone}},
       "B",
       0,
       66},
  };
  for (const Case& c : cases) {
    Shown box = press(c.steps);
    EXPECT_EQ(box.text, c.text) << c.name;
    EXPECT_EQ(box.record.modifiers, c.modifiers) << c.name;
    EXPECT_EQ(box.record.key, c.key) << c.name;
  }
}

TEST(HotkeyCapture, WhileAModifierIsHeldTheBoxShowsThePrefix) {
  HotkeyCaptureEntry entry;
  EXPECT_EQ(compose_hotkey_text("", 17, false, kCtrl, entry), "Ctrl + ");
  EXPECT_EQ(compose_hotkey_text("", 16, false, kCtrlShift, entry), "Ctrl + Shift + ");
  EXPECT_EQ(entry.modifiers, 6);
  // A key up keeps a complete combination and the bits of its key down.
  EXPECT_EQ(compose_hotkey_text("Ctrl + Shift + F8", 16, true, kCtrl, entry), "Ctrl + Shift + F8");
  EXPECT_EQ(entry.modifiers, 6);
  EXPECT_EQ(compose_hotkey_text("Shift + ", 188, true, kShift, entry), "Shift + ");
}

TEST(HotkeyKeyNames, NamedAndUnnamedCodes) {
  struct Case {
    int key;
    const char* name;
  };
  const Case cases[] = {{8, "回退键"},
                        {9, "Tab键"},
                        {13, "Enter"},
                        {19, "Pause Break"},
                        {27, "ESC"},
                        {32, "空格键"},
                        {33, "Page Up"},
                        {34, "Page Down"},
                        {37, "向左"},
                        {40, "向下"},
                        {45, "Insert"},
                        {46, "Delete"},
                        {48, "0"},
                        {57, "9"},
                        {65, "A"},
                        {90, "Z"},
                        {93, "右键菜单键"},
                        {107, "+"},
                        {112, "F1"},
                        {123, "F12"},
                        {144, "Num Lock"},
                        {145, "Scroll Lock"},
                        {186, ";"},
                        {187, "="},
                        {189, "-"},
                        {190, "."},
                        {191, "/"},
                        {192, "`"},
                        {219, "["},
                        {220, "\\"},
                        {221, "]"},
                        {222, "'"},
                        {0, ""},
                        {16, ""},
                        {17, ""},
                        {58, ""},
                        {124, ""},
                        {188, ""},
                        {223, ""},
                        {255, ""},
                        {-1, ""}};
  for (const Case& c : cases) EXPECT_EQ(hotkey_key_name(c.key), c.name) << c.key;
}

}  // namespace
