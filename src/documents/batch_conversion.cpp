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
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/strings.h"

int g_conversion_stop = 0;

namespace {

OptionsWindowForm& ow() { return options_window(); }

std::wstring utf16le_units(std::string_view bytes) {
  std::wstring units(bytes.size() / 2, L'\0');
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<wchar_t>(p[2 * i] | p[2 * i + 1] << 8);
  return units;
}

std::string utf16le_bytes(std::wstring_view units) {
  std::string bytes(units.size() * 2, '\0');
  for (size_t i = 0; i < units.size(); ++i) {
    auto u = static_cast<unsigned>(units[i]);
    bytes[2 * i] = static_cast<char>(u & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(u >> 8);
  }
  return bytes;
}

std::string up_to_zero(std::string text) {
  size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

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

// The rows from the last to the first, while no stop was asked. A file that cannot be read is
// not written, nor is an output path this run has already written (two rows of one name): both
// rows stay in the list.
void encoding_conversion_worker(std::vector<ConversionRow> rows, std::string folder, int kind, int serial) {
  std::set<std::string> written;
  bool go_on = false;
  if (!run_for_batch_window(serial, [&] { go_on = g_conversion_stop == 0; })) return;
  for (auto it = rows.rbegin(); it != rows.rend() && go_on; ++it) {
    std::string target = folder + it->name;
    std::string key = rt::to_upper_ascii(target);
    bool done = false;
    if (!written.count(key)) {
      if (std::optional<std::string> bytes = rt::read_file(it->source)) {
        done = rt::write_file(target, convert_by_kind(kind, *bytes));
        if (done) written.insert(key);
      }
    }
    int index = it->index;
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

std::string utf8_to_ansi(std::string_view bytes) {
  return up_to_zero(rt::wide_to_code_page(rt::code_page_to_wide(bytes, rt::kUtf8CodePage), rt::kAnsiCodePage));
}

std::string utf16_to_ansi(std::string_view bytes) {
  return up_to_zero(rt::wide_to_code_page(utf16le_units(bytes), rt::kAnsiCodePage));
}

std::string utf16_to_utf8(std::string_view bytes) {
  return rt::wide_to_code_page(utf16le_units(bytes), rt::kUtf8CodePage);
}

std::string utf8_to_utf16(std::string_view bytes) {
  return utf16le_bytes(rt::code_page_to_wide(bytes, rt::kUtf8CodePage));
}

std::string convert_by_kind(int kind, std::string_view bytes) {
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
