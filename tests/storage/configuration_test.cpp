// The 23-line configuration file: what a load applies (lines 1, 2 and 4 to 23, as they stand), what a
// depth or delay choice writes back, and what a short or missing file leaves in place.

#include "storage/configuration.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "storage/app_state.h"
#include "storage/category_files.h"
#include "tests/storage/storage_world.h"
#include "tests/support/gbk.h"

namespace {

using Lines = std::vector<std::string>;

std::string Joined(const Lines& lines, bool finalBreak = true) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    if (i + 1 < lines.size() || finalBreak) text += "\r\n";
  }
  return text;
}

// Depth 3, delay 2000, a line 3, then the twenty names 类别1 to 类别20.
Lines StandardLines() {
  Lines lines = {"3", "2000", Gbk("第三行")};
  for (int n = 1; n <= 20; ++n) lines.push_back(Gbk("类别") + std::to_string(n));
  return lines;
}

Lines With(Lines lines, std::size_t lineNumber, const std::string& text) {
  lines[lineNumber - 1] = text;
  return lines;
}

Lines Inserted(Lines lines, std::size_t beforeLine, const std::string& text) {
  lines.insert(lines.begin() + static_cast<long>(beforeLine - 1), text);
  return lines;
}

Text Kept(int button) {
  return "kept " + std::to_string(button);
}

// The captions a load gives the twenty buttons; nullopt where the button keeps the caption it had.
using Captions = std::vector<std::optional<Text>>;

Captions CaptionsFrom(const Lines& lines) {
  Captions captions(20);
  for (std::size_t line = 4; line <= 23 && line <= lines.size(); ++line) captions[line - 4] = lines[line - 1];
  return captions;
}

void PutConfiguration(const StorageWorld& world, const std::string& bytes) {
  world.dir.Write("data/vantor.txt", bytes);
}

std::string ConfigurationFile(const StorageWorld& world) {
  return world.dir.Read("data/vantor.txt");
}

