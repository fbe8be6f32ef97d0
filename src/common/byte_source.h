// The reader of input files: large reads into one buffer, 64-bit positions
// counted from the start of the file, a look-ahead that takes nothing, and
// moves to any position by a seek where the input allows one, else (going
// forward) by reading. A pipe therefore reads the same as a file, as far as
// going forward goes. (The comparison, which takes regular files only, reads
// its blocks by position through compare/block_reader.)
#pragma once

#include <cstddef>
#include <memory>

namespace vesk {

class ByteSource {
 public:
  // name is used in the messages that a failed read or seek writes. The file
  // descriptor stays the caller's.
  ByteSource(int fd, const char* name);

  // Takes up to n bytes; fewer only at the end of the input, or after a
  // failed read (reported as "%s: read error\n"; failed() then tells).
  std::size_t read(unsigned char* dest, std::size_t n);
  // Copies up to n (at most kMaxPeek) of the next bytes without taking them.
  std::size_t peek(unsigned char* dest, std::size_t n);
  // Goes on at file position target. Going back in an input that cannot seek
  // is refused ("%s: cannot go back to offset %d in this input (not
  // seekable)\n"), as is a seek the system refuses ("%s: cannot seek\n"):
  // false after the message. A target past the end of the input is reached
  // (the next read finds nothing).
  bool seek(long long target);

  long long position() const { return offset_; }
  // The size of a regular file; -1 for any other input (a pipe, a device).
  long long regular_file_size() const;
  // The input's size when it is known: a regular file's, or where a read
  // met the end of any other input; -1 otherwise.
  long long known_size() const;
  bool seekable() const { return seekable_; }
  bool failed() const { return failed_; }
  const char* name() const { return name_; }
  int fd() const { return fd_; }

  static constexpr std::size_t kMaxPeek = 8;

 private:
  // Reads more after the unread bytes; false at the end of the input.
  bool fill();
  void drop_buffer();

  int fd_;
  const char* name_;
  std::unique_ptr<unsigned char[]> buf_;
  std::size_t cap_;
  std::size_t chunk_;    // bytes asked of the next read: small after a seek, growing while reading on
  std::size_t pos_ = 0;  // next unread byte
  std::size_t len_ = 0;  // bytes in the buffer
  long long offset_ = 0; // file position of buf_[pos_]
  long long end_ = -1;   // where a read met the end of the input
  bool eof_ = false;
  bool failed_ = false;
  bool seekable_ = false;
};

}  // namespace vesk
