// Copies a C++ source file, writing the non-ASCII characters of its narrow string and character
// literals as the octal escapes of their GBK bytes (code page 936, as iconv names it, the table
// g++'s -fexec-charset=CP936 uses). clang has no -fexec-charset but GBK, so the fuzz build
// compiles such copies and its literals hold the very bytes the program's own build gives them.
// Octal escapes, never hexadecimal ones: a hexadecimal escape would swallow a digit or letter
// that follows it, and a raw GBK byte 0x5C would end up as a backslash inside the literal.
//
// Usage: gbk_literals IN OUT
#include <iconv.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

[[noreturn]] void fail(const std::string& file, const std::string& why) {
  std::cerr << file << ": " << why << "\n";
  std::exit(1);
}

std::string to_cp936(const std::string& utf8, const std::string& file) {
  iconv_t cd = iconv_open("CP936", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) fail(file, "iconv has no CP936");
  std::string out(utf8.size() * 2 + 8, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size();
  char* o = out.data();
  size_t out_left = out.size();
  size_t r = iconv(cd, &in, &in_left, &o, &out_left);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1) || in_left != 0) fail(file, "a literal holds a character GBK cannot write");
  out.resize(out.size() - out_left);
  return out;
}

bool identifier_char(unsigned char c) { return c == '_' || std::isalnum(c) || c >= 0x80; }

class Copier {
 public:
  Copier(std::string text, std::string file) : s_(std::move(text)), file_(std::move(file)) {}

  std::string run() {
    while (i_ < s_.size()) {
      unsigned char c = static_cast<unsigned char>(s_[i_]);
      if (starts("//")) {
        copy_until("\n", false);
      } else if (starts("/*")) {
        copy_until("*/", true);
      } else if (std::isdigit(c) || (c == '.' && i_ + 1 < s_.size() && std::isdigit(byte(i_ + 1)))) {
        number();
      } else if (identifier_char(c)) {
        identifier();
      } else if (c == '"' || c == '\'') {
        literal(true);
      } else {
        out_ += s_[i_++];
      }
    }
    return out_;
  }

 private:
  unsigned char byte(size_t at) const { return static_cast<unsigned char>(s_[at]); }
  bool starts(const char* what) const { return s_.compare(i_, std::char_traits<char>::length(what), what) == 0; }

  void copy_until(const std::string& end, bool include_end) {
    size_t stop = s_.find(end, i_ + 2);
    stop = stop == std::string::npos ? s_.size() : stop + (include_end ? end.size() : 0);
    out_.append(s_, i_, stop - i_);
    i_ = stop;
  }

  // A preprocessing number, with digit separators (1'000'000) and signed exponents.
  void number() {
    size_t start = i_++;
    while (i_ < s_.size()) {
      unsigned char c = byte(i_);
      if ((c == '+' || c == '-') && std::strchr("eEpP", s_[i_ - 1])) {
        ++i_;
      } else if (c == '\'' && i_ + 1 < s_.size() && std::isalnum(byte(i_ + 1))) {
        i_ += 2;
      } else if (std::isalnum(c) || c == '_' || c == '.') {
        ++i_;
      } else {
        break;
      }
    }
    out_.append(s_, start, i_ - start);
  }

  // An identifier; one that prefixes a literal decides how that literal is copied.
  void identifier() {
    size_t start = i_;
    while (i_ < s_.size() && identifier_char(byte(i_))) ++i_;
    std::string name = s_.substr(start, i_ - start);
    out_ += name;
    if (i_ >= s_.size() || (s_[i_] != '"' && s_[i_] != '\'')) return;
    if (name == "R" || name == "LR" || name == "uR" || name == "UR" || name == "u8R") {
      raw_literal(name == "R");
    } else if (name == "L" || name == "u" || name == "U" || name == "u8") {
      literal(false);  // not in the narrow execution character set
    }
  }

  void raw_literal(bool narrow) {
    size_t open = s_.find('(', i_);
    if (open == std::string::npos) fail(file_, "unterminated raw literal");
    std::string close = ")" + s_.substr(i_ + 1, open - i_ - 1) + "\"";
    size_t end = s_.find(close, open);
    if (end == std::string::npos) fail(file_, "unterminated raw literal");
    end += close.size();
    for (size_t k = i_; narrow && k < end; ++k)
      if (byte(k) >= 0x80) fail(file_, "a raw literal holds non-ASCII text; write it as an ordinary literal");
    out_.append(s_, i_, end - i_);
    i_ = end;
  }

  void literal(bool convert) {
    char quote = s_[i_];
    out_ += s_[i_++];
    while (i_ < s_.size() && s_[i_] != quote) {
      if (s_[i_] == '\n') fail(file_, "unterminated literal");
      if (s_[i_] == '\\' && i_ + 1 < s_.size()) {
        out_.append(s_, i_, 2);
        i_ += 2;
      } else if (convert && byte(i_) >= 0x80) {
        size_t start = i_;
        while (i_ < s_.size() && byte(i_) >= 0x80) ++i_;
        for (unsigned char b : to_cp936(s_.substr(start, i_ - start), file_)) {
          char escape[5];
          std::snprintf(escape, sizeof escape, "\\%03o", b);
          out_ += escape;
        }
      } else {
        out_ += s_[i_++];
      }
    }
    if (i_ >= s_.size()) fail(file_, "unterminated literal");
    out_ += s_[i_++];
  }

  std::string s_, file_, out_;
  size_t i_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gbk_literals IN OUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) fail(argv[1], "cannot be read");
  std::stringstream text;
  text << in.rdbuf();
  std::string converted = Copier(text.str(), argv[1]).run();
  std::filesystem::path out_path = argv[2];
  if (out_path.has_parent_path()) std::filesystem::create_directories(out_path.parent_path());
  std::ofstream out(out_path, std::ios::binary | std::ios::trunc);
  out << converted;
  if (!out.flush()) fail(out_path.string(), "cannot be written");
  return 0;
}
