#include "options/options_window.h"

#include "app/boss_key.h"
#include "app/edge_hide.h"
#include "app/housekeeping.h"
#include "options/boss_key_settings.h"

#include <initializer_list>
#include <string>

#include "app/main_frame.h"
#include "app/snapping.h"
#include "common/window_rules.h"
#include "common/control_routines.h"
#include "common/messages.h"
#include "common/options_art.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/tool_window.h"
#include "common/window_fade.h"
#include "documents/batch_conversion.h"
#include "documents/batch_files.h"
#include "forms/main_window_form.h"
#include "forms/options_window_form.h"
#include "options/config.h"
#include "options/default_editor.h"
#include "options/option_values.h"
#include "options/transparency.h"
#include "pages/closing.h"
#include "pages/open_path_list.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/gbk_text.h"
#include "runtime/tooltip.h"
#include "runtime/window_services.h"
#include "texttools/insertions.h"

namespace {

// The text and background colours the pickers last accepted; a refused colour goes back to it.
unsigned g_option_colors[2] = {32768, 13625548};

namespace 程序 = cfg::程序设置;
namespace 页面 = cfg::页面设置;
namespace 跳转 = cfg::页面跳转设置;
namespace 文件 = cfg::文件操作设置;
namespace 云 = cfg::云输入法设置;
namespace 翻译 = cfg::谷歌翻译设置;
namespace 迷你 = cfg::迷你模式设置;

constexpr unsigned kRed = 0xFF;
constexpr unsigned kFrameColor = 10320709;
constexpr unsigned kActiveLabelColor = 16711680, kGreyLabelColor = 8421504;
constexpr int kDefaultWidth = 788, kDefaultHeight = 597;
constexpr int kSeparatorPreviewUnits = 240;

OptionsWindowForm& ow() { return options_window(); }

int check_state(rt::GraphicButton& b) { return check_button_state(b, ButtonOp::Query); }
void set_check(rt::GraphicButton& b, bool on) { check_button_state(b, ButtonOp::Set, on ? 1 : 0); }

// The check buttons whose click only stores their flag, with the option value each one sets.
struct FlagOption {
  rt::GraphicButton OptionsWindowForm::*button;
  const ConfigKey* key;
  int OptionValues::*flag;  // null: the key is read where it is used
  bool opposite = false;  // the flag is 0 while the option is on
};

const FlagOption kFlagOptions[] = {
    {&OptionsWindowForm::超级按钮_使用不同字体, &页面::使用不同字体, &OptionValues::per_page_font},
    {&OptionsWindowForm::超级按钮_使用不同前景和背景, &页面::使用不同前景和背景, &OptionValues::per_page_colors},
    {&OptionsWindowForm::超级按钮_程序默认最前, &程序::程序默认最前, nullptr},
    {&OptionsWindowForm::超级按钮_关闭内存优化, &程序::关闭内存优化功能, nullptr},
    {&OptionsWindowForm::超级按钮_子窗口不随主窗口移动, &程序::子窗口不随主窗口移动, &OptionValues::children_stay},
    {&OptionsWindowForm::超级按钮_启动时不检测软件更新, &程序::启动时不检测软件更新, nullptr},
    {&OptionsWindowForm::超级按钮_强制淡进淡出, &程序::强制淡进淡出, nullptr},
    {&OptionsWindowForm::超级按钮_编码转换为ANSI, &程序::打开时编码自动转换为ANSI, &OptionValues::detect_encoding},
    {&OptionsWindowForm::超级按钮_打开文件后自动跳到该页面, &程序::打开文件后自动跳到该页面,
     &OptionValues::jump_to_opened},
    {&OptionsWindowForm::超级按钮_默认按照页面名称跳转, &跳转::默认按照页面名称跳转, nullptr},
    {&OptionsWindowForm::超级按钮_页面跳转完毕后退出, &跳转::页面跳转完毕后退出, nullptr},
    {&OptionsWindowForm::超级按钮_程序启动时自动打开云输入法, &云::程序启动时自动打开云输入法, nullptr},
    {&OptionsWindowForm::超级按钮_取消纪录窗口位置_Mini, &迷你::取消纪录窗口位置, nullptr},
    {&OptionsWindowForm::超级按钮_自动进入时间模式, &迷你::自动进入时间模式, nullptr},
    {&OptionsWindowForm::超级按钮_将原语言标在翻译语句后面, &翻译::将原语言标在翻译语句后面, nullptr},
    {&OptionsWindowForm::超级按钮_显示对应的拉丁字符的拼音, &翻译::显示对应的拉丁字符的拼音, nullptr},
    {&OptionsWindowForm::超级按钮_不删除到回收站, &文件::不删除到回收站, nullptr},
    {&OptionsWindowForm::超级按钮_不使用线程打开文件, &程序::不使用线程打开文件, &OptionValues::open_in_thread, true},
    // Default on: "假" when switched off.
    {&OptionsWindowForm::超级按钮_使用内容的第一行为新文件的标题, &程序::使用内容的第一行为新文件的标题,
     &OptionValues::first_line_title},
};

std::string audio_folder_default() {
  std::string dir = rt::program_directory();
  return normalize_dir_path(dir) + "谷歌语音朗读\\";
}

void set_speed_tip() {
  OptionsWindowForm& f = ow();
  rt::set_tooltip(f.组合框_淡进淡出速度, "淡入淡出速度为：" + f.组合框_淡进淡出速度.text());
}

void set_color_tips() {
  OptionsWindowForm& f = ow();
  rt::set_tooltip(
      f.颜色选择器_文本颜色,
      "文本颜色为：" + rt::int_to_text(static_cast<int>(f.颜色选择器_文本颜色.color())) + "\r\n右击恢复默认颜色");
  rt::set_tooltip(f.颜色选择器_背景色, "背景颜色为：" + rt::int_to_text(static_cast<int>(f.颜色选择器_背景色.color())) +
                                           "\r\n右击恢复默认颜色");
}

void set_autosave_tip(int index) {
  rt::set_tooltip(ow().组合框_定时保存时间, "自动定时保存时间为：" + rt::int_to_text(index + 1) + "分钟");
}

void set_search_engine_tip() {
  OptionsWindowForm& f = ow();
  rt::set_tooltip(f.组合框_搜索引擎, "当前使用搜索引擎为：" + f.组合框_搜索引擎.text());
}

void show_separator_preview(const std::string& unit) {
  ow().标签_预览.set_text(rt::repeat_text(unit, kSeparatorPreviewUnits));
}

// The named-audio-files option enables the folder box and its button, and colours their label.
void show_audio_folder_state(bool on) {
  OptionsWindowForm& f = ow();
  f.标签12.set_text_color(on ? kActiveLabelColor : kGreyLabelColor);
  f.编辑框_谷歌临时文件目录.set_disabled(!on);
  f.图形按钮_选择谷歌临时目录.set_disabled(!on);
}

// A colour chosen in one of the two pickers: index 0 text, 1 background.
void accept_color(int index) {
  OptionsWindowForm& f = ow();
  rt::ColorPicker& picker = index == 0 ? f.颜色选择器_文本颜色 : f.颜色选择器_背景色;
  rt::ColorPicker& other = index == 0 ? f.颜色选择器_背景色 : f.颜色选择器_文本颜色;
  const ConfigKey& key = index == 0 ? 页面::文本颜色 : 页面::背景颜色;
  unsigned c = picker.color();
  if (c == other.color()) {
    picker.set_color(g_option_colors[index]);
    set_color_tips();
    tell_user(0, 16, "颜色值错误！", kRed,
              index == 0
                  ? "  文本颜色不能和背景颜色相同！这个不是我规定的，是眼睛规定的！为了保护你的眼睛，请使用默认的"
                    "颜色配置方案！"
                  : "  背景颜色不能和文本颜色相同！这个不是我规定的，是眼睛规定的！为了保护你的眼睛，请使用默认的"
                    "颜色配置方案！",
              kRed, nullptr, &f);
    return;
  }
  config_set_int(key, static_cast<int>(c));
  std::array<unsigned, 2> colors = options().default_colors;
  colors[static_cast<size_t>(index)] = c;
  set_option(&OptionValues::default_colors, colors);
  g_option_colors[index] = c;
  set_color_tips();
}

void reset_color(int index) {
  OptionsWindowForm& f = ow();
  rt::ColorPicker& picker = index == 0 ? f.颜色选择器_文本颜色 : f.颜色选择器_背景色;
  rt::ColorPicker& other = index == 0 ? f.颜色选择器_背景色 : f.颜色选择器_文本颜色;
  const ConfigKey& key = index == 0 ? 页面::文本颜色 : 页面::背景颜色;
  unsigned fallback = static_cast<unsigned>(key.number);
  if (other.color() == fallback) return;
  picker.set_color(fallback);
  accept_color(index);
}

}  // namespace

