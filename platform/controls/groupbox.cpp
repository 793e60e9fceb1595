// The group box: caption geometry and the flat frame.
#include "platform/controls/groupbox.h"

#include <algorithm>

#include "platform/controls/flat_look.h"

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

int TCustomGroupBox::CaptionHeight() const {
  TBitmap32 scratch(1, 1);
  TCanvas c(scratch);
  c.Font = Font();
  return c.TextHeight(u"Wg");
}

TRect TCustomGroupBox::CaptionTextRect() const {
  const ustring text = Caption();
  if (text.empty()) return {kCaptionLeft, 0, kCaptionLeft, CaptionHeight()};
  TBitmap32 scratch(1, 1);
  TCanvas c(scratch);
  c.Font = Font();
  TRect r{0, 0, 32767, 0};
  c.DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
  const int w = std::min(r.Width(), std::max(0, Width() - 2 * kCaptionLeft));
  return Bounds(kCaptionLeft + kCaptionPad, 0, w, r.Height());
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

void TCustomGroupBox::Paint() {
  TCanvas& c = *Canvas();
  const TFlatPalette p = FlatPalette();
  const bool enabled = IsEnabledInTree();
  c.FillRect(ClientRect(), Color());
  const int line = CaptionHeight() / 2;
  c.FrameRect({0, line, Width(), Height()}, enabled ? p.Border : p.Disabled);
  const ustring text = Caption();
  if (text.empty()) return;
  TRect tr = CaptionTextRect();
  // Break the frame line under the caption.
  c.FillRect({tr.Left - kCaptionPad, line, tr.Right + kCaptionPad, line + 1}, Color());
  c.SetBkMode(TRANSPARENT);
  c.Font = Font();
  c.Font.Color = FlatTextColor(Font().Color, enabled);
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

void TCustomGroupBox::CMEnabledChanged(TMessage& m) {
  TCustomControl::CMEnabledChanged(m);
  Invalidate();
}

}  // namespace qv
