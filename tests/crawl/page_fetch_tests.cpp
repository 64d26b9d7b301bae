#include "crawl/page_fetch.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "crawl/related_searches.h"
#include "tests/support/gbk.h"
#include "tests/support/http_server.h"

namespace {

using namespace std::chrono_literals;

constexpr char kQuery[] = "/search?ie=gb2312&oe=gb2312&hl=zh-CN&q=";

std::string SearchUrl(const HttpServer& server, const std::string& keyword) {
  return "http://" + server.hostAndPort() + kQuery + keyword;
}

// The whole request as it must reach the server: nothing but these three headers.
std::string ExpectedRequest(const HttpServer& server, const std::string& target) {
  return "GET " + target + " HTTP/1.0\r\nHost: " + server.hostAndPort() +
         "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\nAccept: */*\r\n\r\n";
}

HttpServer::Reply Raw(std::string bytes) {
  HttpServer::Reply reply;
  reply.bytes = std::move(bytes);
  return reply;
}

// Limits short enough that a test never waits long for a server that does not answer.
FetchLimits ShortLimits() {
  FetchLimits limits;
  limits.connectTimeout = 2000ms;
  limits.idleTimeout = 300ms;
  return limits;
}

struct WireCase {
  const char* name;
  std::string keyword;
  std::string queryOnTheWire;  // what follows "q=" on the request line
};

TEST(PageFetchWire, RequestIsExactlyTheGetWithTheKeywordBytes) {
  HttpServer server([](const std::string&) { return HttpServer::Page("ok"); });
  const std::vector<WireCase> cases = {
      {"GBK bytes unescaped", Gbk("笔记本电脑"), Gbk("笔记本电脑")},
      {"GBK trail bytes that look like \\ and |", Gbk("俓亅"), Gbk("俓亅")},
      {"& = % add parameters unchanged", "a&num=100&x=%41%zz", "a&num=100&x=%41%zz"},
      {"dot segments stay", "/../x/./y", "/../x/./y"},
      {"# ends the target", Gbk("手机#价格"), Gbk("手机")},
      {"leading blank", Gbk(" 手机"), "%20" + Gbk("手机")},
      {"lone LF", "a\nb", "a%0Ab"},
      {"CR LF cannot add a header", "a\r\nX-Injected: 1", "a%0D%0AX-Injected:%201"},
      {"tab and DEL", "a\tb\x7f", "a%09b%7F"},
  };
  for (const WireCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::size_t before = server.Requests().size();
    EXPECT_EQ(FetchPageText(SearchUrl(server, c.keyword)), "ok");
    std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), before + 1);
    EXPECT_EQ(requests.back(), ExpectedRequest(server, kQuery + c.queryOnTheWire));
  }
}

TEST(PageFetchWire, ProxyVariablesOfTheEnvironmentAreIgnored) {
  HttpServer server([](const std::string&) { return HttpServer::Page("direct"); });
  HttpServer proxy([](const std::string&) { return HttpServer::Page("through the proxy"); });
  const std::string proxyUrl = "http://" + proxy.hostAndPort();
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
    setenv(name, proxyUrl.c_str(), 1);
  unsetenv("no_proxy");
  unsetenv("NO_PROXY");
  Text page = FetchPageText(SearchUrl(server, "a"));
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) unsetenv(name);
  EXPECT_EQ(page, "direct");
  EXPECT_TRUE(proxy.Requests().empty());
}

TEST(PageFetchAddress, UnusableAddressesMakeNoRequest) {
  HttpServer server([](const std::string&) { return HttpServer::Page("should not be fetched"); });
  const std::string hostAndPort = server.hostAndPort();
  const std::vector<std::string> addresses = {
      "",
      hostAndPort + kQuery + "a",                // no scheme
      "ftp://" + hostAndPort + "/search?q=a",    // not http
      "https://" + hostAndPort + "/search?q=a",  // not http
      "http://",
      "http:///search?q=a",
      "http://:" + std::to_string(server.port()) + "/search?q=a",
      "http://" + hostAndPort + "x/search?q=a",  // port is not a number
  };
  for (const std::string& address : addresses) {
    SCOPED_TRACE(address);
    EXPECT_EQ(FetchPageText(address, ShortLimits()), "");
  }
  EXPECT_TRUE(server.Requests().empty());
}

