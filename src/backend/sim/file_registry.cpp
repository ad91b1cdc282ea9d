#include "backend/sim/file_registry.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#include "util/sjis.h"

namespace gleanix::backend {
namespace {

using sys::RegistryKind;
using sys::RegistryRoot;

constexpr std::array<std::pair<RegistryRoot, std::string_view>, 6> kRoots{{
    {RegistryRoot::ClassesRoot, "HKEY_CLASSES_ROOT"},
    {RegistryRoot::CurrentUser, "HKEY_CURRENT_USER"},
    {RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE"},
    {RegistryRoot::Users, "HKEY_USERS"},
    {RegistryRoot::CurrentConfig, "HKEY_CURRENT_CONFIG"},
    {RegistryRoot::DynData, "HKEY_DYN_DATA"},
}};

constexpr std::array<std::pair<RegistryKind, std::string_view>, 3> kTypes{{
    {RegistryKind::String, "REG_SZ"},
    {RegistryKind::DWord, "REG_DWORD"},
    {RegistryKind::Binary, "REG_BINARY"},
}};

constexpr char kHeader[] =
    "; Gleanix registry: key TAB value name TAB REG_SZ|REG_DWORD|REG_BINARY TAB data; "
    "\"%\" and control bytes as %XX";

// Every FileRegistry of the process shares it: a write reads, changes and
// rewrites the whole file, which must not interleave.
std::mutex& fileMutex() {
  static std::mutex m;
  return m;
}

const char kHex[] = "0123456789ABCDEF";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Byte by byte is safe for CP932 text: no second byte of a double-byte
// character is below 0x40, so none of them is ever escaped.
std::string escape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '%' || b < 0x20 || b == 0x7F) {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> unescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    if (i + 2 >= s.size()) return std::nullopt;
    const int hi = hexValue(s[i + 1]), lo = hexValue(s[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

std::string toHex(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) {
    out += kHex[static_cast<unsigned char>(c) >> 4];
    out += kHex[static_cast<unsigned char>(c) & 15];
  }
  return out;
}

std::optional<std::string> fromHex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int hi = hexValue(text[i]), lo = hexValue(text[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
  }
  return out;
}

std::string dwordText(std::string_view le) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(le[static_cast<std::size_t>(i)]);
  return std::to_string(v);
}

std::optional<std::string> dwordBytes(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + static_cast<unsigned>(c - '0');
  }
  if (v > 0xFFFFFFFFu) return std::nullopt;
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i) out[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

// The sub key without empty components ("\a\\b\" is "a\b"); "\" found on
// character boundaries only, so "表" (0x95 0x5C) stays whole.
std::string normalizeKey(std::string_view key) {
  std::string out;
  std::size_t start = 0;
  while (start <= key.size()) {
    std::size_t end = util::findByte(key, '\\', start);
    if (end == std::string_view::npos) end = key.size();
    if (end > start) {
      if (!out.empty()) out += '\\';
      out.append(key.substr(start, end - start));
    }
    start = end + 1;
  }
  return out;
}

std::string lookupKey(RegistryRoot root, std::string_view key, std::string_view name) {
  return std::to_string(static_cast<int>(root)) + '\t' + util::upperAscii(normalizeKey(key)) + '\t' +
         util::upperAscii(name);
}

struct Line {
  std::string text;    // as in the file
  std::string lookup;  // empty for a line that cannot be read
  sys::RegistryValue value;
};

std::vector<std::string_view> splitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

std::string_view rootName(RegistryRoot root) {
  for (const auto& [r, text] : kRoots) {
    if (r == root) return text;
  }
  return {};
}

std::string_view typeWord(RegistryKind kind) {
  for (const auto& [k, word] : kTypes) {
    if (k == kind) return word;
  }
  return {};
}

std::optional<RegistryRoot> rootNamed(std::string_view name) {
  const std::string upper = util::upperAscii(name);
  for (const auto& [root, text] : kRoots) {
    if (upper == text) return root;
  }
  return std::nullopt;
}

std::optional<std::string> decodeData(RegistryKind kind, std::string_view text) {
  switch (kind) {
    case RegistryKind::String: return unescape(text);
    case RegistryKind::DWord: return dwordBytes(text);
    case RegistryKind::Binary: return fromHex(text);
  }
  return std::nullopt;
}

// Sets lookup and value when the line holds a value; leaves lookup empty otherwise.
void parse(Line& line) {
  std::string_view text = line.text;
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);  // edited on Windows
  const auto fields = splitTabs(text);
  if (fields.size() != 4) return;
  const auto fullKey = unescape(fields[0]), name = unescape(fields[1]), type = unescape(fields[2]);
  if (!fullKey || !name || !type) return;
  const std::size_t slash = util::findByte(*fullKey, '\\');
  const auto root = rootNamed(std::string_view(*fullKey).substr(0, slash));
  if (!root) return;
  const std::string key = slash == std::string::npos ? std::string() : fullKey->substr(slash + 1);
  for (const auto& [kind, word] : kTypes) {
    if (util::upperAscii(*type) != word) continue;
    auto data = decodeData(kind, fields[3]);
    if (!data) return;
    if (kind == RegistryKind::String) data->resize(std::min(data->size(), data->find('\0')));
    line.value = sys::RegistryValue{kind, std::move(*data)};
    line.lookup = lookupKey(*root, key, *name);
    return;
  }
}

std::string format(RegistryRoot root, const std::string& key, const std::string& name,
                   const sys::RegistryValue& value) {
  std::string fullKey(rootName(root));
  const std::string sub = normalizeKey(key);
  if (!sub.empty()) fullKey += '\\' + sub;
  std::string data;
  switch (value.kind) {
    case RegistryKind::String: data = escape(value.data); break;
    case RegistryKind::DWord: data = dwordText(value.data); break;
    case RegistryKind::Binary: data = toHex(value.data); break;
  }
  return escape(fullKey) + '\t' + escape(name) + '\t' + std::string(typeWord(value.kind)) + '\t' + data;
}

bool createParents(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string dir = path.substr(0, slash);
    if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace

FileRegistry::FileRegistry(std::string path) : path_(std::move(path)) {}

std::optional<sys::RegistryValue> FileRegistry::read(sys::RegistryRoot root, const std::string& key,
                                                     const std::string& name) const {
  std::lock_guard<std::mutex> lock(fileMutex());
  const auto lines = fs_.readLines(path_);
  if (!lines) return std::nullopt;
  const std::string wanted = lookupKey(root, key, name);
  for (const std::string& text : *lines) {
    Line line{text, {}, {}};
    parse(line);
    if (line.lookup == wanted) return line.value;
  }
  return std::nullopt;
}

bool FileRegistry::write(sys::RegistryRoot root, const std::string& key, const std::string& name,
                         const sys::RegistryValue& value) {
  if (value.kind == RegistryKind::DWord && value.data.size() != 4) return false;
  std::lock_guard<std::mutex> lock(fileMutex());
  std::vector<std::string> lines;
  if (auto existing = fs_.readLines(path_)) {
    lines = std::move(*existing);
  } else if (fs_.exists(path_)) {
    return false;  // there but unreadable: rewriting it would lose its values
  } else {
    lines.push_back(kHeader);
  }
  const std::string wanted = lookupKey(root, key, name);
  const std::string text = format(root, key, name, value);
  bool replaced = false;
  for (std::string& current : lines) {
    Line line{current, {}, {}};
    parse(line);
    if (line.lookup == wanted) {
      current = text;
      replaced = true;
      break;
    }
  }
  if (!replaced) lines.push_back(text);
  std::string content;
  for (const std::string& line : lines) content += line + '\n';
  return createParents(path_) && fs_.writeFileAtomic(path_, content);
}

}  // namespace gleanix::backend
