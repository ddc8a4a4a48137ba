#include "pages/jump_to_page.h"

#include <string>
#include <vector>

#include "common/control_routines.h"
#include "common/jump_art.h"
#include "common/messages.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "forms/jump_window_form.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "pages/page_model.h"
#include "pages/page_numbers.h"
#include "runtime/app.h"
#include "runtime/gbk_text.h"
#include "runtime/tooltip.h"
#include "runtime/window_services.h"

namespace {

// 1 after a click into the input box selected all its text; 0 again when the box loses the focus.
int g_jump_select_all_once = 0;

constexpr int kReturnKey = 0x0D;
constexpr unsigned kWmNcLeftButtonDown = 0x00A1;
constexpr intptr_t kHitCaption = 2;
constexpr unsigned kRed = 0xFF, kMagenta = 0xFF00FF;
constexpr unsigned kEditBorderColor = 0x9D7B45;
const char* const kNumberPrompt = "请输入要跳转到的页面数";

bool name_mode() { return radio_button_state(jump_window().超级按钮_按照页面名称跳转, ButtonOp::Query) != 0; }

void report_no_such_page(const std::string& text) {
  JumpWindowForm& f = jump_window();
  tell_user(0, 16, "没有此页面！", kMagenta, text, kRed, nullptr, &f);
  // The input stays for another try; the box and the name search took its focus.
  if (f.loaded()) f.编辑框_标识.set_focus();
}

// The radio pair changes only from the other mode; the input box starts empty in the new one.
void enter_mode(bool by_name) {
  JumpWindowForm& f = jump_window();
  rt::GraphicButton& on = by_name ? f.超级按钮_按照页面名称跳转 : f.超级按钮_按照页面跳转;
  rt::GraphicButton& off = by_name ? f.超级按钮_按照页面跳转 : f.超级按钮_按照页面名称跳转;
  if (!radio_button_state(off, ButtonOp::Query) || radio_button_state(on, ButtonOp::Query)) return;
  radio_button_state(on, ButtonOp::Set, 1);
  radio_button_state(off, ButtonOp::Set, 0);
  f.标签_上中.set_text(by_name ? "   跳转页面—按照页面名称跳转！" : "   跳转页面—按照页面页数跳转！");
  f.透明标签_说明.set_text(by_name ? "请输入要跳转的页面名称：" : "请输入要跳转的页面：");
  f.编辑框_标识.set_text("");
  f.编辑框_标识.set_digits_only(!by_name);
  rt::set_tooltip(f.透明标签_说明, by_name ? "请输入要跳转到的页面名，或者包含该名称" : kNumberPrompt);
  f.编辑框_标识.set_focus();
}

void jump_window_fade_in() {
  JumpWindowForm& f = jump_window();
  if (!f.loaded()) return;
  show_window_faded(f, true);
  f.编辑框_标识.set_focus();
}

}  // namespace

int jump_select_all_once() { return g_jump_select_all_once; }

void forget_jump_first_click() { g_jump_select_all_once = 0; }

void open_jump_window() {
  JumpWindowForm& f = jump_window();
  if (f.loaded()) {
    f.bring_forward();
    f.编辑框_标识.set_focus();
    return;
  }
  f.load(&main_window());
}

void close_jump_window() { jump_window().close(); }

void fade_out_jump_window() {
  JumpWindowForm& f = jump_window();
  if (f.loaded()) show_window_faded(f, false);
}

void on_jump_window_created() {
  JumpWindowForm& f = jump_window();
  dress_tool_window(f, f.frame_labels(), f.图形按钮_程序图标, jump_window_icon_picture(), f.图形按钮_关闭小);
  rt::Unit* pointed[] = {&f,
                         &f.图形按钮_关闭小,
                         &f.图形按钮_跳转,
                         &f.超级按钮_按照页面跳转,
                         &f.超级按钮_按照页面名称跳转,
                         &f.超级按钮_按跳转完毕后退出,
                         &f.透明标签_说明};
  for (rt::Unit* u : pointed) u->set_mouse_pointer(program_pointer_cursor().handle());
  f.编辑框_标识.set_mouse_pointer(program_text_cursor().handle());
  install_colored_border(f.编辑框_标识.handle(), kEditBorderColor);
  rt::set_tooltip(f.图形按钮_关闭小, "<font color=red>关闭跳转窗口");
  rt::set_tooltip(f.透明标签_说明, kNumberPrompt);
  rt::set_tooltip(f.超级按钮_按跳转完毕后退出, "跳转完毕后关闭本窗口");
  radio_button_state(f.超级按钮_按照页面跳转, ButtonOp::Set, 1);
  radio_button_state(f.超级按钮_按照页面名称跳转, ButtonOp::Set, 0);
  if (config_flag(cfg::页面跳转设置::默认按照页面名称跳转)) switch_jump_to_name_mode();
  check_button_state(f.超级按钮_按跳转完毕后退出, ButtonOp::Set,
                     config_flag(cfg::页面跳转设置::页面跳转完毕后退出) ? 1 : 0);
}

