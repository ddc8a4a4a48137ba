#include "runtime/tip_markup.h"

#include <cctype>
#include <cstdlib>

#include "runtime/gbk_text.h"

namespace rt {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '"' || s.front() == '\'')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '"' || s.back() == '\'')) s.remove_suffix(1);
  return s;
}

unsigned rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

std::optional<unsigned> number(std::string_view v) {
  if (v.empty() || v.size() > 10) return std::nullopt;
  for (char c : v)
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  unsigned long n = std::strtoul(std::string(v).c_str(), nullptr, 10);
  if (n > 0xFFFFFF) return std::nullopt;
  return static_cast<unsigned>(n);
}

std::optional<unsigned> colour(std::string_view value) {
  const std::string v = lower(trim(value));
  struct Named {
    const char* name;
    unsigned r, g, b;
  };
  static const Named kNames[] = {
      {"black", 0, 0, 0},       {"silver", 192, 192, 192}, {"gray", 128, 128, 128},  {"grey", 128, 128, 128},
      {"white", 255, 255, 255}, {"maroon", 128, 0, 0},     {"red", 255, 0, 0},       {"purple", 128, 0, 128},
      {"fuchsia", 255, 0, 255}, {"green", 0, 128, 0},      {"lime", 0, 255, 0},      {"olive", 128, 128, 0},
      {"yellow", 255, 255, 0},  {"navy", 0, 0, 128},       {"blue", 0, 0, 255},      {"teal", 0, 128, 128},
      {"aqua", 0, 255, 255},
  };
  for (const Named& n : kNames)
    if (v == n.name) return rgb(n.r, n.g, n.b);
  if (v.size() == 7 && v[0] == '#') {
    unsigned x = 0;
    for (size_t k = 1; k < 7; ++k) {
      if (!std::isxdigit(static_cast<unsigned char>(v[k]))) return std::nullopt;
      x = x * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(v[k])) ? v[k] - '0' : v[k] - 'a' + 10);
    }
    return rgb(x >> 16, (x >> 8) & 0xFF, x & 0xFF);
  }
  return number(v);
}

void append(std::vector<TipRun>& runs, std::string_view text, std::optional<unsigned> color) {
  if (text.empty()) return;
  if (!runs.empty() && runs.back().color == color)
    runs.back().text += text;
  else
    runs.push_back({std::string(text), color});
}

bool is_word_byte(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::string TipMarkup::plain() const {
  std::string out;
  for (const TipRun& r : runs) out += r.text;
  return out;
}

TipMarkup parse_tip_markup(std::string_view text) {
  TipMarkup m;
  std::optional<unsigned> run_color;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '<') {
      const size_t close = text.find('>', i);
      if (close != std::string_view::npos) {
        const std::string_view tag = text.substr(i + 1, close - i - 1);
        const std::string name = lower(tag.substr(0, tag.find_first_of(" =")));
        const size_t eq = tag.find('=');
        const std::string_view value = eq == std::string_view::npos ? std::string_view{} : tag.substr(eq + 1);
        bool known = true;
        if (name == "/font") {
          run_color.reset();
        } else if (name == "font") {
          // Its colour, or none: a bare <font> ends the run.
          const std::string attributes = lower(tag.substr(4));
          const size_t at = attributes.find("color");
          const size_t is = at == std::string::npos ? at : attributes.find('=', at);
          if (is == std::string::npos) {
            run_color.reset();
          } else {
            std::string_view v = tag.substr(4 + is + 1);
            run_color = colour(v.substr(0, v.find(' ')));
          }
        } else if (name == "color" && eq != std::string_view::npos) {
          m.text_color = colour(value);
        } else if (name == "backcolor" && eq != std::string_view::npos) {
          m.back_color = colour(value);
        } else if (name == "bordercolor" && eq != std::string_view::npos) {
          m.border_color = colour(value);
        } else {
          known = false;
        }
        if (known) {
          i = close + 1;
          continue;
        }
      }
    }
    const size_t n = char_size_at(text, i);
    append(m.runs, text.substr(i, n), run_color);
    i += n;
  }
  return m;
}

TipLines break_tip_lines(const TipMarkup& markup, int max_width, const std::function<int(std::string_view)>& width_of) {
  // The characters in order with their colours.
  struct Char {
    std::string_view text;
    std::optional<unsigned> color;
  };
  std::vector<Char> chars;
  for (const TipRun& r : markup.runs)
    for (size_t i = 0; i < r.text.size();) {
      const size_t n = char_size_at(r.text, i);
      chars.push_back({std::string_view(r.text).substr(i, n), r.color});
      i += n;
    }
  TipLines lines;
  std::vector<Char> line;
  std::string line_text;
  auto end_line = [&] {
    std::vector<TipRun> runs;
    for (const Char& c : line) append(runs, c.text, c.color);
    lines.push_back(std::move(runs));
    line.clear();
    line_text.clear();
  };
  for (size_t k = 0; k < chars.size(); ++k) {
    const Char c = chars[k];
    if (c.text == "\r" && k + 1 < chars.size() && chars[k + 1].text == "\n") continue;
    if (c.text == "\n") {
      end_line();
      continue;
    }
    if (!line.empty() && width_of(line_text + std::string(c.text)) > max_width) {
      std::vector<Char> carried;
      if (c.text.size() == 1 && is_word_byte(c.text[0])) {
        // Back to the blank before the word, when the line has one.
        size_t b = line.size();
        while (b > 0 && line[b - 1].text.size() == 1 && is_word_byte(line[b - 1].text[0])) --b;
        if (b > 0 && line[b - 1].text == " ") {
          carried.assign(line.begin() + static_cast<std::ptrdiff_t>(b), line.end());
          line.resize(b - 1);
        }
      }
      if (c.text == " " && carried.empty()) {
        end_line();
        continue;  // the blank at the break goes
      }
      end_line();
      for (const Char& d : carried) {
        line.push_back(d);
        line_text += d.text;
      }
    }
    line.push_back(c);
    line_text += c.text;
  }
  if (!line.empty() || lines.empty() || (!chars.empty() && chars.back().text == "\n")) end_line();
  return lines;
}

std::string tip_lines_text(const TipLines& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) out += "\r\n";
    for (const TipRun& r : lines[i]) out += r.text;
  }
  return out;
}

}  // namespace rt
