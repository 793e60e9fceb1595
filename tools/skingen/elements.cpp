// The drawings of the skin's image elements. Everything is square-cornered
// and flat: one-pixel lines (two at 200 %), faces in the palette's colours,
// anti-aliasing only where a line runs diagonally (glyphs, the check mark).
#include "tools/skingen/elements.h"

#include <algorithm>
#include <cmath>

#include "platform/window/metrics.h"
#include "tools/skingen/palette.h"

namespace qv::skingen {
namespace {

using namespace shown;

TElementArt Frames(int frames, int w, int h, bool mask = false) {
  TElementArt a;
  a.Image = TBitmap32(frames * w, mask ? 2 * h : h);
  a.Frames = frames;
  a.Mask = mask;
  return a;
}

TRect FrameRect(const TElementArt& a, int i) {
  return {i * a.FrameWidth(), 0, (i + 1) * a.FrameWidth(), a.FrameHeight()};
}

void Margins(TElementArt& a, int l, int t, int r, int b) {
  a.WL = l;
  a.WT = t;
  a.WR = r;
  a.WB = b;
}

// A nine-slice whose frames are a face inside a ring, one (face, ring colour,
// ring width) per frame; the margins are the widest ring, so every frame
// slices alike.
struct TRingFrame {
  TColor Face;
  TColor Line;
  int Width;
};
TElementArt RingFrames(const std::vector<TRingFrame>& frames, int draw_mode) {
  int m = 0;
  for (const auto& f : frames) m = std::max(m, f.Width);
  TElementArt a = Frames(static_cast<int>(frames.size()), 2 * m + 1, 2 * m + 1);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const TRect r = FrameRect(a, static_cast<int>(i));
    FillRect(a.Image, r, frames[i].Face);
    Ring(a.Image, r, frames[i].Width, frames[i].Line);
  }
  Margins(a, m, m, m, m);
  a.DrawMode = draw_mode;
  return a;
}

// Each frame turned by quarter turns clockwise (the margins go round with
// it), or mirrored top to bottom.
TElementArt TurnFrames(const TElementArt& src, int quarter_turns) {
  const int fw = src.FrameWidth(), fh = src.FrameHeight();
  const bool swap = quarter_turns % 2 == 1;
  TElementArt a = Frames(src.Frames, swap ? fh : fw, swap ? fw : fh);
  for (int i = 0; i < src.Frames; ++i) {
    TBitmap32 frame(fw, fh);
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x) frame.Pixel(x, y) = src.Image.Pixel(i * fw + x, y);
    Blit(a.Image, Rotated(frame, quarter_turns), i * a.FrameWidth(), 0);
  }
  const int m[4] = {src.WL, src.WT, src.WR, src.WB};  // left, top, right, bottom
  const int q = ((quarter_turns % 4) + 4) % 4;
  // Clockwise, the left side becomes the top.
  Margins(a, m[(4 - q) % 4], m[(5 - q) % 4], m[(6 - q) % 4], m[(7 - q) % 4]);
  a.DrawMode = src.DrawMode;
  return a;
}

TElementArt FlipFrames(const TElementArt& src) {
  TElementArt a = src;
  a.Image = FlippedVertically(src.Image);
  std::swap(a.WT, a.WB);
  return a;
}

TColor Mix(TColor a, TColor b, double t) {
  const auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return RGB(m(GetRValue(a), GetRValue(b)), m(GetGValue(a), GetGValue(b)),
             m(GetBValue(a), GetBValue(b)));
}

// ---- Check boxes ------------------------------------------------------------

int BoxSize(const TDensity& d) { return d.Size(13); }

TElementArt BoxFrames(const TDensity& d, bool grayed) {
  const int c = BoxSize(d), b = d.Stroke(1);
  const TColor faces[3] = {kSurface, kSurface, kAccentTintDeep};
  const TColor lines[3] = {kBorderStrong, kAccent, kAccentDark};
  const TColor marks[3] = {kAccent, kAccent, kAccentDark};
  TElementArt a = Frames(3, c, c);
  for (int i = 0; i < 3; ++i) {
    const TRect r = FrameRect(a, i);
    FillRect(a.Image, r, faces[i]);
    Ring(a.Image, r, b, lines[i]);
    if (grayed) {
      const int inset = b + d.Size(2);
      FillRect(a.Image, {r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset},
               marks[i]);
    }
  }
  return a;
}

