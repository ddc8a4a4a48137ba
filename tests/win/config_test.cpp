// The configuration file against the real profile functions: the bytes on disk and the typed
// reading and writing of the vocabulary.
#include "options/config.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "runtime/ini.h"

namespace {

namespace 程序 = cfg::程序设置;
namespace 页面 = cfg::页面设置;
namespace 云 = cfg::云输入法设置;
namespace 翻译 = cfg::谷歌翻译设置;
namespace 迷你 = cfg::迷你模式设置;
namespace 目录 = cfg::上次打开目录;
namespace 文件 = cfg::文件操作设置;

std::string exe_directory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p = path;
  return p.substr(0, p.rfind('\\') + 1);
}

// Each test gets its own folder; each new_file() a path nothing has touched yet, so the
// profile functions' cache never holds an older state of it.
class ConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int serial = 0;
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ =
        std::string(temp) + "velmora_config_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial);
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
    new_file();
  }
  void TearDown() override {
    for (const std::string& f : files_) DeleteFileA(f.c_str());
    RemoveDirectoryA(dir_.c_str());
    set_config_path("");
  }

  void new_file() {
    files_.push_back(dir_ + "\\" + std::to_string(files_.size()) + "Config_Vel.ini");
    set_config_path(files_.back());
  }
  std::string file_bytes() const {
    std::ifstream in(config_path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool file_exists() const { return GetFileAttributesA(config_path().c_str()) != INVALID_FILE_ATTRIBUTES; }
  // A file as an earlier version of the program, or the user, left it.
  void hand_write(const std::string& bytes) {
    new_file();
    std::ofstream(config_path(), std::ios::binary) << bytes;
  }
  // The stored text, or nothing to leave the key absent.
  static void store(const ConfigKey& k, const std::optional<std::string>& text) {
    if (text) {
      config_write(k.section, k.key, *text);
    } else {
      config_delete(k.section, k.key);
    }
  }

  std::string dir_;
  std::vector<std::string> files_;
};

TEST_F(ConfigFileTest, WritesGbkLinesWithNamesAsGiven) {
  struct Case {
    const char* what;
    std::function<void()> write;
    std::string bytes;
  };
  const Case cases[] = {
      // "[程序设置]\r\n关闭淡入淡出效果=真\r\n" spelled out, to show the file holds GBK.
      {"flag on", [] { config_set_flag(程序::关闭淡入淡出效果, true); },
       "[\xB3\xCC\xD0\xF2\xC9\xE8\xD6\xC3]\r\n\xB9\xD8\xB1\xD5\xB5\xAD\xC8\xEB\xB5\xAD\xB3\xF6\xD0\xA7\xB9\xFB="
       "\xD5\xE6\r\n"},
      {"default-on flag off", [] { config_set_flag(程序::标签页上显示关闭按钮, false); },
       "[程序设置]\r\n标签页上显示关闭按钮=假\r\n"},
      {"boolean text off", [] { config_set_flag(页面::默认字体是否倾斜, false); },
       "[页面设置]\r\n默认字体是否倾斜=假\r\n"},
      {"colour", [] { config_set_int(页面::背景颜色, 255); }, "[页面设置]\r\n背景颜色=255\r\n"},
      {"negative integer", [] { config_set_int(迷你::窗口左边, -12); }, "[迷你模式设置]\r\n窗口左边=-12\r\n"},
      {"index+1 at its default", [] { config_set_index(程序::淡入淡出速度, 1); }, "[程序设置]\r\n淡入淡出速度=2\r\n"},
      {"folder", [] { config_set_text(目录::歌词文件, "D:\\歌词\\"); }, "[上次打开目录]\r\n歌词文件=D:\\歌词\\\r\n"},
      {"empty text", [] { config_set_text(程序::分隔符, ""); }, "[程序设置]\r\n分隔符=\r\n"},
      {"empty raw value", [] { config_write("谷歌翻译设置", "音频文件临时目录", ""); },
       "[谷歌翻译设置]\r\n音频文件临时目录=\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    new_file();
    c.write();
    EXPECT_EQ(file_bytes(), c.bytes);
  }
}

// A folder with characters code page 936 lacks keeps their GB18030 four-byte codes in the file
// (the profile functions of an ANSI file would write "?" for each), and reads back whole.
TEST_F(ConfigFileTest, AFolderNamedOutsideCodePage936IsKeptAsItsFourByteCodes) {
  const std::string folder = "C:\\\x83\x36\x84\x33\x82\x37\xF4\x30 \x94\x39\xFC\x36\\Stra\x81\x30\x89\x38" "e\\";
  config_set_text(目录::打开文件, folder);
  config_set_int(程序::窗口宽度, 900);
  EXPECT_EQ(file_bytes(), "[上次打开目录]\r\n打开文件=" + folder + "\r\n[程序设置]\r\n窗口宽度=900\r\n");
  EXPECT_EQ(config_text(目录::打开文件), folder);
  EXPECT_EQ(config_int(程序::窗口宽度), 900);
}

TEST_F(ConfigFileTest, MissingFileOrKeyReadsDefaults) {
  auto expect_defaults = [] {
    EXPECT_FALSE(config_flag(程序::关闭淡入淡出效果));
    EXPECT_EQ(config_index(程序::淡入淡出速度), 1);
    EXPECT_EQ(config_int(程序::淡入淡出速度), 2);
    EXPECT_EQ(config_int(程序::窗口透明度), 255);
    EXPECT_EQ(config_int(程序::窗口宽度), 788);
    EXPECT_EQ(config_int(程序::窗口高度), 597);
    EXPECT_EQ(config_int_if_set(程序::窗口左边), std::nullopt);
    EXPECT_EQ(config_int_if_set(迷你::窗口顶边), std::nullopt);
    EXPECT_EQ(config_index(程序::自动隐藏时间), 0);
    EXPECT_EQ(config_int(页面::文本颜色), 32768);
    EXPECT_EQ(config_int(页面::背景颜色), 13625548);
    EXPECT_EQ(config_text(程序::分隔符), "-");
    EXPECT_EQ(config_text(程序::上一次搜索文件规则), "*.txt");
    EXPECT_TRUE(config_flag(程序::标签页上显示关闭按钮));
    EXPECT_TRUE(config_flag(程序::使用内容的第一行为新文件的标题));
    EXPECT_FALSE(config_flag(页面::开启自动定时保存));
    EXPECT_EQ(config_int_if_set(页面::自动定时保存时间), std::nullopt);
    EXPECT_FALSE(config_flag(文件::不删除到回收站));
    EXPECT_EQ(config_int(程序::功能键状态), 4);
    EXPECT_EQ(config_int(程序::键代码), 68);
    EXPECT_EQ(config_text(程序::老板键文本描述), "Shift + D");
    EXPECT_EQ(config_text(页面::默认字体名称), "");
    EXPECT_EQ(config_int(页面::默认字体大小), 11);
    EXPECT_TRUE(config_flag(页面::默认字体是否加粗));
    EXPECT_FALSE(config_flag(页面::默认字体是否有删除线));
    EXPECT_EQ(config_index(云::默认使用的云输入法), 0);
    EXPECT_EQ(config_index(云::拼音模式), 2);
    EXPECT_EQ(config_index(云::双拼风格), 3);
    EXPECT_TRUE(config_flag(云::开启模糊音));
    EXPECT_TRUE(config_flag(云::同时调用搜搜搜索引擎));
    EXPECT_TRUE(config_flag(云::写云输入法配置到配置文件));
    EXPECT_EQ(config_index(迷你::默认启用搜索引擎), 0);
    EXPECT_EQ(config_text(翻译::音频文件临时目录), exe_directory() + "谷歌语音朗读\\");
    EXPECT_EQ(config_text(目录::打开文件), exe_directory());
  };
  {
    SCOPED_TRACE("no file");
    expect_defaults();
    EXPECT_FALSE(file_exists());
  }
  {
    SCOPED_TRACE("file with every section but other keys");
    std::set<std::string_view> sections;
    for (const ConfigKey* k : config_vocabulary()) sections.insert(k->section);
    std::string bytes;
    for (std::string_view s : sections) bytes += "[" + std::string(s) + "]\r\n其他=1\r\n";
    hand_write(bytes);
    expect_defaults();
  }
}

TEST_F(ConfigFileTest, ReadsAFileWrittenByHand) {
  hand_write(
      "[程序设置]\r\n窗口透明度=200\r\n标签页上显示关闭按钮=假\r\n窗口宽度=1024\r\n"
      "[迷你模式设置]\r\n窗口左边=30\r\n取消纪录窗口位置=真\r\n");
  EXPECT_EQ(config_int(程序::窗口透明度), 200);
  EXPECT_FALSE(config_flag(程序::标签页上显示关闭按钮));
  EXPECT_EQ(config_int(程序::窗口宽度), 1024);
  // The same key names in two sections are two keys.
  EXPECT_EQ(config_int_if_set(迷你::窗口左边), 30);
  EXPECT_EQ(config_int_if_set(程序::窗口左边), std::nullopt);
  EXPECT_TRUE(config_flag(迷你::取消纪录窗口位置));
  EXPECT_FALSE(config_flag(程序::取消纪录窗口位置));
}

TEST_F(ConfigFileTest, DeleteRemovesTheKeyOnly) {
  config_set_int(程序::窗口宽度, 900);
  config_set_int(程序::窗口高度, 700);
  config_delete("程序设置", "窗口宽度");
  EXPECT_EQ(file_bytes(), "[程序设置]\r\n窗口高度=700\r\n");
  EXPECT_EQ(config_read("程序设置", "窗口宽度"), "");
  EXPECT_EQ(config_int(程序::窗口宽度), 788);
  config_remove(程序::窗口高度);
  EXPECT_EQ(file_bytes().find("窗口高度"), std::string::npos);
  EXPECT_EQ(config_int(程序::窗口高度), 597);
  // Deleting what is not there changes nothing.
  config_remove(程序::窗口高度);
  EXPECT_EQ(config_int(程序::窗口高度), 597);
}

TEST_F(ConfigFileTest, ReadingRemovesLeadingBlanksAndControlCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"  真", "真"},
      {"\x01\x1F \x02真 x", "真 x"},
      {"   ", ""},
      {"\x01\x02", ""},
      {"a  b", "a  b"},
      // The full-width space is a character, not a control byte.
      {"\xA1\xA1真", "\xA1\xA1真"},
  };
  for (const auto& [stored, read] : cases) {
    SCOPED_TRACE(stored);
    config_write("程序设置", "分隔符", stored);
    EXPECT_EQ(config_read("程序设置", "分隔符"), read);
  }
  // An empty key name reads as empty, even when a key is stored under that name.
  hand_write("[程序设置]\r\n=真\r\n");
  EXPECT_EQ(rt::ini_read(config_path(), "程序设置", ""), "");
  EXPECT_EQ(config_read("程序设置", ""), "");
}

