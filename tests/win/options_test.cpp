// The options window against the real main window and real controls under Wine: every option
// control's flag, its key in Config_Vel.ini (read back from the file on disk) and its visible
// effect where one exists; the window's loading from the file; the default-editor registration
// against the prefix's registry; the window transparency.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/edge_hide.h"
#include "app/globals.h"
#include "app/shortcuts.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "common/control_routines.h"
#include "common/message_box.h"
#include "common/messages.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "forms/find_window_form.h"
#include "common/message_box_form.h"
#include "forms/options_window_form.h"
#include "layout_check.h"
#include "options/config.h"
#include "options/default_editor.h"
#include "options/option_values.h"
#include "options/options_window.h"
#include "options/transparency.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/app.h"
#include "runtime/gbk_text.h"
#include "runtime/hooks.h"
#include "runtime/registry.h"
#include "runtime/seams.h"
#include "runtime/system.h"
#include "runtime/tooltip.h"
#include "texttools/find_replace.h"
#include "ui_test.h"

namespace {

HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }
OptionsWindowForm& ow() { return options_window(); }

// The value of a key as the file on disk holds it; nothing when the key is absent.
std::optional<std::string> ini(const std::string& section, const std::string& key) {
  std::ifstream in(rt::program_directory() + "Config_Vel.ini", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string current;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = line.substr(1, line.size() - 2);
    } else if (current == section && line.compare(0, key.size() + 1, key + "=") == 0) {
      return line.substr(key.size() + 1);
    }
  }
  return std::nullopt;
}

int checked(rt::GraphicButton& b) { return check_button_state(b, ButtonOp::Query); }

int icon_of(const rt::Picture& p) {
  for (int icon : {8, 16, 32, 48, 64})
    if (p.same_image(message_box_icon(icon))) return icon;
  return 0;
}

// Chooses an item as the keyboard does: the first, then down to it.
void choose(rt::ComboBox& c, int index) {
  ui_test::press_key(c, VK_HOME);
  for (int i = 0; i < index; ++i) ui_test::press_key(c, VK_DOWN);
}

// Types into the edit field of an editable combo box.
void type_into(rt::ComboBox& c, const std::string& text) {
  HWND edit = hw(c.edit_handle());
  ASSERT_TRUE(edit);
  for (wchar_t ch : std::wstring(text.begin(), text.end())) SendMessageW(edit, WM_CHAR, ch, 1);
}

void clear_edit_field(rt::ComboBox& c) {
  HWND edit = hw(c.edit_handle());
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_CHAR, VK_BACK, 1);
}

// A message box the program showed.
struct Shown {
  std::string title, text;
  unsigned title_color = 0, text_color = 0;
  int icon = 0;
  HWND owner = nullptr;
};

class OptionsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    rt::seams::set_modal_hook([this](rt::Window& w) {
      MessageBoxForm& b = message_box_form();
      if (&w != &b) return;
      shown.push_back({b.caption().substr(std::string("Velmora_").size()), b.透明标签_提示类容.text(),
                       b.标签_上中.text_color(), b.透明标签_提示类容.text_color(),
                       icon_of(b.图形按钮_图标_信息框.normal_picture()), GetWindow(hw(b.handle()), GW_OWNER)});
      ui_test::click(b.图形按钮_确定_信息框);
    });
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    ow().destroy();
    find_window().destroy();
    ProgramTest::TearDown();
  }

  // Opens the window as the menu does and waits until it has been shown.
  void open() {
    open_options_window();
    ASSERT_TRUE(ui_test::wait_for([] { return ow().loaded() && ow().alpha() == options().window_alpha; }));
    ui_test::settle();
  }
  void reopen() {
    ow().destroy();
    open();
  }
  // Writes the configuration file before the window opens.
  static void store(const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, config_file().c_str());
  }

  std::vector<Shown> shown;
};

// ---- Every check button: its key, its form and its flag ----

struct CheckOption {
  rt::GraphicButton OptionsWindowForm::*button;
  const char* section;
  const char* key;
  bool default_on;  // written "假" when off and deleted when on
  const int* flag;  // the option value it sets, if any
  int flag_when_on;
};

const CheckOption kCheckOptions[] = {
    {&OptionsWindowForm::超级按钮_使用不同字体, "页面设置", "使用不同字体", false, &options().per_page_font, 1},
    {&OptionsWindowForm::超级按钮_使用不同前景和背景, "页面设置", "使用不同前景和背景", false,
     &options().per_page_colors, 1},
    {&OptionsWindowForm::超级按钮_开启自动定时保存, "页面设置", "开启自动定时保存", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_程序默认最前, "程序设置", "程序默认最前", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_关闭内存优化, "程序设置", "关闭内存优化功能", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_关闭淡入淡出效果, "程序设置", "关闭淡入淡出效果", false, &options().fade_enabled, 0},
    {&OptionsWindowForm::超级按钮_纪录窗口位置, "程序设置", "取消纪录窗口位置", false, &options().remember_position, 0},
    {&OptionsWindowForm::超级按钮_主界面不显示时间, "程序设置", "主界面不显示时间", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_不使用线程打开文件, "程序设置", "不使用线程打开文件", false,
     &options().open_in_thread, 0},
    {&OptionsWindowForm::超级按钮_吸附效果, "程序设置", "关闭窗口吸附效果", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_子窗口不随主窗口移动, "程序设置", "子窗口不随主窗口移动", false,
     &options().children_stay, 1},
    {&OptionsWindowForm::超级按钮_启动时不检测软件更新, "程序设置", "启动时不检测软件更新", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_默认按照页面名称跳转, "页面跳转设置", "默认按照页面名称跳转", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_页面跳转完毕后退出, "页面跳转设置", "页面跳转完毕后退出", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_程序启动时自动打开云输入法, "云输入法设置", "程序启动时自动打开云输入法", false,
     nullptr, 0},
    {&OptionsWindowForm::超级按钮_取消纪录窗口位置_Mini, "迷你模式设置", "取消纪录窗口位置", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_自动进入时间模式, "迷你模式设置", "自动进入时间模式", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_名称, "谷歌翻译设置", "音频文件按照名称创建", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_将原语言标在翻译语句后面, "谷歌翻译设置", "将原语言标在翻译语句后面", false, nullptr,
     0},
    {&OptionsWindowForm::超级按钮_显示对应的拉丁字符的拼音, "谷歌翻译设置", "显示对应的拉丁字符的拼音", false, nullptr,
     0},
    {&OptionsWindowForm::超级按钮_不删除到回收站, "文件操作设置", "不删除到回收站", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_强制淡进淡出, "程序设置", "强制淡进淡出", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_不在主界面显示工具栏, "程序设置", "不在主界面显示工具栏", false, nullptr, 0},
    {&OptionsWindowForm::超级按钮_开启靠边自动隐藏, "程序设置", "开启靠边自动隐藏", false, &options().edge_hide_enabled,
     1},
    {&OptionsWindowForm::超级按钮_使用内容的第一行为新文件的标题, "程序设置", "使用内容的第一行为新文件的标题", true,
     &options().first_line_title, 1},
    {&OptionsWindowForm::超级按钮_标签页上显示关闭按钮, "程序设置", "标签页上显示关闭按钮", true,
     &options().tab_close_button, 1},
    {&OptionsWindowForm::超级按钮_打开文件后自动跳到该页面, "程序设置", "打开文件后自动跳到该页面", false,
     &options().jump_to_opened, 1},
    {&OptionsWindowForm::超级按钮_防止文件被重复打开, "程序设置", "防止文件被重复打开", false,
     &options().prevent_double_open, 1},
    {&OptionsWindowForm::超级按钮_编码转换为ANSI, "程序设置", "打开时编码自动转换为ANSI", false,
     &options().detect_encoding, 1},
    {&OptionsWindowForm::超级按钮_开启老板键, "程序设置", "开启老板键", false, nullptr, 0},
};

