// The page fetch: one libcurl easy handle (cookies, connection) in a multi handle
// polled in short slices so the anti-freeze hook runs between them.
#include "site/IdHTTP.h"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <string>

#include "site/IdAntiFreeze.h"
#include "site/ascii.h"
#include "site/charset.h"
#include "site/html_meta.h"
#include "site/meta_cookie.h"
#include "site/url.h"

namespace qv {

namespace {

using Clock = std::chrono::steady_clock;

// Without an anti-freeze the loop still wakes this often to see Cancel() and
// the read limit.
constexpr int kUnservicedSliceMs = 100;

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string_view TrimLine(std::string_view s) {
  while (!s.empty() &&
         (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '\t')) {
    s.remove_suffix(1);
  }
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

ustring Latin1(std::string_view s) { return DecodeBody(s, {}); }

ustring SizeText(std::size_t bytes) {
  if (bytes >= (std::size_t{1} << 20) && bytes % (std::size_t{1} << 20) == 0) {
    return IntToStr(static_cast<std::int64_t>(bytes >> 20)) + u" MiB";
  }
  return IntToStr(static_cast<std::int64_t>(bytes)) + u" bytes";
}

}  // namespace

struct TIdHTTP::Impl {
  CURLM* multi = nullptr;
  CURL* easy = nullptr;
  curl_slist* headers = nullptr;
  char errorBuffer[CURL_ERROR_SIZE] = {};

  bool busy = false;
  std::atomic<bool> cancelled{false};

  // State of the transfer in progress, reset by each Get.
  std::string body;
  std::string statusLine;
  std::string contentType;
  int code = 0;
  bool headersDone = false;
  bool statusFailed = false;
  bool tooLarge = false;
  bool connected = false;
  std::size_t maxBody = 0;
  Clock::time_point lastData;

  int lastCode = 0;
  ustring lastText;

  static std::size_t OnHeader(char* data, std::size_t size, std::size_t n, void* user) {
    auto* self = static_cast<Impl*>(user);
    const std::size_t len = size * n;
    self->lastData = Clock::now();
    const std::string_view line = TrimLine(std::string_view(data, len));
    if (AsciiStartsWithNoCase(line, "http/")) {
      // Each response (a 100 Continue first, perhaps) starts afresh.
      self->statusLine = std::string(line);
      self->contentType.clear();
      self->headersDone = false;
      self->code = 0;
      const auto sp = line.find(' ');
      if (sp != std::string_view::npos && line.size() >= sp + 4) {
        int c = 0;
        bool ok = true;
        for (std::size_t i = sp + 1; i < sp + 4; ++i) {
          ok = ok && line[i] >= '0' && line[i] <= '9';
          c = c * 10 + (line[i] - '0');
        }
        if (ok) self->code = c;
      }
      return len;
    }
    if (line.empty()) {
      if (self->code >= 100 && self->code < 200) return len;
      self->headersDone = true;
      if (self->code < 200 || self->code > 299) {
        // Nothing of such a body is used: stop instead of reading it.
        self->statusFailed = true;
        return 0;
      }
      return len;
    }
    if (AsciiStartsWithNoCase(line, "content-type:")) {
      self->contentType = std::string(TrimLine(line.substr(13)));
    } else if (AsciiStartsWithNoCase(line, "content-length:") && self->code >= 200 &&
               self->code <= 299) {
      const std::string_view v = TrimLine(line.substr(15));
      std::size_t length = 0;
      bool ok = !v.empty();
      for (char ch : v) {
        if (ch < '0' || ch > '9' || length > (SIZE_MAX - 9) / 10) {
          ok = false;
          break;
        }
        length = length * 10 + static_cast<std::size_t>(ch - '0');
      }
      if (ok && length > self->maxBody) {
        self->tooLarge = true;
        return 0;
      }
    }
    return len;
  }

  static std::size_t OnBody(char* data, std::size_t size, std::size_t n, void* user) {
    auto* self = static_cast<Impl*>(user);
    const std::size_t len = size * n;
    self->lastData = Clock::now();
    if (len > self->maxBody - self->body.size()) {
      self->tooLarge = true;
      return CURL_WRITEFUNC_ERROR;
    }
    self->body.append(data, len);
    return len;
  }

  // Called once the connection is up (new or reused), before the request goes.
  static int OnConnected(void* user, char*, char*, int, int) {
    auto* self = static_cast<Impl*>(user);
    self->connected = true;
    self->lastData = Clock::now();
    return CURL_PREREQFUNC_OK;
  }

