#pragma once
// The configuration file "Config_Vel.ini" in the program directory and its whole vocabulary.
//
// Nothing is held in memory: readers read the file when they need a value, writers write at
// once, and no operation reports failure (a failed write leaves the program with the value it
// already applied). Every section and key lives in the table below, in namespace cfg; later
// code reads and writes through the typed helpers so that each key keeps its value form.
#include <climits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Program directory + "Config_Vel.ini", set once at start-up.
const std::string& config_path();
void set_config_path(std::string path);

// The stored text with every leading byte up to 32 removed; "" when missing.
std::string config_read(std::string_view section, std::string_view key);
// An empty value is stored as "key=".
void config_write(std::string_view section, std::string_view key, std::string_view value);
void config_delete(std::string_view section, std::string_view key);

enum class ConfigForm : unsigned char {
  kFlag,           // "真" when on, deleted when off; on only when it reads "真"
  kFlagDefaultOn,  // "假" when off, deleted when on; on unless it reads "假"
  kCloudFlag,      // "假" when off, deleted when on; on only while absent or empty
  kBoolText,       // "真" or "假", both written; empty reads as the default
  kInteger,
  kColour,        // Windows RGB value (red in the low byte) as a decimal integer
  kIndex,         // 0-based position of a combo-box item
  kIndexPlusOne,  // that position + 1
  kText,
  kFolder,  // ends in "\"; the default is relative to the program directory
};

enum class ConfigDefault : unsigned char {
  kNone,              // no default: empty reads as 0 or ""
  kWhenEmpty,         // empty (or absent) reads as the default
  kWhenEmptyOrZero,   // a stored 0 also means the default
  kWhileBossKeyUnset  // the default holds while "功能键状态" and "键代码" both read 0
};

struct ConfigKey {
  std::string_view section;
  std::string_view key;
  ConfigForm form;
  ConfigDefault fallback = ConfigDefault::kWhenEmpty;
  // Numbers as stored in the file (an index+1 key holds index + 1); for boolean text 1 is on.
  int number = 0;
  // Text default; for a folder, the part after the program directory.
  std::string_view text = {};
  // Numeric and text writers delete instead of storing a value equal to the default. Flags
  // need no mark: their form already deletes the default state.
  bool deleted_at_default = false;
  // Numbers read outside this range are brought into it.
  int low = INT_MIN;
  int high = INT_MAX;

  constexpr ConfigKey zero_is_default() const {
    ConfigKey k = *this;
    k.fallback = ConfigDefault::kWhenEmptyOrZero;
    return k;
  }
  constexpr ConfigKey deletes_default() const {
    ConfigKey k = *this;
    k.deleted_at_default = true;
    return k;
  }
  constexpr ConfigKey clamped(int lowest, int highest) const {
    ConfigKey k = *this;
    k.low = lowest;
    k.high = highest;
    return k;
  }
  constexpr ConfigKey while_boss_key_unset() const {
    ConfigKey k = *this;
    k.fallback = ConfigDefault::kWhileBossKeyUnset;
    return k;
  }
};

// Typed access. A flag helper on a non-flag key, or a number helper on a text key, is a
// programming error and behaves as if the key held the other form.

// Flag forms and boolean text.
bool config_flag(const ConfigKey& k);
void config_set_flag(const ConfigKey& k, bool on);
// Integer, colour and index forms, as stored (an index+1 key gives index + 1): the default
// when empty (or 0 where the key says so), then brought into the key's range.
int config_int(const ConfigKey& k);
// The stored number, or nothing when the key is absent or empty (for keys without a default).
std::optional<int> config_int_if_set(const ConfigKey& k);
void config_set_int(const ConfigKey& k, int value);
// Combo-box position: the stored number, minus 1 for index+1 keys.
int config_index(const ConfigKey& k);
void config_set_index(const ConfigKey& k, int index);
// Text and folder forms: the stored text, or the default when empty (a folder default is the
// program directory with the table's part after it).
std::string config_text(const ConfigKey& k);
void config_set_text(const ConfigKey& k, std::string_view value);
// Removes the key whatever its form (e.g. the window position when remembering is switched off).
void config_remove(const ConfigKey& k);

// Every key of the table, each once.
std::span<const ConfigKey* const> config_vocabulary();