unsigned option_color(int index) { return index == 0 || index == 1 ? g_option_colors[index] : 0; }

void reset_options_window() {
  g_option_colors[0] = 32768;
  g_option_colors[1] = 13625548;
}

void open_options_window() { open_tool_window(ow()); }

void fade_out_options_window() {
  OptionsWindowForm& f = ow();
  if (f.loaded()) show_window_faded(f, false);
}

bool on_options_window_may_close() {
  if (batch_pages_busy()) return false;
  fade_out_options_window();
  return true;
}

void close_options_window() { ow().close(); }

void drag_options_window() { move_window_by_title(ow()); }

void show_options_page() {
  OptionsWindowForm& f = ow();
  int current = f.高级选择夹_功能.current();
  // Hide first, so that no two pages show at once.
  for (int p = 0; p < 4; ++p)
    if (p != current)
      for (rt::Unit* u : f.page_units(p)) u->set_visible(false);
  if (current >= 0 && current < 4)
    for (rt::Unit* u : f.page_units(current)) u->set_visible(true);
  show_batch_state_units();
  frame_batch_boxes();
}

void on_options_window_created() {
  OptionsWindowForm& f = ow();
  // 1-2: invisible until it fades in; the skin, the pictures and the pointers.
  dress_tool_window(f, f.frame_labels(), f.图形按钮_程序图标, options_window_icon_picture(), f.图形按钮_关闭小);
  // The bottom strip carries the version: its pieces are the body down to the frame's line.
  const auto bottom = tool_window_bottom_pictures(f.标签_下中.height());
  f.标签_左下.set_picture(bottom[0]);
  f.标签_下中.set_picture(bottom[1]);
  f.标签_右下.set_picture(bottom[2]);
  f.标签_下中.set_text_margin(8);
  f.标签_下中.set_text(std::string(117, ' ') + "程序版本：1.0.0.1");
  rt::CursorHandle pointer = program_pointer_cursor().handle();
  rt::CursorHandle text_cursor = program_text_cursor().handle();
  f.set_mouse_pointer(pointer);
  for (rt::Unit* u : {static_cast<rt::Unit*>(&f.图形按钮_关闭小), static_cast<rt::Unit*>(&f.高级选择夹_功能)})
    u->set_mouse_pointer(pointer);
  for (rt::GraphicButton* b : f.check_buttons()) b->set_mouse_pointer(pointer);
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{
           &f.颜色选择器_文本颜色,       &f.颜色选择器_背景色, &f.组合框_定时保存时间, &f.组合框_淡进淡出速度,
           &f.组合框_默认云输入法,       &f.组合框_搜索引擎,   &f.组合框_自动隐藏时间, &f.组合框_分隔符,
           &f.组合框_转换类型,           &f.组合框_操作类型,   &f.超级列表框_操作文件, &f.超级列表框_处理的文件,
           &f.图形按钮_选择谷歌临时目录, &f.图形按钮_确定,     &f.图形按钮_选择目录,   &f.图形按钮_目标目录,
           &f.超级按钮_打开文件,         &f.超级按钮_开始转换, &f.超级按钮_停止转换,   &f.超级按钮_搜索,
           &f.超级按钮_开始执行,         &f.多功能条_透明度})
    u->set_mouse_pointer(pointer);
  for (rt::EditBox* e : {&f.编辑框_谷歌临时文件目录, &f.编辑框_老板键, &f.编辑框_操作目录, &f.编辑框_目标目录,
                         &f.编辑框_搜索规则, &f.编辑框_过滤替换, &f.编辑框_改后缀名, &f.编辑框_文件前面加,
                         &f.编辑框_文件后面加, &f.编辑框_完全自定义文件名称})
    e->set_mouse_pointer(text_cursor);

  // 3: the colours.
  f.颜色选择器_文本颜色.set_color(static_cast<unsigned>(config_int(页面::文本颜色)));
  f.颜色选择器_背景色.set_color(static_cast<unsigned>(config_int(页面::背景颜色)));
  g_option_colors[0] = f.颜色选择器_文本颜色.color();
  g_option_colors[1] = f.颜色选择器_背景色.color();
  // 4-5: per-page fonts and colours, periodic saving.
  set_check(f.超级按钮_使用不同字体, config_flag(页面::使用不同字体));
  set_check(f.超级按钮_使用不同前景和背景, config_flag(页面::使用不同前景和背景));
  if (config_flag(页面::开启自动定时保存)) {
    set_check(f.超级按钮_开启自动定时保存, true);
    int minutes = config_int(页面::自动定时保存时间);
    if (minutes != 0) {
      f.组合框_定时保存时间.set_current(minutes - 1);
      set_autosave_tip(minutes - 1);
    } else {
      f.组合框_定时保存时间.set_current(0);
      f.组合框_定时保存时间.set_disabled(true);
    }
  } else {
    set_check(f.超级按钮_开启自动定时保存, false);
    f.组合框_定时保存时间.set_disabled(true);
  }
  // 6: the separator as stored, "-" when that leaves the box empty.
  f.组合框_分隔符.set_text(config_read(程序::kSection, 程序::分隔符.key));
  if (f.组合框_分隔符.text().empty()) f.组合框_分隔符.set_current(0);
  show_separator_preview(f.组合框_分隔符.text());
  // 7-11.
  set_check(f.超级按钮_程序默认最前, config_flag(程序::程序默认最前));
  bool fading_off = config_flag(程序::关闭淡入淡出效果);
  set_check(f.超级按钮_关闭淡入淡出效果, fading_off);
  if (fading_off) {
    f.组合框_淡进淡出速度.set_disabled(true);
  } else {
    f.超级按钮_强制淡进淡出.set_disabled(false);
  }
  set_check(f.超级按钮_关闭内存优化, config_flag(程序::关闭内存优化功能));
  set_check(f.超级按钮_纪录窗口位置, config_flag(程序::取消纪录窗口位置));
  set_check(f.超级按钮_设置为默认的记事本, default_notepad_registered());
  set_check(f.超级按钮_启动时不检测软件更新, config_flag(程序::启动时不检测软件更新));
  // 12: the fade speed, "中" when none is stored.
  int speed = config_int(程序::淡入淡出速度);
  f.组合框_淡进淡出速度.set_current(speed != 0 ? speed - 1 : 1);
  if (!fading_off) set_speed_tip();
  // 13.
  set_check(f.超级按钮_子窗口不随主窗口移动, config_flag(程序::子窗口不随主窗口移动));
  set_check(f.超级按钮_吸附效果, config_flag(程序::关闭窗口吸附效果));
  set_check(f.超级按钮_不使用线程打开文件, config_flag(程序::不使用线程打开文件));
  set_check(f.超级按钮_主界面不显示时间, config_flag(程序::主界面不显示时间));
  set_check(f.超级按钮_强制淡进淡出, config_flag(程序::强制淡进淡出));
  set_check(f.超级按钮_不在主界面显示工具栏, config_flag(程序::不在主界面显示工具栏));
  set_check(f.超级按钮_编码转换为ANSI, config_flag(程序::打开时编码自动转换为ANSI));
  // 14-16: from the option values.
  set_check(f.超级按钮_防止文件被重复打开, options().prevent_double_open != 0);
  set_check(f.超级按钮_开启靠边自动隐藏, options().edge_hide_enabled != 0);
  if (!options().edge_hide_enabled) f.组合框_自动隐藏时间.set_disabled(true);
  set_check(f.超级按钮_标签页上显示关闭按钮, options().tab_close_button != 0);
  f.组合框_自动隐藏时间.set_current(config_index(程序::自动隐藏时间));
  set_check(f.超级按钮_打开文件后自动跳到该页面, options().jump_to_opened != 0);
  // 17-19: jump window, cloud input, mini mode.
  set_check(f.超级按钮_默认按照页面名称跳转, config_flag(跳转::默认按照页面名称跳转));
  set_check(f.超级按钮_页面跳转完毕后退出, config_flag(跳转::页面跳转完毕后退出));
  f.组合框_默认云输入法.set_current(config_index(云::默认使用的云输入法));
  set_check(f.超级按钮_程序启动时自动打开云输入法, config_flag(云::程序启动时自动打开云输入法));
  f.组合框_搜索引擎.set_current(config_int(迷你::默认启用搜索引擎) - 1);
  if (f.组合框_搜索引擎.current() < 0) f.组合框_搜索引擎.set_current(0);
  set_check(f.超级按钮_取消纪录窗口位置_Mini, config_flag(迷你::取消纪录窗口位置));
  set_check(f.超级按钮_自动进入时间模式, config_flag(迷你::自动进入时间模式));
  // 20-22: translation and the recycle bin.
  f.编辑框_谷歌临时文件目录.set_text(config_text(翻译::音频文件临时目录));
  bool named = config_flag(翻译::音频文件按照名称创建);
  set_check(f.超级按钮_名称, named);
  show_audio_folder_state(named);
  set_check(f.超级按钮_将原语言标在翻译语句后面, config_flag(翻译::将原语言标在翻译语句后面));
  set_check(f.超级按钮_显示对应的拉丁字符的拼音, config_flag(翻译::显示对应的拉丁字符的拼音));
  set_check(f.超级按钮_不删除到回收站, config_flag(文件::不删除到回收站));
  // 23-24: the boss key as registered now, first-line titles.
  set_check(f.超级按钮_开启老板键, boss_key_registered());
  f.编辑框_老板键.set_disabled(!boss_key_registered());
  set_check(f.超级按钮_使用内容的第一行为新文件的标题, options().first_line_title != 0);
  // 25: the folder buttons' pictures; every attribute box checked.
  const auto& folder = folder_button_pictures();
  for (rt::GraphicButton* b : {&f.图形按钮_选择目录, &f.图形按钮_目标目录, &f.图形按钮_选择谷歌临时目录}) {
    b->set_pictures(folder[0], folder[1], folder[2]);
    b->set_disabled_picture(folder[3]);
  }
  for (rt::GraphicButton* b :
       {&f.超级按钮_只读文件, &f.超级按钮_隐藏文件, &f.超级按钮_系统文件属性, &f.超级按钮_存档文件属性})
    set_check(*b, true);
  reset_batch_pages();
  // 26: the tips of the pickers, the close button and the search engine.
  set_color_tips();
  rt::set_tooltip(f.图形按钮_关闭小, "<font color=red>关闭设置窗口<font>");
  set_search_engine_tip();
}

