#include "pages/page_display.h"

#include "app/command_items.h"
#include "common/balloon_tip.h"
#include "common/toolbar_art.h"
#include "documents/file_info.h"
#include "forms/main_window_form.h"
#include "options/option_values.h"
#include "pages/closing.h"
#include "pages/page_model.h"
#include "runtime/gbk_text.h"
#include "texttools/edit_commands.h"
#include "texttools/typing_output.h"

namespace {

constexpr unsigned kModifiedTitleColor = 0xFF;
constexpr unsigned kTitleColor = 0xFF0000;  // blue: saved or unchanged
int g_showing_page = 0;                     // set while show_current_page writes the edit box
// The edit box holds no page since one could not be shown; it was read-only before or not.
bool g_editor_held = false;
bool g_editor_was_read_only = false;

rt::Font to_unit_font(const FontRecord& f) {
  return {f.angle, f.bold != 0, f.italic != 0, f.strikeout != 0, f.underline != 0, f.size, f.face};
}

unsigned colour_arithmetic(unsigned colour, int delta) {
  return static_cast<unsigned>(static_cast<int>(colour) + delta) & 0xFFFFFF;
}

// Whether the edit box's text differs from the page's stored text, without copying the edit
// box's text when the lengths already tell.
bool editor_differs_from(const PageRecord& p) {
  const rt::EditBox& box = main_window().编辑框_文本类容;
  if (box.text_length() != rt::char_count(p.content)) return true;
  return box.text() != p.content;
}

// The edit box could not take the current page (no room in memory, reported): the page's text
// stays whole in its record, the text the box still showed goes back to its own page first,
// and the box shows no page and takes no typing until a page is shown again.
void show_no_page(rt::EditBox& box) {
  for (int i = 0; i < page_count(); ++i)
    if (pages()[i].id == editor_page_id() && pages()[i].text_in_editor) page_content(i);
  set_editor_page_id(0);
  ++g_showing_page;
  box.set_text("");
  --g_showing_page;
  if (!g_editor_held) {
    g_editor_held = true;
    g_editor_was_read_only = box.read_only();
  }
  box.set_read_only(true);
}

}  // namespace

void reset_page_display() {
  g_showing_page = 0;
  g_editor_held = false;
  g_editor_was_read_only = false;
}

void apply_page_colors() {
  MainWindowForm& w = main_window();
  rt::EditBox& box = w.编辑框_文本类容;
  int i = w.高级选择夹_标签.current();
  unsigned t = box.text_color(), b = box.back_color();
  if (options().per_page_colors && i >= 0 && i < page_count()) {
    t = pages()[i].text_color;
    b = pages()[i].back_color;
  }
  box.set_back_color(b);
  w.高级选择夹_标签.set_colors(b, b, b, colour_arithmetic(t, -1500), colour_arithmetic(t, 1500), t);
  box.set_text_color(t);
}

void show_current_page() {
  if (bulk_close_running()) return;
  MainWindowForm& w = main_window();
  rt::EditBox& box = w.编辑框_文本类容;
  int i = w.高级选择夹_标签.current();
  if (i < 0 || i >= page_count()) return;
  box.set_focus();
  if (options().per_page_colors) apply_page_colors();
  const PageRecord& page = pages()[i];
  // The edit box may already show this page's text: handing a large text to the control again
  // costs seconds and changes nothing.
  bool shown = page.id == editor_page_id();
  if (!shown) {
    settle_editor_losses();
    ++g_showing_page;
    shown = box.set_text(page.content);
    --g_showing_page;
    if (shown) {
      set_editor_page_id(page.id);
      set_page_text_in_editor(i, false);
      if (g_editor_held) {
        g_editor_held = false;
        box.set_read_only(g_editor_was_read_only);
      }
    } else {
      show_no_page(box);
    }
  }
  if (shown) {
    box.set_selection_start(page.selection_start);
    box.set_selection_length(page.selection_length);
    box.scroll_to_caret();
  }
  if (options().per_page_font) box.set_font(to_unit_font(page.font));
  rt::Toolbar& bar = w.工具条_工具栏;
  int count = w.高级选择夹_标签.count();
  bar.set_state(kButtonBack5, i >= 5 ? 0 : rt::Toolbar::kDisabled);
  bar.set_state(kButtonForward5, count - i >= 5 ? 0 : rt::Toolbar::kDisabled);
  update_command_states();
  update_title_and_status(i);
  fill_file_info_thread();
  if (options().tab_close_button) place_tab_close_button();
}

