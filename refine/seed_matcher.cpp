#include "refine/seed_matcher.h"

#include <algorithm>
#include <utility>

#include "text/text.h"

namespace {

using Edges = std::vector<std::pair<unsigned char, std::int32_t>>;

std::int32_t FindEdge(const Edges& edges, unsigned char byte) {
  for (const auto& [edgeByte, target] : edges) {
    if (edgeByte == byte) return target;
  }
  return -1;
}

}  // namespace

SeedMatcher::SeedMatcher(const std::vector<std::string_view>& seeds) {
  // The trie, with the edges of each node in a list of its own while it grows.
  std::vector<Edges> children(1);
  std::vector<bool> seedEnds(1, false);
  std::vector<std::int32_t> depth(1, 0);
  for (std::string_view seed : seeds) {
    if (seed.empty()) {
      hasEmptySeed_ = true;
      continue;
    }
    std::int32_t node = 0;
    for (char c : seed) {
      auto byte = static_cast<unsigned char>(c);
      std::int32_t child = FindEdge(children[node], byte);
      if (child < 0) {
        child = static_cast<std::int32_t>(children.size());
        children[node].emplace_back(byte, child);
        children.emplace_back();
        seedEnds.push_back(false);
        depth.push_back(depth[node] + 1);
      }
      node = child;
    }
    seedEnds[node] = true;
  }

  // Renumber the nodes in breadth-first order, so that a node's fail target always comes before it.
  std::size_t nodeCount = children.size();
  std::vector<std::int32_t> order{0};
  order.reserve(nodeCount);
  for (std::size_t i = 0; i < order.size(); ++i) {
    std::sort(children[order[i]].begin(), children[order[i]].end());
    for (const auto& edge : children[order[i]]) order.push_back(edge.second);
  }
  std::vector<std::int32_t> newIndex(nodeCount);
  for (std::size_t i = 0; i < nodeCount; ++i) newIndex[order[i]] = static_cast<std::int32_t>(i);

  edgeBegin_.assign(nodeCount + 1, 0);
  depth_.resize(nodeCount);
  for (std::size_t i = 0; i < nodeCount; ++i) {
    const Edges& edges = children[order[i]];
    edgeBegin_[i + 1] = edgeBegin_[i] + static_cast<std::int32_t>(edges.size());
    for (const auto& [byte, target] : edges) {
      edgeBytes_.push_back(byte);
      edgeTargets_.push_back(newIndex[target]);
    }
    depth_[i] = depth[order[i]];
  }
  for (int byte = 0; byte < 256; ++byte) {
    rootNext_[byte] = std::max(Child(0, static_cast<unsigned char>(byte)), 0);
  }

  fail_.assign(nodeCount, 0);
  firstSeedEnd_.assign(nodeCount, 0);
  nextSeedEnd_.assign(nodeCount, 0);
  for (std::size_t node = 0; node < nodeCount; ++node) {
    if (node != 0) {
      nextSeedEnd_[node] = firstSeedEnd_[fail_[node]];
      firstSeedEnd_[node] = seedEnds[order[node]] ? static_cast<std::int32_t>(node) : nextSeedEnd_[node];
    }
    for (std::int32_t e = edgeBegin_[node]; e < edgeBegin_[node + 1]; ++e) {
      std::int32_t child = edgeTargets_[e];
      fail_[child] = node == 0 ? 0 : Next(fail_[node], edgeBytes_[e]);
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
    // Every seed that ends here is a candidate: a shorter one may start inside a character where a
    // longer one starts at its beginning, and the other way round.
    for (std::int32_t end = firstSeedEnd_[state]; end != 0; end = nextSeedEnd_[end]) {
      if (characterStart_[i + 1 - depth_[end]]) return true;
    }
  }
  return false;
}