void on_options_window_shown() {
  OptionsWindowForm& f = ow();
  fade_in_after_first_activation(f);
  f.多功能条_透明度.set_position(slider_of_alpha(config_int(程序::窗口透明度)));
  for (rt::Unit* u :
       std::initializer_list<rt::Unit*>{&f.超级列表框_处理的文件, &f.超级列表框_操作文件, &f.编辑框_老板键})
    install_colored_border(u->handle(), kFrameColor);
  attach_batch_drop_targets();
  f.编辑框_老板键.set_text(config_text(程序::老板键文本描述));
  show_boss_key_group();
}

void toggle_flag_option(rt::GraphicButton& button) {
  OptionsWindowForm& f = ow();
  for (const FlagOption& o : kFlagOptions) {
    if (&(f.*o.button) != &button) continue;
    bool on = check_button_state(button) != 0;
    config_set_flag(*o.key, on);
    if (o.flag) set_option(o.flag, (on != o.opposite) ? 1 : 0);
    return;
  }
}

void toggle_tab_close_button_option() {
  OptionsWindowForm& f = ow();
  MainWindowForm& w = main_window();
  bool on = check_button_state(f.超级按钮_标签页上显示关闭按钮) != 0;
  config_set_flag(程序::标签页上显示关闭按钮, on);
  set_option(&OptionValues::tab_close_button, on ? 1 : 0);
  w.高级选择夹_标签.set_close_button_space(on);
  w.图形按钮_关闭本页.set_visible(on);
  // Over the current tab, once the tabs have their new widths.
  if (on) place_tab_close_button();
}

