// The image elements of the program's skin: for each section key that names
// an image, how it is written in the options text and how it is drawn at each
// design density (state frames side by side, nine-slice margins, draw mode).
#pragma once

#include <functional>
#include <vector>

#include "platform/geometry.h"
#include "platform/ustring.h"
#include "tools/skingen/draw.h"

namespace qv::skingen {

// How the options text writes an element (the notations of the skin format).
enum class TNotation {
  Border,      // "^": a nine-slice border cut from the master bitmap
  Glyph,       // "@": a glyph cut from the master bitmap, key colour for holes
  AlphaGlyph,  // "&" canonical: a glyph with per-pixel alpha (draw mode 16)
  Texture,     // "~": a texture cut from the master bitmap
};

// One element drawn at one density.
struct TElementArt {
  TBitmap32 Image;  // the frames side by side; with Mask the mask half below
  int Frames = 1;
  bool Mask = false;
  int WL = 0, WT = 0, WR = 0, WB = 0;
  int DrawMode = 0;
  int FrameWidth() const { return Image.Width() / Frames; }
  int FrameHeight() const { return Mask ? Image.Height() / 2 : Image.Height(); }
};

struct TElementDef {
  ustring Section;
  ustring Key;
  TNotation Notation = TNotation::Border;
  std::function<TElementArt(const TDensity&)> Draw;
  // Written as the user sees it: the skin's keep-hue switch exempts it.
  bool KeepHue = false;
  // At 100 % the element is written exactly as this line of the program's
  // skin has it (the generator checks that the drawing agrees); its image
  // lies at QuotedAt in the master bitmap, or is the package file QuotedFile.
  const char16_t* QuotedValue = nullptr;
  TPoint QuotedAt{};
  const char* QuotedFile = nullptr;
  // At 200 % the value is written in canonical form.
  bool CanonicalAt200 = false;
};

// Every element, in the order the options text lists them.
const std::vector<TElementDef>& ElementCatalogue();

// The main window's title bar at a density, from the platform's frame metrics
// for a single-border window: what the caption buttons are drawn to fit.
struct TTitleMetrics {
  int Side = 0;     // side (and top) border width
  int Caption = 0;  // caption height
  int Header() const { return Side + Caption; }
  int VCenter() const { return Caption / 2 + Side / 2; }
  int ButtonHeight = 0;  // the tallest button that fits the header
  int ButtonWidth = 0;
};
TTitleMetrics TitleMetrics(const TDensity& d);

// The colour the info panel (section "DIALOG") ends in below its texture.
TColor DialogFace();

}  // namespace qv::skingen
