#include "runtime/popup_menu.h"

#include <windows.h>

#include <algorithm>

#include "runtime/hooks.h"
#include "runtime/internal.h"
#include "runtime/seams.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {

// ---- items ----

MenuItem::MenuItem(std::string caption, int image, std::function<void()> on_click)
    : caption(std::move(caption)), image(image), on_click(std::move(on_click)) {}

MenuItem::MenuItem(std::string caption, int image, std::initializer_list<MenuItem> items)
    : caption(std::move(caption)), image(image), items_(items) {}

MenuItem MenuItem::separator() {
  MenuItem m;
  m.separator_ = true;
  return m;
}

MenuItem& MenuItem::add(std::string caption, int image, std::function<void()> on_click) {
  return items_.emplace_back(std::move(caption), image, std::move(on_click));
}

MenuItem& MenuItem::add(MenuItem item) { return items_.emplace_back(std::move(item)); }

MenuItem& MenuItem::add_separator() { return items_.emplace_back(separator()); }

MenuItem* MenuItem::find(std::string_view text) {
  for (MenuItem& it : items_) {
    if (!it.separator_ && it.caption == text) return &it;
    if (MenuItem* below = it.find(text)) return below;
  }
  return nullptr;
}

void MenuItem::find_all(std::string_view text, std::vector<MenuItem*>& found) {
  for (MenuItem& it : items_) {
    if (!it.separator_ && it.caption == text) found.push_back(&it);
    it.find_all(text, found);
  }
}

// ---- drawing ----

