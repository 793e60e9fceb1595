// Text glow: the 8-bit glow picture of a caption (the text thickened by a
// pixel, then blurred), its blur, and its composition in the glow colour
// under the text of a 32-bit picture with per-pixel alpha.
#pragma once

#include <functional>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/ustring.h"

namespace qv {

// Glow sizes above this give the same picture as it: the blur's kernel has
// reached its widest at 14, so larger sizes would only grow the picture.
constexpr int kMaxGlowSize = 16;

// Outline flags: the text is drawn once more moved by a pixel that way.
constexpr int kGlowLeft = 1;
constexpr int kGlowUp = 2;
constexpr int kGlowRight = 4;
constexpr int kGlowDown = 8;
constexpr int kGlowAllSides = 15;

// The blur kernel of a radius: the taps -s..s, each a weight, summing to 1.
// The Gaussian of the radius rounded to 0 or 1 over -16..16 and trimmed of
// the outer taps, so a box of 2s + 1 taps; a radius below about 0.85 (and any
// radius not above 0) gives the single tap 1 with zeros beside it.
std::vector<double> GlowKernel(int radius);
// s of that kernel (1 for the identity kernel of a tiny radius).
int GlowBlurHalfWidth(int radius);

// Blurs the picture in place, every row first, then every column, with the
// kernel of the radius; reads beyond an edge repeat the edge pixel; results
// are rounded to the nearest value. Exact integer box sums.
void BlurGlowMask(TBitmap8& pic, int radius);
// The same blur as weighted sums in floating point, tap by tap; identical bytes.
void BlurGlowMaskReference(TBitmap8& pic, int radius);

// A glow picture with what it was made from: 255 = no glow, 0 = full glow.
// Keep one between paints of the same caption; it is rebuilt whenever the
// text, font, flags, size or rectangle size change.
struct TGlowPicture {
  TBitmap8 Bmp;
  ustring Text;
  TFont Font;
  unsigned Flags = 0;
  int Outline = 0;
  int Size = 0;
  bool Made = false;
};

// Draws the shape of the text in value 0 into the picture, fitted to the
// rectangle given (in picture pixels).
using TGlowShape = std::function<void(TBitmap8& pic, const TRect& r)>;

// Makes pic width x height, 255 everywhere, draws the shape into t once moved
// a pixel for each outline flag (left, up, right, down) and once in place,
// then blurs it with radius size.
void MakeGlowPicture(TBitmap8& pic, int width, int height, const TRect& t, int size, int outline,
                     const TGlowShape& shape);

// Lays the picture over the target with its top-left pixel at `at`: where
// the picture value v is not 255, with w = 255 - v, the target alpha
// A := A + ((255 - A) w >> 8) and each colour byte c := (w g + c v) >> 8,
// g being that byte of the glow colour (a plain RGB colour value). Pixels
// outside the target are skipped.
void ComposeGlow(TBitmap32& target, const TBitmap8& pic, TPoint at, TColor color);

// The glow of a text drawn with the canvas's font and the draw-text flags in
// text_rect (target pixels), in the glow colour and size (limited to
// kMaxGlowSize; nothing for a size below 1). The picture is the text
// rectangle moved a pixel right and down, grown by size + 4 on every side; a
// kept picture made for the same text, font, flags, size and rectangle size
// is composed again as it is. The text itself is the caller's to draw after.
void DrawTextGlow(TCanvas& target, ustring_view text, const TRect& text_rect, TGlowPicture& pic,
                  TColor color, int size, int outline, unsigned flags);

}  // namespace qv
