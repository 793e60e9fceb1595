// Cache from font descriptions to sized faces, least recently used first out.
#include "platform/text/font_cache.h"

#include <list>
#include <map>
#include <tuple>

#include "platform/text/font_registry.h"

namespace qv::text {

namespace {

using TKey = std::tuple<ustring, int, bool, bool, bool, bool>;

// Whether two descriptions choose the same sized face: colour, underline
// and strikeout are the painter's.
bool SameFace(const TFont& a, const TFont& b) {
  constexpr TFontStyles kFaceStyles = fsBold | fsItalic;
  const bool mono_a = a.Quality == TFontQuality::fqNonAntialiased;
  const bool mono_b = b.Quality == TFontQuality::fqNonAntialiased;
  return a.Height == b.Height && (a.Height != 0 || a.PixelsPerInch == b.PixelsPerInch) &&
         (a.Style & kFaceStyles) == (b.Style & kFaceStyles) && mono_a == mono_b &&
         (a.Charset == RUSSIAN_CHARSET) == (b.Charset == RUSSIAN_CHARSET) && a.Name == b.Name;
}

struct TEntry {
  TKey Key;
  std::shared_ptr<TSizedFont> Font;
};

class TFontCache {
 public:
  std::shared_ptr<TSizedFont> Acquire(const TFont& font) {
    if (generation_ != RegistryGeneration()) {
      Clear();
      generation_ = RegistryGeneration();
    }
    // Captions come in runs of one font (drawn in several colours for
    // outlines): the last answer is checked first.
    if (last_ && SameFace(last_font_, font)) return last_;
    const bool bold = (font.Style & fsBold) != 0;
    const bool italic = (font.Style & fsItalic) != 0;
    const bool mono = font.Quality == TFontQuality::fqNonAntialiased;
    // Height 0 asks for the default size: 8 points at the font's density.
    int height = font.Height;
    if (height == 0) height = -MulDiv(8, font.PixelsPerInch > 0 ? font.PixelsPerInch : 96, 72);
    if (height == 0) height = -1;
    TKey key{LowerCase(font.Name), height, bold, italic, mono, font.Charset == RUSSIAN_CHARSET};
    if (auto it = index_.find(key); it != index_.end()) {
      entries_.splice(entries_.begin(), entries_, it->second);
      return Remember(font, it->second->Font);
    }
    const TRenderMode mode = mono ? TRenderMode::Mono : TRenderMode::Grey;
    auto sized = TSizedFont::Create(ResolveFace(font.Name, bold, italic, font.Charset), height,
                                    bold, italic, mode);
    if (!sized) sized = TSizedFont::Create(FallbackFace(bold, italic), height, bold, italic, mode);
    if (!sized) return nullptr;
    entries_.push_front({key, sized});
    index_[key] = entries_.begin();
    if (entries_.size() > kFontCacheSize) {
      index_.erase(entries_.back().Key);
      entries_.pop_back();
    }
    return Remember(font, sized);
  }

  void Clear() {
    index_.clear();
    entries_.clear();
    last_.reset();
  }

  std::size_t Count() const { return entries_.size(); }

 private:
  const std::shared_ptr<TSizedFont>& Remember(const TFont& font,
                                              const std::shared_ptr<TSizedFont>& sized) {
    last_font_ = font;
    last_ = sized;
    return last_;
  }

  TFont last_font_;
  std::shared_ptr<TSizedFont> last_;
  std::list<TEntry> entries_;
  std::map<TKey, std::list<TEntry>::iterator> index_;
  unsigned generation_ = 0;
};

TFontCache& Cache() {
  static TFontCache cache;
  return cache;
}

}  // namespace

std::shared_ptr<TSizedFont> AcquireFont(const TFont& font) { return Cache().Acquire(font); }

std::size_t CachedFontCount() { return Cache().Count(); }

void ClearFontCache() { Cache().Clear(); }

}  // namespace qv::text
