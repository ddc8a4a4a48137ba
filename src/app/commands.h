#pragma once
// The main window's commands, one row each (app/commands.cpp): the menu items that show it, its
// toolbar button, its keys, its routine and the rules that enable it. Every source (the menu
// bar's menus, the program, tray and tab menus, the toolbar, the keys, the mini bar) runs a
// command through run_command, and every view of it is found by its id.
#include <string>

#include "runtime/popup_menu.h"

enum class Command : int {
  None = 0,
  // File
  NewPage, CustomNewPage, OpenFiles, CustomOpen, Save, SaveAs, SaveAll, FileInfo, Print, ClosePage, CloseAll,
  Restart, Exit,
  // Edit
  Undo, Cut, Copy, Paste, Delete, SelectAll, FindWindow, FindPrevious, FindNext, JumpWindow, InsertDate, InsertTime,
  InsertSeparator, InsertLetters, InsertNumbers,
  // Extra
  ParagraphMenu, TrimParagraphs, TrimParagraphStarts, TrimParagraphEnds, DropEmptyParagraphs, IndentHalf, IndentFull,
  SpaceParagraphs, NumberParagraphs, NumberParagraphsFull, RemoveHalfWidthNumbers, RemoveFullWidthNumbers,
  ConversionMenu, ToHalfWidth, ToFullWidth, ToLowerCase, ToUpperCase, UrlEncode, UrlDecode, KeepChinese,
  RemoveSpaces, ReplaceWithNewlines, ReplaceNewlinesWith, ExtractMiddle, ReplaceNumberRange, EvaluateExpression,
  LyricPage, SmartLayout, SimpTrad, Crypt, ReadAloud, Typing, Translate, CloudInput, Grabber, SaveOrLoadTabs,
  // Settings
  Options, Font, TextColor, BackColor, SwapColors, AlignMenu, AlignLeft, AlignCenter, AlignRight, ScrollMenu,
  ScrollHorizontal, ScrollVertical, ScrollBoth, ReadOnly, TabManager, MemoryTrim, BossKey,
  // Help
  OnlineHelp, Homepage, Update, About,
  // The program menu and the tray menu
  Minimize, ToggleMaximize, HomepageFromProgramMenu, AboutFromTray, HomepageFromTray, ReadAloudFromTray,
  LeaveMiniMode, ExitFromMiniMode,
  // Keys and toolbar only
  RestoreOrMinimize, FileMenu, EditMenu, ExtraMenu, SettingsMenu, HelpMenu, PreviousTab, NextTab, FontSmaller,
  FontLarger, DockLeft, DockRight, RunBatchByKey, Back5, Forward5,
  // The tab menus
  TabFindMenu, TabPageInfoMenu, TabFileMenu, ScrollTabsTowardsFirst, ScrollTabsTowardsLast, JumpToFirstTab, JumpToMiddleTab, JumpToLastTab, RenameTab,
  CopyPageName, CopyPagePath, CopyPageText, CopyFileMd5, CopyFileSha1, CopyFileCrc32, AppendToTabSet, Snapshot,
  CopyFileTo, MoveFileTo, RenameFile, RecycleFile, OpenInNotepad, FileProperties, RunBatch, StripLyrics,
  RestoreBackup, RevealFile, PrintFromTabMenu, JumpToRememberedTab, CloseRememberedTab, RevealRememberedFile,
  RememberedFileProperties,
};

// Where a command comes from: a source may meet a condition of its own before the command runs.
enum class Source { Menu, Toolbar, Key, Button };

// Runs the command as the source does (a key meets the command's key condition first and is taken
// either way), then gives the keyboard back to the page.
void run_command(Command id, Source source);
// The command of a key (virtual key, the exact modifier set) or of a toolbar button; None when
// there is none.
Command command_of_key(int key, int modifiers);
Command command_of_toolbar_button(int index);

// The menus: an item of the command, with the row's caption (or another form of it the row
// has: 1, 2) and image, that runs the command as a menu item does.
rt::MenuItem& add_command_item(rt::MenuItem& menu, Command id, int caption_form = 0, bool with_image = true);
rt::MenuItem command_item(Command id, int caption_form = 0, bool with_image = false);
// The first item of the main window's menus that shows the command, or null; every one of them.
rt::MenuItem* find_command_item(Command id);
std::vector<rt::MenuItem*> find_command_items(Command id);
void set_command_disabled(Command id, bool disabled);
// The items of a menu and its submenus take their rows' enabling rules, as the menu opens.
void apply_enabling_rules(rt::MenuItem& menu);
// Whether an open run keeps the command from running (its items disabled meanwhile).
bool refused_while_opening(Command id);
void set_refused_commands_disabled(bool disabled);

// After a command: the keyboard goes back to the page, unless the command left another window
// active (a tool window it opened) or the main window is not in front to take it.
void give_focus_back_to_page();
// A menu of the main window, popped up at the screen point; when it closes, its item has run and
// the keyboard goes back to the page.
void popup_main_window_menu(rt::MenuItem& menu, int screen_x, int screen_y);
