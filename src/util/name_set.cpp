#include "util/name_set.h"

#include <cstring>

#include "util/folded_key.h"
#include "util/sjis.h"

namespace gleanix::util {
namespace {

// Up to eight bytes of text from offset, the missing ones zero.
std::uint64_t wordAt(std::string_view text, std::size_t offset) {
  std::uint64_t word = 0;
  if (text.size() - offset >= 8) {
    std::memcpy(&word, text.data() + offset, 8);  // one load
  } else {
    std::memcpy(&word, text.data() + offset, text.size() - offset);
  }
  return word;
}

std::uint32_t tagOf(std::string_view name) { return static_cast<std::uint32_t>(foldedHash(name)); }

}  // namespace

std::string_view NameSet::nameIn(const Slot& slot, char (&buffer)[kInline]) const {
  if (slot.length > kInline) return std::string_view(bytes_).substr(slot.data, slot.length);
  std::memcpy(buffer, &slot.data, kInline);
  return std::string_view(buffer, slot.length);
}

bool NameSet::holds(const Slot& slot, std::string_view name, std::uint32_t tag) const {
  if (slot.tag != tag || slot.length != name.size()) return false;
  if (name.size() <= kInline && slot.data == wordAt(name, 0)) return true;  // the same bytes
  char buffer[kInline];
  const std::string_view stored = nameIn(slot, buffer);
  return stored == name || equalsIgnoreCase(stored, name);
}

std::size_t NameSet::find(std::string_view name, std::uint32_t tag) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = tag & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.length == 0 || holds(slot, name, tag)) return i;
  }
}

void NameSet::grow() {
  std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.length == 0) continue;
    std::size_t i = slot.tag & mask;
    while (slots_[i].length != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

void NameSet::insert(std::string_view name) {
  if (name.empty()) {
    hasEmptyName_ = true;
    return;
  }
  number(name);
}

std::uint32_t NameSet::number(std::string_view name) {
  if (name.empty()) return 0;
  if ((count_ + 1) * 2 > slots_.size()) grow();
  const std::uint32_t tag = tagOf(name);
  Slot& slot = slots_[find(name, tag)];
  if (slot.length != 0) return slot.number;
  slot.tag = tag;
  slot.length = static_cast<std::uint32_t>(name.size());
  if (name.size() <= kInline) {
    slot.data = wordAt(name, 0);
  } else {
    slot.data = bytes_.size();
    bytes_.append(name);
  }
  slot.number = static_cast<std::uint32_t>(++count_);
  return slot.number;
}

bool NameSet::contains(std::string_view name) const {
  if (name.empty()) return hasEmptyName_;
  return !slots_.empty() && slots_[find(name, tagOf(name))].length != 0;
}

}  // namespace gleanix::util
