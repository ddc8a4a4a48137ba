#include "documents/batch_conversion.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/control_routines.h"
#include "common/messages.h"
#include "documents/batch_files.h"
#include "forms/options_window_form.h"
#include "runtime/app.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/page_text.h"

int g_conversion_stop = 0;

namespace {

OptionsWindowForm& ow() { return options_window(); }

struct ConversionRow {
  int index = 0;
  std::string name, source;
};

void end_encoding_conversion(int serial) {
  run_for_batch_window(serial, [] {
    ow().进度条_转换进度.set_position(0);
    batch_conversion_ended();
    g_conversion_stop = 0;
  });
}

// The rows from the last to the first, while no stop was asked. A row is not written (and stays
// in the list) when its file cannot be read or converted, when this run has already written its
// output path (two rows of one name), or when its output would replace the file of a row that
// comes later and has not been read yet: a source is only ever replaced by its own converted form.
void encoding_conversion_worker(std::vector<ConversionRow> rows, std::string folder, int kind, int serial) {
  std::set<std::string> written;
  std::vector<std::optional<rt::FileIdentity>> sources;
  std::multiset<rt::FileIdentity> unread;
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
    bool done = false;
    if (!written.count(key) && !(replaced && unread.count(*replaced))) {
      if (std::optional<std::string> bytes = rt::read_file(row.source)) {
        std::optional<std::string> converted = convert_by_kind(kind, *bytes);
        done = converted && rt::write_file_safely(target, *converted);
        if (done) written.insert(key);
      }
    }
    int index = row.index;
    if (!run_for_batch_window(serial, [&] {
          OptionsWindowForm& f = ow();
          f.进度条_转换进度.set_position(f.进度条_转换进度.position() + 1);
          if (done) f.超级列表框_操作文件.remove_row(index);
          go_on = g_conversion_stop == 0;
        }))
      return;
  }
  end_encoding_conversion(serial);
}

}  // namespace

namespace {

// UTF-16 units by two bytes: a last odd byte is part of no unit.
std::string_view whole_units(std::string_view bytes) { return bytes.substr(0, bytes.size() & ~std::size_t{1}); }

std::optional<std::string> converted(std::string_view bytes, const char* from, const char* to) {
  bool ok = false;
  std::string out = rt::convert_encoding(bytes, from, to, &ok);
  if (!ok) return std::nullopt;
  return out;
}

}  // namespace

std::optional<std::string> utf8_to_ansi(std::string_view bytes) {
  std::string text;
  if (!rt::utf8_to_page_text(bytes, text)) return std::nullopt;
  return text;
}

std::optional<std::string> utf16_to_ansi(std::string_view bytes) {
  std::string text;
  if (!rt::utf16_bytes_to_page_text(whole_units(bytes), false, text)) return std::nullopt;
  return text;
}

std::optional<std::string> utf16_to_utf8(std::string_view bytes) {
  return converted(whole_units(bytes), "UTF-16LE", "UTF-8");
}

std::optional<std::string> utf8_to_utf16(std::string_view bytes) { return converted(bytes, "UTF-8", "UTF-16LE"); }

std::optional<std::string> convert_by_kind(int kind, std::string_view bytes) {
  switch (kind) {
    case kUtf8ToAnsi:
      return utf8_to_ansi(bytes);
    case kUtf16ToAnsi:
      return utf16_to_ansi(bytes);
    case kUtf16ToUtf8:
      return utf16_to_utf8(bytes);
    case kUtf8ToUtf16:
      return utf8_to_utf16(bytes);
    default:
      return std::string(bytes);
  }
}

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
  batch_conversion_started();
  std::vector<ConversionRow> rows;
  for (int i = 0; i < n; ++i) rows.push_back({i, list.cell(i, 0), list.cell(i, 2)});
  int kind = f.组合框_转换类型.current();
  int serial = batch_window_serial();
  auto work = [rows = std::move(rows), folder, kind, serial]() mutable {
    encoding_conversion_worker(std::move(rows), folder, kind, serial);
  };
  rt::start_thread(std::move(work), [serial] { end_encoding_conversion(serial); });
}

void stop_encoding_conversion() { g_conversion_stop = 1; }
