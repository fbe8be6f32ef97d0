#include "format/item_parser.h"

#include <gtest/gtest.h>

#include <string>

#include "format/definitions.h"
#include "format/format_test_support.h"
#include "format/statements.h"

namespace vesk {
namespace {

using namespace format_test;


struct ItemCase {
  const char* line;
  char type;
  int length;  // checked for c and x (the layout writes the others)
  int count;
  const char* name;
  const char* comment;
  int display;
};

struct ItemError {
  const char* line;
  const char* message;  // as def_error writes it for line 5
};

class ItemParser : public testing::Test {
 protected:
  void SetUp() override {
    reset_tables();
    ASSERT_EQ(add_define(ctx(), " N 4"), 0);
    ASSERT_EQ(add_define(ctx(), " BIG 200"), 0);
    ASSERT_EQ(add_rename(ctx(), RenameKind::rename, " YEN l"), 0);
    ASSERT_EQ(add_rename(ctx(), RenameKind::rename, " intval S"), 0);
    // A template DATE (records 0 to 2) and a nested structure tagged PT (3 to 4).
    defs.item_inf[0] = ItemInf{'T', 0, 0, 1, 2, "DATE", nullptr, nullptr, 0};
    defs.item_inf[1] = ItemInf{'s', 0, 1, 0, 0, nullptr, "year", "", 1};
    defs.item_inf[2] = ItemInf{'c', 2, 1, 0, 0, nullptr, "mon", "", 1};
    defs.item_inf[3] = ItemInf{' ', 0, 1, 4, 4, "PT", nullptr, nullptr, 0};
    defs.item_inf[4] = ItemInf{'s', 0, 1, 0, 0, nullptr, "x", "", 1};
    defs.item_inf[5] = ItemInf{'D', 0, 1, 6, 6, "HEAD", nullptr, nullptr, 0};
    defs.item_cnt = 6;
  }

