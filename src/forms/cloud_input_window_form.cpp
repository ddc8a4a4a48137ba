#include "forms/cloud_input_window_form.h"

#include <initializer_list>

#include "common/skin.h"
#include "common/skin_art.h"

namespace {
// The design has the settings open; the created event narrows the window.
constexpr int W = CloudInputWindowForm::kWideWidth, H = 270;
constexpr unsigned kCaptionColor = 0x5A3A20;
constexpr unsigned kGroupTitleColor = 0x8B4513;
constexpr unsigned kGroupFrameColor = 0xC0A880;
}  // namespace

CloudInputWindowForm::CloudInputWindowForm() : rt::Window("VelmoraCloudInput", "Velmora_云输入法", {300, 260, W, H}) {}

CloudInputWindowForm& cloud_input_window() {
  static CloudInputWindowForm form;
  return form;
}

void CloudInputWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the title strip's buttons before its labels, the group's
  // units before its frame.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  组合框_云输入法.create(*this, {8, 29, 152, 22}, {.list_height = 120});
  for (const char* engine : {"QQ拼音云输入法", "百度云输入法"}) 组合框_云输入法.add_item(engine);
  超级按钮_设置.create(*this, {166, 28, 60, 24}, "设置");
  超级按钮_设置.set_text_color(kButtonCaptionColor);

  编辑框_拼音.create(*this, {8, 57, 164, 22}, {.multiline = false});
  超级按钮_向上.create(*this, {176, 56, 24, 24});
  超级按钮_向下.create(*this, {202, 56, 24, 24});
  列表框_云服务器取到的数据.create(*this, {8, 85, 218, 177});

  // The settings.
  const int x = kNarrowWidth + 12, width = W - x - 18;
  struct Choice {
    rt::ComboBox& combo;
    int top;
    std::initializer_list<const char*> items;
  };
  const Choice choices[] = {
      {组合框_输入方式, 46, {"拼音输入法", "五笔输入法"}},
      {组合框_输出模式切换, 74, {"简体模式", "繁体模式"}},
      {组合框_拼音模式, 102, {"全拼", "双拼", "混合"}},
      {组合框_双拼风格, 130, {"智能ABC", "微软拼音2003", "拼音加加", "紫光拼音", "小鹤双拼", "自然码"}},
  };
  for (const Choice& c : choices) {
    c.combo.create(*this, {x, c.top, width, 22}, {.list_height = 160});
    for (const char* item : c.items) c.combo.add_item(item);
  }
  struct Check {
    rt::GraphicButton& button;
    int top;
    const char* caption;
  };
  const Check checks[] = {
      {超级按钮_开启模糊音, 162, "开启模糊音"},
      {超级按钮_调用引擎搜索, 188, "同时调用搜搜搜索引擎"},
      {超级按钮_顺便写到配置文件, 214, "写云输入法配置到配置文件"},
  };
  for (const Check& c : checks) {
    c.button.create(*this, {x, c.top, width, 20}, c.caption);
    c.button.set_check_style(true);
    c.button.set_text_color(kCaptionColor);
  }
  const rt::Rect group{kNarrowWidth + 2, 34, W - kNarrowWidth - 10, 228};
  标签1.create(*this, {group.left + 8, group.top - 7, 12 * 7 + 8, 14}, "云输入法设置");
  标签1.set_back_color(kSkinBodyColor);
  标签1.set_text_color(kGroupTitleColor);
  标签1.set_align(rt::Label::Align::Centre);
  分组框_设置.create(*this, group, kGroupFrameColor);

  create_tool_window_frame(*this, {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
                           "    QQ拼音云输入法");

  set_dialog_keys({.cancel = &图形按钮_关闭小});

  bind_cloud_input_window(*this);
}

std::vector<rt::Window::Overlap> CloudInputWindowForm::intended_overlaps() {
  return {title_strip_buttons({&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下},
                              {&图形按钮_关闭小, &图形按钮_程序图标}),
          // The settings' title interrupts its frame's top line.
          {{&标签1}, {&分组框_设置}}};
}
