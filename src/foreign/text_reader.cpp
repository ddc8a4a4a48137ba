#include "foreign/text_reader.h"

#include <algorithm>
#include <vector>

#include "foreign/edit_control.h"
#include "foreign/list_view.h"
#include "foreign/reader_rules.h"
#include "foreign/tree_view.h"
#include "runtime/foreign_windows.h"
#include "runtime/gbk_text.h"

namespace {
constexpr unsigned kGetText = 0x0D, kGetTextLength = 0x0E;
constexpr unsigned kListBoxGetText = 0x189, kListBoxGetTextLength = 0x18A, kListBoxGetCount = 0x18B;
constexpr unsigned kComboGetText = 0x148, kComboGetTextLength = 0x149, kComboGetCount = 0x146;
constexpr unsigned kStatusGetTextA = 0x402, kStatusGetParts = 0x406, kStatusGetTextLengthA = 0x40C;
constexpr int kNoHitCapacity = 256, kListItemCapacity = 255, kStatusPartCapacity = 255;
constexpr int kColumnTitleCapacity = 255, kCellCapacity = 256;
const char kFullWidthSpace[] = "　";
const char kReportSeparator[] = "┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉┉";

// A message that fills a buffer of blanks (the system copies it between processes): what it
// wrote before its zero, or nothing when the buffer was left as it was or no answer came.
std::optional<std::string> text_into_blank_buffer(rt::WindowHandle window, unsigned msg, uintptr_t wparam, int size) {
  std::optional<rt::TextReply> reply =
      rt::send_foreign_text_message(window, msg, wparam, static_cast<size_t>(std::max(size, 0)));
  if (!reply || reply->untouched) return std::nullopt;
  return without_split_character(reply->text);
}

// The length a text of `units` characters of the window can take in GBK: an ANSI window of
// some systems counts characters, not bytes.
int gbk_size(rt::WindowHandle window, intptr_t units) {
  int n = static_cast<int>(std::max<intptr_t>(units, 0));
  return rt::is_unicode_window(window) ? n : 2 * n;
}

// Whether the process the reader would put its records into is of the other pointer size. A
// header's records go to its list view.
bool process_takes_other_records(ControlReader reader, rt::WindowHandle window) {
  return rt::window_process_not_32_bit(reader == ControlReader::Header ? rt::parent_window(window) : window);
}

// The titles of the list view's columns that have one, each followed by TAB.
std::string column_titles(ForeignListView& list, int columns) {
  std::string out;
  for (int c = 0; c < columns; ++c) {
    std::string title;
    int format = 0;
    list.get_list_column(c, title, kColumnTitleCapacity, format);
    if (!title.empty()) out += title + "\t";
  }
  return out;
}
}  // namespace

std::string read_window_text_by_class(rt::WindowHandle window) {
  std::string class_name = rt::foreign_class_name(window, 259);
  ControlReader reader = reader_for_class(class_name);
  // Told before any reader opens the process, so that nothing of ours goes into it.
  if (reader_needs_process_memory(reader) && process_takes_other_records(reader, window)) return kOtherBitnessRefusal;
  switch (reader) {
    case ControlReader::Edit:
      return read_edit_control_text(window);
    case ControlReader::ListBox:
      return read_list_box_items(window);
    case ControlReader::ComboBox:
      return read_combo_box_items(window);
    case ControlReader::StatusBar:
      return read_status_bar_parts(window);
    case ControlReader::TreeView:
      return read_tree_view_items(window);
    case ControlReader::ListView:
      return read_list_view_table(window);
    case ControlReader::Browser:
      return read_browser_element_report(window);
    case ControlReader::Header:
      return read_header_texts(window);
    case ControlReader::None:
      break;
  }
  std::optional<std::string> text = text_into_blank_buffer(window, kGetText, kNoHitCapacity, kNoHitCapacity);
  // 255 bytes at most, also when a Unicode window gave 255 characters.
  return text && !text->empty() ? rt::cut_on_char_boundary(*text, kNoHitCapacity - 1) : class_name;
}

std::string read_edit_control_text(rt::WindowHandle window) {
  if (!rt::is_window(window)) return {};
  intptr_t length = rt::send_foreign_message_native(window, kGetTextLength, 0, 0).value_or(0);
  if (length <= 0) return {};
  int size = gbk_size(window, length) + 1;
  std::optional<rt::TextReply> reply = rt::send_foreign_text_message(window, kGetText, size, size);
  return reply ? reply->text : std::string();
}

std::string read_list_box_items(rt::WindowHandle window) {
  // Bounded by the control's count: a window that merely has "ListBox" in its class name
  // must not be asked for ever.
  int count = static_cast<int>(rt::send_foreign_message(window, kListBoxGetCount, 0, 0).value_or(-1));
  return list_box_lines(count, [window](int i) {
    intptr_t length =
        rt::send_foreign_message_native(window, kListBoxGetTextLength, static_cast<uintptr_t>(i), 0).value_or(0);
    return text_into_blank_buffer(window, kListBoxGetText, static_cast<uintptr_t>(i),
                                  std::max(kListItemCapacity, gbk_size(window, length)));
  });
}

