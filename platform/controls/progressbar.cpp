// The progress bar: range arithmetic and the flat look.
#include "platform/controls/progressbar.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/look/plain_look.h"

namespace qv {

TProgressBar::TProgressBar(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csOpaque;
  SetBounds(0, 0, 150, 17);
}

void TProgressBar::SetRange(int min, int max) {
  if (max < min) max = min;
  const int pos = std::clamp(position_, min, max);
  if (min == min_ && max == max_ && pos == position_) return;
  min_ = min;
  max_ = max;
  position_ = pos;
  Invalidate();
}

void TProgressBar::SetPosition(int v) {
  v = std::clamp(v, min_, max_);
  if (v == position_) return;
  position_ = v;
  Invalidate();
}

void TProgressBar::StepBy(int delta) {
  // Saturating: a huge step lands on an end instead of wrapping round.
  const long long target = static_cast<long long>(position_) + delta;
  SetPosition(static_cast<int>(std::clamp<long long>(target, min_, max_)));
}

void TProgressBar::SetSmooth(bool v) {
  if (smooth_ == v) return;
  smooth_ = v;
  Invalidate();
}

void TProgressBar::SetOrientation(TProgressBarOrientation o) {
  if (orientation_ == o) return;
  orientation_ = o;
  Invalidate();
}

void TProgressBar::SetBorderWidth(int v) {
  v = std::max(0, v);
  if (border_width_ == v) return;
  border_width_ = v;
  Invalidate();
}

TRect TProgressBar::FillRect() const {
  const int b = border_width_;
  TRect r{b, b, Width() - b, Height() - b};
  if (r.IsEmpty() || max_ <= min_) return {r.Left, r.Top, r.Left, r.Top};
  const double p = static_cast<double>(position_ - min_) / (static_cast<double>(max_) - min_);
  if (orientation_ == TProgressBarOrientation::pbHorizontal) {
    if (position_ != max_) r.Right = b + static_cast<int>(std::nearbyint((Width() - 2 * b) * p));
  } else {
    if (position_ != max_)
      r.Top = r.Bottom - static_cast<int>(std::nearbyint((Height() - 2 * b) * p));
  }
  return r;
}

int TProgressBar::BlockLength() const {
  const int across = orientation_ == TProgressBarOrientation::pbHorizontal ? Height() : Width();
  return std::max(2, static_cast<int>(std::lround((across - 2 * border_width_) * 0.66)) - 2);
}

void TProgressBar::PaintFace(TCanvas& c, const TPaintState& s) {
  const TFlatPalette p = FlatPalette();
  const TRect client = ClientRect();
  c.FillRect(client, p.Window);
  c.FrameRect(client, s.Enabled ? p.Border : p.Disabled);
}

void TProgressBar::PaintContent(TCanvas& c, const TPaintState& s) {
  const TFlatPalette p = FlatPalette();
  TRect fill = FillRect();
  // Keep the fill inside the outline.
  fill = IntersectRect(fill, {1, 1, Width() - 1, Height() - 1});
  if (fill.IsEmpty()) return;
  const TColor bar = s.Enabled ? p.Accent : p.Disabled;
  if (smooth_) {
    c.FillRect(fill, bar);
    return;
  }
  const bool horizontal = orientation_ == TProgressBarOrientation::pbHorizontal;
  const int block = BlockLength();
  if (horizontal) {
    for (int x = fill.Left; x < fill.Right; x += block + kBlockGap)
      c.FillRect({x, fill.Top, std::min(x + block, fill.Right), fill.Bottom}, bar);
  } else {
    for (int y = fill.Bottom; y > fill.Top; y -= block + kBlockGap)
      c.FillRect({fill.Left, std::max(y - block, fill.Top), fill.Right, y}, bar);
  }
}

}  // namespace qv
