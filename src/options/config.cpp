#include "options/config.h"

#include <algorithm>
#include <cmath>

#include "runtime/app.h"
#include "runtime/gbk_text.h"
#include "runtime/ini.h"

namespace {

std::string g_config_path;

namespace 程序 = cfg::程序设置;
namespace 页面 = cfg::页面设置;
namespace 跳转 = cfg::页面跳转设置;
namespace 文件 = cfg::文件操作设置;
namespace 云 = cfg::云输入法设置;
namespace 翻译 = cfg::谷歌翻译设置;
namespace 迷你 = cfg::迷你模式设置;
namespace 目录 = cfg::上次打开目录;

constexpr const ConfigKey* kVocabulary[] = {
    &程序::关闭淡入淡出效果,
    &程序::环境监测优化完毕,
    &程序::淡入淡出速度,
    &程序::强制淡进淡出,
    &程序::窗口透明度,
    &程序::取消纪录窗口位置,
    &程序::窗口左边,
    &程序::窗口顶边,
    &程序::窗口宽度,
    &程序::窗口高度,
    &程序::进程通信钥匙,
    &程序::开启靠边自动隐藏,
    &程序::自动隐藏时间,
    &程序::不使用线程打开文件,
    &程序::打开时编码自动转换为ANSI,
    &程序::防止文件被重复打开,
    &程序::打开文件后自动跳到该页面,
    &程序::标签页上显示关闭按钮,
    &程序::程序默认最前,
    &程序::不在主界面显示工具栏,
    &程序::子窗口不随主窗口移动,
    &程序::关闭内存优化功能,
    &程序::开启老板键,
    &程序::老板键文本描述,
    &程序::功能键状态,
    &程序::键代码,
    &程序::使用内容的第一行为新文件的标题,
    &程序::主界面不显示时间,
    &程序::关闭窗口吸附效果,
    &程序::启动时不检测软件更新,
    &程序::分隔符,
    &程序::上一次搜索文件规则,
    &页面::文本颜色,
    &页面::背景颜色,
    &页面::使用不同字体,
    &页面::使用不同前景和背景,
    &页面::开启自动定时保存,
    &页面::自动定时保存时间,
    &页面::默认字体名称,
    &页面::默认字体大小,
    &页面::默认字体是否加粗,
    &页面::默认字体是否倾斜,
    &页面::默认字体是否有下划线,
    &页面::默认字体是否有删除线,
    &跳转::默认按照页面名称跳转,
    &跳转::页面跳转完毕后退出,
    &文件::不删除到回收站,
    &云::默认使用的云输入法,
    &云::程序启动时自动打开云输入法,
    &云::输入方式,
    &云::输出模式,
    &云::拼音模式,
    &云::双拼风格,
    &云::开启模糊音,
    &云::同时调用搜搜搜索引擎,
    &云::写云输入法配置到配置文件,
    &翻译::音频文件临时目录,
    &翻译::音频文件按照名称创建,
    &翻译::将原语言标在翻译语句后面,
    &翻译::显示对应的拉丁字符的拼音,
    &迷你::默认启用搜索引擎,
    &迷你::取消纪录窗口位置,
    &迷你::自动进入时间模式,
    &迷你::窗口左边,
    &迷你::窗口顶边,
    &目录::打开文件,
    &目录::截图文件,
    &目录::翻译文件,
    &目录::歌词文件,
    &目录::音频文件,
    &目录::语音文件,
};

// A key listed twice, or two constants naming the same key, would let two readers disagree.
constexpr bool each_key_once() {
  for (const ConfigKey* a : kVocabulary) {
    int same = 0;
    for (const ConfigKey* b : kVocabulary) {
      if (a->section == b->section && a->key == b->key) ++same;
    }
    if (same != 1) return false;
  }
  return true;
}
static_assert(each_key_once());

// The runtime's text-to-number conversion, truncated and held within int.
int to_int(std::string_view text) {
  double d = rt::text_to_number(text);
  if (std::isnan(d)) return 0;
  if (d <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (d >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(d);
}

std::string read(const ConfigKey& k) { return config_read(k.section, k.key); }

bool boss_key_unset() { return to_int(read(程序::功能键状态)) == 0 && to_int(read(程序::键代码)) == 0; }

int clamp_to_range(const ConfigKey& k, int value) { return std::clamp(value, k.low, k.high); }

std::string default_text(const ConfigKey& k) {
  if (k.form == ConfigForm::kFolder) return rt::program_directory() + std::string(k.text);
  return std::string(k.text);
}

void store_number(const ConfigKey& k, int stored) {
  if (k.deleted_at_default && k.fallback != ConfigDefault::kNone && stored == k.number) {
    config_delete(k.section, k.key);
  } else {
    config_write(k.section, k.key, rt::int_to_text(stored));
  }
}

}  // namespace

const std::string& config_path() { return g_config_path; }

void set_config_path(std::string path) { g_config_path = std::move(path); }

std::string config_read(std::string_view section, std::string_view key) {
  std::string value = rt::ini_read(g_config_path, section, key);
  std::size_t first = 0;
  while (first < value.size() && static_cast<unsigned char>(value[first]) <= 32) ++first;
  return value.substr(first);
}

void config_write(std::string_view section, std::string_view key, std::string_view value) {
  rt::ini_write(g_config_path, section, key, value);
}

void config_delete(std::string_view section, std::string_view key) { rt::ini_delete(g_config_path, section, key); }

bool config_flag(const ConfigKey& k) {
  std::string v = read(k);
  switch (k.form) {
    case ConfigForm::kFlagDefaultOn:
      return v != "假";
    case ConfigForm::kCloudFlag:
      return v.empty();
    case ConfigForm::kBoolText:
      return v.empty() ? k.number != 0 : v == "真";
    default:
      return v == "真";
  }
}

void config_set_flag(const ConfigKey& k, bool on) {
  switch (k.form) {
    case ConfigForm::kFlagDefaultOn:
    case ConfigForm::kCloudFlag:
      if (on) {
        config_delete(k.section, k.key);
      } else {
        config_write(k.section, k.key, "假");
      }
      return;
    case ConfigForm::kBoolText:
      config_write(k.section, k.key, on ? "真" : "假");
      return;
    default:
      if (on) {
        config_write(k.section, k.key, "真");
      } else {
        config_delete(k.section, k.key);
      }
      return;
  }
}

std::optional<int> config_int_if_set(const ConfigKey& k) {
  std::string v = read(k);
  if (v.empty()) return std::nullopt;
  return clamp_to_range(k, to_int(v));
}

int config_int(const ConfigKey& k) {
  std::string v = read(k);
  switch (k.fallback) {
    case ConfigDefault::kNone:
      break;
    case ConfigDefault::kWhenEmpty:
      if (v.empty()) return k.number;
      break;
    case ConfigDefault::kWhenEmptyOrZero:
      if (v.empty() || to_int(v) == 0) return k.number;
      break;
    case ConfigDefault::kWhileBossKeyUnset:
      if (boss_key_unset()) return k.number;
      break;
  }
  return clamp_to_range(k, to_int(v));
}

void config_set_int(const ConfigKey& k, int value) { store_number(k, value); }

int config_index(const ConfigKey& k) { return config_int(k) - (k.form == ConfigForm::kIndexPlusOne ? 1 : 0); }

void config_set_index(const ConfigKey& k, int index) {
  store_number(k, index + (k.form == ConfigForm::kIndexPlusOne ? 1 : 0));
}

std::string config_text(const ConfigKey& k) {
  // Once a boss key is set, its description is what was stored with it, even empty.
  if (k.fallback == ConfigDefault::kWhileBossKeyUnset) return boss_key_unset() ? std::string(k.text) : read(k);
  std::string v = read(k);
  if (!v.empty() || k.fallback == ConfigDefault::kNone) return v;
  return default_text(k);
}

void config_set_text(const ConfigKey& k, std::string_view value) {
  if (k.deleted_at_default && k.fallback != ConfigDefault::kNone && value == default_text(k)) {
    config_delete(k.section, k.key);
  } else {
    config_write(k.section, k.key, value);
  }
}

void config_remove(const ConfigKey& k) { config_delete(k.section, k.key); }

std::span<const ConfigKey* const> config_vocabulary() { return kVocabulary; }
