#pragma once
// The texts of the hand-over box and what a second instance writes into it. The running
// instance's hidden box shows the idle text; a second instance writes a file list (each path
// followed by "|") or the focus request; the running instance reads the box and sets it idle.
#include <optional>
#include <string>
#include <vector>

inline constexpr const char kHandOverIdleText[] = "｛[(进程通信编辑框_Kestrune)]｝";
inline constexpr const char kHandOverFocusRequest[] = "｛[让Velmora窗口获取焦点]｝";

// Each path followed by "|" (one ending in a lead byte without its trail written as
// path_list_item writes it); no paths give "".
std::string hand_over_list(const std::vector<std::string>& paths);

// What a second instance writes into a box that shows box_text, for its list ("" asks the
// running instance to come forward); nothing when it is to write nothing. A list goes after
// a list still unread; a box that is idle or holds the focus request takes the list alone. A
// focus request goes only to an idle box: one that holds a request is coming forward anyway,
// and an unread list must not be lost under it.
std::optional<std::string> hand_over_message(const std::string& box_text, const std::string& list);

// A box's text as the running instance takes it: nothing to do (idle), come forward, or open
// the listed paths (split at "|" on character boundaries, no trailing empty item).
struct HandOverRequest {
  enum Kind { Idle, Focus, Files } kind = Idle;
  std::vector<std::string> paths;
};
HandOverRequest parse_hand_over_text(const std::string& box_text);
