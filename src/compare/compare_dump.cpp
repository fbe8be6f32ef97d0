#include "compare/compare_dump.h"

#include <cstring>
#include <memory>

#include "common/messages.h"
#include "compare/block_ids.h"
#include "compare/diff_list.h"
#include "formatted/block_print.h"
#include "formatted/form_printer.h"
#include "formatted/map_scale.h"

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
  ByteSource& in1;
  ByteSource& in2;
  unsigned char block1[kMaxBlockSize];
  unsigned char block2[kMaxBlockSize];
};

class Comparison {
 public:
  Comparison(const Settings& s, const Definitions& defs, Inputs& files, Report& report, const Geometry& g)
      : s_(s), view_(s, defs), p_(view_, report), files_(files), g_(g), ids_(defs.block_id_len) {
    id_pos_ = defs.block_id_pos;
  }

  // 0, or 1 after a message.
  int run();

 private:
  int collect_ids(ByteSource& in, int file_no);
  void put_section_heading(const char* name, bool after_section);
  int print_updated();
  int print_whole_blocks(ByteSource& in, unsigned char* buffer, int from, int to, uint8_t state);
  bool any_state(int from, int to, uint8_t state) const;
  int read_block(ByteSource& in, long long pos, unsigned char* buffer);

  const Settings& s_;
  const FormView view_;
  FormPrinter p_;
  Inputs& files_;
  const Geometry g_;
  BlockIds ids_;
  int id_pos_ = 0;
};

// Reads the ids of one file's blocks, from the first block number to its end
// of file or to the last block number.
int Comparison::collect_ids(ByteSource& in, int file_no) {
  if (!in.seek(g_.addr(g_.first))) return 1;
  unsigned char* buffer = files_.block1;
  for (long long b = g_.first; b <= g_.last; ++b) {
    int got = static_cast<int>(in.read(buffer, static_cast<std::size_t>(g_.size)));
    if (in.failed()) return 1;
    if (got == 0) return 0;
    if (got < g_.size) {
      if (file_no == 0)
        errmsg("data size(%d) does not match\n", got);
      else
        errmsg("data size(%d) of %s does not match", got, s_.file2_name);
      return 1;
    }
    if (ids_.add(file_no, b, buffer + id_pos_) != 0) {
      errmsg("too many data blocks");
      return 1;
    }
  }
  return 0;
}

// A section heading: an empty line first when a section came before; in map
// form the first heading of the report is followed by the title line.
void Comparison::put_section_heading(const char* name, bool after_section) {
  char t[40];
  std::size_t n = 0;
  if (after_section) t[n++] = '\n';
  t[n++] = ' ';
  std::size_t k = std::strlen(name);
  std::memcpy(t + n, name, k);
  n += k;
  p_.report.put_line(t, n);
  if (view_.map && !after_section) put_block_title(p_, 12, g_.base, g_.size);
}

// A block read again for the report. Every block was read whole when the ids
// were collected: a block that now ends early means the file has been cut
// short since, and the report cannot be completed. 0, or 1 after a message.
int Comparison::read_block(ByteSource& in, long long pos, unsigned char* buffer) {
  if (!in.seek(pos)) return 1;
  std::size_t got = in.read(buffer, static_cast<std::size_t>(g_.size));
  if (in.failed()) return 1;
  if (got < static_cast<std::size_t>(g_.size)) {
    errmsg("%s: read error\n", in.name());
    return 1;
  }
  return 0;
}

// The paired blocks: the first file read again in order, each paired block
// against its partner in the second file.
int Comparison::print_updated() {
  for (int i = 0; i < ids_.file1_count(); ++i) {
    if (p_.report.failed()) return 1;
    const BlidInf& e = ids_.entry(i);
    long long pos1 = g_.addr(e.block_no);
    if (read_block(files_.in1, pos1, files_.block1) != 0) return 1;
    if (e.pair_state != kPaired) continue;
    const BlidInf& partner = ids_.entry(e.pair_index);
    long long pos2 = g_.addr(partner.block_no);
    if (read_block(files_.in2, pos2, files_.block2) != 0) return 1;
    print_diff_block(p_, files_.block1, files_.block2, g_.size, e.block_no, pos1, partner.block_no, pos2);
    if (p_.failed) return 1;
  }
  return 0;
}

// The blocks of one file in the given state, each printed whole.
int Comparison::print_whole_blocks(ByteSource& in, unsigned char* buffer, int from, int to, uint8_t state) {
  for (int i = from; i < to; ++i) {
    if (p_.report.failed()) return 1;
    const BlidInf& e = ids_.entry(i);
    if (e.pair_state != state) continue;
    long long pos = g_.addr(e.block_no);
    if (read_block(in, pos, buffer) != 0) return 1;
    print_block(p_, buffer, g_.size, e.block_no, pos);
    if (p_.failed) return 1;
  }
  return 0;
}

bool Comparison::any_state(int from, int to, uint8_t state) const {
  for (int i = from; i < to; ++i)
    if (ids_.entry(i).pair_state == state) return true;
  return false;
}

int Comparison::run() {
  if (collect_ids(files_.in1, 0) != 0) return 1;
  if (collect_ids(files_.in2, 1) != 0) return 1;
  ids_.pair();

  MapScaleHeading scale(view_);
  ScopedHeading heading(p_.report, view_.map ? &scale : nullptr);
  const int n1 = ids_.file1_count(), n_all = ids_.count();
  bool updated = any_state(0, n1, kPaired);
  bool deleted = any_state(0, n1, kDeleted);
  bool inserted = any_state(n1, n_all, kInserted);
  if (updated) {
    put_section_heading("UPDATED DATA", false);
    if (print_updated() != 0) return 1;
  }
  if (deleted) {
    put_section_heading("DELETED DATA", updated);
    if (print_whole_blocks(files_.in1, files_.block1, 0, n1, kDeleted) != 0) return 1;
  }
  if (inserted) {
    put_section_heading("INSERTED DATA", updated || deleted);
    if (print_whole_blocks(files_.in2, files_.block2, n1, n_all, kInserted) != 0) return 1;
  }
  return p_.report.failed() ? 1 : 0;
}

// Blocks are read again by position, so both inputs must be able to seek.
// A pipe is refused before anything is read.
bool seekable(const ByteSource& in) {
  if (in.seekable()) return true;
  errmsg("%s: cannot compare an input that cannot seek (a pipe); give a file\n", in.name());
  return false;
}

}  // namespace

int compare_dump(const Settings& s, const Definitions& defs, ByteSource& in1, ByteSource& in2, Report& report) {
  if (!seekable(in1) || !seekable(in2)) return 1;
  // Range and geometry, from the one data definition.
  const BlnoInf& def = defs.blno_inf[0];
  Geometry g;
  g.first = s.start_blk;
  g.last = s.end_blk < def.to_blk ? s.end_blk : def.to_blk;
  if (g.first > g.last) return 0;
  BlockPlace place = defs.place_of(g.first);
  if (place.size <= 0 || place.size > kMaxBlockSize) return 0;  // the layout never allows it
  g.size = place.size;
  g.base = def.offset >= 0 ? def.offset : 0;
  auto files = std::make_unique<Inputs>(Inputs{in1, in2, {}, {}});
  Comparison comparison(s, defs, *files, report, g);
  return comparison.run();
}

}  // namespace vesk
