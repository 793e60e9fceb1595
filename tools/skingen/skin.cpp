// Assembling the package: drawing, laying out the master bitmap, writing the
// options text with every element at every density, and packing.
#include "tools/skingen/skin.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "platform/png_write.h"
#include "skin/element_notation.h"
#include "skin/skin_scale.h"
#include "tools/skingen/elements.h"
#include "tools/skingen/palette.h"
#include "tools/skingen/sections.h"
#include "tools/skingen/sheet.h"

namespace qv::skingen {
namespace {

constexpr int kMasterWidth = 640;
constexpr int kGap = 1;  // between elements, so none reads its neighbour's pixels

struct TDrawn {
  const TElementDef* Def;
  TDensity Density;
  TElementArt Art;
  TRect R;              // where it lies
  bool InFile = false;  // the huge button's own file
};

std::string Ascii(ustring_view s) { return std::string(s.begin(), s.end()); }

std::string Digits(int n, int width) {
  if (n < 0 || n > 9999) throw std::logic_error("an element field does not fit four digits");
  char buf[8];
  std::snprintf(buf, sizeof buf, "%0*d", width, n);
  return buf;
}

std::string Rect4(const TRect& r, char sep) {
  return std::string(1, sep) + Digits(r.Left, 4) + sep + Digits(r.Top, 4) + sep +
         Digits(r.Right, 4) + sep + Digits(r.Bottom, 4);
}

// The canonical text of an element cut from the master bitmap.
std::string Canonical(const TDrawn& e, int kind) {
  const TElementArt& a = e.Art;
  return "&" + Digits(e.R.Left, 4) + Digits(e.R.Top, 4) + Digits(e.R.Right, 4) +
         Digits(e.R.Bottom, 4) + Digits(a.WL, 4) + Digits(a.WT, 4) + Digits(a.WR, 4) +
         Digits(a.WB, 4) + Digits(a.Frames, 1) + (a.Mask ? "1" : "0") + Digits(kind, 1) +
         Digits(a.DrawMode, 2) + "000000";
}

std::string Value(const TDrawn& e) {
  const TElementDef& d = *e.Def;
  const TElementArt& a = e.Art;
  if (e.Density.Index == 0 && d.QuotedValue) return Ascii(d.QuotedValue);
  switch (d.Notation) {
    case TNotation::Border:
      return Rect4(e.R, '^') + "^" + Digits(a.WL, 4) + "^" + Digits(a.WT, 4) + "^" +
             Digits(a.WR, 4) + "^" + Digits(a.WB, 4) + "^" + Digits(a.Frames, 1) + "^" +
             (a.Mask ? "1" : "0") + "^" + std::to_string(a.DrawMode);
    case TNotation::Glyph:
      if (e.Density.Index == 3 && d.CanonicalAt200) return Canonical(e, 2);
      return Rect4(e.R, '@') + "@" + Digits(a.Frames, 1) + "@" + (a.Mask ? "1" : "0");
    case TNotation::AlphaGlyph:
      return Canonical(e, 2);
    case TNotation::Texture:
      return Rect4(e.R, '~') + "~" + Digits(a.DrawMode, 2) + "~" + (a.Mask ? "1" : "0");
  }
  throw std::logic_error("unknown notation");
}

// A line of the program's skin that must stay as it is: it has to describe
// what was drawn.
void CheckQuoted(const TDrawn& e) {
  const TElementDef& d = *e.Def;
  const TacElementFields f = ParseCanonicalElement(CanonicalElementText(UpperCase(d.QuotedValue)));
  const TElementArt& a = e.Art;
  const TRect expect = e.InFile ? TRect{} : e.R;
  if (f.R != expect || f.WL != a.WL || f.WT != a.WT || f.WR != a.WR || f.WB != a.WB ||
      f.ImageCount != a.Frames || f.MaskType != (a.Mask ? 1 : 0) || f.DrawMode != a.DrawMode ||
      (d.QuotedFile && Ascii(f.FileName) != d.QuotedFile))
    throw std::logic_error("the drawing of " + Ascii(d.Section) + "/" + Ascii(d.Key) +
                           " no longer matches its quoted line");
}

// Shelves from the top, skipping the places of the quoted elements.
void Pack(std::vector<TDrawn>& drawn, int& height) {
  std::vector<TRect> taken;
  for (const TDrawn& e : drawn)
    if (!e.InFile && e.Density.Index == 0 && e.Def->QuotedValue) taken.push_back(e.R);
  std::vector<TDrawn*> order;
  for (TDrawn& e : drawn)
    if (!e.InFile && !(e.Density.Index == 0 && e.Def->QuotedValue)) order.push_back(&e);
  // Density by density, taller first, so shelves fill evenly.
  std::stable_sort(order.begin(), order.end(), [](const TDrawn* a, const TDrawn* b) {
    if (a->Density.Index != b->Density.Index) return a->Density.Index < b->Density.Index;
    return a->Art.Image.Height() > b->Art.Image.Height();
  });
  int x = 0, y = 0, shelf = 0;
  for (TDrawn* e : order) {
    const int w = e->Art.Image.Width(), h = e->Art.Image.Height();
    if (w > kMasterWidth) throw std::logic_error("an element is wider than the master bitmap");
    for (;;) {
      if (x + w > kMasterWidth) {
        x = 0;
        y += shelf + kGap;
        shelf = 0;
      }
      const TRect r{x, y, x + w, y + h};
      const auto hit = std::find_if(taken.begin(), taken.end(), [&](const TRect& t) {
        return r.Left < t.Right + kGap && t.Left < r.Right + kGap && r.Top < t.Bottom + kGap &&
               t.Top < r.Bottom + kGap;
      });
      if (hit == taken.end()) break;
      x = hit->Right + kGap;
    }
    e->R = {x, y, x + w, y + h};
    taken.push_back(e->R);
    x += w + kGap;
    shelf = std::max(shelf, h);
  }
  height = 0;
  for (const TRect& r : taken) height = std::max(height, r.Bottom);
}

// The pixels as the skin stores them: rotated back, unless the element keeps
// its hue.
TBitmap32 Authored(const TElementArt& a, bool keep_hue) {
  TBitmap32 out(a.Image.Width(), a.Image.Height());
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x)
      out.Pixel(x, y) = keep_hue ? a.Image.Pixel(x, y) : AuthoredPixel(a.Image.Pixel(x, y));
  return out;
}

TBytes Bytes(const std::string& s) { return TBytes(s.begin(), s.end()); }

}  // namespace

