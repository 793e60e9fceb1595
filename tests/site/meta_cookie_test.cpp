// Cookies set by page content are held to the requested host.
#include "site/meta_cookie.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr std::int64_t kNow = 1'700'000'000;

TEST(MetaCookie, BuildsHostOnlyLines) {
  EXPECT_EQ(MetaCookieLine("sid=abc", "example.test", "/users/x", kNow),
            "example.test\tFALSE\t/users\tFALSE\t0\tsid\tabc");
  EXPECT_EQ(MetaCookieLine(" sid = a b ; Path=/; Secure; Domain=.Example.Test", "example.test", "/",
                           kNow),
            "example.test\tFALSE\t/\tTRUE\t0\tsid\ta b");
  EXPECT_EQ(
      MetaCookieLine("k=v; max-age=60; expires=Wed, 09 Jun 2021 10:18:14 GMT", "h", "/", kNow),
      "h\tFALSE\t/\tFALSE\t" + std::to_string(kNow + 60) + "\tk\tv");
  EXPECT_EQ(MetaCookieLine("k=v; expires=Wed, 09 Jun 2021 10:18:14 GMT", "h", "/", kNow),
            "h\tFALSE\t/\tFALSE\t1623233894\tk\tv");
  // A non-positive age deletes: the expiry lies in the past.
  EXPECT_EQ(MetaCookieLine("k=v; max-age=0", "h", "/", kNow), "h\tFALSE\t/\tFALSE\t1\tk\tv");
}

TEST(MetaCookie, RefusesWhatCouldReachBeyondTheHost) {
  EXPECT_EQ(MetaCookieLine("k=v; domain=other.test", "example.test", "/", kNow), std::nullopt);
  EXPECT_EQ(MetaCookieLine("k=v; domain=test", "example.test", "/", kNow), std::nullopt);
  EXPECT_EQ(MetaCookieLine("k=v\tTRUE", "h", "/", kNow), std::nullopt);
  EXPECT_EQ(MetaCookieLine("k=v\nSet-Cookie: x=y", "h", "/", kNow), std::nullopt);
  EXPECT_EQ(MetaCookieLine(std::string("k=v\0x", 5), "h", "/", kNow), std::nullopt);
  EXPECT_EQ(MetaCookieLine("novalue", "h", "/", kNow), std::nullopt);
  EXPECT_EQ(MetaCookieLine("=v", "h", "/", kNow), std::nullopt);
  EXPECT_EQ(MetaCookieLine("k=" + std::string(5000, 'v'), "h", "/", kNow), std::nullopt);
  EXPECT_EQ(MetaCookieLine("k=v", "", "/", kNow), std::nullopt);
}

}  // namespace
}  // namespace qv
