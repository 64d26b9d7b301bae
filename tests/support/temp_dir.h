#pragma once
// A fresh directory under the system's temporary directory, removed with everything in it at the end.

#include <filesystem>
#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes `bytes` to the file `relative` (directories created as needed).
  void Write(const std::string& relative, const std::string& bytes) const;
  // The bytes of the file `relative`; the empty string when it does not exist.
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;

 private:
  std::filesystem::path path_;
};

// Makes `dir` the process's current directory for the lifetime of the object.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::filesystem::path& dir);
  ~ScopedCurrentDirectory();

 private:
  std::filesystem::path previous_;
};
