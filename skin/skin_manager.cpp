// The skin manager: resolving a skin's source, its options store, the stored
// skins' extraction, the skin data per density and the lookups.
#include "skin/skin_manager.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "skin/skin_paths.h"

namespace qv {

const char16_t kNoDirectoryText[] = u"Directory does not exists.";
const char16_t kNoSkinText[] = u"Skin does not exists.";
const char16_t kDirectoryCreationErrorText[] = u" directory creation error.";

ustring InternalFormatErrorText(ustring_view skin_name) {
  return u"Internal format error in the \"" + ustring(skin_name) +
         u"\" skin. Please, update this skin to latest version.";
}

namespace {

TsSkinManager*& DefaultRef() {
  static TsSkinManager* manager = nullptr;
  return manager;
}

namespace fs = std::filesystem;

// The file name in folder that equals name ignoring case (the exact one
// first): skin folders made elsewhere spell "Options.dat" in any case.
std::optional<fs::path> FindFileIgnoringCase(const fs::path& folder, ustring_view name) {
  std::error_code ec;
  const fs::path exact = folder / FsPath(name);
  if (fs::is_regular_file(exact, ec)) return exact;
  if (!fs::is_directory(folder, ec)) return std::nullopt;
  const ustring wanted = UpperCase(name);
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (UpperCase(Utf8ToUtf16(it->path().filename().string())) == wanted && it->is_regular_file(ec))
      return it->path();
  }
  return std::nullopt;
}

}  // namespace

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner) {
  if (!DefaultRef()) DefaultRef() = this;
  DefaultSkinDirectory();
  SkinListController.UpdateNeeded = true;
}

TsSkinManager::~TsSkinManager() {
  MarkDestroying();
  SkinListController.CheckThread();
  if (DefaultRef() == this) DefaultRef() = nullptr;
}

TsSkinManager* TsSkinManager::DefaultManager() { return DefaultRef(); }

void TsSkinManager::DefaultSkinDirectory() {
  // Beside the program, as skins are installed with it.
  if (skin_directory_.empty()) skin_directory_ = ApplicationFolder() + u"skins";
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  DefaultSkinDirectory();
  SkinListController.UpdateNeeded = true;
}

void TsSkinManager::SetSkinName(ustring value) {
  if (active_ && value.size() > 4 && LowerCase(value.substr(value.size() - 4)) == u".asz")
    value.resize(value.size() - 4);
  skin_name_ = std::move(value);
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

ustring TsSkinManager::GetFullSkinDirectory() const {
  return FullSkinDirectory(skin_directory_, ApplicationFolder());
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

void TsSkinManager::StoredSkinsChanged(bool added) {
  if (added) SkinListController.UpdateNeeded = true;
  if (OnSkinListChanged) OnSkinListChanged(this);
}

void TsSkinManager::LoadOptionsBytes(TByteView bytes) {
  SkinCommonInfo.OptionsDat->LoadFromBytes(bytes);
}

bool TsSkinManager::FailInternalFormat() {
  const unsigned state = ManagerState;
  ManagerState |= Bit(msSkinChanging);
  struct Restore {
    TsSkinManager& m;
    unsigned state;
    ~Restore() { m.ManagerState = state; }
  } restore{*this, state};
  ShowSkinMessage(TacMessageKind::mkPlain, InternalFormatErrorText(skin_name_));
  return false;
}

bool TsSkinManager::InitSkinFile() {
  TMemIniFile& options = *SkinCommonInfo.OptionsDat;
  SkinCommonInfo.SkinPath = GetFullSkinDirectory() + skin_name_ + u"/";
  SkinIsPacked = false;
  auto show_error = [this](ustring_view text) {
    ShowUnskinnedMessage(TacMessageKind::mkError, text);
  };

  if (PreviewOptions) {
    options.SetStrings(SplitTextLines(*PreviewOptions));
  } else if (const auto opts =
                 FindFileIgnoringCase(fs::path(FsPath(SkinCommonInfo.SkinPath)), u"Options.dat")) {
    const auto bytes = ReadWholeFile(opts->string());
    if (!bytes) throw ESkinPackageError("The options file " + opts->string() + " cannot be read.");
    LoadOptionsBytes(*bytes);
  } else {
    // The package is looked for as the directory is written, from the
    // current folder.
    const ustring package =
        WithTrailingSeparator(ToSlashes(skin_directory_)) + skin_name_ + u"." + u"asz";
    std::error_code ec;
    if (fs::is_regular_file(FsPath(package), ec)) {
      if (!sc) sc = std::make_unique<TacSkinConvertor>();
      sc->ShowError = show_error;
      ReadPackageFile(FsPath(package), sc);
      if (!sc->Options) return FailInternalFormat();
      SkinIsPacked = true;
      LoadOptionsBytes(*sc->Options);
    } else if (!LoadStoredSkin()) {
      return false;
    }
  }
  SkinFile = &options;
  return true;
}

bool TsSkinManager::LoadStoredSkin() {
  SkinCommonInfo.SkinPath.clear();
  int index = internal_skins_.IndexOf(skin_name_);
  if (index < 0) {
    if (internal_skins_.Count() == 0) {
      active_ = false;
      return false;
    }
    index = 0;
    skin_name_ = internal_skins_.Items(0).Name();
  }
  const TsStoredSkin& item = internal_skins_.Items(index);
  sc = std::make_unique<TacSkinConvertor>();
  sc->ShowError = [this](ustring_view text) {
    ShowUnskinnedMessage(TacMessageKind::mkError, text);
  };
  // An empty package has no options: the previous skin's must not stay.
  if (item.PackedData().empty()) return FailInternalFormat();
  SkinIsPacked = true;
  sc->BorrowPackedData(item.PackedData());
  struct GiveBack {
    TacSkinConvertor& c;
    ~GiveBack() { c.PackedData.reset(); }
  } give_back{*sc};
  sc->ReadPackage();
  if (!sc->Options) return FailInternalFormat();
  LoadOptionsBytes(*sc->Options);
  return true;
}

void TsSkinManager::ExtractInternalSkin(ustring_view name_of_skin, ustring_view dest_dir) {
  bool found = false;
  for (int i = 0; i < internal_skins_.Count(); ++i) {
    if (internal_skins_.Items(i).Name() != name_of_skin) continue;
    found = true;
    std::error_code ec;
    if (fs::is_directory(FsPath(ToSlashes(dest_dir)), ec))
      ExtractByIndex(i, dest_dir);
    else
      ShowSkinError(kNoDirectoryText);
  }
  if (!found) ShowSkinError(kNoSkinText);
}

bool TsSkinManager::ExtractByIndex(int index, ustring_view dest_dir) {
  if (index < 0 || index >= internal_skins_.Count()) return false;
  const ustring folder = WithTrailingSeparator(ToSlashes(dest_dir));
  std::error_code ec;
  if (!fs::is_directory(FsPath(folder), ec)) {
    fs::create_directories(FsPath(folder), ec);
    if (ec || !fs::is_directory(FsPath(folder), ec)) {
      ShowSkinError(ustring(dest_dir) + kDirectoryCreationErrorText);
      return false;
    }
  }
  const TsStoredSkin& item = internal_skins_.Items(index);
  const ustring target = folder + SafeFileName(item.Name()) + u" extracted.asz";
  std::ofstream out(FsPath(target), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(item.PackedData().data()),
            static_cast<std::streamsize>(item.PackedData().size()));
  out.close();
  if (!out) {
    ShowSkinError(target + u" cannot be written.");
    return false;
  }
  return true;
}

std::vector<TacSkinNameItem> TsSkinManager::GetSkinNames(ustring* first, TacSkinTypes skin_type) {
  SkinListController.CheckThread();
  SkinListController.UpdateIfNeeded(true);
  std::vector<TacSkinNameItem> names;
  for (const TacSkinListData& d : SkinListController.SkinList) {
    const bool stored = d.skSkinMode == smInternal;
    if (skin_type == stAllSkins || (skin_type == stPacked) == stored)
      names.push_back({d.skName, d.skImageIndex});
  }
  if (first) *first = names.empty() ? ustring() : names.front().Name;
  std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
    return UpperCase(a.Name) < UpperCase(b.Name);
  });
  return names;
}

