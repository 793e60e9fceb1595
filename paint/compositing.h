// The compositing primitives every skinned picture is assembled from: colour
// mixing, fills, constant-weight blends, copies of skin image pieces with
// per-pixel alpha, a key colour or a separate mask, and their scaled forms.
// Every primitive clips each access to both bitmaps; a bitmap with no rows is
// left alone. Weights are bytes, and a mix divides by 256 through the shift.
#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/color.h"
#include "platform/geometry.h"

namespace qv {

// The parent background of a piece being painted. Bmp is not owned. (X, Y) is
// where the painted bitmap's origin lies inside Bmp. A default value is the
// "no parent" value: no bitmap, X = Y = -99, FillColor the key colour.
struct TCacheInfo {
  TBitmap32* Bmp = nullptr;
  int X = -99;
  int Y = -99;
  TColor FillColor = clKeyColor;
  TRect FillRect{};
  bool Ready = false;  // Bmp holds a complete picture
};

inline TCacheInfo EmptyCacheInfo() { return {}; }

// The fields of a skin image element that the masked copies read. R is the
// element's rectangle in its image; with a mask, the image frames fill its
// upper part and the mask the part below (MaskType + 1 parts in all).
struct TMaskElementView {
  TRect R{};
  int MaskType = 0;  // 0: no mask half; n >= 1: mask starts R.Height() div (n + 1) down
  int DrawMode = 0;  // bit 0x10: the image carries per-pixel alpha
};

// Per channel R, G, B: (a * w + b * (255 - w)) >> 8; the high byte is a's.
TColor MixColors(TColor a, TColor b, int w);

// Every pixel of r (clipped) := B, G, R of the colour with the given alpha.
void FillRectAlpha(TBitmap32& bmp, const TRect& r, TColor color, std::uint8_t alpha);

// Per pixel of r (clipped) and channel: (pixel * w + colour * (255 - w)) >> 8,
// alpha unchanged. w weighs the existing pixel; system colours are resolved.
void BlendColorRect(TBitmap32& bmp, const TRect& r, std::uint8_t w, TColor color);

// The source rectangle s (exclusive edges) over dst at p, all four bytes:
// d := (w * (d - s) + s * 256) >> 8. w weighs the destination: 0 copies.
void BlendBitmaps(TBitmap32& dst, const TBitmap32& src, std::uint8_t w, TPoint p, const TRect& s);

// The source rectangle s (Right and Bottom inclusive) over dst at p with the
// source's per-pixel alpha scaled by the opacity o.
void BlendAlphaPiece(TBitmap32& dst, const TBitmap32& src, const TRect& s, std::uint8_t o,
                     TPoint p);

// The source region scaled to the target rectangle, then blended as by
// BlendAlphaPiece.
void StretchAlphaPiece(TBitmap32& dst, const TRect& target, std::uint8_t o, const TBitmap32& src,
                       const TRect& region);

// Copies the source rectangle s (inclusive) to p, treating key pixels as holes
// that keep the destination, show the parent or take the parent's fill colour.
void CopyKeyedPiece(TBitmap32& dst, const TBitmap32& src, TPoint p, const TRect& s, TColor key,
                    bool from_parent, const TCacheInfo& ci);

// Non-key pixels of s (inclusive), each byte: ((255 - w) * s + w * d) >> 8.
void CopyKeyedFaded(TBitmap32& dst, const TBitmap32& src, TPoint p, const TRect& s, TColor key,
                    std::uint8_t w);

// An image piece mixed through the matching piece of the element's mask half
// (the lower half of e.R): d := (d * m + i * (256 - m)) >> 8 per channel.
void CopyMaskedPiece(const TRect& dst_rect, const TRect& src_rect, TBitmap32& dst,
                     const TMaskElementView& e, bool from_parent, const TCacheInfo& ci,
                     const TBitmap32& src);

// The scaled counterpart of CopyMaskedPiece for edges and centres of masked
// borders. mask_offset is the distance from the image to its mask (0: none).
void StretchMaskedPiece(const TRect& target, bool centre, int mask_offset, const TBitmap32& src,
                        TBitmap32& dst, const TRect& region);

// One image frame through its mask half, its alpha channel or its key colour;
// mode 1 draws normally, any other mode faded.
void DrawImageMasked(const TRect& dst_rect, const TRect& src_rect, TBitmap32& dst,
                     const TMaskElementView& e, int mode, const TBitmap32& src);

}  // namespace qv
