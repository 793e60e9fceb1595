// The skin manager: the component that owns the application's skin. It
// decides which skin to load, holds its options, package, master bitmap,
// palette and one skin data set per pixel density in use, loads and removes
// skins, and tells every form and control with the skin command message.
// Where a skin comes from is skin_manager_source.cpp; the load itself is
// skin_loader.h.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/canvas.h"
#include "platform/component/component.h"
#include "platform/component/form.h"
#include "skin/live_preview.h"
#include "skin/options_store.h"
#include "skin/package.h"
#include "skin/skin_data.h"
#include "skin/skin_dialogs.h"
#include "skin/skin_fonts.h"
#include "skin/skin_list.h"
#include "skin/skin_manager_options.h"
#include "skin/skin_owner.h"
#include "skin/stored_skins.h"

namespace qv {

enum TacSkinningRule { srStdForms, srStdDialogs, srThirdParty };
enum TacManagerStateItem {
  msFontChanging,
  msScaleChanging,
  msSkinRemoving,
  msSkinChanging,
  msBroadCasting,
  msAnimScaling,
  msFormScaling,
};

// SetByIndex types.
enum TacColorSetting { csBrightness = 0, csHueOffset = 1, csSaturation = 2 };

// The texts of the messages the manager shows.
ustring InternalFormatErrorText(ustring_view skin_name);
extern const char16_t kNoDirectoryText[];
extern const char16_t kNoSkinText[];
extern const char16_t kDirectoryCreationErrorText[];
extern const char16_t kNewerSkinText[];
// A skin of the skin directory that could not be used in place of the stored
// skin of the same name.
ustring ShadowedSkinErrorText(ustring_view file, ustring_view reason);

using TFontChangedEvent =
    std::function<void(TObject* Sender, ustring_view old_name, ustring_view new_name)>;

class TacHotTracker;
class TacWindowHooks;

class TsSkinManager : public TComponent, public TacSkinListOwner {
 public:
  explicit TsSkinManager(TComponent* owner);
  ~TsSkinManager() override;

  // The first manager constructed, until it is destroyed or another one is
  // made the default.
  static TsSkinManager* DefaultManager();
  // The version of this skin engine.
  static ustring Version() { return u"14.16"; }

  // --- published properties
  bool Active() const { return active_; }
  // True: loads SkinName; false: removes the skin.
  void SetActive(bool value);
  const ustring& SkinName() const { return skin_name_; }
  // Loads the named skin while Active; a name longer than four characters
  // loses a final ".asz" (any case) then.
  void SetSkinName(ustring value);
  const ustring& SkinDirectory() const { return skin_directory_; }
  // A change (ignoring case) makes the skin list read the new folder.
  void SetSkinDirectory(ustring value);
  TsStoredSkins& InternalSkins() { return internal_skins_; }
  const TsStoredSkins& InternalSkins() const { return internal_skins_; }
  // The loaded skin's version ("14.01"), or "N/A" without a skin.
  ustring SkinInfo() const;
  int HueOffset() const { return hue_offset_; }
  int Saturation() const { return saturation_; }
  int Brightness() const { return brightness_; }
  // csBrightness (clamped to -100..100), csHueOffset, csSaturation; a changed
  // value reloads the skin while it is active.
  void SetByIndex(int type, int value);
  void SetHueOffset(int v) { SetByIndex(csHueOffset, v); }
  void SetSaturation(int v) { SetByIndex(csSaturation, v); }
  void SetBrightness(int v) { SetByIndex(csBrightness, v); }
  bool IsDefault() const { return DefaultManager() == this; }
  // True makes this the default manager; false changes nothing while there is one.
  void SetIsDefault(bool value);

  TacSkinEffects Effects;
  TacAnimEffects AnimEffects;
  TacButtonsSupport ButtonsOptions;
  // One switch for every manager; a change repaints all forms.
  static bool OldGlyphsMode();
  void SetOldGlyphsMode(bool value);
  TacLabelsSupport LabelsOptions;
  TacScrollBarsSupport ScrollsOptions;
  TacMenuSupport MenuSupport;
  TacOptions Options;
  // Fonts.MainMode and Fonts.MainFont: the application font follows them.
  TacFontMode FontsMainMode() const { return fonts_main_mode_; }
  void SetFontsMainMode(TacFontMode mode);
  const ustring& FontsMainFont() const { return fonts_main_font_; }
  void SetFontsMainFont(ustring name);
  TsThirdPartyList ThirdParty;
  // Extra INI lines that add or change sections of every skin.
  std::vector<ustring> CommonSections;
  unsigned SkinsFilter = Bit(sfiInternal) | Bit(sfiExternal);
  unsigned SkinningRules = Bit(srStdForms) | Bit(srStdDialogs) | Bit(srThirdParty);
  bool ExtendedBorders = false;
  bool SkinnedPopups = true;

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnBeforeChange;
  TNotifyEvent OnAfterChange;
  TNotifyEvent OnSkinLoading;
  TNotifyEvent OnSkinListChanged;
  TFontChangedEvent OnFontChanged;
  TNotifyEvent OnScaleChanged;
  TNotifyEvent OnScaleModeChange;
  // Raised by the skinned standard dialogs and popup menus, which are other
  // parts of the skin engine; the manager only keeps them.
  TNotifyEvent OnSysDlgInit;
  TNotifyEvent OnGetMenuExtraLineData;
  TNotifyEvent OnGetPopupItemData;

