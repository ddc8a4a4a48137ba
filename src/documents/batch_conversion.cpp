#include "documents/batch_conversion.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/control_routines.h"
#include "common/message_box.h"
#include "common/messages.h"
#include "common/skin_art.h"
#include "common/window_fade.h"
#include "documents/batch_files.h"
#include "forms/options_window_form.h"
#include "options/option_values.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"

namespace {

// 1 asks the conversion to stop before its next file.
int g_conversion_stop = 0;

OptionsWindowForm& ow() { return options_window(); }

struct ConversionRow {
  int index = 0;
  std::string name, source;
};

// The run's one message: what was not converted, or lost characters, and why. It comes once the
// run has ended, so the page is idle again while the user reads it.
void tell_conversion_outcome(const std::vector<ConversionNote>& notes, int kind) {
  std::string text = conversion_report_text(notes, kind);
  if (text.empty()) return;
  MessageBoxRequest r;
  r.owner = &ow();
  r.button_row_top = 140;  // the tallest box: room for the list
  r.icon = 48;
  r.title = "有文件没有完整转换！";
  r.title_color = 255;
  r.text = text;
  r.text_color = 16711935;
  r.box_cursor = program_pointer_cursor();
  r.fade = options().fade_enabled;
  show_message_box(r);
}

void end_encoding_conversion(int serial, const std::vector<ConversionNote>& notes = {}, int kind = 0) {
  run_for_batch_window(serial, [&] {
    ow().进度条_转换进度.set_position(0);
    batch_conversion_ended(serial);
    g_conversion_stop = 0;
    tell_conversion_outcome(notes, kind);
  });
}

// The rows from the last to the first, while no stop was asked. A row is not written (and stays
// in the list) when its file cannot be read or is no text of its encoding, when this run has
// already written its output path (two rows of one name), or when its output would replace the
// file of a row that comes later and has not been read yet. A conversion that loses characters
// is written only where it does not replace its own source: a source is only ever replaced by
// its whole converted form. Each of these files is noted for the closing message.
void encoding_conversion_worker(std::vector<ConversionRow> rows, std::string folder, int kind, int serial) {
  std::set<std::string> written;
  std::vector<std::optional<rt::FileIdentity>> sources;
  std::multiset<rt::FileIdentity> unread;
  std::vector<ConversionNote> notes;
  for (const ConversionRow& row : rows) {
    sources.push_back(rt::file_identity(row.source));
    if (sources.back()) unread.insert(*sources.back());
  }
  bool go_on = false;
  if (!run_for_batch_window(serial, [&] { go_on = g_conversion_stop == 0; })) return;
  for (size_t k = rows.size(); k-- > 0 && go_on;) {
    const ConversionRow& row = rows[k];
    if (sources[k]) unread.erase(unread.find(*sources[k]));
    std::string target = folder + row.name;
    std::string key = rt::to_upper_ascii(target);
    std::optional<rt::FileIdentity> replaced = rt::file_identity(target);
    ConversionNote note{.name = row.name};
    bool done = false, noted = true;
    std::optional<std::string> bytes;
    if (written.count(key)) {
      note.reason = ConversionNote::kNameTaken;
    } else if (replaced && unread.count(*replaced)) {
      note.reason = ConversionNote::kSourceWaiting;
    } else if (!(bytes = rt::read_file(row.source))) {
      note.reason = ConversionNote::kUnreadable;
    } else if (ConvertedText c = convert_by_kind(kind, *bytes); !c.valid) {
      note.reason = ConversionNote::kNotText;
    } else if (!c.whole() && replaced && (!sources[k] || *replaced == *sources[k])) {
      // A lossy form never takes its source's place; without the source's identity an existing
      // output may be the source itself.
      note = {.name = row.name, .reason = ConversionNote::kLossy, .missing = c.missing, .cut = c.cut};
    } else if (rt::write_file_safely(target, c.bytes)) {
      done = true;
      written.insert(key);
      noted = !c.whole();
      note = {.name = row.name, .reason = ConversionNote::kLossy, .converted = true, .missing = c.missing, .cut = c.cut};
    } else {
      note.reason = ConversionNote::kUnwritable;
    }
    if (noted) notes.push_back(note);
    int index = row.index;
    if (!run_for_batch_window(serial, [&] {
          OptionsWindowForm& f = ow();
          f.进度条_转换进度.set_position(f.进度条_转换进度.position() + 1);
          if (done) f.超级列表框_操作文件.remove_row(index);
          go_on = g_conversion_stop == 0;
        }))
      return;
  }
  end_encoding_conversion(serial, notes, kind);
}

}  // namespace

int conversion_stop_asked() { return g_conversion_stop; }

void start_encoding_conversion() {
  OptionsWindowForm& f = ow();
  if (conversion_list_busy()) return;
  rt::ListView& list = f.超级列表框_操作文件;
  if (list.row_count() == 0) {
    tell_user(0, 48, "未读取到要操作的文件！", 255, "  你还未选择需要操作的文件！请重新选择！", 16711935, nullptr, &f);
    return;
  }
  std::string folder = choose_folder("D:\\", "请选择目标目录……", f.handle());
  if (folder.empty() || !f.loaded() || conversion_list_busy()) return;
  g_conversion_stop = 0;
  int n = list.row_count();
  if (n == 0) return;
  f.进度条_转换进度.set_maximum(n);
  f.进度条_转换进度.set_position(0);
  list.ensure_visible(n - 1);
  const int serial = batch_conversion_started();
  std::vector<ConversionRow> rows;
  for (int i = 0; i < n; ++i) rows.push_back({i, list.cell(i, 0), list.cell(i, 2)});
  int kind = f.组合框_转换类型.current();
  auto work = [rows = std::move(rows), folder, kind, serial]() mutable {
    encoding_conversion_worker(std::move(rows), folder, kind, serial);
  };
  rt::start_thread(std::move(work), [serial] { end_encoding_conversion(serial); });
}

void stop_encoding_conversion() { g_conversion_stop = 1; }
