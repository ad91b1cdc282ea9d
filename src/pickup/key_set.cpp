#include "pickup/key_set.h"

#include "util/folded_hash.h"
#include "util/sjis.h"

namespace gleanix::pickup {

std::size_t FoldedHash::operator()(std::string_view key) const { return util::foldedHash(key); }

bool FoldedEqual::operator()(std::string_view a, std::string_view b) const { return util::equalsIgnoreCase(a, b); }

}  // namespace gleanix::pickup
