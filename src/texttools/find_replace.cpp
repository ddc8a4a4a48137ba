#include "texttools/find_replace.h"

#include <string>
#include <vector>

#include "common/control_routines.h"
#include "common/find_art.h"
#include "common/messages.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "forms/find_window_form.h"
#include "forms/main_window_form.h"
#include "runtime/app.h"
#include "runtime/gbk_text.h"
#include "runtime/tooltip.h"
#include "runtime/window_services.h"
#include "texttools/edit_commands.h"
#include "texttools/search_text.h"

namespace {

SearchState g_search;
int g_find_select_all_once[2] = {0, 0};
// The JScript object of the find routine and whether it is used. It is made at its first use,
// not at the start: loading the script engine is no part of what the first screen needs.
bool g_script_tried = false;
int g_script_ready = 0;
rt::ScriptObject g_script_object;

void make_script_object_once() {
  if (g_script_tried) return;
  g_script_tried = true;
  g_script_ready = g_script_object.create() ? 1 : 0;
  // The character counter of the find routine.
  if (g_script_ready) g_script_object.execute_statement("function len(t){return t.length;}");
}

constexpr int kReturnKey = 0x0D, kUpKey = 0x26, kDownKey = 0x28;
constexpr unsigned kRed = 0xFF, kMagenta = 0xFF00FF;
constexpr unsigned kEditBorderColor = 0x9D7B45;
constexpr int kShownSearchTextBytes = 80;
const char* const kTitle = "   寻找替换";
// Replace all changes only the occurrences in the edit box when they are few: each costs the
// control some milliseconds for every million characters of the page (it walks all its lines and
// moves the text after it) while the box is busy, so beyond this many, or this much work
// (occurrences times characters, about 3 s under Wine), the page is handed over anew, which costs
// one laying out of it while the box answers.
constexpr int kFewHits = 200;
constexpr long long kFewHitsWork = 1LL << 30;

rt::EditBox& editor() { return main_window().编辑框_文本类容; }

void find_window_fade_in() {
  FindWindowForm& f = find_window();
  if (!f.loaded()) return;
  show_window_faded(f, true);
  f.编辑框_查找文字.set_focus();
}

}  // namespace

const SearchState& search_state() { return g_search; }
void set_search_text(std::string text) { g_search.search_text = std::move(text); }
void set_search_forward(int forward) { g_search.search_forward = forward; }
void set_search_pos(int pos) { g_search.search_pos = pos; }
void set_find_ignore_case(int ignore) { g_search.find_ignore_case = ignore; }

void reset_search_state() {
  g_search = SearchState{};
  g_find_select_all_once[0] = g_find_select_all_once[1] = 0;
}

void forget_first_click(int box) {
  if (box == 0 || box == 1) g_find_select_all_once[box] = 0;
}

bool script_ready() {
  make_script_object_once();
  return g_script_ready != 0;
}

void set_script_ready(bool ready) {
  make_script_object_once();
  g_script_ready = ready ? 1 : 0;
}

void reset_script_object() {
  g_script_object.release();
  g_script_tried = false;
  g_script_ready = 0;
}

void release_script_object() {
  g_script_object.release();
  g_script_tried = true;
  g_script_ready = 0;
}

int count_chars_by_script(const std::string& text) {
  make_script_object_once();
  return static_cast<int>(rt::text_to_number(g_script_object.run("len", {text})));
}

void find_in_page() {
  // The page as the box shows it: after an edit next to a byte escape its bytes can read as
  // other characters than the user sees, and the find goes by what the user sees.
  rt::ShownText page = editor().shown_text();
  SearchStep step = search_step(page, g_search.search_text, g_search.search_pos, g_search.search_forward != 0,
                                g_search.find_ignore_case != 0);
  set_search_pos(step.anchor);
  if (step.found == -1) {
    FindWindowForm& f = find_window();
    rt::Window& owner = f.loaded() ? static_cast<rt::Window&>(f) : main_window();
    tell_user(0, 48, "找不到或者已经是最后一个了！", kRed,
              "  在当前页面找不到\"" + rt::cut_on_char_boundary(g_search.search_text, kShownSearchTextBytes) +
                  "...\"可能当前页不含此文本或者已经是最后一个！",
              kMagenta, nullptr, &owner);
    return;
  }
  CharSelection sel;
  // The script counts the characters the bytes read as: the box's own while they are the same.
  if (page.starts.empty() && script_ready()) {
    // Everything before the occurrence and its first (or lead) byte.
    std::string u = rt::left_text(page.text, step.found);
    sel.start = count_chars_by_script(u) - 1;
    sel.length = count_chars_by_script(g_search.search_text);
  } else {
    sel = occurrence_selection(page, step.found, g_search.search_text);
  }
  rt::EditBox& e = editor();
  e.set_selection_start(sel.start);
  e.set_selection_length(sel.length);
  e.scroll_to_caret();
  update_command_states();
}

