#include "app/hand_over_rules.h"

#include "common/text_routines.h"

std::string hand_over_list(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& p : paths) list += path_list_item(p) + "|";
  return list;
}

std::optional<std::string> hand_over_message(const std::string& box_text, const std::string& list) {
  const bool idle = box_text == kHandOverIdleText;
  if (list.empty()) {
    if (!idle) return std::nullopt;
    return std::string(kHandOverFocusRequest);
  }
  if (idle || box_text == kHandOverFocusRequest) return list;
  return box_text + list;
}

HandOverRequest parse_hand_over_text(const std::string& box_text) {
  HandOverRequest r;
  if (box_text == kHandOverIdleText) return r;
  if (box_text == kHandOverFocusRequest) {
    r.kind = HandOverRequest::Focus;
    return r;
  }
  r.kind = HandOverRequest::Files;
  r.paths = path_list_items(box_text);
  return r;
}
