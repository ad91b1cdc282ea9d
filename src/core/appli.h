#pragma once
// TAppli: facts about the application the plug-in runs in, gathered once
// when the library is loaded.

#include <string>

#include "sys/file_system.h"
#include "sys/system_info.h"

namespace gleanix::core {

class TAppli {
 public:
  TAppli(const sys::SystemInfo& system, const sys::FileSystem& fs);

  const std::string& companyName() const { return companyName_; }
  const std::string& productName() const { return productName_; }
  // The executable's directory, each component spelt as stored on disk,
  // ending in "\".
  const std::string& directory() const { return directory_; }
  // The executable's file name without its extension ("Quillon").
  const std::string& baseName() const { return baseName_; }
  // "/JAPANESE" on the command line, else not "/ENGLISH" there, else a
  // system language whose name starts with "日本".
  bool japanese() const { return japanese_; }
  const std::string& helpFile() const { return helpFile_; }  // directory + base name + ".hlp"
  const std::string& textFile() const { return textFile_; }  // directory + base name + ".txt"

 private:
  std::string companyName_ = "Sample Soft";
  std::string productName_ = "Sample";
  std::string directory_;
  std::string baseName_;
  bool japanese_ = false;
  std::string helpFile_;
  std::string textFile_;
};

// The language rule on its own: the command line wins over the system.
bool japaneseLanguage(std::string_view commandLine, std::string_view systemLanguageName);

}  // namespace gleanix::core