TEST_F(ConfigFileTest, FlagsReadByTheirForm) {
  struct Case {
    const ConfigKey& key;
    std::optional<std::string> stored;
    bool on;
  };
  const Case cases[] = {
      {程序::关闭淡入淡出效果, std::nullopt, false},
      {程序::关闭淡入淡出效果, "真", true},
      {程序::关闭淡入淡出效果, "  真", true},
      {程序::关闭淡入淡出效果, "\x01真", true},
      {程序::关闭淡入淡出效果, "", false},
      {程序::关闭淡入淡出效果, "假", false},
      {程序::关闭淡入淡出效果, "1", false},
      {程序::关闭淡入淡出效果, "true", false},
      {程序::关闭淡入淡出效果, "真真", false},
      {程序::标签页上显示关闭按钮, std::nullopt, true},
      {程序::标签页上显示关闭按钮, "", true},
      {程序::标签页上显示关闭按钮, "假", false},
      {程序::标签页上显示关闭按钮, "  假", false},
      {程序::标签页上显示关闭按钮, "0", true},
      {程序::标签页上显示关闭按钮, "no", true},
      {程序::标签页上显示关闭按钮, "真", true},
      {云::开启模糊音, std::nullopt, true},
      {云::开启模糊音, "", true},
      {云::开启模糊音, "   ", true},
      {云::开启模糊音, "假", false},
      {云::开启模糊音, "真", false},
      {云::写云输入法配置到配置文件, "0", false},
      {云::同时调用搜搜搜索引擎, "x", false},
      {页面::默认字体是否加粗, std::nullopt, true},
      {页面::默认字体是否加粗, "", true},
      {页面::默认字体是否加粗, "真", true},
      {页面::默认字体是否加粗, "假", false},
      {页面::默认字体是否加粗, "x", false},
      {页面::默认字体是否有下划线, std::nullopt, false},
      {页面::默认字体是否有下划线, "真", true},
      {页面::默认字体是否有下划线, "x", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key.key) + " = " + c.stored.value_or("(absent)"));
    store(c.key, c.stored);
    EXPECT_EQ(config_flag(c.key), c.on);
  }
}

