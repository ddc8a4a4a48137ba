#pragma once
// The program's own message box: every message, question and input prompt. One box at a time;
// it is modal over its owner and runs on the UI thread (a worker's call is handed there).
#include <string>

#include "runtime/cursor.h"
#include "runtime/graphic_button.h"
#include "runtime/window.h"

// Result codes: the buttons' tags.
enum MessageBoxCode : int { kBoxOk = 0, kBoxCancel, kBoxAbort, kBoxRetry, kBoxIgnore, kBoxYes, kBoxNo };

// The parameters of one call; everything but the owner defaults to 0 or the empty text.
struct MessageBoxRequest {
  rt::Window* owner = nullptr;  // centred over it and kept inside it; not loaded counts as none
  // 0 OK; 1 OK, Cancel; 2 Abort, Retry, Ignore; 3 Yes, No, Cancel; 4 Yes, No; 5 Retry, Cancel;
  // any other value is taken as 0.
  int button_set = 0;
  int button_row_top = 0;  // clamped to 95..140; the box is 40 higher; ignored in input mode
  int icon = 0;            // 8 tick, 16 cross, 32 question, 48 warning, 64 information; else none
  std::string text;
  unsigned text_color = 0;  // Windows RGB
  std::string title;
  unsigned title_color = 0;
  rt::Cursor box_cursor;  // the pointer of the box and its buttons (callers: program_pointer_cursor())
  int fade = 0;           // fade and slide in and out (callers: options().fade_enabled)
  // Milliseconds after the fade-in until the default button is pressed; 0 none. Only a box
  // that fades in counts down and closes on its own.
  int auto_close_ms = 0;
  int default_button = 0;
  int input_mode = 0;  // an input box and OK, Cancel instead of the button set
  unsigned input_text_color = 0;
  std::string input_default;
  // Input mode: receives the typed text when OK closed the box, else "".
  std::string* input_result = nullptr;
  rt::Cursor input_cursor;  // the pointer over the input box (callers: program_text_cursor())
  int enter_submits = 0;    // Enter in the input box presses OK
  // Receives whether the box went without one of its seven buttons: the close button, the
  // auto-close with a default button that is not shown, close_message_box, a close request of
  // the window, a second box. Such closes return 1, except the close button (Cancel, else OK).
  bool* closed_without_button = nullptr;
};

// Shows the box (closing an open one first) and returns the code of the button that closed it.
int show_message_box(const MessageBoxRequest& request);
// Closes an open box without a button press: 1 when there was one, else 0.
int close_message_box();
// Centres an open box over the window.
void recentre_message_box(rt::Window& window);

// Event handlers of the box.
void on_message_box_created();
void on_message_box_first_activation();
void on_message_box_activated();
void dismiss_message_box();
void on_message_box_destroyed();
bool on_message_box_key_down(int key, int modifiers);
bool on_message_box_input_key_down(int key, int modifiers);
bool on_message_box_text_key_down(int key, int modifiers);
void press_message_box_button(rt::GraphicButton& button);
void on_message_box_close_button();
void on_message_box_auto_close();
void on_message_box_countdown();
