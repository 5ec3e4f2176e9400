#include "frontends/exchange_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>

namespace velk {
namespace {

class ExchangeDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velk-dir-XXXXXX";
    root = ::mkdtemp(pattern);
  }
  void TearDown() override { std::system(("rm -rf " + root).c_str()); }
  ExchangeDirectory Open(const std::string& overridePath, const std::string& runtime = "") {
    return ExchangeDirectory::Open(overridePath.empty() ? nullptr : overridePath.c_str(),
                                   runtime.empty() ? nullptr : runtime.c_str(), ::getuid());
  }

  std::string root;
};

TEST_F(ExchangeDirectoryTest, CreatesTheRuntimeFolderPrivately) {
  const ExchangeDirectory found = Open("", root);
  EXPECT_TRUE(found.Usable());
  EXPECT_EQ(root + "/velk", found.Path());
  EXPECT_EQ("", found.Error());
  struct stat info {};
  ASSERT_EQ(0, ::stat((root + "/velk").c_str(), &info));
  EXPECT_EQ(0700u, info.st_mode & 0777u);
}

TEST_F(ExchangeDirectoryTest, OverrideWinsAndKeepsAnExistingFolder) {
  const ExchangeDirectory found = Open(root + "///", "/elsewhere");
  EXPECT_TRUE(found.Usable());
  EXPECT_EQ(root, found.Path());
}

TEST_F(ExchangeDirectoryTest, FallsBackOnAFolderNamedForTheUser) {
  const ExchangeDirectory found = ExchangeDirectory::Open(nullptr, nullptr, 4242424242u);
  EXPECT_FALSE(found.Usable());
  EXPECT_EQ("/tmp/velk-4242424242: is owned by another user", found.Error());
  ::rmdir("/tmp/velk-4242424242");
}

TEST_F(ExchangeDirectoryTest, RefusesWhatOthersCouldWriteOrRedirect) {
  ASSERT_EQ(0, ::symlink(root.c_str(), (root + "/link").c_str()));
  std::ofstream(root + "/file") << "x";
  for (const char* name : {"/open", "/shared"}) ASSERT_EQ(0, ::mkdir((root + name).c_str(), 0700));
  ASSERT_EQ(0, ::chmod((root + "/open").c_str(), 0777));
  ASSERT_EQ(0, ::chmod((root + "/shared").c_str(), 0770));
  static const struct {
    const char* Name;
    const char* Why;
  } kCases[] = {
      {"/link", "is a symbolic link"},
      {"/file", "is not a directory"},
      {"/missing/deeper", "No such file or directory"},
      {"/open", "can be written by other users (chmod 700 makes it private)"},
      {"/shared", "can be written by other users (chmod 700 makes it private)"},
  };
  for (const auto& c : kCases) {
    const ExchangeDirectory found = Open(root + c.Name);
    EXPECT_FALSE(found.Usable()) << c.Name;
    EXPECT_EQ(root + c.Name + ": " + c.Why, found.Error()) << c.Name;
  }
}

TEST_F(ExchangeDirectoryTest, APathSwappedAfterStartUpIsNoticedNotFollowed) {
  const std::string path = root + "/x";
  ASSERT_EQ(0, ::mkdir(path.c_str(), 0700));
  const ExchangeDirectory opened = Open(path);
  ASSERT_TRUE(opened.Usable());
  EXPECT_EQ("", opened.Moved());

  ASSERT_EQ(0, ::rename(path.c_str(), (root + "/moved").c_str()));
  ASSERT_EQ(0, ::symlink("/tmp", path.c_str()));
  EXPECT_EQ(path + ": no longer the folder opened at start-up; the exchange stays in that folder",
            opened.Moved());
  // The descriptor still names the folder opened, wherever it went.
  struct stat viaDescriptor {
  }, moved{};
  ASSERT_EQ(0, ::fstat(opened.Fd(), &viaDescriptor));
  ASSERT_EQ(0, ::stat((root + "/moved").c_str(), &moved));
  EXPECT_EQ(moved.st_ino, viaDescriptor.st_ino);
}

// Only exchange copies take parts: the first A, the second B, a third none
// until one of them ends.
TEST_F(ExchangeDirectoryTest, PartsGoToTheFirstTwoCopiesAndFreeWhenOneEnds) {
  const ExchangeDirectory folder = Open(root);
  auto first = std::make_unique<RoleLock>(folder);
  RoleLock second(folder);
  RoleLock third(folder);
  EXPECT_EQ(ExchangeRole::kA, first->Role());
  EXPECT_EQ(ExchangeRole::kB, second.Role());
  EXPECT_EQ(ExchangeRole::kNone, third.Role());
  EXPECT_EQ(ExchangeRole::kNone, third.Retake());

  first.reset();
  EXPECT_EQ(ExchangeRole::kA, third.Retake());
  EXPECT_EQ(ExchangeRole::kA, third.Role());
  EXPECT_EQ(ExchangeRole::kB, second.Retake());  // a part once held stays

  EXPECT_EQ(ExchangeRole::kA, RoleLock(ExchangeDirectory()).Role());
}

// Where no lock can be made, nobody is talking: the copy plays A (and its
// writes will fail and say why) rather than stand by for ever.
TEST_F(ExchangeDirectoryTest, AFolderWithoutLocksGivesPartA) {
  ASSERT_EQ(0, ::mkdir((root + "/VelkA.lock").c_str(), 0700));
  const ExchangeDirectory folder = Open(root);
  EXPECT_EQ(ExchangeRole::kA, RoleLock(folder).Role());
}

}  // namespace
}  // namespace velk
