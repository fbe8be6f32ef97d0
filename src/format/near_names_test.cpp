#include "format/near_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace vesk {
namespace {

int distance(const char* a, const char* b) { return edit_distance(a, std::strlen(a), b, std::strlen(b)); }

TEST(EditDistance, Cases) {
  EXPECT_EQ(distance("short", "short"), 0);
  EXPECT_EQ(distance("shrot", "short"), 1);  // two neighbours swapped
  EXPECT_EQ(distance("Long", "long"), 1);    // case counts
  EXPECT_EQ(distance("lng", "long"), 1);
  EXPECT_EQ(distance("longs", "long"), 1);
  EXPECT_EQ(distance("", "abc"), 3);
  EXPECT_EQ(distance("abc", ""), 3);
  EXPECT_EQ(distance("kitten", "sitting"), 3);
  EXPECT_EQ(distance("ca", "abc"), 3);  // a swap is not edited again
  EXPECT_EQ(distance("strng", "short"), 4);
  // Shift_JIS pairs are compared byte by byte: one byte apart is one edit.
  EXPECT_EQ(distance("\x93\xfa\x95\x74", "\x93\xfa\x95\x84"), 1);
}

TEST(NearestName, OnlyNearOnes) {
  const std::vector<const char*> types = {"char", "int", "short", "long", "LONG", "DWORD"};
  auto nearest = [&](const char* word) {
    const char* n = nearest_name(word, std::strlen(word), types);
    return std::string(n ? n : "(none)");
  };
  EXPECT_EQ(nearest("shrot"), "short");
  EXPECT_EQ(nearest("Long"), "long");  // the first of the equally near
  EXPECT_EQ(nearest("DWROD"), "DWORD");
  EXPECT_EQ(nearest("chr"), "char");
  EXPECT_EQ(nearest("strng"), "(none)");
  EXPECT_EQ(nearest("ab"), "(none)");      // two edits: too far for a short word
  EXPECT_EQ(nearest("shortest"), "(none)");
  EXPECT_EQ(nearest("long"), "(none)");    // the word itself is no suggestion
  EXPECT_EQ(nearest_name("x", 1, {}), nullptr);
  EXPECT_STREQ(nearest_name("nn", 2, {"", "id", "n"}), "n");
}

TEST(NameList, CutAfterTheMost) {
  EXPECT_EQ(name_list({}, 3), "");
  EXPECT_EQ(name_list({"a"}, 3), "a");
  EXPECT_EQ(name_list({"a", "b", "c"}, 3), "a, b, c");
  EXPECT_EQ(name_list({"a", "b", "c", "d"}, 3), "a, b, c, ...");
}

}  // namespace
}  // namespace vesk
