// Windowed controls: window creation, painting of windowless children, mouse
// routing and enter/leave tracking, focus, keyboard navigation and layout.
#include "platform/component/wincontrol.h"

#include <algorithm>
#include <stdexcept>

#include "platform/component/application.h"
#include "platform/component/form.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"
#include "platform/window/messages.h"
#include "platform/window/paint.h"

namespace qv {

namespace {

constexpr char16_t kControlProp[] = u"qv.control";

// The control whose window is being created: the class procedure binds the
// first message of a new window to it.
TWinControl* g_creating = nullptr;

LRESULT InitWndProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);

void EnsureWindowClass(const TCreateParams& p) {
  WNDCLASS existing;
  if (GetClassInfo(p.WinClassName, existing)) return;
  WNDCLASS wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = InitWndProc;
  wc.hbrBackground = p.Background;
  wc.lpszClassName = p.WinClassName;
  RegisterClass(wc);
}

bool IsMouseMessage(UINT msg) {
  return (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) || msg == WM_MOUSEWHEEL;
}

}  // namespace

TWinControl* FindControl(HWND hwnd) {
  return static_cast<TWinControl*>(GetProp(hwnd, kControlProp));
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { ControlStyle |= csAcceptsControls; }

TWinControl::~TWinControl() {
  MarkDestroying();
  // The form must not hand the focus back to a control that is going.
  if (TCustomForm* form = ParentForm(); form && form != this) form->ControlRemoved(this);
  if (MouseControlSlot() && ContainsControl(MouseControlSlot())) MouseControlSlot() = nullptr;
  // Children lose their parent first, so none reaches back into a half-destroyed one.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  DestroyHandle();
}

namespace {

LRESULT ControlWndProc(TWinControl* control, HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  (void)hwnd;
  TMessage m{msg, w, l, 0};
  control->WindowProc(m);
  return m.Result;
}

LRESULT InitWndProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  TWinControl* control = g_creating;
  if (!control) return DefWindowProc(hwnd, msg, w, l);
  g_creating = nullptr;
  control->AttachWindowHandle(hwnd);
  SetProp(hwnd, kControlProp, control);
  SetWindowProc(hwnd, [control](HWND h, UINT m, WPARAM wp, LPARAM lp) {
    return ControlWndProc(control, h, m, wp, lp);
  });
  return ControlWndProc(control, hwnd, msg, w, l);
}

}  // namespace

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = GetText();
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle & csAcceptsControls) p.Style |= WS_CLIPCHILDREN;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (tab_stop_) p.Style |= WS_TABSTOP;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  if (Parent()) p.WndParent = Parent()->Handle();
  p.WinClassName = u"TWinControl";
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateHandle() {
  if (handle_ || creating_handle_ || IsDestroying()) return;
  creating_handle_ = true;
  ControlState |= csCreating;
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.WndParent) {
    creating_handle_ = false;
    ControlState &= ~static_cast<unsigned>(csCreating);
    throw std::runtime_error("Control '" + Name() + "' has no parent window");
  }
  EnsureWindowClass(p);
  g_creating = this;
  // The window starts hidden; UpdateShowing shows it once its children exist.
  HWND h = CreateWindowEx(p.ExStyle, p.WinClassName, p.Caption, p.Style & ~WS_VISIBLE, p.X, p.Y,
                          p.Width, p.Height, p.WndParent, 0, nullptr);
  g_creating = nullptr;
  creating_handle_ = false;
  ControlState &= ~static_cast<unsigned>(csCreating);
  if (!h) handle_ = HWND();
  if (!h) throw std::runtime_error("Error creating window of '" + Name() + "'");
  handle_ = h;
  if (!Enabled()) EnableWindow(h, false);
  HandleCreated();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  ControlState |= csDestroyingHandle;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  const HWND h = handle_;
  handle_ = HWND();
  RemoveProp(h, kControlProp);
  DestroyWindow(h);
  showing_ = false;
  ControlState &= ~static_cast<unsigned>(csDestroyingHandle);
}

