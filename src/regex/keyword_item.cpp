#include "regex/keyword_item.h"

#include <unordered_map>

#include "sys/file_system.h"
#include "util/sjis.h"

namespace gleanix::regex {

void TKeywordItem::setPlainMode(bool on) {
  plainMode_ = on;
  compiled_ = false;
}

void TKeywordItem::setFuzzy(bool on) {
  fuzzy_ = on;
  compiled_ = false;
}

void TKeywordItem::setKeywords(std::string_view keywords) {
  terms_.clear();
  lineEnds_.Clear();
  compiled_ = false;
  // Lines end at CR LF, as typed in the keyword box; a lone CR or LF ends a
  // line too, as the host's string lists read text.
  for (const std::string& rawLine : sys::splitLines(util::trim(keywords))) {
    std::string_view line = util::trim(rawLine);
    if (line.empty()) continue;
    while (!line.empty()) {
      const std::size_t space = line.find(' ');
      if (space == std::string_view::npos) {
        terms_.emplace_back(line);
        break;
      }
      terms_.emplace_back(line.substr(0, space));
      line = util::trim(line.substr(space + 1));
    }
    lineEnds_.Add(static_cast<std::int32_t>(terms_.size()) - 1);
  }
}

void TKeywordItem::compile() {
  matchers_.clear();
  matcherOf_.clear();
  // A term written more than once is compiled once: the same text gives the
  // same matcher, and thousands of short terms repeat a lot.
  std::unordered_map<std::string_view, std::size_t> seen;
  for (const std::string& term : terms_) {
    auto [it, added] = seen.try_emplace(term, matchers_.size());
    if (added) {
      auto matcher = std::make_unique<TAWKStr>();
      matcher->setUseFuzzyCharDic(fuzzy_);
      matcher->setLiteralPattern(plainMode_);
      matcher->setRegExp(term);
      matchers_.push_back(std::move(matcher));
    }
    matcherOf_.push_back(it->second);
  }
  compiled_ = true;
}

bool TKeywordItem::test() { return test(text); }

bool TKeywordItem::test(std::string_view subject) {
  if (!compiled_) compile();
  std::int64_t first = 0;
  for (std::int64_t line = 0; line < lineEnds_.Count(); ++line) {
    const std::int64_t last = lineEnds_.Item(line);
    bool all = true;
    for (std::int64_t t = first; t <= last && all; ++t) {
      all = matchers_[matcherOf_[static_cast<std::size_t>(t)]]->matchesAnywhere(subject);
    }
    if (all) return true;
    first = last + 1;
  }
  return false;
}

}  // namespace gleanix::regex
