#include "compare/finding_records.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/digits.h"
#include "compare/diff_list.h"
#include "compare/hidden_diff.h"
#include "format/item_types.h"
#include "records/record_items.h"

namespace vesk {

namespace {

// A hidden element or a run of padding whose bytes differ.
struct HiddenEntry {
  std::u32string item;  // empty for padding
  int pos;
  int len;
  bool padding;
};

// The elements of a pair whose bytes differ, as the members of "items", and
// the hidden bytes that differ.
class DiffItems : public RecordVisitor, public HiddenListener {
 public:
  DiffItems(const FormView& view, const RecordNames& names, JsonLine& json, std::vector<FaultyValue>& faults,
            const unsigned char* block1, const unsigned char* block2)
      : RecordVisitor(view, names), json_(json), faults_(faults), block1_(block1), block2_(block2) {}

  void watch_hidden(HiddenDifferences* hidden) { hidden_ = hidden; }
  const std::vector<HiddenEntry>& hidden_entries() const { return entries_; }

  void element(const ElementRef& e) override {
    if (hidden_ != nullptr) hidden_->element(e.pos, e.len);
    if (is_pairing_id(view_.defs, e)) return;
    if (e.len <= 0 || std::memcmp(block1_ + e.pos, block2_ + e.pos, static_cast<std::size_t>(e.len)) == 0) return;
    const ItemInf& m = view_.defs.item_inf[e.item];
    json_.open_object();
    json_.key_ascii("item");
    name_of(e.item, e.index, name_);
    json_.string(name_);
    put_side("old", m, block1_, e);
    put_side("new", m, block2_, e);
    json_.close_object();
  }

  void hidden_member(int item, int pos) override {
    if (hidden_ != nullptr) hidden_->hidden_member(item, pos);
  }

  void padding(int pos, int len) override { entries_.push_back(HiddenEntry{std::u32string(), pos, len, true}); }

  void hidden(int item, int k, int pos) override {
    name_of(item, k, name_);
    entries_.push_back(HiddenEntry{name_, pos, element_size(view_.defs.item_inf[item]), false});
  }

 private:
  void put_side(const char* side, const ItemInf& m, const unsigned char* block, const ElementRef& e) {
    read_record_value(view_, m, block, e, value_);
    json_.key_ascii(side);
    json_.value(value_);
    if (value_.fault != Fault::none) add_fault(*this, value_, block, e, side, faults_);
  }

  JsonLine& json_;
  std::vector<FaultyValue>& faults_;
  const unsigned char* block1_;
  const unsigned char* block2_;
  HiddenDifferences* hidden_ = nullptr;
  std::vector<HiddenEntry> entries_;
  std::u32string name_;
  RecordValue value_;
};

// Finds the name of the block-id item's first copy, which paired the blocks.
class IdNamer : public RecordVisitor {
 public:
  using RecordVisitor::RecordVisitor;
  void element(const ElementRef& e) override {
    if (!found && is_pairing_id(view_.defs, e)) {
      name_of(e.item, e.index, name);
      found = true;
    }
  }
  bool found = false;
  std::u32string name;
};

}  // namespace

struct FindingRecords::Parts {
  Parts(const FormView& v, ReportSink& o) : view(v), out(o), names(v.defs), items(v, names, json, faults) {}

  const FormView& view;
  ReportSink& out;
  const RecordNames names;
  JsonLine json;
  std::vector<FaultyValue> faults;
  JsonItems items;
  RecordValue value;
  int id_item = 0;
  std::u32string id_name;

  int format_record() const { return view.defs.blno_inf[0].item_no; }

  void begin(const char* finding) {
    json.clear();
    faults.clear();
    json.open_object();
    json.key_ascii("finding");
    json.string_ascii(finding);
  }

  // "id": the value of the id bytes at id (a block's, or a copy of them).
  void put_id(const unsigned char* block, const char* side) {
    json.key_ascii("id");
    put_id_value(block, side);
  }

  void put_id_value(const unsigned char* block, const char* side) {
    const ItemType* t = item_type(view.defs.item_inf[id_item].type);
    const ElementRef e{id_item, 0, view.defs.block_id_pos, view.defs.block_id_len, false,
                       t != nullptr ? t->form : ValueForm::structure};
    read_record_value(view, view.defs.item_inf[id_item], block, e, value);
    json.value(value);
    if (value.fault == Fault::none) return;
    FaultyValue f;
    f.item = id_name;
    for (int i = 0; i < e.len; ++i) f.bytes.append(kHexPairs.digits[block[e.pos + i]], 2);
    f.fault = value.fault;
    f.side = side;
    faults.push_back(std::move(f));
  }

