// The fonts in use: a font description resolved to a sized face, kept so that
// repeated captions in the same font reuse its face and its rendered glyphs.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/font.h"
#include "platform/text/sized_font.h"

namespace qv::text {

// The sized face for a font description; nullptr only when no face at all
// can be opened (no usable font installed).
std::shared_ptr<TSizedFont> AcquireFont(const TFont& font);
// How many sized faces are kept (the least recently used go first).
inline constexpr std::size_t kFontCacheSize = 48;
std::size_t CachedFontCount();
void ClearFontCache();

}  // namespace qv::text
