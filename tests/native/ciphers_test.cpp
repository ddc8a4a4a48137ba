// Expected ciphertexts come from published DES and RC4 vectors or were computed outside this
// program (the DES keys derived by hand from the password rule, then enciphered with OpenSSL's
// DES-ECB). Non-ASCII bytes are written as hex escapes (literals become GBK).
#include "runtime/ciphers.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::string_view_literals;
using rt::kCipherDes;
using rt::kCipherRc4;

std::string hex(std::string_view s) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    out += kDigits[c >> 4];
    out += kDigits[c & 0xF];
  }
  return out;
}

std::string unhex(std::string_view h) {
  auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
  std::string out;
  for (std::size_t i = 0; i + 1 < h.size(); i += 2) out += static_cast<char>(nibble(h[i]) << 4 | nibble(h[i + 1]));
  return out;
}

// Bytes that are not text: every value occurs, zeros included.
std::string pseudo_random_bytes(std::size_t size) {
  std::string out(size, '\0');
  std::uint32_t x = 2463534242u;
  for (char& c : out) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x >> 24);
  }
  return out;
}

struct KnownAnswer {
  const char* what;
  std::string_view password;
  std::string_view plaintext;
  std::string_view ciphertext_hex;
};

void check_known_answers(int algorithm, const std::vector<KnownAnswer>& cases) {
  for (const KnownAnswer& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ", password " + hex(c.password));
    EXPECT_EQ(hex(rt::encrypt_data(c.plaintext, c.password, algorithm)), c.ciphertext_hex);
    EXPECT_EQ(hex(rt::decrypt_data(unhex(c.ciphertext_hex), c.password, algorithm)), hex(c.plaintext));
  }
}

// The first block holds the length field and 4 plaintext bytes, so a published vector lands on a
// later block: "ABCD" fills the first block and the vector's plaintext follows. Each password is
// the vector's key with the bit order of every byte reversed.
TEST(DesCipher, KnownAnswersThroughThePasswordKey) {
  check_known_answers(
      kCipherDes,
      {
          // Key 6A A6 36 B6 F6 4E 86 00 (derived by hand); 4 + 5 + 7 padding = 16 bytes.
          {"short password", "Velmora", "hello", "2C25AAF464248D9BD54D65BBCC9BCCFB"},
          // Only the most significant bit of each byte differs: those become the parity bits.
          {"parity bits ignored", "\xD6\xE5\xEC\xED\xEF\xF2\xE1\x80", "hello", "2C25AAF464248D9BD54D65BBCC9BCCFB"},
          // "024" folds into the first three key bytes: key 66 EA 1A B6 F6 4E 86 4C.
          {"password folds after 8 bytes", "Velmora2024", "hello", "EECAF38D8493D7D1FBA774526F634317"},
          // FIPS 81 ECB example, key 01 23 45 67 89 AB CD EF: blocks 2 to 4 are the published ones.
          {"FIPS 81 key", "\x80\xC4\xA2\xE6\x91\xD5\xB3\xF7", "ABCDNow is the time for all ",
           "9B868594F78E408B"
           "3FA40E8A984D4815"
           "6A271787AB8883F9"
           "893D51EC4B563B53"},
          // Key 13 34 57 79 9B BC DF F1, plaintext 01 23 45 67 89 AB CD EF -> 85 E8 13 54 0F 0A B4 05.
          {"classic worked example", "\xC8\x2C\xEA\x9E\xD9\x3D\xFB\x8F", "ABCD\x01\x23\x45\x67\x89\xAB\xCD\xEF",
           "DA26F437E82A3241"
           "85E813540F0AB405"},
          // All-zero key, a weak key libraries may refuse; zero block -> 8C A6 4D E9 C1 B1 23 A7.
          {"empty password", "", "abcd\0\0\0\0\0\0\0\0"sv,
           "AD40D52231C1A85F"
           "8CA64DE9C1B123A7"},
          {"halves cancel to the zero key", "ABCDEFGHABCDEFGH", "abcd\0\0\0\0\0\0\0\0"sv,
           "AD40D52231C1A85F"
           "8CA64DE9C1B123A7"},
      });
}

