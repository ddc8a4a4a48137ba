#pragma once
// Page numbers and page names as the jump window sees them. Numbers count the visible pages
// from 1: while tab 0 is a switched-off placeholder it does not count, so number n is tab n,
// else tab n - 1.
#include <string>
#include <string_view>
#include <vector>

int largest_page_number(int tab_count, bool placeholder);
// The tab that the typed number stands for, or -1 when it is below 1 or above the largest
// number. A fraction is truncated; a digit string of any length is read without wrapping.
int tab_of_page_number(std::string_view typed, int tab_count, bool placeholder);
// The tabs a name search visits: those after the current one, then those before it, never the
// current tab nor the placeholder.
std::vector<int> name_search_order(int tab_count, int current, bool placeholder);
// The first tab in that order whose name (names[tab]) contains the text, byte for byte with case
// kept, on character boundaries; -1 when none does.
int tab_of_page_name(const std::vector<std::string>& names, int current, bool placeholder, std::string_view text);
