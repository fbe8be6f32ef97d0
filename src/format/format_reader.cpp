#include "format/format_reader.h"

#include <cstdio>
#include <sys/stat.h>

#include "common/line_buffer.h"
#include "common/messages.h"
#include "common/text_scan.h"
#include "format/definitions.h"
#include "format/expression.h"
#include "format/item_parser.h"
#include "format/layout.h"
#include "format/statements.h"

namespace vesk {

namespace {

constexpr int kMaxCount = 32767;
constexpr long long kMaxBlockSize = 4096;
const char kEmpty[] = "";

// Every #BLNO comment stays reachable from here, taken by a data format or
// not (replaced by a later #BLNO, or the reading failed): memory from getmem
// is never released, and a leak checker must not find it lost.
struct KeptText {
  const char* text;
  KeptText* next;
};
KeptText* kept_texts = nullptr;

void keep_text(const char* text) {
  if (text == nullptr) return;
  auto* k = static_cast<KeptText*>(getmem(sizeof(KeptText)));
  k->text = text;
  k->next = kept_texts;
  kept_texts = k;
}

bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

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

class Reader {
 public:
  explicit Reader(std::FILE* fp) : fp_(fp) {}

  // Reads the next piece into work_line: 1, 0 at the end of the file, -1
  // after a message.
  int next_line();
  Outcome treat(const char* line);

  int line_no() const { return line_no_; }
  int depth() const { return depth_; }

 private:
  Outcome open_structure(const char* tag);
  Outcome open_template();
  Outcome close_structure(const char* brace);
  Outcome hash_statement(const char* line);