TElementArt BoxChecked(const TDensity& d) {
  const int c = BoxSize(d);
  TElementArt a = Frames(1, c, c);
  FillRect(a.Image, {0, 0, c, c}, kAccent);
  // The mark in 13-pixel units: a short stroke down and a long one up.
  const double k = c / 13.0, w = 1.6 * d.K();
  const TPointF p0{3.2 * k, 6.6 * k}, p1{5.5 * k, 8.9 * k}, p2{9.9 * k, 4.3 * k};
  const TShape mark = icongen::Union(icongen::Capsule(p0, p1, w), icongen::Capsule(p1, p2, w));
  FillShape(a.Image, mark, kOnAccent, {0, 0, c, c});
  return a;
}

// ---- Title bar buttons ------------------------------------------------------

enum class TCaptionGlyph { Close, Minimise, Maximise, Restore };

TElementArt CaptionButton(const TDensity& d, TCaptionGlyph g) {
  const TTitleMetrics t = TitleMetrics(d);
  TElementArt a = Frames(3, t.ButtonWidth, t.ButtonHeight);
  a.DrawMode = 16;  // per-pixel alpha, so the bar shows through at rest
  const bool close = g == TCaptionGlyph::Close;
  const int s = d.Size(10), lw = d.Stroke(1);
  for (int i = 0; i < 3; ++i) {
    const TRect f = FrameRect(a, i);
    if (i > 0) {
      if (close)
        FillRect(a.Image, f, i == 1 ? kCloseHot : kClosePressed);
      else
        FillRect(a.Image, f, kOnAccent, i == 1 ? 0x33 : 0x5C);  // a veil over the bar
    }
    const int x0 = f.Left + (t.ButtonWidth - s) / 2, y0 = (t.ButtonHeight - s) / 2;
    switch (g) {
      case TCaptionGlyph::Close: {
        const double w = d.K();
        const TShape x =
            icongen::Union(icongen::Capsule({x0 + 0.5, y0 + 0.5}, {x0 + s - 0.5, y0 + s - 0.5}, w),
                           icongen::Capsule({x0 + s - 0.5, y0 + 0.5}, {x0 + 0.5, y0 + s - 0.5}, w));
        FillShape(a.Image, x, kOnAccent, f);
        break;
      }
      case TCaptionGlyph::Minimise: {
        const int y = y0 + s / 2;
        FillRect(a.Image, {x0, y, x0 + s, y + lw}, kOnAccent);
        break;
      }
      case TCaptionGlyph::Maximise:
        Ring(a.Image, {x0, y0, x0 + s, y0 + s}, lw, kOnAccent);
        break;
      case TCaptionGlyph::Restore: {
        const int off = d.Size(2);
        Ring(a.Image, {x0, y0 + off, x0 + s - off, y0 + s}, lw, kOnAccent);
        FillRect(a.Image, {x0 + off, y0, x0 + s, y0 + lw}, kOnAccent);
        FillRect(a.Image, {x0 + s - lw, y0, x0 + s, y0 + s - off}, kOnAccent);
        break;
      }
    }
  }
  return a;
}

// ---- Chevrons (combo box, spin and scroll buttons) ---------------------------

