// The bound label: its label object's lifetime, visibility, enabled state,
// placement by the table, density, and the control's messages that move it.
#include "controls/bound_label.h"

#include "controls/common_data.h"
#include "platform/component/form.h"
#include "platform/component/wincontrol.h"
#include "platform/density.h"
#include "platform/text/text.h"
#include "platform/window/styles.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"

namespace qv {

namespace {

// The gap beside a control without a skin: the skin's own default.
constexpr int kUnskinnedSpacing = 4;

int& AlignLockCount() {
  static int count = 0;
  return count;
}

}  // namespace

// ---------------------------------------------------------------------------
// TsEditLabel

TsEditLabel::TsEditLabel(TControl* control, TsBoundLabel* bound)
    : TsHTMLLabel(nullptr), BoundLabel(bound) {
  (void)control;
  if (bound && bound->FCommonData) SetSkinManager(bound->FCommonData->ExplicitSkinManager());
}

TsEditLabel::~TsEditLabel() {
  if (BoundLabel) BoundLabel->LabelDestroyed();
}

void TsEditLabel::ChangeScale(int m, int d) {
  scaling_ = true;
  TsHTMLLabel::ChangeScale(m, d);
  scaling_ = false;
  if (BoundLabel) BoundLabel->UpdateScale(BoundLabel->ControlPPI());
}

void TsEditLabel::Resize() {
  TsHTMLLabel::Resize();
  if (BoundLabel && !scaling_) BoundLabel->AlignLabel();
}

// ---------------------------------------------------------------------------
// TsBoundLabel: properties

TsBoundLabel::TsBoundLabel(TControl* owner, TsCommonData* common_data)
    : FOwnerControl(owner), FCommonData(common_data) {}

TsBoundLabel::~TsBoundLabel() {
  if (FTheLabel == nullptr) return;
  TsEditLabel* label = FTheLabel;
  FTheLabel = nullptr;
  label->BoundLabel = nullptr;
  delete label;
}

void TsBoundLabel::LabelDestroyed() {
  FTheLabel = nullptr;
  FActive = false;
}

void TsBoundLabel::SetActive(bool v) {
  FActive = v;
  UpdateVisibility();
}

void TsBoundLabel::SetCaption(ustring_view text) {
  if (text == FText) return;
  FText = ustring(text);
  if (FTheLabel) FTheLabel->SetCaption(FText);
  Realign();
}

void TsBoundLabel::SetLayout(TsCaptionLayout layout) {
  if (layout == FLayout) return;
  FLayout = layout;
  Realign();
}

void TsBoundLabel::SetOffset(int v) {
  if (v == FOffset) return;
  FOffset = v;
  Realign();
}

void TsBoundLabel::SetIndent(int v) {
  if (v == FIndent) return;
  FIndent = v;
  Realign();
}

void TsBoundLabel::SetMaxWidth(int v) {
  if (v == FMaxWidth) return;
  FMaxWidth = v;
  Realign();
}

void TsBoundLabel::SetUseHTML(bool v) {
  if (v == FUseHTML) return;
  FUseHTML = v;
  Realign();
}

void TsBoundLabel::SetParentFont(bool v) {
  if (v == FParentFont) return;
  FParentFont = v;
  if (FTheLabel) {
    if (v) {
      // The label's font, back at the design density the bound font keeps.
      FFont = FTheLabel->Font();
      FFont.Height = MulDiv(FFont.Height, kDesignPPI, ControlPPI());
      FTheLabel->SetParentFont(true);
    } else {
      FTheLabel->SetFont(ScaledFont());
    }
  }
  Realign();
}

void TsBoundLabel::SetFont(const TFont& font) {
  FFont = font;
  FParentFont = false;
  if (FTheLabel) FTheLabel->SetFont(ScaledFont());
  Realign();
}

void TsBoundLabel::ChangeFont(const std::function<void(TFont&)>& edit) {
  TFont f = FFont;
  edit(f);
  SetFont(f);
}

void TsBoundLabel::SetAllowClick(bool v) {
  FAllowClick = v;
  ApplyClick();
}

void TsBoundLabel::SetEnabledAlways(bool v) {
  if (v == FEnabledAlways) return;
  FEnabledAlways = v;
  if (FTheLabel) FTheLabel->SetEnabled(LabelEnabled());
  Realign();
}

bool TsBoundLabel::UseSkinColor() const {
  return FTheLabel ? FTheLabel->UseSkinColor() : FUseSkinColor;
}

void TsBoundLabel::SetUseSkinColor(bool v) {
  // Kept while there is no label, so that a value read before the label
  // exists is not lost.
  FUseSkinColor = v;
  if (FTheLabel) FTheLabel->SetUseSkinColor(v);
}

void TsBoundLabel::SetRightToLeft(bool v) {
  if (v == right_to_left_) return;
  right_to_left_ = v;
  if (FTheLabel) FTheLabel->SetRightToLeft(v);
  Realign();
}

// ---------------------------------------------------------------------------
// Helpers

int TsBoundLabel::ControlPPI() const {
  if (FOwnerControl)
    if (const TCustomForm* form = FOwnerControl->ParentForm()) return form->PixelsPerInch();
  return FCommonData ? FCommonData->CurrentPPI : kDesignPPI;
}

bool TsBoundLabel::LabelEnabled() const {
  return FEnabledAlways || (FOwnerControl && FOwnerControl->Enabled());
}

TFont TsBoundLabel::ScaledFont() const {
  TFont f = FFont;
  f.Height = MulDiv(f.Height, ControlPPI(), kDesignPPI);
  return f;
}

void TsBoundLabel::ApplyClick() {
  if (FTheLabel == nullptr) return;
  if (FAllowClick && FOwnerControl) {
    TControl* c = FOwnerControl;
    FTheLabel->OnClick = [c](TObject*) { c->Click(); };
    FTheLabel->OnDblClick = [c](TObject*) { c->Click(); };
  } else {
    FTheLabel->OnClick = nullptr;
    FTheLabel->OnDblClick = nullptr;
  }
}

void TsBoundLabel::Realign() {
  if (FActive) AlignLabel();
}

TsBoundLabel::TAlignLock::TAlignLock() { ++AlignLockCount(); }
TsBoundLabel::TAlignLock::~TAlignLock() { --AlignLockCount(); }
bool TsBoundLabel::AlignLocked() { return AlignLockCount() > 0; }

// ---------------------------------------------------------------------------
// Lifetime, placement, density

void TsBoundLabel::UpdateVisibility() {
  TControl* c = FOwnerControl;
  if (c == nullptr || c->IsLoading()) return;
  if (!FActive) {
    if (FTheLabel == nullptr) return;
    TsEditLabel* label = FTheLabel;
    FTheLabel = nullptr;
    label->BoundLabel = nullptr;
    delete label;
    return;
  }
  if (FTheLabel == nullptr) {
    // MaxWidth was given at CurrentPPI; from now on at the control's.
    UpdateScale(ControlPPI());
    FTheLabel = new TsEditLabel(c, this);
    if (!FParentFont) FTheLabel->SetFont(ScaledFont());
    FTheLabel->SetUseSkinColor(FUseSkinColor);
    FTheLabel->SetRightToLeft(right_to_left_);
    ApplyClick();
  }
  TsEditLabel* l = FTheLabel;
  l->SetVisible(false);
  l->SetFocusControl(dynamic_cast<TWinControl*>(c));
  l->SetUseHTML(FUseHTML);
  l->SetName(c->Name() + "Label");
  if (FText.empty()) FText = U(c->Name());
  l->SetCaption(FText);
  l->SetParent(c->Parent());
  l->SetAlignment(CaptionAlignment(right_to_left_ ? MirroredLayout(FLayout) : FLayout));
  l->SetVisible(c->Visible());
  l->SetEnabled(LabelEnabled());
  l->SetAutoSize(true);
  AlignLabel();
}

void TsBoundLabel::AlignLabel() {
  TsEditLabel* l = FTheLabel;
  TControl* c = FOwnerControl;
  if (l == nullptr || c == nullptr || aligning_) return;
  TWinControl* parent = c->Parent();
  if (parent == nullptr || c->IsLoading() || !c->Visible()) return;
  aligning_ = true;
  parent->DisableAlign();
  l->SetParent(parent);

  const int ppi = ControlPPI();
  const int max_width = ScaleBoundLabelWidth(FMaxWidth, CurrentPPI, ppi);
  l->SetAlign(TAlign::alNone);
  l->SetBounds(l->Left(), l->Top(), BoundLabelFitWidth(max_width), 0);
  l->SetUseHTML(FUseHTML);
  // Markup always wraps at the width it is given.
  l->SetFitToWidth(true);
  const bool auto_size = BoundLabelAutoSize(FLayout, max_width);
  l->SetAutoSize(auto_size);
  l->SetWordWrap(auto_size);
  l->AdjustBounds();
  l->SetEnabled(LabelEnabled());

  TBoundLabelInput in;
  in.Layout = FLayout;
  in.Control = c->BoundsRect();
  in.Label = {l->Width(), l->Height()};
  TsSkinManager* m = FCommonData ? FCommonData->SkinManager() : TsSkinManager::DefaultManager();
  in.Spacing = m && m->IsActive()
                   ? m->CommonSkinData(ppi).Spacing
                   : ScaleDesigned(kUnskinnedSpacing, ppi, TScaleRounding::TowardZero);
  in.Offset = FOffset;
  in.Indent = FIndent;
  in.RightToLeft = right_to_left_;
  in.ControlAlign = c->Align();
  in.ControlMarginLeft = c->Margins().Left;
  in.ClientHeightDiffers = c->ClientHeight() != c->Height();
  in.LineHeight = GetTextMetrics(l->DrawingFont()).Height;
  in.CaptionTextHeight = l->Height();
  const TBoundLabelPlacement p = PlaceBoundLabel(in);

  const TsCaptionLayout shown = right_to_left_ ? MirroredLayout(FLayout) : FLayout;
  l->SetAlignment(p.AlignmentSet ? p.Alignment : CaptionAlignment(shown));
  l->SetLayout(p.VerticalLayout);
  l->SetBoundsRect(p.Bounds);
  l->SetAlign(p.Align);
  parent->EnableAlign();
  aligning_ = false;
}

void TsBoundLabel::UpdateScale(int ppi) {
  if (ppi <= 0) return;
  // CurrentPPI moves with MaxWidth, so that placing converts it once only.
  if (ppi != CurrentPPI) {
    FMaxWidth = ScaleBoundLabelWidth(FMaxWidth, CurrentPPI, ppi);
    CurrentPPI = ppi;
  }
  Realign();
}

void TsBoundLabel::HandleOwnerMsg(const TMessage& m, TControl* owner) {
  (void)owner;
  switch (m.Msg) {
    case CM_VISIBLECHANGED:
      UpdateVisibility();
      return;
    case CM_SHOWINGCHANGED:
      UpdateVisibility();
      if (FTheLabel && FOwnerControl) FTheLabel->SetVisible(FOwnerControl->Visible());
      AlignLabel();
      return;
    default:
      break;
  }
  if (FTheLabel == nullptr) {
    // An inactive label still follows the control's density.
    if (m.Msg == SKIN_COMMAND_MSG && SkinCommandOf(m.WParam) == scScaleChanged)
      UpdateScale(static_cast<int>(m.LParam));
    return;
  }
  switch (m.Msg) {
    case CM_ENABLEDCHANGED:
      FTheLabel->SetEnabled(LabelEnabled());
      AlignLabel();
      return;
    case CM_PARENTFONTCHANGED:
      // Also sent when the control has a new parent: the label follows it.
      AlignLabel();
      return;
    case SKIN_COMMAND_MSG:
      if (SkinCommandOf(m.WParam) == scScaleChanged) UpdateScale(static_cast<int>(m.LParam));
      return;
    case WM_WINDOWPOSCHANGED: {
      const auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      if (wp == nullptr || ((wp->flags & SWP_NOMOVE) && (wp->flags & SWP_NOSIZE))) return;
      [[fallthrough]];
    }
    case WM_SIZE: {
      TsSkinManager* mgr = FCommonData ? FCommonData->SkinManager() : nullptr;
      const bool scale_changing = mgr && (mgr->ManagerState & Bit(msScaleChanging));
      if (FCommonData && !scale_changing && FCommonData->CurrentPPI != CurrentPPI)
        UpdateScale(FCommonData->CurrentPPI);
      else if (!AlignLocked())
        AlignLabel();
      return;
    }
    default:
      return;
  }
}

}  // namespace qv
