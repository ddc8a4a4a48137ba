#pragma once
// The order in which the keyboard walks the controls of a dialog: the order a page is read in,
// by rows from the top and from the left within a row, without windows.
#include <cstddef>
#include <vector>

namespace rt {

struct Box {
  int left = 0, top = 0, width = 0, height = 0;
};

// The indexes of boxes in reading order. Boxes lie in one row when the lower one's top lies less
// than half the smaller height below the row's first top (a button beside an edit box a pixel
// lower is on its row; the items beside a tall list are rows of their own). A box whose centre
// lies in a frame goes with the frame's other boxes: the frame takes its place among the rest
// as one box, and its boxes follow each other there, in reading order (the smallest frame
// counts when frames nest).
std::vector<size_t> reading_order(const std::vector<Box>& boxes, const std::vector<Box>& frames = {});

}  // namespace rt
