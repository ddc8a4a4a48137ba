// The walk of another program's tree-view, whose answers may be anything: a count (a hostile
// one too) and a table of what each relation of each handle gives, loops included. The walk
// ends, reads each item once and asks a bounded number of questions; the ancestor climb ends at
// its limit.
#include <cstdint>
#include <cstring>
#include <unordered_set>
#include <vector>

#include "foreign/reader_rules.h"
#include "fuzz_check.h"

namespace {

// The input, read front to back; missing bytes read 0.
struct Input {
  const uint8_t* data;
  size_t size, at = 0;
  uint8_t byte() { return at < size ? data[at++] : 0; }
};

}  // namespace

// Input: the count (a byte b below 240 gives b - 8; from 240 on, the next 4 bytes little-endian
// are any int, a million slots or none), the number n of handles in the table (1 + byte mod 32),
// then for handles 0..n four answers each (root, next, parent, child; a byte mod n + 2, so that
// n + 1 is a handle outside the table, which answers 0), then the climb's limit and start.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::g_input_size = size;
  Input in{data, size};
  int count = in.byte();
  if (count < 240) {
    count -= 8;
  } else {
    uint32_t raw = 0;
    for (int i = 0; i < 4; ++i) raw |= uint32_t{in.byte()} << (8 * i);
    std::memcpy(&count, &raw, sizeof count);
  }
  const uint32_t n = 1 + in.byte() % 32;
  std::vector<uint32_t> table(4 * (n + 1), 0);
  for (uint32_t& answer : table) answer = in.byte() % (n + 2);
  long long asked = 0;
  auto next = [&](uint32_t relation, uint32_t item) -> uint32_t {
    ++asked;
    if (item > n) return 0;
    uint32_t r = relation == kTreeRoot ? 0 : relation == kTreeNext ? 1 : relation == kTreeParent ? 2 : 3;
    return table[4 * item + r];
  };

  std::vector<uint32_t> handles = walk_tree_items(count, next);
  FUZZ_CHECK(handles.size() == static_cast<size_t>(count < 0 ? 0 : std::min(count, kMaxTreeItems)));
  size_t read = 0;
  while (read < handles.size() && handles[read] != 0) ++read;
  std::unordered_set<uint32_t> seen;
  for (size_t i = 0; i < handles.size(); ++i) {
    if (i < read)
      FUZZ_CHECK(seen.insert(handles[i]).second);  // each item once
    else
      FUZZ_CHECK(handles[i] == 0);  // then nothing
  }
  FUZZ_CHECK(asked <= 1 + 3 * static_cast<long long>(read));

  // Climbing the parents of any handle ends at the limit.
  const int limit = in.byte() % 64;
  const uint32_t from = in.byte() % (n + 2);
  asked = 0;
  int steps = count_ancestors(from, uint32_t{0}, limit, [&](uint32_t h) { return next(kTreeParent, h); });
  FUZZ_CHECK(steps >= 0 && steps <= limit && asked <= limit);
  return 0;
}
