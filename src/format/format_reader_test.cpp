#include "format/format_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "format/definitions.h"
#include "format/format_test_support.h"

namespace vesk {
namespace {

using namespace format_test;


const char kSales[] =
    "/* sales file */\n"
    "#define NLEN 20\n"
    "#REN YEN l\n"
    "typedef struct {\n"
    "  short year;\n"
    "  char mon[2];\n"
    "} DATE;\n"
    "#BLNO 0 0 ; header\n"
    "struct HEAD {\n"
    "  char title[NLEN]; /* file title */\n"
    "  DATE made;\n"
    "  long count;\n"
    "};\n"
    "#BLNO offset=0x100 1 & ; records\n"
    "struct REC {\n"
    "  BYTE flag; /* no display */\n"
    "  YEN price[2][3];\n"
    "  struct {\n"
    "  short code;\n"
    "  } sub[2];\n"
    "c:8:memo:remark\n"
    "};\n";

struct Rec {
  char type;
  int length, count, first, last;
  const char* tag;
  const char* name;
  const char* comment;
  int display;
};

void expect_records(const Rec* want, int n) {
  ASSERT_EQ(defs.item_cnt, n);
  for (int i = 0; i < n; ++i) {
    SCOPED_TRACE(i);
    const ItemInf& it = defs.item_inf[i];
    EXPECT_EQ(it.type, want[i].type);
    EXPECT_EQ(it.length, want[i].length);
    EXPECT_EQ(it.count, want[i].count);
    EXPECT_EQ(it.first, want[i].first);
    EXPECT_EQ(it.last, want[i].last);
    EXPECT_EQ(str(it.tag), str(want[i].tag));
    EXPECT_EQ(str(it.name), str(want[i].name));
    EXPECT_EQ(str(it.comment), str(want[i].comment));
    EXPECT_EQ(it.display, want[i].display);
  }
}

TEST(ReadFormat, SalesExample) {
  for (int b = 0; b <= 1; ++b) {
    SCOPED_TRACE(b ? "with B" : "without B");
    reset_tables();
    options.align = b;
    std::string errors;
    ASSERT_EQ(load(kSales, &errors), 0);
    options.align = 0;
    EXPECT_EQ(errors, "");
    const Rec want[] = {
        {'T', 0, 0, 1, 2, "DATE", nullptr, nullptr, 0},  // never laid out
        {'s', 2, 1, 0, 0, nullptr, "year", "", 1},
        {'c', 2, 1, 0, 0, nullptr, "mon", "", 1},
        {'D', 4, 1, 4, 6, "HEAD", nullptr, nullptr, 0},
        {'c', 20, 1, 0, 0, nullptr, "title", "file title", 1},
        {'R', 2, 1, 1, 2, nullptr, "made", "", 1},
        {'l', 4, 1, 0, 0, nullptr, "count", "", 1},
        {'D', 4, 1, 8, 12, "REC", nullptr, nullptr, 0},
        {'x', 1, 1, 0, 0, nullptr, "flag", "no display", 0},
        {'l', 4, 6, 0, 0, nullptr, "price", "", 1},
        {' ', 2, 2, 11, 11, "", "sub", nullptr, 0},
        {'s', 2, 1, 0, 0, nullptr, "code", "", 1},
        {'c', 8, 1, 0, 0, nullptr, "memo", "remark", 1},
    };
    expect_records(want, 13);
    ASSERT_EQ(defs.blnoinf_cnt, 2);
    const BlnoInf& h = defs.blno_inf[0];
    EXPECT_EQ(h.item_no, 3);
    EXPECT_EQ(h.from_blk, 0);
    EXPECT_EQ(h.to_blk, 0);
    EXPECT_EQ(h.offset, -1);
    EXPECT_EQ(h.size, 28);
    EXPECT_EQ(str(h.comment), "header");
    const BlnoInf& r = defs.blno_inf[1];
    EXPECT_EQ(r.item_no, 7);
    EXPECT_EQ(r.from_blk, 1);
    EXPECT_EQ(r.to_blk, 32767);
    EXPECT_EQ(r.offset, 256);
    EXPECT_EQ(r.size, b ? 40 : 37);
    EXPECT_EQ(str(r.comment), "records");
    ASSERT_EQ(defs.ren_cnt, 1);
    EXPECT_EQ(defs.ren_inf[0].type, 'l');
    EXPECT_STREQ(defs.ren_inf[0].name, "YEN");
    ASSERT_EQ(defs.def_cnt, 1);
    EXPECT_STREQ(defs.def_inf[0].name, "NLEN");
    EXPECT_EQ(defs.def_inf[0].value, 20);
    EXPECT_EQ(defs.item_mlen, 5);
    EXPECT_EQ(defs.comment_mlen, 10);
    EXPECT_EQ(defs.block_id_pos, -1);
  }
}

// The dimensions as written: a text's or a decimal's last bracket is its
// length; the colon form's count makes an array when above 1; a structure
// closed with a count has it, and its name.
TEST(ReadFormat, Dimensions) {
  reset_tables();
  std::string errors;
  ASSERT_EQ(load("#BLNO 0 &\n"
                 "struct R {\n"
                 "  long a[2][3];\n"
                 "  char t[4][5];\n"
                 "  char s[5];\n"
                 "  short one[1];\n"
                 "  short v;\n"
                 "  PACKED(1) p[2][3];\n"
                 "l:3:three\n"
                 "l:1:single\n"
                 "c:4[2]:texts\n"
                 "  struct {\n"
                 "    short q;\n"
                 "  } line[3];\n"
                 "  struct {\n"
                 "    short r;\n"
                 "  };\n"
                 "};\n",
                 &errors),
            0)
      << errors;
  struct Want {
    const char* name;
    std::vector<int> dims;
  };
  const Want want[] = {{"a", {2, 3}},     {"t", {4}},     {"s", {}},      {"one", {1}}, {"v", {}},
                       {"p", {2}},        {"three", {3}}, {"single", {}}, {"texts", {2}}, {"line", {3}},
                       {"q", {}},         {"(null)", {}}, {"r", {}}};
  ASSERT_EQ(defs.item_cnt, 14);
  for (int i = 1; i < defs.item_cnt; ++i) {
    const ItemInf& it = defs.item_inf[i];
    const Want& w = want[i - 1];
    EXPECT_EQ(str(it.name), std::string(w.name)) << i;
    EXPECT_EQ(std::vector<int>(it.dims, it.dims + it.dim_count), w.dims) << w.name;
  }
}

// The message a format text ends with ("" when it loads).
std::string failure(const std::string& text) {
  reset_tables();
  std::string errors;
  int rc = load(text, &errors);
  EXPECT_EQ(rc != 0, !errors.empty());
  return errors;
}

TEST(ReadFormat, Comments) {
  EXPECT_EQ(failure("/* a\n b\n c */#BLNO 0\n  /**/ \n#BLNO 0\nstruct A {\n/*/ long a; */  long b;\n};\n"),
            "");
  // "/*/" closes at once: the asterisk of the opening counts.
  EXPECT_EQ(defs.item_cnt, 2);
  EXPECT_STREQ(defs.item_inf[1].name, "a");
  // The text after a comment is the whole line: an indented "#" line is an item line,
  // and a line not indented is a colon-form item.
  EXPECT_EQ(failure("/* c */ #BLNO 0\n"), "t.fmt: illegal data type (line is 1)\n");
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n/* x */long b;\n};\n"),
            "t.fmt: data type missing (line is 3)\n");
  // A file ending inside a comment ends the reading; an open structure is then reported.
  EXPECT_EQ(failure("/* open\n\n"), "");
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a;\n/* open\n\n"),
            "t.fmt: {,} ... does not match (line is 5)\n");
}

TEST(ReadFormat, StructureOpenings) {
  // "{" on the next line, the bare form, a one-line structure.
  EXPECT_EQ(failure("#BLNO 0\nstruct A\n  {\n long a;\n};\n#BLNO 1\nB {\n short b;\n  T {\n  char c;\n }"
                    " x[3];\n};\n#BLNO 2\nstruct C { long a; };\n long c;\n};\n"),
            "");
  ASSERT_EQ(defs.item_cnt, 8);
  EXPECT_STREQ(defs.item_inf[0].tag, "A");
  EXPECT_STREQ(defs.item_inf[2].tag, "B");
  EXPECT_EQ(defs.item_inf[4].type, ' ');
  EXPECT_STREQ(defs.item_inf[4].tag, "T");
  EXPECT_EQ(defs.item_inf[4].count, 3);
  EXPECT_EQ(defs.blno_inf[1].size, 5);
  EXPECT_EQ(defs.item_inf[6].last, 7);  // the rest of the one-line opening was ignored
  EXPECT_EQ(defs.blno_inf[2].size, 4);

  EXPECT_EQ(failure("#BLNO 0\nstruct POINT p;\n long a;\n"),
            "t.fmt: illegal struct statement (line is 3)\n");
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long structure;\n};\n"),
            "t.fmt: illegal struct statement (line is 4)\n");
  EXPECT_EQ(failure("#BLNO 0\nstruct A\n"), "");  // end of file while looking for "{"
  EXPECT_EQ(failure("struct A {\n"), "t.fmt: #BLNO statement is missing (line is 1)\n");
  // typedef struct with "{" on the next line is an ordinary structure.
  EXPECT_EQ(failure("typedef struct\n{\n long a;\n} X;\n"),
            "t.fmt: #BLNO statement is missing (line is 2)\n");
  // A typedef template takes no pending range.
  EXPECT_EQ(failure("#BLNO 0\ntypedef struct {\n long a;\n} X;\nstruct A {\n X x;\n};\n"), "");
  EXPECT_EQ(defs.blno_inf[0].item_no, 2);
  EXPECT_EQ(defs.blno_inf[0].size, 4);
}

TEST(ReadFormat, HashLines) {
  EXPECT_EQ(failure("#MULTI FORMAT\n#BLNO 0\nstruct A {\n#BLNO 7\n#REN X q\n#define N 3\n"
                    "#pragma\n long a[N];\n};\n #BLNO 1\n"),
            "t.fmt: illegal data type (line is 10)\n");
  EXPECT_EQ(defs.def_cnt, 1);
  EXPECT_EQ(defs.ren_cnt, 0);
  EXPECT_EQ(defs.item_inf[1].count, 3);
  // Outside any structure an item line is recorded and belongs to no format.
  EXPECT_EQ(failure(" long lone;\n#BLNO 0\nstruct A {\n short s;\n};\n"), "");
  EXPECT_EQ(defs.item_cnt, 3);
  EXPECT_EQ(defs.blno_inf[0].size, 2);
}

TEST(ReadFormat, ClosingRepeats) {
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a;\n} recs[4];\n"), "");
  EXPECT_EQ(defs.blno_inf[0].size, 16);
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a;\n} recs[2*3\n"), "");  // no "]": to the end
  EXPECT_EQ(defs.blno_inf[0].size, 24);
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a;\n} [4];\n"), "");  // no name: count 1
  EXPECT_EQ(defs.blno_inf[0].size, 4);
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a;\n} r[0];\n"), "t.fmt: illegal repeat (line is 4)\n");
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a;\n} r[];\n"), "t.fmt: illegal repeat (line is 4)\n");
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a;\n} r[1/0];\n"), "t.fmt: illegal repeat (line is 4)\n");
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a;\n} r[Q];\n"), "t.fmt: illegal repeat (line is 4)\n");
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n char a;\n} r[32768];\n"),
            "t.fmt: illegal repeat (line is 4)\n");
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n char a;\n} r[4097];\n"),
            "t.fmt: too large block size(max. 4096 bytes) (line is 4)\n");
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n};\n"), "t.fmt: data size not defined (line is 3)\n");
  EXPECT_EQ(failure("};\n"), "t.fmt: illegal nest of struct (line is 1)\n");
}

TEST(ReadFormat, NestingLimit) {
  std::string text = "#BLNO 0\nstruct A {\n";
  for (int i = 0; i < 9; ++i) text += " struct {\n";
  std::string ok = text + " char c;\n";
  for (int i = 0; i < 10; ++i) ok += "}\n";
  EXPECT_EQ(failure(ok), "");
  EXPECT_EQ(defs.blno_inf[0].size, 1);
  EXPECT_EQ(failure(text + " struct {\n"), "t.fmt: the nest of struct is too deep (line is 12)\n");
  std::string deep = "#BLNO 0\n";
  for (int i = 0; i < 10000; ++i) deep += "S {\n";
  EXPECT_EQ(failure(deep), "t.fmt: the nest of struct is too deep (line is 12)\n");
  std::string closes;
  for (int i = 0; i < 10000; ++i) closes += "}\n";
  EXPECT_EQ(failure(closes), "t.fmt: illegal nest of struct (line is 1)\n");
}

TEST(ReadFormat, FullItemTableEndsTheReading) {
  std::string text = "#BLNO 0\nstruct A {\n";
  for (int i = 0; i < 498; ++i) text += " char c;\n";
  // Record 500 is the item on line 502: the line after it is never read.
  EXPECT_EQ(failure(text + "};\n long tail;\nnot read\n"), "");
  EXPECT_EQ(defs.item_cnt, 500);
  EXPECT_EQ(defs.blno_inf[0].size, 498);
  EXPECT_EQ(failure(text + " char d;\n};\n"), "t.fmt: {,} ... does not match (line is 501)\n");
  EXPECT_EQ(defs.item_cnt, 500);
}

TEST(ReadFormat, LongLinesAreReadInPieces) {
  // 300 blanks: a blank piece of 255 and one of 45 (lines 2 and 3).
  std::string text = "#BLNO 0\n" + std::string(300, ' ') + "\nstruct A {\n";
  EXPECT_EQ(failure(text + "}\n"), "t.fmt: data size not defined (line is 5)\n");
  // A piece of exactly 255 bytes leaves its line end for an empty line of its own.
  std::string exact = "#BLNO 0\n" + std::string(255, ' ') + "\nstruct A {\n}\n";
  EXPECT_EQ(failure(exact), "t.fmt: data size not defined (line is 5)\n");
  std::string fits = "#BLNO 0\n" + std::string(254, ' ') + "\nstruct A {\n}\n";
  EXPECT_EQ(failure(fits), "t.fmt: data size not defined (line is 4)\n");
  // An item comment that ends in byte 255, and one cut by the end of the piece.
  std::string fill(240, 'x');
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a; /* " + fill + " */\n};\n"), "");
  EXPECT_EQ(defs.item_cnt, 2);
  EXPECT_EQ(std::string(defs.item_inf[1].comment), fill);
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a; /* " + fill + "x */\n};\n"),
            "t.fmt: illegal comment statement (line is 3)\n");
}

