#pragma once
// The layout check of a window: what a user sees in it now.
// - The window lies on the screen.
// - Every visible unit lies inside its parent (the window, or the unit it is a child of), unless
//   the form lets it run past the edge.
// - No two visible sibling units share a pixel, unless the form lays one over the other on
//   purpose (rt::Window::intended_overlaps) and that one lies above; a group box frames the units
//   that lie wholly inside it (beneath them), any other unit keeps off it.
// - Every label's and button's text fits the box it is drawn into, measured with the font and the
//   format the unit draws it with (a label that ends a long line in "..." may cut its width), and
//   no opaque unit above it covers any of it.
// - A text box that wraps its lines (no horizontal scrolling) keeps every line inside its width.
// Hidden units are left out; units are named by their class, their text and their rectangle in
// their parent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/window.h"

namespace ui_test {

// One line per fault; empty when the window shows as it should.
std::vector<std::string> layout_faults(rt::Window& window);
// For EXPECT_TRUE: the faults, with the window's caption and size, as the message.
::testing::AssertionResult layout_is_sound(rt::Window& window);

}  // namespace ui_test
