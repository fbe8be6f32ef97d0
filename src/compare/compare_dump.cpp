#include "compare/compare_dump.h"

#include <cstring>
#include <memory>
#include <vector>

#include "common/digits.h"
#include "common/messages.h"
#include "compare/block_ids.h"
#include "compare/block_reader.h"
#include "compare/diff_list.h"
#include "compare/finding_records.h"
#include "compare/partner_blocks.h"
#include "format/item_types.h"
#include "formatted/block_print.h"
#include "formatted/format_dump.h"
#include "formatted/form_printer.h"
#include "formatted/item_map.h"
#include "formatted/map_scale.h"
#include "formatted/value_render.h"

namespace vesk {

namespace {

// Where the blocks of both files lie: block k at base + k * size.
struct Geometry {
  long long first = 0;  // first block number (the -n start)
  long long last = 0;   // last block number (the -n end, at most the definition's last)
  int size = 0;         // block size of the data definition
  long long base = 0;

  long long addr(long long block_no) const { return base + block_no * size; }
};

// The two inputs and their block buffers.
struct Inputs {
  BlockReader in1;
  BlockReader in2;
  unsigned char block1[kMaxBlockSize];
  unsigned char block2[kMaxBlockSize];
};

// The ids that --summary names for each file, at most.
constexpr int kNamedRepeats = 10;

class Comparison {
 public:
  Comparison(const Settings& s, const Definitions& defs, Inputs& files, Report& report, const Geometry& g)
      : s_(s),
        view_(s, defs),
        p_(view_, report),
        files_(files),
        g_(g),
        ids_(defs.block_id_len, g.first, s.all_blocks ? kMaxAllIdBlocks : MAX_ID_BLOCKS),
        id_pos_(defs.block_id_pos) {
    // Only what differs is colored: the values of the first file red, those
    // of the second green; the others keep the terminal's color.
    p_.value_style = Style::none;
    if (s.records == RecordsForm::json) records_ = std::make_unique<FindingRecords>(view_, report.sink());
  }

  // 0, or 1 after a message. file_size1 and file_size2: the sizes of the
  // two files when the comparison starts.
  int run(long long file_size1, long long file_size2);
  const CompareTotals& totals() const { return totals_; }

 private:
  int collect_ids(BlockReader& in, int file_no, long long file_size);
  // Opens a section: its heading, an empty line first when one came before;
  // in map form the report's first heading over blocks is followed by the
  // title line.
  void open_section(const char* name, bool blocks_follow = true);
  int print_updated();
  int print_whole_blocks(BlockReader& in, unsigned char* buffer, int from, int to, uint8_t state);
  int read_block(BlockReader& in, int entry, unsigned char* buffer);
  void count_pair(const unsigned char* block1, const unsigned char* block2, long long number1, bool& same);
  void notice_if_cut_short(long long file_size1, long long file_size2);
  void print_summary();
  void put_repeats(const char* which, int file_no);
  // The record of the block-id item.
  int id_index() const {
    for (int k = 0; k < view_.defs.item_cnt; ++k)
      if (view_.defs.item_inf[k].is_block_id()) return k;
    return 0;
  }

