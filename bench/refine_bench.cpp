// Figures for de-duplication and purification of large result boxes, through the in-memory surface
// with the real file save on every change of the result box, against the Unix tools on the same files
// in the same run:
//   de-duplication of 1,000,000 lines   vs  tac FILE | awk '!seen[$0]++' | tac
//   purification of 100,000 x 1,000     vs  grep -F -f SEEDS FILE
//   the straightforward algorithms (every pair compared, one append and one save per kept line) on
//   10,000 lines, the baseline that shows the gain.
// The tools run with LC_ALL=C, so that they compare bytes as the system does. Each case runs in a
// process of its own, so that the peak memory printed is that case's.
//
// Usage: refine_bench [dedup|purify|straightforward]   (no argument: all three)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "refine/purify_results.h"
#include "refine/remove_duplicates.h"
#include "storage/app_state.h"
#include "storage/category_files.h"
#include "tests/refine/straightforward_refinement.h"
#include "text/line_list.h"
#include "ui/memory_surface.h"

namespace {

constexpr int kRepeats = 3;

// Two-character words of the first level of GBK's Chinese characters (B0A1 to D7F9), from which the
// keywords are made: realistic byte patterns and lengths, with words shared between keywords.
std::vector<std::string> MakeVocabulary(std::mt19937& rng, int size) {
  std::uniform_int_distribution<int> lead(0xB0, 0xD7);
  std::uniform_int_distribution<int> trail(0xA1, 0xF9);
  std::vector<std::string> words;
  for (int i = 0; i < size; ++i) {
    std::string word;
    for (int c = 0; c < 2; ++c) {
      word += static_cast<char>(lead(rng));
      word += static_cast<char>(trail(rng));
    }
    words.push_back(word);
  }
  return words;
}

// A keyword of 4 to 12 characters: 2 to 6 words.
std::string MakeKeyword(std::mt19937& rng, const std::vector<std::string>& words) {
  std::uniform_int_distribution<int> count(2, 6);
  std::uniform_int_distribution<std::size_t> pick(0, words.size() - 1);
  std::string keyword;
  for (int n = count(rng); n > 0; --n) keyword += words[pick(rng)];
  return keyword;
}

// `lines` keywords, one per CR LF line, about 30% of them repeats of an earlier one.
std::string MakeResultBox(std::mt19937& rng, const std::vector<std::string>& words, int lines) {
  std::vector<std::string> keywords;
  std::bernoulli_distribution repeat(0.3);
  std::string box;
  for (int i = 0; i < lines; ++i) {
    if (!keywords.empty() && repeat(rng)) {
      box += keywords[std::uniform_int_distribution<std::size_t>(0, keywords.size() - 1)(rng)];
    } else {
      keywords.push_back(MakeKeyword(rng, words));
      box += keywords.back();
    }
    box += "\r\n";
  }
  return box;
}

// Seeds of one or two words, joined by `separator`.
std::string MakeSeeds(std::mt19937& rng, const std::vector<std::string>& words, int count,
                      const std::string& separator) {
  std::uniform_int_distribution<std::size_t> pick(0, words.size() - 1);
  std::bernoulli_distribution twoWords(0.5);
  std::string seeds;
  for (int i = 0; i < count; ++i) {
    seeds += words[pick(rng)];
    if (twoWords(rng)) seeds += words[pick(rng)];
    seeds += separator;
  }
  return seeds;
}

double Seconds(const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

double Shell(const std::string& command) {
  return Seconds([&] {
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  });
}

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

long CurrentMegabytes() {
  long pages = 0;
  long resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * sysconf(_SC_PAGESIZE) / (1024 * 1024);
}

std::size_t LineCount(const std::string& text) {
  return SplitTextViews(text, kLineBreak).size();
}

// A main window in memory whose result box saves itself to data/jg-1.txt of a fresh directory on every
// change, as the windows' handler does.
class Window {
 public:
  Window()
      : dir_(MakeDirectory()), surface_([](Control control, UiEvent event) {
          if (control == Control::一级结果框 && event == UiEvent::TextChanged) SaveResultText();
        }) {
    State().resultFilePath = (dir_ / "jg-1.txt").string();
    InstallSurface(&surface_);
  }
  ~Window() {
    InstallSurface(nullptr);
    std::filesystem::remove_all(dir_);
  }

  const std::filesystem::path& dir() const { return dir_; }
  MemorySurface& surface() { return surface_; }

  // Fills the boxes (saving the result box), then times `worker` on this thread until it is done:
  // the result file then holds the final text.
  double Time(const std::function<void()>& worker, const std::string& seeds, const std::string& results) {
    surface_.UserEdit(Control::关键词编辑框, seeds);
    surface_.UserEdit(Control::一级结果框, results);
    return Seconds(worker);
  }

  std::string ResultFile() const { return ReadFile(dir_ / "jg-1.txt"); }

 private:
  static std::filesystem::path MakeDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ornivex-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
  }

  std::filesystem::path dir_;
  MemorySurface surface_;
};

void PrintComparison(const char* what, double ours, double baseline, const char* baselineName) {
  double ratio = ours / baseline;
  std::printf("  %-44s %8.3f s\n", what, ours);
  std::printf("  %-44s %8.3f s\n", baselineName, baseline);
  std::printf("  ratio %.2f (target at most 2.00: %s)\n", ratio, ratio <= 2.0 ? "met" : "missed");
}

void BenchDeduplication() {
  constexpr int kLines = 1'000'000;
  std::mt19937 rng(1);
  std::vector<std::string> words = MakeVocabulary(rng, 5000);
  std::string box = MakeResultBox(rng, words, kLines);

  Window window;
  std::filesystem::path input = window.dir() / "input.txt";
  std::filesystem::path output = window.dir() / "awk-output.txt";
  WriteFile(input, box);
  std::string pipeline = "LC_ALL=C tac '" + input.string() +
                         "' | LC_ALL=C awk '!seen[$0]++' | LC_ALL=C tac > '" + output.string() + "'";

  long beforeMegabytes = CurrentMegabytes();
  std::vector<double> ours;
  std::vector<double> tools;
  for (int i = 0; i < kRepeats; ++i) {
    ours.push_back(window.Time(RemoveDuplicates, "", box));
    tools.push_back(Shell(pipeline));
  }
  std::string file = window.ResultFile();
  std::printf("de-duplication of %d lines (%.1f MB, %zu remain), median of %d runs:\n", kLines,
              box.size() / 1e6, LineCount(file), kRepeats);
  PrintComparison("RemoveDuplicates through the surface + saves", Median(ours), Median(tools),
                  "tac | awk '!seen[$0]++' | tac");
  std::printf("  result file identical to the pipeline's output: %s\n",
              file == ReadFile(output) ? "yes" : "NO");
  std::printf("  memory: %ld MB resident before the runs (the box and its file), peak %ld MB\n",
              beforeMegabytes, PeakMegabytes());
  std::printf("  of which DeduplicatedText alone (no surface, no save): %.3f s\n",
              Seconds([&] { DeduplicatedText(box); }));
}

void BenchPurification() {
  constexpr int kLines = 100'000;
  constexpr int kSeeds = 1'000;
  std::mt19937 rng(2);
  std::vector<std::string> words = MakeVocabulary(rng, 5000);
  std::string box = MakeResultBox(rng, words, kLines);
  std::mt19937 seedRng(3);
  std::string seeds = MakeSeeds(seedRng, words, kSeeds, "\r\n");
  // grep takes one pattern per LF line; a CR would become part of each pattern.
  std::mt19937 sameSeedRng(3);
  std::string grepSeeds = MakeSeeds(sameSeedRng, words, kSeeds, "\n");

  Window window;
  std::filesystem::path input = window.dir() / "input.txt";
  std::filesystem::path seedFile = window.dir() / "seeds.txt";
  std::filesystem::path output = window.dir() / "grep-output.txt";
  WriteFile(input, box);
  WriteFile(seedFile, grepSeeds);
  std::string grep =
      "LC_ALL=C grep -F -f '" + seedFile.string() + "' '" + input.string() + "' > '" + output.string() + "'";

  std::vector<double> ours;
  std::vector<double> tools;
  for (int i = 0; i < kRepeats; ++i) {
    ours.push_back(window.Time(PurifyResults, seeds, box));
    tools.push_back(Shell(grep));
  }
  std::string file = window.ResultFile();
  std::printf("purification of %d lines against %d seeds (%.1f MB), median of %d runs:\n", kLines, kSeeds,
              box.size() / 1e6, kRepeats);
  PrintComparison("PurifyResults through the surface + saves", Median(ours), Median(tools),
                  "grep -F -f SEEDS");
  // grep also finds a seed that begins inside a character; the system does not.
  std::printf("  lines kept: %zu; grep: %zu\n", LineCount(file), LineCount(ReadFile(output)));
  std::printf("  of which PurifiedText alone (no surface, no save): %.3f s\n",
              Seconds([&] { PurifiedText(seeds, box); }));
  std::printf("  peak memory %ld MB\n", PeakMegabytes());
}

// Both ways on the same box, the fast one first; both must leave the same file.
void BenchStraightforward() {
  constexpr int kLines = 10'000;
  constexpr int kSeeds = 1'000;
  std::mt19937 rng(4);
  std::vector<std::string> words = MakeVocabulary(rng, 5000);
  std::string box = MakeResultBox(rng, words, kLines);
  std::string seeds = MakeSeeds(rng, words, kSeeds, "\r\n");

  std::printf("the straightforward algorithms on %d lines (one append and one save per kept line):\n",
              kLines);
  std::string fastFile;
  std::string slowFile;
  {
    Window window;
    double fast = window.Time(RemoveDuplicates, "", box);
    fastFile = window.ResultFile();
    double slow = window.Time(StraightforwardRemoveDuplicates, "", box);
    slowFile = window.ResultFile();
    std::printf(
        "  de-duplication: straightforward %8.3f s, RemoveDuplicates %8.3f s, gain %.0fx, same file: %s\n",
        slow, fast, slow / fast, fastFile == slowFile ? "yes" : "NO");
  }
  {
    Window window;
    double fast = window.Time(PurifyResults, seeds, box);
    fastFile = window.ResultFile();
    double slow = window.Time(StraightforwardPurifyResults, seeds, box);
    slowFile = window.ResultFile();
    std::printf(
        "  purification (%d seeds): straightforward %8.3f s, PurifyResults %8.3f s, gain %.0fx, same file: "
        "%s\n",
        kSeeds, slow, fast, slow / fast, fastFile == slowFile ? "yes" : "NO");
  }
}

// Runs `bench` in a child process, so that its peak memory is its own.
void RunApart(void (*bench)()) {
  std::fflush(stdout);
  pid_t child = fork();
  if (child == 0) {
    bench();
    std::fflush(stdout);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
}

}  // namespace

int main(int argc, char** argv) {
  std::string which = argc > 1 ? argv[1] : "";
  if (which.empty() || which == "dedup") RunApart(BenchDeduplication);
  if (which.empty() || which == "purify") RunApart(BenchPurification);
  if (which.empty() || which == "straightforward") RunApart(BenchStraightforward);
  return 0;
}
