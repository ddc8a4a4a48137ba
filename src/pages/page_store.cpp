#include "pages/page_store.h"

#include <utility>

#include "pages/open_path_list.h"

namespace {

PageList g_pages;
std::vector<std::string> g_open_queue;
std::string g_open_paths = " |";
int g_new_page_counter = 1;
int g_tab0_placeholder = 0;
int g_editor_page_id = 0;
// Never reset: ids stay unique however often the store starts again.
int g_next_id = 1;

bool valid_page(int index) { return index >= 0 && index < static_cast<int>(g_pages.size()); }

PageRecord* page(int index) { return valid_page(index) ? &g_pages[static_cast<size_t>(index)] : nullptr; }

}  // namespace

void reset_page_store() {
  g_pages.clear();
  g_open_queue.clear();
  g_open_paths = " |";
  g_new_page_counter = 1;
  g_tab0_placeholder = 0;
  g_editor_page_id = 0;
}

void release_page_store() {
  g_pages.clear();
  g_pages.shrink_to_fit();
  g_open_queue.clear();
}

const PageList& pages() { return g_pages; }

int page_count() { return static_cast<int>(g_pages.size()); }

bool page_exists(int index) { return valid_page(index); }

int page_id(int index) { return valid_page(index) ? g_pages[static_cast<size_t>(index)].id : 0; }

int find_page_by_id(int id) {
  if (id <= 0) return -1;
  for (size_t i = 0; i < g_pages.size(); ++i)
    if (g_pages[i].id == id) return static_cast<int>(i);
  return -1;
}

PageRecord make_page_record() {
  PageRecord r;
  r.id = g_next_id++;
  return r;
}

int add_page(PageRecord record) {
  g_pages.push_back(std::move(record));
  return static_cast<int>(g_pages.size()) - 1;
}

void remove_page(int index) {
  if (valid_page(index)) g_pages.erase(g_pages.begin() + index);
}

void renew_page(int index) {
  PageRecord* p = page(index);
  if (!p) return;
  // A new page: whoever held the old one finds it gone.
  p->id = g_next_id++;
  p->path.clear();
  p->extension.clear();
  p->content.clear();
  p->text_in_editor = false;
  p->modified = 0;
  p->back_color = 0xCFE8CC;
  p->text_color = 0x8000;
  p->selection_start = 0;
  p->selection_length = 0;
}

void set_page_modified(int index, int modified) {
  if (PageRecord* p = page(index)) p->modified = modified;
}

void set_page_file(int index, std::string path, std::string extension) {
  if (PageRecord* p = page(index)) {
    p->path = std::move(path);
    p->extension = std::move(extension);
  }
}

void set_page_extension(int index, std::string extension) {
  if (PageRecord* p = page(index)) p->extension = std::move(extension);
}

void set_page_text_color(int index, unsigned color) {
  if (PageRecord* p = page(index)) p->text_color = color;
}

void set_page_back_color(int index, unsigned color) {
  if (PageRecord* p = page(index)) p->back_color = color;
}

void set_page_font(int index, FontRecord font) {
  if (PageRecord* p = page(index)) p->font = std::move(font);
}

void set_page_font_size(int index, int size) {
  if (PageRecord* p = page(index)) p->font.size = size;
}

void set_page_selection(int index, int start, int length) {
  if (PageRecord* p = page(index)) {
    p->selection_start = start;
    p->selection_length = length;
  }
}

void set_page_shorter_than_file(int index, bool shorter) {
  if (PageRecord* p = page(index)) p->shorter_than_file = shorter;
}

void set_page_lost_characters(int index, bool lost) {
  if (PageRecord* p = page(index)) p->lost_characters = lost;
}

void store_page_text(int index, std::string text) {
  if (PageRecord* p = page(index)) {
    p->content = std::move(text);
    p->text_in_editor = false;
  }
}

void set_page_text_in_editor(int index, bool in_editor) {
  if (PageRecord* p = page(index)) p->text_in_editor = in_editor;
}

int editor_page_id() { return g_editor_page_id; }

void set_editor_page_id(int id) { g_editor_page_id = id; }

bool tab0_placeholder() { return g_tab0_placeholder != 0; }

void set_tab0_placeholder(bool on) { g_tab0_placeholder = on ? 1 : 0; }

int new_page_counter() { return g_new_page_counter; }

int count_new_page() { return ++g_new_page_counter; }

void take_back_page_number() { --g_new_page_counter; }

void restart_page_numbers() { g_new_page_counter = 1; }

const std::string& open_paths() { return g_open_paths; }

int update_open_path_list(const std::string& path, bool query, bool replace, int index, const std::string& new_text) {
  if (query) return open_path_index(g_open_paths, path) >= 0 ? 1 : 0;
  if (!replace) {
    append_open_path_entry(g_open_paths, path);
    return 1;
  }
  replace_open_path_entry(g_open_paths, index, new_text);
  return 1;
}

void restart_open_paths() { g_open_paths = " |"; }

void rebuild_open_paths() {
  g_open_paths.clear();
  for (const PageRecord& p : g_pages) append_open_path_entry(g_open_paths, p.path.empty() ? " " : p.path);
}

void clear_open_paths() { g_open_paths.clear(); }

const std::vector<std::string>& open_queue() { return g_open_queue; }

void set_open_queue(std::vector<std::string> paths) { g_open_queue = std::move(paths); }

void queue_file(std::string path) { g_open_queue.push_back(std::move(path)); }

void queue_files(const std::vector<std::string>& paths) {
  g_open_queue.insert(g_open_queue.end(), paths.begin(), paths.end());
}

void clear_open_queue() { g_open_queue.clear(); }
