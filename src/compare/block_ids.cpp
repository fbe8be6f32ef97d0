#include "compare/block_ids.h"

#include <cstring>
#include <new>

#include "common/messages.h"

namespace vesk {

BlockIds::BlockIds(int id_len, long long first_block, int capacity, IdHash hash)
    : id_len_(id_len > 0 ? static_cast<std::size_t>(id_len) : 0),
      first_block_(first_block),
      capacity_(capacity),
      hash_(hash) {}

void BlockIds::reserve(std::size_t n) {
  std::size_t total = state_.size() + n;
  if (total > static_cast<std::size_t>(capacity_)) total = static_cast<std::size_t>(capacity_);
  try {
    state_.reserve(total);
    pair_.reserve(total);
    id_bytes_.reserve(total * id_len_);
  } catch (const std::bad_alloc&) {
    throw OutOfMemory{total * (id_len_ + 5)};
  }
}

int BlockIds::add(int file_no, const unsigned char* id) {
  if (count() >= capacity_) return -1;
  try {
    state_.push_back(kUnresolved);
    pair_.push_back(0);
    id_bytes_.insert(id_bytes_.end(), id, id + id_len_);
  } catch (const std::bad_alloc&) {
    throw OutOfMemory{(state_.size() + 1) * (id_len_ + 5)};
  }
  if (file_no == 0) file1_cnt_ = count();
  return 0;
}

namespace {

// The ids of entries [from, to), each with its entries in file order, by open
// addressing under the table's keyed hash: an id finds its slot in a short
// probe run whatever the ids are. A slot holds the id's next entry not yet
// taken, or, once all are taken, kTaken(an entry of the id) so that the slot
// still names its id.
class IdIndex {
 public:
  IdIndex(const BlockIds& t, int from, int to) : t_(t), len_(static_cast<std::size_t>(t.id_len())), from_(from) {
    std::size_t n = static_cast<std::size_t>(to - from);
    std::size_t size = 16;
    while (size < 2 * n + 2) size *= 2;
    try {
      slots_.assign(size, kEmpty);
      next_.assign(n, -1);
    } catch (const std::bad_alloc&) {
      throw OutOfMemory{(size + n) * sizeof(int32_t)};
    }
    // Backwards, each entry put before the later ones of its id: the slot
    // ends holding the earliest, and each entry links to the next.
    for (int j = to - 1; j >= from; --j) {
      std::size_t s = slot_of(t.id(j));
      next_[static_cast<std::size_t>(j - from)] = slots_[s] >= 0 ? slots_[s] : -1;
      slots_[s] = j;
    }
  }

  // The earliest entry of this id, or -1.
  int first(const unsigned char* id) const {
    int32_t slot = slots_[slot_of(id)];
    return slot >= 0 ? slot : -1;
  }

  // The earliest entry of this id not taken yet, taken now; or -1.
  int take(const unsigned char* id) {
    std::size_t s = slot_of(id);
    int j = slots_[s];
    if (j < 0) return -1;
    int after = next_[static_cast<std::size_t>(j - from_)];
    slots_[s] = after >= 0 ? after : taken(j);
    return j;
  }

  // The slot of this id, or the empty slot where it would go.
  std::size_t slot_of(const unsigned char* id) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t s = static_cast<std::size_t>(t_.hash_of(id)) & mask;
    while (slots_[s] != kEmpty && std::memcmp(t_.id(entry_in(slots_[s])), id, len_) != 0) s = (s + 1) & mask;
    return s;
  }

  std::size_t slot_count() const { return slots_.size(); }

 private:
  static constexpr int32_t kEmpty = -1;
  static int32_t taken(int j) { return -2 - j; }
  static int entry_in(int32_t slot) { return slot >= 0 ? slot : -2 - slot; }

  const BlockIds& t_;
  std::size_t len_;
  int from_;
  std::vector<int32_t> slots_;
  std::vector<int32_t> next_;  // entry from_ + k links to next_[k], the next entry of its id
};

}  // namespace

void BlockIds::pair() {
  for (uint8_t& s : state_) s = kUnresolved;
  IdIndex second(*this, file1_cnt_, count());
  for (int i = 0; i < file1_cnt_; ++i) {
    int j = second.take(id(i));
    if (j < 0) {
      state_[static_cast<std::size_t>(i)] = kDeleted;
      continue;
    }
    state_[static_cast<std::size_t>(i)] = kPaired;
    pair_[static_cast<std::size_t>(i)] = j;
    state_[static_cast<std::size_t>(j)] = kPaired;
    pair_[static_cast<std::size_t>(j)] = i;
  }
  for (int j = file1_cnt_; j < count(); ++j)
    if (state_[static_cast<std::size_t>(j)] == kUnresolved) state_[static_cast<std::size_t>(j)] = kInserted;
}

BlockIds::Repeats BlockIds::repeated_ids(int file_no, int max_named) const {
  const int from = file_no == 0 ? 0 : file1_cnt_;
  const int to = file_no == 0 ? file1_cnt_ : count();
  const IdIndex index(*this, from, to);
  // Copies of each slot's id met so far: 0, 1, or 2 for more.
  std::vector<uint8_t> seen(index.slot_count(), 0);
  Repeats r;
  for (int j = from; j < to; ++j) {
    uint8_t& n = seen[index.slot_of(id(j))];
    if (n >= 2) continue;
    if (++n < 2) continue;
    r.count += 1;
    if (static_cast<int>(r.named.size()) < max_named) r.named.push_back(index.first(id(j)));
  }
  return r;
}

}  // namespace vesk
