// The canvas: the device-context stand-in over a 32-bit bitmap. Logical
// coordinates pass through a viewport origin; every write is clipped to the
// bitmap, the clip rectangle and the clip region. Pixels drawn by fills, lines
// and text get alpha 0, as the classic platform leaves them on 32-bit bitmaps;
// BitBlt and StretchBlt copy all four bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/bitmap.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/region.h"
#include "platform/ustring.h"

namespace qv {

// Raster operations with the platform's values; only SRCCOPY is in use.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;

// Stretch modes with the platform's values.
enum TStretchMode : int { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };

// Background modes of text drawing.
enum TBkMode : int { TRANSPARENT = 1, OPAQUE = 2 };

// DrawText flags with the platform's values.
enum : unsigned {
  DT_TOP = 0x0,
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_EXPANDTABS = 0x40,
  DT_TABSTOP = 0x80,
  DT_NOCLIP = 0x100,
  DT_EXTERNALLEADING = 0x200,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
  DT_INTERNAL = 0x1000,
  DT_EDITCONTROL = 0x2000,
  DT_PATH_ELLIPSIS = 0x4000,
  DT_END_ELLIPSIS = 0x8000,
  DT_MODIFYSTRING = 0x10000,
  DT_RTLREADING = 0x20000,
  DT_WORD_ELLIPSIS = 0x40000,
  DT_NOFULLWIDTHCHARBREAK = 0x80000,
  DT_HIDEPREFIX = 0x100000,
  DT_PREFIXONLY = 0x200000,
};

enum class TBrushStyle { bsSolid, bsClear };
enum class TPenStyle { psSolid, psDot, psClear };

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
};

class TCanvas {
 public:
  explicit TCanvas(TBitmap32& target);

  TBitmap32& Target() { return *target_; }
  const TBitmap32& Target() const { return *target_; }

  // Viewport origin: logical (0, 0) lands on device point Origin.
  void SetViewportOrg(TPoint origin) { origin_ = origin; }
  TPoint ViewportOrg() const { return origin_; }
  void MoveViewportOrg(int dx, int dy) { origin_ = {origin_.X + dx, origin_.Y + dy}; }

  // Clipping, in logical coordinates at the time of the call (stored in
  // device coordinates). No clip means the whole bitmap.
  void SetClipRect(const TRect& r);
  void IntersectClipRect(const TRect& r);
  void ExcludeClipRect(const TRect& r);
  void SetClipRegion(const TRegion* region);  // nullptr removes the clip
  void ResetClip();
  // The part of the bitmap this canvas may touch at all, in device
  // coordinates (a window's visible area); no clip call of the canvas's user
  // widens it, and ResetClip keeps it. nullptr removes it.
  void SetSystemClip(const TRegion* device_region);
  // The effective clip in logical coordinates (bitmap bounds when unclipped).
  TRect ClipBox() const;
  bool PtVisible(TPoint logical) const;
  bool RectVisible(const TRect& logical) const;

  // Save/restore of origin, clip, font, brush, pen and text state.
  int SaveDC();
  // Negative: relative to the latest save. False (and nothing changes) for a
  // level that does not exist.
  bool RestoreDC(int saved);

  // Copies a w x h block of the source starting at (sx, sy) to (x, y): all four
  // bytes, clipped to both sides.
  void BitBlt(int x, int y, int w, int h, const TBitmap32& src, int sx, int sy,
              std::uint32_t rop = SRCCOPY);
  void BitBlt(int x, int y, int w, int h, const TCanvas& src, int sx, int sy,
              std::uint32_t rop = SRCCOPY);
  // Scales the source block to the destination block. A size counts from its
  // start pixel toward its sign (w = -3 at x = 5 covers 5, 4, 3), so sizes of
  // opposite signs mirror. Destination pixel i takes source pixel
  // ⌊(2i + 1)·|sw| / (2|w|)⌋, the one under its centre, copying four bytes;
  // except with COLORONCOLOR, pixels that shrink into one are combined: AND
  // (BLACKONWHITE), OR (WHITEONBLACK) or their rounded average (HALFTONE).
  // Source pixels outside the source bitmap leave the destination alone.
  void StretchBlt(int x, int y, int w, int h, const TBitmap32& src, int sx, int sy, int sw, int sh,
                  std::uint32_t rop = SRCCOPY);
  void StretchBlt(int x, int y, int w, int h, const TCanvas& src, int sx, int sy, int sw, int sh,
                  std::uint32_t rop = SRCCOPY);
  void SetStretchBltMode(TStretchMode mode) { stretch_mode_ = mode; }
  TStretchMode StretchBltMode() const { return stretch_mode_; }

  // Solid fills and outlines with the brush and pen.
  void FillRect(const TRect& r);  // with Brush.Color
  void FillRect(const TRect& r, TColor color);
  void FillRegion(const TRegion& region, TColor color);
  void FrameRect(const TRect& r, TColor color);  // one-pixel frame inside r
  void Rectangle(const TRect& r);                // pen outline, brush inside
  void MoveTo(int x, int y);
  void LineTo(int x, int y);                        // the end point is not drawn
  void Polygon(const std::vector<TPoint>& points);  // brush fill, pen outline
  void DrawFocusRect(const TRect& r);               // dotted, inverting
  void SetPixel(int x, int y, TColor color);
  TColor GetPixel(int x, int y) const;  // -1 outside the clip or bitmap

  // Text (implemented by the text engine).
  TSize TextExtent(ustring_view text);
  int TextWidth(ustring_view text) { return TextExtent(text).cx; }
  int TextHeight(ustring_view text) { return TextExtent(text).cy; }
  void TextOut(int x, int y, ustring_view text);
  // Draws (or with DT_CALCRECT measures, widening/heightening r) and returns
  // the height of the text.
  int DrawText(ustring_view text, TRect& r, unsigned flags);
  void SetBkMode(TBkMode mode) { bk_mode_ = mode; }
  TBkMode BkMode() const { return bk_mode_; }
  void SetBkColor(TColor color) { bk_color_ = color; }
  TColor BkColor() const { return bk_color_; }

  TFont Font;
  TBrush Brush;
  TPen Pen;

  // Device-space clip rectangles (bitmap bounds intersected with the clip);
  // what every drawing routine writes through.
  const std::vector<TRect>& DeviceClipRects() const;

 private:
  struct Saved;
  void InvalidateClipCache();
  // The device clip as a region, the whole bitmap standing in for "no clip".
  TRegion DeviceClip() const;
  void SetDeviceClip(TRegion region);

  TBitmap32* target_;
  TPoint origin_{};
  std::optional<TRegion> clip_;         // device coordinates
  std::optional<TRegion> system_clip_;  // device coordinates, under every clip
  mutable std::optional<std::vector<TRect>> clip_cache_;
  mutable TSize clip_cache_size_{};  // bitmap size the cache was made for
  TPoint pen_pos_{};
  TStretchMode stretch_mode_ = BLACKONWHITE;
  TBkMode bk_mode_ = OPAQUE;
  TColor bk_color_ = clWhite;
  std::vector<Saved> saved_;
};

// One SaveDC level.
struct TCanvas::Saved {
  TPoint Origin;
  std::optional<TRegion> Clip;
  TFont Font;
  TBrush Brush;
  TPen Pen;
  TPoint PenPos;
  TStretchMode StretchMode;
  TBkMode BkMode;
  TColor BkColor;
};

}  // namespace qv
