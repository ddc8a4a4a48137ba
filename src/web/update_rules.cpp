#include "web/update_rules.h"

#include <cmath>
#include <limits>
#include <vector>

#include "common/text_routines.h"
#include "runtime/gbk_text.h"

namespace {

constexpr std::string_view kBlockStart = "//Velmora更新配置开始";
constexpr std::string_view kBlockEnd = "//Velmora更新配置结束";

// The update page's address, 78 bytes, kept out of plain sight in the program's file.
constexpr std::string_view kStoredUpdateAddress =
    "jLsIpNqKzHhEkBpOsLvIhFsKaPgMkJhOpL9IeFfKbPlMtJhOpLkAeNkKeHpMpJaOaLsI8NjCpP9MlJjOkLqIcN5KqPsMdJfOvLdI2NnKePiM"
    "gJ8OeLrIpN5K9PjMrJ1OtLdIvNpKmPjMnJ1OoDkAlNuKiPgM";

int position_in(std::string_view alphabet, char c) {
  size_t at = alphabet.find(c);
  return at == std::string_view::npos ? 0 : static_cast<int>(at);
}

}  // namespace

std::string descramble_text(std::string_view text, std::string_view alphabet) {
  std::string out;
  const int length = static_cast<int>(alphabet.size());
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    int p = position_in(alphabet, text[i]);
    int q = position_in(alphabet, text[i + 1]);
    out.push_back(static_cast<char>((((q / 8) * length + p) ^ (q % 8)) & 0xFF));
  }
  return out;
}

std::string scramble_text(std::string_view plain, std::string_view alphabet) {
  std::string out;
  const int length = static_cast<int>(alphabet.size());
  for (size_t i = 0; i < plain.size(); ++i) {
    // Any low three bits of q do; varying them keeps equal bytes from looking alike.
    int r = static_cast<int>((i * 5 + 3) % 8);
    int v = static_cast<unsigned char>(plain[i]) ^ r;
    int p = v % length, q = (v / length) * 8 + r;
    out.push_back(alphabet[static_cast<size_t>(p)]);
    out.push_back(alphabet[static_cast<size_t>(q)]);
  }
  return out;
}

std::string_view stored_update_address() { return kStoredUpdateAddress; }

std::string update_manifest_block(std::string_view page) { return text_between(page, kBlockStart, kBlockEnd); }

UpdateInfo read_update_manifest(std::string_view block) {
  auto field = [block](std::string_view key) { return text_between(block, std::string(key) + "=", "</p>"); };
  UpdateInfo info;
  info.name = field("软件名称");
  info.version = field("软件版本");
  info.update_time = field("更新时间");
  info.size = field("软件大小");
  info.download_address = field("下载地址");
  info.homepage = field("软件主页");
  info.change_log = field("更新纪录");
  return info;
}

bool announces_newer_version(std::string_view version, std::string_view update_time) {
  return version != kProgramVersion && update_time != kProgramDate;
}

int published_size_mb(std::string_view size_field) {
  // A character's trail byte can be "M": the search steps over double-byte characters.
  int m = rt::find_text(size_field, "M");
  if (m < 1) return 0;
  double size = std::trunc(rt::text_to_number(size_field.substr(0, static_cast<size_t>(m - 1))));
  // A page that publishes a size no int holds ("1e300M") publishes no size.
  if (!(size >= std::numeric_limits<int>::min() && size <= std::numeric_limits<int>::max())) return 0;
  return static_cast<int>(size);
}

int own_size_mb(long long bytes) {
  std::string text = rt::number_to_text(static_cast<double>(bytes) / 1048576.0);
  return static_cast<int>(rt::text_to_number(text.substr(0, 4)));
}

std::string update_size_caption(std::string_view size_field, long long own_bytes) {
  long long published = published_size_mb(size_field), own = own_size_mb(own_bytes);
  std::string caption(size_field);
  if (published == own) return caption + "(软件大小没有改变)";
  if (published > own) return caption + "(软件大小增加了" + std::to_string(published - own) + "MB)";
  return caption + "(软件大小减少了" + std::to_string(own - published) + "MB)";
}

std::string change_log_text(std::string_view change_log) {
  std::string out;
  for (const std::string& entry : rt::split_text(change_log, "|")) out += entry + "\r\n";
  return out;
}