void toggle_fade_option() {
  OptionsWindowForm& f = ow();
  bool fading_off = check_button_state(f.超级按钮_关闭淡入淡出效果) != 0;
  if (fading_off) {
    config_set_flag(程序::关闭淡入淡出效果, true);
    f.组合框_淡进淡出速度.set_disabled(true);
    config_remove(程序::淡入淡出速度);
    set_option(&OptionValues::fade_enabled, 0);
    f.超级按钮_强制淡进淡出.set_disabled(true);
    config_remove(程序::强制淡进淡出);
    set_check(f.超级按钮_强制淡进淡出, false);
  } else {
    config_set_flag(程序::关闭淡入淡出效果, false);
    f.组合框_淡进淡出速度.set_disabled(false);
    set_option(&OptionValues::fade_enabled, 1);
    f.超级按钮_强制淡进淡出.set_disabled(false);
  }
  // The user has chosen: the first-start check of a small machine must not switch fading off
  // again at the next start.
  config_set_flag(程序::环境监测优化完毕, true);
}

void choose_fade_speed() {
  OptionsWindowForm& f = ow();
  int index = f.组合框_淡进淡出速度.current();
  if (index < 0) return;
  config_set_index(程序::淡入淡出速度, index);
  set_speed_tip();
}

void toggle_edge_hide_option() {
  OptionsWindowForm& f = ow();
  MainWindowForm& w = main_window();
  if (check_button_state(f.超级按钮_开启靠边自动隐藏)) {
    set_option(&OptionValues::edge_hide_enabled, 1);
    f.组合框_自动隐藏时间.set_disabled(false);
    config_set_flag(程序::开启靠边自动隐藏, true);
    // The delay the box shows applies at once; without one the window would never slide.
    choose_edge_hide_delay();
    if (!main_window_maximized()) w.时钟_显示出来.set_interval(250);
    return;
  }
  f.组合框_自动隐藏时间.set_disabled(true);
  f.组合框_自动隐藏时间.set_current(0);
  set_option(&OptionValues::edge_hide_enabled, 0);
  config_set_flag(程序::开启靠边自动隐藏, false);
  config_remove(程序::自动隐藏时间);
  w.时钟_显示出来.set_interval(0);
  put_back_from_edge();
}

