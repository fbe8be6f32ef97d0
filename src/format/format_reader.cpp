#include "format/format_reader.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "common/ascii.h"
#include "common/settings.h"
#include "common/text_scan.h"
#include "format/expression.h"
#include "format/item_parser.h"
#include "format/item_types.h"
#include "format/layout.h"
#include "format/statements.h"

namespace vesk {

namespace {

constexpr int kMaxCount = 32767;
const char kEmpty[] = "";

// Where the lines of a format file come from: a file, or a text in memory.
class ByteStream {
 public:
  explicit ByteStream(std::FILE* fp) : fp_(fp) {}
  explicit ByteStream(std::string_view text) : text_(text) {}

  int get() {
    if (fp_ != nullptr) return std::getc(fp_);
    return at_ < text_.size() ? static_cast<unsigned char>(text_[at_++]) : EOF;
  }
  void unget(int c) {
    if (fp_ != nullptr)
      std::ungetc(c, fp_);
    else if (at_ > 0)
      --at_;
  }

 private:
  std::FILE* fp_ = nullptr;
  std::string_view text_;
  std::size_t at_ = 0;
};

// Copies the word at t into tag (kMaxPiece + 1 bytes): the line it comes
// from may be overwritten before the record is made.
void copy_word(const char* t, char* tag) {
  const char* end = chr_skip(t);
  int n = 0;
  for (; t + n < end && n < kMaxPiece; ++n) tag[n] = t[n];
  tag[n] = '\0';
}

// What treating one line leads to.
enum Outcome { kGoOn = 0, kFailed = -1, kEndOfFile = 1 };

// A copy of a line, kept for a message about it after the line buffer has
// moved on.
struct KeptLine {
  char text[kMaxPiece + 1] = {};
  SourceLine src;

  void keep(const SourceLine& from) {
    int n = from.length < kMaxPiece ? from.length : kMaxPiece;
    for (int i = 0; i < n; ++i) text[i] = from.text[i];
    text[n] = '\0';
    src = SourceLine{text, n, from.number};
  }
};

// True when the n letters of a keyword at s stand inside a longer word or
// after a "/*" of the line: a name or a comment, where they count all the same.
bool keyword_inside_text(const char* line, const char* s, int n) {
  auto word_char = [](char c) { return is_letter(c) || is_digit(c) || c == '_'; };
  if (s > line && word_char(s[-1])) return true;
  if (word_char(s[n])) return true;
  const char* comment = index1(line, "/*");
  return comment != nullptr && comment < s;
}

class Reader {
 public:
  Reader(const FormatOptions& options, Definitions& defs, ByteStream& in)
      : ctx_{defs, options, &source_}, defs_(defs), in_(in) {}

  // Reads the next piece into line(): 1, 0 at the end of the file, -1
  // after a message.
  int next_line();
  Outcome treat(const char* line);

  const char* line() const { return line_; }
  // The end of the file: a structure still open is reported.
  int finish();

 private:
  Outcome open_structure(const char* tag, const char* opening);
  Outcome open_template(const char* opening);
  Outcome close_structure(const char* brace);
  Outcome hash_statement(const char* line);
  // The message with the current line number and the line quoted, the caret
  // under at.
  Outcome fail(const char* message, const char* at, const char* note = nullptr);
  void push(int idx, const char* opening);

