// The two boxes mirror the current category's files: a load shows the files without rewriting them and
// creates the missing ones empty, every change of a box rewrites its file, and a save that fails says so.

#include "storage/category_files.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "storage/app_state.h"
#include "storage/file_access.h"
#include "tests/storage/storage_world.h"
#include "tests/support/gbk.h"

namespace {

using namespace std::string_literals;

const Text kSaved = Gbk("  当前状态： 更新并保存了 种子关键词！");
const Text kSeedSaveFailed = Gbk("  当前状态： 种子关键词 保存失败！");
const Text kResultSaveFailed = Gbk("  当前状态： 括展关键词 保存失败！");

std::vector<std::string> DataNames(const StorageWorld& world) {
  return NamesIn(world.dir.path() / "data");
}

TEST(CategoryPaths, StartUpFormsAbsolutePathsAndACategoryChoiceRelativeOnes) {
  StorageWorld world;
  const Text cwd = std::filesystem::current_path().string();
  AppState& state = State();
  EXPECT_EQ(state.workingDirectory, cwd);
  EXPECT_EQ(state.configFilePath, cwd + "\\data\\vantor.txt");
  EXPECT_EQ(state.seedFilePath, cwd + "\\data\\zz-1.txt");
  EXPECT_EQ(state.resultFilePath, cwd + "\\data\\jg-1.txt");

  world.Run([] { SelectCategory(7); });
  EXPECT_EQ(state.seedFilePath, "data\\zz-7.txt");
  EXPECT_EQ(state.resultFilePath, "data\\jg-7.txt");
  EXPECT_EQ(state.configFilePath, cwd + "\\data\\vantor.txt");

  for (int number : {1, 10, 20}) {
    EXPECT_EQ(SeedFileOf(number), "data\\zz-" + std::to_string(number) + ".txt");
    EXPECT_EQ(ResultFileOf(number), "data\\jg-" + std::to_string(number) + ".txt");
  }
}

TEST(CategoryFiles, PickingACategoryWithoutFilesCreatesBothEmpty) {
  StorageWorld world;
  world.Run([] { SelectCategory(4); });
  EXPECT_EQ(world.surface.Peek(Control::关键词编辑框), "");
  EXPECT_EQ(world.surface.Peek(Control::一级结果框), "");
  EXPECT_EQ(DataNames(world), (std::vector<std::string>{"jg-4.txt", "zz-4.txt"}));
  EXPECT_EQ(world.dir.Read("data/zz-4.txt"), "");
  EXPECT_EQ(world.dir.Read("data/jg-4.txt"), "");
  EXPECT_EQ(world.surface.StatusLog(), std::vector<Text>{kSaved}) << "the result save says nothing";
}

// At start-up category 1 loads through its absolute paths; later through the relative ones.
TEST(CategoryFiles, LoadingExistingFilesShowsThemAndRewritesNeither) {
  struct Case {
    const char* what;
    int category;
    void (*load)();
  };
  const Case cases[] = {
      {"start-up", 1, [] { LoadCategoryTexts(); }},
      {"category button", 1, [] { SelectCategory(1); }},
      {"another category", 9, [] { SelectCategory(9); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StorageWorld world;
    const std::string number = std::to_string(c.category);
    const std::string seeds = Gbk("连衣裙\r\n\r\n长裙 夏\r\n"), results = Gbk("连衣裙 女\r\n雪纺");
    world.dir.Write("data/zz-" + number + ".txt", seeds);
    world.dir.Write("data/jg-" + number + ".txt", results);
    const auto seedFile = world.dir.path() / "data" / ("zz-" + number + ".txt");
    const auto resultFile = world.dir.path() / "data" / ("jg-" + number + ".txt");
    Backdate(seedFile);
    Backdate(resultFile);
    const FileIdentity seedBefore = IdentityOf(seedFile), resultBefore = IdentityOf(resultFile);

    world.Run(c.load);

    EXPECT_EQ(world.surface.Peek(Control::关键词编辑框), seeds);
    EXPECT_EQ(world.surface.Peek(Control::一级结果框), results);
    EXPECT_EQ(world.dir.Read("data/zz-" + number + ".txt"), seeds);
    EXPECT_EQ(world.dir.Read("data/jg-" + number + ".txt"), results);
    EXPECT_EQ(IdentityOf(seedFile), seedBefore) << "same file, untouched";
    EXPECT_EQ(IdentityOf(resultFile), resultBefore) << "same file, untouched";
    EXPECT_EQ(world.surface.StatusLog(), std::vector<Text>{kSaved});
    EXPECT_EQ(DataNames(world).size(), 2u) << "no temporary file remains";
  }
}

TEST(CategoryFiles, AFileWithAStopByteShowsTheTextBeforeItAndKeepsTheRestUntilItsBoxIsSaved) {
  struct Case {
    const char* what;
    std::string bytes;
    Text shown;
  };
  const Case cases[] = {
      {"zero", "k1\r\n\0k2\r\n"s, "k1\r\n"},
      {"ctrl-z", "k1\r\n\x1Ak2\r\n"s, "k1\r\n"},
      {"lead byte before zero", "k1\r\n\xB0\0k2"s, "k1\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StorageWorld world;
    world.dir.Write("data/zz-1.txt", c.bytes);
    world.dir.Write("data/jg-1.txt", c.bytes);
    world.Run(LoadCategoryTexts);
    EXPECT_EQ(world.surface.Peek(Control::关键词编辑框), c.shown);
    EXPECT_EQ(world.surface.Peek(Control::一级结果框), c.shown);
    EXPECT_EQ(world.dir.Read("data/zz-1.txt"), c.bytes);
    EXPECT_EQ(world.dir.Read("data/jg-1.txt"), c.bytes);

    world.surface.UserEdit(Control::关键词编辑框, c.shown + "k3");
    world.surface.AppendControlText(Control::一级结果框, "k3");
    EXPECT_EQ(world.dir.Read("data/zz-1.txt"), c.shown + "k3");
    EXPECT_EQ(world.dir.Read("data/jg-1.txt"), c.shown + "k3");
  }
}

TEST(CategoryFiles, ATextLoadsAndSavesWithOrWithoutItsFinalLineBreak) {
  for (const std::string& bytes : {Gbk("甲\r\n乙"), Gbk("甲\r\n乙\r\n"), Gbk("\r\n\r\n")}) {
    SCOPED_TRACE(Utf8(bytes));
    StorageWorld world;
    world.dir.Write("data/zz-1.txt", bytes);
    world.Run(LoadCategoryTexts);
    // A change of the box that leaves its text as it was still saves it.
    world.surface.SetControlText(Control::关键词编辑框, world.surface.Peek(Control::关键词编辑框));
    EXPECT_EQ(world.dir.Read("data/zz-1.txt"), bytes);
  }
}

TEST(CategoryFiles, TypingRewritesTheFileAndOnlyTheSeedBoxReportsIt) {
  StorageWorld world;
  world.Run(LoadCategoryTexts);
  const std::size_t statusesAfterLoad = world.surface.StatusLog().size();

  world.surface.UserEdit(Control::关键词编辑框, Gbk("手机"));
  EXPECT_EQ(world.dir.Read("data/zz-1.txt"), Gbk("手机"));
  EXPECT_EQ(world.surface.StatusLog().size(), statusesAfterLoad + 1);
  EXPECT_EQ(world.LastStatus(), kSaved);

  world.surface.UserEdit(Control::一级结果框, Gbk("手机壳\r\n"));
  EXPECT_EQ(world.dir.Read("data/jg-1.txt"), Gbk("手机壳\r\n"));
  EXPECT_EQ(world.surface.StatusLog().size(), statusesAfterLoad + 1);

  world.surface.SetControlText(Control::一级结果框, "");
  EXPECT_EQ(world.dir.Read("data/jg-1.txt"), "") << "clearing the box empties its file at once";
  EXPECT_EQ(DataNames(world), (std::vector<std::string>{"jg-1.txt", "zz-1.txt"}));
}

TEST(CategoryFiles, AReadOnlyFileLoadsEmptyAndEverySaveOfItsBoxFails) {
  StorageWorld world;
  world.dir.Write("data/zz-1.txt", "seeds");
  world.dir.Write("data/jg-1.txt", "results");
  const auto seedFile = world.dir.path() / "data" / "zz-1.txt";
  const auto resultFile = world.dir.path() / "data" / "jg-1.txt";
  chmod(seedFile.c_str(), 0444);
  chmod(resultFile.c_str(), 0444);
  const FileIdentity seedBefore = IdentityOf(seedFile), resultBefore = IdentityOf(resultFile);

  world.Run(LoadCategoryTexts);
  EXPECT_EQ(world.surface.Peek(Control::关键词编辑框), "");
  EXPECT_EQ(world.surface.Peek(Control::一级结果框), "");
  EXPECT_EQ(world.surface.StatusLog(), (std::vector<Text>{kSeedSaveFailed, kResultSaveFailed}));

  world.surface.UserEdit(Control::关键词编辑框, "typed");
  EXPECT_EQ(world.LastStatus(), kSeedSaveFailed);
  world.surface.AppendControlText(Control::一级结果框, "appended");
  EXPECT_EQ(world.LastStatus(), kResultSaveFailed);

  EXPECT_EQ(world.dir.Read("data/zz-1.txt"), "seeds");
  EXPECT_EQ(world.dir.Read("data/jg-1.txt"), "results");
  EXPECT_EQ(IdentityOf(seedFile), seedBefore) << "same file, same permissions";
  EXPECT_EQ(IdentityOf(resultFile), resultBefore) << "same file, same permissions";
  EXPECT_EQ(DataNames(world), (std::vector<std::string>{"jg-1.txt", "zz-1.txt"}));
}

TEST(CategoryFiles, ASaveThatRunsOutOfSpaceSaysSoAndTheFileKeepsItsLastContent) {
  StorageWorld world;
  world.Run(LoadCategoryTexts);
  world.surface.AppendControlText(Control::一级结果框, "k1\r\n");
  world.surface.UserEdit(Control::关键词编辑框, "s1");
  {
    FileSizeLimit fullDisk(8);
    world.surface.AppendControlText(Control::一级结果框, "k2 is too long\r\n");
    EXPECT_EQ(world.LastStatus(), kResultSaveFailed);
    world.surface.UserEdit(Control::关键词编辑框, "s1 is too long");
    EXPECT_EQ(world.LastStatus(), kSeedSaveFailed);
  }
  EXPECT_EQ(world.dir.Read("data/jg-1.txt"), "k1\r\n");
  EXPECT_EQ(world.dir.Read("data/zz-1.txt"), "s1");
  EXPECT_EQ(DataNames(world), (std::vector<std::string>{"jg-1.txt", "zz-1.txt"}));
}

TEST(CategoryFiles, WithoutTheDataDirectoryTheBoxesLoadEmptyAndEverySaveFails) {
  StorageWorld world(StorageWorld::DataDirectory::Missing);
  world.Run(LoadCategoryTexts);
  EXPECT_EQ(world.surface.Peek(Control::关键词编辑框), "");
  EXPECT_EQ(world.surface.Peek(Control::一级结果框), "");
  EXPECT_EQ(world.surface.StatusLog(), (std::vector<Text>{kSeedSaveFailed, kResultSaveFailed}));

  world.Run([] { SelectCategory(3); });
  world.surface.UserEdit(Control::关键词编辑框, "typed");
  EXPECT_EQ(world.LastStatus(), kSeedSaveFailed);
  world.surface.AppendControlText(Control::一级结果框, "appended");
  EXPECT_EQ(world.LastStatus(), kResultSaveFailed);
  EXPECT_TRUE(NamesIn(world.dir.path()).empty()) << "nothing is created, not even the directory";
}

TEST(CategoryFiles, AfterASwitchTheNextAppendGoesToTheNewCategorysFile) {
  StorageWorld world;
  world.Run([] { SelectCategory(2); });
  // A crawl worker appends batches while the user picks another category.
  std::thread worker([&] { world.surface.AppendControlText(Control::一级结果框, "k1\r\nk2\r\n"); });
  worker.join();
  world.Run([] { SelectCategory(5); });
  worker = std::thread([&] { world.surface.AppendControlText(Control::一级结果框, "k3\r\n"); });
  worker.join();

  EXPECT_EQ(world.dir.Read("data/jg-2.txt"), "k1\r\nk2\r\n");
  EXPECT_EQ(world.dir.Read("data/jg-5.txt"), "k3\r\n");
  EXPECT_EQ(world.surface.Peek(Control::一级结果框), "k3\r\n");
}

TEST(CategoryFiles, PickingTheCurrentCategoryAgainReloadsBothBoxesFromTheirFiles) {
  StorageWorld world;
  world.dir.Write("data/zz-3.txt", "before");
  world.Run([] { SelectCategory(3); });
  world.dir.Write("data/zz-3.txt", "changed by another program");
  world.Run([] { SelectCategory(3); });
  EXPECT_EQ(world.surface.Peek(Control::关键词编辑框), "changed by another program");
  EXPECT_EQ(world.dir.Read("data/zz-3.txt"), "changed by another program");
}

}  // namespace
