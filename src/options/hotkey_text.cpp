#include "options/hotkey_text.h"

std::string_view hotkey_key_name(int key) {
  if (key >= '0' && key <= '9') {
    static const char* const digits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    return digits[key - '0'];
  }
  if (key >= 'A' && key <= 'Z') {
    static const char* const letters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                          "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    return letters[key - 'A'];
  }
  if (key >= 112 && key <= 123) {
    static const char* const f_keys[] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};
    return f_keys[key - 112];
  }
  switch (key) {
    case 8:
      return "回退键";
    case 9:
      return "Tab键";
    case 13:
      return "Enter";
    case 19:
      return "Pause Break";
    case 27:
      return "ESC";
    case 32:
      return "空格键";
    case 33:
      return "Page Up";
    case 34:
      return "Page Down";
    case 35:
      return "End";
    case 36:
      return "Home";
    case 37:
      return "向左";
    case 38:
      return "向上";
    case 39:
      return "向右";
    case 40:
      return "向下";
    case 45:
      return "Insert";
    case 46:
      return "Delete";
    case 93:
      return "右键菜单键";
    case 107:
      return "+";
    case 144:
      return "Num Lock";
    case 145:
      return "Scroll Lock";
    case 186:
      return ";";
    case 187:
      return "=";
    case 189:
      return "-";
    case 190:
      return ".";
    case 191:
      return "/";
    case 192:
      return "`";
    case 219:
      return "[";
    case 220:
      return "\\";
    case 221:
      return "]";
    case 222:
      return "'";
    default:
      return "";
  }
}

std::string hotkey_prefix(const HeldModifiers& held) {
  std::string prefix;
  if (held.ctrl) prefix += "Ctrl + ";
  if (held.shift) prefix += "Shift + ";
  if (held.alt) prefix += "Alt + ";
  if (held.win) prefix += "Win + ";
  return prefix;
}

int hotkey_bits(const HeldModifiers& held) {
  return (held.ctrl ? kBitCtrl : 0) | (held.shift ? kBitShift : 0) | (held.alt ? kBitAlt : 0) |
         (held.win ? kBitWin : 0);
}

std::string compose_hotkey_text(std::string_view box_text, int key, bool key_up, const HeldModifiers& held,
                                HotkeyCaptureEntry& entry) {
  if (!key_up) entry.modifiers = hotkey_bits(held);
  bool open = box_text.empty() || box_text.ends_with(" + ");
  if (!open) return std::string(box_text);
  entry.key = key;
  return hotkey_prefix(held) + std::string(hotkey_key_name(key));
}
