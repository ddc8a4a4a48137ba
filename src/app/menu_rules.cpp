#include "app/menu_rules.h"

#include "runtime/gbk_text.h"

int menu_bar_menu_at(int x, int y, int window_left, int window_top, int bar_left, int bar_top) {
  if (y < window_top + bar_top || y > window_top + bar_top + kMenuBarButtonHeight) return kNoMenu;
  if (x < window_left + bar_left || x > window_left + kMenuBarRight) return kNoMenu;
  int d = x - window_left - bar_left;
  for (int menu = kFileMenu; menu < kHelpMenu; ++menu)
    if (d <= menu * kMenuBarButtonWidth) return menu;
  return kHelpMenu;
}

int absolute_mouse_coordinate(int value, int screen_size) {
  if (screen_size <= 0) return 0;
  return static_cast<int>(static_cast<long long>(value) * 65535 / screen_size);
}

std::vector<unsigned> mouse_action_flags(int action) {
  constexpr unsigned kLeftDown = 0x0002, kLeftUp = 0x0004, kRightDown = 0x0008, kRightUp = 0x0010;
  constexpr unsigned kMiddleDown = 0x0020, kMiddleUp = 0x0040;
  auto clicks = [](unsigned down, unsigned up, int n) {
    std::vector<unsigned> v;
    for (int i = 0; i < n; ++i) {
      v.push_back(down);
      v.push_back(up);
    }
    return v;
  };
  switch (action) {
    case -1:
      return {};
    case 0:
    case 1:
      return clicks(kLeftDown, kLeftUp, action + 1);
    case 2:
    case 3:
      return clicks(kRightDown, kRightUp, action - 1);
    case 4:
    case 5:
      return clicks(kMiddleDown, kMiddleUp, action - 3);
    case 6:
      return {kLeftDown};
    case 7:
      return {kLeftUp};
    case 8:
      return {kRightDown};
    case 9:
      return {kRightUp};
    case 10:
      return {kMiddleDown};
    case 11:
      return {kMiddleUp};
    default:
      return clicks(kLeftDown, kLeftUp, 1);
  }
}

std::string menu_item_hint(std::string_view caption) {
  int p = rt::find_text(caption, "(");
  return p < 1 ? std::string() : std::string(caption.substr(0, static_cast<size_t>(p - 1)));
}

bool text_has_no_digit(std::string_view text) {
  for (char digit = '0'; digit <= '9'; ++digit)
    if (rt::find_text(text, std::string_view(&digit, 1)) > 0) return false;
  return true;
}

SavedTabItemState saved_tab_item_state(std::string_view tab_set_text, bool some_page_has_path) {
  if (tab_set_text.empty()) return {"保存打开标签(&B)", some_page_has_path};
  return {"载入保存标签(&B)", true};
}
