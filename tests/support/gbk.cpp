#include "tests/support/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Convert(std::string_view in, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    std::perror("iconv_open");
    std::abort();
  }
  std::string out(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) {
    std::fprintf(stderr, "iconv %s -> %s failed at byte %zu\n", from, to, in.size() - srcLeft);
    std::abort();
  }
  iconv_close(cd);
  out.resize(out.size() - dstLeft);
  return out;
}

}  // namespace

std::string Gbk(std::string_view utf8) {
  return Convert(utf8, "GBK", "UTF-8");
}

std::string Utf8(std::string_view gbk) {
  return Convert(gbk, "UTF-8//IGNORE", "GBK");
}
