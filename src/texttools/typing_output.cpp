#include "texttools/typing_output.h"

#include <algorithm>

#include "app/snapping.h"
#include "common/control_routines.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/speech_art.h"
#include "common/tool_window.h"
#include "common/window_fade.h"
#include "forms/main_window_form.h"
#include "forms/typing_window_form.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "runtime/gbk_text.h"

namespace {

int g_typing_output_running = 0;
// 1 asks the replay to end after the character it is at.
int g_typing_output_stop = 0;
int g_typing_skip_spaces = 0;
int g_typing_delay_ms = 0;

TypingWindowForm& f() { return typing_window(); }
rt::EditBox& editor() { return main_window().编辑框_文本类容; }

// The replay under way.
struct Replay {
  std::string text;
  size_t next = 0;     // byte offset of the next character
  bool began = false;  // the empty first piece is in
  // The page whose text the edit box showed, and the edit box's state to give back.
  int page_id = 0;
  bool was_read_only = false;
  int selection_start = 0, selection_length = 0;
};
Replay g_replay;

// The edit box still shows the page the replay began on.
bool same_page() { return current_page_id() == g_replay.page_id && editor_page_id() == g_replay.page_id; }

void show_start_button(bool start) {
  TypingWindowForm& w = f();
  w.图形按钮_开始输出.set_visible(start);
  w.图形按钮_停止输出.set_visible(!start);
}

bool more() { return g_replay.next < g_replay.text.size(); }

bool next_is_skipped_space() { return g_typing_skip_spaces && more() && g_replay.text[g_replay.next] == ' '; }

// The next piece at the end of the edit box: nothing the first time, then one whole character.
void append_piece() {
  if (!g_replay.began) {
    g_replay.began = true;
    return;
  }
  size_t n = rt::char_size_at(g_replay.text, g_replay.next);
  std::string_view piece = std::string_view(g_replay.text).substr(g_replay.next, n);
  g_replay.next += n;
  rt::EditBox& box = editor();
  box.select(box.text_length(), 0);
  box.replace_selection(piece);
}

// The delay is read again for every piece: moving the bar takes effect at once. The timer
// cannot wait 0 ms; it waits as little as it can.
void arm_timer() { f().时钟_屏幕输出.set_interval(std::max(1, g_typing_delay_ms)); }

}  // namespace

void open_typing_window() { open_tool_window(f()); }
bool typing_window_loaded() { return f().loaded(); }

void start_typing_output() {
  // A replay that has not ended yet keeps the edit box.
  if (g_typing_output_running) return;
  g_typing_output_stop = 0;
  show_start_button(false);
  run_typing_output();
}

void stop_typing_output() {
  g_typing_output_stop = 1;
  show_start_button(true);
  // Between two pieces the replay is always at the end of a character: it ends now.
  set_typing_output_running(0);
}

void close_typing_output_window() {
  fade_out_typing_window();
  stop_typing_output();
}

void fade_out_typing_window() {
  TypingWindowForm& w = f();
  if (!w.loaded()) return;
  show_window_faded(w, false);
  w.destroy();
}

void run_typing_output() {
  // The page takes the text the edit box shows before the replay writes there.
  page_content(main_window().高级选择夹_标签.current());
  rt::EditBox& box = editor();
  play_text_into_editor(box.text(), box);
}

bool typing_output_running() { return g_typing_output_running != 0; }

int typing_skip_spaces() { return g_typing_skip_spaces; }

int typing_delay_ms() { return g_typing_delay_ms; }

void reset_typing_output() {
  g_typing_output_running = 0;
  g_typing_output_stop = 0;
  g_typing_skip_spaces = 0;
  g_typing_delay_ms = 0;
  g_replay = Replay{};
}

void play_text_into_editor(const std::string& text, rt::EditBox& box) {
  set_typing_output_running(1);
  box.set_text("");
  g_replay.text = text;
  g_replay.next = 0;
  g_replay.began = false;
  arm_timer();
}

