#include "format/expression.h"

#include <gtest/gtest.h>

#include <cmath>

#include "format/format_test_support.h"
#include "format/statements.h"

namespace vesk {
namespace {

using namespace format_test;

struct ExprCase {
  const char* text;
  bool valid;     // passes expansion and the syntax check
  int divzero;    // errflg after evaluation
  double value;
};

class Expression : public testing::Test {
 protected:
  void SetUp() override {
    format_test::reset_tables();
    ASSERT_EQ(add_define(ctx(), "N 4"), 0);
    ASSERT_EQ(add_define(ctx(), "N_2 -3"), 0);
    ASSERT_EQ(add_define(ctx(), "BIG 200"), 0);
    ASSERT_EQ(add_define(ctx(), "N 9"), 0);  // the first definition wins
  }
};

TEST_F(Expression, Cases) {
  const ExprCase cases[] = {
      {"N*2+1", true, 0, 9},
      {"(N+2)*3", true, 0, 18},
      {"N/3", true, 0, 4.0 / 3},
      {"7/2*2", true, 0, 7},
      {"7/2", true, 0, 3.5},
      {"N-4", true, 0, 0},
      {"N/0", true, 1, 0},
      {"2*(1-1)+6/(N-4)", true, 1, 0},
      {"2*-1", false, 0, 0},
      {"2--1", false, 0, 0},
      {"M", false, 0, 0},
      {"", true, 0, 0},
      {" 1 + 2 ", true, 0, 3},
      {"2+3*4-6/2", true, 0, 11},
      {"1-6/2", true, 0, -2},
      {"-(2+3)*2", true, 0, -10},
      {"((1+2))*(3)", true, 0, 9},
      {"(-N)", true, 0, -4},
      {"N_2*2", true, 0, -6},
      {"2*N_2", false, 0, 0},  // expands to 2*-3
      {"BIG", true, 0, -56},   // 200 kept in one signed byte
      {"(1", false, 0, 0},
      {"1)", false, 0, 0},
      {"()", false, 0, 0},
      {"2(3)", false, 0, 0},
      {"(3)2", false, 0, 0},
      {"+1", false, 0, 0},
      {"1+", false, 0, 0},
      {"1-", false, 0, 0},
      {"*2", false, 0, 0},
      {"1.5", false, 0, 0},
      {"_N", false, 0, 0},
      {"1#", false, 0, 0},
  };
  for (const ExprCase& c : cases) {
    SCOPED_TRACE(c.text);
    char out[kExprSize];
    int rc = expand_expr(defs, c.text, ']', out, sizeof out);
    EXPECT_EQ(rc == 0, c.valid);
    if (rc != 0 || !c.valid) continue;
    double v = -99;
    EXPECT_EQ(calc_expr(out, &v), c.divzero);
    if (!c.divzero) {
      EXPECT_DOUBLE_EQ(v, c.value);
    }
  }
}

TEST_F(Expression, ExpansionStopsAtTheTerminator) {
  char out[kExprSize];
  ASSERT_EQ(expand_expr(defs, "N + 1]junk", ']', out, sizeof out), 0);
  EXPECT_STREQ(out, "4+1");
  ASSERT_EQ(expand_expr(defs, "2*N", '\0', out, sizeof out), 0);
  EXPECT_STREQ(out, "2*4");
  EXPECT_STREQ((expand_expr(defs, "N_2", ']', out, sizeof out), out), "-3");
}

TEST_F(Expression, OutputIsBounded) {
  char out[4];
  EXPECT_NE(expand_expr(defs, "1+2+3", ']', out, sizeof out), 0);
  EXPECT_NE(expand_expr(defs, "N+N+N", ']', out, sizeof out), 0);
  EXPECT_EQ(expand_expr(defs, "N+1", ']', out, sizeof out), 0);  // "4+1" and its end just fit
  EXPECT_EQ(expand_expr(defs, "N+10", ']', out, sizeof out), -4);
  EXPECT_EQ(expand_expr(defs, "12", ']', out, sizeof out), 0);
}

TEST_F(Expression, HugeNumbersDoNotWrap) {
  char out[kExprSize];
  std::string big(400, '9');
  ASSERT_EQ(expand_expr(defs, big.c_str(), ']', out, sizeof out), 0);
  double v = 0;
  EXPECT_EQ(calc_expr(out, &v), 0);
  EXPECT_TRUE(std::isinf(v));
}

TEST_F(Expression, FindDefine) {
  int v = 0;
  EXPECT_EQ(find_define(defs, "N", &v), 0);
  EXPECT_EQ(v, 4);
  EXPECT_EQ(find_define(defs, "n", &v), -1);
  EXPECT_EQ(find_define(defs, "N_", &v), -1);
  EXPECT_EQ(find_define(defs, "BIG", &v), 0);
  EXPECT_EQ(v, -56);
}

TEST_F(Expression, UncheckedTextStaysInBounds) {
  double v = 0;
  EXPECT_EQ(calc_expr("((((", &v), 0);
  EXPECT_EQ(calc_expr("1+", &v), 0);
  EXPECT_EQ(calc_expr("abc", &v), 0);
}

}  // namespace
}  // namespace vesk
