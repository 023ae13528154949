// The file-backed registry: a registration survives into a later run, a key is deleted
// with its subtree, and a path that cannot be written makes the operations fail.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "ddlib/registry.h"

namespace {

namespace fs = std::filesystem;

class RegistryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("dtm-registry-test-" + std::to_string(getpid()));
    fs::create_directories(m_dir);
    m_path = (m_dir / "hive.txt").string();
  }
  void TearDown() override { fs::remove_all(m_dir); }

  fs::path m_dir;
  std::string m_path;
};

TEST_F(RegistryFile, ValuesSurviveIntoAnotherInstance) {
  const std::string key = "SOFTWARE\\Maker\\PB\\DTMs\\E16\\Analyser";
  const std::string awkward = "a=b\n[x]\\y \xFC  ";  // separators, escapes, Latin-1, trailing blanks
  {
    auto registry = ddlib::OpenFileRegistry(m_path);
    ASSERT_TRUE(registry->createKey(key));
    EXPECT_TRUE(registry->setString(key, "DLLPATH", awkward));
    EXPECT_TRUE(registry->setString(key, "", "default value"));
    EXPECT_TRUE(registry->setNumber(key, "BottomBarStyle", 4294967295u));
  }
  auto again = ddlib::OpenFileRegistry(m_path);
  EXPECT_TRUE(again->keyExists("SOFTWARE\\Maker"));  // parents made on the way
  EXPECT_EQ(again->getValue(key, "DLLPATH"), ddlib::RegistryValue(awkward));
  EXPECT_EQ(again->getValue(key, ""), ddlib::RegistryValue(std::string("default value")));
  EXPECT_EQ(again->getValue(key, "BottomBarStyle"), ddlib::RegistryValue(4294967295u));
  EXPECT_FALSE(again->getValue(key, "missing"));
  EXPECT_EQ(again->snapshot().size(), 6u);
}

TEST_F(RegistryFile, DeleteKeyTakesItsSubtreeOnly) {
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_TRUE(registry->createKey("S\\A\\B\\C"));
  ASSERT_TRUE(registry->createKey("S\\AB"));  // shares a prefix with S\A, not a child of it
  ASSERT_TRUE(registry->setNumber("S\\A\\B", "n", 1));
  EXPECT_TRUE(registry->deleteKey("S\\A"));
  EXPECT_FALSE(registry->keyExists("S\\A"));
  EXPECT_FALSE(registry->keyExists("S\\A\\B\\C"));
  EXPECT_TRUE(registry->keyExists("S\\AB"));
  EXPECT_TRUE(registry->keyExists("S"));
  EXPECT_FALSE(registry->deleteKey("S\\A"));  // already gone
}

TEST_F(RegistryFile, ValuesGoIntoExistingKeysOnly) {
  auto registry = ddlib::OpenFileRegistry(m_path);
  EXPECT_FALSE(registry->setString("No\\Such\\Key", "v", "x"));
  EXPECT_FALSE(registry->keyExists("No"));
}

TEST_F(RegistryFile, UnusablePathsFail) {
  struct Case {
    const char* what;
    std::string path;
  };
  std::ofstream(m_path) << "not a hive line\n";
  const Case cases[] = {
      {"directory missing", (m_dir / "missing" / "hive.txt").string()},
      {"path is a directory", m_dir.string()},
      {"malformed file", m_path},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto registry = ddlib::OpenFileRegistry(c.path);
    EXPECT_FALSE(registry->createKey("SOFTWARE\\X"));
    EXPECT_FALSE(registry->keyExists("SOFTWARE\\X"));
    EXPECT_TRUE(registry->snapshot().empty());
  }
}

TEST_F(RegistryFile, LocalMachineRegistryCanBeReplaced) {
  auto file = ddlib::OpenFileRegistry(m_path);
  ddlib::SetLocalMachineRegistry(file.get());
  EXPECT_EQ(ddlib::LocalMachineRegistry(), file.get());
  ddlib::SetLocalMachineRegistry(nullptr);
  EXPECT_NE(ddlib::LocalMachineRegistry(), file.get());
}

}  // namespace
