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
  if (line_style_ != Style::none && sink_.colored()) {
    put_styled_line(text, len, nullptr, 0, nullptr, 0, line_style_);
    return;
  }
  heading_at_page_start();
  put_heading_line(text, len);
}

void Report::put_line(const char* text, Style style) {
  put_styled_line(text, std::strlen(text), nullptr, 0, nullptr, 0, line_style_ != Style::none ? line_style_ : style);
}

void Report::put_line(LineBuffer& line) {
  const char* text = line.c_str();
  put_styled_line(text, std::strlen(text), line.cells.data(), line.cells.size(), line.styles.data(),
                  line.styles.size(), line_style_);
  line.cells.clear();
  line.styles.clear();
}

void Report::put_line_with_cells(LineBuffer& line, std::size_t len) {
  put_styled_line(line.c_str(), len, line.cells.data(), line.cells.size(), line.styles.data(), line.styles.size(),
                  line_style_);
  line.cells.clear();
  line.styles.clear();
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

void Report::put_styled_line(const char* text, std::size_t len, const LineCell* cells, std::size_t cell_count,
                             const LineStyle* styles, std::size_t style_count, Style whole) {
  heading_at_page_start();
  if (!sink_.colored() || (whole == Style::none && style_count == 0)) {
    if (cell_count == 0) {
      put_heading_line(text, len);
      return;
    }
    sink_.write_line_with_cells(text, len, cells, cell_count);
  } else {
    const std::string& colored = styled_.make(text, len, cells, cell_count, styles, style_count, whole, sink_.utf8());
    sink_.write_encoded_line(colored.data(), colored.size());
  }
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
