// Page 4 "Поиск игрока": the manager look-up. One fetch of the manager's
// profile page, four values cut out of it by their markers. A failed fetch
// propagates to the default error handler and leaves the labels as they were.
#include "app/form1.h"
#include "platform/window/window.h"
#include "site/ParseControl.h"
#include "site/game_site.h"

namespace qv {

namespace {

// Posts the close that was put off while the fetch ran, once the handler has
// left (after success, failure or the cancel the close itself caused).
class TDeferredClose {
 public:
  TDeferredClose(TForm1& form, bool& pending) : form_(form), pending_(pending) {}
  TDeferredClose(const TDeferredClose&) = delete;
  TDeferredClose& operator=(const TDeferredClose&) = delete;
  ~TDeferredClose() {
    if (!pending_) return;
    pending_ = false;
    if (form_.HandleAllocated()) PostMessage(form_.WindowHandle(), WM_CLOSE);
  }

 private:
  TForm1& form_;
  bool& pending_;
};

}  // namespace

void TForm1::sBitBtn8Click(TObject* /*Sender*/) {
  // One fetch at a time: a press during a pending look-up does nothing.
  if (IdHTTP1->Busy()) return;
  const TDeferredClose closeLater(*this, closeAfterFetch_);

  const ustring page = IdHTTP1->Get(ProfileUrl(cbUserLogin->GetText()));

  // The login may have been edited while the page was on its way: the level
  // marker uses the text as it is now.
  const ustring login = cbUserLogin->GetText();
  labLevel->SetCaption(ExtractBetween(page, login + u"</a> [", u"]</"));
  labRegDate->SetCaption(ExtractBetween(page, u"Дата регистрации</td><td width=100%>", u"</td>"));
  labStatus->SetCaption(
      ExtractBetween(page, u"line.gif width=10 border=0 align=absmiddle title=", u">"));
  labLastEnter->SetCaption(ExtractBetween(page, u"ame=\"LastLogin\"  value=\"", u"\"/>"));
}

bool TForm1::CloseQuery() {
  // Closing while a look-up waits on the network: end the fetch silently and
  // close once its handler has unwound, so the client is never freed under it.
  if (IdHTTP1 && IdHTTP1->Busy()) {
    closeAfterFetch_ = true;
    IdHTTP1->Cancel();
    return false;
  }
  return TForm::CloseQuery();
}

}  // namespace qv
