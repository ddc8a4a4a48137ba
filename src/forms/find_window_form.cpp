#include "forms/find_window_form.h"

#include "common/skin.h"
#include "common/skin_art.h"
#include "texttools/find_replace.h"

namespace {
constexpr int W = 352, H = 152;
constexpr unsigned kCaptionColor = 0x5A3A20;
}  // namespace

FindWindowForm::FindWindowForm() : rt::Window("VelmoraFindReplace", "Velmora_寻找替换", {200, 200, W, H}) {}

FindWindowForm& find_window() {
  static FindWindowForm form;
  return form;
}

void FindWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  透明标签_查找内容.create(*this, {12, 34, 64, 22}, "查找内容：");
  透明标签_替换为.create(*this, {12, 64, 64, 22}, "替换为：");
  for (rt::Label* l : {&透明标签_查找内容, &透明标签_替换为}) {
    l->set_transparent(true);
    l->set_text_color(kCaptionColor);
  }
  编辑框_查找文字.create(*this, {78, 34, 178, 22}, {.multiline = false});
  编辑框_替换文字.create(*this, {78, 64, 178, 22}, {.multiline = false});

  const auto& look = message_box_button_pictures();
  struct Command {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  const Command commands[] = {
      {图形按钮_寻找, {268, 33, 72, 24}, "寻找"},
      {图形按钮_替换, {268, 63, 72, 24}, "替换"},
      {图形按钮_全部替换, {268, 93, 72, 24}, "全部替换"},
  };
  for (const Command& c : commands) {
    c.button.create(*this, c.place, c.caption);
    c.button.set_pictures(look[0], look[1], look[2]);
    c.button.set_disabled_picture(look[3]);
    c.button.set_text_color(kButtonCaptionColor);
  }

  struct Option {
    rt::GraphicButton& button;
    rt::Rect place;
    const char* caption;
  };
  const Option options[] = {
      {超级按钮_区分大小写, {12, 96, 104, 20}, "区分大小写"},
      {超级按钮_向上, {124, 96, 60, 20}, "向上"},
      {超级按钮_向下, {188, 96, 60, 20}, "向下"},
      {超级按钮_全部替换完毕后退出, {12, 122, 200, 20}, "全部替换完毕后退出"},
  };
  for (const Option& o : options) {
    o.button.create(*this, o.place, o.caption);
    o.button.set_check_style(true);
    o.button.set_text_color(kCaptionColor);
  }

  create_tool_window_frame(*this, frame_labels(), "   寻找替换");

  // Tab goes from the find box to the replace box, then down the button column and through the
  // options.
  set_dialog_keys({.cancel = &图形按钮_关闭小,
                   .defaults = {&图形按钮_寻找},
                   .order = {&图形按钮_关闭小, &编辑框_查找文字, &编辑框_替换文字, &图形按钮_寻找, &图形按钮_替换,
                             &图形按钮_全部替换, &超级按钮_区分大小写, &超级按钮_向上, &超级按钮_向下,
                             &超级按钮_全部替换完毕后退出}});

  on_created = on_find_window_created;
  on_first_activation = on_find_window_first_activation;
  on_activated = update_replace_buttons;
  on_may_close = [] {
    fade_out_find_window();
    return true;
  };
  图形按钮_关闭小.on_click = close_find_window;
  标签_上中.on_left_down = [](int, int, int) {
    move_find_window_by_title();
    return true;
  };
  图形按钮_寻找.on_click = find_from_window;
  图形按钮_替换.on_click = replace_selection_and_find;
  图形按钮_全部替换.on_click = replace_all;
  超级按钮_区分大小写.on_click = on_match_case_click;
  超级按钮_向上.on_click = on_up_click;
  超级按钮_向下.on_click = on_down_click;
  超级按钮_全部替换完毕后退出.on_click = on_close_after_replace_all_click;
  编辑框_查找文字.on_changed = on_find_text_changed;
  编辑框_查找文字.on_key_down = on_find_box_key_down;
  编辑框_替换文字.on_key_down = on_replace_box_key_down;
  编辑框_查找文字.on_left_up = [](int, int, int) {
    select_all_on_first_click(0);
    return true;
  };
  编辑框_替换文字.on_left_up = [](int, int, int) {
    select_all_on_first_click(1);
    return true;
  };
  编辑框_查找文字.on_blur = [] { forget_first_click(0); };
  编辑框_替换文字.on_blur = [] { forget_first_click(1); };
}

std::vector<rt::Window::Overlap> FindWindowForm::intended_overlaps() {
  return {title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标})};
}