TEST(PageFetchAddress, AddressWithoutPathAsksForTheRoot) {
  HttpServer server([](const std::string&) { return HttpServer::Page("root"); });
  EXPECT_EQ(FetchPageText("http://" + server.hostAndPort()), "root");
  EXPECT_EQ(FetchPageText("http://" + server.hostAndPort() + "#top"), "root");
  std::vector<std::string> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0], ExpectedRequest(server, "/"));
  EXPECT_EQ(requests[1], ExpectedRequest(server, "/"));
}

TEST(PageFetchResponse, ErrorStatusPagesAreReadLikeAnyOther) {
  const std::string body = Gbk("<div>相关搜索<a X\">手机</a></div></div>");
  for (int status : {404, 500}) {
    SCOPED_TRACE(status);
    HttpServer server([&](const std::string&) { return HttpServer::Page(body, status); });
    RelatedSearches related = ExtractRelatedSearches(FetchPageText(SearchUrl(server, "a")));
    EXPECT_TRUE(related.found);
    EXPECT_EQ(related.keywords, std::vector<Text>{Gbk("手机")});
  }
}

TEST(PageFetchResponse, BodyWithoutContentLengthRunsToTheClose) {
  HttpServer server([](const std::string&) { return Raw("HTTP/1.0 200 OK\r\n\r\nup to the close"); });
  EXPECT_EQ(FetchPageText(SearchUrl(server, "a")), "up to the close");
}

TEST(PageFetchResponse, BytesAfterAZeroByteAreDropped) {
  HttpServer server([](const std::string&) { return HttpServer::Page(std::string("before\0after", 12)); });
  EXPECT_EQ(FetchPageText(SearchUrl(server, "a")), "before");
}

TEST(PageFetchResponse, BodyCutByAClosedConnectionIsWhatArrived) {
  HttpServer server([](const std::string&) {
    return Raw("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\nonly this much");
  });
  EXPECT_EQ(FetchPageText(SearchUrl(server, "a")), "only this much");
}

TEST(PageFetchResponse, RedirectsAreFollowedUpToTen) {
  HttpServer server([](const std::string& request) {
    if (request.starts_with("GET /search")) {
      return Raw("HTTP/1.0 302 Found\r\nLocation: /moved?q=1\r\nContent-Length: 9\r\n\r\nnot this!");
    }
    if (request.starts_with("GET /loop")) return Raw("HTTP/1.0 302 Found\r\nLocation: /loop\r\n\r\n");
    return HttpServer::Page("the page");
  });
  EXPECT_EQ(FetchPageText(SearchUrl(server, Gbk("手机"))), "the page");
  std::vector<std::string> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1], ExpectedRequest(server, "/moved?q=1"));

  // The first request and ten redirects, then the fetch gives up with nothing.
  EXPECT_EQ(FetchPageText("http://" + server.hostAndPort() + "/loop"), "");
  EXPECT_EQ(server.Requests().size(), 2u + 11u);
}

// An engine that sends its http requests on to https must still be reached: the redirected fetch opens
// a TLS connection to the new address (its first byte is a TLS handshake record, 0x16).
TEST(PageFetchResponse, ARedirectToHttpsIsFollowed) {
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 1), 0);
  ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
  const std::string secure = "https://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/secure";

  HttpServer server([&](const std::string&) {
    return Raw("HTTP/1.0 301 Moved Permanently\r\nLocation: " + secure + "\r\nContent-Length: 0\r\n\r\n");
  });
  std::thread fetch([&] { EXPECT_EQ(FetchPageText(SearchUrl(server, "a"), ShortLimits()), ""); });

  unsigned char first = 0;
  pollfd waiting{listener, POLLIN, 0};
  if (poll(&waiting, 1, 5000) == 1) {
    const int connection = accept(listener, nullptr, nullptr);
    pollfd reading{connection, POLLIN, 0};
    if (poll(&reading, 1, 5000) == 1) {
      EXPECT_EQ(read(connection, &first, 1), 1);
    }
    close(connection);
  }
  fetch.join();
  close(listener);
  EXPECT_EQ(first, 0x16);
}