void on_jump_window_first_activation() {
  // Shown once the activation is over, on the UI thread: the fade moves and focuses the window.
  rt::WindowHandle shown = jump_window().handle();
  rt::post([shown] {
    if (jump_window().handle() == shown) jump_window_fade_in();
  });
}

void switch_jump_to_name_mode() { enter_mode(true); }

void switch_jump_to_number_mode() { enter_mode(false); }

void on_jump_exit_check_click() { check_button_state(jump_window().超级按钮_按跳转完毕后退出); }

void on_jump_text_changed() {
  JumpWindowForm& f = jump_window();
  std::string typed = f.编辑框_标识.text();
  if (typed.empty()) {
    f.图形按钮_跳转.set_disabled(true);
    return;
  }
  rt::set_tooltip(f.图形按钮_跳转,
                  name_mode() ? "搜索标题含有：\"" + typed + "\"的页面" : "跳转页面到第：" + typed + "页");
  f.图形按钮_跳转.set_disabled(false);
}

void jump_to_page() {
  JumpWindowForm& f = jump_window();
  rt::TabControl& tabs = main_window().高级选择夹_标签;
  const std::string typed = f.编辑框_标识.text();
  const int count = tabs.count();
  const bool placeholder = tab0_placeholder();
  int tab = -1;
  if (!name_mode()) {
    tab = tab_of_page_number(typed, count, placeholder);
    if (tab < 0) {
      report_no_such_page("  当前最大页数：" + rt::int_to_text(largest_page_number(count, placeholder)) +
                          "页。\r\n你输入的页面：" + typed +
                          "页。\r\n  对不起！没有此页面，输入页面超出了最大页面数！");
      return;
    }
  } else {
    f.图形按钮_跳转.set_disabled(true);
    f.编辑框_标识.set_disabled(true);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(page_name(i));
    tab = tab_of_page_name(names, tabs.current(), placeholder, typed);
    f.编辑框_标识.set_disabled(false);
    f.图形按钮_跳转.set_disabled(typed.empty());
    if (tab < 0) {
      report_no_such_page("  对不起！没有找到含有\"" + typed + "\"的页面!请确认是否有此页面。");
      return;
    }
  }
  tabs.set_current(tab);
  if (check_button_state(f.超级按钮_按跳转完毕后退出, ButtonOp::Query)) {
    close_jump_window();
    return;
  }
  f.编辑框_标识.set_focus();
}

bool on_jump_box_key_down(int key, int) {
  if (key != kReturnKey) return true;
  if (!jump_window().图形按钮_跳转.disabled()) jump_to_page();
  return false;
}

void show_jump_text_tip() {
  JumpWindowForm& f = jump_window();
  std::string typed = f.编辑框_标识.text();
  if (rt::tooltip_text(f.编辑框_标识) != typed) rt::set_tooltip(f.编辑框_标识, typed);
}

void select_jump_text_on_first_click() {
  rt::EditBox& e = jump_window().编辑框_标识;
  if (g_jump_select_all_once) return;
  e.select(0, e.text_length());
  g_jump_select_all_once = 1;
}

void move_jump_window_by_frame() {
  rt::release_mouse_capture();
  rt::send_message(jump_window().handle(), kWmNcLeftButtonDown, kHitCaption, 0);
}

void bind_jump_window(JumpWindowForm& f) {
  f.on_created = on_jump_window_created;
  f.on_first_activation = on_jump_window_first_activation;
  f.on_may_close = [] {
    fade_out_jump_window();
    return true;
  };
  f.图形按钮_关闭小.on_click = close_jump_window;
  f.超级按钮_按照页面跳转.on_click = switch_jump_to_number_mode;
  f.超级按钮_按照页面名称跳转.on_click = switch_jump_to_name_mode;
  f.超级按钮_按跳转完毕后退出.on_click = on_jump_exit_check_click;
  f.图形按钮_跳转.on_click = jump_to_page;
  f.编辑框_标识.on_changed = on_jump_text_changed;
  f.编辑框_标识.on_key_down = on_jump_box_key_down;
  f.编辑框_标识.on_mouse_move = [](int, int, int) {
    show_jump_text_tip();
    return true;
  };
  f.编辑框_标识.on_left_up = [](int, int, int) {
    select_jump_text_on_first_click();
    return true;
  };
  f.编辑框_标识.on_blur = forget_jump_first_click;
  auto drag = [](int, int, int) {
    move_jump_window_by_frame();
    return true;
  };
  for (rt::Label* l : f.frame_labels()) l->on_left_down = drag;
  f.透明标签_说明.on_left_down = drag;
}
