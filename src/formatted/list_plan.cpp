#include "formatted/list_plan.h"

#include "common/digits.h"
#include "common/float_text.h"
#include "format/item_types.h"
#include "formatted/value_render.h"
#include "output/utf8_transcode.h"

namespace vesk {

namespace {

// The longest text of a value of len bytes in form, brackets and the blank
// after them included; -1 for a form whose text may be no value (decimals).
int longest_value(ValueForm form, int len) {
  switch (form) {
    case ValueForm::text:
      return len + 3;
    case ValueForm::hex:
      return 2 * len + 3;
    case ValueForm::signed_int:
      // "-128", "-32768", "-2147483648", "-9223372036854775808".
      return (len == 1 ? 4 : len == 2 ? 6 : len == 4 ? 11 : 20) + 3;
    case ValueForm::unsigned_int:
      return (len == 1 ? 3 : len == 2 ? 5 : len == 4 ? 10 : 20) + 3;
    case ValueForm::pointer:
      return 8 + 3;
    case ValueForm::float32:
    case ValueForm::float64:
      return kFloatTextSize - 1 + 3;
    case ValueForm::packed:
    case ValueForm::zoned:
    case ValueForm::structure:
      break;
  }
  return -1;
}

// Whether the line's values, whatever the bytes, end before the label's
// column (or within the width, for a line without a label), each written
// straight, and so the frame of the line; and the frame.
void frame_line(ListLine& line, const FormView& view, int label_column, bool utf8_report) {
  line.framed = false;
  if (line.count > 0 && line.form == ValueForm::text && line.codec->mode != CharMode::sjis && utf8_report) return;
  const int each = line.count > 0 ? longest_value(line.form, line.size) : 0;
  if (each < 0) return;
  const long long values_end = 7 + static_cast<long long>(each) * line.count;
  const int limit = line.end.empty() ? view.line_width : label_column;
  if (values_end > limit) return;
  line.longest = line.end.empty() ? static_cast<int>(values_end) : static_cast<int>(line.end.size());
  line.frame = line.end.empty() ? std::string(static_cast<std::size_t>(values_end), ' ') : line.end;
  line.frame.replace(0, 7, line.offset, 7);
  if (utf8_report && !line.end.empty()) {
    std::string utf8(kUtf8PerSjisByte * line.end.size(), '\0');
    utf8.resize(sjis2utf8(line.end.data(), line.end.size(), utf8.data()));
    line.end_utf8 = utf8;
  }
  line.framed = true;
}

// The lines of a walk: member_begin, its elements, member_end, for each
// member shown. False when a step does not fit that shape.
bool make_lines(const WalkPlan& walk, const FormView& view, LabelMaker& labels, std::vector<ListLine>& lines) {
  const bool decimal = view.dec;
  ListLine* open = nullptr;
  for (const WalkStep& s : walk.steps) {
    switch (s.kind) {
      case WalkStep::Kind::member_begin: {
        if (open != nullptr || s.e.pos < 0 || s.e.pos > (decimal ? 9999 : 0xFFFF)) return false;
        const ItemInf& m = view.defs.item_inf[s.e.item];
        ListLine line{s.e.item, s.e.pos, 0, 0, ValueForm::structure, 0, &view.text_codec(m), {},
                      labels.list_line_end(s.e.item), false, {}, 0, {}};
        line.offset[0] = ' ';
        put_four_digits(line.offset + 1, static_cast<unsigned>(s.e.pos), decimal ? 10 : 16);
        line.offset[5] = ':';
        line.offset[6] = ' ';
        line.offset[7] = '\0';
        lines.push_back(line);
        open = &lines.back();
        break;
      }
      case WalkStep::Kind::element:
        if (open == nullptr || s.e.item != open->item) return false;
        if (open->count == 0) {
          open->size = s.e.len;
          open->form = s.e.form;
          open->columns = value_columns(s.e.form, s.e.len);
        } else if (s.e.len != open->size || s.e.pos != open->pos + open->count * open->size) {
          return false;
        }
        open->count += 1;
        break;
      case WalkStep::Kind::member_end:
        if (open == nullptr || s.e.item != open->item) return false;
        open = nullptr;
        break;
      case WalkStep::Kind::hidden_member:
        break;
    }
  }
  return open == nullptr;
}

}  // namespace

const ListPlan* ListPlans::find(const WalkPlan& walk, const FormView& view, LabelMaker& labels, bool utf8_report) {
  if (last_ != nullptr && last_->walk == &walk) return last_;
  for (const ListPlan& plan : plans_)
    if (plan.walk == &walk) return plan.usable ? (last_ = &plan) : nullptr;
  // Room for one for each walk plan: a plan handed out never moves.
  plans_.reserve(kMaxWalkPlans);
  ListPlan plan{&walk, false, labels.list_label_column(), {}};
  plan.usable = make_lines(walk, view, labels, plan.lines);
  if (plan.usable) {
    for (ListLine& line : plan.lines) frame_line(line, view, plan.label_column, utf8_report);
  } else {
    plan.lines = std::vector<ListLine>();
  }
  plans_.push_back(std::move(plan));
  return plans_.back().usable ? (last_ = &plans_.back()) : nullptr;
}

}  // namespace vesk
