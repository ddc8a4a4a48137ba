#include "runtime/reading_order.h"

#include <algorithm>
#include <numeric>

namespace rt {
namespace {

bool holds(const Box& frame, const Box& b) {
  int x = b.left + b.width / 2, y = b.top + b.height / 2;
  return x >= frame.left && x < frame.left + frame.width && y >= frame.top && y < frame.top + frame.height;
}

// Rows from the top, each from the left.
std::vector<size_t> by_rows(const std::vector<Box>& boxes, std::vector<size_t> which) {
  std::stable_sort(which.begin(), which.end(), [&](size_t a, size_t b) {
    return boxes[a].top != boxes[b].top ? boxes[a].top < boxes[b].top : boxes[a].left < boxes[b].left;
  });
  std::vector<size_t> out;
  out.reserve(which.size());
  for (size_t start = 0; start < which.size();) {
    const Box& first = boxes[which[start]];
    int lowest = first.height;
    size_t end = start + 1;
    while (end < which.size()) {
      const Box& b = boxes[which[end]];
      if (2 * (b.top - first.top) >= std::min(lowest, b.height)) break;
      lowest = std::min(lowest, b.height);
      ++end;
    }
    std::stable_sort(which.begin() + static_cast<std::ptrdiff_t>(start), which.begin() + static_cast<std::ptrdiff_t>(end),
                     [&](size_t a, size_t b) { return boxes[a].left < boxes[b].left; });
    out.insert(out.end(), which.begin() + static_cast<std::ptrdiff_t>(start), which.begin() + static_cast<std::ptrdiff_t>(end));
    start = end;
  }
  return out;
}

}  // namespace

std::vector<size_t> reading_order(const std::vector<Box>& boxes, const std::vector<Box>& frames) {
  // Each box's frame (the smallest that holds it), or none.
  const size_t none = frames.size();
  std::vector<size_t> frame_of(boxes.size(), none);
  for (size_t i = 0; i < boxes.size(); ++i)
    for (size_t f = 0; f < frames.size(); ++f) {
      if (!holds(frames[f], boxes[i])) continue;
      size_t& mine = frame_of[i];
      if (mine == none ||
          static_cast<long long>(frames[f].width) * frames[f].height <
              static_cast<long long>(frames[mine].width) * frames[mine].height)
        mine = f;
    }
  // The entries of the page: the boxes of no frame, then the frames that hold boxes.
  std::vector<Box> entries;
  std::vector<size_t> entry_box, entry_frame;  // one of them names the entry
  for (size_t i = 0; i < boxes.size(); ++i)
    if (frame_of[i] == none) {
      entries.push_back(boxes[i]);
      entry_box.push_back(i);
      entry_frame.push_back(none);
    }
  for (size_t f = 0; f < frames.size(); ++f)
    if (std::find(frame_of.begin(), frame_of.end(), f) != frame_of.end()) {
      entries.push_back(frames[f]);
      entry_box.push_back(boxes.size());
      entry_frame.push_back(f);
    }
  std::vector<size_t> all(entries.size());
  std::iota(all.begin(), all.end(), size_t{0});
  std::vector<size_t> out;
  out.reserve(boxes.size());
  for (size_t e : by_rows(entries, all)) {
    if (entry_frame[e] == none) {
      out.push_back(entry_box[e]);
      continue;
    }
    std::vector<size_t> inside;
    for (size_t i = 0; i < boxes.size(); ++i)
      if (frame_of[i] == entry_frame[e]) inside.push_back(i);
    for (size_t i : by_rows(boxes, inside)) out.push_back(i);
  }
  return out;
}

}  // namespace rt
