#include "output/report.h"

namespace vesk {

namespace {

long long newlines_in(const char* text, std::size_t len) {
  long long n = 0;
  for (const char* p = static_cast<const char*>(std::memchr(text, '\n', len)); p != nullptr;
       p = static_cast<const char*>(std::memchr(p + 1, '\n', len - static_cast<std::size_t>(p + 1 - text))))
    n += 1;
  return n;
}

}  // namespace

const std::string& ScaleHeadingBase::text() {
  const int now = shift();
  if (built_shift_ != now) {
    text_ = build(now);
    built_shift_ = now;
    ascii_prefix_ = 0;
    while (ascii_prefix_ < text_.size() && static_cast<unsigned char>(text_[ascii_prefix_]) < 0x80) ascii_prefix_ += 1;
  }
  return text_;
}

void ScaleHeadingBase::write(Report& report) {
  const std::string& t = text();
  report.put_heading_line(t.data(), t.size(), ascii_prefix_);
}

void Report::put_line(const char* text, std::size_t len) {
  heading_at_page_start();
  put_heading_line(text, len);
}

void Report::put_line(LineBuffer& line) {
  if (line.cells.empty()) {
    put_line(line.c_str());
    return;
  }
  heading_at_page_start();
  const char* text = line.c_str();
  std::size_t len = std::strlen(text);
  sink_.write_line_with_cells(text, len, line.cells.data(), line.cells.size());
  line.cells.clear();
  count_lines(1 + newlines_in(text, len));
}

void Report::put_heading_line(const char* text, std::size_t len, std::size_t ascii_prefix) {
  long long inner = newlines_in(text, len);
  if (inner == 0)
    sink_.write_plain_line(text, len, ascii_prefix);
  else
    sink_.write_line(text, len);
  count_lines(1 + inner);
}

}  // namespace vesk
