// Around the loop: the application object, the modal message box (recorded
// and for real), the default error box and opening URLs.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/abort.h"
#include "platform/component/application.h"
#include "platform/window/hook.h"
#include "platform/window/keys.h"
#include "platform/window/message_box.h"
#include "platform/window/message_loop.h"
#include "platform/window/metrics.h"
#include "platform/window/shell.h"
#include "tests/platform/window/window_fixture.h"

namespace qv::test {
namespace {

class WindowApp : public WindowTest {
 protected:
  void TearDown() override {
    MessageLoop().Reset();
    MessageLoop().OnException = nullptr;
    WindowTest::TearDown();
  }

  // The message box window while it is up (found through the hook).
  HWND WatchForBox(std::function<void(HWND)> on_box) {
    SetWindowsHookEx(WH_CBT, [this, on_box](int code, WPARAM w, LPARAM) -> LRESULT {
      const HWND h{static_cast<std::uint32_t>(w)};
      if (code == HCBT_ACTIVATE && GetClassName(h) == u"#32770") {
        box = h;
        on_box(h);
      }
      return 0;
    });
    return box;
  }

  HWND box;
};

TEST_F(WindowApp, MessageBoxesAreRecordedAndAnsweredHeadless) {
  EXPECT_EQ(MessageBox(HWND{}, u"Нет связи", u"Ballora Quorvane", MB_OK | MB_ICONERROR), IDOK);
  ASSERT_EQ(backend->MessageBoxes().size(), 1u);
  EXPECT_EQ(backend->MessageBoxes()[0].title, u"Ballora Quorvane");
  EXPECT_EQ(backend->MessageBoxes()[0].text, u"Нет связи");
  EXPECT_EQ(backend->MessageBoxes()[0].type, MB_OK | MB_ICONERROR);
  EXPECT_TRUE(GetTopLevelWindows().empty()) << "no window was needed";
}

TEST_F(WindowApp, TheRealBoxIsModalAndAnsweredByTheKeyboard) {
  backend->RunMessageBoxes(true);
  HWND main = Form();
  ShowWindow(main, SW_SHOW);
  PumpPendingMessages();
  InvalidateRect(main, nullptr, true);  // must still be painted while the box is up
  bool main_enabled_during = true;
  std::size_t painted_in_loop = 0;
  WatchForBox([&](HWND) {
    main_enabled_during = IsWindowEnabled(main);
    backend->Click(At(main, 10, 10), TRawMouseButton::Left, false);
    // Answer a little later, so that the loop has time to paint.
    SetTimer(HWND{}, 0, 50, [&, this](HWND, UINT, std::uintptr_t id, std::uint64_t) {
      KillTimer(HWND{}, id);
      painted_in_loop = Of(WM_PAINT, main).size();
      backend->PressKey(VK_RETURN, false);
    });
  });
  log.clear();
  EXPECT_EQ(MessageBox(main,
                       u"Длинный текст, который переносится на несколько строк, "
                       u"потому что он не помещается в одну строку окна сообщения.",
                       u"Ballora Quorvane", MB_ICONWARNING),
            IDOK);
  ASSERT_TRUE(box);
  EXPECT_FALSE(IsWindow(box));
  EXPECT_FALSE(main_enabled_during);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(GetActiveWindow(), main);
  ASSERT_EQ(Of(WM_PAINT, main).size(), 1u);
  EXPECT_TRUE(Of(WM_LBUTTONDOWN, main).empty());
  EXPECT_EQ(painted_in_loop, 1u) << "the main window painted while the box was up";
}

TEST_F(WindowApp, TheRealBoxIsLaidOutAroundItsTextAndAnsweredByItsButton) {
  backend->RunMessageBoxes(true);
  TRect client, wr;
  WatchForBox([&](HWND h) {
    GetClientRect(h, client);
    GetWindowRect(h, wr);
    // The OK button is centred at the bottom, 12 px from the edge.
    TPoint ok{client.Width() / 2, client.Height() - 12 - 11};
    ClientToScreen(h, ok);
    backend->MouseDown(ok, TRawMouseButton::Left, false);
    backend->MouseUp({ok.X + 200, ok.Y}, TRawMouseButton::Left, false);  // released off it: nothing
    backend->Click(ok, TRawMouseButton::Left, false);
  });
  EXPECT_EQ(MessageBox(HWND{}, u"Готово", u"Заголовок", MB_ICONINFORMATION), IDOK);
  EXPECT_GE(client.Width(), 160);
  EXPECT_GE(client.Height(), 12 + 32 + 12 + 23 + 12);
  const TSize screen = ScreenSize();
  EXPECT_NEAR(wr.Left + wr.Width() / 2, screen.cx / 2, 1) << "centred without an owner";
  EXPECT_FALSE(IsWindow(box));
}

TEST_F(WindowApp, TheRealBoxIsLaidOutAgainWhenTheDensityChanges) {
  backend->RunMessageBoxes(true);
  int button_top_edge = 0;
  WatchForBox([&](HWND h) {
    backend->ChangeDpi(144, false);
    SetTimer(HWND{}, 0, 50, [&, h](HWND, UINT, std::uintptr_t id, std::uint64_t) {
      KillTimer(HWND{}, id);
      // At 144 PPI the button is 112 x 34, 18 px above the bottom: its dark
      // top edge is the only one on that row.
      TRect client, wr;
      GetClientRect(h, client);
      GetWindowRect(h, wr);
      TPoint row{0, client.Height() - 18 - 34};
      ClientToScreen(h, row);
      const TBitmap32* pixels = GetWindowPixels(h);
      for (int x = 0; pixels != nullptr && x < pixels->Width(); ++x) {
        if (PixelToColor(pixels->Pixel(x, row.Y - wr.Top)) == ColorToRGB(cl3DDkShadow)) {
          ++button_top_edge;
        }
      }
      backend->PressKey(VK_RETURN, false);
    });
  });
  EXPECT_EQ(MessageBox(HWND{}, u"Готово", u"Заголовок", MB_ICONINFORMATION), IDOK);
  EXPECT_EQ(button_top_edge, 112);
}

TEST_F(WindowApp, EscapeAndTheDesktopCloseAnswerTooAndNothingHangs) {
  backend->RunMessageBoxes(true);
  WatchForBox([&](HWND) { backend->PressKey(VK_ESCAPE, false); });
  EXPECT_EQ(MessageBox(HWND{}, u"a", u"b", MB_OK), IDOK);
  WatchForBox([&](HWND h) { backend->CloseFromDesktop(h, false); });
  EXPECT_EQ(MessageBox(HWND{}, u"a", u"b", MB_OK), IDOK);
  // With nothing to answer it, the headless box gives up instead of hanging.
  WatchForBox([](HWND) {});
  EXPECT_EQ(MessageBox(HWND{}, u"a", u"b", MB_OK), IDOK);
  EXPECT_TRUE(GetTopLevelWindows().empty());
}

TEST_F(WindowApp, ErrorsReachTheDefaultHandlerWithATrailingFullStop) {
  MessageLoop().SetTitle(u"Ballora Quorvane");
  MessageLoop().HandleException(std::runtime_error("HTTP/1.1 404 Not Found"));
  MessageLoop().HandleException(std::runtime_error("Уже с точкой."));
  MessageLoop().HandleException(std::runtime_error("(скобка)"));
  MessageLoop().HandleException(std::runtime_error(""));
  ASSERT_EQ(backend->MessageBoxes().size(), 4u);
  EXPECT_EQ(backend->MessageBoxes()[0].text, u"HTTP/1.1 404 Not Found.");
  EXPECT_EQ(backend->MessageBoxes()[0].title, u"Ballora Quorvane");
  EXPECT_EQ(backend->MessageBoxes()[0].type, MB_OK | MB_ICONERROR);
  EXPECT_EQ(backend->MessageBoxes()[1].text, u"Уже с точкой.");
  EXPECT_EQ(backend->MessageBoxes()[2].text, u"(скобка)") << "')' is below '.'";
  EXPECT_EQ(backend->MessageBoxes()[3].text, u"");
}

TEST_F(WindowApp, AnAbortEndsAnActionWithoutABox) {
  MessageLoop().HandleException(EAbort());
  Application().HandleException(EAbort());
  EXPECT_TRUE(backend->MessageBoxes().empty());
}

TEST_F(WindowApp, TheLoopRunsUntilTheMainWindowIsGoneAndSurvivesErrors) {
  HWND main = Form();
  ShowWindow(main, SW_SHOW);
  MessageLoop().SetMainWindow(main);
  handlers[main.id] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER) throw std::runtime_error("Сбой");
    return std::nullopt;
  };
  PostMessage(main, WM_USER);
  PostMessage(main, WM_CLOSE);
  MessageLoop().Run();
  EXPECT_FALSE(IsWindow(main));
  EXPECT_TRUE(MessageLoop().Terminated());
  ASSERT_EQ(backend->MessageBoxes().size(), 1u);
  EXPECT_EQ(backend->MessageBoxes()[0].text, u"Сбой.");
}

