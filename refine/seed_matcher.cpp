#include "refine/seed_matcher.h"

#include <algorithm>
#include <utility>

#include "text/text.h"

namespace {

// The trie while it grows: the edges of each node in a list of their own.
struct GrowingTrie {
  std::vector<std::vector<std::pair<unsigned char, std::int32_t>>> children{1};
  std::vector<bool> seedEnds{false};
  std::vector<std::int32_t> depth{0};

  void Add(std::string_view seed) {
    std::int32_t node = 0;
    for (char c : seed) {
      auto byte = static_cast<unsigned char>(c);
      auto& edges = children[node];
      auto edge = std::find_if(edges.begin(), edges.end(), [&](const auto& e) { return e.first == byte; });
      if (edge != edges.end()) {
        node = edge->second;
        continue;
      }
      auto child = static_cast<std::int32_t>(children.size());
      edges.emplace_back(byte, child);
      children.emplace_back();
      seedEnds.push_back(false);
      depth.push_back(depth[node] + 1);
      node = child;
    }
    seedEnds[node] = true;
  }

  // The nodes in breadth-first order, so that every node's fail target comes before it.
  std::vector<std::int32_t> BreadthFirstOrder() {
    std::vector<std::int32_t> order{0};
    order.reserve(children.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
      std::sort(children[order[i]].begin(), children[order[i]].end());
      for (const auto& edge : children[order[i]]) order.push_back(edge.second);
    }
    return order;
  }
};

}  // namespace

SeedMatcher::SeedMatcher(const std::vector<std::string_view>& seeds) {
  GrowingTrie trie;
  for (std::string_view seed : seeds) {
    if (seed.empty()) {
      hasEmptySeed_ = true;
    } else {
      trie.Add(seed);
    }
  }

  // Flattened and renumbered in breadth-first order.
  std::vector<std::int32_t> order = trie.BreadthFirstOrder();
  const std::size_t nodeCount = order.size();
  std::vector<std::int32_t> newIndex(nodeCount);
  for (std::size_t i = 0; i < nodeCount; ++i) newIndex[order[i]] = static_cast<std::int32_t>(i);
  edgeBegin_.assign(nodeCount + 1, 0);
  depth_.resize(nodeCount);
  for (std::size_t i = 0; i < nodeCount; ++i) {
    const auto& edges = trie.children[order[i]];
    edgeBegin_[i + 1] = edgeBegin_[i] + static_cast<std::int32_t>(edges.size());
    for (const auto& [byte, target] : edges) {
      edgeBytes_.push_back(byte);
      edgeTargets_.push_back(newIndex[target]);
    }
    depth_[i] = trie.depth[order[i]];
  }
  for (int byte = 0; byte < 256; ++byte)
    rootNext_[byte] = std::max(Child(0, static_cast<unsigned char>(byte)), 0);

  // Fail and seed-end links, each from links of shallower nodes, which come earlier.
  fail_.assign(nodeCount, 0);
  firstSeedEnd_.assign(nodeCount, 0);
  nextSeedEnd_.assign(nodeCount, 0);
  for (std::size_t node = 0; node < nodeCount; ++node) {
    if (node != 0) {
      nextSeedEnd_[node] = firstSeedEnd_[fail_[node]];
      firstSeedEnd_[node] = trie.seedEnds[order[node]] ? static_cast<std::int32_t>(node) : nextSeedEnd_[node];
    }
    for (std::int32_t e = edgeBegin_[node]; e < edgeBegin_[node + 1]; ++e) {
      fail_[edgeTargets_[e]] = node == 0 ? 0 : Next(fail_[node], edgeBytes_[e]);
    }
  }
}

std::int32_t SeedMatcher::Child(std::int32_t state, unsigned char byte) const {
  for (std::int32_t e = edgeBegin_[state]; e < edgeBegin_[state + 1]; ++e) {
    if (edgeBytes_[e] == byte) return edgeTargets_[e];
  }
  return -1;
}

std::int32_t SeedMatcher::Next(std::int32_t state, unsigned char byte) const {
  while (state != 0) {
    std::int32_t child = Child(state, byte);
    if (child >= 0) return child;
    state = fail_[state];
  }
  return rootNext_[byte];
}

bool SeedMatcher::ContainsAnySeed(std::string_view line) {
  if (line.empty()) return false;
  if (hasEmptySeed_) return true;
  if (characterStart_.size() < line.size()) characterStart_.resize(line.size());

  std::size_t nextCharacter = 0;
  std::int32_t state = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    characterStart_[i] = i == nextCharacter;
    if (i == nextCharacter) nextCharacter = NextCharacter(line, i);
    state = Next(state, static_cast<unsigned char>(line[i]));
    // Every seed that ends here is a candidate: a shorter one may begin inside a character where a
    // longer one begins at its start, and the other way round. A seed ending here lies wholly in the
    // line, so the rule that enough bytes remain at its start holds by itself.
    for (std::int32_t end = firstSeedEnd_[state]; end != 0; end = nextSeedEnd_[end]) {
      if (characterStart_[i + 1 - depth_[end]]) return true;
    }
  }
  return false;
}
