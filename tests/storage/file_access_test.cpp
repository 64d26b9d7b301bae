// Whole-file reads and writes: where a read's text ends, the hold rule, and a save that replaces the
// file in one step without ever losing the previous content, also against a second running copy.

#include "storage/file_access.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/storage/child_process.h"
#include "tests/storage/storage_world.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;

// A fresh current directory with its data directory; the tests put data\f.txt there as they need it.
class FileAccess : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory(dir.path() / "data"); }
  void TearDown() override { CloseAllFiles(); }

  void Put(const std::string& bytes) const { dir.Write("data/f.txt", bytes); }
  std::string Content() const { return dir.Read("data/f.txt"); }
  std::filesystem::path File() const { return dir.path() / "data" / "f.txt"; }
  std::vector<std::string> DataNames() const { return NamesIn(dir.path() / "data"); }

  TempDir dir;
  ScopedCurrentDirectory current{dir.path()};
  const Text path = "data\\f.txt";
};

TEST(NativePath, BackslashesBecomeSlashes) {
  EXPECT_EQ(NativePath("data\\zz-7.txt"), "data/zz-7.txt");
  EXPECT_EQ(NativePath("/tmp/x\\data\\vantor.txt"), "/tmp/x/data/vantor.txt");
  EXPECT_EQ(NativePath(""), "");
}

