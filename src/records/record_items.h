// The items of a block as records: views of the one walk (walk_struct)
// through the whole structure, past the end of the data too, so that every
// block of a data format has the same items.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "formatted/form_view.h"
#include "formatted/item_walk.h"
#include "records/csv_line.h"
#include "records/json_line.h"
#include "records/record_names.h"
#include "records/record_value.h"

namespace vesk {

// The rules of the walks of records: hidden items left out, as in the list;
// every element visited, to the end of the structure.
inline constexpr WalkRules kRecordWalk{false, true, true};

// A value that is not whole, listed with its bytes.
struct FaultyValue {
  std::u32string item;  // its name, as the CSV header gives it
  std::string bytes;    // the bytes present, two lower-case hex digits each
  Fault fault = Fault::none;
  const char* side = nullptr;  // in a comparison: "old" or "new"; else none
};

// Keeps where the walk is, for the names of elements: "line[1].qty".
class RecordVisitor : public ItemVisitor {
 public:
  RecordVisitor(const FormView& view, const RecordNames& names) : view_(view), names_(names) {}

  void structure_begin(int item) override;
  void instance_begin(int item, int index) override;
  void structure_end(int item) override;

  // The name of element k of item where the walk is.
  void name_of(int item, int k, std::u32string& out) const;
  // A new walk begins.
  void restart();

 protected:
  // The walk is in the top record (the data format itself): its members
  // are the items of the record.
  bool at_top() const { return frames_.size() <= 1; }
  int index_here() const { return frames_.empty() ? 0 : frames_.back().index; }

  const FormView& view_;
  const RecordNames& names_;

 private:
  struct Frame {
    int item;
    int index;
  };
  std::vector<Frame> frames_;
};

// The items of one block as a JSON value: the object of the data format (an
// array of them when the format is repeated), and the values that are not
// whole, with their bytes.
class JsonItems : public RecordVisitor {
 public:
  JsonItems(const FormView& view, const RecordNames& names, JsonLine& json, std::vector<FaultyValue>& faults)
      : RecordVisitor(view, names), json_(json), faults_(faults) {}

  // Writes the items of structure record rec over the size bytes of data.
  // False when the walk stopped on a type it does not know (its message is
  // out).
  bool write(int rec, const unsigned char* data, int size);

  void structure_begin(int item) override;
  void instance_begin(int item, int index) override;
  void instance_end(int item) override;
  void member_begin(int item, int pos) override;
  void element(const ElementRef& e) override;

 private:
  void open_arrays(int n);
  void close_arrays(int n);

  JsonLine& json_;
  std::vector<FaultyValue>& faults_;
  const unsigned char* data_ = nullptr;
  bool began_ = false;
  RecordValue value_;
};

// Lists a faulty value: its name, the bytes of the element present, its fault.
void add_fault(const RecordVisitor& at, const RecordValue& v, const unsigned char* data, const ElementRef& e,
               const char* side, std::vector<FaultyValue>& faults);

// Writes faults as the value of a key, when there are any: an array of
// {"item": NAME, ["side": SIDE,] "bytes": HEX, "reason": TEXT}.
void put_faults(JsonLine& json, const char* key, const std::vector<FaultyValue>& faults);

// The items of one block as the fields of a CSV row.
class CsvFields : public ItemVisitor {
 public:
  CsvFields(const FormView& view, CsvLine& csv) : view_(view), csv_(csv) {}
  void start(const unsigned char* data) { data_ = data; }
  void element(const ElementRef& e) override;

 private:
  const FormView& view_;
  CsvLine& csv_;
  const unsigned char* data_ = nullptr;
  RecordValue value_;
};

// The CSV header: the names of the elements, in the order of the fields.
class CsvHeader : public RecordVisitor {
 public:
  CsvHeader(const FormView& view, const RecordNames& names, CsvLine& csv) : RecordVisitor(view, names), csv_(csv) {}
  void element(const ElementRef& e) override;

 private:
  CsvLine& csv_;
  std::u32string name_;
  std::set<std::u32string> given_;
};

}  // namespace vesk
