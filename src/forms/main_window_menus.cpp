#include "forms/main_window_menus.h"

#include "app/boss_key.h"
#include "app/housekeeping.h"
#include "app/main_frame.h"
#include "app/mini_mode.h"
#include "app/shutdown.h"
#include "app/tray.h"
#include "common/menu_art.h"
#include "documents/custom_open.h"
#include "documents/file_info.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "foreign/grabber_window.h"
#include "forms/main_window_form.h"
#include "options/options_window.h"
#include "pages/closing.h"
#include "pages/jump_to_page.h"
#include "pages/page_model.h"
#include "pages/tab_manager.h"
#include "pages/tab_set.h"
#include "texttools/conversion_commands.h"
#include "texttools/crypt_window.h"
#include "texttools/edit_commands.h"
#include "texttools/editor_status.h"
#include "texttools/find_replace.h"
#include "texttools/font_window.h"
#include "texttools/insertions.h"
#include "texttools/paragraph_commands.h"
#include "texttools/printing.h"
#include "texttools/read_aloud.h"
#include "texttools/simp_trad_window.h"
#include "web/about_window.h"
#include "web/translation_window.h"
#include "web/cloud_input.h"
#include "web/update_check.h"
#include "texttools/typing_output.h"

namespace {

using Command = void (*)();
// An item whose command is not part of the program yet: shown and enabled, it does nothing.
constexpr Command kNotYet = nullptr;

struct Entry {
  const char* caption;  // nullptr: a separator
  int image;
  Command command;
};
constexpr Entry kSeparator{nullptr, -1, nullptr};

void fill(rt::MenuItem& menu, std::initializer_list<Entry> entries) {
  for (const Entry& e : entries) {
    if (!e.caption) {
      menu.add_separator();
      continue;
    }
    rt::MenuItem& item = menu.add(e.caption, e.image);
    if (e.command) item.on_click = e.command;
  }
}

void close_current_page() { close_page_with_prompt(main_window().高级选择夹_标签.current()); }
void close_every_page() { close_all_pages(false); }
void save_current() { save_current_page(); }
void save_current_as() { save_current_page_as(); }
void minimize_by_menu() { main_window().minimize(); }
void remove_half_width_numbers() { remove_paragraph_numbers(1); }
void remove_full_width_numbers() { remove_paragraph_numbers(0); }

}  // namespace

