#pragma once
// The text of the benchmarks' pages, without anything of the program: the black-box benchmark
// writes it into files too.
#include <string>
#include <string_view>

namespace bench {

// Chinese lines of 40 to 80 characters with some Latin words and numbers, CR LF after each, and
// the marker `marks` times, evenly spread at the lines' starts (once: in the middle line); the same text on every run.
inline std::string chinese_page(size_t bytes, std::string_view marker = {}, int marks = 1) {
  static const std::string pool =
      "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而"
      "方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好"
      "应开它合还因由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向"
      "道命此变条，，，。。、；：？！“”（）";
  const size_t chars = pool.size() / 2;
  unsigned seed = 20240601;
  auto next = [&] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  std::string s;
  s.reserve(bytes + 200);
  int marked = marker.empty() ? marks : 0;
  while (s.size() < bytes) {
    while (marked < marks && s.size() >= bytes / static_cast<size_t>(marks + 1) * static_cast<size_t>(marked + 1)) {
      s += marker;
      ++marked;
    }
    size_t length = 40 + next() % 41;
    for (size_t i = 0; i < length; ++i) {
      if (next() % 29 == 0)
        s += " Velmora " + std::to_string(next() % 1000) + " ";
      else
        s.append(pool, (next() % chars) * 2, 2);
    }
    s += "\r\n";
  }
  return s;
}

}  // namespace bench
