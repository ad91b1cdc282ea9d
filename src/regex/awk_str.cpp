#include "regex/awk_str.h"

#include <string>

#include "regex/fuzzy_dictionary.h"

namespace gleanix::regex {

TAWKStr::TAWKStr() { preprocessor().addDictionary(&fuzzyCharDic()); }

bool TAWKStr::UseFuzzyCharDic() const { return preprocessor().fuzzy(); }

void TAWKStr::setUseFuzzyCharDic(bool on) {
  preprocessor().setFuzzy(on);
  const std::string pattern = RegExp();
  setRegExp(pattern);
}

}  // namespace gleanix::regex
