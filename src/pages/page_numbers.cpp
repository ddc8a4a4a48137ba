#include "pages/page_numbers.h"

#include <cmath>

#include "runtime/gbk_text.h"

int largest_page_number(int tab_count, bool placeholder) { return placeholder ? tab_count - 1 : tab_count; }

int tab_of_page_number(std::string_view typed, int tab_count, bool placeholder) {
  // A double holds every digit string without wrapping; one that large is simply out of range.
  double n = rt::text_to_number(typed);
  if (!(n >= 1) || n > largest_page_number(tab_count, placeholder)) return -1;
  int number = static_cast<int>(std::trunc(n));
  return placeholder ? number : number - 1;
}

std::vector<int> name_search_order(int tab_count, int current, bool placeholder) {
  std::vector<int> order;
  int first = placeholder ? 1 : 0;
  for (int tab = current + 1; tab < tab_count; ++tab)
    if (tab >= first) order.push_back(tab);
  for (int tab = first; tab < current && tab < tab_count; ++tab) order.push_back(tab);
  return order;
}

int tab_of_page_name(const std::vector<std::string>& names, int current, bool placeholder, std::string_view text) {
  for (int tab : name_search_order(static_cast<int>(names.size()), current, placeholder))
    if (rt::find_text(names[static_cast<size_t>(tab)], text) != -1) return tab;
  return -1;
}
