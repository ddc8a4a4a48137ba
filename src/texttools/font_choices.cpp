#include "texttools/font_choices.h"

const std::array<FontSizeEntry, 32> kFontSizeEntries = {{
    {"8", 8},     {"9", 9},     {"10", 10},   {"11", 11},   {"12", 12},   {"14", 14},   {"16", 16},   {"18", 18},
    {"20", 20},   {"22", 22},   {"24", 24},   {"26", 26},   {"28", 28},   {"36", 36},   {"48", 48},   {"72", 72},
    {"初号", 42}, {"小初", 36}, {"一号", 26}, {"小一", 24}, {"二号", 22}, {"小二", 18}, {"三号", 16}, {"小三", 15},
    {"四号", 14}, {"小四", 12}, {"五号", 11}, {"小五", 9},  {"六号", 8},  {"小六", 7},  {"七号", 5},  {"八号", 5},
}};

const std::array<const char*, 4> kFontStyleNames = {"常规", "斜体", "粗体", "粗斜体"};

int font_size_entry_of(int points) {
  for (int i = 0; i < static_cast<int>(kFontSizeEntries.size()); ++i)
    if (kFontSizeEntries[i].points == points) return i;
  return -1;
}

int font_style_index(bool bold, bool italic) { return bold && italic ? 3 : bold ? 2 : italic ? 1 : 0; }
