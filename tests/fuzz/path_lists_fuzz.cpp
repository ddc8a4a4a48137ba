// The lists of paths in one text, whatever bytes the paths end in: the saved tab set (the three
// writers, then the readers give back every path written and the ones appended after, also after
// a file of any older bytes), the open-path list (its entries follow a model of the tabs through
// appends, replacements and removals, and are found whole and without case), the hand-over box
// (what second instances write, one after the other, arrives whole at the next poll), and the
// batch operations' new names and clash names (built as the naming rules say).
//
// Input: up to eight paths (a length byte and the bytes each; the characters no path holds, "|",
// "?" and the zero byte, are taken out), an older file's bytes, then the steps: a byte for the
// kind and what it needs.
#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/hand_over_rules.h"
#include "documents/batch_rules.h"
#include "fuzz_check.h"
#include "fuzz_models.h"
#include "pages/open_path_list.h"
#include "pages/tab_set_text.h"
#include "runtime/gbk_text.h"

namespace {

using std::string;
using std::string_view;
using std::vector;

// A path as a file system can name it: without the characters "|", "?" and the zero byte.
string as_path(string_view raw) {
  string out;
  for (string_view c : fuzz::characters(raw))
    if (c != "|" && c != "?" && c.find('\0') == string_view::npos) out += c;
  return out;
}
bool holds_no_bar(string_view p) {
  return !fuzz::holds_char(p, '|') && !fuzz::holds_char(p, '?') && p.find('\0') == string_view::npos;
}

vector<string> non_empty(const vector<string>& paths) {
  vector<string> out;
  for (const string& p : paths)
    if (!p.empty()) out.push_back(p);
  return out;
}

// ---------------------------------------------------------------- the saved tab set

bool blank_set(string_view text) {
  for (string_view c : fuzz::characters(text))
    if (c != "|" && c != " " && c != "\xA1\xA1") return false;
  return true;
}

void check_tab_set(const vector<string>& paths, string_view older) {
  // The main menu's save: the paths of the pages that have one.
  string saved = open_tabs_text(paths);
  FUZZ_CHECK(tab_set_paths(saved) == non_empty(paths));
  FUZZ_CHECK(tab_set_pieces(saved) == non_empty(paths));
  // The tab manager's save: every row's path, empty ones too.
  string rows = tab_set_rows_text(paths);
  FUZZ_CHECK(tab_set_pieces(rows) == paths);
  FUZZ_CHECK(tab_set_paths(rows) == non_empty(paths));

  // The tab menu's appends, to a missing file, to either save, and to a file of older bytes:
  // every path the file held before and then each one appended.
  string older_text = tab_set_text_of_bytes(older);
  FUZZ_CHECK(older_text == older.substr(0, older.find('\0')));
  for (string text : {string(), saved, rows, older_text}) {
    vector<string> expected = tab_set_paths(text);
    for (const string& p : paths) {
      text = tab_set_with_path(text, p);
      if (!p.empty()) expected.push_back(p);
      FUZZ_CHECK(tab_set_paths(text) == expected);
    }
    FUZZ_CHECK(tab_set_is_blank(text) == blank_set(text));
    FUZZ_CHECK(tab_set_menu_caption(text) == (text.empty() ? kSaveOpenTabsCaption : kLoadSavedTabsCaption));
  }
  FUZZ_CHECK(tab_set_is_blank(older_text) == blank_set(older_text));
}

// ---------------------------------------------------------------- the open-path list

struct OpenPaths {
  string list = " |";  // tab 0, a page without a path
  vector<string> tabs{" "};

