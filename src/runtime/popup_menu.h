#pragma once
// The popup-menu unit: owner-drawn popup menus with images. A form keeps its menus as trees of
// items (members or data); every popup builds the system menu anew from the tree, so an item's
// caption, image, disabled and hidden state are simply what the tree holds at that moment.
#include <functional>
#include <list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "runtime/picture.h"

namespace rt {

class Window;

// One item of a menu: a command, a separator, or a submenu (an item that has items).
class MenuItem {
 public:
  MenuItem() = default;
  MenuItem(std::string caption, int image = -1, std::function<void()> on_click = {});
  // A submenu written as data.
  MenuItem(std::string caption, int image, std::initializer_list<MenuItem> items);
  static MenuItem separator();

  std::string caption;  // GBK; "&" marks the key letter
  int image = -1;       // index into the menu unit's images; -1 for none
  bool disabled = false;
  bool hidden = false;  // not in the menu at all
  int command = 0;      // the program's id of what the item does, 0 for none
  std::function<void()> on_click;

  bool is_separator() const { return separator_; }
  bool has_submenu() const { return !items_.empty(); }
  // The items of a submenu, in order; references stay valid while items are added.
  std::list<MenuItem>& items() { return items_; }
  const std::list<MenuItem>& items() const { return items_; }
  MenuItem& add(std::string caption, int image = -1, std::function<void()> on_click = {});
  MenuItem& add(MenuItem item);
  MenuItem& add_separator();
  void clear() { items_.clear(); }
  // The first item below this one (depth first) with exactly this caption, or null.
  MenuItem* find(std::string_view caption);
  // Every item below this one with exactly this caption, depth first, appended to found.
  void find_all(std::string_view caption, std::vector<MenuItem*>& found);

 private:
  bool separator_ = false;
  std::list<MenuItem> items_;
};

class PopupMenu {
 public:
  PopupMenu() = default;
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  // Attaches the unit to its owner window (drawing, highlight and key letters go through the
  // owner's message hooks). Starts without menus; the images stay.
  void create(Window& owner);
  Window* owner() const { return owner_; }

  // The unit's menus, by their captions (such as "文件(&F)"); references stay valid.
  MenuItem& add_menu(std::string caption);
  MenuItem& add_menu(MenuItem menu);
  MenuItem* menu(std::string_view caption);
  std::list<MenuItem>& menus() { return menus_; }
  // An item of any of the unit's menus by its caption, or null.
  MenuItem* find(std::string_view caption);
  // Every item of the unit's menus with this caption (menus may share an item's caption).
  std::vector<MenuItem*> find_all(std::string_view caption);

  // The image list: index -> picture (16 x 16 reads best). Alpha 0 pixels show the menu.
  void set_image(int index, const Picture& picture);
  // Images made when first needed (a menu that shows one, image, image_on) rather than now: the
  // picture of each of these indexes comes from make. A picture set for an index replaces it.
  void set_image_source(const std::vector<int>& indexes, std::function<Picture(int)> make);
  Picture image(int index) const;
  // The picture laid over a background colour (Windows RGB), faded grey when disabled: as the
  // menus draw it, and as windows that show a menu image as their icon want it.
  const Picture& image_on(int index, unsigned background, bool disabled = false);

  // Shows the menu with its top-left corner at the screen point and returns when it closes:
  // first on_closed is raised, then the chosen item's on_click runs. Returns the chosen item
  // (null when the menu was dismissed or could not open). The owner's timers keep running
  // while the menu is open. Does nothing while another menu of the unit is open.
  MenuItem* popup(MenuItem& menu, int screen_x, int screen_y);
  bool is_open() const { return open_menu_ != nullptr; }
  // The menu open now (null when none).
  MenuItem* open_menu() const { return open_menu_; }
  // Ends the open menu without a choice, as Esc or a click elsewhere would.
  void close();

  // The mouse or the keyboard highlighted an item (submenus included).
  std::function<void(MenuItem& item)> on_highlighted;
  // A menu of the unit closed, whether an item was chosen or not.
  std::function<void()> on_closed;

  // What the open menu shows, read back from the system's menu: the items of the popped-up
  // menu, or of its submenu with the given caption. For tests and readers of the screen.
  struct ShownItem {
    std::string caption;
    int image = -1;
    bool disabled = false, separator = false, submenu = false;
  };
  std::vector<ShownItem> shown_items(std::string_view submenu_caption = {}) const;
  // Keyboard input to the open menu, as the user's keys (queued; the menu takes them once the
  // current message is handled).
  void press_key(int virtual_key);
  // Walks to the shown item with this caption (in a submenu too) with the arrow keys and
  // presses Enter. False when the open menu shows no such item.
  bool choose(std::string_view caption);

  // Runtime side.
  intptr_t handle_owner_message(unsigned msg, uintptr_t wparam, intptr_t lparam, bool& handled);

 private:
  void* build(MenuItem& menu, std::vector<MenuItem*>& commands);
  MenuItem* shown_item(uintptr_t data) const;
  bool is_shown_menu(void* native) const;
  void* shown_submenu(std::string_view caption) const;

  Window* owner_ = nullptr;
  void* owner_handle_ = nullptr;
  int hook_id_ = 0;
  std::list<MenuItem> menus_;
  // The images set or made so far, and the indexes whose image is still to come from the source.
  const Picture* find_image(int index) const;
  mutable std::map<int, Picture> images_;
  mutable std::set<int> unmade_;
  std::function<Picture(int)> make_image_;
  std::map<std::tuple<int, unsigned, bool>, Picture> blended_;
  MenuItem* open_menu_ = nullptr;
  bool hook_ran_ = false;
  void* native_ = nullptr;        // HMENU of the open menu
  std::vector<void*> natives_;    // it and its submenus
  std::vector<MenuItem*> shown_;  // the items they hold
};

}  // namespace rt
