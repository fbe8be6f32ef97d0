#include "format/statements.h"

#include <gtest/gtest.h>

#include <string>

#include "format/definitions.h"
#include "format/format_test_support.h"

namespace vesk {
namespace {

using namespace format_test;


struct BlnoCase {
  const char* text;  // after "#BLNO"
  int from, to, offset;
  const char* comment;  // null: none
  const char* error;    // null: accepted
};

// Runs parse_blno with the message captured; "" when there was none.
std::string blno(const char* text, BlnoRange* r) {
  testing::internal::CaptureStderr();
  int rc = parse_blno(ctx(), text, 8, r);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(rc != 0, !err.empty());
  return err;
}

TEST(ParseBlno, FirstRange) {
  const BlnoCase cases[] = {
      {" 0 0 ; header", 0, 0, -1, "header", nullptr},
      {"", 0, 0, -1, nullptr, nullptr},
      {" 0", 0, 0, -1, nullptr, nullptr},
      {" 0 &", 0, 32767, -1, nullptr, nullptr},
      {" 0 & ;  open  ", 0, 32767, -1, "open", nullptr},
      {" 0 9 ;x", 0, 9, -1, "x", nullptr},
      {" 0 ;x", 0, 0, -1, "x", nullptr},
      {" offset=0x100 0 &", 0, 32767, 256, nullptr, nullptr},
      {" offset=0x7FFFFFFF 0", 0, 0, 0x7FFFFFFF, nullptr, nullptr},
      {" offset=512 0 3", 0, 3, 512, nullptr, nullptr},
      {"\toffset=2147483647\t0\t32767", 0, 32767, 2147483647, nullptr, nullptr},
      {" 0 9;x", 0, 0, 0, nullptr, "to block: illegal number"},
      {" 0;x", 0, 0, 0, nullptr, "from block: illegal number"},
      {" 1", 0, 0, 0, nullptr, "from block number not 0"},
      {" 0 x", 0, 0, 0, nullptr, "to block: illegal number"},
      {" -1 3", 0, 0, 0, nullptr, "from block: illegal number"},
      {" 5 3", 0, 0, 0, nullptr, "illegal relation: to block numer > from block number"},
      {" 0 32768", 0, 0, 0, nullptr, "to block: illegal number"},
      {" 32768", 0, 0, 0, nullptr, "from block: illegal number"},
      {" 99999999999999999999 0", 0, 0, 0, nullptr, "from block: illegal number"},
      {" offset=0x80000000 0", 0, 0, 0, nullptr, "offset: illegal number"},
      {" offset=2147483648 0", 0, 0, 0, nullptr, "offset: illegal number"},
      {" offset=0x 0", 0, 0, 0, nullptr, "offset: illegal number"},
      {" offset=0xZ 0", 0, 0, 0, nullptr, "offset: illegal number"},
      {" offset=12a 0", 0, 0, 0, nullptr, "offset: illegal number"},
      {" offset=-1 0", 0, 0, 0, nullptr, "offset: illegal number"},
  };
  for (const BlnoCase& c : cases) {
    SCOPED_TRACE(c.text);
    reset_tables();
    BlnoRange r;
    std::string err = blno(c.text, &r);
    if (c.error) {
      EXPECT_EQ(err, std::string("t.fmt: ") + c.error + " (line is 8)\n");
      continue;
    }
    EXPECT_EQ(err, "");
    EXPECT_EQ(r.from_blk, c.from);
    EXPECT_EQ(r.to_blk, c.to);
    EXPECT_EQ(r.offset, c.offset);
    EXPECT_EQ(str(r.comment), str(c.comment));
  }
}

TEST(ParseBlno, FollowingRanges) {
  reset_tables();
  defs.blnoinf_cnt = 1;
  defs.blno_inf[0].to_blk = 9;
  BlnoRange r;
  EXPECT_EQ(blno(" 10 12", &r), "");
  EXPECT_EQ(r.from_blk, 10);
  EXPECT_EQ(blno(" 11", &r), "t.fmt: illegal from block number: not sequentioal (line is 8)\n");
  EXPECT_EQ(blno(" 9 12", &r), "t.fmt: illegal from block number: not sequentioal (line is 8)\n");
  defs.blno_inf[0].to_blk = 32767;  // after an open range nothing can follow
  EXPECT_NE(blno(" 32767", &r), "");
}

TEST(AddDefine, ValuesAreKeptInOneSignedByte) {
  reset_tables();
  EXPECT_EQ(add_define(ctx(), " NLEN 20"), 0);
  EXPECT_EQ(add_define(ctx(), " N 200"), 0);
  EXPECT_EQ(add_define(ctx(), " M -3"), 0);
  EXPECT_EQ(add_define(ctx(), " H 0x10"), 0);  // no decimal digits after the 0: reads 0
  EXPECT_EQ(add_define(ctx(), " E"), 0);       // nothing after the name: 0
  EXPECT_EQ(add_define(ctx(), " W 256"), 0);
  EXPECT_EQ(add_define(ctx(), " X 99999999999999999999999"), 0);
  ASSERT_EQ(defs.def_cnt, 7);
  const int want[] = {20, -56, -3, 0, 0, 0, -1};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(defs.def_inf[i].value, want[i]) << i;
  EXPECT_STREQ(defs.def_inf[0].name, "NLEN");
}

TEST(AddDefine, Failures) {
  reset_tables();
  testing::internal::CaptureStderr();
  EXPECT_EQ(add_define(ctx(), "   "), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "t.fmt: illegal definition\n");
  for (int i = 0; i < MAX_DEF; ++i) ASSERT_EQ(add_define(ctx(), " A 1"), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(add_define(ctx(), " B 1"), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "t.fmt: too many definition data\n");
}

struct RenCase {
  RenameKind kind;
  const char* text;
  char code;
  const char* name;
  const char* error;
};

TEST(AddRename, Cases) {
  const auto R = RenameKind::rename;
  const auto T = RenameKind::typedef_;
  const RenCase cases[] = {
      {R, " YEN l", 'l', "YEN", nullptr},
      {R, " P pointer", 'p', "P", nullptr},
      {R, " Z;  S", 'S', "Z;", nullptr},
      {R, " YEN q", 0, nullptr, "illegal rename definition"},
      {R, " YEN", 0, nullptr, "illegal rename definition"},
      {R, "", 0, nullptr, "illegal rename definition"},
      {T, " long AMOUNT;", 'l', "AMOUNT", nullptr},
      {T, " unsigned short CODE;", 'S', "CODE", nullptr},
      {T, " unsigned char UC", 'c', "UC", nullptr},
      {T, " unsigned int UI;", 'I', "UI", nullptr},
      {T, " unsigned long UL;", 'L', "UL", nullptr},
      {T, " float8 X;", 'f', "X", nullptr},
      {T, " doubleword D;", 'd', "D", nullptr},
      {T, " char C;", 'c', "C", nullptr},
      {T, " int I;", 'i', "I", nullptr},
      {T, " short S;", 's', "S", nullptr},
      {T, " CHAR C;", 'c', "C", nullptr},
      {T, " BYTE B;", 'x', "B", nullptr},
      {T, " WORD W;", 'S', "W", nullptr},
      {T, " INT I;", 'l', "I", nullptr},
      {T, " LONG L;", 'l', "L", nullptr},
      {T, " DWORD D;", 'L', "D", nullptr},
      {T, " LPSTR P;", 'p', "P", nullptr},
      {T, " long", 'l', "", nullptr},
      {T, " long A;;", 'l', "A;", nullptr},
      {T, " string S;", 0, nullptr, "unknown type\n"},
      {T, " unsigned float F;", 0, nullptr, "unknown type"},
      {T, " unsigned", 0, nullptr, "unknown type"},
  };
  for (const RenCase& c : cases) {
    SCOPED_TRACE(c.text);
    reset_tables();
    testing::internal::CaptureStderr();
    int rc = add_rename(ctx(), c.kind, c.text);
    std::string err = testing::internal::GetCapturedStderr();
    if (c.error) {
      EXPECT_EQ(rc, -1);
      EXPECT_EQ(err, std::string("t.fmt: ") + c.error + "\n");
      EXPECT_EQ(defs.ren_cnt, 0);
      continue;
    }
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(err, "");
    ASSERT_EQ(defs.ren_cnt, 1);
    EXPECT_EQ(defs.ren_inf[0].type, c.code);
    EXPECT_STREQ(defs.ren_inf[0].name, c.name);
  }
}

TEST(AddRename, TableFull) {
  reset_tables();
  for (int i = 0; i < MAX_REN; ++i) ASSERT_EQ(add_rename(ctx(), RenameKind::typedef_, " long A;"), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(add_rename(ctx(), RenameKind::rename, " B l"), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "t.fmt: too many rename definition\n");
}

std::string saved(const char* copy) { return copy; }

TEST(SaveStr, TrimsAndCuts) {
  EXPECT_EQ(saved(save_str(defs, " \t a b \t ")), "a b");
  EXPECT_EQ(saved(save_str(defs, "")), "");
  std::string big(600, 'x');
  EXPECT_EQ(saved(save_str(defs, big.c_str())).size(), 511u);
  std::string spaced = "  " + std::string(510, 'y') + "   z";
  EXPECT_EQ(saved(save_str(defs, spaced.c_str())), std::string(510, 'y'));
  const char text[] = "abcdef";
  EXPECT_EQ(saved(save_word(defs, text + 1, text + 3)), "bc");
}

TEST(ReadNumber, LikeAtoi) {
  EXPECT_EQ(read_number("  12ab"), 12);
  EXPECT_EQ(read_number("-3"), -3);
  EXPECT_EQ(read_number("+7"), 7);
  EXPECT_EQ(read_number("x1"), 0);
  EXPECT_GT(read_number("99999999999999999999999"), 32767);
}

}  // namespace
}  // namespace vesk
