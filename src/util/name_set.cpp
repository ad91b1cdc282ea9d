#include "util/name_set.h"

#include "util/sjis.h"

namespace gleanix::util {
namespace {

// Folds every byte "a"-"z" to upper case, even the second byte of a
// double-byte character: names that match get the same hash all the same,
// and the few that merely share it are told apart by the comparison.
std::uint64_t foldedHash(std::string_view name) {
  std::uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (const char c : name) {
    const unsigned b = static_cast<unsigned char>(c);
    h = (h ^ (b - 'a' < 26u ? b - 32u : b)) * 1099511628211ull;
  }
  return h;
}

}  // namespace

std::size_t NameSet::find(std::string_view name, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.length == 0) return i;
    if (slot.hash == hash && slot.length == name.size()) {
      const std::string_view stored = nameAt(slot);
      if (stored == name || equalsIgnoreCase(stored, name)) return i;
    }
  }
}

void NameSet::grow() {
  std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.length == 0) continue;
    std::size_t i = static_cast<std::size_t>(slot.hash) & mask;
    while (slots_[i].length != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

void NameSet::insert(std::string_view name) {
  if (name.empty()) {
    count_ += hasEmptyName_ ? 0 : 1;
    hasEmptyName_ = true;
    return;
  }
  if ((count_ + 1) * 2 > slots_.size()) grow();
  const std::uint64_t hash = foldedHash(name);
  Slot& slot = slots_[find(name, hash)];
  if (slot.length != 0) return;
  slot = Slot{hash, bytes_.size(), name.size()};
  bytes_.append(name);
  ++count_;
}

bool NameSet::contains(std::string_view name) const {
  if (name.empty()) return hasEmptyName_;
  return !slots_.empty() && slots_[find(name, foldedHash(name))].length != 0;
}

}  // namespace gleanix::util
