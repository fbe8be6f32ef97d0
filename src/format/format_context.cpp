#include "format/format_context.h"

namespace vesk {

int FormatContext::error_at(const char* message, long long line, const char* at, const char* note) const {
  if (source == nullptr || source->text == nullptr) {
    def_error(options.name, message, line);
    return -1;
  }
  // A position outside the line (never expected) puts the caret at its start.
  long long column = at != nullptr ? at - source->text : 0;
  if (column < 0 || column > source->length) column = 0;
  return error_in(*source, message, line, static_cast<int>(column), note);
}

int FormatContext::error_in(const SourceLine& src, const char* message, long long line, int column,
                            const char* note) const {
  def_error(options.name, message, line);
  quote_source(src, column, note, options.utf8_messages);
  return -1;
}

}  // namespace vesk
