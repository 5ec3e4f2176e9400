#include "frontends/exchange_directory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace velk {

ExchangeDirectory FindExchangeDirectory(const char* overridePath, const char* runtimeDir,
                                        unsigned uid) {
  std::string path;
  if (overridePath && *overridePath) {
    path = overridePath;
  } else if (runtimeDir && *runtimeDir) {
    path = std::string(runtimeDir) + "/velk";
  } else {
    path = "/tmp/velk-" + std::to_string(uid);
  }
  while (path.size() > 1 && path.back() == '/') path.pop_back();

  const auto refuse = [&](const std::string& why) {
    return ExchangeDirectory{"", path + ": " + why};
  };
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) return refuse(std::strerror(errno));
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return refuse(std::strerror(errno));
    if (::lstat(path.c_str(), &info) != 0) return refuse(std::strerror(errno));
  }
  if (S_ISLNK(info.st_mode)) return refuse("is a symbolic link");
  if (!S_ISDIR(info.st_mode)) return refuse("is not a directory");
  if (info.st_uid != uid) return refuse("is owned by another user");
  return {path + "/", ""};
}

ExchangeDirectory FindExchangeDirectory() {
  return FindExchangeDirectory(std::getenv("VELK_EXCHANGE_DIR"), std::getenv("XDG_RUNTIME_DIR"),
                               static_cast<unsigned>(::getuid()));
}

InstanceLock::InstanceLock(const std::string& directory) {
  if (directory.empty()) return;
  const std::string path = directory + "velk.lock";
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) return;
  // Every copy holds a shared lock while it runs; a copy that can take the
  // lock exclusively for a moment is alone, and so first.
  first_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
  // Taking the shared lock fails only while another copy is in its own
  // exclusive moment; retry briefly.
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (::flock(fd_, LOCK_SH | LOCK_NB) == 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace velk
