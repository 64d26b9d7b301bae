#pragma once
// A fresh current directory with (or without) its data directory, the in-memory windows wired to the
// storage handlers as the main window wires them, and the paths formed as at start-up.

#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "ui/memory_surface.h"

// The handlers of the seed box, the result box and the two combo boxes.
void DispatchStorageEvent(Control control, UiEvent event);

class StorageWorld {
 public:
  enum class DataDirectory { Present, Missing };

  explicit StorageWorld(DataDirectory data = DataDirectory::Present);
  ~StorageWorld();

  // Runs `work` on the user-interface thread, as a handler runs.
  void Run(const std::function<void()>& work) { surface.Run(work); }
  // The last status line, or the empty text when nothing set one.
  Text LastStatus();

  // In this order: the directory exists before it becomes current, and the windows go first at the end.
  TempDir dir;
  ScopedCurrentDirectory currentDirectory{dir.path()};
  MemorySurface surface{DispatchStorageEvent};
};

// What a test compares to prove that a file was not rewritten: the same file, untouched since.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  long long modifiedSeconds = 0;
  long long modifiedNanoseconds = 0;
  mode_t mode = 0;
  bool operator==(const FileIdentity&) const = default;
};
FileIdentity IdentityOf(const std::filesystem::path& file);

// Sets the file's modification time well into the past, so a rewrite cannot keep it by chance.
void Backdate(const std::filesystem::path& file);

// While it lives, no file of this process can grow past `bytes`: a write beyond that fails as it does
// on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::size_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlim_t previous_;
  void (*previousHandler_)(int);
};

// The names in `directory`, sorted; hidden ones included.
std::vector<std::string> NamesIn(const std::filesystem::path& directory);
