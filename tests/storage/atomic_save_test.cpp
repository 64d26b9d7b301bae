// A save replaces its file in one step: a writer killed at any moment leaves the file holding one
// complete version, never a truncated or mixed one, and the next save removes what the killed writer
// left behind.

#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "storage/file_access.h"
#include "tests/storage/child_process.h"
#include "tests/storage/storage_world.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

// About 1 MB of numbered result lines, every line marked with `mark`.
Text Version(char mark) {
  Text text;
  for (int line = 0; text.size() < (1 << 20); ++line) text += mark + std::to_string(line) + "\r\n";
  return text;
}

int TemporaryFilesIn(const std::filesystem::path& directory) {
  int count = 0;
  for (const std::string& name : NamesIn(directory)) count += name.starts_with(".jg-1.txt.");
  return count;
}

TEST(AtomicSave, AWriterKilledAtRandomMomentsNeverLeavesAPartialFile) {
  TempDir dir;
  ScopedCurrentDirectory current(dir.path());
  std::filesystem::create_directory(dir.path() / "data");
  const auto data = dir.path() / "data";
  const Text path = "data\\jg-1.txt";
  const Text a = Version('a'), b = Version('b');

  // The kills spread over a few saves' time, so they land before, inside and after the renames.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(WriteWholeFile(path, a), WriteOutcome::Written);
  const auto oneSave =
      std::max(std::chrono::steady_clock::now() - start, std::chrono::steady_clock::duration(1ms));
  std::mt19937 random(12345);
  std::uniform_int_distribution<long long> delay(
      0, 3 * std::chrono::duration_cast<std::chrono::microseconds>(oneSave).count());

  constexpr int kKills = 50;
  int leftBehind = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    {
      ChildProcess writer([&](ChildProcess& self) {
        self.Signal();
        for (int round = 0;; ++round) WriteWholeFile(path, round % 2 == 0 ? b : a);
      });
      ASSERT_TRUE(writer.Await());
      std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
      writer.Kill();
    }
    const std::string content = dir.Read("data/jg-1.txt");
    ASSERT_TRUE(content == a || content == b) << "kill " << kill << ": " << content.size() << " bytes";
    // Only the writer just killed can have left a temporary file: each save removes older ones.
    const int temporaries = TemporaryFilesIn(data);
    ASSERT_LE(temporaries, 1) << "kill " << kill;
    leftBehind += temporaries;
  }
  std::printf("%d kills, %d of them inside a save (one save: %lld us)\n", kKills, leftBehind,
              static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(oneSave).count()));

  EXPECT_EQ(WriteWholeFile(path, a), WriteOutcome::Written);
  EXPECT_EQ(dir.Read("data/jg-1.txt"), a);
  EXPECT_EQ(NamesIn(data), std::vector<std::string>{"jg-1.txt"});
}

}  // namespace