void choose_edge_hide_delay() {
  OptionsWindowForm& f = ow();
  if (!check_state(f.超级按钮_开启靠边自动隐藏)) return;
  int seconds = f.组合框_自动隐藏时间.current();
  if (seconds < 0) return;
  config_set_index(程序::自动隐藏时间, seconds);  // 0 removes the key
  set_option(&OptionValues::edge_hide_delay, edge_hide_delay_chosen(seconds));
}

void toggle_autosave_option() {
  OptionsWindowForm& f = ow();
  if (check_button_state(f.超级按钮_开启自动定时保存)) {
    config_set_flag(页面::开启自动定时保存, true);
    choose_autosave_interval();
    f.组合框_定时保存时间.set_disabled(false);
    return;
  }
  config_set_flag(页面::开启自动定时保存, false);
  config_remove(页面::自动定时保存时间);
  set_option(&OptionValues::autosave_interval, 0);
  main_window().时钟_滚动标签.set_interval(0);
  f.组合框_定时保存时间.set_disabled(true);
}

void choose_autosave_interval() {
  OptionsWindowForm& f = ow();
  if (!check_state(f.超级按钮_开启自动定时保存)) return;
  // A stored interval outside the list left none chosen: the first one applies.
  if (f.组合框_定时保存时间.current() < 0) f.组合框_定时保存时间.set_current(0);
  int index = f.组合框_定时保存时间.current();
  set_option(&OptionValues::autosave_interval, (index + 1) * 60000);
  main_window().时钟_滚动标签.set_interval(options().autosave_interval);
  config_set_index(页面::自动定时保存时间, index);
  set_autosave_tip(index);
}

