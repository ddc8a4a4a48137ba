#include "foreign/grabber_window.h"

#include <cstdint>

#include "common/grabber_art.h"
#include "common/menu_art.h"
#include "common/skin.h"
#include "common/tool_window.h"
#include "common/window_fade.h"
#include "foreign/edit_control.h"
#include "foreign/text_reader.h"
#include "forms/grabber_window_form.h"
#include "forms/main_window_form.h"
#include "runtime/app.h"
#include "runtime/clipboard.h"
#include "runtime/foreign_windows.h"
#include "runtime/gbk_text.h"
#include "runtime/mouse_input.h"
#include "runtime/popup_menu.h"
#include "runtime/system.h"
#include "runtime/tooltip.h"
#include "runtime/window_services.h"

namespace {

GrabberState g_grab;

constexpr int kReturnKey = 13, kF5Key = 116;
constexpr int kFramePeriodMs = 450;
constexpr int kMenuTextCapacity = 255;
constexpr unsigned kEditBorderColor = 0x9D7B45;
const char kFullWidthSpace[] = "　";
const char* const kUndoItem = "撤消(&Z)    Ctrl+Z";
const char* const kDeleteItem = "删除(&D)    Del";
const char* const kCutItem = "剪切(&X)    Ctrl+X";
const char* const kCopyItem = "复制(&C)    Ctrl+C";
const char* const kPasteItem = "粘贴(&V)    Ctrl+V";
const char* const kSelectAllItem = "全选(&A)    Ctrl+A";

GrabberWindowForm& f() { return grabber_window(); }

// The handle box's text as a window handle; a text that is no number gives 0.
rt::WindowHandle entered_handle() {
  double n = rt::text_to_number(f().编辑框_句柄.text());
  if (!(n >= 0 && n <= 4294967295.0)) return nullptr;
  return reinterpret_cast<rt::WindowHandle>(static_cast<uintptr_t>(static_cast<uint32_t>(n)));
}

std::string handle_text(rt::WindowHandle h) {
  return std::to_string(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h)));
}

void start_grab(int menu_mode) {
  GrabberWindowForm& w = f();
  g_grab.grab_menu_mode = menu_mode;
  g_grab.grab_capturing = 1;
  w.图片框_获取.set_mouse_pointer(finder_cursor().handle());
  w.图片框_获取.set_picture(finder_picking_picture());
  begin_finder_capture();
}

}  // namespace

const GrabberState& grabber_state() { return g_grab; }

void reset_grabber_window() { g_grab = GrabberState{}; }

void open_grabber_window() { open_tool_window(f()); }

void close_grabber_window() { fade_out_grabber_window(); }

void fade_out_grabber_window() {
  GrabberWindowForm& w = f();
  if (!w.loaded()) return;
  // A pick under way ends first: the mouse and the frame timer go back.
  if (g_grab.grab_capturing) end_finder_grab();
  show_window_faded(w, false);
  w.destroy();
}

void on_grabber_window_created() {
  GrabberWindowForm& w = f();
  // A window that went during a pick left its flags behind.
  g_grab.grab_capturing = 0;
  g_grab.grab_menu_mode = 0;
  g_grab.grab_target = nullptr;
  dress_tool_window(w, w.frame_labels(), w.图形按钮_程序图标, grabber_window_icon_picture(), w.图形按钮_关闭小);
  w.图片框_获取.set_picture(finder_idle_picture());
  rt::CursorHandle arrow = grabber_arrow_cursor().handle();
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{&w.标签_底, &w.图片框_获取, &w.图形按钮_关闭小, &w, &w.标签_说明,
                                                     &w.超级编辑框})
    u->set_mouse_pointer(arrow);
  for (rt::Label* l : w.frame_labels()) l->set_mouse_pointer(arrow);
  rt::set_tooltip(w.图片框_获取,
                  "按下鼠标左键后移动到需要探测的位置探测组件的内容\r\n按下鼠标右键后移动到需要探测的位置探测窗口菜单的内容");
  rt::set_tooltip(w.图形按钮_关闭小, "<font color=red>关闭取窗口组件标题窗口");
  rt::set_tooltip(w.编辑框_句柄, "输入控件的句柄后回车进行探测");
  rt::set_tooltip(w.标签_说明, "按F5键可以向目标句柄投递文本内容");
  rt::PopupMenu& main_menus = main_window().超级菜单;
  for (int index : menu_image_indexes()) w.超级菜单.set_image(index, main_menus.image(index));
  install_colored_border(w.超级编辑框.handle(), kEditBorderColor);
}

