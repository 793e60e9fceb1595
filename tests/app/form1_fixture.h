// The real main window on the headless backend, driven by synthetic input:
// clicks at the coordinates of controls and of a combo box's open list, keys
// and typed text. Tests read the labels back.
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

  TPoint Center(TControl* c) { return c->ClientToScreen({c->Width() / 2, c->Height() / 2}); }
  void Click(TControl* c) { headless->Click(Center(c)); }
  void ClickAt(TControl* c, TPoint client) { headless->Click(c->ClientToScreen(client)); }

  // Makes the page active as the user does: a click on its tab.
  void ShowPage(TTabSheet* page) {
    TPageControl* pc = F().sPageControl1;
    const TRect tab = pc->TabRect(page->TabIndex());
    ClickAt(pc, {(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2});
    ASSERT_EQ(pc->ActivePage(), page);
  }

  // Opens the combo's list with a click on its body and clicks row index,
  // scrolling the list with the wheel first when the row is out of view.
  void Pick(TComboBox* combo, int index) {
    ClickAt(combo, {8, combo->Height() / 2});
    ASSERT_TRUE(combo->DroppedDown()) << combo->Name();
    TListPopup* p = combo->Popup();
    for (int guard = 0; guard < 20 && index < p->TopIndex(); ++guard)
      headless->Wheel(RowPoint(p, p->TopIndex()), 1);
    for (int guard = 0; guard < 20 && index >= p->TopIndex() + p->Rows(); ++guard)
      headless->Wheel(RowPoint(p, p->TopIndex()), -1);
    headless->Click(RowPoint(p, index));
    ASSERT_FALSE(combo->DroppedDown());
    ASSERT_EQ(combo->ItemIndex(), index);
  }
  static TPoint RowPoint(TListPopup* p, int index) {
    const TRect a = p->ItemArea();
    TPoint pt{a.Left + 10, a.Top + (index - p->TopIndex()) * p->RowHeight() + p->RowHeight() / 2};
    ClientToScreen(p->Handle(), pt);
    return pt;
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
    const TRect thumb = t->ThumbRect();
    ClickAt(t, {(thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2});
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
