#pragma once
// The digests of the current page's file, copied to the clipboard as upper-case hexadecimal.

void copy_file_md5();
void copy_file_sha1();
void copy_file_crc32();