TEST(ReadFormat, LineEndsAndBytes) {
  EXPECT_EQ(failure("#BLNO 0 0\r\nstruct A {\r\n long a;\r\n};\r\n"), "");
  EXPECT_EQ(defs.blno_inf[0].size, 4);
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a;\n};"), "");  // no final line end
  EXPECT_EQ(failure(std::string("#BLNO 0\nstruct A {\n long a;\0 x\n};\n", 32)),
            "t.fmt: illegal character (NUL) found (line is 3)\n");
  EXPECT_EQ(failure(""), "");
  EXPECT_EQ(defs.blnoinf_cnt, 0);
}

TEST(ReadFormat, MissingFile) {
  reset_tables();
  testing::internal::CaptureStderr();
  options.name = "/nonexistent/x.fmt";
  EXPECT_EQ(read_format(options, defs), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "format file /nonexistent/x.fmt: not found");
  testing::internal::CaptureStderr();
  options.name = "/tmp";
  EXPECT_EQ(read_format(options, defs), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "format file /tmp: not found");
}

TEST(ReadFormat, TooManyDataFormats) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "#BLNO " + std::to_string(i) + "\nA {\nc:1:a\n}\n";
  EXPECT_EQ(failure(text), "");
  EXPECT_EQ(defs.blnoinf_cnt, 100);
  EXPECT_EQ(failure(text + "#BLNO 100\nA {\n"),
            "t.fmt: too many block data definition (line is 402)\n");
}

