#include "store/folder_type.h"

namespace gleanix::store {
namespace {
constexpr char kLetters[] = "MAIOTGF";
}  // namespace

char folderTypeLetter(TFolderType type) { return kLetters[type]; }

std::optional<TFolderType> folderTypeFromLetter(char letter) {
  for (int i = ctMailbox; i <= ctFolder; ++i) {
    if (kLetters[i] == letter) return static_cast<TFolderType>(i);
  }
  return std::nullopt;
}

}  // namespace gleanix::store
