#include "records/record_names.h"

#include <set>

#include "records/json_line.h"
#include "records/record_text.h"

namespace vesk {

namespace {

void append_ascii(std::u32string& out, const char* text) {
  for (; *text != '\0'; ++text) out += static_cast<char32_t>(static_cast<unsigned char>(*text));
}

void append_number(std::u32string& out, long long n) { append_ascii(out, std::to_string(n).c_str()); }

}  // namespace

RecordNames::RecordNames(const Definitions& defs)
    : defs_(defs),
      keys_(static_cast<std::size_t>(defs.item_cnt)),
      json_keys_(static_cast<std::size_t>(defs.item_cnt)),
      spliced_(static_cast<std::size_t>(defs.item_cnt), 0),
      dims_(static_cast<std::size_t>(defs.item_cnt)) {
  for (int i = 0; i < defs.item_cnt; ++i) {
    const ItemInf& m = defs.item_inf[i];
    spliced_[static_cast<std::size_t>(i)] = is_spliced(i) ? 1 : 0;
    std::vector<int>& d = dims_[static_cast<std::size_t>(i)];
    for (int k = 0; k < m.dim_count; ++k) d.push_back(m.dims[k] > 0 ? m.dims[k] : 1);
    if (d.empty() && m.count > 1) d.push_back(m.count);
  }
  for (int i = 0; i < defs.item_cnt; ++i)
    if (is_struct_code(defs.item_inf[i].type) && !spliced(i)) name_members(i);
  for (int i = 0; i < defs.item_cnt; ++i) {
    std::string& k = json_keys_[static_cast<std::size_t>(i)];
    append_json_string(k, key(i));
    k += ':';
  }
}

bool RecordNames::is_spliced(int item) const {
  const ItemInf& m = defs_.item_inf[item];
  return m.type == T_NESTED && (m.name == nullptr || m.name[0] == '\0') && m.dim_count == 0;
}

// The members of structure rec as its object holds them: those of a spliced
// member in its place.
void RecordNames::collect(int rec, std::vector<int>& members, int depth) const {
  const ItemInf& r = defs_.item_inf[rec];
  // Each level is a distinct record: a deeper one can only be a loop.
  if (depth > MAX_ITEMS) return;
  const int first = r.first < 0 ? 0 : r.first;
  const int last = r.last < defs_.item_cnt ? r.last : defs_.item_cnt - 1;
  for (int j = first; j <= last; j = next_member(defs_.item_inf[j], j)) {
    if (spliced(j))
      collect(j, members, depth + 1);
    else
      members.push_back(j);
  }
}

void RecordNames::name_members(int rec) {
  std::vector<int> members;
  collect(rec, members, 0);
  std::vector<std::u32string> names;
  std::set<std::u32string> written;
  for (int j : members) {
    names.push_back(format_file_text(defs_.item_inf[j].name));
    written.insert(names.back());
  }
  std::set<std::u32string> given;
  for (std::size_t i = 0; i < members.size(); ++i) {
    std::u32string k = names[i];
    for (long long n = 2; given.count(k) != 0; ++n) {
      k = names[i];
      k += U'#';
      append_number(k, n);
      // A name that an item of the structure bears is that item's.
      if (written.count(k) != 0) k = names[i];
    }
    given.insert(k);
    keys_[static_cast<std::size_t>(members[i])] = std::move(k);
  }
}

int RecordNames::arrays_opening(int item, int k) const {
  const std::vector<int>& d = dims(item);
  long long stride = 1;
  int arrays = 0;
  // From the innermost dimension out: an outer array begins only where the
  // arrays inside it do.
  for (std::size_t i = d.size(); i-- > 0;) {
    stride *= d[i];
    if (k % stride != 0) break;
    ++arrays;
  }
  return arrays;
}

void RecordNames::append_indexes(std::u32string& out, int item, int k) const {
  const std::vector<int>& d = dims(item);
  long long stride = 1;
  for (int n : d) stride *= n;
  for (int n : d) {
    stride /= n;
    out += U'[';
    append_number(out, (k / stride) % n);
    out += U']';
  }
}

}  // namespace vesk
