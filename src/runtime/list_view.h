#pragma once
// List view unit in report form: a header of columns and rows of GBK texts, optionally with a
// check box in front of each row; several rows can be selected. Rows and cells are addressed by
// index from 0. The events are the user's only: inserting, deleting, selecting, checking or
// making a row current from code raises nothing.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/unit.h"

namespace rt {

class ListView : public Unit {
 public:
  void create(Window& parent, Rect r);

  // Appends a column; returns its index, -1 on failure.
  int add_column(std::string_view caption, int width);
  int column_count() const;
  std::string column_caption(int index) const;

  int row_count() const;
  // Inserts a row before `at` (-1 or past the end: appends) with the text of its first cell;
  // returns its index, -1 when the control refused it.
  int insert_row(std::string_view first_cell, int at = -1);
  // Appends a row with its cells from the first column on.
  int add_row(const std::vector<std::string>& cells);
  // Nothing for a row out of range.
  void remove_row(int row);
  void clear();
  // "" for a row or column out of range.
  std::string cell(int row, int column) const;
  void set_cell(int row, int column, std::string_view text);

  // The check boxes in front of the rows.
  bool check_boxes() const;
  void set_check_boxes(bool on);
  bool checked(int row) const;
  void set_checked(int row, bool on);

  // Selection: any number of rows.
  bool selected(int row) const;
  void set_selected(int row, bool on);
  void set_all_selected(bool on);
  // The selected rows in ascending order.
  std::vector<int> selected_rows() const;
  int selected_count() const;
  // The lowest selected row, -1 when none.
  int first_selected() const;
  // The current row (the one with the focus mark), -1 when none.
  int current() const;
  // Makes the row current and the only selected one and scrolls it into view; -1 unselects all.
  void set_current(int row);
  // Scrolls the row into view; the selection stays as it is.
  void ensure_visible(int row);

  // Where a row lies in the control's client area (empty for a row out of range), and the row
  // at a client point (-1 for none).
  Rect row_rect(int row) const;
  int row_at(int x, int y) const;

  void set_text_color(unsigned rgb);
  void set_back_color(unsigned rgb);

  // The user's actions. The row is -1 when the click was not on a row.
  std::function<void(int row)> on_item_clicked;
  std::function<void(int row)> on_item_double_clicked;
  // The right button released: the row and the mouse's screen position.
  std::function<void(int row, int screen_x, int screen_y)> on_item_right_clicked;
  // Another row became current (by click or key).
  std::function<void(int row)> on_current_changed;
  // A row's check box was switched.
  std::function<void(int row, bool checked)> on_check_changed;

  std::optional<intptr_t> handle_notification(unsigned msg, uintptr_t wparam, intptr_t lparam) override;

 protected:
  bool tab_stop_by_kind() const override { return true; }

 private:
  // While code writes, the control's change notifications are not the user's.
  int writing_ = 0;
};

}  // namespace rt
