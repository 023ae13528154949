// The file-backed registry: a registration survives into a later run, a key with
// subkeys is not deleted, a registration is one change that no reader, killed writer or
// planted path can split, the file keeps its owner, mode, ACL and attributes, no other
// user reads or stalls it, a refused change leaves nothing behind, and a path that
// cannot be written makes the operations fail.
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstring>
#include <csignal>
#include <functional>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "ddlib/registry.h"
#include "module/registration.h"
#include "registry/testing.h"
#include "support/sanitizer.h"

namespace {

namespace fs = std::filesystem;

// Runs `body` in a child process, as user nobody when the test runs as root; true when
// the body answered true.
pid_t Spawn(const std::function<bool()>& body) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  const passwd* nobody = getpwnam("nobody");
  if (geteuid() == 0 && (!nobody || setgroups(0, nullptr) != 0 || setresgid(nobody->pw_gid, nobody->pw_gid, nobody->pw_gid) != 0 ||
                         setresuid(nobody->pw_uid, nobody->pw_uid, nobody->pw_uid) != 0))
    _exit(2);
  bool ok = false;
  try {  // nothing the body throws may run on into the parent's tests
    ok = body();
  } catch (...) {
  }
  _exit(ok ? 0 : 1);
}

// A child, as Spawn, that has done `take` (to hold a lock) and then waits ten seconds
// at most; -1 when `take` failed.
pid_t Hold(const std::function<bool()>& take) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  pid_t pid = Spawn([&] { return take() && write(ready[1], "x", 1) == 1 && sleep(10) == 0; });
  close(ready[1]);  // a child that fails ends the read instead of leaving it waiting
  char byte = 0;
  bool held = read(ready[0], &byte, 1) == 1;
  close(ready[0]);
  if (!held && pid > 0) waitpid(pid, nullptr, 0);
  return held ? pid : -1;
}

bool Succeeded(pid_t pid) {
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Why the tests that need another user cannot run: as root, user nobody must reach
// FOLDER, which a private temporary folder (mode 0700) bars. Empty where they can run.
std::string OtherUserBarred(const fs::path& folder) {
  if (geteuid() != 0) return {};
  if (!getpwnam("nobody")) return "there is no user nobody to run as";
  if (Succeeded(Spawn([&] { return access(folder.c_str(), X_OK) == 0; }))) return {};
  return "user nobody cannot reach " + folder.string() + " (a private temporary folder?)";
}

class RegistryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("dtm-registry-test-" + std::to_string(getpid()));
    fs::create_directories(m_dir);
    // Open to the other user that some tests run as, whatever the umask.
    fs::permissions(m_dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
    m_path = (m_dir / "hive.txt").string();
  }
  void TearDown() override {
    ddlib::SetRegistryCopyHook(nullptr);
    fs::remove_all(m_dir);
  }

  int TempFiles() const {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(m_dir))
      count += entry.path().filename().string().find(".tmp") != std::string::npos;
    return count;
  }

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
  EXPECT_EQ(again->snapshot()->size(), 6u);
}

// Like the real registry's, a key deletion refuses a key with subkeys (a prefix is no
// subkey); unregistering then deletes nothing, fails and says why, and with no key at
// all it succeeds.
TEST_F(RegistryFile, AKeyWithSubkeysIsNotDeleted) {
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_TRUE(registry->createKey("S\\A\\B"));
  ASSERT_TRUE(registry->createKey("S\\AB"));  // sorts between S\A and S\A\B
  EXPECT_FALSE(registry->deleteKey("S\\A"));
  EXPECT_TRUE(registry->keyExists("S\\A\\B"));
  EXPECT_TRUE(registry->deleteKey("S\\A\\B"));
  EXPECT_TRUE(registry->deleteKey("S\\A"));
  EXPECT_TRUE(registry->keyExists("S\\AB"));
  EXPECT_FALSE(registry->deleteKey("S\\A"));  // already gone

  const std::string channel = RegistrationKey() + "\\Channels\\1";
  ASSERT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0);
  ASSERT_TRUE(registry->createKey(channel));
  ASSERT_TRUE(registry->setNumber(channel, "Address", 7));
  auto before = registry->snapshot();
  EXPECT_EQ(Unregister(*registry), kRegistrationFailed);
  EXPECT_NE(registry->lastMessage().find("has subkeys"), std::string::npos) << registry->lastMessage();
  EXPECT_EQ(registry->snapshot(), before);
  ASSERT_TRUE(registry->deleteKey(channel));
  ASSERT_TRUE(registry->deleteKey(RegistrationKey() + "\\Channels"));
  EXPECT_EQ(Unregister(*registry), 0);
  EXPECT_EQ(Unregister(*registry), 0);
  EXPECT_FALSE(registry->keyExists(RegistrationKey()));
}

TEST_F(RegistryFile, ValuesGoIntoExistingKeysOnly) {
  auto registry = ddlib::OpenFileRegistry(m_path);
  EXPECT_FALSE(registry->setString("No\\Such\\Key", "v", "x"));
  EXPECT_FALSE(registry->keyExists("No"));
}

