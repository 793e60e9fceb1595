// The text engine's interface: font metrics, measuring, single-line output
// and the text-drawing routine onto 32-bit or 8-bit bitmaps, and fonts
// registered from memory for this process. TCanvas's text calls use it; code
// that draws text into bitmaps a canvas does not cover (glow masks) uses it
// directly. GUI thread only, like all drawing.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/ustring.h"

namespace qv {

struct TTextMetrics {
  int Height = 0;  // cell height: Ascent + Descent
  int Ascent = 0;
  int Descent = 0;
  int InternalLeading = 0;  // Height minus the character (em) height
  int ExternalLeading = 0;
  int AveCharWidth = 0;
  int MaxCharWidth = 0;
  ustring FaceName;  // family of the face actually used
  bool SyntheticBold = false;
  bool SyntheticItalic = false;
};

TTextMetrics GetTextMetrics(const TFont& font);
// Width of the characters as they stand (no prefix, break or tab handling)
// and the cell height, also for empty text.
TSize TextExtentOf(const TFont& font, ustring_view text);

// Where text goes: one bitmap (32-bit, or an 8-bit mask whose written value
// is the red byte of the font colour), the device rectangles writes are
// limited to (always within the bitmap), and the device point of logical (0, 0).
struct TTextDevice {
  TBitmap32* Bitmap32 = nullptr;
  TBitmap8* Bitmap8 = nullptr;
  std::vector<TRect> Clip;
  TPoint Origin;

  explicit TTextDevice(TBitmap32& b) : Bitmap32(&b), Clip{b.BoundsRect()} {}
  explicit TTextDevice(TBitmap8& b) : Bitmap8(&b), Clip{{0, 0, b.Width(), b.Height()}} {}
};

struct TTextBackground {
  TBkMode Mode = TRANSPARENT;
  TColor Color = clWhite;
};

// Text at (x, y), the top-left of its cell, in the font colour; an opaque
// background fills the cell behind it. Touched 32-bit pixels get alpha 0.
// Returns the text's width.
int TextOutTo(TTextDevice& device, const TFont& font, int x, int y, ustring_view text,
              const TTextBackground& background = {});
// The platform's text-drawing routine (DT_* flags): draws into r, or with
// DT_CALCRECT only measures, setting r's right and bottom. Returns the
// height of the text (see the layout for vertical alignment). The text is
// never changed: DT_MODIFYSTRING has no effect.
int DrawTextTo(TTextDevice& device, const TFont& font, ustring_view text, TRect& r, unsigned flags,
               const TTextBackground& background = {});
// Measuring only (DT_CALCRECT is implied).
int MeasureDrawText(const TFont& font, ustring_view text, TRect& r, unsigned flags);
// The size the text-drawing routine gives text in font, laid out within
// width (line breaks with DT_WORDBREAK, alignment): the one way to measure
// text where no canvas is at hand.
TSize MeasureText(const TFont& font, ustring_view text, unsigned flags, int width = 32767);

namespace text_detail {
struct TOnePixel {
  TBitmap32 Pixel{1, 1};
};
}  // namespace text_detail

// A canvas over one pixel, for measuring through a routine that takes a
// canvas and is told DT_CALCRECT (a label's replaceable text drawing).
class TMeasuringCanvas : private text_detail::TOnePixel, public TCanvas {
 public:
  TMeasuringCanvas() : TCanvas(Pixel) {}
};

// Registers the faces of a font file held in memory, for this process only,
// under the family name read from the face (and under alias when given).
// Returns a handle, or 0 when the bytes are not a scalable font.
int AddFontMemResource(std::vector<std::uint8_t> bytes, ustring_view alias = {});
// Removes a registration; false for an unknown handle.
bool RemoveFontMemResource(int handle);
// The family name of a registration; empty for an unknown handle.
ustring FontMemResourceFamily(int handle);

}  // namespace qv