  SourceLine source_;  // the line being read, as the messages quote it
  const FormatContext ctx_;
  Definitions& defs_;
  ByteStream& in_;
  char line_[kMaxPiece + 1] = {};
  long long line_no_ = 0;  // 64 bits: a format file may pass 2^31 lines
  int depth_ = 0;
  int stack_[MAX_NEST] = {};
  // The opening line of each open structure, and where on it the opening
  // begins: an unclosed one is shown at the end of the file.
  KeptLine opened_[MAX_NEST];
  int opened_at_[MAX_NEST] = {};
  bool pending_ = false;  // a #BLNO waits for its structure
  BlnoRange range_;
};

int Reader::next_line() {
  char* buf = line_;
  int n = 0;
  bool nul = false;
  int c = EOF;
  // At most kMaxPiece bytes, the line end included, as a text-mode fgets of
  // 256 bytes does; CR LF is one line end.
  while (n < kMaxPiece) {
    c = in_.get();
    if (c == EOF) break;
    if (c == '\r') {
      int d = in_.get();
      if (d == '\n')
        c = '\n';
      else if (d != EOF)
        in_.unget(d);
    }
    if (c == '\n') break;
    if (c == '\0') nul = true;
    buf[n++] = static_cast<char>(c);
  }
  if (n == 0 && c == EOF) return 0;
  buf[n] = '\0';
  line_no_ += 1;
  source_ = SourceLine{line_, n, line_no_};
  // A NUL would silently cut the line short: a text file has none.
  if (nul) {
    int at = 0;
    while (buf[at] != '\0') ++at;
    return ctx_.error_at("illegal character (NUL) found", line_no_, buf + at, "a zero byte");
  }
  return 1;
}

Outcome Reader::hash_statement(const char* line) {
  if (check_statement_case(ctx_, line, line_no_) != 0) return kFailed;
  if (starts_with(line + 1, "define")) return add_define(ctx_, line + 7) == 0 ? kGoOn : kFailed;
  if (depth_ == 0 && starts_with(line + 1, "BLNO")) {
    if (parse_blno(ctx_, line + 5, line_no_, &range_) != 0) return kFailed;
    pending_ = true;
    return kGoOn;
  }
  if (depth_ == 0 && starts_with(line + 1, "REN"))
    return add_rename(ctx_, RenameKind::rename, line + 4) == 0 ? kGoOn : kFailed;
  // Whole words: #ENDIANNESS or #CODEPAGE stay lines without effect.
  if (depth_ == 0 && starts_with_word(line + 1, "ENDIAN"))
    return parse_endian(ctx_, line + 7, line_no_) == 0 ? kGoOn : kFailed;
  if (depth_ == 0 && starts_with_word(line + 1, "CODE"))
    return parse_code(ctx_, line + 5, line_no_) == 0 ? kGoOn : kFailed;
  return kGoOn;  // any other "#" line has no effect
}

void Reader::push(int idx, const char* opening) {
  opened_[depth_].keep(source_);
  opened_at_[depth_] = static_cast<int>(opening - line_);
  stack_[depth_++] = idx;
}

Outcome Reader::open_template(const char* opening) {
  int idx = defs_.item_cnt;
  ItemInf& rec = defs_.item_inf[idx];
  rec = ItemInf{};
  rec.type = T_TEMPLATE;
  rec.tag = kEmpty;
  rec.first = static_cast<int16_t>(idx + 1);
  push(idx, opening);
  defs_.item_cnt += 1;
  return kGoOn;
}

Outcome Reader::open_structure(const char* tag, const char* opening) {
  if (depth_ >= MAX_NEST) return fail("the nest of struct is too deep", opening, "10 structures deep at most");
  int idx = defs_.item_cnt;
  if (depth_ == 0) {
    if (defs_.blnoinf_cnt >= MAX_BLNO)
      return fail("too many block data definition", opening, "100 data formats at most");
    if (!pending_)
      return fail("#BLNO statement is missing", opening,
                  "a structure outside any other is a data format: a #BLNO line comes before it");
    BlnoInf& b = defs_.blno_inf[defs_.blnoinf_cnt];
    b = BlnoInf{};
    b.item_no = static_cast<int16_t>(idx);
    b.from_blk = static_cast<int16_t>(range_.from_blk);
    // With --all an open range has no last block: the file's end ends it.
    b.to_blk = range_.open_end && ctx_.options.open_ranges ? kMaxBlockNumber : range_.to_blk;
    b.open_end = range_.open_end;
    b.offset = range_.offset;
    b.comment = range_.comment;
    defs_.blnoinf_cnt += 1;
    pending_ = false;
  }
  ItemInf& rec = defs_.item_inf[idx];
  rec = ItemInf{};
  rec.type = depth_ == 0 ? T_FORMAT : T_NESTED;
  rec.tag = tag[0] ? save_str(defs_, tag) : kEmpty;
  rec.first = static_cast<int16_t>(idx + 1);
  push(idx, opening);
  defs_.item_cnt += 1;
  return kGoOn;
}

Outcome Reader::close_structure(const char* brace) {
  if (depth_ == 0) return fail("illegal nest of struct", brace, "no structure is open");
  int idx = stack_[--depth_];
  ItemInf& rec = defs_.item_inf[idx];
  rec.last = static_cast<int16_t>(defs_.item_cnt - 1);
  const char* after = sp_skip(brace + 1);
  int count = 1;
  if (is_letter(*after)) {
    if (rec.type == T_TEMPLATE) {
      // The name after the brace is the template's type word.
      const char* end = chr_skip(after);
      if (end[-1] == ';') --end;
      rec.tag = save_word(defs_, after, end);
      return kGoOn;
    }
    // The structure's name, which records (--json, --csv) show it by.
    const char* name_end = index2(after, "[; \t/");
    if (name_end == nullptr) name_end = after + std::strlen(after);
    while (name_end > after && (name_end[-1] == '\r' || name_end[-1] == '\n')) --name_end;
    rec.name = save_word(defs_, after, name_end);
    const char* open = index2(after, "[");
    if (open != nullptr) {
      char expr[kExprSize];
      double v = 0;
      if (expand_expr(defs_, open + 1, ']', expr, sizeof expr) != 0) {
        const char* at = open + 1;
        const std::string note = expression_fault(defs_, open + 1, ']', &at);
        return fail("illegal repeat", at, note.c_str());
      }
      const int divided_by_zero = calc_expr(expr, &v);
      if (divided_by_zero != 0 || !(v >= 1.0 && v < kMaxCount + 1.0))
        return fail("illegal repeat", open + 1,
                    divided_by_zero != 0 ? "a division by zero" : "a count from 1 to 32767");
      count = static_cast<int>(v);
      rec.dims = defs_.keep_dims({static_cast<int16_t>(count)});
      rec.dim_count = 1;
    }
  }
  rec.count = static_cast<int16_t>(count);
  if (depth_ == 0 && rec.type == T_FORMAT) {
    // A failed layout has written its message.
    if (struct_align(ctx_, idx) < 0) return kFailed;
    long long size = layout_struct(ctx_, idx, 0);
    if (size < 0) return kFailed;
    if (size > kMaxBlockSize) {
      char note[64] = "the structure takes 2^40 bytes or more";
      if (size < kLayoutCap) std::snprintf(note, sizeof note, "the structure takes %lld bytes", size);
      return fail("too large block size(max. 4096 bytes)", brace, note);
    }
    if (size == 0) return fail("data size not defined", brace, "the structure holds no item: a block of 0 bytes");
    defs_.blno_inf[defs_.blnoinf_cnt - 1].size = static_cast<int32_t>(size);
  }
  return kGoOn;
}

Outcome Reader::treat(const char* line) {
  // Comments that begin the line, and blank lines.
  const char* p = sp_skip(line);
  for (;;) {
    if (*p == '\0') return kGoOn;
    if (!starts_with(p, "/*")) break;
    const char* close = index1(p + 1, "*/");
    while (close == nullptr) {
      int rc = next_line();
      if (rc <= 0) return rc == 0 ? kEndOfFile : kFailed;
      close = index1(line_, "*/");
    }
    line = close + 2;
    p = sp_skip(line);
  }

  // A structure opening: the struct form, or the bare form "name {".
  char tag[kMaxPiece + 1] = "";
  bool opening = false;
  bool struct_form = false;
  if (const char* s = index1(line, "struct")) {
    struct_form = true;
    const char* t = sp_skip(s + 6);
    if (*t != '{') copy_word(t, tag);
    const char* brace = index2(t, "{=;/");
    if (brace == nullptr || *brace != '{') {
      // The brace must begin the next line. The message names that line, and
      // shows the line whose word struct asked for it.
      KeptLine asking;
      asking.keep(source_);
      const int column = static_cast<int>(s - line_);
      const bool inside = keyword_inside_text(line, s, 6);
      int rc = next_line();
      if (rc <= 0) return rc == 0 ? kEndOfFile : kFailed;
      if (*sp_skip(line_) != '{') {
        ctx_.error_in(asking.src, "illegal struct statement", line_no_, column,
                      inside ? "the letters struct open a structure, even inside a name or a comment"
                             : "the { of a structure ends this line or begins the next");
        return kFailed;
      }
      line = line_;
    }
    opening = true;
  } else {
    const char* brace = index2(line, "{=;/");
    if (brace != nullptr && *brace == '{') {
      opening = true;
      const char* t = sp_skip(line);
      if (*t != '{') copy_word(t, tag);
    }
  }

  if (line[0] == '#') return hash_statement(line);

  if (depth_ == 0) {
    if (const char* td = index1(line, "typedef")) {
      if (struct_form) return open_template(sp_skip(line));
      const char* inside = keyword_inside_text(line, td, 7) ? td : nullptr;
      return add_rename(ctx_, RenameKind::typedef_, td + 7, inside) == 0 ? kGoOn : kFailed;
    }
  }

  if (opening) return open_structure(tag, sp_skip(line));

  const char* first = sp_skip(line);
  if (*first == '}') return close_structure(first);

  return parse_item(ctx_, line, line_no_) == 0 ? kGoOn : kFailed;
}

Outcome Reader::fail(const char* message, const char* at, const char* note) {
  ctx_.error_at(message, line_no_, at, note);
  return kFailed;
}

int Reader::finish() {
  if (depth_ == 0) return 0;
  // A full item table stops the reading: the last line read is to blame.
  if (defs_.item_cnt >= MAX_ITEMS)
    return ctx_.error_at("{,} ... does not match", line_no_, line_,
                         "the 500th item or structure: the format file is read no further");
  const int top = depth_ - 1;
  return ctx_.error_in(opened_[top].src, "{,} ... does not match", line_no_, opened_at_[top],
                       "this structure is not closed by a }");
}

bool is_directory(std::FILE* fp) {
  struct stat st;
  return fstat(fileno(fp), &st) == 0 && S_ISDIR(st.st_mode);
}

int read_lines(const FormatOptions& options, Definitions& defs, ByteStream& in) {
  Reader reader(options, defs, in);
  int result = 0;
  // A full item table ends the reading quietly.
  while (defs.item_cnt < MAX_ITEMS) {
    int rc = reader.next_line();
    if (rc == 0) break;
    Outcome out = rc < 0 ? kFailed : reader.treat(reader.line());
    if (out == kFailed) result = -1;
    if (out != kGoOn) break;
  }
  if (result == 0) result = reader.finish();
  return result;
}

}  // namespace

int read_format(const FormatOptions& options, Definitions& defs) {
  std::FILE* fp = std::fopen(options.name, "r");
  // A folder opens but cannot be read: it is no format file either.
  if (fp != nullptr && is_directory(fp)) {
    std::fclose(fp);
    fp = nullptr;
  }
  if (fp == nullptr) {
    errmsg("format file %s: not found", options.name);
    return -1;
  }
  ByteStream in(fp);
  int result = read_lines(options, defs, in);
  std::fclose(fp);
  return result;
}

int read_format_text(const FormatOptions& options, Definitions& defs, std::string_view text) {
  ByteStream in(text);
  return read_lines(options, defs, in);
}

}  // namespace vesk