// A file that cannot be read or parsed is never taken as an empty hive: every change
// fails and leaves it as it was.
TEST_F(RegistryFile, UnusablePathsFail) {
  struct Case {
    const char* what;
    std::string path;
    bool readable;  // reads as an empty hive
  };
  const std::string malformed = "[SOFTWARE\\\\X]\nkept=n:1\ngarbage\n";  // key SOFTWARE\X, then a bad line
  std::ofstream(m_path) << malformed;
  const std::string tooBig = (m_dir / "big.txt").string();
  std::ofstream(tooBig) << "[K]\nv=n:4294967296\n";
  const std::string huge = (m_dir / "huge.txt").string();
  std::ofstream(huge) << std::string(ddlib::kRegistryFileLimit + 1, '\n');  // an empty hive, but too large
  const Case cases[] = {
      {"directory missing", (m_dir / "missing" / "hive.txt").string(), true},
      {"path is a directory", m_dir.string(), false},
      {"malformed line after keys", m_path, false},
      {"number out of range", tooBig, false},
      {"above the size limit", huge, false},
      {"a file's name followed by a slash", m_path + "/", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto registry = ddlib::OpenFileRegistry(c.path);
    EXPECT_FALSE(registry->createKey("SOFTWARE\\Y"));
    EXPECT_FALSE(registry->deleteKey("SOFTWARE\\X"));
    EXPECT_FALSE(registry->setNumber("SOFTWARE\\X", "kept", 2));
    EXPECT_FALSE(registry->keyExists("SOFTWARE\\X"));
    std::optional<ddlib::RegistryKeys> keys = registry->snapshot();
    EXPECT_EQ(keys.has_value(), c.readable);
    EXPECT_TRUE(!keys || keys->empty());
  }
  std::ifstream in(m_path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), malformed);
  EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 3);  // nothing made beside
}

