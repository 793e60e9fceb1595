// The group box: caption geometry and the flat frame.
#include "platform/controls/groupbox.h"

#include <algorithm>

#include "platform/look/plain_look.h"
#include "platform/text/text.h"

namespace qv {

namespace {
constexpr int kCaptionLeft = 8;  // caption start from the left edge
constexpr int kCaptionPad = 2;   // gap between frame line and caption text
}  // namespace

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csAcceptsControls | csSetCaption | csOpaque;
  ControlStyle &= ~static_cast<unsigned>(csClickEvents);
  SetBounds(0, 0, 185, 105);
}

int TCustomGroupBox::CaptionHeight() const { return TextExtentOf(Font(), u"Wg").cy; }

TRect TCustomGroupBox::CaptionTextRect() const {
  const ustring text = Caption();
  if (text.empty()) return {kCaptionLeft, 0, kCaptionLeft, CaptionHeight()};
  const TSize t = MeasureText(Font(), text, DT_SINGLELINE);
  const int w = std::min(t.cx, std::max(0, Width() - 2 * kCaptionLeft));
  return Bounds(kCaptionLeft + kCaptionPad, 0, w, t.cy);
}

TRect TCustomGroupBox::AdjustClientRect() const {
  TRect r = ClientRect();
  r.Top += CaptionHeight() + 2;
  r.Left += 2;
  r.Right -= 2;
  r.Bottom -= 2;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  if (r.Right < r.Left) r.Right = r.Left;
  return r;
}

void TCustomGroupBox::PaintFace(TCanvas& c, const TPaintState& s) {
  const TFlatPalette p = FlatPalette();
  c.FillRect(ClientRect(), Color());
  const int line = CaptionHeight() / 2;
  c.FrameRect({0, line, Width(), Height()}, s.Enabled ? p.Border : p.Disabled);
  if (Caption().empty()) return;
  // Break the frame line under the caption.
  const TRect tr = CaptionTextRect();
  c.FillRect({tr.Left - kCaptionPad, line, tr.Right + kCaptionPad, line + 1}, Color());
}

void TCustomGroupBox::PaintContent(TCanvas& c, const TPaintState& s) {
  const ustring text = Caption();
  if (text.empty()) return;
  TRect tr = CaptionTextRect();
  c.SetBkMode(TRANSPARENT);
  c.Font = Font();
  c.Font.Color = FlatTextColor(Font().Color, s.Enabled);
  c.DrawText(text, tr, DT_SINGLELINE | DT_END_ELLIPSIS);
}

void TCustomGroupBox::CMTextChanged(TMessage& m) {
  TCustomControl::CMTextChanged(m);
  Invalidate();
}

void TCustomGroupBox::CMFontChanged(TMessage& m) {
  TCustomControl::CMFontChanged(m);
  Realign();
  Invalidate();
}

}  // namespace qv