TEST_F(OptionsTest, EachCheckButtonWritesOrDeletesItsKeyAndSetsItsFlag) {
  open();
  for (const CheckOption& o : kCheckOptions) {
    SCOPED_TRACE(std::string(o.section) + "/" + o.key);
    rt::GraphicButton& b = ow().*o.button;
    // A first start: every option at its default, no key written.
    EXPECT_EQ(checked(b), o.default_on ? 1 : 0);
    EXPECT_EQ(ini(o.section, o.key), std::nullopt);
    for (int round = 0; round < 2; ++round) {
      ui_test::click(b);
      bool on = checked(b) != 0;
      EXPECT_EQ(on, o.default_on == (round == 1));
      std::optional<std::string> expected;
      if (o.default_on && !on) expected = "假";
      if (!o.default_on && on) expected = "真";
      EXPECT_EQ(ini(o.section, o.key), expected);
      if (o.flag) {
        EXPECT_EQ(*o.flag, on ? o.flag_when_on : 1 - o.flag_when_on);
      }
    }
  }
}

// ---- Opening ----

TEST_F(OptionsTest, ToolbarButton11OpensTheWindowWithTheDefaultsOfAnEmptyFile) {
  on_toolbar_button(kButtonOptions);
  ASSERT_TRUE(ui_test::wait_for([] { return ow().loaded() && ow().alpha() == options().window_alpha; }));
  OptionsWindowForm& f = ow();
  EXPECT_EQ(f.caption(), "Velmora_程序设置");
  EXPECT_EQ(GetWindow(hw(f.handle()), GW_OWNER), hw(w().handle()));
  EXPECT_EQ(f.height(), 453);
  EXPECT_EQ(f.标签_下中.text(), std::string(117, ' ') + "程序版本：1.0.0.1");
  // Four pages, the first shown.
  ASSERT_EQ(f.高级选择夹_功能.count(), 4);
  const char* const tabs[] = {"程序设置", "扩展设置", "编码转换", "文件操作"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.高级选择夹_功能.caption(i), tabs[i]);
  EXPECT_EQ(f.高级选择夹_功能.tooltip(0),
            "<color=16711680>对本程序进行页面或者其他配置！<Backcolor=16048819><bordercolor=9795920>");
  EXPECT_EQ(f.高级选择夹_功能.current(), 0);
  EXPECT_TRUE(f.超级按钮_关闭淡入淡出效果.visible());
  EXPECT_FALSE(f.超级按钮_使用内容的第一行为新文件的标题.visible());
  // Fading on at 中, forced fading unchecked and enabled.
  EXPECT_EQ(checked(f.超级按钮_关闭淡入淡出效果), 0);
  EXPECT_EQ(f.组合框_淡进淡出速度.text(), "中");
  EXPECT_FALSE(f.组合框_淡进淡出速度.disabled());
  EXPECT_EQ(rt::tooltip_text(f.组合框_淡进淡出速度), "淡入淡出速度为：中");
  EXPECT_EQ(checked(f.超级按钮_强制淡进淡出), 0);
  EXPECT_FALSE(f.超级按钮_强制淡进淡出.disabled());
  // Both default colours, with their tips.
  EXPECT_EQ(f.颜色选择器_文本颜色.color(), 32768u);
  EXPECT_EQ(f.颜色选择器_背景色.color(), 13625548u);
  EXPECT_EQ(rt::tooltip_text(f.颜色选择器_文本颜色), "文本颜色为：32768\r\n右击恢复默认颜色");
  EXPECT_EQ(rt::tooltip_text(f.颜色选择器_背景色), "背景颜色为：13625548\r\n右击恢复默认颜色");
  // Periodic saving off, its interval disabled.
  EXPECT_EQ(checked(f.超级按钮_开启自动定时保存), 0);
  EXPECT_TRUE(f.组合框_定时保存时间.disabled());
  EXPECT_EQ(f.组合框_分隔符.text(), "-");
  EXPECT_EQ(f.组合框_搜索引擎.text(), "百度搜索引擎");
  EXPECT_EQ(rt::tooltip_text(f.组合框_搜索引擎), "当前使用搜索引擎为：百度搜索引擎");
  EXPECT_EQ(f.组合框_默认云输入法.text(), "默认:QQ拼音云输入法");
  EXPECT_EQ(f.组合框_自动隐藏时间.text(), "0秒");
  EXPECT_TRUE(f.组合框_自动隐藏时间.disabled());
  EXPECT_EQ(checked(f.超级按钮_标签页上显示关闭按钮), 1);
  EXPECT_EQ(checked(f.超级按钮_使用内容的第一行为新文件的标题), 1);
  for (rt::GraphicButton* b :
       {&f.超级按钮_只读文件, &f.超级按钮_隐藏文件, &f.超级按钮_系统文件属性, &f.超级按钮_存档文件属性})
    EXPECT_EQ(checked(*b), 1);
  // The audio folder: the speech routine's default, the box off until named files are on.
  EXPECT_EQ(f.编辑框_谷歌临时文件目录.text(), rt::program_directory() + "谷歌语音朗读\\");
  EXPECT_TRUE(f.编辑框_谷歌临时文件目录.disabled());
  EXPECT_EQ(f.标签12.text_color(), 8421504u);
  EXPECT_EQ(f.多功能条_透明度.position(), 100);
  EXPECT_EQ(checked(f.超级按钮_设置为默认的记事本), 0);
  // The boss key: off, its box disabled and showing the default combination.
  EXPECT_EQ(checked(f.超级按钮_开启老板键), 0);
  EXPECT_TRUE(f.编辑框_老板键.disabled());
  EXPECT_EQ(f.编辑框_老板键.text(), "Shift + D");
  // The batch pages' controls are there, idle.
  EXPECT_EQ(f.超级列表框_处理的文件.column_count(), 7);
  EXPECT_EQ(f.超级列表框_操作文件.column_caption(2), "文件路径");
  EXPECT_EQ(f.编辑框_搜索规则.text(), "*.*");
  EXPECT_FALSE(f.超级按钮_停止转换.visible());
  // Nothing was written by opening.
  EXPECT_EQ(ini("程序设置", "分隔符"), std::nullopt);
  EXPECT_EQ(ini("程序设置", "窗口透明度"), std::nullopt);
}

