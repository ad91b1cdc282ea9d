#include "backend/win32/win32_system_info.h"

#include <windows.h>

namespace gleanix::backend {

std::string Win32SystemInfo::executablePath() const {
  // A full buffer means the path was cut: try again with a larger one.
  for (DWORD capacity = MAX_PATH + 1; capacity <= 65536; capacity *= 2) {
    std::string buffer(capacity, '\0');
    const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), capacity);
    if (n == 0) return {};
    if (n < capacity) {
      buffer.resize(n);
      return buffer;
    }
  }
  return {};
}

std::string Win32SystemInfo::commandLine() const {
  const char* line = GetCommandLineA();
  return line ? line : "";
}

namespace {

std::string localeInfo(LCTYPE type) {
  const int n = GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, type, nullptr, 0);
  if (n <= 0) return {};
  std::string text(static_cast<std::size_t>(n), '\0');
  if (GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, type, text.data(), n) <= 0) return {};
  return text.substr(0, text.find('\0'));
}

}  // namespace

std::string Win32SystemInfo::systemLanguageName() const {
  // The name in the user interface's language ("日本語 (日本)" on Japanese
  // Windows). When that language is the system's own, the name is the native
  // one: asked for directly, because Wine answers LOCALE_SLANGUAGE in English
  // whatever its interface language.
  if (GetUserDefaultUILanguage() == LANGIDFROMLCID(GetSystemDefaultLCID())) {
    std::string native = localeInfo(LOCALE_SNATIVEDISPLAYNAME);
    if (!native.empty()) return native;
  }
  return localeInfo(LOCALE_SLANGUAGE);
}

std::int32_t Win32SystemInfo::timeZoneBias() const {
  // The bias in force now, so that summer time counts as the local clock does.
  TIME_ZONE_INFORMATION zone{};
  switch (GetTimeZoneInformation(&zone)) {
    case TIME_ZONE_ID_DAYLIGHT: return zone.Bias + zone.DaylightBias;
    case TIME_ZONE_ID_STANDARD: return zone.Bias + zone.StandardBias;
    case TIME_ZONE_ID_UNKNOWN: return zone.Bias;
    default: return 0;
  }
}

}  // namespace gleanix::backend
