// The skin manager's lifecycle: construction and the default manager, skin
// changes and their recovery, skin data per density, broadcasts, colour
// settings, scale, the application font, hot tracking, hooks and the live
// preview.
#include "skin/skin_manager.h"

#include <charconv>

#include "platform/component/application.h"
#include "platform/window/paint.h"
#include "platform/window/window.h"
#include "skin/hot_tracking.h"
#include "skin/skin_commands.h"
#include "skin/skin_loader.h"
#include "skin/skin_paths.h"
#include "skin/window_hooks.h"

namespace qv {

const char16_t kNewerSkinText[] =
    u"This skin is newer than this skin engine and is not fully supported by it. "
    u"Update the skin engine to use this skin.";

namespace {

TsSkinManager*& DefaultRef() {
  static TsSkinManager* manager = nullptr;
  return manager;
}

bool& OldGlyphsSwitch() {
  static bool on = false;
  return on;
}

bool HasSections(const std::unique_ptr<TacSkinData>& sd) { return sd && !sd->gd.empty(); }

std::vector<ustring> SplitLines(const ustring& text) {
  std::vector<ustring> lines;
  for (const ustring& line : SplitTextLines(text))
    if (!TrimText(line).empty()) lines.push_back(TrimText(line));
  return lines;
}

void RedrawAll(HWND h) {
  if (IsWindow(h))
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Every control below parent with its designed bounds, parents first.
void CollectTree(TWinControl& parent, std::vector<std::pair<TControl*, TRect>>& out) {
  for (TControl* c : parent.Controls()) {
    out.push_back({c, c->BoundsRect()});
    if (auto* w = dynamic_cast<TWinControl*>(c)) CollectTree(*w, out);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction and destruction

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner) {
  hot_ =
      std::make_unique<TacHotTracker>([this] { return (ManagerState & Bit(msAnimScaling)) != 0; });
  hooks_ = std::make_unique<TacWindowHooks>(*this);
  SkinCommonInfo.SysInactiveBorderColor = DefaultSysColor(COLOR_INACTIVEBORDER);
  SysFontScale = ScaleIndexOfPPI(Screen().PixelsPerInch());
  if (!DefaultRef()) DefaultRef() = this;
  ThirdParty.FillDefaults();
  for (int i = 0; i < kThirdPartyKinds; ++i)
    ThirdLists[static_cast<std::size_t>(i)] =
        SplitLines(ThirdParty.Lists[static_cast<std::size_t>(i)]);
  MenuSupport.IcoLineSkin = u"ICOLINE";
  DefaultSkinDirectory();
  SkinListController.UpdateNeeded = true;
  HookApplicationWindow();
}

TsSkinManager::~TsSkinManager() {
  MarkDestroying();
  if (IsActive() && OnDeactivate) OnDeactivate(this);
  hooks_.reset();
  hot_.reset();
  ResetSkinData();
  EmbeddedFonts.Clear();
  CloseSkinFile();
  SkinListController.CheckThread();
  if (DefaultRef() == this) DefaultRef() = nullptr;
}

TsSkinManager* TsSkinManager::DefaultManager() { return DefaultRef(); }

void TsSkinManager::SetIsDefault(bool value) {
  if (!value || DefaultRef() == this) return;
  DefaultRef() = this;
  HookApplicationWindow();
}

TacSkinListController* TsSkinManager::DefaultList() {
  TsSkinManager* def = DefaultRef();
  if (def == nullptr || def == this || def->IsDestroying()) return nullptr;
  return &def->SkinListController;
}

void TsSkinManager::DefaultSkinDirectory() {
  if (skin_directory_.empty()) skin_directory_ = UserSkinDirectory();
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  DefaultSkinDirectory();
  if (MenuSupport.IcoLineSkin.empty()) MenuSupport.IcoLineSkin = u"ICOLINE";
  ThirdParty.FillDefaults();
  for (int i = 0; i < kThirdPartyKinds; ++i)
    ThirdLists[static_cast<std::size_t>(i)] =
        SplitLines(ThirdParty.Lists[static_cast<std::size_t>(i)]);
  // The skin was loaded while the description was read, but nobody heard of it.
  if (active_ && !skin_name_.empty()) UpdateSkin(false);
  if (IsActive() && OnActivate) OnActivate(this);
  SkinListController.UpdateNeeded = true;
  if (Options.ScaleMode == smVCL) Options.PixelsPerInch = Screen().PixelsPerInch();
  HookApplicationWindow();
}

void TsSkinManager::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  // By address: the control's own part is gone by the time it tells.
  if (operation == TOperation::opRemove && hot_) hot_->Forget(component);
}

void TsSkinManager::StoredSkinsChanged(bool added) {
  if (added) SkinListController.UpdateNeeded = true;
  if (OnSkinListChanged) OnSkinListChanged(this);
}

void TsSkinManager::ShowUnskinnedMessage(TacMessageKind kind, ustring_view text) {
  const unsigned rules = SkinningRules;
  const bool sys_colors = Options.ChangeSysColors;
  SkinningRules &= ~Bit(srStdDialogs);
  Options.ChangeSysColors = false;
  struct Restore {
    TsSkinManager& m;
    unsigned rules;
    bool sys_colors;
    ~Restore() {
      m.SkinningRules = rules;
      m.Options.ChangeSysColors = sys_colors;
    }
  } restore{*this, rules, sys_colors};
  ShowSkinMessage(kind, text);
}

ustring TsSkinManager::SkinInfo() const {
  if (!IsActive()) return u"N/A";
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, SkinCommonInfo.Version);
  return Utf8ToUtf16(std::string(buf, r.ptr));
}

// ---------------------------------------------------------------------------
// Properties

void TsSkinManager::SetActive(bool value) {
  if (value) {
    const bool changed = !active_;
    active_ = true;
    if ((changed || !IsActive()) && !(IsLoading() && skin_name_.empty())) SetSkinName(skin_name_);
  } else {
    const bool was_active = IsActive();
    active_ = false;
    if (!skin_name_.empty()) {
      if (!IsLoading()) RemoveSkin();
      ResetSkinData();
      if (was_active && OnDeactivate) OnDeactivate(this);
    }
  }
  SkinListController.SendSkinChanged();
}

void TsSkinManager::SetSkinDirectory(ustring value) {
  if (UpperCase(value) == UpperCase(skin_directory_)) return;
  skin_directory_ = std::move(value);
  SkinCommonInfo.SkinPath = GetFullSkinDirectory();
  SkinListController.CheckThread();
  SkinListController.SkinList.clear();
  SkinListController.ImgList.clear();
  SkinListController.UpdateNeeded = true;
  SkinListController.SendListChanged();
  if (!IsLoading()) SkinListController.UpdateIfNeeded(false);
  if (OnSkinListChanged) OnSkinListChanged(this);
}

void TsSkinManager::SetByIndex(int type, int value) {
  int* field = nullptr;
  switch (type) {
    case csBrightness:
      value = std::clamp(value, -100, 100);
      field = &brightness_;
      break;
    case csHueOffset:
      field = &hue_offset_;
      break;
    case csSaturation:
      field = &saturation_;
      break;
    default:
      return;
  }
  if (*field == value) return;
  *field = value;
  // Settings made before any skin is shown wait for it.
  if (active_ && IsActive() && !IsLoading() && !IsDestroying()) ReapplyColors();
}

bool TsSkinManager::OldGlyphsMode() { return OldGlyphsSwitch(); }

void TsSkinManager::SetOldGlyphsMode(bool value) {
  if (OldGlyphsSwitch() == value) return;
  OldGlyphsSwitch() = value;
  if (!IsLoading()) RepaintForms(true);
}

void TsSkinManager::SetFontsMainMode(TacFontMode mode) {
  fonts_main_mode_ = mode;
  if (!IsLoading()) AfterFontsModeChange();
}

void TsSkinManager::SetFontsMainFont(ustring name) {
  fonts_main_font_ = std::move(name);
  if (fonts_main_mode_ == fmCustom && !IsLoading()) ChangeAppFont(fonts_main_font_);
}

void TsSkinManager::AfterFontsModeChange() {
  StoreDefFont();
  switch (fonts_main_mode_) {
    case fmDefault:
      ChangeAppFont(DefStoredFontName);
      break;
    case fmFromSkin:
      ChangeAppFont(IsActive() && !SkinCommonInfo.MainFont.empty() ? SkinCommonInfo.MainFont
                                                                   : DefStoredFontName);
      break;
    case fmCustom:
      ChangeAppFont(fonts_main_font_);
      break;
  }
}

// ---------------------------------------------------------------------------
// Skin changes

void TsSkinManager::SetSkinName(ustring value) {
  const ustring old = skin_name_;
  skin_name_ = std::move(value);
  if (active_) {
    if (OnBeforeChange) OnBeforeChange(this);
    ManagerState |= Bit(msSkinChanging);
    if (skin_name_.size() > 4 && LowerCase(skin_name_.substr(skin_name_.size() - 4)) == u".asz")
      skin_name_.resize(skin_name_.size() - 4);
    const bool was_active = IsActive();
    LoadSkinOrRecover(old);
    const bool loaded = HasSections(SkinDataArray[0]);
    if (!active_ || !loaded)
      RemoveSkin();
    else if (!NoAutoUpdate)
      BroadcastNewSkin(true);
    if (!was_active && loaded && !IsLoading() && OnActivate) OnActivate(this);
    ManagerState &= ~Bit(msSkinChanging);
    SkinCommonInfo.Active = HasSections(SkinDataArray[0]);
    if (!NoAutoUpdate && OnAfterChange) OnAfterChange(this);
  }
  if (!(ManagerState & Bit(msSkinChanging))) SkinListController.SendSkinChanged();
}

void TsSkinManager::LoadForCurrentScale() {
  ResetSkinData();
  init_failed_ = false;
  switch (Options.ScaleMode) {
    case smVCL: {
      CommonSkinData(96);
      const int ppi = Screen().PixelsPerInch();
      if (ppi != 96 && HasSections(SkinDataArray[0])) CommonSkinData(ppi);
      break;
    }
    case smCustomPPI:
      CommonSkinData(Options.PixelsPerInch > 0 ? Options.PixelsPerInch : 96);
      break;
    default:
      CommonSkinData(DesignPPI(GetScale()));
  }
}

void TsSkinManager::LoadSkinOrRecover(const ustring& old_name) {
  const ustring wanted = skin_name_;
  ustring error;
  try {
    LoadForCurrentScale();
    // Found but not readable: its message is shown already.
    if (!init_failed_) return;
  } catch (const std::exception& e) {
    error = ExceptionMessage(e);
  }
  // A skin of the skin directory in the way of the stored skin of its name:
  // say why, then show the stored one.
  if (!source_file_.empty() && internal_skins_.IndexOf(skin_name_) >= 0) {
    ShowUnskinnedMessage(TacMessageKind::mkError,
                         ShadowedSkinErrorText(source_file_, error.empty() ? ustring() : error));
    stored_only_ = true;
    struct TReset {
      bool& flag;
      ~TReset() { flag = false; }
    } reset{stored_only_};
    error.clear();
    try {
      LoadForCurrentScale();
      if (!init_failed_) return;
    } catch (const std::exception& e) {
      error = ExceptionMessage(e);
    }
  }
  if (!error.empty()) ShowUnskinnedMessage(TacMessageKind::mkError, error);
  // Nothing of the half-built skin stays: the previous skin comes back. A
  // skin that was found but could not be read keeps its name when there is
  // no previous skin to go back to.
  ResetSkinData();
  if (!error.empty() || !old_name.empty()) skin_name_ = old_name;
  if (old_name.empty() || old_name == wanted || !active_) return;
  try {
    LoadForCurrentScale();
    if (!init_failed_) return;
  } catch (const std::exception&) {
    // Its own error was shown when it first failed, or it never loaded.
  }
  ResetSkinData();
}

void TsSkinManager::ReapplyColors() {
  ManagerState |= Bit(msSkinChanging);
  try {
    LoadForCurrentScale();
  } catch (const std::exception& e) {
    ShowUnskinnedMessage(TacMessageKind::mkError, ExceptionMessage(e));
    ResetSkinData();
  }
  if (!HasSections(SkinDataArray[0]))
    RemoveSkin();
  else if (!(ManagerState & Bit(msScaleChanging)))
    BroadcastNewSkin(false);
  ManagerState &= ~Bit(msSkinChanging);
  SkinCommonInfo.Active = HasSections(SkinDataArray[0]);
  if (!NoAutoUpdate) {
    if (OnAfterChange) OnAfterChange(this);
    if (!(ManagerState & Bit(msScaleChanging)) && IsActive()) RepaintForms(true);
  }
}

int TsSkinManager::ScaleSlot(int ppi) const {
  return Options.ScaleMode == smVCL ? ScaleIndexOfPPI(ppi) : 0;
}

TacSkinData& TsSkinManager::CommonSkinData(int ppi) {
  if (ppi <= 0) ppi = 96;
  const int slot = ScaleSlot(ppi);
  auto& data = SkinDataArray[static_cast<std::size_t>(slot)];
  const bool busy = (ManagerState & (Bit(msSkinChanging) | Bit(msBroadCasting))) != 0;
  if (!IsActive() && !busy) {
    if (!data) {
      data = std::make_unique<TacSkinData>(this, ppi);
    } else if (data->gd.empty()) {
      data->PPI = ppi;
      data->ScalePercent = ppi * 100 / 96;
    }
    return *data;
  }
  if (Options.ScaleMode == smVCL && slot != 0 && !SkinDataArray[0]) CommonSkinData(96);
  const bool created = !data;
  if (created) {
    data = std::make_unique<TacSkinData>(this, ppi);
    data->ScaleValue = Options.ScaleMode == smVCL ? slot : ScaleIndexOfPPI(ppi);
  }
  const bool base_loaded = HasSections(SkinDataArray[0]);
  const bool changing = (ManagerState & Bit(msSkinChanging)) != 0;
  if (changing && slot == 0 && data->gd.empty()) {
    ReloadSkin(*data);  // errors go to the skin change, which recovers
  } else if (created && ppi != 96 && base_loaded) {
    // A window asks for another density of a skin already shown: a variant
    // that cannot be read leaves that density unskinned, said once.
    try {
      ReloadSkin(*data);
    } catch (const std::exception& e) {
      data->Reset();
      if (changing) throw;
      ShowUnskinnedMessage(TacMessageKind::mkError, ExceptionMessage(e));
    }
  }
  return *data;
}

bool TsSkinManager::ReloadSkin(TacSkinData& sd) {
  if (!active_) return false;
  if (!common_loaded_) {
    if (!InitSkinFile()) {
      init_failed_ = active_;
      return false;
    }
    EmbeddedFonts.Load(*SkinFile, SkinIsPacked ? sc.get() : nullptr,
                       TacSkinFiles(SkinIsPacked ? sc.get() : nullptr, SkinCommonInfo.SkinPath));
    LoadCommonData(*this);
    common_loaded_ = true;
  }
  TacSkinLoader loader(*this, sd);
  loader.Run(!palette_built_);
  palette_built_ = true;
  if (OnSkinLoading) OnSkinLoading(this);
  return true;
}

void TsSkinManager::ResetSkinData() {
  SkinCommonInfo.Active = false;
  SkinCommonInfo.Sections.fill(-1);
  SkinCommonInfo.IndexGlobalInfo = -1;
  ClearSkinData();
  common_loaded_ = false;
  palette_built_ = false;
  master_source_.reset();
}

void TsSkinManager::ClearSkinData() {
  for (auto& d : SkinDataArray) d.reset();
}

const TBitmap32* TsSkinManager::MasterSource() const {
  return master_source_ ? master_source_.get() : MasterBitmap.get();
}

// ---------------------------------------------------------------------------
// Broadcasts

void TsSkinManager::BroadcastNewSkin(bool repaint) {
  if (IsLoading() || IsDestroying()) return;
  ManagerState |= Bit(msBroadCasting);
  SkinCommonInfo.Active = false;
  BroadcastSkinCommand(scSetNewSkin, reinterpret_cast<LPARAM>(this));
  SkinCommonInfo.Active = HasSections(SkinDataArray[0]);
  if (IsDefault()) InstallHook();
  if (fonts_main_mode_ == fmFromSkin) {
    StoreDefFont();
    ChangeAppFont(SkinCommonInfo.MainFont.empty() ? DefStoredFontName : SkinCommonInfo.MainFont,
                  false);
  }
  if (repaint) RepaintForms(false);
  ManagerState &= ~Bit(msBroadCasting);
}

void TsSkinManager::RemoveSkin() {
  ManagerState |= Bit(msSkinRemoving);
  if (fonts_main_mode_ == fmFromSkin && !Application().Terminated()) {
    StoreDefFont();
    ChangeAppFont(DefStoredFontName, false);
  }
  UnInstallHook();
  ResetSkinData();
  if (!IsLoading() && !IsDestroying())
    BroadcastSkinCommand(scRemoveSkin, reinterpret_cast<LPARAM>(this));
  MasterBitmap.reset();
  EmbeddedFonts.Clear();
  ManagerState &= ~Bit(msSkinRemoving);
}

void TsSkinManager::UpdateSkin(bool repaint) {
  if (active_) BroadcastNewSkin(repaint);
}

void TsSkinManager::RepaintForms(bool lock_forms) {
  if (IsDestroying()) return;
  BroadcastSkinCommand(scStopAnimation);
  BroadcastSkinCommand(scRefreshSkin, reinterpret_cast<LPARAM>(this));
  if (IsLoading() || !lock_forms) return;
  for (TComponent* c : Application().Components())
    if (auto* f = dynamic_cast<TCustomForm*>(c); f && f->HandleAllocated())
      RedrawAll(f->WindowHandle());
  for (HWND h : std::vector<HWND>(TrackedSkinnedWindows())) RedrawAll(h);
}

void TsSkinManager::UpdateSkinSection(ustring_view section_name) {
  const ustring upper = UpperCase(section_name);
  BroadcastSkinCommand(scSectionChanged, reinterpret_cast<LPARAM>(&upper));
}

void TsSkinManager::EndUpdate(bool repaint, bool allow_animation) {
  const bool animation = AnimEffects.SkinChanging.Active;
  if (!allow_animation) AnimEffects.SkinChanging.Active = false;
  NoAutoUpdate = false;
  UpdateSkin(repaint);
  AnimEffects.SkinChanging.Active = animation;
  if (OnAfterChange) OnAfterChange(this);
}

// ---------------------------------------------------------------------------
// Scale

int TsSkinManager::GetScale() const {
  switch (Options.ScaleMode) {
    case smOldMode:
    case smVCL:
      return 0;
    case smAuto:
      return SysFontScale;
    case smCustomPPI:
      return ScaleIndexOfPPI(Options.PixelsPerInch);
    default:
      return static_cast<int>(Options.ScaleMode);
  }
}

int TsSkinManager::ScaleInt(int n, int scale) const {
  switch (Options.ScaleMode) {
    case smCustomPPI:
      return n * Options.PixelsPerInch / 96;
    case smOldMode:
      return n;
    default:
      break;
  }
  switch (scale < 0 ? GetScale() : scale) {
    case 1:
      return n + n / 4;
    case 2:
      return n + n / 2;
    case 3:
      return n * 2;
    default:
      return n;
  }
}

void TsSkinManager::UpdateScale(TCustomForm& form, int current_ppi, int new_ppi) {
  if (Options.ScaleMode == smVCL && (new_ppi <= 0 || new_ppi == current_ppi)) return;
  int from = current_ppi, to = new_ppi;
  if (new_ppi <= 0) {
    const LRESULT answer = SendSkinCommand(&form, scGetPPI);
    if (answer == -1) return;
    from = answer == 0 ? 96 : static_cast<int>(answer);
    to = Options.ScaleMode == smCustomPPI ? Options.PixelsPerInch : DesignPPI(GetScale());
  }
  if (from <= 0 || to <= 0 || from == to) return;
  StoreDefFont();
  ManagerState |= Bit(msFormScaling);
  const bool animation = Effects.AllowAnimation;
  Effects.AllowAnimation = false;
  const bool shown = form.HandleAllocated() && IsWindowVisible(form.WindowHandle());
  if (shown) ShowWindow(form.WindowHandle(), SW_HIDE);
  // Bounds are taken first: resizing a parent moves its anchored children.
  std::vector<std::pair<TControl*, TRect>> tree;
  CollectTree(form, tree);
  const TRect client = form.ClientRect();
  auto scale = [&](int v) { return MulDiv(v, to, from); };
  form.DisableAlign();
  if (!form.ParentFont()) form.ChangeFont([&](TFont& f) { f.Height = scale(f.Height); });
  form.SetClientSize(scale(client.Width()), scale(client.Height()));
  for (const auto& [c, r] : tree) {
    const TMargins m = c->Margins();
    c->SetMargins({scale(m.Left), scale(m.Top), scale(m.Right), scale(m.Bottom)});
    if (!c->ParentFont()) c->ChangeFont([&](TFont& f) { f.Height = scale(f.Height); });
    c->SetBounds(scale(r.Left), scale(r.Top), scale(r.Width()), scale(r.Height()));
  }
  SendSkinCommand(&form, scScaleChanged, to);
  form.EnableAlign();
  if (shown) ShowWindow(form.WindowHandle(), SW_SHOWNOACTIVATE);
  Effects.AllowAnimation = animation;
  ManagerState &= ~Bit(msFormScaling);
  if (OnScaleChanged) OnScaleChanged(this);
}

void TsSkinManager::UpdateAllScale() {
  for (TCustomForm* f : std::vector<TCustomForm*>(SkinnedForms()))
    if (!f->IsDestroying()) UpdateScale(*f, 96);
}

void TsSkinManager::SetScaleMode(TacScaleMode mode) {
  if (Options.ScaleMode == mode) return;
  Options.ScaleMode = mode;
  if (OnScaleModeChange) OnScaleModeChange(this);
  if (!active_ || IsLoading() || IsDestroying()) return;
  ManagerState |= Bit(msScaleChanging);
  ReapplyColors();
  UpdateAllScale();
  BroadcastNewSkin(true);
  ManagerState &= ~Bit(msScaleChanging);
}

// ---------------------------------------------------------------------------
// The application font

void TsSkinManager::StoreDefFont() {
  if (!DefStoredFontName.empty()) return;
  TCustomForm* main = Application().MainForm();
  DefStoredFontName = main ? main->Font().Name : TFont().Name;
  DefOldFontName = DefStoredFontName;
  DefNewFontName = DefStoredFontName;
}

void TsSkinManager::ChangeAppFont(ustring_view font_name, bool lock_forms) {
  StoreDefFont();
  if (font_name == DefOldFontName) return;
  ManagerState |= Bit(msFontChanging);
  DefNewFontName = ustring(font_name);
  BroadcastSkinCommand(scUpdateFontName, reinterpret_cast<LPARAM>(this));
  const ustring old = DefOldFontName;
  if (OnFontChanged) OnFontChanged(this, old, DefNewFontName);
  DefOldFontName = DefNewFontName;
  ManagerState &= ~Bit(msFontChanging);
  if (lock_forms && !IsLoading())
    for (TComponent* c : Application().Components())
      if (auto* f = dynamic_cast<TCustomForm*>(c); f && f->HandleAllocated())
        RedrawAll(f->WindowHandle());
}

void TsSkinManager::UpdateFontName(TControl* control) {
  if (control == nullptr || control->ParentFont()) return;
  StoreDefFont();
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (!w->HandleAllocated()) return;
  } else if (control->Parent() == nullptr) {
    return;
  }
  // Only the font the application chose follows it; a font of the
  // control's own stays.
  if (control->Font().Name != DefOldFontName) return;
  const ustring wanted = IsActive() ? DefNewFontName : DefStoredFontName;
  if (control->Font().Name != wanted) control->ChangeFont([&](TFont& f) { f.Name = wanted; });
}

// ---------------------------------------------------------------------------
// Hot tracking

HWND TsSkinManager::ActiveControl() const { return hot_->Active(); }
void TsSkinManager::SetActiveControl(HWND window) { hot_->SetActive(window); }
TControl* TsSkinManager::ActiveGraphControl() const { return hot_->ActiveGraph(); }

void TsSkinManager::SetActiveGraphControl(TControl* control) {
  if (control) FreeNotification(control);
  hot_->SetActiveGraph(control);
}

void TsSkinManager::CheckHot() { hot_->Check(); }

// ---------------------------------------------------------------------------
// Hooks and the live preview

void TsSkinManager::InstallHook() {
  if (IsDefault() && !IsDestroying()) hooks_->Install();
}

void TsSkinManager::UnInstallHook() { hooks_->Uninstall(); }

bool TsSkinManager::HookInstalled() const { return hooks_->Installed(); }

void TsSkinManager::HookApplicationWindow() {
  if (!IsDefault() || IsDestroying()) return;
  TCustomForm* main = Application().MainForm();
  if (main && main->HandleAllocated()) hooks_->HookAppWindow(main->WindowHandle());
}

bool TsSkinManager::ReceivePreview(TByteView record) {
  auto data = ParseSkinEditorData(record);
  if (!data) return false;
  PreviewBuffer = std::move(*data);
  const HWND app = hooks_->AppWindow();
  if (app && IsWindow(app))
    PostMessage(app, SKIN_COMMAND_MSG, SkinCommandWParam(scApplyPreview), 0);
  else
    ApplyPreview();
  return true;
}

void TsSkinManager::ApplyPreview() {
  if (!PreviewBuffer || PreviewBuffer->Magic != kSkinEditorMagic) return;
  const TacSkinEditorData request = *PreviewBuffer;
  BeginUpdate();
  PreviewOptions = request.Data;
  SetSkinDirectory(request.SkinDir);
  SetSkinName(request.SkinName);
  EndUpdate(true, false);
  PreviewOptions.reset();
}

}  // namespace qv
