#!/usr/bin/env python3
"""Writes src/runtime/gb18030_ranges.inc from glibc's GB18030 and GBK converters.

The Windows build has no GB18030 code page it can rely on. It takes the two-byte forms that
GBK shares with GB18030 from code page 936 and everything else from these tables, so that it
converts exactly as the native build does through glibc's iconv. Run on Linux with glibc:

    python3 tools/gen_gb18030_ranges.py > src/runtime/gb18030_ranges.inc

The script also checks the assumptions the Windows code makes and fails if one does not hold.
"""

import ctypes
import ctypes.util
import sys

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t),
                       ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)]
ICONV_ERROR = ctypes.c_size_t(-1).value


class Converter:
    def __init__(self, to, frm):
        self.cd = libc.iconv_open(to.encode(), frm.encode())
        if self.cd == ICONV_ERROR or self.cd is None:
            sys.exit(f"iconv_open {frm} -> {to} failed")
        self.out = ctypes.create_string_buffer(64)

    def __call__(self, data):
        """Converts one whole sequence; None when it is invalid or incomplete."""
        libc.iconv(self.cd, None, None, None, None)
        inbuf = ctypes.create_string_buffer(data, len(data))
        inptr = ctypes.c_void_p(ctypes.addressof(inbuf))
        inleft = ctypes.c_size_t(len(data))
        outptr = ctypes.c_void_p(ctypes.addressof(self.out))
        outleft = ctypes.c_size_t(len(self.out))
        r = libc.iconv(self.cd, ctypes.byref(inptr), ctypes.byref(inleft), ctypes.byref(outptr),
                       ctypes.byref(outleft))
        if r == ICONV_ERROR or inleft.value != 0:
            return None
        return self.out.raw[:len(self.out) - outleft.value]


def to_cp(utf32):
    if utf32 is None or len(utf32) != 4:
        return None
    return int.from_bytes(utf32, "little")


def two_byte_codes():
    """(index, bytes) of every two-byte code: lead 81..FE, trail 40..7E and 80..FE."""
    index = 0
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            if trail == 0x7F:
                continue
            yield index, bytes([lead, trail])
            index += 1


def four_byte(linear):
    b4 = linear % 10
    linear //= 10
    b3 = linear % 126
    linear //= 126
    b2 = linear % 10
    b1 = linear // 10
    return bytes([0x81 + b1, 0x30 + b2, 0x81 + b3, 0x30 + b4])


def four_byte_linear(code):
    return (((code[0] - 0x81) * 10 + code[1] - 0x30) * 126 + code[2] - 0x81) * 10 + code[3] - 0x30


def two_byte_index(code):
    trail = code[1]
    return (code[0] - 0x81) * 190 + trail - 0x40 - (1 if trail > 0x7F else 0)


BMP_FOUR_BYTE_CODES = four_byte_linear(b"\x84\x31\xa5\x30")  # 84 31 A4 39 is the last one
SUPPLEMENTARY_FIRST = four_byte_linear(b"\x90\x30\x81\x30")


def runs(pairs):
    """Sorted (a, b) pairs -> [a, b, count] where both advance by one."""
    out = []
    for a, b in pairs:
        if out and out[-1][0] + out[-1][2] == a and out[-1][1] + out[-1][2] == b:
            out[-1][2] += 1
        else:
            out.append([a, b, 1])
    return out


def check(cond, what):
    if not cond:
        sys.exit("assumption does not hold: " + what)


