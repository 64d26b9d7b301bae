#include "crawl/page_fetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kScheme = "http://";
constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(a) == lower(b);
  });
}

// The path and query as they go on the request line. Everything up to the first "#" is sent byte for
// byte, GBK bytes, "&", "=" and "%" included, because the engine reads the raw query. Only blanks and
// control bytes are escaped: unescaped they would end the request line early or start a header of the
// keyword's making.
std::string RequestTarget(std::string_view pathAndQuery) {
  pathAndQuery = pathAndQuery.substr(0, pathAndQuery.find('#'));
  std::string target;
  target.reserve(pathAndQuery.size() + 8);
  if (pathAndQuery.empty() || pathAndQuery.front() != '/') target += '/';
  for (char c : pathAndQuery) {
    auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte != 0x7F) {
      target += c;
      continue;
    }
    constexpr char kHex[] = "0123456789ABCDEF";
    target += '%';
    target += kHex[byte >> 4];
    target += kHex[byte & 0x0F];
  }
  return target;
}

// The address as curl is given it: scheme, host and port as written, then the request target. Nothing
// when the address is not an http address with a host.
std::optional<std::string> CurlAddress(std::string_view url) {
  if (!StartsWithIgnoringCase(url, kScheme)) return std::nullopt;
  std::string_view rest = url.substr(kScheme.size());
  std::size_t authorityEnd = std::min(rest.find_first_of("/?#"), rest.size());
  std::string_view authority = rest.substr(0, authorityEnd);
  if (authority.empty() || authority.front() == ':') return std::nullopt;
  return std::string(kScheme) + std::string(authority) + RequestTarget(rest.substr(authorityEnd));
}

// What one fetch collects while curl runs its callbacks.
struct Transfer {
  std::string body;
  std::size_t maxBodyBytes = 0;
  std::chrono::milliseconds idleTimeout{0};
  bool connected = false;
  Clock::time_point lastArrival;
};

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  std::size_t arrived = size * count;
  transfer.lastArrival = Clock::now();
  std::size_t room = transfer.maxBodyBytes - transfer.body.size();
  std::size_t taken = std::min(room, arrived);
  transfer.body.append(data, taken);
  // Taking less than arrived makes curl end the transfer: the rest of an oversized body is not read.
  return taken == arrived ? arrived : 0;
}

std::size_t OnHeader(char*, std::size_t size, std::size_t count, void* user) {
  static_cast<Transfer*>(user)->lastArrival = Clock::now();
  return size * count;
}

// Runs once a connection stands, before each request (the first and every redirect). The idle clock
// starts here, so a slow connect is judged by the connect limit alone.
int OnConnected(void* user, char*, char*, int, int) {
  auto& transfer = *static_cast<Transfer*>(user);
  transfer.connected = true;
  transfer.lastArrival = Clock::now();
  return CURL_PREREQFUNC_OK;
}

// curl calls this often while bytes flow and about once a second while none do.
int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto& transfer = *static_cast<const Transfer*>(user);
  if (!transfer.connected) return 0;
  return Clock::now() - transfer.lastArrival > transfer.idleTimeout ? 1 : 0;
}

// The one client of the process. curl_global_init is not thread-safe, so it runs once, inside the
// static's initialisation; each fetch then takes an easy handle of its own, which is what lets several
// workers fetch at once. The client is never torn down: detached workers may still be fetching while
// the process exits.
class HttpClient {
 public:
  HttpClient() {
    ready_ = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    // Set explicitly so that the header does not hang on curl's default.
    headers_ = curl_slist_append(nullptr, "Accept: */*");
  }

  Text Get(const std::string& address, const FetchLimits& limits) const {
    if (!ready_ || headers_ == nullptr) return Text();
    CURL* handle = curl_easy_init();
    if (handle == nullptr) return Text();
    Transfer transfer;
    transfer.maxBodyBytes = limits.maxBodyBytes;
    transfer.idleTimeout = limits.idleTimeout;
    Configure(handle, address, limits, transfer);
    // Whatever ended the transfer, the bytes that arrived are the page; a failure before the request
    // went out leaves them empty.
    curl_easy_perform(handle);
    curl_easy_cleanup(handle);
    return BytesToText(transfer.body);
  }

 private:
  void Configure(CURL* handle, const std::string& address, const FetchLimits& limits,
                 Transfer& transfer) const {
    curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
    // The target is already what goes on the request line; curl must not remove dot segments from it.
    curl_easy_setopt(handle, CURLOPT_PATH_AS_IS, 1L);
    // The first request is always http (CurlAddress takes nothing else); https must stay allowed here
    // too, as curl refuses a redirect to a protocol that this list leaves out.
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(handle, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers_);
    // Direct access always, whatever the proxy variables of the environment say.
    curl_easy_setopt(handle, CURLOPT_PROXY, "");
    curl_easy_setopt(handle, CURLOPT_NOPROXY, "*");
    // Workers are plain threads; curl must not use signals for its time-outs.
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                     std::max<long>(1, static_cast<long>(limits.connectTimeout.count())));
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_PREREQFUNCTION, OnConnected);
    curl_easy_setopt(handle, CURLOPT_PREREQDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
  }

  bool ready_ = false;
  curl_slist* headers_ = nullptr;
};

const HttpClient& Client() {
  static const HttpClient* client = new HttpClient();
  return *client;
}

}  // namespace

Text FetchPageText(const Text& url) {
  return FetchPageText(url, FetchLimits{});
}

Text FetchPageText(const Text& url, const FetchLimits& limits) {
  if (url.empty()) return Text();
  std::optional<std::string> address = CurlAddress(url);
  if (!address) return Text();
  return Client().Get(*address, limits);
}
