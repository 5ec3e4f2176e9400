#include "frontends/exchange_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace velk {
namespace {

class ExchangeDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velk-dir-XXXXXX";
    root = ::mkdtemp(pattern);
  }
  void TearDown() override { std::system(("rm -rf " + root).c_str()); }
  ExchangeDirectory Find(const std::string& overridePath, const std::string& runtime = "") {
    return FindExchangeDirectory(overridePath.empty() ? nullptr : overridePath.c_str(),
                                 runtime.empty() ? nullptr : runtime.c_str(), ::getuid());
  }

  std::string root;
};

TEST_F(ExchangeDirectoryTest, CreatesTheRuntimeFolderPrivately) {
  const ExchangeDirectory found = Find("", root);
  EXPECT_EQ(root + "/velk/", found.Path);
  EXPECT_EQ("", found.Error);
  struct stat info {};
  ASSERT_EQ(0, ::stat((root + "/velk").c_str(), &info));
  EXPECT_EQ(0700u, info.st_mode & 0777u);
}

TEST_F(ExchangeDirectoryTest, OverrideWinsAndKeepsAnExistingFolder) {
  EXPECT_EQ(root + "/", Find(root + "///", "/elsewhere").Path);
}

TEST_F(ExchangeDirectoryTest, FallsBackOnAFolderNamedForTheUser) {
  const ExchangeDirectory found = FindExchangeDirectory(nullptr, nullptr, 4242424242u);
  EXPECT_EQ("/tmp/velk-4242424242: is owned by another user",
            found.Error.empty() ? found.Path : found.Error);
  ::rmdir("/tmp/velk-4242424242");
}

TEST_F(ExchangeDirectoryTest, RefusesLinksFilesAndMissingParents) {
  ASSERT_EQ(0, ::symlink(root.c_str(), (root + "/link").c_str()));
  std::ofstream(root + "/file") << "x";
  static const struct {
    const char* Name;
    const char* Why;
  } kCases[] = {
      {"/link", "is a symbolic link"},
      {"/file", "is not a directory"},
      {"/missing/deeper", "No such file or directory"},
  };
  for (const auto& c : kCases) {
    const ExchangeDirectory found = Find(root + c.Name);
    EXPECT_EQ("", found.Path) << c.Name;
    EXPECT_EQ(root + c.Name + ": " + c.Why, found.Error) << c.Name;
  }
}

TEST_F(ExchangeDirectoryTest, TheFirstCopyToLockIsFirstUntilItEnds) {
  const std::string dir = root + "/";
  {
    InstanceLock first(dir);
    EXPECT_TRUE(first.First());
    InstanceLock second(dir);
    EXPECT_FALSE(second.First());
    InstanceLock third(dir);
    EXPECT_FALSE(third.First());
  }
  InstanceLock later(dir);
  EXPECT_TRUE(later.First());
  InstanceLock none("");
  EXPECT_TRUE(none.First());
}

}  // namespace
}  // namespace velk
