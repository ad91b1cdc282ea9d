#pragma once
// The settings of the in-mail search, section "Search": the two histories
// (newest first, the first line is the present text) and the options.

#include <cstddef>

namespace gleanix::insearch::search_settings {

inline constexpr const char* kSection = "Search";
inline constexpr const char* kKeyword = "Keyword";
inline constexpr const char* kReplace = "Replace";
inline constexpr const char* kRegularExpression = "RegularExpression";  // default false
inline constexpr const char* kMessage = "Message";                      // default true
inline constexpr const char* kContinue = "Continue";                    // default true
inline constexpr const char* kConfirm = "Confirm";                      // default true
inline constexpr const char* kFind = "Find";                            // default true
inline constexpr std::size_t kHistoryLimit = 20;

}  // namespace gleanix::insearch::search_settings