void on_text_color_chosen() { accept_color(0); }
void on_back_color_chosen() { accept_color(1); }
void reset_text_color() { reset_color(0); }
void reset_back_color() { reset_color(1); }

void on_separator_changed() {
  std::string unit = ow().组合框_分隔符.text();
  config_set_text(程序::分隔符, unit);
  show_separator_preview(unit);
  fill_separator_box(unit);
  set_option(&OptionValues::separator_text, unit.empty() ? "-" : unit);
}

void toggle_remember_position_option() {
  OptionsWindowForm& f = ow();
  if (check_button_state(f.超级按钮_纪录窗口位置)) {
    set_option(&OptionValues::remember_position, 0);
    config_set_flag(程序::取消纪录窗口位置, true);
    for (const ConfigKey* k : {&程序::窗口左边, &程序::窗口顶边, &程序::窗口宽度, &程序::窗口高度}) config_remove(*k);
    return;
  }
  set_option(&OptionValues::remember_position, 1);
  config_set_flag(程序::取消纪录窗口位置, false);
  rt::Rect r = main_window().rect();
  config_set_int(程序::窗口左边, r.left);
  config_set_int(程序::窗口顶边, r.top);
  config_set_int(程序::窗口宽度, r.width);
  config_set_int(程序::窗口高度, r.height);
}

void reset_main_window_size() {
  MainWindowForm& w = main_window();
  w.move(w.left(), w.top(), kDefaultWidth, kDefaultHeight);
}

void toggle_toolbar_option() {
  bool hidden = check_button_state(ow().超级按钮_不在主界面显示工具栏) != 0;
  config_set_flag(程序::不在主界面显示工具栏, hidden);
  set_toolbar_hidden(hidden);
}

void toggle_clock_option() {
  bool hidden = check_button_state(ow().超级按钮_主界面不显示时间) != 0;
  config_set_flag(程序::主界面不显示时间, hidden);
  show_main_clock(!hidden);
}

void toggle_double_open_option() {
  bool on = check_button_state(ow().超级按钮_防止文件被重复打开) != 0;
  config_set_flag(程序::防止文件被重复打开, on);
  set_option(&OptionValues::prevent_double_open, on ? 1 : 0);
  if (on)
    rebuild_open_paths();
  else
    clear_open_paths();
}

