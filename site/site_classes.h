// Registration of the site components (TIdHTTP, TIdAntiFreeze) with the
// description reader, so the window description can create IdHTTP1 and
// IdAntiFreeze1 with their stored properties.
#pragma once

namespace qv {

// Idempotent. Properties a description may set:
//  TIdHTTP: ProtocolVersion (pv1_0, pv1_1), AllowCookies, HTTPOptions (set of
//    hoForceEncodeParams, hoNoParseMetaHTTPEquiv), ConnectTimeout and
//    ReadTimeout (ms, above 0), Request.Accept, Request.UserAgent; and, only
//    with the values of a client that has none of these features,
//    Request.BasicAuthentication (False), Request.ContentLength,
//    Request.ContentRangeStart, Request.ContentRangeEnd,
//    Request.ContentRangeInstanceLength (-1), ProxyParams.BasicAuthentication
//    (False), ProxyParams.ProxyPort (0), ProxyParams.ProxyServer ('').
//  TIdAntiFreeze: Active.
void RegisterSiteClasses();

}  // namespace qv
