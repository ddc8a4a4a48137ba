#include "forms/options_window_form.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "common/menu_art.h"
#include "common/options_art.h"
#include "common/skin_art.h"
#include "runtime/tooltip.h"

namespace {

constexpr int W = 696, H = 453;
constexpr int kBottomStrip = 18;
constexpr int kTabTop = kTitleStripHeight + 2, kTabHeight = 24;
constexpr int kPageTop = kTabTop + kTabHeight + 6;
constexpr unsigned kCaptionColor = 0x5A3A20;
constexpr unsigned kGroupTitleColor = 0x8B4513;
constexpr unsigned kGroupFrameColor = 0xC0A880;
constexpr int kRow = 22;  // one check button per row
constexpr int kColumn[] = {12, 250, 476};
constexpr int kColumnWidth[] = {228, 216, 208};

const char* const kTabTooltips[] = {
    "<color=16711680>对本程序进行页面或者其他配置！<Backcolor=16048819><bordercolor=9795920>",
    "<color=16711680>扩展设置<Backcolor=16048819><bordercolor=9795920>",
    "<color=16711680>在不同编码中互转<Backcolor=16048819><bordercolor=9795920>",
    "<color=16711680>对文件进行批量重命名、复制、移动、删除和设置属性<Backcolor=16048819><bordercolor=9795920>",
};

}  // namespace

OptionsWindowForm::OptionsWindowForm() : rt::Window("VelmoraOptions", "Velmora_程序设置", {160, 120, W, H}) {}

OptionsWindowForm& options_window() {
  static OptionsWindowForm form;
  return form;
}