// Down-pointing, one line thick, on a transparent frame; three frames from
// quiet to strong. Other directions are turned from it.
TElementArt Chevron(const TDensity& d, int quarter_turns) {
  const int arm = d.Size(3), pad = 1;
  const int w = 2 * arm + 1 + 2 * pad, h = arm + 1 + 2 * pad;
  TElementArt a = Frames(3, w, h);
  a.DrawMode = 16;
  const TColor colours[3] = {kText, kText, kText};
  // A little over one pixel, so the diagonal keeps its weight after smoothing.
  const double lw = 1.4 * d.K();
  for (int i = 0; i < 3; ++i) {
    const TRect f = FrameRect(a, i);
    const double x = f.Left + pad + 0.5, y = pad + 0.5;
    const TShape v = icongen::Union(icongen::Capsule({x, y}, {x + arm, y + arm}, lw),
                                    icongen::Capsule({x + arm, y + arm}, {x + 2 * arm, y}, lw));
    FillShape(a.Image, v, colours[i], f);
  }
  return quarter_turns == 0 ? a : TurnFrames(a, quarter_turns);
}

// ---- Fields, buttons, frames -------------------------------------------------

// A field: a one-pixel ring, the bottom a shade darker at rest; focused, the
// ring takes the accent and the bottom line thickens.
TElementArt FieldFrames(const TDensity& d, int frames) {
  const int b = d.Stroke(1), fb = d.Stroke(2);
  TElementArt a = Frames(frames, 2 * b + 1, b + 1 + fb);
  for (int i = 0; i < frames; ++i) {
    const TRect r = FrameRect(a, i);
    FillRect(a.Image, r, kSurface);
    if (i == 0) {
      Ring(a.Image, r, b, kBorder);
      FillRect(a.Image, {r.Left, r.Bottom - b, r.Right, r.Bottom}, kBorderStrong);
    } else {
      Ring(a.Image, r, b, kAccent);
      FillRect(a.Image, {r.Left, r.Bottom - fb, r.Right, r.Bottom}, kAccent);
    }
  }
  Margins(a, b, b, b, fb);
  return a;
}

// At rest only the ring: the face inside is left clear (per-pixel alpha) for
// the section's gradient; hot, pressed and default carry their faces, since a
// default button is painted with the pressed state's colours.
TElementArt ButtonFrames(const TDensity& d) {
  const int b = d.Stroke(1), m = d.Stroke(2);
  TElementArt a = RingFrames({{kSurface, kBorder, b},
                              {kAccentTint, kAccent, b},
                              {kAccentTintDeep, kAccentDark, b},
                              {kSurface, kAccent, m}},
                             0x10 | 5);  // alpha, stretched, centre drawn
  const TRect rest = FrameRect(a, 0);
  FillRect(a.Image, {rest.Left + b, rest.Top + b, rest.Right - b, rest.Bottom - b}, kSurface, 0);
  return a;
}

// The hover halo: accent at about a third fading out over four pixels around
// the button.
TElementArt ButtonGlow(const TDensity& d) {
  const int g = d.Size(4);
  TElementArt a = Frames(1, 2 * g + 1, 2 * g + 1);
  for (int y = 0; y <= 2 * g; ++y)
    for (int x = 0; x <= 2 * g; ++x) {
      // Distance from the button's edge (the centre pixel stands for the button).
      const double dx = std::max({0.0, g - (x + 0.5), (x + 0.5) - (g + 1)});
      const double dy = std::max({0.0, g - (y + 0.5), (y + 0.5) - (g + 1)});
      const double t = std::max(0.0, 1.0 - std::hypot(dx, dy) / g);
      const int alpha =
          (x == g && y == g) ? 0 : static_cast<int>(std::lround(96 * std::pow(t, 1.5)));
      a.Image.Pixel(x, y) = alpha == 0 ? TBGRA{} : ColorToPixel(kAccent, alpha);
    }
  Margins(a, g, g, g, g);
  a.DrawMode = 16;
  return a;
}

TElementArt HugeButtonFrames(const TDensity& d) {
  const int s = d.Size(64), m = d.Size(31), b = d.Stroke(1);
  TElementArt a = Frames(3, s, s, true);
  const TColor faces[3] = {kSurface, kAccentTint, kAccentTintDeep};
  const TColor lines[3] = {kBorder, kAccent, kAccentDark};
  for (int i = 0; i < 3; ++i) {
    const TRect r = FrameRect(a, i);
    FillRect(a.Image, r, faces[i]);
    Ring(a.Image, r, b, lines[i]);
    // The mask half: black shows the whole face.
    FillRect(a.Image, {r.Left, s, r.Right, 2 * s}, RGB(0, 0, 0));
  }
  Margins(a, m, m, m, m);
  a.DrawMode = 5;
  return a;
}

