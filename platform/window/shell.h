// Opening URLs with the desktop's default handler (xdg-open), and the
// clipboard of the edit controls.
#pragma once

#include <string>
#include <string_view>

#include "platform/ustring.h"
#include "platform/window/types.h"

namespace qv {

// Only absolute http and https URLs without blanks or control characters
// are handed to the desktop; anything else could start another program.
bool IsOpenableURL(std::string_view url);
// Spaces after the host written as "%20", as a browser reads a URL typed
// with them; a space in the scheme or host stays (and is refused).
std::string EscapeSpacesAfterHost(std::string_view url);
// Hands the URL, its spaces after the host escaped, to the backend's handler;
// false when it was refused. The handler's own outcome is not examined.
bool OpenURL(ustring_view url);
// The platform's shell call as the Parts use it: the file is a URL, verb,
// parameters and directory are ignored. Answers a value above 32 when the URL
// was handed over, 2 when it was refused.
int ShellExecute(HWND owner, ustring_view verb, ustring_view file, ustring_view parameters,
                 ustring_view directory, int show);
// Starts "xdg-open url" detached, with an argument vector (never a shell).
void LaunchXdgOpen(const std::string& url);

bool SetClipboardText(ustring_view text);
ustring GetClipboardText();

}  // namespace qv
