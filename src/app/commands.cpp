#include "app/commands.h"

#include <optional>

#include "app/boss_key.h"
#include "app/housekeeping.h"
#include "app/main_frame.h"
#include "app/menu_bar.h"
#include "app/mini_mode.h"
#include "app/shortcuts.h"
#include "app/shutdown.h"
#include "common/menu_art.h"
#include "documents/custom_open.h"
#include "documents/file_info.h"
#include "documents/file_operations.h"
#include "documents/open_files.h"
#include "documents/save_files.h"
#include "foreign/grabber_window.h"
#include "forms/main_window_form.h"
#include "options/options_window.h"
#include "pages/closing.h"
#include "pages/jump_to_page.h"
#include "pages/page_model.h"
#include "pages/tab_commands.h"
#include "pages/tab_manager.h"
#include "pages/tab_set.h"
#include "runtime/clipboard.h"
#include "runtime/gbk_text.h"
#include "runtime/unit.h"
#include "texttools/conversion_commands.h"
#include "texttools/crypt_window.h"
#include "texttools/edit_commands.h"
#include "texttools/editor_status.h"
#include "texttools/file_digests.h"
#include "texttools/find_replace.h"
#include "texttools/font_window.h"
#include "texttools/insertions.h"
#include "texttools/paragraph_commands.h"
#include "texttools/printing.h"
#include "texttools/read_aloud.h"
#include "texttools/simp_trad_window.h"
#include "texttools/typing_output.h"
#include "web/about_window.h"
#include "web/cloud_input.h"
#include "web/translation_window.h"
#include "web/update_check.h"

namespace {

constexpr int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kF5 = 0x74, kF6 = 0x75;
constexpr int kCtrl = rt::kCtrl, kAlt = rt::kAlt;

MainWindowForm& w() { return main_window(); }
rt::EditBox& editor() { return main_window().编辑框_文本类容; }
int tab_count() { return main_window().高级选择夹_标签.count(); }
int current_tab() { return main_window().高级选择夹_标签.current(); }

// What the enabling rules read, each at most once as a menu opens: the whole text of a large page
// is costly to read.
class Facts {
 public:
  const std::string& text() {
    if (!text_) text_ = editor().text();
    return *text_;
  }
  bool empty() { return editor().text_length() == 0; }
  bool busy() { return open_busy(); }

