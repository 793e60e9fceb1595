// Class registry entries of the site components and their property setters.
#include "site/site_classes.h"

#include "platform/component/properties.h"
#include "platform/component/reader.h"
#include "platform/component/registry.h"
#include "site/IdAntiFreeze.h"
#include "site/IdHTTP.h"

namespace qv {

namespace {

const TEnumNames<TIdHTTPProtocolVersion> kVersions = {{"pv1_0", pv1_0}, {"pv1_1", pv1_1}};
const TEnumNames<TIdHTTPOption> kOptions = {{"hoForceEncodeParams", hoForceEncodeParams},
                                            {"hoNoParseMetaHTTPEquiv", hoNoParseMetaHTTPEquiv}};

std::string HeaderValue(const TDescValue& v, TReader& r) {
  const ustring text = r.String(v);
  for (char16_t c : text) {
    if (c < 0x20 || c >= 0x7F) r.Fail(v.line, "a request header must be printable ASCII");
  }
  return std::string(text.begin(), text.end());
}

// A property of a feature this client lacks: only its "not used" value is accepted.
TPropertySetter OnlyInteger(std::int64_t allowed, const char* why) {
  return Setter<TIdHTTP>([allowed, why](TIdHTTP&, const TDescValue& v, TReader& r) {
    if (r.Integer(v) != allowed) r.Fail(v.line, why);
  });
}
TPropertySetter OnlyFalse(const char* why) {
  return Setter<TIdHTTP>([why](TIdHTTP&, const TDescValue& v, TReader& r) {
    if (r.Boolean(v)) r.Fail(v.line, why);
  });
}

int PositiveMs(const TDescValue& v, TReader& r) {
  const int ms = r.Int(v);
  if (ms <= 0) r.Fail(v.line, "a time limit must be above 0 ms");
  return ms;
}

}  // namespace

void RegisterSiteClasses() {
  RegisterFrameworkClasses();
  const char* noAuth = "the HTTP client sends no credentials";
  const char* noBody = "a GET request has no body or range";
  const char* noProxy = "the HTTP client connects without a proxy";
  RegisterComponentClass<TIdHTTP>("TIdHTTP", "TComponent")
      .Property("ProtocolVersion", Setter<TIdHTTP>([](TIdHTTP& h, auto& v, TReader& r) {
                  h.ProtocolVersion = r.Enum(v, kVersions);
                }))
      .Property("AllowCookies", Setter<TIdHTTP>([](TIdHTTP& h, auto& v, TReader& r) {
                  h.AllowCookies = r.Boolean(v);
                }))
      .Property("HTTPOptions", Setter<TIdHTTP>([](TIdHTTP& h, auto& v, TReader& r) {
                  h.HTTPOptions = r.Set(v, kOptions);
                }))
      .Property("ConnectTimeout", Setter<TIdHTTP>([](TIdHTTP& h, auto& v, TReader& r) {
                  h.ConnectTimeout = PositiveMs(v, r);
                }))
      .Property("ReadTimeout", Setter<TIdHTTP>([](TIdHTTP& h, auto& v, TReader& r) {
                  h.ReadTimeout = PositiveMs(v, r);
                }))
      .Property("Request.Accept", Setter<TIdHTTP>([](TIdHTTP& h, auto& v, TReader& r) {
                  h.Request.Accept = HeaderValue(v, r);
                }))
      .Property("Request.UserAgent", Setter<TIdHTTP>([](TIdHTTP& h, auto& v, TReader& r) {
                  h.Request.UserAgent = HeaderValue(v, r);
                }))
      .Property("Request.BasicAuthentication", OnlyFalse(noAuth))
      .Property("Request.ContentLength", OnlyInteger(-1, noBody))
      .Property("Request.ContentRangeStart", OnlyInteger(-1, noBody))
      .Property("Request.ContentRangeEnd", OnlyInteger(-1, noBody))
      .Property("Request.ContentRangeInstanceLength", OnlyInteger(-1, noBody))
      .Property("ProxyParams.BasicAuthentication", OnlyFalse(noProxy))
      .Property("ProxyParams.ProxyPort", OnlyInteger(0, noProxy))
      .Property("ProxyParams.ProxyServer",
                Setter<TIdHTTP>([noProxy](TIdHTTP&, const TDescValue& v, TReader& r) {
                  if (!r.String(v).empty()) r.Fail(v.line, noProxy);
                }));
  RegisterComponentClass<TIdAntiFreeze>("TIdAntiFreeze", "TComponent")
      .Property("Active", Setter<TIdAntiFreeze>([](TIdAntiFreeze& a, auto& v, TReader& r) {
                  a.Active = r.Boolean(v);
                }));
}

}  // namespace qv
