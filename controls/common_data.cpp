// The skin binding: lifecycle, section resolution, the hot test, update
// brackets, invalidation and the section colours on the control.
#include "controls/common_data.h"

#include <algorithm>

#include "controls/glow.h"
#include "controls/skin_classes.h"
#include "controls/state_effects.h"
#include "controls/threaded_timer.h"
#include "paint/glow.h"
#include "platform/component/form.h"
#include "platform/window/input.h"
#include "platform/window/paint.h"
#include "skin/color_transforms.h"
#include "skin/section_paint.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"
#include "skin/sys_colors.h"

namespace qv {

namespace {

constexpr char16_t kSkinDataProp[] = u"QvSkinData";

bool Reading(const TComponent& c) { return (c.ComponentState() & csReading) != 0; }

}  // namespace

// ---------------------------------------------------------------------------
// The owner's side

int TacSkinnedOwner::SkinState() { return binding_ ? binding_->HotState() : 0; }

void TacSkinnedOwner::SkinChanged(int command) {
  (void)command;
  if (binding_) binding_->Invalidate();
}

void TacSkinnedOwner::SkinStateChanged() {
  if (binding_) SkinTransition(*binding_, binding_->CurrentState(), -1, false);
}

void TacOuterEffects::SetVisibility(TacOuterVisibility v) {
  if (visibility_ == v) return;
  visibility_ = v;
  if (owner_.Loading) return;
  if (TControl* c = owner_.OwnerControl(); c && c->Parent())
    SendSkinCommand(c->Parent(), scInvalidate);
  owner_.Invalidate();
}

// ---------------------------------------------------------------------------
// Construction and destruction

TsCommonData::TsCommonData(TControl* owner, TacSkinnedOwner* hooks, bool create_cache_bmp)
    : FOwnerObject(owner), FOwnerControl(owner), hooks_(hooks) {
  if (hooks) hooks->binding_ = this;
  FOuterEffects = std::make_unique<TacOuterEffects>(*this);
  if (create_cache_bmp) FCacheBmp = std::make_unique<TBitmap32>();
  AttachWindow();
}

TsCommonData::~TsCommonData() {
  if (hooks_ && hooks_->binding_ == this) hooks_->binding_ = nullptr;
  Detach();
  SkinIndex = -1;
  if (GlowID >= 0) HideGlow(GlowID, false);
  AnimTimer.reset();
  FOwnerControl = nullptr;
  FOwnerObject = nullptr;
}

TsCommonData* TsCommonData::FromWindow(HWND hwnd) {
  return static_cast<TsCommonData*>(GetProp(hwnd, kSkinDataProp));
}

void TsCommonData::AttachWindow() {
  TWinControl* w = OwnerWindowed();
  const HWND h = w && w->HandleAllocated() ? w->WindowHandle() : FSWHandle;
  if (!h || h == attached_) return;
  Detach();
  SetProp(h, kSkinDataProp, this);
  attached_ = h;
}

void TsCommonData::Detach() {
  if (attached_ && IsWindow(attached_) && FromWindow(attached_) == this)
    RemoveProp(attached_, kSkinDataProp);
  attached_ = HWND();
}

// ---------------------------------------------------------------------------
// Properties

TsSkinManager* TsCommonData::SkinManager() const {
  return FSkinManager ? FSkinManager : TsSkinManager::DefaultManager();
}

void TsCommonData::SetSkinManager(TsSkinManager* manager) {
  if (FSkinManager == manager) return;
  if (FSkinManager && FOwnerControl) FOwnerControl->RemoveFreeNotification(FSkinManager);
  FSkinManager = manager;
  if (manager && FOwnerControl) FOwnerControl->FreeNotification(manager);
  if (Loading) return;
  UpdateIndexes(true);
  Invalidate();
}

void TsCommonData::ComponentRemoved(TComponent* component) {
  if (component != nullptr && component == FSkinManager) {
    FSkinManager = nullptr;
    FCommonSkinData = nullptr;
    SkinIndex = -1;
  }
}

void TsCommonData::SetCustomColor(bool v) {
  if (FCustomColor == v) return;
  FCustomColor = v;
  if (FOwnerControl) {
    if (!v)
      SavedColor = FOwnerControl->Color();
    else if (SavedColor != clNone)
      FOwnerControl->SetColor(SavedColor);
  }
  if (!Loading) UpdateColors(true);
}

void TsCommonData::SetCustomFont(bool v) {
  if (FCustomFont == v) return;
  FCustomFont = v;
  if (FOwnerControl) {
    if (!v)
      SavedFontColor = FOwnerControl->Font().Color;
    else if (SavedFontColor != clNone)
      FOwnerControl->ChangeFont([&](TFont& f) { f.Color = SavedFontColor; });
  }
  if (!Loading) UpdateColors(true);
}

void TsCommonData::SetColorTone(TColor c) {
  if (FColorTone == c) return;
  FColorTone = c;
  if (!Loading) Invalidate();
}

void TsCommonData::SetHUEOffset(int v) {
  if (FHUEOffset == v) return;
  FHUEOffset = v;
  if (!Loading) Invalidate();
}

void TsCommonData::SetSaturation(int v) {
  if (FSaturation == v) return;
  FSaturation = v;
  if (!Loading) Invalidate();
}

TacSkinData* TsCommonData::CommonSkinData() {
  TsSkinManager* m = SkinManager();
  if (m == nullptr) return FCommonSkinData = nullptr;
  // The manager frees and remakes its data sets on skin and scale changes:
  // a kept pointer counts only while the manager still holds it.
  if (FCommonSkinData)
    for (const auto& d : m->SkinDataArray)
      if (d.get() == FCommonSkinData) return FCommonSkinData;
  FCommonSkinData = &m->CommonSkinData(CurrentPPI);
  return FCommonSkinData;
}

// ---------------------------------------------------------------------------
// The owner

TWinControl* TsCommonData::OwnerWindowed() const {
  return dynamic_cast<TWinControl*>(FOwnerControl);
}

bool TsCommonData::OwnerCanPaint() const {
  TControl* c = FOwnerControl;
  if (c == nullptr || c->Parent() == nullptr) return false;
  if (c->IsLoading() || c->IsDestroying() || Reading(*c)) return false;
  if ((c->ControlState & csCreating) != 0) return false;
  if (const TWinControl* w = OwnerWindowed(); w && !w->HandleAllocated()) return false;
  return true;
}

LRESULT TsCommonData::SendToOwner(int command, LPARAM param, int low) {
  // The owner hears its own commands by direct dispatch, window or not.
  if (FOwnerControl == nullptr || FOwnerControl->IsDestroying()) return 0;
  return FOwnerControl->Perform(SKIN_COMMAND_MSG, SkinCommandWParam(command, low), param);
}

HWND TsCommonData::OwnerHandle() const {
  if (const TWinControl* w = OwnerWindowed(); w && w->HandleAllocated()) return w->WindowHandle();
  return FSWHandle;
}

TBitmap32& TsCommonData::Cache() {
  if (!FCacheBmp) FCacheBmp = std::make_unique<TBitmap32>();
  return *FCacheBmp;
}

void TsCommonData::EmptyCache() {
  if (FCacheBmp) FCacheBmp->SetSize(0, 0);
}

bool TsCommonData::Animating() const {
  return AnimTimer && AnimTimer->Enabled() && AnimTimer->AnimProc;
}

// ---------------------------------------------------------------------------
// Sections

int TsCommonData::ResolveSkinIndex() {
  TsSkinManager* m = SkinManager();
  // While it broadcasts a new skin the manager counts itself inactive until
  // every control has bound.
  const bool broadcasting = m && (m->ManagerState & Bit(msBroadCasting)) != 0;
  if (m == nullptr || m->IsDestroying() || !(m->IsActive() || broadcasting)) return -1;
  TacSkinData* sd = CommonSkinData();
  if (sd == nullptr || sd->gd.empty()) return -1;
  if (!FSkinSection.empty()) return GetSkinIndex(*sd, FSkinSection);
  if (FOwnerControl == nullptr || kDefaultSectionByControl.Has(COC))
    return static_cast<int>(SendToOwner(scGetDefaultSkinIndex)) - 1;
  if (const char16_t* fixed = FixedSectionOfClass(COC); *fixed != 0)
    return GetSkinIndex(*sd, fixed);
  const ustring name = hooks_ ? UpperCase(hooks_->SkinClassName()) : ustring();
  return name.empty() ? -1 : GetSkinIndex(*sd, name);
}

void TsCommonData::SetCurrentPPI(int ppi) {
  CurrentPPI = ppi > 0 ? ppi : 96;
  FCommonSkinData = nullptr;
  UpdateIndexes(false);
}

void TsCommonData::UpdateIndexes(bool update_main) {
  BGChanged = true;
  if (update_main) {
    FCommonSkinData = nullptr;
    SkinIndex = ResolveSkinIndex();
  }
  TacSkinData* sd = CommonSkinData();
  BGType = sd ? ComputeBGType(*sd, SkinIndex) : 0;
}

bool TsCommonData::Skinned(bool check_active) {
  TsSkinManager* m = SkinManager();
  if (m == nullptr || m->IsDestroying()) return false;
  if (FOwnerControl && FOwnerControl->IsDestroying()) return false;
  if (SkinIndex < 0) return false;
  TacSkinData* sd = CommonSkinData();
  if (sd == nullptr || !sd->IsValidSkinIndex(SkinIndex)) return false;
  return !check_active || m->IsActive();
}

const TsGeneralData* TsCommonData::Section() {
  if (!Skinned()) return nullptr;
  return &CommonSkinData()->gd[static_cast<std::size_t>(SkinIndex)];
}

void TsCommonData::SetSkinSection(ustring_view name) {
  const ustring upper = UpperCase(name);
  if (upper == FSkinSection) return;
  if (GlowID >= 0) HideGlow(GlowID, false);
  FSkinSection = upper;
  TsSkinManager* m = SkinManager();
  if (m && m->LengthOfGD() > 0)
    UpdateIndexes(true);
  else
    SkinIndex = -1;
  TControl* c = FOwnerControl;
  if (c == nullptr) {
    BGChanged = true;
    return;
  }
  if (c->Parent() == nullptr || c->IsLoading() || Reading(*c) || c->IsDestroying()) return;
  if (TWinControl* w = OwnerWindowed()) {
    EmptyCache();
    BroadcastToChildren(*w, scBackgroundChanged, 0, 1);
  }
  if (FUpdating || Loading) {
    if (!Loading) UpdateColors(false);
  } else if (Skinned()) {
    SendToOwner(scRefreshSkin, reinterpret_cast<LPARAM>(m), 1);
  } else {
    SendToOwner(scRemoveSkin, reinterpret_cast<LPARAM>(m), 1);
  }
}

// ---------------------------------------------------------------------------
// Lifecycle

void TsCommonData::Loaded(bool update_colors) {
  Loading = false;
  FCommonSkinData = nullptr;
  UpdateIndexes(true);
  TControl* c = FOwnerControl;
  if (Skinned() && c && c->Parent() && !c->IsLoading()) {
    if (OwnerWindowed())
      if (TCustomForm* form = c->ParentForm(); form && form != c)
        SendSkinCommand(form, scAddControl, reinterpret_cast<LPARAM>(c));
    if (update_colors) UpdateColors(false);
  }
  AttachWindow();
  if (TsSkinManager* m = SkinManager(); m && c) m->UpdateFontName(c);
}

bool TsCommonData::Updating() {
  if (SkinManager() == nullptr) return false;
  if (FUpdating) return true;
  if (FOwnerControl && FOwnerControl->Parent())
    return SendSkinCommand(FOwnerControl->Parent(), scQueryBusy) == 1;
  return false;
}

void TsCommonData::Invalidate(bool update_now) {
  BGChanged = true;
  if (Loading) return;
  if (FOwnerControl == nullptr) {
    if (FSWHandle && IsWindow(FSWHandle))
      RedrawWindow(FSWHandle, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN |
                       (update_now ? RDW_UPDATENOW : 0u));
    return;
  }
  if (!OwnerCanPaint()) return;
  if (TWinControl* w = OwnerWindowed()) {
    RedrawWindow(w->WindowHandle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN |
                     (update_now ? RDW_UPDATENOW : 0u));
  } else {
    FOwnerControl->Repaint();
  }
}

void TsCommonData::BeginUpdate() {
  ++FUpdateCount;
  FUpdating = true;
  CtrlSkinState |= kcsInUpdate;
  SendToOwner(scBeginUpdate);
}

void TsCommonData::EndUpdate(bool repaint) {
  if (FUpdateCount > 0) --FUpdateCount;
  // Painting stays postponed until the outermost bracket closes.
  if (FUpdateCount > 0) return;
  FUpdating = false;
  CtrlSkinState &= ~kcsInUpdate;
  SendToOwner(scEndUpdate);
  if (repaint) Invalidate(true);
  // Children that waited for this control paint now.
  if (TWinControl* w = OwnerWindowed()) BroadcastToChildren(*w, scEndParentUpdate);
}

bool TsCommonData::RepaintIfMoved() {
  TControl* c = FOwnerControl;
  if (!Skinned() || c == nullptr || !c->Enabled()) return true;
  if (TsSkinManager* m = SkinManager(); m && (m->ManagerState & Bit(msSkinChanging))) return true;
  const TsGeneralData* g = Section();
  if (g == nullptr || g->Props[0].Transparency == 0) return false;
  if (c->Parent() == nullptr) return false;
  return SendSkinCommand(c->Parent(), scIsSkinnedBackground) == 1;
}

void TsCommonData::PaintOuterEffects(TWinControl& owner, TPoint offset) {
  TsSkinManager* m = SkinManager();
  if (m == nullptr || !m->Effects.AllowOuterEffects || !Skinned() || !FCacheBmp) return;
  for (TControl* child : std::vector<TControl*>(owner.Controls())) {
    if (!owner.ContainsControl(child) || !child->Visible() || child->Parent() == nullptr) continue;
    auto* w = dynamic_cast<TWinControl*>(child);
    if ((w && !w->HandleAllocated()) || Reading(*child) || (child->ControlState & csCreating))
      continue;
    TsBackgroundRequest r;
    r.Bitmap = FCacheBmp.get();
    r.Offset = offset;
    r.Kind = bkBitmap;
    SendSkinCommand(child, scPaintOuterEffects, reinterpret_cast<LPARAM>(&r));
  }
}

// ---------------------------------------------------------------------------
// State and colours

int TsCommonData::HotState() {
  TControl* c = FOwnerControl;
  if (c == nullptr || c->IsLoading() || !c->Enabled()) return 0;
  if (FFocused) return 1;
  if (TWinControl* w = OwnerWindowed();
      w && w->HandleAllocated() && GetFocus() == w->WindowHandle())
    return 1;
  if (!FMouseAbove) return 0;
  if (TsSkinManager* m = SkinManager(); m && m->Options.NoMouseHover) return 0;
  if (kNeverHot.Has(COC)) return 0;
  if (kHotOnRequest.Has(COC)) return HotEditsAllowed() ? 1 : 0;
  return 1;
}

int TsCommonData::CurrentState() { return hooks_ ? hooks_->SkinState() : HotState(); }

TControlPaintView TsCommonData::PaintView() {
  TControlPaintView v;
  TsSkinManager* m = SkinManager();
  if (m != nullptr) {
    v.Skin.Data = CommonSkinData();
    v.Skin.Master = m->MasterBitmap.get();
  }
  v.SkinIndex = Skinned() ? SkinIndex : -1;
  v.CustomColor = FCustomColor;
  v.OwnerColor = FOwnerControl ? FOwnerControl->Color() : clNone;
  v.ColorTone = FColorTone;
  v.HUEOffset = FHUEOffset;
  v.Saturation = FSaturation;
  v.OuterEffects = FOuterEffects->Visibility() != ovNone;
  return v;
}

void TsCommonData::ApplyStateColors(int state, bool repaint) {
  TControl* c = FOwnerControl;
  const TsGeneralData* g = Section();
  if (c == nullptr || g == nullptr || !kColorsFollowState.Has(COC)) return;
  const int s = SectionPaintState(*g, state);
  if (s < 0) return;
  if (g->Props[0].Transparency == 100 && g->Props[std::min(1, g->States - 1)].Transparency == 100)
    return;
  TsSkinManager* m = SkinManager();
  auto adjust = [&](TColor col) {
    col = SkinColorToRGB(col, m);
    if (FHUEOffset != 0) col = HueColor(col, FHUEOffset);
    if (FSaturation != 0) col = SaturationColor(col, FSaturation);
    return col & 0xFFFFFF;
  };
  const TsGenState& st = g->Props[static_cast<std::size_t>(s)];
  CtrlSkinState |= kcsFontChanging;
  if (!FCustomColor) c->SetColor(adjust(st.Color));
  // The standard combo box's class changes its font colour only under the switch.
  if (!FCustomFont && (COC != 10 || HotEditsAllowed())) {
    const TColor f = adjust(st.FontColor.Color);
    if (c->Font().Color != f) c->ChangeFont([&](TFont& font) { font.Color = f; });
  }
  CtrlSkinState &= ~kcsFontChanging;
  if (repaint) Invalidate();
}

void TsCommonData::UpdateColors(bool repaint) {
  TControl* c = FOwnerControl;
  if (c == nullptr || c->Parent() == nullptr || SkinIndex < 0) return;
  if (TWinControl* w = OwnerWindowed(); w && !w->HandleAllocated()) return;
  if (Skinned()) ApplyStateColors(HotState() > 0 ? 1 : 0, false);
  if (repaint) Invalidate(true);
}

}  // namespace qv
