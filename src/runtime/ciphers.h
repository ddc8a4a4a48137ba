// The encrypted-file layouts and the file digests. All data and passwords are bytes (GBK text
// is used byte for byte, without a terminator). Win32-free.
//
// Algorithm 1, DES: the plaintext's length n as 4 bytes little-endian, the plaintext, then 0 to
// 7 zero bytes up to a multiple of 8, enciphered with DES-ECB. The key starts as 8 zero bytes;
// password byte i is XORed into key byte i mod 8 and then the bit order of each key byte is
// reversed (the most significant bits of the unreversed bytes are the ignored parity bits).
// An empty password gives the all-zero key, a weak key that is used all the same.
//
// Algorithm 2, RC4: the data XORed with the RC4 key stream keyed by all the password bytes (any
// length; an empty password leaves the initial state unpermuted). Output length = input
// length; decryption is the same operation.
#pragma once

#include <string>
#include <string_view>

namespace rt {

inline constexpr int kCipherDes = 1;
inline constexpr int kCipherRc4 = 2;

// An empty input, an unknown algorithm or a failure of the crypto library gives an empty result.
std::string encrypt_data(std::string_view data, std::string_view password, int algorithm);

// Empty as well when the data cannot be such a file: for DES, a length that is not a positive
// multiple of 8, or a deciphered length field n outside 0 < n <= length - 4 with at most 7
// bytes of padding (a wrong password almost always fails here). Wrong password, wrong algorithm,
// damaged file and empty plaintext are not told apart.
std::string decrypt_data(std::string_view data, std::string_view password, int algorithm);

// Upper-case hexadecimal, two digits per byte, high nibble first. MD5 and SHA-1 in their
// standard byte order; CRC-32 (ISO 3309 / IEEE 802.3) as its 32-bit value's bytes from the
// least significant one: "abc" gives C2412435. Empty only if the crypto library fails.
std::string md5_hex(std::string_view data);
std::string sha1_hex(std::string_view data);
std::string crc32_hex(std::string_view data);

}  // namespace rt
