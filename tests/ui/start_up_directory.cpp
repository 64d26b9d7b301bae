#include "tests/ui/start_up_directory.h"

#include "tests/support/gbk.h"

std::string ConfigurationBytes(const std::string& depth, const std::string& delay) {
  std::string text = depth + "\r\n" + delay + "\r\n" + "line three\r\n";
  for (int number = 1; number <= 20; ++number) text += Gbk("类别" + std::to_string(number)) + "\r\n";
  return text;
}

void PrepareStartUpDirectory(const TempDir& dir) {
  dir.Write("data/vantor.txt", ConfigurationBytes());
  dir.Write("data/zz-1.txt", Gbk("苹果\r\n香蕉"));
  dir.Write("data/jg-1.txt", Gbk("苹果价格\r\n"));
  dir.Write("data/zz-3.txt", Gbk("第三类种子\r\n"));
  dir.Write("data/jg-3.txt", Gbk("第三类结果\r\n"));
}
