#pragma once
// The image strips of TMailboxTreeView in their text form (see
// ui::bitmapFromText): kinds 128 x 16, state boxes 64 x 16.

namespace gleanix::controls {

inline constexpr int kKindImagesWidth = 128;
inline constexpr int kStateImagesWidth = 64;
inline constexpr int kTreeImageSize = 16;

extern const char* const kKindImagesText;
extern const char* const kStateImagesText;

}  // namespace gleanix::controls
