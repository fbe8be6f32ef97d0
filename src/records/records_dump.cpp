#include "records/records_dump.h"

#include <string>
#include <vector>

#include "common/digits.h"
#include "common/messages.h"
#include "format/source_quote.h"
#include "formatted/form_view.h"
#include "formatted/format_dump.h"
#include "records/record_items.h"
#include "records/record_text.h"

namespace vesk {

namespace {

// The name of a data format: its range's comment, else its structure's tag.
const char* format_name(const Definitions& defs, int entry) {
  const BlnoInf& e = defs.blno_inf[entry];
  if (e.comment != nullptr && e.comment[0] != '\0') return e.comment;
  const char* tag = defs.item_inf[e.item_no].tag;
  return tag != nullptr ? tag : "";
}

// An offset= behind the position reached: said on standard error, as the
// records hold no text of the report.
void say_offset_went_back(int offset) {
  errmsg("Error: offset(%d) ... It has returned from the present position.\n", offset);
}

class JsonBlocks : public BlockSink {
 public:
  JsonBlocks(const FormView& view, const RecordNames& names, ReportSink& out)
      : view_(view), out_(out), items_(view, names, json_, faults_), formats_(view.defs.blnoinf_cnt) {
    for (int k = 0; k < view.defs.blnoinf_cnt; ++k)
      append_json_string(formats_[static_cast<std::size_t>(k)], format_file_text(format_name(view.defs, k)));
  }

  int block(const unsigned char* data, int got, long long number, long long position, const BlockPlace& place,
            bool) override {
    json_.clear();
    faults_.clear();
    json_.open_object();
    json_.key_ascii("block");
    json_.integer(number);
    json_.key_ascii("offset");
    json_.integer(position);
    json_.key_ascii("format");
    json_.literal(formats_[static_cast<std::size_t>(place.entry)]);
    json_.key_ascii("items");
    if (!items_.write(view_.defs.blno_inf[place.entry].item_no, data, got)) return 1;
    put_faults(json_, "unreadable", faults_);
    json_.close_object();
    out_.write_encoded_line(json_.text().data(), json_.text().size());
    return 0;
  }

  void offset_went_back(int offset) override { say_offset_went_back(offset); }
  bool failed() const override { return out_.failed(); }

 private:
  const FormView& view_;
  ReportSink& out_;
  JsonLine json_;
  std::vector<FaultyValue> faults_;
  JsonItems items_;
  std::vector<std::string> formats_;  // the JSON string of each format's name
};

class CsvBlocks : public BlockSink {
 public:
  CsvBlocks(const FormView& view, const RecordNames& names, ReportSink& out, bool sjis)
      : view_(view), names_(names), out_(out), csv_(sjis), fields_(view, csv_) {}

  int block(const unsigned char* data, int got, long long, long long, const BlockPlace& place, bool) override {
    const int rec = view_.defs.blno_inf[place.entry].item_no;
    if (!header_written_) {
      // The names, from a walk over a whole block of the format.
      CsvHeader header(view_, names_, csv_);
      csv_.clear();
      if (walk_struct(view_, rec, place.size, 0, kRecordWalk, header) < 0) return 1;
      write_row();
      header_written_ = true;
    }
    csv_.clear();
    fields_.start(data);
    if (walk_struct(view_, rec, got, 0, kRecordWalk, fields_) < 0) return 1;
    write_row();
    return 0;
  }

  void offset_went_back(int offset) override { say_offset_went_back(offset); }
  bool failed() const override { return out_.failed(); }

  const CsvLine& line() const { return csv_; }

 private:
  void write_row() {
    csv_.end_row();
    out_.write_encoded_line(csv_.text().data(), csv_.text().size());
  }

  const FormView& view_;
  const RecordNames& names_;
  ReportSink& out_;
  CsvLine csv_;
  CsvFields fields_;
  bool header_written_ = false;
};

// "N value" or "N values".
std::string counted(long long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// What the CSV could not hold as it was, said once at the end.
void notice_csv_counts(const CsvLine& csv, bool sjis) {
  const char* replacement = sjis ? "81AC (geta mark)" : "U+FFFD";
  if (csv.faulty_values() > 0)
    errmsg("vesk: %s not read whole (--json lists their bytes): numbers left empty, text with %s\n",
           counted(csv.faulty_values(), "value", "values").c_str(), replacement);
  if (csv.controls_replaced() > 0)
    errmsg("vesk: %s in text written as %s\n",
           counted(csv.controls_replaced(), "control character", "control characters").c_str(), replacement);
  if (csv.lacking_in_sjis() > 0)
    errmsg("vesk: %s that Shift_JIS lacks written as 81AC (geta mark)\n",
           counted(csv.lacking_in_sjis(), "character", "characters").c_str());
}

// One table holds one data format: more are refused, naming them.
bool one_format(const Settings& s, const Definitions& defs, ByteSource& in, bool utf8_messages) {
  const std::vector<FormatShown> shown = formats_shown(s, defs, in.regular_file_size());
  if (shown.size() <= 1) return true;
  errmsg("--csv: the blocks shown are of more than one data format; choose one with -n, or use --json:\n");
  for (const FormatShown& f : shown) {
    char number[kDecimalTextSize];
    number[put_digits(number, static_cast<std::uint64_t>(f.first_block), s.dec_mode ? 10 : 16, 1)] = '\0';
    const std::string line = std::string(format_name(defs, f.entry)) + " (from block " + number + ")";
    write_hint(line.c_str(), utf8_messages);
  }
  return false;
}

}  // namespace

std::vector<FormatShown> formats_shown(const Settings& s, const Definitions& defs, long long size) {
  std::vector<FormatShown> shown;
  auto note = [&](int entry, long long block) {
    for (const FormatShown& f : shown)
      if (defs.blno_inf[f.entry].item_no == defs.blno_inf[entry].item_no) return;
    shown.push_back(FormatShown{entry, block});
  };
  // The ranges follow each other from block 0: a range at a time, its
  // blocks one block size apart from where it starts.
  long long position = s.hdr_size;
  long long b = 0;
  while (b <= s.end_blk) {
    const BlockPlace place = defs.place_of(b);
    if (place.entry < 0 || place.size <= 0 || place.size > kMaxBlockSize) break;
    if (place.offset != -1) {
      // The dump stops there with a message.
      if (position > place.offset) break;
      position = place.offset;
    }
    const long long to = defs.blno_inf[place.entry].to_blk;
    const long long last = to < s.end_blk ? to : s.end_blk;
    if (last >= s.start_blk) {
      if (b < s.start_blk) {
        position += (s.start_blk - b) * place.size;
        b = s.start_blk;
      }
      if (size >= 0 && position >= size) break;
      note(place.entry, b);
    }
    position += (last - b + 1) * place.size;
    b = last + 1;
  }
  return shown;
}

int records_dump(const Settings& s, const Definitions& defs, ByteSource& in, ReportSink& sink, bool utf8_messages) {
  const FormView view(s, defs);
  const RecordNames names(defs);
  if (s.records == RecordsForm::json) {
    JsonBlocks blocks(view, names, sink);
    return dump_blocks(s, defs, in, blocks);
  }
  if (!one_format(s, defs, in, utf8_messages)) return 1;
  const bool sjis = s.encoding == OutputEncoding::sjis;
  CsvBlocks blocks(view, names, sink, sjis);
  const int status = dump_blocks(s, defs, in, blocks);
  notice_csv_counts(blocks.line(), sjis);
  return status;
}

}  // namespace vesk