TEST_F(OptionsTest, TheWindowShowsTheStoredOptionsAndSomeGlobalFlags) {
  store("页面设置", "文本颜色", "255");
  store("页面设置", "背景颜色", "16777215");
  store("页面设置", "开启自动定时保存", "真");  // on without an interval
  store("页面设置", "使用不同字体", "真");
  store("程序设置", "关闭淡入淡出效果", "真");
  store("程序设置", "淡入淡出速度", "3");
  store("程序设置", "窗口透明度", "200");
  store("程序设置", "分隔符", "＊");
  store("程序设置", "自动隐藏时间", "2");
  store("程序设置", "取消纪录窗口位置", "真");
  store("迷你模式设置", "默认启用搜索引擎", "3");
  store("云输入法设置", "默认使用的云输入法", "2");
  store("谷歌翻译设置", "音频文件按照名称创建", "真");
  store("谷歌翻译设置", "音频文件临时目录", "D:\\语音\\");
  store("文件操作设置", "不删除到回收站", "真");
  store("程序设置", "老板键文本描述", "Ctrl + F8");
  store("程序设置", "功能键状态", "2");
  store("程序设置", "键代码", "119");
  // Shown from the flags, not from the file.
  store("程序设置", "防止文件被重复打开", "真");
  set_option(&OptionValues::prevent_double_open, 0);
  set_option(&OptionValues::edge_hide_enabled, 1);
  set_option(&OptionValues::jump_to_opened, 1);
  set_option(&OptionValues::tab_close_button, 0);
  open();
  OptionsWindowForm& f = ow();
  EXPECT_EQ(f.颜色选择器_文本颜色.color(), 255u);
  EXPECT_EQ(f.颜色选择器_背景色.color(), 16777215u);
  EXPECT_EQ(option_color(0), 255u);
  EXPECT_EQ(option_color(1), 16777215u);
  EXPECT_EQ(checked(f.超级按钮_开启自动定时保存), 1);
  EXPECT_EQ(f.组合框_定时保存时间.text(), "1分钟");
  EXPECT_TRUE(f.组合框_定时保存时间.disabled());
  EXPECT_EQ(checked(f.超级按钮_使用不同字体), 1);
  EXPECT_EQ(checked(f.超级按钮_关闭淡入淡出效果), 1);
  EXPECT_TRUE(f.组合框_淡进淡出速度.disabled());
  EXPECT_EQ(f.组合框_淡进淡出速度.text(), "慢");
  EXPECT_TRUE(f.超级按钮_强制淡进淡出.disabled());
  EXPECT_EQ(f.多功能条_透明度.position(), 45);
  EXPECT_EQ(f.组合框_分隔符.text(), "＊");
  EXPECT_EQ(f.组合框_自动隐藏时间.text(), "2秒");
  EXPECT_FALSE(f.组合框_自动隐藏时间.disabled());
  EXPECT_EQ(checked(f.超级按钮_开启靠边自动隐藏), 1);
  EXPECT_EQ(checked(f.超级按钮_纪录窗口位置), 1);
  EXPECT_EQ(f.组合框_搜索引擎.text(), "搜狗搜索引擎");
  EXPECT_EQ(f.组合框_默认云输入法.text(), "默认:搜狗云输入法");
  EXPECT_EQ(checked(f.超级按钮_名称), 1);
  EXPECT_EQ(f.编辑框_谷歌临时文件目录.text(), "D:\\语音\\");
  EXPECT_FALSE(f.编辑框_谷歌临时文件目录.disabled());
  EXPECT_EQ(f.标签12.text_color(), 16711680u);
  EXPECT_EQ(checked(f.超级按钮_不删除到回收站), 1);
  EXPECT_EQ(f.编辑框_老板键.text(), "Ctrl + F8");
  EXPECT_EQ(checked(f.超级按钮_防止文件被重复打开), 0);
  EXPECT_EQ(checked(f.超级按钮_打开文件后自动跳到该页面), 1);
  EXPECT_EQ(checked(f.超级按钮_标签页上显示关闭按钮), 0);
}

TEST_F(OptionsTest, AStoredIntervalOrSpeedOfZeroShowsTheDefaultItem) {
  store("页面设置", "开启自动定时保存", "真");
  store("页面设置", "自动定时保存时间", "4");
  store("程序设置", "淡入淡出速度", "0");
  store("迷你模式设置", "默认启用搜索引擎", "0");
  open();
  EXPECT_EQ(ow().组合框_定时保存时间.text(), "4分钟");
  EXPECT_FALSE(ow().组合框_定时保存时间.disabled());
  EXPECT_EQ(rt::tooltip_text(ow().组合框_定时保存时间), "自动定时保存时间为：4分钟");
  EXPECT_EQ(ow().组合框_淡进淡出速度.text(), "中");
  EXPECT_EQ(ow().组合框_搜索引擎.text(), "百度搜索引擎");
}

TEST_F(OptionsTest, TheTabsShowOnePageAtATime) {
  open();
  OptionsWindowForm& f = ow();
  ui_test::click(f.高级选择夹_功能, f.高级选择夹_功能.tab_rect(1).left + 5, 5);
  EXPECT_EQ(f.高级选择夹_功能.current(), 1);
  for (int page = 0; page < 4; ++page)
    for (rt::Unit* u : f.page_units(page)) EXPECT_EQ(u->visible(), page == 1);
  EXPECT_TRUE(f.超级按钮_防止文件被重复打开.visible());
  ui_test::click(f.高级选择夹_功能, f.高级选择夹_功能.tab_rect(3).left + 5, 5);
  EXPECT_TRUE(f.超级列表框_处理的文件.visible());
  EXPECT_FALSE(f.超级按钮_防止文件被重复打开.visible());
  // Shown only while an operation runs.
  EXPECT_FALSE(f.进度条_文件执行进度.visible());
  EXPECT_FALSE(f.透明标签_日志.visible());
}

// ---- Options with an effect now ----

