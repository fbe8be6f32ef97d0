// For the unit tests: input files held in memory, for a ByteSource to read.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <string>

namespace vesk::test_support {

// A file descriptor of an unnamed file holding bytes, read from its start.
// The caller closes it.
inline int memory_file(const std::string& bytes) {
  int fd = memfd_create("vesk-test", 0);
  if (fd < 0) return -1;
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t k = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (k <= 0) break;
    done += static_cast<std::size_t>(k);
  }
  ::lseek(fd, 0, SEEK_SET);
  return fd;
}

// Closes the file when it goes.
struct MemoryFile {
  explicit MemoryFile(const std::string& bytes) : fd(memory_file(bytes)) {}
  ~MemoryFile() {
    if (fd >= 0) ::close(fd);
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  int fd;
};

}  // namespace vesk::test_support
