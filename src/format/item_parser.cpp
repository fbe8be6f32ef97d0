#include "format/item_parser.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/text_scan.h"
#include "format/expression.h"
#include "format/item_types.h"
#include "format/near_names.h"
#include "format/statements.h"

namespace vesk {

namespace {

constexpr int kMaxCount = 32767;       // count is a 16-bit field
constexpr int kMaxColonLength = 256;   // element length, colon form
constexpr int kMaxDeclLength = 1024;   // element length, declaration form
constexpr int kScaleCap = 1000;        // a scale read no further: above any item's digits
const char kEmpty[] = "";
const char kCountNote[] = "a count from 1 to 32767";

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

// The scale written as the whole text from begin to end: "(" digits ")",
// leading zeros allowed. kBadScale when it is not one; a number of many digits
// reads as kScaleCap, which no item holds.
int read_scale(const char* begin, const char* end) {
  if (end - begin < 3 || *begin != '(' || end[-1] != ')') return kBadScale;
  int v = 0;
  for (const char* d = begin + 1; d < end - 1; ++d) {
    if (*d < '0' || *d > '9') return kBadScale;
    v = v * 10 + (*d - '0');
    if (v > kScaleCap) v = kScaleCap;
  }
  return v;
}

// What an illegal scale is told: the scales the item allows.
void scale_note(char code, int length, char (&note)[80]) {
  std::snprintf(note, sizeof note, "a scale from 0 to %d, the digits of %d bytes", decimal_digits(code, length),
                length);
}

// The text code written after char as "(" code ")" from the "(" at open to
// the ")" before end: sets *mode. False when it names no code.
bool read_text_code(const char* open, const char* end, CharMode* mode) {
  if (end - open < 3 || *open != '(' || end[-1] != ')') return false;
  return read_code_word(open + 1, static_cast<std::size_t>(end - open - 2), mode);
}

const char kCodeNote[] = "SJIS, EUC, JIS or UTF-8 in parentheses";

// The first byte of the name from begin to end that cannot stand in a name,
// or null. A name is one word: ASCII letters, digits and "_", and Japanese
// (any byte from 0x80 up, but a full-width blank). Blanks around it are no
// part of it.
const char* bad_name_byte(const char* begin, const char* end) {
  while (begin < end && is_blank(*begin)) ++begin;
  while (end > begin && is_blank(end[-1])) --end;
  for (const char* c = begin; c < end; ++c) {
    const auto b = static_cast<unsigned char>(*c);
    if (end - c >= 2 && is_sjis_lead(b) && is_sjis_trail(static_cast<unsigned char>(c[1]))) {
      if (b == 0x81 && static_cast<unsigned char>(c[1]) == 0x40) return c;
      ++c;
      continue;
    }
    if (b >= 0x80 || is_letter(*c) || is_digit(*c) || *c == '_') continue;
    return c;
  }
  return nullptr;
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

// The dimensions of an item as written; none leaves it a single value.
void set_dims(Definitions& defs, ItemInf& it, const std::vector<int16_t>& dims) {
  if (dims.empty()) return;
  it.dims = defs.keep_dims(dims);
  it.dim_count = static_cast<int16_t>(dims.size());
}

// The record is complete: count it, and keep its line for the messages
// about it that come after the line (name: where its name begins).
void add_item(const FormatContext& ctx, const char* name) {
  Definitions& defs = ctx.defs;
  if (ctx.source != nullptr && ctx.source->text != nullptr) {
    const SourceLine& src = *ctx.source;
    ItemSource& kept = defs.item_source[defs.item_cnt];
    kept.text = defs.keep_text(src.text, static_cast<std::size_t>(src.length));
    kept.length = src.length;
    kept.line = src.number;
    long long at = name != nullptr ? name - src.text : 0;
    kept.name_at = at >= 0 && at <= src.length ? static_cast<int>(at) : 0;
  }
  defs.item_cnt += 1;
}

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

// The note under "illegal data type" for the word at p: what it is, or the
// type word it is nearest to.
void type_note(const Definitions& defs, const char* p, const char* end, bool alone, char (&note)[160]) {
  const std::size_t n = static_cast<std::size_t>(end - p);
  note[0] = '\0';
  if (*p == '#') {
    std::snprintf(note, sizeof note, "statements begin in column 1");
    return;
  }
  std::vector<const char*> names = {"char", "int", "short", "long", "float", "double", "CHAR", "BYTE",
                                    "WORD", "INT", "LONG", "DWORD", "LPSTR", "SBYTE", "UBYTE", "QUAD",
                                    "UQUAD", "PACKED", "ZONED", "unsigned"};
  for (int i = 0; i < defs.ren_cnt; ++i) names.push_back(defs.ren_inf[i].name);
  bool known = false;
  for (int i = 0; i < defs.item_cnt; ++i) {
    const ItemInf& s = defs.item_inf[i];
    if (!is_struct_code(s.type) || s.tag == nullptr || s.tag[0] == '\0') continue;
    const bool same = std::strlen(s.tag) == n && std::strncmp(s.tag, p, n) == 0;
    if (s.type == T_FORMAT) {
      if (same) {
        std::snprintf(note, sizeof note, "a data format is no type: a typedef struct is");
        return;
      }
      continue;
    }
    known = known || same;
    names.push_back(s.tag);
  }
  for (int i = 0; i < defs.ren_cnt; ++i)
    known = known || (std::strlen(defs.ren_inf[i].name) == n && std::strncmp(defs.ren_inf[i].name, p, n) == 0);
  if (alone && known) {
    std::snprintf(note, sizeof note, "a name must follow the type word");
    return;
  }
  if (const char* near = nearest_name(p, n, names)) {
    char shown[80];
    int k = static_cast<int>(std::strlen(near));
    if (k > 79) k = 79;
    shown_bytes(near, k, shown);
    std::snprintf(note, sizeof note, "did you mean %.*s?", k, shown);
    return;
  }
  std::snprintf(note, sizeof note, "no type word, #REN or typedef name, or structure tag");
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

// The bracket groups from the "[" at p. Sets the dimensions, their product
// and the last one, and the text after the last "]". 0, or -1 after a message.
int read_dimensions(const FormatContext& ctx, const char* p, long long line_no, std::vector<int16_t>* dims,
                    int* product, int* last, const char** last_at, const char** rest) {
  long long prod = 1;
  for (;;) {
    const char* close = index2(p + 1, "]");
    if (close == nullptr) {
      return ctx.error_at(" ']' ... does not match", line_no, p, "this [ has no ]");
    }
    char expr[kExprSize];
    if (expand_expr(ctx.defs, p + 1, ']', expr, sizeof expr) != 0) {
      const char* at = p + 1;
      const std::string note = expression_fault(ctx.defs, p + 1, ']', &at);
      return ctx.error_at("illegal repeat", line_no, at, note.c_str());
    }
    double v = 0;
    const int divided_by_zero = calc_expr(expr, &v);
    if (divided_by_zero != 0 || !(v >= 1.0)) {
      // The message names no dimension: it stands as written.
      return ctx.error_at("%s: illegal repeat or data length", line_no, p + 1,
                          divided_by_zero != 0 ? "a division by zero" : "the dimension comes out below 1");
    }
    // Any factor or product above the 16-bit count is refused before it is kept.
    if (!(v < kMaxCount + 1.0)) {
      return ctx.error_at("illegal repeat", line_no, p + 1, kCountNote);
    }
    int dim = static_cast<int>(v);
    prod *= dim;
    if (prod > kMaxCount) {
      return ctx.error_at("illegal repeat", line_no, p + 1, "the dimensions multiply past 32767");
    }
    *last = dim;
    *last_at = p + 1;
    dims->push_back(static_cast<int16_t>(dim));
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
  if (colon == nullptr) {
    return ctx.error_at("data type missing", line_no, line,
                        "a line that begins in column 1 is an item of the colon form: c:LENGTH:NAME");
  }
  // The structure codes have no meaning in an item line.
  if (is_struct_code(code)) {
    return ctx.error_at("data type missing", line_no, line, "no item type: a letter of the type table");
  }
  // What stands between the code and the colon is ignored, but for the scale
  // of a decimal, k(2):5:amount, and the text code of a char item, c(EUC):20:name.
  int scale = kNoScale;
  if (is_decimal_code(code) && colon > line + 1) scale = read_scale(line + 1, colon);
  bool code_stated = false;
  CharMode text_code = CharMode::sjis;
  if (code == T_CHAR && line[1] == '(') {
    if (!read_text_code(line + 1, colon, &text_code)) {
      return ctx.error_at("illegal text code", line_no, line + 1, kCodeNote);
    }
    code_stated = true;
  }
  ItemInf* it = new_item(defs);
  if (it == nullptr) return 0;
  it->type = code;
  it->count = 1;
  it->code_stated = code_stated;
  it->code = text_code;
  const char* p = colon + 1;
  const char* name = nullptr;
  if (has_item_length(code)) {
    const char* mark = index2(p, "[:");
    long long length = read_number(p);
    const int max = max_length_of(code, kMaxColonLength);
    if (length < 1 || length > max) {
      char note[80];
      std::snprintf(note, sizeof note, "a length from 1 to %d", max);
      return ctx.error_at(mark && *mark == '[' ? "illegal data length" : "illegal repeat", line_no, p, note);
    }
    if (is_decimal_code(code) && !scale_fits(code, static_cast<int>(length), scale)) {
      char note[80] = "a number in parentheses";
      if (scale != kBadScale) scale_note(code, static_cast<int>(length), note);
      return ctx.error_at("illegal scale", line_no, line + 1, note);
    }
    it->length = static_cast<int16_t>(length);
    it->scale = static_cast<int16_t>(scale);
    if (mark && *mark == '[') {
      const char* close = index2(mark + 1, "]:");
      long long count = read_number(mark + 1);
      if (close == nullptr || *close != ']') {
        return ctx.error_at("illegal repeat", line_no, mark, "this [ has no ]");
      }
      if (count < 1 || count > kMaxCount) {
        return ctx.error_at("illegal repeat", line_no, mark + 1, kCountNote);
      }
      it->count = static_cast<int16_t>(count);
      set_dims(defs, *it, {static_cast<int16_t>(count)});
      const char* next = index(close, ':');
      if (next) name = next + 1;
    } else if (mark) {
      name = mark + 1;
    }
  } else {
    long long count = read_number(p);
    if (count < 1 || count > kMaxCount) {
      return ctx.error_at("illegal repeat", line_no, p, kCountNote);
    }
    it->count = static_cast<int16_t>(count);
    // The colon form's number is a count: more than one makes an array.
    if (count > 1) set_dims(defs, *it, {static_cast<int16_t>(count)});
    const char* next = index(p, ':');
    if (next) name = next + 1;
  }
  if (name) colon_name_comment(defs, *it, name);
  add_item(ctx, name != nullptr ? sp_skip(name) : nullptr);
  return 0;
}

int parse_c_item(const FormatContext& ctx, const char* line, long long line_no) {
  Definitions& defs = ctx.defs;
  const char* p = sp_skip(line);
  if (starts_with(p, "//")) return kIgnoredLine;
  ItemInf probe;  // first/last of a structure type, before the record is made
  int scale = kNoScale;
  const char* type_at = p;  // the type word (after unsigned)
  const char* word_end = chr_skip(p);
  char code = 0;
  if (starts_with(p, "unsigned")) {
    p = sp_skip(word_end);
    code = match_unsigned_word(p);
    if (code == 0) {
      return ctx.error_at("illegal data type found", 0, p, "unsigned takes char, int, short or long");
    }
    type_at = p;
    word_end = chr_skip(p);
  } else {
    code = match_type_word(p, kItemWords, sizeof kItemWords / sizeof kItemWords[0]);
    // Any other word names a type only when more text follows it.
    const bool alone = *sp_skip(word_end) == '\0';
    if (code == 0 && !alone) code = lookup_type_name(defs, p, static_cast<int>(word_end - p), &probe);
    if (code == 0) code = match_whole_word(p, word_end, &scale);
    if (code == 0) {
      char note[160];
      type_note(defs, p, word_end, alone, note);
      return ctx.error_at("illegal data type", line_no, p, note);
    }
  }
  // char(EUC): the code of the item's text, written right after the type word.
  bool code_stated = false;
  CharMode text_code = CharMode::sjis;
  if (code == T_CHAR && (starts_with(type_at, "char(") || starts_with(type_at, "CHAR("))) {
    const char* open = type_at + 4;
    const char* close = open;
    while (close < word_end && *close != ')') ++close;
    if (close == word_end || !read_text_code(open, close + 1, &text_code)) {
      return ctx.error_at("illegal text code", line_no, open, kCodeNote);
    }
    code_stated = true;
    word_end = close + 1;
  }
  p = sp_skip(word_end);
  if (*p == '\0') {
    return ctx.error_at("item name missing", line_no, p, "a name must follow the type word");
  }
  if (starts_with(p, "far")) {
    const char* far_at = p;
    p = sp_skip(chr_skip(p));
    if (*p != '*') {
      return ctx.error_at("illegal far definition", line_no, far_at,
                          "far stands before a * and the name: char far *name");
    }
    code = T_FARPTR;
    ++p;
  } else if (*p == '*') {
    code = T_PTR;
    ++p;
  }
  const char* stop = index2(p, "[=;/");
  if (stop == nullptr) {
    return ctx.error_at("illegal statement", line_no, p + std::strlen(p), "a ; ends the declaration");
  }
  const char* name = sp_skip(p);
  if (const char* bad = bad_name_byte(p, stop)) {
    const char* note = "a name is one word: letters, digits, _ or Japanese";
    if (*bad == '(' && code == T_PACKED) note = "the scale follows the type word: PACKED(s) name[bytes]";
    if (*bad == '(' && code == T_ZONED) note = "the scale follows the type word: ZONED(s) name[bytes]";
    return ctx.error_at("illegal item name", line_no, name, note);
  }
  int count = 1;
  int length = 1;
  std::vector<int16_t> dims;
  const char* rest = stop + 1;
  if (*stop == '[') {
    int product = 0;
    int last = 0;
    const char* last_at = stop + 1;
    if (read_dimensions(ctx, stop, line_no, &dims, &product, &last, &last_at, &rest) != 0) return -1;
    count = product;
    if (has_item_length(code)) {
      length = last;
      count = product / last;
      dims.pop_back();
      const int max = max_length_of(code, kMaxDeclLength);
      if (length > max) {
        char note[80];
        std::snprintf(note, sizeof note, "a length from 1 to %d", max);
        return ctx.error_at("too large data length or invalid length", line_no, last_at, note);
      }
    }
  }
  if (is_decimal_code(code) && !scale_fits(code, length, scale)) {
    char note[80] = "a number in parentheses";
    if (scale != kBadScale) scale_note(code, length, note);
    const char* paren = type_at;
    while (paren < word_end && *paren != '(') ++paren;
    return ctx.error_at("illegal scale", line_no, paren < word_end ? paren : type_at, note);
  }
  const char* open = index1(rest, "/*");
  const char* close = open ? index1(open + 2, "*/") : nullptr;
  if (open && close == nullptr) {
    return ctx.error_at("illegal comment statement", line_no, open, "the comment ends on its line with */");
  }
  ItemInf* it = new_item(defs);
  if (it == nullptr) return 0;
  it->type = code;
  it->count = static_cast<int16_t>(count);
  set_dims(defs, *it, dims);
  if (has_item_length(code)) it->length = static_cast<int16_t>(length);
  if (is_decimal_code(code)) it->scale = static_cast<int16_t>(scale);
  it->code_stated = code_stated;
  it->code = text_code;
  if (code == T_REF) {
    it->first = probe.first;
    it->last = probe.last;
  }
  it->name = save_word(defs, p, stop);
  if (open) set_comment(defs, *it, open + 2, close);
  add_item(ctx, name);
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
