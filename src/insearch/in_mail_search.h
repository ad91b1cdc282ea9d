#pragma once
// The in-mail search command: find (code 0), find next (2) in a VIEW
// window; find (10), replace (11), find or replace next (12) in a SEND
// window. The dialog codes ask with TSearchForm first; find next repeats
// the last dialog's search from the settings without asking.

#include <optional>
#include <string>

#include "core/started_plugin.h"
#include "regex/regular_expression.h"

namespace gleanix::insearch {

// The caption of a bad pattern's message.
inline constexpr const char* kErrorCaption = "エラー";

void inMailSearch(core::StartedPlugin& plugin, sys::WindowHandle window, int code);

// Gives the matcher the pattern and the plain-text switch unless it already
// holds both (it keeps what it compiled). The message of the pattern's
// syntax error, text and position, or nullopt when it compiled; an error
// that the fuzzy rewrite swallowed counts too, and a pattern that failed
// last time is set (and fails) again.
std::optional<std::string> preparePattern(regex::TRegularExpression& matcher, const std::string& pattern,
                                          bool plain);

}  // namespace gleanix::insearch
