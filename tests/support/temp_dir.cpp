#include "tests/support/temp_dir.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ornivex-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Read-only files and directories made by a test must not keep the directory alive.
  for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
    chmod(entry.path().c_str(), 0700);
  }
  std::filesystem::remove_all(path_, ignored);
}

void TempDir::Write(const std::string& relative, const std::string& bytes) const {
  std::filesystem::path file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDir::Read(const std::string& relative) const {
  std::ifstream in(path_ / relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::Exists(const std::string& relative) const {
  return std::filesystem::exists(path_ / relative);
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::filesystem::path& dir)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(dir);
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}