TEST_F(ConfigFileTest, FlagsWrittenByTheirForm) {
  struct Case {
    const ConfigKey& key;
    bool on;
    const char* line;  // nullptr: no key line
  };
  const Case cases[] = {
      {程序::关闭淡入淡出效果, true, "关闭淡入淡出效果=真"},
      {程序::关闭淡入淡出效果, false, nullptr},
      {程序::使用内容的第一行为新文件的标题, true, nullptr},
      {程序::使用内容的第一行为新文件的标题, false, "使用内容的第一行为新文件的标题=假"},
      {云::同时调用搜搜搜索引擎, true, nullptr},
      {云::同时调用搜搜搜索引擎, false, "同时调用搜搜搜索引擎=假"},
      {页面::默认字体是否加粗, true, "默认字体是否加粗=真"},
      {页面::默认字体是否加粗, false, "默认字体是否加粗=假"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key.key) + (c.on ? " on" : " off"));
    new_file();
    // Start from the other state, so a writer that does nothing is seen.
    config_set_flag(c.key, !c.on);
    config_set_flag(c.key, c.on);
    std::string bytes = file_bytes();
    if (c.line) {
      EXPECT_EQ(bytes, "[" + std::string(c.key.section) + "]\r\n" + c.line + "\r\n");
    } else {
      EXPECT_EQ(bytes.find('='), std::string::npos) << bytes;
    }
    EXPECT_EQ(config_flag(c.key), c.on);
  }
}