TEST(ReadFormat, EndianAndCodeStatements) {
  const char kFormat[] = "#BLNO 0\nstruct A {\n long a;\n};\n";
  EXPECT_EQ(failure(kFormat), "");
  EXPECT_EQ(defs.endian, Endian::unstated);
  EXPECT_FALSE(defs.code_stated);
  struct Case {
    const char* lines;
    Endian endian;
    bool code_stated;
    CharMode code;
  };
  const Case cases[] = {
      {"#ENDIAN BIG\n", Endian::big, false, CharMode::sjis},
      {"#ENDIAN LITTLE\n", Endian::little, false, CharMode::sjis},
      {"#ENDIAN\tBIG /* mainframe */\n#ENDIAN BIG\n", Endian::big, false, CharMode::sjis},
      {"#CODE SJIS\n", Endian::unstated, true, CharMode::sjis},
      {"#CODE EUC\n", Endian::unstated, true, CharMode::euc},
      {"#CODE JIS\n", Endian::unstated, true, CharMode::jis},
      {"#CODE UTF-8\n#ENDIAN LITTLE\n", Endian::little, true, CharMode::utf8},
      // Other words, statements inside a structure, indented or not whole:
      // no effect, as any other "#" line.
      {"#ENDIANNESS BIG\n#CODEPAGE 932\n#Endianness big\n", Endian::unstated, false, CharMode::sjis},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    EXPECT_EQ(failure(std::string(c.lines) + kFormat), "");
    EXPECT_EQ(defs.endian, c.endian);
    EXPECT_EQ(defs.code_stated, c.code_stated);
    EXPECT_EQ(defs.code, c.code);
  }
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n#ENDIAN BIG\n#CODE EUC\n long a;\n};\n#ENDIAN LITTLE\n"), "");
  EXPECT_EQ(defs.endian, Endian::little);  // stated after the structure: it holds for the whole file
  EXPECT_FALSE(defs.code_stated);
  EXPECT_EQ(failure("#BLNO 0\nstruct A {\n long a;\n #ENDIAN BIG\n};\n"),
            "t.fmt: illegal data type (line is 4)\n");
}

