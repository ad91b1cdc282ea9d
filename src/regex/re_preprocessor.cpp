#include "regex/re_preprocessor.h"

#include <algorithm>

#include "regex/re_scanner.h"

namespace gleanix::regex {

void TREPreProcessor::emit(std::string_view text, std::size_t patternStart) {
  pieces_.push_back({output_.size(), patternStart});
  output_ += text;
}

void TREPreProcessor::process(std::string_view pattern) {
  output_.clear();
  pieces_.clear();
  patternSize_ = pattern.size();
  if (!fuzzy_) {
    output_.assign(pattern);
    return;
  }
  const std::vector<TREToken> tokens = tokenizePattern(pattern);
  auto original = [&](const TREToken& t) { return pattern.substr(t.start, t.end - t.start); };

  std::vector<Code> codes;
  bool inClass = false;
  std::size_t i = 0;
  while (i < tokens.size()) {
    const TREToken& t = tokens[i];
    if (inClass || t.kind != TokenKind::Literal) {
      if (t.kind == TokenKind::ClassOpen || t.kind == TokenKind::NegatedClassOpen) inClass = true;
      if (t.kind == TokenKind::ClassClose) inClass = false;
      emit(original(t), t.start);
      ++i;
      continue;
    }
    // A maximal run of literal characters: tokens [i, runEnd).
    std::size_t runEnd = i;
    codes.clear();
    while (runEnd < tokens.size() && tokens[runEnd].kind == TokenKind::Literal) codes.push_back(tokens[runEnd++].code);
    const std::size_t runStart = i;
    while (i < runEnd) {
      const Code* at = codes.data() + (i - runStart);
      const std::size_t left = runEnd - i;
      bool folded = false;
      for (const FuzzyDictionary* dictionary : dictionaries_) {
        if (auto hit = dictionary->find(at, left)) {
          emit(dictionary->alternation(hit->group), tokens[i].start);
          i += hit->length;
          folded = true;
          break;
        }
      }
      if (!folded) {
        emit(original(tokens[i]), tokens[i].start);
        ++i;
      }
    }
  }
}

std::size_t TREPreProcessor::patternPosition(std::size_t outputPosition) const {
  if (!fuzzy_) return outputPosition;
  if (outputPosition == 0 || outputPosition > output_.size()) return patternSize_ + 1;
  const std::size_t offset = outputPosition - 1;
  auto it = std::upper_bound(pieces_.begin(), pieces_.end(), offset,
                             [](std::size_t v, const Piece& p) { return v < p.outputStart; });
  if (it == pieces_.begin()) return 1;
  return std::prev(it)->patternStart + 1;
}

void TREPreProcessor::releaseOutput() {
  std::string().swap(output_);
  std::vector<Piece>().swap(pieces_);
}

}  // namespace gleanix::regex
