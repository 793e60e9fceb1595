// URL opening through xdg-open and the clipboard, both through the backend.
#include "platform/window/shell.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>

#include "platform/window/system.h"

namespace qv {

bool IsOpenableURL(std::string_view url) {
  std::size_t scheme = 0;
  auto starts = [&](std::string_view prefix) {
    if (url.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(url[i])) != prefix[i]) return false;
    }
    return true;
  };
  if (starts("http://"))
    scheme = 7;
  else if (starts("https://"))
    scheme = 8;
  else
    return false;
  if (url.size() == scheme || url[scheme] == '/') return false;  // no host
  for (char c : url) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u == 0x7F) return false;
  }
  return true;
}

std::string EscapeSpacesAfterHost(std::string_view url) {
  const std::size_t scheme = url.find("://");
  if (scheme == std::string_view::npos) return std::string(url);
  const std::size_t host_end = url.find_first_of("/?#", scheme + 3);
  if (host_end == std::string_view::npos) return std::string(url);
  std::string out(url.substr(0, host_end));
  for (char c : url.substr(host_end)) {
    if (c == ' ')
      out += "%20";
    else
      out += c;
  }
  return out;
}

bool OpenURL(ustring_view url) {
  const std::string utf8 = EscapeSpacesAfterHost(Utf16ToUtf8(url));
  if (!IsOpenableURL(utf8)) return false;
  Backend().OpenURL(utf8);
  return true;
}

int ShellExecute(HWND owner, ustring_view verb, ustring_view file, ustring_view parameters,
                 ustring_view directory, int show) {
  (void)owner, (void)verb, (void)parameters, (void)directory, (void)show;
  return OpenURL(file) ? 42 : 2;
}

void LaunchXdgOpen(const std::string& url) {
  // Twice forked so that the handler is never left as a zombie of ours; the
  // children only make async-signal-safe calls.
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0) {
      const char* argv[] = {"xdg-open", url.c_str(), nullptr};
      execvp("xdg-open", const_cast<char* const*>(argv));
      _exit(127);
    }
    _exit(0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

bool SetClipboardText(ustring_view text) {
  Backend().SetClipboardText(text);
  return true;
}

ustring GetClipboardText() { return Backend().GetClipboardText(); }

}  // namespace qv
