// The window-free rules of the control readers: the reader a class gets, the item loops of
// list and combo boxes, the bounded tree walk, and what typing posts.
#include "foreign/reader_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

TEST(ReaderRules, ClassNameChoosesTheFirstReaderInOrder) {
  const struct {
    const char* class_name;
    ControlReader reader;
  } cases[] = {
      {"Edit", ControlReader::Edit},
      {"EDIT", ControlReader::Edit},
      {"RichEdit20A", ControlReader::Edit},
      {"RICHEDIT50W", ControlReader::Edit},
      {"EditListBox", ControlReader::Edit},  // first hit wins
      {"ListBox", ControlReader::ListBox},
      {"ComboBox", ControlReader::ComboBox},
      {"ComboBoxEx32", ControlReader::ComboBox},
      {"ComboLBox", ControlReader::ListBox},  // the drop-down list of a combo box
      {"msctls_statusbar32", ControlReader::StatusBar},
      {"SysTreeView32", ControlReader::TreeView},
      {"MyTreeView", ControlReader::TreeView},
      {"SysListView32", ControlReader::ListView},
      {"Internet Explorer_Server", ControlReader::Browser},
      {"internet explorer_server", ControlReader::Browser},
      {"SysHeader32", ControlReader::Header},
      {"Static", ControlReader::None},
      {"Button", ControlReader::None},
      {"", ControlReader::None},
  };
  for (const auto& c : cases) EXPECT_EQ(reader_for_class(c.class_name), c.reader) << c.class_name;
}

TEST(ReaderRules, ListBoxLinesStopAtAnUnansweredItemAndAtTheCount) {
  std::vector<std::optional<std::string>> items = {"甲", "", std::string(300, 'x'), std::nullopt, "never"};
  auto item = [&](int i) { return items.at(static_cast<size_t>(i)); };
  EXPECT_EQ(list_box_lines(5, item), "甲\r\n\r\n" + std::string(300, 'x') + "\r\n");
  EXPECT_EQ(list_box_lines(2, item), "甲\r\n\r\n");
  EXPECT_EQ(list_box_lines(0, item), "");
  EXPECT_EQ(list_box_lines(-1, item), "");  // LB_ERR
}

// A combo box as its messages see it: the item texts, CB_ERR past the end.
struct FakeCombo {
  std::vector<std::string> items;
  int asked_text = 0;
  int length(int i) const { return i < static_cast<int>(items.size()) ? static_cast<int>(items[i].size()) : -1; }
  std::string text(int i, int) {
    ++asked_text;
    return items.at(static_cast<size_t>(i));
  }
  std::string lines(int count) {
    return combo_box_lines(
        count, [this](int i) { return length(i); }, [this](int i, int n) { return text(i, n); });
  }
  std::string lines() { return lines(static_cast<int>(items.size())); }
};

TEST(ReaderRules, ComboLinesLeaveOutEmptyAndBlankItemsAndEndAtTwoEmptyInARow) {
  EXPECT_EQ((FakeCombo{{"A", "", "B"}}.lines()), "A\r\nB\r\n");
  EXPECT_EQ((FakeCombo{{"A", "", "", "B"}}.lines()), "A\r\n");
  EXPECT_EQ((FakeCombo{{"A", "   ", "B"}}.lines()), "A\r\nB\r\n");
  EXPECT_EQ((FakeCombo{{"中文", "B"}}.lines()), "中文\r\nB\r\n");
  EXPECT_EQ((FakeCombo{{"", "A"}}.lines()), "");  // the empty previous text matches at once
  EXPECT_EQ((FakeCombo{{}}.lines()), "");
}

TEST(ReaderRules, ComboLinesAreBoundByTheCountAndNeverAskForEmptyItems) {
  FakeCombo combo{{"A", "", "B", "C"}};
  EXPECT_EQ(combo.lines(2), "A\r\n");
  EXPECT_EQ(combo.asked_text, 1);
  EXPECT_EQ(combo.lines(-1), "");  // CB_ERR from the count
}

// A tree as TVM_GETNEXTITEM answers: parent and children by handle, or the answers a control
// of another program gives instead (`forced`, by relation and item), and the questions asked.
struct FakeTree {
  std::map<uint32_t, std::vector<uint32_t>> children;  // 0 holds the top items
  std::map<uint32_t, uint32_t> parent;
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> forced;
  int asked = 0;
  void add(uint32_t p, uint32_t h) {
    children[p].push_back(h);
    parent[h] = p;
  }
  uint32_t next(uint32_t relation, uint32_t item) {
    ++asked;
    if (auto it = forced.find({relation, item}); it != forced.end()) return it->second;
    switch (relation) {
      case kTreeRoot:
        return children[0].empty() ? 0 : children[0][0];
      case kTreeChild:
        return children[item].empty() ? 0 : children[item][0];
      case kTreeParent:
        return parent[item];
      case kTreeNext: {
        auto& siblings = children[parent[item]];
        for (size_t i = 0; i + 1 < siblings.size(); ++i)
          if (siblings[i] == item) return siblings[i + 1];
        return 0;
      }
    }
    return 0;
  }
  std::vector<uint32_t> walk(int count) {
    return walk_tree_items(count, [this](uint32_t r, uint32_t h) { return next(r, h); });
  }
};

