#include "tests/storage/storage_world.h"

#include <fcntl.h>
#include <signal.h>

#include <algorithm>

#include "storage/app_state.h"
#include "storage/category_files.h"
#include "storage/configuration.h"
#include "storage/file_access.h"

void DispatchStorageEvent(Control control, UiEvent event) {
  if (event == UiEvent::TextChanged && control == Control::关键词编辑框) SaveSeedText();
  if (event == UiEvent::TextChanged && control == Control::一级结果框) SaveResultText();
  if (event == UiEvent::ListEntryChosen && control == Control::层次组合框) ApplyDepthChoice();
  if (event == UiEvent::ListEntryChosen && control == Control::延时组合框) ApplyDelayChoice();
}

StorageWorld::StorageWorld(DataDirectory data) {
  if (data == DataDirectory::Present) std::filesystem::create_directory(dir.path() / "data");
  InstallSurface(&surface);
  Run(InitialisePaths);
}

StorageWorld::~StorageWorld() {
  Run([] {
    CloseAllFiles();
    ReleaseState();
  });
  InstallSurface(nullptr);
}

Text StorageWorld::LastStatus() {
  const std::vector<Text> log = surface.StatusLog();
  return log.empty() ? Text() : log.back();
}

FileIdentity IdentityOf(const std::filesystem::path& file) {
  struct stat info {};
  if (stat(file.c_str(), &info) != 0) return {};
  return {info.st_dev, info.st_ino, info.st_mtim.tv_sec, info.st_mtim.tv_nsec, info.st_mode};
}

void Backdate(const std::filesystem::path& file) {
  const struct timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
  utimensat(AT_FDCWD, file.c_str(), past, 0);
}

FileSizeLimit::FileSizeLimit(std::size_t bytes) {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  previous_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  // Without the signal ignored, the first write past the limit would end the test program.
  previousHandler_ = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = previous_;
  setrlimit(RLIMIT_FSIZE, &limit);
  signal(SIGXFSZ, previousHandler_);
}

std::vector<std::string> NamesIn(const std::filesystem::path& directory) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(directory, ignored)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}
