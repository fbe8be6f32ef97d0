// The comparison's findings as JSON Lines (--json), one object each, in the
// report's order (the pairs in the first file's order, then the deleted and
// the inserted blocks, then the summary):
//
//   {"finding":"updated","id":ID,"old":{"block":N,"offset":N},"new":{...},
//    "items":[{"item":NAME,"old":VALUE,"new":VALUE},...],
//    "hidden":[{"item":NAME,"offset":N,"length":N}, {"padding":true,"offset":N,"length":N}],
//    "unreadable":[...]}
//   {"finding":"unchanged","id":ID,"old":{...},"new":{...}}
//   {"finding":"deleted","id":ID,"block":N,"offset":N,"items":{...},"unreadable":[...]}
//   {"finding":"inserted", ... as deleted}
//   {"finding":"summary","pairs_compared":N,"updated":N,"updated_in_hidden_bytes_only":N,
//    "unchanged":N,"deleted":N,"inserted":N,
//    "ids_more_than_once":{"old":{"count":N,"ids":[ID,...]},"new":{...}}}
//
// ID is the value of the block-id item; the items of updated pairs are the
// elements whose bytes differ, named as the CSV header names them; hidden
// (when any) the hidden elements and padding that differ; unreadable (when
// any) the values that are not whole, with "side": "old" or "new" in a pair.
#pragma once

#include <memory>

#include "compare/block_ids.h"
#include "compare/compare_dump.h"
#include "formatted/form_view.h"
#include "output/report_sink.h"

namespace vesk {

class FindingRecords {
 public:
  FindingRecords(const FormView& view, ReportSink& out);
  ~FindingRecords();

  // A pair of blocks of size bytes; same: alike in every byte.
  void pair(const unsigned char* block1, const unsigned char* block2, int size, long long number1, long long addr1,
            long long number2, long long addr2, bool same);
  // A block found in one file only.
  void whole(bool deleted, const unsigned char* block, int size, long long number, long long addr);
  // The counts, and up to named repeated ids of each file.
  void summary(const CompareTotals& totals, const BlockIds& ids, int named);

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace vesk
