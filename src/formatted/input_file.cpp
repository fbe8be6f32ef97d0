#include "formatted/input_file.h"

#include <sys/types.h>
#include <unistd.h>

#include "common/messages.h"
#include "output/writer.h"

namespace vesk {

void input_attach(InputFile& in, std::FILE* fp, const char* name) {
  in.fp = fp;
  in.name = name ? name : "";
  in.pos = 0;
  in.seekable = fp != nullptr && ::lseek(fileno(fp), 0, SEEK_CUR) != static_cast<off_t>(-1);
}

int input_seek(InputFile& in, long long target) {
  if (target == in.pos) return 0;
  if (in.seekable) {
    if (fseeko(in.fp, static_cast<off_t>(target), SEEK_SET) != 0) {
      errmsg("%s: cannot seek\n", in.name);
      return -1;
    }
    in.pos = target;
    return 0;
  }
  if (target < in.pos) {
    errmsg("%s: cannot go back to offset %d in this input (not seekable)\n", in.name,
           static_cast<int>(target));
    return -1;
  }
  unsigned char skip[4096];
  while (in.pos < target) {
    long long want = target - in.pos;
    std::size_t n = want < static_cast<long long>(sizeof skip) ? static_cast<std::size_t>(want) : sizeof skip;
    std::size_t got = std::fread(skip, 1, n, in.fp);
    in.pos += static_cast<long long>(got);
    if (got < n) {
      if (std::ferror(in.fp)) {
        errmsg("%s: read error\n", in.name);
        end_process(1);
      }
      // The end came first: the next read finds nothing, as after a seek past the end.
      in.pos = target;
      break;
    }
  }
  return 0;
}

int input_read(InputFile& in, unsigned char* buffer, int n) {
  if (n <= 0) return 0;
  std::size_t got = std::fread(buffer, 1, static_cast<std::size_t>(n), in.fp);
  if (got < static_cast<std::size_t>(n) && std::ferror(in.fp)) {
    errmsg("%s: read error\n", in.name);
    end_process(1);
  }
  in.pos += static_cast<long long>(got);
  return static_cast<int>(got);
}

}  // namespace vesk