  int GroupIndex = 0;
  bool SkinableMenus = true;

  // --- state
  std::array<std::unique_ptr<TacSkinData>, kScaleCount> SkinDataArray;
  TacSkinCommonInfo SkinCommonInfo;
  TacPaletteArray Palette{};
  std::unique_ptr<TBitmap32> MasterBitmap;
  TMemIniFile* SkinFile = nullptr;
  std::unique_ptr<TacSkinConvertor> sc;
  bool SkinIsPacked = false;
  unsigned ManagerState = 0;
  bool NoAutoUpdate = false;
  // Solid brushes of the first six palette entries.
  std::array<TBrush, 6> Brushes;
  TacSkinFonts EmbeddedFonts;
  TacSkinListController SkinListController{this};
  // The last live-preview request.
  std::optional<TacSkinEditorData> PreviewBuffer;
  // An options text that replaces any file while a live preview is applied.
  std::optional<ustring> PreviewOptions;
  ustring DefStoredFontName;
  ustring DefOldFontName;
  ustring DefNewFontName;
  int SysFontScale = 0;
  std::array<std::vector<ustring>, kThirdPartyKinds> ThirdLists;

  bool IsActive() const { return SkinCommonInfo.Active; }

  // --- skin data
  // The skin data of a pixel density: loaded on first use while a skin is
  // active, an empty placeholder otherwise.
  TacSkinData& CommonSkinData(int ppi = 96);
  // Runs the whole load for sd; false when the skin's source was not found.
  bool ReloadSkin(TacSkinData& sd);
  // Drops every skin data set and the standard-section indexes.
  void ResetSkinData();
  void ClearSkinData();
  // The pixels of the master bitmap before the colour settings, kept for
  // further densities while settings are in use; else the master bitmap.
  const TBitmap32* MasterSource() const;

  // --- lifecycle
  // Broadcasts the new skin (repainting when asked) while Active.
  void UpdateSkin(bool repaint = true);
  // scStopAnimation, then scRefreshSkin, to every form and control.
  void RepaintForms(bool lock_forms = true);
  // scSectionChanged with the upper-cased name.
  void UpdateSkinSection(ustring_view section_name);
  void BeginUpdate() { NoAutoUpdate = true; }
  void EndUpdate(bool repaint = false, bool allow_animation = true);

  // --- scale
  // n for the scale index (-1: the manager's; see GetScale).
  int ScaleInt(int n, int scale = -1) const;
  int GetScale() const;
  // Rescales a form from current_ppi to new_ppi (0: asked of the form).
  void UpdateScale(TCustomForm& form, int current_ppi, int new_ppi = 0);
  void UpdateAllScale();
  void SetScaleMode(TacScaleMode mode);

  // --- application font
  void StoreDefFont();
  void ChangeAppFont(ustring_view font_name, bool lock_forms = true);
  void UpdateFontName(TControl* control);

  // --- hot tracking
  // The window under the mouse; a change tells the old one scMouseLeave and
  // the new one scMouseEnter.
  HWND ActiveControl() const;
  void SetActiveControl(HWND window);
  TControl* ActiveGraphControl() const;
  void SetActiveGraphControl(TControl* control);
  // The 100 ms check: ends the hot state of what the mouse has left.
  void CheckHot();

  // --- hooks
  // The window-creation hook of the default manager (and, with
  // Options.ChangeSysColors, the system colours answered from the skin).
  void InstallHook();
  void UnInstallHook();
  bool HookInstalled() const;
  // Serves the live-preview channel on the application's main window.
  void HookApplicationWindow();
  // The live-preview record (exactly kSkinEditorDataSize bytes): applied
  // through scApplyPreview posted to the application window. False when the
  // record is not one.
  bool ReceivePreview(TByteView record);
  void ApplyPreview();

