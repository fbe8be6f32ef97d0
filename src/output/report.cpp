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
  }
  return text_;
}

void ScaleHeadingBase::write(Report& report) {
  const std::string& t = text();
  report.put_heading_line(t.data(), t.size());
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
  const std::size_t len = std::strlen(line.c_str());
  put_line_with_cells(line, len, 1 + newlines_in(line.c_str(), len));
}

void Report::put_line_with_cells(LineBuffer& line, std::size_t len, long long lines) {
  heading_at_page_start();
  sink_.write_line_with_cells(line.c_str(), len, line.cells.data(), line.cells.size());
  line.cells.clear();
  count_lines(lines);
}

void Report::put_encoded_lines(const char* text, std::size_t len, long long lines) {
  for (;;) {
    if (heading_ != nullptr && page_pos_ == 0) heading_->write(*this);
    // The lines that end this page at most go out at once.
    const long long room = heading_ == nullptr ? lines : page_lines_ - page_pos_;
    if (lines <= room) {
      sink_.write_encoded_line(text, len);
      count_lines(lines);
      return;
    }
    const char* end = text;
    for (long long k = 0; k < room; ++k)
      end = static_cast<const char*>(std::memchr(end, '\n', len - static_cast<std::size_t>(end - text))) + 1;
    const auto part = static_cast<std::size_t>(end - text) - 1;
    sink_.write_encoded_line(text, part);
    count_lines(room);
    text = end;
    len -= part + 1;
    lines -= room;
  }
}

void Report::put_heading_line(const char* text, std::size_t len) {
  long long inner = newlines_in(text, len);
  if (inner == 0)
    sink_.write_plain_line(text, len);
  else
    sink_.write_line(text, len);
  count_lines(1 + inner);
}

}  // namespace vesk
