// Packing a skin folder: the files of one folder as package entries, the
// options file first and the rest in byte order of their names, so that the
// same folder always gives the same package.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "skin/package.h"

namespace qv {

// The regular files directly in folder (no subfolders). Throws
// ESkinPackageError when there is no options file, more than one in different
// letter cases, or a name that the 8-bit code page cannot hold.
std::vector<TacPackEntry> FolderPackEntries(const std::filesystem::path& folder);

}  // namespace qv
