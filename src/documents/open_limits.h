#pragma once
// How large a file the open routine makes a page of, and what it says of the files it could
// not open for their size or for want of memory. GBK text.
#include <string>
#include <vector>

// The largest file opened as a page, in bytes. The program is a 32-bit process: 2 GB of
// address space, of which under 600 MB come in one piece, and the edit box holds a page again
// as UTF-16 (up to twice its bytes) beside the page's own text, so a page of this size already
// needs about a gigabyte while the edit box takes it.
constexpr long long kLargestOpenedFile = 128ll << 20;

struct UnopenedFiles {
  std::vector<std::string> too_large;  // larger than kLargestOpenedFile
  std::vector<std::string> no_memory;  // memory ran out while it was read
  bool empty() const { return too_large.empty() && no_memory.empty(); }
};

struct UnopenedFilesMessage {
  std::string title, text;
};

// The message of the open routine's end for the files it did not open: each group says why,
// with at most kListedUnopenedFiles paths (two blanks before each, one a line) and the number
// of the others. Nothing when there are none.
constexpr int kListedUnopenedFiles = 5;
UnopenedFilesMessage unopened_files_message(const UnopenedFiles& files);