TEST_F(OptionsTest, SwitchingFadingOffRemovesSpeedAndForcedFadeAndTheChoiceSurvivesTheFirstStartCheck) {
  open();
  OptionsWindowForm& f = ow();
  choose(f.组合框_淡进淡出速度, 2);
  EXPECT_EQ(ini("程序设置", "淡入淡出速度"), "3");
  choose(f.组合框_淡进淡出速度, 1);
  EXPECT_EQ(ini("程序设置", "淡入淡出速度"), "2");  // 中 is stored too
  EXPECT_EQ(rt::tooltip_text(f.组合框_淡进淡出速度), "淡入淡出速度为：中");
  ui_test::click(f.超级按钮_强制淡进淡出);
  EXPECT_EQ(ini("程序设置", "强制淡进淡出"), "真");

  ui_test::click(f.超级按钮_关闭淡入淡出效果);
  EXPECT_EQ(options().fade_enabled, 0);
  EXPECT_EQ(ini("程序设置", "关闭淡入淡出效果"), "真");
  EXPECT_EQ(ini("程序设置", "淡入淡出速度"), std::nullopt);
  EXPECT_EQ(ini("程序设置", "强制淡进淡出"), std::nullopt);
  EXPECT_EQ(checked(f.超级按钮_强制淡进淡出), 0);
  EXPECT_TRUE(f.超级按钮_强制淡进淡出.disabled());
  EXPECT_TRUE(f.组合框_淡进淡出速度.disabled());
  EXPECT_EQ(ini("程序设置", "环境监测优化完毕"), "真");

  ui_test::click(f.超级按钮_关闭淡入淡出效果);
  EXPECT_EQ(options().fade_enabled, 1);
  EXPECT_EQ(ini("程序设置", "关闭淡入淡出效果"), std::nullopt);
  EXPECT_EQ(ini("程序设置", "淡入淡出速度"), std::nullopt);
  EXPECT_EQ(f.组合框_淡进淡出速度.text(), "中");
  EXPECT_FALSE(f.组合框_淡进淡出速度.disabled());
  EXPECT_FALSE(f.超级按钮_强制淡进淡出.disabled());
  // On a machine with little memory the first-start check would switch fading off again at
  // the next start; the user's choice marks the check as done.
  EXPECT_EQ(ini("程序设置", "环境监测优化完毕"), "真");
  // Fading is on now: a tool window fades in, sliding in steps of rising opacity.
  open_find_window();
  std::vector<int> seen;
  rt::HookId watch = rt::add_hook(find_window().handle(), [&seen](rt::Message& m) {
    if (m.msg == WM_WINDOWPOSCHANGED) seen.push_back(find_window().alpha());
    return m.next();
  });
  bool faded_in =
      ui_test::wait_for([] { return find_window().loaded() && find_window().alpha() == options().window_alpha; });
  rt::remove_hook(find_window().handle(), watch);
  ASSERT_TRUE(faded_in);
  bool partial = false;
  for (int a : seen) partial = partial || (a > 0 && a < options().window_alpha);
  EXPECT_TRUE(partial);
}

TEST_F(OptionsTest, EdgeHidingRunsTheCursorPollAndSwitchingItOffBringsTheWindowBack) {
  open();
  OptionsWindowForm& f = ow();
  ui_test::click(f.超级按钮_开启靠边自动隐藏);
  EXPECT_EQ(w().时钟_显示出来.interval(), 250);
  EXPECT_FALSE(f.组合框_自动隐藏时间.disabled());
  choose(f.组合框_自动隐藏时间, 2);
  EXPECT_EQ(ini("程序设置", "自动隐藏时间"), "2");
  EXPECT_EQ(options().edge_hide_delay, 1750);
  choose(f.组合框_自动隐藏时间, 0);
  EXPECT_EQ(ini("程序设置", "自动隐藏时间"), std::nullopt);
  EXPECT_EQ(options().edge_hide_delay, 250);
  choose(f.组合框_自动隐藏时间, 3);

  // Slid out at the top edge.
  rt::Rect before = w().rect();
  remember_pos_before_slide();
  w().set_top(-before.height + 3);
  ui_test::click(f.超级按钮_开启靠边自动隐藏);
  EXPECT_EQ(options().edge_hide_enabled, 0);
  EXPECT_EQ(edge_hidden(), 0);
  EXPECT_EQ(w().left(), before.left);
  EXPECT_EQ(w().top(), before.top);
  EXPECT_FALSE(w().时钟_显示出来.running());
  EXPECT_EQ(ini("程序设置", "开启靠边自动隐藏"), std::nullopt);
  EXPECT_EQ(ini("程序设置", "自动隐藏时间"), std::nullopt);
  EXPECT_EQ(f.组合框_自动隐藏时间.text(), "0秒");
  EXPECT_TRUE(f.组合框_自动隐藏时间.disabled());
  // The delay is chosen only while the option is on.
  choose(f.组合框_自动隐藏时间, 1);
  EXPECT_EQ(ini("程序设置", "自动隐藏时间"), std::nullopt);
}

TEST_F(OptionsTest, PeriodicSavingSetsTheTimerToTheChosenMinutes) {
  open();
  OptionsWindowForm& f = ow();
  ui_test::click(f.超级按钮_开启自动定时保存);
  EXPECT_EQ(ini("页面设置", "开启自动定时保存"), "真");
  EXPECT_EQ(ini("页面设置", "自动定时保存时间"), "1");
  EXPECT_EQ(options().autosave_interval, 60000);
  EXPECT_EQ(w().时钟_滚动标签.interval(), 60000);
  EXPECT_FALSE(f.组合框_定时保存时间.disabled());
  choose(f.组合框_定时保存时间, 9);
  EXPECT_EQ(ini("页面设置", "自动定时保存时间"), "10");
  EXPECT_EQ(options().autosave_interval, 600000);
  EXPECT_EQ(w().时钟_滚动标签.interval(), 600000);
  EXPECT_EQ(rt::tooltip_text(f.组合框_定时保存时间), "自动定时保存时间为：10分钟");
  ui_test::click(f.超级按钮_开启自动定时保存);
  EXPECT_EQ(ini("页面设置", "开启自动定时保存"), std::nullopt);
  EXPECT_EQ(ini("页面设置", "自动定时保存时间"), std::nullopt);
  EXPECT_EQ(options().autosave_interval, 0);
  EXPECT_FALSE(w().时钟_滚动标签.running());
  EXPECT_TRUE(f.组合框_定时保存时间.disabled());
}

