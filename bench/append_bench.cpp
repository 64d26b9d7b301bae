// What one batch of a crawl costs once the result box is long: the batch of 10 keywords appended to a
// box of 100,000 lines, whose text-changed handler rewrites the whole result file. Printed beside it:
// the save alone, the append alone (no handler), and the in-place rewrite without a sync that a save
// would be without its temporary file and its rename, with and without the sync.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "storage/app_state.h"
#include "storage/category_files.h"
#include "storage/file_access.h"
#include "tests/support/temp_dir.h"
#include "ui/memory_surface.h"

namespace {

constexpr int kBoxLines = 100000;
constexpr int kBatchSize = 10;
constexpr int kRuns = 50;

// "连衣裙 " in GBK followed by a number: a keyword of the length a crawl finds.
std::string Keyword(int number) {
  return "\xC1\xAC\xD2\xC2\xC8\xB9 " + std::to_string(number) + "\r\n";
}

struct Figures {
  double meanMs;
  double minMs;
  double maxMs;
};

Figures Measure(const std::function<void(int)>& once) {
  std::vector<double> ms;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    once(run);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  double sum = 0;
  for (double m : ms) sum += m;
  return {sum / kRuns, *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end())};
}

void Print(const char* what, const Figures& f) {
  std::printf("%-46s mean %8.3f ms   min %8.3f   max %8.3f\n", what, f.meanMs, f.minMs, f.maxMs);
}

std::string Batch(int run) {
  std::string batch;
  for (int i = 0; i < kBatchSize; ++i) batch += Keyword(kBoxLines + run * kBatchSize + i);
  return batch;
}

void RewriteInPlace(const std::string& path, const std::string& bytes, bool sync) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::perror("write");
  if (sync) fdatasync(fd);
  close(fd);
}

}  // namespace

int main() {
  TempDir dir;
  ScopedCurrentDirectory current(dir.path());
  std::filesystem::create_directory(dir.path() / "data");

  MemorySurface surface([](Control control, UiEvent event) {
    if (event == UiEvent::TextChanged && control == Control::一级结果框) SaveResultText();
  });
  InstallSurface(&surface);
  surface.Run([] {
    InitialisePaths();
    SelectCategory(1);
  });

  std::string box;
  for (int i = 0; i < kBoxLines; ++i) box += Keyword(i);
  surface.SetControlText(Control::一级结果框, box);
  std::printf("result box: %d lines, %zu bytes; batch: %d keywords; %d runs each\n", kBoxLines, box.size(),
              kBatchSize, kRuns);

  // As a crawl worker appends: from another thread, waiting for the handler.
  Print("append with its save",
        Measure([&](int run) { surface.AppendControlText(Control::一级结果框, Batch(run)); }));
  const std::size_t savedBytes = dir.Read("data/jg-1.txt").size();
  Print("save alone (SaveResultText)", Measure([&](int) { surface.Run(SaveResultText); }));

  MemorySurface bare;
  bare.SetControlText(Control::一级结果框, box);
  Print("append alone, no handler",
        Measure([&](int run) { bare.AppendControlText(Control::一级结果框, Batch(run)); }));

  const std::string content = surface.Peek(Control::一级结果框);
  const std::string plain = (dir.path() / "data" / "plain.txt").string();
  Print("baseline: in-place rewrite, no sync", Measure([&](int) { RewriteInPlace(plain, content, false); }));
  Print("baseline: in-place rewrite with fdatasync",
        Measure([&](int) { RewriteInPlace(plain, content, true); }));
  Print("WriteWholeFile of the same bytes",
        Measure([&](int) { WriteWholeFile("data\\plain.txt", content); }));

  std::printf("result file after the appends: %zu bytes (box %zu)\n", savedBytes,
              box.size() + static_cast<std::size_t>(kRuns) * Batch(0).size());
  InstallSurface(nullptr);
  surface.Run([] {
    CloseAllFiles();
    ReleaseState();
  });
  return 0;
}
