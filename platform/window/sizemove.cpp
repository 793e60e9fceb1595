// Moving and sizing a window without a caption drag, after the system
// menu's Move and Size: arrows move the window (or, when sizing, the edge
// the first arrow of each direction picks) by 8 pixels, 1 with Ctrl; the
// pointer moves it too. Enter or a click keeps the new place, Esc puts the
// window back; losing activation keeps where it is.
#include <algorithm>
#include <optional>

#include "platform/window/internal.h"
#include "platform/window/keys.h"
#include "platform/window/metrics.h"
#include "platform/window/system.h"

namespace qv::win {

namespace {

class TSizeMoveMode final : public TInputMode {
 public:
  void Begin(HWND h, bool size) {
    hwnd_ = h;
    size_ = size;
    edge_x_ = edge_y_ = 0;
    clicked_ = false;
    GetWindowRect(h, start_);
    now_ = start_;
    last_ = Sys().cursor_pos;
    Sys().mode = this;
    Send(h, WM_ENTERSIZEMOVE);
    if (Sys().mode != this) return;
    SetCursor(IDC_SIZEALL);
    // Pointer motion outside the window must still arrive.
    if (HasBackend()) Backend().SetMouseCapture(true);
  }

  HWND Owner() const override { return hwnd_; }

  bool Filter(const TRawEvent& e) override {
    switch (e.kind) {
      case TRawKind::KeyDown:
        Key(e.vk);
        return true;
      case TRawKind::MouseMove: {
        const TPoint d{e.pt.X - last_.X, e.pt.Y - last_.Y};
        last_ = e.pt;
        Shift(d.X, d.Y);
        return true;
      }
      case TRawKind::MouseDown:
        clicked_ = true;
        return true;
      case TRawKind::MouseUp:
        // The click that ends it is taken whole, so no window sees half of it.
        if (clicked_) Finish(true);
        return true;
      case TRawKind::KeyUp:
      case TRawKind::Text:
      case TRawKind::Wheel:
        return true;
      default:
        return false;
    }
  }

  void Cancel() override { Finish(true); }

 private:
  void Key(int vk) {
    const int step = (GetKeyState(VK_CONTROL) & 0x8000) != 0 ? 1 : 8;
    switch (vk) {
      case VK_LEFT:
      case VK_RIGHT: {
        const int dir = vk == VK_LEFT ? -1 : 1;
        if (size_ && edge_x_ == 0) {
          edge_x_ = dir;  // the first press picks the edge
          return;
        }
        Shift(dir * step, 0);
        return;
      }
      case VK_UP:
      case VK_DOWN: {
        const int dir = vk == VK_UP ? -1 : 1;
        if (size_ && edge_y_ == 0) {
          edge_y_ = dir;
          return;
        }
        Shift(0, dir * step);
        return;
      }
      case VK_RETURN:
        Finish(true);
        return;
      case VK_ESCAPE:
        Finish(false);
        return;
      default:
        return;
    }
  }

  void Shift(int dx, int dy) {
    if (!IsWindow(hwnd_) || (dx == 0 && dy == 0)) return;
    if (!size_) {
      now_ = now_.Offset(dx, dy);
    } else {
      const int min_w = GetSystemMetrics(SM_CXMINTRACK);
      const int min_h = GetSystemMetrics(SM_CYMINTRACK);
      if (edge_x_ < 0) now_.Left = std::min(now_.Left + dx, now_.Right - min_w);
      if (edge_x_ > 0) now_.Right = std::max(now_.Right + dx, now_.Left + min_w);
      if (edge_y_ < 0) now_.Top = std::min(now_.Top + dy, now_.Bottom - min_h);
      if (edge_y_ > 0) now_.Bottom = std::max(now_.Bottom + dy, now_.Top + min_h);
    }
    Place(now_);
    if (!size_ || !IsWindow(hwnd_)) return;
    // The window may hold a larger minimum: the moving edge gives way, the
    // opposite one stays.
    TRect got;
    GetWindowRect(hwnd_, got);
    if (got.Width() == now_.Width() && got.Height() == now_.Height()) return;
    if (edge_x_ < 0) now_.Left = now_.Right - got.Width();
    if (edge_x_ >= 0) now_.Right = now_.Left + got.Width();
    if (edge_y_ < 0) now_.Top = now_.Bottom - got.Height();
    if (edge_y_ >= 0) now_.Bottom = now_.Top + got.Height();
    Place(now_);
  }

  void Place(const TRect& r) {
    SetWindowPos(hwnd_, HWND{}, r.Left, r.Top, r.Width(), r.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | (size_ ? 0u : static_cast<UINT>(SWP_NOSIZE)));
  }

  void Finish(bool keep) {
    if (Sys().mode != this) return;
    Sys().mode = nullptr;
    if (HasBackend() && Sys().buttons == 0 && !Sys().capture) Backend().SetMouseCapture(false);
    SetCursor(IDC_ARROW);
    if (!IsWindow(hwnd_)) return;
    if (!keep) {
      SetWindowPos(hwnd_, HWND{}, start_.Left, start_.Top, start_.Width(), start_.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (IsWindow(hwnd_)) Send(hwnd_, WM_EXITSIZEMOVE);
  }

  HWND hwnd_;
  bool size_ = false;
  int edge_x_ = 0;  // -1 left, 1 right, 0 not chosen yet
  int edge_y_ = 0;  // -1 top, 1 bottom
  bool clicked_ = false;
  TRect start_;
  TRect now_;
  TPoint last_;
};

}  // namespace

void BeginKeyboardSizeMove(HWND h, bool size) {
  TWindow* w = W(h);
  if (w == nullptr || !w->IsTopLevel() || !IsWindowVisible(h) || w->minimized || w->maximized) {
    return;
  }
  if (size && (w->style & WS_THICKFRAME) == 0) return;
  EndInputMode();
  if (!IsWindow(h)) return;
  static TSizeMoveMode mode;
  mode.Begin(h, size);
}

}  // namespace qv::win
