// The gallery's runner: builds the sample form once per state, puts each
// sample into that state with synthetic input on the headless backend and
// copies it out of the window's pixels; then plays each scene once and
// copies it out together with the popups it opened. The skinned look builds
// its form on the program's skin at the density asked for, and lets every
// state fade run to its end on the manual clock before it copies.
#include "tools/gallery/gallery.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/density.h"
#include "platform/look/plain_look.h"
#include "platform/png_write.h"
#include "platform/window/headless.h"
#include "platform/window/paint.h"
#include "platform/window/queue.h"
#include "platform/window/screen_capture.h"
#include "platform/window/system.h"
#include "platform/window/window.h"
#include "tools/gallery/render.h"
#include "tools/gallery/skinned_look.h"

namespace qv::gallery {

namespace {

std::vector<TSectionEntry>& Registry() {
  static std::vector<TSectionEntry> sections;
  return sections;
}

// Four simple 16x16 icons drawn with anti-aliased edges: disc, ring, square, diamond.
void MakeIcons(TCustomImageList& list) {
  const TBGRA colours[] = {
      {40, 150, 30, 255}, {200, 110, 20, 255}, {30, 60, 210, 255}, {120, 40, 160, 255}};
  for (int k = 0; k < 4; ++k) {
    TBitmap32 b(16, 16);
    b.Fill({0, 0, 0, 0});
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        double cover = 0;
        for (int sy = 0; sy < 4; ++sy)
          for (int sx = 0; sx < 4; ++sx) {
            const double px = x + (sx + 0.5) / 4 - 8, py = y + (sy + 0.5) / 4 - 8;
            const double r = std::sqrt(px * px + py * py);
            bool in = false;
            switch (k) {
              case 0:
                in = r < 6.5;
                break;
              case 1:
                in = r < 7 && r > 4;
                break;
              case 2:
                in = std::abs(px) < 6 && std::abs(py) < 6;
                break;
              default:
                in = std::abs(px) + std::abs(py) < 7.5;
                break;
            }
            cover += in ? 1.0 / 16 : 0;
          }
        TBGRA p = colours[k];
        p.A = static_cast<std::uint8_t>(std::lround(cover * 255));
        b.Pixel(x, y) = p;
      }
    list.Add(b);
  }
}

struct TBuiltForm {
  std::unique_ptr<TForm> form;
  std::vector<TSample> samples;
  std::vector<TScene> scenes;
};

// The sections of look on one form, laid out at 96 pixels per inch and then
// scaled to ppi.
TBuiltForm BuildForm(TGalleryLook look, TCustomImageList& images, TColor color, int ppi) {
  TBuiltForm b;
  b.form = std::make_unique<TForm>(nullptr);
  b.form->SetPixelsPerInch(96);
  b.form->SetBorderStyle(TFormBorderStyle::bsNone);
  b.form->SetColor(color);
  int next_y = TGalleryBlock::kMargin;
  TGalleryBlock block(*b.form, images, b.samples, b.scenes, next_y);
  for (const TSectionEntry& s : Sections(look)) s.Build(block);
  int w = 0;
  for (const TSample& s : b.samples) w = std::max(w, s.Control->Width());
  for (const TScene& s : b.scenes) w = std::max(w, s.Control->Width());
  b.form->SetClientSize(w + 2 * TGalleryBlock::kMargin, next_y);
  b.form->ScaleForPPI(ppi);
  b.form->SetBounds(0, 0, b.form->Width(), b.form->Height());
  return b;
}

// A screen area as the user sees it: the form, and the popups over it; the
// face colour where no window is.
TBitmap32 CaptureScreen(const TForm& form, const TRect& area) {
  return qv::CaptureScreen(form.WindowHandle(), area, FlatPalette().Face);
}

TRect ScreenRectOf(const TControl& c) {
  const TPoint o = c.ClientToScreen({0, 0});
  return Bounds(o.X, o.Y, c.Width(), c.Height());
}

// A scene's picture covers its control and every popup it left open.
TBitmap32 CaptureScene(const TForm& form, const TControl& c) {
  return CaptureScreen(form, AreaWithPopups(form.WindowHandle(), ScreenRectOf(c)));
}

}  // namespace

