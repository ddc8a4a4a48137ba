#pragma once
// The choices of the font window: its 32 size entries and its four styles.
#include <array>

struct FontSizeEntry {
  const char* text;  // GBK
  int points;
};

// "8" .. "72", then the Chinese type sizes "初号" .. "八号". (These two tables are constants; they
// are defined in font_choices.cpp, whose literals every build compiles to GBK.)
extern const std::array<FontSizeEntry, 32> kFontSizeEntries;

// The first entry of that point size, -1 when none has it.
int font_size_entry_of(int points);

// The four styles, by index: "常规", "斜体", "粗体", "粗斜体".
extern const std::array<const char*, 4> kFontStyleNames;
// Bold and italic 3, bold 2, italic 1, neither 0.
int font_style_index(bool bold, bool italic);
inline bool font_style_bold(int index) { return index == 2 || index == 3; }
inline bool font_style_italic(int index) { return index == 1 || index == 3; }
