// The spin edit.
#include "platform/controls/spinedit.h"

#include <algorithm>
#include <limits>

#include "platform/controls/flat_look.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"
#include "platform/window/metrics.h"
#include "platform/window/timer.h"

namespace qv {

namespace {

constexpr std::uintptr_t kRepeatTimer = 2;
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
  std::int64_t r;
  if (__builtin_add_overflow(a, b, &r)) return b > 0 ? kMax : kMin;
  return r;
}

std::int64_t SaturatingMul(std::int64_t a, std::int64_t b) {
  std::int64_t r;
  if (__builtin_mul_overflow(a, b, &r)) return (a < 0) != (b < 0) ? kMin : kMax;
  return r;
}

bool IsSign(char16_t c) { return c == u'+' || c == u'-'; }

}  // namespace

std::optional<std::int64_t> ParseInt64(ustring_view s) {
  if (s.empty()) return std::nullopt;
  bool negative = false;
  std::size_t i = 0;
  if (IsSign(s[0])) {
    negative = s[0] == u'-';
    i = 1;
  }
  if (i == s.size()) return std::nullopt;
  // Accumulate negatively so that the minimum parses too.
  std::int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < u'0' || s[i] > u'9') return std::nullopt;
    if (__builtin_mul_overflow(v, 10, &v) || __builtin_sub_overflow(v, s[i] - u'0', &v))
      return std::nullopt;
  }
  if (negative) return v;
  if (v == kMin) return std::nullopt;
  return -v;
}

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
  ControlStyle &= ~static_cast<unsigned>(csDoubleClicks);
  edit_.SetText(u"0");
  TCustomEdit::SetText(u"0");
}

TSpinEdit::~TSpinEdit() { StopRepeat(); }

std::int64_t TSpinEdit::Value() const {
  const ustring t = GetText();
  if (t.empty()) return 0;
  return ParseInt64(t).value_or(min_value_);
}

std::int64_t TSpinEdit::CheckValue(std::int64_t v) const {
  if (v < 0 && !allow_negative_) v = std::max<std::int64_t>(min_value_, 0);
  if (min_value_ == max_value_) return v;
  if (min_value_ != 0 && v < min_value_) return min_value_;
  if (max_value_ != 0 && v > max_value_) return max_value_;
  return v;
}

void TSpinEdit::SetValue(std::int64_t v) {
  if (IsLoading()) {
    // The text follows once everything is read (Loaded).
    SetText(IntToStr(v));
    return;
  }
  SetText(IntToStr(CheckValue(v)));
}

void TSpinEdit::Loaded() {
  TCustomEdit::Loaded();
  // The stored text becomes the value's decimal form without notifying anyone.
  const ustring fixed = GetText().empty() ? ustring(u"0") : IntToStr(Value());
  const TNotifyEvent saved = OnChange;
  OnChange = nullptr;
  SetText(fixed);
  OnChange = saved;
}

void TSpinEdit::SetButtonWidth(int w) {
  button_width_ = std::max(w, 0);
  Invalidate();
}

int TSpinEdit::ActualButtonWidth() const {
  return button_width_ > 0 ? button_width_ : GetSystemMetrics(SM_CXVSCROLL);
}

TRect TSpinEdit::UpButtonRect() const {
  const int b = BorderVisible() ? 1 : 0;
  const int w = ActualButtonWidth();
  return {Width() - b - w, b, Width() - b, Height() / 2};
}

TRect TSpinEdit::DownButtonRect() const {
  const int b = BorderVisible() ? 1 : 0;
  const int w = ActualButtonWidth();
  return {Width() - b - w, Height() / 2 + Height() % 2, Width() - b, Height() - b};
}

TRect TSpinEdit::EditRect() const {
  TRect r = TCustomEdit::EditRect();
  r.Right = std::max(r.Left, UpButtonRect().Left - 1);
  return r;
}

int TSpinEdit::PartAt(TPoint p) const {
  if (UpButtonRect().Contains(p)) return kUpButton;
  if (DownButtonRect().Contains(p)) return kDownButton;
  return -1;
}

int TSpinEdit::ButtonState(int button) const {
  // While held, the pressed button is down only with the pointer over it.
  if (pressed_) return pressed_ == button && HotPart() == button ? 2 : 0;
  return HotPart() == button ? 1 : 0;
}

void TSpinEdit::SetPressed(int button) {
  if (pressed_ == button) return;
  pressed_ = button;
  StateChanged();
}

void TSpinEdit::Step(bool up) {
  if (ReadOnly()) return;
  if (up && OnUpClick) return OnUpClick(this);
  if (!up && OnDownClick) return OnDownClick(this);
  SetValue(SaturatingAdd(Value(), up ? increment_ : SaturatingMul(increment_, -1)));
}

void TSpinEdit::StopRepeat() {
  if (!repeating_) return;
  repeating_ = false;
  if (HandleAllocated()) KillTimer(WindowHandle(), kRepeatTimer);
}

