#pragma once
// The ids of the main window's commands (their rows: app/commands.h) and the sources that run
// them. The pieces that show a command's state name it by its id and need nothing else here.

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
