// quorvane-asz: the skin package tool.
//   quorvane-asz pack DIR OUT.asz [--preview PNG]
//   quorvane-asz list FILE.asz
//   quorvane-asz extract FILE.asz DIR [--preview PNG]
// Packing is deterministic: the same folder gives the same bytes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/acPNG.h"
#include "skin/package.h"
#include "skin/package_folder.h"
#include "skin/skin_paths.h"

namespace {

namespace fs = std::filesystem;

int Usage() {
  std::fprintf(stderr,
               "usage: quorvane-asz pack DIR OUT.asz [--preview PNG]\n"
               "       quorvane-asz list FILE.asz\n"
               "       quorvane-asz extract FILE.asz DIR [--preview PNG]\n");
  return 2;
}

void WriteBytes(const fs::path& path, const qv::TBytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw qv::ESkinPackageError("cannot write " + path.string());
}

qv::TBytes ReadOrFail(const std::string& path) {
  auto bytes = qv::ReadWholeFile(path);
  if (!bytes) throw qv::ESkinPackageError("cannot read " + path);
  return *bytes;
}

// The package read into a convertor; false when it is not a package.
bool Open(const std::string& path, qv::TacSkinConvertor& conv, qv::TBytes& bytes) {
  bytes = ReadOrFail(path);
  conv.BorrowPackedData(bytes);
  struct Release {
    qv::TacSkinConvertor& c;
    ~Release() { c.ReleasePackedData(); }
  } release{conv};
  return conv.ReadPackage();
}

const char* TypeName(qv::TacFileType t) {
  return t == qv::ftBmp ? "bmp" : t == qv::ftFont ? "font" : "other";
}

int Pack(const std::string& dir, const std::string& out, const std::string& preview) {
  const auto entries = qv::FolderPackEntries(dir);
  qv::TBytes png;
  if (!preview.empty()) {
    png = ReadOrFail(preview);
    qv::LoadPngImage(png);  // refuse a preview the skin list could not show
  }
  WriteBytes(out, qv::WritePackage(entries, preview.empty() ? nullptr : &png));
  std::printf("%s: %zu files%s\n", out.c_str(), entries.size(), preview.empty() ? "" : ", preview");
  return 0;
}

int List(const std::string& file) {
  qv::TacSkinConvertor conv;
  qv::TBytes bytes;
  if (!Open(file, conv, bytes)) return 1;
  if (conv.Options) std::printf("%10zu  options  OPTIONS.DAT\n", conv.Options->size());
  for (const auto& f : conv.Files)
    std::printf("%10zu  %-7s  %s\n", f.Stream.size(), TypeName(f.FileType),
                qv::Utf16ToUtf8(f.Name).c_str());
  qv::TBytes png;
  if (qv::ExtractPreview(bytes, png)) std::printf("%10zu  preview\n", png.size());
  if (!conv.Options) std::printf("warning: the package has no options file\n");
  return 0;
}

int Extract(const std::string& file, const std::string& dir, const std::string& preview) {
  qv::TacSkinConvertor conv;
  qv::TBytes bytes;
  if (!Open(file, conv, bytes)) return 1;
  fs::create_directories(dir);
  if (conv.Options) WriteBytes(fs::path(dir) / "OPTIONS.DAT", *conv.Options);
  for (const auto& f : conv.Files)
    WriteBytes(fs::path(dir) / qv::FsPath(qv::SafeFileName(f.Name)), f.Stream);
  if (!preview.empty()) {
    qv::TBytes png;
    if (!qv::ExtractPreview(bytes, png)) throw qv::ESkinPackageError(file + " has no preview");
    WriteBytes(preview, png);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string preview;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--preview") {
      if (i + 1 >= args.size()) return Usage();
      preview = args[i + 1];
      args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                 args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
      break;
    }
  }
  try {
    if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2], preview);
    if (args.size() == 2 && args[0] == "list" && preview.empty()) return List(args[1]);
    if (args.size() == 3 && args[0] == "extract") return Extract(args[1], args[2], preview);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorvane-asz: %s\n", e.what());
    return 1;
  }
  return Usage();
}
