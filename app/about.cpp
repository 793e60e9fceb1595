// Page 5 "О программе" and the buttons under the pages. The links
// are fixed at build time from app/site_settings.h.
#include "app/form1.h"
#include "app/site_settings.h"
#include "platform/window/shell.h"
#include "platform/window/styles.h"

namespace qv {

using namespace site_settings;

ustring DeveloperSiteUrl() { return u"https://" + ustring(kDeveloperHost); }

ustring GameSiteUrl() {
  return u"https://" + ustring(kGameHost) + u"/?ref=" + ustring(kAuthorUserId);
}

ustring ProductPageUrl() {
  return u"https://" + ustring(kDeveloperHost) + u"/products/" + ustring(kProductPage) + u"/";
}

ustring AuthorProfileUrl() {
  return u"http://" + ustring(kGameHost) + u"/users/" + ustring(kAuthorUserId);
}

void TForm1::sBitBtn3Click(TObject* /*Sender*/) {
  ShellExecute(HWND(), u"", DeveloperSiteUrl(), u"", u"", SW_SHOWNORMAL);
}

void TForm1::sBitBtn5Click(TObject* /*Sender*/) {
  ShellExecute(HWND(), u"", GameSiteUrl(), u"", u"", SW_SHOWNORMAL);
}

// "Выйти": closing the main window ends the message loop and the process.
void TForm1::sBitBtn4Click(TObject* /*Sender*/) { Close(); }

}  // namespace qv