void TWinControl::UpdateShowing() {
  const bool should_show = Visible() && (Parent() ? Parent()->Showing() : false);
  if (should_show && !handle_) CreateHandle();
  if (should_show == showing_) {
    for (TControl* c : controls_)
      if (auto* w = dynamic_cast<TWinControl*>(c)) w->UpdateShowing();
    return;
  }
  showing_ = should_show;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->UpdateShowing();
  if (handle_) ShowWindow(handle_, should_show ? SW_SHOWNA : SW_HIDE);
  Perform(CM_SHOWINGCHANGED);
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tab_list_.push_back(w);
    if (handle_) w->UpdateShowing();
  }
  if (!IsLoading() && control->Visible() && control->Align() != TAlign::alNone) Realign();
  control->UpdateAnchorRules();
  control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  control->Invalidate();
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tab_list_.erase(std::remove(tab_list_.begin(), tab_list_.end(), w), tab_list_.end());
    if (w->HandleAllocated() && !IsDestroying()) w->DestroyHandle();
    if (TCustomForm* form = ParentForm()) form->ControlRemoved(w);
  }
  if (MouseControlSlot() == control) MouseControlSlot() = nullptr;
  if (CaptureControl() == control) control->SetMouseCapture(false);
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
  if (!IsDestroying() && control->Align() != TAlign::alNone) Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allow_disabled, bool with_windows) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!with_windows && dynamic_cast<TWinControl*>(c)) continue;
    if (!c->Visible() || (!allow_disabled && !c->Enabled())) continue;
    if (!c->BoundsRect().Contains(p)) continue;
    if (!dynamic_cast<TWinControl*>(c) &&
        c->Perform(CM_HITTEST, 0, MAKELPARAM(p.X - c->Left(), p.Y - c->Top())) == HTNOWHERE)
      continue;
    return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& m) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    c->WindowProc(m);
    if (m.Result != 0) return;
  }
}

void TWinControl::BroadcastAll(const TMessage& message,
                               const std::function<bool(TWinControl&)>& descend) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    // A receiver may have freed a later child.
    if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
    if (c->IsDestroying()) return;
    TMessage each = message;
    each.Result = 0;
    c->WindowProc(each);
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w && std::find(controls_.begin(), controls_.end(), c) != controls_.end() &&
        (!descend || descend(*w)))
      w->BroadcastAll(message, descend);
  }
}

void TWinControl::NotifyControls(UINT msg) {
  for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(msg);
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tab_list_;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (IsLoading()) {
    stored_tab_order_ = order;
    return;
  }
  if (!Parent()) return;
  auto& list = Parent()->tab_list_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  const int at = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + at, this);
}

void TWinControl::FixupTabList() {
  // Tab orders read from the description are applied once all siblings exist:
  // lower stored values first, the others after them in reading order.
  std::stable_sort(tab_list_.begin(), tab_list_.end(), [](TWinControl* a, TWinControl* b) {
    const int ka = a->stored_tab_order_ < 0 ? 1 << 30 : a->stored_tab_order_;
    const int kb = b->stored_tab_order_ < 0 ? 1 << 30 : b->stored_tab_order_;
    return ka < kb;
  });
}

void TWinControl::Loaded() {
  TControl::Loaded();
  FixupTabList();
  Realign();
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
    if (dynamic_cast<const TCustomForm*>(c)) return true;
  }
  return false;
}

void TWinControl::SetFocus() {
  TCustomForm* form = ParentForm();
  if (form && form != this) {
    form->FocusControl(this);
  } else if (HandleAllocated()) {
    ::qv::SetFocus(handle_);
  }
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* w : tab_list_) {
    list.push_back(w);
    w->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool check_tab_stop,
                                          bool check_parent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int n = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == n) start = forward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = forward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* c = list[static_cast<std::size_t>(i)];
    if (c == current) break;
    if ((!check_tab_stop || c->TabStop()) && (!check_parent || c->Parent() == this) &&
        c->CanFocus() && c->Showing())
      return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool check_tab_stop) {
  if (TWinControl* next = FindNextControl(current, forward, check_tab_stop, !check_tab_stop))
    next->SetFocus();
}

void TWinControl::Realign() {
  if (align_disabled_ > 0 || IsLoading()) {
    ControlState |= csAlignmentNeeded;
    return;
  }
  ControlState &= ~static_cast<unsigned>(csAlignmentNeeded);
  TRect r = AdjustClientRect();
  AlignControls(nullptr, r);
}

