// Controls: the visual components. A control has a parent, bounds, alignment
// and anchors, visibility, enabled state, a caption, a font and a colour that
// may follow the parent's, mouse and click events, and a message procedure
// through which everything reaches it (Perform dispatches directly). Windowless
// controls (TGraphicControl) paint in their parent's paint cycle and are hit
// by the parent; windowed controls are TWinControl.
//
// The joints a subclass (a skinned control) uses: PaintState, the neutral
// state every painter reads, and StateChanged, where every change of it
// arrives; the paint protocol, PaintFace, PaintContent and PaintFocus, each
// replaceable on its own; the hot tracking (MouseInControl, HotPart);
// ChangeScale for a new pixel density; CM_HITTEST to let the mouse through.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/component/component.h"
#include "platform/component/messages.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/look/paint_state.h"
#include "platform/ustring.h"

namespace qv {

class TWinControl;
class TCustomForm;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : unsigned { akLeft, akTop, akRight, akBottom };
using TAnchors = unsigned;  // bits 1 << TAnchorKind
constexpr TAnchors kDefaultAnchors = (1u << akLeft) | (1u << akTop);

struct TMargins {
  int Left = 3;
  int Top = 3;
  int Right = 3;
  int Bottom = 3;
  friend bool operator==(const TMargins&, const TMargins&) = default;
};

enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csClickEvents = 1u << 3,
  csFramed = 1u << 4,
  csSetCaption = 1u << 5,
  csOpaque = 1u << 6,
  csDoubleClicks = 1u << 7,
  csFixedWidth = 1u << 8,
  csFixedHeight = 1u << 9,
  csReplicatable = 1u << 11,
  csNoStdEvents = 1u << 12,
  csParentBackground = 1u << 19,
};
using TControlStyle = unsigned;

enum TControlStateFlag : unsigned {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csAlignmentNeeded = 1u << 4,
  csFocusing = 1u << 5,
  csCreating = 1u << 6,
  csPaintCopy = 1u << 7,
  csCustomPaint = 1u << 8,
  csDestroyingHandle = 1u << 9,
  csAligning = 1u << 14,
  csScaling = 1u << 15,  // ScaleBy is running over this control and everything on it
};
using TControlState = unsigned;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = unsigned;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;