  const Settings& s_;
  const FormView view_;
  FormPrinter p_;
  Inputs& files_;
  const Geometry g_;
  BlockIds ids_;
  int id_pos_ = 0;
  bool any_section_ = false;
  CompareTotals totals_;
  // --json: the findings as records, in place of the report.
  std::unique_ptr<FindingRecords> records_;
};

// Reads the ids of one file's blocks, from the first block number to its end
// of file or to the last block number.
int Comparison::collect_ids(BlockReader& in, int file_no, long long file_size) {
  // The file's size tells how many ids are coming: room for them at once.
  if (g_.first <= g_.last && file_size > g_.addr(g_.first)) {
    long long blocks = (file_size - g_.addr(g_.first)) / g_.size;
    if (blocks > g_.last - g_.first + 1) blocks = g_.last - g_.first + 1;
    ids_.reserve(static_cast<std::size_t>(blocks));
  }
  unsigned char* buffer = files_.block1;
  for (long long b = g_.first; b <= g_.last; ++b) {
    long long read = in.read_at(g_.addr(b), buffer, static_cast<std::size_t>(g_.size));
    if (read < 0) return 1;
    int got = static_cast<int>(read);
    if (got == 0) return 0;
    if (got < g_.size) {
      if (file_no == 0)
        errmsg("data size(%d) does not match\n", got);
      else
        errmsg("data size(%d) of %s does not match", got, in.name());
      return 1;
    }
    if (ids_.add(file_no, buffer + id_pos_) != 0) {
      errmsg("too many data blocks");
      return 1;
    }
  }
  return 0;
}

void Comparison::open_section(const char* name, bool blocks_follow) {
  char t[40];
  std::size_t n = 0;
  if (any_section_) t[n++] = '\n';
  t[n++] = ' ';
  std::size_t k = std::strlen(name);
  std::memcpy(t + n, name, k);
  n += k;
  p_.report.put_line(t, n);
  if (view_.map && !any_section_ && blocks_follow) put_block_title(p_, 12, g_.base, g_.size);
  any_section_ = true;
}

// The block of an entry, read again for the report. It was read whole when
// the ids were collected, and it must still hold the id it was paired by: a
// block that now ends early, or holds another id, means the file has been
// written since, and the report would put one record's id beside another's
// bytes. 0, or 1 after a message.
int Comparison::read_block(BlockReader& in, int entry, unsigned char* buffer) {
  long long got = in.read_at(g_.addr(ids_.block_no(entry)), buffer, static_cast<std::size_t>(g_.size));
  if (got < 0) return 1;
  if (got < g_.size || std::memcmp(buffer + id_pos_, ids_.id(entry), static_cast<std::size_t>(ids_.id_len())) != 0) {
    errmsg("%s: changed while being compared\n", in.name());
    return 1;
  }
  return 0;
}

// Counts a pair: the same in every byte, updated (a shown value differs), or
// updated in hidden bytes only (items marked "no display", padding).
void Comparison::count_pair(const unsigned char* block1, const unsigned char* block2, long long number1,
                            bool& same) {
  same = std::memcmp(block1, block2, static_cast<std::size_t>(g_.size)) == 0;
  if (same) return;
  if (pair_differs(view_, block1, block2, g_.size, number1))
    totals_.updated += 1;
  else
    totals_.hidden_only += 1;
}

// The paired blocks: the first file read again in order, each paired block
// against its partner in the second file. With --changes-only a pair whose
// blocks are the same in every byte is left out, and the section opens with
// the first pair that is not.
int Comparison::print_updated() {
  // Whether each pair changed is needed only for these.
  const bool judge = s_.changes_only || s_.summary || s_.exit_code || records_ != nullptr;
  bool opened = false;
  PartnerBlocks partner_blocks(g_.size, ids_.file1_count());
  std::vector<int> pairs, partners;  // a run of pairs: first-file entries and their partners
  auto read_partner = [this](int j, unsigned char* dest) { return read_block(files_.in2, j, dest); };
  for (int next = 0; next < ids_.file1_count();) {
    pairs.clear();
    partners.clear();
    for (; next < ids_.file1_count() && pairs.size() < partner_blocks.capacity(); ++next) {
      if (ids_.state(next) != kPaired) continue;
      pairs.push_back(next);
      partners.push_back(ids_.partner(next));
    }
    if (partner_blocks.load(partners, read_partner) != 0) return 1;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
      if (p_.report.failed()) return 1;
      const int i = pairs[k], j = partners[k];
      totals_.pairs += 1;
      long long pos1 = g_.addr(ids_.block_no(i));
      if (read_block(files_.in1, i, files_.block1) != 0) return 1;
      const unsigned char* block2 = partner_blocks.block(k);
      bool same = false;
      if (judge) {
        count_pair(files_.block1, block2, ids_.block_no(i), same);
        if (s_.changes_only && same) continue;
      }
      if (records_ != nullptr) {
        records_->pair(files_.block1, block2, g_.size, ids_.block_no(i), pos1, ids_.block_no(j),
                       g_.addr(ids_.block_no(j)), same);
        continue;
      }
      if (!opened) open_section("UPDATED DATA");
      opened = true;
      print_diff_block(p_, files_.block1, block2, g_.size, ids_.block_no(i), pos1, ids_.block_no(j),
                       g_.addr(ids_.block_no(j)));
      if (p_.failed) return 1;
    }
  }
  return 0;
}

// The blocks of one file in the given state, each printed whole.
int Comparison::print_whole_blocks(BlockReader& in, unsigned char* buffer, int from, int to, uint8_t state) {
  for (int i = from; i < to; ++i) {
    if (p_.report.failed()) return 1;
    if (ids_.state(i) != state) continue;
    long long pos = g_.addr(ids_.block_no(i));
    if (read_block(in, i, buffer) != 0) return 1;
    if (records_ != nullptr) {
      records_->whole(state == kDeleted, buffer, g_.size, ids_.block_no(i), pos);
      continue;
    }
    print_block(p_, buffer, g_.size, ids_.block_no(i), pos);
    if (p_.failed) return 1;
  }
  return 0;
}

// "       <which>: <count>" and up to ten of the ids as the list form shows
// them, wrapped like list values.
void Comparison::put_repeats(const char* which, int file_no) {
  BlockIds::Repeats r = ids_.repeated_ids(file_no, kNamedRepeats);
  char count[kDecimalTextSize];
  decimal_text(r.count, count);
  int col = p_.line.put(0, "       ids more than once in the ");
  col = p_.line.put(col, which);
  col = p_.line.put(col, ": ");
  col = p_.line.put_end(col, count);
  const ItemInf& id_item = view_.defs.item_inf[id_index()];
  if (!r.named.empty()) col = p_.line.put_end(col, ": ");
  const int w = view_.line_width, len = ids_.id_len();
  for (int e : r.named) {
    int pos = 0;
    // As in the list form, a text that would pass the line starts a new one.
    int columns = value_columns(id_item, len);
    if (columns > 0 && col > 7 && col + columns > w) col = write_line(p_);
    col = put_value(p_, col, ids_.id(e), pos, id_item, len);
  }
  // Values end with a blank; the line does not.
  while (col > 0 && p_.line.data[col - 1] == ' ') --col;
  p_.line.end_at(col);
  p_.report.put_line(p_.line);
}

// The closing block of --summary: what the comparison found, counted.
void Comparison::print_summary() {
  open_section("SUMMARY", false);
  const struct {
    const char* name;
    long long value;
  } rows[] = {{"pairs compared", totals_.pairs},
              {"updated", totals_.updated},
              {"updated in hidden bytes only", totals_.hidden_only},
              {"unchanged", totals_.pairs - totals_.updated - totals_.hidden_only},
              {"deleted", totals_.deleted},
              {"inserted", totals_.inserted}};
  for (const auto& row : rows) {
    char t[80];
    int n = 0;
    std::memcpy(t, "       ", 7);
    n = 7;
    std::size_t k = std::strlen(row.name);
    std::memcpy(t + n, row.name, k);
    n += static_cast<int>(k);
    t[n++] = ':';
    t[n++] = ' ';
    n += decimal_text(row.value, t + n);
    p_.report.put_line(t, static_cast<std::size_t>(n));
  }
  put_repeats("first file", 0);
  put_repeats("second file", 1);
}

// The default end of an open range (block 7FFF without --all) ended the
// blocks compared while a file, and the -n range, go on: the notice of the
// formatted dump, naming the last block that --all would compare.
void Comparison::notice_if_cut_short(long long file_size1, long long file_size2) {
  const BlnoInf& def = view_.defs.blno_inf[0];
  if (s_.all_blocks || !def.open_end || g_.last != kDefaultLastBlock) return;
  if (s_.range_given && s_.end_blk <= g_.last) return;
  const long long larger = file_size1 > file_size2 ? file_size1 : file_size2;
  if (larger <= g_.addr(g_.last + 1)) return;
  long long last = (larger - g_.base + g_.size - 1) / g_.size - 1;
  if (s_.range_given && last > s_.end_blk) last = s_.end_blk;
  totals_.range_cut = true;
  notice_stopped_after(s_.dec_mode, g_.last, last);
}

int Comparison::run(long long file_size1, long long file_size2) {
  if (collect_ids(files_.in1, 0, file_size1) != 0) return 1;
  if (collect_ids(files_.in2, 1, file_size2) != 0) return 1;
  ids_.pair();

  // Every block number is known now: the map's cells move once, for the
  // largest, before the first line (the page heading follows them).
  const long long blocks = ids_.file1_count() > ids_.count() - ids_.file1_count() ? ids_.file1_count()
                                                                                   : ids_.count() - ids_.file1_count();
  if (view_.map && blocks > 0) widen_map_for(p_, g_.first + blocks - 1);
  MapScaleHeading scale(p_);
  ScopedHeading heading(p_.report, view_.map ? &scale : nullptr);
  const int n1 = ids_.file1_count(), n_all = ids_.count();
  for (int i = 0; i < n_all; ++i) {
    if (ids_.state(i) == kDeleted) totals_.deleted += 1;
    if (ids_.state(i) == kInserted) totals_.inserted += 1;
  }
  if (print_updated() != 0) return 1;
  // The deleted blocks, heading and all, red; the inserted ones green.
  if (totals_.deleted > 0) {
    p_.report.set_line_style(Style::old_value);
    if (records_ == nullptr) open_section("DELETED DATA");
    if (print_whole_blocks(files_.in1, files_.block1, 0, n1, kDeleted) != 0) return 1;
  }
  if (totals_.inserted > 0) {
    p_.report.set_line_style(Style::new_value);
    if (records_ == nullptr) open_section("INSERTED DATA");
    if (print_whole_blocks(files_.in2, files_.block2, n1, n_all, kInserted) != 0) return 1;
  }
  p_.report.set_line_style(Style::none);
  if (s_.summary) {
    if (records_ != nullptr)
      records_->summary(totals_, ids_, kNamedRepeats);
    else
      print_summary();
  }
  if (p_.report.failed()) return 1;
  notice_if_cut_short(file_size1, file_size2);
  return 0;
}

// Blocks are read again by position, and an input must end: only regular
// files are compared. A pipe, a device (/dev/zero never ends) or a folder is
// refused before anything is read.
bool comparable(const ByteSource& in) {
  if (in.regular_file_size() >= 0) return true;
  if (!in.seekable())
    errmsg("%s: cannot compare an input that cannot seek (a pipe); give a file\n", in.name());
  else
    errmsg("%s: cannot compare an input that is not a regular file; give a file\n", in.name());
  return false;
}

}  // namespace

int compare_dump(const Settings& s, const Definitions& defs, ByteSource& in1, ByteSource& in2, Report& report,
                 CompareTotals* totals) {
  if (!comparable(in1) || !comparable(in2)) return 1;
  // Range and geometry, from the one data definition (its range starts at
  // block 0). The -n start follows the formatted dump's rule: every block
  // before it must be defined.
  const BlnoInf& def = defs.blno_inf[0];
  if (s.start_blk > def.to_blk + 1) {
    report_undefined_block(s.start_blk);
    return 1;
  }
  Geometry g;
  g.first = s.start_blk;
  g.last = s.end_blk < def.to_blk ? s.end_blk : def.to_blk;
  if (def.size <= 0 || def.size > kMaxBlockSize) return 0;  // the layout never allows it
  g.size = def.size;
  g.base = def.offset >= 0 ? def.offset : 0;
  auto files =
      std::make_unique<Inputs>(Inputs{BlockReader(in1.fd(), in1.name()), BlockReader(in2.fd(), in2.name()), {}, {}});
  Comparison comparison(s, defs, *files, report, g);
  int status = comparison.run(in1.regular_file_size(), in2.regular_file_size());
  if (totals != nullptr) *totals = comparison.totals();
  return status;
}

}  // namespace vesk