void toggle_snapping_option() {
  bool off = check_button_state(ow().超级按钮_吸附效果) != 0;
  config_set_flag(程序::关闭窗口吸附效果, off);
  if (off)
    disable_window_snapping(main_window());
  else
    enable_window_snapping(main_window(), 11);
}

void toggle_named_audio_files_option() {
  bool on = check_button_state(ow().超级按钮_名称) != 0;
  config_set_flag(翻译::音频文件按照名称创建, on);
  if (!on) config_remove(翻译::音频文件临时目录);
  show_audio_folder_state(on);
}

void choose_audio_folder() {
  OptionsWindowForm& f = ow();
  std::string folder = choose_folder(f.编辑框_谷歌临时文件目录.text(), "请选择谷歌音频文件临时目录……", f.handle());
  if (!f.loaded()) return;
  if (folder.empty()) {
    f.编辑框_谷歌临时文件目录.set_text(audio_folder_default());
    config_remove(翻译::音频文件临时目录);
    return;
  }
  f.编辑框_谷歌临时文件目录.set_text(folder);
  config_set_text(翻译::音频文件临时目录, folder);
}

void choose_search_engine() {
  int index = ow().组合框_搜索引擎.current();
  if (index < 0) return;
  config_set_index(迷你::默认启用搜索引擎, index);  // the first engine removes the key
  set_search_engine_tip();
}

void choose_cloud_input_method() {
  int index = ow().组合框_默认云输入法.current();
  if (index < 0) return;
  config_set_index(云::默认使用的云输入法, index);  // the first one removes the key
}

void flip_check_button(rt::GraphicButton& button) { check_button_state(button); }

