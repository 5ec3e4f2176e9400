// Console input for tests: given bytes, read as from a file.
#ifndef VELK_TESTS_BYTES_INPUT_H_
#define VELK_TESTS_BYTES_INPUT_H_

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <string>

#include "frontends/line_reader.h"

namespace velk::testing {

// An in-memory file holding `bytes`, read from its start.
class BytesInput {
 public:
  explicit BytesInput(const std::string& bytes) : fd_(::memfd_create("input", MFD_CLOEXEC)) {
    EXPECT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::lseek(fd_, 0, SEEK_SET);
  }
  ~BytesInput() { ::close(fd_); }
  BytesInput(const BytesInput&) = delete;
  BytesInput& operator=(const BytesInput&) = delete;

  int Fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace velk::testing

#endif  // VELK_TESTS_BYTES_INPUT_H_