// A tab on the top side; its frames are at rest, hot and selected. Resting
// and hot tabs sit on the row's bottom line; the selected one has an accent
// line on top and opens into the page below. Without a left line, tabs in a
// row share the line of their left neighbour.
TElementArt TopTab(const TDensity& d, bool left_line) {
  const int b = d.Stroke(1), acc = d.Stroke(2);
  TElementArt a = Frames(3, 2 * b + 1, acc + 1 + b);
  const TColor faces[3] = {kWindow, kAccentTint, kSurface};
  for (int i = 0; i < 3; ++i) {
    const TRect r = FrameRect(a, i);
    FillRect(a.Image, r, faces[i]);
    if (i < 2) {
      Ring(a.Image, r, left_line ? b : 0, b, b, b, kDivider);
    } else {
      Ring(a.Image, r, b, 0, b, 0, kDivider);
      FillRect(a.Image, {r.Left, r.Top, r.Right, r.Top + acc}, kAccent);
    }
  }
  Margins(a, b, acc, b, b);
  return a;
}

TElementArt PlainRing(const TDensity& d, TColor line) {
  return RingFrames({{kSurface, line, d.Stroke(1)}}, 0);
}

// ---- Track bar ---------------------------------------------------------------

TElementArt Thumb(const TDensity& d, bool vertical) {
  const int w = d.Size(8), h = d.Size(18);
  TElementArt a = Frames(3, vertical ? h : w, vertical ? w : h);
  const TColor faces[3] = {kAccent, kAccentDark, kThumb};
  for (int i = 0; i < 3; ++i) FillRect(a.Image, FrameRect(a, i), faces[i]);
  return a;
}

TElementArt Channel(const TDensity& d, std::vector<TColor> colours) {
  const int c = d.Size(4);
  TElementArt a = Frames(static_cast<int>(colours.size()), c, c);
  for (std::size_t i = 0; i < colours.size(); ++i)
    FillRect(a.Image, FrameRect(a, static_cast<int>(i)), colours[i]);
  Margins(a, 1, 1, 1, 1);
  a.DrawMode = 5;
  return a;
}

TElementArt Tick(const TDensity& d, bool vertical) {
  const int b = d.Stroke(1), len = d.Size(4);
  TElementArt a = Frames(1, vertical ? len : b, vertical ? b : len);
  FillRect(a.Image, {0, 0, a.Image.Width(), a.Image.Height()}, kBorderStrong);
  return a;
}

// ---- Single-purpose elements -------------------------------------------------

TElementArt DividerLine(const TDensity& d, bool top) {
  const int t = d.Stroke(1);
  TElementArt a = top ? Frames(1, 1, t + 2) : Frames(1, t + 2, 1);
  FillRect(a.Image, {0, 0, a.Image.Width(), a.Image.Height()}, kDivider);
  if (top)
    Margins(a, 0, t, 0, 0);
  else
    Margins(a, t, 0, 0, 0);
  a.DrawMode = 1;
  return a;
}

TElementArt DialogStrip(const TDensity& d) {
  const int h = d.Size(120);
  TElementArt a = Frames(1, 1, h);
  for (int y = 0; y < h; ++y)
    FillRect(a.Image, {0, y, 1, y + 1}, Mix(kAccentTint, DialogFace(), y / double(h - 1)));
  a.DrawMode = 2;
  return a;
}

TElementArt DialogBar(const TDensity& d) {
  const int w = d.Stroke(3);
  TElementArt a = Frames(1, w + 1, 1);
  FillRect(a.Image, {0, 0, w, 1}, kAccent);
  FillRect(a.Image, {w, 0, w + 1, 1}, DialogFace());
  Margins(a, w, 0, 0, 0);
  a.DrawMode = 1;
  return a;
}

