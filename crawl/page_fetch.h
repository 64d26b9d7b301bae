#pragma once
// One HTTP GET of a results page. One client serves every thread of the process.

#include <chrono>
#include <cstddef>

#include "text/text.h"

struct FetchLimits {
  // Giving up: no connection within this time, or no byte arriving for this long.
  std::chrono::milliseconds connectTimeout{60000};
  std::chrono::milliseconds idleTimeout{60000};
  // The page is at most this many bytes; the rest of a larger body is not read.
  std::size_t maxBodyBytes = 8 * 1024 * 1024;
};

// The response body of any status, up to its first zero byte; the bytes that arrived when a read failed
// or a limit ended the transfer; the empty text when no request could be made. Never fails.
Text FetchPageText(const Text& url);
Text FetchPageText(const Text& url, const FetchLimits& limits);
