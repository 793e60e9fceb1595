// Forms: window styles from the border settings, first-show position and
// client size, focus bookkeeping, dialog keys and closing.
#include "platform/component/form.h"

#include <stdexcept>
#include <string>

#include "platform/component/application.h"
#include "platform/component/properties.h"
#include "platform/component/reader.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"
#include "platform/window/system.h"

namespace qv {

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), pixels_per_inch_(Screen().PixelsPerInch()) {
  Screen().AddForm(this);
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentColor(false);
  SetParentFont(false);
  ControlStyle |= csAcceptsControls;
}

TCustomForm::~TCustomForm() {
  MarkDestroying();
  if (OnDestroy) OnDestroy(this);
  // The form's components (its controls among them) go while it is still a form.
  DestroyComponents();
  Screen().RemoveForm(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle s) { border_style_ = s; }
void TCustomForm::SetBorderIcons(TBorderIcons icons) { border_icons_ = icons; }

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.WndParent = HWND();
  switch (border_style_) {
    case TFormBorderStyle::bsNone:
      p.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
      p.Style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      p.Style |= WS_POPUP | WS_CAPTION;
      p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (border_style_ != TFormBorderStyle::bsNone) {
    if (border_icons_ & (1u << biSystemMenu)) p.Style |= WS_SYSMENU;
    if (border_style_ != TFormBorderStyle::bsDialog &&
        border_style_ != TFormBorderStyle::bsToolWindow &&
        border_style_ != TFormBorderStyle::bsSizeToolWin) {
      if (border_icons_ & (1u << biMinimize)) p.Style |= WS_MINIMIZEBOX;
      if (border_icons_ & (1u << biMaximize)) p.Style |= WS_MAXIMIZEBOX;
    }
    if (border_style_ == TFormBorderStyle::bsToolWindow ||
        border_style_ == TFormBorderStyle::bsSizeToolWin)
      p.ExStyle |= WS_EX_TOOLWINDOW;
    if (border_icons_ & (1u << biHelp)) p.ExStyle |= WS_EX_CONTEXTHELP;
  }
  p.WinClassName = u"TForm";
}

void TCustomForm::SetClientSize(int w, int h) {
  requested_client_ = {w, h};
  if (HandleAllocated()) {
    FitWindowToClient();
  } else {
    // Until the window exists its frame is unknown: keep the client size as
    // the control's size so children lay out against it.
    TControl::SetBounds(Left(), Top(), w, h);
  }
}

void TCustomForm::FitWindowToClient() {
  if (!HandleAllocated() || requested_client_.cx <= 0 || requested_client_.cy <= 0) return;
  TRect wr, cr;
  GetWindowRect(WindowHandle(), wr);
  GetClientRect(WindowHandle(), cr);
  const int w = requested_client_.cx + (wr.Width() - cr.Width());
  const int h = requested_client_.cy + (wr.Height() - cr.Height());
  TWinControl::SetBounds(Left(), Top(), w, h);
}

TRect TCustomForm::ClientRect() const {
  if (HandleAllocated()) return TWinControl::ClientRect();
  if (requested_client_.cx > 0 || requested_client_.cy > 0)
    return {0, 0, requested_client_.cx, requested_client_.cy};
  return TControl::ClientRect();
}

TPoint TCustomForm::ClientOrigin() const {
  if (HandleAllocated()) return TWinControl::ClientOrigin();
  return {Left(), Top()};
}

void TCustomForm::ApplyPosition() {
  if (positioned_) return;
  positioned_ = true;
  if (Position == TPosition::poScreenCenter || Position == TPosition::poDesktopCenter ||
      Position == TPosition::poMainFormCenter || Position == TPosition::poOwnerFormCenter) {
    const TSize screen = ScreenSize();
    TWinControl::SetBounds((screen.cx - Width()) / 2, (screen.cy - Height()) / 2, Width(),
                           Height());
  }
}

void TCustomForm::HandleCreated() {
  FitWindowToClient();
  Realign();
}

void TCustomForm::UpdateShowing() {
  const bool should_show = Visible();
  if (should_show && !HandleAllocated()) CreateHandle();
  if (should_show) ApplyPosition();
  if (should_show == showing_) return;
  showing_ = should_show;
  // Children get their windows while the form is still hidden, so it appears whole.
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->UpdateShowing();
  if (should_show) {
    ShowWindow(WindowHandle(), SW_SHOW);
    if (OnShow) OnShow(this);
    if (active_control_) FocusControl(active_control_);
  } else {
    if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
    if (OnHide) OnHide(this);
  }
  Perform(CM_SHOWINGCHANGED);
}

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) SetActiveWindow(WindowHandle());
}

