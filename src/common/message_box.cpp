#include "common/message_box.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "common/message_box_form.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "runtime/app.h"
#include "runtime/gbk_text.h"
#include "runtime/hooks.h"
#include "runtime/tooltip.h"
#include "runtime/window_jobs.h"

namespace {

constexpr unsigned kBoxBackground = 0xF4E2B3;
constexpr unsigned kInvisibleColorStandIn = 0xFF00FF;
constexpr unsigned kInputBorderColor = 0x9D7B45;
constexpr unsigned kCountdownColor = 0xB5651D;
constexpr int kReturnKey = 0x0D, kEscapeKey = 0x1B;
constexpr int kOkFormLeft = 225, kAbortFormTop = 106;
constexpr int kInputBoxHeight = 135;
constexpr int kFadeSteps = 15, kFadeAlphaStep = 17, kSlideStep = 3;

// Window messages and hit-test codes the box's layers look at.
constexpr unsigned kWmPaint = 0x000F, kWmNcHitTest = 0x0084, kWmNcLButtonDblClk = 0x00A3;
constexpr unsigned kWmNcRButtonDown = 0x00A4, kWmNcRButtonUp = 0x00A5, kWmMoving = 0x0216;
constexpr intptr_t kHitTransparent = -1, kHitClient = 1, kHitCaption = 2;
// The layout of the rectangle WM_MOVING points to.
struct ScreenRect {
  int32_t left, top, right, bottom;
};

// One call of show_message_box: its request and its answer. Calls nest when a box pre-empts
// another, so each keeps its own.
struct BoxCall {
  MessageBoxRequest request;
  int result = kBoxCancel;
  bool without_button = true;
  std::string kept_input;
  bool dismissing = false;
  BoxCall* outer = nullptr;
};

BoxCall* g_box_call = nullptr;
// Counts the boxes built, so work posted for one box never touches the next.
rt::WindowJobs g_boxes;
rt::Timer g_fade_step_timer;

MessageBoxForm& box() { return message_box_form(); }
bool loaded(const rt::Window* w) { return w && w->loaded(); }

enum class Fade { In, Out };

// Step 0 prepares the slide; steps 1 to 15 change the alpha and slide 3 pixels right; fading
// in ends one pause later at full alpha (step 16).
void fade_step(Fade direction, int step, rt::Window& window) {
  if (direction == Fade::In) {
    if (step == 0) {
      window.set_left(window.left() - kFadeSteps * kSlideStep);
    } else if (step <= kFadeSteps) {
      window.set_alpha(kFadeAlphaStep * step);
      window.set_left(window.left() + kSlideStep);
    } else {
      window.set_alpha(255);
    }
  } else if (step >= 1) {
    window.set_alpha(255 - kFadeAlphaStep * step);
    window.set_left(window.left() + kSlideStep);
  }
}

// Fading out pauses while pumping messages and returns when the window is transparent.
// Fading in runs on a timer and returns at once, so that nothing waits beneath it: whatever
// runs meanwhile (a click, a test's modal hook) is not nested inside the fade; then() follows
// the last step.
void fade_window_slide(Fade direction, int step_delay_ms, rt::Window& window, std::function<void()> then = {}) {
  if (step_delay_ms < 1 || step_delay_ms > 200) step_delay_ms = 5;
  if (direction == Fade::Out) {
    // A window destroyed or loaded anew meanwhile ends the fade.
    const rt::WindowHandle faded = window.handle();
    for (int i = 1; i <= kFadeSteps && faded && window.handle() == faded; ++i) {
      fade_step(Fade::Out, i, window);
      rt::delay_with_messages(step_delay_ms);
    }
    if (then) then();
    return;
  }
  fade_step(Fade::In, 0, window);
  fade_step(Fade::In, 1, window);
  g_fade_step_timer.create(window);
  int tick = 0;
  g_fade_step_timer.on_tick = [&window, tick, then]() mutable {
    ++tick;
    if (tick < kFadeSteps) {
      fade_step(Fade::In, tick + 1, window);
    } else if (tick == kFadeSteps + 1) {
      g_fade_step_timer.set_interval(0);
      fade_step(Fade::In, kFadeSteps + 1, window);
      if (then) then();
    }
  };
  g_fade_step_timer.set_interval(step_delay_ms);
}

// After the fade-in: the auto-close and its countdown.
void arm_auto_close() {
  MessageBoxForm& f = box();
  if (!g_box_call || !f.loaded() || g_box_call->dismissing) return;
  int ms = g_box_call->request.auto_close_ms;
  f.时钟_定时关闭.set_interval(ms);
  if (ms <= 0) return;
  f.透明标签_倒计时.set_top(f.标签_上中.top());
  f.透明标签_倒计时.set_visible(true);
  f.透明标签_倒计时.set_text(rt::number_to_text(ms / 1000.0));
  f.时钟_倒计时.set_interval(1000);
}

// The buttons on the title strip are drawn again after it, since siblings do not clip each
// other. (Transparent labels are drawn after what lies beneath them anyway; asking them again
// would make the strip paint again.)
void redraw_buttons_on_strip() {
  MessageBoxForm& f = box();
  for (rt::GraphicButton* b : {&f.图形按钮_关闭_信息框, &f.图形按钮_图标_信息框})
    if (b->visible()) b->set_text_color(b->text_color());
}

// The title strip moves the box: its labels let the hit fall through to the window, which
// answers "caption" there, so the system's own move loop (and WM_MOVING) drags it.
void make_title_strip_drag_the_box() {
  MessageBoxForm& f = box();
  rt::add_hook(f.标签_上中.handle(), [](rt::Message& m) -> intptr_t {
    if (m.msg == kWmNcHitTest) return kHitTransparent;
    intptr_t r = m.next();
    if (m.msg == kWmPaint) redraw_buttons_on_strip();
    return r;
  });
  for (rt::Label* l : {&f.标签_左上, &f.标签_右上, &f.透明标签_倒计时})
    rt::add_hook(l->handle(), [](rt::Message& m) { return m.msg == kWmNcHitTest ? kHitTransparent : m.next(); });
  rt::add_hook(f.handle(), [](rt::Message& m) -> intptr_t {
    switch (m.msg) {
      case kWmNcHitTest: {
        intptr_t r = m.next();
        int y = static_cast<int16_t>((static_cast<uintptr_t>(m.lparam) >> 16) & 0xFFFF);
        return r == kHitClient && y - box().top() < kTitleStripHeight ? kHitCaption : r;
      }
      case kWmNcLButtonDblClk:  // no maximizing and no system menu from the strip
      case kWmNcRButtonDown:
      case kWmNcRButtonUp:
        return 0;
      default:
        return m.next();
    }
  });
}

// Keeps a dragged box inside its owner.
void confine_message_box(rt::Window* owner) {
  rt::add_hook(box().handle(), [owner](rt::Message& m) -> intptr_t {
    if (m.msg == kWmMoving && m.lparam && loaded(owner)) {
      auto* r = reinterpret_cast<ScreenRect*>(m.lparam);
      rt::Rect o = owner->rect();
      int w = r->right - r->left, h = r->bottom - r->top;
      if (r->left < o.left) {
        r->left = o.left;
        r->right = o.left + w;
      }
      if (r->top < o.top) {
        r->top = o.top;
        r->bottom = o.top + h;
      }
      if (r->right > o.left + o.width) {
        r->right = o.left + o.width;
        r->left = r->right - w;
      }
      if (r->bottom > o.top + o.height) {
        r->bottom = o.top + o.height;
        r->top = r->bottom - h;
      }
    }
    return m.next();
  });
}

struct Slot {
  int code;
  enum { Left, Centre, Right } slot;
};

std::vector<Slot> button_layout(int set) {
  switch (set) {
    case 1:
      return {{kBoxOk, Slot::Left}, {kBoxCancel, Slot::Right}};
    case 2:
      return {{kBoxAbort, Slot::Left}, {kBoxRetry, Slot::Centre}, {kBoxIgnore, Slot::Right}};
    case 3:
      return {{kBoxYes, Slot::Left}, {kBoxNo, Slot::Centre}, {kBoxCancel, Slot::Right}};
    case 4:
      return {{kBoxYes, Slot::Left}, {kBoxNo, Slot::Right}};
    case 5:
      return {{kBoxRetry, Slot::Left}, {kBoxCancel, Slot::Right}};
    default:
      return {{kBoxOk, Slot::Right}};
  }
}

void show_button(rt::GraphicButton& b) {
  b.set_visible(true);
  rt::set_tooltip(b, b.caption());
}

// Presses the button after the Enter key's character, which the key handler swallows, has
// arrived: a unit that loses its window before that character would swallow the first
// character of the next box.
void press_after_enter(rt::GraphicButton& button) {
  const int generation = g_boxes.generation();
  rt::post([generation, &button] {
    if (g_boxes.current(generation) && box().loaded()) press_message_box_button(button);
  });
}

// Enter presses OK, else Yes, else Abort, whichever is shown first; false when none is.
bool press_enter_button() {
  MessageBoxForm& f = box();
  for (int code : {kBoxOk, kBoxYes, kBoxAbort}) {
    rt::GraphicButton* b = f.answer_button(code);
    if (b->visible()) {
      press_after_enter(*b);
      return true;
    }
  }
  return false;
}

}  // namespace

