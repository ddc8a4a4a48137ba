// The runtime units the options window is made of, against real controls under Wine: the combo
// box, the slider and the colour picker raise their events for the user's changes only.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "runtime/color_picker.h"
#include "runtime/combo_box.h"
#include "runtime/seams.h"
#include "runtime/slider.h"
#include "runtime/window.h"
#include "ui_test.h"

namespace {

class UnitsForm : public rt::Window {
 public:
  UnitsForm() : rt::Window("VelmoraUnitsForm", "单元测试", {100, 100, 420, 200}) {}
  rt::ComboBox list, editable;
  rt::Slider slider;
  rt::ColorPicker picker;

 protected:
  void build() override {
    list.create(*this, {10, 10, 150, 22});
    editable.create(*this, {180, 10, 150, 22}, {.text_field = true});
    for (rt::ComboBox* c : {&list, &editable})
      for (const char* item : {"甲", "乙乙", "丙"}) c->add_item(item);
    slider.create(*this, {10, 60, 200, 26}, 0, 100);
    picker.create(*this, {10, 100, 120, 22}, 0x8000);
  }
};

class OptionUnitsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(form.load()); }
  void TearDown() override { form.destroy(); }
  UnitsForm form;
};

TEST_F(OptionUnitsTest, ComboBoxRaisesItsEventForTheUsersChoiceOnly) {
  for (rt::ComboBox* c : {&form.list, &form.editable}) {
    SCOPED_TRACE(c == &form.list ? "list" : "editable");
    int changes = 0, edits = 0;
    std::string seen;
    c->on_changed = [&] {
      ++changes;
      seen = c->text();
    };
    c->on_edited = [&] { ++edits; };
    EXPECT_EQ(c->count(), 3);
    EXPECT_EQ(c->item(1), "乙乙");
    EXPECT_EQ(c->current(), -1);
    c->set_current(2);
    EXPECT_EQ(c->current(), 2);
    EXPECT_EQ(c->text(), "丙");
    c->set_current(7);  // outside the list: none chosen
    EXPECT_EQ(c->current(), -1);
    c->set_current(0);
    EXPECT_EQ(changes, 0);
    // The user's choice, once per step; the chosen item's text while the event runs.
    ui_test::press_key(*c, VK_DOWN);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, "乙乙");
    EXPECT_EQ(c->current(), 1);
    EXPECT_EQ(edits, 0);
    c->on_changed = nullptr;
    c->on_edited = nullptr;
  }
}

TEST_F(OptionUnitsTest, EditableComboBoxTellsTheUsersTypingButNotTheCodes) {
  rt::ComboBox& c = form.editable;
  int edits = 0;
  c.on_edited = [&] { ++edits; };
  c.set_text("自定义");
  EXPECT_EQ(c.text(), "自定义");
  EXPECT_EQ(c.current(), -1);
  EXPECT_EQ(edits, 0);
  HWND edit = static_cast<HWND>(c.edit_handle());
  ASSERT_TRUE(edit);
  SendMessageW(edit, EM_SETSEL, 100, 100);  // the caret after the text
  SendMessageW(edit, WM_CHAR, L'x', 1);
  EXPECT_EQ(edits, 1);
  EXPECT_EQ(c.text(), "自定义x");
  EXPECT_EQ(form.list.edit_handle(), nullptr);
  form.list.set_text("无");  // a list box has no edit field
  EXPECT_EQ(form.list.text(), "");
}

TEST_F(OptionUnitsTest, SliderRaisesItsEventForEachNewPositionTheUserGives) {
  rt::Slider& s = form.slider;
  int changes = 0;
  s.on_changed = [&] { ++changes; };
  s.set_position(40);
  EXPECT_EQ(s.position(), 40);
  s.set_position(150);  // held within the range
  EXPECT_EQ(s.position(), 100);
  EXPECT_EQ(changes, 0);
  ui_test::press_key(s, VK_HOME);
  EXPECT_EQ(s.position(), 0);
  EXPECT_EQ(changes, 1);
  ui_test::press_key(s, VK_HOME);  // no new position
  EXPECT_EQ(changes, 1);
  ui_test::press_key(s, VK_RIGHT);
  EXPECT_EQ(s.position(), 1);
  EXPECT_EQ(changes, 2);
}

TEST_F(OptionUnitsTest, ColorPickerTakesTheDialogsColourAndKeepsItsOwnOnCancel) {
  rt::ColorPicker& p = form.picker;
  int changes = 0;
  p.on_changed = [&] { ++changes; };
  EXPECT_EQ(p.color(), 0x8000u);
  p.set_color(0x123456);
  EXPECT_EQ(changes, 0);
  rt::seams::script_dialog({rt::seams::DialogKind::Color, false});
  ui_test::click(p);
  EXPECT_EQ(p.color(), 0x123456u);
  EXPECT_EQ(changes, 0);
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0xFF});
  ui_test::click(p);
  EXPECT_EQ(p.color(), 0xFFu);
  EXPECT_EQ(changes, 1);
  // A disabled picker opens nothing.
  p.set_disabled(true);
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 0xFF00});
  ui_test::click(p);
  EXPECT_EQ(p.color(), 0xFFu);
  EXPECT_TRUE(rt::seams::take_dialog_answer(rt::seams::DialogKind::Color).has_value());
}

}  // namespace
