#include "compare/compare_dump.h"

#include <cstdio>
#include <cstring>

#include "common/line_buffer.h"
#include "common/messages.h"
#include "compare/block_ids.h"
#include "compare/diff_list.h"
#include "format/definitions.h"
#include "formatted/block_print.h"
#include "formatted/input_file.h"
#include "main/settings.h"
#include "output/report.h"
#include "output/writer.h"

namespace vesk {

namespace {

// Where the blocks of both files lie: block k at base + k * size.
struct Geometry {
  int first = 0;  // first block number (the -n start)
  int last = 0;   // last block number (the -n end, at most the definition's last)
  int size = 0;   // block size of the data definition
  long long base = 0;
};

long long block_addr(const Geometry& g, int block_no) {
  return g.base + static_cast<long long>(block_no) * g.size;
}

// Blocks are read again by position, so both inputs must be able to seek.
// A pipe is refused before anything is read.
void require_seekable(const InputFile& in) {
  if (in.seekable) return;
  errmsg("%s: cannot compare an input that cannot seek (a pipe); give a file\n", in.name);
  end_process(1);
}

void seek_to(InputFile& in, long long pos) {
  if (input_seek(in, pos) != 0) end_process(1);  // the message is out
}

// The comparison cannot be made: the report would be wrong or missing, so the
// run ends with status 1 after the message.
[[noreturn]] void collection_failed() { end_process(1); }

// Reads the ids of one file's blocks, from the first block number to its end
// of file or to the last block number.
void collect_ids(InputFile& in, int file_no, const Geometry& g) {
  seek_to(in, block_addr(g, g.first));
  for (int b = g.first; b <= g.last; ++b) {
    int got = input_read(in, r_buff, g.size);
    if (got == 0) return;
    if (got < g.size) {
      if (file_no == 0)
        errmsg("data size(%d) does not match\n", got);
      else
        errmsg("data size(%d) of %s does not match", got, settings.file2_name);
      collection_failed();
    }
    if (add_block_id(file_no, b, r_buff) != 0) {
      errmsg("too many data blocks");
      collection_failed();
    }
  }
}

// A section heading: an empty line first when a section came before; in map
// form the first heading of the report is followed by the title line.
void put_section_heading(const char* name, bool after_section, const Geometry& g) {
  char t[40];
  std::snprintf(t, sizeof t, "%s %s", after_section ? "\n" : "", name);
  put_line(t);
  if (settings.map_disp != 0 && !after_section) put_block_title(12, g.base, g.size);
}

// The paired blocks: the first file read again in order, each paired block
// against its partner in the second file.
void print_updated(InputFile& in1, InputFile& in2, const Geometry& g) {
  const BlockIds& t = block_ids;
  long long pos1 = block_addr(g, g.first);
  seek_to(in1, pos1);
  for (int i = 0; i < t.file1_cnt; ++i) {
    int got1 = input_read(in1, r_buff, g.size);
    if (got1 == 0) return;
    const BlidInf& e = t.blid_inf[i];
    if (e.pair_state == kPaired) {
      const BlidInf& partner = t.blid_inf[e.pair_index];
      long long pos2 = block_addr(g, partner.block_no);
      seek_to(in2, pos2);
      int got2 = input_read(in2, r_buff1, g.size);
      if (got2 == 0) return;
      // A file cut short since its ids were read: no stale bytes are compared.
      if (got2 < g.size) std::memset(r_buff1 + got2, 0, static_cast<std::size_t>(g.size - got2));
      print_diff_block('D', r_buff, r_buff1, got1, e.block_no, pos1, partner.block_no, pos2);
    }
    pos1 += got1;
  }
}

// The blocks of one file in the given state, each printed whole.
void print_whole_blocks(InputFile& in, unsigned char* buffer, int from, int to, uint8_t state,
                        const Geometry& g) {
  for (int i = from; i < to; ++i) {
    const BlidInf& e = block_ids.blid_inf[i];
    if (e.pair_state != state) continue;
    long long pos = block_addr(g, e.block_no);
    seek_to(in, pos);
    int got = input_read(in, buffer, g.size);
    if (got == 0) return;
    print_block('D', buffer, got, e.block_no, pos);
  }
}

bool any_state(int from, int to, uint8_t state) {
  for (int i = from; i < to; ++i)
    if (block_ids.blid_inf[i].pair_state == state) return true;
  return false;
}

}  // namespace

int compare_dump() {
  InputFile in1, in2;
  input_attach(in1, settings.fp1, settings.file1_name);
  input_attach(in2, settings.fp2, settings.file2_name);
  require_seekable(in1);
  require_seekable(in2);

  // Range and geometry, from the one data definition.
  const BlnoInf& def = defs.blno_inf[0];
  Geometry g;
  g.first = settings.start_blk;
  g.last = settings.end_blk < def.to_blk ? settings.end_blk : def.to_blk;
  if (g.first > g.last) return 0;
  int offset = -1, first_flag = 0;
  g.size = find_blno(g.first, &offset, &first_flag);
  if (g.size <= 0 || g.size > kMaxBlockSize) return 0;  // the layout never allows it
  settings.blk_size = g.size;
  g.base = def.offset >= 0 ? def.offset : 0;

  collect_ids(in1, 0, g);
  collect_ids(in2, 1, g);
  pair_blocks();

  const int n1 = block_ids.file1_cnt, n_all = block_ids.blid_cnt;
  bool updated = any_state(0, n1, kPaired);
  bool deleted = any_state(0, n1, kDeleted);
  bool inserted = any_state(n1, n_all, kInserted);
  if (updated) {
    put_section_heading("UPDATED DATA", false, g);
    print_updated(in1, in2, g);
  }
  if (deleted) {
    put_section_heading("DELETED DATA", updated, g);
    print_whole_blocks(in1, r_buff, 0, n1, kDeleted, g);
  }
  if (inserted) {
    put_section_heading("INSERTED DATA", updated || deleted, g);
    print_whole_blocks(in2, r_buff1, n1, n_all, kInserted, g);
  }
  return 0;
}

}  // namespace vesk