TGallerySection::TGallerySection(std::string name, int order, TSectionBuilder build,
                                 TGalleryLook look) {
  Registry().push_back({std::move(name), order, std::move(build), look});
}

std::vector<TSectionEntry> Sections(TGalleryLook look) {
  std::vector<TSectionEntry> s;
  for (const TSectionEntry& e : Registry())
    if (e.Look == look) s.push_back(e);
  std::stable_sort(s.begin(), s.end(), [](const TSectionEntry& a, const TSectionEntry& b) {
    return a.Order < b.Order;
  });
  return s;
}

const char* const kStateNames[kStateCount] = {"normal", "hot", "pressed", "focused", "disabled"};

TGalleryPictures RenderStates(TGalleryLook look, int ppi) {
  TGalleryPictures result;
  auto backend = std::make_unique<THeadlessBackend>(TSize{4000, 4000}, ppi);
  THeadlessBackend* headless = backend.get();
  InitWindowSystem(std::move(backend));
  struct TShutdown {
    ~TShutdown() { ShutdownWindowSystem(); }
  } shutdown;
  const TPoint away{3990, 3990};
  // Long enough for any state fade (18 steps of 12 ms) to end.
  constexpr std::uint64_t kSettleMs = 400;
  std::unique_ptr<TSkinnedLook> skinned;
  std::unique_ptr<TImageList> samples;
  TCustomImageList* images = nullptr;
  TColor color = clBtnFace;
  if (look == TGalleryLook::Skinned) {
    skinned = std::make_unique<TSkinnedLook>(ppi);
    images = &skinned->Images();
    color = skinned->FormColor();
  } else {
    samples = std::make_unique<TImageList>(nullptr);
    MakeIcons(*samples);
    images = samples.get();
  }
  const auto settle = [&] {
    PumpPendingMessages();
    if (skinned) headless->AdvanceTime(kSettleMs);
    PumpPendingMessages();
  };
  for (int state = 0; state < kStateCount; ++state) {
    TBuiltForm b = BuildForm(look, *images, color, ppi);
    b.form->Show();
    PumpPendingMessages();
    headless->MoveMouse(away);
    settle();
    if (state == 0) {
      for (const TSample& s : b.samples) result.Names.push_back(s.Name);
      result.Pictures.resize(b.samples.size());
    }
    for (std::size_t i = 0; i < b.samples.size(); ++i) {
      const TSample& s = b.samples[i];
      const TPoint p =
          s.Control->ClientToScreen({ScaleDesigned(s.Point.X, ppi, TScaleRounding::Nearest),
                                     ScaleDesigned(s.Point.Y, ppi, TScaleRounding::Nearest)});
      switch (state) {
        case 1:
          headless->MoveMouse(p);
          break;
        case 2:
          headless->MoveMouse(p);
          headless->MouseDown(p);
          break;
        case 3:
          if (auto* w = dynamic_cast<TWinControl*>(s.Control); w && w->CanFocus()) w->SetFocus();
          break;
        case 4:
          s.Control->SetEnabled(false);
          break;
        default:
          break;
      }
      settle();
      result.Pictures[i][static_cast<std::size_t>(state)] =
          CaptureScreen(*b.form, ScreenRectOf(*s.Control));
      if (state == 2) {
        headless->MouseUp(p);
        // A press that opened a list leaves it open: an outside click closes it.
        if (!VisiblePopups(b.form->WindowHandle()).empty()) headless->Click(away);
      }
      headless->MoveMouse(away);
      settle();
    }
    if (state == 0) {
      for (const TScene& s : b.scenes) {
        TSceneInput in{*headless, *s.Control};
        s.Act(in);
        settle();
        result.SceneNames.push_back(s.Name);
        result.Scenes.push_back(CaptureScene(*b.form, *s.Control));
        if (!VisiblePopups(b.form->WindowHandle()).empty()) headless->Click(away);
        headless->MoveMouse(away);
      }
    }
    b.form.reset();
    PumpPendingMessages();
  }
  samples.reset();
  skinned.reset();
  PumpPendingMessages();
  return result;
}

}  // namespace qv::gallery
