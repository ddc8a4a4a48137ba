#pragma once
// The font window "Velmora_字体设置": the edit box's font and colours, tried on a preview box
// first; 确定 applies them to the edit box (and the current page when pages keep their own)
// and, when asked, stores the font as the default font.

// The preview's last accepted text colour (0) and background colour (1): a refused choice
// returns to them.
unsigned font_window_color(int index);
// A fresh start: no colours accepted yet, no window's workers counted.
void reset_font_window();

// Menu "设置字体(&T)    Ctrl+T": loads the window modeless over the main window.
void open_font_window();
// Whether the window is being filled (the font listing and the choice of the current font):
// until then nothing closes it.
bool font_window_busy();

// The fill: the installed fonts are listed on a worker thread, then the window shows the edit
// box's font.
void list_font_names();
void select_current_font();

// Commands and events of the window.
void apply_font_settings();
void cancel_font_window();
// The may-close handler (also run at shutdown while the window is loaded): fades the window out.
void fade_out_font_window();
bool on_font_window_may_close();
void on_font_window_created();
void on_font_window_first_activation();
void move_font_window_by_title();
void on_font_list_chosen();
void on_font_combo_chosen();
void on_font_size_chosen();
void on_font_style_chosen();
void on_font_style_radio_click(int style);
void on_strikeout_click();
void on_underline_click();
void on_default_font_click();
void on_font_text_colour_chosen();
void on_font_back_colour_chosen();
void on_text_colour_picker_right_up();
void on_back_colour_picker_right_up();
void on_preview_changed();
void on_preview_wheel();
