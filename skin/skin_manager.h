// The skin manager: the component that owns the application's skin. This
// unit holds where a skin comes from (a folder, a package file or a stored
// skin), its options store and package, the skin list, extraction of stored
// skins, the skin data per pixel density and the section lookups.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/component/component.h"
#include "skin/options_store.h"
#include "skin/package.h"
#include "skin/skin_data.h"
#include "skin/skin_dialogs.h"
#include "skin/skin_list.h"
#include "skin/stored_skins.h"

namespace qv {

enum TacSkinsFilterItem { sfiInternal, sfiExternal };
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
constexpr unsigned Bit(int item) { return 1u << item; }

struct TacOptions {
  bool ChangeSysColors = false;
};

// The texts of the messages this unit shows.
ustring InternalFormatErrorText(ustring_view skin_name);
extern const char16_t kNoDirectoryText[];
extern const char16_t kNoSkinText[];
extern const char16_t kDirectoryCreationErrorText[];

class TsSkinManager : public TComponent {
 public:
  explicit TsSkinManager(TComponent* owner);
  ~TsSkinManager() override;

  // The first manager constructed, until it is destroyed.
  static TsSkinManager* DefaultManager();

  bool Active() const { return active_; }
  void SetActive(bool value) { active_ = value; }
  const ustring& SkinName() const { return skin_name_; }
  // While active, a name longer than four characters loses a final ".asz"
  // (any case).
  void SetSkinName(ustring value);
  const ustring& SkinDirectory() const { return skin_directory_; }
  // A change (ignoring case) makes the skin list read the new folder.
  void SetSkinDirectory(ustring value);
  TsStoredSkins& InternalSkins() { return internal_skins_; }
  const TsStoredSkins& InternalSkins() const { return internal_skins_; }

  unsigned SkinsFilter = Bit(sfiInternal) | Bit(sfiExternal);
  unsigned SkinningRules = Bit(srStdForms) | Bit(srStdDialogs) | Bit(srThirdParty);
  unsigned ManagerState = 0;
  TacOptions Options;
  TNotifyEvent OnSkinListChanged;
  // An options text from the live-preview channel; used instead of any file.
  std::optional<ustring> PreviewOptions;

  TacSkinCommonInfo SkinCommonInfo;
  TacPaletteArray Palette{};
  std::unique_ptr<TacSkinConvertor> sc;
  bool SkinIsPacked = false;
  TMemIniFile* SkinFile = nullptr;
  std::array<std::unique_ptr<TacSkinData>, kScaleCount> SkinDataArray;
  TacSkinListController SkinListController{this};

  // Resolves SkinName to a folder, a package file or a stored skin and fills
  // the options store. ESkinPackageError when a package is corrupt.
  bool InitSkinFile();
  void CloseSkinFile() { sc.reset(); }
  ustring GetFullSkinDirectory() const;

  void ExtractInternalSkin(ustring_view name_of_skin, ustring_view dest_dir);
  bool ExtractByIndex(int index, ustring_view dest_dir);

  std::vector<TacSkinNameItem> GetSkinNames(ustring* first = nullptr,
                                            TacSkinTypes skin_type = stAllSkins);
  std::vector<TacSkinNameItem> GetExternalSkinNames(ustring* first = nullptr);
  ustring GetRandomSkin();

  // The skin data of a pixel density (created empty when missing).
  TacSkinData& CommonSkinData(int ppi = 96);
  bool IsActive() const { return SkinCommonInfo.Active; }

  // Lookups; without skin data they use that of 96 PPI.
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

  // A stored skin changed, was added or removed.
  void StoredSkinsChanged(bool added);

 protected:
  void Loaded() override;

 private:
  void DefaultSkinDirectory();
  bool LoadStoredSkin();
  bool FailInternalFormat();
  void LoadOptionsBytes(TByteView bytes);

  bool active_ = true;
  ustring skin_name_;
  ustring skin_directory_;
  TsStoredSkins internal_skins_{this};
};

// Registers the manager and its stored-skin items with the description reader.
void RegisterSkinManagerClasses();

}  // namespace qv