std::string read_combo_box_items(rt::WindowHandle window) {
  int count = static_cast<int>(rt::send_foreign_message(window, kComboGetCount, 0, 0).value_or(-1));
  // After a request without an answer the box is asked nothing more: its items count as
  // empty, which ends the list.
  bool answered = true;
  auto length_of = [window, &answered](int i) {
    std::optional<intptr_t> length =
        answered ? rt::send_foreign_message_native(window, kComboGetTextLength, static_cast<uintptr_t>(i), 0)
                 : std::nullopt;
    answered = answered && length.has_value();
    return static_cast<int>(length.value_or(0));
  };
  return combo_box_lines(count, length_of, [window, &answered](int i, int length) {
    std::optional<rt::TextReply> reply =
        answered ? rt::send_foreign_text_message(window, kComboGetText, static_cast<uintptr_t>(i),
                                                 static_cast<size_t>(gbk_size(window, length)))
                 : std::nullopt;
    answered = reply.has_value();
    return reply ? without_split_character(reply->text) : std::string();
  });
}

std::string read_status_bar_parts(rt::WindowHandle window) {
  if (process_takes_other_records(ControlReader::StatusBar, window)) return kOtherBitnessRefusal;
  std::string out;
  int parts = static_cast<int>(rt::foreign_message(window, kStatusGetParts));
  // After a request without an answer the remaining parts are not asked for: empty lines.
  bool answered = true;
  for (int i = 0; i < parts; ++i) {
    std::string part;
    rt::OpenedProcess process(window, rt::kProcessVmAccess);
    if (answered && process.ok()) {
      // SB_GETTEXT has no size: the block is made large enough for the part's text, whose
      // length a Unicode status bar counts in UTF-16 units (up to two GBK bytes each).
      std::optional<intptr_t> length = rt::send_foreign_message(window, kStatusGetTextLengthA, i, 0);
      rt::RemoteBlock block(
          process.handle(),
          std::max<size_t>(kStatusPartCapacity, 2 * static_cast<size_t>(length.value_or(0) & 0xFFFF) + 2));
      answered = length.has_value();
      if (answered && block.ok()) {
        answered =
            rt::send_foreign_message(window, kStatusGetTextA, static_cast<uintptr_t>(i), block.lparam()).has_value();
        if (answered) {
          std::vector<char> bytes(1024, '\0');
          block.read(bytes.data(), kStatusPartCapacity);
          part = without_split_character(text_before_zero(bytes.data(), kStatusPartCapacity));
        } else {
          block.abandon();  // the bar may still write into it later
        }
      }
    }
    out += part + "\r\n";
  }
  return out;
}

std::string read_tree_view_items(rt::WindowHandle window) {
  if (process_takes_other_records(ControlReader::TreeView, window)) return kOtherBitnessRefusal;
  ForeignTreeView tree;
  tree.attach_tree_view_mode(window, 1);
  // One walk serves every read below.
  tree.set_tree_auto_refresh(0);
  std::string out;
  // The items the walk read: it ends early on a tree that shrank, whose answers loop, or whose
  // count is not to be believed, and the slots after its last item hold nothing to read.
  int count = tree.walked_items();
  for (int i = 0; i < count; ++i) {
    std::string line = tree.get_tree_item_text(i);
    int level = count_ancestors(i, -1, count - 1, [&tree](int p) { return tree.get_tree_parent_index(p); });
    for (int k = 0; k < level; ++k) line.insert(0, kFullWidthSpace);
    out += line + "\r\n";
  }
  return out;
}

std::string read_list_view_table(rt::WindowHandle window) {
  if (process_takes_other_records(ControlReader::ListView, window)) return kOtherBitnessRefusal;
  ForeignListView list;
  if (!list.open_list_view_process(window)) return {};
  int columns = list.get_list_column_count();
  std::string out = column_titles(list, columns) + "\r\n";
  int items = list.get_list_item_count();
  for (int item = 0; item < items; ++item) {
    for (int column = 0; column < columns; ++column) {
      std::string cell;
      list.get_list_item_text(item, column, cell, kCellCapacity);
      out += cell + "\t";
    }
    out += "\r\n";
  }
  return out;
}

std::string read_header_texts(rt::WindowHandle window) {
  if (process_takes_other_records(ControlReader::Header, window)) return kOtherBitnessRefusal;
  ForeignListView list;
  if (!list.open_list_view_process(rt::parent_window(window))) return {};
  return column_titles(list, list.get_list_column_count());
}

rt::LateBoundObject get_browser_document(rt::WindowHandle window) { return rt::html_document_of_window(window); }

std::string query_browser_element_at_cursor(rt::WindowHandle window, std::string& url, std::string& tag,
                                            std::string& id, std::string& inner_text, std::string& outer_html) {
  rt::LateBoundObject document = get_browser_document(window);
  rt::ScreenPoint cursor = rt::cursor_screen_position();
  rt::ScreenRect rect = rt::window_screen_rect(window);
  rt::LateBoundObject element = document.call_object("elementFromPoint", {cursor.x - rect.left, cursor.y - rect.top});
  url = document.property_text("url");
  tag = element.property_text("tagName");
  id = element.property_text("ID");
  inner_text = element.property_text("innerText");
  outer_html = element.property_text("outerHTML");
  element.release();
  document.release();
  return outer_html;
}

std::string read_browser_element_report(rt::WindowHandle window) {
  std::string url, tag, id, inner_text, outer_html;
  query_browser_element_at_cursor(window, url, tag, id, inner_text, outer_html);
  std::string report = "页面地址：" + url;
  const std::pair<const char*, const std::string*> parts[] = {
      {"元素：", &tag}, {"标识：", &id}, {"相关数据：", &inner_text}, {"引用代码：", &outer_html}};
  for (const auto& [label, value] : parts) report += std::string("\r\n") + kReportSeparator + "\r\n" + label + *value;
  return report;
}
