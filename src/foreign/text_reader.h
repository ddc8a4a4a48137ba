#pragma once
// Any window of this process or another turned into one text: the contents of the control as
// its kind (told by its class name) allows them to be read. Nothing is kept between calls and
// nothing is reported: a control that cannot be read gives an empty or partial text. Every
// message is bounded: a hung window counts as giving no answer.
#include <string>

#include "runtime/app.h"
#include "runtime/late_bound.h"

std::string read_window_text_by_class(rt::WindowHandle window);

// The readers by kind.
std::string read_edit_control_text(rt::WindowHandle window);
std::string read_list_box_items(rt::WindowHandle window);
std::string read_combo_box_items(rt::WindowHandle window);
std::string read_status_bar_parts(rt::WindowHandle window);
std::string read_tree_view_items(rt::WindowHandle window);
std::string read_list_view_table(rt::WindowHandle window);
std::string read_browser_element_report(rt::WindowHandle window);
std::string read_header_texts(rt::WindowHandle window);

// The web page's document of an "Internet Explorer_Server" window, or an empty object.
rt::LateBoundObject get_browser_document(rt::WindowHandle window);
// The element under the mouse pointer: fills the five texts and returns the outer HTML.
std::string query_browser_element_at_cursor(rt::WindowHandle window, std::string& url, std::string& tag,
                                            std::string& id, std::string& inner_text, std::string& outer_html);