 private:
  std::optional<std::string> text_;
};
using Rule = bool (*)(Facts&);

struct Key {
  int modifiers = 0, key = 0;
};

struct Row {
  Command id;
  const char* captions[3] = {};  // the menu bar's item first, then its other forms
  int image = -1;
  int toolbar = 0;  // button index, 0 for none
  Key keys[2] = {};
  void (*run)() = nullptr;  // null: shown, and does nothing
  Rule enabled = nullptr;   // its menu items, as a menu opens; null: left as they are
  // A key runs the command only when this holds; the key is taken either way.
  bool (*key_condition)() = nullptr;
  bool refused_while_opening = false;
};

// Rules.
bool has_text(Facts& f) { return !f.empty(); }
bool has_selection(Facts& f) { return !f.empty() && editor().selection_length() != 0; }
bool has_search_text(Facts&) { return !search_state().search_text.empty(); }
bool clipboard_has_text(Facts&) { return rt::clipboard_has_text(); }
bool several_tabs_idle(Facts& f) { return tab_count() != 1 && !f.busy(); }
bool text_and_idle(Facts& f) { return !f.empty() && !f.busy(); }
bool save_button_enabled(Facts&) {
  return !(w().工具条_工具栏.state(kButtonSave) & rt::Toolbar::kDisabled);
}
// The close item follows the toolbar's close button.
bool close_page_enabled(Facts& f) {
  return !f.busy() && w().工具条_工具栏.state(kButtonClosePage) != rt::Toolbar::kDisabled;
}
bool digits_and_idle(Facts& f) { return !f.empty() && !f.busy() && !text_has_no_digit(f.text()); }
bool line_breaks_and_idle(Facts& f) { return !f.busy() && rt::find_text(f.text(), "\r\n") >= 1; }

// Key conditions.
bool not_opening() { return !open_busy(); }
bool several_tabs() { return tab_count() > 1; }
bool not_one_tab() { return tab_count() != 1; }
bool more_than_nine_tabs() { return tab_count() > 9; }
bool text_in_box() { return editor().text_length() > 0; }
bool search_text_set() { return !search_state().search_text.empty(); }
bool open_button_enabled() { return w().工具条_工具栏.state(kButtonOpen) != rt::Toolbar::kDisabled; }
bool custom_new_item_enabled() {
  const rt::MenuItem* item = find_command_item(Command::CustomNewPage);
  return item && !item->disabled;
}
bool page_not_blank() { return !rt::remove_blanks(page_content(current_tab())).empty(); }
// The focus goes to the File menu's button first, as the key has always done; then only a
// modified page is saved.
bool move_focus_then_modified() {
  w().图形按钮_文件_菜单.set_focus();
  int i = current_tab();
  return page_exists(i) && pages()[i].modified;
}
bool page_is_batch_file() {
  int i = current_tab();
  if (!page_exists(i)) return false;
  std::string extension = rt::to_lower_ascii(pages()[i].extension);
  return extension == "cmd" || extension == "bat";
}

// Routines the rows run that take arguments or have no name of their own.
void select_tab(int index) {
  rt::TabControl& tabs = w().高级选择夹_标签;
  if (index >= 0 && index < tabs.count()) tabs.set_current(index);
}
void back_five_tabs() { select_tab(current_tab() - 5); }
// Never past the last tab.
void forward_five_tabs() { select_tab(std::min(current_tab() + 5, tab_count() - 1)); }
void close_current_page() { close_page_with_prompt(current_tab()); }
void close_every_page() { close_all_pages(false); }
void save_current() { save_current_page(); }
void save_current_as() { save_current_page_as(); }
void minimize_by_menu() { w().minimize(); }
void remove_half_width_numbers() { remove_paragraph_numbers(1); }
void remove_full_width_numbers() { remove_paragraph_numbers(0); }
void copy_page_file() { copy_or_move_page_file(false); }
void move_page_file() { copy_or_move_page_file(true); }
// The first four Alt keys act as the wheel over the edit box would.
void previous_tab_by_wheel() { on_editor_wheel(120, 2); }
void next_tab_by_wheel() { on_editor_wheel(-120, 2); }
void smaller_font_by_wheel() { on_editor_wheel(120, 1); }
void larger_font_by_wheel() { on_editor_wheel(-120, 1); }
void dock_left() { dock_half_screen(true); }
void dock_right() { dock_half_screen(false); }

using C = Command;
const Row kRows[] = {
    // File
    {.id = C::NewPage, .captions = {"新建文件(&N)    Ctrl+N"}, .image = kImageNew, .toolbar = kButtonNew,
     .keys = {{kCtrl, 'N'}}, .run = new_page_command, .key_condition = not_opening, .refused_while_opening = true},
    {.id = C::CustomNewPage, .captions = {"自定新建(&Z)    Ctrl+B"}, .keys = {{kCtrl, 'B'}},
     .run = custom_new_page_command, .key_condition = custom_new_item_enabled, .refused_while_opening = true},
    {.id = C::OpenFiles, .captions = {"打开文件(&O)    Ctrl+O"}, .image = kImageOpen, .toolbar = kButtonOpen,
     .keys = {{kCtrl, 'O'}}, .run = open_files, .key_condition = open_button_enabled, .refused_while_opening = true},
    {.id = C::CustomOpen, .captions = {"自定打开(&L)"}, .image = kImageCustomOpen, .run = open_custom_open_window},
    {.id = C::Save, .captions = {"保存文件(&S)    Ctrl+S", "保存文件(&S)"}, .image = kImageSave,
     .toolbar = kButtonSave, .keys = {{kCtrl, 'S'}}, .run = save_current, .enabled = save_button_enabled,
     .key_condition = move_focus_then_modified},
    {.id = C::SaveAs, .captions = {"另存文件(&K)    Ctrl+K", "另存文件(&L)"}, .image = kImageSaveAs,
     .keys = {{kCtrl, 'K'}}, .run = save_current_as},
    {.id = C::SaveAll, .captions = {"全部保存(&Q)    Ctrl+Q", "全部保存(&Q)"}, .image = kImageSaveAll,
     .keys = {{kCtrl, 'Q'}}, .run = save_all_command, .enabled = several_tabs_idle, .key_condition = several_tabs},
    {.id = C::FileInfo, .captions = {"文件信息(&W)"}, .run = open_file_info_window},
    {.id = C::Print, .captions = {"打印文件(&P)    Ctrl+P"}, .image = kImagePrint, .toolbar = kButtonPrint,
     .keys = {{kCtrl, 'P'}}, .run = print_current_page, .enabled = has_text, .key_condition = page_not_blank},
    {.id = C::ClosePage, .captions = {"关闭本页(&W)    Ctrl+W"}, .image = kImageClosePage, .toolbar = kButtonClosePage,
     .keys = {{kCtrl, 'W'}}, .run = close_current_page, .enabled = close_page_enabled, .key_condition = not_one_tab},
    {.id = C::CloseAll, .captions = {"全部关闭(&G)    Ctrl+G"}, .keys = {{kCtrl, 'G'}}, .run = close_every_page,
     .enabled = several_tabs_idle, .key_condition = several_tabs},
    {.id = C::Restart, .captions = {"重启程序(&R)"}, .run = restart_program, .refused_while_opening = true},
    {.id = C::Exit, .captions = {"退出程序(&E)    Alt+F4", "关闭程序(&C)    Alt+F4", "退出程序(&T)"},
     .image = kImageExit, .run = exit_program, .refused_while_opening = true},
    // Edit
    {.id = C::Undo, .captions = {"撤消操作(&Z)    Ctrl+Z"}, .image = kImageUndo, .toolbar = kButtonUndo,
     .run = undo_edit},
    {.id = C::Cut, .captions = {"剪切选中(&X)    Ctrl+X"}, .image = kImageCut, .toolbar = kButtonCut,
     .run = cut_selection, .enabled = has_selection},
    {.id = C::Copy, .captions = {"复制选中(&C)    Ctrl+C"}, .image = kImageCopy, .toolbar = kButtonCopy,
     .run = copy_selection, .enabled = has_selection},
    {.id = C::Paste, .captions = {"粘贴内容(&V)    Ctrl+V"}, .image = kImagePaste, .toolbar = kButtonPaste,
     .run = paste_clipboard, .enabled = clipboard_has_text},
    {.id = C::Delete, .captions = {"删除选中(&D)    Del"}, .image = kImageDelete, .run = delete_selection,
     .enabled = has_selection},
    {.id = C::SelectAll, .captions = {"文本全选(&A)    Ctrl+A"}, .image = kImageSelectAll, .keys = {{kCtrl, 'A'}},
     .run = select_all_text, .enabled = has_text},
    {.id = C::FindWindow, .captions = {"寻找替换(&F)    Ctrl+F"}, .image = kImageFind, .keys = {{kCtrl, 'F'}},
     .run = open_find_window, .enabled = has_text, .key_condition = text_in_box},
    {.id = C::FindPrevious, .captions = {"找上一个(&E)    Ctrl+E"}, .keys = {{kCtrl, 'E'}}, .run = find_previous,
     .enabled = has_search_text, .key_condition = search_text_set},
    {.id = C::FindNext, .captions = {"找下一个(&R)    Ctrl+R"}, .keys = {{kCtrl, 'R'}}, .run = find_next,
     .enabled = has_search_text, .key_condition = search_text_set},
    {.id = C::JumpWindow, .captions = {"跳转页面(&M)    Ctrl+D"}, .image = kImageJump, .keys = {{kCtrl, 'D'}},
     .run = open_jump_window, .key_condition = more_than_nine_tabs},
    {.id = C::InsertDate, .captions = {"插入日期(&R)"}, .image = kImageDate, .run = insert_date},
    {.id = C::InsertTime, .captions = {"插入时间(&T)"}, .image = kImageTime, .run = insert_time},
    {.id = C::InsertSeparator, .captions = {"插入分隔(&K)"}, .run = insert_separator_line},
    {.id = C::InsertLetters, .captions = {"连续插入字母(&P)"}, .run = insert_letter_sequence},
    {.id = C::InsertNumbers, .captions = {"连续插入数字(&Q)"}, .run = insert_number_range},
    // Extra: the paragraph transformations and the whole-text conversions replace the page's text
    // as a whole, so not while an open run may still fill the page.
    {.id = C::ParagraphMenu, .captions = {"段落排版(&D)"}, .enabled = text_and_idle},
    {.id = C::TrimParagraphs, .captions = {"去除段落首尾空(&O)"}, .run = trim_paragraphs},
    {.id = C::TrimParagraphStarts, .captions = {"去除段落首空(&S)"}, .run = trim_paragraph_starts},
    {.id = C::TrimParagraphEnds, .captions = {"去除段落尾空(&W)"}, .run = trim_paragraph_ends},
    {.id = C::DropEmptyParagraphs, .captions = {"去除空段落(&K)"}, .run = drop_empty_paragraphs},
    {.id = C::IndentHalf, .captions = {"添加段落首空-半角(&T)"}, .run = indent_paragraphs_half},
    {.id = C::IndentFull, .captions = {"添加段落首空-全角(&H)"}, .run = indent_paragraphs_full},
    {.id = C::SpaceParagraphs, .captions = {"两段间加空段(&Y)"}, .run = space_paragraphs},
    {.id = C::NumberParagraphs, .captions = {"标出段落数-半角(&J)"}, .run = number_paragraphs},
    {.id = C::NumberParagraphsFull, .captions = {"标出段落数-全角(&D)"}, .run = number_paragraphs_full},
    {.id = C::RemoveHalfWidthNumbers, .captions = {"删除标出段落数-半角(&B)"}, .run = remove_half_width_numbers},
    {.id = C::RemoveFullWidthNumbers, .captions = {"删除标出段落数-全角(&Q)"}, .run = remove_full_width_numbers},
    {.id = C::ConversionMenu, .captions = {"格式转换(&N)"}, .enabled = text_and_idle},
    {.id = C::ToHalfWidth, .captions = {"全内容到半角(&F)"}, .run = convert_to_half_width},
    {.id = C::ToFullWidth, .captions = {"全内容到全角(&E)"}, .run = convert_to_full_width},
    {.id = C::ToLowerCase, .captions = {"全内容到小写(&X)"}, .run = convert_to_lower_case},
    {.id = C::ToUpperCase, .captions = {"全内容到大写(&D)"}, .run = convert_to_upper_case},
    {.id = C::UrlEncode, .captions = {"URL编码(&U)"}, .run = url_encode_editor},
    {.id = C::UrlDecode, .captions = {"URL解码(&J)"}, .run = url_decode_editor},
    {.id = C::KeepChinese, .captions = {"取纯中文文本(&Z)"}, .run = keep_chinese_text, .enabled = text_and_idle},
    {.id = C::RemoveSpaces, .captions = {"删除全部空格(&F)    Ctrl+F6"}, .keys = {{kCtrl, kF6}},
     .run = remove_all_spaces, .enabled = text_and_idle},
    {.id = C::ReplaceWithNewlines, .captions = {"替换为换行符(&L)"}, .run = replace_with_newlines,
     .enabled = text_and_idle},
    {.id = C::ReplaceNewlinesWith, .captions = {"换行符替换为(&E)"}, .run = replace_newlines_with,
     .enabled = line_breaks_and_idle},
    {.id = C::ExtractMiddle, .captions = {"取中间文本(&I)"}, .run = extract_middle_text, .enabled = text_and_idle},
    {.id = C::ReplaceNumberRange, .captions = {"数字连续替换(&V)"}, .run = replace_number_range,
     .enabled = digits_and_idle},
    {.id = C::EvaluateExpression, .captions = {"计算表达式(&S)"}, .run = evaluate_expression},
    {.id = C::LyricPage, .captions = {"取纯歌词文本(&R)"}, .run = open_lyric_file_as_page,
     .refused_while_opening = true},
    // Nothing says what it does: it is shown, and does nothing.
    {.id = C::SmartLayout, .captions = {"文件智能排版(&B)"}, .refused_while_opening = true},
    {.id = C::SimpTrad, .captions = {"文本简繁互转(&U)    Ctrl+U"}, .image = kImageSimpTrad, .keys = {{kCtrl, 'U'}},
     .run = open_simp_trad_window},
    {.id = C::Crypt, .captions = {"加密解密(&J)    Ctrl+J"}, .image = kImageCrypt, .keys = {{kCtrl, 'J'}},
     .run = open_crypt_window},
    {.id = C::ReadAloud, .captions = {"语音朗读文本(&L)    Ctrl+L"}, .image = kImageReadAloud, .keys = {{kCtrl, 'L'}},
     .run = open_read_aloud_window},
    {.id = C::Typing, .captions = {"屏幕输出效果(&S)"}, .image = kImageTyping, .run = open_typing_window},
    {.id = C::Translate, .captions = {"启动谷歌翻译(&G)"}, .image = kImageTranslate, .run = open_translation_window},
    {.id = C::CloudInput, .captions = {"启动云输入法(&Y)    Ctrl+Y"}, .keys = {{kCtrl, 'Y'}},
     .run = open_cloud_input_window},
    {.id = C::Grabber, .captions = {"复制组件标题(&O)"}, .run = open_grabber_window},
    // Its caption says which it does now (set as the menu opens).
    {.id = C::SaveOrLoadTabs, .captions = {"保存打开标签(&B)", "载入保存标签(&B)"}, .run = save_or_load_open_tabs,
     .refused_while_opening = true},
    // Settings
    {.id = C::Options, .captions = {"程序设置(&S)"}, .image = kImageOptions, .toolbar = kButtonOptions,
     .run = open_options_window},
    {.id = C::Font, .captions = {"设置字体(&T)    Ctrl+T"}, .image = kImageFont, .keys = {{kCtrl, 'T'}},
     .run = open_font_window},
    {.id = C::TextColor, .captions = {"文本颜色(&W)"}, .image = kImageColors, .run = set_text_color},
    {.id = C::BackColor, .captions = {"背景颜色(&B)"}, .run = set_background_color},
    {.id = C::SwapColors, .captions = {"交换颜色(&J)"}, .run = swap_colors},
    // The chosen alignment and scroll bars show the tick, their groups the chosen item's image;
    // the edit box starts left-aligned with a vertical scroll bar.
    {.id = C::AlignMenu, .captions = {"文本对齐方式(&D)"}, .image = kImageAlignLeft},
    {.id = C::AlignLeft, .captions = {"左对齐(&Z)"}, .image = kImageTick, .toolbar = kButtonAlignLeft,
     .run = align_left},
    {.id = C::AlignCenter, .captions = {"中对齐(&T)"}, .image = kImageAlignCenter, .toolbar = kButtonAlignCenter,
     .run = align_center},
    {.id = C::AlignRight, .captions = {"右对齐(&Y)"}, .image = kImageAlignRight, .toolbar = kButtonAlignRight,
     .run = align_right},
    {.id = C::ScrollMenu, .captions = {"置滚动条位置(&T)"}, .image = kImageScrollVertical},
    {.id = C::ScrollHorizontal, .captions = {"横向滚动条(&H)"}, .image = kImageScrollHorizontal,
     .run = set_scroll_bars_horizontal},
    {.id = C::ScrollVertical, .captions = {"纵向滚动条(&Z)"}, .image = kImageTick, .run = set_scroll_bars_vertical},
    {.id = C::ScrollBoth, .captions = {"横纵向滚动条(&H)"}, .image = kImageScrollBoth, .run = set_scroll_bars_both},
    {.id = C::ReadOnly, .captions = {"只读状态(&Z)", "取消只读(&Z)"}, .image = kImageReadOnly, .run = toggle_read_only},
    {.id = C::TabManager, .captions = {"标签管理(&B)"}, .image = kImageTabManager, .run = open_tab_manager},
    {.id = C::MemoryTrim, .captions = {"取消优化(&N)", "开启优化(&N)"}, .image = kImageTick, .run = toggle_memory_trim},
    {.id = C::BossKey, .captions = {"开老板键(&K)", "关老板键(&G)"}, .image = kImageBossKey, .run = toggle_boss_key_menu},
    // Help
    {.id = C::OnlineHelp, .captions = {"程序帮助(&H)"}, .image = kImageHelp, .toolbar = kButtonOnlineHelp,
     .run = show_online_help},
    {.id = C::Homepage, .captions = {"软件主页(&R)"}, .image = kImageHome, .run = open_homepage},
    {.id = C::Update, .captions = {"检查更新(&N)"}, .image = kImageUpdate, .run = open_update_window},
    {.id = C::About, .captions = {"关于程序(&I)"}, .image = kImageAbout, .toolbar = kButtonAbout,
     .run = open_about_window},
    // The program menu and the tray menu
    {.id = C::Minimize, .captions = {"最小化(&X)"}, .image = kImageMinimize, .run = minimize_by_menu},
    {.id = C::ToggleMaximize, .captions = {"最大化(&D)", "还原(&D)"}, .image = kImageMaximize,
     .keys = {{kCtrl, kUp}}, .run = toggle_maximize},
    {.id = C::HomepageFromProgramMenu, .captions = {"软件主页(&R)"}, .image = kImageHome,
     .run = open_homepage_from_context_menu},
    {.id = C::AboutFromTray, .captions = {"关于程序(&I)"}, .image = kImageAbout, .run = open_about_window_from_tray},
    {.id = C::HomepageFromTray, .captions = {"软件主页(&H)"}, .image = kImageHome, .run = open_homepage_from_tray},
    // Shown while that window is hidden to the tray.
    {.id = C::ReadAloudFromTray, .captions = {"语音朗读(&Y)"}, .image = kImageReadAloud,
     .run = restore_read_aloud_from_tray},
    // Shown while mini mode is on; the bar's own button too.
    {.id = C::LeaveMiniMode, .captions = {"正常模式(&Z)"}, .image = kImageMiniMode, .run = leave_mini_mode},
    {.id = C::ExitFromMiniMode, .run = exit_from_mini_mode},
    // Keys and toolbar buttons only
    {.id = C::RestoreOrMinimize, .keys = {{kCtrl, kDown}}, .run = restore_or_minimize},
    {.id = C::FileMenu, .keys = {{kAlt, 'F'}, {kCtrl | kAlt, 'F'}}, .run = open_file_menu},
    {.id = C::EditMenu, .keys = {{kAlt, 'B'}, {kCtrl | kAlt, 'B'}}, .run = open_edit_menu},
    {.id = C::ExtraMenu, .keys = {{kAlt, 'I'}, {kCtrl | kAlt, 'I'}}, .run = open_extra_menu},
    {.id = C::SettingsMenu, .keys = {{kAlt, 'S'}, {kCtrl | kAlt, 'S'}}, .run = open_settings_menu},
    {.id = C::HelpMenu, .keys = {{kAlt, 'H'}, {kCtrl | kAlt, 'H'}}, .run = open_help_menu},
    {.id = C::PreviousTab, .keys = {{kAlt, kLeft}}, .run = previous_tab_by_wheel},
    {.id = C::NextTab, .keys = {{kAlt, kRight}}, .run = next_tab_by_wheel},
    {.id = C::FontSmaller, .keys = {{kAlt, kUp}}, .run = smaller_font_by_wheel},
    {.id = C::FontLarger, .keys = {{kAlt, kDown}}, .run = larger_font_by_wheel},
    {.id = C::DockLeft, .keys = {{kCtrl | kAlt, kLeft}}, .run = dock_left},
    {.id = C::DockRight, .keys = {{kCtrl | kAlt, kRight}}, .run = dock_right},
    {.id = C::RunBatchByKey, .keys = {{kCtrl, kF5}}, .run = run_page_as_batch, .key_condition = page_is_batch_file},
    {.id = C::Back5, .toolbar = kButtonBack5, .run = back_five_tabs},
    {.id = C::Forward5, .toolbar = kButtonForward5, .run = forward_five_tabs},
    // The tab menus (their states are the tab menus' own rules)
    {.id = C::TabFindMenu, .captions = {"查找页面(&Y)"}},
    {.id = C::TabPageInfoMenu, .captions = {"页面信息(&F)"}},
    {.id = C::TabFileMenu, .captions = {"文件操作(&J)"}},
    {.id = C::ScrollTabsTowardsFirst, .captions = {"向前滚动(&Q)"}, .run = scroll_tabs_towards_first},
    {.id = C::ScrollTabsTowardsLast, .captions = {"向后滚动(&H)"}, .run = scroll_tabs_towards_last},
    {.id = C::JumpToFirstTab, .captions = {"跳到最前(&T)"}, .run = jump_to_first_tab},
    {.id = C::JumpToMiddleTab, .captions = {"跳到中间(&Z)"}, .run = jump_to_middle_tab},
    {.id = C::JumpToLastTab, .captions = {"跳到最后(&H)"}, .run = jump_to_last_tab},
    {.id = C::RenameTab, .captions = {"重命名标签名(&B)"}, .run = rename_current_tab},
    {.id = C::CopyPageName, .captions = {"复制文件名称(&M)"}, .run = copy_page_name},
    {.id = C::CopyPagePath, .captions = {"复制文件路径(&L)"}, .run = copy_page_path},
    {.id = C::CopyPageText, .captions = {"复制文件类容(&N)"}, .run = copy_page_text},
    {.id = C::CopyFileMd5, .captions = {"复制文件MD5(&D)"}, .run = copy_file_md5},
    {.id = C::CopyFileSha1, .captions = {"复制文件SHA1(&S)"}, .run = copy_file_sha1},
    {.id = C::CopyFileCrc32, .captions = {"复制文件CRC32(&C)"}, .run = copy_file_crc32},
    {.id = C::AppendToTabSet, .captions = {"保存到保存标签(&K)"}, .run = append_page_to_tab_set},
    {.id = C::Snapshot, .captions = {"对当前页截图(&X)"}, .run = save_page_snapshot},
    {.id = C::CopyFileTo, .captions = {"复制文件到...(&F)"}, .run = copy_page_file},
    {.id = C::MoveFileTo, .captions = {"移动文件到...(&Y)"}, .run = move_page_file},
    {.id = C::RenameFile, .captions = {"重命名文件(&C)"}, .run = rename_page_file},
    {.id = C::RecycleFile, .captions = {"删除到回收站(&D)"}, .run = recycle_page_file},
    {.id = C::OpenInNotepad, .captions = {"用记事本打开...(&N)"}, .run = open_in_system_notepad},
    {.id = C::FileProperties, .captions = {"文件属性(&S)"}, .run = show_current_file_properties},
    // Its caption is set when it is shown.
    {.id = C::RunBatch, .captions = {"运行批处理"}, .run = run_page_as_batch},
    {.id = C::StripLyrics, .captions = {"取纯歌词(&C)"}, .run = strip_lyrics_in_editor},
    {.id = C::RestoreBackup, .captions = {"恢复备份(&H)"}, .run = restore_page_backup},
    {.id = C::RevealFile, .captions = {"所在目录(&M)"}, .run = reveal_current_file},
    {.id = C::PrintFromTabMenu, .captions = {"打印文件(&P)    Ctrl+P"}, .run = print_from_tab_menu},
    {.id = C::JumpToRememberedTab, .captions = {"跳到标签(&T)"}, .run = jump_to_remembered_tab},
    {.id = C::CloseRememberedTab, .captions = {"关闭标签(&B)"}, .run = close_remembered_tab},
    {.id = C::RevealRememberedFile, .captions = {"所在目录(&M)"}, .run = reveal_remembered_file},
    {.id = C::RememberedFileProperties, .captions = {"文件属性(&S)"}, .run = show_remembered_file_properties},
};

const Row* row_of(Command id) {
  for (const Row& r : kRows)
    if (r.id == id) return &r;
  return nullptr;
}

void apply_rules(rt::MenuItem& menu, Facts& facts) {
  for (rt::MenuItem& item : menu.items()) {
    if (item.command != 0) {
      const Row* r = row_of(static_cast<Command>(item.command));
      if (r && (r->enabled || r->refused_while_opening))
        item.disabled = (r->refused_while_opening && facts.busy()) || (r->enabled && !r->enabled(facts));
    }
    apply_rules(item, facts);
  }
}

}  // namespace

