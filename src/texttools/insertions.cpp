#include "texttools/insertions.h"

#include "foreign/edit_control.h"
#include "common/messages.h"
#include "forms/main_window_form.h"
#include "options/option_values.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/clock.h"
#include "runtime/gbk_text.h"
#include "texttools/number_ranges.h"

namespace {

rt::EditBox& editor() { return main_window().编辑框_文本类容; }

// The length of a line of an edit box as the control reports it, measured by the edit-control
// reader as for any other program's box.
int edit_line_length(const rt::EditBox& box, int line) {
  ForeignEditControl reader;
  return reader.get_edit_line_length(box.handle(), line);
}

}  // namespace

void fill_separator_box(const std::string& unit) {
  main_window().编辑框_测试用.set_text(rt::repeat_text(rt::repeat_text(unit.empty() ? "-" : unit, 30), 30));
}

void insert_separator_line() {
  MainWindowForm& w = main_window();
  rt::EditBox& probe = w.编辑框_测试用;
  // Wrapping as the edit box does, the probe's full lines are editor lines of separators.
  probe.set_font(w.编辑框_文本类容.font());
  probe.set_width(w.编辑框_文本类容.width());
  if (probe.text_length() == 0) fill_separator_box(options().separator_text);
  int n = edit_line_length(probe, 1);
  editor().replace_selection(rt::repeat_text(options().separator_text, n));
}

void insert_date() {
  rt::DateTime t = rt::now();
  editor().replace_selection(std::to_string(t.year) + "年" + std::to_string(t.month) + "月" + std::to_string(t.day) +
                             "日");
}

void insert_time() {
  rt::DateTime t = rt::now();  // one reading: the fields belong to one moment
  editor().replace_selection(std::to_string(t.hour) + "时" + std::to_string(t.minute) + "分" +
                             std::to_string(t.second) + "秒");
}

void insert_letter_sequence() {
  int page = current_page_id();
  std::string separator;
  if (!ask_user_text("请输入字母间的分隔符！", "  请输入字母间的分隔符，可以为空。", separator)) return;
  // The box is modal, yet pages may have moved on under it: only into the page asked about.
  if (current_page_id() != page) return;
  std::string text;
  for (char c = 'A'; c <= 'Z'; ++c) {
    text += c;
    if (c != 'Z') text += separator;
  }
  editor().replace_selection(text);
}

void insert_number_range() {
  rt::delay_with_messages(0);
  int page = current_page_id();
  std::string rule;
  if (!ask_user_text("请输入欲替换的数字范围！",
                     "  连续插入数字到文本中，书写格式为 起始位置-结束位置|数字间的分隔符，如：0-10000", rule) ||
      current_page_id() != page)
    return;
  std::string text;
  if (!number_range_text(rule, text)) {
    tell_user(0, 16, "插入指定范围数字失败！", 0xFF00FF,
              "  插入指定范围数字失败，错误原因是书写格式错误！请按照正确的书写格式填写规则，比如：0-10000", 0xFF);
    return;
  }
  editor().replace_selection(text);
}

void on_editor_wheel(int delta, int keys) {
  // The sign decides: a high-resolution wheel sends deltas smaller than one step.
  if (delta == 0) return;
  MainWindowForm& w = main_window();
  rt::EditBox& box = w.编辑框_文本类容;
  if (keys == 1) {
    if (box.text_length() == 0) return;
    rt::Font f = box.font();
    if (delta < 0)
      ++f.size;
    else if (f.size > 1)
      --f.size;
    box.set_font(f);
    int i = w.高级选择夹_标签.current();
    if (options().per_page_font) set_page_font_size(i, f.size);
  } else if (keys == 2) {
    rt::TabControl& tabs = w.高级选择夹_标签;
    if (delta < 0)
      tabs.set_current(tabs.current() + 1);
    else if (tabs.current() > 0)
      tabs.set_current(tabs.current() - 1);
  }
}