// Writing back what an absent key reads as removes the key exactly for these rows (besides
// every flag, whose form deletes its default state); every other writer stores the value.
TEST_F(ConfigFileTest, DefaultIsDeletedExactlyWhereTheVocabularySaysSo) {
  const std::set<std::pair<std::string, std::string>> deleted_at_default = {
      {"程序设置", "窗口透明度"}, {"程序设置", "自动隐藏时间"},           {"页面设置", "文本颜色"},
      {"页面设置", "背景颜色"},   {"云输入法设置", "默认使用的云输入法"}, {"迷你模式设置", "默认启用搜索引擎"},
  };
  std::set<std::pair<std::string, std::string>> seen;
  for (const ConfigKey* k : config_vocabulary()) {
    std::pair<std::string, std::string> name{std::string(k->section), std::string(k->key)};
    SCOPED_TRACE(name.first + " / " + name.second);
    new_file();
    bool is_flag = false;
    switch (k->form) {
      case ConfigForm::kFlag:
      case ConfigForm::kFlagDefaultOn:
      case ConfigForm::kCloudFlag:
        is_flag = true;
        config_set_flag(*k, config_flag(*k));
        break;
      case ConfigForm::kBoolText:
        config_set_flag(*k, config_flag(*k));
        break;
      case ConfigForm::kInteger:
      case ConfigForm::kColour:
        config_set_int(*k, config_int(*k));
        break;
      case ConfigForm::kIndex:
      case ConfigForm::kIndexPlusOne:
        config_set_index(*k, config_index(*k));
        break;
      case ConfigForm::kText:
      case ConfigForm::kFolder:
        config_set_text(*k, config_text(*k));
        break;
    }
    bool stored = file_bytes().find(name.second + "=") != std::string::npos;
    bool expect_deleted = is_flag || deleted_at_default.count(name) > 0;
    EXPECT_EQ(stored, !expect_deleted);
    if (deleted_at_default.count(name)) seen.insert(name);
  }
  EXPECT_EQ(seen, deleted_at_default) << "a key of the list is missing from the vocabulary";
}

