#include "tests/ui/window_world.h"

#include "tests/support/gbk.h"
#include "ui/event_table.h"
#include "ui/main_window_handlers.h"

std::string ConfigurationBytes(const std::string& depth, const std::string& delay) {
  std::string text = depth + "\r\n" + delay + "\r\n" + "line three\r\n";
  for (int number = 1; number <= 20; ++number) text += Gbk("类别" + std::to_string(number)) + "\r\n";
  return text;
}

namespace {

TempDir& Prepared(TempDir& dir) {
  dir.Write("data/vantor.txt", ConfigurationBytes());
  dir.Write("data/zz-1.txt", Gbk("苹果\r\n香蕉"));
  dir.Write("data/jg-1.txt", Gbk("苹果价格\r\n"));
  dir.Write("data/zz-3.txt", Gbk("第三类种子\r\n"));
  dir.Write("data/jg-3.txt", Gbk("第三类结果\r\n"));
  return dir;
}

}  // namespace

WindowWorld::WindowWorld() : surface(DispatchEvent) {
  Prepared(dir);
  InstallSurface(&surface);
  surface.Run(InitialiseMainWindow);
}

Text WindowWorld::LastStatus() {
  std::vector<Text> log = surface.StatusLog();
  return log.empty() ? Text() : log.back();
}