void OptionsWindowForm::build() {
  set_back_color(kSkinBodyColor);
  for (auto& units : pages_) units.clear();
  checks_.clear();
  titled_groups_.clear();
  int page = kProgramPage;

  // Units created first lie on top: the title strip's buttons before its labels, each group's
  // units before its frame.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  auto label = [&](rt::Label& l, rt::Rect r, const char* text) {
    l.create(*this, r, text);
    l.set_transparent(true);
    l.set_text_color(kCaptionColor);
    pages_[page].push_back(&l);
  };
  auto check = [&](rt::GraphicButton& b, int x, int y, const char* caption, const char* tip, int width = 196) {
    b.create(*this, {x, y, width, 20}, caption);
    b.set_check_style(true);
    b.set_text_color(kCaptionColor);
    rt::set_tooltip(b, tip);
    pages_[page].push_back(&b);
    checks_.push_back(&b);
  };
  auto combo = [&](rt::ComboBox& c, rt::Rect r, std::initializer_list<const char*> items, bool editable = false) {
    c.create(*this, r, {.text_field = editable});
    for (const char* item : items) c.add_item(item);
    pages_[page].push_back(&c);
  };
  auto command = [&](rt::GraphicButton& b, rt::Rect r, const char* caption) {
    const auto& look = message_box_button_pictures();
    b.create(*this, r, caption);
    b.set_pictures(look[0], look[1], look[2]);
    b.set_disabled_picture(look[3]);
    b.set_text_color(kButtonCaptionColor);
    pages_[page].push_back(&b);
  };
  auto folder_button = [&](rt::GraphicButton& b, rt::Rect r) {
    b.create(*this, r);
    pages_[page].push_back(&b);
  };
  auto edit = [&](rt::EditBox& e, rt::Rect r, const char* text = "") {
    e.create(*this, r, {.multiline = false}, text);
    pages_[page].push_back(&e);
  };
  // A frame with its title over the top line; created after the units it frames.
  auto group = [&](rt::GroupBox& g, rt::Label& title, rt::Rect r, const char* text) {
    title.create(*this, {r.left + 8, r.top - 7, 12 * 7 + 8, 14}, text);
    title.set_back_color(kSkinBodyColor);
    title.set_text_color(kGroupTitleColor);
    title.set_align(rt::Label::Align::Centre);
    g.create(*this, r, kGroupFrameColor);
    titled_groups_.push_back({{&title}, {&g}});
    pages_[page].push_back(&title);
    pages_[page].push_back(&g);
  };

  // ---- Page "程序设置" ----
  {
    const int x0 = kColumn[0] + 8, x1 = kColumn[1] + 8, x2 = kColumn[2] + 8;
    // 页面设置
    int y = kPageTop + 12;
    label(标签_文本颜色, {x0, y + 2, 64, 18}, "文本颜色：");
    颜色选择器_文本颜色.create(*this, {x0 + 70, y, 120, 22});
    pages_[page].push_back(&颜色选择器_文本颜色);
    y += 26;
    label(标签_背景颜色, {x0, y + 2, 64, 18}, "背景颜色：");
    颜色选择器_背景色.create(*this, {x0 + 70, y, 120, 22});
    pages_[page].push_back(&颜色选择器_背景色);
    y += 28;
    check(超级按钮_使用不同字体, x0, y, "每个页面使用不同字体", "每个页面使用不同的字体，启用此项将占用更多的CPU资源");
    y += kRow;
    check(超级按钮_使用不同前景和背景, x0, y, "使用不同前景和背景", "每个页面使用不同前景色和背景色");
    y += kRow;
    check(超级按钮_开启自动定时保存, x0, y, "开启自动定时保存",
          "如果当前文档修改过但未保存过的话，程序会自动为你保存，可以有效保护突然断电造成的数据丢失……");
    y += kRow + 2;
    label(标签_定时保存, {x0, y + 3, 64, 18}, "定时保存：");
    combo(组合框_定时保存时间, {x0 + 70, y, 120, 22},
          {"1分钟", "2分钟", "3分钟", "4分钟", "5分钟", "6分钟", "7分钟", "8分钟", "9分钟", "10分钟"});
    y += 30;
    group(分组框_页面设置, 标签_页面设置, {kColumn[0], kPageTop + 2, kColumnWidth[0], y - kPageTop - 2}, "页面设置");

    // 云输入法设置
    y += 14;
    int top = y;
    y += 10;
    check(超级按钮_程序启动时自动打开云输入法, x0, y, "自动打开云输入法", "程序启动时自动打开云输入法");
    y += kRow + 2;
    combo(组合框_默认云输入法, {x0, y, 190, 22}, {"默认:QQ拼音云输入法", "默认:百度云输入法", "默认:搜狗云输入法"});
    y += 30;
    group(分组框_云输入法设置, 标签_云输入法设置, {kColumn[0], top, kColumnWidth[0], y - top}, "云输入法设置");

    // 迷你模式设置
    y += 14;
    top = y;
    y += 10;
    label(标签_默认启用搜索, {x0, y + 3, 88, 18}, "默认启用搜索：");
    combo(组合框_搜索引擎, {x0 + 90, y, 122, 22}, {"百度搜索引擎", "搜搜搜索引擎", "搜狗搜索引擎", "谷歌搜索引擎"});
    y += 28;
    check(超级按钮_取消纪录窗口位置_Mini, x0, y, "取消纪录迷你窗口的位置", "使用本功能会取消记住，迷你模式窗口的位置");
    y += kRow;
    check(超级按钮_自动进入时间模式, x0, y, "转为迷你模式后自动进入时间模式",
          "迷你模式分为正常模式和时间模式，时间模式只显示时间，其实在迷你模式中，你也可以双击界面来切换正常模式和时间"
          "模式。",
          kColumnWidth[0] - 12);
    y += kRow + 6;
    group(分组框_迷你模式设置, 标签_迷你模式设置, {kColumn[0], top, kColumnWidth[0], y - top}, "迷你模式设置");

    // 程序设置
    y = kPageTop + 12;
    check(超级按钮_程序默认最前, x1, y, "程序默认最前", "当程序运行后自动最前状态");
    y += kRow;
    check(超级按钮_关闭内存优化, x1, y, "关闭内存优化功能",
          "默认状态是开启的，这样可用减少程序的内存占用，如果影响使用效果，建议关闭！");
    y += kRow;
    check(超级按钮_关闭淡入淡出效果, x1, y, "关闭淡入淡出效果", "如果使用时出现较卡的现象，建议关闭，以提高使用效果！",
          124);
    combo(组合框_淡进淡出速度, {x1 + 130, y - 1, 60, 22}, {"快", "中", "慢"});
    y += kRow + 2;
    check(超级按钮_纪录窗口位置, x1, y, "取消纪录窗口位置",
          "使用本功能会记住窗口的位置与大小，更切合用户的使用习惯，如果不需要可以关闭！右击可将窗口恢复默认……");
    y += kRow;
    check(超级按钮_设置为默认的记事本, x1, y, "设置为默认的记事本", "本程序设置为默认只关联txt文件。");
    y += kRow;
    check(超级按钮_主界面不显示时间, x1, y, "主界面不显示时间",
          "程序默认在主界面显示时间，方便你掌控现在的时间，如果你觉得没有必要的话，可以去掉……");
    y += kRow;
    check(超级按钮_不使用线程打开文件, x1, y, "不使用线程方式打开文件",
          "程序默认使用多线程的方式打开文件，但是有的用户可能遇到程序异常错误退出，所以特别添加了此选项！");
    y += kRow;
    check(超级按钮_吸附效果, x1, y, "关闭窗口吸附效果", "吸附效果就是移动到屏幕边缘一定范围内自动贴近屏幕边缘……");
    y += kRow;
    check(超级按钮_子窗口不随主窗口移动, x1, y, "子窗口不随主窗口移动",
          "默认子窗口随主窗口的移动而改变位置，如果不需要可以关闭……");
    y += kRow;
    check(超级按钮_启动时不检测软件更新, x1, y, "启动时不检测软件更新",
          "启动时不检测软件更新情况，默认关闭此功能，这样可以更快知道软件的更新情况！");
    y += kRow + 8;
    group(分组框_程序设置, 标签_程序设置, {kColumn[1], kPageTop + 2, kColumnWidth[1], y - kPageTop - 2}, "程序设置");

    // 页面跳转设置
    y += 14;
    top = y;
    y += 10;
    check(超级按钮_默认按照页面名称跳转, x1, y, "默认按照页面名称跳转", "默认按照页面名称跳转");
    y += kRow;
    check(超级按钮_页面跳转完毕后退出, x1, y, "页面跳转完毕后退出", "页面跳转完毕后退出");
    y += kRow + 6;
    group(分组框_页面跳转设置, 标签_页面跳转设置, {kColumn[1], top, kColumnWidth[1], y - top}, "页面跳转设置");

    // 谷歌翻译设置
    y = kPageTop + 12;
    check(超级按钮_名称, x2, y, "音频文件按照名称创建",
          "在使用朗读功能的时候要先下载然后才能朗读，所以要创建临时文件。按照音频文件是每次朗读都创建不同的文件，否则只"
          "在当前目录创建一个音频文件！");
    y += kRow;
    label(标签12, {x2, y + 2, 190, 18}, "音频文件临时目录：");
    y += 22;
    edit(编辑框_谷歌临时文件目录, {x2, y, 164, 20});
    folder_button(图形按钮_选择谷歌临时目录, {x2 + 168, y, 22, 20});
    y += 26;
    check(超级按钮_将原语言标在翻译语句后面, x2, y, "将原意思标在翻译语句后面",
          "将原来语句标在翻译后的语句后面。\r\nI know,I know everything.\r\n//我知道，我什么都知道。\r\n"
          "源语言和目标语言相同的此项无效");
    y += kRow;
    check(超级按钮_显示对应的拉丁字符的拼音, x2, y, "显示对应的拉丁字符的拼音",
          "显示对应的拉丁字符的拼音\r\n我知道，我什么都知道。\r\nWǒ zhīdào, wǒ shénme dōu zhīdào.\r\n"
          "这个有字数的限制，多了取不了。");
    y += kRow + 6;
    group(分组框_谷歌翻译设置, 标签_谷歌翻译设置, {kColumn[2], kPageTop + 2, kColumnWidth[2], y - kPageTop - 2},
          "谷歌翻译设置");

    // 其他设置
    y += 14;
    top = y;
    y += 10;
    check(超级按钮_不删除到回收站, x2, y, "不删除到回收站",
          "为了确保操作的可逆性，所以默认删除到回收站，如果你嫌麻烦，可以取消默认删除到回收站，就是永久性的删除……");
    y += kRow;
    check(
        超级按钮_强制淡进淡出, x2, y, "强制启用淡进淡出效果",
        "程序默认是在淡进淡出的过程中检测淡进淡出时间，如果大于等于3秒的话就取消淡进淡出，如果非要淡进淡出，可以启用此"
        "项……");
    y += kRow;
    check(超级按钮_不在主界面显示工具栏, x2, y, "不在主界面显示工具栏", "如果你觉得工具栏多余，可以不显示工具栏！");
    y += kRow;
    check(
        超级按钮_开启靠边自动隐藏, x2, y, "开启靠边自动隐藏",
        "当开启此项时，窗口靠近屏幕边缘，且在一定时间里不操作程序自动隐藏到边缘外，鼠标移动到此窗口又恢复，但是，开启此"
        "项会增加CPU和内存的使用。",
        124);
    combo(组合框_自动隐藏时间, {x2 + 130, y - 1, 60, 22}, {"0秒", "1秒", "2秒", "3秒"});
    y += kRow + 8;
    group(分组框_其他设置, 标签_其他设置, {kColumn[2], top, kColumnWidth[2], y - top}, "其他设置");

    // 程序透明度
    y += 12;
    label(标签_程序透明度, {kColumn[2] + 4, y + 4, 76, 18}, "程序透明度：");
    多功能条_透明度.create(*this, {kColumn[2] + 80, y, kColumnWidth[2] - 80, 26}, 0, 100);
    pages_[page].push_back(&多功能条_透明度);
  }

  // ---- Page "扩展设置" ----
  page = kExtendedPage;
  {
    const int x0 = kColumn[0] + 8;
    const int wide = 300;
    int y = kPageTop + 12;
    check(超级按钮_使用内容的第一行为新文件的标题, x0, y, "使用内容的第一行为新文件的标题",
          "新建一个文件的时候，如果没有被自定义标签标题，将自动使用新文件的第一行部分文字作为新文件的标题。",
          wide - 16);
    y += kRow;
    check(超级按钮_标签页上显示关闭按钮, x0, y, "标签页上显示关闭按钮", "在标签页上显示关闭按钮", wide - 16);
    y += kRow;
    check(超级按钮_打开文件后自动跳到该页面, x0, y, "打开文件后自动跳到该页面",
          "当打开一个文件自动跳到该文件的打开页面，如果打开文件为多数的话跳到最后一个页面……", wide - 16);
    y += kRow;
    check(
        超级按钮_防止文件被重复打开, x0, y, "防止文件在程序中被重复打开",
        "打开文件时检测该文件是否被打开，如果打开了的话就不打开了，然后再跳到该文件的打开页面。注意：这将会降低打开文件"
        "的速度。",
        wide - 16);
    y += kRow;
    check(超级按钮_编码转换为ANSI, x0, y, "打开文件时将其他编码转换为ANSI编码",
          "打开文件时自动将其转换为本程序可读的ANSI编码，转换后不支持显示的字符将被“??”代替，保存的时候不会给任何提示，"
          "请谨慎使用！注意：这将会降低打开文件的速度。",
          wide - 16);
    y += kRow + 8;
    group(分组框_程序增强, 标签_程序增强, {kColumn[0], kPageTop + 2, wide, y - kPageTop - 2}, "程序增强");

    // 老板键设置, beside 程序增强
    const int bx = kColumn[0] + wide + 16, bw = W - bx - 12;
    int by = kPageTop + 12;
    check(超级按钮_开启老板键, bx + 8, by, "开启老板键", "", bw - 24);
    by += kRow + 6;
    编辑框_老板键.create(*this, {bx + 8, by, bw - 90, 22}, {.multiline = false});
    编辑框_老板键.set_disabled(true);
    pages_[page].push_back(&编辑框_老板键);
    command(图形按钮_确定, {bx + bw - 72, by, 60, 23}, "确定");
    by += 34;
    group(分组框_老板键设置, 标签_老板键设置, {bx, kPageTop + 2, bw, by - kPageTop - 2}, "老板键设置");

    // 编辑设置
    y += 14;
    int top = y;
    y += 12;
    label(标签_自定义分隔符, {x0, y + 3, 88, 18}, "自定义分隔符：");
    combo(组合框_分隔符, {x0 + 90, y, 100, 22},
          {"-", "_", "─", "━", "┉", ".", "ˉ", "﹉", "﹊", "～", "~", "≈", "=", "≡", "*", "‥", ">", "∷", "∴", "∵"},
          true);
    y += 30;
    // The preview: the unit repeated 240 times, wrapped over a few lines; five lines hold it for
    // every unit of the list, the full-width ones too.
    标签_预览.create(*this, {x0, y, W - 2 * kColumn[0] - 16, 70});
    标签_预览.set_transparent(true);
    标签_预览.set_text_color(0x8B0000);
    标签_预览.set_vertical_centre(false);
    标签_预览.set_word_wrap(true);
    pages_[page].push_back(&标签_预览);
    y += 78;
    group(分组框_编辑设置, 标签_编辑设置, {kColumn[0], top, W - 2 * kColumn[0], y - top}, "编辑设置");
  }

  // ---- Page "编码转换" ----
  page = kConversionPage;
  {
    超级列表框_操作文件.create(*this, {kColumn[0], kPageTop, W - 2 * kColumn[0], H - kPageTop - kBottomStrip - 48});
    超级列表框_操作文件.add_column("文件名称", 180);
    超级列表框_操作文件.add_column("文件大小", 90);
    超级列表框_操作文件.add_column("文件路径", 380);
    pages_[page].push_back(&超级列表框_操作文件);
    int y = H - kBottomStrip - 38;
    combo(组合框_转换类型, {kColumn[0], y + 1, 200, 22},
          {"转换方式：UTF8到ANSI", "转换方式：Unicode到ANSI", "转换方式：Unicode转UTF8", "转换方式：UTF8转Unicode"});
    组合框_转换类型.set_current(0);
    command(超级按钮_打开文件, {kColumn[0] + 212, y, 80, 24}, "添加文件");
    command(超级按钮_开始转换, {kColumn[0] + 300, y, 80, 24}, "开始转换");
    rt::set_tooltip(超级按钮_开始转换,
                    "开始进行编码转换，注意：程序不会自\r\n动判断原文件的编码格式。转换可能导\r\n致记事本"
                    "程序崩溃，建议保存文档……");
    command(超级按钮_停止转换, {kColumn[0] + 300, y, 80, 24}, "停止转换");
    rt::set_tooltip(超级按钮_停止转换,
                    "当开始编码转换的时候\r\n单击结束本次剩余转换\r\n如果转换文档为1个的时\r\n候，该将操作失效……");
    进度条_转换进度.create(*this, {kColumn[0] + 392, y + 6, W - kColumn[0] * 2 - 392, 12});
    pages_[page].push_back(&进度条_转换进度);
  }

  // ---- Page "文件操作" ----
  page = kFilePage;
  {
    超级列表框_处理的文件.create(*this, {kColumn[0], kPageTop, W - 2 * kColumn[0], 150});
    const std::pair<const char*, int> columns[] = {{"文件名称", 150}, {"文件大小", 80}, {"只读", 40},     {"隐藏", 40},
                                                   {"系统", 40},      {"存档", 40},     {"文件路径", 260}};
    for (const auto& [caption, width] : columns) 超级列表框_处理的文件.add_column(caption, width);
    pages_[page].push_back(&超级列表框_处理的文件);

    // 操作选择
    const int half = (W - 2 * kColumn[0] - 12) / 2;
    const int gx = kColumn[0] + 8;
    int y = kPageTop + 150 + 20;
    const int top = y - 10;
    label(标签_操作目录, {gx, y + 2, 64, 18}, "操作目录：");
    edit(编辑框_操作目录, {gx + 66, y, half - 108, 20});
    folder_button(图形按钮_选择目录, {gx + half - 38, y, 22, 20});
    y += 26;
    label(标签_目标目录, {gx, y + 2, 64, 18}, "目标目录：");
    edit(编辑框_目标目录, {gx + 66, y, half - 108, 20});
    folder_button(图形按钮_目标目录, {gx + half - 38, y, 22, 20});
    y += 28;
    const char* const kAttributeTip = "当操作类型为：批量设置属性，设置或者取消文件的";
    std::string tip = std::string(kAttributeTip);
    check(超级按钮_只读文件, gx, y, "只读", (tip + "只读属性；否则只是设置搜索文件的属性").c_str(), 60);
    check(超级按钮_隐藏文件, gx + 66, y, "隐藏", (tip + "隐藏属性；否则只是设置搜索文件的属性").c_str(), 60);
    check(超级按钮_系统文件属性, gx + 132, y, "系统", (tip + "系统文件属性；否则只是设置搜索文件的属性").c_str(), 60);
    check(超级按钮_存档文件属性, gx + 198, y, "存档", (tip + "存档文件属性；否则只是设置搜索文件的属性").c_str(), 60);
    y += 26;
    combo(组合框_操作类型, {gx, y + 1, half - 16, 22},
          {"操作类型：批量复制文件", "操作类型：批量移动文件", "操作类型：批量删除文件", "操作类型：批量重命名",
           "操作类型：批量设置属性"});
    组合框_操作类型.set_current(0);
    y += 30;
    command(超级按钮_搜索, {gx, y, 80, 24}, "开始搜索");
    rt::set_tooltip(超级按钮_搜索, "按照搜索规则和文件属性来搜索满足条件的文件");
    command(超级按钮_开始执行, {gx + 88, y, 80, 24}, "开始执行");
    rt::set_tooltip(超级按钮_开始执行, "开始执行 操作类型 任务");
    y += 34;
    group(分组框_操作选择, 标签_操作选择, {kColumn[0], top, half, y - top}, "操作选择");

    // 文件命名规范
    const int nx = kColumn[0] + half + 12 + 8, nw = half - 16;
    int ny = top + 10;
    struct Naming {
      rt::Label& label;
      rt::EditBox& box;
      const char* caption;
      const char* text;
    };
    const Naming naming[] = {
        {标签_搜索规则, 编辑框_搜索规则, "搜索规则：", "*.*"},
        {标签_过滤替换, 编辑框_过滤替换, "过滤替换文件名：", ""},
        {标签_改后缀名, 编辑框_改后缀名, "改文件后缀名：", ""},
        {标签_文件前面加, 编辑框_文件前面加, "文件名前面加：", ""},
        {标签_文件后面加, 编辑框_文件后面加, "文件名后面加：", ""},
        {标签_完全自定义文件名称, 编辑框_完全自定义文件名称, "完全自定义名称：", ""},
    };
    for (const Naming& n : naming) {
      label(n.label, {nx, ny + 2, 100, 18}, n.caption);
      edit(n.box, {nx + 102, ny, nw - 102, 20}, n.text);
      ny += 24;
    }
    group(分组框_文件命名规范, 标签_文件命名规范, {kColumn[0] + half + 12, top, half, y - top}, "文件命名规范");

    // The log line, and the progress of a running operation in its place.
    y += 8;
    edit(编辑框_日志, {kColumn[0], y, W - 2 * kColumn[0], 20},
         "欢迎使用文件操作功能，本功能可以为你节约很多的操作时间……");
    编辑框_日志.set_read_only(true);
    透明标签_日志.create(*this, {kColumn[0], y, W - 2 * kColumn[0], 20});
    透明标签_日志.set_transparent(true);
    透明标签_日志.set_text_color(0xFF0000);
    pages_[page].push_back(&透明标签_日志);
    y += 22;
    进度条_文件执行进度.create(*this, {kColumn[0], y, W - 2 * kColumn[0], 10});
    pages_[page].push_back(&进度条_文件执行进度);
  }

  // The frame and the tab control, beneath everything on the pages.
  标签_左上.create(*this, {0, 0, 18, kTitleStripHeight});
  标签_上中.create(*this, {18, 0, W - 22, kTitleStripHeight}, "   程序设置");
  标签_右上.create(*this, {W - 4, 0, 4, kTitleStripHeight});
  标签_左中.create(*this, {0, kTitleStripHeight, 2, H - kTitleStripHeight - kBottomStrip});
  标签_右中.create(*this, {W - 2, kTitleStripHeight, 2, H - kTitleStripHeight - kBottomStrip});
  标签_左下.create(*this, {0, H - kBottomStrip, 4, kBottomStrip});
  标签_下中.create(*this, {4, H - kBottomStrip, W - 8, kBottomStrip});
  标签_右下.create(*this, {W - 4, H - kBottomStrip, 4, kBottomStrip});
  标签_下中.set_align(rt::Label::Align::Right);
  标签_下中.set_text_color(0x808080);
  高级选择夹_功能.create(*this, {4, kTabTop, W - 8, kTabHeight});
  const char* const kTabs[] = {"程序设置", "扩展设置", "编码转换", "文件操作"};
  for (int i = 0; i < 4; ++i) {
    高级选择夹_功能.insert(kTabs[i]);
    高级选择夹_功能.set_tooltip(i, kTabTooltips[i]);
  }
  高级选择夹_功能.set_current(kProgramPage);
  for (int p = kExtendedPage; p <= kFilePage; ++p)
    for (rt::Unit* u : pages_[static_cast<size_t>(p)]) u->set_visible(false);
  // Shown only while a conversion or a batch operation runs: the pages leave them hidden.
  for (rt::Unit* busy :
       std::initializer_list<rt::Unit*>{&超级按钮_停止转换, &进度条_转换进度, &透明标签_日志, &进度条_文件执行进度}) {
    busy->set_visible(false);
    for (auto& units : pages_) std::erase(units, busy);
  }
  超级按钮_强制淡进淡出.set_disabled(true);

  超级菜单.create(*this);
  for (int index : menu_image_indexes()) 超级菜单.set_image(index, menu_image(index));

  set_dialog_keys({.cancel = &图形按钮_关闭小});
  bind_options_window(*this);
}

std::vector<rt::Window::Overlap> OptionsWindowForm::intended_overlaps() {
  std::vector<Overlap> overlaps = titled_groups_;
  overlaps.push_back(title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标}));
  return overlaps;
}
