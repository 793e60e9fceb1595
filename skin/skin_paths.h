// Where skins are looked for: the program's folder, the skin directory made
// absolute, and path texts that may use "\" as well as "/" as separator.
#pragma once

#include <optional>
#include <string>

#include "platform/ustring.h"

namespace qv {

// The folder of the running executable with a trailing "/".
ustring ApplicationFolder();
// Tests point the program's folder elsewhere; nullopt restores it.
void SetApplicationFolderOverride(std::optional<ustring> folder);

// Where a user keeps skins: $XDG_DATA_HOME/quorvane/skins, by default
// ~/.local/share/quorvane/skins (a relative XDG_DATA_HOME is ignored, as the
// XDG rules ask); beside the program when there is no home folder. No
// trailing separator.
ustring UserSkinDirectory();
// A folder written for another system (a drive letter such as "D:\Skins" or a
// "\\host" share): it names nothing on this machine.
bool IsForeignFolder(ustring_view folder);

// The skin directory made absolute against app_folder (which ends in "/"):
// "..", "./" or ".\", "." and plain relative names are taken from the program's
// folder (".." climbs one level only); a leading "/", a ":" or "\\" mark an
// absolute path, used unchanged. The result ends in "/" unless it is empty;
// "\" separators become "/".
ustring FullSkinDirectory(ustring_view skin_directory, ustring_view app_folder);

// Every "\" as "/".
ustring ToSlashes(ustring_view path);
// A trailing "/" added unless the text is empty or ends in a separator.
ustring WithTrailingSeparator(ustring_view path);
// A file name that stays inside its folder: separators and ".." replaced by "_".
ustring SafeFileName(ustring_view name);

// Case-sensitive file-system path text of system text.
inline std::string FsPath(ustring_view path) { return Utf16ToUtf8(path); }

}  // namespace qv
