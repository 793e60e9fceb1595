// The canvas's text calls: measuring, single-line output and the
// text-drawing routine, through the text engine with the canvas's font,
// background mode, viewport origin and clip.
#include "platform/canvas.h"
#include "platform/text/text.h"

namespace qv {

namespace {

TTextDevice DeviceOf(TCanvas& canvas) {
  TTextDevice device(canvas.Target());
  device.Clip = canvas.DeviceClipRects();
  device.Origin = canvas.ViewportOrg();
  return device;
}

}  // namespace

TSize TCanvas::TextExtent(ustring_view text) { return TextExtentOf(Font, text); }

void TCanvas::TextOut(int x, int y, ustring_view text) {
  TTextDevice device = DeviceOf(*this);
  const int width = TextOutTo(device, Font, x, y, text, {bk_mode_, bk_color_});
  // As the classic canvas does, the pen moves to the end of the text.
  pen_pos_ = {x + width, y};
}

int TCanvas::DrawText(ustring_view text, TRect& r, unsigned flags) {
  TTextDevice device = DeviceOf(*this);
  return DrawTextTo(device, Font, text, r, flags, {bk_mode_, bk_color_});
}

}  // namespace qv
