// Forms: top-level windowed controls with a border style and title-bar icons,
// a position on first show, a client size, an active control and tab
// navigation across nested parents, a create event after the stored
// description is read, closing through one gate, and the layout scaled to
// the screen's density: at creation from the density it was designed at,
// and again whenever the screen's density changes (WM_DPICHANGED).
#pragma once

#include <string_view>

#include "platform/component/wincontrol.h"

namespace qv {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = unsigned;  // bits 1 << TBorderIcon
enum class TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle s);
  TBorderIcons BorderIcons() const { return border_icons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position = TPosition::poDesigned;
  bool KeyPreview = false;

  // The client size; the window is sized around it once its frame is known.
  void SetClientWidth(int w) { SetClientSize(w, requested_client_.cy); }
  void SetClientHeight(int h) { SetClientSize(requested_client_.cx, h); }
  void SetClientSize(int w, int h);
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;

  TWinControl* ActiveControl() const { return active_control_; }
  void SetActiveControl(TWinControl* control);
  // Moves the input focus to control (on this form) or records it for later.
  void FocusControl(TWinControl* control);
  // The window system gave control the focus.
  void SetFocusedControl(TWinControl* control);
  void ControlRemoved(TWinControl* control);
  // Where the keyboard goes when the form has no active control that can
  // take it: the first tab stop in tab order, looking into containers (the
  // page control's active page) as Tab does; nullptr when there is none.
  TWinControl* FirstTabStop() const { return FindNextControl(nullptr, true, true, false); }

  void Show();
  void Hide() { SetVisible(false); }
  // Asks OnCloseQuery and OnClose; hides the form or, for the main form,
  // ends the application.
  void Close();
  bool Active() const;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Builds the form from the embedded description named resource_name, then
  // scales it to the screen's density and runs OnCreate. On an error
  // nothing of the description remains.
  void ReadDescription(std::string_view resource_name);

  // The density the form is laid out for: the screen's when it was made; a
  // description's PixelsPerInch (the density it was designed at) until the
  // form is scaled at creation.
  int PixelsPerInch() const { return pixels_per_inch_; }
  // The density of the layout as it stands (a description sets its design
  // density); 48 to 480, else std::invalid_argument. Scales nothing.
  void SetPixelsPerInch(int ppi);
  // Lays the form out for ppi: PixelsPerInch becomes ppi (children read it
  // during their ChangeScale), then everything scales from the old density.
  void ScaleForPPI(int ppi);

  bool Showing() const override { return TWinControl::Showing(); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void UpdateShowing() override;
  void HandleCreated() override;
  void Dispatch(TMessage& message) override;
  void CMDialogKey(TMessage& m) override;
  // The font and the client size, then the controls; the window keeps its place.
  void ChangeScale(int m, int d) override;
  // Scales the read layout to the screen's density, then runs OnCreate.
  virtual void DoCreate();
  virtual bool CloseQuery();

 private:
  void ApplyPosition();
  void FitWindowToClient();

  TFormBorderStyle border_style_ = TFormBorderStyle::bsSizeable;
  TBorderIcons border_icons_ = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
  TSize requested_client_{0, 0};
  TWinControl* active_control_ = nullptr;
  bool positioned_ = false;
  int pixels_per_inch_;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

}  // namespace qv
