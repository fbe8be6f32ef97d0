#include "formatted/item_list.h"

#include <cstring>

#include "common/digits.h"
#include "common/short_copy.h"
#include "formatted/item_walk.h"
#include "formatted/list_plan.h"
#include "formatted/value_render.h"
#include "formatted/value_text.h"
#include "formatted/walk_plan.h"
#include "output/line_batch.h"
#include "output/utf8_transcode.h"

namespace vesk {

namespace {

// One element's value after the values ending at col. A value that would
// pass the line starts a new one, unless it is the first of the line.
// Returns the column after it.
int put_list_value(FormPrinter& p, int col, const unsigned char* data, const ItemInf& m, ValueForm form, int pos,
                   int len) {
  const int columns = value_columns(form, len);
  if (columns > 0 && col > 7 && col + columns > p.view.line_width) col = write_line(p);
  return put_value(p, col, data, pos, m, len, form);
}

// The label after the values ending at col, and the line out. The list's
// texts hold no newline: the line ends where its label does.
void end_list_line(FormPrinter& p, int col, int item) {
  const int end = p.labels.put_list_label(p.line, col, item, p.report);
  p.report.put_line(p.line, static_cast<std::size_t>(end));
}

class ListPrinter final : public ItemVisitor {
 public:
  ListPrinter(FormPrinter& p, const unsigned char* data) : p_(p), data_(data) {}

  void data_ended(int, int) override { p_.report.put_line(" [EOD]", Style::unread); }

  void member_begin(int, int pos) override { col_ = put_offset(p_, pos); }

  void element(const ElementRef& e) override {
    col_ = put_list_value(p_, col_, data_, p_.view.defs.item_inf[e.item], e.form, e.pos, e.len);
  }

  void member_end(int item, int pos, bool data_end, int rest) override {
    if (data_end && rest > 0) col_ = put_cut_rest(p_, col_, data_, pos, rest);
    end_list_line(p_, col_, item);
    if (data_end) p_.report.put_line(" [EOD]", Style::unread);
  }

