#include "pages/page_pickers.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "forms/main_window_form.h"
#include "pages/page_model.h"
#include "runtime/app.h"
#include "runtime/tooltip.h"

namespace {

std::vector<PagePicker*>& pickers() {
  static std::vector<PagePicker*> list;
  return list;
}

struct JoinedList {
  int order;
  bool (*loaded)();
  void (*start_refresh)();
};

std::vector<JoinedList>& joined_lists() {
  static std::vector<JoinedList> list;
  return list;
}

}  // namespace

int page_picker_offset() { return tab0_placeholder() ? 1 : 0; }

PagePicker::PagePicker(int order, rt::Window& window, rt::ComboBox& combo, rt::GraphicButton& close_button,
                       void (*thread_entry)(), void (*choice)())
    : order_(order),
      window_(window),
      combo_(combo),
      close_button_(close_button),
      thread_entry_(thread_entry),
      choice_(choice) {
  auto& list = pickers();
  list.insert(std::upper_bound(list.begin(), list.end(), this,
                               [](const PagePicker* a, const PagePicker* b) { return a->order_ < b->order_; }),
              this);
}

void PagePicker::set_busy_look() { close_button_.set_disabled(jobs_.busy()); }

void PagePicker::list_pages() {
  rt::TabControl& tabs = main_window().高级选择夹_标签;
  int offset = page_picker_offset();
  combo_.clear();
  // One entry per page, an empty name included: entry k must stand for page k + offset.
  for (int i = offset; i < tabs.count() && i < page_count(); ++i) combo_.add_item(page_name(i));
  combo_.set_current(tabs.current() - offset);
}

void PagePicker::fill() {
  rt::invoke([this] {
    if (!window_.loaded()) return;  // closed before its fill came
    const int generation = jobs_.begin();
    set_busy_look();
    list_pages();
    if (choice_) choice_();
    jobs_.end(generation);
    set_busy_look();
  });
}

void PagePicker::start_refresh() {
  if (!window_.loaded()) return;
  if (jobs_.busy()) {
    again_ = true;
    return;
  }
  const int generation = jobs_.begin();
  set_busy_look();
  launch(generation);
}

void PagePicker::launch(int generation) {
  void (*entry)() = thread_entry_;
  rt::start_thread(
      [this, entry, generation] {
        entry();
        rt::post([this, generation] { refresh_ended(generation); });
      },
      [this, generation] { refresh_ended(generation); });
}

void PagePicker::refresh_ended(int generation) {
  if (!jobs_.current(generation)) return;  // its window is gone
  if (again_ && window_.loaded()) {
    again_ = false;
    launch(generation);
    return;
  }
  again_ = false;
  jobs_.end(generation);
  set_busy_look();
}

void PagePicker::window_created() {
  jobs_.restart();
  again_ = false;
}

int PagePicker::selected_page() const {
  int entry = combo_.current();
  if (entry < 0) return -1;
  int page = entry + page_picker_offset();
  return page < page_count() ? page : -1;
}

void PagePicker::show_balloon(const std::string& text) { rt::set_tooltip(combo_, text); }

void PagePicker::add_entry(const std::string& name) {
  if (window_.loaded()) combo_.add_item(name);
}

void PagePicker::relist() {
  if (window_.loaded()) list_pages();
}

void PagePicker::rename_entry(int index) {
  if (window_.loaded() && page_exists(index)) combo_.set_item(index - page_picker_offset(), page_name(index));
}

void rename_page_in_pickers(int index) {
  for (PagePicker* p : pickers()) p->rename_entry(index);
}

void add_page_to_pickers(const std::string& name) {
  for (PagePicker* p : pickers()) p->add_entry(name);
}

void relist_page_pickers() {
  for (PagePicker* p : pickers()) p->relist();
}

void refresh_loaded_page_pickers() {
  struct Due {
    int order;
    std::function<void()> start;
  };
  std::vector<Due> due;
  for (PagePicker* p : pickers())
    if (p->loaded()) due.push_back({p->order(), [p] { p->start_refresh(); }});
  for (const JoinedList& j : joined_lists())
    if (j.loaded()) due.push_back({j.order, j.start_refresh});
  std::stable_sort(due.begin(), due.end(), [](const Due& a, const Due& b) { return a.order < b.order; });
  for (const Due& d : due) d.start();
}

void join_page_picker_refresh(int order, bool (*loaded)(), void (*start_refresh)()) {
  for (const JoinedList& j : joined_lists())
    if (j.start_refresh == start_refresh) return;
  joined_lists().push_back({order, loaded, start_refresh});
}
