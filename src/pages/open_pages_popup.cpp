#include "pages/open_pages_popup.h"

#include "common/popup_art.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "forms/main_window_form.h"
#include "forms/open_pages_popup_form.h"
#include "pages/page_model.h"
#include "runtime/app.h"

namespace {

// Set while the popup fades out, so that the activation the fade moves closes it only once.
bool g_popup_closing = false;

// Entry k stands for page k + offset.
int entry_offset() { return tab0_placeholder() ? 1 : 0; }

}  // namespace

void open_open_pages_popup() {
  OpenPagesPopupForm& popup = open_pages_popup();
  // A popup still open (its close waits for the activation to move on) gives way to a new one.
  if (popup.loaded()) popup.destroy();
  popup.load(&main_window());
}

void on_open_pages_popup_created() {
  OpenPagesPopupForm& popup = open_pages_popup();
  MainWindowForm& main = main_window();
  g_popup_closing = false;
  popup.set_alpha(0);
  // The list fills once the worker hands the work back; a popup closed meanwhile gets nothing.
  rt::WindowHandle made = popup.handle();
  rt::start_thread([made] {
    rt::post([made] {
      if (open_pages_popup().handle() == made) fill_open_pages_popup();
    });
  });
  const int caption_strip = main.图形按钮_迷你模式.height();
  const int height = main.height() - caption_strip - main.透明标签_文件路径.height() - 1;
  popup.move(main.left() + main.width() - popup.width(), main.top() + caption_strip + 1, popup.width(), height);
  popup.set_mouse_pointer(program_pointer_cursor().handle());
  popup.列表框_打开文件列表.set_mouse_pointer(program_pointer_cursor().handle());
}

void on_open_pages_popup_first_activation() {
  // Faded in where it was placed, once the activation is over.
  rt::WindowHandle shown = open_pages_popup().handle();
  rt::post([shown] {
    OpenPagesPopupForm& popup = open_pages_popup();
    if (popup.handle() == shown && !g_popup_closing) show_window_faded(popup, true, true);
  });
}

void on_open_pages_popup_resized() {
  OpenPagesPopupForm& popup = open_pages_popup();
  popup.列表框_打开文件列表.set_height(popup.height() - 5);
  apply_child_window_skin(popup, 4, popup.frame_labels(), open_pages_popup_frame_pictures());
}

void close_open_pages_popup() {
  rt::WindowHandle left = open_pages_popup().handle();
  rt::post([left] {
    OpenPagesPopupForm& popup = open_pages_popup();
    if (popup.handle() == left && !g_popup_closing) popup.close();
  });
}

void fade_out_open_pages_popup() {
  OpenPagesPopupForm& popup = open_pages_popup();
  if (!popup.loaded() || g_popup_closing) return;
  g_popup_closing = true;
  show_window_faded(popup, false);
}

void switch_to_popup_page() {
  int entry = open_pages_popup().列表框_打开文件列表.current();
  if (entry < 0) return;
  int page = entry + entry_offset();
  rt::TabControl& tabs = main_window().高级选择夹_标签;
  if (page < tabs.count() && page_exists(page)) tabs.set_current(page);
}

void fill_open_pages_popup() {
  OpenPagesPopupForm& popup = open_pages_popup();
  if (!popup.loaded()) return;
  rt::ListBox& list = popup.列表框_打开文件列表;
  rt::TabControl& tabs = main_window().高级选择夹_标签;
  const int offset = entry_offset();
  list.clear();
  std::vector<std::string> entries;
  // One entry per page, an empty caption included: entry k must stand for page k + offset.
  for (int i = offset; i < tabs.count() && page_exists(i); ++i)
    entries.push_back((pages()[static_cast<size_t>(i)].modified ? "*" : "") + tabs.caption(i) + "...");
  list.add_items(entries);
  list.set_current(tabs.current() - offset);
}

void bind_open_pages_popup(OpenPagesPopupForm& f) {
  f.on_created = on_open_pages_popup_created;
  f.on_first_activation = on_open_pages_popup_first_activation;
  f.on_resized = on_open_pages_popup_resized;
  f.on_deactivated = close_open_pages_popup;
  f.on_may_close = [] {
    fade_out_open_pages_popup();
    return true;
  };
  f.列表框_打开文件列表.on_double_click = [](int, int, int) {
    switch_to_popup_page();
    return true;
  };
}