TEST_F(OptionsTest, ColoursAreStoredForNewPagesAndAColourEqualToTheOtherIsRefused) {
  open();
  OptionsWindowForm& f = ow();
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 255});
  ui_test::click(f.颜色选择器_文本颜色);
  EXPECT_EQ(f.颜色选择器_文本颜色.color(), 255u);
  EXPECT_EQ(ini("页面设置", "文本颜色"), "255");
  EXPECT_EQ(options().default_colors[0], 255u);
  EXPECT_EQ(rt::tooltip_text(f.颜色选择器_文本颜色), "文本颜色为：255\r\n右击恢复默认颜色");
  std::string name;
  int page = create_page(name);
  ASSERT_GT(page, 0);
  EXPECT_EQ(pages()[static_cast<size_t>(page)].text_color, 255u);
  EXPECT_EQ(pages()[0].text_color, 32768u);  // open pages keep theirs

  // The background may not take the text colour.
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 255});
  ui_test::click(f.颜色选择器_背景色);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "颜色值错误！");
  EXPECT_EQ(shown[0].text,
            "  背景颜色不能和文本颜色相同！这个不是我规定的，是眼睛规定的！为了保护你的眼睛，请使用默认的颜色配置方案！"
            "\r\n");
  EXPECT_EQ(shown[0].icon, 16);
  EXPECT_EQ(shown[0].title_color, 255u);
  EXPECT_EQ(shown[0].text_color, 255u);
  EXPECT_EQ(shown[0].owner, hw(f.handle()));
  EXPECT_EQ(f.颜色选择器_背景色.color(), 13625548u);
  EXPECT_EQ(ini("页面设置", "背景颜色"), std::nullopt);
  EXPECT_EQ(options().default_colors[1], 0xCFE8CCu);

  // The background may take the text's default while the text shows another colour; a right
  // click on the text picker then does nothing.
  rt::seams::script_dialog({rt::seams::DialogKind::Color, true, {}, 32768});
  ui_test::click(f.颜色选择器_背景色);
  EXPECT_EQ(ini("页面设置", "背景颜色"), "32768");
  ui_test::right_click(f.颜色选择器_文本颜色);
  EXPECT_EQ(f.颜色选择器_文本颜色.color(), 255u);
  EXPECT_EQ(ini("页面设置", "文本颜色"), "255");
  // Back to the defaults by right clicks: the keys go.
  ui_test::right_click(f.颜色选择器_背景色);
  EXPECT_EQ(f.颜色选择器_背景色.color(), 13625548u);
  EXPECT_EQ(ini("页面设置", "背景颜色"), std::nullopt);
  ui_test::right_click(f.颜色选择器_文本颜色);
  EXPECT_EQ(f.颜色选择器_文本颜色.color(), 32768u);
  EXPECT_EQ(ini("页面设置", "文本颜色"), std::nullopt);
  EXPECT_EQ(options().default_colors[0], 32768u);
  EXPECT_EQ(shown.size(), 1u);
  // A cancelled dialog changes nothing.
  rt::seams::script_dialog({rt::seams::DialogKind::Color, false, {}, 0});
  ui_test::click(f.颜色选择器_文本颜色);
  EXPECT_EQ(f.颜色选择器_文本颜色.color(), 32768u);
}

TEST_F(OptionsTest, PerPageColoursAndFontsFollowTheTabsOnlyWhileOn) {
  open();
  OptionsWindowForm& f = ow();
  std::string name;
  int page = create_page(name);
  ASSERT_EQ(page, 1);
  set_page_back_color(1, 0x00FFFF);
  set_page_font_size(1, 20);
  tabs().set_current(0);
  tabs().set_current(1);
  EXPECT_NE(editor().back_color(), 0x00FFFFu);
  EXPECT_NE(editor().font().size, 20);
  ui_test::click(f.超级按钮_使用不同前景和背景);
  ui_test::click(f.超级按钮_使用不同字体);
  tabs().set_current(0);
  tabs().set_current(1);
  EXPECT_EQ(editor().back_color(), 0x00FFFFu);
  EXPECT_EQ(editor().font().size, 20);
}

TEST_F(OptionsTest, TheSeparatorIsStoredAsTypedAndPreviewed) {
  open();
  OptionsWindowForm& f = ow();
  // The list of an editable box is walked with the arrow keys from its edit field.
  ASSERT_EQ(f.组合框_分隔符.current(), 0);
  ui_test::press_key(f.组合框_分隔符, VK_DOWN);
  ui_test::press_key(f.组合框_分隔符, VK_DOWN);  // "─"
  EXPECT_EQ(ini("程序设置", "分隔符"), "─");
  EXPECT_EQ(options().separator_text, "─");
  EXPECT_EQ(f.标签_预览.text(), rt::repeat_text("─", 240));
  EXPECT_EQ(w().编辑框_测试用.text(), rt::repeat_text("─", 900));
  // A unit of three bytes, typed.
  clear_edit_field(f.组合框_分隔符);
  type_into(f.组合框_分隔符, "-=-");
  EXPECT_EQ(ini("程序设置", "分隔符"), "-=-");
  EXPECT_EQ(f.标签_预览.text().size(), 720u);
  EXPECT_EQ(options().separator_text, "-=-");
  // Empty: stored empty, nothing previewed, "-" for the insertion.
  clear_edit_field(f.组合框_分隔符);
  EXPECT_EQ(ini("程序设置", "分隔符"), "");
  EXPECT_EQ(f.标签_预览.text(), "");
  EXPECT_EQ(options().separator_text, "-");
  EXPECT_EQ(w().编辑框_测试用.text(), rt::repeat_text("-", 900));
}

TEST_F(OptionsTest, PositionMemoryWritesOrDeletesTheWindowPlace) {
  open();
  OptionsWindowForm& f = ow();
  w().move(50, 40, 700, 500);
  ui_test::click(f.超级按钮_纪录窗口位置);  // "取消纪录窗口位置" checked
  EXPECT_EQ(options().remember_position, 0);
  for (const char* k : {"窗口左边", "窗口顶边", "窗口宽度", "窗口高度"}) EXPECT_EQ(ini("程序设置", k), std::nullopt);
  ui_test::click(f.超级按钮_纪录窗口位置);
  EXPECT_EQ(options().remember_position, 1);
  EXPECT_EQ(ini("程序设置", "取消纪录窗口位置"), std::nullopt);
  EXPECT_EQ(ini("程序设置", "窗口左边"), "50");
  EXPECT_EQ(ini("程序设置", "窗口顶边"), "40");
  EXPECT_EQ(ini("程序设置", "窗口宽度"), "700");
  EXPECT_EQ(ini("程序设置", "窗口高度"), "500");
  // A right click: the default size, in place.
  ui_test::right_click(f.超级按钮_纪录窗口位置);
  EXPECT_EQ(w().rect().left, 50);
  EXPECT_EQ(w().rect().top, 40);
  EXPECT_EQ(w().width(), 788);
  EXPECT_EQ(w().height(), 597);
}

