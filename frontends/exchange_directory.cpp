#include "frontends/exchange_directory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>

namespace velk {

ExchangeDirectory ExchangeDirectory::Open(const char* overridePath, const char* runtimeDir,
                                          unsigned uid) {
  ExchangeDirectory directory;
  std::string& path = directory.path_;
  if (overridePath && *overridePath) {
    path = overridePath;
  } else if (runtimeDir && *runtimeDir) {
    path = std::string(runtimeDir) + "/velk";
  } else {
    path = "/tmp/velk-" + std::to_string(uid);
  }
  while (path.size() > 1 && path.back() == '/') path.pop_back();

  const auto refuse = [&directory](const std::string& why) {
    directory.error_ = directory.path_ + ": " + why;
    if (directory.fd_ >= 0) ::close(directory.fd_);
    directory.fd_ = -1;
    return std::move(directory);
  };
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return refuse(std::strerror(errno));
  // O_NOFOLLOW refuses a link in the last place; whatever sits there now is
  // what every later step uses, whatever the path names later.
  directory.fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (directory.fd_ < 0) {
    const int error = errno;
    struct stat named {};
    if (::lstat(path.c_str(), &named) == 0) {
      if (S_ISLNK(named.st_mode)) return refuse("is a symbolic link");
      if (!S_ISDIR(named.st_mode)) return refuse("is not a directory");
    }
    return refuse(std::strerror(error));
  }
  struct stat info {};
  if (::fstat(directory.fd_, &info) != 0) return refuse(std::strerror(errno));
  if (info.st_uid != uid) return refuse("is owned by another user");
  if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    return refuse("can be written by other users (chmod 700 makes it private)");
  }
  return directory;
}

ExchangeDirectory ExchangeDirectory::Open() {
  return Open(std::getenv("VELK_EXCHANGE_DIR"), std::getenv("XDG_RUNTIME_DIR"),
              static_cast<unsigned>(::getuid()));
}

ExchangeDirectory::~ExchangeDirectory() {
  if (fd_ >= 0) ::close(fd_);
}

ExchangeDirectory::ExchangeDirectory(ExchangeDirectory&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)),
      error_(std::move(other.error_)) {}

ExchangeDirectory& ExchangeDirectory::operator=(ExchangeDirectory&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
    error_ = std::move(other.error_);
  }
  return *this;
}

std::string ExchangeDirectory::Moved() const {
  if (fd_ < 0) return {};
  struct stat opened {
  }, named{};
  if (::fstat(fd_, &opened) == 0 && ::lstat(path_.c_str(), &named) == 0 &&
      opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
    return {};
  }
  return path_ + ": no longer the folder opened at start-up; the exchange stays in that folder";
}

namespace {

constexpr const char* kLockFileA = "VelkA.lock";
constexpr const char* kLockFileB = "VelkB.lock";

constexpr int kPartBusy = -1;    // another copy holds the part
constexpr int kNoLockFile = -2;  // the lock file cannot be had at all

// Opens a lock file in the folder and locks it: its descriptor, or one of
// the two failures above.
int LockPart(int dirFd, const char* name) {
  const int fd =
      ::openat(dirFd, name, O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  if (fd < 0) return kNoLockFile;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return kNoLockFile;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return busy ? kPartBusy : kNoLockFile;
  }
  return fd;
}

}  // namespace

RoleLock::RoleLock(const ExchangeDirectory& directory) : dirFd_(directory.Fd()) {
  if (dirFd_ < 0) {
    role_ = ExchangeRole::kA;
    return;
  }
  Retake();
}

RoleLock::~RoleLock() {
  if (fd_ >= 0) ::close(fd_);
}

ExchangeRole RoleLock::Retake() {
  if (role_ != ExchangeRole::kNone) return role_;
  for (const ExchangeRole part : {ExchangeRole::kA, ExchangeRole::kB}) {
    const int fd = LockPart(dirFd_, part == ExchangeRole::kA ? kLockFileA : kLockFileB);
    // A folder where no lock can be made (read-only, say) is one where
    // nothing can be delivered either: the copy plays A, as without a folder,
    // and its failures are told as they come.
    if (fd == kNoLockFile) return role_ = ExchangeRole::kA;
    if (fd >= 0) {
      fd_ = fd;
      return role_ = part;
    }
  }
  return role_;
}

}  // namespace velk