TBytes EncodeBmp24(const TBitmap32& bmp) {
  const int w = bmp.Width(), h = bmp.Height();
  const int row = (w * 3 + 3) / 4 * 4;
  const std::uint32_t image = static_cast<std::uint32_t>(row * h);
  const std::uint32_t size = 54 + image;
  TBytes out;
  const auto put = [&out](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  out.push_back('B');
  out.push_back('M');
  put(size, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(static_cast<std::uint32_t>(w), 4);
  put(static_cast<std::uint32_t>(h), 4);
  put(1, 2);
  put(24, 2);
  put(0, 4);  // no compression
  put(image, 4);
  put(3780, 4);  // 96 pixels per inch
  put(3780, 4);
  put(0, 4);
  put(0, 4);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const TBGRA p = bmp.Pixel(x, y);
      out.push_back(p.B);
      out.push_back(p.G);
      out.push_back(p.R);
    }
    for (int i = w * 3; i < row; ++i) out.push_back(0);
  }
  return out;
}

TSkinFiles GenerateSkin() {
  std::vector<TDrawn> drawn;
  for (const TElementDef& def : ElementCatalogue())
    for (const TDensity& d : kDensities) {
      TDrawn e{&def, d, def.Draw(d), {}, false};
      const bool quoted = d.Index == 0 && def.QuotedValue;
      if (quoted && def.QuotedFile) {
        e.InFile = true;
      } else if (quoted) {
        e.R = {def.QuotedAt.X, def.QuotedAt.Y, def.QuotedAt.X + e.Art.Image.Width(),
               def.QuotedAt.Y + e.Art.Image.Height()};
      }
      drawn.push_back(std::move(e));
    }
  int height = 0;
  Pack(drawn, height);

  TSkinFiles files;
  TBitmap32 master(kMasterWidth, height);
  for (TDrawn& e : drawn) {
    if (e.Density.Index == 0 && e.Def->QuotedValue) CheckQuoted(e);
    const TBitmap32 pixels = Authored(e.Art, e.Def->KeepHue);
    if (e.InFile)
      files.HugeButton = EncodeBmp24(pixels);
    else
      Blit(master, pixels, e.R.Left, e.R.Top);
    files.Placed.push_back({e.Def->Section, ScaledKey(e.Def->Key, e.Density.Index),
                            e.InFile ? e.Def->QuotedFile : "", e.R});
  }

  // The options text: each section's keys, then its elements, each followed
  // by its variants for the higher densities.
  std::string text;
  text += "; MetroUI (internal): the skin of Quorvane, drawn by tools/skingen.\r\n";
  text += "; Colours are written with their hue turned back by the window's hue offset.\r\n";
  for (const TSectionDef& s : SectionCatalogue()) {
    text += "\r\n[" + Ascii(s.Name) + "]\r\n";
    for (const TKeyLine& k : s.Keys) text += Ascii(k.Key) + "=" + Ascii(k.Value) + "\r\n";
    for (const TDrawn& e : drawn)
      if (e.Def->Section == s.Name)
        text += Ascii(ScaledKey(e.Def->Key, e.Density.Index)) + "=" + Value(e) + "\r\n";
  }
  files.Options = Bytes(text);
  files.Master = EncodePng(master);

  const std::vector<TacPackEntry> entries = {{kOptionsName, files.Options},
                                             {kHugeButtonName, files.HugeButton},
                                             {kMasterName, files.Master}};
  files.Preview = EncodePng(RenderPreview(WritePackage(entries, nullptr)));
  files.Package = WritePackage(entries, &files.Preview);
  return files;
}

}  // namespace qv::skingen
