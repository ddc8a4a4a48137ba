// The conversions of the native build, through glibc's iconv(3). The portable layer has
// already dealt with what glibc does differently from libiconv: glibc's "UTF-16" reads
// little-endian without a mark and writes FF FE, and its GB2312 is EUC-CN with its own
// mappings (A1 A4 is U+30FB there, U+00B7 in GBK).
#include <errno.h>
#include <iconv.h>

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

}  // namespace

// iconv converts in one step: nothing to keep between the fallbacks.
ReuseScope::ReuseScope() = default;
ReuseScope::~ReuseScope() = default;

bool platform_convert(std::string_view in, Codec from, Codec to, std::string& out) {
  Descriptor cd(from, to);
  if (!cd.valid()) return false;
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
    std::size_t r = flushing ? iconv(cd.get(), nullptr, nullptr, &out_ptr, &out_left)
                             : iconv(cd.get(), &in_ptr, &in_left, &out_ptr, &out_left);
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

}  // namespace rt::encoding_detail
