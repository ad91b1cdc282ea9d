#include "pickup/key_index.h"

#include "util/folded_key.h"

namespace gleanix::pickup {

KeyIndex::Id KeyIndex::intern(std::string_view key) {
  if (key.empty()) return 0;
  // Kept at most half full, so that a probe ends soon.
  if ((spans_.size() + 1) * 2 > slots_.size()) grow();
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = util::foldedHash(key) & mask;; slot = (slot + 1) & mask) {
    const Id id = slots_[slot];
    if (id == 0) {
      const Id added = static_cast<Id>(spans_.size());
      spans_.push_back({static_cast<std::uint32_t>(bytes_.size()), static_cast<std::uint32_t>(key.size())});
      bytes_.append(key);
      slots_[slot] = added;
      return added;
    }
    if (util::FoldedEqual()(text(id), key)) return id;
  }
}

void KeyIndex::grow() {
  std::vector<Id> slots(slots_.empty() ? 1024 : slots_.size() * 2, 0);
  const std::size_t mask = slots.size() - 1;
  for (Id id = 1; id < spans_.size(); ++id) {
    std::size_t slot = util::foldedHash(text(id)) & mask;
    while (slots[slot] != 0) slot = (slot + 1) & mask;
    slots[slot] = id;
  }
  slots_.swap(slots);
}

}  // namespace gleanix::pickup