  void check() {
    FUZZ_CHECK(open_path_entries(list) == tabs);
  }
  int index_by_model(string_view path) const {
    if (path.empty()) return -1;
    for (size_t i = 0; i < tabs.size(); ++i)
      if (fuzz::lowered(tabs[i]) == fuzz::lowered(path)) return static_cast<int>(i);
    return -1;
  }
  void query(string_view path) { FUZZ_CHECK(open_path_index(list, path) == index_by_model(path)); }
  void append(const string& entry) {
    append_open_path_entry(list, entry);
    tabs.push_back(entry);
    check();
  }
  void replace(int index, const string& new_text) {
    bool exists = index >= 0 && index < static_cast<int>(tabs.size());
    string before = list;
    FUZZ_CHECK(replace_open_path_entry(list, index, new_text) == exists);
    if (!exists) {
      FUZZ_CHECK(list == before);
    } else if (new_text.empty()) {
      tabs.erase(tabs.begin() + index);
    } else {
      tabs[static_cast<size_t>(index)] = new_text;
    }
    check();
  }
};

// ---------------------------------------------------------------- the hand-over box

struct HandOver {
  string box = kHandOverIdleText;
  // What the next poll must find: the paths of every list since the last one, or a request to
  // come forward.
  vector<string> pending;
  bool focus = false;