// The keyboard and mouse-button state of a message (MK_* bits) and of the keyboard now.
TShiftState ShiftStateFromKeys(WPARAM mk_keys);
TShiftState KeyboardShiftState();

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // --- tree
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;
  // The form holding the control (itself for a form); nullptr when not on one.
  TCustomForm* ParentForm() const;

  // --- geometry (parent client coordinates)
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  // Screen position of the client area's origin.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  // The control's client point p in its parent's client coordinates.
  TPoint ClientToParent(TPoint p) const { return {p.X + left_, p.Y + top_}; }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors a);
  const TMargins& Margins() const { return margins_; }
  void SetMargins(const TMargins& m);
  bool AlignWithMargins() const { return align_with_margins_; }
  void SetAlignWithMargins(bool v);

  // --- state
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to a shown form.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  // Enabled, and every parent too.
  bool IsEnabledInTree() const;

  // --- caption and text (the same value; controls choose which they publish)
  virtual ustring GetText() const { return text_; }
  virtual void SetText(ustring_view text);
  ustring Caption() const { return GetText(); }
  void SetCaption(ustring_view c) { SetText(c); }

  // --- font and colour, optionally the parent's
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& f);
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool v);
  // Edits the font in place and announces the change (Font.Name = … while reading).
  void ChangeFont(const std::function<void(TFont&)>& edit);

  ustring Hint;
  bool ShowHint = false;
  int Cursor = 0;  // a cursor id (IDC_HAND …); 0: the window's own

  TControlStyle ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState ControlState = 0;

  // --- events
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // --- messages
  // Direct dispatch through WindowProc.
  LRESULT Perform(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);
  // The message procedure; replaceable, the default calls WndProc.
  std::function<void(TMessage&)> WindowProc;
  virtual void WndProc(TMessage& message);

  // --- painting
  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // Mouse capture by this control (windowless controls capture through their parent).
  bool MouseCapture() const;
  void SetMouseCapture(bool capture);

  virtual void Click();
  virtual void DblClick();

  // --- paint state
  // The pointer is over the control: it entered and has not left (a control
  // holding the mouse stays entered). The one hot tracking of all controls.
  bool MouseInControl() const { return mouse_in_; }
  // The part of the control under the pointer (see PartAt); -1 when the
  // pointer is not over the control or has not moved since it entered.
  int HotPart() const { return hot_part_; }
  // What the control shows about itself now, the one record every painter
  // reads. The base fills Enabled and Hot; controls add what they have.
  virtual TPaintState PaintState() const;

  // --- density
  // Rescales the control and everything on it from d to m pixels per inch
  // (a length l becomes MulDiv(l, m, d)) through ChangeScale; nothing when
  // m equals d. Forms call it at creation and when the screen's density
  // changes (TCustomForm::ScaleForPPI).
  void ScaleBy(int m, int d);

 protected:
  // Which part of the control is at a client point inside it, for controls
  // with parts that light up on their own (a combo box's button, the spin
  // buttons, the tabs of a page control); -1 for none (the default).
  virtual int PartAt(TPoint client) const;
  // Every change of the paint state arrives here (hot, hot part, pressed,
  // focus, enabled, checked, dropped down ...): the default repaints. A
  // skinned control runs its state transition here.
  virtual void StateChanged() { Invalidate(); }
  // Sets the hot part (the framework does, from the pointer), announcing a change.
  void SetHotPart(int part);

  // What the control owns at a new density (see ScaleBy): the base scales
  // its bounds, margins, anchor rule and own font; a control adds its other
  // lengths (a track bar's thumb) and fits itself to its scaled font at the
  // end (labels, auto-sized check boxes). Windowed controls scale their
  // children after themselves, with their alignment held until all is done.
  virtual void ChangeScale(int m, int d);
  // A rescale runs over this control (on it or a parent): fits that follow a
  // font change wait for the control's own ChangeScale.
  bool Scaling() const;

  // --- the paint protocol. PaintParts runs the three parts with
  // PaintState(), in this order; a subclass replaces one and keeps the others.
  void PaintParts(TCanvas& canvas);
  // Background and face: fills, frames, field boxes and the buttons in them.
  virtual void PaintFace(TCanvas& canvas, const TPaintState& s);
  // Content: text, glyphs, marks, the values shown.
  virtual void PaintContent(TCanvas& canvas, const TPaintState& s);
  // The keyboard focus frame.
  virtual void PaintFocus(TCanvas& canvas, const TPaintState& s);

  // Message handling after WndProc's common mouse processing; the default
  // answers the framework notifications and passes the rest to DefaultHandler.
  virtual void Dispatch(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);

  // Notifications, reached through the message procedure.
  virtual void CMVisibleChanged(TMessage& m);
  virtual void CMEnabledChanged(TMessage& m);
  virtual void CMTextChanged(TMessage& m);
  virtual void CMFontChanged(TMessage& m);
  virtual void CMColorChanged(TMessage& m);
  virtual void CMParentFontChanged(TMessage& m);
  virtual void CMParentColorChanged(TMessage& m);
  virtual void CMMouseEnter(TMessage& m);
  virtual void CMMouseLeave(TMessage& m);
  // Whether the control takes the mouse at a client point (LParam): the
  // default answers HTCLIENT; a control that lets the mouse through to what
  // lies under it answers HTNOWHERE.
  virtual void CMHitTest(TMessage& m);

  // Asks the parent to lay out its aligned and anchored children again.
  void RequestAlign();
  // Called by SetBounds when the size changed (after the new bounds are set).
  virtual void Resize() {}

  void Loaded() override;

  // The anchor rules, recorded when the parent's client size is known.
  friend class TWinControl;
  TRect anchor_origin_{};
  TSize anchor_parent_size_{-1, -1};

 private:
  void UpdateAnchorRules();

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = TAlign::alNone;
  TAnchors anchors_ = kDefaultAnchors;
  TMargins margins_;
  bool align_with_margins_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  ustring text_;
  TFont font_;
  bool parent_font_ = true;
  TColor color_ = clWindow;
  bool parent_color_ = true;
  bool mouse_in_ = false;
  int hot_part_ = -1;
};

// A windowless control: painted by its parent through Paint with Canvas set.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);

 protected:
  // Valid during Paint only.
  TCanvas* Canvas() const { return canvas_; }
  // The paint protocol's parts by default.
  virtual void Paint() { PaintParts(*Canvas()); }
  void Dispatch(TMessage& message) override;

 private:
  TCanvas* canvas_ = nullptr;
};

// The control the mouse is captured by, across all windows.
TControl* CaptureControl();
// The control under the mouse (entered and not yet left).
TControl* MouseControl();
// Where the window controls record it.
TControl*& MouseControlSlot();

}  // namespace qv