int show_message_box(const MessageBoxRequest& request) {
  if (request.closed_without_button) *request.closed_without_button = true;
  if (!rt::on_ui_thread()) {
    // Windows belong to the UI thread: a worker waits there for the answer.
    int result = kBoxCancel;
    rt::invoke([&] { result = show_message_box(request); });
    return result;
  }
  close_message_box();
  BoxCall call{.request = request, .outer = g_box_call};
  g_box_call = &call;
  rt::Window* owner = loaded(request.owner) ? request.owner : nullptr;
  box().load_modal(owner);
  g_box_call = call.outer;
  if (request.input_mode && request.input_result) *request.input_result = call.kept_input;
  if (request.closed_without_button) *request.closed_without_button = call.without_button;
  return call.result;
}

int close_message_box() {
  MessageBoxForm& f = box();
  if (!f.loaded()) return 0;
  dismiss_message_box();
  // A dismissal already under way lower on the stack may still be fading: it ends now.
  f.destroy();
  return 1;
}

void recentre_message_box(rt::Window& window) {
  MessageBoxForm& f = box();
  if (!f.loaded()) return;
  int left = static_cast<int>(window.left() + window.width() / 2.0 - f.width() / 2.0);
  int top = static_cast<int>(window.top() + window.height() / 2.0 - f.height() / 2.0);
  f.move(left, top, f.width(), f.height());
}

