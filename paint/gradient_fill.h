// The gradient fills that gradient painting asks of the graphics service:
// Gouraud-shaded triangles with 16-bit vertex channels, and the
// alpha-composited linear and centre-weighted (path) gradients.
#pragma once

#include <cstddef>
#include <cstdint>

#include "paint/gradient.h"
#include "platform/bitmap.h"
#include "platform/geometry.h"

namespace qv {

// A triangle vertex: position and 16-bit channels (8-bit value x 256).
struct TTriVertex {
  int X = 0;
  int Y = 0;
  std::uint16_t Red = 0;
  std::uint16_t Green = 0;
  std::uint16_t Blue = 0;
  std::uint16_t Alpha = 0;
};

struct TGradientTriangle {
  std::uint32_t Vertex1 = 0;
  std::uint32_t Vertex2 = 0;
  std::uint32_t Vertex3 = 0;
};

// Fills each triangle with colours interpolated linearly between its vertices
// and evaluated at pixel centres; a pixel belongs to a triangle when its centre
// lies inside, or on a top or left edge, so triangles sharing an edge paint it
// once. Channels are written as value >> 8 (alpha too). Triangles naming a
// vertex that does not exist are skipped.
void GradientFillTriangles(TBitmap32& bmp, const TTriVertex* vertices, std::size_t vertex_count,
                           const TGradientTriangle* triangles, std::size_t triangle_count);

// The linear gradient from c1 at one edge of rect to c2 at the opposite edge
// (top to bottom, or left to right when horizontal), alpha from each colour's
// fourth byte, composited source-over onto the pixels of rect inside clip.
void FillLinearGradientOver(TBitmap32& bmp, const TRect& rect, TsColor c1, TsColor c2,
                            bool horizontal, const TRect& clip);

// The centre-weighted fill of rect: corner colours in the order top-left,
// top-right, bottom-right, bottom-left, the centre colour at rect's centre,
// blended from the centre towards the edge; composited source-over.
void FillPathGradientOver(TBitmap32& bmp, const TRect& rect, const TsColor corners[4],
                          TsColor centre);

}  // namespace qv
