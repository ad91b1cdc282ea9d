#pragma once
// The plug-in's names and version texts, as the host and the receivers of
// its mail see them.

namespace gleanix::core {

inline constexpr const char* kPlugName = "Gleanix";
inline constexpr const char* kVersionText = "Ver.0.03 Rev.10";
inline constexpr const char* kCopyrightYear = "1999-2000";
// Hosts whose version string sorts below this one, byte by byte, are refused.
inline constexpr const char* kMinimumHostVersion = "1.10";
inline constexpr const char* kRegistryKey = "Software\\Orvane Lab\\Gleanix";

}  // namespace gleanix::core
