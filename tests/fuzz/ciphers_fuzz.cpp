// The encrypted-file forms with any password: what is encrypted decrypts to itself, in the
// form's length, and decrypting any bytes (a damaged file, a wrong password or algorithm)
// gives a text that could have been encrypted in that file, or nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_check.h"
#include "runtime/ciphers.h"

namespace {

bool upper_hex(const std::string& s, size_t size) {
  if (s.size() != size) return false;
  for (char c : s)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::g_input_size = size;
  FuzzedDataProvider in(data, size);
  // Mostly the two algorithms, now and then an unknown one.
  const int algorithm = in.ConsumeIntegralInRange<int>(0, 5);
  const std::string password = in.ConsumeRandomLengthString(24);
  const std::string text = in.ConsumeRemainingBytesAsString();

  std::string file = rt::encrypt_data(text, password, algorithm);
  if (text.empty() || (algorithm != rt::kCipherDes && algorithm != rt::kCipherRc4)) {
    FUZZ_CHECK(file.empty());
  } else if (algorithm == rt::kCipherDes) {
    FUZZ_CHECK(file.size() == (4 + text.size() + 7) / 8 * 8);
    FUZZ_CHECK(rt::decrypt_data(file, password, algorithm) == text);
  } else {
    FUZZ_CHECK(file.size() == text.size());
    FUZZ_CHECK(rt::decrypt_data(file, password, algorithm) == text);
  }

  // The input itself as a file.
  std::string read = rt::decrypt_data(text, password, algorithm);
  if (algorithm == rt::kCipherDes && !read.empty()) {
    FUZZ_CHECK(text.size() % 8 == 0 && read.size() + 4 <= text.size() && text.size() - 4 - read.size() < 8);
    FUZZ_CHECK(rt::encrypt_data(read, password, algorithm).size() == text.size());
  } else if (algorithm == rt::kCipherRc4) {
    FUZZ_CHECK(read.size() == text.size());
  } else {
    FUZZ_CHECK(read.empty());
  }

  FUZZ_CHECK(upper_hex(rt::md5_hex(text), 32));
  FUZZ_CHECK(upper_hex(rt::sha1_hex(text), 40));
  FUZZ_CHECK(upper_hex(rt::crc32_hex(text), 8));
  return 0;
}