TEST_F(WindowApp, ProcessMessagesServesWindowsDuringLongWork) {
  HWND main = Form();
  ShowWindow(main, SW_SHOW);
  MessageLoop().SetMainWindow(main);
  PostMessage(main, WM_USER);
  backend->Click(At(main, 5, 5), TRawMouseButton::Left, false);
  MessageLoop().ProcessMessages();
  EXPECT_EQ(Of(WM_USER).size(), 1u);
  EXPECT_EQ(Of(WM_LBUTTONUP, main).size(), 1u);
  EXPECT_EQ(Of(WM_PAINT, main).size(), 1u);
  EXPECT_FALSE(MessageLoop().Terminated());
  MessageLoop().Terminate();
  MessageLoop().ProcessMessages();
  EXPECT_TRUE(MessageLoop().Terminated());
  // Nothing can arrive any more: the headless loop returns instead of waiting.
  MessageLoop().Reset();
  MessageLoop().SetMainWindow(main);
  MSG msg;
  PumpPendingMessages();
  EXPECT_FALSE(GetMessage(msg));
}

TEST_F(WindowApp, OnlyWebUrlsAreOpened) {
  EXPECT_TRUE(OpenURL(u"http://ballora.example/users/Петя"));
  EXPECT_TRUE(OpenURL(u"HTTPS://example.org/products/"));
  EXPECT_GT(ShellExecute(HWND{}, u"", u"https://example.org/?a=1&b=2", u"", u"", SW_SHOWNORMAL),
            32);
  for (const char16_t* bad :
       {u"file:///etc/passwd", u"javascript:alert(1)", u"ftp://x/", u"http://", u"http:///path",
        u"http://a b/", u"http://a\n/", u"-http://x/", u"", u"mailto:a@b"}) {
    EXPECT_FALSE(OpenURL(bad)) << Utf16ToUtf8(bad);
  }
  EXPECT_EQ(ShellExecute(HWND{}, u"open", u"/bin/sh", u"", u"", SW_SHOWNORMAL), 2);
  ASSERT_EQ(backend->OpenedUrls().size(), 3u);
  EXPECT_EQ(backend->OpenedUrls()[0], "http://ballora.example/users/Петя");
}

