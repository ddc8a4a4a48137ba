#pragma once
// The other program of the reader tests (foreign_target.cpp): one window whose controls hold
// known contents. The test starts it with a token, finds its window by class and token (the
// caption it takes once every control stands), and each control by its id. It ends itself after kTargetLifetimeMs or on
// WM_CLOSE.
#include <string>
#include <vector>

namespace foreign_target {

constexpr const char* kWindowClass = "VelmoraForeignTarget";
constexpr int kTargetLifetimeMs = 60000;
// Posted to the target's window: it stops answering for wParam milliseconds (at most 10 s).
constexpr unsigned kHangMessage = 0x8000 + 1;  // WM_APP + 1
// Posted to the target's window: it brings the window wParam forward as a taskbar button does
// (restored first when minimized); wParam 0 brings its own window forward.
constexpr unsigned kActivateMessage = 0x8000 + 2;

enum ControlId : int {
  kEdit = 100,     // Unicode single-line edit
  kEditAnsi,       // ANSI single-line edit
  kLinesEdit,      // Unicode multi-line edit: lines() joined by CR LF
  kLinesEditAnsi,  // ANSI multi-line edit with the same lines
  kTrailingEdit,   // text ending in ASCII and full-width blanks
  kBlanksEdit,     // blanks only
  kCaretEdit,      // "12345", "1234567", "third"; caret at the start of the third line
  kTypingEdit,     // empty multi-line edit for typing and writing
  kRichEdit,       // RichEdit20W
  kStatic,         // "静态文本"
  kEmptyStatic,    // no text
  kLongStatic,     // kLongText
  kButton,         // "按钮"
  kListBox,        // list_box_items()
  kEmptyListBox,
  kComboGap,      // "A", "", "B"
  kComboTwoGaps,  // "A", "", "", "B"
  kComboBlanks,   // "A", "   ", "B"
  kComboLong,     // "甲", "乙", kLongText
  kFakeListBox,   // class "FakeListBox": any text for any index, never a count
  kStatusBar,     // parts kStatusParts
  kTree,          // A (B (C)), D, "  pad  "; see below
  kTreeWrite,     // X0, X1: for the tests that change a tree
  kTreeNoClass,   // class "MyTreeView", no tree-view control
  kListView,      // report view, columns "N" and "", one row X, Y
  kListViewBig,   // report view, columns kBigColumns, kBigRows rows; items 2, 3, 7 selected
  kListViewIcon,  // icon view, no header; items "i0", "i1"
  kBrowser,       // class "Internet Explorer_Server" serving a fake document
  kTreeLoop,      // 甲 (乙), whose answers loop; see below
};

// kTree: A (B (C)), D, "  pad  " in this order. A is expanded, B collapsed; the last item
// carries the expanded state bit. A and C are checked (state image 2), D shows state image 3.
// A: image 1, selected image 2, lParam 100.
constexpr const char* kTreeLines = "A\r\n　B\r\n　　C\r\nD\r\n  pad  \r\n";
// kTreeLoop: a real tree of 甲 and its child 乙 that answers as a hostile program might: its
// count is 0x7FFFFFFF and 甲's parent is 乙.
constexpr const char* kTreeLoopTexts[] = {"甲", "乙"};

inline std::string long_text(size_t n, char c = 'x') { return std::string(n, c); }
// The lines of kLinesEdit and kLinesEditAnsi.
inline std::vector<std::string> lines() { return {"甲乙 line", "", long_text(10000), "中文行"}; }
inline std::string joined_lines() {
  std::string t;
  for (const std::string& l : lines()) t += (t.empty() ? "" : "\r\n") + l;
  return t;
}
// 300 bytes: "长" then 298 x's.
inline std::string kLongText() { return "长" + long_text(298); }

inline std::vector<std::string> list_box_items() { return {"甲", "", kLongText(), "last"}; }

constexpr int kBigRows = 10;
constexpr const char* kBigColumns[] = {"名称", "大小", "类型"};
// Row r: "项" r, r * 10, and in the third column "" for row 1, kLongText() for row 4, "t" r otherwise.

constexpr const char* kStatusParts[] = {"第一部分", ""};  // the third part is long_text(300, 'y')

// The fake document's answers: url, and per element "DIV", "box", "在 X,Y", "<div id=\"box\">在 X,Y</div>"
// with X, Y the point it was asked for.
constexpr const char* kBrowserUrl = "http://velmora.test/页面.html";

}  // namespace foreign_target
