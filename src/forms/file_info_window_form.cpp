#include "forms/file_info_window_form.h"

#include "common/skin.h"
#include "common/skin_art.h"

namespace {
// The facts end 352 pixels down; the OK button has its own row under them.
constexpr int W = 400, H = 396;
constexpr unsigned kCaptionColor = 0x5A3A20;
constexpr unsigned kValueColor = 0x8B4513;
}  // namespace

FileInfoWindowForm::FileInfoWindowForm() : rt::Window("VelmoraFileInfo", "Velmora_文件信息", {200, 200, W, H}) {}

FileInfoWindowForm& file_info_window() {
  static FileInfoWindowForm form;
  return form;
}

void FileInfoWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  struct Row {
    rt::Label& caption;
    rt::EditBox& box;
    const char* text;
    bool read_only;
  };
  const Row rows[] = {
      {透明标签_文件名称, 编辑框_文件名称, "文件名称：", true},
      {透明标签_文件后缀名, 编辑框_文件后缀名, "后缀名：", true},
      {透明标签_文件路径, 编辑框_文件路径, "文件路径：", true},
      {透明标签_文件大小, 编辑框_文件大小, "文件大小：", true},
      {透明标签_创建时间, 编辑框_创建时间, "创建时间：", false},
      {透明标签_修改时间, 编辑框_修改时间, "修改时间：", false},
      {透明标签_访问时间, 编辑框_访问时间, "访问时间：", false},
  };
  int y = 34;
  for (const Row& r : rows) {
    r.caption.create(*this, {12, y, 72, 22}, r.text);
    r.caption.set_transparent(true);
    r.caption.set_text_color(kCaptionColor);
    r.box.create(*this, {88, y, W - 100, 22}, {.multiline = false, .read_only = r.read_only});
    y += 28;
  }

  透明标签_文件属性.create(*this, {12, y, 72, 20}, "文件属性：");
  struct Attribute {
    rt::GraphicButton& button;
    const char* caption;
  };
  const Attribute attributes[] = {{超级按钮_只读文件, "只读"},
                                  {超级按钮_隐藏文件, "隐藏"},
                                  {超级按钮_系统文件属性, "系统"},
                                  {超级按钮_存档文件属性, "存档"}};
  int x = 88;
  for (const Attribute& a : attributes) {
    a.button.create(*this, {x, y, 70, 20}, a.caption);
    a.button.set_check_style(true);
    a.button.set_text_color(kCaptionColor);
    x += 76;
  }
  y += 30;

  struct Fact {
    rt::Label& caption;
    rt::Label& value;
    rt::Rect place;  // of the caption; the value follows it
    const char* text;
  };
  const Fact facts[] = {
      {透明标签_页面总数, 标签_页面总数, {12, y, 72, 20}, "页面总数："},
      {透明标签_当前页面, 标签_当前页面, {200, y, 72, 20}, "当前页面："},
      {透明标签_修改状态, 标签_修改状态, {12, y + 24, 72, 20}, "修改状态："},
      {透明标签_文本颜色, 标签_文本颜色, {12, y + 48, 72, 20}, "文本颜色："},
      {透明标签_背景颜色, 标签_背景颜色, {200, y + 48, 72, 20}, "背景颜色："},
      {透明标签_字体名称, 标签_字体名称, {12, y + 72, 72, 20}, "编辑框字体："},
  };
  for (const Fact& f : facts) {
    f.caption.create(*this, f.place, f.text);
    f.value.create(*this, {f.place.left + 76, f.place.top, 110, 20});
    for (rt::Label* l : {&f.caption, &f.value}) l->set_transparent(true);
    f.caption.set_text_color(kCaptionColor);
    f.value.set_text_color(kValueColor);
  }
  透明标签_文件属性.set_transparent(true);
  透明标签_文件属性.set_text_color(kCaptionColor);
  标签_字体名称.set_width(W - 12 - 88);

  const auto& look = message_box_button_pictures();
  图形按钮_确定.create(*this, {W - 84, H - 34, 72, 24}, "确定");
  图形按钮_确定.set_pictures(look[0], look[1], look[2]);
  图形按钮_确定.set_disabled_picture(look[3]);
  图形按钮_确定.set_text_color(kButtonCaptionColor);

  create_tool_window_frame(*this, frame_labels(), "   文件信息");

  set_dialog_keys({.cancel = &图形按钮_关闭小, .defaults = {&图形按钮_确定}});

  bind_file_info_window(*this);
}

std::vector<rt::Window::Overlap> FileInfoWindowForm::intended_overlaps() {
  return {title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标})};
}
