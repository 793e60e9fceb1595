// A caption bound to a control (the "Схема:" left of its combo box): the
// control owns a TsBoundLabel (published as BoundLabel) and hands it every
// message it has processed; while active the bound label owns a TsEditLabel,
// an HTML label it creates, names, shows, enables and places beside the
// control by the placement table, and keeps in place as the control moves,
// resizes, shows or hides, changes its enabled state or density.
//
// A control offers a bound label in one line by deriving through
// TacBoundLabelOwner (below); RegisterBoundLabelProperties lets the
// description reader set BoundLabel.* on its class.
#pragma once

#include <functional>
#include <utility>

#include "controls/bound_label_layout.h"
#include "controls/html_label.h"
#include "platform/component/messages.h"
#include "platform/font.h"

namespace qv {

class TsCommonData;
class TsBoundLabel;

// The label object of a bound label. Its bound label frees it; freed by any
// other means it deactivates its bound label.
class TsEditLabel : public TsHTMLLabel {
 public:
  // Made without an owner; takes the skin manager of the control's binding.
  TsEditLabel(TControl* control, TsBoundLabel* bound);
  ~TsEditLabel() override;

  TsBoundLabel* BoundLabel = nullptr;

 protected:
  // The label scales with its parent; then it is placed again by the table
  // at the control's new density.
  void ChangeScale(int m, int d) override;
  // A size of its own (a new text, a parent font) places it again.
  void Resize() override;

 private:
  bool scaling_ = false;
};

class TsBoundLabel : public TPersistent {
 public:
  // owner: the control the caption belongs to; common_data: its skin binding
  // (null for a control without one: no skin spacing, density from its form).
  TsBoundLabel(TControl* owner, TsCommonData* common_data);
  ~TsBoundLabel() override;
  TsBoundLabel(const TsBoundLabel&) = delete;
  TsBoundLabel& operator=(const TsBoundLabel&) = delete;

  // --- published
  // The label exists and is shown beside the control.
  bool Active() const { return FActive; }
  void SetActive(bool v);
  const ustring& Caption() const { return FText; }
  void SetCaption(ustring_view text);
  TsCaptionLayout Layout() const { return FLayout; }
  void SetLayout(TsCaptionLayout layout);
  // Shift along the control's edge.
  int Offset() const { return FOffset; }
  void SetOffset(int v);
  // Extra gap away from the control.
  int Indent() const { return FIndent; }
  void SetIndent(int v);
  // Largest label width (0: none), at CurrentPPI.
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int v);
  // The caption is markup.
  bool UseHTML() const { return FUseHTML; }
  void SetUseHTML(bool v);
  // The label uses its parent's font (default); off: Font, designed at 96 PPI.
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  const TFont& Font() const { return FFont; }
  // Turns ParentFont off.
  void SetFont(const TFont& font);
  void ChangeFont(const std::function<void(TFont&)>& edit);
  // A click on the label clicks the control.
  bool AllowClick() const { return FAllowClick; }
  void SetAllowClick(bool v);
  // The label stays enabled while the control is disabled.
  bool EnabledAlways() const { return FEnabledAlways; }
  void SetEnabledAlways(bool v);
  // The label's text takes the skin's colours (default).
  bool UseSkinColor() const;
  void SetUseSkinColor(bool v);

  // The pixels per inch MaxWidth is given for.
  int CurrentPPI = 96;
  // The control's reading order (the platform's controls have none of their
  // own): right to left mirrors the layout.
  bool RightToLeft() const { return right_to_left_; }
  void SetRightToLeft(bool v);

  // The label while active.
  TsEditLabel* TheLabel() const { return FTheLabel; }
  TControl* OwnerControl() const { return FOwnerControl; }

  // Every message the control has processed: showing, visibility, enabled
  // state, moves and sizes (WM_WINDOWPOSCHANGED, WM_SIZE), a new parent
  // (CM_PARENTFONTCHANGED follows it), the skin command scScaleChanged.
  void HandleOwnerMsg(const TMessage& m, TControl* owner);
  // After the control was read from a description (the label is not made
  // while its control loads).
  void Loaded() { UpdateVisibility(); }
  // Creates and shows, hides, or frees the label.
  void UpdateVisibility();
  // Places the label beside the control.
  void AlignLabel();
  // The control is painted at ppi from now on: MaxWidth follows.
  void UpdateScale(int ppi);

  // While any lock is held, moves and sizes of controls do not place their
  // labels (the caller places them when done).
  class TAlignLock {
   public:
    TAlignLock();
    ~TAlignLock();
    TAlignLock(const TAlignLock&) = delete;
    TAlignLock& operator=(const TAlignLock&) = delete;
  };
  static bool AlignLocked();

 private:
  friend class TsEditLabel;
  void LabelDestroyed();
  // The control's density: its binding's, else its form's.
  int ControlPPI() const;
  bool LabelEnabled() const;
  TFont ScaledFont() const;
  void ApplyClick();
  void Realign();  // AlignLabel when active

  int FOffset = 0;
  int FIndent = 0;
  int FMaxWidth = 0;
  bool FUseHTML = false;
  bool FParentFont = true;
  bool FAllowClick = false;
  bool FEnabledAlways = false;
  bool FUseSkinColor = true;
  TFont FFont;
  ustring FText;
  TsCaptionLayout FLayout = sclLeft;
  bool FActive = false;
  TsEditLabel* FTheLabel = nullptr;
  TControl* FOwnerControl = nullptr;
  TsCommonData* FCommonData = nullptr;
  bool right_to_left_ = false;
  bool aligning_ = false;
};

// A control with a bound label: derive from TacBoundLabelOwner<TBase>
// instead of TBase (any control; a skinned one passes its binding). It owns
// the BoundLabel and hands it every message and its Loaded.
template <class TBase>
class TacBoundLabelOwner : public TBase {
 public:
  template <class... A>
  explicit TacBoundLabelOwner(TComponent* owner, A&&... args)
      : TBase(owner, std::forward<A>(args)...), FBoundLabel(this, BindingOf(this)) {}

  TsBoundLabel& BoundLabel() { return FBoundLabel; }
  const TsBoundLabel& BoundLabel() const { return FBoundLabel; }

  void WndProc(TMessage& m) override {
    TBase::WndProc(m);
    FBoundLabel.HandleOwnerMsg(m, this);
  }

 protected:
  void Loaded() override {
    TBase::Loaded();
    FBoundLabel.Loaded();
  }

 private:
  template <class C>
  static TsCommonData* BindingOf(C* c) {
    if constexpr (requires { c->SkinData(); })
      return c->SkinData();
    else
      return nullptr;
  }

  TsBoundLabel FBoundLabel;
};

}  // namespace qv