void find_previous() {
  if (g_search.search_text.empty()) return;
  set_search_forward(0);
  find_in_page();
}

void find_next() {
  if (g_search.search_text.empty()) return;
  set_search_forward(1);
  find_in_page();
}

void open_find_window() {
  FindWindowForm& f = find_window();
  if (f.loaded()) {
    f.bring_forward();
    f.编辑框_查找文字.set_focus();
    return;
  }
  f.load(&main_window());
}

void find_from_window() {
  FindWindowForm& f = find_window();
  if (!f.is_foreground()) f.set_focus();
  set_search_text(f.编辑框_查找文字.text());
  find_in_page();
  update_replace_buttons();
}

void update_replace_buttons() {
  FindWindowForm& f = find_window();
  bool none = editor().selection_length() == 0;
  f.图形按钮_替换.set_disabled(none);
  f.图形按钮_全部替换.set_disabled(none);
}

void replace_selection_and_find() {
  FindWindowForm& f = find_window();
  rt::EditBox& e = editor();
  if (e.selection_length() == 0) return;
  std::string replacement = f.编辑框_替换文字.text();
  // The next forward search starts right after the replacement: a shorter one would otherwise
  // hide the next occurrence, and one holding the search text would be found in itself.
  int anchor =
      g_search.search_forward ? anchor_after_replacement(e.shown_text(), e.selection_start(), replacement) : 0;
  e.replace_selection(replacement);
  if (g_search.search_forward) set_search_pos(anchor);
  find_from_window();
}

void replace_all() {
  FindWindowForm& f = find_window();
  bool match_case = check_button_state(f.超级按钮_区分大小写, ButtonOp::Query) != 0;
  std::string what = f.编辑框_查找文字.text();
  rt::ShownText page = editor().shown_text();
  if (!occurs(page, what, match_case)) {
    tell_user(0, 32, "未找到要替换的类容！", kRed,
              " 未在当前页面找到\"" + what + "\"，请确定是否存在，或者是否在这一页面！", kMagenta, nullptr, &f);
    f.标签_上中.set_text(kTitle);
    return;
  }
  int n = count_occurrences(page, what, match_case);
  std::string with = f.编辑框_替换文字.text();
  // The box's selections of the occurrences are the page's characters only where the page reads
  // as the box shows it; after an edit beside a byte escape the whole text is replaced instead.
  bool few = page.starts.empty() && n <= kFewHits &&
             static_cast<long long>(n) * editor().text_length() <= kFewHitsWork;
  if (few && with.find('\0') == std::string::npos) {
    std::vector<rt::EditBox::Range> ranges;
    for (const CharSelection& s : occurrence_selections(page.text, what, match_case))
      ranges.push_back({s.start, s.length});
    editor().replace_ranges(ranges, with);
  } else {
    editor().set_text(replaced_everywhere(page, what, with, match_case));
  }
  if (check_button_state(f.超级按钮_全部替换完毕后退出, ButtonOp::Query)) {
    close_find_window();
    return;
  }
  f.标签_上中.set_text(std::string(kTitle) + "—共替换了" + rt::int_to_text(n) + "处");
  f.编辑框_查找文字.set_focus();
}

void close_find_window() { find_window().close(); }

void fade_out_find_window() {
  FindWindowForm& f = find_window();
  if (f.loaded()) show_window_faded(f, false);
}

void on_find_window_created() {
  FindWindowForm& f = find_window();
  dress_tool_window(f, f.frame_labels(), f.图形按钮_程序图标, find_window_icon_picture(), f.图形按钮_关闭小);
  rt::Unit* pointed[] = {&f,
                         &f.图形按钮_关闭小,
                         &f.图形按钮_寻找,
                         &f.图形按钮_替换,
                         &f.图形按钮_全部替换,
                         &f.超级按钮_区分大小写,
                         &f.超级按钮_向上,
                         &f.超级按钮_向下,
                         &f.超级按钮_全部替换完毕后退出};
  for (rt::Unit* u : pointed) u->set_mouse_pointer(program_pointer_cursor().handle());
  for (rt::EditBox* box : {&f.编辑框_查找文字, &f.编辑框_替换文字}) {
    box->set_mouse_pointer(program_text_cursor().handle());
    install_colored_border(box->handle(), kEditBorderColor);
  }
  radio_button_state(f.超级按钮_向上, ButtonOp::Set, g_search.search_forward ? 0 : 1);
  radio_button_state(f.超级按钮_向下, ButtonOp::Set, g_search.search_forward ? 1 : 0);
  check_button_state(f.超级按钮_区分大小写, ButtonOp::Set, g_search.find_ignore_case ? 0 : 1);
  check_button_state(f.超级按钮_全部替换完毕后退出, ButtonOp::Set, 0);
  f.编辑框_查找文字.set_text(g_search.search_text);
  f.编辑框_查找文字.select(f.编辑框_查找文字.text_length(), 0);
  rt::Font font = f.编辑框_查找文字.font();
  font.face = editor().font().face;
  f.编辑框_查找文字.set_font(font);
  f.编辑框_替换文字.set_font(f.编辑框_查找文字.font());
}

