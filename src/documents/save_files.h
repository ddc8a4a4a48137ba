#pragma once
// Saving pages: save, save as, save all, the forced save with its backup, and auto-save.
#include <string>

bool save_current_page();
// Returns whether the page was written.
bool save_page(int tab);
bool save_current_page_as();
bool save_page_as(int tab);
// The core: writes bytes to path for the page of tab; offers the forced write when it fails.
// The path is a copy: the page's own path moves to another page when a page before it closes
// under the question.
bool write_page_file(std::string path, const std::string& bytes, int tab, bool save_as);
void save_all_command();
void confirm_save_all();
std::string list_modified_pages();
void save_modified_pages();
void scroll_or_autosave_tick();
// The way the tab-scroll animation of 时钟_滚动标签 goes: 1 to the right, else to the left.
void set_tab_scroll_direction(int direction);
// The page of tab takes the file at path: its path, extension, tab caption and tooltip; the
// open-path list follows while double opening is refused.
void page_follows_file(int tab, const std::string& path);
// The backup a forced save writes: the file name's extension replaced by "BAK"; a name
// without one, or a ".bak" file, gets ".BAK" appended.
std::string backup_name(const std::string& path);

// The temporary page "被修改文档" that lists the modified pages while a question about them is
// open: it remembers what it changes of the edit box and gives it back when it goes.
class ModifiedListPage {
 public:
  explicit ModifiedListPage(const std::string& list);
  ~ModifiedListPage();
  ModifiedListPage(const ModifiedListPage&) = delete;
  ModifiedListPage& operator=(const ModifiedListPage&) = delete;

 private:
  int id_ = 0;  // the list page's id (0: it could not be made)
  unsigned colour_ = 0;
  int font_size_ = 0;
};
