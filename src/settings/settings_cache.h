#pragma once
// The settings file in memory. Every line is kept in four parallel lists,
// indexed alike: full names as written, the same names upper-cased (the
// lookup key), type words, escaped value texts. The live settings cache
// takes every read and write of the program and alone is written back; a
// read-only snapshot of the same file format is loaded once at start-up.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_line.h"
#include "settings/variant.h"
#include "sys/file_system.h"

namespace gleanix::settings {

class SettingsCache {
 public:
  // Replaces the cache with the file at path and remembers the path for
  // saving. A missing file leaves the cache empty (every read gives its
  // default). A file that exists but cannot be read also reads as empty,
  // and then saving refuses to overwrite it.
  void loadSettings(const sys::FileSystem& fs, const std::string& path);
  // Replaces the cache with the lines of a file's bytes (path unchanged).
  void loadText(std::string_view bytes);
  void freeSettings();

  // The value of section + "\" + key (names compare without regard to
  // case), decoded by its type word; def when absent or not decodable.
  Variant readSetting(std::string_view section, std::string_view key, const Variant& def) const;
  // The same, converted to the asked type; def also when it does not convert.
  bool readBool(std::string_view section, std::string_view key, bool def) const;
  std::int32_t readInt(std::string_view section, std::string_view key, std::int32_t def) const;
  double readFloat(std::string_view section, std::string_view key, double def) const;
  DateTime readDate(std::string_view section, std::string_view key, const DateTime& def) const;
  std::string readString(std::string_view section, std::string_view key, std::string_view def) const;

  // An empty value removes the setting. Otherwise the entry takes the name
  // as written here, the value's type and text, and keeps its line; a new
  // one goes at the end. Memory only: saveSettings writes the file. Names
  // are the program's own: no "=", no line break, no lone lead byte.
  void writeSetting(std::string_view section, std::string_view key, const Variant& value);

  // Writes the whole cache to the remembered path, creating its directory
  // chain first. The file is replaced atomically, so a crash leaves the old
  // or the new file whole. False when nothing could be written.
  bool saveSettings(sys::FileSystem& fs) const;

  // The file content saveSettings writes: every line followed by CR LF.
  std::string text() const;
  const std::string& path() const { return path_; }
  std::size_t size() const { return names_.size(); }

 private:
  std::size_t find(std::string_view upperName) const;  // npos when absent
  std::optional<Variant> lookup(std::string_view section, std::string_view key) const;
  void append(const SettingsLine& line, std::string upperName);
  void erase(std::size_t index);

  std::vector<std::string> names_;
  std::vector<std::string> upperNames_;
  std::vector<std::string> types_;
  std::vector<std::string> values_;
  // How each line was built; only lines read from the file can differ from Entry.
  std::vector<LineShape> shapes_;
  std::string path_;
  bool unreadableFile_ = false;
};

// The second, read-only copy of the settings file: loaded once at start-up
// from the location of the host's registry family, never saved.
class SettingsSnapshot {
 public:
  void loadSnapshot(const sys::FileSystem& fs, const std::string& path) { cache_.loadSettings(fs, path); }
  void loadText(std::string_view bytes) { cache_.loadText(bytes); }
  void freeSnapshot() { cache_.freeSettings(); }

  Variant readSnapshot(std::string_view section, std::string_view key, const Variant& def) const {
    return cache_.readSetting(section, key, def);
  }
  bool readBool(std::string_view section, std::string_view key, bool def) const {
    return cache_.readBool(section, key, def);
  }
  std::int32_t readInt(std::string_view section, std::string_view key, std::int32_t def) const {
    return cache_.readInt(section, key, def);
  }
  std::string readString(std::string_view section, std::string_view key, std::string_view def) const {
    return cache_.readString(section, key, def);
  }

 private:
  SettingsCache cache_;
};

}  // namespace gleanix::settings
