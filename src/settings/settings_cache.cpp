#include "settings/settings_cache.h"

#include "util/path.h"
#include "util/sjis.h"

namespace gleanix::settings {
namespace {

std::string fullName(std::string_view section, std::string_view key) {
  std::string name;
  name.reserve(section.size() + key.size() + 1);
  name.append(section).append("\\").append(key);
  return name;
}

template <class T, class Convert>
T readAs(const std::optional<Variant>& value, const T& def, Convert convert) {
  if (!value) return def;
  const auto converted = convert(*value);
  return converted ? static_cast<T>(*converted) : def;
}

}  // namespace

void SettingsCache::loadSettings(const sys::FileSystem& fs, const std::string& path) {
  freeSettings();
  path_ = path;
  const auto bytes = fs.readFile(path);
  if (!bytes) {
    unreadableFile_ = fs.exists(path);
    return;
  }
  loadText(*bytes);
}

void SettingsCache::loadText(std::string_view bytes) {
  names_.clear();
  upperNames_.clear();
  types_.clear();
  values_.clear();
  shapes_.clear();
  for (const std::string& line : sys::splitLines(bytes)) {
    SettingsLine parsed = parseSettingsLine(line);
    std::string upper = util::upperAscii(parsed.name);
    append(parsed, std::move(upper));
  }
}

void SettingsCache::freeSettings() {
  names_.clear();
  upperNames_.clear();
  types_.clear();
  values_.clear();
  shapes_.clear();
  path_.clear();
  unreadableFile_ = false;
}

std::size_t SettingsCache::find(std::string_view upperName) const {
  for (std::size_t i = 0; i < upperNames_.size(); ++i) {
    if (upperNames_[i] == upperName) return i;
  }
  return std::string::npos;
}

std::optional<Variant> SettingsCache::lookup(std::string_view section, std::string_view key) const {
  const std::size_t i = find(util::upperAscii(fullName(section, key)));
  if (i == std::string::npos || shapes_[i] != LineShape::Entry) return std::nullopt;
  return decodeValue(types_[i], values_[i]);
}

Variant SettingsCache::readSetting(std::string_view section, std::string_view key, const Variant& def) const {
  auto value = lookup(section, key);
  return value ? std::move(*value) : def;
}

bool SettingsCache::readBool(std::string_view section, std::string_view key, bool def) const {
  return readAs(lookup(section, key), def, [](const Variant& v) { return v.toBool(); });
}

std::int32_t SettingsCache::readInt(std::string_view section, std::string_view key, std::int32_t def) const {
  return readAs(lookup(section, key), def, [](const Variant& v) { return v.toInt(); });
}

double SettingsCache::readFloat(std::string_view section, std::string_view key, double def) const {
  return readAs(lookup(section, key), def, [](const Variant& v) { return v.toFloat(); });
}

DateTime SettingsCache::readDate(std::string_view section, std::string_view key, const DateTime& def) const {
  return readAs(lookup(section, key), def, [](const Variant& v) { return v.toDate(); });
}

std::string SettingsCache::readString(std::string_view section, std::string_view key,
                                      std::string_view def) const {
  return readAs(lookup(section, key), std::string(def), [](const Variant& v) { return v.toString(); });
}

void SettingsCache::writeSetting(std::string_view section, std::string_view key, const Variant& value) {
  const std::string name = fullName(section, key);
  std::string upper = util::upperAscii(name);
  if (value.isEmpty()) {
    // Every entry of that name goes, so that a duplicate line cannot
    // resurface as the value.
    for (std::size_t i = find(upper); i != std::string::npos; i = find(upper)) erase(i);
    return;
  }
  const EncodedValue encoded = encodeValue(value);
  const std::size_t i = find(upper);
  if (i == std::string::npos) {
    append({name, encoded.type, encoded.text, LineShape::Entry}, std::move(upper));
    return;
  }
  names_[i] = name;
  upperNames_[i] = std::move(upper);
  types_[i] = encoded.type;
  values_[i] = encoded.text;
  shapes_[i] = LineShape::Entry;
}

void SettingsCache::append(const SettingsLine& line, std::string upperName) {
  names_.push_back(line.name);
  upperNames_.push_back(std::move(upperName));
  types_.push_back(line.type);
  values_.push_back(line.value);
  shapes_.push_back(line.shape);
}

void SettingsCache::erase(std::size_t index) {
  const auto at = static_cast<std::ptrdiff_t>(index);
  names_.erase(names_.begin() + at);
  upperNames_.erase(upperNames_.begin() + at);
  types_.erase(types_.begin() + at);
  values_.erase(values_.begin() + at);
  shapes_.erase(shapes_.begin() + at);
}

std::string SettingsCache::text() const {
  std::string out;
  for (std::size_t i = 0; i < names_.size(); ++i) {
    out += composeSettingsLine({names_[i], types_[i], values_[i], shapes_[i]});
    out += "\r\n";
  }
  return out;
}

bool SettingsCache::saveSettings(sys::FileSystem& fs) const {
  // An existing file that could not be read holds settings this cache has
  // never seen: overwriting it would lose them all.
  if (path_.empty() || unreadableFile_) return false;
  try {
    const std::string dir = util::extractFilePath(path_);
    if (!dir.empty()) util::createDirectories(fs, dir);
  } catch (const util::EDirectoryError&) {
    return false;
  }
  return fs.writeFileAtomic(path_, text());
}

}  // namespace gleanix::settings
