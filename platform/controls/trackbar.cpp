// The track bar: geometry, user input with paging auto-repeat, and the flat look.
#include "platform/controls/trackbar.h"

#include <algorithm>
#include <cmath>

#include "platform/component/application.h"
#include "platform/look/plain_look.h"
#include "platform/window/keys.h"
#include "platform/window/timer.h"

namespace qv {

namespace {
constexpr std::uintptr_t kPageTimer = 1;
constexpr unsigned kFirstRepeatMs = 400;
constexpr unsigned kRepeatMs = 100;
// Sizes of the plain look at 96 pixels per inch; drawn at the screen's.
constexpr int kThumbAlong = 11;  // thumb size along the bar
constexpr int kChannelThickness = 4;
constexpr int kTickRoom = 5;  // space a row of ticks takes across the bar
}  // namespace

TTrackBar::TTrackBar(TComponent* owner) : TCustomControl(owner) {
  SetTabStop(true);
  ControlStyle |= csOpaque;
  ControlStyle &= ~static_cast<unsigned>(csClickEvents | csDoubleClicks);
  SetBounds(0, 0, 150, 33);
}

TTrackBar::~TTrackBar() {
  if (paging_ && WindowHandle()) KillTimer(WindowHandle(), kPageTimer);
}

void TTrackBar::SetRange(int min, int max) {
  if (max < min) max = min;
  if (min == min_ && max == max_) return;
  min_ = min;
  max_ = max;
  Invalidate();
  SetPosition(position_);
}

void TTrackBar::SetPosition(int v) {
  v = std::clamp(v, min_, max_);
  if (v == position_) return;
  position_ = v;
  Invalidate();
  Changed();
}

void TTrackBar::Changed() {
  if (OnChange) OnChange(this);
}

void TTrackBar::SetFrequency(int v) {
  v = std::max(1, v);
  if (frequency_ == v) return;
  frequency_ = v;
  Invalidate();
}

void TTrackBar::SetTickStyle(TTickStyle s) {
  if (tick_style_ == s) return;
  tick_style_ = s;
  Invalidate();
}

void TTrackBar::SetTickMarks(TTickMark m) {
  if (tick_marks_ == m) return;
  tick_marks_ = m;
  Invalidate();
}

void TTrackBar::SetOrientation(TTrackBarOrientation o) {
  if (orientation_ == o) return;
  orientation_ = o;
  // The bar turns with its bounds, as the platform's does.
  SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TTrackBar::SetSliderVisible(bool v) {
  if (slider_visible_ == v) return;
  slider_visible_ = v;
  Invalidate();
}

void TTrackBar::SetThumbLength(int v) {
  v = std::max(4, v);
  if (thumb_length_ == v) return;
  thumb_length_ = v;
  Invalidate();
}

void TTrackBar::ChangeScale(int m, int d) {
  TCustomControl::ChangeScale(m, d);
  SetThumbLength(MulDiv(thumb_length_, m, d));
}

void TTrackBar::SetTick(int value) {
  if (value <= min_ || value >= max_) return;
  if (std::find(ticks_.begin(), ticks_.end(), value) != ticks_.end()) return;
  ticks_.insert(std::upper_bound(ticks_.begin(), ticks_.end(), value), value);
  Invalidate();
}

void TTrackBar::ClearTicks() {
  ticks_.clear();
  Invalidate();
}

int TTrackBar::TrackStart() const { return Screen().Scaled(kThumbAlong) / 2 + 2; }

int TTrackBar::TrackLength() const {
  const int along = Horizontal() ? Width() : Height();
  return std::max(0, along - 2 * TrackStart() - 1);
}

int TTrackBar::PixelOf(int value) const {
  const long long span = static_cast<long long>(max_) - min_;
  if (span <= 0) return TrackStart();
  const long long off = static_cast<long long>(value) - min_;
  return TrackStart() + static_cast<int>((off * TrackLength() * 2 + span) / (span * 2));
}

int TTrackBar::ValueAt(int along) const {
  const long long span = static_cast<long long>(max_) - min_;
  const int len = TrackLength();
  if (span <= 0 || len <= 0) return min_;
  const long long px = std::clamp(along - TrackStart(), 0, len);
  return static_cast<int>(min_ + (px * span * 2 + len) / (len * 2));
}

TRect TTrackBar::ChannelRect() const {
  const int across = Horizontal() ? Height() : Width();
  const int ticks_before =
      tick_style_ != TTickStyle::tsNone && tick_marks_ != TTickMark::tmBottomRight;
  const int ticks_after = tick_style_ != TTickStyle::tsNone && tick_marks_ != TTickMark::tmTopLeft;
  const int room = Screen().Scaled(kTickRoom), thickness = Screen().Scaled(kChannelThickness);
  const int lo = ticks_before ? room : 0;
  const int hi = across - (ticks_after ? room : 0);
  const int mid = lo + (hi - lo - thickness) / 2;
  const int a0 = TrackStart() - 2, a1 = TrackStart() + TrackLength() + 3;
  if (Horizontal()) return {a0, mid, a1, mid + thickness};
  return {mid, a0, mid + thickness, a1};
}

TRect TTrackBar::ThumbRect() const {
  const TRect ch = ChannelRect();
  const int centre = PixelOf(position_);
  const int across = Horizontal() ? Height() : Width();
  const int mid = Horizontal() ? (ch.Top + ch.Bottom) / 2 : (ch.Left + ch.Right) / 2;
  const int thick = std::min(thumb_length_, std::max(4, across - 2 * Screen().Scaled(kTickRoom)));
  const int along = Screen().Scaled(kThumbAlong);
  const int t0 = mid - thick / 2;
  const int c0 = centre - along / 2;
  if (Horizontal()) return Bounds(c0, t0, along, thick);
  return Bounds(t0, c0, thick, along);
}

int TTrackBar::TickCount() const {
  if (tick_style_ == TTickStyle::tsNone || max_ <= min_) return 0;
  if (tick_style_ == TTickStyle::tsManual) return static_cast<int>(ticks_.size()) + 2;
  const long long span = static_cast<long long>(max_) - min_;
  return static_cast<int>(
      std::min<long long>(span / frequency_ + 1 + (span % frequency_ ? 1 : 0), 10000));
}

int TTrackBar::TickValue(int i) const {
  const int n = TickCount();
  if (i < 0 || i >= n) return min_;
  if (i == n - 1) return max_;
  if (tick_style_ == TTickStyle::tsManual)
    return i == 0 ? min_ : ticks_[static_cast<std::size_t>(i - 1)];
  return static_cast<int>(std::min<long long>(min_ + static_cast<long long>(i) * frequency_, max_));
}

int TTrackBar::TickPos(int i) const { return PixelOf(TickValue(i)); }

void TTrackBar::UserMove(long long target, int code) {
  SetPosition(static_cast<int>(std::clamp<long long>(target, min_, max_)));
  Perform(Horizontal() ? WM_HSCROLL : WM_VSCROLL, static_cast<WPARAM>(code), 0);
}

void TTrackBar::PageTowardsPress(bool first) {
  const int along = Horizontal() ? press_point_.X : press_point_.Y;
  const TRect th = ThumbRect();
  const int lo = Horizontal() ? th.Left : th.Top;
  const int hi = Horizontal() ? th.Right : th.Bottom;
  const int dir = along < lo ? -1 : along >= hi ? 1 : 0;
  if (first) page_dir_ = dir;
  // Paging stops once the thumb reaches (or passes) the press point.
  if (dir == 0 || dir != page_dir_) return;
  if (dir < 0) {
    UserMove(static_cast<long long>(position_) - page_size_, TB_PAGEUP);
  } else {
    UserMove(static_cast<long long>(position_) + page_size_, TB_PAGEDOWN);
  }
}

void TTrackBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS;
      return;
    case WM_TIMER:
      if (m.WParam == kPageTimer) {
        if (paging_) {
          SetTimer(Handle(), kPageTimer, kRepeatMs);
          PageTowardsPress(false);
        } else {
          KillTimer(Handle(), kPageTimer);
        }
        return;
      }
      break;
    case WM_MOUSEWHEEL: {
      if (!IsEnabledInTree()) break;
      const int notches = GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA;
      if (notches != 0) {
        UserMove(static_cast<long long>(position_) - static_cast<long long>(notches) * line_size_,
                 notches > 0 ? TB_LINEUP : TB_LINEDOWN);
      }
      m.Result = 0;
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(m);
      StateChanged();
      return;
    case WM_CANCELMODE:
    case CM_CANCELMODE:
      if (paging_) KillTimer(Handle(), kPageTimer);
      paging_ = dragging_ = false;
      StateChanged();
      break;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

void TTrackBar::MouseDown(TMouseButton b, TShiftState shift, int x, int y) {
  if (b == TMouseButton::mbLeft && IsEnabledInTree()) {
    const TRect th = ThumbRect();
    if (slider_visible_ && th.Contains({x, y})) {
      dragging_ = true;
      const int centre = PixelOf(position_);
      drag_offset_ = (Horizontal() ? x : y) - centre;
      StateChanged();
    } else {
      paging_ = true;
      press_point_ = {x, y};
      PageTowardsPress(true);
      SetTimer(Handle(), kPageTimer, kFirstRepeatMs);
    }
  }
  TCustomControl::MouseDown(b, shift, x, y);
}

void TTrackBar::MouseMove(TShiftState shift, int x, int y) {
  if (dragging_) {
    const int along = (Horizontal() ? x : y) - drag_offset_;
    const int v = ValueAt(along);
    if (v != position_) UserMove(v, TB_THUMBTRACK);
  } else if (paging_) {
    press_point_ = {x, y};
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TTrackBar::MouseUp(TMouseButton b, TShiftState shift, int x, int y) {
  if (b == TMouseButton::mbLeft) {
    if (dragging_) {
      dragging_ = false;
      StateChanged();
      Perform(Horizontal() ? WM_HSCROLL : WM_VSCROLL, TB_THUMBPOSITION, 0);
      Perform(Horizontal() ? WM_HSCROLL : WM_VSCROLL, TB_ENDTRACK, 0);
    } else if (paging_) {
      paging_ = false;
      KillTimer(Handle(), kPageTimer);
      Perform(Horizontal() ? WM_HSCROLL : WM_VSCROLL, TB_ENDTRACK, 0);
    }
  }
  TCustomControl::MouseUp(b, shift, x, y);
}

void TTrackBar::KeyDown(std::uint16_t& key, TShiftState shift) {
  const long long pos = position_;
  switch (key) {
    case VK_LEFT:
    case VK_UP:
      UserMove(pos - line_size_, TB_LINEUP);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      UserMove(pos + line_size_, TB_LINEDOWN);
      break;
    case VK_PRIOR:
      UserMove(pos - page_size_, TB_PAGEUP);
      break;
    case VK_NEXT:
      UserMove(pos + page_size_, TB_PAGEDOWN);
      break;
    case VK_HOME:
      UserMove(min_, TB_TOP);
      break;
    case VK_END:
      UserMove(max_, TB_BOTTOM);
      break;
    default:
      break;
  }
  TCustomControl::KeyDown(key, shift);
}

TPaintState TTrackBar::PaintState() const {
  TPaintState s = TCustomControl::PaintState();
  s.Pressed = dragging_ && s.Enabled;
  return s;
}

void TTrackBar::PaintFace(TCanvas& c, const TPaintState&) { c.FillRect(ClientRect(), Color()); }

void TTrackBar::PaintContent(TCanvas& c, const TPaintState& s) {
  PaintChannel(c, s);
  PaintTicks(c, s);
  if (slider_visible_) PaintThumb(c, s);
}

void TTrackBar::PaintFocus(TCanvas& c, const TPaintState& s) {
  if (s.Focused && s.Enabled) DrawFlatFocusFrame(c, ClientRect());
}

void TTrackBar::PaintChannel(TCanvas& c, const TPaintState& s) {
  const TFlatPalette p = FlatPalette();
  const TRect ch = ChannelRect();
  c.FillRect(ch, p.Window);
  c.FrameRect(ch, s.Enabled ? p.Border : p.Disabled);
  // The part up to the thumb in the accent colour, as modern sliders show.
  const int pos = PixelOf(position_);
  if (s.Enabled) {
    if (Horizontal()) {
      c.FillRect({ch.Left + 1, ch.Top + 1, pos, ch.Bottom - 1}, p.Accent);
    } else {
      c.FillRect({ch.Left + 1, ch.Top + 1, ch.Right - 1, pos}, p.Accent);
    }
  }
}

void TTrackBar::PaintTicks(TCanvas& c, const TPaintState& s) {
  const TFlatPalette p = FlatPalette();
  const int n = TickCount();
  const TColor tick = s.Enabled ? p.Border : p.Disabled;
  const int across = Horizontal() ? Height() : Width();
  for (int i = 0; i < n; ++i) {
    const int t = TickPos(i);
    const bool end = i == 0 || i == n - 1;
    const int len = end ? 4 : 3;
    if (tick_marks_ != TTickMark::tmTopLeft) {
      if (Horizontal())
        c.FillRect({t, across - len, t + 1, across}, tick);
      else
        c.FillRect({across - len, t, across, t + 1}, tick);
    }
    if (tick_marks_ != TTickMark::tmBottomRight) {
      if (Horizontal())
        c.FillRect({t, 0, t + 1, len}, tick);
      else
        c.FillRect({0, t, len, t + 1}, tick);
    }
  }
}

void TTrackBar::PaintThumb(TCanvas& c, const TPaintState& s) {
  const TFlatPalette p = FlatPalette();
  const TRect th = ThumbRect();
  TColor face = s.Pressed ? p.Accent : s.Hot ? p.FaceHot : p.Face;
  if (!s.Enabled) face = p.Face;
  c.FillRect(th, face);
  c.FrameRect(th, !s.Enabled                          ? p.Disabled
                  : (s.Hot || s.Pressed || s.Focused) ? p.Accent
                                                      : p.Border);
}

}  // namespace qv
