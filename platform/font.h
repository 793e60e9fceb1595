// Font description as the controls hold it (name, height with the platform's
// sign convention, style, colour, character set, quality). The text engine
// (FreeType and fontconfig) resolves it to a face.
#pragma once

#include <cstdint>

#include "platform/color.h"
#include "platform/ustring.h"

namespace qv {

enum TFontStyle : unsigned {
  fsBold = 1,
  fsItalic = 2,
  fsUnderline = 4,
  fsStrikeOut = 8,
};
using TFontStyles = unsigned;

enum class TFontQuality {
  fqDefault,
  fqDraft,
  fqProof,
  fqNonAntialiased,
  fqAntialiased,
  fqClearType,
  fqClearTypeNatural
};

constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int RUSSIAN_CHARSET = 204;

struct TFont {
  ustring Name = u"Tahoma";
  // Negative: character height (em size) in pixels; positive: cell height
  // (character height plus internal leading); 0: the default size.
  int Height = -11;
  // The density that converts between Height and Size (points).
  int PixelsPerInch = 96;
  TFontStyles Style = 0;
  TColor Color = clWindowText;
  int Charset = DEFAULT_CHARSET;
  TFontQuality Quality = TFontQuality::fqDefault;

  // Points: -Height * 72 / PPI, rounded as the platform does (MulDiv).
  int Size() const;
  void SetSize(int points);

  friend bool operator==(const TFont&, const TFont&) = default;
};

// MulDiv of the platform: a * b / c rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

}  // namespace qv
