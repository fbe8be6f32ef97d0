// One line of JSON Lines in the making (RFC 8259, UTF-8): values, keys,
// objects and arrays, the commas between them put in by the line itself.
#pragma once

#include <string>
#include <string_view>

#include "records/record_value.h"

namespace vesk {

// Appends text as a JSON string: quoted, '"' and '\' escaped, controls (C0,
// DEL, C1) as \n, \t and the like or \u00XX, every other character in UTF-8.
void append_json_string(std::string& out, std::u32string_view text);

class JsonLine {
 public:
  void clear() {
    out_.clear();
    comma_ = false;
  }
  void open_object() { open('{'); }
  void close_object() { close('}'); }
  void open_array() { open('['); }
  void close_array() { close(']'); }
  // A key made ready once: the quoted, escaped name and its colon.
  void key(std::string_view json_key) {
    separate();
    out_ += json_key;
    comma_ = false;
  }
  // A key of plain ASCII letters.
  void key_ascii(std::string_view name);
  void null() { plain("null"); }
  void number(std::string_view digits) { plain(digits); }
  // A value made ready as JSON text (a string quoted and escaped once).
  void literal(std::string_view json) { plain(json); }
  void integer(long long v);
  void string_ascii(std::string_view text);
  void string(std::u32string_view text) {
    separate();
    append_json_string(out_, text);
    comma_ = true;
  }
  void value(const RecordValue& v);

  const std::string& text() const { return out_; }

 private:
  void separate() {
    if (comma_) out_ += ',';
  }
  void open(char c) {
    separate();
    out_ += c;
    comma_ = false;
  }
  void close(char c) {
    out_ += c;
    comma_ = true;
  }
  void plain(std::string_view text) {
    separate();
    out_ += text;
    comma_ = true;
  }

  std::string out_;
  bool comma_ = false;  // a value stands before: the next one needs a comma
};

}  // namespace vesk
