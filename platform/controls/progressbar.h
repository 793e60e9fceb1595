// The progress bar: range, clamped position, smooth or block fill,
// horizontal or vertical. The flat look paints the gauge (PaintFace) and the
// filled part, FillRect, in blocks or smooth (PaintContent).
#pragma once

#include <algorithm>

#include "platform/component/wincontrol.h"

namespace qv {

enum class TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TCustomControl {
 public:
  explicit TProgressBar(TComponent* owner);

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetMin(int v) { SetRange(v, std::max(v, max_)); }
  void SetMax(int v) { SetRange(std::min(min_, v), v); }
  // Keeps min <= max and clamps the position into the range.
  void SetRange(int min, int max);
  void SetPosition(int v);
  int Step() const { return step_; }
  void SetStep(int v) { step_ = v; }
  void StepIt() { StepBy(step_); }
  void StepBy(int delta);

  bool Smooth() const { return smooth_; }
  void SetSmooth(bool v);
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation o);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int v);

  // The filled part inside the border width for the current position
  // (rounded to the nearest pixel, halves to even; full at Max).
  TRect FillRect() const;
  // Block geometry of the non-smooth look: block length along the bar and gap.
  static constexpr int kBlockGap = 2;
  int BlockLength() const;

 protected:
  void PaintFace(TCanvas& c, const TPaintState& s) override;
  void PaintContent(TCanvas& c, const TPaintState& s) override;

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int step_ = 10;
  bool smooth_ = false;
  TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
  int border_width_ = 0;
};

}  // namespace qv