void on_message_box_created() {
  MessageBoxForm& f = box();
  if (!g_box_call) return;
  const MessageBoxRequest& r = g_box_call->request;
  g_boxes.restart();
  if (r.fade) f.set_alpha(0);

  auto visible_color = [](unsigned c) { return c == kBoxBackground ? kInvisibleColorStandIn : c; };
  f.标签_上中.set_text_color(visible_color(r.title_color));
  f.透明标签_提示类容.set_text_color(visible_color(r.text_color));
  // The label wraps only text that has a line break.
  f.透明标签_提示类容.set_text(r.text.find('\n') == std::string::npos ? r.text + "\r\n" : r.text);

  const auto& close = close_button_pictures();
  f.图形按钮_关闭_信息框.set_pictures(close[0], close[1], close[2]);
  f.图形按钮_关闭_信息框.set_disabled_picture(close[3]);

  f.标签_上中.set_text("   " + r.title);
  f.set_caption("Velmora_" + r.title);

  rt::Unit* pointed[] = {&f,
                         &f.图形按钮_确定_信息框,
                         &f.图形按钮_取消_信息框,
                         &f.图形按钮_终止_信息框,
                         &f.图形按钮_重试_信息框,
                         &f.图形按钮_忽略_信息框,
                         &f.图形按钮_是_信息框,
                         &f.图形按钮_否_信息框,
                         &f.图形按钮_关闭_信息框,
                         &f.图形按钮_图标_信息框,
                         &f.透明标签_提示类容,
                         &f.透明标签_倒计时,
                         &f.标签_左上,
                         &f.标签_上中,
                         &f.标签_右上,
                         &f.标签_左中,
                         &f.标签_右中,
                         &f.标签_左下,
                         &f.标签_下中,
                         &f.标签_右下};
  for (rt::Unit* u : pointed) u->set_mouse_pointer(r.box_cursor.handle());

  rt::Picture icon = message_box_icon(r.icon);
  if (icon.empty()) {
    f.图形按钮_图标_信息框.set_visible(false);
    f.标签_上中.set_text(r.title);
  }
  f.图形按钮_图标_信息框.set_pictures(icon, icon, icon);

  if (r.input_mode) {
    rt::GraphicButton& ok = f.图形按钮_确定_信息框;
    rt::GraphicButton& cancel = f.图形按钮_取消_信息框;
    ok.set_top(kAbortFormTop);
    cancel.set_top(kAbortFormTop);
    cancel.set_left(kOkFormLeft);
    ok.set_left(f.透明标签_标识宽度_信息框.left());
    show_button(ok);
    show_button(cancel);
    rt::EditBox& input = f.编辑框_输入类容;
    input.set_visible(true);
    input.set_text(r.input_default);
    input.set_text_color(r.input_text_color);
    input.set_mouse_pointer(r.input_cursor.handle());
    install_colored_border(input.handle(), kInputBorderColor);
    // The prompt grows to its message: what the message needs beyond the form's room moves the
    // input box and the buttons down and makes the box higher.
    rt::Label& message = f.透明标签_提示类容;
    message.set_top(21);
    message.set_height(input.top() - 23);
    const int more = std::max(0, message.text_height() - message.height());
    message.set_height(message.height() + more);
    for (rt::Unit* u : std::initializer_list<rt::Unit*>{&input, &ok, &cancel}) u->set_top(u->top() + more);
    f.set_height(kInputBoxHeight + more);
    input.set_focus();
  } else {
    int row_top = r.button_row_top < 95 ? 95 : r.button_row_top > 140 ? 140 : r.button_row_top;
    f.set_height(row_top + 40);
    for (int code = kBoxOk; code <= kBoxNo; ++code) f.answer_button(code)->set_top(row_top);
    // The message ends above the button row rather than running under it.
    f.透明标签_提示类容.set_height(row_top - f.透明标签_提示类容.top() - 4);

    int set = r.button_set < 0 || r.button_set > 5 ? 0 : r.button_set;
    const rt::Label& guide = f.透明标签_标识宽度_信息框;
    for (const Slot& s : button_layout(set)) {
      rt::GraphicButton& b = *f.answer_button(s.code);
      int left = s.slot == Slot::Left     ? guide.left()
                 : s.slot == Slot::Centre ? static_cast<int>(guide.left() + guide.width() / 2.0 - b.width() / 2.0)
                                          : kOkFormLeft;
      b.set_left(left);
      show_button(b);
    }
    f.图形按钮_关闭_信息框.set_disabled(set == 2 || set == 4);
  }
  // The frame is laid out for the final height, in input mode too.
  apply_child_window_skin(f, 4, f.frame_labels(), tool_window_frame_pictures());
  f.透明标签_倒计时.set_text_color(kCountdownColor);
  make_title_strip_drag_the_box();

  if (loaded(r.owner)) {
    if (!r.owner->minimized()) {
      recentre_message_box(*r.owner);
      confine_message_box(r.owner);
    }
    if (r.owner->topmost()) f.set_topmost(true);
  }
  // Focusing the hidden window activates it at once; a prompt's input box keeps the focus.
  if (!r.input_mode) f.set_focus();
  rt::set_tooltip(f.图形按钮_关闭_信息框, "关闭信息框");
}

