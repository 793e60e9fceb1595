// The site components as the window description creates them.
#include "site/site_classes.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/component/reader.h"
#include "platform/stream/description.h"
#include "site/IdAntiFreeze.h"
#include "site/IdHTTP.h"

namespace qv {
namespace {

std::unique_ptr<TComponent> Read(std::string_view text) {
  RegisterSiteClasses();
  auto root = std::make_unique<TComponent>(nullptr);
  TReader reader("form.qvd");
  reader.ReadRoot(ParseDescription(text, "form.qvd"), *root);
  return root;
}

TEST(SiteClasses, TheDescriptionCreatesConfiguredComponents) {
  auto form = Read(R"(object Form1: TComponent
  object IdHTTP1: TIdHTTP
    AllowCookies = True
    ProxyParams.BasicAuthentication = False
    ProxyParams.ProxyPort = 0
    Request.ContentLength = -1
    Request.ContentRangeEnd = -1
    Request.ContentRangeStart = -1
    Request.ContentRangeInstanceLength = -1
    Request.Accept = 'text/html, */*'
    Request.BasicAuthentication = False
    Request.UserAgent = 'Mozilla/3.0 (compatible; Indy Library)'
    HTTPOptions = [hoForceEncodeParams]
    ProtocolVersion = pv1_0
  end
  object IdAntiFreeze1: TIdAntiFreeze
    Active = False
  end
end
)");
  auto* http = dynamic_cast<TIdHTTP*>(form->FindComponent("IdHTTP1"));
  auto* antiFreeze = dynamic_cast<TIdAntiFreeze*>(form->FindComponent("IdAntiFreeze1"));
  ASSERT_TRUE(http && antiFreeze);
  EXPECT_EQ(http->Request.Accept, "text/html, */*");
  EXPECT_EQ(http->ProtocolVersion, pv1_0);
  EXPECT_EQ(http->HTTPOptions, 1u << hoForceEncodeParams);
  EXPECT_FALSE(antiFreeze->Active);
  EXPECT_EQ(TIdAntiFreeze::ForThisThread(), nullptr);  // inactive
  antiFreeze->Active = true;
  EXPECT_EQ(TIdAntiFreeze::ForThisThread(), antiFreeze);
  form.reset();
  EXPECT_EQ(TIdAntiFreeze::ForThisThread(), nullptr);  // freed with its owner
}

TEST(SiteClasses, RefusesSettingsTheClientCannotHonour) {
  for (const char* property :
       {"ProxyParams.ProxyPort = 8080", "ProxyParams.ProxyServer = 'proxy'",
        "Request.BasicAuthentication = True", "Request.ContentLength = 10",
        "Request.UserAgent = 'bad'#13#10'X: 1'", "HTTPOptions = [hoKeepOrigProtocol]",
        "ReadTimeout = 0", "ProtocolVersion = pv2"}) {
    const std::string text =
        std::string("object Form1: TComponent\n  object IdHTTP1: TIdHTTP\n    ") + property +
        "\n  end\nend\n";
    EXPECT_ANY_THROW(Read(text)) << property;
  }
}

TEST(SiteClasses, AnAntiFreezeWithoutItsOwnHookUsesTheApplications) {
  int calls = 0;
  TIdAntiFreeze::SetApplicationHook([&calls] { ++calls; });
  {
    TIdAntiFreeze antiFreeze(nullptr);
    antiFreeze.Process();
    antiFreeze.OnProcess = [] {};
    antiFreeze.Process();
    antiFreeze.OnProcess = nullptr;
    antiFreeze.Active = false;
    antiFreeze.Process();
  }
  TIdAntiFreeze::SetApplicationHook(nullptr);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace qv