TEST(DesCipher, FileLengthIsLengthFieldPlusPlaintextPaddedToEight) {
  struct Case {
    std::size_t plaintext_size, file_size;
  };
  for (const Case c : {Case{1, 8}, {4, 8}, {5, 16}, {11, 16}, {12, 16}, {13, 24}, {300, 304}}) {
    SCOPED_TRACE(c.plaintext_size);
    const std::string plaintext = pseudo_random_bytes(c.plaintext_size);
    const std::string file = rt::encrypt_data(plaintext, "pw", kCipherDes);
    EXPECT_EQ(file.size(), c.file_size);
    EXPECT_EQ(hex(rt::decrypt_data(file, "pw", kCipherDes)), hex(plaintext));
  }
}

// ECB enciphers blocks independently, so the second block of a file for "WXYZ" + `content` is
// `content` enciphered alone; files are assembled from such blocks to reach every check.
std::string des_block(std::string_view content) {
  EXPECT_EQ(content.size(), 8u);
  const std::string file = rt::encrypt_data("WXYZ" + std::string(content), "key", kCipherDes);
  return file.substr(8, 8);
}

TEST(DesCipher, DecryptionChecksLengthAndLengthField) {
  struct Case {
    const char* what;
    std::vector<std::string_view> blocks;  // each deciphers to these 8 bytes
    std::string_view tail;                 // raw bytes appended
    std::string_view plaintext;            // empty: rejected
  };
  const Case cases[] = {
      {"one byte, three of padding", {"\x01\0\0\0a\0\0\0"sv}, "", "a"},
      {"padding bytes are not checked", {"\x01\0\0\0abcd"sv}, "", "a"},
      {"plaintext fills the block", {"\x04\0\0\0abcd"sv}, "", "abcd"},
      {"seven bytes of padding", {"\x05\0\0\0abcd"sv, "e\0\0\0\0\0\0\0"sv}, "", "abcde"},
      {"plaintext across blocks", {"\x0C\0\0\0abcd"sv, "efghijkl"sv}, "", "abcdefghijkl"},
      {"zero length", {"\0\0\0\0abcd"sv}, "", ""},
      {"length past the end", {"\x05\0\0\0abcd"sv}, "", ""},
      {"largest length",
       {"\xFF\xFF\xFF\xFF"sv
        "abcd"sv},
       "",
       ""},
      {"eight bytes of padding", {"\x04\0\0\0abcd"sv, "\0\0\0\0\0\0\0\0"sv}, "", ""},
      {"a byte beyond the blocks", {"\x04\0\0\0abcd"sv}, "x", ""},
      {"shorter than a block", {}, "1234567", ""},
      {"a block and a half", {"\x0C\0\0\0abcd"sv}, "efgh", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string file;
    for (std::string_view b : c.blocks) file += des_block(b);
    file += c.tail;
    EXPECT_EQ(hex(rt::decrypt_data(file, "key", kCipherDes)), hex(c.plaintext));
  }
}

TEST(DesCipher, OtherPasswordsAndRc4FilesGiveNothing) {
  const std::string plaintext = "\xB1\xA3\xC3\xDC: the plan for Monday";  // GBK text
  const std::string file = rt::encrypt_data(plaintext, "Velmora", kCipherDes);
  ASSERT_EQ(rt::decrypt_data(file, "Velmora", kCipherDes), plaintext);
  for (std::string_view other : {"velmora"sv, "Velmor"sv, "Velmora "sv, ""sv, "\xA3\xD6\xA3\xE5\xA3\xEC"sv}) {
    SCOPED_TRACE(hex(other));
    EXPECT_EQ(rt::decrypt_data(file, other, kCipherDes), "");
  }
  // 29 bytes: not a multiple of 8.
  EXPECT_EQ(rt::decrypt_data(rt::encrypt_data(plaintext, "Velmora", kCipherRc4), "Velmora", kCipherDes), "");
}

TEST(Rc4Cipher, KnownAnswers) {
  check_known_answers(kCipherRc4, {
                                      {"Key", "Key", "Plaintext", "BBF316E8D940AF0AD3"},
                                      {"Wiki", "Wiki", "pedia", "1021BF0420"},
                                      {"Secret", "Secret", "Attack at dawn", "45A01F645FC35B383552544B9BF5"},
                                      // No key schedule: the stream of the identity permutation.
                                      {"empty password", "", std::string_view("\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16),
                                       "0205070D0D171F282838324856657586"},
                                  });
}

TEST(Rc4Cipher, KeepsTheLengthAndIsItsOwnInverse) {
  const std::string plaintext = pseudo_random_bytes(1000);
  const std::string long_password = pseudo_random_bytes(300);  // past the 256 bytes the schedule reads
  for (std::string_view password : {"k"sv, "Secret"sv, std::string_view(long_password)}) {
    SCOPED_TRACE(password.size());
    const std::string file = rt::encrypt_data(plaintext, password, kCipherRc4);
    EXPECT_EQ(file.size(), plaintext.size());
    EXPECT_NE(hex(file), hex(plaintext));
    EXPECT_EQ(hex(rt::decrypt_data(file, password, kCipherRc4)), hex(plaintext));
    EXPECT_EQ(hex(rt::encrypt_data(file, password, kCipherRc4)), hex(plaintext));
  }
}

TEST(CipherPasswords, AreUsedByteForByte) {
  const std::string_view ascii = "ABC";
  const std::string_view full_width = "\xA3\xC1\xA3\xC2\xA3\xC3";  // the same letters, full width
  const std::string plaintext = "\xC3\xDC\xC2\xEB secret";         // GBK text
  for (int algorithm : {kCipherDes, kCipherRc4}) {
    SCOPED_TRACE(algorithm);
    const std::string by_ascii = rt::encrypt_data(plaintext, ascii, algorithm);
    const std::string by_full_width = rt::encrypt_data(plaintext, full_width, algorithm);
    EXPECT_NE(hex(by_ascii), hex(by_full_width));
    EXPECT_EQ(rt::decrypt_data(by_full_width, full_width, algorithm), plaintext);
    EXPECT_NE(rt::decrypt_data(by_full_width, ascii, algorithm), plaintext);
  }
}

TEST(CipherAlgorithms, EmptyInputAndUnknownAlgorithmGiveNothing) {
  for (int algorithm : {kCipherDes, kCipherRc4}) {
    SCOPED_TRACE(algorithm);
    EXPECT_EQ(rt::encrypt_data("", "pw", algorithm), "");
    EXPECT_EQ(rt::decrypt_data("", "pw", algorithm), "");
  }
  for (int algorithm : {0, 3, -1}) {
    SCOPED_TRACE(algorithm);
    EXPECT_EQ(rt::encrypt_data("text", "pw", algorithm), "");
    EXPECT_EQ(rt::decrypt_data("12345678", "pw", algorithm), "");
  }
}

TEST(CipherAlgorithms, PagesOfTenMegabytesRoundTrip) {
  const std::string page = pseudo_random_bytes(10 * 1024 * 1024 + 5);
  const std::string des = rt::encrypt_data(page, "\xC3\xDC\xC2\xEB", kCipherDes);
  EXPECT_EQ(des.size(), page.size() + 4 + 7);
  EXPECT_TRUE(rt::decrypt_data(des, "\xC3\xDC\xC2\xEB", kCipherDes) == page);
  const std::string rc4 = rt::encrypt_data(page, "\xC3\xDC\xC2\xEB", kCipherRc4);
  EXPECT_EQ(rc4.size(), page.size());
  EXPECT_TRUE(rt::decrypt_data(rc4, "\xC3\xDC\xC2\xEB", kCipherRc4) == page);
}

TEST(Digests, KnownAnswers) {
  struct Case {
    const char* what;
    std::string data;
    const char* md5;
    const char* sha1;
    const char* crc32;  // least significant byte first
  };
  const Case cases[] = {
      {"empty", "", "D41D8CD98F00B204E9800998ECF8427E", "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709", "00000000"},
      {"abc", "abc", "900150983CD24FB0D6963F7D28E17F72", "A9993E364706816ABA3E25717850C26C9CD0D89D", "C2412435"},
      // The usual CRC check value CBF43926, shown from its low byte.
      {"check string", "123456789", "25F9E794323B453885F5181F1B624D0B", "F7C3BC1D808E04732ADF679965CCC34CA7AE3441",
       "2639F4CB"},
      {"zero byte inside", std::string("a\0b", 3), "70350F6027BCE3713F6B76473084309B",
       "4A3DEC2D1F8245280855C42DB0EE4239F917FDB8", "7178E815"},
      {"a million a", std::string(1000000, 'a'), "7707D6AE4E027C70EEA2A935C2296F21",
       "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F", "BCBF25DC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(rt::md5_hex(c.data), c.md5);
    EXPECT_EQ(rt::sha1_hex(c.data), c.sha1);
    EXPECT_EQ(rt::crc32_hex(c.data), c.crc32);
  }
}

}  // namespace
