#include "core/appli.h"

#include <algorithm>

#include "util/path.h"
#include "util/sjis.h"

namespace gleanix::core {
namespace {

// "Quillon.exe" -> "Quillon". Only a real four-character extension goes: a
// name without one (a Linux host) is kept whole rather than losing its last
// four characters.
std::string withoutExtension(const std::string& fileName) {
  if (fileName.size() > 4 && fileName[fileName.size() - 4] == '.') return fileName.substr(0, fileName.size() - 4);
  return fileName;
}

}  // namespace

bool japaneseLanguage(std::string_view commandLine, std::string_view systemLanguageName) {
  const std::string upper = util::upperAscii(commandLine);
  if (upper.find("/JAPANESE") != std::string::npos) return true;
  if (upper.find("/ENGLISH") != std::string::npos) return false;
  return systemLanguageName.substr(0, 4) == "日本";
}

TAppli::TAppli(const sys::SystemInfo& system, const sys::FileSystem& fs) {
  std::string exe = system.executablePath();
  exe.resize(std::min(exe.size(), exe.find('\0')));
  // A directory that cannot be found keeps its spelling instead of cutting
  // the path short.
  directory_ = util::withTrailingBackslash(
      util::longPath(fs, util::extractFilePath(exe), util::MissingComponent::KeepAsGiven));
  baseName_ = withoutExtension(util::extractFileName(exe));
  japanese_ = japaneseLanguage(system.commandLine(), system.systemLanguageName());
  helpFile_ = directory_ + baseName_ + ".hlp";
  textFile_ = directory_ + baseName_ + ".txt";
}

}  // namespace gleanix::core
