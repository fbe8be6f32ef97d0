// Report lines: every line of the report goes through a Report, which counts
// the lines and writes the page heading whenever a page begins. The heading
// itself is the running driver's: it hands one in, or none.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

#include "output/line_buffer.h"
#include "output/report_sink.h"
#include "output/styled_line.h"

namespace vesk {

class Report;


// The heading line at the top of each page.
class PageHeading {
 public:
  virtual ~PageHeading() = default;
  // Writes the heading through report.put_heading_line.
  virtual void write(Report& report) = 0;
};

// A column scale: the same on every page until the columns it numbers move
// right (a long block number under --all). Built once for each place.
class ScaleHeadingBase : public PageHeading {
 public:
  void write(Report& report) final;
  // The heading as it stands now.
  const std::string& text();

 protected:
  // How far the numbered columns have moved right.
  virtual int shift() const = 0;
  // The heading's text with the columns moved that far.
  virtual std::string build(int shift) const = 0;

 private:
  std::string text_;
  int built_shift_ = -1;
  std::size_t ascii_prefix_ = 0;  // the bytes of text_ before its first non-ASCII byte
};

class Report {
 public:
  // page_lines: lines a page, the heading included (at least 1).
  // lines_before: lines the report already holds (counts are 64-bit: a
  // report may pass 2^31 lines).
  Report(ReportSink& sink, int page_lines, long long lines_before = 0)
      : sink_(sink), page_lines_(page_lines > 0 ? page_lines : 1), line_cnt_(lines_before),
        page_pos_(lines_before % page_lines_) {}

  // The heading of each page from now on; null for none.
  void set_heading(PageHeading* heading) { heading_ = heading; }
  // Starts a new page: the next line gets the heading.
  void new_page() {
    line_cnt_ = 0;
    page_pos_ = 0;
  }

  // Writes a zero-terminated line (without its newline), after the page
  // heading when a page begins. Newlines inside the text count as lines.
  void put_line(const char* text) { put_line(text, std::strlen(text)); }
  // The same for a line of known length.
  void put_line(const char* text, std::size_t len);
  // A line all in one style, when the report is colored.
  void put_line(const char* text, Style style);
  // Every line from now on all in one style (none: each in its own), when
  // the report is colored; page headings stay as they are.
  void set_line_style(Style style) { line_style_ = style; }
  // A line in the making, up to its end, with its cells and styles (which it
  // gives up).
  void put_line(LineBuffer& line);
  // The same for a line known to end at column len and to hold no newline.
  void put_line(LineBuffer& line, std::size_t len) {
    if (line.cells.empty() && line.styles.empty() && line_style_ == Style::none) {
      put_line_plain(line.c_str(), len);
      return;
    }
    put_line_with_cells(line, len);
  }
  // put_line for a line known to hold no newline: the count needs no scan.
  // Its first ascii_prefix bytes are printable ASCII.
  void put_line_plain(const char* text, std::size_t len, std::size_t ascii_prefix = 0) {
    heading_at_page_start();
    sink_.write_plain_line(text, len, ascii_prefix);
    count_lines(1);
  }
  // A line built in place in the report's encoding (see ReportSink::
  // line_space): the page heading first when a page begins, then room for
  // max bytes; end_line(n) takes the line and counts it.
  [[gnu::always_inline]] char* begin_line(std::size_t max) {
    heading_at_page_start();
    return sink_.line_space(max);
  }
  void end_line(std::size_t n) {
    sink_.end_line(n);
    count_lines(1);
  }
  // Up to *lines lines built in place one after the other, each of at most
  // max bytes and its newline: the page heading first when a page begins;
  // *lines becomes how many fit (at least one) before the next heading is
  // due and in the sink's buffer. end_lines(n, lines) takes the n bytes of
  // the lines written.
  [[gnu::always_inline]] char* begin_lines(std::size_t max, long long* lines) {
    char* out = begin_line(max);
    const auto fit = static_cast<long long>(sink_.lines_of_room(max));
    if (fit < *lines) *lines = fit;
    if (heading_ != nullptr && page_lines_ - page_pos_ < *lines) *lines = page_lines_ - page_pos_;
    return out;
  }
  void end_lines(std::size_t n, long long lines) {
    sink_.end_lines(n);
    count_lines(lines);
  }
  // A line already in the report's encoding, holding no newline.
  [[gnu::always_inline]] void put_encoded_line(const char* text, std::size_t len) {
    heading_at_page_start();
    sink_.write_encoded_line(text, len);
    count_lines(1);
  }
  // The lines that the page being written still takes before a heading is
  // due (when a page starts, those after its heading, taken to be one line);
  // without headings, as many as any.
  long long page_room() const {
    if (heading_ == nullptr) return kNoPageEnd;
    return page_pos_ == 0 ? page_lines_ - 1 : page_lines_ - page_pos_;
  }
  static constexpr long long kNoPageEnd = 1LL << 62;

  // Lines already in the report's encoding, each ended by a newline but the
  // last (len bytes in all, `lines` lines), none holding another newline.
  void put_encoded_lines(const char* text, std::size_t len, long long lines);
  // A heading line: written and counted, without the page check; its first
  // ascii_prefix bytes are ASCII, the same in both encodings.
  void put_heading_line(const char* text, std::size_t len, std::size_t ascii_prefix = 0);

  long long line_count() const { return line_cnt_; }
  ReportSink& sink() { return sink_; }
  // A write to the sink has failed: the run should stop.
  bool failed() const { return sink_.failed(); }

 private:
  // A line of a line buffer with cells or styles (which it gives up), len
  // bytes, holding no newline.
  void put_line_with_cells(LineBuffer& line, std::size_t len);
  // A line with its cells and styles, or all in one style (whole).
  void put_styled_line(const char* text, std::size_t len, const LineCell* cells, std::size_t cell_count,
                       const LineStyle* styles, std::size_t style_count, Style whole);
  void heading_at_page_start() {
    if (heading_ != nullptr && page_pos_ == 0) heading_->write(*this);
  }
  // line_cnt_ grows by n; page_pos_ follows it modulo the page length, kept
  // without a division for the one-line case, which is every dump line.
  void count_lines(long long n) {
    line_cnt_ += n;
    page_pos_ += n;
    if (page_pos_ >= page_lines_) page_pos_ = n == 1 ? 0 : page_pos_ % page_lines_;
  }

  ReportSink& sink_;
  long long page_lines_;
  long long line_cnt_ = 0;
  long long page_pos_ = 0;  // line_cnt_ modulo page_lines_: 0 where a page starts
  PageHeading* heading_ = nullptr;
  Style line_style_ = Style::none;
  StyledLineMaker styled_;
};

// Sets a report's page heading for as long as it lives.
class ScopedHeading {
 public:
  ScopedHeading(Report& report, PageHeading* heading) : report_(report) { report_.set_heading(heading); }
  ~ScopedHeading() { report_.set_heading(nullptr); }
  ScopedHeading(const ScopedHeading&) = delete;
  ScopedHeading& operator=(const ScopedHeading&) = delete;

 private:
  Report& report_;
};

}  // namespace vesk