TElementArt SolidTexture(TColor c) {
  TElementArt a = Frames(1, 1, 1);
  FillRect(a.Image, {0, 0, 1, 1}, c);
  a.DrawMode = 1;
  return a;
}

// Right and bottom lines only, faces at rest, hot and pressed.
TElementArt HeaderFrames(const TDensity& d) {
  const int b = d.Stroke(1);
  TElementArt a = Frames(3, b + 1, b + 1);
  const TColor faces[3] = {kSurface, kAccentTint, kAccentTintDeep};
  for (int i = 0; i < 3; ++i) {
    const TRect r = FrameRect(a, i);
    FillRect(a.Image, r, faces[i]);
    Ring(a.Image, r, 0, 0, b, b, kDivider);
  }
  Margins(a, 0, 0, b, b);
  return a;
}

// A slim thumb inside the track: the track colour around it is part of the
// image, and the thumb's own edge is a slice too.
TElementArt ScrollThumb(const TDensity& d) {
  const int inset = d.Stroke(2), m = std::max(d.Size(3), inset + 1);
  TElementArt a = Frames(3, 2 * m + 1, 2 * m + 1);
  const TColor faces[3] = {kThumb, kThumbHot, kBorderStrong};
  for (int i = 0; i < 3; ++i) {
    const TRect r = FrameRect(a, i);
    FillRect(a.Image, r, faces[i]);
    Ring(a.Image, r, inset, kTrack);
  }
  Margins(a, m, m, m, m);
  a.DrawMode = 5;
  return a;
}

TElementArt ToggleFrames(const TDensity& d) {
  const int b = d.Stroke(1);
  return RingFrames({{kSurface, kBorderStrong, b}, {kSurface, kText, b}, {kAccentTint, kText, b}},
                    0);
}

