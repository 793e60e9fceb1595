// Where the skin manager's skin comes from: a folder or package of the skin
// directory, or a stored skin; extraction of stored skins; the skin list; and
// the lookups into the loaded skin.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "skin/skin_loader.h"
#include "skin/skin_manager.h"
#include "skin/skin_paths.h"

namespace qv {

const char16_t kNoDirectoryText[] = u"Directory does not exists.";
const char16_t kNoSkinText[] = u"Skin does not exists.";
const char16_t kDirectoryCreationErrorText[] = u" directory creation error.";

ustring InternalFormatErrorText(ustring_view skin_name) {
  return u"Internal format error in the \"" + ustring(skin_name) +
         u"\" skin. Please, update this skin to latest version.";
}

ustring ShadowedSkinErrorText(ustring_view file, ustring_view reason) {
  ustring text = u"The skin " + ustring(file) + u" cannot be used";
  if (!reason.empty()) text += u": " + ustring(reason);
  if (text.back() != u'.') text += u'.';
  return text + u"\nThe built-in skin of the same name is shown instead.";
}

namespace {

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

ustring TsSkinManager::GetFullSkinDirectory() const {
  // A folder of the machine the window was designed on means nothing here.
  if (skin_directory_.empty() || IsForeignFolder(skin_directory_))
    return WithTrailingSeparator(UserSkinDirectory());
  return FullSkinDirectory(skin_directory_, ApplicationFolder());
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
  const ustring full = GetFullSkinDirectory();
  SkinCommonInfo.SkinPath = full + skin_name_ + u"/";
  SkinIsPacked = false;
  source_file_.clear();
  // A skin of the skin directory that fails while a stored skin of its name
  // exists is reported by the caller, which then takes the stored one.
  const bool stored_twin = internal_skins_.IndexOf(skin_name_) >= 0;

  if (PreviewOptions) {
    options.SetStrings(SplitTextLines(*PreviewOptions));
    SkinFile = &options;
    return true;
  }
  if (!stored_only_) {
    if (const auto opts =
            FindFileIgnoringCase(fs::path(FsPath(SkinCommonInfo.SkinPath)), u"Options.dat")) {
      source_file_ = Utf8ToUtf16(opts->string());
      const auto bytes = ReadWholeFile(opts->string());
      if (!bytes) throw ESkinPackageError("The file cannot be read.");
      LoadOptionsBytes(*bytes);
      SkinFile = &options;
      return true;
    }
    // The package is looked for as the directory is written, from the
    // current folder (the user's directory stands in for a foreign one).
    const ustring folder = skin_directory_.empty() || IsForeignFolder(skin_directory_)
                               ? full
                               : WithTrailingSeparator(ToSlashes(skin_directory_));
    const ustring package = folder + skin_name_ + u"." + u"asz";
    std::error_code ec;
    if (fs::is_regular_file(FsPath(package), ec)) {
      source_file_ = package;
      if (!sc) sc = std::make_unique<TacSkinConvertor>();
      ustring refused;
      sc->ShowError = [this, stored_twin, &refused](ustring_view text) {
        if (stored_twin)
          refused = ustring(text);
        else
          ShowUnskinnedMessage(TacMessageKind::mkError, text);
      };
      ReadPackageFile(FsPath(package), sc);
      sc->ShowError = nullptr;
      if (!sc->Options) {
        if (stored_twin)
          throw ESkinPackageError(
              Utf16ToUtf8(refused.empty() ? u"It holds no options file." : refused));
        return FailInternalFormat();
      }
      SkinIsPacked = true;
      LoadOptionsBytes(*sc->Options);
      SkinFile = &options;
      return true;
    }
  }
  if (!LoadStoredSkin()) return false;
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

int TsSkinManager::GetScaledMaskData(ustring_view section, ustring_view prop, TsMaskData& md,
                                     int ppi) {
  return qv::GetScaledMaskData(*this, section, prop, md, ppi);
}

}  // namespace qv