void on_grabber_first_activation() {
  GrabberWindowForm& w = f();
  fade_in_after_first_activation(w);
  set_finder_frame_style(w.handle(), w.图片框_获取.handle(), 0xFF0000);
}

void set_finder_frame_style(rt::WindowHandle window, rt::WindowHandle finder, unsigned colour, int width, int flash) {
  g_grab.grabber_window = window;
  g_grab.finder_picture = finder;
  g_grab.grab_frame_colour = colour;
  g_grab.grab_frame_width = width != 0 ? width : 2;
  g_grab.grab_flash_ms = flash != 0 ? flash : 250;
}

void start_control_grab() { start_grab(0); }

void start_menu_grab() { start_grab(1); }

void begin_finder_capture() {
  rt::delay_with_messages(0);
  // A quick click has already let go among those events: the pick is over, nothing to hold.
  if (!g_grab.grab_capturing) return;
  f().时钟_闪烁边框.set_interval(kFramePeriodMs);
  rt::capture_mouse(g_grab.finder_picture);
}

void release_finder_capture() {
  f().时钟_闪烁边框.set_interval(0);
  rt::release_mouse_capture();
}

void on_finder_mouse_move() {
  if (!g_grab.grab_capturing) return;
  rt::WindowHandle target = window_under_cursor();
  std::string text;
  if (!g_grab.grab_menu_mode) {
    text = read_window_text_by_class(target);
  } else {
    rt::WindowHandle parent = rt::parent_window(target);
    target = parent ? parent : window_under_cursor();
    text = read_window_menu_texts(target);
  }
  GrabberWindowForm& w = f();
  w.超级编辑框.set_text(text);
  set_grab_target(target);
  w.编辑框_句柄.set_text(handle_text(target));
}

void end_finder_grab() {
  GrabberWindowForm& w = f();
  g_grab.grab_menu_mode = 0;
  release_finder_capture();
  g_grab.grab_capturing = 0;
  w.图片框_获取.set_mouse_pointer(grabber_arrow_cursor().handle());
  w.图片框_获取.set_picture(finder_idle_picture());
}

void end_finder_grab_right() { end_finder_grab(); }

GrabFrame grab_frame_of(rt::WindowHandle window) {
  rt::ScreenRect r = rt::window_screen_rect(window);
  return {r.left < 0 ? 0 : r.left, r.top < 0 ? 0 : r.top, r.right, r.bottom};
}

void flash_target_frame() {
  GrabFrame g = grab_frame_of(g_grab.grab_target);
  rt::ScreenRect r{g.left, g.top, g.right, g.bottom};
  // Drawn twice in the inverting mode: the second time erases the first.
  rt::draw_inverted_screen_frame(r, g_grab.grab_frame_colour, g_grab.grab_frame_width);
  rt::sleep_ms(g_grab.grab_flash_ms);
  rt::draw_inverted_screen_frame(r, g_grab.grab_frame_colour, g_grab.grab_frame_width);
}

rt::WindowHandle window_under_cursor() { return rt::window_from_point(rt::cursor_screen_position()); }

std::string read_window_menu_texts(rt::WindowHandle window) {
  rt::MenuHandle menu = rt::window_menu(window);
  std::string out;
  int count = rt::menu_item_count(menu);
  for (int i = 0; i < count; ++i) {
    out += rt::menu_item_text(menu, i, kMenuTextCapacity) + "\r\n";
    rt::MenuHandle sub = rt::sub_menu(menu, i);
    int items = rt::menu_item_count(sub);
    for (int k = 0; k < items; ++k) out += kFullWidthSpace + rt::menu_item_text(sub, k, kMenuTextCapacity) + "\r\n";
  }
  return out;
}

void set_grab_target(rt::WindowHandle window) { g_grab.grab_target = window; }

void read_entered_handle(int key) {
  if (key != kReturnKey) return;
  f().超级编辑框.set_text(read_window_text_by_class(entered_handle()));
}

