// The files of a skin folder as package entries.
#include "skin/package_folder.h"

#include <algorithm>

namespace qv {

std::vector<TacPackEntry> FolderPackEntries(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) throw ESkinPackageError(folder.string() + " is not a folder.");
  std::vector<TacPackEntry> entries;
  int options = 0;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const std::string utf8 = it->path().filename().string();
    const ustring name = Utf8ToUtf16(utf8);
    const std::string ansi = Utf16ToAnsi(name);
    if (AnsiToUtf16(ansi) != name)
      throw ESkinPackageError("The file name " + utf8 + " has characters a package cannot hold.");
    auto content = ReadWholeFile(it->path().string());
    if (!content) throw ESkinPackageError(it->path().string() + " cannot be read.");
    if (UpperCase(name) == u"OPTIONS.DAT") ++options;
    entries.push_back({ansi, std::move(*content)});
  }
  if (ec) throw ESkinPackageError(folder.string() + " cannot be read: " + ec.message());
  if (options == 0) throw ESkinPackageError("There is no Options.dat in " + folder.string() + ".");
  if (options > 1) throw ESkinPackageError(folder.string() + " holds more than one Options.dat.");
  std::sort(entries.begin(), entries.end(), [](const TacPackEntry& a, const TacPackEntry& b) {
    const bool ao = UpperCase(AnsiToUtf16(a.Name)) == u"OPTIONS.DAT";
    const bool bo = UpperCase(AnsiToUtf16(b.Name)) == u"OPTIONS.DAT";
    if (ao != bo) return ao;
    return a.Name < b.Name;
  });
  return entries;
}

}  // namespace qv
