// Where the exchange files lie, and which part each running copy plays.
#ifndef VELK_FRONTENDS_EXCHANGE_DIRECTORY_H_
#define VELK_FRONTENDS_EXCHANGE_DIRECTORY_H_

#include <string>

namespace velk {

// The private folder of the exchange, opened once. The folder is checked
// through its descriptor and every later step works relative to that
// descriptor, so a path swapped for a link after start-up sends nothing
// elsewhere.
class ExchangeDirectory {
 public:
  // VELK_EXCHANGE_DIR when given; otherwise $XDG_RUNTIME_DIR/velk, or
  // /tmp/velk-<uid> without it, created with mode 0700 when missing. Refused
  // (Usable() false, Error() saying why) when it is a symbolic link, not a
  // directory, not owned by `uid`, or writable by its group or others: then
  // someone else could plant, swap or read the exchange files.
  static ExchangeDirectory Open(const char* overridePath, const char* runtimeDir, unsigned uid);
  // The folder of this process, from its environment.
  static ExchangeDirectory Open();

  ExchangeDirectory() = default;  // refused, with no reason
  ~ExchangeDirectory();
  ExchangeDirectory(ExchangeDirectory&& other) noexcept;
  ExchangeDirectory& operator=(ExchangeDirectory&& other) noexcept;

  bool Usable() const { return fd_ >= 0; }
  int Fd() const { return fd_; }  // -1 when refused
  const std::string& Path() const { return path_; }
  const std::string& Error() const { return error_; }  // "<path>: <why>" when refused

  // Empty while Path() still names the folder that was opened; otherwise a
  // line saying that it no longer does (the exchange stays where it was).
  std::string Moved() const;

 private:
  int fd_ = -1;
  std::string path_;
  std::string error_;
};

// The parts a copy can play. A writes "VelkA.ini", reads "VelkB.ini", plays
// Tavro and logs; B the other way round and plays Velk. kNone: both parts are
// taken by running copies.
enum class ExchangeRole { kNone, kA, kB };

// Holds one part in a folder for as long as it lives: a lock file per part
// ("VelkA.lock", "VelkB.lock"), locked by the copy playing it. The kernel
// drops a lock when its copy ends, crashed or not, so a part is never held by
// a dead copy. Only exchange copies take these locks: a chat running in the
// same folder has no say in who is first.
class RoleLock {
 public:
  // Takes A if it is free, else B; a folder that is not usable gives A (the
  // copy then delivers nothing anyway).
  explicit RoleLock(const ExchangeDirectory& directory);
  ~RoleLock();
  RoleLock(const RoleLock&) = delete;
  RoleLock& operator=(const RoleLock&) = delete;

  ExchangeRole Role() const { return role_; }
  // Without a part, tries again to take one; returns the part now held.
  ExchangeRole Retake();

 private:
  int dirFd_;
  int fd_ = -1;
  ExchangeRole role_ = ExchangeRole::kNone;
};

}  // namespace velk

#endif  // VELK_FRONTENDS_EXCHANGE_DIRECTORY_H_
