#pragma once
// TAWKStr: the matcher the rest of the program uses - TMatchCORE with the
// fuzzy character dictionary in its preprocessor. Folding is off until
// UseFuzzyCharDic is set.

#include "regex/match_core.h"

namespace gleanix::regex {

class TAWKStr : public TMatchCORE {
 public:
  TAWKStr();

  bool UseFuzzyCharDic() const;
  // Stores the flag and sets RegExp again to its present value, so that the
  // compiled automaton follows the flag; raises as setRegExp does.
  void setUseFuzzyCharDic(bool on);
};

}  // namespace gleanix::regex
