#include "records/record_items.h"

#include "common/digits.h"

namespace vesk {

void RecordVisitor::restart() { frames_.clear(); }

void RecordVisitor::structure_begin(int item) { frames_.push_back(Frame{item, 0}); }

void RecordVisitor::instance_begin(int, int index) {
  if (!frames_.empty()) frames_.back().index = index;
}

void RecordVisitor::structure_end(int) {
  if (!frames_.empty()) frames_.pop_back();
}

void RecordVisitor::name_of(int item, int k, std::u32string& out) const {
  out.clear();
  for (std::size_t f = 0; f < frames_.size(); ++f) {
    const Frame& s = frames_[f];
    if (names_.spliced(s.item)) continue;
    // The data format has no name: its members are the items, but for the
    // index of a format repeated in its block.
    if (f == 0 && names_.dims(s.item).empty()) continue;
    if (f > 0) out += names_.key(s.item);
    names_.append_indexes(out, s.item, s.index);
    out += U'.';
  }
  out += names_.key(item);
  names_.append_indexes(out, item, k);
}

void JsonItems::open_arrays(int n) {
  for (int i = 0; i < n; ++i) json_.open_array();
}

void JsonItems::close_arrays(int n) {
  for (int i = 0; i < n; ++i) json_.close_array();
}

bool JsonItems::write(int rec, const unsigned char* data, int size) {
  restart();
  data_ = data;
  began_ = false;
  if (walk_struct(view_, rec, size, 0, kRecordWalk, *this) < 0) return false;
  // A format of no item at all (which the layout refuses) has an empty object.
  if (!began_) {
    json_.open_object();
    json_.close_object();
  }
  return true;
}

// A structure is an object for each instance, in arrays by its dimensions,
// under its key (the data format under the caller's); a spliced one only its
// members.
void JsonItems::structure_begin(int item) {
  RecordVisitor::structure_begin(item);
  began_ = true;
  if (!at_top() && !names_.spliced(item)) json_.key(names_.json_key(item));
}

void JsonItems::instance_begin(int item, int index) {
  RecordVisitor::instance_begin(item, index);
  if (names_.spliced(item)) return;
  open_arrays(names_.arrays_opening(item, index));
  json_.open_object();
}

void JsonItems::instance_end(int item) {
  if (names_.spliced(item)) return;
  json_.close_object();
  close_arrays(names_.arrays_closing(item, index_here()));
}

void JsonItems::member_begin(int item, int) { json_.key(names_.json_key(item)); }

void JsonItems::element(const ElementRef& e) {
  const ItemInf& m = view_.defs.item_inf[e.item];
  read_record_value(view_, m, data_, e, value_);
  open_arrays(names_.arrays_opening(e.item, e.index));
  json_.value(value_);
  close_arrays(names_.arrays_closing(e.item, e.index));
  if (value_.fault != Fault::none) add_fault(*this, value_, data_, e, nullptr, faults_);
}

void add_fault(const RecordVisitor& at, const RecordValue& v, const unsigned char* data, const ElementRef& e,
               const char* side, std::vector<FaultyValue>& faults) {
  FaultyValue f;
  at.name_of(e.item, e.index, f.item);
  for (int i = 0; i < e.len; ++i) f.bytes.append(kHexPairs.digits[data[e.pos + i]], 2);
  f.fault = v.fault;
  f.side = side;
  faults.push_back(std::move(f));
}

void put_faults(JsonLine& json, const char* key, const std::vector<FaultyValue>& faults) {
  if (faults.empty()) return;
  json.key_ascii(key);
  json.open_array();
  for (const FaultyValue& f : faults) {
    json.open_object();
    json.key_ascii("item");
    json.string(f.item);
    if (f.side != nullptr) {
      json.key_ascii("side");
      json.string_ascii(f.side);
    }
    json.key_ascii("bytes");
    json.string_ascii(f.bytes);
    json.key_ascii("reason");
    json.string_ascii(fault_text(f.fault));
    json.close_object();
  }
  json.close_array();
}

void CsvFields::element(const ElementRef& e) {
  read_record_value(view_, view_.defs.item_inf[e.item], data_, e, value_);
  csv_.field(value_);
}

// Names are distinct in each object; a name that holds "." or "[" may still
// read as another's, and takes a number as a key does.
void CsvHeader::element(const ElementRef& e) {
  name_of(e.item, e.index, name_);
  std::u32string field = name_;
  for (long long n = 2; given_.count(field) != 0; ++n) {
    field = name_;
    field += U'#';
    for (char c : std::to_string(n)) field += static_cast<char32_t>(c);
  }
  given_.insert(field);
  csv_.field_text(field);
}

}  // namespace vesk
