#pragma once
// Cutting the related-searches block out of a results page and listing the link texts in it.

#include <vector>

#include "text/text.h"

struct RelatedSearches {
  bool found = false;           // the block was found
  std::vector<Text> keywords;   // the link texts in page order; empty when not found
};

RelatedSearches ExtractRelatedSearches(const Text& pageText);