  void second_instance(const vector<string>& paths) {
    string list = hand_over_list(paths);
    FUZZ_CHECK(list.empty() == paths.empty());
    bool idle = box == kHandOverIdleText;
    std::optional<string> message = hand_over_message(box, list);
    if (paths.empty()) {
      // A focus request goes to an idle box only.
      FUZZ_CHECK(message.has_value() == idle);
      if (message) FUZZ_CHECK(*message == kHandOverFocusRequest);
      if (idle) focus = true;
    } else {
      FUZZ_CHECK(message.has_value());
      pending.insert(pending.end(), paths.begin(), paths.end());
      focus = false;
    }
    if (message) box = *message;
  }
  void poll() {
    HandOverRequest r = parse_hand_over_text(box);
    if (!pending.empty()) {
      FUZZ_CHECK(r.kind == HandOverRequest::Files && r.paths == pending);
    } else if (focus) {
      FUZZ_CHECK(r.kind == HandOverRequest::Focus);
    } else {
      FUZZ_CHECK(r.kind == HandOverRequest::Idle);
    }
    box = kHandOverIdleText;
    pending.clear();
    focus = false;
  }
};

// ---------------------------------------------------------------- batch names

// The rules of the naming boxes: the name splits at its last "." (a whole character) into base
// and extension with its dot; the filter rules "what:with", separated by "|", replace in the
// base in order (an empty rule or one without a "what" does nothing); a suffix replaces the
// extension; then prefix + base + postfix + clash suffix + extension, or with a custom name,
// custom + the row's number from 1 + clash suffix + extension.
string batch_name_by_model(string_view file_name, int row, string_view clash, const BatchNaming& n) {
  vector<string_view> cs = fuzz::characters(file_name);
  size_t dot = cs.size();
  for (size_t k = 0; k < cs.size(); ++k)
    if (cs[k] == ".") dot = k;
  string base, extension;
  for (size_t k = 0; k < cs.size(); ++k) (k < dot ? base : extension) += cs[k];
  if (!n.suffix.empty()) extension = n.suffix;
  if (!n.custom.empty()) return n.custom + std::to_string(row + 1) + string(clash) + extension;
  for (const string& rule : fuzz::pieces_between(n.filter_rules, "|")) {
    vector<string> pieces = fuzz::pieces_between(rule, ":");
    if (pieces.empty() || pieces[0].empty()) continue;
    base = fuzz::replaced_everywhere(base, pieces[0], pieces.size() > 1 ? pieces[1] : string(), false);
  }
  return n.prefix + base + n.postfix + string(clash) + extension;
}

string clash_suffix(int counter) { return "-重命名" + std::to_string(counter); }

void check_batch_names(const string& folder, const string& name, int row, const BatchNaming& naming,
                       const vector<int>& taken_counters, bool plain_taken, int& counter) {
  FUZZ_CHECK(build_batch_name(name, row, "", naming) == batch_name_by_model(name, row, "", naming));
  FUZZ_CHECK(build_batch_name(name, row, clash_suffix(counter + 1), naming) ==
             batch_name_by_model(name, row, clash_suffix(counter + 1), naming));
  string path = folder + name;
  string last_part;
  for (size_t i = 0, n = 0; i < path.size(); i += n) {
    n = rt::char_size_at(path, i);
    last_part = path.substr(i, n) == "\\" ? string() : last_part + path.substr(i, n);
  }
  FUZZ_CHECK(batch_file_name(path) == last_part);

  // A folder that holds the plain new name and some of its clash names.
  std::set<string> existing;
  if (plain_taken) existing.insert(folder + batch_name_by_model(name, row, "", naming));
  for (int c : taken_counters) existing.insert(folder + batch_name_by_model(name, row, clash_suffix(c), naming));
  int asked = 0;
  const int before = counter;
  BatchTarget t = batch_target(folder, name, row, naming, counter, [&](const string& p) {
    FUZZ_CHECK(++asked <= static_cast<int>(existing.size()) + 1);
    return existing.count(p) > 0;
  });
  FUZZ_CHECK(existing.count(t.path) == 0);
  if (!plain_taken) {
    FUZZ_CHECK(!t.clashed && counter == before && t.path == folder + batch_name_by_model(name, row, "", naming));
    return;
  }
  // The counter of the run went up past every name taken.
  FUZZ_CHECK(t.clashed && counter > before);
  FUZZ_CHECK(t.path == folder + batch_name_by_model(name, row, clash_suffix(counter), naming));
  for (int c = before + 1; c < counter; ++c)
    FUZZ_CHECK(existing.count(folder + batch_name_by_model(name, row, clash_suffix(c), naming)) > 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::g_input_size = size;
  fuzz::Input in{data, size};
  vector<string> paths;
  for (int n = in.byte() % 9; n > 0; --n) {
    string p = as_path(in.text(24));
    if (holds_no_bar(p)) paths.push_back(p);
  }
  const string older = in.text(64);
  check_tab_set(paths, older);

  auto some_path = [&]() -> string {
    if (paths.empty()) return " ";
    return paths[in.byte() % paths.size()];
  };
  OpenPaths open;
  HandOver hand_over;
  int counter = 0;
  for (int steps = 0; steps < 24 && !in.done(); ++steps) {
    switch (in.byte() % 7) {
      case 0: {
        string p = some_path();
        open.append(p.empty() ? " " : p);  // a page without a path has a blank
        break;
      }
      case 1: {
        int index = in.number(-1, 9);
        string p = in.flag() ? string() : some_path();
        open.replace(index, p);
        break;
      }
      case 2: {
        // The path as listed, or with its letters in another case.
        string p = some_path();
        open.query(in.flag() ? rt::to_upper_ascii(p) : p);
        open.query(as_path(in.text(8)));
        break;
      }
      case 3: {
        vector<string> list;
        for (int n = in.byte() % 4; n > 0; --n) list.push_back(paths.empty() ? string() : some_path());
        hand_over.second_instance(list);
        break;
      }
      case 4:
        hand_over.poll();
        break;
      case 5:
      case 6: {
        BatchNaming naming;
        naming.filter_rules = in.text(16);
        naming.suffix = in.text(6);
        naming.prefix = in.text(6);
        naming.postfix = in.text(6);
        naming.custom = in.flag() ? in.text(6) : string();
        string folder = as_path(in.text(12));
        int row = in.number(0, 1000);
        bool plain_taken = in.flag();
        vector<int> taken;
        for (int n = in.byte() % 6; n > 0; --n) taken.push_back(counter + 1 + in.byte() % 6);
        check_batch_names(folder, some_path(), row, naming, taken, plain_taken, counter);
        break;
      }
    }
  }
  hand_over.poll();
  return 0;
}