  std::FILE* fp_;
  int line_no_ = 0;
  int depth_ = 0;
  int stack_[MAX_NEST] = {};
  bool pending_ = false;  // a #BLNO waits for its structure
  BlnoRange range_;
};

int Reader::next_line() {
  char* buf = work_line.data;
  int n = 0;
  bool nul = false;
  int c = EOF;
  // At most kMaxPiece bytes, the line end included, as a text-mode fgets of
  // 256 bytes does; CR LF is one line end.
  while (n < kMaxPiece) {
    c = std::getc(fp_);
    if (c == EOF) break;
    if (c == '\r') {
      int d = std::getc(fp_);
      if (d == '\n')
        c = '\n';
      else if (d != EOF)
        std::ungetc(d, fp_);
    }
    if (c == '\n') break;
    if (c == '\0') nul = true;
    buf[n++] = static_cast<char>(c);
  }
  if (n == 0 && c == EOF) return 0;
  buf[n] = '\0';
  line_no_ += 1;
  // A NUL would silently cut the line short: a text file has none.
  if (nul) {
    def_error("illegal character (NUL) found", line_no_);
    return -1;
  }
  return 1;
}

Outcome Reader::hash_statement(const char* line) {
  if (starts_with(line + 1, "define")) return add_define(line + 7) == 0 ? kGoOn : kFailed;
  if (depth_ == 0 && starts_with(line + 1, "BLNO")) {
    if (parse_blno(line + 5, line_no_, &range_) != 0) return kFailed;
    keep_text(range_.comment);
    pending_ = true;
    return kGoOn;
  }
  if (depth_ == 0 && starts_with(line + 1, "REN"))
    return add_rename(RenameKind::rename, line + 4) == 0 ? kGoOn : kFailed;
  return kGoOn;  // any other "#" line has no effect
}

Outcome Reader::open_template() {
  int idx = defs.item_cnt;
  ItemInf& rec = defs.item_inf[idx];
  rec = ItemInf{};
  rec.type = T_TEMPLATE;
  rec.tag = kEmpty;
  rec.first = static_cast<int16_t>(idx + 1);
  stack_[depth_++] = idx;
  defs.item_cnt += 1;
  return kGoOn;
}

Outcome Reader::open_structure(const char* tag) {
  if (depth_ >= MAX_NEST) {
    def_error("the nest of struct is too deep", line_no_);
    return kFailed;
  }
  int idx = defs.item_cnt;
  if (depth_ == 0) {
    if (defs.blnoinf_cnt >= MAX_BLNO) {
      def_error("too many block data definition", line_no_);
      return kFailed;
    }
    if (!pending_) {
      def_error("#BLNO statement is missing", line_no_);
      return kFailed;
    }
    BlnoInf& b = defs.blno_inf[defs.blnoinf_cnt];
    b = BlnoInf{};
    b.item_no = static_cast<int16_t>(idx);
    b.from_blk = static_cast<int16_t>(range_.from_blk);
    b.to_blk = static_cast<int16_t>(range_.to_blk);
    b.offset = range_.offset;
    b.comment = range_.comment;
    defs.blnoinf_cnt += 1;
    pending_ = false;
  }
  ItemInf& rec = defs.item_inf[idx];
  rec = ItemInf{};
  rec.type = depth_ == 0 ? T_FORMAT : T_NESTED;
  rec.tag = tag[0] ? save_str(tag) : kEmpty;
  rec.first = static_cast<int16_t>(idx + 1);
  stack_[depth_++] = idx;
  defs.item_cnt += 1;
  return kGoOn;
}

Outcome Reader::close_structure(const char* brace) {
  if (depth_ == 0) {
    def_error("illegal nest of struct", line_no_);
    return kFailed;
  }
  int idx = stack_[--depth_];
  ItemInf& rec = defs.item_inf[idx];
  rec.last = static_cast<int16_t>(defs.item_cnt - 1);
  const char* after = sp_skip(brace + 1);
  int count = 1;
  if (is_letter(*after)) {
    if (rec.type == T_TEMPLATE) {
      // The name after the brace is the template's type word.
      const char* end = chr_skip(after);
      if (end[-1] == ';') --end;
      rec.tag = save_word(after, end);
      return kGoOn;
    }
    const char* open = index2(after, "[");
    if (open != nullptr) {
      char expr[kExprSize];
      double v = 0;
      if (expand_expr(open + 1, ']', expr, sizeof expr) != 0 || calc_expr(expr, &v) != 0 ||
          !(v >= 1.0 && v < kMaxCount + 1.0)) {
        def_error("illegal repeat", line_no_);
        return kFailed;
      }
      count = static_cast<int>(v);
    }
  }
  rec.count = static_cast<int16_t>(count);
  if (depth_ == 0 && rec.type == T_FORMAT) {
    struct_align(idx);
    long long size = layout_struct(idx, 0);
    if (size > kMaxBlockSize) {
      def_error("too large block size(max. 4096 bytes)", line_no_);
      return kFailed;
    }
    if (size <= 0) {
      def_error("data size not defined", line_no_);
      return kFailed;
    }
    defs.blno_inf[defs.blnoinf_cnt - 1].size = static_cast<int32_t>(size);
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
      close = index1(work_line.data, "*/");
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
      // The brace must begin the next line.
      int rc = next_line();
      if (rc <= 0) return rc == 0 ? kEndOfFile : kFailed;
      if (*sp_skip(work_line.data) != '{') {
        def_error("illegal struct statement", line_no_);
        return kFailed;
      }
      line = work_line.data;
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
      if (struct_form) return open_template();
      return add_rename(RenameKind::typedef_, td + 7) == 0 ? kGoOn : kFailed;
    }
  }

  if (opening) return open_structure(tag);

  const char* first = sp_skip(line);
  if (*first == '}') return close_structure(first);

  return parse_item(line, line_no_) == 0 ? kGoOn : kFailed;
}

bool is_directory(std::FILE* fp) {
  struct stat st;
  return fstat(fileno(fp), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

int read_format(const char* fmt_name) {
  std::FILE* fp = std::fopen(fmt_name, "r");
  // A folder opens but cannot be read: it is no format file either.
  if (fp != nullptr && is_directory(fp)) {
    std::fclose(fp);
    fp = nullptr;
  }
  if (fp == nullptr) {
    errmsg("format file %s: not found", fmt_name);
    return -1;
  }
  Reader reader(fp);
  int result = 0;
  // A full item table ends the reading quietly.
  while (defs.item_cnt < MAX_ITEMS) {
    int rc = reader.next_line();
    if (rc == 0) break;
    Outcome out = rc < 0 ? kFailed : reader.treat(work_line.data);
    if (out == kFailed) result = -1;
    if (out != kGoOn) break;
  }
  std::fclose(fp);
  if (result == 0 && reader.depth() != 0) {
    def_error("{,} ... does not match", reader.line_no());
    result = -1;
  }
  return result;
}

}  // namespace vesk