TEST(ReadFormat, EndianAndCodeFailures) {
  EXPECT_EQ(failure("#ENDIAN\n"), "t.fmt: #ENDIAN: BIG or LITTLE expected (line is 1)\n");
  EXPECT_EQ(failure("\n#ENDIAN big\n"), "t.fmt: #ENDIAN: BIG or LITTLE expected (line is 2)\n");
  EXPECT_EQ(failure("#ENDIAN BIGGER\n"), "t.fmt: #ENDIAN: BIG or LITTLE expected (line is 1)\n");
  EXPECT_EQ(failure("#ENDIAN BIG\n#ENDIAN LITTLE\n"),
            "t.fmt: #ENDIAN: another order was stated before (line is 2)\n");
  EXPECT_EQ(failure("#CODE\n"), "t.fmt: #CODE: SJIS, EUC, JIS or UTF-8 expected (line is 1)\n");
  EXPECT_EQ(failure("#CODE UTF8\n"), "t.fmt: #CODE: SJIS, EUC, JIS or UTF-8 expected (line is 1)\n");
  EXPECT_EQ(failure("#CODE EUC-JP\n"), "t.fmt: #CODE: SJIS, EUC, JIS or UTF-8 expected (line is 1)\n");
  EXPECT_EQ(failure("#CODE EUC\n#CODE JIS\n"), "t.fmt: #CODE: another code was stated before (line is 2)\n");
}