void run_command(Command id, Source source) {
  const Row* r = row_of(id);
  if (!r) return;
  bool go = source != Source::Key || !r->key_condition || r->key_condition();
  if (go && r->run) r->run();
  give_focus_back_to_page();
}

Command command_of_key(int key, int modifiers) {
  for (const Row& r : kRows)
    for (const Key& k : r.keys)
      if (k.key == key && k.modifiers == modifiers) return r.id;
  return Command::None;
}

Command command_of_toolbar_button(int index) {
  for (const Row& r : kRows)
    if (r.toolbar == index && index != 0) return r.id;
  return Command::None;
}

rt::MenuItem command_item(Command id, int caption_form, bool with_image) {
  const Row* r = row_of(id);
  const char* caption = r && caption_form >= 0 && caption_form < 3 && r->captions[caption_form]
                            ? r->captions[caption_form]
                            : (r && r->captions[0] ? r->captions[0] : "");
  rt::MenuItem item(caption, with_image && r ? r->image : -1);
  item.command = static_cast<int>(id);
  if (r && r->run) item.on_click = [id] { run_command(id, Source::Menu); };
  return item;
}

rt::MenuItem& add_command_item(rt::MenuItem& menu, Command id, int caption_form, bool with_image) {
  return menu.add(command_item(id, caption_form, with_image));
}



void apply_enabling_rules(rt::MenuItem& menu) {
  Facts facts;
  apply_rules(menu, facts);
}

bool refused_while_opening(Command id) {
  const Row* r = row_of(id);
  return r && r->refused_while_opening;
}

void set_refused_commands_disabled(bool disabled) {
  for (const Row& r : kRows)
    if (r.refused_while_opening) set_command_disabled(r.id, disabled);
}