void TWinControl::EnableAlign() {
  if (align_disabled_ > 0 && --align_disabled_ == 0 && (ControlState & csAlignmentNeeded))
    Realign();
}

void TWinControl::ChangeScale(int m, int d) {
  DisableAlign();
  TControl::ChangeScale(m, d);
  ScaleControls(m, d);
  EnableAlign();
}

void TWinControl::ScaleControls(int m, int d) {
  for (TControl* c : std::vector<TControl*>(controls_)) c->ChangeScale(m, d);
}

void TWinControl::AlignControls(TControl* /*control*/, TRect& rect) {
  DisableAlign();
  auto place = [&](TControl* c, int l, int t, int w, int h) {
    c->ControlState |= csAligning;
    if (c->AlignWithMargins()) {
      const TMargins& m = c->Margins();
      c->SetBounds(l + m.Left, t + m.Top, w - m.Left - m.Right, h - m.Top - m.Bottom);
    } else {
      c->SetBounds(l, t, w, h);
    }
    c->ControlState &= ~static_cast<unsigned>(csAligning);
  };
  auto outer = [](TControl* c, bool vertical) {
    if (!c->AlignWithMargins()) return vertical ? c->Height() : c->Width();
    const TMargins& m = c->Margins();
    return vertical ? c->Height() + m.Top + m.Bottom : c->Width() + m.Left + m.Right;
  };
  // Docked controls take their side in this order, each group in stacking order.
  for (TAlign kind :
       {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    std::vector<TControl*> group;
    for (TControl* c : controls_)
      if (c->Align() == kind && c->Visible()) group.push_back(c);
    std::stable_sort(group.begin(), group.end(), [kind](TControl* a, TControl* b) {
      switch (kind) {
        case TAlign::alTop:
          return a->Top() < b->Top();
        case TAlign::alBottom:
          return a->Top() + a->Height() > b->Top() + b->Height();
        case TAlign::alLeft:
          return a->Left() < b->Left();
        case TAlign::alRight:
          return a->Left() + a->Width() > b->Left() + b->Width();
        default:
          return false;
      }
    });
    for (TControl* c : group) {
      switch (kind) {
        case TAlign::alTop: {
          const int h = outer(c, true);
          place(c, rect.Left, rect.Top, rect.Width(), h);
          rect.Top += h;
          break;
        }
        case TAlign::alBottom: {
          const int h = outer(c, true);
          place(c, rect.Left, rect.Bottom - h, rect.Width(), h);
          rect.Bottom -= h;
          break;
        }
        case TAlign::alLeft: {
          const int w = outer(c, false);
          place(c, rect.Left, rect.Top, w, rect.Height());
          rect.Left += w;
          break;
        }
        case TAlign::alRight: {
          const int w = outer(c, false);
          place(c, rect.Right - w, rect.Top, w, rect.Height());
          rect.Right -= w;
          break;
        }
        default:
          place(c, rect.Left, rect.Top, rect.Width(), rect.Height());
          break;
      }
    }
  }
  for (TControl* c : controls_)
    if (c->Align() == TAlign::alNone) AnchorControls(c);
  align_disabled_--;
}

void TWinControl::AnchorControls(TControl* c) {
  const TAnchors a = c->Anchors();
  if (a == kDefaultAnchors || c->anchor_parent_size_.cx < 0) return;
  const TRect pc = AdjustClientRect();
  const int dw = pc.Width() - c->anchor_parent_size_.cx;
  const int dh = pc.Height() - c->anchor_parent_size_.cy;
  const TRect o = c->anchor_origin_;
  int l = o.Left, t = o.Top, w = o.Width(), h = o.Height();
  const bool left = a & (1u << akLeft), right = a & (1u << akRight);
  const bool top = a & (1u << akTop), bottom = a & (1u << akBottom);
  // Anchored to both sides it stretches; to the far side only it moves; to
  // neither it keeps its centre.
  if (left && right)
    w += dw;
  else if (right)
    l += dw;
  else if (!left)
    l += dw / 2;
  if (top && bottom)
    h += dh;
  else if (bottom)
    t += dh;
  else if (!top)
    t += dh / 2;
  c->ControlState |= csAligning;
  c->SetBounds(l, t, w, h);
  c->ControlState &= ~static_cast<unsigned>(csAligning);
}

TRect TWinControl::ClientRect() const {
  if (handle_) {
    TRect r;
    GetClientRect(handle_, r);
    return r;
  }
  return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const {
  if (handle_) {
    TPoint p{0, 0};
    ::qv::ClientToScreen(handle_, p);
    return p;
  }
  return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  const TSize before{Width(), Height()};
  TControl::SetBounds(left, top, width, height);
  if (handle_) {
    SetWindowPos(handle_, HWND(), Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (before != TSize{Width(), Height()}) Realign();
}

void TWinControl::SetText(ustring_view text) {
  const bool changed = text != GetText();
  TControl::SetText(text);
  if (changed && handle_) SetWindowText(handle_, text);
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (handle_ && !parent) DestroyHandle();
  TControl::SetParent(parent);
  if (parent) UpdateShowing();
}

void TWinControl::SetEnabled(bool v) {
  TControl::SetEnabled(v);
  if (handle_) EnableWindow(handle_, v);
}

TPaintState TWinControl::PaintState() const {
  TPaintState s = TControl::PaintState();
  s.Focused = Focused();
  return s;
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !(ControlStyle & csOpaque));
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::PaintControls(TCanvas& dc, TControl* first) {
  bool started = first == nullptr;
  for (TControl* c : controls_) {
    if (!started) {
      started = c == first;
      if (!started) continue;
    }
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    const TRect b = c->BoundsRect();
    if (!dc.RectVisible(b)) continue;
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(b);
    dc.MoveViewportOrg(b.Left, b.Top);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
    dc.RestoreDC(saved);
  }
}

void TWinControl::PaintHandler(TMessage& m) {
  if (m.WParam) {
    // Printing or painting into a given context.
    auto* dc = reinterpret_cast<TCanvas*>(m.WParam);
    PaintWindow(*dc);
    PaintControls(*dc, nullptr);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, ps);
  if (dc) {
    dc->Font = Font();
    PaintWindow(*dc);
    PaintControls(*dc, nullptr);
  }
  EndPaint(handle_, ps);
}

void TWinControl::EraseBackground(TMessage& m) {
  auto* dc = reinterpret_cast<TCanvas*>(m.WParam);
  if (dc && !(ControlStyle & csOpaque)) dc->FillRect(ClientRect(), Color());
  m.Result = 1;
}

bool TWinControl::RouteMouseToChild(TMessage& m) {
  TControl* target = nullptr;
  TControl* captured = CaptureControl();
  const TPoint p = LParamToPoint(m.LParam);
  if (captured && captured != this && captured->Parent() == this &&
      !dynamic_cast<TWinControl*>(captured)) {
    target = captured;
  } else if (!captured || captured == this) {
    if (!captured) target = ControlAtPos(p, false);
  }
  if (m.Msg == WM_MOUSEMOVE) TrackMouseControl(target ? target : this);
  if (!target) return false;
  // Disabled windowless controls are not hit (ControlAtPos skipped them).
  const LPARAM local = MAKELPARAM(p.X - target->Left(), p.Y - target->Top());
  if (m.Msg == WM_MOUSEWHEEL) return false;
  m.Result = target->Perform(m.Msg, m.WParam, local);
  return true;
}

void TWinControl::TrackMouseControl(TControl* target) {
  if (target == MouseControlSlot()) return;
  TControl* old = MouseControlSlot();
  MouseControlSlot() = target;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (target) {
    target->Perform(CM_MOUSEENTER);
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = handle_;
    TrackMouseEvent(tme);
  }
}

bool TWinControl::HandleKeyDown(TMessage& m) {
  auto key = static_cast<std::uint16_t>(m.WParam);
  // Navigation keys go to the form first unless this control keeps them.
  LRESULT mask = 0;
  switch (key) {
    case VK_TAB:
      mask = DLGC_WANTTAB;
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      mask = DLGC_WANTARROWS;
      break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL:
      mask = DLGC_WANTALLKEYS;
      break;
    default:
      break;
  }
  if (mask && (Perform(WM_GETDLGCODE) & mask) == 0) {
    if (TCustomForm* form = ParentForm(); form && form->Perform(CM_DIALOGKEY, key, m.LParam)) {
      m.Result = 0;
      return true;
    }
  }
  const TShiftState shift = KeyboardShiftState();
  if (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN) {
    KeyDown(key, shift);
  } else {
    KeyUp(key, shift);
  }
  if (key == 0) {
    m.Result = 0;
    return true;
  }
  m.WParam = key;
  return false;
}

void TWinControl::WndProc(TMessage& m) {
  if (IsMouseMessage(m.Msg) && RouteMouseToChild(m)) return;
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (HandleKeyDown(m)) return;
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      auto key = static_cast<std::uint16_t>(m.WParam);
      KeyUp(key, KeyboardShiftState());
      if (key == 0) return;
      break;
    }
    case WM_CHAR: {
      auto ch = static_cast<char16_t>(m.WParam);
      KeyPress(ch);
      if (ch == 0) return;
      m.WParam = ch;
      break;
    }
    case WM_MOUSELEAVE: {
      // The pointer left this window: the control under it was this one or
      // one of its windowless children.
      TControl* under = MouseControlSlot();
      if (under == this || (under && under->Parent() == this && !dynamic_cast<TWinControl*>(under)))
        TrackMouseControl(nullptr);
      break;
    }
    default:
      break;
  }
  TControl::WndProc(m);
}

void TWinControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      PaintHandler(m);
      return;
    case WM_PRINTCLIENT:
      // Printing into a given canvas: painted as for WM_PAINT with it.
      if (m.WParam) PaintHandler(m);
      return;
    case WM_ERASEBKGND:
      EraseBackground(m);
      return;
    case WM_SETFOCUS:
      if (TCustomForm* form = ParentForm(); form && form != this) form->SetFocusedControl(this);
      DefaultHandler(m);
      return;
    case WM_LBUTTONDOWN:
      // A click into a focusable windowed control focuses it.
      if (tab_stop_ && CanFocus() && !Focused()) SetFocus();
      break;
    case WM_SETCURSOR:
      if (SetControlCursor(m)) return;
      break;
    case CM_DIALOGKEY:
      CMDialogKey(m);
      return;
    case CM_FOCUSCHANGED:
      // Every control hears where the focus went, down the whole tree.
      for (TControl* c : std::vector<TControl*>(controls_)) c->WindowProc(m);
      return;
    default:
      break;
  }
  TControl::Dispatch(m);
}