  void Configure() {
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");  // in-memory cookie engine
    curl_easy_setopt(easy, CURLOPT_PROXY, "");       // also ignores *_proxy variables
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_NETRC, static_cast<long>(CURL_NETRC_IGNORED));
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Impl::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Impl::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &Impl::OnConnected);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, this);
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    // One connection, kept while host and port stay the same.
    curl_multi_setopt(multi, CURLMOPT_MAXCONNECTS, 1L);
  }

  // The settings a caller may change between fetches.
  void Apply(const TIdHTTP& owner) {
    for (const std::string* value : {&owner.Request.Accept, &owner.Request.UserAgent}) {
      for (unsigned char c : *value) {
        if (c < 0x20 || c == 0x7F) {
          throw EIdException(u"Invalid request header: it contains a control character.");
        }
      }
    }
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION,
                     static_cast<long>(owner.ProtocolVersion == pv1_0 ? CURL_HTTP_VERSION_1_0
                                                                      : CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_USERAGENT, owner.Request.UserAgent.c_str());
    curl_slist_free_all(headers);
    headers = nullptr;
    // An empty Accept still replaces libcurl's own "Accept: */*".
    const std::string accept =
        owner.Request.Accept.empty() ? std::string("Accept;") : "Accept: " + owner.Request.Accept;
    headers = curl_slist_append(nullptr, accept.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    allowCookies = owner.AllowCookies;
    parseMeta = (owner.HTTPOptions & (1u << hoNoParseMetaHTTPEquiv)) == 0;
    if (!allowCookies) curl_easy_setopt(easy, CURLOPT_COOKIELIST, "ALL");
  }
  bool allowCookies = true;
  bool parseMeta = true;

  void Reset(std::size_t limit) {
    body.clear();
    statusLine.clear();
    contentType.clear();
    code = 0;
    headersDone = statusFailed = tooLarge = connected = false;
    maxBody = limit;
    errorBuffer[0] = '\0';
    lastData = Clock::now();
  }

  // The kept connection serves one host and port. libcurl's cache would keep an
  // older one around (which one it drops is decided by time stamps), so a change
  // of server starts a new multi handle, which closes the old connection. The
  // cookies belong to the easy handle and stay.
  std::string connectionKey;
  void KeepOnlyConnectionTo(const std::string& wireUrl) {
    std::string key;
    CURLU* u = curl_url();
    if (curl_url_set(u, CURLUPART_URL, wireUrl.c_str(), CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK) {
      for (CURLUPart part : {CURLUPART_HOST, CURLUPART_PORT}) {
        char* value = nullptr;
        if (curl_url_get(u, part, &value, CURLU_DEFAULT_PORT) == CURLUE_OK) key += value;
        key += '\n';
        curl_free(value);
      }
    }
    curl_url_cleanup(u);
    if (!connectionKey.empty() && key != connectionKey) {
      if (CURLM* fresh = curl_multi_init()) {
        curl_multi_cleanup(multi);
        multi = fresh;
        curl_multi_setopt(multi, CURLMOPT_MAXCONNECTS, 1L);
      }
    }
    connectionKey = key;
  }

  // Host and path of the URL that was fetched, for cookies set by the page.
  void EffectiveHostAndPath(std::string& host, std::string& path) {
    char* effective = nullptr;
    curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &effective);
    if (!effective) return;
    CURLU* u = curl_url();
    if (curl_url_set(u, CURLUPART_URL, effective, 0) == CURLUE_OK) {
      char* part = nullptr;
      if (curl_url_get(u, CURLUPART_HOST, &part, 0) == CURLUE_OK) host = part;
      curl_free(part);
      part = nullptr;
      if (curl_url_get(u, CURLUPART_PATH, &part, 0) == CURLUE_OK) path = part;
      curl_free(part);
    }
    curl_url_cleanup(u);
  }

  ustring Decode() {
    const TContentType ct = ParseContentType(contentType);
    std::string charset = CanonicalCharset(ct.charset);
    // A response without a type may still be a page; one with another type is not.
    if (parseMeta && (ct.mediaType.empty() || IsHtmlMediaType(ct.mediaType))) {
      const TMetaHeaders meta = ScanMetaHeaders(body);
      if (!meta.charset.empty()) charset = meta.charset;
      if (allowCookies && !meta.setCookies.empty()) {
        std::string host, path;
        EffectiveHostAndPath(host, path);
        const auto now = static_cast<std::int64_t>(std::time(nullptr));
        for (const std::string& c : meta.setCookies) {
          if (auto line = MetaCookieLine(c, host, path, now)) {
            curl_easy_setopt(easy, CURLOPT_COOKIELIST, line->c_str());
          }
        }
      }
    }
    return DecodeBody(body, charset);
  }
};