TEST(LoadConfiguration, AppliesDepthDelayAndCaptionsAsTheFileHoldsThem) {
  struct Case {
    const char* what;
    std::optional<std::string> file;  // nullopt: no file at all
    Text depth;
    Text delay;
    Captions captions;
  };
  const Lines standard = StandardLines();
  const Lines shifted = Inserted(standard, 4, "");
  const Case cases[] = {
      {"23 lines", Joined(standard), "3", "2000", CaptionsFrom(standard)},
      {"without the final line break", Joined(standard, false), "3", "2000", CaptionsFrom(standard)},
      {"an empty line 3", Joined(With(standard, 3, "")), "3", "2000", CaptionsFrom(standard)},
      {"25 lines", Joined(Inserted(Inserted(standard, 24, "x24"), 25, "x25")), "3", "2000",
       CaptionsFrom(standard)},
      {"an empty caption", Joined(With(standard, 10, "")), "3", "2000", CaptionsFrom(With(standard, 10, ""))},
      {"an extra empty line after line 3", Joined(shifted), "3", "2000", CaptionsFrom(shifted)},
      {"a depth that is no number", Joined(With(standard, 1, "abc")), "abc", "2000", CaptionsFrom(standard)},
      {"blanks kept", Joined(With(With(standard, 1, " 5 "), 2, Gbk("１０００"))), " 5 ", Gbk("１０００"),
       CaptionsFrom(standard)},
      {"no file", std::nullopt, "", "", Captions(20)},
      {"an empty file", "", "", "", Captions(20)},
      {"one line break", "\r\n", "", "", Captions(20)},
      {"one line", "7", "7", "", Captions(20)},
      {"five lines", "7\r\n8\r\n\r\nA\r\nB\r\n", "7", "8", CaptionsFrom({"7", "8", "", "A", "B"})},
      {"an empty line 4 and nothing after", "7\r\n8\r\n\r\n\r\n", "7", "8", CaptionsFrom({"7", "8", "", ""})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StorageWorld world;
    if (c.file) PutConfiguration(world, *c.file);
    world.Run([] {
      for (int n = 1; n <= 20; ++n) SetControlCaption(CategoryButton(n), Kept(n));
      LoadConfiguration();
    });
    EXPECT_EQ(State().depthText.Get(), c.depth);
    EXPECT_EQ(State().delayText.Get(), c.delay);
    EXPECT_EQ(world.surface.Peek(Control::层次组合框), c.depth);
    EXPECT_EQ(world.surface.Peek(Control::延时组合框), c.delay);
    for (int n = 1; n <= 20; ++n) {
      EXPECT_EQ(world.surface.Peek(CategoryButton(n)), c.captions[n - 1].value_or(Kept(n))) << "button " << n;
    }
    EXPECT_EQ(ConfigurationFile(world), c.file.value_or("")) << "a load writes nothing";
    EXPECT_EQ(world.dir.Exists("data/vantor.txt"), c.file.has_value());
  }
}

TEST(ConfigurationChoice, ChoosingDepth15RewritesLine1AndSaysSo) {
  StorageWorld world;
  const Lines lines = Inserted(Inserted(StandardLines(), 24, "x24"), 25, "x25");
  PutConfiguration(world, Joined(lines));

  world.surface.ChooseListEntry(Control::层次组合框, "15");

  EXPECT_EQ(ConfigurationFile(world), Joined(With(lines, 1, "15"))) << "all 25 lines, each with CR LF";
  EXPECT_EQ(world.surface.StatusLog(),
            std::vector<Text>{Gbk("  当前状态： 种子关键词括展深度 更新为 \"15\" ！")});
  EXPECT_EQ(State().depthText.Get(), "15");
  EXPECT_EQ(world.surface.Peek(Control::层次组合框), "15");
  EXPECT_EQ(world.surface.Peek(Control::分类20), Gbk("类别20"));
}

TEST(ConfigurationChoice, ChoosingDelay3000RewritesLine2AndEndsEveryLineWithALineBreak) {
  StorageWorld world;
  PutConfiguration(world, Joined(StandardLines(), false));

  world.surface.ChooseListEntry(Control::延时组合框, "3000");

  EXPECT_EQ(ConfigurationFile(world), Joined(With(StandardLines(), 2, "3000")));
  EXPECT_EQ(world.surface.StatusLog(),
            std::vector<Text>{Gbk("  当前状态： 和淘宝官方系统链接的延时处理时间 更新为 \"3000\" ！")});
  EXPECT_EQ(State().delayText.Get(), "3000");
  EXPECT_EQ(world.surface.Peek(Control::延时组合框), "3000");
}

TEST(ConfigurationChoice, UpdatingALineKeepsEveryOtherLineAsItStands) {
  struct Case {
    const char* what;
    std::optional<std::string> file;
    int lineNumber;
    int value;
    std::string written;
  };
  const Case cases[] = {
      {"empty lines kept", "5\r\n\r\n\r\nA", 1, 9, "9\r\n\r\n\r\nA\r\n"},
      {"a line past the end replaces nothing", "7", 2, 3000, "7\r\n"},
      {"a negative value", "7\r\n1000\r\n", 2, -12, "7\r\n-12\r\n"},
      {"a file without lines stays without", "", 1, 5, ""},
      // The empty text is written back all the same, so the file now exists, empty.
      {"no file", std::nullopt, 1, 5, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StorageWorld world;
    if (c.file) PutConfiguration(world, *c.file);
    world.Run([&] { UpdateConfigurationLine(c.lineNumber, c.value); });
    EXPECT_EQ(ConfigurationFile(world), c.written);
    EXPECT_TRUE(world.dir.Exists("data/vantor.txt"));
  }
}

TEST(ConfigurationChoice, AReadOnlyFileIsNotRewrittenAndTheChoiceIsStillAnnounced) {
  StorageWorld world;
  PutConfiguration(world, Joined(StandardLines()));
  chmod((world.dir.path() / "data" / "vantor.txt").c_str(), 0444);

  world.surface.ChooseListEntry(Control::层次组合框, "15");

  EXPECT_EQ(ConfigurationFile(world), Joined(StandardLines()));
  EXPECT_EQ(world.LastStatus(), Gbk("  当前状态： 种子关键词括展深度 更新为 \"15\" ！"));
  // The reload cannot read a read-only file: it applies no lines.
  EXPECT_EQ(State().depthText.Get(), "");
}

TEST(ConfigurationChoice, LeavesTheCurrentCategoryAndItsBoxesAlone) {
  StorageWorld world;
  PutConfiguration(world, Joined(StandardLines()));
  world.dir.Write("data/zz-3.txt", "seeds");
  world.dir.Write("data/jg-3.txt", "results");
  world.Run([] { SelectCategory(3); });
  const std::size_t seedSaves = world.surface.TextChangedCount(Control::关键词编辑框);

  world.surface.ChooseListEntry(Control::延时组合框, "9000");

  EXPECT_EQ(State().seedFilePath, "data\\zz-3.txt");
  EXPECT_EQ(world.surface.Peek(Control::关键词编辑框), "seeds");
  EXPECT_EQ(world.surface.Peek(Control::一级结果框), "results");
  EXPECT_EQ(world.surface.TextChangedCount(Control::关键词编辑框), static_cast<int>(seedSaves));
  EXPECT_EQ(world.dir.Read("data/zz-3.txt"), "seeds");
}

}  // namespace