// A statement of vesk's own in another case is refused wherever it stands;
// any other "#" line keeps having no effect.
TEST(ReadFormat, StatementsInAnotherCase) {
  const char* const refused[][2] = {
      {"#endian BIG\n", "#endian: did you mean #ENDIAN? (line is 1)"},
      {"#Code EUC\n", "#Code: did you mean #CODE? (line is 1)"},
      {"#blno 0\n", "#blno: did you mean #BLNO? (line is 1)"},
      {"#Blno\n", "#Blno: did you mean #BLNO? (line is 1)"},
      {"/* */\n#DEFINE N 3\n", "#DEFINE: did you mean #define? (line is 2)"},
      {"#ren X l\n", "#ren: did you mean #REN? (line is 1)"},
      {"#BLNO 0\nstruct A {\n#eNDIAN BIG\n long a;\n};\n", "#eNDIAN: did you mean #ENDIAN? (line is 3)"},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c[0]);
    EXPECT_EQ(failure(c[0]), std::string("t.fmt: ") + c[1] + "\n");
  }
  for (const char* text : {"#Endianness big\n", "#multi format\n", "#pragma once\n", "#CODES\n", "# endian\n"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(failure(text), "");
  }
}

// The lines quoted under a message: the line being read, or the one that is to
// blame when the message names another (the struct line whose "{" was looked
// for on the next, the opening of a structure left open, an item laid out
// after its line was read).
TEST(ReadFormat, QuotedLines) {
  struct Case {
    const char* text;
    const char* block_id;
    const char* quoted;
  };
  const Case cases[] = {
      {"#BLNO 0\n shrot x;\n", nullptr,
       "t.fmt: illegal data type (line is 2)\n 2 |  shrot x;\n   |  ^ did you mean short?\n"},
      {"#BLNO 0\nstruct A\n long a;\n", nullptr,
       "t.fmt: illegal struct statement (line is 3)\n 2 | struct A\n"
       "   | ^ the { of a structure ends this line or begins the next\n"},
      {"#BLNO 0\nstruct A {\n struct {\n  long a;\n", nullptr,
       "t.fmt: {,} ... does not match (line is 4)\n 3 |  struct {\n   |  ^ this structure is not closed by a }\n"},
      {"#BLNO 0\nstruct A {\n long id;\n struct {\n  short id;\n } n;\n};\n", "id",
       "t.fmt: no unique block_id.\n 5 |   short id;\n"
       "   |         ^ a second item of the id's name (an item of a template counts at each use)\n"},
      {"#BLNO 0\nstruct A {\nc:1:a\ny:1:odd\n};\n", nullptr,
       "program error: type:y, item_no:2\n 4 | y:1:odd\n   | ^ no item type: a letter of the type table\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    reset_tables();
    options.block_id = c.block_id;
    std::string quoted;
    EXPECT_EQ(load(c.text, nullptr, &quoted), -1);
    EXPECT_EQ(quoted, c.quoted);
  }
}

// Each item keeps its line for the messages that come after it.
TEST(ReadFormat, ItemsKeepTheirLines) {
  reset_tables();
  ASSERT_EQ(load("#BLNO 0\nstruct A {\n  long  total;\nc:4:memo\n};\n"), 0);
  const ItemSource& total = defs.item_source[1];
  EXPECT_EQ(std::string(total.text, static_cast<std::size_t>(total.length)), "  long  total;");
  EXPECT_EQ(total.line, 3);
  EXPECT_EQ(total.name_at, 8);
  EXPECT_EQ(defs.item_source[2].line, 4);
  EXPECT_EQ(defs.item_source[2].name_at, 4);
  EXPECT_EQ(defs.item_source[0].text, nullptr);  // a structure record
}

// The example format files were written before the types and statements of
// legacy records: none of them may have come to mean one. (A file of the
// examples folder written for them, customer.fmt, is left out.)
TEST(ReadFormat, ExampleFormatFilesKeepTheirMeaning) {
  namespace fs = std::filesystem;
  const fs::path examples = fs::path(__FILE__).parent_path().parent_path().parent_path() / "examples";
  const std::string old_codes = "cxsSiIlLfdpP RDT";
  int seen = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(examples)) {
    if (e.path().extension() != ".fmt" || e.path().filename() == "customer.fmt") continue;
    SCOPED_TRACE(e.path().string());
    seen += 1;
    reset_tables();
    const std::string name = e.path().string();
    options.name = name.c_str();
    testing::internal::CaptureStderr();
    EXPECT_EQ(read_format(options, defs), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(defs.endian, Endian::unstated);
    EXPECT_FALSE(defs.code_stated);
    for (int i = 0; i < defs.item_cnt; ++i) {
      EXPECT_NE(old_codes.find(defs.item_inf[i].type), std::string::npos) << i;
      EXPECT_EQ(defs.item_inf[i].scale, 0) << i;
    }
    options.name = "t.fmt";
  }
  EXPECT_GE(seen, 5);
}

}  // namespace
}  // namespace vesk