void set_typing_output_running(int flag) {
  rt::EditBox& box = editor();
  if (flag) {
    g_typing_output_running = 1;
    g_typing_output_stop = 0;
    g_replay = Replay{};
    g_replay.page_id = current_page_id();
    g_replay.was_read_only = box.read_only();
    g_replay.selection_start = box.selection_start();
    g_replay.selection_length = box.selection_length();
    // Typing into the replay would be lost: the edit box takes no input meanwhile.
    box.set_read_only(true);
    return;
  }
  f().时钟_屏幕输出.set_interval(0);
  if (!g_typing_output_running) return;
  // Still flagged while the page's text goes back: that is no edit of the page.
  if (same_page()) {
    box.set_text(page_content(main_window().高级选择夹_标签.current()));
    box.select(g_replay.selection_start, g_replay.selection_length);
  }
  box.set_read_only(g_replay.was_read_only);
  g_typing_output_running = 0;
  g_replay.text.clear();
  if (f().loaded()) show_start_button(true);
}

void type_next_piece() {
  if (!g_typing_output_running) {
    f().时钟_屏幕输出.set_interval(0);
    return;
  }
  // The edit box shows another page now (the page was closed, say): the replay is over.
  if (!same_page()) {
    set_typing_output_running(0);
    return;
  }
  append_piece();
  while (next_is_skipped_space()) append_piece();
  if (g_typing_output_stop || !more()) {
    set_typing_output_running(0);
    return;
  }
  arm_timer();
}

void update_typing_delay() {
  TypingWindowForm& w = f();
  g_typing_delay_ms = w.多功能条_打写速度.position();
  w.标签_上中.set_text(" 屏幕输出效果—输出速度" + std::to_string(g_typing_delay_ms) + "毫秒");
}

void toggle_typing_skip_spaces() { g_typing_skip_spaces = check_button_state(f().超级按钮_忽略空格); }

void on_typing_window_created() {
  TypingWindowForm& w = f();
  dress_tool_window(w, {&w.标签_左上, &w.标签_上中, &w.标签_右上, &w.标签_左中, &w.标签_右中, &w.标签_左下, &w.标签_下中, &w.标签_右下}, w.图形按钮_程序图标, typing_window_icon_picture(), w.图形按钮_关闭小);
  rt::Unit* pointed[] = {
      &w, &w.图形按钮_关闭小, &w.多功能条_打写速度, &w.超级按钮_忽略空格, &w.图形按钮_开始输出, &w.图形按钮_停止输出};
  for (rt::Unit* u : pointed) u->set_mouse_pointer(program_pointer_cursor().handle());
  place_by_main_caption_buttons(w);
  snap_child_window(w, main_window(), 8);
  // The check starts without pictures, which count as on: one toggle leaves it off.
  toggle_typing_skip_spaces();
  update_typing_delay();
}

// The window stays where it was put.
void on_typing_window_first_activation() { fade_in_after_first_activation(f(), true); }

bool may_close_typing_window() {
  show_window_faded(f(), false);
  return true;
}

void on_typing_window_destroying() {
  // The timer goes with the window: a replay under way ends here.
  if (g_typing_output_running) set_typing_output_running(0);
}

void move_typing_window_by_title() { move_window_by_title(f()); }

void bind_typing_window(TypingWindowForm& f) {
  f.on_created = on_typing_window_created;
  f.on_first_activation = on_typing_window_first_activation;
  f.on_may_close = may_close_typing_window;
  f.on_destroying = on_typing_window_destroying;
  f.图形按钮_关闭小.on_click = close_typing_output_window;
  f.标签_上中.on_left_down = [](int, int, int) {
    move_typing_window_by_title();
    return true;
  };
  f.多功能条_打写速度.on_changed = update_typing_delay;
  f.超级按钮_忽略空格.on_click = toggle_typing_skip_spaces;
  f.图形按钮_开始输出.on_click = start_typing_output;
  f.图形按钮_停止输出.on_click = stop_typing_output;
  f.时钟_屏幕输出.on_tick = type_next_piece;
}