namespace cfg {

namespace row {
constexpr ConfigKey flag(std::string_view s, std::string_view k) { return {s, k, ConfigForm::kFlag}; }
constexpr ConfigKey flag_default_on(std::string_view s, std::string_view k) {
  return {s, k, ConfigForm::kFlagDefaultOn, ConfigDefault::kWhenEmpty, 1};
}
constexpr ConfigKey cloud_flag(std::string_view s, std::string_view k) {
  return {s, k, ConfigForm::kCloudFlag, ConfigDefault::kWhenEmpty, 1};
}
constexpr ConfigKey bool_text(std::string_view s, std::string_view k, bool default_on) {
  return {s, k, ConfigForm::kBoolText, ConfigDefault::kWhenEmpty, default_on ? 1 : 0};
}
constexpr ConfigKey integer(std::string_view s, std::string_view k, int default_value) {
  return {s, k, ConfigForm::kInteger, ConfigDefault::kWhenEmpty, default_value};
}
constexpr ConfigKey integer(std::string_view s, std::string_view k) {
  return {s, k, ConfigForm::kInteger, ConfigDefault::kNone};
}
constexpr ConfigKey colour(std::string_view s, std::string_view k, int default_rgb) {
  return {s, k, ConfigForm::kColour, ConfigDefault::kWhenEmpty, default_rgb};
}
constexpr ConfigKey index(std::string_view s, std::string_view k, int default_index) {
  return {s, k, ConfigForm::kIndex, ConfigDefault::kWhenEmpty, default_index};
}
constexpr ConfigKey index_plus_one(std::string_view s, std::string_view k, int default_index) {
  return {s, k, ConfigForm::kIndexPlusOne, ConfigDefault::kWhenEmpty, default_index + 1};
}
constexpr ConfigKey index_plus_one(std::string_view s, std::string_view k) {
  return {s, k, ConfigForm::kIndexPlusOne, ConfigDefault::kNone};
}
constexpr ConfigKey text(std::string_view s, std::string_view k, std::string_view default_text) {
  return {s, k, ConfigForm::kText, ConfigDefault::kWhenEmpty, 0, default_text};
}
constexpr ConfigKey text(std::string_view s, std::string_view k) {
  return {s, k, ConfigForm::kText, ConfigDefault::kNone};
}
constexpr ConfigKey folder(std::string_view s, std::string_view k, std::string_view under_program_dir = {}) {
  return {s, k, ConfigForm::kFolder, ConfigDefault::kWhenEmpty, 0, under_program_dir};
}
}  // namespace row

// The main window and program behaviour.
namespace 程序设置 {
inline constexpr std::string_view kSection = "程序设置";
inline constexpr ConfigKey 关闭淡入淡出效果 = row::flag(kSection, "关闭淡入淡出效果");
inline constexpr ConfigKey 环境监测优化完毕 = row::flag(kSection, "环境监测优化完毕");
// "快", "中", "慢"; a fade step lasts the stored value x 5 ms. Every choice is stored.
inline constexpr ConfigKey 淡入淡出速度 = row::index_plus_one(kSection, "淡入淡出速度", 1);
inline constexpr ConfigKey 强制淡进淡出 = row::flag(kSection, "强制淡进淡出");
// A hand-edited value below 155 would make every window nearly invisible.
inline constexpr ConfigKey 窗口透明度 =
    row::integer(kSection, "窗口透明度", 255).zero_is_default().deletes_default().clamped(155, 255);
inline constexpr ConfigKey 取消纪录窗口位置 = row::flag(kSection, "取消纪录窗口位置");
// Absent: the window keeps the place start-up gives it.
inline constexpr ConfigKey 窗口左边 = row::integer(kSection, "窗口左边");
inline constexpr ConfigKey 窗口顶边 = row::integer(kSection, "窗口顶边");
inline constexpr ConfigKey 窗口宽度 = row::integer(kSection, "窗口宽度", 788).zero_is_default();
inline constexpr ConfigKey 窗口高度 = row::integer(kSection, "窗口高度", 597).zero_is_default();
// The window handle of the hand-over box, for a second instance.
inline constexpr ConfigKey 进程通信钥匙 = row::integer(kSection, "进程通信钥匙");
inline constexpr ConfigKey 开启靠边自动隐藏 = row::flag(kSection, "开启靠边自动隐藏");
// Seconds, the index of "0秒" .. "3秒".
inline constexpr ConfigKey 自动隐藏时间 = row::index(kSection, "自动隐藏时间", 0).deletes_default();
inline constexpr ConfigKey 不使用线程打开文件 = row::flag(kSection, "不使用线程打开文件");
inline constexpr ConfigKey 打开时编码自动转换为ANSI = row::flag(kSection, "打开时编码自动转换为ANSI");
inline constexpr ConfigKey 防止文件被重复打开 = row::flag(kSection, "防止文件被重复打开");
inline constexpr ConfigKey 打开文件后自动跳到该页面 = row::flag(kSection, "打开文件后自动跳到该页面");
inline constexpr ConfigKey 标签页上显示关闭按钮 = row::flag_default_on(kSection, "标签页上显示关闭按钮");
inline constexpr ConfigKey 程序默认最前 = row::flag(kSection, "程序默认最前");
inline constexpr ConfigKey 不在主界面显示工具栏 = row::flag(kSection, "不在主界面显示工具栏");
inline constexpr ConfigKey 子窗口不随主窗口移动 = row::flag(kSection, "子窗口不随主窗口移动");
inline constexpr ConfigKey 关闭内存优化功能 = row::flag(kSection, "关闭内存优化功能");
inline constexpr ConfigKey 开启老板键 = row::flag(kSection, "开启老板键");
// The boss key as shown, its modifier bits and its virtual-key code: Shift + D while both
// numbers read 0.
inline constexpr ConfigKey 老板键文本描述 = row::text(kSection, "老板键文本描述", "Shift + D").while_boss_key_unset();
inline constexpr ConfigKey 功能键状态 = row::integer(kSection, "功能键状态", 4).while_boss_key_unset();
inline constexpr ConfigKey 键代码 = row::integer(kSection, "键代码", 68).while_boss_key_unset();
inline constexpr ConfigKey 使用内容的第一行为新文件的标题 =
    row::flag_default_on(kSection, "使用内容的第一行为新文件的标题");
inline constexpr ConfigKey 主界面不显示时间 = row::flag(kSection, "主界面不显示时间");
inline constexpr ConfigKey 关闭窗口吸附效果 = row::flag(kSection, "关闭窗口吸附效果");
inline constexpr ConfigKey 启动时不检测软件更新 = row::flag(kSection, "启动时不检测软件更新");
// The combo text is stored as it is, empty included; empty reads as "-".
inline constexpr ConfigKey 分隔符 = row::text(kSection, "分隔符", "-");
inline constexpr ConfigKey 上一次搜索文件规则 = row::text(kSection, "上一次搜索文件规则", "*.txt");
}  // namespace 程序设置

// Pages, colours, font, auto-save.
namespace 页面设置 {
inline constexpr std::string_view kSection = "页面设置";
inline constexpr ConfigKey 文本颜色 = row::colour(kSection, "文本颜色", 32768).deletes_default();
inline constexpr ConfigKey 背景颜色 = row::colour(kSection, "背景颜色", 13625548).deletes_default();
inline constexpr ConfigKey 使用不同字体 = row::flag(kSection, "使用不同字体");
inline constexpr ConfigKey 使用不同前景和背景 = row::flag(kSection, "使用不同前景和背景");
inline constexpr ConfigKey 开启自动定时保存 = row::flag(kSection, "开启自动定时保存");
// Minutes, index+1 of "1分钟" .. "10分钟"; absent: no periodic saving.
inline constexpr ConfigKey 自动定时保存时间 = row::index_plus_one(kSection, "自动定时保存时间");
// Absent: start-up chooses a face from the system.
inline constexpr ConfigKey 默认字体名称 = row::text(kSection, "默认字体名称");
inline constexpr ConfigKey 默认字体大小 = row::integer(kSection, "默认字体大小", 11);
inline constexpr ConfigKey 默认字体是否加粗 = row::bool_text(kSection, "默认字体是否加粗", true);
inline constexpr ConfigKey 默认字体是否倾斜 = row::bool_text(kSection, "默认字体是否倾斜", false);
inline constexpr ConfigKey 默认字体是否有下划线 = row::bool_text(kSection, "默认字体是否有下划线", false);
inline constexpr ConfigKey 默认字体是否有删除线 = row::bool_text(kSection, "默认字体是否有删除线", false);
}  // namespace 页面设置

// The jump-to-page window.
namespace 页面跳转设置 {
inline constexpr std::string_view kSection = "页面跳转设置";
inline constexpr ConfigKey 默认按照页面名称跳转 = row::flag(kSection, "默认按照页面名称跳转");
inline constexpr ConfigKey 页面跳转完毕后退出 = row::flag(kSection, "页面跳转完毕后退出");
}  // namespace 页面跳转设置

// Batch file operations.
namespace 文件操作设置 {
inline constexpr std::string_view kSection = "文件操作设置";
inline constexpr ConfigKey 不删除到回收站 = row::flag(kSection, "不删除到回收站");
}  // namespace 文件操作设置

// The cloud input method.
namespace 云输入法设置 {
inline constexpr std::string_view kSection = "云输入法设置";
// "默认:QQ拼音云输入法", "默认:百度云输入法", "默认:搜狗云输入法".
inline constexpr ConfigKey 默认使用的云输入法 = row::index(kSection, "默认使用的云输入法", 0).deletes_default();
inline constexpr ConfigKey 程序启动时自动打开云输入法 = row::flag(kSection, "程序启动时自动打开云输入法");
inline constexpr ConfigKey 输入方式 = row::index(kSection, "输入方式", 0);
inline constexpr ConfigKey 输出模式 = row::index(kSection, "输出模式", 0);
inline constexpr ConfigKey 拼音模式 = row::index_plus_one(kSection, "拼音模式", 2);
inline constexpr ConfigKey 双拼风格 = row::index_plus_one(kSection, "双拼风格", 3);
inline constexpr ConfigKey 开启模糊音 = row::cloud_flag(kSection, "开启模糊音");
inline constexpr ConfigKey 同时调用搜搜搜索引擎 = row::cloud_flag(kSection, "同时调用搜搜搜索引擎");
inline constexpr ConfigKey 写云输入法配置到配置文件 = row::cloud_flag(kSection, "写云输入法配置到配置文件");
}  // namespace 云输入法设置

// Translation and online speech.
namespace 谷歌翻译设置 {
inline constexpr std::string_view kSection = "谷歌翻译设置";
// The options window and the speech routine use the same default folder.
inline constexpr ConfigKey 音频文件临时目录 = row::folder(kSection, "音频文件临时目录", "谷歌语音朗读\\");
inline constexpr ConfigKey 音频文件按照名称创建 = row::flag(kSection, "音频文件按照名称创建");
inline constexpr ConfigKey 将原语言标在翻译语句后面 = row::flag(kSection, "将原语言标在翻译语句后面");
inline constexpr ConfigKey 显示对应的拉丁字符的拼音 = row::flag(kSection, "显示对应的拉丁字符的拼音");
}  // namespace 谷歌翻译设置

// Mini mode.
namespace 迷你模式设置 {
inline constexpr std::string_view kSection = "迷你模式设置";
// "百度搜索引擎", "搜搜搜索引擎", "搜狗搜索引擎", "谷歌搜索引擎".
inline constexpr ConfigKey 默认启用搜索引擎 = row::index_plus_one(kSection, "默认启用搜索引擎", 0).deletes_default();
inline constexpr ConfigKey 取消纪录窗口位置 = row::flag(kSection, "取消纪录窗口位置");
inline constexpr ConfigKey 自动进入时间模式 = row::flag(kSection, "自动进入时间模式");
inline constexpr ConfigKey 窗口左边 = row::integer(kSection, "窗口左边");
inline constexpr ConfigKey 窗口顶边 = row::integer(kSection, "窗口顶边");
}  // namespace 迷你模式设置

// The folder each file dialog starts in: the folder of the file last chosen in it.
namespace 上次打开目录 {
inline constexpr std::string_view kSection = "上次打开目录";
inline constexpr ConfigKey 打开文件 = row::folder(kSection, "打开文件");
inline constexpr ConfigKey 截图文件 = row::folder(kSection, "截图文件");
inline constexpr ConfigKey 翻译文件 = row::folder(kSection, "翻译文件");
inline constexpr ConfigKey 歌词文件 = row::folder(kSection, "歌词文件");
inline constexpr ConfigKey 音频文件 = row::folder(kSection, "音频文件");
inline constexpr ConfigKey 语音文件 = row::folder(kSection, "语音文件");
}  // namespace 上次打开目录

}  // namespace cfg
