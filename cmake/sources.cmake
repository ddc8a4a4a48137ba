# Which source files make up which library. A file either needs Win32 or it does not;
# the portable ones also build natively, where their tests run under the sanitizers.

# Win32-free: text routines, encodings, ciphers, parsers, pure rules.
set(VELMORA_PORTABLE_SOURCES
  src/runtime/gbk_text.cpp
  src/runtime/encoding.cpp
  src/common/text_routines.cpp
  src/pages/open_path_list.cpp
  src/runtime/chinese_conversion.cpp
  src/runtime/ciphers.cpp
  src/texttools/search_text.cpp
  src/web/http.cpp
  src/web/web_hosts.cpp
  src/texttools/paragraphs.cpp
  src/runtime/print_layout.cpp
  src/documents/file_info_text.cpp
  src/texttools/font_choices.cpp
)

# Portable interface, one implementation per platform.
set(VELMORA_NATIVE_ONLY_SOURCES
  src/runtime/encoding_iconv.cpp
)
set(VELMORA_WINDOWS_ONLY_PORTABLE_SOURCES
  src/runtime/encoding_windows.cpp
)

# The form runtime and the platform services over Win32.
set(VELMORA_RUNTIME_SOURCES
  src/runtime/strings.cpp
  src/runtime/app.cpp
  src/runtime/hooks.cpp
  src/runtime/unit.cpp
  src/runtime/window.cpp
  src/runtime/timer.cpp
  src/runtime/edit_box.cpp
  src/runtime/label.cpp
  src/runtime/picture.cpp
  src/runtime/tab_control.cpp
  src/runtime/seams.cpp
  src/runtime/dialogs.cpp
  src/runtime/shell.cpp
  src/runtime/ini.cpp
  src/runtime/window_services.cpp
  src/runtime/graphic_button.cpp
  src/runtime/system.cpp
  src/runtime/files.cpp
  src/runtime/clock.cpp
  src/runtime/progress_bar.cpp
  src/runtime/toolbar.cpp
  src/runtime/clipboard.cpp
  src/runtime/cursor.cpp
  src/runtime/tooltip.cpp
  src/runtime/script.cpp
  src/runtime/internet.cpp
  src/runtime/printer.cpp
  src/runtime/combo_box.cpp
  src/runtime/list_box.cpp
  src/runtime/color_picker.cpp
  src/runtime/fonts.cpp
)

# The program's own logic and its forms.
set(VELMORA_APP_SOURCES
  src/options/config.cpp
  src/forms/main_window_form.cpp
  src/app/globals.cpp
  src/app/startup.cpp
  src/app/main_frame.cpp
  src/app/shortcuts.cpp
  src/app/shutdown.cpp
  src/pages/closing.cpp
  src/texttools/edit_commands.cpp
  src/texttools/insertions.cpp
  src/texttools/paragraph_commands.cpp
  src/texttools/printing.cpp
  src/texttools/editor_status.cpp
  src/documents/open_files.cpp
  src/documents/save_files.cpp
  src/common/messages.cpp
  src/common/path_routines.cpp
  src/common/artwork.cpp
  src/common/frame_art.cpp
  src/common/toolbar_art.cpp
  src/common/control_routines.cpp
  src/common/window_fade.cpp
  src/common/skin.cpp
  src/common/skin_art.cpp
  src/common/message_box.cpp
  src/forms/message_box_form.cpp
  src/pages/page_model.cpp
  src/pages/page_display.cpp
  src/common/find_art.cpp
  src/forms/find_window_form.cpp
  src/texttools/find_replace.cpp
  src/web/http_request.cpp
  src/common/balloon_tip.cpp
  src/common/font_art.cpp
  src/forms/font_window_form.cpp
  src/texttools/font_window.cpp
  src/common/file_info_art.cpp
  src/forms/file_info_window_form.cpp
  src/documents/file_info.cpp
)

set(VELMORA_PORTABLE_TESTS
  tests/native/gbk_text_test.cpp
  tests/native/encoding_test.cpp
  tests/native/text_routines_test.cpp
  tests/native/chinese_conversion_test.cpp
  tests/native/ciphers_test.cpp
  tests/native/search_text_test.cpp
  tests/native/web_http_test.cpp
  tests/native/paragraphs_test.cpp
  tests/native/print_layout_test.cpp
  tests/native/font_file_info_text_test.cpp
)