TEST_F(ConfigFileTest, NumbersReadWithTheirDefaults) {
  struct Case {
    const ConfigKey& key;
    std::optional<std::string> stored;
    int number;
  };
  const Case cases[] = {
      {程序::窗口宽度, std::nullopt, 788},
      {程序::窗口宽度, "0", 788},
      {程序::窗口宽度, "abc", 788},
      {程序::窗口宽度, "1024", 1024},
      {程序::窗口宽度, " 1024px", 1024},
      {程序::窗口高度, "0", 597},
      // Only where the vocabulary says so does 0 mean the default.
      {页面::默认字体大小, std::nullopt, 11},
      {页面::默认字体大小, "0", 0},
      {页面::默认字体大小, "14", 14},
      {页面::文本颜色, "255", 255},
      {页面::文本颜色, "", 32768},
      {程序::窗口左边, "-20", -20},
      {程序::窗口左边, std::nullopt, 0},
      {程序::淡入淡出速度, "3", 3},
      {云::默认使用的云输入法, "2", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key.key) + " = " + c.stored.value_or("(absent)"));
    store(c.key, c.stored);
    EXPECT_EQ(config_int(c.key), c.number);
  }
}

TEST_F(ConfigFileTest, IndexPlusOneKeysStoreThePositionPlusOne) {
  const std::pair<const ConfigKey&, int> cases[] = {
      {程序::淡入淡出速度, 0}, {程序::淡入淡出速度, 2},     {云::拼音模式, 0},
      {云::双拼风格, 5},       {迷你::默认启用搜索引擎, 3}, {页面::自动定时保存时间, 9},
  };
  for (const auto& [key, index] : cases) {
    SCOPED_TRACE(std::string(key.key) + " " + std::to_string(index));
    config_set_index(key, index);
    EXPECT_EQ(config_read(key.section, key.key), std::to_string(index + 1));
    EXPECT_EQ(config_index(key), index);
  }
  config_set_index(云::输出模式, 1);
  EXPECT_EQ(config_read("云输入法设置", "输出模式"), "1");
}

TEST_F(ConfigFileTest, OpacityIsReadWithinVisibleRange) {
  const std::pair<std::optional<std::string>, int> cases[] = {
      {std::nullopt, 255}, {"0", 255},   {"abc", 255}, {"1", 155},    {"154", 155}, {"155", 155},
      {"200", 200},        {"255", 255}, {"256", 255}, {"1000", 255}, {"-3", 155},
  };
  for (const auto& [stored, opacity] : cases) {
    SCOPED_TRACE(stored.value_or("(absent)"));
    store(程序::窗口透明度, stored);
    EXPECT_EQ(config_int(程序::窗口透明度), opacity);
  }
}

TEST_F(ConfigFileTest, BossKeyDefaultsHoldOnlyWhileBothNumbersAreZero) {
  struct Case {
    std::optional<std::string> modifiers, key_code, description;
    int read_modifiers, read_key_code;
    std::string read_description;
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, std::nullopt, 4, 68, "Shift + D"},
      {"0", "0", "Ctrl + Q", 4, 68, "Shift + D"},
      {"0", "65", "A", 0, 65, "A"},
      {"2", std::nullopt, "Ctrl + ?", 2, 0, "Ctrl + ?"},
      {"3", "81", std::nullopt, 3, 81, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.modifiers.value_or("-") + " / " + c.key_code.value_or("-"));
    store(程序::功能键状态, c.modifiers);
    store(程序::键代码, c.key_code);
    store(程序::老板键文本描述, c.description);
    EXPECT_EQ(config_int(程序::功能键状态), c.read_modifiers);
    EXPECT_EQ(config_int(程序::键代码), c.read_key_code);
    EXPECT_EQ(config_text(程序::老板键文本描述), c.read_description);
  }
}

TEST_F(ConfigFileTest, LongValuesAreCutToTheReadBuffer) {
  // The buffer holds 10240 bytes with the terminator; the file keeps the whole value.
  const std::pair<int, int> cases[] = {{10238, 10238}, {10239, 10239}, {10240, 10239}, {20000, 10239}};
  for (const auto& [written, read] : cases) {
    SCOPED_TRACE(written);
    new_file();
    config_write("上次打开目录", "打开文件", std::string(written, 'a'));
    EXPECT_EQ(config_read("上次打开目录", "打开文件"), std::string(read, 'a'));
    EXPECT_NE(file_bytes().find(std::string(written, 'a') + "\r\n"), std::string::npos);
  }
}

}  // namespace
