// A skin image element as the mask drawing sees it: its own bitmap or the
// skin's master bitmap, its frames, nine-slice margins and drawing options.
#pragma once

#include <memory>

#include "paint/compositing.h"
#include "platform/bitmap.h"
#include "platform/geometry.h"

namespace qv {

// DrawMode bits of border elements.
constexpr int kMaskStretch = 0x01;     // edges and centre stretched, not tiled
constexpr int kMaskNoNormal = 0x02;    // nothing drawn in state 0
constexpr int kMaskFillCentre = 0x04;  // the centre is drawn too
constexpr int kMaskFixedSize = 0x08;   // never rescaled
constexpr int kMaskAlpha = 0x10;       // the image carries per-pixel alpha
// Cfg bits 0-1: key-colour holes in the corners show the parent.
constexpr int kMaskCornerHoles = 0x03;

struct TMaskElement {
  std::shared_ptr<TBitmap32> Bmp;     // own image, or none: cut from Master
  const TBitmap32* Master = nullptr;  // the skin's master bitmap (not owned)
  bool HasManager = false;            // elements of no skin are not drawn
  TRect R{};
  int ImageCount = 1;
  int MaskType = 0;
  int DrawMode = 0;
  int WL = 0, WT = 0, WR = 0, WB = 0;
  int Cfg = 0;
  int MulPPi = 96;
  int DivPPI = 96;
  int Width = 0;
  int Height = 0;

  // The bitmap the element's pixels are read from, or null.
  const TBitmap32* Source() const { return Bmp ? Bmp.get() : Master; }
  TMaskElementView View() const { return {R, MaskType, DrawMode}; }
};

}  // namespace qv
