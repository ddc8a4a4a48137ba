#pragma once
// Tab control unit, our own class "VelmoraPageControl" with two scroll arrows, child windows of
// class "VelmoraTabArrow" titled "<" and ">" (other instances of the program look for them).
// Writing the current index raises about-to-change and changed once, and only when the index
// really changes; inserting and deleting tabs raise nothing and always leave a defined current tab.
#include <string>
#include <vector>

#include "runtime/tip_markup.h"
#include "runtime/unit.h"

namespace rt {

class TabControl : public Unit {
 public:
  void create(Window& parent, Rect r);

  int count() const { return exists() ? static_cast<int>(tabs_.size()) : 0; }
  // Appends a tab (or inserts it before index at); returns its index, -1 on failure.
  int insert(std::string_view caption, int at = -1);
  // Deletes a tab. When it was current, the tab that takes its place (or the new last one)
  // becomes current, the nearest enabled one when that is disabled.
  bool remove(int index);
  void clear();

  std::string caption(int index) const;
  void set_caption(int index, std::string_view text);
  std::string tooltip(int index) const;
  void set_tooltip(int index, std::string_view text);
  bool tab_disabled(int index) const;
  // Refuses to disable the last enabled tab; disabling the current tab selects the first enabled.
  bool set_tab_disabled(int index, bool disabled);

  int current() const { return exists() ? current_ : -1; }
  void set_current(int index);

  // Screen-independent rectangle of a tab in the control's client area.
  Rect tab_rect(int index) const;
  int tab_at(int x, int y) const;
  // Scrolls the strip by whole tabs (negative: towards the first).
  void scroll(int tabs);
  int first_visible() const { return first_visible_; }
  void redraw();

  // Leaves room on each tab for the close button the page window places over it.
  void set_close_button_space(bool on);
  // Keeps the strip's right end free for units that lie over it (the window's own scroll
  // buttons): tabs there are hidden under them, so the current tab is kept left of them.
  void set_end_margin(int pixels);
  // The width the tabs may take, from the strip's left end.
  int strip_room() const { return strip_width(); }
  // The strip's colours: background of other tabs, of the current tab, and of the strip;
  // text of other tabs, of the tab under the mouse, and of the current tab.
  void set_colors(unsigned tab_back, unsigned current_back, unsigned strip_back, unsigned text, unsigned hot_text,
                  unsigned current_text);

  std::function<void()> on_changing;  // the old tab is still current
  std::function<void()> on_changed;
  // The right button released over a tab: that tab's index and the mouse's screen position.
  std::function<void(int index, int screen_x, int screen_y)> on_tab_right_click;
  // A left double click anywhere on the strip, with the modifier keys held (kCtrl, kShift).
  std::function<void(int modifiers)> on_strip_double_click;

 protected:
  std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 private:
  struct Tab {
    std::string caption, tooltip;
    bool disabled = false;
  };
  class Arrow : public Unit {
   public:
    void create(TabControl& owner, Rect r, bool right);

   protected:
    std::optional<intptr_t> handle_message(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

   private:
    TabControl* owner_ = nullptr;
    bool right_ = false;
  };

  void layout();
  int measure(int index) const;
  void measure_all();
  std::wstring tip_text_;
  // The runs of the tip of the tab under the mouse, as its tip draws them.
  TipMarkup tip_markup_;
  void paint(void* dc);
  void ensure_visible(int index);
  int strip_width() const;
  bool overflow() const;

  std::vector<Tab> tabs_;
  std::vector<int> widths_;
  int current_ = -1;
  int first_visible_ = 0;
  int hot_ = -1;
  bool close_space_ = false;
  int end_margin_ = 0;
  unsigned tab_back_ = 0xE8E8E8, current_back_ = 0xFFFFFF, strip_back_ = 0xD8D8D8;
  unsigned text_ = 0x404040, hot_text_ = 0x000000, current_text_ = 0x000000;
  Arrow left_arrow_, right_arrow_;
  void* tooltip_ = nullptr;  // made when the mouse first comes over the strip
  void make_tooltip();
};

}  // namespace rt