namespace {

HWND hw(void* h) { return static_cast<HWND>(h); }
HMENU hm(void* h) { return static_cast<HMENU>(h); }

// Windows RGB values: the light body, the image column in the frame's blue-grey, the
// highlight in the skin's body colour framed by its border colour.
constexpr COLORREF kBack = RGB(251, 249, 245);
constexpr COLORREF kColumn = RGB(217, 228, 238);
constexpr COLORREF kHighlight = RGB(179, 226, 244);
constexpr COLORREF kHighlightBorder = RGB(69, 123, 157);
constexpr COLORREF kText = RGB(30, 30, 30);
constexpr COLORREF kGrayText = RGB(160, 160, 160);
constexpr COLORREF kSeparator = RGB(190, 205, 220);
constexpr int kColumnWidth = 26, kTextLeft = 32, kItemHeight = 22, kSeparatorHeight = 7;
constexpr int kImageSize = 16, kShortcutGap = 24, kRightPad = 22;

// "新建文件(&N)    Ctrl+N": the label and the shortcut written after a run of blanks.
void split_caption(const std::string& caption, std::wstring& label, std::wstring& shortcut) {
  std::wstring w = to_wide(caption);
  size_t gap = w.find(L"  ");
  if (gap == std::wstring::npos) {
    label = w;
    shortcut.clear();
    return;
  }
  label = w.substr(0, gap);
  size_t start = w.find_first_not_of(L' ', gap);
  shortcut = start == std::wstring::npos ? std::wstring() : w.substr(start);
}

// The letter after "&" (upper-cased), 0 without one.
wchar_t key_letter(const std::string& caption) {
  std::wstring w = to_wide(caption);
  for (size_t i = 0; i + 1 < w.size(); ++i) {
    if (w[i] != L'&') continue;
    if (w[i + 1] == L'&') {
      ++i;
      continue;
    }
    return static_cast<wchar_t>(towupper(w[i + 1]));
  }
  return 0;
}

SIZE text_size(HDC dc, const std::wstring& text) {
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

const Picture& PopupMenu::image_on(int index, unsigned background, bool disabled) {
  static const Picture none;
  auto key = std::make_tuple(index, background, disabled);
  auto hit = blended_.find(key);
  if (hit != blended_.end()) return hit->second;
  const Picture* src = find_image(index);
  if (!src || src->empty()) return none;
  const Picture& p = *src;
  std::vector<uint32_t> px = p.pixels();
  int br = GetRValue(background), bg = GetGValue(background), bb = GetBValue(background);
  for (uint32_t& c : px) {
    int a = c >> 24, r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    if (disabled) {
      // Grey and faint: the item cannot be chosen.
      int y = (r * 30 + g * 59 + b * 11) / 100;
      r = g = b = y;
      a /= 2;
    }
    auto over = [a](int fg, int back) { return (fg * a + back * (255 - a)) / 255; };
    c = 0xFF000000u | static_cast<uint32_t>(over(r, br) << 16) | static_cast<uint32_t>(over(g, bg) << 8) |
        static_cast<uint32_t>(over(b, bb));
  }
  return blended_[key] = Picture::from_pixels(p.width(), p.height(), px);
}

// ---- the unit ----

PopupMenu::~PopupMenu() {
  // A window that is gone took its hooks with it (and at the program's end the hook records
  // may be gone too).
  if (hook_id_ && owner_ && owner_->handle() && owner_->handle() == owner_handle_) remove_hook(owner_handle_, hook_id_);
}

void PopupMenu::create(Window& owner) {
  if (hook_id_ && owner_handle_) remove_hook(owner_handle_, hook_id_);
  owner_ = &owner;
  owner_handle_ = owner.handle();
  menus_.clear();
  open_menu_ = nullptr;
  hook_id_ = add_hook(owner_handle_, [this](Message& m) -> intptr_t {
    bool handled = false;
    intptr_t r = handle_owner_message(m.msg, m.wparam, m.lparam, handled);
    return handled ? r : m.next();
  });
}

MenuItem& PopupMenu::add_menu(std::string caption) { return menus_.emplace_back(std::move(caption)); }
MenuItem& PopupMenu::add_menu(MenuItem menu) { return menus_.emplace_back(std::move(menu)); }

MenuItem* PopupMenu::menu(std::string_view caption) {
  for (MenuItem& m : menus_)
    if (m.caption == caption) return &m;
  return nullptr;
}

MenuItem* PopupMenu::find(std::string_view caption) {
  for (MenuItem& m : menus_)
    if (MenuItem* it = m.find(caption)) return it;
  return nullptr;
}

std::vector<MenuItem*> PopupMenu::find_all(std::string_view caption) {
  std::vector<MenuItem*> found;
  for (MenuItem& m : menus_) m.find_all(caption, found);
  return found;
}

void PopupMenu::set_image(int index, const Picture& picture) {
  images_[index] = picture;
  unmade_.erase(index);
  std::erase_if(blended_, [index](const auto& kv) { return std::get<0>(kv.first) == index; });
}

void PopupMenu::set_image_source(const std::vector<int>& indexes, std::function<Picture(int)> make) {
  make_image_ = std::move(make);
  for (int index : indexes) {
    images_.erase(index);
    unmade_.insert(index);
    std::erase_if(blended_, [index](const auto& kv) { return std::get<0>(kv.first) == index; });
  }
}

const Picture* PopupMenu::find_image(int index) const {
  if (unmade_.erase(index) && make_image_) images_[index] = make_image_(index);
  auto it = images_.find(index);
  return it == images_.end() ? nullptr : &it->second;
}

Picture PopupMenu::image(int index) const {
  const Picture* p = find_image(index);
  return p ? *p : Picture();
}

void* PopupMenu::build(MenuItem& menu, std::vector<MenuItem*>& commands) {
  HMENU h = CreatePopupMenu();
  natives_.push_back(h);
  for (MenuItem& it : menu.items()) {
    if (it.hidden) continue;
    shown_.push_back(&it);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
    mii.fType = MFT_OWNERDRAW | (it.is_separator() ? MFT_SEPARATOR : 0);
    mii.fState = it.disabled ? MFS_GRAYED : MFS_ENABLED;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(&it);
    if (it.has_submenu()) {
      mii.fMask |= MIIM_SUBMENU;
      mii.hSubMenu = hm(build(it, commands));
    } else if (!it.is_separator()) {
      commands.push_back(&it);
      mii.fMask |= MIIM_ID;
      mii.wID = static_cast<UINT>(commands.size());
    }
    InsertMenuItemW(h, static_cast<UINT>(GetMenuItemCount(h)), TRUE, &mii);
  }
  static HBRUSH back = CreateSolidBrush(kBack);
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  info.hbrBack = back;
  SetMenuInfo(h, &info);
  return h;
}

MenuItem* PopupMenu::shown_item(uintptr_t data) const {
  auto* p = reinterpret_cast<MenuItem*>(data);
  return std::find(shown_.begin(), shown_.end(), p) != shown_.end() ? p : nullptr;
}

bool PopupMenu::is_shown_menu(void* native) const {
  return native && std::find(natives_.begin(), natives_.end(), native) != natives_.end();
}

MenuItem* PopupMenu::popup(MenuItem& menu, int screen_x, int screen_y) {
  if (!owner_ || !owner_->handle() || open_menu_) return nullptr;
  HWND owner = hw(owner_->handle());
  std::vector<MenuItem*> commands;
  shown_.clear();
  natives_.clear();
  native_ = build(menu, commands);
  open_menu_ = &menu;
  hook_ran_ = false;
  // A key that opened the menu has left its character in the queue: the menu would take it for
  // a key letter.
  MSG pending;
  while (PeekMessageW(&pending, nullptr, WM_CHAR, WM_DEADCHAR, PM_REMOVE)) {
  }
  while (PeekMessageW(&pending, nullptr, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
  }
  // A menu whose owner is not in front would not close on a click elsewhere.
  if (GetForegroundWindow() != owner) SetForegroundWindow(owner);
  // A tip that shows (the pointer resting on the button whose key opened the menu) would lie over
  // the menu: the window's tips wait until it closes.
  HWND top = GetAncestor(owner, GA_ROOT);
  detail::hold_tooltips(top, true);
  int chosen_id = TrackPopupMenuEx(hm(native_), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, screen_x,
                                   screen_y, owner, nullptr);
  detail::hold_tooltips(top, false);
  DestroyMenu(hm(native_));
  native_ = nullptr;
  natives_.clear();
  shown_.clear();
  open_menu_ = nullptr;
  MenuItem* chosen = chosen_id > 0 && chosen_id <= static_cast<int>(commands.size())
                         ? commands[static_cast<size_t>(chosen_id - 1)]
                         : nullptr;
  if (on_closed) on_closed();
  if (chosen && !chosen->disabled && chosen->on_click) {
    // A copy: the handler may rebuild the menu it came from.
    std::function<void()> run = chosen->on_click;
    run();
  }
  return chosen;
}

void PopupMenu::close() {
  if (open_menu_) EndMenu();
}

void* PopupMenu::shown_submenu(std::string_view caption) const {
  for (void* native : natives_) {
    HMENU h = hm(native);
    int n = GetMenuItemCount(h);
    for (int i = 0; i < n; ++i) {
      MENUITEMINFOW mii{};
      mii.cbSize = sizeof mii;
      mii.fMask = MIIM_DATA | MIIM_SUBMENU;
      if (!GetMenuItemInfoW(h, static_cast<UINT>(i), TRUE, &mii) || !mii.hSubMenu) continue;
      MenuItem* it = shown_item(mii.dwItemData);
      if (it && it->caption == caption) return mii.hSubMenu;
    }
  }
  return nullptr;
}

std::vector<PopupMenu::ShownItem> PopupMenu::shown_items(std::string_view submenu_caption) const {
  std::vector<ShownItem> out;
  HMENU h = hm(submenu_caption.empty() ? native_ : shown_submenu(submenu_caption));
  if (!h) return out;
  int n = GetMenuItemCount(h);
  for (int i = 0; i < n; ++i) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(h, static_cast<UINT>(i), TRUE, &mii)) continue;
    ShownItem s;
    if (MenuItem* it = shown_item(mii.dwItemData)) {
      s.caption = it->caption;
      s.image = it->image;
    }
    s.separator = (mii.fType & MFT_SEPARATOR) != 0;
    s.disabled = (mii.fState & MFS_GRAYED) != 0;
    s.submenu = mii.hSubMenu != nullptr;
    out.push_back(std::move(s));
  }
  return out;
}

void PopupMenu::press_key(int virtual_key) {
  if (!owner_ || !owner_->handle()) return;
  HWND owner = hw(owner_->handle());
  PostMessageW(owner, WM_KEYDOWN, static_cast<WPARAM>(virtual_key), 1);
  PostMessageW(owner, WM_KEYUP, static_cast<WPARAM>(virtual_key), static_cast<LPARAM>(0xC0000001));
}

bool PopupMenu::choose(std::string_view caption) {
  if (!native_) return false;
  // The path of positions from the popped-up menu down to the item.
  std::vector<int> path;
  std::function<bool(HMENU)> walk = [&](HMENU h) {
    int n = GetMenuItemCount(h);
    for (int i = 0; i < n; ++i) {
      MENUITEMINFOW mii{};
      mii.cbSize = sizeof mii;
      mii.fMask = MIIM_DATA | MIIM_SUBMENU | MIIM_FTYPE;
      if (!GetMenuItemInfoW(h, static_cast<UINT>(i), TRUE, &mii) || (mii.fType & MFT_SEPARATOR)) continue;
      path.push_back(i);
      MenuItem* it = shown_item(mii.dwItemData);
      if (it && it->caption == caption) return true;
      if (mii.hSubMenu && walk(mii.hSubMenu)) return true;
      path.pop_back();
    }
    return false;
  };
  if (!walk(hm(native_))) return false;
  HMENU h = hm(native_);
  for (size_t level = 0; level < path.size(); ++level) {
    press_key(VK_HOME);
    for (int i = 0; i < path[level]; ++i) {
      MENUITEMINFOW mii{};
      mii.cbSize = sizeof mii;
      mii.fMask = MIIM_FTYPE;
      GetMenuItemInfoW(h, static_cast<UINT>(i), TRUE, &mii);
      if (!(mii.fType & MFT_SEPARATOR)) press_key(VK_DOWN);
    }
    if (level + 1 < path.size()) {
      press_key(VK_RIGHT);
      h = GetSubMenu(h, path[level]);
    } else {
      press_key(VK_RETURN);
    }
  }
  return true;
}

intptr_t PopupMenu::handle_owner_message(unsigned msg, uintptr_t wparam, intptr_t lparam, bool& handled) {
  handled = false;
  if (!open_menu_) return 0;
  switch (msg) {
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      MenuItem* it = mi->CtlType == ODT_MENU ? shown_item(mi->itemData) : nullptr;
      if (!it) return 0;
      handled = true;
      if (it->is_separator()) {
        mi->itemWidth = kColumnWidth;
        mi->itemHeight = kSeparatorHeight;
        return TRUE;
      }
      std::wstring label, shortcut;
      split_caption(it->caption, label, shortcut);
      HDC dc = GetDC(hw(owner_->handle()));
      HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(owner_->default_font()));
      int width = kTextLeft + text_size(dc, label).cx + kRightPad;
      if (!shortcut.empty()) width += kShortcutGap + text_size(dc, shortcut).cx;
      SelectObject(dc, old);
      ReleaseDC(hw(owner_->handle()), dc);
      mi->itemWidth = static_cast<UINT>(width);
      mi->itemHeight = kItemHeight;
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      MenuItem* it = di->CtlType == ODT_MENU ? shown_item(di->itemData) : nullptr;
      if (!it) return 0;
      handled = true;
      HDC dc = di->hDC;
      RECT r = di->rcItem;
      bool selected = (di->itemState & ODS_SELECTED) != 0;
      bool grayed = (di->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
      auto fill = [dc](RECT box, COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc, &box, b);
        DeleteObject(b);
      };
      fill(RECT{r.left, r.top, r.left + kColumnWidth, r.bottom}, kColumn);
      fill(RECT{r.left + kColumnWidth, r.top, r.right, r.bottom}, kBack);
      if (it->is_separator()) {
        int y = (r.top + r.bottom) / 2;
        fill(RECT{r.left + kTextLeft - 2, y, r.right - 4, y + 1}, kSeparator);
        return TRUE;
      }
      COLORREF image_back = kColumn;
      if (selected) {
        RECT box{r.left + 2, r.top + 1, r.right - 2, r.bottom - 1};
        if (!grayed) {
          fill(box, kHighlight);
          image_back = kHighlight;
        }
        HBRUSH frame = CreateSolidBrush(grayed ? kSeparator : kHighlightBorder);
        FrameRect(dc, &box, frame);
        DeleteObject(frame);
      }
      if (it->image >= 0) {
        const Picture& p = image_on(it->image, image_back, grayed);
        if (!p.empty()) {
          int size = std::min(kImageSize, p.width());
          p.draw(dc, r.left + (kColumnWidth - size) / 2, r.top + (r.bottom - r.top - size) / 2, size, size);
        }
      }
      std::wstring label, shortcut;
      split_caption(it->caption, label, shortcut);
      HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(owner_->default_font()));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, grayed ? kGrayText : kText);
      UINT prefix = (di->itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
      RECT text{r.left + kTextLeft, r.top, r.right - kRightPad, r.bottom};
      DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &text, DT_SINGLELINE | DT_VCENTER | prefix);
      if (!shortcut.empty())
        DrawTextW(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
      SelectObject(dc, old);
      return TRUE;
    }
    case WM_MENUSELECT: {
      UINT flags = HIWORD(wparam);
      HMENU h = reinterpret_cast<HMENU>(lparam);
      if (flags == 0xFFFF || !is_shown_menu(h)) return 0;
      MENUITEMINFOW mii{};
      mii.cbSize = sizeof mii;
      mii.fMask = MIIM_DATA;
      if (!GetMenuItemInfoW(h, LOWORD(wparam), (flags & MF_POPUP) ? TRUE : FALSE, &mii)) return 0;
      MenuItem* it = shown_item(mii.dwItemData);
      if (it && !it->is_separator() && on_highlighted) on_highlighted(*it);
      return 0;
    }
    case WM_MENUCHAR: {
      // Owner-drawn items have no text the system could take the key letter from.
      HMENU h = reinterpret_cast<HMENU>(lparam);
      if (!is_shown_menu(h)) return 0;
      handled = true;
      wchar_t key = static_cast<wchar_t>(towupper(static_cast<wchar_t>(LOWORD(wparam))));
      std::vector<int> matches;
      int highlighted = -1;
      int n = GetMenuItemCount(h);
      for (int i = 0; i < n; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_DATA | MIIM_STATE;
        if (!GetMenuItemInfoW(h, static_cast<UINT>(i), TRUE, &mii)) continue;
        MenuItem* it = shown_item(mii.dwItemData);
        if (!it || it->is_separator()) continue;
        if (mii.fState & MFS_HILITE) highlighted = i;
        if (key_letter(it->caption) == key) matches.push_back(i);
      }
      if (matches.empty()) return MAKELRESULT(0, MNC_IGNORE);
      if (matches.size() == 1) return MAKELRESULT(matches[0], MNC_EXECUTE);
      // Several items share the letter: each press moves to the next of them.
      auto next = std::upper_bound(matches.begin(), matches.end(), highlighted);
      return MAKELRESULT(next == matches.end() ? matches[0] : *next, MNC_SELECT);
    }
    case WM_ENTERIDLE:
      if (wparam == MSGF_MENU && !hook_ran_) {
        hook_ran_ = true;
        seams::run_menu_hook(*this);
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace rt
