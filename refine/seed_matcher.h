#pragma once
// SeedMatcher: tells whether a line contains at least one of many seeds, with FindText's rule that a
// seed is found only where a character of the line begins. One pass over the line whatever the number
// of seeds (Aho-Corasick over bytes); the character starts are checked at every match.

#include <cstdint>
#include <string_view>
#include <vector>

class SeedMatcher {
 public:
  // The seeds are copied into the matcher; duplicates and their order do not matter.
  explicit SeedMatcher(const std::vector<std::string_view>& seeds);

  // True when FindText(line, seed) finds some seed. An empty seed is found in every non-empty line; the
  // empty line contains nothing.
  bool ContainsAnySeed(std::string_view line);

 private:
  std::int32_t Next(std::int32_t state, unsigned char byte) const;
  std::int32_t Child(std::int32_t state, unsigned char byte) const;

  bool hasEmptySeed_ = false;
  // Node 0 is the root. A node's edges are edgeBytes_/edgeTargets_[edgeBegin_[n], edgeBegin_[n + 1]),
  // sorted by byte.
  std::vector<std::int32_t> edgeBegin_;
  std::vector<unsigned char> edgeBytes_;
  std::vector<std::int32_t> edgeTargets_;
  // The node of the longest proper suffix of a node's bytes that is a node itself.
  std::vector<std::int32_t> fail_;
  // The nearest node along the fail chain, the node itself included, where a seed ends; 0 for none.
  std::vector<std::int32_t> firstSeedEnd_;
  // The next node along the fail chain, the node itself excluded, where a seed ends; 0 for none.
  std::vector<std::int32_t> nextSeedEnd_;
  // The bytes from the root: the length of a seed that ends at the node.
  std::vector<std::int32_t> depth_;
  // Every move from the root, so that the bytes that begin no seed cost one look-up.
  std::int32_t rootNext_[256] = {};
  // Scratch: whether each byte of the line being searched begins a character.
  std::vector<unsigned char> characterStart_;
};
