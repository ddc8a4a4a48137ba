#pragma once
// The translation window "Velmora_谷歌翻译": reads the site's languages, posts the site's
// translation form, cuts the translated sentences out of the returned page and reads either
// text aloud through the site's speech service.
#include <string>
#include <vector>

class PagePicker;

// The language codes of the combos: "auto" first, then one per target language (empty until a
// window has loaded them, and after a load that failed).
const std::vector<std::string>& translation_languages();
void set_translation_languages(std::vector<std::string> codes);

// Menu "启动谷歌翻译(&G)": the window, over the main window (no network test first).
void open_translation_window();
void on_translation_window_created();
// Fades in, gives the balloon tips, then reads the languages on a worker.
void on_translation_window_first_activation();

// 图形按钮_翻译: the translation on a worker; one at a time.
void start_translation();
// The read buttons and Ctrl+L: the site's speech of the source (which 1) or the result (0),
// downloaded into a file and played.
void speak_translation_text(int which);
void speak_source_text();
void speak_result_text();
// Plays a sound file through the media control interface.
void play_audio_file(const std::string& path);

// Button states.
void on_translation_source_changed();
void on_translation_result_changed();
void on_translation_source_mouse_up();
void on_translation_result_mouse_up();
void update_swap_button();
// Keys in the boxes: Ctrl+A selects all, Ctrl+L reads the box aloud.
bool on_translation_source_key(int key, int modifiers);
bool on_translation_result_key(int key, int modifiers);
void on_source_language_changed();
void on_target_language_changed();
void swap_languages();

// The source text from a file, from a drop.
void open_translation_file();
void on_translation_file_dropped(const std::string& path);
void on_translation_text_dropped(const std::string& text);

// The check buttons.
void toggle_interleave_sources();
void toggle_show_romanization();
void toggle_show_in_browser();

// The page picker.
PagePicker& translation_page_picker();
void fill_translation_page_picker();
void fill_translation_page_picker_thread();
void on_translation_page_picked();

// The close button: refused while the window's workers run.
void close_translation_window();
// The may-close event: refused while the window's workers run, otherwise fades out.
bool may_close_translation_window();
// Fades the window out when loaded; also run at shutdown.
void fade_out_translation_window();
