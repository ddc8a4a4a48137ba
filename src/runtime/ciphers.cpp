#include "runtime/ciphers.h"

#include <gcrypt.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>

namespace rt {
namespace {

constexpr std::size_t kDesBlock = 8;
constexpr std::size_t kLengthField = 4;

// Once per process; a function-local static is initialised thread-safely.
bool gcrypt_ready() {
  static const bool ready = [] {
    // Another part of the process may have set the library up already.
    if (gcry_control(GCRYCTL_INITIALIZATION_FINISHED_P)) return true;
    if (!gcry_check_version(GCRYPT_VERSION)) return false;
    // Nothing here needs locked pages; without secure memory there are no warnings about it.
    gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
    gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    return true;
  }();
  return ready;
}

unsigned char reverse_bits(unsigned char b) {
  unsigned char r = 0;
  for (int i = 0; i < 8; ++i) {
    r = static_cast<unsigned char>((r << 1) | (b & 1));
    b = static_cast<unsigned char>(b >> 1);
  }
  return r;
}

std::array<unsigned char, kDesBlock> des_key(std::string_view password) {
  std::array<unsigned char, kDesBlock> key{};
  for (std::size_t i = 0; i < password.size(); ++i) key[i % kDesBlock] ^= static_cast<unsigned char>(password[i]);
  for (unsigned char& b : key) b = reverse_bits(b);
  return key;
}

// Enciphers or deciphers `buffer` in place (its size a multiple of 8).
bool des_ecb_in_place(std::string& buffer, std::string_view password, bool encrypt) {
  if (!gcrypt_ready()) return false;
  gcry_cipher_hd_t hd = nullptr;
  if (gcry_cipher_open(&hd, GCRY_CIPHER_DES, GCRY_CIPHER_MODE_ECB, 0) != 0) return false;
  // The empty password gives the all-zero key, one of DES's weak keys; the format uses it anyway.
  gcry_cipher_ctl(hd, GCRYCTL_SET_ALLOW_WEAK_KEY, nullptr, 1);
  const auto key = des_key(password);
  gcry_error_t err = gcry_cipher_setkey(hd, key.data(), key.size());
  bool ok = err == 0 || gcry_err_code(err) == GPG_ERR_WEAK_KEY;
  if (ok) {
    auto* p = reinterpret_cast<unsigned char*>(buffer.data());
    err = encrypt ? gcry_cipher_encrypt(hd, p, buffer.size(), nullptr, 0)
                  : gcry_cipher_decrypt(hd, p, buffer.size(), nullptr, 0);
    ok = err == 0;
  }
  gcry_cipher_close(hd);
  return ok;
}

std::string des_encrypt(std::string_view data, std::string_view password) {
  if (data.empty() || data.size() > std::numeric_limits<std::uint32_t>::max()) return {};
  const std::size_t total = (kLengthField + data.size() + kDesBlock - 1) / kDesBlock * kDesBlock;
  std::string buffer(total, '\0');
  const auto n = static_cast<std::uint32_t>(data.size());
  for (std::size_t i = 0; i < kLengthField; ++i) buffer[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
  buffer.replace(kLengthField, data.size(), data);
  if (!des_ecb_in_place(buffer, password, true)) return {};
  return buffer;
}

std::string des_decrypt(std::string_view data, std::string_view password) {
  const std::size_t total = data.size();
  if (total == 0 || total % kDesBlock != 0) return {};
  std::string buffer(data);
  if (!des_ecb_in_place(buffer, password, false)) return {};
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < kLengthField; ++i) n |= std::uint32_t{static_cast<unsigned char>(buffer[i])} << (8 * i);
  // At most 7 bytes of padding: total < n + 12, written without overflow for n near 2^32.
  const bool fits = n > 0 && n <= total - kLengthField && total - kLengthField - n < kDesBlock;
  if (!fits) return {};
  buffer.erase(0, kLengthField);
  buffer.resize(n);
  return buffer;
}

// Our own RC4: libraries refuse keys shorter than 40 bits and the empty key, which the format
// defines as skipping the key schedule.
std::string rc4(std::string_view data, std::string_view key) {
  std::array<unsigned char, 256> s;
  for (int i = 0; i < 256; ++i) s[i] = static_cast<unsigned char>(i);
  if (!key.empty()) {
    unsigned char j = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
      j = static_cast<unsigned char>(j + s[i] + static_cast<unsigned char>(key[i % key.size()]));
      std::swap(s[i], s[j]);
    }
  }
  std::string out(data);
  unsigned char i = 0, j = 0;
  for (char& c : out) {
    i = static_cast<unsigned char>(i + 1);
    j = static_cast<unsigned char>(j + s[i]);
    std::swap(s[i], s[j]);
    c = static_cast<char>(static_cast<unsigned char>(c) ^ s[static_cast<unsigned char>(s[i] + s[j])]);
  }
  return out;
}

std::string to_hex(const unsigned char* bytes, std::size_t size) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0xF];
  }
  return out;
}

// The digest as libgcrypt writes it; empty on failure.
std::string digest(int algorithm, std::string_view data) {
  if (!gcrypt_ready()) return {};
  const unsigned int size = gcry_md_get_algo_dlen(algorithm);
  if (size == 0) return {};
  std::string out(size, '\0');
  gcry_md_hash_buffer(algorithm, out.data(), data.data(), data.size());
  return out;
}

}  // namespace

std::string encrypt_data(std::string_view data, std::string_view password, int algorithm) {
  if (data.empty()) return {};
  if (algorithm == kCipherDes) return des_encrypt(data, password);
  if (algorithm == kCipherRc4) return rc4(data, password);
  return {};
}

std::string decrypt_data(std::string_view data, std::string_view password, int algorithm) {
  if (data.empty()) return {};
  if (algorithm == kCipherDes) return des_decrypt(data, password);
  if (algorithm == kCipherRc4) return rc4(data, password);
  return {};
}

std::string md5_hex(std::string_view data) {
  const std::string d = digest(GCRY_MD_MD5, data);
  return to_hex(reinterpret_cast<const unsigned char*>(d.data()), d.size());
}

std::string sha1_hex(std::string_view data) {
  const std::string d = digest(GCRY_MD_SHA1, data);
  return to_hex(reinterpret_cast<const unsigned char*>(d.data()), d.size());
}

std::string crc32_hex(std::string_view data) {
  const std::string d = digest(GCRY_MD_CRC32, data);
  if (d.size() != 4) return {};
  // libgcrypt writes the value most significant byte first; it is shown from the least significant.
  const unsigned char lsb_first[4] = {static_cast<unsigned char>(d[3]), static_cast<unsigned char>(d[2]),
                                      static_cast<unsigned char>(d[1]), static_cast<unsigned char>(d[0])};
  return to_hex(lsb_first, 4);
}

}  // namespace rt
