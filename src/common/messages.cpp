#include "common/messages.h"

#include "common/main_window_ref.h"
#include "common/message_box.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "options/option_values.h"

int tell_user(int buttons, int icon, const std::string& title, unsigned title_color, const std::string& text,
              unsigned text_color, bool* closed_without_button, rt::Window* owner) {
  MessageBoxRequest r;
  r.owner = owner ? owner : main_window_ref();
  r.button_set = buttons;
  r.icon = icon;
  r.title = title;
  r.title_color = title_color;
  r.text = text;
  r.text_color = text_color;
  r.box_cursor = program_pointer_cursor();
  r.fade = options().fade_enabled;
  r.closed_without_button = closed_without_button;
  return show_message_box(r);
}

bool tell_out_of_memory() {
  rt::Window* main = main_window_ref();
  if (!main || !main->loaded()) return false;
  tell_user(0, 16, "内存不足！", 0xFF, "  程序可用的内存不足，刚才的操作没有完成！请关闭一些页面或者大文件后再试。",
            0xFF00FF);
  return true;
}

bool ask_user_text(const std::string& title, const std::string& text, std::string& answer,
                   const std::string& default_text, bool enter_submits) {
  MessageBoxRequest r;
  r.owner = main_window_ref();
  r.icon = 32;
  r.title = title;
  r.title_color = 0xFF00FF;
  r.text = text;
  r.text_color = 0x8000;
  r.input_mode = 1;
  r.input_text_color = 0xFF0000;
  r.input_default = default_text;
  r.enter_submits = enter_submits ? 1 : 0;
  answer.clear();
  r.input_result = &answer;
  r.box_cursor = program_pointer_cursor();
  r.input_cursor = program_text_cursor();
  r.fade = options().fade_enabled;
  bool without_button = false;
  r.closed_without_button = &without_button;
  return show_message_box(r) == kBoxOk && !without_button;
}
