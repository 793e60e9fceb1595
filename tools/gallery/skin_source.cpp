// Loading the gallery's skin through the program's skin manager, with what
// the skin engine reports collected for the error message.
#include "tools/gallery/skin_source.h"

#include <filesystem>

#include "platform/component/reader.h"
#include "platform/resources.h"
#include "platform/stream/description.h"
#include "skin/package.h"
#include "skin/skin_dialogs.h"

namespace qv::gallery {

namespace {

namespace fs = std::filesystem;

// The window's stored description and the manager's class in it.
constexpr char kFormResource[] = "forms/Form1.qvd";
constexpr char kManagerClass[] = "TsSkinManager";
// A skin folder below a device file holds nothing: with it as the skin
// directory, no skin of the user's skin folder stands in for the one shown.
constexpr char16_t kNoSkinFolder[] = u"/dev/null";

// What the skin engine reports while this lives, instead of message boxes.
class TReports {
 public:
  TReports()
      : previous_(SetSkinMessageHook([this](TacMessageKind, ustring_view text) {
          text_ += (text_.empty() ? "" : "; ") + Utf16ToUtf8(text);
        })) {}
  ~TReports() { SetSkinMessageHook(previous_); }
  TReports(const TReports&) = delete;
  TReports& operator=(const TReports&) = delete;
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  TSkinMessageHook previous_;
};

const TDescObject* FindByClass(const TDescObject& o, std::string_view class_name) {
  if (o.class_name == class_name) return &o;
  for (const TDescObject& c : o.children)
    if (const TDescObject* f = FindByClass(c, class_name)) return f;
  return nullptr;
}

bool HasOptionsFile(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (UpperCase(Utf8ToUtf16(it->path().filename().string())) == u"OPTIONS.DAT") return true;
  return false;
}

}  // namespace

TGallerySkin::TGallerySkin(const std::string& source, int ppi) {
  owner_ = std::make_unique<TComponent>(nullptr);
  TReports reports;
  std::error_code ec;
  std::string what;
  if (source.empty()) {
    LoadStored();
    what = "the program's stored skin";
  } else if (fs::is_directory(source, ec)) {
    LoadFolder(source);
    what = "the skin folder " + source;
  } else if (fs::is_regular_file(source, ec)) {
    LoadPackage(source);
    what = "the skin package " + source;
  } else {
    throw ESkinSourceError("no such skin folder or package: " + source);
  }
  if (manager_->IsActive()) data_ = &manager_->CommonSkinData(ppi);
  if (!data_ || data_->gd.empty())
    throw ESkinSourceError(what + " gives no skin" +
                           (reports.Text().empty() ? std::string() : ": " + reports.Text()));
  colors_ = SkinColorSourceOf(*data_, manager_->SkinCommonInfo, manager_->Palette);
  title_ += u", hue offset " + IntToStr(manager_->HueOffset()) + u", " + IntToStr(ppi) + u" PPI";
}

TGallerySkin::~TGallerySkin() = default;

TComponent& ReadStoredObject(TComponent& owner, std::string_view class_name,
                             const std::function<void(TDescObject&)>& adjust) {
  const auto bytes = FindResource(kFormResource);
  if (!bytes) throw ESkinSourceError("the program's window description is not in this build");
  const TDescObject form = ParseDescription(
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), "Form1.qvd");
  const TDescObject* stored = FindByClass(form, class_name);
  if (!stored)
    throw ESkinSourceError("the program's window description holds no " + std::string(class_name));
  TDescObject object = *stored;
  if (adjust) adjust(object);
  TDescObject root;
  root.name = "Gallery";
  root.class_name = "TComponent";
  root.children.push_back(object);
  TReader("Form1.qvd").ReadRoot(root, owner);
  TComponent* read = owner.FindComponent(object.name);
  if (!read) throw ESkinSourceError("the window description's " + object.name + " was not read");
  return *read;
}

void TGallerySkin::LoadStored() {
  // The window's manager as stored, read by the program's own reader; only
  // its skin directory is turned away from the user's skins.
  RegisterSkinManagerClasses();
  TComponent& read = ReadStoredObject(*owner_, kManagerClass, [](TDescObject& manager) {
    TDescValue nowhere;
    nowhere.kind = TDescValue::Kind::String;
    nowhere.text = kNoSkinFolder;
    bool replaced = false;
    for (TDescProperty& p : manager.properties)
      if (p.name == "SkinDirectory") {
        p.value = nowhere;
        replaced = true;
      }
    if (!replaced)
      manager.properties.insert(manager.properties.begin(), {"SkinDirectory", nowhere});
  });
  manager_ = dynamic_cast<TsSkinManager*>(&read);
  if (!manager_) throw ESkinSourceError("the skin manager of the window description is not one");
  title_ = manager_->SkinName() + u": stored in the program";
}

void TGallerySkin::LoadFolder(const std::string& folder) {
  const fs::path dir = fs::weakly_canonical(fs::absolute(folder));
  if (!HasOptionsFile(dir)) throw ESkinSourceError("no Options.dat in " + dir.string());
  manager_ = new TsSkinManager(owner_.get());
  manager_->SetSkinDirectory(Utf8ToUtf16(dir.parent_path().string()));
  manager_->SetSkinName(Utf8ToUtf16(dir.filename().string()));
  title_ = Utf8ToUtf16(dir.filename().string()) + u": folder " + Utf8ToUtf16(dir.string());
}

void TGallerySkin::LoadPackage(const std::string& file) {
  const std::optional<TBytes> bytes = ReadWholeFile(file);
  if (!bytes) throw ESkinSourceError("cannot read " + file);
  // A stored skin of the package's bytes: it is read by the same package
  // reader as a package of the skin folder, whatever lies beside it.
  const ustring name = Utf8ToUtf16(fs::path(file).stem().string());
  manager_ = new TsSkinManager(owner_.get());
  TsStoredSkin& stored = manager_->InternalSkins().Add();
  stored.SetName(name);
  stored.SetPackedData(*bytes);
  manager_->SetSkinDirectory(kNoSkinFolder);
  manager_->SetSkinName(name);
  title_ = name + u": package " + Utf8ToUtf16(file);
}

}  // namespace qv::gallery
