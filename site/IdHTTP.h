// The HTTP client of the main window: one GET of a game-site page, returned as
// decoded text, over libcurl driven from the calling (GUI) thread.
//
// Fixed configuration: HTTP/1.1; "Accept: text/html, */*"; the User-Agent
// below; no compression offered; cookies kept in memory for the client's life
// and sent back; no proxy, also not from the environment; redirects not
// followed; the path and query sent unchanged; one connection kept and reused
// while host and port stay the same.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/component/component.h"
#include "platform/ustring.h"
#include "site/IdException.h"

namespace qv {

enum TIdHTTPProtocolVersion { pv1_0, pv1_1 };

// hoForceEncodeParams concerns form parameters and changes nothing for a GET;
// hoNoParseMetaHTTPEquiv leaves a page's meta declarations unread.
enum TIdHTTPOption { hoForceEncodeParams, hoNoParseMetaHTTPEquiv };

struct TIdHTTPRequest {
  std::string Accept = "text/html, */*";
  std::string UserAgent = "Mozilla/3.0 (compatible; Indy Library)";
};

class TIdHTTP : public TComponent {
 public:
  explicit TIdHTTP(TComponent* owner);
  // The owner must not destroy the client from inside a pending Get (from the
  // anti-freeze hook): Cancel() it and let Get unwind first.
  ~TIdHTTP() override;

  TIdHTTPProtocolVersion ProtocolVersion = pv1_1;
  // Header values; they must hold no control characters (Get refuses them).
  TIdHTTPRequest Request;
  // Off: no cookie is sent or kept, and the ones kept so far are dropped.
  bool AllowCookies = true;
  unsigned HTTPOptions = 1u << hoForceEncodeParams;

  // Name look-up and connecting together; fails with "Connect timed out.".
  int ConnectTimeout = 120'000;  // ms
  // Longest wait for the next data once connected; fails with "Read timed out.".
  int ReadTimeout = 60'000;  // ms
  // Largest body read; a larger one fails the fetch.
  std::size_t MaxContentLength = std::size_t{16} << 20;

  // Fetches an absolute "http://" URL and returns its body decoded to text
  // (charset of Content-Type, replaced by a page's meta declaration, else each
  // byte as the code of the same value). Throws:
  //  - EIdHTTPProtocolException for a status outside 2xx (message: status line);
  //  - EIdSocketError (EIdConnectTimeout, EIdReadTimeout) for network failures
  //    and the limits above, EIdURIException for a URL that cannot be sent;
  //  - EIdCancelled when Cancel() ended it, EIdBusy when a Get of this client is
  //    already pending (the second call starts nothing). These two are silent.
  // While waiting it runs the anti-freeze hook of this thread, if any.
  ustring Get(const ustring& url);

  // Ends the pending Get silently (it throws EIdCancelled); no effect when idle.
  void Cancel();
  bool Busy() const;

  // The last response's code and status line, 0 and empty before any.
  int ResponseCode() const;
  const ustring& ResponseText() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace qv
