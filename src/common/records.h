#pragma once
// The records every subsystem shares.
#include <string>
#include <vector>

struct FontRecord {
  int angle = 0;  // never set by the program
  int bold = 0, italic = 0, strikeout = 0, underline = 0;
  int size = 9;  // points
  std::string face = "宋体";
  bool operator==(const FontRecord&) const = default;
};

struct PageRecord {
  std::string path;       // "" for a page never saved
  std::string extension;  // without the dot
  // The page text. For the page shown in the edit box the edit box holds the live text;
  // read it through page_content() (pages/page_model.h), never directly.
  std::string content;
  int modified = 0;
  int selection_start = 0;   // edit-box characters
  int selection_length = 0;  // edit-box characters
  unsigned back_color = 0;   // Windows RGB
  unsigned text_color = 0;
  FontRecord font;
  // True while the edit box holds a newer text than `content`.
  bool text_in_editor = false;
  // No other page of this run ever had it (a reset tab 0 is a new page): the edit box knows
  // by it whose text it shows, and a routine that holds a page across a box or a dialog finds
  // it again by it, or learns that it has gone.
  int id = 0;
  // The text is shorter than the file at `path`: reading it stopped at a zero byte.
  bool shorter_than_file = false;
  // The edit box held characters the text could not keep (lone surrogates, kept as U+FFFD)
  // since the page was last written.
  bool lost_characters = false;
};

using PageList = std::vector<PageRecord>;