std::string Bytes(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

// A step refused late in an edit leaves the file byte for byte as it was: the steps
// before it are not saved either.
TEST_F(RegistryFile, ARefusedStepLeavesTheFileAsItWas) {
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_TRUE(registry->apply(ddlib::RegistryEdit().createKey("K\\Sub").setNumber("K", "n", 1)));
  const std::string before = Bytes(m_path);
  ddlib::RegistryEdit edit;
  edit.createKey("New").setString("New", "v", "x").setNumber("K", "n", 2);
  EXPECT_FALSE(registry->apply(ddlib::RegistryEdit(edit).setNumber("Missing", "v", 1)));
  EXPECT_FALSE(registry->apply(ddlib::RegistryEdit(edit).deleteKey("K")));
  // as is a change that would grow the file past what can be read back
  EXPECT_FALSE(registry->setString("K", "big", std::string(ddlib::kRegistryFileLimit, 'x')));
  EXPECT_EQ(Bytes(m_path), before);
  EXPECT_EQ(TempFiles(), 0);
}

// Ten processes change the same file at once: every change succeeds and none is lost,
// also not another writer's key.
TEST_F(RegistryFile, ConcurrentChangesFromProcessesAreAllKept) {
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_TRUE(registry->createKey("SOFTWARE\\Other"));
  ASSERT_TRUE(registry->setString("SOFTWARE\\Other", "Keep", "me"));
  constexpr int kWriters = 10, kValues = 5;
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      auto own = ddlib::OpenFileRegistry(m_path);
      const std::string key = "SOFTWARE\\Maker\\D" + std::to_string(w);
      bool ok = own->createKey(key);
      for (int v = 0; v < kValues; ++v) ok = own->setNumber(key, std::string("v").append(std::to_string(v)), v) && ok;
      _exit(ok ? 0 : 1);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  std::optional<ddlib::RegistryKeys> keys = registry->snapshot();
  ASSERT_TRUE(keys);
  EXPECT_EQ(registry->getValue("SOFTWARE\\Other", "Keep"), ddlib::RegistryValue(std::string("me")));
  for (int w = 0; w < kWriters; ++w) EXPECT_EQ((*keys)["SOFTWARE\\Maker\\D" + std::to_string(w)].size(), 5u) << w;
  for (const auto& entry : fs::directory_iterator(m_dir))  // no temporary file left behind
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}

// A write replaces the file by a rename: it never writes through a link placed where
// a temporary file might go, keeps the file's mode, and replaces a linked file's
// target while the link stays.
TEST_F(RegistryFile, WritesKeepLinksAndModes) {
  const std::string victim = (m_dir / "victim").string();
  std::ofstream(victim) << "untouched";
  fs::create_symlink(victim, m_path + ".tmp");
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_TRUE(registry->createKey("K"));
  ASSERT_EQ(chmod(m_path.c_str(), 0600), 0);
  ASSERT_TRUE(registry->setNumber("K", "n", 1));
  std::stringstream victimText;
  victimText << std::ifstream(victim).rdbuf();
  EXPECT_EQ(victimText.str(), "untouched");
  EXPECT_EQ(fs::status(m_path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

  const std::string link = (m_dir / "link.txt").string();
  fs::create_symlink("hive.txt", link);  // relative, as users make them
  auto linked = ddlib::OpenFileRegistry(link);
  ASSERT_TRUE(linked->createKey("L"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(registry->keyExists("L"));
  EXPECT_TRUE(registry->keyExists("K"));
}

// The device key as a reader may see it: absent, or with all five values.
bool Whole(const ddlib::RegistryKeys& keys) {
  auto key = keys.find(RegistrationKey());
  return key == keys.end() || key->second.size() == 5;
}

// Writers killed at random points of a registration leave the hive before or after
// it, and at most one temporary file, which the next change takes.
TEST_F(RegistryFile, KilledWritersLeaveTheOldOrTheNewHive) {
  auto registry = ddlib::OpenFileRegistry(m_path);
  std::mt19937 random(static_cast<unsigned>(::testing::UnitTest::GetInstance()->random_seed()));
  for (int round = 0; round < 80; ++round) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      auto own = ddlib::OpenFileRegistry(m_path);
      for (;;) {
        Register(*own, "/x/libdtmplugin.so");
        Unregister(*own);
      }
    }
    usleep(random() % 4000);
    kill(pid, SIGKILL);
    ASSERT_EQ(waitpid(pid, nullptr, 0), pid);
    std::optional<ddlib::RegistryKeys> keys = registry->snapshot();
    ASSERT_TRUE(keys) << round;
    EXPECT_TRUE(Whole(*keys)) << round;
    EXPECT_LE(TempFiles(), 1) << round;
  }
  ASSERT_TRUE(registry->createKey("K"));
  EXPECT_EQ(TempFiles(), 0);
}

// A reader beside processes that register and unregister sees the key whole or not at
// all, and every registration answers success.
TEST_F(RegistryFile, ReaderBesideRegistrationsNeverSeesAHalfKey) {
  auto registry = ddlib::OpenFileRegistry(m_path);
  std::vector<pid_t> children;
  for (int w = 0; w < 4; ++w) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      auto own = ddlib::OpenFileRegistry(m_path);
      bool ok = true;
      for (int i = 0; i < 15; ++i) {
        ok = Register(*own, "/x/libdtmplugin.so") == 0 && ok;
        Unregister(*own);  // may find the key gone, or already back from another writer
      }
      _exit(ok ? 0 : 1);
    }
    children.push_back(pid);
  }
  int reads = 0, halves = 0, running = static_cast<int>(children.size());
  while (running > 0) {  // no assertion may leave the writers running
    std::optional<ddlib::RegistryKeys> keys = registry->snapshot();
    halves += !keys || !Whole(*keys);
    ++reads;
    for (pid_t& pid : children) {
      int status = 0;
      if (pid > 0 && waitpid(pid, &status, WNOHANG) == pid) {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        pid = 0;
        --running;
      }
    }
  }
  EXPECT_EQ(halves, 0) << "of " << reads << " reads";
}

// A FIFO or a device is no registry, directly or as a link's target: every operation
// fails at once, nothing waits for a writer, nothing is made beside.
TEST_F(RegistryFile, NonRegularPathsFailAtOnce) {
  const std::string fifo = (m_dir / "fifo.txt").string();
  const std::string toFifo = (m_dir / "to-fifo.txt").string();
  const std::string toDevice = (m_dir / "to-device.txt").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink(fifo, toFifo);
  fs::create_symlink("/dev/null", toDevice);
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    bool ok = true;
    for (const std::string& path : {fifo, toFifo, toDevice}) {
      auto registry = ddlib::OpenFileRegistry(path);
      ok = ok && !registry->snapshot() && !registry->createKey("K") && !registry->deleteKey("K") &&
           Register(*registry, "/x/libdtmplugin.so") != 0;
    }
    _exit(ok ? 0 : 1);
  }
  int status = 0;
  for (int waited = 0; waited < 100 && waitpid(pid, &status, WNOHANG) == 0; ++waited) usleep(10000);
  if (kill(pid, SIGKILL) == 0 && waitpid(pid, &status, WNOHANG) != pid) {
    waitpid(pid, &status, 0);
    FAIL() << "an operation on a non-regular path still waits after a second";
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 3);  // nothing made beside
}

// A link that another user planted in a sticky, world-writable folder is not followed
// (nothing is created, neither the target nor a lock); one in a folder that only its
// group may write is, as the kernel follows it, and so is a link owned by the folder's
// owner.
TEST_F(RegistryFile, AnotherUsersLinkInAStickyFolderIsNotFollowed) {
  if (geteuid() != 0) GTEST_SKIP() << "planting a link as another user needs root (lchown)";
  const fs::path shared = m_dir / "shared";
  const fs::path target = m_dir / "chosen.txt";
  const fs::path link = shared / "hive.txt";
  fs::create_directory(shared);
  ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
  fs::create_symlink(target, link);
  constexpr uid_t kOther = 4242;
  ASSERT_EQ(lchown(link.c_str(), kOther, kOther), 0);
  auto registry = ddlib::OpenFileRegistry(link.string());
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_FALSE(registry->snapshot());
  EXPECT_FALSE(fs::exists(fs::symlink_status(target)));
  EXPECT_FALSE(fs::exists(fs::symlink_status(target.string() + ".lock")));
  EXPECT_EQ(std::distance(fs::directory_iterator(shared), fs::directory_iterator()), 1);

  const fs::path folderLink = shared / "folder";  // a link as a folder on the way
  fs::create_directory(m_dir / "real");
  fs::create_directory_symlink(m_dir / "real", folderLink);
  ASSERT_EQ(lchown(folderLink.c_str(), kOther, kOther), 0);
  EXPECT_EQ(Register(*ddlib::OpenFileRegistry((folderLink / "hive.txt").string()), "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_TRUE(fs::is_empty(m_dir / "real"));

  ASSERT_EQ(chmod(shared.c_str(), 01775), 0);  // the rule for links spares a folder shared with its group only
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0) << registry->lastMessage();
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
  ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
  ASSERT_EQ(chown(shared.c_str(), kOther, kOther), 0);
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0);
}