void bind_options_window(OptionsWindowForm& f) {
  // The two lists' menus: the same five commands, each list's own.
  using rt::MenuItem;
  auto menu = [&f](const char* name, void (*add)(), bool (*key)(int, int), rt::ListView& list) {
    f.超级菜单.add_menu(
        MenuItem(name, -1,
                 {MenuItem("添加文件(&T)", -1, add), MenuItem::separator(),
                  MenuItem("全部选中(&A)    Ctrl+A", -1, [key] { key('A', rt::kCtrl); }), MenuItem::separator(),
                  MenuItem("反向选择(&F)    Ctrl+F", -1, [key] { key('F', rt::kCtrl); }), MenuItem::separator(),
                  MenuItem("删除选中(&D)    Del", -1, [key] { key(46, 0); }), MenuItem::separator(),
                  MenuItem("全部删除(&Q)", -1, [&list] { list.clear(); })}));
  };
  menu("文件操作_右键菜单", add_files_to_batch_list, on_batch_list_key, f.超级列表框_处理的文件);
  menu("编码转换_右键菜单", add_files_to_conversion_list, on_conversion_list_key, f.超级列表框_操作文件);

  f.on_created = on_options_window_created;
  f.on_first_activation = on_options_window_shown;
  f.on_may_close = on_options_window_may_close;
  f.图形按钮_关闭小.on_click = close_options_window;
  auto drag = [](int, int, int) {
    drag_options_window();
    return true;
  };
  for (rt::Label* l :
       {&f.标签_左上, &f.标签_上中, &f.标签_右上, &f.标签_左中, &f.标签_右中, &f.标签_左下, &f.标签_下中, &f.标签_右下})
    l->on_left_down = drag;
  // The strip drags the window where it has no tab; a press on a tab chooses it.
  f.高级选择夹_功能.on_left_down = [&f](int x, int y, int) {
    if (f.高级选择夹_功能.tab_at(x, y) < 0) drag_options_window();
    return true;
  };
  f.高级选择夹_功能.on_changed = show_options_page;

  for (rt::GraphicButton* b :
       {&f.超级按钮_使用不同字体, &f.超级按钮_使用不同前景和背景, &f.超级按钮_程序默认最前, &f.超级按钮_关闭内存优化,
        &f.超级按钮_子窗口不随主窗口移动, &f.超级按钮_启动时不检测软件更新, &f.超级按钮_强制淡进淡出,
        &f.超级按钮_编码转换为ANSI, &f.超级按钮_打开文件后自动跳到该页面, &f.超级按钮_默认按照页面名称跳转,
        &f.超级按钮_页面跳转完毕后退出, &f.超级按钮_程序启动时自动打开云输入法, &f.超级按钮_取消纪录窗口位置_Mini,
        &f.超级按钮_自动进入时间模式, &f.超级按钮_将原语言标在翻译语句后面, &f.超级按钮_显示对应的拉丁字符的拼音,
        &f.超级按钮_不删除到回收站, &f.超级按钮_不使用线程打开文件, &f.超级按钮_使用内容的第一行为新文件的标题})
    b->on_click = [b] { toggle_flag_option(*b); };
  f.超级按钮_标签页上显示关闭按钮.on_click = toggle_tab_close_button_option;
  f.超级按钮_关闭淡入淡出效果.on_click = toggle_fade_option;
  f.组合框_淡进淡出速度.on_changed = choose_fade_speed;
  f.超级按钮_开启靠边自动隐藏.on_click = toggle_edge_hide_option;
  f.组合框_自动隐藏时间.on_changed = choose_edge_hide_delay;
  f.超级按钮_开启自动定时保存.on_click = toggle_autosave_option;
  f.组合框_定时保存时间.on_changed = choose_autosave_interval;
  f.颜色选择器_文本颜色.on_changed = on_text_color_chosen;
  f.颜色选择器_背景色.on_changed = on_back_color_chosen;
  f.颜色选择器_文本颜色.on_right_down = [](int, int, int) {
    reset_text_color();
    return true;
  };
  f.颜色选择器_背景色.on_right_down = [](int, int, int) {
    reset_back_color();
    return true;
  };
  f.组合框_分隔符.on_changed = on_separator_changed;
  f.组合框_分隔符.on_edited = on_separator_changed;
  f.超级按钮_纪录窗口位置.on_click = toggle_remember_position_option;
  f.超级按钮_纪录窗口位置.on_right_down = [](int, int, int) {
    reset_main_window_size();
    return true;
  };
  f.超级按钮_设置为默认的记事本.on_click = set_default_notepad;
  f.超级按钮_不在主界面显示工具栏.on_click = toggle_toolbar_option;
  f.超级按钮_主界面不显示时间.on_click = toggle_clock_option;
  f.超级按钮_防止文件被重复打开.on_click = toggle_double_open_option;
  f.超级按钮_吸附效果.on_click = toggle_snapping_option;
  f.超级按钮_名称.on_click = toggle_named_audio_files_option;
  f.图形按钮_选择谷歌临时目录.on_click = choose_audio_folder;
  f.组合框_搜索引擎.on_changed = choose_search_engine;
  f.组合框_默认云输入法.on_changed = choose_cloud_input_method;
  f.多功能条_透明度.on_changed = apply_window_transparency;
  bind_boss_key_group({&f, &f.超级按钮_开启老板键, &f.编辑框_老板键, &f.图形按钮_确定});
  for (rt::GraphicButton* b :
       {&f.超级按钮_只读文件, &f.超级按钮_隐藏文件, &f.超级按钮_系统文件属性, &f.超级按钮_存档文件属性})
    b->on_click = [b] {
      flip_check_button(*b);
      apply_attributes_to_selected_rows();
    };

  // The batch pages.
  f.超级列表框_处理的文件.on_key_down = on_batch_list_key;
  f.超级列表框_处理的文件.on_item_right_clicked = [](int, int x, int y) { show_batch_list_menu(x, y); };
  f.超级列表框_处理的文件.on_current_changed = [](int) { preview_batch_rename(); };
  f.超级列表框_操作文件.on_key_down = on_conversion_list_key;
  f.超级列表框_操作文件.on_item_right_clicked = [](int, int x, int y) { show_conversion_list_menu(x, y); };
  f.超级按钮_打开文件.on_click = add_files_to_conversion_list;
  f.超级按钮_开始转换.on_click = start_encoding_conversion;
  f.超级按钮_停止转换.on_click = stop_encoding_conversion;
  f.图形按钮_选择目录.on_click = choose_batch_folder;
  f.图形按钮_目标目录.on_click = choose_batch_target_folder;
  f.编辑框_操作目录.on_changed = on_batch_folder_changed;
  f.编辑框_操作目录.on_key_down = on_batch_folder_key;
  f.编辑框_目标目录.on_changed = update_batch_start_button;
  f.组合框_操作类型.on_changed = update_batch_start_button;
  f.超级按钮_搜索.on_click = toggle_batch_search;
  f.超级按钮_开始执行.on_click = start_batch_operation;
  for (rt::EditBox* box :
       {&f.编辑框_操作目录, &f.编辑框_目标目录, &f.编辑框_搜索规则, &f.编辑框_过滤替换, &f.编辑框_改后缀名,
        &f.编辑框_文件前面加, &f.编辑框_文件后面加, &f.编辑框_完全自定义文件名称})
    box->on_focus = [box] { show_naming_help(*box); };
}
