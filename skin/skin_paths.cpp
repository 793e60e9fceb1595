// The program's folder and the skin directory rules.
#include "skin/skin_paths.h"

#include <cstdlib>
#include <filesystem>

namespace qv {

namespace {

std::optional<ustring>& Override() {
  static std::optional<ustring> folder;
  return folder;
}

bool IsSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

}  // namespace

ustring ApplicationFolder() {
  if (Override()) return WithTrailingSeparator(ToSlashes(*Override()));
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::filesystem::path folder = ec ? std::filesystem::current_path(ec) : exe.parent_path();
  return WithTrailingSeparator(Utf8ToUtf16(folder.string()));
}

void SetApplicationFolderOverride(std::optional<ustring> folder) { Override() = std::move(folder); }

ustring UserSkinDirectory() {
  const char* data_home = std::getenv("XDG_DATA_HOME");
  if (data_home && data_home[0] == '/') return Utf8ToUtf16(data_home) + u"/quorvane/skins";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return Utf8ToUtf16(home) + u"/.local/share/quorvane/skins";
  return ApplicationFolder() + u"skins";
}

bool IsForeignFolder(ustring_view d) {
  const bool drive = d.size() >= 2 && d[1] == u':' &&
                     ((d[0] >= u'a' && d[0] <= u'z') || (d[0] >= u'A' && d[0] <= u'Z'));
  return drive || d.starts_with(u"\\\\");
}

ustring ToSlashes(ustring_view path) {
  ustring out(path);
  for (char16_t& c : out)
    if (c == u'\\') c = u'/';
  return out;
}

ustring WithTrailingSeparator(ustring_view path) {
  ustring out(path);
  if (!out.empty() && !IsSeparator(out.back())) out.push_back(u'/');
  return out;
}

ustring FullSkinDirectory(ustring_view d, ustring_view app_folder) {
  const ustring a = WithTrailingSeparator(app_folder);
  ustring result;
  if (d.starts_with(u"..")) {
    // One level up: drop the final separator, then the last folder name.
    ustring parent = a.substr(0, a.empty() ? 0 : a.size() - 1);
    while (!parent.empty() && !IsSeparator(parent.back())) parent.pop_back();
    result = parent + ustring(d.size() > 3 ? d.substr(3) : ustring_view());
  } else if (d.starts_with(u".\\") || d.starts_with(u"./")) {
    result = a + ustring(d.substr(2));
  } else if (d == u".") {
    result = a;
  } else if (!d.starts_with(u"/") && d.find(u':') == ustring_view::npos &&
             d.find(u"\\\\") == ustring_view::npos) {
    result = a + ustring(d);
  } else {
    result = ustring(d);
  }
  return WithTrailingSeparator(ToSlashes(result));
}

ustring SafeFileName(ustring_view name) {
  ustring out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (IsSeparator(name[i])) {
      out.push_back(u'_');
    } else if (name[i] == u'.' && i + 1 < name.size() && name[i + 1] == u'.') {
      out.push_back(u'_');
      ++i;
    } else if (name[i] == 0) {
      out.push_back(u'_');
    } else {
      out.push_back(name[i]);
    }
  }
  return out;
}

}  // namespace qv
