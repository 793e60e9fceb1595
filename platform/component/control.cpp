// Controls: geometry, state, font and colour inheritance, notifications and
// the common mouse handling of the message procedure.
#include "platform/component/control.h"

#include <algorithm>
#include <stdexcept>

#include "platform/component/form.h"
#include "platform/component/wincontrol.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"
#include "platform/window/messages.h"
#include "platform/window/paint.h"

namespace qv {

namespace {

TControl* g_capture_control = nullptr;

bool IsMouseMessage(UINT msg) {
  return (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) || msg == WM_MOUSEWHEEL;
}

}  // namespace

TControl*& MouseControlSlot() {
  static TControl* control = nullptr;
  return control;
}

TControl* CaptureControl() { return g_capture_control; }
TControl* MouseControl() { return MouseControlSlot(); }

TShiftState ShiftStateFromKeys(WPARAM mk) {
  TShiftState s = 0;
  if (mk & MK_SHIFT) s |= ssShift;
  if (mk & MK_CONTROL) s |= ssCtrl;
  if (mk & MK_LBUTTON) s |= ssLeft;
  if (mk & MK_RBUTTON) s |= ssRight;
  if (mk & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
}

TControl::~TControl() {
  if (g_capture_control == this) g_capture_control = nullptr;
  if (MouseControlSlot() == this) MouseControlSlot() = nullptr;
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* win = dynamic_cast<TWinControl*>(parent)) SetParent(win);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw std::invalid_argument("A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
  // A new parent brings its font and colour to controls that follow it.
  if (parent_) {
    Perform(CM_PARENTFONTCHANGED);
    Perform(CM_PARENTCOLORCHANGED);
  }
}

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  const bool visible_before = parent_ && Showing();
  if (visible_before) Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (parent_ && Showing()) Invalidate();
  if (!(ControlState & csAligning)) UpdateAnchorRules();
  if (resized) Resize();
  if (align_ != TAlign::alNone) RequestAlign();
}

void TControl::UpdateAnchorRules() {
  if (!parent_ || IsLoading()) return;
  const TRect pc = parent_->AdjustClientRect();
  anchor_origin_ = BoundsRect();
  anchor_parent_size_ = {pc.Width(), pc.Height()};
}

TPoint TControl::ClientOrigin() const {
  if (!parent_) return {left_, top_};
  const TPoint p = parent_->ClientOrigin();
  return {p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const TPoint o = ClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint o = ClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

void TControl::RequestAlign() {
  if (parent_) parent_->Realign();
}

void TControl::SetAlign(TAlign a) {
  if (a == align_) return;
  align_ = a;
  RequestAlign();
}

void TControl::SetAnchors(TAnchors a) {
  anchors_ = a;
  UpdateAnchorRules();
}

void TControl::SetMargins(const TMargins& m) {
  if (m == margins_) return;
  margins_ = m;
  if (align_with_margins_) RequestAlign();
}

void TControl::SetAlignWithMargins(bool v) {
  if (v == align_with_margins_) return;
  align_with_margins_ = v;
  RequestAlign();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (!v && Showing()) Invalidate();
  visible_ = v;
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
  RequestAlign();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Perform(CM_ENABLEDCHANGED);
}

bool TControl::IsEnabledInTree() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->enabled_) return false;
  return true;
}

void TControl::SetText(ustring_view text) {
  if (text == text_) return;
  text_ = ustring(text);
  Perform(CM_TEXTCHANGED);
}

void TControl::SetFont(const TFont& f) {
  parent_font_ = false;
  if (f == font_) return;
  font_ = f;
  Perform(CM_FONTCHANGED);
}

void TControl::ChangeFont(const std::function<void(TFont&)>& edit) {
  TFont f = font_;
  edit(f);
  SetFont(f);
}

void TControl::SetParentFont(bool v) {
  if (v == parent_font_) return;
  parent_font_ = v;
  if (v && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor c) {
  parent_color_ = false;
  if (c == color_) return;
  color_ = c;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  if (v == parent_color_) return;
  parent_color_ = v;
  if (v && parent_) Perform(CM_PARENTCOLORCHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wparam, LPARAM lparam) {
  TMessage m{msg, wparam, lparam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  if (IsMouseMessage(m.Msg)) {
    switch (m.Msg) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (ControlStyle & csCaptureMouse) SetMouseCapture(true);
        if (ControlStyle & csClickEvents) ControlState |= csClicked;
        break;
      case WM_LBUTTONUP:
        ControlState &= ~static_cast<unsigned>(csLButtonDown);
        break;
      default:
        break;
    }
  }
  Dispatch(m);
}

void TControl::Dispatch(TMessage& m) {
  const TPoint p = LParamToPoint(m.LParam);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ControlState |= csLButtonDown;
      if (m.Msg == WM_LBUTTONDBLCLK && (ControlStyle & csDoubleClicks)) DblClick();
      MouseDown(TMouseButton::mbLeft,
                ShiftStateFromKeys(m.WParam) | (m.Msg == WM_LBUTTONDBLCLK ? ssDouble : 0u), p.X,
                p.Y);
      return;
    case WM_RBUTTONDOWN:
      MouseDown(TMouseButton::mbRight, ShiftStateFromKeys(m.WParam), p.X, p.Y);
      return;
    case WM_MBUTTONDOWN:
      MouseDown(TMouseButton::mbMiddle, ShiftStateFromKeys(m.WParam), p.X, p.Y);
      return;
    case WM_LBUTTONUP: {
      const bool clicked = (ControlState & csClicked) != 0;
      ControlState &= ~static_cast<unsigned>(csClicked);
      if (MouseCapture()) SetMouseCapture(false);
      // A click is a press and a release over the control.
      if (clicked && TRect{0, 0, width_, height_}.Contains(p)) Click();
      MouseUp(TMouseButton::mbLeft, ShiftStateFromKeys(m.WParam), p.X, p.Y);
      return;
    }
    case WM_RBUTTONUP:
      MouseUp(TMouseButton::mbRight, ShiftStateFromKeys(m.WParam), p.X, p.Y);
      return;
    case WM_MBUTTONUP:
      MouseUp(TMouseButton::mbMiddle, ShiftStateFromKeys(m.WParam), p.X, p.Y);
      return;
    case WM_MOUSEMOVE:
      SetHotPart(ClientRect().Contains(p) ? PartAt(p) : -1);
      MouseMove(ShiftStateFromKeys(m.WParam), p.X, p.Y);
      return;
    case CM_VISIBLECHANGED:
      CMVisibleChanged(m);
      return;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(m);
      return;
    case CM_TEXTCHANGED:
      CMTextChanged(m);
      return;
    case CM_FONTCHANGED:
      CMFontChanged(m);
      return;
    case CM_COLORCHANGED:
      CMColorChanged(m);
      return;
    case CM_PARENTFONTCHANGED:
      CMParentFontChanged(m);
      return;
    case CM_PARENTCOLORCHANGED:
      CMParentColorChanged(m);
      return;
    case CM_MOUSEENTER:
      if (!mouse_in_) {
        mouse_in_ = true;
        StateChanged();
      }
      CMMouseEnter(m);
      return;
    case CM_MOUSELEAVE:
      if (mouse_in_ || hot_part_ != -1) {
        mouse_in_ = false;
        hot_part_ = -1;
        StateChanged();
      }
      CMMouseLeave(m);
      return;
    case CM_HITTEST:
      CMHitTest(m);
      return;
    case WM_CANCELMODE:
    case CM_CANCELMODE:
      if (MouseCapture()) SetMouseCapture(false);
      ControlState &= ~static_cast<unsigned>(csClicked | csLButtonDown);
      DefaultHandler(m);
      return;
    default:
      DefaultHandler(m);
  }
}

void TControl::DefaultHandler(TMessage& /*m*/) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::CMVisibleChanged(TMessage&) {
  if (visible_ && Showing()) Invalidate();
}

void TControl::CMEnabledChanged(TMessage&) { StateChanged(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage&) {
  if (!parent_font_ || !parent_) return;
  // Adopt the parent's font without dropping the ParentFont link.
  if (font_ == parent_->Font()) return;
  font_ = parent_->Font();
  Perform(CM_FONTCHANGED);
}

void TControl::CMParentColorChanged(TMessage&) {
  if (!parent_color_ || !parent_) return;
  if (color_ == parent_->Color()) return;
  color_ = parent_->Color();
  Perform(CM_COLORCHANGED);
}

void TControl::CMMouseEnter(TMessage&) {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&) {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMHitTest(TMessage& m) { m.Result = HTCLIENT; }

int TControl::PartAt(TPoint) const { return -1; }

void TControl::SetHotPart(int part) {
  if (part == hot_part_) return;
  hot_part_ = part;
  StateChanged();
}

TPaintState TControl::PaintState() const {
  TPaintState s;
  s.Enabled = IsEnabledInTree();
  s.Hot = mouse_in_ && s.Enabled;
  return s;
}

void TControl::ScaleBy(int m, int d) {
  if (m == d || m <= 0 || d <= 0) return;
  const bool outer = !(ControlState & csScaling);
  ControlState |= csScaling;
  try {
    ChangeScale(m, d);
  } catch (...) {
    if (outer) ControlState &= ~static_cast<unsigned>(csScaling);
    throw;
  }
  if (outer) ControlState &= ~static_cast<unsigned>(csScaling);
}

bool TControl::Scaling() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (c->ControlState & csScaling) return true;
  return false;
}

void TControl::ChangeScale(int m, int d) {
  auto scale = [m, d](int v) { return MulDiv(v, m, d); };
  SetMargins(
      {scale(margins_.Left), scale(margins_.Top), scale(margins_.Right), scale(margins_.Bottom)});
  if (!parent_font_) ChangeFont([&](TFont& f) { f.Height = scale(f.Height); });
  // The anchor rule scales with the bounds instead of being taken anew
  // against a parent that may not have its new size yet.
  ControlState |= csAligning;
  SetBounds(scale(left_), scale(top_), scale(width_), scale(height_));
  ControlState &= ~static_cast<unsigned>(csAligning);
  anchor_origin_ = {scale(anchor_origin_.Left), scale(anchor_origin_.Top),
                    scale(anchor_origin_.Right), scale(anchor_origin_.Bottom)};
  if (anchor_parent_size_.cx >= 0)
    anchor_parent_size_ = {scale(anchor_parent_size_.cx), scale(anchor_parent_size_.cy)};
}

void TControl::PaintParts(TCanvas& canvas) {
  const TPaintState s = PaintState();
  PaintFace(canvas, s);
  PaintContent(canvas, s);
  PaintFocus(canvas, s);
}

void TControl::PaintFace(TCanvas&, const TPaintState&) {}
void TControl::PaintContent(TCanvas&, const TPaintState&) {}
void TControl::PaintFocus(TCanvas&, const TPaintState&) {}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  const TRect r = BoundsRect();
  InvalidateRect(parent_->WindowHandle(), &r, !(ControlStyle & csOpaque));
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  list.insert(list.begin(), this);
  Invalidate();
}

bool TControl::MouseCapture() const { return g_capture_control == this; }

void TControl::SetMouseCapture(bool capture) {
  if (capture == MouseCapture()) return;
  if (capture) {
    g_capture_control = this;
    // The window system captures windows; a windowless control captures
    // through the nearest windowed ancestor.
    const TWinControl* w = dynamic_cast<TWinControl*>(this);
    if (!w) w = parent_;
    if (w && w->HandleAllocated()) SetCapture(w->WindowHandle());
  } else {
    g_capture_control = nullptr;
    ReleaseCapture();
  }
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::Dispatch(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    // The parent hands its device context, moved and clipped to this control.
    canvas_ = reinterpret_cast<TCanvas*>(m.WParam);
    if (canvas_) {
      canvas_->Font = Font();
      Paint();
    }
    canvas_ = nullptr;
    return;
  }
  TControl::Dispatch(m);
}

}  // namespace qv
