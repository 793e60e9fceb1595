// A face at one size, style synthesis and rendering mode: its metrics with
// the platform's rounding, and the cache of its rendered glyphs.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/text/font_registry.h"
#include "platform/text/freetype.h"
#include "platform/ustring.h"

namespace qv::text {

enum class TRenderMode { Grey, Mono };

// One rendered glyph: coverage 0..255, Width x Height bytes, top row first.
// Its top-left pixel lies at (pen x + Left, baseline - Top).
struct TGlyph {
  int Advance = 0;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Coverage;
};

// Metrics in whole pixels, as the platform reports them for a font.
struct TFontMetrics {
  int Height = 0;  // cell: Ascent + Descent
  int Ascent = 0;
  int Descent = 0;
  int EmHeight = 0;  // character height
  int InternalLeading = 0;
  int ExternalLeading = 0;
  int AveCharWidth = 0;
  int MaxCharWidth = 0;
  int UnderlineOffset = 0;  // top row of the underline, below the baseline
  int UnderlineThickness = 1;
  int StrikeoutOffset = 0;  // top row of the strikeout, above the baseline
  int StrikeoutThickness = 1;
};

class TSizedFont {
 public:
  // height follows the font's sign convention (negative: em in pixels,
  // positive: cell height, never 0 here). nullptr when the face cannot be opened.
  static std::shared_ptr<TSizedFont> Create(const TFaceSource& source, int height, bool bold,
                                            bool italic, TRenderMode mode);

  const TFontMetrics& Metrics() const { return metrics_; }
  // The glyph of a code point, rendered on first use; characters the face
  // lacks come from the fallback face, else the face's missing-glyph shape.
  // The reference holds until the next call that renders a new glyph: the
  // cache is emptied when it outgrows its budget.
  const TGlyph& Glyph(char32_t cp);
  int Advance(char32_t cp) { return Glyph(cp).Advance; }
  // Whether the face itself (not the fallback) has the character.
  bool HasChar(char32_t cp) const;
  ustring FamilyName() const;
  const TFaceSource& Source() const { return source_; }
  bool SyntheticBold() const { return source_.SynthBold; }
  bool SyntheticItalic() const { return source_.SynthItalic; }
  std::size_t CachedGlyphs() const { return glyphs_.size(); }

 private:
  TSizedFont() = default;
  void ComputeMetrics(int height);
  unsigned CharIndex(char32_t cp) const;
  TGlyph Render(unsigned index);
  TSizedFont* Fallback();

  std::unique_ptr<TFtFace> face_;
  TFaceSource source_;
  TRenderMode mode_ = TRenderMode::Grey;
  bool bold_ = false;
  bool italic_ = false;
  FT_F26Dot6 em_ = 0;    // em size in 1/64 pixel
  bool symbol_ = false;  // the face has a symbol map only
  TFontMetrics metrics_;
  std::shared_ptr<TSizedFont> fallback_;
  bool fallback_tried_ = false;
  std::unordered_map<char32_t, TGlyph> glyphs_;
  // Latin and Cyrillic, the bulk of all text, skip the hash look-up.
  static constexpr char32_t kDirectChars = 0x500;
  std::array<const TGlyph*, kDirectChars> direct_{};
  std::size_t glyph_bytes_ = 0;
};

// Sizes beyond this many pixels (em or cell) are drawn at this size.
inline constexpr int kMaxPixelHeight = 1024;
// Coverage bytes one sized face keeps before it starts its cache again.
inline constexpr std::size_t kGlyphCacheBytes = 16u << 20;

}  // namespace qv::text
