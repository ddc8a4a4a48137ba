#include "web/web_search.h"

#include <vector>

#include "common/balloon_tip.h"
#include "common/control_routines.h"
#include "common/mini_art.h"
#include "common/os_version.h"
#include "common/popup_art.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "forms/mini_window_form.h"
#include "forms/suggestion_popup_form.h"
#include "options/config.h"
#include "runtime/app.h"
#include "runtime/foreign_windows.h"
#include "runtime/internet.h"
#include "runtime/window_jobs.h"
#include "web/http_request.h"
#include "web/web_window.h"

namespace {

// 1 Baidu, 2 Soso, 3 Sogou, 4 Google.
int g_search_engine = 1;
// Keyword changes ask for suggestions only while 1: 0 while a chosen suggestion is written into
// the box; every search sets it back to 1.
int g_suggestions_enabled = 1;
// 1 once the keyword box has selected all its text since it got the focus.
int g_keyword_select_all_done = 0;

constexpr int kEnter = 13, kUp = 38, kDown = 40;

MiniWindowForm& m() { return mini_window(); }
SuggestionPopupForm& popup() { return suggestion_popup(); }
rt::EditBox& keyword_box() { return mini_window().编辑框_关键词; }

// The queries of this bar on their way; replies of queries started for an earlier bar are
// dropped.
rt::WindowJobs g_queries;

SearchEngine engine() { return static_cast<SearchEngine>(g_search_engine); }

void query_ended(int generation) {
  g_queries.end(generation);
  if (g_queries.busy()) return;
  m().图形按钮_正常模式.set_disabled(false);
}

void show_suggestions(int generation, SearchEngine asked, const std::string& keyword,
                      const std::vector<std::string>& items) {
  if (!g_queries.current(generation) || !m().loaded()) return;
  query_ended(generation);
  // Only the newest box and engine are answered: a slow reply for an older keyword never
  // replaces the list of the one the box shows.
  if (keyword != keyword_box().text() || asked != engine() || !popup().loaded()) return;
  rt::ListBox& list = popup().列表框_取到提示;
  list.clear();
  list.add_items(items);
  if (items.empty()) {
    popup().set_visible(false);
    return;
  }
  popup().set_visible(true);
}

void fetch_search_suggestions(int generation, SearchEngine asked, std::string keyword, bool popup_loaded) {
  std::vector<std::string> items;
  if (popup_loaded && is_internet_reachable())
    items = search_suggestions(asked, keyword, [](const std::string& address) { return rt::http_get(address); });
  rt::post([=] { show_suggestions(generation, asked, keyword, items); });
}

void start_suggestion_query(const std::string& keyword) {
  const int generation = g_queries.begin();
  // Leaving mini mode would take the bar from under the queries.
  m().图形按钮_正常模式.set_disabled(true);
  const SearchEngine asked = engine();
  const bool popup_loaded = popup().loaded();
  rt::start_thread([=] { fetch_search_suggestions(generation, asked, keyword, popup_loaded); },
                   // A query that failed has ended too: the bar's normal-mode button waits for no more.
                   [generation] {
                     if (g_queries.current(generation) && m().loaded()) query_ended(generation);
                   });
}

void show_engine_tips(SearchEngine e) {
  const std::string tip = search_engine_tip(e);
  set_balloon_tip(m().图形按钮_搜索引擎, tip);
  set_balloon_tip(m().图形按钮_下拉, tip);
}

}  // namespace

void reset_web_search() {
  g_queries.restart();
  g_keyword_select_all_done = 0;
  g_suggestions_enabled = 1;
}

void reset_web_search_state() {
  reset_web_search();
  g_search_engine = 1;
}

int search_engine_number() { return g_search_engine; }

bool suggestions_enabled() { return g_suggestions_enabled != 0; }

bool suggestion_queries_running() { return g_queries.busy(); }

void on_search_keyword_changed() {
  MiniWindowForm& w = m();
  if (!w.loaded()) return;
  const std::string keyword = keyword_box().text();
  if (!keyword.empty()) {
    // The hint names the engine over an empty box only.
    w.标签_提示搜索引擎.set_visible(false);
    if (g_suggestions_enabled == 1) start_suggestion_query(keyword);
    set_balloon_tip(keyword_box(), keyword);
    set_balloon_tip(w.图形按钮_搜索, "搜索:\"" + keyword + "\"");
    return;
  }
  hide_suggestion_popup(true);
  set_balloon_tip(keyword_box(), "");
  set_balloon_tip(w.图形按钮_搜索, "");
}

