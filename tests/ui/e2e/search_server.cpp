// The search engine of the end-to-end test. On 127.0.0.1 and the given port it answers every results-page
// request with a page whose related searches are the asked keyword followed by "价格" and by "图片"
// (GBK), and it logs each request line. It stops by itself after the given number of seconds.
//
//   search_server PORT SECONDS LOGFILE

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/gbk.h"
#include "tests/support/http_server.h"

namespace {

// The keyword is the rest of the request target after "q=", as the program sent it.
std::string KeywordOf(const std::string& request) {
  std::size_t lineEnd = request.find("\r\n");
  std::string line = request.substr(0, lineEnd);
  std::size_t start = line.find("q=");
  std::size_t end = line.rfind(' ');
  if (start == std::string::npos || end == std::string::npos || end < start) return {};
  return line.substr(start + 2, end - start - 2);
}

std::string PageFor(const std::string& keyword) {
  return "<html><body><div id=\"related\"><h3>" + Gbk("相关搜索") + "</h3><p>" +
         "<a href=\"/search?q=1\" class=\"X\">" + keyword + Gbk("价格") + "</a> " +
         "<a href=\"/search?q=2\" class=\"X\">" + keyword + Gbk("图片") + "</a>" +
         "</p></div></div></body></html>";
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: search_server PORT SECONDS LOGFILE\n");
    return 2;
  }
  int port = std::atoi(argv[1]);
  int seconds = std::atoi(argv[2]);
  std::ofstream log(argv[3], std::ios::binary | std::ios::app);
  try {
    HttpServer server(
        [&](const std::string& request) {
          log << request.substr(0, request.find("\r\n")) << "\n" << std::flush;
          return HttpServer::Page(PageFor(KeywordOf(request)));
        },
        static_cast<std::uint16_t>(port));
    std::printf("ready %s\n", server.hostAndPort().c_str());
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "search_server: cannot serve on 127.0.0.1:%d: %s\n", port, error.what());
    return 1;
  }
  return 0;
}
