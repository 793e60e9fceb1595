// Page 5 and the buttons under the pages: the two site buttons open their
// fixed URLs, and "Выйти" ends the application's message loop from any page.
#include "app/site_settings.h"
#include "platform/window/message_loop.h"
#include "platform/window/timer.h"
#include "tests/app/form1_fixture.h"

namespace qv {
namespace {

using test::Form1Test;
using namespace site_settings;

std::string U8(std::u16string_view s) { return Utf16ToUtf8(s); }

TEST_F(Form1Test, SiteButtonsOpenTheirFixedUrls) {
  Click(F().sBitBtn3);
  Click(F().sBitBtn5);
  ASSERT_EQ(Urls().size(), 2u);
  EXPECT_EQ(Urls()[0], "https://" + U8(kDeveloperHost));
  EXPECT_EQ(Urls()[1], "https://" + U8(kGameHost) + "/?ref=" + U8(kAuthorUserId));
  // They work from every page, and change nothing on it.
  ShowPage(F().sTabSheet5);
  Click(F().sBitBtn5);
  EXPECT_EQ(Urls().size(), 3u);
  EXPECT_EQ(F().sPageControl1->ActivePage(), F().sTabSheet5);
}

TEST_F(Form1Test, LinksOfTheAboutPage) {
  EXPECT_EQ(U8(ProductPageUrl()),
            "https://" + U8(kDeveloperHost) + "/products/" + U8(kProductPage) + "/");
  EXPECT_EQ(U8(AuthorProfileUrl()), "http://" + U8(kGameHost) + "/users/" + U8(kAuthorUserId));
  // The profile link and "Сайт игры" name the same user.
  EXPECT_NE(GameSiteUrl().find(kAuthorUserId), ustring::npos);
  EXPECT_EQ(U8(DeveloperSiteUrl()).find('/', 8), std::string::npos);  // no path
}

class ExitTest : public Form1Test {
 protected:
  // Runs the application's loop with the main window until it ends; a timer
  // of the manual clock stops a loop that would otherwise never end.
  bool RunUntilExit() {
    Application().SetMainForm(form.get());
    bool timed_out = false;
    const std::uintptr_t guard = SetTimer(HWND(), 0, 60000, [&](HWND, UINT, std::uintptr_t, auto) {
      timed_out = true;
      Application().Terminate();
    });
    Application().Run();
    KillTimer(HWND(), guard);
    return !timed_out;
  }
};

TEST_F(ExitTest, ExitEndsTheMessageLoop) {
  // The click waits in the queue until the loop runs.
  headless->Click(Center(F().sBitBtn4), TRawMouseButton::Left, false);
  EXPECT_TRUE(RunUntilExit());
  EXPECT_TRUE(Application().Terminated());
  EXPECT_FALSE(F().Visible());
}

TEST_F(ExitTest, ExitEndsTheLoopWhateverPageAndInput) {
  ShowPage(F().sTabSheet4);
  TypeInto(F().cbUserLogin, u"вася пупкин");
  headless->Click(Center(F().sBitBtn4), TRawMouseButton::Left, false);
  EXPECT_TRUE(RunUntilExit());
  EXPECT_TRUE(Urls().empty());  // nothing asked, opened or saved
  EXPECT_TRUE(headless->MessageBoxes().empty());
}

TEST_F(ExitTest, WithoutExitTheLoopGoesOn) {
  // The guard itself: a click elsewhere does not end the loop.
  headless->Click(Center(F().sCheckBox4), TRawMouseButton::Left, false);
  EXPECT_FALSE(RunUntilExit());
}

}  // namespace
}  // namespace qv