TEST_F(WindowApp, SpacesAfterTheHostAreOpenedAsABrowserReadsThem) {
  EXPECT_TRUE(OpenURL(u"http://s1.example/x.php?a=1&sort= desc&b="));
  EXPECT_TRUE(OpenURL(u"http://s1.example/a b#c d"));
  EXPECT_FALSE(OpenURL(u"http://a b/ c"));
  ASSERT_EQ(backend->OpenedUrls().size(), 2u);
  EXPECT_EQ(backend->OpenedUrls()[0], "http://s1.example/x.php?a=1&sort=%20desc&b=");
  EXPECT_EQ(backend->OpenedUrls()[1], "http://s1.example/a%20b#c%20d");
  EXPECT_EQ(EscapeSpacesAfterHost("http://h?q= "), "http://h?q=%20");
  EXPECT_EQ(EscapeSpacesAfterHost("http://h"), "http://h");
}

TEST_F(WindowApp, XdgOpenGetsTheUrlAsOneArgumentWithoutAShell) {
  char dir_template[] = "/tmp/qv-xdg-XXXXXX";
  const char* dir = mkdtemp(dir_template);
  ASSERT_NE(dir, nullptr);
  const std::string script = std::string(dir) + "/xdg-open";
  const std::string out = std::string(dir) + "/args";
  {
    std::ofstream s(script);
    s << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"" << out << ".tmp\"\nmv \"" << out
      << ".tmp\" \"" << out << "\"\n";
  }
  chmod(script.c_str(), 0755);
  const char* old_path = getenv("PATH");
  const std::string saved = old_path != nullptr ? old_path : "";
  setenv("PATH", (std::string(dir) + ":" + saved).c_str(), 1);
  const std::string url = "http://x.example/?q=$(touch%20pwn);echo&a='b'";
  LaunchXdgOpen(url);
  setenv("PATH", saved.c_str(), 1);
  std::string got;
  for (int i = 0; i < 200 && got.empty(); ++i) {
    std::ifstream in(out);
    std::stringstream ss;
    ss << in.rdbuf();
    got = ss.str();
    if (got.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(got, "1\n" + url + "\n");
  EXPECT_NE(access((std::string(dir) + "/pwn").c_str(), F_OK), 0);
  unlink(out.c_str());
  unlink(script.c_str());
  rmdir(dir);
}

}  // namespace
}  // namespace qv::test