bool TCustomForm::Active() const {
  return HandleAllocated() && GetActiveWindow() == WindowHandle();
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control && control->ParentForm() != this)
    throw std::invalid_argument("Active control is not on this form");
  active_control_ = control;
  if (control && Showing() && Active()) FocusControl(control);
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (!control || !control->CanFocus()) return;
  active_control_ = control;
  if (Showing()) ::qv::SetFocus(control->Handle());
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  TWinControl* old = active_control_;
  active_control_ = control;
  if (old == control) return;
  if (old) old->DoExit();
  control->DoEnter();
  // Everyone learns where the focus went (the skin repaints focus states).
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::ControlRemoved(TWinControl* control) {
  if (active_control_ && control->ContainsControl(active_control_)) active_control_ = nullptr;
}

void TCustomForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  if (Application().MainForm() == this) {
    Application().Terminate();
    Hide();
    return;
  }
  if (action == TCloseAction::caHide) Hide();
  if (action == TCloseAction::caMinimize && HandleAllocated())
    ShowWindow(WindowHandle(), SW_MINIMIZE);
  if (action == TCloseAction::caFree) PostMessage(WindowHandle(), CM_RELEASE);
}

bool TCustomForm::CloseQuery() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  return can_close;
}

void TCustomForm::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      m.Result = 0;
      return;
    case CM_RELEASE:
      delete this;
      return;
    case WM_SETFOCUS: {
      // The form window itself got the focus (on activation, or when the
      // focused control went): hand it on to the active control, else to the
      // first tab stop, so that a shown window has its keyboard on a control
      // and arrows and Ctrl+Tab act at once.
      if (IsDestroying()) break;
      TWinControl* target = active_control_;
      if (!target || target == this || !target->CanFocus() || !target->Showing())
        target = FirstTabStop();
      if (target) {
        ::qv::SetFocus(target->Handle());
        return;
      }
      break;
    }
    case WM_DPICHANGED: {
      ScaleForPPI(LOWORD(m.WParam));
      // The default procedure takes the suggested rectangle: the scaled
      // client area in the frame at the new metrics, kept on the screen.
      // While scaling, the window still had the old frame around the new
      // client size; now the controls are aligned to the final client area.
      DefaultHandler(m);
      TRect wr;
      if (HandleAllocated() && GetWindowRect(WindowHandle(), wr))
        TControl::SetBounds(wr.Left, wr.Top, wr.Width(), wr.Height());
      Realign();
      return;
    }
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) != WA_INACTIVE) {
        if (OnActivate) OnActivate(this);
      } else if (OnDeactivate) {
        OnDeactivate(this);
      }
      DefaultHandler(m);
      return;
    default:
      break;
  }
  TWinControl::Dispatch(m);
}

void TCustomForm::CMDialogKey(TMessage& m) {
  const auto key = static_cast<std::uint16_t>(m.WParam);
  if (GetKeyState(VK_MENU) >= 0) {
    if (key == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
      SelectNext(active_control_, GetKeyState(VK_SHIFT) >= 0, true);
      m.Result = 1;
      return;
    }
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
      // Arrows move among the siblings of a control that does not want them.
      if (active_control_ && active_control_->Parent()) {
        active_control_->Parent()->SelectNext(active_control_, key == VK_RIGHT || key == VK_DOWN,
                                              false);
        m.Result = 1;
        return;
      }
    }
  }
  TWinControl::CMDialogKey(m);
}

void TCustomForm::SetPixelsPerInch(int ppi) {
  if (ppi < 48 || ppi > 480)
    throw std::invalid_argument("PixelsPerInch " + std::to_string(ppi) + " is outside 48 to 480");
  pixels_per_inch_ = ppi;
}

void TCustomForm::ScaleForPPI(int ppi) {
  if (ppi <= 0 || ppi == pixels_per_inch_) return;
  const int old = pixels_per_inch_;
  pixels_per_inch_ = ppi;
  ScaleBy(ppi, old);
}

void TCustomForm::ChangeScale(int m, int d) {
  // The client size is read before the font changes anything.
  const TRect client = ClientRect();
  DisableAlign();
  ChangeFont([m, d](TFont& f) { f.Height = MulDiv(f.Height, m, d); });
  SetClientSize(MulDiv(client.Width(), m, d), MulDiv(client.Height(), m, d));
  ScaleControls(m, d);
  EnableAlign();
}

void TCustomForm::DoCreate() {
  ScaleForPPI(Screen().PixelsPerInch());
  if (OnCreate) OnCreate(this);
}

void TCustomForm::ReadDescription(std::string_view resource_name) {
  const auto bytes = FindResource(resource_name);
  if (!bytes) throw std::runtime_error("No window description " + std::string(resource_name));
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  RegisterFrameworkClasses();
  TReader reader{std::string(resource_name)};
  reader.ReadRoot(ParseDescription(text, resource_name), *this);
  DoCreate();
}

}  // namespace qv
