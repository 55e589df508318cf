#include <gtest/gtest.h>

#include <string>

#include "filelist/search_history.h"

namespace {

std::string Entries(const SearchState& s) {
  std::string out;
  for (int i = 0; i < HistoryCount(s); ++i) out += std::string(i ? "," : "") + s.history[i];
  return out;
}

}  // namespace

TEST(SearchHistory, NewestFirstAndPrefixesNotAddedAgain) {
  SearchState s = {};
  EXPECT_EQ(HistoryCount(s), 0);
  RememberSearchText(s, "abc");
  RememberSearchText(s, "xyz");
  RememberSearchText(s, "ab");  // the beginning of abc
  EXPECT_EQ(Entries(s), "xyz,abc");
  RememberSearchText(s, "abc");  // present: not moved to the front
  EXPECT_EQ(Entries(s), "xyz,abc");
  RememberSearchText(s, "abcd");  // longer than an entry: new
  EXPECT_EQ(Entries(s), "abcd,xyz,abc");
  RememberSearchText(s, "");
  EXPECT_EQ(HistoryCount(s), 3);
  EXPECT_TRUE(HistoryHolds(s, ""));
  // Whole characters: ソ is a prefix of ソa, but ア is no prefix of ソ.
  RememberSearchText(s, "ソa");
  EXPECT_TRUE(HistoryHolds(s, "ソ"));
  EXPECT_FALSE(HistoryHolds(s, "ア"));
}

TEST(SearchHistory, ElevenEntriesAndOnlyTenCompared) {
  SearchState s = {};
  for (int i = 0; i < 12; ++i) RememberSearchText(s, ("t" + std::to_string(i) + "x").c_str());
  ASSERT_EQ(HistoryCount(s), 11);
  EXPECT_STREQ(s.history[0], "t11x");
  EXPECT_STREQ(s.history[10], "t1x");  // t0x fell off the end
  // The 11th entry takes no part in the test: its text comes in front again
  // and the old copy falls off, leaving 11 distinct texts.
  RememberSearchText(s, "t1x");
  EXPECT_EQ(Entries(s), "t1x,t11x,t10x,t9x,t8x,t7x,t6x,t5x,t4x,t3x,t2x");
  // The 10th entry still counts.
  EXPECT_TRUE(HistoryHolds(s, "t3"));
  EXPECT_FALSE(HistoryHolds(s, "t2"));
}

TEST(SearchHistory, LongestTextIsKeptWhole) {
  SearchState s = {};
  std::string text(255, 'q');
  RememberSearchText(s, text.c_str());
  EXPECT_EQ(std::string(s.history[0]), text);
}
