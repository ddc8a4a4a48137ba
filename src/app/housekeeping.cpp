#include "app/housekeeping.h"

#include "app/commands.h"
#include <array>
#include <initializer_list>
#include <map>

#include "app/menu_bar.h"
#include "common/frame_art.h"
#include "common/icon_file.h"
#include "common/menu_art.h"
#include "common/skin_art.h"
#include "forms/main_window_form.h"
#include "runtime/clock.h"
#include "runtime/system.h"

namespace {

constexpr int kClockInterval = 1000, kTrimInterval = 200;

// Left to right, as they lie in the caption; the units whose names end in 个位 show the left
// digit of their number.
std::array<rt::GraphicButton*, 8> clock_units() {
  MainWindowForm& w = main_window();
  return {&w.图形按钮_时_个位, &w.图形按钮_时_十位,     &w.图形按钮_时到分_分隔, &w.图形按钮_分_个位,
          &w.图形按钮_分_十位, &w.图形按钮_分到秒_分隔, &w.图形按钮_秒_个位,     &w.图形按钮_秒_十位};
}

// The menu item of the trimming, whichever caption it shows now.
rt::MenuItem* trim_item() { return find_command_item(Command::MemoryTrim); }

}  // namespace

void update_clock_digits() { show_clock_time(clock_units(), clock_digit_strip()); }

void show_clock_time(const std::array<rt::GraphicButton*, 8>& units, const std::vector<rt::Picture>& digits) {
  // One reading: three readings could straddle a full hour and show 09:00:00 at 10:00:00.
  rt::DateTime t = rt::now();
  const int values[] = {t.hour, t.minute, t.second};
  for (size_t i = 0; i < 3; ++i) {
    const int v = values[i];
    units[3 * i]->set_normal_picture(digits[static_cast<size_t>(v < 10 ? 0 : (v / 10) % 10)]);
    units[3 * i + 1]->set_normal_picture(digits[static_cast<size_t>(v % 10)]);
  }
}

void show_main_clock(bool shown) {
  MainWindowForm& w = main_window();
  if (shown) {
    for (rt::GraphicButton* colon : {&w.图形按钮_时到分_分隔, &w.图形按钮_分到秒_分隔})
      colon->set_normal_picture(clock_separator_picture());
    update_clock_digits();
    w.时钟_显示时间.set_interval(kClockInterval);
  } else {
    w.时钟_显示时间.set_interval(0);
  }
  for (rt::GraphicButton* unit : clock_units()) unit->set_visible(shown);
}

int main_clock_width() {
  int width = 0;
  for (rt::GraphicButton* unit : clock_units()) width += unit->width();
  return width;
}

void place_main_clock() {
  MainWindowForm& w = main_window();
  int right = w.图形按钮_迷你模式.left() - kClockGap;
  int width = 0;
  for (rt::GraphicButton* unit : clock_units()) width += unit->width();
  int left = right - width;
  for (rt::GraphicButton* unit : clock_units()) {
    unit->set_left(left);
    left += unit->width();
  }
}

void trim_working_set() { rt::trim_working_set(); }

void toggle_memory_trim() {
  MainWindowForm& w = main_window();
  rt::MenuItem* item = trim_item();
  if (!item) return;
  if (item->caption == "取消优化(&N)") {
    item->image = kImageTrimOff;
    w.时钟_内存优化.set_interval(0);
    item->caption = "开启优化(&N)";
  } else {
    item->image = kImageTick;
    w.时钟_内存优化.set_interval(kTrimInterval);
    item->caption = "取消优化(&N)";
  }
}

rt::Cursor icon_from_bytes(std::string_view bytes) {
  std::optional<IconFileImage> image = choose_icon_image(bytes);
  if (!image) return {};
  return rt::Cursor::from_icon_image(bytes.substr(image->offset, image->size));
}

void set_class_cursor_from_bytes(rt::WindowHandle window, std::string_view bytes) {
  // The class keeps the cursor for as long as the program runs.
  static std::map<std::string, rt::Cursor> kept;
  rt::Cursor& cursor = kept[std::string(bytes)];
  if (cursor.empty()) cursor = icon_from_bytes(bytes);
  rt::set_class_cursor(window, cursor);
}

const std::string& text_cursor_file() {
  static const std::string file = [] {
    const CursorArt& a = text_cursor_art();
    return cursor_file_bytes(a.width, a.height, a.pixels, a.hot_x, a.hot_y);
  }();
  return file;
}

void apply_main_window_cursors() {
  MainWindowForm& w = main_window();
  rt::CursorHandle pointer = program_pointer_cursor().handle();
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{&w,
                                                      &w.标签_上中,
                                                      &w.标签_左中,
                                                      &w.标签_右中,
                                                      &w.标签_下中,
                                                      &w.图形按钮_最前,
                                                      &w.图形按钮_关闭,
                                                      &w.图形按钮_最小化,
                                                      &w.图形按钮_最大化,
                                                      &w.图形按钮_程序图标,
                                                      &w.图形按钮_迷你模式,
                                                      &w.图形按钮_文件_菜单,
                                                      &w.图形按钮_编辑_菜单,
                                                      &w.图形按钮_附加_菜单,
                                                      &w.图形按钮_设置_菜单,
                                                      &w.图形按钮_帮助_菜单,
                                                      &w.工具条_工具栏,
                                                      &w.高级选择夹_标签,
                                                      &w.透明标签_标签状态,
                                                      &w.透明标签_文件标题,
                                                      &w.透明标签_文件路径,
                                                      &w.标签_底,
                                                      &w.图形按钮_关闭本页,
                                                      &w.图形按钮_向左,
                                                      &w.图形按钮_向右})
    u->set_mouse_pointer(pointer);
  set_class_cursor_from_bytes(w.编辑框_文本类容.handle(), text_cursor_file());
}
