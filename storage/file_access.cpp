#include "storage/file_access.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string_view>
#include <thread>
#include <vector>

namespace {

struct HeldFile {
  int fd;
  dev_t device;
  ino_t inode;
};

// Only the user-interface thread touches files; the lock keeps the list whole should that ever change.
std::mutex heldMutex;
std::vector<HeldFile> heldFiles;

// A writer of another running copy holds its target only while it writes, so a read waits for it that
// long rather than reading the empty text, which the next save of the box would make the file's content.
constexpr auto kLockPatience = std::chrono::seconds(1);
constexpr auto kLockRetryPause = std::chrono::milliseconds(5);

bool IsHeld(const struct stat& file) {
  std::lock_guard lock(heldMutex);
  for (const HeldFile& held : heldFiles) {
    if (held.device == file.st_dev && held.inode == file.st_ino) return true;
  }
  return false;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The permission bits alone decide: the superuser may open any file for writing, but a file that
// nobody may write is read-only for this system too.
bool IsReadOnly(const struct stat& file) {
  return (file.st_mode & 0222) == 0;
}

bool LockShared(int fd) {
  const auto giveUp = std::chrono::steady_clock::now() + kLockPatience;
  for (;;) {
    if (flock(fd, LOCK_SH | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= giveUp) return false;
    std::this_thread::sleep_for(kLockRetryPause);
  }
}

std::string ReadAll(int fd) {
  std::string bytes;
  struct stat file;
  if (fstat(fd, &file) == 0 && file.st_size > 0) bytes.reserve(static_cast<std::size_t>(file.st_size));
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

// The text ends at a 00 or 1A that begins a character; a 00 after a lead byte ends it before the lead
// byte, so no Text ever holds a zero. A lead byte standing last has nothing to swallow and stays.
std::size_t TextLength(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const char byte = bytes[pos];
    if (byte == '\0' || byte == '\x1A') return pos;
    if (!IsLeadByte(byte)) {
      ++pos;
      continue;
    }
    if (pos + 1 == bytes.size()) return bytes.size();
    if (bytes[pos + 1] == '\0') return pos;
    pos += 2;
  }
  return pos;
}

// Opens the file at `native` for reading and writing with a shared lock on the file that the path names
// once the lock is taken: a writer of another copy may have renamed a new file over the one opened.
int OpenHeld(const std::string& native, struct stat& file) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = open(native.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat named;
    if (fstat(fd, &file) != 0 || !S_ISREG(file.st_mode) || IsReadOnly(file) || !LockShared(fd)) {
      close(fd);
      return -1;
    }
    if (stat(native.c_str(), &named) == 0 && SameFile(named, file)) return fd;
    close(fd);
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t wrote = write(fd, bytes.data(), bytes.size());
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(wrote));
  }
  return true;
}

struct SplitPath {
  std::string directory;
  std::string name;
};

SplitPath Split(const std::string& native) {
  const std::size_t slash = native.rfind('/');
  if (slash == std::string::npos) return {".", native};
  return {slash == 0 ? "/" : native.substr(0, slash), native.substr(slash + 1)};
}

// ".jg-1.txt." followed by six characters: hidden, beside its target, and recognisable as a leftover.
std::string TemporaryPrefix(const SplitPath& target) {
  return "." + target.name + ".";
}
constexpr std::size_t kTemporarySuffixLength = 6;

// Created like any new file, so a file that did not exist gets the permissions a plain create gives.
int CreateTemporary(const SplitPath& target, std::string& path) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = target.directory + "/" + TemporaryPrefix(target);
    for (std::size_t i = 0; i < kTemporarySuffixLength; ++i) path += kLetters[pick(random)];
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// A writer killed between creating its temporary file and renaming it leaves that file behind. Removed
// by the next save of the same target while it holds the target's exclusive lock: no writer of any copy
// can be between its own create and rename then, since each holds that lock for the whole time.
void RemoveLeftovers(const SplitPath& target) {
  DIR* directory = opendir(target.directory.c_str());
  if (directory == nullptr) return;
  const std::string prefix = TemporaryPrefix(target);
  while (const dirent* entry = readdir(directory)) {
    const std::string_view name = entry->d_name;
    if (name.size() == prefix.size() + kTemporarySuffixLength && name.starts_with(prefix)) {
      unlinkat(dirfd(directory), entry->d_name, 0);
    }
  }
  closedir(directory);
}

// A target that did not exist must not replace one that another copy created meanwhile.
bool RenameOver(const std::string& from, const std::string& to, bool targetExisted) {
  if (targetExisted) return rename(from.c_str(), to.c_str()) == 0;
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  return rename(from.c_str(), to.c_str()) == 0;
}

bool WriteTemporaryAndRename(const SplitPath& target, const std::string& native, const struct stat* existing,
                             std::string_view content) {
  std::string temporary;
  const int fd = CreateTemporary(target, temporary);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, content);
  if (ok && existing != nullptr) {
    // Only the superuser may give the file back to another owner; anyone else keeps the new file as
    // their own, which is no reason to refuse the save. The mode comes after, as a change of owner
    // drops the set-id bits.
    [[maybe_unused]] const int owned = fchown(fd, existing->st_uid, existing->st_gid);
    ok = fchmod(fd, existing->st_mode & 07777) == 0;
  }
  ok = ok && fdatasync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && RenameOver(temporary, native, existing != nullptr);
  // The directory is not synced: a rename lost to a power failure leaves the old file, which is whole,
  // and the next change of the box saves again.
  if (!ok) unlink(temporary.c_str());
  return ok;
}

