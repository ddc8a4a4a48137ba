// The conversions of the native build, through glibc's iconv(3). The portable layer has
// already dealt with what glibc does differently from libiconv: glibc's "UTF-16" reads
// little-endian without a mark and writes FF FE, and its GB2312 is EUC-CN with its own
// mappings (A1 A4 is U+30FB there, U+00B7 in GBK).
#include <errno.h>
#include <iconv.h>

#include <cstdint>
#include <memory>

#include "runtime/encoding.h"

namespace rt::encoding_detail {
namespace {

const char* iconv_name(Codec c) {
  switch (c) {
    case Codec::kUtf16Be:
      return "UTF-16BE";
    case Codec::kUtf16Le:
      return "UTF-16LE";
    case Codec::kUtf8:
      return "UTF-8";
    case Codec::kGbk:
      return "GBK";
    case Codec::kGb18030:
      return "GB18030";
  }
  return "UTF-8";
}

class Descriptor {
 public:
  Descriptor(Codec from, Codec to) : cd_(iconv_open(iconv_name(to), iconv_name(from))) {}
  ~Descriptor() {
    if (valid()) iconv_close(cd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Opening a descriptor costs more than converting a line: each thread keeps one per pair of
// codecs, brought back to its initial state before every use.
iconv_t descriptor(Codec from, Codec to) {
  constexpr int kCodecs = static_cast<int>(Codec::kGb18030) + 1;
  thread_local std::unique_ptr<Descriptor> kept[kCodecs][kCodecs];
  std::unique_ptr<Descriptor>& d = kept[static_cast<int>(from)][static_cast<int>(to)];
  if (!d) d = std::make_unique<Descriptor>(from, to);
  if (!d->valid()) return reinterpret_cast<iconv_t>(-1);
  iconv(d->get(), nullptr, nullptr, nullptr, nullptr);
  return d->get();
}

bool platform_convert_as_is(std::string_view in, Codec from, Codec to, std::string& out);

// Whether the text holds one of Unicode's tag characters (U+E0000..U+E007F), read as UTF-16LE.
bool holds_tag_characters(std::string_view in, Codec from) {
  std::string wide;
  std::string_view units = in;
  if (from != Codec::kUtf16Le) {
    if (!platform_convert_as_is(in, from, Codec::kUtf16Le, wide)) return false;
    units = wide;
  }
  for (std::size_t i = 0; i + 3 < units.size(); i += 2) {
    auto unit = [&](std::size_t at) {
      return static_cast<unsigned>(static_cast<unsigned char>(units[at])) |
             static_cast<unsigned>(static_cast<unsigned char>(units[at + 1])) << 8;
    };
    if (unit(i) == 0xDB40 && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDC7F) return true;
  }
  return false;
}

}  // namespace

bool platform_convert(std::string_view in, Codec from, Codec to, std::string& out) {
  // glibc passes over the tag characters where its target has no place for them and reports
  // success; GBK has none, and Windows refuses them as it refuses any other.
  if (to == Codec::kGbk && from != Codec::kGbk && holds_tag_characters(in, from)) return false;
  return platform_convert_as_is(in, from, to, out);
}

namespace {

bool platform_convert_as_is(std::string_view in, Codec from, Codec to, std::string& out) {
  iconv_t cd = descriptor(from, to);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  // A first guess that fits most text; the buffer grows, keeping what was written, when not.
  bool to_utf16 = to == Codec::kUtf16Be || to == Codec::kUtf16Le;
  out.resize(to_utf16 ? 2 * in.size() + 16 : in.size() + in.size() / 2 + 16);
  std::size_t used = 0;
  char* in_ptr = const_cast<char*>(in.data());
  std::size_t in_left = in.size();
  bool flushing = false;
  for (;;) {
    char* out_ptr = out.data() + used;
    std::size_t out_left = out.size() - used;
    // The second phase writes whatever a stateful target still holds (nothing for these).
    std::size_t r =
        flushing ? iconv(cd, nullptr, nullptr, &out_ptr, &out_left) : iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    used = static_cast<std::size_t>(out_ptr - out.data());
    if (r == static_cast<std::size_t>(-1)) {
      if (errno != E2BIG) return false;  // EILSEQ: invalid or unrepresentable; EINVAL: incomplete.
      out.resize(out.size() * 2);
      continue;
    }
    // Without //TRANSLIT glibc reports no irreversible conversions; one would be a substitute.
    if (r != 0) return false;
    if (flushing) break;
    flushing = true;
  }
  out.resize(used);
  return true;
}

}  // namespace

void code_page_936_two_byte_codes(std::u16string& by_index) {
  by_index.assign(126 * 190, u'\0');
  Descriptor cd(Codec::kGbk, Codec::kUtf16Le);
  // Code page 936 is glibc's GBK plus private-use cells in every code GBK leaves free: the
  // three user-defined areas in order, then the other free codes one after another from U+E766.
  char16_t next_free = 0xE766;
  std::size_t index = 0;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      unsigned char unit[4] = {};
      char* in = code;
      char* out = reinterpret_cast<char*>(unit);
      std::size_t in_left = 2, out_left = sizeof unit;
      iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
      std::size_t r = cd.valid() ? iconv(cd.get(), &in, &in_left, &out, &out_left) : static_cast<std::size_t>(-1);
      char16_t c = 0;
      if (r != static_cast<std::size_t>(-1) && in_left == 0 && out_left == 2) {
        c = static_cast<char16_t>(unit[0] | unit[1] << 8);
      } else if (lead >= 0xAA && lead <= 0xAF && trail >= 0xA1) {
        c = static_cast<char16_t>(0xE000 + (lead - 0xAA) * 94 + (trail - 0xA1));
      } else if (lead >= 0xF8 && trail >= 0xA1) {
        c = static_cast<char16_t>(0xE234 + (lead - 0xF8) * 94 + (trail - 0xA1));
      } else if (lead >= 0xA1 && lead <= 0xA7 && trail <= 0xA0) {
        c = static_cast<char16_t>(0xE4C6 + (lead - 0xA1) * 96 + (trail - 0x40 - (trail > 0x7F ? 1 : 0)));
      } else {
        c = next_free++;
      }
      by_index[index++] = c;
    }
  }
}

}  // namespace rt::encoding_detail
