// What a second instance writes into the running instance's hand-over box, and how the running
// instance reads the box.
#include "app/hand_over_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const std::string kIdle = kHandOverIdleText;
const std::string kFocus = kHandOverFocusRequest;

TEST(HandOverRules, ListHasEveryPathFollowedByABar) {
  EXPECT_EQ(hand_over_list({}), "");
  EXPECT_EQ(hand_over_list({"C:\\a.txt"}), "C:\\a.txt|");
  EXPECT_EQ(hand_over_list({"C:\\a.txt", "D:\\文件\\b.txt"}), "C:\\a.txt|D:\\文件\\b.txt|");
}

TEST(HandOverRules, WhatASecondInstanceWrites) {
  const struct {
    const char* what;
    std::string box, list;
    std::optional<std::string> written;
  } cases[] = {
      {"focus request to an idle box", kIdle, "", kFocus},
      {"no focus request over an unread list", "C:\\a.txt|", "", std::nullopt},
      {"no second focus request", kFocus, "", std::nullopt},
      {"a list to an idle box", kIdle, "C:\\b.txt|", "C:\\b.txt|"},
      {"a list after an unread list", "C:\\a.txt|", "C:\\b.txt|", "C:\\a.txt|C:\\b.txt|"},
      {"a list replaces a focus request", kFocus, "C:\\b.txt|", "C:\\b.txt|"},
  };
  for (const auto& c : cases) EXPECT_EQ(hand_over_message(c.box, c.list), c.written) << c.what;
}

TEST(HandOverRules, TheRunningInstanceReadsTheBox) {
  EXPECT_EQ(parse_hand_over_text(kIdle).kind, HandOverRequest::Idle);
  HandOverRequest focus = parse_hand_over_text(kFocus);
  EXPECT_EQ(focus.kind, HandOverRequest::Focus);
  EXPECT_TRUE(focus.paths.empty());
  // "|" is also the trail byte of some double-byte characters (弢 is 8F 7C): only the real bars split.
  HandOverRequest files = parse_hand_over_text("C:\\弢.txt|D:\\b.txt|");
  EXPECT_EQ(files.kind, HandOverRequest::Files);
  EXPECT_EQ(files.paths, (std::vector<std::string>{"C:\\弢.txt", "D:\\b.txt"}));
}

// A path whose last character is a byte escape ends in a lead byte alone, which the "|" after
// it would complete to a character (81 7C is 亅).
TEST(HandOverRules, EveryPathComesBackWholeWhateverItEndsIn) {
  const std::vector<std::string> paths = {
      "C:\\a.txt",    "C:\\x\x81",     "C:\\弢.txt",         "C:\\x亅",  "C:\\\xFE",
      "D:\\中\x81", "C:\\\x81" "0\x81", "C:\\\x94\x39\xFC\x36", "E:\\b.txt",
  };
  EXPECT_EQ(parse_hand_over_text(hand_over_list(paths)).paths, paths);
  for (const std::string& p : paths) {
    const std::vector<std::string> two = {p, "D:\\b.txt"};
    EXPECT_EQ(parse_hand_over_text(hand_over_list(two)).paths, two) << p;
    // Written after a list still unread.
    const std::vector<std::string> three = {"C:\\\x81", p, "D:\\b.txt"};
    std::optional<std::string> both = hand_over_message(hand_over_list({three[0]}), hand_over_list({p, three[2]}));
    ASSERT_TRUE(both);
    EXPECT_EQ(parse_hand_over_text(*both).paths, three) << p;
  }
  // What other instances read: every other path as it was, the lead byte alone with a "?" after
  // it (no trail byte, and no path holds it).
  EXPECT_EQ(hand_over_list({"C:\\x亅", "C:\\弢.txt"}), "C:\\x亅|C:\\弢.txt|");
  EXPECT_EQ(hand_over_list({"C:\\x\x81", "D:\\b"}), "C:\\x\x81?|D:\\b|");
}

}  // namespace