TEST_F(FileAccess, TheTextEndsAtTheFirstZeroOrCtrlZThatBeginsACharacter) {
  struct Case {
    const char* what;
    std::string bytes;
    Text text;
  };
  const Case cases[] = {
      {"no stop byte", "a\r\nb", "a\r\nb"},
      {"empty file", "", ""},
      {"zero", "ab\0cd"s, "ab"},
      {"ctrl-z",
       "ab\x1A"
       "cd",
       "ab"},
      {"ctrl-z first",
       "\x1A"
       "ab",
       ""},
      {"ctrl-z after a character",
       "\xB0\xA1\x1A"
       "b",
       "\xB0\xA1"},
      {"ctrl-z as a second byte",
       "\xB0\x1A"
       "b\x1A"
       "c",
       "\xB0\x1A"
       "b"},
      {"zero after a lead byte", "a\xB0\0b"s, "a"},
      {"zero as the first byte after a character", "\xB0\xA1\0b"s, "\xB0\xA1"},
      {"lone lead byte at the end", "ab\xB0", "ab\xB0"},
      {"lead byte swallowing a CR", "a\xB0\r\nb", "a\xB0\r\nb"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Put(c.bytes);
    EXPECT_EQ(ReadWholeFile(path), c.text);
    CloseAllFiles();
    EXPECT_EQ(Content(), c.bytes) << "reading changes nothing";
  }
}

TEST_F(FileAccess, AFileThatCannotBeOpenedForReadingAndWritingReadsEmptyAndIsNotHeld) {
  Put("kept");
  dir.Write("data/ro.txt", "read-only");
  chmod((dir.path() / "data" / "ro.txt").c_str(), 0444);
  std::filesystem::create_directory(dir.path() / "data" / "sub");
  struct Case {
    const char* what;
    Text path;
  };
  const Case cases[] = {
      {"empty path", ""},
      {"missing file", "data\\missing.txt"},
      {"missing directory", "nodata\\f.txt"},
      {"read-only file, even for the superuser", "data\\ro.txt"},
      {"a directory", "data\\sub"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadWholeFile(c.path), "");
    EXPECT_NE(WriteWholeFile(c.path, "x"), WriteOutcome::Held);
    CloseAllFiles();
  }
  EXPECT_EQ(dir.Read("data/ro.txt"), "read-only");
}

TEST_F(FileAccess, AHeldFileCannotBeWrittenUntilCloseAllFiles) {
  Put("old\r\n");
  const FileIdentity before = IdentityOf(File());
  ASSERT_EQ(ReadWholeFile(path), "old\r\n");

  EXPECT_EQ(WriteWholeFile(path, "new"), WriteOutcome::Held);
  // The same file under other spellings of its path is held all the same.
  const Text absolute = dir.path().string() + "\\data\\f.txt";
  EXPECT_EQ(WriteWholeFile(absolute, "new"), WriteOutcome::Held);
  EXPECT_EQ(WriteWholeFile("data\\..\\data\\f.txt", "new"), WriteOutcome::Held);
  EXPECT_EQ(Content(), "old\r\n");
  EXPECT_EQ(IdentityOf(File()), before);
  EXPECT_EQ(DataNames(), std::vector<std::string>{"f.txt"});

  CloseAllFiles();
  EXPECT_EQ(WriteWholeFile(path, "new"), WriteOutcome::Written);
  EXPECT_EQ(Content(), "new");
}

TEST_F(FileAccess, AnEmptyFileIsHeldLikeAnyOther) {
  Put("");
  EXPECT_EQ(ReadWholeFile(path), "");
  EXPECT_EQ(WriteWholeFile(path, "x"), WriteOutcome::Held);
  CloseAllFiles();
  CloseAllFiles();  // with nothing held it does nothing
  EXPECT_EQ(WriteWholeFile(path, "x"), WriteOutcome::Written);
}

TEST_F(FileAccess, AWriteReplacesTheWholeFileOrCreatesIt) {
  struct Case {
    const char* what;
    bool exists;
    std::string before;
    Text content;
  };
  const Case cases[] = {
      {"new file", false, "", "a\r\nb\r\n"},
      {"new empty file", false, "", ""},
      {"shorter content", true, "a long old content\r\n", "short"},
      {"longer content", true, "x", "\xB0\xA1\r\n\xB0\xA1\r\n"},
      {"emptied", true, "old", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(File());
    if (c.exists) Put(c.before);
    EXPECT_EQ(WriteWholeFile(path, c.content), WriteOutcome::Written);
    EXPECT_TRUE(std::filesystem::is_regular_file(File()));
    EXPECT_EQ(Content(), c.content);
    EXPECT_EQ(DataNames(), std::vector<std::string>{"f.txt"}) << "no temporary file remains";
  }
}

TEST_F(FileAccess, AFailedWriteLeavesEverythingAsItWas) {
  dir.Write("data/ro.txt", "read-only\r\n");
  const auto readOnly = dir.path() / "data" / "ro.txt";
  chmod(readOnly.c_str(), 0444);
  const FileIdentity readOnlyBefore = IdentityOf(readOnly);
  std::filesystem::create_directory(dir.path() / "data" / "sub");
  struct Case {
    const char* what;
    Text path;
  };
  const Case cases[] = {
      {"empty path", ""},
      {"missing directory", "nodata\\f.txt"},
      {"read-only file, even for the superuser", "data\\ro.txt"},
      {"a directory", "data\\sub"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(WriteWholeFile(c.path, "new"), WriteOutcome::Failed);
  }
  EXPECT_EQ(dir.Read("data/ro.txt"), "read-only\r\n");
  EXPECT_EQ(IdentityOf(readOnly), readOnlyBefore) << "same file, same time, same permissions";
  EXPECT_FALSE(dir.Exists("nodata"));
  EXPECT_EQ(DataNames(), (std::vector<std::string>{"ro.txt", "sub"}));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "data" / "sub"));
}

TEST_F(FileAccess, AWriteThatRunsOutOfSpaceFailsAndKeepsTheOldFileWhole) {
  Put("old content\r\n");
  const FileIdentity before = IdentityOf(File());
  {
    FileSizeLimit fullDisk(64);
    EXPECT_EQ(WriteWholeFile(path, Text(1000, 'x')), WriteOutcome::Failed);
    EXPECT_EQ(WriteWholeFile("data\\new.txt", Text(1000, 'x')), WriteOutcome::Failed);
    EXPECT_EQ(WriteWholeFile(path, Text(64, 'y')), WriteOutcome::Written) << "what fits is written";
  }
  EXPECT_EQ(Content(), Text(64, 'y'));
  EXPECT_NE(IdentityOf(File()), before);
  EXPECT_EQ(DataNames(), std::vector<std::string>{"f.txt"}) << "the failed saves left nothing behind";
}

TEST_F(FileAccess, TheReplacedFileKeepsItsPermissionsAndOwner) {
  for (mode_t mode : {0640, 0604, 0200, 0777}) {
    SCOPED_TRACE(mode);
    Put("old");
    chmod(File().c_str(), mode);
    const bool asSuperuser = geteuid() == 0;
    if (asSuperuser) {
      ASSERT_EQ(chown(File().c_str(), 1234, 5678), 0);
    }
    EXPECT_EQ(WriteWholeFile(path, "new"), WriteOutcome::Written);
    struct stat after {};
    ASSERT_EQ(stat(File().c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, mode);
    if (asSuperuser) {
      EXPECT_EQ(after.st_uid, 1234u);
      EXPECT_EQ(after.st_gid, 5678u);
    }
    chmod(File().c_str(), 0644);
    EXPECT_EQ(Content(), "new");
  }
}

TEST_F(FileAccess, ANewFileGetsThePermissionsOfAPlainCreate) {
  const mode_t mask = umask(027);
  EXPECT_EQ(WriteWholeFile(path, "new"), WriteOutcome::Written);
  umask(mask);
  struct stat after {};
  ASSERT_EQ(stat(File().c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
}

TEST_F(FileAccess, ASaveRemovesTheLeftoversOfAWriterKilledBeforeItsRename) {
  Put("old");
  dir.Write("data/.f.txt.Ab3xYz", "half of a killed save");
  dir.Write("data/.f.txt.bak", "not ours: other suffix length");
  dir.Write("data/.g.txt.Ab3xYz", "not ours: another file's");
  dir.Write("data/f.txt.Ab3xYz", "not ours: not hidden");
  EXPECT_EQ(WriteWholeFile(path, "new"), WriteOutcome::Written);
  EXPECT_EQ(DataNames(), (std::vector<std::string>{".f.txt.bak", ".g.txt.Ab3xYz", "f.txt", "f.txt.Ab3xYz"}));
}

TEST_F(FileAccess, AWriteThroughASymbolicLinkReplacesTheFileItNames) {
  Put("old");
  std::filesystem::create_symlink("f.txt", dir.path() / "data" / "link.txt");
  EXPECT_EQ(WriteWholeFile("data\\link.txt", "new"), WriteOutcome::Written);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "data" / "link.txt"));
  EXPECT_EQ(Content(), "new");
}

TEST_F(FileAccess, AFileHeldByAnotherRunningCopyCannotBeWritten) {
  Put("theirs");
  const Text file = path;
  ChildProcess other([&](ChildProcess& self) {
    if (ReadWholeFile(file) != "theirs") _exit(1);
    self.Signal();
    self.Await();  // holds the file until told to end
    CloseAllFiles();
  });
  ASSERT_TRUE(other.Await());

  EXPECT_EQ(WriteWholeFile(path, "ours"), WriteOutcome::Failed);
  EXPECT_EQ(Content(), "theirs");
  EXPECT_EQ(DataNames(), std::vector<std::string>{"f.txt"});
  // Both copies may read it at once.
  EXPECT_EQ(ReadWholeFile(path), "theirs");
  CloseAllFiles();

  other.Signal();
  EXPECT_EQ(other.Join(), 0);
  EXPECT_EQ(WriteWholeFile(path, "ours"), WriteOutcome::Written);
  EXPECT_EQ(Content(), "ours");
}

// Another copy in the middle of a save holds the old file exclusively until its new file is in place.
// A read waits for that rather than reading the empty text, and reads the new file.
TEST_F(FileAccess, AReadWaitsForAnotherCopysSaveAndReadsItsNewContent) {
  Put("old");
  const std::string native = File().string();
  ChildProcess writer([&](ChildProcess& self) {
    const int fd = open(native.c_str(), O_RDWR);
    if (fd < 0 || flock(fd, LOCK_EX) != 0) _exit(1);
    self.Signal();
    std::this_thread::sleep_for(200ms);
    FILE* fresh = std::fopen((native + ".new").c_str(), "wb");
    std::fputs("new", fresh);
    std::fclose(fresh);
    std::rename((native + ".new").c_str(), native.c_str());
    close(fd);
  });
  ASSERT_TRUE(writer.Await());
  EXPECT_EQ(ReadWholeFile(path), "new");
  EXPECT_EQ(WriteWholeFile(path, "x"), WriteOutcome::Held) << "the new file is the one held";
  CloseAllFiles();
  EXPECT_EQ(writer.Join(), 0);
}

TEST_F(FileAccess, AReadGivesUpOnAnExclusiveHolderThatDoesNotLetGo) {
  Put("old");
  const std::string native = File().string();
  ChildProcess holder([&](ChildProcess& self) {
    const int fd = open(native.c_str(), O_RDWR);
    if (fd < 0 || flock(fd, LOCK_EX) != 0) _exit(1);
    self.Signal();
    self.Await(60s);
  });
  ASSERT_TRUE(holder.Await());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ReadWholeFile(path), "");
  EXPECT_GE(std::chrono::steady_clock::now() - start, 900ms) << "it waited before giving up";
  EXPECT_EQ(WriteWholeFile(path, "x"), WriteOutcome::Failed) << "not held, and still locked by the other";
  holder.Kill();
  EXPECT_EQ(Content(), "old");
}

}  // namespace