void on_find_window_first_activation() {
  FindWindowForm& f = find_window();
  // Shown once the activation is over, on the UI thread: the fade moves and focuses the window.
  rt::WindowHandle shown = f.handle();
  rt::post([shown] {
    if (find_window().handle() == shown) find_window_fade_in();
  });
  rt::set_tooltip(f.图形按钮_关闭小, "关闭寻找替换窗口");
  rt::set_tooltip(f.图形按钮_寻找, "开始寻找");
  rt::set_tooltip(f.图形按钮_替换, "开始替换");
  rt::set_tooltip(f.图形按钮_全部替换, "全部替换");
}

void on_find_text_changed() {
  FindWindowForm& f = find_window();
  bool has_text = f.编辑框_查找文字.text_length() > 0;
  for (rt::GraphicButton* b : {&f.图形按钮_寻找, &f.图形按钮_替换, &f.图形按钮_全部替换}) b->set_disabled(!has_text);
  if (has_text) {
    set_search_pos(0);
    editor().set_selection_length(0);
  }
  f.编辑框_查找文字.set_focus();
}

void on_match_case_click() {
  int on = check_button_state(find_window().超级按钮_区分大小写);
  set_find_ignore_case(on ? 0 : 1);
}

namespace {
// The radio pair changes only from the other button's state.
void choose_direction(int forward) {
  FindWindowForm& f = find_window();
  rt::GraphicButton& on = forward ? f.超级按钮_向下 : f.超级按钮_向上;
  rt::GraphicButton& off = forward ? f.超级按钮_向上 : f.超级按钮_向下;
  if (!radio_button_state(off, ButtonOp::Query)) return;
  radio_button_state(off, ButtonOp::Set, 0);
  radio_button_state(on, ButtonOp::Set, 1);
  set_search_forward(forward);
}
}  // namespace

void on_up_click() { choose_direction(0); }

void on_down_click() { choose_direction(1); }

void on_close_after_replace_all_click() { check_button_state(find_window().超级按钮_全部替换完毕后退出); }

bool on_find_box_key_down(int key, int modifiers) {
  FindWindowForm& f = find_window();
  if (key == kUpKey || key == kDownKey) {
    f.编辑框_替换文字.set_focus();
    return false;
  }
  if (key != kReturnKey) return true;
  if (!f.图形按钮_寻找.disabled())
    find_from_window();
  else
    f.编辑框_替换文字.set_focus();
  return false;
}

bool on_replace_box_key_down(int key, int modifiers) {
  FindWindowForm& f = find_window();
  if (key == kUpKey || key == kDownKey) {
    f.编辑框_查找文字.set_focus();
    return false;
  }
  if (key != kReturnKey) return true;
  if (!f.图形按钮_替换.disabled()) replace_selection_and_find();
  return false;
}

void select_all_on_first_click(int box) {
  FindWindowForm& f = find_window();
  if (box < 0 || box > 1 || g_find_select_all_once[box]) return;
  rt::EditBox& e = box == 0 ? f.编辑框_查找文字 : f.编辑框_替换文字;
  e.select(0, e.text_length());
  g_find_select_all_once[box] = 1;
}

void move_find_window_by_title() { move_window_by_title(find_window()); }

void bind_find_window(FindWindowForm& f) {
  f.on_created = on_find_window_created;
  f.on_first_activation = on_find_window_first_activation;
  f.on_activated = update_replace_buttons;
  f.on_may_close = [] {
    fade_out_find_window();
    return true;
  };
  f.图形按钮_关闭小.on_click = close_find_window;
  f.标签_上中.on_left_down = [](int, int, int) {
    move_find_window_by_title();
    return true;
  };
  f.图形按钮_寻找.on_click = find_from_window;
  f.图形按钮_替换.on_click = replace_selection_and_find;
  f.图形按钮_全部替换.on_click = replace_all;
  f.超级按钮_区分大小写.on_click = on_match_case_click;
  f.超级按钮_向上.on_click = on_up_click;
  f.超级按钮_向下.on_click = on_down_click;
  f.超级按钮_全部替换完毕后退出.on_click = on_close_after_replace_all_click;
  f.编辑框_查找文字.on_changed = on_find_text_changed;
  f.编辑框_查找文字.on_key_down = on_find_box_key_down;
  f.编辑框_替换文字.on_key_down = on_replace_box_key_down;
  f.编辑框_查找文字.on_left_up = [](int, int, int) {
    select_all_on_first_click(0);
    return true;
  };
  f.编辑框_替换文字.on_left_up = [](int, int, int) {
    select_all_on_first_click(1);
    return true;
  };
  f.编辑框_查找文字.on_blur = [] { forget_first_click(0); };
  f.编辑框_替换文字.on_blur = [] { forget_first_click(1); };
}
