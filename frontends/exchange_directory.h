// Where the exchange files lie, and who got there first.
#ifndef VELK_FRONTENDS_EXCHANGE_DIRECTORY_H_
#define VELK_FRONTENDS_EXCHANGE_DIRECTORY_H_

#include <string>

namespace velk {

struct ExchangeDirectory {
  std::string Path;   // ends with "/"; empty when refused
  std::string Error;  // why it was refused, for one line on standard error
};

// VELK_EXCHANGE_DIR when given; otherwise $XDG_RUNTIME_DIR/velk/, or
// /tmp/velk-<uid>/ without it. The folder is created with mode 0700 and
// refused when it is a symbolic link, not a directory, or not owned by the
// user, so that nobody else can plant or read the exchange files.
ExchangeDirectory FindExchangeDirectory(const char* overridePath, const char* runtimeDir,
                                        unsigned uid);

// The directory for this process, from its environment.
ExchangeDirectory FindExchangeDirectory();

// A lock every running copy of the program holds in the exchange directory.
// The kernel drops it when a copy ends, crashed or not, so a dead copy never
// makes later ones think they are second.
class InstanceLock {
 public:
  // Takes the lock in `directory` (empty: no lock, and this copy counts as
  // first). First() tells whether no other copy held it.
  explicit InstanceLock(const std::string& directory);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  bool First() const { return first_; }

 private:
  int fd_ = -1;
  bool first_ = true;
};

}  // namespace velk

#endif  // VELK_FRONTENDS_EXCHANGE_DIRECTORY_H_
