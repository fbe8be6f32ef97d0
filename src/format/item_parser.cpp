#include "format/item_parser.h"

#include <cstring>

#include "common/text_scan.h"
#include "format/expression.h"
#include "format/item_types.h"
#include "format/statements.h"

namespace vesk {

namespace {

constexpr int kMaxCount = 32767;       // count is a 16-bit field
constexpr int kMaxColonLength = 256;   // element length, colon form
constexpr int kMaxDeclLength = 1024;   // element length, declaration form
constexpr int kMaxScaleDigits = 3;     // digits read in a scale (the largest scale is 31)
const char kEmpty[] = "";

const TypeWord kItemWords[] = {
    {"char", 'c'},   {"int", 'i'},  {"shor", 's'}, {"long", 'l'}, {"float", 'f'},
    {"double", 'd'}, {"CHAR", 'c'}, {"BYTE", 'x'}, {"WORD", 'S'}, {"INT", 'l'},
    {"LONG", 'l'},   {"DWORD", 'L'}, {"LPSTR", 'p'},
};

// The type words of legacy records. Unlike the words above they are matched
// as whole words, and only after the file's own names: a typedef or structure
// called QUAD, QUADRANT or PACKET keeps its meaning. PACKED and ZONED may
// carry a scale: PACKED(2).
struct WholeWord {
  const char* word;
  char code;
  bool scaled;
};
const WholeWord kWholeWords[] = {
    {"SBYTE", T_SBYTE, false}, {"UBYTE", T_UBYTE, false},  {"QUAD", T_QUAD, false},
    {"UQUAD", T_UQUAD, false}, {"PACKED", T_PACKED, true}, {"ZONED", T_ZONED, true},
};

// No scale written.
constexpr int kNoScale = 0;
// A scale that is no "(digits)".
constexpr int kBadScale = -1;

// The scale written as the whole text from begin to end: "(" digits ")".
// kBadScale when it is not one.
int read_scale(const char* begin, const char* end) {
  if (end - begin < 3 || *begin != '(' || end[-1] != ')') return kBadScale;
  const char* d = begin + 1;
  const char* stop = end - 1;
  if (stop - d > kMaxScaleDigits) return kBadScale;
  int v = 0;
  for (; d < stop; ++d) {
    if (*d < '0' || *d > '9') return kBadScale;
    v = v * 10 + (*d - '0');
  }
  return v;
}

// The code of the whole word from p to end, or 0; sets *scale to the scale
// written after PACKED or ZONED (kNoScale when none, kBadScale when it is
// not a number in parentheses).
char match_whole_word(const char* p, const char* end, int* scale) {
  std::size_t len = static_cast<std::size_t>(end - p);
  *scale = kNoScale;
  for (const WholeWord& w : kWholeWords) {
    std::size_t wl = std::strlen(w.word);
    if (len < wl || std::strncmp(p, w.word, wl) != 0) continue;
    if (len == wl) return w.code;
    if (w.scaled && p[wl] == '(') {
      *scale = read_scale(p + wl, end);
      return w.code;
    }
  }
  return 0;
}

// The scale of a packed or zoned item: from 0 up to the digits an element of
// length bytes holds.
bool scale_fits(char code, int length, int scale) {
  return scale >= 0 && scale <= decimal_digits(code, length);
}

// The longest element of a code whose item gives its length, in a form that
// allows at most form_max.
int max_length_of(char code, int form_max) {
  const ItemType* t = item_type(code);
  int m = t != nullptr ? t->max_length : 0;
  return m < form_max ? m : form_max;
}

// A new record at item_cnt with an empty name and comment, displayed.
ItemInf* new_item(Definitions& defs) {
  if (defs.item_cnt >= MAX_ITEMS) return nullptr;  // the reader never lets it fill
  ItemInf& it = defs.item_inf[defs.item_cnt];
  it = ItemInf{};
  it.name = kEmpty;
  it.comment = kEmpty;
  it.display = 1;
  return &it;
}

void set_comment(Definitions& defs, ItemInf& it, const char* begin, const char* end) {
  it.comment = save_word(defs, begin, end);
  if (starts_with(it.comment, "no display")) it.display = 0;
}

// The record is complete: count it.
void add_item(Definitions& defs) { defs.item_cnt += 1; }

// The text from p up to the next colon or the end.
const char* field_end(const char* p) {
  const char* colon = index(p, ':');
  return colon ? colon : p + std::strlen(p);
}

// The name and comment fields of the colon form, the name starting at p.
void colon_name_comment(Definitions& defs, ItemInf& it, const char* p) {
  const char* end = field_end(p);
  it.name = save_word(defs, p, end);
  if (*end == ':') set_comment(defs, it, end + 1, field_end(end + 1));
}

// Looks a type word up among the renames, then among the tags of the nested
// structures and templates made so far. Returns the code, or 0.
char lookup_type_name(const Definitions& defs, const char* word, int len, ItemInf* it) {
  for (int i = 0; i < defs.ren_cnt; ++i) {
    const char* n = defs.ren_inf[i].name;
    if (n && static_cast<int>(std::strlen(n)) == len && std::strncmp(n, word, len) == 0)
      return defs.ren_inf[i].type;
  }
  for (int i = 0; i < defs.item_cnt; ++i) {
    const ItemInf& s = defs.item_inf[i];
    if (s.type != T_NESTED && s.type != T_TEMPLATE) continue;
    if (s.tag && static_cast<int>(std::strlen(s.tag)) == len && std::strncmp(s.tag, word, len) == 0) {
      it->first = s.first;
      it->last = s.last;
      return T_REF;
    }
  }
  return 0;
}

// The bracket groups from the "[" at p. Sets the product of the dimensions and
// the last one, and the text after the last "]". 0, or -1 after a message.
int read_dimensions(const FormatContext& ctx, const char* p, long long line_no, int* product, int* last,
                    const char** rest) {
  long long prod = 1;
  for (;;) {
    const char* close = index2(p + 1, "]");
    if (close == nullptr) {
      return ctx.error(" ']' ... does not match", line_no);
    }
    char expr[kExprSize];
    if (expand_expr(ctx.defs, p + 1, ']', expr, sizeof expr) != 0) {
      return ctx.error("illegal repeat", line_no);
    }
    double v = 0;
    if (calc_expr(expr, &v) != 0 || !(v >= 1.0)) {
      // The message names no dimension: it stands as written.
      return ctx.error("%s: illegal repeat or data length", line_no);
    }
    // Any factor or product above the 16-bit count is refused before it is kept.
    if (!(v < kMaxCount + 1.0)) {
      return ctx.error("illegal repeat", line_no);
    }
    int dim = static_cast<int>(v);
    prod *= dim;
    if (prod > kMaxCount) {
      return ctx.error("illegal repeat", line_no);
    }
    *last = dim;
    const char* next = index2(close + 1, "[=;/");
    if (next == nullptr || *next != '[') {
      *rest = close + 1;
      break;
    }
    p = next;
  }
  *product = static_cast<int>(prod);
  return 0;
}

}  // namespace

int parse_colon_item(const FormatContext& ctx, const char* line, long long line_no) {
  Definitions& defs = ctx.defs;
  char code = line[0];
  const char* colon = line[0] ? index(line + 1, ':') : nullptr;
  // The structure codes have no meaning in an item line.
  if (colon == nullptr || is_struct_code(code)) {
    return ctx.error("data type missing", line_no);
  }
  // What stands between the code and the colon is ignored, but for the scale
  // of a decimal: k(2):5:amount.
  int scale = kNoScale;
  if (is_decimal_code(code) && colon > line + 1) scale = read_scale(line + 1, colon);
  ItemInf* it = new_item(defs);
  if (it == nullptr) return 0;
  it->type = code;
  it->count = 1;
  const char* p = colon + 1;
  const char* name = nullptr;
  if (has_item_length(code)) {
    const char* mark = index2(p, "[:");
    long long length = read_number(p);
    if (length < 1 || length > max_length_of(code, kMaxColonLength)) {
      return ctx.error(mark && *mark == '[' ? "illegal data length" : "illegal repeat", line_no);
    }
    if (is_decimal_code(code) && !scale_fits(code, static_cast<int>(length), scale)) {
      return ctx.error("illegal scale", line_no);
    }
    it->length = static_cast<int16_t>(length);
    it->scale = static_cast<int16_t>(scale);
    if (mark && *mark == '[') {
      const char* close = index2(mark + 1, "]:");
      long long count = read_number(mark + 1);
      if (close == nullptr || *close != ']' || count < 1 || count > kMaxCount) {
        return ctx.error("illegal repeat", line_no);
      }
      it->count = static_cast<int16_t>(count);
      const char* next = index(close, ':');
      if (next) name = next + 1;
    } else if (mark) {
      name = mark + 1;
    }
  } else {
    long long count = read_number(p);
    if (count < 1 || count > kMaxCount) {
      return ctx.error("illegal repeat", line_no);
    }
    it->count = static_cast<int16_t>(count);
    const char* next = index(p, ':');
    if (next) name = next + 1;
  }
  if (name) colon_name_comment(defs, *it, name);
  add_item(defs);
  return 0;
}

int parse_c_item(const FormatContext& ctx, const char* line, long long line_no) {
  Definitions& defs = ctx.defs;
  const char* p = sp_skip(line);
  if (starts_with(p, "//")) return kIgnoredLine;
  ItemInf probe;  // first/last of a structure type, before the record is made
  int scale = kNoScale;
  const char* word_end = chr_skip(p);
  char code = 0;
  if (starts_with(p, "unsigned")) {
    p = sp_skip(word_end);
    code = match_unsigned_word(p);
    if (code == 0) {
      return ctx.error("illegal data type found", 0);
    }
    word_end = chr_skip(p);
  } else {
    code = match_type_word(p, kItemWords, sizeof kItemWords / sizeof kItemWords[0]);
    // Any other word names a type only when more text follows it.
    if (code == 0 && *sp_skip(word_end) != '\0')
      code = lookup_type_name(defs, p, static_cast<int>(word_end - p), &probe);
    if (code == 0) code = match_whole_word(p, word_end, &scale);
    if (code == 0) {
      return ctx.error("illegal data type", line_no);
    }
  }
  p = sp_skip(word_end);
  if (*p == '\0') {
    return ctx.error("item name missing", line_no);
  }
  if (starts_with(p, "far")) {
    p = sp_skip(chr_skip(p));
    if (*p != '*') {
      return ctx.error("illegal far definition", line_no);
    }
    code = T_FARPTR;
    ++p;
  } else if (*p == '*') {
    code = T_PTR;
    ++p;
  }
  const char* stop = index2(p, "[=;/");
  if (stop == nullptr) {
    return ctx.error("illegal statement", line_no);
  }
  int count = 1;
  int length = 1;
  const char* rest = stop + 1;
  if (*stop == '[') {
    int product = 0;
    int last = 0;
    if (read_dimensions(ctx, stop, line_no, &product, &last, &rest) != 0) return -1;
    count = product;
    if (has_item_length(code)) {
      length = last;
      count = product / last;
      if (length > max_length_of(code, kMaxDeclLength)) {
        return ctx.error("too large data length or invalid length", line_no);
      }
    }
  }
  if (is_decimal_code(code) && !scale_fits(code, length, scale)) {
    return ctx.error("illegal scale", line_no);
  }
  const char* open = index1(rest, "/*");
  const char* close = open ? index1(open + 2, "*/") : nullptr;
  if (open && close == nullptr) {
    return ctx.error("illegal comment statement", line_no);
  }
  ItemInf* it = new_item(defs);
  if (it == nullptr) return 0;
  it->type = code;
  it->count = static_cast<int16_t>(count);
  if (has_item_length(code)) it->length = static_cast<int16_t>(length);
  if (is_decimal_code(code)) it->scale = static_cast<int16_t>(scale);
  if (code == T_REF) {
    it->first = probe.first;
    it->last = probe.last;
  }
  it->name = save_word(defs, p, stop);
  if (open) set_comment(defs, *it, open + 2, close);
  add_item(defs);
  return 0;
}

int parse_item(const FormatContext& ctx, const char* line, long long line_no) {
  Definitions& defs = ctx.defs;
  int before = defs.item_cnt;
  int rc = (line[0] == ' ' || line[0] == '\t') ? parse_c_item(ctx, line, line_no)
                                               : parse_colon_item(ctx, line, line_no);
  if (rc == kIgnoredLine) return 0;
  if (rc != 0) return rc;
  if (defs.item_cnt > before) {
    const ItemInf& it = defs.item_inf[defs.item_cnt - 1];
    int name_len = static_cast<int>(std::strlen(it.name));
    int comment_len = static_cast<int>(std::strlen(it.comment));
    if (name_len > defs.item_mlen) defs.item_mlen = name_len;
    if (comment_len > defs.comment_mlen) defs.comment_mlen = comment_len;
  }
  return 0;
}

}  // namespace vesk
