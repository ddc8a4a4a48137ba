#include "forms/grabber_window_form.h"

#include "common/skin_art.h"
#include "common/tool_window.h"
#include "foreign/grabber_window.h"

namespace {
constexpr int W = 420, H = 392;
constexpr unsigned kCaptionColor = 0x5A3A20;
}  // namespace

GrabberWindowForm::GrabberWindowForm() : rt::Window("VelmoraGrabber", "取窗口组件内容", {200, 200, W, H}) {}

GrabberWindowForm& grabber_window() {
  static GrabberWindowForm form;
  return form;
}

void GrabberWindowForm::build() {
  set_back_color(kSkinBodyColor);
  // Units created first lie on top: the buttons on the title strip come before its labels.
  图形按钮_关闭小.create(*this, {W - 23, 2, 21, 20});
  图形按钮_程序图标.create(*this, {4, 4, 16, 16});

  图片框_获取.create(*this, {12, 34, 32, 32});
  标签_说明.create(*this, {54, 30, W - 66, 50},
                   "  按住这个光标，然后移动到要获取其内容的窗口中，程序会自动获取窗口中的文本内容。本工具支持探测编辑框、"
                   "标签、组合框、列表框、树形框、菜单、IE窗口和状态条。");
  标签_说明.set_transparent(true);
  标签_说明.set_word_wrap(true);
  标签_说明.set_text_color(kCaptionColor);
  编辑框_句柄.create(*this, {12, 86, W - 24, 22}, {.multiline = false});
  超级编辑框.create(*this, {12, 116, W - 24, H - 116 - 16}, {.vertical_scroll = true, .horizontal_scroll = true});
  // Along the bottom edge, between the frame's corners.
  标签_底.create(*this, {4, H - 14, W - 8, 12});
  标签_底.set_transparent(true);

  create_tool_window_frame(*this, frame_labels(), "   取窗口组件的文本内容");

  超级菜单.create(*this);
  超级菜单.add_menu("右键菜单");
  build_grabber_text_menu(超级菜单);
  时钟_闪烁边框.create(*this);

  set_dialog_keys({.cancel = &图形按钮_关闭小});

  on_created = on_grabber_window_created;
  on_first_activation = on_grabber_first_activation;
  on_may_close = [] {
    fade_out_grabber_window();
    return true;
  };
  图形按钮_关闭小.on_click = close_grabber_window;
  图片框_获取.on_left_down = [](int, int, int) {
    start_control_grab();
    return true;
  };
  图片框_获取.on_right_down = [](int, int, int) {
    start_menu_grab();
    return true;
  };
  图片框_获取.on_mouse_move = [](int, int, int) {
    on_finder_mouse_move();
    return true;
  };
  图片框_获取.on_left_up = [](int, int, int) {
    end_finder_grab();
    return true;
  };
  图片框_获取.on_right_up = [](int, int, int) {
    end_finder_grab_right();
    return true;
  };
  编辑框_句柄.on_key_up = [](int key, int) {
    read_entered_handle(key);
    return true;
  };
  超级编辑框.on_key_down = [](int key, int) {
    write_text_to_target(key);
    return true;
  };
  超级编辑框.on_right_up = [](int, int, int) {
    show_grabber_text_menu();
    return false;  // our menu, not the control's own
  };
  时钟_闪烁边框.on_tick = flash_target_frame;
  auto drag = [](int, int, int) {
    drag_grabber_window();
    return true;
  };
  for (rt::Label* l : {&标签_说明, &标签_底, &标签_左上, &标签_上中, &标签_左中, &标签_右中, &标签_左下, &标签_下中,
                       &标签_右下})
    l->on_left_down = drag;
}

std::vector<rt::Window::Overlap> GrabberWindowForm::intended_overlaps() {
  return {title_strip_buttons(frame_labels(), {&图形按钮_关闭小, &图形按钮_程序图标})};
}
