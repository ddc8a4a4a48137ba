#include "app/shortcuts.h"

#include "app/commands.h"
#include "app/globals.h"
#include "app/main_frame.h"
#include "app/menu_bar.h"
#include "documents/file_operations.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "forms/main_window_form.h"
#include "options/options_window.h"
#include "pages/closing.h"
#include "pages/jump_to_page.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/gbk_text.h"
#include "runtime/unit.h"
#include "texttools/conversion_commands.h"
#include "texttools/crypt_window.h"
#include "texttools/edit_commands.h"
#include "texttools/editor_status.h"
#include "texttools/find_replace.h"
#include "texttools/font_window.h"
#include "texttools/insertions.h"
#include "texttools/printing.h"
#include "texttools/read_aloud.h"
#include "texttools/simp_trad_window.h"
#include "web/about_window.h"
#include "web/cloud_input.h"

namespace {

constexpr int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kF5 = 0x74, kF6 = 0x75;

void select_tab(int index) {
  rt::TabControl& tabs = main_window().高级选择夹_标签;
  if (index >= 0 && index < tabs.count()) tabs.set_current(index);
}

bool ctrl_shortcut(int key) {
  MainWindowForm& w = main_window();
  switch (key) {
    case kUp:
      toggle_maximize();
      return true;
    case kDown:
      restore_or_minimize();
      return true;
    case 'A':
      select_all_text();
      return true;
    case 'B': {
      const rt::MenuItem* item = main_menu_item("自定新建(&Z)    Ctrl+B");
      if (item && !item->disabled) custom_new_page_command();
      return true;
    }
    case 'D':
      if (w.高级选择夹_标签.count() > 9) open_jump_window();
      return true;
    case 'E':
      if (!g_search_text.empty()) find_previous();
      return true;
    case 'F':
      if (w.编辑框_文本类容.text_length() > 0) open_find_window();
      return true;
    case 'G':
      if (w.高级选择夹_标签.count() > 1) close_all_pages(false);
      return true;
    case 'J':
      open_crypt_window();
      return true;
    case 'K':
      save_current_page_as();
      return true;
    case 'L':
      open_read_aloud_window();
      return true;
    case 'N':
      if (!open_busy()) new_page_command();
      return true;
    case 'O':
      if (w.工具条_工具栏.state(kButtonOpen) != rt::Toolbar::kDisabled) open_files();
      return true;
    case 'P':
      if (!rt::remove_blanks(page_content(w.高级选择夹_标签.current())).empty()) print_current_page();
      return true;
    case 'Q':
      if (w.高级选择夹_标签.count() > 1) save_all_command();
      return true;
    case 'R':
      if (!g_search_text.empty()) find_next();
      return true;
    case 'T':
      open_font_window();
      return true;
    case 'S': {
      w.图形按钮_文件_菜单.set_focus();
      int i = w.高级选择夹_标签.current();
      if (i >= 0 && i < static_cast<int>(g_pages.size()) && g_pages[i].modified) save_current_page();
      return true;
    }
    case 'U':
      open_simp_trad_window();
      return true;
    case 'W':
      if (w.高级选择夹_标签.count() != 1) close_page_with_prompt(w.高级选择夹_标签.current());
      return true;
    case 'Y':
      open_cloud_input_window();
      return true;
    case kF5:
      run_page_as_batch_if_batch_file();
      return true;
    case kF6:
      remove_all_spaces();
      return true;
    default:
      return false;
  }
}

// The menus of the menu bar, with Alt and with Ctrl+Alt.
bool menu_shortcut(int key) {
  switch (key) {
    case 'F':
      open_file_menu();
      return true;
    case 'B':
      open_edit_menu();
      return true;
    case 'I':
      open_extra_menu();
      return true;
    case 'S':
      open_settings_menu();
      return true;
    case 'H':
      open_help_menu();
      return true;
    default:
      return false;
  }
}

// The first four act as the wheel over the edit box would.
bool alt_shortcut(int key) {
  switch (key) {
    case kLeft:
      on_editor_wheel(120, 2);
      return true;
    case kRight:
      on_editor_wheel(-120, 2);
      return true;
    case kUp:
      on_editor_wheel(120, 1);
      return true;
    case kDown:
      on_editor_wheel(-120, 1);
      return true;
    default:
      return menu_shortcut(key);
  }
}

bool ctrl_alt_shortcut(int key) {
  switch (key) {
    case kLeft:
      dock_half_screen(true);
      return true;
    case kRight:
      dock_half_screen(false);
      return true;
    default:
      return menu_shortcut(key);
  }
}

}  // namespace

bool dispatch_shortcut(int key, int modifiers) {
  bool handled = false;
  switch (modifiers) {
    case rt::kCtrl:
      handled = ctrl_shortcut(key);
      break;
    case rt::kAlt:
      handled = alt_shortcut(key);
      break;
    case rt::kCtrl | rt::kAlt:
      handled = ctrl_alt_shortcut(key);
      break;
    default:
      break;
  }
  if (handled) {
    give_focus_back_to_page();
    return false;
  }
  // However a key moves the selection (Shift with Home, End, the arrows or the page keys, a
  // typed character that replaces it), cut and copy follow once the edit box has moved it.
  rt::post(update_selection_commands);
  return true;
}

void on_toolbar_button(int index) {
  MainWindowForm& w = main_window();
  rt::TabControl& tabs = w.高级选择夹_标签;
  switch (index) {
    case kButtonNew:
      new_page_command();
      break;
    case kButtonOpen:
      open_files();
      break;
    case kButtonSave:
      save_page(tabs.current());
      break;
    case kButtonCut:
      cut_selection();
      break;
    case kButtonCopy:
      copy_selection();
      break;
    case kButtonPaste:
      paste_clipboard();
      break;
    case kButtonUndo:
      undo_edit();
      break;
    case kButtonPrint:
      print_current_page();
      break;
    case kButtonOptions:
      open_options_window();
      break;
    case kButtonAlignLeft:
      align_left();
      break;
    case kButtonAlignCenter:
      align_center();
      break;
    case kButtonAlignRight:
      align_right();
      break;
    case kButtonClosePage:
      close_page_with_prompt(tabs.current());
      break;
    case kButtonBack5:
      select_tab(tabs.current() - 5);
      break;
    // Never past the last tab.
    case kButtonForward5:
      select_tab(std::min(tabs.current() + 5, tabs.count() - 1));
      break;
    case kButtonOnlineHelp:
      show_online_help();
      break;
    case kButtonAbout:
      open_about_window();
      break;
    default:
      break;
  }
  give_focus_back_to_page();
}
