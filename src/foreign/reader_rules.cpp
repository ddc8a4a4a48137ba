#include "foreign/reader_rules.h"

#include <algorithm>
#include <unordered_set>

#include "runtime/gbk_text.h"

bool reader_needs_process_memory(ControlReader reader) {
  switch (reader) {
    case ControlReader::StatusBar:
    case ControlReader::TreeView:
    case ControlReader::ListView:
    case ControlReader::Header:
      return true;
    default:
      return false;
  }
}

ControlReader reader_for_class(std::string_view class_name) {
  static const struct {
    const char* part;
    ControlReader reader;
  } kOrder[] = {
      {"Edit", ControlReader::Edit},
      {"ListBox", ControlReader::ListBox},
      {"ComboBox", ControlReader::ComboBox},
      {"StatusBar", ControlReader::StatusBar},
      {"TreeView", ControlReader::TreeView},
      {"ListView", ControlReader::ListView},
      {"Internet Explorer_Server", ControlReader::Browser},
      {"ComboLBox", ControlReader::ListBox},
      {"SysHeader32", ControlReader::Header},
  };
  for (const auto& entry : kOrder)
    if (rt::find_text(class_name, entry.part, 1, true) > 0) return entry.reader;
  return ControlReader::None;
}

std::string blank_buffer(int n) { return n > 0 ? std::string(static_cast<size_t>(n), ' ') : std::string(); }

std::string text_before_zero(const char* bytes, size_t n) {
  size_t end = 0;
  while (end < n && bytes[end] != '\0') ++end;
  return std::string(bytes, end);
}

std::string without_split_character(std::string text) {
  size_t last = 0;
  for (size_t i = 0; i < text.size(); i += rt::char_size_at(text, i)) last = i;
  if (!text.empty() && last == text.size() - 1 && rt::is_lead_byte(static_cast<unsigned char>(text[last])))
    text.pop_back();
  return text;
}

std::string list_box_lines(int count, const std::function<std::optional<std::string>(int index)>& item_text) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    std::optional<std::string> t = item_text(i);
    if (!t) break;
    out += *t;
    out += "\r\n";
  }
  return out;
}

std::string combo_box_lines(int count, const std::function<int(int index)>& item_length,
                            const std::function<std::string(int index, int length)>& item_text) {
  std::string out, previous;
  for (int i = 0; i < count; ++i) {
    if (previous == blank_buffer(item_length(i))) break;
    int length = item_length(i);
    std::string t = length > 0 ? item_text(i, length) : std::string();
    if (t != blank_buffer(item_length(i))) {
      out += t;
      out += "\r\n";
    }
    previous = t;
  }
  return out;
}

std::vector<uint32_t> walk_tree_items(int count,
                                      const std::function<uint32_t(uint32_t relation, uint32_t item)>& next) {
  std::vector<uint32_t> handles(static_cast<size_t>(std::clamp(count, 0, kMaxTreeItems)), 0);
  std::unordered_set<uint32_t> walked;
  size_t k = 0;
  // Each item walked is asked for its first child, its next sibling and its parent at most
  // once, after the root: more questions than that, and the answers go round in a circle.
  size_t asked = 0;
  auto ask = [&](uint32_t relation, uint32_t item) -> std::optional<uint32_t> {
    if (asked >= 1 + 3 * k) return std::nullopt;
    ++asked;
    return next(relation, item);
  };
  std::optional<uint32_t> h = ask(kTreeRoot, 0);
  // A tree that grew since it was counted ends the walk when the array is full.
  while (h && *h != 0 && k < handles.size() && walked.insert(*h).second) {
    handles[k++] = *h;
    uint32_t g = *h;
    h = ask(kTreeChild, g);
    while (h && *h == 0) {
      h = ask(kTreeNext, g);
      if (!h || *h != 0) break;
      std::optional<uint32_t> parent = ask(kTreeParent, g);
      if (!parent || *parent == 0) break;
      g = *parent;
    }
  }
  return handles;
}

std::vector<unsigned char> typed_character_codes(std::string_view text) {
  std::vector<unsigned char> codes;
  codes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    codes.push_back(static_cast<unsigned char>(text[i]));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return codes;
}

uint32_t pack_point(int x, int y) {
  return static_cast<uint32_t>(static_cast<uint16_t>(x)) | (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16);
}