TEST_F(OptionsTest, HidingTheToolbarMovesTheTabsAndTheEditBoxUpAndAStartKeepsIt) {
  open();
  OptionsWindowForm& f = ow();
  const int menu_bar_bottom = w().图形按钮_文件_菜单.top() + w().图形按钮_文件_菜单.height();
  const int tabs_top = tabs().top(), editor_top = editor().top(), editor_height = editor().height();
  ui_test::click(f.超级按钮_不在主界面显示工具栏);
  EXPECT_FALSE(w().工具条_工具栏.visible());
  EXPECT_EQ(tabs().top(), menu_bar_bottom + 1);
  EXPECT_EQ(editor().top(), tabs().top() + tabs().height() - 2);
  EXPECT_EQ(editor().top() + editor().height(), editor_top + editor_height);  // the bottom stays
  ui_test::click(f.超级按钮_不在主界面显示工具栏);
  EXPECT_TRUE(w().工具条_工具栏.visible());
  EXPECT_EQ(tabs().top(), tabs_top);
  EXPECT_EQ(editor().top(), editor_top);

  // The next start hides it too.
  ui_test::click(f.超级按钮_不在主界面显示工具栏);
  ow().destroy();
  w().destroy();
  init_globals();
  ASSERT_TRUE(w().load());
  ASSERT_TRUE(ui_test::wait_for([] { return editor().has_focus(); }));
  EXPECT_FALSE(w().工具条_工具栏.visible());
  EXPECT_EQ(tabs().top(), menu_bar_bottom + 1);
}

TEST_F(OptionsTest, TopmostAppliesFromTheNextStart) {
  open();
  ui_test::click(ow().超级按钮_程序默认最前);
  EXPECT_FALSE(w().topmost());
  ow().destroy();
  w().destroy();
  init_globals();
  ASSERT_TRUE(w().load());
  ASSERT_TRUE(ui_test::wait_for([] { return editor().has_focus(); }));
  EXPECT_TRUE(w().topmost());
}

TEST_F(OptionsTest, TabCloseButtonsComeAndGo) {
  open();
  OptionsWindowForm& f = ow();
  std::string name;
  create_page(name);
  ui_test::settle();
  EXPECT_TRUE(w().图形按钮_关闭本页.visible());
  rt::Rect with_button = tabs().tab_rect(1);
  ui_test::click(f.超级按钮_标签页上显示关闭按钮);
  EXPECT_EQ(options().tab_close_button, 0);
  EXPECT_FALSE(w().图形按钮_关闭本页.visible());
  EXPECT_LT(tabs().tab_rect(1).width, with_button.width);  // no room kept for it
  ui_test::click(f.超级按钮_标签页上显示关闭按钮);
  EXPECT_TRUE(w().图形按钮_关闭本页.visible());
  EXPECT_EQ(tabs().tab_rect(1).width, with_button.width);
  // Over the current tab.
  rt::Rect r = tabs().tab_rect(1);
  EXPECT_GE(w().图形按钮_关闭本页.left(), tabs().left() + r.left);
  EXPECT_LE(w().图形按钮_关闭本页.left() + w().图形按钮_关闭本页.width(), tabs().left() + r.left + r.width);
}

TEST_F(OptionsTest, DoubleOpenPreventionRebuildsTheOpenPathList) {
  open();
  std::string name;
  create_page(name);
  set_page_file(1, "C:\\一\\a.txt", pages()[1].extension);
  create_page(name);
  ui_test::click(ow().超级按钮_防止文件被重复打开);
  EXPECT_EQ(open_paths(), " |C:\\一\\a.txt| |");
  EXPECT_EQ(update_open_path_list("C:\\一\\a.txt", true, false, 0, ""), 1);
  ui_test::click(ow().超级按钮_防止文件被重复打开);
  EXPECT_EQ(open_paths(), "");
}

TEST_F(OptionsTest, NamedAudioFilesEnableTheFolderBoxAndTheFolderDialogFillsIt) {
  open();
  OptionsWindowForm& f = ow();
  const std::string fallback = rt::program_directory() + "谷歌语音朗读\\";
  ui_test::click(f.超级按钮_名称);
  EXPECT_FALSE(f.编辑框_谷歌临时文件目录.disabled());
  EXPECT_FALSE(f.图形按钮_选择谷歌临时目录.disabled());
  EXPECT_EQ(f.标签12.text_color(), 16711680u);

  rt::seams::dialog_requests().clear();
  rt::seams::script_dialog({rt::seams::DialogKind::Folder, true, {"C:\\语音"}});
  ui_test::click(f.图形按钮_选择谷歌临时目录);
  ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
  EXPECT_EQ(rt::seams::dialog_requests()[0].title, "请选择谷歌音频文件临时目录……");
  EXPECT_EQ(rt::seams::dialog_requests()[0].folder, fallback);
  EXPECT_EQ(f.编辑框_谷歌临时文件目录.text(), "C:\\语音\\");
  EXPECT_EQ(ini("谷歌翻译设置", "音频文件临时目录"), "C:\\语音\\");
  // Cancelled: back to the default, the key removed.
  rt::seams::script_dialog({rt::seams::DialogKind::Folder, false});
  ui_test::click(f.图形按钮_选择谷歌临时目录);
  EXPECT_EQ(f.编辑框_谷歌临时文件目录.text(), fallback);
  EXPECT_EQ(ini("谷歌翻译设置", "音频文件临时目录"), std::nullopt);

  rt::seams::script_dialog({rt::seams::DialogKind::Folder, true, {"C:\\语音\\"}});
  ui_test::click(f.图形按钮_选择谷歌临时目录);
  ui_test::click(f.超级按钮_名称);
  EXPECT_EQ(ini("谷歌翻译设置", "音频文件按照名称创建"), std::nullopt);
  EXPECT_EQ(ini("谷歌翻译设置", "音频文件临时目录"), std::nullopt);
  EXPECT_TRUE(f.编辑框_谷歌临时文件目录.disabled());
  EXPECT_TRUE(f.图形按钮_选择谷歌临时目录.disabled());
  EXPECT_EQ(f.标签12.text_color(), 8421504u);
}

TEST_F(OptionsTest, TheFirstSearchEngineAndCloudInputMethodRemoveTheirKeys) {
  open();
  OptionsWindowForm& f = ow();
  choose(f.组合框_搜索引擎, 3);
  EXPECT_EQ(ini("迷你模式设置", "默认启用搜索引擎"), "4");
  EXPECT_EQ(rt::tooltip_text(f.组合框_搜索引擎), "当前使用搜索引擎为：谷歌搜索引擎");
  choose(f.组合框_搜索引擎, 0);
  EXPECT_EQ(ini("迷你模式设置", "默认启用搜索引擎"), std::nullopt);
  choose(f.组合框_默认云输入法, 1);
  EXPECT_EQ(ini("云输入法设置", "默认使用的云输入法"), "1");
  choose(f.组合框_默认云输入法, 0);
  EXPECT_EQ(ini("云输入法设置", "默认使用的云输入法"), std::nullopt);
}

TEST_F(OptionsTest, TheBossKeySwitchKeepsTheOptionAndEnablesTheCaptureBox) {
  store("程序设置", "老板键文本描述", "Ctrl + F8");
  store("程序设置", "功能键状态", "2");
  store("程序设置", "键代码", "119");
  open();
  OptionsWindowForm& f = ow();
  ui_test::click(f.超级按钮_开启老板键);
  EXPECT_EQ(ini("程序设置", "开启老板键"), "真");
  EXPECT_FALSE(f.编辑框_老板键.disabled());
  EXPECT_EQ(f.编辑框_老板键.text(), "Ctrl + F8");
  ui_test::click(f.超级按钮_开启老板键);
  EXPECT_EQ(ini("程序设置", "开启老板键"), std::nullopt);
  EXPECT_TRUE(f.编辑框_老板键.disabled());
}

