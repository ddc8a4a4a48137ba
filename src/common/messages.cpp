#include "common/messages.h"

#include "app/globals.h"
#include "common/message_box.h"
#include "common/skin_art.h"
#include "forms/main_window_form.h"

int tell_user(int buttons, int icon, const std::string& title, unsigned title_color, const std::string& text,
              unsigned text_color, bool* closed_without_button, rt::Window* owner) {
  MessageBoxRequest r;
  r.owner = owner ? owner : &main_window();
  r.button_set = buttons;
  r.icon = icon;
  r.title = title;
  r.title_color = title_color;
  r.text = text;
  r.text_color = text_color;
  r.box_cursor = program_pointer_cursor();
  r.fade = g_fade_enabled;
  r.closed_without_button = closed_without_button;
  return show_message_box(r);
}
