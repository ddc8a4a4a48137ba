#pragma once
// The option values the program consults while it runs: read from Config_Vel.ini at start-up
// and changed by the options window as its controls change (the file itself stays the
// configuration's record, options/config.h). One record, owned here: everyone reads it through
// options() and changes a value through set_option. Used on the UI thread only.
#include <array>
#include <string>

#include "common/records.h"

struct OptionValues {
  int fade_enabled = 0;         // windows fade in and out
  int per_page_font = 0;        // each page keeps its own font
  int per_page_colors = 0;      // each page keeps its own text and background colours
  int prevent_double_open = 0;  // a file already open is shown instead of opened again
  int detect_encoding = 0;      // opened files are decoded by their encoding
  int open_in_thread = 1;       // files are read on a worker
  int jump_to_opened = 0;       // after an open run the last tab becomes current
  int tab_close_button = 1;     // the close button over the current tab
  int first_line_title = 1;     // a new page takes its name from its first line
  int edge_hide_enabled = 0;    // the main window slides out at a screen edge
  int edge_hide_delay = 0;      // the pause before it slides out, in ms
  int remember_position = 0;    // the main window's place is written at the exit
  int children_stay = 0;        // tool windows stay when the main window moves
  int autosave_interval = 0;    // ms between automatic saves; 0: none
  int window_alpha = 255;       // the opacity every shown window ends at
  // A new page's text and background colours.
  std::array<unsigned, 2> default_colors = {0x8000, 0xCFE8CC};
  FontRecord default_font;           // a new page's font while pages keep their own
  std::string separator_text = "-";  // the unit a separator line is made of (never empty)
};

const OptionValues& options();
void set_option(int OptionValues::*field, int value);
void set_option(std::array<unsigned, 2> OptionValues::*field, std::array<unsigned, 2> value);
void set_option(FontRecord OptionValues::*field, FontRecord value);
void set_option(std::string OptionValues::*field, std::string value);
// Every value back to its state before start-up.
void reset_options();
