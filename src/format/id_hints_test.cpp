#include "format/id_hints.h"

#include <gtest/gtest.h>

#include <string>

#include "format/format_test_support.h"

namespace vesk {
namespace {

using namespace format_test;

std::string candidates(const std::string& text) {
  reset_tables();
  EXPECT_EQ(load(text), 0);
  std::string out;
  for (const char* n : block_id_candidates(defs)) out += std::string(out.empty() ? "" : " ") + n;
  return out;
}

// Simple items of the data formats that are no arrays (one text is one
// element), through nested structures and templates; each name once.
TEST(BlockIdCandidates, SimpleItemsOfTheDataFormats) {
  EXPECT_EQ(candidates("#BLNO 0\nstruct A {\n long id;\n char name[8];\n short v[2];\n char two[2][4];\n};\n"),
            "id name");
  EXPECT_EQ(candidates("typedef struct {\n short y;\n char m[2];\n} D;\n long lone;\n#BLNO 0\nstruct A {\n"
                       " D made;\n D sent;\n struct {\n  long x;\n } n[2];\n long y;\n};\n"),
            "y m x");
  EXPECT_EQ(candidates("#BLNO 0\nstruct A {\n long a[3];\n};\n"), "");
}

std::string explained(const char* id) {
  testing::internal::CaptureStderr();
  explain_missing_block_id(defs, id, false);
  return testing::internal::GetCapturedStderr();
}

TEST(ExplainMissingBlockId, NearestOrTheList) {
  ASSERT_EQ(candidates("#BLNO 0\nstruct A {\n long custno;\n char name[8];\n};\n"), "custno name");
  EXPECT_EQ(explained("cutsno"), "  did you mean custno?\n");
  EXPECT_EQ(explained("id"), "  ids that would fit: custno, name\n");
  ASSERT_EQ(candidates("#BLNO 0\nstruct A {\n long a[3];\n};\n"), "");
  EXPECT_EQ(explained("a"), "  no item can be the id: an id is a simple item, not an array\n");
}

}  // namespace
}  // namespace vesk
