#pragma once
// The skin frame every tool window (and the message box) wears, and the thin coloured border
// of edit boxes.
#include <array>
#include <string_view>
#include <vector>

#include "runtime/graphic_button.h"
#include "runtime/label.h"
#include "runtime/picture.h"
#include "runtime/window.h"

// The eight frame labels and their pictures, in the order top-left, top, top-right, left,
// right, bottom-left, bottom, bottom-right.
using SkinLabels = std::array<rt::Label*, 8>;
using SkinPictures = std::array<rt::Picture, 8>;

// A rounded-rectangle region over the whole window, corner size radius (0 removes it).
// The handle form works for the program's own windows.
void set_round_region(rt::WindowHandle window, int radius);
void set_unit_round_region(rt::Window& window, int radius);

// Gives the labels their pictures, pins the left and top ones and lays the frame out.
void apply_child_window_skin(rt::Window& window, int radius, const SkinLabels& labels, const SkinPictures& pictures);
// The layout half alone: the region, then the labels along the window's edges. Does nothing
// unless the window and its top-left label are loaded.
void layout_child_window_skin(rt::Window& window, int radius, const SkinLabels& labels);

// The frame labels of a tool window, made along the edges of its design size: the title strip
// (with the title) and its two corners on top, 2-pixel sides and bottom, 4-pixel bottom corners.
void create_tool_window_frame(rt::Window& window, const SkinLabels& labels, std::string_view title);
// The buttons on a title strip (a tool window's icon and close button) lie over the strip and its
// two corners: the overlap such a form means (rt::Window::intended_overlaps).
rt::Window::Overlap title_strip_buttons(const SkinLabels& labels, std::vector<const rt::Unit*> buttons);
// The thin frame labels of a popup (common/popup_art.h), made along the edges of its design size.
void create_popup_frame(rt::Window& window, const SkinLabels& labels);
// A tool window as its created event dresses it: fully transparent until its fade-in, the
// program icon and the close button's pictures, the skin frame with corner size 4.
void dress_tool_window(rt::Window& window, const SkinLabels& labels, rt::GraphicButton& icon_button,
                       const rt::Picture& icon, rt::GraphicButton& close_button);

// A 1-pixel frame in the colour (Windows RGB) around the window, painted after the window's
// own painting. Installed once per window: a second call does nothing; it goes with the window.
void install_colored_border(rt::WindowHandle window, unsigned color);

// A press on a skinned window's title strip: the system moves the window while the button is
// held, as it would by a caption.
void move_window_by_title(rt::Window& window);
