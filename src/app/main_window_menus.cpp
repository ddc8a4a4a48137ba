#include "app/main_window_menus.h"

#include "app/commands.h"
#include "app/tray.h"
#include "forms/main_window_form.h"

namespace {

using C = Command;
// A separator in a list of commands.
constexpr Command kSeparator = Command::None;

void fill(rt::MenuItem& menu, std::initializer_list<Command> commands) {
  for (Command id : commands) {
    if (id == kSeparator)
      menu.add_separator();
    else
      add_command_item(menu, id);
  }
}

// An item of another form of the command's caption (the program and tray menus say it their way).
void add(rt::MenuItem& menu, Command id, int caption_form) { add_command_item(menu, id, caption_form); }

}  // namespace

void build_main_window_menus(MainWindowForm& w) {
  rt::PopupMenu& menus = w.超级菜单;

  fill(menus.add_menu("文件(&F)"), {C::NewPage, C::CustomNewPage, kSeparator, C::OpenFiles, C::CustomOpen, kSeparator,
                                    C::Save, C::SaveAs, C::SaveAll, kSeparator, C::FileInfo, C::Print, kSeparator,
                                    C::ClosePage, C::CloseAll, kSeparator, C::Restart, C::Exit});

  fill(menus.add_menu("编辑(&B)"),
       {C::Undo, kSeparator, C::Cut, C::Copy, C::Paste, C::Delete, kSeparator, C::SelectAll, kSeparator,
        C::FindWindow, C::FindPrevious, C::FindNext, C::JumpWindow, kSeparator, C::InsertDate, C::InsertTime,
        C::InsertSeparator, C::InsertLetters, C::InsertNumbers});

  rt::MenuItem& extra = menus.add_menu("附加(&I)");
  // The paragraph transformations and the whole-text conversions.
  fill(add_command_item(extra, C::ParagraphMenu),
       {C::TrimParagraphs, C::TrimParagraphStarts, C::TrimParagraphEnds, C::DropEmptyParagraphs, kSeparator,
        C::IndentHalf, C::IndentFull, C::SpaceParagraphs, kSeparator, C::NumberParagraphs, C::NumberParagraphsFull,
        C::RemoveHalfWidthNumbers, C::RemoveFullWidthNumbers});
  fill(add_command_item(extra, C::ConversionMenu),
       {C::ToHalfWidth, C::ToFullWidth, C::ToLowerCase, C::ToUpperCase, kSeparator, C::UrlEncode, C::UrlDecode});
  fill(extra, {kSeparator, C::KeepChinese, C::RemoveSpaces, C::ReplaceWithNewlines, C::ReplaceNewlinesWith,
               C::ExtractMiddle, C::ReplaceNumberRange, C::EvaluateExpression, kSeparator, C::LyricPage,
               C::SmartLayout, kSeparator, C::SimpTrad, C::Crypt, C::ReadAloud, C::Typing, C::Translate,
               C::CloudInput, C::Grabber, kSeparator, C::SaveOrLoadTabs});

  rt::MenuItem& settings = menus.add_menu("设置(&S)");
  fill(settings, {C::Options, kSeparator, C::Font, C::TextColor, C::BackColor, C::SwapColors, kSeparator});
  fill(add_command_item(settings, C::AlignMenu), {C::AlignLeft, C::AlignCenter, C::AlignRight});
  fill(add_command_item(settings, C::ScrollMenu), {C::ScrollHorizontal, C::ScrollVertical, C::ScrollBoth});
  fill(settings, {C::ReadOnly, kSeparator, C::TabManager, kSeparator, C::MemoryTrim, C::BossKey});

  fill(menus.add_menu("帮助(&H)"), {C::OnlineHelp, C::Homepage, kSeparator, C::Update, C::About});

  rt::MenuItem& program = menus.add_menu("程序右键菜单(&C)");
  fill(program, {C::Minimize, C::ToggleMaximize, kSeparator});
  add(program, C::Exit, 1);
  fill(program, {kSeparator, C::HomepageFromProgramMenu});

  // The tray icon's menu. The read-aloud item shows while that window is hidden to the tray, the
  // normal-mode item while mini mode is on.
  rt::MenuItem& tray = menus.add_menu("托盘菜单(&T)");
  fill(tray, {C::AboutFromTray, kSeparator, C::HomepageFromTray, kSeparator, C::Update, kSeparator,
              C::ReadAloudFromTray, kSeparator, C::LeaveMiniMode, kSeparator, C::Restart, kSeparator});
  add(tray, C::Exit, 2);
  set_item_visible_with_separator(tray, C::ReadAloudFromTray, false);
  set_item_visible_with_separator(tray, C::LeaveMiniMode, false);
}