void write_text_to_target(int key) {
  if (key != kF5Key) return;
  rt::WindowHandle target = entered_handle();
  if (!target) return;
  ForeignEditControl().set_edit_text(target, f().超级编辑框.text());
}

void build_grabber_text_menu(rt::PopupMenu& menus) {
  rt::MenuItem* menu = menus.menu("右键菜单");
  if (!menu) return;
  menu->clear();
  const struct {
    const char* caption;
    int image;
    void (*command)();
  } items[] = {
      {kUndoItem, kImageUndo, grabber_text_undo},    {kDeleteItem, kImageDelete, grabber_text_delete},
      {kCutItem, kImageCut, grabber_text_cut},       {kCopyItem, kImageCopy, grabber_text_copy},
      {kPasteItem, kImagePaste, grabber_text_paste}, {kSelectAllItem, kImageSelectAll, grabber_text_select_all},
  };
  for (const auto& item : items) {
    if (item.caption != kUndoItem) menu->add_separator();
    menu->add(item.caption, item.image, item.command);
  }
}

void show_grabber_text_menu() {
  GrabberWindowForm& w = f();
  rt::MenuItem* menu = w.超级菜单.menu("右键菜单");
  if (!menu) return;
  rt::EditBox& box = w.超级编辑框;
  auto set_disabled = [menu](const char* caption, bool disabled) {
    if (rt::MenuItem* item = menu->find(caption)) item->disabled = disabled;
  };
  set_disabled(kUndoItem, !box.can_undo());
  set_disabled(kPasteItem, !rt::clipboard_has_text());
  bool nothing_selected = box.selection_length() == 0;
  for (const char* caption : {kCopyItem, kCutItem, kDeleteItem}) set_disabled(caption, nothing_selected);
  set_disabled(kSelectAllItem, box.text_length() == 0);
  rt::Point p = rt::cursor_position();
  w.超级菜单.popup(*menu, p.x, p.y);
}

void grabber_text_undo() { f().超级编辑框.undo(); }
void grabber_text_delete() { f().超级编辑框.clear_selection(); }
void grabber_text_cut() { f().超级编辑框.cut(); }
void grabber_text_copy() { f().超级编辑框.copy(); }
void grabber_text_paste() { f().超级编辑框.paste(); }
void grabber_text_select_all() {
  rt::EditBox& box = f().超级编辑框;
  box.select(0, box.text_length());
}

void drag_grabber_window() { move_window_by_title(f()); }

void bind_grabber_window(GrabberWindowForm& f) {
  build_grabber_text_menu(f.超级菜单);
  f.on_created = on_grabber_window_created;
  f.on_first_activation = on_grabber_first_activation;
  f.on_may_close = [] {
    fade_out_grabber_window();
    return true;
  };
  f.图形按钮_关闭小.on_click = close_grabber_window;
  f.图片框_获取.on_left_down = [](int, int, int) {
    start_control_grab();
    return true;
  };
  f.图片框_获取.on_right_down = [](int, int, int) {
    start_menu_grab();
    return true;
  };
  f.图片框_获取.on_mouse_move = [](int, int, int) {
    on_finder_mouse_move();
    return true;
  };
  f.图片框_获取.on_left_up = [](int, int, int) {
    end_finder_grab();
    return true;
  };
  f.图片框_获取.on_right_up = [](int, int, int) {
    end_finder_grab_right();
    return true;
  };
  f.编辑框_句柄.on_key_up = [](int key, int) {
    read_entered_handle(key);
    return true;
  };
  f.超级编辑框.on_key_down = [](int key, int) {
    write_text_to_target(key);
    return true;
  };
  f.超级编辑框.on_right_up = [](int, int, int) {
    show_grabber_text_menu();
    return false;  // our menu, not the control's own
  };
  f.时钟_闪烁边框.on_tick = flash_target_frame;
  auto drag = [](int, int, int) {
    drag_grabber_window();
    return true;
  };
  for (rt::Label* l : {&f.标签_说明, &f.标签_底, &f.标签_左上, &f.标签_上中, &f.标签_左中, &f.标签_右中, &f.标签_左下,
                       &f.标签_下中, &f.标签_右下})
    l->on_left_down = drag;
}