bool TSpinEdit::AcceptChar(char16_t& ch) {
  if (!editor_enabled_) return ch < u' ' && ch != u'\b';
  if (ch < u' ') return true;
  if (ch >= u'0' && ch <= u'9') return true;
  if (!IsSign(ch)) return false;
  if (ch == u'-' && (!AllowNegative() || min_value_ > 0)) return false;
  const ustring& t = edit_.Text();
  if (t.empty() || SelLength() > 0) return true;
  if (!t.empty() && IsSign(t[0])) {
    // A second sign of the same kind is refused; the opposite one replaces it.
    if (t[0] == ch) return false;
    edit_.SetSelection(0, 1);
    return true;
  }
  edit_.SetSelection(0, 0);
  return true;
}

void TSpinEdit::Paste() {
  if (!editor_enabled_ || ReadOnly()) return;
  const std::int64_t before = Value();
  const int start = SelStart(), length = SelLength();
  PasteFromClipboard();
  const ustring t = GetText();
  if (t.empty() || ParseInt64(t)) return;
  SetText(IntToStr(before));
  SetSelStart(start);
  SetSelLength(length);
}

void TSpinEdit::KeyDown(std::uint16_t& key, TShiftState shift) {
  const bool ctrl = (shift & ssCtrl) != 0;
  const bool sh = (shift & ssShift) != 0;
  const bool paste = (ctrl && key == 'V') || (sh && key == VK_INSERT);
  const bool cut = (ctrl && key == 'X') || (sh && key == VK_DELETE);
  if (key == VK_UP || key == VK_DOWN || paste || cut) {
    TWinControl::KeyDown(key, shift);
    if (key == 0) return;
    if (key == VK_UP || key == VK_DOWN)
      Step(key == VK_UP);
    else if (paste)
      Paste();
    else if (editor_enabled_ && !ReadOnly())
      CutToClipboard();
    key = 0;
    return;
  }
  // Without the editor the text takes no deletions either.
  if (!editor_enabled_ && key == VK_DELETE) {
    key = 0;
    return;
  }
  TCustomEdit::KeyDown(key, shift);
}

void TSpinEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  const int hit = button == TMouseButton::mbLeft ? PartAt({x, y}) : -1;
  if (hit < 0) {
    TCustomEdit::MouseDown(button, shift, x, y);
    return;
  }
  TWinControl::MouseDown(button, shift, x, y);
  SetHotPart(hit);  // the press point is under the pointer
  SetPressed(hit);
  repeating_ = true;
  SetTimer(Handle(), kRepeatTimer, kSpinRepeatDelayMs);
}

void TSpinEdit::MouseMove(TShiftState shift, int x, int y) {
  // While a button is held the pointer selects no text.
  if (pressed_)
    TWinControl::MouseMove(shift, x, y);
  else
    TCustomEdit::MouseMove(shift, x, y);
}

void TSpinEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (!pressed_ || button != TMouseButton::mbLeft) {
    TCustomEdit::MouseUp(button, shift, x, y);
    return;
  }
  TWinControl::MouseUp(button, shift, x, y);
  StopRepeat();
  const int was = pressed_;
  SetPressed(0);
  if (PartAt({x, y}) == was) Step(was == kUpButton);
}

void TSpinEdit::FocusChanged(bool focused) {
  TCustomEdit::FocusChanged(focused);
  if (focused) return;
  const ustring t = GetText();
  if (t == u"-0" || t == u"-" || t == u"+0" || t == u"+") {
    SetText(u"0");
    return;
  }
  if (t.empty()) return;  // an emptied text stays empty
  const std::int64_t v = Value();
  if (CheckValue(v) != v) SetValue(v);
}

void TSpinEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_TIMER:
      if (m.WParam == kRepeatTimer) {
        if (UpState() == 2 || DownState() == 2) {
          SetTimer(WindowHandle(), kRepeatTimer, kSpinRepeatIntervalMs);
          Step(UpState() == 2);
        }
        return;
      }
      break;
    case WM_MOUSEWHEEL:
      if (!ReadOnly() && IsEnabledInTree()) {
        const std::int64_t notches = GET_WHEEL_DELTA_WPARAM(m.WParam) / 120;
        if (notches != 0) SetValue(SaturatingAdd(Value(), SaturatingMul(increment_, notches)));
      }
      m.Result = 1;
      return;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      if (pressed_ && m.Msg == WM_CANCELMODE) {
        StopRepeat();
        SetPressed(0);
      }
      break;
    default:
      break;
  }
  TCustomEdit::WndProc(m);
}

void TSpinEdit::PaintFace(TCanvas& c, const TPaintState& s) {
  TCustomEdit::PaintFace(c, s);
  const TRect up = UpButtonRect(), down = DownButtonRect();
  PaintSpinButton(c, up, true, UpState());
  PaintSpinButton(c, down, false, DownState());
  // An odd height leaves a row between the buttons: it parts them.
  if (down.Top > up.Bottom) {
    const TFlatPalette p = FlatPalette();
    c.FillRect({up.Left, up.Bottom, up.Right, down.Top}, s.Enabled ? p.Border : p.Disabled);
  }
}

void TSpinEdit::PaintSpinButton(TCanvas& c, const TRect& r, bool up, int state) {
  TPaintState s;
  s.Enabled = IsEnabledInTree();
  s.Hot = s.Enabled && state == 1;
  s.Pressed = s.Enabled && state == 2;
  DrawFlatFieldButton(c, r, up ? TFlatArrow::Up : TFlatArrow::Down, s);
}

}  // namespace qv
