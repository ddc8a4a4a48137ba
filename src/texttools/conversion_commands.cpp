#include "texttools/conversion_commands.h"

#include <optional>
#include <string>
#include <utility>

#include "common/messages.h"
#include "common/text_routines.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "options/config.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/script.h"
#include "texttools/conversions.h"
#include "texttools/search_text.h"

namespace {

constexpr unsigned kRed = 0xFF, kGreen = 0x8000, kMagenta = 0xFF00FF;

rt::EditBox& editor() { return main_window().编辑框_文本类容; }

// An equal text is not written again: the caret stays where it is.
void write_editor(const std::string& before, const std::string& after) {
  if (after != before) editor().set_text(after);
}

// Whether the page a command began on is still the one shown, after a box whose modal loop
// may have let an open run or the tab scroll move on: the command then does nothing.
bool left_page(int id) { return open_busy() || current_page_id() != id; }

// The conversions replace the page's text as a whole: not while an open run is busy.
template <typename Convert>
void convert_editor(Convert convert) {
  if (open_busy()) return;
  std::string text = editor().text();
  write_editor(text, convert(text));
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// The current page's name and a fresh page of that text, unmodified, shown.
void show_in_new_page(std::string name, std::string text) {
  int tab = create_page(name);
  if (tab < 0 || tab >= page_count()) return;
  set_page_content(tab, std::move(text));
  set_page_modified(tab, 0);
  show_current_page();
}

const char* const kLineBreakHelp =
    "  本来想加到寻找替换里面，但是如果寻找的话，编辑框是显示不出来的，所以特加此菜单命令，方便对换行符进行替换。";

}  // namespace

void convert_to_half_width() {
  convert_editor([](const std::string& t) { return rt::to_half_width(t); });
}
void convert_to_full_width() {
  convert_editor([](const std::string& t) { return rt::to_full_width(t); });
}
void convert_to_lower_case() {
  convert_editor([](const std::string& t) { return rt::to_lower_ascii(t); });
}
void convert_to_upper_case() {
  convert_editor([](const std::string& t) { return rt::to_upper_ascii(t); });
}
void remove_all_spaces() {
  convert_editor([](const std::string& t) { return rt::remove_blanks(t); });
}

void keep_chinese_text() {
  if (open_busy()) return;
  rt::delay_with_messages(0);  // the menu is gone before the work starts
  convert_editor([](const std::string& t) { return keep_double_byte_chars(t); });
}

void url_encode_editor() {
  convert_editor([](const std::string& t) { return percent_encode_text(t); });
}
void url_decode_editor() {
  convert_editor([](const std::string& t) { return percent_decode_text(t); });
}

void strip_lyrics_in_editor() {
  if (open_busy()) return;
  std::string text = editor().text(), stripped;
  // Without tags there is nothing to strip: the page keeps its text.
  if (remove_lyric_tags(text, stripped)) write_editor(text, stripped);
}

void replace_newlines_with() {
  if (open_busy()) return;
  int page = current_page_id();
  std::string with;
  if (!ask_user_text("请输入替换换行符的字符！", kLineBreakHelp, with, {}, true) || left_page(page)) return;
  std::string text = editor().text();
  ReplaceResult r = replace_line_breaks(text, with);
  write_editor(text, r.text);
  tell_user(0, 8, "替换所有换行符成功！", kMagenta,
            "  成功将所有的换行符替换为" + quoted(with) + "，成功替换了" + rt::int_to_text(r.count) + "处。", kGreen);
}

void replace_with_newlines() {
  if (open_busy()) return;
  int page = current_page_id();
  std::string what;
  if (!ask_user_text("请输入欲替换为换行符的字符！", kLineBreakHelp, what, {}, true) || left_page(page)) return;
  // Nothing to look for: there is nothing to replace.
  if (what.empty()) return;
  std::string text = editor().text();
  ReplaceResult r = line_breaks_for(text, what);
  write_editor(text, r.text);
  tell_user(0, 8, "替换为换行符成功！", kMagenta,
            "  成功将所有的" + quoted(what) + "替换为换行符了，成功替换了" + rt::int_to_text(r.count) + "处。", kGreen);
}

void extract_middle_text() {
  if (open_busy()) return;
  rt::delay_with_messages(0);
  int page = current_page_id();
  std::string rule_text;
  if (!ask_user_text("请输入中间文本的左标识和右标识！",
                     "  取出位于左标识和右标识中间的所有文本，书写格式为 左标识|右标识，比如 [|] "
                     "就是取出所有位于[和]中间的文本。左标识或右标识空为换行符。",
                     rule_text, {}, true) ||
      left_page(page))
    return;
  std::string text = editor().text();
  std::string name = page_name(main_window().高级选择夹_标签.current());
  MiddleTextRule rule = parse_middle_text_rule(rule_text);
  std::vector<std::string> pieces = middle_texts(text, rule);
  std::string between = quoted(delimiter_label(rule.left)) + "和" + quoted(delimiter_label(rule.right));
  if (pieces.empty()) {
    tell_user(0, 8, "取中间文本失败！", kMagenta, "  取中间文本失败，原因是没有找到位于" + between + "中间的文本。",
              kRed);
    return;
  }
  bool without_button = false;
  int answer =
      tell_user(3, 8, "取中间文本成功！", kMagenta,
                "  成功取到位于" + between + "中间的文本共" + rt::int_to_text(static_cast<long long>(pieces.size())) +
                    "处。选择'是'将取到的文本加入到新的标签，'否'复制到剪切板，'取消'直接替换当前内容。",
                kGreen, &without_button);
  // Replacing the page takes the 取消 button itself; a box closed otherwise changes nothing.
  if (without_button) return;
  std::string result = join_lines(pieces);
  if (answer == 6) {
    rt::set_clipboard_text(result);
    return;
  }
  // No page comes while an open run is busy, and the pieces replace the text they came from,
  // never another page's.
  if (answer == 5 && !open_busy()) {
    show_in_new_page(name, std::move(result));
  } else if (answer == 1 && !left_page(page)) {
    write_editor(editor().text(), result);
  }
}

void replace_number_range() {
  if (open_busy()) return;
  rt::delay_with_messages(0);
  int page = current_page_id();
  std::string rule;
  if (!ask_user_text("请输入欲替换的数字范围！",
                     "  连续替换文本中的数字，如0-9就是替换文本中的所有数字，书写格式为 起始位置-结束位置|替换内容。",
                     rule, "0-9|", true) ||
      left_page(page))
    return;
  NumberRange range;
  std::string text;
  std::optional<std::string> replaced;
  if (parse_number_range(rule, range)) {
    text = editor().text();
    replaced = replace_range_numbers(text, range);
  }
  // A rule whose text would grow past what the program can hold is refused as one it cannot read.
  if (!replaced) {
    tell_user(0, 16, "替换指定范围数字失败！", kMagenta,
              "  替换指定范围数字失败，错误原因是书写格式错误！请按照正确的书写格式填写规则，比如：0-9|Velmora", kRed);
    return;
  }
  write_editor(text, *replaced);
  tell_user(0, 8, "替换指定范围数字成功！", kMagenta,
            "  成功将" + number_range_label(range) + "之间的数字替换为" + quoted(range.tail), kGreen);
}

void evaluate_expression() {
  std::string expression;
  if (!ask_user_text("请输入表达式！",
                     "  本功能主要用于混合运算，你只需要把表达式输入然后计算就可以了，比如(88*2)/(3+5)*(16-8)。",
                     expression, {}, true))
    return;
  // The user's text runs apart from the program and is stopped when it runs too long.
  std::string result = rt::evaluate_untrusted(rt::to_half_width(expression), kExpressionTimeLimitMs);
  bool without_button = false;
  int answer =
      tell_user(1, 8, "表达式计算成功！", kMagenta,
                "  表达式计算成功，单击确定将结果复制到剪切板，计算结果为：" + result, kGreen, &without_button);
  if (answer == 0 && !without_button) rt::set_clipboard_text(result);
}

void open_lyric_file_as_page() {
  if (open_busy()) return;
  MainWindowForm& w = main_window();
  rt::CommonDialog& dialog = w.通用对话框;
  dialog.kind = rt::CommonDialog::Kind::Open;
  dialog.title = "请选择要处理的歌词文件……";
  dialog.filter = "歌词文件(*.lrc)|*.lrc|所有文件(*.*)|*.*|";
  dialog.folder = config_text(cfg::上次打开目录::歌词文件);
  dialog.owner = w.handle();
  if (!dialog.run()) return;
  std::string path = dialog.file_name;
  std::string stripped = strip_lyric_tags(rt::read_file(path).value_or(std::string()));
  // A run that began while the dialog was open puts its pages at fixed places first.
  if (open_busy()) return;
  if (!stripped.empty()) {
    std::string name = path, extension;
    name = split_file_name(name, extension);
    show_in_new_page(name, rt::trim_both(stripped));
  } else {
    tell_user(0, 16, "处理歌词文件时错误！", kRed,
              "  检测到文件不是歌词文件，或者是无法识别的文件格式，程序无法继续执行任务！", kRed);
  }
  config_set_text(cfg::上次打开目录::歌词文件, split_path_dir_file(path, true));
}
