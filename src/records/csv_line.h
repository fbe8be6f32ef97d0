// One row of CSV in the making (RFC 4180): fields separated by commas, a
// field quoted when it holds a comma, a quote or a line end (its quotes
// doubled), rows ended by CR LF. Text in UTF-8, or in Shift_JIS for the
// spreadsheets that read that.
//
// A field holds text only: a control character other than a tab or a line
// end becomes U+FFFD, and in Shift_JIS a character that Shift_JIS lacks (and
// U+FFFD) becomes the geta mark, 〓. A value that is not whole leaves its
// field empty (a number) or holds U+FFFD (text). The line counts each.
#pragma once

#include <string>
#include <string_view>

#include "records/record_value.h"

namespace vesk {

class CsvLine {
 public:
  explicit CsvLine(bool sjis) : sjis_(sjis) {}

  // Starts a new row.
  void clear() {
    out_.clear();
    first_ = true;
  }
  void field(const RecordValue& v);
  void field_text(std::u32string_view text);
  // The row's end: CR, before the line feed that the report adds.
  void end_row() { out_ += '\r'; }

  const std::string& text() const { return out_; }

  // Counts since the first row.
  long long faulty_values() const { return faulty_; }
  long long controls_replaced() const { return controls_; }
  long long lacking_in_sjis() const { return lacking_; }

 private:
  void separate() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  void put_character(char32_t c);

  std::string out_;
  bool first_ = true;
  const bool sjis_;
  long long faulty_ = 0;
  long long controls_ = 0;
  long long lacking_ = 0;
};

}  // namespace vesk