  // --- sources (skin_manager_source.cpp)
  // Resolves SkinName to a folder, a package file or a stored skin and fills
  // the options store. ESkinPackageError when a package is corrupt.
  bool InitSkinFile();
  void CloseSkinFile() { sc.reset(); }
  ustring GetFullSkinDirectory() const;
  // Where the last InitSkinFile found the skin: a file of the skin directory
  // (shown in messages), or empty for a stored skin or a preview.
  const ustring& SkinSourceFile() const { return source_file_; }
  void ExtractInternalSkin(ustring_view name_of_skin, ustring_view dest_dir);
  bool ExtractByIndex(int index, ustring_view dest_dir);
  std::vector<TacSkinNameItem> GetSkinNames(ustring* first = nullptr,
                                            TacSkinTypes skin_type = stAllSkins);
  std::vector<TacSkinNameItem> GetExternalSkinNames(ustring* first = nullptr);
  ustring GetRandomSkin();

  // --- lookups; without skin data they use that of 96 PPI
  int GetSkinIndex(ustring_view section, const TacSkinData* sd = nullptr);
  int GetMaskIndex(int skin_index, ustring_view section, const TacSkinData* sd,
                   ustring_view prop_name);
  int GetMaskIndex(int skin_index, ustring_view prop_name, const TacSkinData* sd = nullptr);
  int GetMaskIndex(ustring_view section, ustring_view prop_name, const TacSkinData* sd = nullptr);
  int GetTextureIndex(int skin_index, ustring_view section, const TacSkinData* sd,
                      ustring_view prop_name);
  int GetTextureIndex(int skin_index, ustring_view prop_name, const TacSkinData* sd = nullptr);
  bool IsValidSkinIndex(int i) { return CommonSkinData().IsValidSkinIndex(i); }
  bool IsValidImgIndex(int i) { return CommonSkinData().IsValidImgIndex(i); }
  int LengthOfGD();
  std::vector<ustring> GetSkinSections(const TacSkinData* sd = nullptr);
  // The element section/prop prepared for ppi (see skin_loader.h): 0, or -1.
  int GetScaledMaskData(ustring_view section, ustring_view prop, TsMaskData& md, int ppi);
  TColor GetGlobalColor() const { return Palette[pcMainColor]; }
  TColor GetGlobalFontColor() const { return Palette[pcLabelText]; }
  TColor GetActiveEditColor() const { return Palette[pcEditBG]; }
  TColor GetActiveEditFontColor() const { return Palette[pcEditText]; }
  TColor GetHighLightColor(bool focused) const {
    return Palette[focused ? pcSelectionBG_Focused : pcSelectionBG];
  }
  TColor GetHighLightFontColor(bool focused) const {
    return Palette[focused ? pcSelectionText_Focused : pcSelectionText];
  }

  // Shows a message with the standard-dialog rule and the system-colour
  // option off, so that the message itself is not skinned.
  void ShowUnskinnedMessage(TacMessageKind kind, ustring_view text);

  // TacSkinListOwner
  bool ListFrozen() const override { return IsLoading() || IsDestroying(); }
  unsigned ListFilter() const override { return SkinsFilter; }
  const TsStoredSkins& StoredSkins() const override { return internal_skins_; }
  ustring ListFolder() const override { return GetFullSkinDirectory(); }
  ustring ListFolderSetting() const override { return skin_directory_; }
  TacSkinListController* DefaultList() override;
  void StoredSkinsChanged(bool added) override;

 protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TacSkinLoader;
  void DefaultSkinDirectory();
  // The skin data for the current scale, loaded; errors go to the caller.
  void LoadForCurrentScale();
  // LoadForCurrentScale with the sound handling of a failure.
  void LoadSkinOrRecover(const ustring& old_name);
  void BroadcastNewSkin(bool repaint);
  void RemoveSkin();
  void ReapplyColors();
  void AfterFontsModeChange();
  bool LoadStoredSkin();
  bool FailInternalFormat();
  void LoadOptionsBytes(TByteView bytes);
  int ScaleSlot(int ppi) const;

  bool active_ = true;
  ustring skin_name_;
  ustring skin_directory_;
  TsStoredSkins internal_skins_{this};
  int hue_offset_ = 0;
  int saturation_ = 0;
  int brightness_ = 0;
  TacFontMode fonts_main_mode_ = fmDefault;
  ustring fonts_main_font_;
  // The common data of the current skin (options, fonts, master bitmap) is
  // read once per skin change and serves every density.
  bool common_loaded_ = false;
  bool palette_built_ = false;
  std::unique_ptr<TBitmap32> master_source_;
  // Skip the skin directory: its skin of this name failed to load.
  bool stored_only_ = false;
  // The last load found its source but could not read it (already told).
  bool init_failed_ = false;
  ustring source_file_;
  std::unique_ptr<TacHotTracker> hot_;
  std::unique_ptr<TacWindowHooks> hooks_;
};

// Registers the manager and its stored-skin items with the description reader.
void RegisterSkinManagerClasses();

}  // namespace qv
