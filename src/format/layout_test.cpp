#include "format/layout.h"

#include <gtest/gtest.h>

#include <string>

#include "format/definitions.h"
#include "format/format_test_support.h"
#include "format/item_types.h"

namespace vesk {
namespace {

using namespace format_test;


struct LayoutCase {
  const char* what;
  const char* before;   // lines ahead of the data format (templates)
  const char* members;  // the data format's member lines
  const char* close;    // its closing line
  int plain;            // block size without B
  int aligned;          // block size with B
};

// One data format made of the given lines, read with or without B.
int block_size(const LayoutCase& c, int align_mode) {
  reset_tables();
  options.align = align_mode;
  std::string text = std::string(c.before) + "#BLNO 0 &\nstruct A {\n" + c.members + c.close + "\n";
  std::string errors;
  EXPECT_EQ(load(text, &errors), 0) << errors;
  options.align = 0;
  return defs.blnoinf_cnt == 1 ? defs.blno_inf[0].size : -1;
}

TEST(Layout, BlockSizes) {
  const LayoutCase cases[] = {
      {"char short char", "", " char a;\n short b;\n char c;\n", "};", 4, 6},
      {"char double", "", " char c;\n double d;\n", "};", 9, 16},
      {"text only", "", " char a[3];\n BYTE b;\n char c[2][5];\n", "};", 14, 14},
      {"long then 3 nested chars", "", " long a;\n struct {\n char c;\n } n[3];\n", "};", 7, 8},
      {"recs[3]", "", " long a;\n char b[6];\n", "} recs[3];", 30, 36},
      {"recs[N+1]", "#define N 2\n", " long a;\n char b[6];\n", "} recs[N+1];", 30, 36},
      {"4-byte kinds", "",
       " char c;\n float f;\n char d;\n char far *p;\n char e;\n LPSTR q;\n", "};", 15, 24},
      {"int kinds", "", " char c;\n int i;\n unsigned int u;\n DWORD w;\n unsigned short s;\n",
       "};", 15, 20},
      {"double in nested", "", " char c;\n struct {\n double d;\n } s;\n", "};", 9, 16},
      {"double array", "", " short s;\n double d[2];\n", "};", 18, 24},
      {"template twice", "typedef struct {\n char a;\n long b;\n} T;\n", " char x;\n T t[2];\n",
       "};", 11, 20},
      {"template in template", "typedef struct {\n short a;\n} S2;\ntypedef struct {\n char c;\n S2 s;\n} T;\n",
       " char x;\n T t;\n", "};", 4, 6},
      {"empty nested", "", " long a;\n struct {\n } e;\n", "};", 4, 4},
      {"nested in nested", "",
       " char a;\n struct {\n  char b;\n  struct {\n   short c;\n  } in[2];\n } out[2];\n", "};",
       11, 14},
      {"sales header", "typedef struct {\n short year;\n char mon[2];\n} DATE;\n",
       " char title[20];\n DATE made;\n long count;\n", "};", 28, 28},
      {"sales records", "#REN YEN l\n",
       " BYTE flag;\n YEN price[2][3];\n struct {\n short code;\n } sub[2];\nc:8:memo:remark\n", "};",
       37, 40},
      {"largest block", "", " char a[1024][4];\n", "};", 4096, 4096},
      // 1-byte integers and the decimals are never moved; 8-byte integers lie
      // as a double does: on a multiple of 4, giving their structure 8.
      {"1-byte integers", "", " char c;\n SBYTE b;\n UBYTE u;\n short s;\n", "};", 5, 6},
      {"quad after char", "", " char c;\n QUAD q;\n", "};", 9, 16},
      {"uquad after long", "", " long l;\n UQUAD q;\n char c;\n", "};", 13, 16},
      {"quad after short", "", " short s;\n QUAD q;\n", "};", 10, 16},
      {"decimals", "", " char c;\n PACKED(2) p[5];\n ZONED z[3];\n short s;\n", "};", 11, 12},
      {"decimal arrays", "", " PACKED p[2][5];\nz:3[2]:z\n", "};", 16, 16},
      {"quad in nested", "", " char c;\n struct {\n  QUAD q;\n } n;\n", "};", 9, 16},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(block_size(c, 0), c.plain);
    EXPECT_EQ(block_size(c, 1), c.aligned);
  }
}

TEST(Layout, ElementSizesAndAlignments) {
  reset_tables();
  options.align = 1;
  ASSERT_EQ(load("#BLNO 0\nstruct A {\n char c[3];\n short s;\n long l;\n double d;\n"
                 " char far *fp;\n long *p;\n struct {\n  short x;\n } n;\n};\n"),
            0);
  options.align = 0;
  const int lengths[] = {8, 3, 2, 4, 8, 4, 4, 2, 2};  // D, c, s, l, d, P, p, nested, x
  ASSERT_EQ(defs.item_cnt, 9);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(defs.item_inf[i].length, lengths[i]) << i;
  // c@0 s@4 l@8 d@12 fp@20 p@24 n@28, 30 padded to 8.
  EXPECT_EQ(defs.blno_inf[0].size, 32);
}

TEST(Layout, StructAlignAndSizeOfHandMadeRecords) {
  reset_tables();
  defs.item_inf[0] = ItemInf{'D', 0, 2, 1, 3, "", nullptr, nullptr, 0};
  defs.item_inf[1] = ItemInf{'c', 1, 1, 0, 0, nullptr, "a", "", 1};
  defs.item_inf[2] = ItemInf{' ', 0, 1, 3, 3, "", nullptr, nullptr, 0};
  defs.item_inf[3] = ItemInf{'s', 0, 1, 0, 0, nullptr, "b", "", 1};
  defs.item_cnt = 4;
  EXPECT_EQ(struct_align(ctx(), 0), 2);
  EXPECT_EQ(defs.item_inf[2].length, 2);
  EXPECT_EQ(layout_struct(ctx(), 0, 0), 6);  // (1 + 2) * 2
  options.align = 1;
  EXPECT_EQ(layout_struct(ctx(), 0, 0), 8);  // (1, pad to 2, 2) = 4, * 2
  options.align = 0;
}

struct IdCase {
  const char* members;
  int align_mode;
  int pos;
  int len;
};

TEST(Layout, BlockIdItem) {
  const IdCase cases[] = {
      {" char tag;\n long id;\n", 1, 4, 4},
      {" char tag;\n long id;\n", 0, 1, 4},
      {" short s;\n char id[6];\n", 0, 2, 6},
      {" char c;\n struct {\n  char a;\n  double id;\n } n;\n", 1, 12, 8},
      {" long ids;\n char idx;\n", 0, -1, 0},  // no item named exactly id
      {" char tag;\n PACKED id[4];\n", 1, 1, 4},
      {" char tag;\n ZONED(2) id[6];\n", 0, 1, 6},
      {" char tag;\n QUAD id;\n", 1, 4, 8},
      {" char tag;\n UQUAD id;\n", 0, 1, 8},
      {" char tag;\n SBYTE id;\n", 1, 1, 1},
      {" short s;\n UBYTE id;\n", 1, 2, 1},
  };
  for (const IdCase& c : cases) {
    SCOPED_TRACE(c.members);
    reset_tables();
    options.block_id = "id";
    options.align = c.align_mode;
    std::string text = std::string("#BLNO 0\nstruct A {\n") + c.members + "};\n";
    EXPECT_EQ(load(text), 0);
    EXPECT_EQ(defs.block_id_pos, c.pos);
    EXPECT_EQ(defs.block_id_len, c.len);
    for (int i = 0; i < defs.item_cnt; ++i) {
      const ItemInf& it = defs.item_inf[i];
      if (is_struct_code(it.type)) continue;
      EXPECT_EQ(it.first, std::string(it.name) == "id" ? 1 : 0) << i;
    }
    reset_tables();
  }
}

TEST(Layout, IdInATemplateUsedOnceAndNotAsAStructure) {
  reset_tables();
  options.block_id = "id";
  options.align = 1;
  EXPECT_EQ(load("typedef struct {\n char a;\n short id;\n} K;\n#BLNO 0\nstruct A {\n long x;\n"
                 " K k;\n};\n"),
            0);
  EXPECT_EQ(defs.block_id_pos, 6);
  EXPECT_EQ(defs.block_id_len, 2);
  // A structure item bearing the name is not an id item.
  reset_tables();
  options.block_id = "id";
  EXPECT_EQ(load("typedef struct {\n char a;\n} K;\n#BLNO 0\nstruct A {\n K id;\n};\n"), 0);
  EXPECT_EQ(defs.block_id_pos, -1);
  reset_tables();
}

// Templates that each use the previous one twice: walked naively, the layout
// would visit 2^60 records. Each is walked once.
TEST(Layout, DeepTemplateChainsStayLinear) {
  reset_tables();
  std::string text = "typedef struct {\n} T0;\n";
  for (int i = 1; i <= 60; ++i)
    text += "typedef struct {\n T" + std::to_string(i - 1) + " a;\n T" + std::to_string(i - 1) +
            " b;\n} T" + std::to_string(i) + ";\n";
  text += "#BLNO 0\nstruct A {\n char c;\n T60 t;\n};\n";
  EXPECT_EQ(load(text), 0);
  EXPECT_EQ(defs.blno_inf[0].size, 1);
}

// Sizes that would overflow 32 or even 64 bits come back huge, not wrapped.
TEST(Layout, HugeSizesDoNotWrap) {
  reset_tables();
  std::string text = "typedef struct {\n char a[1024][16];\n} T0;\n";
  for (int i = 1; i <= 8; ++i)
    text += "typedef struct {\n T" + std::to_string(i - 1) + " a[32767];\n} T" +
            std::to_string(i) + ";\n";
  text += "#BLNO 0\nstruct A {\n T8 t[32767];\n} all[32767];\n";
  std::string errors;
  EXPECT_EQ(load(text, &errors), -1);
  EXPECT_EQ(errors, "t.fmt: too large block size(max. 4096 bytes) (line is 31)\n");
  defs.item_cnt = 0;
  EXPECT_EQ(kLayoutCap > 4096, true);
}

}  // namespace
}  // namespace vesk
