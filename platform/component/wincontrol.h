// Windowed controls: a control that owns a window of the window system,
// created when first needed. It holds child controls (painting the windowless
// ones in its own paint cycle and routing the mouse to them), lays out aligned
// and anchored children, keeps a tab order, takes the focus, and turns keys
// into dialog navigation or its own key events.
#pragma once

#include <functional>
#include <vector>

#include "platform/component/control.h"
#include "platform/window/window.h"

namespace qv {

struct TCreateParams {
  ustring Caption;
  std::uint32_t Style = 0;
  std::uint32_t ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent;
  ustring WinClassName;
  TColor Background = clNone;  // erase colour of the window class
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window, created on first use (with the parent's first).
  HWND Handle();
  HWND WindowHandle() const { return handle_; }  // without creating
  bool HandleAllocated() const { return static_cast<bool>(handle_); }
  void HandleNeeded() { Handle(); }
  // Binds the window being created to this control (window creation only).
  void AttachWindowHandle(HWND h) { handle_ = h; }

  const std::vector<TControl*>& Controls() const { return controls_; }
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // Which child is hit at a client point, topmost first; windowless children
  // only unless with_windows. A windowless child that answers CM_HITTEST
  // with HTNOWHERE lets the mouse through to what lies under it.
  TControl* ControlAtPos(TPoint client, bool allow_disabled, bool with_windows = false) const;
  bool ContainsControl(const TControl* control) const;

  // Sends the message to every child until one answers non-zero (dialog
  // keys: the first taker ends it).
  void Broadcast(TMessage& message);
  // Sends the message to every child in order, windowless ones too, each
  // whatever the others answered, and on into a windowed child's own
  // children unless descend says no for that child. Stops at a child being
  // destroyed. Skin commands reach every control of a form this way.
  void BroadcastAll(const TMessage& message,
                    const std::function<bool(TWinControl&)>& descend = nullptr);
  // Sends msg to every direct child, windowless ones too (notifications that
  // each child passes on itself, such as the parent's font).
  void NotifyControls(UINT msg);

  // --- focus and tab order
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool v) { tab_stop_ = v; }
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;
  // Windowed descendants in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool check_tab_stop,
                               bool check_parent) const;
  void SelectNext(TWinControl* current, bool forward, bool check_tab_stop);

  // --- layout
  void Realign();
  void DisableAlign() { ++align_disabled_; }
  void EnableAlign();
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  void SetBounds(int left, int top, int width, int height) override;

  void SetText(ustring_view text) override;
  void SetParent(TWinControl* parent) override;
  bool Showing() const override { return showing_; }
  void SetEnabled(bool v) override;

  // Adds the keyboard focus.
  TPaintState PaintState() const override;

  void Invalidate() override;
  void Update() override;
  // Paints the windowless children into dc (in this control's client coordinates).
  void PaintControls(TCanvas& dc, TControl* first);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

  void WndProc(TMessage& message) override;

 protected:
  virtual void CreateParams(TCreateParams& params);
  void CreateHandle();
  void DestroyHandle();
  // Runs once the window exists (forms size it around their client area).
  virtual void HandleCreated() {}
  // Brings the window in line with Visible and the parent's showing state.
  virtual void UpdateShowing();
  // The control's own painting of its window (windowless children follow).
  virtual void PaintWindow(TCanvas& /*dc*/) {}
  void Dispatch(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  // Lays out children inside rect (the client area by default).
  virtual void AlignControls(TControl* control, TRect& rect);
  virtual TRect AdjustClientRect() const { return ClientRect(); }

  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void KeyPress(char16_t& key);
  virtual void DoEnter();
  virtual void DoExit();

  // Itself first, then its children, aligning them once at the end.
  void ChangeScale(int m, int d) override;
  // Every child's ChangeScale.
  void ScaleControls(int m, int d);

  virtual void CMDialogKey(TMessage& m);
  void CMVisibleChanged(TMessage& m) override;
  void CMEnabledChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void CMColorChanged(TMessage& m) override;
  void Loaded() override;

  // Tab order value read from the description, applied in Loaded.
  int stored_tab_order_ = -1;

 private:
  friend class TControl;
  friend class TCustomForm;
  void PaintHandler(TMessage& m);
  void EraseBackground(TMessage& m);
  bool RouteMouseToChild(TMessage& m);
  void TrackMouseControl(TControl* target);
  bool HandleKeyDown(TMessage& m);
  // The cursor of the control under the mouse (or the screen's) for WM_SETCURSOR.
  bool SetControlCursor(TMessage& m);
  void FixupTabList();
  void AnchorControls(TControl* control);

  HWND handle_;
  std::vector<TControl*> controls_;     // z-order, bottom first
  std::vector<TWinControl*> tab_list_;  // tab order
  bool tab_stop_ = false;
  bool showing_ = false;
  int align_disabled_ = 0;
  bool creating_handle_ = false;
};

// A windowed control that paints itself with Paint on Canvas.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}

 protected:
  // Valid during Paint only.
  TCanvas* Canvas() const { return canvas_; }
  // The paint protocol's parts by default.
  virtual void Paint() { PaintParts(*Canvas()); }
  void PaintWindow(TCanvas& dc) override;

 private:
  TCanvas* canvas_ = nullptr;
};

// The control a window belongs to; nullptr for windows of no control.
TWinControl* FindControl(HWND hwnd);

}  // namespace qv