  // Parses one line; returns the message written ("" when none).
  std::string parse(const char* line, int* rc = nullptr) {
    testing::internal::CaptureStderr();
    int r = parse_item(ctx(), line, 5);
    if (rc) *rc = r;
    return testing::internal::GetCapturedStderr();
  }
};

TEST_F(ItemParser, Records) {
  const ItemCase cases[] = {
      {"  char name[10][20];", 'c', 20, 10, "name", "", 1},
      {"  char name;", 'c', 1, 1, "name", "", 1},
      {"  BYTE id[4];", 'x', 4, 1, "id", "", 1},
      {"  long v[2][3];", 'l', 0, 6, "v", "", 1},
      {"  short a[N*2+1];", 's', 0, 9, "a", "", 1},
      {"  short a[(N+2)*3];", 's', 0, 18, "a", "", 1},
      {"  short a[N/3];", 's', 0, 1, "a", "", 1},
      {"  short a[7/2*2];", 's', 0, 7, "a", "", 1},
      {"  short a [ 2 ] [ 3 ] ;", 's', 0, 6, "a", "", 1},
      {"  integer x;", 'i', 0, 1, "x", "", 1},
      {"  intval x;", 'i', 0, 1, "x", "", 1},  // taken for int, never the rename
      {"  shorty x;", 's', 0, 1, "x", "", 1},
      {"  doubles x;", 'd', 0, 1, "x", "", 1},
      {"  floaty x;", 'f', 0, 1, "x", "", 1},
      {"  CHARS x[3];", 'c', 3, 1, "x", "", 1},
      {"  WORD w;", 'S', 0, 1, "w", "", 1},
      {"  INT w;", 'l', 0, 1, "w", "", 1},
      {"  LONG w;", 'l', 0, 1, "w", "", 1},
      {"  DWORD w;", 'L', 0, 1, "w", "", 1},
      {"  LPSTR w;", 'p', 0, 1, "w", "", 1},
      {"  unsigned char u[3];", 'c', 3, 1, "u", "", 1},
      {"  unsigned int u;", 'I', 0, 1, "u", "", 1},
      {"  unsigned short u;", 'S', 0, 1, "u", "", 1},
      {"  unsigned long u;", 'L', 0, 1, "u", "", 1},
      {"\tunsigned\tlong\tu;", 'L', 0, 1, "u", "", 1},
      {"  YEN price[2][3];", 'l', 0, 6, "price", "", 1},
      {"  char far *p;", 'P', 0, 1, "p", "", 1},
      {"  long far * p[2];", 'P', 0, 2, "p", "", 1},
      {"  long *p;", 'p', 0, 1, "p", "", 1},
      {"  long* p;", 'l', 0, 1, "p", "", 1},
      {"  DATE *pd;", 'p', 0, 1, "pd", "", 1},
      {"  long x = 5; /* total */", 'l', 0, 1, "x", "total", 1},
      {"  long x/* total */", 'l', 0, 1, "x", "", 1},
      {"  long x; /* no display: spare */", 'l', 0, 1, "x", "no display: spare", 0},
      {"  long x; /*no displayed*/", 'l', 0, 1, "x", "no displayed", 0},
      {"  long x; /* no displa */", 'l', 0, 1, "x", "no displa", 1},
      {"  long x; /*/ x */", 'l', 0, 1, "x", "/ x", 1},
      {"  long x; // not a comment", 'l', 0, 1, "x", "", 1},
      {"  long ;", 'l', 0, 1, "", "", 1},
      {"  char big[1024];", 'c', 1024, 1, "big", "", 1},
      {"  char many[32767][1];", 'c', 1, 32767, "many", "", 1},
      {"s:2:year:year of birth", 's', 0, 2, "year", "year of birth", 1},
      {"c:10:title:book title", 'c', 10, 1, "title", "book title", 1},
      {"x:4[2]:raw:two raw words", 'x', 4, 2, "raw", "two raw words", 1},
      {"c:8", 'c', 8, 1, "", "", 1},
      {"c:256:t", 'c', 256, 1, "t", "", 1},
      {"l:3", 'l', 0, 3, "", "", 1},
      {"long: 2 : total : sum : extra", 'l', 0, 2, "total", "sum", 1},
      {"y:1:odd", 'y', 0, 1, "odd", "", 1},  // refused later, by the layout
      {"c:8:memo:no display", 'c', 8, 1, "memo", "no display", 0},
      {"x:2[32767]:r", 'x', 2, 32767, "r", "", 1},
  };
  for (const ItemCase& c : cases) {
    SCOPED_TRACE(c.line);
    int before = defs.item_cnt;
    int rc = -9;
    EXPECT_EQ(parse(c.line, &rc), "");
    EXPECT_EQ(rc, 0);
    ASSERT_EQ(defs.item_cnt, before + 1);
    const ItemInf& it = defs.item_inf[before];
    EXPECT_EQ(it.type, c.type);
    if (c.type == 'c' || c.type == 'x') {
      EXPECT_EQ(it.length, c.length);
    }
    EXPECT_EQ(it.count, c.count);
    EXPECT_STREQ(it.name, c.name);
    EXPECT_STREQ(it.comment, c.comment);
    EXPECT_EQ(it.display, c.display);
    defs.item_cnt = before;
  }
}

// Names of one word: letters, digits, "_", Japanese; blanks around them are
// no part of them.
TEST_F(ItemParser, OneWordNames) {
  const char* const accepted[][2] = {
      {"  long a1_b2;", "a1_b2"},
      {"  long 1st;", "1st"},
      {"  long _;", "_"},
      {"  long   spaced   ;", "spaced"},
      {"  long * p;", "p"},
      {"  char \x96\xbc\x91\x4f[4];", "\x96\xbc\x91\x4f"},  // Japanese
      {"  char \xb6\xc5[4];", "\xb6\xc5"},                      // half-width kana
      {"  long ;", ""},
  };
  for (const auto& c : accepted) {
    SCOPED_TRACE(c[0]);
    int before = defs.item_cnt;
    EXPECT_EQ(parse(c[0]), "");
    ASSERT_EQ(defs.item_cnt, before + 1);
    EXPECT_STREQ(defs.item_inf[before].name, c[1]);
    defs.item_cnt = before;
  }
}

// char(EUC) and c(EUC): the item's own code; without one, the file's decides.
TEST_F(ItemParser, TextCodes) {
  struct Case {
    const char* line;
    bool stated;
    CharMode code;
    int length;
  };
  const Case cases[] = {
      {"  char n[4];", false, CharMode::sjis, 4},
      {"  char(EUC) n[4];", true, CharMode::euc, 4},
      {"  CHAR(JIS) n[4];", true, CharMode::jis, 4},
      {"  unsigned char(UTF-8) n[6];", true, CharMode::utf8, 6},
      {"  char(SJIS)n[2];", true, CharMode::sjis, 2},
      {"c(EUC):20:name", true, CharMode::euc, 20},
      {"c(UTF-8):3[2]:name", true, CharMode::utf8, 3},
      {"c:8:name", false, CharMode::sjis, 8},
      {"char:8:name", false, CharMode::sjis, 8},  // no "(" after the letter: ignored as before
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    int before = defs.item_cnt;
    EXPECT_EQ(parse(c.line), "");
    ASSERT_EQ(defs.item_cnt, before + 1);
    const ItemInf& it = defs.item_inf[before];
    EXPECT_EQ(it.type, 'c');
    EXPECT_EQ(it.length, c.length);
    EXPECT_EQ(it.code_stated, c.stated);
    EXPECT_EQ(it.code, c.code);
    defs.item_cnt = before;
  }
}

TEST_F(ItemParser, StructureTypes) {
  EXPECT_EQ(parse("  DATE made;"), "");
  EXPECT_EQ(parse("  PT pts[3];"), "");
  ASSERT_EQ(defs.item_cnt, 8);
  const ItemInf& made = defs.item_inf[6];
  EXPECT_EQ(made.type, 'R');
  EXPECT_EQ(made.first, 1);
  EXPECT_EQ(made.last, 2);
  EXPECT_EQ(made.count, 1);
  const ItemInf& pts = defs.item_inf[7];
  EXPECT_EQ(pts.type, 'R');
  EXPECT_EQ(pts.first, 4);
  EXPECT_EQ(pts.count, 3);
  // The tag of a data format is no type.
  EXPECT_EQ(parse("  HEAD h;"), "t.fmt: illegal data type (line is 5)\n");
}

TEST_F(ItemParser, MaximumLengths) {
  EXPECT_EQ(parse("  long abc; /* a comment */"), "");
  EXPECT_EQ(parse("  long a; /* c */"), "");
  EXPECT_EQ(parse("  // comment line"), "");
  EXPECT_EQ(defs.item_cnt, 8);
  EXPECT_EQ(defs.item_mlen, 3);
  EXPECT_EQ(defs.comment_mlen, 9);
}

TEST_F(ItemParser, Failures) {
  const ItemError cases[] = {
      {"//x", "data type missing (line is 5)"},
      {"c10", "data type missing (line is 5)"},
      {"R:1:r", "data type missing (line is 5)"},
      {"D:1:r", "data type missing (line is 5)"},
      {"T:1:r", "data type missing (line is 5)"},
      {"c:0:t", "illegal repeat (line is 5)"},
      {"c:257:t", "illegal repeat (line is 5)"},
      {"c:x", "illegal repeat (line is 5)"},
      {"c:0[2]:t", "illegal data length (line is 5)"},
      {"x:300[2]:t", "illegal data length (line is 5)"},
      {"c:4[2:t]", "illegal repeat (line is 5)"},
      {"c:4[2", "illegal repeat (line is 5)"},
      {"c:4[0]:t", "illegal repeat (line is 5)"},
      {"c:4[32768]:t", "illegal repeat (line is 5)"},
      {"s:0:t", "illegal repeat (line is 5)"},
      {"s:-1:t", "illegal repeat (line is 5)"},
      {"s:32768:t", "illegal repeat (line is 5)"},
      {"s:99999999999999999999:t", "illegal repeat (line is 5)"},
      {"  unsigned float f;", "illegal data type found"},
      {"  unsigned", "illegal data type found"},
      {"  string s;", "illegal data type (line is 5)"},
      {"  DATE", "illegal data type (line is 5)"},
      {"  long", "item name missing (line is 5)"},
      {"  unsigned long  ", "item name missing (line is 5)"},
      {"  long far_ptr;", "illegal far definition (line is 5)"},
      {"  long far p;", "illegal far definition (line is 5)"},
      {"  long x", "illegal statement (line is 5)"},
      {"  long a[3;", " ']' ... does not match (line is 5)"},
      {"  long a[3][2;", " ']' ... does not match (line is 5)"},
      {"  short a[M];", "illegal repeat (line is 5)"},
      {"  short a[2*-1];", "illegal repeat (line is 5)"},
      {"  short a[N-4];", "%s: illegal repeat or data length (line is 5)"},
      {"  short a[N/0];", "%s: illegal repeat or data length (line is 5)"},
      {"  short a[BIG];", "%s: illegal repeat or data length (line is 5)"},
      {"  long a[];", "%s: illegal repeat or data length (line is 5)"},
      {"  short a[32768];", "illegal repeat (line is 5)"},
      {"  short a[200][200];", "illegal repeat (line is 5)"},
      {"  short a[1e3];", "illegal repeat (line is 5)"},
      {"  char a[1025];", "too large data length or invalid length (line is 5)"},
      {"  char a[2][2000];", "too large data length or invalid length (line is 5)"},
      {"  char a[40000];", "illegal repeat (line is 5)"},
      {"  long x; /* open", "illegal comment statement (line is 5)"},
      // A name is one word.
      {"  unsigned long long K;", "illegal item name (line is 5)"},
      {"  long double d;", "illegal item name (line is 5)"},
      {"  long sales total;", "illegal item name (line is 5)"},
      {"  long a\tb;", "illegal item name (line is 5)"},
      {"  SBYTE a,b,c;", "illegal item name (line is 5)"},
      {"  PACKED X(5);", "illegal item name (line is 5)"},
      {"  long rec.no;", "illegal item name (line is 5)"},
      {"  long a-b = 5;", "illegal item name (line is 5)"},
      {"  char \x96\xbc\x81\x40\x91\x4f[4];", "illegal item name (line is 5)"},  // a full-width blank
      {"  long a\x1b;", "illegal item name (line is 5)"},
      {"  char *p q;", "illegal item name (line is 5)"},
      // The code of a char item's text.
      {"  char(EBCDIC) n[4];", "illegal text code (line is 5)"},
      {"  char() n[4];", "illegal text code (line is 5)"},
      {"  char(EUC n[4];", "illegal text code (line is 5)"},
      {"  char(euc) n[4];", "illegal text code (line is 5)"},
      {"c(EUCJP):4:n", "illegal text code (line is 5)"},
      {"c(EUC:4:n", "illegal text code (line is 5)"},
  };
  for (const ItemError& c : cases) {
    SCOPED_TRACE(c.line);
    int rc = 0;
    EXPECT_EQ(parse(c.line, &rc), std::string("t.fmt: ") + c.message + "\n");
    EXPECT_EQ(rc, -1);
    EXPECT_EQ(defs.item_cnt, 6);
  }
}

struct LegacyCase {
  const char* line;
  char type;
  int length;  // checked for the codes whose item gives the length
  int count;
  int scale;
};

TEST_F(ItemParser, LegacyTypes) {
  const LegacyCase cases[] = {
      {"  SBYTE b;", 'b', 0, 1, 0},
      {"  UBYTE month[12];", 'B', 0, 12, 0},
      {"  QUAD q;", 'q', 0, 1, 0},
      {"  UQUAD q[2];", 'Q', 0, 2, 0},
      {"  PACKED amt[5];", 'k', 5, 1, 0},
      {"  PACKED(2) amt[5];", 'k', 5, 1, 2},
      {"  PACKED(9) amt[3][5];", 'k', 5, 3, 9},
      {"  PACKED one;", 'k', 1, 1, 0},
      {"  PACKED(1) one;", 'k', 1, 1, 1},
      {"  PACKED p[16];", 'k', 16, 1, 0},
      {"  PACKED(31) p[16];", 'k', 16, 1, 31},
      {"  ZONED z[8];", 'z', 8, 1, 0},
      {"  ZONED(8) z[8];", 'z', 8, 1, 8},
      {"  ZONED(02) z[31];", 'z', 31, 1, 2},
      {"  ZONED(0002) z[3];", 'z', 3, 1, 2},
      {"  PACKED(000000000000000000000000001) p[2];", 'k', 2, 1, 1},
      {"k(0003):2:p", 'k', 2, 1, 3},
      {"  PACKED *p;", 'p', 0, 1, 0},  // a pointer, whatever it points to
      {"k:5:amt", 'k', 5, 1, 0},
      {"k(2):5:amt", 'k', 5, 1, 2},
      {"k(2):5[3]:amt", 'k', 5, 3, 2},
      {"z(0):4:z", 'z', 4, 1, 0},
      {"z:31", 'z', 31, 1, 0},
      {"b:3:b", 'b', 0, 3, 0},
      {"B:1:b", 'B', 0, 1, 0},
      {"q:1:q", 'q', 0, 1, 0},
      {"Q:2:q", 'Q', 0, 2, 0},
      {"s(2):1:s", 's', 0, 1, 0},  // other codes ignore what stands before the colon
      // Words matched by their beginning keep their meaning.
      {"  INT8 i;", 'l', 0, 1, 0},
      {"  BYTES x[3];", 'x', 3, 1, 0},
  };
  for (const LegacyCase& c : cases) {
    SCOPED_TRACE(c.line);
    int before = defs.item_cnt;
    int rc = -9;
    EXPECT_EQ(parse(c.line, &rc), "");
    EXPECT_EQ(rc, 0);
    ASSERT_EQ(defs.item_cnt, before + 1);
    const ItemInf& it = defs.item_inf[before];
    EXPECT_EQ(it.type, c.type);
    if (c.length != 0) {
      EXPECT_EQ(it.length, c.length);
    }
    EXPECT_EQ(it.count, c.count);
    EXPECT_EQ(it.scale, c.scale);
    defs.item_cnt = before;
  }
}

// The file's own names come first: the new words are matched only when no
// typedef, #REN name or structure tag has the word, and only as whole words.
TEST_F(ItemParser, OwnNamesBeforeLegacyWords) {
  ASSERT_EQ(add_rename(ctx(), RenameKind::typedef_, " short QUAD;"), 0);
  ASSERT_EQ(add_rename(ctx(), RenameKind::rename, " PACKET x"), 0);
  defs.item_inf[6] = ItemInf{'T', 0, 0, 7, 7, "QUADRANT", nullptr, nullptr, 0};
  defs.item_inf[7] = ItemInf{'l', 0, 1, 0, 0, nullptr, "corner", "", 1};
  defs.item_inf[8] = ItemInf{' ', 0, 1, 9, 9, "ZONED", nullptr, nullptr, 0};
  defs.item_inf[9] = ItemInf{'c', 3, 1, 0, 0, nullptr, "area", "", 1};
  defs.item_cnt = 10;
  EXPECT_EQ(parse("  QUAD a;"), "");
  EXPECT_EQ(parse("  QUADRANT b;"), "");
  EXPECT_EQ(parse("  PACKET c[4];"), "");
  EXPECT_EQ(parse("  ZONED d;"), "");
  EXPECT_EQ(parse("  UQUAD e;"), "");
  ASSERT_EQ(defs.item_cnt, 15);
  EXPECT_EQ(defs.item_inf[10].type, 's');
  EXPECT_EQ(defs.item_inf[11].type, 'R');
  EXPECT_EQ(defs.item_inf[11].first, 7);
  EXPECT_EQ(defs.item_inf[12].type, 'x');
  EXPECT_EQ(defs.item_inf[12].length, 4);
  EXPECT_EQ(defs.item_inf[13].type, 'R');
  EXPECT_EQ(defs.item_inf[13].first, 9);
  EXPECT_EQ(defs.item_inf[14].type, 'Q');
  // Not a whole word: no legacy type.
  EXPECT_EQ(parse("  QUADS f;"), "t.fmt: illegal data type (line is 5)\n");
  EXPECT_EQ(parse("  PACKED2 f;"), "t.fmt: illegal data type (line is 5)\n");
}

TEST_F(ItemParser, LegacyFailures) {
  const ItemError cases[] = {
      {"  PACKED a[17];", "too large data length or invalid length (line is 5)"},
      {"  ZONED a[32];", "too large data length or invalid length (line is 5)"},
      {"  PACKED(10) a[5];", "illegal scale (line is 5)"},
      {"  PACKED(2) a;", "illegal scale (line is 5)"},
      {"  ZONED(9) a[8];", "illegal scale (line is 5)"},
      {"  PACKED() a[5];", "illegal scale (line is 5)"},
      {"  PACKED(x) a[5];", "illegal scale (line is 5)"},
      {"  PACKED(-1) a[5];", "illegal scale (line is 5)"},
      {"  PACKED(2 a[5];", "illegal scale (line is 5)"},
      {"  ZONED(1000) a[5];", "illegal scale (line is 5)"},
      {"  QUAD", "item name missing (line is 5)"},
      {"k:17:a", "illegal repeat (line is 5)"},
      {"k:17[2]:a", "illegal data length (line is 5)"},
      {"z:32:a", "illegal repeat (line is 5)"},
      {"k(3):1:a", "illegal scale (line is 5)"},
      {"z(5):4:a", "illegal scale (line is 5)"},
      {"k(a):4:a", "illegal scale (line is 5)"},
      {"kk:4:a", "illegal scale (line is 5)"},
  };
  for (const ItemError& c : cases) {
    SCOPED_TRACE(c.line);
    int rc = 0;
    EXPECT_EQ(parse(c.line, &rc), std::string("t.fmt: ") + c.message + "\n");
    EXPECT_EQ(rc, -1);
    EXPECT_EQ(defs.item_cnt, 6);
  }
}

}  // namespace
}  // namespace vesk
