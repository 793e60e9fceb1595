// The text engine's entry points over font cache, layout and painter.
#include "platform/text/text.h"

#include "platform/text/font_cache.h"
#include "platform/text/glyph_painter.h"
#include "platform/text/text_layout.h"

namespace qv {

namespace {

text::TPaintStyle StyleOf(const TFont& font, const TTextBackground& background) {
  text::TPaintStyle s;
  s.Color = ColorToRGB(font.Color);
  s.Opaque = background.Mode == OPAQUE;
  s.BkColor = ColorToRGB(background.Color);
  s.Underline = (font.Style & fsUnderline) != 0;
  s.StrikeOut = (font.Style & fsStrikeOut) != 0;
  return s;
}

}  // namespace

TTextMetrics GetTextMetrics(const TFont& font) {
  TTextMetrics out;
  auto sized = text::AcquireFont(font);
  if (!sized) return out;
  const text::TFontMetrics& m = sized->Metrics();
  out.Height = m.Height;
  out.Ascent = m.Ascent;
  out.Descent = m.Descent;
  out.InternalLeading = m.InternalLeading;
  out.ExternalLeading = m.ExternalLeading;
  out.AveCharWidth = m.AveCharWidth;
  out.MaxCharWidth = m.MaxCharWidth;
  out.FaceName = sized->FamilyName();
  out.SyntheticBold = sized->SyntheticBold();
  out.SyntheticItalic = sized->SyntheticItalic();
  return out;
}

TSize TextExtentOf(const TFont& font, ustring_view text) {
  auto sized = text::AcquireFont(font);
  if (!sized) return {};
  return {text::LayoutPlainLine(*sized, text).Width, sized->Metrics().Height};
}

int TextOutTo(TTextDevice& device, const TFont& font, int x, int y, ustring_view text,
              const TTextBackground& background) {
  if (text.empty()) return 0;
  auto sized = text::AcquireFont(font);
  if (!sized) return 0;
  std::vector<text::TLaidLine> lines{text::LayoutPlainLine(*sized, text)};
  const TRect at = text::ClampCoordinates({x, y, x, y});
  lines[0].X = at.Left;
  lines[0].Y = at.Top;
  text::PaintLines(device, *sized, lines, StyleOf(font, background), std::nullopt);
  return lines[0].Width;
}

int DrawTextTo(TTextDevice& device, const TFont& font, ustring_view text, TRect& r, unsigned flags,
               const TTextBackground& background) {
  int tab_chars = 8;
  const unsigned plain = text::SplitTabStop(flags, tab_chars);
  if (plain & DT_CALCRECT) return MeasureDrawText(font, text, r, flags);
  auto sized = text::AcquireFont(font);
  if (!sized) return 0;
  const text::TTextLayout layout = text::LayoutDrawText(*sized, text, r, flags, false);
  text::TPaintStyle style = StyleOf(font, background);
  if (!(plain & DT_NOPREFIX)) {
    if (plain & DT_PREFIXONLY)
      style.Prefix = text::TPrefixShow::Only;
    else if (plain & DT_HIDEPREFIX)
      style.Prefix = text::TPrefixShow::Hidden;
  }
  text::PaintLines(
      device, *sized, layout.Lines, style,
      (plain & DT_NOCLIP) ? std::nullopt : std::optional<TRect>(text::ClampCoordinates(r)));
  return layout.Result;
}

TSize MeasureText(const TFont& font, ustring_view text, unsigned flags, int width) {
  TRect r{0, 0, width, 0};
  MeasureDrawText(font, text, r, flags);
  return {r.Width(), r.Height()};
}

int MeasureDrawText(const TFont& font, ustring_view text, TRect& r, unsigned flags) {
  auto sized = text::AcquireFont(font);
  if (!sized) {
    r = {r.Left, r.Top, r.Left, r.Top};
    return 0;
  }
  const text::TTextLayout layout = text::LayoutDrawText(*sized, text, r, flags, true);
  r = layout.Calc;
  return layout.Result;
}

}  // namespace qv