TIdHTTP::TIdHTTP(TComponent* owner) : TComponent(owner), impl_(std::make_unique<Impl>()) {
  GlobalInit();
  impl_->multi = curl_multi_init();
  impl_->easy = curl_easy_init();
  if (!impl_->multi || !impl_->easy) {
    if (impl_->easy) curl_easy_cleanup(impl_->easy);
    if (impl_->multi) curl_multi_cleanup(impl_->multi);
    throw EIdException(u"The HTTP library could not be initialised.");
  }
  impl_->Configure();
}

TIdHTTP::~TIdHTTP() {
  curl_easy_cleanup(impl_->easy);
  curl_multi_cleanup(impl_->multi);
  curl_slist_free_all(impl_->headers);
}

bool TIdHTTP::Busy() const { return impl_->busy; }

int TIdHTTP::ResponseCode() const { return impl_->lastCode; }

const ustring& TIdHTTP::ResponseText() const { return impl_->lastText; }

void TIdHTTP::Cancel() {
  if (!impl_->busy) return;
  impl_->cancelled = true;
  curl_multi_wakeup(impl_->multi);
}

ustring TIdHTTP::Get(const ustring& url) {
  Impl& d = *impl_;
  if (d.busy) throw EIdBusy();
  const std::string wire = UrlToWire(url);
  d.Apply(*this);

  d.busy = true;
  d.cancelled = false;
  d.Reset(MaxContentLength);
  d.KeepOnlyConnectionTo(wire);
  curl_easy_setopt(d.easy, CURLOPT_URL, wire.c_str());
  curl_easy_setopt(d.easy, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(std::max(1, ConnectTimeout)));
  if (curl_multi_add_handle(d.multi, d.easy) != CURLM_OK) {
    d.busy = false;
    throw EIdException(u"The HTTP library could not start the request.");
  }
  // Leaves the client idle and reusable however Get ends, hook exceptions included.
  struct Finish {
    Impl& d;
    ~Finish() {
      curl_multi_remove_handle(d.multi, d.easy);
      if (!d.allowCookies) curl_easy_setopt(d.easy, CURLOPT_COOKIELIST, "ALL");
      d.busy = false;
      d.cancelled = false;
    }
  } finish{d};

  TIdAntiFreeze* antiFreeze = TIdAntiFreeze::ForThisThread();
  const auto slice = std::chrono::milliseconds(
      antiFreeze ? std::clamp(antiFreeze->IdleTimeOut, 1, 1000) : kUnservicedSliceMs);
  const auto readLimit = std::chrono::milliseconds(std::max(1, ReadTimeout));
  auto lastProcess = Clock::now();
  CURLcode result = CURLE_OK;
  for (;;) {
    int running = 0;
    const CURLMcode mc = curl_multi_perform(d.multi, &running);
    if (mc != CURLM_OK) throw EIdSocketError(Utf8ToUtf16(curl_multi_strerror(mc)));
    if (running == 0) {
      int queued = 0;
      while (CURLMsg* msg = curl_multi_info_read(d.multi, &queued)) {
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == d.easy) result = msg->data.result;
      }
      break;
    }
    if (d.cancelled) throw EIdCancelled();
    auto now = Clock::now();
    if (d.connected && now - d.lastData > readLimit) {
      const ustring span = ReadTimeout % 1000 == 0 ? IntToStr(ReadTimeout / 1000) + u" s"
                                                   : IntToStr(ReadTimeout) + u" ms";
      throw EIdReadTimeout(u"Read timed out: the server sent nothing for " + span + u".");
    }
    const auto untilProcess = slice - (now - lastProcess);
    const int waitMs = static_cast<int>(std::clamp<std::int64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(untilProcess).count(), 0,
        slice.count()));
    if (waitMs > 0) curl_multi_poll(d.multi, nullptr, 0, waitMs, nullptr);
    now = Clock::now();
    if (antiFreeze && now - lastProcess >= slice) {
      lastProcess = now;
      antiFreeze->Process();
      if (d.cancelled) throw EIdCancelled();
    }
  }

  d.lastCode = d.code;
  d.lastText = Latin1(d.statusLine);
  if (d.tooLarge) {
    throw EIdSocketError(u"The response is larger than " + SizeText(MaxContentLength) +
                         u"; the fetch was stopped.");
  }
  if (d.statusFailed) throw EIdHTTPProtocolException(d.code, d.lastText);
  if (result == CURLE_OPERATION_TIMEDOUT && !d.connected) {
    throw EIdConnectTimeout(u"Connect timed out.");
  }
  if (result != CURLE_OK) {
    const char* message = d.errorBuffer[0] ? d.errorBuffer : curl_easy_strerror(result);
    throw EIdSocketError(Utf8ToUtf16(message));
  }
  if (d.code < 200 || d.code > 299) throw EIdHTTPProtocolException(d.code, d.lastText);
  return d.Decode();
}

}  // namespace qv