def main():
    gbk_dec = Converter("UTF-32LE", "GBK")
    gbk_enc = Converter("GBK", "UTF-32LE")
    gb_dec = Converter("UTF-32LE", "GB18030")
    gb_enc = Converter("GB18030", "UTF-32LE")

    check(to_cp(gbk_dec(b"\x80")) == 0x20AC and gb_dec(b"\x80") is None, "GBK 80 is the euro sign, GB18030 has no 80")

    # Two-byte codes: those GBK decodes decode alike in GB18030; the others need a table.
    two_byte_extra = []
    gbk_chars = {}
    for index, code in two_byte_codes():
        gb = to_cp(gb_dec(code))
        gbk = to_cp(gbk_dec(code))
        if gbk is not None:
            check(gb == gbk, f"GBK and GB18030 agree on {code.hex()}")
            check(gbk not in gbk_chars, f"GBK decodes {code.hex()} to a character of its own")
            gbk_chars[gbk] = code
        elif gb is not None:
            two_byte_extra.append((index, gb))

    # Four-byte codes of the BMP.
    four_byte_bmp = []
    for linear in range(BMP_FOUR_BYTE_CODES):
        cp = to_cp(gb_dec(four_byte(linear)))
        if cp is not None:
            check(cp <= 0xFFFF, "a BMP four-byte code gives a BMP character")
            four_byte_bmp.append((linear, cp))
    check(gb_dec(four_byte(BMP_FOUR_BYTE_CODES)) is None, "no four-byte codes past 84 31 A4 39 below 90 30 81 30")

    # Supplementary characters decode linearly from 90 30 81 30; most encode back so.
    two_byte_encode = []
    four_byte_encode = []
    for cp in range(0x80, 0x110000):
        if 0xD800 <= cp <= 0xDFFF:
            continue
        utf32 = cp.to_bytes(4, "little")
        code = gb_enc(utf32)
        if cp > 0xFFFF:
            linear = SUPPLEMENTARY_FIRST + cp - 0x10000
            check(to_cp(gb_dec(four_byte(linear))) == cp, f"U+{cp:X} decodes linearly")
            if code is not None and len(code) == 2:
                two_byte_encode.append((cp, two_byte_index(code)))
            else:
                check(code == four_byte(linear), f"U+{cp:X} encodes linearly or as two bytes")
            continue
        gbk = gbk_enc(utf32)
        if gbk is not None and len(gbk) == 2:
            check(gbk_chars.get(cp) == gbk, f"GBK encodes U+{cp:X} back to its own code")
            check(code == gbk, f"GB18030 encodes U+{cp:X} as GBK does")
            continue
        check(cp not in gbk_chars, f"GBK encodes U+{cp:X}, which it decodes")
        if code is None:
            continue
        if len(code) == 2:
            two_byte_encode.append((cp, two_byte_index(code)))
        else:
            check(len(code) == 4 and four_byte_linear(code) < BMP_FOUR_BYTE_CODES, f"U+{cp:X} has a BMP four-byte code")
            four_byte_encode.append((cp, four_byte_linear(code)))
    check(to_cp(gb_dec(four_byte(SUPPLEMENTARY_FIRST + 0x100000))) is None, "nothing past U+10FFFF")

    w = sys.stdout.write
    w("// Generated by tools/gen_gb18030_ranges.py from glibc's GB18030 and GBK converters; do not edit.\n")
    w("// A row {a, b, n} stands for the n pairs (a + k, b + k), k = 0 .. n - 1.\n")
    w("// A two-byte index is (lead - 0x81) * 190 + trail - 0x40, minus one more for trails above 0x7F;\n")
    w("// a four-byte index counts linearly from 81 30 81 30 (last byte fastest, then the third, ...).\n")

    def table(name, comment, rows):
        w(f"\n// {comment}\n")
        w(f"inline constexpr Gb18030Run {name}[] = {{\n")
        line = " "
        for a, b, n in rows:
            item = f" {{0x{a:X}, 0x{b:X}, {n}}},"
            if len(line) + len(item) > 118:
                w(line + "\n")
                line = " "
            line += item
        w(line + "\n};\n")

    table("kGb18030TwoByteDecode", "Two-byte codes GBK lacks: {two-byte index, code point, count}.",
          runs(two_byte_extra))
    table("kGb18030FourByteDecode", "Four-byte codes below U+10000: {four-byte index, code point, count}.",
          runs(four_byte_bmp))
    table("kGb18030TwoByteEncode",
          "Two-byte codes of characters GBK writes otherwise or not at all: {code point, two-byte index, count}.",
          runs(two_byte_encode))
    table("kGb18030FourByteEncode",
          "Characters below U+10000 with a four-byte code: {code point, four-byte index, count}.",
          runs(four_byte_encode))
    w("\n// Characters from U+10000 not in kGb18030TwoByteEncode take four-byte index\n")
    w("// kGb18030SupplementaryFirst + code point - 0x10000, and every such code decodes so.\n")
    w(f"inline constexpr unsigned kGb18030SupplementaryFirst = {SUPPLEMENTARY_FIRST};\n")


if __name__ == "__main__":
    main()
