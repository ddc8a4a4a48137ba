// The page store: ids that no other page of the run had, the open-path list kept by tab, and
// changes to an index without a page that change nothing.
#include "pages/page_store.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class PageStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { reset_page_store(); }
  void TearDown() override { reset_page_store(); }

  static int add(const std::string& path = "") {
    PageRecord r = make_page_record();
    r.path = path;
    return add_page(std::move(r));
  }
};

TEST_F(PageStoreTest, AnIdIsNeverGivenTwiceAcrossRemovalsRenewalsAndResets) {
  std::set<int> seen;
  auto note = [&](int id) { EXPECT_TRUE(seen.insert(id).second) << "id " << id << " given twice"; };
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 4; ++i) note(page_id(add()));
    remove_page(1);
    const int old = page_id(0);
    renew_page(0);
    note(page_id(0));
    // Whoever held the renewed page finds it gone; the others are found where they are now.
    EXPECT_EQ(find_page_by_id(old), -1);
    EXPECT_EQ(find_page_by_id(page_id(2)), 2);
    reset_page_store();
  }
  EXPECT_EQ(find_page_by_id(0), -1);
  EXPECT_EQ(page_id(0), 0);
}

TEST_F(PageStoreTest, ARenewedPageIsANewPageButKeepsItsFont) {
  const int i = add("C:\\a.txt");
  FontRecord font{0, 1, 0, 0, 0, 14, "黑体"};
  set_page_font(i, font);
  set_page_extension(i, "txt");
  set_page_modified(i, 1);
  set_page_text_color(i, 0x123456);
  set_page_back_color(i, 0x654321);
  set_page_selection(i, 3, 4);
  set_page_text_in_editor(i, true);
  store_page_text(i, "abc");
  set_page_text_in_editor(i, true);
  renew_page(i);
  const PageRecord& p = pages()[static_cast<size_t>(i)];
  EXPECT_EQ(p.path, "");
  EXPECT_EQ(p.extension, "");
  EXPECT_EQ(p.content, "");
  EXPECT_FALSE(p.text_in_editor);
  EXPECT_EQ(p.modified, 0);
  EXPECT_EQ(p.text_color, 0x8000u);
  EXPECT_EQ(p.back_color, 0xCFE8CCu);
  EXPECT_EQ(p.selection_start, 0);
  EXPECT_EQ(p.selection_length, 0);
  EXPECT_EQ(p.font, font);
}

TEST_F(PageStoreTest, ChangesToAnIndexWithoutAPageChangeNothing) {
  add("C:\\a.txt");
  const PageList before = pages();
  for (int index : {-1, 1, 7}) {
    set_page_modified(index, 1);
    set_page_file(index, "x", "y");
    set_page_extension(index, "y");
    set_page_text_color(index, 1);
    set_page_back_color(index, 2);
    set_page_font(index, FontRecord{});
    set_page_font_size(index, 30);
    set_page_selection(index, 1, 2);
    set_page_shorter_than_file(index, true);
    set_page_lost_characters(index, true);
    store_page_text(index, "text");
    set_page_text_in_editor(index, true);
    renew_page(index);
    remove_page(index);
  }
  ASSERT_EQ(page_count(), 1);
  EXPECT_EQ(pages()[0].path, before[0].path);
  EXPECT_EQ(pages()[0].id, before[0].id);
  EXPECT_EQ(pages()[0].modified, 0);
  EXPECT_EQ(pages()[0].content, "");
}

TEST_F(PageStoreTest, TheOpenPathListFollowsTheTabs) {
  // The first page's blank entry, then the entries as pages come, are filled and go.
  EXPECT_EQ(open_paths(), " |");
  update_open_path_list(" ", false, false, 0, "");
  update_open_path_list("C:\\b.txt", false, false, 0, "");
  EXPECT_EQ(open_paths(), " | |C:\\b.txt|");
  update_open_path_list("", false, true, 1, "C:\\中.txt");
  EXPECT_EQ(open_paths(), " |C:\\中.txt|C:\\b.txt|");
  EXPECT_EQ(update_open_path_list("c:\\B.TXT", true, false, 0, ""), 1);
  EXPECT_EQ(update_open_path_list("C:\\b.txt.bak", true, false, 0, ""), 0);
  update_open_path_list("C:\\b.txt", false, true, 2, "");
  EXPECT_EQ(open_paths(), " |C:\\中.txt|");
  EXPECT_EQ(update_open_path_list("C:\\b.txt", true, false, 0, ""), 0);

  // Switched off and on again: made anew from the pages, a blank for a page without a file.
  add();
  add("C:\\a.txt");
  add();
  clear_open_paths();
  EXPECT_EQ(open_paths(), "");
  rebuild_open_paths();
  EXPECT_EQ(open_paths(), " |C:\\a.txt| |");
  restart_open_paths();
  EXPECT_EQ(open_paths(), " |");
}

TEST_F(PageStoreTest, TheQueueAndTheCountersStartAgainWithTheStore) {
  set_open_queue({"a", "b"});
  queue_file("c");
  queue_files({"d", "e"});
  EXPECT_EQ(open_queue(), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(count_new_page(), 2);
  EXPECT_EQ(count_new_page(), 3);
  take_back_page_number();
  EXPECT_EQ(new_page_counter(), 2);
  set_tab0_placeholder(true);
  set_editor_page_id(page_id(add()));
  reset_page_store();
  EXPECT_TRUE(open_queue().empty());
  EXPECT_EQ(page_count(), 0);
  EXPECT_EQ(new_page_counter(), 1);
  EXPECT_FALSE(tab0_placeholder());
  EXPECT_EQ(editor_page_id(), 0);
  EXPECT_EQ(open_paths(), " |");
  clear_open_queue();
  EXPECT_TRUE(open_queue().empty());
}

}  // namespace
