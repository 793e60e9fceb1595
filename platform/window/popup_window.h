// A non-activating top-level popup that holds the mouse while open, the
// ground of drop-down lists and menus: it never takes activation or the
// keyboard focus, stays above other windows, may reach past its owner's
// window, and closes when it loses the mouse. Subclasses paint it and handle
// the mouse, which they see everywhere on the screen while it is open.
#pragma once

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "platform/ustring.h"
#include "platform/window/types.h"

namespace qv {

class TPopupWindow {
 public:
  explicit TPopupWindow(ustring class_name);
  virtual ~TPopupWindow();
  TPopupWindow(const TPopupWindow&) = delete;
  TPopupWindow& operator=(const TPopupWindow&) = delete;

  bool IsOpen() const { return open_; }
  HWND Handle() const { return hwnd_; }

  // Where a popup of this size goes: below anchor (a screen rectangle), or
  // above it when there is no room below; moved left to stay on the screen.
  static TRect PlaceBelow(const TRect& anchor, TSize size);

 protected:
  // Makes a fresh window at r (screen), shows it without activating it and
  // takes the mouse. False when the window could not be made.
  bool OpenWindow(const TRect& r);
  // Hides the window and lets the mouse go; nothing when closed.
  void CloseWindow();
  void Redraw();
  TRect ClientRect() const;

  virtual void Paint(TCanvas& canvas) = 0;
  // Someone else took the mouse, or the screen density changed under the
  // open popup: it must close without a choice.
  virtual void Cancel() = 0;
  // Every other message, the mouse's included.
  virtual LRESULT Message(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  ustring class_name_;
  HWND hwnd_;
  bool open_ = false;
};

}  // namespace qv
