# Interface and runtime contract suites, each a Windows program run under Wine and Xvfb.
velmora_wine_test(win_runtime_tests
  tests/win/runtime_contract_test.cpp
)
velmora_wine_test(win_config_tests
  tests/win/config_test.cpp
)
velmora_wine_test(win_pages_tests
  tests/win/pages_test.cpp
)
velmora_wine_test(win_shared_routines_tests
  tests/win/shared_routines_test.cpp
)
velmora_wine_test(win_message_box_tests
  tests/win/message_box_test.cpp
)
velmora_wine_test(win_fade_tests
  tests/win/fade_test.cpp
)
velmora_wine_test(win_startup_tests
  tests/win/startup_test.cpp
)
velmora_wine_test(win_frame_tests
  tests/win/frame_test.cpp
)
velmora_wine_test(win_shortcuts_tests
  tests/win/shortcuts_test.cpp
)
velmora_wine_test(win_documents_tests
  tests/win/documents_test.cpp
)
velmora_wine_test(win_closing_tests
  tests/win/closing_test.cpp
)
velmora_wine_test(win_script_tests
  tests/win/script_test.cpp
)
velmora_wine_test(win_find_replace_tests
  tests/win/find_replace_test.cpp
)
velmora_wine_test(win_http_tests
  tests/win/http_test.cpp
)
velmora_wine_test(win_paragraphs_tests
  tests/win/paragraphs_test.cpp
)
velmora_wine_test(win_printing_tests
  tests/win/printing_test.cpp
)
velmora_wine_test(win_editor_status_tests
  tests/win/editor_status_test.cpp
)
velmora_wine_test(win_popup_menu_tests
  tests/win/popup_menu_test.cpp
)
velmora_wine_test(win_menu_bar_tests
  tests/win/menu_bar_test.cpp
)
velmora_wine_test(win_tabs_tests
  tests/win/tabs_test.cpp
)
velmora_wine_test(win_page_pickers_tests
  tests/win/page_pickers_test.cpp
)
velmora_wine_test(win_simp_trad_window_tests
  tests/win/simp_trad_window_test.cpp
)
velmora_wine_test(win_crypt_window_tests
  tests/win/crypt_window_test.cpp
)
velmora_wine_test(win_conversions_tests
  tests/win/conversions_test.cpp
)
velmora_wine_test(win_tab_set_tests
  tests/win/tab_set_test.cpp
)
velmora_wine_test(win_jump_window_tests
  tests/win/jump_window_test.cpp
)
velmora_wine_test(win_list_view_tests
  tests/win/list_view_test.cpp
)
velmora_wine_test(win_tab_manager_tests
  tests/win/tab_manager_test.cpp
)
velmora_wine_test(win_drops_tests
  tests/win/drops_test.cpp
)
velmora_wine_test(win_batch_tests
  tests/win/batch_files_test.cpp
)

# The other program of the reader tests: controls with known contents in a second process.
add_executable(velmora_foreign_target WIN32 tests/win/foreign_target.cpp)
set_target_properties(velmora_foreign_target PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMORA_TEST_DIR})
target_link_libraries(velmora_foreign_target PRIVATE velmora_flags comctl32 ole32 oleaut32 oleacc uuid)
target_link_options(velmora_foreign_target PRIVATE ${VELMORA_STATIC_LINK})
velmora_wine_test(win_foreign_tests
  tests/win/foreign_readers_test.cpp
)
add_dependencies(win_foreign_tests velmora_foreign_target)
velmora_wine_test(win_options_tests
  tests/win/options_test.cpp
  tests/win/option_units_test.cpp
)
velmora_wine_test(win_font_window_tests
  tests/win/font_window_test.cpp
)
velmora_wine_test(win_file_info_tests
  tests/win/file_info_test.cpp
)
velmora_wine_test(win_file_operations_tests
  tests/win/file_operations_test.cpp
)
velmora_wine_test(win_update_about_tests
  tests/win/update_about_test.cpp
)
velmora_wine_test(win_translation_window_tests
  tests/win/translation_window_test.cpp
)
velmora_wine_test(win_tray_tests
  tests/win/tray_test.cpp
)
velmora_wine_test(win_boss_key_tests
  tests/win/boss_key_test.cpp
)
velmora_wine_test(win_read_aloud_tests
  tests/win/read_aloud_test.cpp
  tests/harness/fake_voice.cpp
)
velmora_wine_test(win_typing_output_tests
  tests/win/typing_output_test.cpp
)
velmora_wine_test(win_single_instance_tests
  tests/win/single_instance_test.cpp
)
add_dependencies(win_single_instance_tests Velmora velmora_foreign_target)
velmora_wine_test(win_exit_tests
  tests/win/exit_test.cpp
)
add_dependencies(win_exit_tests Velmora)
velmora_wine_test(win_grabber_window_tests
  tests/win/grabber_window_test.cpp
)
add_dependencies(win_grabber_window_tests velmora_foreign_target)
velmora_wine_test(win_custom_open_tests
  tests/win/custom_open_test.cpp
)
velmora_wine_test(win_cloud_input_tests
  tests/win/cloud_input_test.cpp
)
velmora_wine_test(win_snapping_tests
  tests/win/snapping_test.cpp
)
velmora_wine_test(win_window_reach_tests
  tests/win/window_reach_test.cpp
)
velmora_wine_test(win_coloured_tips_tests
  tests/win/coloured_tips_test.cpp
  tests/harness/fake_voice.cpp
)
velmora_wine_test(win_edge_hide_tests
  tests/win/edge_hide_test.cpp
)
velmora_wine_test(win_open_pages_popup_tests
  tests/win/open_pages_popup_test.cpp
)
# What the system reads from Velmora.exe itself.
velmora_wine_test(win_resources_tests
  tests/win/resources_test.cpp
  ARGS --program=$<TARGET_FILE:Velmora>
)
target_link_libraries(win_resources_tests PRIVATE version)
add_dependencies(win_resources_tests Velmora)

# Saving: the routine and the program's saves under faults. The disk-full cases run on a small
# drive that the script mounts for the run; the killed saves are made by a helper program.
add_executable(velmora_safe_save_helper tests/win/safe_save_helper.cpp)
set_target_properties(velmora_safe_save_helper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMORA_TEST_DIR})
target_link_libraries(velmora_safe_save_helper PRIVATE velmora_runtime)
target_link_options(velmora_safe_save_helper PRIVATE ${VELMORA_STATIC_LINK})
velmora_wine_test(win_safe_save_tests
  tests/win/safe_save_test.cpp
  RUN_THROUGH ${PROJECT_SOURCE_DIR}/scripts/small-drive.sh
)
add_dependencies(win_safe_save_tests velmora_safe_save_helper)
velmora_wine_test(win_held_pages_tests
  tests/win/held_pages_test.cpp
)
velmora_wine_test(win_open_run_busy_tests
  tests/win/open_run_busy_test.cpp
)
velmora_wine_test(win_mini_mode_tests
  tests/win/mini_mode_test.cpp
  tests/harness/fake_voice.cpp
)
velmora_wine_test(win_web_search_tests
  tests/win/web_search_test.cpp
)
velmora_wine_test(win_tool_windows_tests
  tests/win/tool_windows_test.cpp
)
velmora_wine_test(win_large_text_tests
  tests/win/large_text_test.cpp
)
velmora_wine_test(win_dialog_keys_tests
  tests/win/dialog_keys_test.cpp
  tests/harness/fake_voice.cpp
)
velmora_wine_test(win_layout_tests
  tests/win/layout_test.cpp
  tests/harness/fake_voice.cpp
)
