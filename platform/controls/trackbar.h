// The track bar: a thumb on a channel over a range. The thumb is dragged with
// capture; a press on the channel pages towards the press and repeats while
// held; arrows, PgUp/PgDn, Home/End and the wheel step it. OnChange fires on
// every change of Position, from code too. Changes made by the user are also
// sent to the control itself as WM_HSCROLL / WM_VSCROLL with a TB_* code, so
// a subclass hears them in its message procedure. The flat look paints the
// background (PaintFace), then channel, ticks and thumb (PaintContent, one
// replaceable part each) and the focus frame (PaintFocus).
#pragma once

#include <algorithm>
#include <vector>

#include "platform/component/wincontrol.h"

namespace qv {

enum class TTrackBarOrientation { trHorizontal, trVertical };
enum class TTickStyle { tsNone, tsAuto, tsManual };
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };

// Scroll notification codes of the track bar.
enum : int {
  TB_LINEUP = 0,
  TB_LINEDOWN = 1,
  TB_PAGEUP = 2,
  TB_PAGEDOWN = 3,
  TB_THUMBPOSITION = 4,
  TB_THUMBTRACK = 5,
  TB_TOP = 6,
  TB_BOTTOM = 7,
  TB_ENDTRACK = 8,
};

class TTrackBar : public TCustomControl {
 public:
  explicit TTrackBar(TComponent* owner);
  ~TTrackBar() override;

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetMin(int v) { SetRange(v, std::max(v, max_)); }
  void SetMax(int v) { SetRange(std::min(min_, v), v); }
  void SetRange(int min, int max);
  // Clamped to Min..Max; a changed value fires OnChange.
  void SetPosition(int v);
  int LineSize() const { return line_size_; }
  void SetLineSize(int v) { line_size_ = std::max(1, v); }
  int PageSize() const { return page_size_; }
  void SetPageSize(int v) { page_size_ = std::max(1, v); }
  int Frequency() const { return frequency_; }
  void SetFrequency(int v);
  TTickStyle TickStyle() const { return tick_style_; }
  void SetTickStyle(TTickStyle s);
  TTickMark TickMarks() const { return tick_marks_; }
  void SetTickMarks(TTickMark m);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation o);
  bool SliderVisible() const { return slider_visible_; }
  void SetSliderVisible(bool v);
  int ThumbLength() const { return thumb_length_; }
  void SetThumbLength(int v);
  // Manual ticks (tsManual) at these positions, besides the ends.
  void SetTick(int value);
  void ClearTicks();

  // Geometry, in client coordinates.
  TRect ChannelRect() const;
  TRect ThumbRect() const;
  int TickCount() const;
  // Value and pixel offset along the bar of tick i (ends included).
  int TickValue(int i) const;
  int TickPos(int i) const;

  bool ThumbPressed() const { return dragging_; }
  // Adds Pressed: the thumb is held.
  TPaintState PaintState() const override;

  TNotifyEvent OnChange;

  void WndProc(TMessage& m) override;

 protected:
  void PaintFace(TCanvas& c, const TPaintState& s) override;
  // Channel, ticks and thumb, in that order.
  void PaintContent(TCanvas& c, const TPaintState& s) override;
  void PaintFocus(TCanvas& c, const TPaintState& s) override;
  // The channel, filled in the accent colour up to the thumb.
  virtual void PaintChannel(TCanvas& c, const TPaintState& s);
  virtual void PaintTicks(TCanvas& c, const TPaintState& s);
  virtual void PaintThumb(TCanvas& c, const TPaintState& s);
  virtual void Changed();
  // The thumb's length is a length too.
  void ChangeScale(int m, int d) override;

  void MouseDown(TMouseButton b, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState shift, int x, int y) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;

 private:
  bool Horizontal() const { return orientation_ == TTrackBarOrientation::trHorizontal; }
  // Pixel range the thumb centre travels along the bar.
  int TrackStart() const;
  int TrackLength() const;
  int ValueAt(int along) const;
  int PixelOf(int value) const;
  // A change made by the user: set, then notify with the scroll code.
  void UserMove(long long target, int code);
  void PageTowardsPress(bool first);

  int min_ = 0;
  int max_ = 10;
  int position_ = 0;
  int line_size_ = 1;
  int page_size_ = 2;
  int frequency_ = 1;
  TTickStyle tick_style_ = TTickStyle::tsAuto;
  TTickMark tick_marks_ = TTickMark::tmBottomRight;
  TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
  bool slider_visible_ = true;
  int thumb_length_ = 20;
  std::vector<int> ticks_;
  bool dragging_ = false;
  int drag_offset_ = 0;  // press point minus thumb centre, along the bar
  bool paging_ = false;
  TPoint press_point_{};
  int page_dir_ = 0;
};

}  // namespace qv
