#include <gtest/gtest.h>

#include "support/my_function_lv01.h"
#include "tests/unit/support/recording_backend.h"

namespace {

using MyFunction_Lv01::ListCompact;
using MyFunction_Lv01::ListReset;
using platform::TextList;

TEST(ListReset, LeavesOneEmptyEntryWithoutYielding) {
  const TextList lists[] = {
      {u"1", u"2", u"3", u"4", u"5"},
      {},  // never sized
      {u""},
      {u"only"},
  };
  orvanta_test::RecordingBackend backend;
  for (TextList list : lists) {
    ListReset(list);
    EXPECT_EQ(list, TextList{u""});
  }
  EXPECT_EQ(backend.yields, 0);
}

struct CompactCase {
  const char* label;
  TextList before;
  TextList after;
  int yields;  // one per entry before, and one per entry after
};

TEST(ListCompact, DropsEmptyEntriesAndYieldsAfterEveryEntryOfBothPasses) {
  const CompactCase cases[] = {
      {"mixed", {u"a", u"", u"b", u""}, {u"a", u"b"}, 4 + 2},
      {"all empty keep their length", {u"", u"", u""}, {u"", u"", u""}, 3 + 3},
      {"one empty", {u""}, {u""}, 1 + 1},
      {"blank kept", {u" ", u""}, {u" "}, 2 + 1},
      {"nothing to drop", {u"12", u"34", u"x"}, {u"12", u"34", u"x"}, 3 + 3},
      {"empty first", {u"", u"", u"x"}, {u"x"}, 3 + 1},
      {"never sized", {}, {}, 0},
  };
  for (const CompactCase& c : cases) {
    orvanta_test::RecordingBackend backend;
    TextList list = c.before;
    ListCompact(list);
    EXPECT_EQ(list, c.after) << c.label;
    EXPECT_EQ(backend.yields, c.yields) << c.label;
  }
}

TEST(ListCompact, AHandlerThatShrinksTheListDuringAYieldCausesNoOutOfRangeRead) {
  orvanta_test::RecordingBackend backend;
  TextList list = {u"a", u"b", u"c", u"d"};
  bool shrunk = false;
  backend.on_yield = [&] {
    if (!shrunk) list.resize(1);
    shrunk = true;
  };
  ListCompact(list);
  EXPECT_EQ(list, TextList{u"a"});
}

}  // namespace