// ---- Transparency ----

TEST_F(OptionsTest, TheSliderSetsTheOpacityOfTheOpenWindowsAndOfWindowsShownLater) {
  open_find_window();
  ASSERT_TRUE(ui_test::wait_for([] { return find_window().loaded() && find_window().alpha() == 255; }));
  open();
  OptionsWindowForm& f = ow();
  ui_test::press_key(f.多功能条_透明度, VK_HOME);
  EXPECT_EQ(f.多功能条_透明度.position(), 0);
  EXPECT_EQ(options().window_alpha, 155);
  EXPECT_EQ(f.alpha(), 155);
  EXPECT_EQ(w().alpha(), 155);
  EXPECT_EQ(find_window().alpha(), 155);
  EXPECT_EQ(ini("程序设置", "窗口透明度"), "155");
  ui_test::press_key(f.多功能条_透明度, VK_RIGHT);
  EXPECT_EQ(options().window_alpha, 156);
  EXPECT_EQ(ini("程序设置", "窗口透明度"), "156");

  // A window shown now ends at the new opacity.
  find_window().destroy();
  open_find_window();
  ASSERT_TRUE(ui_test::wait_for([] { return find_window().loaded() && find_window().alpha() == 156; }));
  // An open message box keeps its own.
  int box_before = -1, box_after = -1;
  rt::seams::set_modal_hook([&](rt::Window& box) {
    if (&box != &message_box_form()) return;
    box_before = box.alpha();
    ui_test::press_key(f.多功能条_透明度, VK_RIGHT);
    box_after = box.alpha();
    ui_test::click(message_box_form().图形按钮_确定_信息框);
  });
  tell_user(0, 64, "透明度", 0, "  透明度", 0);
  EXPECT_EQ(options().window_alpha, 157);
  EXPECT_EQ(w().alpha(), 157);
  EXPECT_NE(box_before, -1);
  EXPECT_EQ(box_after, box_before);
  ui_test::press_key(f.多功能条_透明度, VK_END);
  EXPECT_EQ(options().window_alpha, 255);
  EXPECT_EQ(w().alpha(), 255);
  EXPECT_EQ(ini("程序设置", "窗口透明度"), std::nullopt);  // full opacity is the default
  EXPECT_EQ(slider_of_alpha(155), 0);
  EXPECT_EQ(alpha_of_slider(45), 200);

  reopen();
  EXPECT_EQ(ow().多功能条_透明度.position(), 100);
}

// ---- Default editor ----

std::optional<std::string> hkcr(const char* path) { return rt::registry_read(rt::RegistryRoot::ClassesRoot, path); }
std::optional<std::string> hklm(const char* path) { return rt::registry_read(rt::RegistryRoot::LocalMachine, path); }

TEST(EditorCommandLine, QuotesThePathAndMakesDoubledBackslashesSingle) {
  struct Case {
    const char* dir;
    const char* file;
    const char* command;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Velmora\\", "Velmora.exe", "\"C:\\Program Files\\Velmora\\Velmora.exe\" \"%1\""},
      {"C:\\工具\\\\文本\\", "编辑.exe", "\"C:\\工具\\文本\\编辑.exe\" \"%1\""},
      {"C:\\a", "b.exe", "\"C:\\a\\b.exe\" \"%1\""},
      {"C:\\a\\\\\\\\b\\", "x.exe", "\"C:\\a\\b\\x.exe\" \"%1\""},
      // A program on a share keeps its leading "\\".
      {"\\\\server\\share\\\\tools\\", "v.exe", "\"\\\\server\\share\\tools\\v.exe\" \"%1\""},
  };
  for (const Case& c : cases) EXPECT_EQ(editor_command_line(c.dir, c.file), c.command) << c.dir;
}

// Leaves the prefix's registry as it found it: the text-file command comes back with its own
// type and bytes.
class DefaultEditorTest : public OptionsTest {
 protected:
  void SetUp() override {
    OptionsTest::SetUp();
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kTextCommand, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    DWORD size = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
      saved_.resize(size);
      had_command_ = RegQueryValueExA(key, nullptr, nullptr, &type_, saved_.data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
  }
  void TearDown() override {
    unregister_default_notepad();
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kTextCommand, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      if (had_command_)
        RegSetValueExA(key, nullptr, 0, type_, saved_.data(), static_cast<DWORD>(saved_.size()));
      else
        RegDeleteValueA(key, nullptr);
      RegCloseKey(key);
    }
    OptionsTest::TearDown();
  }
  static constexpr const char* kTextCommand = "txtfile\\shell\\open\\command";
  bool had_command_ = false;
  DWORD type_ = REG_SZ;
  std::vector<BYTE> saved_;
};

