#pragma once
// Random texts over a few bytes chosen to make the edges common: repeated short lines, lead bytes
// whose second byte is a CR or another lead byte, lone CRs and LFs, and CR LF pairs.

#include <random>
#include <string>

inline std::string RandomText(std::mt19937& rng, int maxLength) {
  static constexpr char kBytes[] = {'a', 'b', '\xB0', '\xA1', '\r', '\n', '\r', '\n', 'a', '\xB0'};
  std::uniform_int_distribution<int> length(0, maxLength);
  std::uniform_int_distribution<int> pick(0, sizeof kBytes - 1);
  std::string text;
  for (int n = length(rng); n > 0; --n) {
    // A CR LF pair more often than chance would give, so that texts split into several lines.
    if (pick(rng) == 0) {
      text += "\r\n";
    } else {
      text += kBytes[pick(rng)];
    }
  }
  return text;
}