 private:
  FormPrinter& p_;
  const unsigned char* data_;
  int col_ = 0;
};

// A line that takes its values one by one: written straight where they fit,
// else by the wrap rules; the label placed after them.
void print_line(FormPrinter& p, const ListPlan& plan, const ListLine& l, const unsigned char* data,
                LineBatch& batch) {
  LineBuffer& line = p.line;
  // The line before has been written, its cells with it.
  std::memcpy(line.data, l.offset, sizeof l.offset);
  int col = 7;
  const ItemInf& m = p.view.defs.item_inf[l.item];
  for (int k = 0, pos = l.pos; k < l.count; ++k, pos += l.size) {
    int end = l.columns > 0 && col > 7 && col + l.columns > p.view.line_width
                  ? -1
                  : put_value_straight(p, col, data, pos, m, l.size, l.form);
    if (end < 0) {
      batch.flush();
      end = put_list_value(p, col, data, m, l.form, pos, l.size);
    }
    col = end;
  }
  const int label_end = static_cast<int>(l.end.size());
  if (label_end > 0 && col <= plan.label_column && label_end < kLineBufSize) {
    copy_short(line.data + col, l.end.c_str() + col, label_end - col + 1);
    col = label_end;
  } else if (label_end > 0) {
    batch.flush();
    end_list_line(p, col, l.item);
    return;
  }
  if (line.cells.empty()) {
    batch.add(line.data, static_cast<std::size_t>(col));
  } else {
    batch.flush();
    p.report.put_line(line, static_cast<std::size_t>(col));
  }
}

// A framed line: its frame, then its values over its blanks. Returns its
// length.
int put_framed_line(char* out, const ListLine& l, const unsigned char* data, const FormView& view) {
  copy_short(out, l.frame.data(), static_cast<int>(l.frame.size()));
  const int values =
      put_values_text(out + 7, data + l.pos, l.size, l.count, l.form, *l.codec, view.show_ctrl, view.list_order);
  return l.end.empty() ? 7 + values : static_cast<int>(l.frame.size());
}

// Room a framed line of a UTF-8 report takes past its longest form: the
// stores of the last text element's characters may reach past their end.
constexpr std::size_t kUtf8LineSlack = 32;

// A framed line in a UTF-8 report: its offset field, its values (the
// characters of a text item written in UTF-8 from its bytes), then the UTF-8
// form of the line's end from their end column on. Returns its length in
// bytes.
int put_framed_utf8_line(char* out, const ListLine& l, const unsigned char* data, const FormView& view) {
  std::memcpy(out, l.offset, 7);
  int values, bytes;
  if (l.form == ValueForm::text) {
    char* o = out + 7;
    const unsigned char* element = data + l.pos;
    for (int k = 0; k < l.count; ++k, element += l.size) {
      *o++ = '[';
      o += l.codec->put_text_utf8(view.show_ctrl, element, l.size, o);
      std::memcpy(o, "] ", 2);
      o += 2;
    }
    values = l.count * (l.size + 3);
    bytes = static_cast<int>(o - out);
  } else {
    values = put_values_text(out + 7, data + l.pos, l.size, l.count, l.form, *l.codec, view.show_ctrl, view.list_order);
    bytes = 7 + values;
  }
  const int col = 7 + values;
  const int end = static_cast<int>(l.end_utf8.size());
  if (end > col) {
    copy_short(out + bytes, l.end_utf8.data() + col, end - col);
    bytes += end - col;
  }
  return bytes;
}

// The lines of a block from its list plan. They are gathered and go to the
// report together; a value or label that takes the wrap rules' way writes
// lines of its own, after those gathered.
void print_lines(FormPrinter& p, const ListPlan& plan, const unsigned char* data, LineBatch& batch) {
  for (const ListLine& l : plan.lines) {
    if (!l.framed) {
      print_line(p, plan, l, data, batch);
      continue;
    }
    char* out = batch.line_space(static_cast<std::size_t>(l.longest));
    batch.end_line(static_cast<std::size_t>(put_framed_line(out, l, data, p.view)));
  }
}

// The same in a UTF-8 report: a loop of its own, which leaves the Shift_JIS
// one as it was.
[[gnu::noinline]] void print_utf8_lines(FormPrinter& p, const ListPlan& plan, const unsigned char* data,
                                        LineBatch& batch) {
  for (const ListLine& l : plan.lines) {
    if (!l.framed) {
      print_line(p, plan, l, data, batch);
      continue;
    }
    char* out = batch.line_space(kUtf8PerSjisByte * static_cast<std::size_t>(l.longest) + kUtf8LineSlack);
    batch.end_line(static_cast<std::size_t>(put_framed_utf8_line(out, l, data, p.view)));
  }
}

void print_plan(FormPrinter& p, const ListPlan& plan, const unsigned char* data, LineBatch& batch) {
  if (batch.utf8())
    print_utf8_lines(p, plan, data, batch);
  else
    print_lines(p, plan, data, batch);
}

}  // namespace

int print_items(FormPrinter& p, int rec, const unsigned char* data, int size, int pos) {
  LineBatch batch(p.report);
  return print_items(p, rec, data, size, pos, batch);
}

int print_items(FormPrinter& p, int rec, const unsigned char* data, int size, int pos, LineBatch& batch) {
  // The list's lines start afresh, without cells. A colored line is painted
  // as it is made, by the printer.
  const bool plain = p.line.cells.empty() && !p.line.styled;
  if (const ListPlan* lines = plain ? p.list_plans.recent(rec, size, pos) : nullptr) {
    print_plan(p, *lines, data, batch);
    return lines->walk->end;
  }
  const WalkRules rules{true, true};
  const WalkPlan* walk = p.plans.find(p.view, rec, size, pos, rules);
  if (walk != nullptr && plain) {
    if (const ListPlan* lines = p.list_plans.find(*walk, p.view, p.labels, p.report.sink().utf8())) {
      print_plan(p, *lines, data, batch);
      return walk->end;
    }
  }
  // The printer writes its lines itself.
  batch.flush();
  ListPrinter printer(p, data);
  if (walk == nullptr) return walk_struct(p.view, rec, size, pos, rules, printer);
  return replay(*walk, printer);
}

}  // namespace vesk