std::vector<TacSkinNameItem> TsSkinManager::GetExternalSkinNames(ustring* first) {
  return GetSkinNames(first, stUnpacked);
}

ustring TsSkinManager::GetRandomSkin() {
  const auto names = GetSkinNames(nullptr, stAllSkins);
  if (names.empty()) return {};
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, names.size() - 1);
  return names[pick(generator)].Name;
}

TacSkinData& TsSkinManager::CommonSkinData(int ppi) {
  auto& slot = SkinDataArray[static_cast<std::size_t>(ScaleIndexOfPPI(ppi))];
  if (!slot) slot = std::make_unique<TacSkinData>(this, ppi);
  return *slot;
}

namespace {
const TacSkinData& Data(TsSkinManager& m, const TacSkinData* sd) {
  return sd ? *sd : m.CommonSkinData(96);
}
}  // namespace

int TsSkinManager::GetSkinIndex(ustring_view section, const TacSkinData* sd) {
  return qv::GetSkinIndex(Data(*this, sd), section);
}
int TsSkinManager::GetMaskIndex(int skin_index, ustring_view section, const TacSkinData* sd,
                                ustring_view prop_name) {
  return qv::GetMaskIndex(Data(*this, sd), skin_index, section, prop_name);
}
int TsSkinManager::GetMaskIndex(int skin_index, ustring_view prop_name, const TacSkinData* sd) {
  return qv::GetMaskIndex(Data(*this, sd), skin_index, prop_name);
}
int TsSkinManager::GetMaskIndex(ustring_view section, ustring_view prop_name,
                                const TacSkinData* sd) {
  return qv::GetMaskIndex(Data(*this, sd), section, prop_name);
}
int TsSkinManager::GetTextureIndex(int skin_index, ustring_view section, const TacSkinData* sd,
                                   ustring_view prop_name) {
  return qv::GetTextureIndex(Data(*this, sd), skin_index, section, prop_name);
}
int TsSkinManager::GetTextureIndex(int skin_index, ustring_view prop_name, const TacSkinData* sd) {
  return qv::GetTextureIndex(Data(*this, sd), skin_index, prop_name);
}

int TsSkinManager::LengthOfGD() {
  const auto& slot = SkinDataArray[0];
  return slot ? static_cast<int>(slot->gd.size()) : 0;
}

std::vector<ustring> TsSkinManager::GetSkinSections(const TacSkinData* sd) {
  std::vector<ustring> names;
  if (!IsActive()) return names;
  for (const TsGeneralData& g : Data(*this, sd).gd) names.push_back(g.ClassName);
  return names;
}

}  // namespace qv
