// The file-backed registry: a registration survives into a later run, a key with
// subkeys is not deleted, a registration is one change that no reader, killed writer or
// planted path can split, the file keeps its owner and mode, no other user reads or
// stalls it, and a path that cannot be written makes the operations fail.
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "ddlib/registry.h"
#include "module/registration.h"

namespace {

namespace fs = std::filesystem;

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
  void TearDown() override { fs::remove_all(m_dir); }

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
// (nothing is created, neither the target nor a lock); a link owned by the folder's
// owner is.
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

  ASSERT_EQ(chown(shared.c_str(), kOther, kOther), 0);
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0);
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
}

// Runs `body` in a child process, as user nobody when the test runs as root; true when
// the body answered true.
pid_t Spawn(const std::function<bool()>& body) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  const passwd* nobody = getpwnam("nobody");
  if (geteuid() == 0 && (!nobody || setgroups(0, nullptr) != 0 || setresgid(nobody->pw_gid, nobody->pw_gid, nobody->pw_gid) != 0 ||
                         setresuid(nobody->pw_uid, nobody->pw_uid, nobody->pw_uid) != 0))
    _exit(2);
  _exit(body() ? 0 : 1);
}

bool Succeeded(pid_t pid) {
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A change keeps the file's owner, group and permission bits and drops set-id bits;
// the owner may still change the file that root changed; a user who may not write the
// file changes nothing, though the folder lets him replace it.
TEST_F(RegistryFile, OwnerGroupAndModeAreKept) {
  if (geteuid() != 0) GTEST_SKIP() << "giving the file to another user needs root";
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
}

// Another user, reading the folder all along, never opens a temporary copy of a file
// that only its owner may read.
TEST_F(RegistryFile, AnotherUserNeverReadsTheTemporaryCopy) {
  if (geteuid() != 0) GTEST_SKIP() << "reading as another user needs root";
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

// A process that holds the lock for ever, also another user's, makes a change fail after
// the wait, saying so; the change succeeds once the lock is gone.
TEST_F(RegistryFile, AHeldLockEndsInTheBoundedWait) {
  auto registry = ddlib::OpenFileRegistry(m_path, std::chrono::milliseconds(300));
  ASSERT_TRUE(registry->createKey("K"));
  ASSERT_EQ(chmod(m_path.c_str(), 0644), 0);
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t holder = Spawn([&] {
    int fd = open(m_path.c_str(), O_RDONLY);
    if (fd < 0 || flock(fd, LOCK_EX) != 0 || write(ready[1], "x", 1) != 1) return false;
    sleep(10);  // ends by itself, should the wait not
    return true;
  });
  close(ready[1]);  // a holder that fails ends the read instead of leaving it waiting
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_NE(registry->lastMessage().find("locked by another process"), std::string::npos) << registry->lastMessage();
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  close(ready[0]);
  EXPECT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0);
}

// Only the registry's own stale temporary files are removed: not another registry whose
// name ends in ".tmp", not a folder of a temporary file's name.
TEST_F(RegistryFile, OnlyItsOwnTemporaryFilesAreRemoved) {
  auto other = ddlib::OpenFileRegistry(m_path + ".tmp");
  ASSERT_EQ(Register(*other, "/x/libdtmplugin.so"), 0);
  const fs::path folder = m_dir / ".hive.txt.tmp-aaaaaa";
  fs::create_directory(folder);
  std::ofstream(m_dir / ".hive.txt.tmp-bbbbbb") << "[half";  // a killed writer's
  auto registry = ddlib::OpenFileRegistry(m_path);
  ASSERT_EQ(Register(*registry, "/x/libdtmplugin.so"), 0);
  EXPECT_TRUE(other->keyExists(RegistrationKey()));
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_FALSE(fs::exists(m_dir / ".hive.txt.tmp-bbbbbb"));
}

TEST_F(RegistryFile, LocalMachineRegistryCanBeReplaced) {
  auto file = ddlib::OpenFileRegistry(m_path);
  ddlib::SetLocalMachineRegistry(file.get());
  EXPECT_EQ(ddlib::LocalMachineRegistry(), file.get());
  ddlib::SetLocalMachineRegistry(nullptr);
  EXPECT_NE(ddlib::LocalMachineRegistry(), file.get());
}

}  // namespace