// A change keeps the file's owner, group and permission bits and drops set-id bits;
// the owner may still change the file that root changed; a user who may not write the
// file changes nothing, though the folder lets him replace it; a new file has the owner
// and group the kernel gives it, and its maker may change it again.
TEST_F(RegistryFile, OwnerGroupAndModeAreKept) {
  if (geteuid() != 0) GTEST_SKIP() << "giving the file to another user needs root";
  if (std::string why = OtherUserBarred(m_dir); !why.empty()) GTEST_SKIP() << why;
  const passwd* nobody = getpwnam("nobody");
  ASSERT_TRUE(nobody);
  ASSERT_EQ(chmod(m_dir.c_str(), 0777), 0);
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_TRUE(registry->createKey("K"));
  ASSERT_EQ(chown(m_path.c_str(), nobody->pw_uid, 4242), 0);
  ASSERT_EQ(chmod(m_path.c_str(), 06640), 0);
  ASSERT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0);
  struct stat st {};
  ASSERT_EQ(stat(m_path.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, nobody->pw_uid);
  EXPECT_EQ(st.st_gid, 4242u);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  ASSERT_EQ(chown(m_path.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  const std::string rootsFile = (m_dir / "roots.txt").string(), readOnly = (m_dir / "read-only.txt").string();
  for (const std::string& path : {rootsFile, readOnly}) ASSERT_TRUE(ddlib::OpenFileRegistry(path)->createKey("K"));
  ASSERT_EQ(chown(readOnly.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
  const std::string rootsBytes = Bytes(rootsFile);
  EXPECT_TRUE(Succeeded(Spawn([&] {
    return Unregister(*ddlib::OpenFileRegistry(m_path)) == 0 &&
           Register(*ddlib::OpenFileRegistry(rootsFile), "/x/libdtmplugin.so") == kRegistrationFailed &&
           Register(*ddlib::OpenFileRegistry(readOnly), "/x/libdtmplugin.so") == kRegistrationFailed;
  })));
  EXPECT_FALSE(registry->keyExists(RegistrationKey()));
  EXPECT_EQ(Bytes(rootsFile), rootsBytes);
  EXPECT_FALSE(ddlib::OpenFileRegistry(readOnly)->keyExists(RegistrationKey()));
  ASSERT_EQ(stat(rootsFile.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);

  // A new file takes what the kernel gives: here the set-group-id folder's group.
  const fs::path inherit = m_dir / "inherit";
  fs::create_directory(inherit);
  ASSERT_EQ(chown(inherit.c_str(), 0, 4243), 0);
  ASSERT_EQ(chmod(inherit.c_str(), 02777), 0);
  const std::string made = (inherit / "hive.txt").string();
  EXPECT_TRUE(Succeeded(Spawn([&] {
    return Register(*ddlib::OpenFileRegistry(made), "/x/libdtmplugin.so") == 0 &&
           Register(*ddlib::OpenFileRegistry(made), "/y/libdtmplugin.so") == 0;
  })));
  ASSERT_EQ(stat(made.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, nobody->pw_uid);
  EXPECT_EQ(st.st_gid, 4243u);
}

// Another user, reading the folder all along, never opens a temporary copy of a file
// that only its owner may read.
TEST_F(RegistryFile, AnotherUserNeverReadsTheTemporaryCopy) {
  if (geteuid() != 0) GTEST_SKIP() << "reading as another user needs root";
  if (std::string why = OtherUserBarred(m_dir); !why.empty()) GTEST_SKIP() << why;
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_TRUE(registry->apply(ddlib::RegistryEdit().createKey("K").setString("K", "secret", "s3cret")));
  ASSERT_EQ(chmod(m_path.c_str(), 0600), 0);
  const std::string done = (m_dir / "done").string();
  pid_t reader = Spawn([&] {
    while (!fs::exists(done)) {
      DIR* dir = opendir(m_dir.c_str());
      if (!dir) return false;
      while (dirent* entry = readdir(dir)) {
        int fd = std::string(entry->d_name).find(".tmp") != std::string::npos ? openat(dirfd(dir), entry->d_name, O_RDONLY) : -1;
        if (fd >= 0) {
          closedir(dir);
          return false;
        }
      }
      closedir(dir);
    }
    return true;
  });
  for (int i = 0; i < 50; ++i) {
    Register(*registry, "/x/libdtmplugin.so");
    Unregister(*registry);
  }
  std::ofstream{done};
  EXPECT_TRUE(Succeeded(reader));
}

// Only a user who may change the file can hold up a change: a reader holding a lock on
// the file cannot, nor can he open the lock file. The file's owner, once root's change
// handed him the lock file, holds it for ever and makes a change fail after the wait,
// saying so; an edit that changes nothing takes no lock; the change succeeds once the
// lock is free.
TEST_F(RegistryFile, AHeldLockEndsInTheBoundedWait) {
  if (std::string why = OtherUserBarred(m_dir); !why.empty()) GTEST_SKIP() << why;
  auto registry = ddlib::OpenFileRegistry(m_path, std::chrono::milliseconds(300));
  ASSERT_TRUE(registry->createKey("K"));
  ASSERT_EQ(chmod(m_path.c_str(), 0644), 0);
  const std::string lock = (m_dir / ".hive.txt.lock").string();
  const bool asRoot = geteuid() == 0;
  pid_t holder = Hold([&] {
    int fd = open(m_path.c_str(), O_RDONLY);
    return fd >= 0 && flock(fd, LOCK_EX) == 0 && (!asRoot || open(lock.c_str(), O_RDONLY) < 0);
  });
  ASSERT_GT(holder, 0);
  if (asRoot) {  // the reader is another user
    EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0) << registry->lastMessage();
    EXPECT_EQ(Unregister(*registry), 0);
    const passwd* nobody = getpwnam("nobody");
    ASSERT_TRUE(nobody);
    ASSERT_EQ(chown(m_path.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    ASSERT_TRUE(registry->createKey("K2"));  // hands the lock file over
  }
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  holder = Hold([&] {
    int fd = open(lock.c_str(), O_RDWR);
    return fd >= 0 && flock(fd, LOCK_EX) == 0;
  });
  ASSERT_GT(holder, 0);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Unregister(*registry), 0) << registry->lastMessage();
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_NE(registry->lastMessage().find("locked by another process"), std::string::npos) << registry->lastMessage();
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0);
}

// A lock file removed while a writer waits for it guards nothing: the writer, once it
// has it, takes the lock file now at that name, which another writer holds.
TEST_F(RegistryFile, ALockRemovedUnderAWaitingWriterIsNotTrusted) {
  auto registry = ddlib::OpenFileRegistry(m_path, std::chrono::milliseconds(500));
  ASSERT_TRUE(registry->createKey("K"));
  const std::string lock = (m_dir / ".hive.txt.lock").string();
  int old = open(lock.c_str(), O_RDWR);
  ASSERT_EQ(flock(old, LOCK_EX), 0);
  pid_t writer = fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    close(old);  // the lock stays with the parent's descriptor
    _exit(Register(*registry, "/x/libdtmplugin.so") == kRegistrationFailed ? 0 : 1);
  }
  usleep(100000);  // the writer waits for the old lock
  ASSERT_EQ(unlink(lock.c_str()), 0);
  int now = open(lock.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
  ASSERT_EQ(flock(now, LOCK_EX), 0);
  close(old);
  EXPECT_TRUE(Succeeded(writer));
  close(now);
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0);
}

// A lock file removed under a writer that holds it lets the next writer in beside it:
// that one leaves the first one's live copy alone, and the first starts again instead
// of replacing the second's change. Both changes are kept, both answered as made.
TEST_F(RegistryFile, ALockRemovedUnderAHoldingWriterLosesNoChange) {
  auto registry = ddlib::OpenFileRegistry(m_path, std::chrono::milliseconds(500));
  ASSERT_TRUE(registry->createKey("A0"));
  const std::string lock = (m_dir / ".hive.txt.lock").string();
  bool second = false, secondMade = false;
  ddlib::SetRegistryCopyHook([&](ddlib::RegistryCopyStage stage, int) {
    if (stage != ddlib::RegistryCopyStage::Flushed || second) return;
    second = true;
    ASSERT_EQ(unlink(lock.c_str()), 0);
    secondMade = ddlib::OpenFileRegistry(m_path, std::chrono::milliseconds(500))->createKey("B");
  });
  EXPECT_TRUE(registry->createKey("A")) << registry->lastMessage();
  EXPECT_TRUE(secondMade);
  EXPECT_TRUE(registry->keyExists("A"));
  EXPECT_TRUE(registry->keyExists("B"));
  EXPECT_EQ(TempFiles(), 0);
}

// Only the registry's own stale temporary files are removed: not another registry whose
// name ends in ".tmp", not a folder of a temporary file's name, not a copy that a writer
// still holds.
TEST_F(RegistryFile, OnlyItsOwnTemporaryFilesAreRemoved) {
  auto other = ddlib::OpenFileRegistry(m_path + ".tmp");
  ASSERT_EQ(Register(*other, "/x/libdtmplugin.so"), 0);
  const fs::path folder = m_dir / ".hive.txt.tmp-aaaaaa";
  fs::create_directory(folder);
  std::ofstream(m_dir / ".hive.txt.tmp-bbbbbb") << "[half";  // a killed writer's
  const fs::path live = m_dir / ".hive.txt.tmp-cccccc";  // a writer's, held while it writes
  std::ofstream(live) << "[half";
  int held = open(live.c_str(), O_RDONLY);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0);
  EXPECT_TRUE(other->keyExists(RegistrationKey()));
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_FALSE(fs::exists(m_dir / ".hive.txt.tmp-bbbbbb"));
  EXPECT_TRUE(fs::exists(live));
  close(held);
  ASSERT_EQ(Unregister(*registry), 0);
  EXPECT_FALSE(fs::exists(live));
}

// An ACL in the form the kernel keeps it: version 2, then tag, permissions and id.
std::string Acl(std::initializer_list<std::array<std::uint32_t, 3>> entries) {
  std::string out;
  auto put = [&](auto v) { out.append(reinterpret_cast<const char*>(&v), sizeof v); };
  put(std::uint32_t{2});
  for (const auto& [tag, perm, id] : entries) {
    put(static_cast<std::uint16_t>(tag));
    put(static_cast<std::uint16_t>(perm));
    put(id);
  }
  return out;
}

// Nothing when the file has no such attribute.
std::optional<std::string> Attribute(const std::string& path, const char* name) {
  char value[4096];
  ssize_t n = getxattr(path.c_str(), name, value, sizeof value);
  return n < 0 ? std::nullopt : std::optional<std::string>(std::string(value, static_cast<std::size_t>(n)));
}

constexpr std::uint32_t kNoId = 0xFFFFFFFFu, kUserObj = 1, kUser = 2, kGroupObj = 4, kMask = 0x10, kOther = 0x20;

// A change keeps the file's ACL (a named user keeps his access, the owning group gains
// none) and its user attributes; a file without an ACL gains none from the folder's
// default ACL, so a user it lets in still cannot read the file.
TEST_F(RegistryFile, AclAndAttributesAreKeptAndNoneGained) {
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_TRUE(registry->createKey("K"));
  ASSERT_EQ(chmod(m_path.c_str(), 0600), 0);
  const std::string acl = Acl({{kUserObj, 6, kNoId}, {kUser, 4, 1}, {kGroupObj, 0, kNoId}, {kMask, 4, kNoId}, {kOther, 0, kNoId}});
  if (setxattr(m_path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0 ||
      setxattr(m_path.c_str(), "user.origin", "kept", 4, 0) != 0)
    GTEST_SKIP() << "the file system keeps no ACL or user attributes: " << std::strerror(errno);
  const std::optional<std::string> before = Attribute(m_path, "system.posix_acl_access");
  ASSERT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0) << registry->lastMessage();
  EXPECT_EQ(Attribute(m_path, "system.posix_acl_access"), before);
  EXPECT_EQ(Attribute(m_path, "user.origin"), std::string("kept"));
  EXPECT_EQ(fs::status(m_path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  const fs::path open = m_dir / "open";  // its default ACL lets user 65534 read
  fs::create_directory(open);
  const std::string inherited = Acl({{kUserObj, 7, kNoId}, {kUser, 4, 65534}, {kGroupObj, 5, kNoId}, {kMask, 5, kNoId}, {kOther, 0, kNoId}});
  ASSERT_EQ(setxattr(open.c_str(), "system.posix_acl_default", inherited.data(), inherited.size(), 0), 0);
  const std::string plain = (open / "hive.txt").string();
  auto other = ddlib::OpenFileRegistry(plain);
  ASSERT_TRUE(other->createKey("K"));
  ASSERT_EQ(removexattr(plain.c_str(), "system.posix_acl_access"), 0);  // made without
  ASSERT_EQ(chmod(plain.c_str(), 0640), 0);
  ASSERT_EQ(Register(*other, "/x/libdtmplugin.so"), 0) << other->lastMessage();
  EXPECT_EQ(Attribute(plain, "system.posix_acl_access"), std::nullopt);
  EXPECT_EQ(fs::status(plain).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// The copy is made for the caller alone, whatever the umask; an owner's chmod made
// while the copy is written is kept; a memory failure answers false with its reason and
// leaves the file as it was and no copy.
TEST_F(RegistryFile, TheCopyIsPrivateAndAChmodMeanwhileIsKept) {
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_TRUE(registry->createKey("K"));
  ASSERT_EQ(chmod(m_path.c_str(), 0644), 0);
  const mode_t umaskWas = umask(022);
  mode_t made = 0777;
  ddlib::SetRegistryCopyHook([&](ddlib::RegistryCopyStage stage, int fd) {
    struct stat st {};
    if (stage == ddlib::RegistryCopyStage::Created && fstat(fd, &st) == 0) made = st.st_mode & 0777;
    if (stage == ddlib::RegistryCopyStage::Flushed) chmod(m_path.c_str(), 0600);
  });
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0) << registry->lastMessage();
  umask(umaskWas);
  EXPECT_EQ(made, 0600u);
  EXPECT_EQ(fs::status(m_path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

  const std::string before = Bytes(m_path);
  ddlib::SetRegistryCopyHook([](ddlib::RegistryCopyStage, int) { throw std::bad_alloc(); });
  EXPECT_EQ(Unregister(*registry), kRegistrationFailed);
  EXPECT_EQ(registry->lastMessage(), "out of memory");
  EXPECT_EQ(Bytes(m_path), before);
  EXPECT_EQ(TempFiles(), 0);
}

// A failure other than a refusal or a memory failure, as of the random source or a
// lock, answers false in its own words, never in the last operation's; so does one that
// is no standard exception. The file stays as it was, with no copy beside.
TEST_F(RegistryFile, AnyOtherFailureAnswersFalseInItsOwnWords) {
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_TRUE(registry->createKey("K\\L"));
  const std::string before = Bytes(m_path);
  ASSERT_FALSE(registry->deleteKey("K"));  // leaves a reason of its own
  const std::system_error failure(std::make_error_code(std::errc::resource_deadlock_would_occur), "the copy's name");
  ddlib::SetRegistryCopyHook([&](ddlib::RegistryCopyStage, int) { throw failure; });
  EXPECT_FALSE(registry->createKey("M"));
  EXPECT_EQ(registry->lastMessage(), failure.what());
  ddlib::SetRegistryCopyHook([](ddlib::RegistryCopyStage, int) { throw 1; });
  EXPECT_FALSE(registry->createKey("M"));
  EXPECT_EQ(registry->lastMessage(), "unknown failure");
  EXPECT_EQ(Bytes(m_path), before);
  EXPECT_EQ(TempFiles(), 0);
}

// A refused change leaves nothing where there was no file: not for a name too long for
// the copy, a change past the size limit, a file size limit (as `ulimit -f` sets), a
// name followed by a slash, or keys past the real registry's bounds, which are refused
// before anything is built.
TEST_F(RegistryFile, ARefusedChangeLeavesNothing) {
  const fs::path empty = m_dir / "empty";
  fs::create_directory(empty);
  const std::string path = (empty / "hive.txt").string();
  auto registry = ddlib::OpenFileRegistry(path);
  EXPECT_EQ(Register(*ddlib::OpenFileRegistry((empty / std::string(250, 'r')).string()), "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_FALSE(registry->apply(ddlib::RegistryEdit().createKey("K").setString("K", "big", std::string(ddlib::kRegistryFileLimit, 'x'))));
  std::string deep = "K";
  for (int level = 1; level < 512; ++level) deep += "\\K";
  auto start = std::chrono::steady_clock::now();
  std::string deeper = deep;
  for (int level = 512; level < 20000; ++level) deeper += "\\K";
  EXPECT_FALSE(registry->createKey(deeper));
  EXPECT_NE(registry->lastMessage().find("512 levels"), std::string::npos) << registry->lastMessage();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_FALSE(registry->createKey(deep + "\\K"));
  EXPECT_FALSE(registry->createKey("K\\" + std::string(256, 'n')));
  EXPECT_FALSE(registry->apply(ddlib::RegistryEdit().createKey("K").setNumber("K", std::string(16384, 'v'), 1)));
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    bool ok = setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
              !registry->apply(ddlib::RegistryEdit().createKey("K").setString("K", "big", std::string(8192, 'x'))) &&
              registry->lastMessage().find(std::strerror(EFBIG)) != std::string::npos;
    _exit(ok ? 0 : 1);
  }
  EXPECT_TRUE(Succeeded(pid));
  EXPECT_FALSE(ddlib::OpenFileRegistry(path + "/")->createKey("K"));  // names a folder
  EXPECT_TRUE(fs::is_empty(empty));
  EXPECT_TRUE(registry->createKey(deep));
  EXPECT_TRUE(registry->createKey("K\\" + std::string(255, 'n')));
  EXPECT_TRUE(registry->apply(ddlib::RegistryEdit().createKey("K").setNumber("K", std::string(16383, 'v'), 1)));
  auto slashed = ddlib::OpenFileRegistry(path + "/");
  EXPECT_FALSE(slashed->snapshot());
  EXPECT_FALSE(slashed->createKey("L"));
  EXPECT_NE(slashed->lastMessage().find(std::strerror(ENOTDIR)), std::string::npos) << slashed->lastMessage();
}

// Refused in one line, changing nothing: a hard-linked file (its two names would
// split), another user's file in a sticky folder shared with all or only with its
// group, a lock file planted by another user or put there as a link. The folder
// owner's file there and the caller's own are changed. Another user's stale copies,
// and hard-linked ones, stay.
TEST_F(RegistryFile, PlantedAndLinkedFilesAreRefused) {
  if (geteuid() != 0) GTEST_SKIP() << "planting files as another user needs root";
  constexpr uid_t kOther = 4242;
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_TRUE(registry->createKey("K"));
  const std::string before = Bytes(m_path);
  const fs::path second = m_dir / "second.txt";
  fs::create_hard_link(m_path, second);
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_NE(registry->lastMessage().find("hard link"), std::string::npos) << registry->lastMessage();
  fs::remove(second);

  const fs::path lock = m_dir / ".hive.txt.lock";
  ASSERT_EQ(chown(lock.c_str(), kOther, kOther), 0);
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_NE(registry->lastMessage().find("lock file"), std::string::npos) << registry->lastMessage();
  fs::remove(lock);
  fs::create_symlink(m_dir / "elsewhere", lock);
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_FALSE(fs::exists(m_dir / "elsewhere"));
  fs::remove(lock);
  EXPECT_EQ(Bytes(m_path), before);

  const fs::path others = m_dir / ".hive.txt.tmp-cccccc", linked = m_dir / ".hive.txt.tmp-dddddd";
  std::ofstream(others) << "[half";
  ASSERT_EQ(chown(others.c_str(), kOther, kOther), 0);
  std::ofstream(m_dir / "kept") << "kept";
  fs::create_hard_link(m_dir / "kept", linked);
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0) << registry->lastMessage();
  EXPECT_TRUE(fs::exists(others));
  EXPECT_TRUE(fs::exists(linked));

  const fs::path shared = m_dir / "shared";
  fs::create_directory(shared);
  ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
  const std::string planted = (shared / "hive.txt").string();
  auto there = ddlib::OpenFileRegistry(planted);
  ASSERT_TRUE(there->createKey("K"));
  ASSERT_EQ(chown(planted.c_str(), kOther, kOther), 0);
  const std::string plantedBytes = Bytes(planted);
  EXPECT_EQ(Register(*there, "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_NE(there->lastMessage().find("shared sticky folder"), std::string::npos) << there->lastMessage();
  ASSERT_EQ(chmod(shared.c_str(), 01775), 0);  // shared with its group only
  EXPECT_EQ(Register(*there, "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_NE(there->lastMessage().find("shared sticky folder"), std::string::npos) << there->lastMessage();
  EXPECT_EQ(Bytes(planted), plantedBytes);
  ASSERT_EQ(chown(shared.c_str(), kOther, kOther), 0);  // now the folder owner's file
  EXPECT_EQ(Register(*there, "/x/libdtmplugin.so"), 0) << there->lastMessage();
  auto own = ddlib::OpenFileRegistry((shared / "own.txt").string());
  EXPECT_TRUE(own->createKey("K"));
  EXPECT_TRUE(own->setNumber("K", "n", 1)) << own->lastMessage();
}

// The process's address space now, in bytes.
rlim_t AddressSpace() {
  std::ifstream statm("/proc/self/statm");
  rlim_t pages = 0;
  statm >> pages;
  return pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}

// A memory failure wherever it strikes in a read answers false or nothing with "out of
// memory": no exception leaves the registry, and no part of the hive passes for the
// whole. The reads run under address-space limits from too tight to ample.
TEST_F(RegistryFile, AMemoryFailureInAReadAnswersNothing) {
#ifdef DTM_ADDRESS_SANITIZER
  GTEST_SKIP() << "the address sanitizer needs more address space than the limits leave";
#endif
  constexpr std::size_t kKeys = 5000;  // in memory many times the file's size
  ddlib::RegistryKeys keys;
  for (std::size_t i = 0; i < kKeys; ++i) keys["K\\" + std::to_string(i)]["v"] = std::uint32_t{1};
  std::ofstream(m_path) << ddlib::FormatRegistryFile(keys);
  const std::string last = std::prev(keys.end())->first;  // the last one read
  keys.clear();
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    auto registry = ddlib::OpenFileRegistry(m_path);
    const std::function<bool()> reads[] = {
        [&] {
          std::optional<ddlib::RegistryKeys> all = registry->snapshot();
          return all && all->size() == kKeys;
        },
        [&] { return registry->keyExists(last); },
        [&] { return registry->getValue(last, "v") == ddlib::RegistryValue(std::uint32_t{1}); }};
    rlimit was{};
    int answered = 0, refused = 0, wrong = 0;
    for (int step = 0; step < 48 && getrlimit(RLIMIT_AS, &was) == 0; ++step) {
      for (const std::function<bool()>& read : reads) {
        malloc_trim(0);
        const rlimit tight{AddressSpace() + static_cast<rlim_t>(step) * (32 << 10), was.rlim_max};
        if (setrlimit(RLIMIT_AS, &tight) != 0) _exit(2);
        try {
          const bool ok = read();
          const bool outOfMemory = !ok && registry->lastMessage() == "out of memory";
          answered += ok;
          refused += outOfMemory;
          wrong += !ok && !outOfMemory;
        } catch (...) {
          ++wrong;
        }
        setrlimit(RLIMIT_AS, &was);
      }
    }
    _exit(wrong == 0 && answered > 0 && refused > 0 ? 0 : 1);
  }
  EXPECT_TRUE(Succeeded(pid));
}

TEST_F(RegistryFile, LocalMachineRegistryCanBeReplaced) {
  auto file = ddlib::OpenFileRegistry(m_path);
  ddlib::SetLocalMachineRegistry(file.get());
  EXPECT_EQ(ddlib::LocalMachineRegistry(), file.get());
  ddlib::SetLocalMachineRegistry(nullptr);
  EXPECT_NE(ddlib::LocalMachineRegistry(), file.get());
}

}  // namespace