// A symbolic link keeps pointing at the file it names; the file itself is replaced.
std::string ResolveLink(const std::string& native) {
  struct stat entry;
  if (lstat(native.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode)) return native;
  char* resolved = realpath(native.c_str(), nullptr);
  if (resolved == nullptr) return native;
  std::string path = resolved;
  std::free(resolved);
  return path;
}

}  // namespace

std::string NativePath(const Text& path) {
  std::string native = TextToBytes(path);
  for (char& byte : native) {
    if (byte == '\\') byte = '/';
  }
  return native;
}

Text ReadWholeFile(const Text& path) {
  if (path.empty()) return {};
  struct stat file;
  const int fd = OpenHeld(NativePath(path), file);
  if (fd < 0) return {};
  const std::string bytes = ReadAll(fd);
  {
    std::lock_guard lock(heldMutex);
    heldFiles.push_back({fd, file.st_dev, file.st_ino});
  }
  return BytesToText(std::string_view(bytes).substr(0, TextLength(bytes)));
}

WriteOutcome WriteWholeFile(const Text& path, const Text& content) {
  if (path.empty()) return WriteOutcome::Failed;
  const std::string native = ResolveLink(NativePath(path));
  const SplitPath target = Split(native);
  struct stat existing;
  if (stat(native.c_str(), &existing) != 0) {
    if (errno != ENOENT) return WriteOutcome::Failed;
    return WriteTemporaryAndRename(target, native, nullptr, TextToBytes(content)) ? WriteOutcome::Written
                                                                                  : WriteOutcome::Failed;
  }
  if (IsHeld(existing)) return WriteOutcome::Held;
  if (!S_ISREG(existing.st_mode) || IsReadOnly(existing)) return WriteOutcome::Failed;

  // The exclusive lock on the file the path names keeps out every reader and writer of other copies
  // while the new content is written and renamed over it. O_RDWR also proves the right to write it.
  const int fd = open(native.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return WriteOutcome::Failed;
  struct stat locked;
  struct stat named;
  bool ok = flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &locked) == 0 && SameFile(locked, existing) &&
            stat(native.c_str(), &named) == 0 && SameFile(named, locked);
  if (ok) {
    RemoveLeftovers(target);
    ok = WriteTemporaryAndRename(target, native, &locked, TextToBytes(content));
  }
  close(fd);
  return ok ? WriteOutcome::Written : WriteOutcome::Failed;
}

void CloseAllFiles() {
  std::lock_guard lock(heldMutex);
  for (const HeldFile& held : heldFiles) close(held.fd);
  heldFiles.clear();
}
