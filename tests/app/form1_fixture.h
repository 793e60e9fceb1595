// The real main window on the headless backend, driven by synthetic input
// (the snapshot tool's driving: clicks on controls, tabs and a combo box's
// open list, keys and typed text). Tests read the labels back.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/component/application.h"
#include "platform/window/headless.h"
#include "platform/window/keys.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "platform/window/window.h"
#include "tools/snapshot/ui_drive.h"

namespace qv::test {

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    headless = backend.get();
    InitWindowSystem(std::move(backend));
    Application().Title = u"Ballora Quorvane";
    form = std::make_unique<TForm1>(nullptr);
    form->Show();
    PumpPendingMessages();
  }
  void TearDown() override {
    Application().SetMainForm(nullptr);
    form.reset();
    ShutdownWindowSystem();
  }

  TForm1& F() { return *form; }

  TPoint Center(TControl* c) { return drive::CenterOf(*c); }
  void Click(TControl* c) { headless->Click(Center(c)); }
  void ClickAt(TControl* c, TPoint client) { headless->Click(c->ClientToScreen(client)); }

  // Makes the page active as the user does: a click on its tab.
  void ShowPage(TTabSheet* page) {
    TPageControl* pc = F().sPageControl1;
    drive::ClickTab(*headless, *pc, page->PageIndex());
    ASSERT_EQ(pc->ActivePage(), page);
  }

  // Opens the combo's list with the mouse and clicks row index, scrolling
  // the list with the wheel first when the row is out of view.
  void Pick(TComboBox* combo, int index) {
    drive::PickItem(*headless, *combo, index);
    ASSERT_FALSE(combo->DroppedDown());
    ASSERT_EQ(combo->ItemIndex(), index);
  }

  // Replaces the text of an edit as the user does: click, select all, type.
  void TypeInto(TWinControl* edit, ustring_view text) {
    Click(edit);
    headless->KeyDown(VK_CONTROL);
    headless->PressKey('A');
    headless->KeyUp(VK_CONTROL);
    if (text.empty())
      headless->PressKey(VK_DELETE);
    else
      headless->TypeText(text);
  }

  // Focuses the track bar with a click on its thumb, then moves it to p with
  // Home and the right arrow.
  void KeyTrackBarTo(int p) {
    TTrackBar* t = F().sTrackBar1;
    drive::Focus(*headless, *t);
    ASSERT_TRUE(t->Focused());
    headless->PressKey(VK_HOME);
    for (int i = 0; i < p; ++i) headless->PressKey(VK_RIGHT);
    ASSERT_EQ(t->Position(), p);
  }

  std::string Text(const TControl* c) { return Utf16ToUtf8(c->Caption()); }
  const std::vector<std::string>& Urls() { return headless->OpenedUrls(); }

  THeadlessBackend* headless = nullptr;
  std::unique_ptr<TForm1> form;
};

}  // namespace qv::test