TEST_F(DefaultEditorTest, RegisteringWritesTheEntriesAndUnregisteringRemovesThemAndRestoresNotepad) {
  unregister_default_notepad();
  open();
  OptionsWindowForm& f = ow();
  ui_test::click(f.超级按钮_设置为默认的记事本);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "设置为默认记事本成功！");
  EXPECT_EQ(shown[0].icon, 8);
  EXPECT_EQ(shown[0].title_color, 16711935u);
  EXPECT_EQ(shown[0].text_color, 32768u);
  EXPECT_EQ(shown[0].owner, hw(f.handle()));
  EXPECT_EQ(checked(f.超级按钮_设置为默认的记事本), 1);
  // The commands name this program's own file; the Applications key the fixed name.
  const std::string command = "\"" + rt::program_path() + "\" \"%1\"";
  EXPECT_NE(rt::program_path().find("win_options_tests.exe"), std::string::npos);
  EXPECT_EQ(hkcr("txtfile\\shell\\open\\command\\"), command);
  EXPECT_EQ(hkcr("*\\shell\\Velmora\\"), "用Velmora打开(&F)");
  EXPECT_EQ(hkcr("*\\shell\\Velmora\\Sfmr"), "Yes");
  EXPECT_EQ(hkcr("*\\shell\\Velmora\\command\\"), command);
  EXPECT_EQ(hkcr("Applications\\Velmora.exe\\"), "");
  EXPECT_EQ(hkcr("Applications\\Velmora.exe\\shell\\"), "");
  EXPECT_EQ(hkcr("Applications\\Velmora.exe\\shell\\open\\"), "");
  EXPECT_EQ(hkcr("Applications\\Velmora.exe\\shell\\open\\command\\"), command);
  EXPECT_EQ(hklm("SOFTWARE\\Classes\\Directory\\shell\\Velmora\\"), "用Velmora打开(&F)");
  EXPECT_EQ(hklm("SOFTWARE\\Classes\\Directory\\shell\\Velmora\\command\\"), command);
  EXPECT_EQ(hklm("SOFTWARE\\Classes\\Drive\\shell\\Velmora\\"), "用Velmora打开(&F)");
  EXPECT_EQ(hklm("SOFTWARE\\Classes\\Drive\\shell\\Velmora\\command\\"), command);
  // Nothing of it is kept in the configuration file; a new window reads it from the registry.
  EXPECT_EQ(ini("程序设置", "设置为默认的记事本"), std::nullopt);
  reopen();
  EXPECT_EQ(checked(ow().超级按钮_设置为默认的记事本), 1);

  ui_test::click(ow().超级按钮_设置为默认的记事本);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].title, "取消默认记事本成功！");
  EXPECT_EQ(shown[1].icon, 8);
  EXPECT_EQ(checked(ow().超级按钮_设置为默认的记事本), 0);
  EXPECT_EQ(hkcr("txtfile\\shell\\open\\command\\"), rt::windows_directory() + "\\notepad.exe %1");
  for (const char* gone : {"*\\shell\\Velmora\\Sfmr", "*\\shell\\Velmora\\", "*\\shell\\Velmora\\command\\",
                           "Applications\\Velmora.exe\\", "Applications\\Velmora.exe\\shell\\open\\command\\"})
    EXPECT_EQ(hkcr(gone), std::nullopt) << gone;
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CLASSES_ROOT, "*\\shell\\Velmora", 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_NE(RegOpenKeyExA(HKEY_CLASSES_ROOT, "Applications\\Velmora.exe", 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\Directory\\shell\\Velmora", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\Drive\\shell\\Velmora", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  reopen();
  EXPECT_EQ(checked(ow().超级按钮_设置为默认的记事本), 0);
}

TEST_F(DefaultEditorTest, UnregisteringWhatWasNeverRegisteredOnlyRestoresNotepad) {
  unregister_default_notepad();
  rt::registry_write(rt::RegistryRoot::ClassesRoot, "txtfile\\shell\\open\\command\\", "other.exe %1");
  EXPECT_EQ(unregister_default_notepad(), 1);
  EXPECT_EQ(hkcr("txtfile\\shell\\open\\command\\"), rt::windows_directory() + "\\notepad.exe %1");

  // Through the box: shown as registered while nothing is, then switched off.
  open();
  OptionsWindowForm& f = ow();
  check_button_state(f.超级按钮_设置为默认的记事本, ButtonOp::Set, 1);
  ui_test::click(f.超级按钮_设置为默认的记事本);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "设置未完全成功！");
  EXPECT_EQ(shown[0].text, "  由于某种原因，取消设置有部分没有成功完成！可能是由于被安全软件拦截！\r\n");
  EXPECT_EQ(shown[0].icon, 48);
  EXPECT_EQ(shown[0].title_color, 16711935u);
  EXPECT_EQ(shown[0].text_color, 16711935u);
  EXPECT_EQ(checked(f.超级按钮_设置为默认的记事本), 0);
}

TEST(RegistryService, DefaultValuesNamedValuesAndKeys) {
  using rt::RegistryRoot;
  const RegistryRoot r = RegistryRoot::ClassesRoot;
  EXPECT_TRUE(rt::registry_write(r, "VelmoraTest\\sub\\", "默认"));
  EXPECT_TRUE(rt::registry_write(r, "VelmoraTest\\sub\\名字", "值"));
  EXPECT_EQ(rt::registry_read(r, "VelmoraTest\\sub\\"), "默认");
  EXPECT_EQ(rt::registry_read(r, "VelmoraTest\\sub\\名字"), "值");
  EXPECT_EQ(rt::registry_read(r, "VelmoraTest\\sub\\别的"), std::nullopt);
  // A key with a subkey stays; a value, a default value and then the empty key go.
  EXPECT_FALSE(rt::registry_delete(r, "VelmoraTest"));
  EXPECT_TRUE(rt::registry_delete(r, "VelmoraTest\\sub\\名字"));
  EXPECT_FALSE(rt::registry_delete(r, "VelmoraTest\\sub\\名字"));
  EXPECT_TRUE(rt::registry_delete(r, "VelmoraTest\\sub\\"));
  EXPECT_FALSE(rt::registry_delete(r, "VelmoraTest\\sub\\"));
  EXPECT_TRUE(rt::registry_delete(r, "VelmoraTest\\sub"));
  EXPECT_TRUE(rt::registry_delete(r, "VelmoraTest"));
  EXPECT_FALSE(rt::registry_delete(r, "VelmoraTest"));
  EXPECT_EQ(rt::registry_read(r, "VelmoraTest\\sub\\"), std::nullopt);
}

// ---- Closing ----

TEST_F(OptionsTest, TheCloseButtonAndTheExitFadeTheWindowOut) {
  open();
  ui_test::click(ow().图形按钮_关闭小);
  EXPECT_FALSE(ow().loaded());
  open();
  release_main_window();
  EXPECT_FALSE(ow().visible());
}

TEST_F(OptionsTest, TheVersionInTheBottomStripShowsWholeOnTheWindowsBody) {
  open();
  rt::Label& strip = ow().标签_下中;
  EXPECT_EQ(rt::trim_left(strip.text()), "程序版本：1.0.0.1");
  // Where the text's line runs, left of it and after it, the strip shows the body colour; the
  // frame's dark line is only its lowest pixels.
  const int mid = strip.height() / 2;
  const unsigned body = kSkinBodyColor;
  auto near_body = [body](unsigned c) {
    return std::abs(GetRValue(c) - GetRValue(body)) <= 16 && std::abs(GetGValue(c) - GetGValue(body)) <= 16 &&
           std::abs(GetBValue(c) - GetBValue(body)) <= 16;
  };
  for (auto [x, y] : {std::pair{10, mid}, std::pair{10, strip.height() - 4}})
    EXPECT_TRUE(near_body(ui_test::drawn_pixel(strip, x, y))) << x << "," << y;
  for (int x = strip.width() - 6; x < strip.width(); ++x)
    for (int y = 0; y < strip.height() - 3; ++y) EXPECT_TRUE(near_body(ui_test::drawn_pixel(strip, x, y))) << x << "," << y;
}

TEST_F(OptionsTest, Screenshot) {
  store("程序设置", "分隔符", "━");
  open();
  OptionsWindowForm& f = ow();
  const char* const names[] = {"options_window", "options_window_extended", "options_window_conversion",
                               "options_window_files"};
  for (int page = 0; page < 4; ++page) {
    f.高级选择夹_功能.set_current(page);
    ui_test::settle(100);
    ui_test::screenshot(names[page]);
    EXPECT_TRUE(ui_test::layout_is_sound(f));
  }
}

}  // namespace
