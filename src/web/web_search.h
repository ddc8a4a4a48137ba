#pragma once
// The web search of the mini-mode bar: what is typed into 编辑框_关键词 is asked of the chosen
// engine's suggestion service on a worker, the suggestions fill the popup "Velmora_引擎提示"
// under the box, and Enter, 图形按钮_搜索 or a chosen suggestion opens the engine's result page
// in the browser. A reply for a keyword (or engine) that is no longer the box's is dropped,
// the list is refilled in one step, and 图形按钮_正常模式 stays disabled while any query runs.
#include <string>

#include "web/search_rules.h"

namespace rt {
class MenuItem;
}

// 1 Baidu, 2 Soso, 3 Sogou, 4 Google: the engine chosen last.
int search_engine_number();
// Keyword changes ask for suggestions only while on: off while a chosen suggestion is written
// into the box; every search and every new bar switch them on again.
bool suggestions_enabled();
// A new bar: queries of an earlier one are forgotten, suggestions asked for again.
void reset_web_search();
// A fresh start: a new bar's state and the first engine.
void reset_web_search_state();
// The keyword box changed: suggestions and tips, or the popup hidden for an empty box.
void on_search_keyword_changed();
// Keys of the keyword box: Enter searches, Down and Up move the popup's selection round.
bool on_search_keyword_key(int key, int modifiers);
// 图形按钮_搜索 and Enter: the selected suggestion of the shown popup, else the keyword.
void start_web_search();
// The engine's result page for the text in the browser.
void open_web_search(const std::string& text);
// A suggestion chosen in the list: written into the box without a new query, searched, the
// popup hidden.
void search_clicked_suggestion();
// Suggestion queries are on their way.
bool suggestion_queries_running();

// Focus: the hint goes while the box has it; the first click after it came selects the whole
// keyword; leaving the box hides the popup unless the pointer is over its list.
void on_keyword_focus_got();
void select_keyword_once();
void on_keyword_focus_lost();

// The engine menu "搜索引擎选择" and its items.
void choose_engine(SearchEngine engine);
void choose_engine_baidu();
void choose_engine_soso();
void choose_engine_sogou();
void choose_engine_google();
// Under the engine button, at its left.
void pop_up_engine_menu();
// A highlighted item names its engine in the bar's title.
void show_engine_menu_hint(rt::MenuItem& item);

// The popup's events, and hiding it (emptied when asked).
void on_suggestion_popup_created();
void hide_suggestion_popup(bool clear);