TEST(PageFetchResponse, OversizedBodyIsCutAtTheLimit) {
  FetchLimits limits = ShortLimits();
  limits.maxBodyBytes = 1000;
  const std::string body(5000, 'x');
  HttpServer server([&](const std::string& request) {
    return HttpServer::Page(request.starts_with("GET /exact") ? body.substr(0, 1000) : body);
  });
  EXPECT_EQ(FetchPageText(SearchUrl(server, "a"), limits), body.substr(0, 1000));
  EXPECT_EQ(FetchPageText("http://" + server.hostAndPort() + "/exact", limits), body.substr(0, 1000));
}

TEST(PageFetchResponse, DefaultLimitKeepsTheFirstEightMebibytes) {
  const std::size_t limit = FetchLimits{}.maxBodyBytes;
  ASSERT_EQ(limit, 8u * 1024 * 1024);
  std::string body(limit + 100000, 'a');
  for (std::size_t i = 0; i < body.size(); i += 4096) body[i] = 'b';
  HttpServer server([&](const std::string&) { return HttpServer::Page(body); });
  Text page = FetchPageText(SearchUrl(server, "a"));
  ASSERT_EQ(page.size(), limit);
  EXPECT_TRUE(page == std::string_view(body).substr(0, limit));
}

TEST(PageFetchFailure, RefusedConnectionGivesTheEmptyText) {
  std::string url;
  {
    // A port that was just free and is closed again: nobody listens there.
    HttpServer gone([](const std::string&) { return HttpServer::Page("gone"); });
    url = SearchUrl(gone, "a");
  }
  EXPECT_EQ(FetchPageText(url, ShortLimits()), "");
}

TEST(PageFetchFailure, SilentServerIsGivenUpAfterTheIdleLimit) {
  HttpServer server([](const std::string&) {
    HttpServer::Reply reply;
    reply.neverAnswer = true;
    return reply;
  });
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(FetchPageText(SearchUrl(server, "a"), ShortLimits()), "");
  // A sanity bound only: without the idle limit the fetch would wait for a minute.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(PageFetchFailure, StalledBodyKeepsWhatArrivedBeforeTheIdleLimit) {
  HttpServer server([](const std::string&) {
    HttpServer::Reply reply = Raw("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\nfirst part");
    reply.pauseAfter = 20s;
    return reply;
  });
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(FetchPageText(SearchUrl(server, "a"), ShortLimits()), "first part");
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

TEST(PageFetchConcurrency, WorkersFetchAtTheSameTime) {
  // Each reply ends only when the server closes, a while after sending, so the transfers overlap.
  constexpr int kWorkers = 6;
  HttpServer server([](const std::string& request) {
    std::size_t q = request.find("q=") + 2;
    HttpServer::Reply reply =
        Raw("HTTP/1.0 200 OK\r\n\r\npage " + request.substr(q, request.find(' ', q) - q));
    reply.pauseAfter = 200ms;
    return reply;
  });
  std::vector<Text> pages(kWorkers);
  std::vector<std::thread> workers;
  for (int i = 0; i < kWorkers; ++i) {
    workers.emplace_back([&, i] { pages[i] = FetchPageText(SearchUrl(server, std::to_string(i))); });
  }
  for (std::thread& worker : workers) worker.join();
  for (int i = 0; i < kWorkers; ++i) EXPECT_EQ(pages[i], "page " + std::to_string(i));
}

}  // namespace