std::vector<TElementDef> MakeCatalogue() {
  using N = TNotation;
  std::vector<TElementDef> c;
  const auto add = [&c](const char16_t* section, const char16_t* key, N n,
                        std::function<TElementArt(const TDensity&)> draw) -> TElementDef& {
    c.push_back({section, key, n, std::move(draw)});
    return c.back();
  };
  // GLOBALINFO: check boxes and title-bar buttons.
  add(u"GLOBALINFO", u"BOXUNCHECKED", N::Glyph,
      [](const TDensity& d) { return BoxFrames(d, false); });
  TElementDef& checked = add(u"GLOBALINFO", u"BOXCHECKED", N::Glyph, BoxChecked);
  checked.QuotedValue = u"@0026@0011@0039@0024@1@0";
  checked.QuotedAt = {26, 11};
  checked.CanonicalAt200 = true;
  add(u"GLOBALINFO", u"BOXGRAYED", N::Glyph, [](const TDensity& d) { return BoxFrames(d, true); });
  add(u"GLOBALINFO", u"BICONCLOSE", N::AlphaGlyph, [](const TDensity& d) {
    return CaptionButton(d, TCaptionGlyph::Close);
  }).KeepHue = true;
  add(u"GLOBALINFO", u"BICONMAX", N::AlphaGlyph,
      [](const TDensity& d) { return CaptionButton(d, TCaptionGlyph::Maximise); });
  add(u"GLOBALINFO", u"BICONMIN", N::AlphaGlyph,
      [](const TDensity& d) { return CaptionButton(d, TCaptionGlyph::Minimise); });
  add(u"GLOBALINFO", u"BICONNORM", N::AlphaGlyph,
      [](const TDensity& d) { return CaptionButton(d, TCaptionGlyph::Restore); });

  TElementDef& divider = add(u"DIVIDER", u"BORDERSMASK", N::Border,
                             [](const TDensity& d) { return DividerLine(d, false); });
  divider.QuotedValue = u"^0057^0001^0060^0002^0001^0000^0000^0000^1^0^1^1";
  divider.QuotedAt = {57, 1};
  add(u"EDIT", u"BORDERSMASK", N::Border, [](const TDensity& d) { return FieldFrames(d, 2); });

  // The window frame: [0] inactive, [1] active.
  add(u"FORM", u"BORDERSMASK", N::Border, [](const TDensity& d) {
    return RingFrames({{kWindow, kBorder, d.Stroke(1)}, {kWindow, kAccent, d.Stroke(1)}}, 0);
  });
  add(u"FORMTITLE", u"BORDERSMASK", N::Border, [](const TDensity& d) {
    const int b = d.Stroke(1);
    TElementArt a = Frames(2, 2 * b + 1, b + 1);
    Ring(a.Image, FrameRect(a, 0), b, b, b, 0, kBorder);
    FillRect(a.Image, FrameRect(a, 1), kAccent);
    FillRect(a.Image, {b, b, b + 1, b + 1}, kTitleInactive);
    Margins(a, b, b, b, 0);
    return a;
  });
  // The inactive title's face; the section's own colour (accent) is what its
  // stand-in "DIALOGTITLE", which has no texture, shows as the progress fill.
  add(u"FORMTITLE", u"PATTERN", N::Texture,
      [](const TDensity&) { return SolidTexture(kTitleInactive); });

  add(u"PAGECONTROL", u"BORDERSMASK", N::Border,
      [](const TDensity& d) { return PlainRing(d, kDivider); });
  add(u"TABTOP", u"BORDERSMASK", N::Border, [](const TDensity& d) { return TopTab(d, true); });
  add(u"TABTOPMIDDLE", u"BORDERSMASK", N::Border,
      [](const TDensity& d) { return TopTab(d, false); });
  add(u"TABTOPLAST", u"BORDERSMASK", N::Border, [](const TDensity& d) { return TopTab(d, false); });
  add(u"TABBOTTOM", u"BORDERSMASK", N::Border,
      [](const TDensity& d) { return FlipFrames(TopTab(d, true)); });
  add(u"TABLEFT", u"BORDERSMASK", N::Border,
      [](const TDensity& d) { return TurnFrames(TopTab(d, true), 3); });
  add(u"TABRIGHT", u"BORDERSMASK", N::Border,
      [](const TDensity& d) { return TurnFrames(TopTab(d, true), 1); });
  add(u"GROUPBOX", u"BORDERSMASK", N::Border,
      [](const TDensity& d) { return PlainRing(d, kDivider); });

  add(u"BUTTON", u"BORDERSMASK", N::Border, ButtonFrames);
  add(u"BUTTON", u"GLOW0", N::Border, ButtonGlow);
  TElementDef& huge = add(u"BUTTON_HUGE", u"BORDERSMASK", N::Border, HugeButtonFrames);
  huge.QuotedValue = u"!BUTTONHUGE.BMP!3!1!0!0031!0031!0031!0031!5";
  huge.QuotedFile = "BUTTONHUGE.BMP";

  add(u"COMBOBOX", u"BORDERSMASK", N::Border, [](const TDensity& d) { return FieldFrames(d, 3); });
  add(u"COMBOBOX", u"GLYPHMASK", N::AlphaGlyph, [](const TDensity& d) { return Chevron(d, 0); });
  add(u"COMBONOEDIT", u"GLYPHMASK", N::AlphaGlyph, [](const TDensity& d) { return Chevron(d, 0); });

  // Spin buttons by side: the arrow points away from the field.
  add(u"UPDOWNBTN_LEFT", u"GLYPHMASK", N::AlphaGlyph,
      [](const TDensity& d) { return Chevron(d, 1); });
  add(u"UPDOWNBTN_TOP", u"GLYPHMASK", N::AlphaGlyph,
      [](const TDensity& d) { return Chevron(d, 2); });
  add(u"UPDOWNBTNRIGHT", u"GLYPHMASK", N::AlphaGlyph,
      [](const TDensity& d) { return Chevron(d, 3); });
  add(u"UPDOWNBTN_BOTTOM", u"GLYPHMASK", N::AlphaGlyph,
      [](const TDensity& d) { return Chevron(d, 0); });

  add(u"TRACKBAR", u"SLIDERMASK", N::Glyph, [](const TDensity& d) { return Thumb(d, false); });
  add(u"TRACKBAR", u"SLIDERVMASK", N::Glyph, [](const TDensity& d) { return Thumb(d, true); });
  add(u"TRACKBAR", u"SLIDERCHANNEL", N::Border, [](const TDensity& d) {
    return Channel(d, {kBorder, kBorder, kBorderStrong});
  });
  add(u"TRACKBAR", u"PROGHORZ", N::Border, [](const TDensity& d) { return Channel(d, {kAccent}); });
  add(u"TRACKBAR", u"PROGVERT", N::Border, [](const TDensity& d) { return Channel(d, {kAccent}); });
  add(u"TRACKBAR", u"TICKHORZ", N::Glyph, [](const TDensity& d) { return Tick(d, false); });
  add(u"TRACKBAR", u"TICKVERT", N::Glyph, [](const TDensity& d) { return Tick(d, true); });

  TElementDef& dialog = add(u"DIALOG", u"PATTERN", N::Texture, DialogStrip);
  dialog.QuotedValue = u"~0136~0000~0137~0120~02~0";
  dialog.QuotedAt = {136, 0};
  add(u"DIALOG", u"BORDERSMASK", N::Border, DialogBar);
  add(u"HINT", u"BORDERSMASK", N::Border, [](const TDensity& d) { return PlainRing(d, kBorder); });
  add(u"PANEL_LOW", u"BORDERSMASK", N::Border,
      [](const TDensity& d) { return PlainRing(d, kDivider); });
  add(u"DIVIDERV", u"BORDERSMASK", N::Border,
      [](const TDensity& d) { return DividerLine(d, true); });
  add(u"COLHEADER", u"BORDERSMASK", N::Border, HeaderFrames);
  add(u"SLIDER_OFF", u"BORDERSMASK", N::Border, ToggleFrames);

  add(u"SCROLLSLIDERH", u"BORDERSMASK", N::Border, ScrollThumb);
  add(u"SCROLLSLIDERV", u"BORDERSMASK", N::Border, ScrollThumb);
  add(u"SCROLLBTNLEFT", u"GLYPHMASK", N::AlphaGlyph,
      [](const TDensity& d) { return Chevron(d, 1); });
  add(u"SCROLLBTNTOP", u"GLYPHMASK", N::AlphaGlyph,
      [](const TDensity& d) { return Chevron(d, 2); });
  add(u"SCROLLBTNRIGHT", u"GLYPHMASK", N::AlphaGlyph,
      [](const TDensity& d) { return Chevron(d, 3); });
  add(u"SCROLLBTNBOTTOM", u"GLYPHMASK", N::AlphaGlyph,
      [](const TDensity& d) { return Chevron(d, 0); });
  return c;
}

}  // namespace

// The info panel's texture fades the accent tint halfway to white.
TColor DialogFace() { return Mix(shown::kAccentTint, shown::kSurface, 0.5); }

TTitleMetrics TitleMetrics(const TDensity& d) {
  TTitleMetrics t;
  // A single-border window: the fixed frame, and the platform's caption.
  t.Side = GetSystemMetricsForDpi(SM_CXFIXEDFRAME, d.PPI());
  t.Caption = GetSystemMetricsForDpi(SM_CYCAPTION, d.PPI());
  // Buttons are centred on VCenter; the tallest that starts at the window's
  // top edge and ends inside the header.
  int h = 2 * t.VCenter() + 1;
  while (h > 1 && (t.VCenter() - h / 2 < 0 || t.VCenter() - h / 2 + h > t.Header())) --h;
  t.ButtonHeight = h;
  t.ButtonWidth = d.Size(46);
  return t;
}

const std::vector<TElementDef>& ElementCatalogue() {
  static const std::vector<TElementDef> catalogue = MakeCatalogue();
  return catalogue;
}

}  // namespace qv::skingen
