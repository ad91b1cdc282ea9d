#include "regex/compiled_pattern.h"

#include "regex/re_parser.h"

namespace gleanix::regex {

CompiledPattern::CompiledPattern(std::string_view pattern, std::size_t cacheBytes) : cacheBytes_(cacheBytes) {
  TREParser::parse(pattern, tree_);
  nfa_.build(tree_);
  classes_ = std::make_unique<CharClasses>(tree_);
  start_ = std::make_unique<StartSet>(nfa_, *classes_);
  filter_ = std::make_unique<StartFilter>(*classes_, start_->startClasses);
  dfa_ = std::make_unique<TRE_DFA>(nfa_, *classes_, *start_, *filter_, cacheBytes);
  tree_.dropNodes();
}

const LeftmostDfa& CompiledPattern::leftmost() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return leftmostDfa();
}

LeftmostDfa& CompiledPattern::leftmostDfa() const {
  if (!leftmost_) leftmost_ = std::make_unique<LeftmostDfa>(nfa_, *classes_, *start_, *filter_, cacheBytes_);
  return *leftmost_;
}

bool CompiledPattern::matchesAnywhere(std::string_view text) {
  if (start_->accepting) return true;
  std::lock_guard<std::mutex> lock(mutex_);
  std::size_t idle;
  return dfa_->earliestEnd(text, idle) != std::string_view::npos;
}

bool CompiledPattern::find(std::string_view text, std::size_t& start, std::size_t& end) {
  if (start_->accepting) {
    start = end = 0;
    return true;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  // The one-pass scan is cheapest and tells whether there is a match at
  // all; the leftmost scan then only has to cover the stretch from the last
  // point where no start was alive.
  std::size_t idle;
  if (dfa_->earliestEnd(text, idle) == std::string_view::npos) return false;
  return leftmostDfa().find(text, idle, start, end);
}

}  // namespace gleanix::regex