void update_title_and_status(int index) {
  MainWindowForm& w = main_window();
  if (index < 0 || index >= page_count()) return;
  const PageRecord& page = pages()[index];
  std::string name = page_name(index);
  const std::string shown_path = page.path.empty() ? "(尚未保存过!)" : page.path;
  w.标签_上中.set_text("   Velmora—" + (page.path.empty() ? name : page.path));
  w.透明标签_文件路径.set_text("  路径:" + shown_path);
  w.标签_上中.set_text_color(page.modified ? kModifiedTitleColor : kTitleColor);
  w.set_caption(w.标签_上中.text());
  int count = w.高级选择夹_标签.count();
  if (tab0_placeholder())
    w.透明标签_标签状态.set_text("总数:" + std::to_string(count - 1) + "篇 当前:第" + std::to_string(index) + "篇");
  else
    w.透明标签_标签状态.set_text("总数:" + std::to_string(count) + "篇 当前:第" + std::to_string(index + 1) + "篇");
  w.透明标签_文件标题.set_text("标题:" + name);
  set_balloon_tip(w.标签_上中, shown_path);
  set_balloon_tip(w.透明标签_文件标题, "文件" + w.透明标签_文件标题.text());
  set_balloon_tip(w.透明标签_文件路径, "文件" + rt::trim_left(w.透明标签_文件路径.text()));
  set_balloon_tip(w.透明标签_标签状态, w.透明标签_标签状态.text());
}

void on_tab_changing() {
  // A replay belongs to the page it began on: it ends, and that page's text is back, before
  // another page is shown.
  if (typing_output_running()) stop_typing_output();
  MainWindowForm& w = main_window();
  rt::TabControl& tabs = w.高级选择夹_标签;
  int i = tabs.current();
  if (bulk_close_running() || i < 0 || i >= page_count()) return;
  rt::EditBox& box = w.编辑框_文本类容;
  box.set_focus();
  set_page_selection(i, box.selection_start(), box.selection_length());
  const PageRecord& page = pages()[i];
  std::string text = page_content(i);
  if (!options().first_line_title || tabs.caption(i).compare(0, 8, "新建文档") != 0 || !page.path.empty()) return;
  auto candidate_from = [](std::string_view source) {
    std::string c = strip_invalid_filename_chars(rt::cut_on_char_boundary(source, 40));
    return rt::replace_text(c, "\r\n", "");
  };
  std::string candidate = candidate_from(text);
  if (rt::remove_blanks(candidate).empty()) candidate = candidate_from(rt::remove_blanks(text));
  if (candidate.size() >= 12) {
    tabs.set_caption(i, rt::cut_on_char_boundary(candidate, 12));
    tabs.set_tooltip(i, make_tab_tooltip(candidate));
  }
}

void on_editor_changed() {
  if (typing_output_running() || g_showing_page) return;
  MainWindowForm& w = main_window();
  int i = w.高级选择夹_标签.current();
  if (i < 0 || i >= page_count()) return;
  const PageRecord& page = pages()[i];
  if (page.id != editor_page_id()) return;  // the edit box does not show this page
  // While the page is unmodified its stored text equals the edit box's up to this change.
  if (!page.modified && editor_differs_from(page)) {
    set_page_modified(i, 1);
    w.标签_上中.set_text_color(kModifiedTitleColor);
    w.工具条_工具栏.remove_state(kButtonSave, rt::Toolbar::kDisabled);
    set_command_disabled(Command::Save, false);
  }
  // The text stays in the edit box until something reads it.
  set_page_text_in_editor(i, true);
}