void on_message_box_first_activation() {
  MessageBoxForm& f = box();
  if (!g_box_call) return;
  const MessageBoxRequest& r = g_box_call->request;
  if (r.fade) {
    const int generation = g_boxes.generation();
    // Posted, so the fade starts once the window has been shown and activated.
    rt::post([generation] {
      MessageBoxForm& f = box();
      if (!g_boxes.current(generation) || !f.loaded() || !g_box_call || g_box_call->dismissing) return;
      fade_window_slide(Fade::In, 1, f, arm_auto_close);
    });
  }
  if (r.input_mode) f.编辑框_输入类容.set_focus();
}

void on_message_box_activated() {
  // An activation gives the window itself the focus; a prompt keeps it in its input box.
  if (g_box_call && g_box_call->request.input_mode) box().编辑框_输入类容.set_focus();
}

void dismiss_message_box() {
  MessageBoxForm& f = box();
  if (!f.loaded() || !g_box_call || g_box_call->dismissing) return;
  g_box_call->dismissing = true;
  f.set_disabled(true);
  f.时钟_定时关闭.set_interval(0);
  const rt::WindowHandle dismissed = f.handle();
  if (g_box_call->request.fade) fade_window_slide(Fade::Out, 5, f);
  // A box that pre-empted this one while it faded is not this one.
  if (f.handle() == dismissed) f.destroy();
}