  void put_place(const char* key, long long number, long long addr) {
    json.key_ascii(key);
    json.open_object();
    json.key_ascii("block");
    json.integer(number);
    json.key_ascii("offset");
    json.integer(addr);
    json.close_object();
  }

  void end() {
    put_faults(json, "unreadable", faults);
    json.close_object();
    out.write_encoded_line(json.text().data(), json.text().size());
  }
};

FindingRecords::FindingRecords(const FormView& view, ReportSink& out) : parts_(std::make_unique<Parts>(view, out)) {
  Parts& p = *parts_;
  for (int k = 0; k < view.defs.item_cnt; ++k)
    if (view.defs.item_inf[k].is_block_id()) {
      p.id_item = k;
      break;
    }
  // The name from a walk over a block of the format: the walk reads no data.
  IdNamer namer(view, p.names);
  walk_struct(view, p.format_record(), view.defs.blno_inf[0].size, 0, kRecordWalk, namer);
  p.id_name = namer.found ? namer.name : p.names.key(p.id_item);
}

FindingRecords::~FindingRecords() = default;

void FindingRecords::pair(const unsigned char* block1, const unsigned char* block2, int size, long long number1,
                          long long addr1, long long number2, long long addr2, bool same) {
  Parts& p = *parts_;
  p.begin(same ? "unchanged" : "updated");
  p.put_id(block1, "old");
  p.put_place("old", number1, addr1);
  p.put_place("new", number2, addr2);
  if (same) return p.end();
  p.json.key_ascii("items");
  p.json.open_array();
  DiffItems diff(p.view, p.names, p.json, p.faults, block1, block2);
  HiddenDifferences hidden(diff, p.view, block1, block2, size);
  diff.watch_hidden(&hidden);
  walk_struct(p.view, p.format_record(), size, 0, kRecordWalk, diff);
  hidden.finish();
  p.json.close_array();
  if (!diff.hidden_entries().empty()) {
    p.json.key_ascii("hidden");
    p.json.open_array();
    for (const HiddenEntry& h : diff.hidden_entries()) {
      p.json.open_object();
      if (h.padding) {
        p.json.key_ascii("padding");
        p.json.literal("true");
      } else {
        p.json.key_ascii("item");
        p.json.string(h.item);
      }
      p.json.key_ascii("offset");
      p.json.integer(h.pos);
      p.json.key_ascii("length");
      p.json.integer(h.len);
      p.json.close_object();
    }
    p.json.close_array();
  }
  p.end();
}

void FindingRecords::whole(bool deleted, const unsigned char* block, int size, long long number, long long addr) {
  Parts& p = *parts_;
  p.begin(deleted ? "deleted" : "inserted");
  p.put_id(block, nullptr);
  p.json.key_ascii("block");
  p.json.integer(number);
  p.json.key_ascii("offset");
  p.json.integer(addr);
  p.json.key_ascii("items");
  p.items.write(p.format_record(), block, size);
  p.end();
}

void FindingRecords::summary(const CompareTotals& totals, const BlockIds& ids, int named) {
  Parts& p = *parts_;
  p.begin("summary");
  const struct {
    const char* key;
    long long value;
  } counts[] = {{"pairs_compared", totals.pairs},
                {"updated", totals.updated},
                {"updated_in_hidden_bytes_only", totals.hidden_only},
                {"unchanged", totals.pairs - totals.updated - totals.hidden_only},
                {"deleted", totals.deleted},
                {"inserted", totals.inserted}};
  for (const auto& c : counts) {
    p.json.key_ascii(c.key);
    p.json.integer(c.value);
  }
  p.json.key_ascii("ids_more_than_once");
  p.json.open_object();
  for (int file_no = 0; file_no < 2; ++file_no) {
    const BlockIds::Repeats r = ids.repeated_ids(file_no, named);
    p.json.key_ascii(file_no == 0 ? "old" : "new");
    p.json.open_object();
    p.json.key_ascii("count");
    p.json.integer(r.count);
    p.json.key_ascii("ids");
    p.json.open_array();
    // An id copy holds the id bytes alone: read at the id's place in a
    // block of its own.
    std::vector<unsigned char> block(static_cast<std::size_t>(p.view.defs.blno_inf[0].size));
    for (int e : r.named) {
      std::memcpy(block.data() + p.view.defs.block_id_pos, ids.id(e), static_cast<std::size_t>(ids.id_len()));
      p.put_id_value(block.data(), file_no == 0 ? "old" : "new");
    }
    p.json.close_array();
    p.json.close_object();
  }
  p.json.close_object();
  p.end();
}

}  // namespace vesk