TEST(ReaderRules, TreeWalkIsPreOrderAndEndsWhenTheArrayIsFull) {
  FakeTree t;  // A (B (C)), D (E), F
  t.add(0, 1);
  t.add(1, 2);
  t.add(2, 3);
  t.add(0, 4);
  t.add(4, 5);
  t.add(0, 6);
  EXPECT_EQ(t.walk(6), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6}));
  // A tree that grew since it was counted: the walk stops at the counted number.
  EXPECT_EQ(t.walk(4), (std::vector<uint32_t>{1, 2, 3, 4}));
  // One that shrank: the slots the walk does not reach stay 0.
  EXPECT_EQ(t.walk(8), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 0, 0}));
  EXPECT_EQ(FakeTree{}.walk(0), std::vector<uint32_t>{});
}

TEST(ReaderRules, TreeWalkEndsWithWhatItReadWhenTheAnswersLoop) {
  const uint32_t A = 1, B = 2, C = 3, D = 4;
  const struct {
    const char* name;
    std::map<std::pair<uint32_t, uint32_t>, uint32_t> forced;
    std::vector<uint32_t> read;
  } cases[] = {
      // A (B (C)), D answered truly: the walk the others are measured by.
      {"a true tree", {}, {A, B, C, D}},
      // C's parent is C itself, or B's parent is C: the climb from C never reaches the top.
      {"a parent of itself", {{{kTreeParent, C}, C}}, {A, B, C}},
      {"parents in a circle", {{{kTreeParent, B}, C}}, {A, B, C}},
      // A child or a sibling that was walked already.
      {"a child walked before", {{{kTreeChild, C}, A}}, {A, B, C}},
      {"a sibling walked before", {{{kTreeNext, B}, A}}, {A, B, C}},
      {"a sibling of itself", {{{kTreeNext, D}, D}}, {A, B, C, D}},
      // D's parent is an item the walk never saw, and that one is its own parent.
      {"a parent never walked", {{{kTreeParent, D}, 100}, {{kTreeParent, 100}, 100}}, {A, B, C, D}},
  };
  for (const auto& c : cases) {
    FakeTree t;
    t.add(0, A);
    t.add(A, B);
    t.add(B, C);
    t.add(0, D);
    t.forced = c.forced;
    std::vector<uint32_t> expected = c.read;
    expected.resize(10, 0);
    EXPECT_EQ(t.walk(10), expected) << c.name;
    // At most three questions per item read and the root's: the walk cannot run for ever.
    EXPECT_LE(t.asked, 1 + 3 * static_cast<int>(c.read.size())) << c.name;
  }
}

TEST(ReaderRules, TreeWalkBelievesNoCountBeyondItsLimit) {
  FakeTree t;
  t.add(0, 7);
  std::vector<uint32_t> read = t.walk(0x7FFFFFFF);
  ASSERT_EQ(read.size(), static_cast<size_t>(kMaxTreeItems));
  EXPECT_EQ(read[0], 7u);
  EXPECT_EQ(read[1], 0u);
  EXPECT_TRUE(t.walk(-1).empty());
}

TEST(ReaderRules, AncestorsAreCountedUpToTheLimit) {
  // Parents by index, -1 at the top: 0 <- 1 <- 2, and 3 <-> 4 in a circle.
  const int parents[] = {-1, 0, 1, 4, 3};
  int asked = 0;
  auto parent = [&](int i) {
    ++asked;
    return parents[i];
  };
  EXPECT_EQ(count_ancestors(0, -1, 4, parent), 0);
  EXPECT_EQ(count_ancestors(2, -1, 4, parent), 2);
  EXPECT_EQ(count_ancestors(2, -1, 2, parent), 2);
  EXPECT_EQ(count_ancestors(2, -1, 1, parent), 1);
  asked = 0;
  EXPECT_EQ(count_ancestors(3, -1, 4, parent), 4);  // stops at the limit
  EXPECT_EQ(asked, 4);
  EXPECT_EQ(count_ancestors(3, -1, 0, parent), 0);
}

TEST(ReaderRules, TypingPostsOneCrPerLineBreakAndEveryByteOfAChineseCharacter) {
  EXPECT_EQ(typed_character_codes("a\r\nb"), (std::vector<unsigned char>{'a', '\r', 'b'}));
  EXPECT_EQ(typed_character_codes("\r\r\n\n"), (std::vector<unsigned char>{'\r', '\r', '\n'}));
  EXPECT_EQ(typed_character_codes("中"), (std::vector<unsigned char>{0xD6, 0xD0}));
  EXPECT_TRUE(typed_character_codes("").empty());
}

TEST(ReaderRules, CutTextsLoseALoneLeadByteOnly) {
  EXPECT_EQ(without_split_character("ab\xD6"), "ab");
  EXPECT_EQ(without_split_character("中"), "中");
  EXPECT_EQ(without_split_character("a\xD6\x5C"), "a\xD6\x5C");  // a whole character with a 0x5C trail byte
  EXPECT_EQ(without_split_character(""), "");
  const char bytes[] = {'a', 'b', '\0', 'c'};
  EXPECT_EQ(text_before_zero(bytes, 4), "ab");
  EXPECT_EQ(text_before_zero(bytes, 1), "a");
}

TEST(ReaderRules, PointPackingKeepsEachCoordinateInItsWord) {
  EXPECT_EQ(pack_point(3, 4), 0x00040003u);
  EXPECT_EQ(pack_point(-1, 4), 0x0004FFFFu);  // not 4 * 65536 - 1
  EXPECT_EQ(pack_point(5, -2), 0xFFFE0005u);
}

}  // namespace