void build_main_window_menus(MainWindowForm& w) {
  rt::PopupMenu& menus = w.超级菜单;

  fill(menus.add_menu("文件(&F)"), {
                                       {"新建文件(&N)    Ctrl+N", kImageNew, new_page_command},
                                       {"自定新建(&Z)    Ctrl+B", -1, custom_new_page_command},
                                       kSeparator,
                                       {"打开文件(&O)    Ctrl+O", kImageOpen, open_files},
                                       {"自定打开(&L)", kImageCustomOpen, open_custom_open_window},
                                       kSeparator,
                                       {"保存文件(&S)    Ctrl+S", kImageSave, save_current},
                                       {"另存文件(&K)    Ctrl+K", kImageSaveAs, save_current_as},
                                       {"全部保存(&Q)    Ctrl+Q", kImageSaveAll, save_all_command},
                                       kSeparator,
                                       {"文件信息(&W)", -1, open_file_info_window},
                                       {"打印文件(&P)    Ctrl+P", kImagePrint, print_current_page},
                                       kSeparator,
                                       {"关闭本页(&W)    Ctrl+W", kImageClosePage, close_current_page},
                                       {"全部关闭(&G)    Ctrl+G", -1, close_every_page},
                                       kSeparator,
                                       {"重启程序(&R)", -1, restart_program},
                                       {"退出程序(&E)    Alt+F4", kImageExit, exit_program},
                                   });

  fill(menus.add_menu("编辑(&B)"), {
                                       {"撤消操作(&Z)    Ctrl+Z", kImageUndo, undo_edit},
                                       kSeparator,
                                       {"剪切选中(&X)    Ctrl+X", kImageCut, cut_selection},
                                       {"复制选中(&C)    Ctrl+C", kImageCopy, copy_selection},
                                       {"粘贴内容(&V)    Ctrl+V", kImagePaste, paste_clipboard},
                                       {"删除选中(&D)    Del", kImageDelete, delete_selection},
                                       kSeparator,
                                       {"文本全选(&A)    Ctrl+A", kImageSelectAll, select_all_text},
                                       kSeparator,
                                       {"寻找替换(&F)    Ctrl+F", kImageFind, open_find_window},
                                       {"找上一个(&E)    Ctrl+E", -1, find_previous},
                                       {"找下一个(&R)    Ctrl+R", -1, find_next},
                                       {"跳转页面(&M)    Ctrl+D", kImageJump, open_jump_window},
                                       kSeparator,
                                       {"插入日期(&R)", kImageDate, insert_date},
                                       {"插入时间(&T)", kImageTime, insert_time},
                                       {"插入分隔(&K)", -1, insert_separator_line},
                                       {"连续插入字母(&P)", -1, insert_letter_sequence},
                                       {"连续插入数字(&Q)", -1, insert_number_range},
                                   });

  rt::MenuItem& extra = menus.add_menu("附加(&I)");
  // The paragraph transformations and the whole-text conversions.
  fill(extra.add("段落排版(&D)"), {
                                      {"去除段落首尾空(&O)", -1, trim_paragraphs},
                                      {"去除段落首空(&S)", -1, trim_paragraph_starts},
                                      {"去除段落尾空(&W)", -1, trim_paragraph_ends},
                                      {"去除空段落(&K)", -1, drop_empty_paragraphs},
                                      kSeparator,
                                      {"添加段落首空-半角(&T)", -1, indent_paragraphs_half},
                                      {"添加段落首空-全角(&H)", -1, indent_paragraphs_full},
                                      {"两段间加空段(&Y)", -1, space_paragraphs},
                                      kSeparator,
                                      {"标出段落数-半角(&J)", -1, number_paragraphs},
                                      {"标出段落数-全角(&D)", -1, number_paragraphs_full},
                                      {"删除标出段落数-半角(&B)", -1, remove_half_width_numbers},
                                      {"删除标出段落数-全角(&Q)", -1, remove_full_width_numbers},
                                  });
  fill(extra.add("格式转换(&N)"), {
                                      {"全内容到半角(&F)", -1, convert_to_half_width},
                                      {"全内容到全角(&E)", -1, convert_to_full_width},
                                      {"全内容到小写(&X)", -1, convert_to_lower_case},
                                      {"全内容到大写(&D)", -1, convert_to_upper_case},
                                      kSeparator,
                                      {"URL编码(&U)", -1, url_encode_editor},
                                      {"URL解码(&J)", -1, url_decode_editor},
                                  });
  fill(extra, {
                  kSeparator,
                  {"取纯中文文本(&Z)", -1, keep_chinese_text},
                  {"删除全部空格(&F)    Ctrl+F6", -1, remove_all_spaces},
                  {"替换为换行符(&L)", -1, replace_with_newlines},
                  {"换行符替换为(&E)", -1, replace_newlines_with},
                  {"取中间文本(&I)", -1, extract_middle_text},
                  {"数字连续替换(&V)", -1, replace_number_range},
                  {"计算表达式(&S)", -1, evaluate_expression},
                  kSeparator,
                  {"取纯歌词文本(&R)", -1, open_lyric_file_as_page},
                  {"文件智能排版(&B)", -1, kNotYet},
                  kSeparator,
                  {"文本简繁互转(&U)    Ctrl+U", kImageSimpTrad, open_simp_trad_window},
                  {"加密解密(&J)    Ctrl+J", kImageCrypt, open_crypt_window},
                  {"语音朗读文本(&L)    Ctrl+L", kImageReadAloud, open_read_aloud_window},
                  {"屏幕输出效果(&S)", kImageTyping, open_typing_window},
                  {"启动谷歌翻译(&G)", kImageTranslate, open_translation_window},
                  {"启动云输入法(&Y)    Ctrl+Y", -1, open_cloud_input_window},
                  {"复制组件标题(&O)", -1, open_grabber_window},
                  kSeparator,
                  {"保存打开标签(&B)", -1, save_or_load_open_tabs},
              });

  rt::MenuItem& settings = menus.add_menu("设置(&S)");
  fill(settings, {
                     {"程序设置(&S)", kImageOptions, open_options_window},
                     kSeparator,
                     {"设置字体(&T)    Ctrl+T", kImageFont, open_font_window},
                     {"文本颜色(&W)", kImageColors, set_text_color},
                     {"背景颜色(&B)", -1, set_background_color},
                     {"交换颜色(&J)", -1, swap_colors},
                     kSeparator,
                 });
  // Alignment and scroll bars: the chosen item shows the tick, its parent the chosen item's
  // own image; the edit box starts left-aligned with a vertical scroll bar.
  fill(settings.add("文本对齐方式(&D)", kImageAlignLeft), {
                                                              {"左对齐(&Z)", kImageTick, align_left},
                                                              {"中对齐(&T)", kImageAlignCenter, align_center},
                                                              {"右对齐(&Y)", kImageAlignRight, align_right},
                                                          });
  fill(settings.add("置滚动条位置(&T)", kImageScrollVertical),
       {
           {"横向滚动条(&H)", kImageScrollHorizontal, set_scroll_bars_horizontal},
           {"纵向滚动条(&Z)", kImageTick, set_scroll_bars_vertical},
           {"横纵向滚动条(&H)", kImageScrollBoth, set_scroll_bars_both},
       });
  fill(settings, {
                     {"只读状态(&Z)", kImageReadOnly, toggle_read_only},
                     kSeparator,
                     {"标签管理(&B)", kImageTabManager, open_tab_manager},
                     kSeparator,
                     {"取消优化(&N)", kImageTick, toggle_memory_trim},
                     {"开老板键(&K)", kImageBossKey, toggle_boss_key_menu},
                 });

  fill(menus.add_menu("帮助(&H)"), {
                                       {"程序帮助(&H)", kImageHelp, show_online_help},
                                       {"软件主页(&R)", kImageHome, open_homepage},
                                       kSeparator,
                                       {"检查更新(&N)", kImageUpdate, open_update_window},
                                       {"关于程序(&I)", kImageAbout, open_about_window},
                                   });

  fill(menus.add_menu("程序右键菜单(&C)"), {
                                               {"最小化(&X)", kImageMinimize, minimize_by_menu},
                                               {"最大化(&D)", kImageMaximize, toggle_maximize},
                                               kSeparator,
                                               {"关闭程序(&C)    Alt+F4", kImageExit, exit_program},
                                               kSeparator,
                                               {"软件主页(&R)", kImageHome, open_homepage_from_context_menu},
                                           });

  // The tray icon's menu. The read-aloud item shows while that window is hidden to the tray, the
  // normal-mode item while mini mode is on.
  rt::MenuItem& tray = menus.add_menu("托盘菜单(&T)");
  fill(tray, {
                 {"关于程序(&I)", kImageAbout, open_about_window_from_tray},
                 kSeparator,
                 {"软件主页(&H)", kImageHome, open_homepage_from_tray},
                 kSeparator,
                 {"检查更新(&N)", kImageUpdate, open_update_window},
                 kSeparator,
                 {"语音朗读(&Y)", kImageReadAloud, restore_read_aloud_from_tray},
                 kSeparator,
                 {"正常模式(&Z)", kImageMiniMode, leave_mini_mode},
                 kSeparator,
                 {"重启程序(&R)", -1, restart_program},
                 kSeparator,
                 {"退出程序(&T)", kImageExit, exit_program},
             });
  set_item_visible_with_separator(tray, "语音朗读(&Y)", false);
  set_item_visible_with_separator(tray, "正常模式(&Z)", false);
}
