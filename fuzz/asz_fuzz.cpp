// Fuzzes the skin package reader: no input may crash it or run it out of its
// bytes; an accepted package must write back to one that reads the same.
#include <cstdint>
#include <cstdlib>

#include "skin/package.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const qv::TByteView bytes(data, size);
  qv::TacSkinConvertor conv;
  conv.ShowError = [](qv::ustring_view) {};
  try {
    qv::TBytes preview;
    const bool has_preview = qv::ExtractPreview(bytes, preview);
    conv.BorrowPackedData(bytes);
    const bool ok = conv.ReadPackage();
    conv.ReleasePackedData();
    if (!ok) return 0;
    if (conv.FileCount != static_cast<int>(conv.Files.size())) std::abort();
    std::vector<qv::TacPackEntry> entries;
    if (conv.Options) entries.push_back({"OPTIONS.DAT", *conv.Options});
    for (const auto& f : conv.Files) entries.push_back({qv::Utf16ToAnsi(f.Name), f.Stream});
    const qv::TBytes again = qv::WritePackage(entries, has_preview ? &preview : nullptr);
    qv::TacSkinConvertor second;
    second.BorrowPackedData(again);
    if (!second.ReadPackage()) std::abort();
    if (second.Files.size() != conv.Files.size()) std::abort();
    for (std::size_t i = 0; i < conv.Files.size(); ++i)
      if (second.Files[i].Stream != conv.Files[i].Stream) std::abort();
    if (static_cast<bool>(second.Options) != static_cast<bool>(conv.Options)) std::abort();
  } catch (const qv::ESkinPackageError&) {
    if (conv.PackedData) conv.ReleasePackedData();
  }
  return 0;
}
