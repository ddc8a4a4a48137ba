#include "texttools/editor_status.h"

#include "app/command_items.h"
#include "common/menu_art.h"
#include "common/messages.h"
#include "common/toolbar_art.h"
#include "forms/main_window_form.h"
#include "options/option_values.h"
#include "pages/page_display.h"
#include "pages/page_store.h"
#include "runtime/dialogs.h"

namespace {

rt::EditBox& editor() { return main_window().编辑框_文本类容; }

constexpr const char* kTextColorRefused =
    "  文本颜色不能和背景颜色相同！这个不是我规定的，是眼睛规定的！为了保护你的眼睛，请使用默认的颜色配置方案！";
constexpr const char* kBackColorRefused =
    "  背景颜色不能和文本颜色相同！这个不是我规定的，是眼睛规定的！为了保护你的眼睛，请使用默认的颜色配置方案！";

struct MenuChoice {
  Command command;
  int image;
};

// The chosen item of a group shows the tick, the others their own images, and the group's
// parent item the chosen item's own image.
void mark_menu_choice(Command parent, const MenuChoice (&items)[3], int chosen) {
  for (int i = 0; i < 3; ++i)
    if (rt::MenuItem* item = find_command_item(items[i].command)) item->image = i == chosen ? kImageTick : items[i].image;
  if (rt::MenuItem* group = find_command_item(parent)) group->image = items[chosen].image;
}

constexpr MenuChoice kAlignItems[3] = {{Command::AlignLeft, kImageAlignLeft},
                                       {Command::AlignCenter, kImageAlignCenter},
                                       {Command::AlignRight, kImageAlignRight}};
constexpr MenuChoice kScrollBarItems[3] = {{Command::ScrollHorizontal, kImageScrollHorizontal},
                                           {Command::ScrollVertical, kImageScrollVertical},
                                           {Command::ScrollBoth, kImageScrollBoth}};

void set_scroll_bars(int mode) {
  editor().set_scroll_bars(mode);
  mark_menu_choice(Command::ScrollMenu, kScrollBarItems, mode - 1);
}

void set_alignment(int align) {
  editor().set_alignment(align);
  mark_menu_choice(Command::AlignMenu, kAlignItems, align);
  rt::Toolbar& bar = main_window().工具条_工具栏;
  for (int i = 0; i < 3; ++i) {
    if (i == align)
      bar.add_state(kButtonAlignLeft + i, rt::Toolbar::kPressed);
    else
      bar.remove_state(kButtonAlignLeft + i, rt::Toolbar::kPressed);
  }
}

// The current page, or -1.
int current_page() {
  int i = main_window().高级选择夹_标签.current();
  return page_exists(i) ? i : -1;
}

void change_color(bool text) {
  MainWindowForm& w = main_window();
  rt::EditBox& box = editor();
  unsigned other = text ? box.back_color() : box.text_color();
  unsigned c = choose_color(w, text ? box.text_color() : box.back_color());
  if (c == other) {
    tell_user(0, 16, "颜色值错误！", 0xFF, text ? kTextColorRefused : kBackColorRefused, 0xFF);
    return;
  }
  if (text)
    box.set_text_color(c);
  else
    box.set_back_color(c);
  if (int page = current_page(); page >= 0 && options().per_page_colors)
    text ? set_page_text_color(page, c) : set_page_back_color(page, c);
  apply_page_colors();
}

}  // namespace

void align_left() { set_alignment(0); }
void align_center() { set_alignment(1); }
void align_right() { set_alignment(2); }

void set_scroll_bars_horizontal() { set_scroll_bars(1); }
void set_scroll_bars_vertical() { set_scroll_bars(2); }
void set_scroll_bars_both() { set_scroll_bars(3); }

void toggle_read_only() {
  bool read_only = !editor().read_only();
  editor().set_read_only(read_only);
  rt::MenuItem* item = find_command_item(Command::ReadOnly);
  if (!item) return;
  item->caption = read_only ? "取消只读(&Z)" : "只读状态(&Z)";
  item->image = read_only ? kImageTick : kImageReadOnly;
}

unsigned choose_color(rt::Window& owner, unsigned color) {
  return rt::choose_color_dialog(owner.handle()).value_or(color);
}

void set_text_color() { change_color(true); }
void set_background_color() { change_color(false); }

void swap_colors() {
  rt::EditBox& box = editor();
  unsigned text = box.text_color(), back = box.back_color();
  box.set_text_color(back);
  box.set_back_color(text);
  if (int page = current_page(); page >= 0 && options().per_page_colors) {
    set_page_text_color(page, back);
    set_page_back_color(page, text);
  }
  apply_page_colors();
}

void move_caret_to_end() {
  editor().set_selection_start(editor().text_length());
  editor().scroll_to_caret();
}

void move_caret_to_start() {
  editor().set_selection_start(0);
  editor().scroll_to_caret();
}

void move_caret_to_quarter() {
  editor().set_selection_start(static_cast<int>(editor().text().size() / 4));
  editor().scroll_to_caret();
}
