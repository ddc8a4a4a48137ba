// The shared path and control routines, against the real system under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/artwork.h"
#include "common/control_routines.h"
#include "runtime/graphic_button.h"
#include "runtime/app.h"
#include "runtime/seams.h"
#include "runtime/system.h"
#include "runtime/window.h"
#include "ui_test.h"

namespace {

std::string temp_dir() {
  char buf[MAX_PATH];
  GetTempPathA(MAX_PATH, buf);
  return buf;  // ends in "\"
}

TEST(NormalizeDirPath, Cases) {
  SetEnvironmentVariableA("VELMORA_T", "C:\\velmora_t");
  std::string program = rt::program_directory();
  program.pop_back();  // without its trailing "\"
  struct Case {
    std::string path, expected;
  };
  const Case cases[] = {
      {program, program + "\\"},  // an existing folder only gets the backslash
      {program + "\\", program + "\\"},
      {"%VELMORA_T%\\new", "C:\\velmora_t\\new\\"},  // the value, a "\", then "\\" collapsed
      {"%velmora_t%sub", "C:\\velmora_t\\sub\\"},
      {"%NOT_SET_HERE%x", "\\x\\"},
      {"\\\\server\\share\\%VELMORA_T%", "\\\\server\\share\\C:\\velmora_t\\"},  // UNC keeps its "\\"
      {"\\\\server\\new\\\\dir", "\\\\server\\new\\dir\\"},
      {"C:\\乗", "C:\\乗\\"},  // 乗 ends in the byte 5C, which is no backslash
  };
  for (const Case& c : cases) {
    std::string path = c.path;
    EXPECT_EQ(normalize_dir_path(path), c.expected) << c.path;
    EXPECT_EQ(path, c.expected) << "written back: " << c.path;
  }
}

TEST(IsDirectory, Cases) {
  EXPECT_EQ(is_directory(temp_dir()), 1);
  EXPECT_EQ(is_directory(temp_dir() + "no such folder"), 0);
  std::string file = temp_dir() + "velmora_file.txt";
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  EXPECT_EQ(is_directory(file), 0);
  DeleteFileA(file.c_str());
}

TEST(ChooseFolder, AnswersGetATrailingBackslashAndCancelIsEmpty) {
  using rt::seams::DialogKind;
  rt::seams::dialog_requests().clear();
  rt::seams::script_dialog({DialogKind::Folder, true, {"  C:\\文件夹  "}});
  rt::seams::script_dialog({DialogKind::Folder, true, {"D:\\"}});
  rt::seams::script_dialog({DialogKind::Folder, false, {}});
  EXPECT_EQ(choose_folder("C:\\start\\"), "C:\\文件夹\\");
  EXPECT_EQ(choose_folder("C:\\"), "D:\\");
  EXPECT_EQ(choose_folder("C:\\"), "");
  ASSERT_EQ(rt::seams::dialog_requests().size(), 3u);
  EXPECT_EQ(rt::seams::dialog_requests()[0].title, "请选择一个文件夹");
  EXPECT_EQ(rt::seams::dialog_requests()[0].folder, "C:\\start\\");
}

TEST(TaskbarHeight, IsTheScreenBelowTheWorkArea) {
  std::vector<int> area(4, -1);
  int h = taskbar_height(&area);
  rt::Rect r = rt::work_area();
  EXPECT_EQ(h, rt::screen_height() - (r.top + r.height));
  EXPECT_EQ(area, (std::vector<int>{r.left, r.top, r.top + r.height, r.left + r.width}));
  std::vector<int> short_array(2, -1);
  taskbar_height(&short_array);
  EXPECT_EQ(short_array, (std::vector<int>{-1, -1}));
}

class ButtonForm : public rt::Window {
 public:
  ButtonForm() : rt::Window("VelmoraTestForm", "按钮", {50, 50, 200, 100}) {}
  rt::GraphicButton check, radio;

 protected:
  void build() override {
    check.create(*this, {10, 10, 120, 20}, "选项");
    check.set_check_style(true);
    radio.create(*this, {10, 40, 120, 20}, "单选");
    radio.set_check_style(true);
  }
};

TEST(GraphicCheckButtons, StateLivesInThePictures) {
  ButtonForm form;
  ASSERT_TRUE(form.load());
  using StateFn = int (*)(rt::GraphicButton&, ButtonOp, int);
  for (auto [button, state] : {std::pair<rt::GraphicButton*, StateFn>{&form.check, check_button_state},
                               std::pair<rt::GraphicButton*, StateFn>{&form.radio, radio_button_state}}) {
    EXPECT_EQ(state(*button, ButtonOp::Set, 0), 0);
    EXPECT_EQ(state(*button, ButtonOp::Query, 0), 0);
    EXPECT_EQ(state(*button, ButtonOp::Toggle, 0), 1);
    EXPECT_EQ(state(*button, ButtonOp::Query, 0), 1);
    EXPECT_EQ(state(*button, ButtonOp::Toggle, 0), 0);  // toggled twice: back to the first pictures
    EXPECT_EQ(state(*button, ButtonOp::Set, 7), 1);     // any value but 0 sets it on
  }
  // A third picture that is not the "off" one counts as on.
  form.check.set_normal_picture(radio_button_strip()[0]);
  EXPECT_EQ(check_button_state(form.check, ButtonOp::Query), 1);
  // Empty pictures (a button never set) are not the "off" picture either.
  form.check.set_normal_picture(rt::Picture());
  EXPECT_EQ(check_button_state(form.check, ButtonOp::Query), 1);
  form.destroy();
}

TEST(GraphicCheckButtons, TheBoxAndTheCircleShowTheWindowAroundThem) {
  ButtonForm form;
  ASSERT_TRUE(form.load());
  const unsigned back = 0xF4E2B3;  // a tool window's body, no white
  form.set_back_color(back);
  for (int on : {0, 1}) {
    check_button_state(form.check, ButtonOp::Set, on);
    radio_button_state(form.radio, ButtonOp::Set, on);
    // The picture is 16 pixels square, centred in the 20-pixel row.
    const int top = 2;
    for (auto [x, y] : {std::pair{0, 0}, std::pair{15, 0}, std::pair{0, 15}, std::pair{15, 15}}) {
      EXPECT_EQ(ui_test::drawn_pixel(form.radio, x, top + y), back) << "radio corner " << x << "," << y << " on " << on;
      EXPECT_EQ(ui_test::drawn_pixel(form.check, x, top + y), back) << "check corner " << x << "," << y << " on " << on;
    }
    // Inside, the box and the circle keep their own white fill.
    EXPECT_EQ(ui_test::drawn_pixel(form.check, 7, top + 3), 0xFFFFFFu);
    EXPECT_EQ(ui_test::drawn_pixel(form.radio, 4, top + 8), 0xFFFFFFu);
  }
  form.destroy();
}

}  // namespace
