#include "crawl/related_searches.h"

#include <boost/regex.hpp>

#include <stdexcept>

#include "text/find_replace.h"

namespace {

// Perl syntax, case-sensitive, "." taking every byte: a block or a link text may span lines. The
// patterns and the page are GBK bytes and are compared as such.
constexpr auto kSyntax = boost::regex_constants::perl | boost::regex_constants::mod_s;

const boost::regex& BlockPattern() {
  static const boost::regex pattern("相关搜索(.*?)</div></div>", kSyntax);
  return pattern;
}

const boost::regex& LinkPattern() {
  static const boost::regex pattern("X_>(.*?)</a>", kSyntax);
  return pattern;
}

}  // namespace

RelatedSearches ExtractRelatedSearches(const Text& pageText) {
  RelatedSearches result;
  boost::smatch block;
  // The engine throws when a search exceeds its own limits; such a search finds nothing.
  try {
    if (!boost::regex_search(pageText, block, BlockPattern())) return result;
  } catch (const std::runtime_error&) {
    return result;
  }
  result.found = true;

  // A link tag that ends in X" reads X_> once its quotes are underscores. Only the first 30 quotes of
  // the block change, so a link behind the 31st quote is not found.
  const Text links = ReplaceText(block.str(1), "\"", "_", 1, 30, true);
  try {
    for (boost::sregex_iterator it(links.begin(), links.end(), LinkPattern()), end; it != end; ++it) {
      result.keywords.push_back((*it).str(1));
    }
  } catch (const std::runtime_error&) {
    // The links found before the engine gave up still count.
  }
  return result;
}