bool TWinControl::SetControlCursor(TMessage& m) {
  // Only for the client area of this very window: children answer for themselves.
  if (m.WParam != handle_.id ||
      static_cast<std::int16_t>(LOWORD(static_cast<WPARAM>(m.LParam))) != HTCLIENT)
    return false;
  int cursor = Screen().Cursor;
  if (cursor == 0) {
    TPoint p;
    GetCursorPos(p);
    const TControl* under = ControlAtPos(ScreenToClient(p), false);
    cursor = under && under->Cursor != 0 ? under->Cursor : Cursor;
  }
  if (cursor == 0) return false;
  SetCursor(LoadCursor(cursor));
  m.Result = 1;
  return true;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (handle_) m.Result = DefWindowProc(handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char16_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::CMDialogKey(TMessage& m) { Broadcast(m); }

void TWinControl::CMVisibleChanged(TMessage& m) {
  TControl::CMVisibleChanged(m);
  UpdateShowing();
}

void TWinControl::CMEnabledChanged(TMessage& m) {
  if (!Enabled() && Focused()) {
    if (TCustomForm* form = ParentForm()) form->SelectNext(this, true, true);
  }
  if (handle_) EnableWindow(handle_, Enabled());
  TControl::CMEnabledChanged(m);
}

void TWinControl::CMFontChanged(TMessage& m) {
  TControl::CMFontChanged(m);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& m) {
  TControl::CMColorChanged(m);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TCustomControl::PaintWindow(TCanvas& dc) {
  canvas_ = &dc;
  dc.Font = Font();
  Paint();
  canvas_ = nullptr;
}

}  // namespace qv