bool on_search_keyword_key(int key, int modifiers) {
  if (modifiers != 0) return true;
  switch (key) {
    case kEnter:
      start_web_search();
      return false;  // a single-line box only beeps at it
    case kDown:
    case kUp:
      if (popup().loaded()) step_list_selection_round(popup().列表框_取到提示, key == kDown);
      return true;
    default:
      return true;
  }
}

void start_web_search() {
  // A selection counts while the user sees it.
  if (popup().loaded() && popup().visible() && popup().列表框_取到提示.current() >= 0)
    search_clicked_suggestion();
  else
    open_web_search(keyword_box().text());
}

void open_web_search(const std::string& text) {
  std::string address = search_result_address(engine(), text);
  if (!address.empty()) open_in_browser(address);
  g_suggestions_enabled = 1;
}

void search_clicked_suggestion() {
  if (!popup().loaded()) return;
  std::string chosen = popup().列表框_取到提示.text();
  if (chosen.empty()) return;
  g_suggestions_enabled = 0;
  keyword_box().set_text(chosen);
  open_web_search(chosen);
  hide_suggestion_popup(false);
}

void on_keyword_focus_got() {
  m().标签_提示搜索引擎.set_visible(false);
  g_keyword_select_all_done = 0;
}

void select_keyword_once() {
  if (g_keyword_select_all_done) return;
  keyword_box().select(0, keyword_box().text_length());
  g_keyword_select_all_done = 1;
}

void on_keyword_focus_lost() {
  if (!popup().loaded()) return;
  // A press on a suggestion takes the focus first; its choice must still arrive.
  rt::WindowHandle under = rt::window_from_point(rt::cursor_screen_position());
  if (under == popup().列表框_取到提示.handle()) return;
  if (keyword_box().text().empty()) m().标签_提示搜索引擎.set_visible(true);
  hide_suggestion_popup(false);
}

void choose_engine(SearchEngine e) {
  MiniWindowForm& w = m();
  g_search_engine = static_cast<int>(e);
  const rt::Picture& icon = w.超级菜单.image_on(g_search_engine - 1, kKeywordFieldColor);
  w.图形按钮_搜索引擎.set_pictures(icon, icon, icon);
  show_engine_tips(e);
  w.标签_提示搜索引擎.set_text(search_engine_name(e));
  // The suggestions follow the new engine.
  on_search_keyword_changed();
}

void choose_engine_baidu() { choose_engine(SearchEngine::kBaidu); }
void choose_engine_soso() { choose_engine(SearchEngine::kSoso); }
void choose_engine_sogou() { choose_engine(SearchEngine::kSogou); }
void choose_engine_google() { choose_engine(SearchEngine::kGoogle); }

void pop_up_engine_menu() {
  MiniWindowForm& w = m();
  rt::MenuItem* menu = w.超级菜单.menu("搜索引擎选择");
  if (!menu) return;
  rt::GraphicButton& b = w.图形按钮_搜索引擎;
  w.超级菜单.popup(*menu, w.left() + b.left(), w.top() + b.top() + b.height());
}

void show_engine_menu_hint(rt::MenuItem& item) {
  std::string hint = engine_menu_hint(item.caption);
  if (!hint.empty()) m().标签_上中.set_text(hint);
}

void on_suggestion_popup_created() {
  SuggestionPopupForm& p = popup();
  MiniWindowForm& w = m();
  rt::EditBox& box = keyword_box();
  p.move(w.left() + box.left(), w.top() + box.top() + box.height(), p.width(), p.height());
  apply_child_window_skin(p, 3, p.frame_labels(), open_pages_popup_frame_pictures());
  p.set_mouse_pointer(program_pointer_cursor().handle());
  p.列表框_取到提示.set_mouse_pointer(program_pointer_cursor().handle());
  if (os_version_code() == 9) p.列表框_取到提示.set_font({0, false, false, false, false, 9, "微软雅黑"});
  p.set_alpha(config_int(cfg::程序设置::窗口透明度));
}

void hide_suggestion_popup(bool clear) {
  if (!popup().loaded()) return;
  if (clear) popup().列表框_取到提示.clear();
  popup().set_visible(false);
}

void bind_suggestion_popup(SuggestionPopupForm& f) {
  f.on_created = on_suggestion_popup_created;
  f.列表框_取到提示.on_changed = search_clicked_suggestion;
}