void on_message_box_destroyed() {
  box().set_disabled(true);
  g_fade_step_timer.set_interval(0);
}

// Esc answers as the close button does, on the boxes whose close button may be used.
static bool escape_closes_box() {
  MessageBoxForm& f = box();
  if (!g_box_call || !f.loaded() || f.图形按钮_关闭_信息框.disabled()) return false;
  on_message_box_close_button();
  return true;
}

bool on_message_box_key_down(int key, int modifiers) {
  if (key == kEscapeKey) return !escape_closes_box();
  if (key != kReturnKey) return true;
  return !press_enter_button();
}

bool on_message_box_input_key_down(int key, int modifiers) {
  if (key == kEscapeKey) return !escape_closes_box();
  if (key != kReturnKey || !g_box_call || !g_box_call->request.enter_submits) return true;
  press_after_enter(box().图形按钮_确定_信息框);
  return false;
}

bool on_message_box_text_key_down(int key, int modifiers) { return on_message_box_key_down(key, modifiers); }

void press_message_box_button(rt::GraphicButton& button) {
  MessageBoxForm& f = box();
  if (!g_box_call || !f.loaded() || g_box_call->dismissing) return;
  if (&button == &f.图形按钮_确定_信息框 && g_box_call->request.input_mode)
    g_box_call->kept_input = f.编辑框_输入类容.text();
  g_box_call->result = static_cast<int>(rt::text_to_number(button.tag));
  g_box_call->without_button = false;
  dismiss_message_box();
}

void on_message_box_close_button() {
  MessageBoxForm& f = box();
  if (!g_box_call || !f.loaded() || g_box_call->dismissing) return;
  if (f.图形按钮_取消_信息框.visible())
    g_box_call->result = kBoxCancel;
  else if (f.图形按钮_确定_信息框.visible())
    g_box_call->result = kBoxOk;
  dismiss_message_box();
}

void on_message_box_auto_close() {
  MessageBoxForm& f = box();
  f.时钟_定时关闭.set_interval(0);
  if (!g_box_call) return;
  rt::GraphicButton* b = f.answer_button(g_box_call->request.default_button);
  if (b && b->visible())
    b->on_click();
  else
    dismiss_message_box();
}

void on_message_box_countdown() {
  MessageBoxForm& f = box();
  rt::Label& count = f.透明标签_倒计时;
  count.set_text(rt::number_to_text(rt::text_to_number(count.text()) - 1));
  // The label shows through to the strip, whose old digits must go first.
  f.标签_上中.set_text_color(f.标签_上中.text_color());
}

void bind_message_box(MessageBoxForm& f) {
  for (int code = 0; code < 7; ++code) {
    rt::GraphicButton* b = f.answer_button(code);
    b->on_click = [b] { press_message_box_button(*b); };
  }
  f.on_created = on_message_box_created;
  f.on_first_activation = on_message_box_first_activation;
  f.on_activated = on_message_box_activated;
  f.on_may_close = [] {
    dismiss_message_box();
    return false;  // dismissing has destroyed the window, or is about to
  };
  f.on_destroying = on_message_box_destroyed;
  f.on_key_down = on_message_box_key_down;
  f.编辑框_输入类容.on_key_down = on_message_box_input_key_down;
  f.透明标签_提示类容.on_key_down = on_message_box_text_key_down;
  f.图形按钮_关闭_信息框.on_click = on_message_box_close_button;
  f.时钟_定时关闭.on_tick = on_message_box_auto_close;
  f.时钟_倒计时.on_tick = on_message_box_countdown;
}
