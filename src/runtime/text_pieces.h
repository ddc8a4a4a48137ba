#pragma once
// Where a piece of a long text ends when it is handed to the page editor piece by piece (see
// runtime/edit_box.h): at the first line end after the piece's length when one comes soon,
// otherwise after the length, but never between a CR and its LF.
#include <cstddef>
#include <string_view>

namespace rt {

// The end of the piece that starts at from and holds about length characters: after the first
// LF at or past from + length when it lies within slack more characters; the end of the text
// when less than that is left.
size_t piece_end(std::u16string_view text, size_t from, size_t length, size_t slack = 4096);

}  // namespace rt
