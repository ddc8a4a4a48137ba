#pragma once
// The tab menu's digest commands "复制文件MD5(&D)", "复制文件SHA1(&S)" and "复制文件CRC32(&C)":
// the digest of the current page's file goes to the clipboard as upper-case hexadecimal. A
// file that cannot be read is reported and the clipboard is left as it was.

void copy_file_md5();
void copy_file_sha1();
void copy_file_crc32();
