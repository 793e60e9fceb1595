// A face at one size: metrics with the platform's rounding, glyph rendering
// (grey or mono, synthetic bold and italic) and the per-size glyph cache.
#include "platform/text/sized_font.h"

#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>

#include "platform/font.h"

namespace qv::text {

namespace {

// Shear of synthetic italic: about 12 degrees, as a 16.16 factor.
constexpr FT_Fixed kItalicShear = 0x0366A;

struct TVerticalDesign {
  int Ascent = 0;
  int Descent = 0;
  int LineGap = 0;  // external leading in design units
};

// The platform sizes TrueType cells by the OS/2 Windows ascent and descent;
// fonts without them fall back to the horizontal header.
TVerticalDesign VerticalDesign(FT_Face face) {
  TVerticalDesign d;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    d.Ascent = os2->usWinAscent;
    d.Descent = os2->usWinDescent;
  } else {
    d.Ascent = face->ascender;
    d.Descent = -face->descender;
  }
  d.Ascent = std::max(0, d.Ascent);
  d.Descent = std::max(0, d.Descent);
  if (d.Ascent + d.Descent <= 0) d.Ascent = face->units_per_EM, d.Descent = 0;
  if (hhea) {
    const int hhea_height = hhea->Ascender - hhea->Descender;
    d.LineGap = std::max(0, hhea->Line_Gap - ((d.Ascent + d.Descent) - hhea_height));
  }
  return d;
}

}  // namespace

std::shared_ptr<TSizedFont> TSizedFont::Create(const TFaceSource& source, int height, bool bold,
                                               bool italic, TRenderMode mode) {
  if (!source.Valid() || height == 0) return nullptr;
  auto face = source.Bytes ? TFtFace::OpenMemory(source.Bytes, source.Index)
                           : TFtFace::OpenFile(source.Path, source.Index);
  if (!face || !FT_IS_SCALABLE(face->Get()) || face->Get()->units_per_EM == 0) return nullptr;
  std::shared_ptr<TSizedFont> font(new TSizedFont());
  font->face_ = std::move(face);
  font->source_ = source;
  font->mode_ = mode;
  font->bold_ = bold;
  font->italic_ = italic;
  // Symbol faces (Marlett, Webdings) only have a symbol map, whose codes the
  // platform reaches from U+0020..U+00FF by adding 0xF000.
  if (FT_Select_Charmap(font->face_->Get(), FT_ENCODING_UNICODE) != 0)
    font->symbol_ = FT_Select_Charmap(font->face_->Get(), FT_ENCODING_MS_SYMBOL) == 0;
  font->ComputeMetrics(height);
  if (FT_Set_Char_Size(font->face_->Get(), 0, font->em_, 72, 72) != 0) return nullptr;
  return font;
}

void TSizedFont::ComputeMetrics(int height) {
  FT_Face face = face_->Get();
  const int upm = face->units_per_EM;
  const TVerticalDesign d = VerticalDesign(face);
  const int cell_units = d.Ascent + d.Descent;
  // Absurd sizes would cost megabytes a glyph.
  height = std::clamp(height, -kMaxPixelHeight, kMaxPixelHeight);
  TFontMetrics& m = metrics_;
  if (height < 0) {
    em_ = static_cast<FT_F26Dot6>(-height) * 64;
    m.Ascent = MulDiv(d.Ascent, -height, upm);
    m.Descent = MulDiv(d.Descent, -height, upm);
  } else {
    // A cell height: the em is what makes ascent + descent exactly that tall.
    em_ = std::max<FT_F26Dot6>(1, MulDiv(height * 64, upm, cell_units));
    m.Ascent = MulDiv(d.Ascent, height, cell_units);
    m.Descent = height - m.Ascent;
  }
  m.Height = m.Ascent + m.Descent;
  m.EmHeight = static_cast<int>((em_ + 32) / 64);
  m.InternalLeading = m.Height - m.EmHeight;
  const int em26 = static_cast<int>(em_);
  const int units26 = upm * 64;
  m.ExternalLeading = MulDiv(d.LineGap, em26, units26);
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const int synth = source_.SynthBold ? 1 : 0;  // synthetic bold widens every glyph by a pixel
  m.AveCharWidth = (os2 && os2->xAvgCharWidth > 0) ? MulDiv(os2->xAvgCharWidth, em26, units26)
                                                   : MulDiv(upm / 2, em26, units26);
  m.AveCharWidth = std::max(1, m.AveCharWidth + synth);
  m.MaxCharWidth = std::max(1, MulDiv(face->max_advance_width, em26, units26) + synth);
  // The underline's centre lies the post table's distance below the baseline.
  m.UnderlineThickness = std::max(1, MulDiv(face->underline_thickness, em26, units26));
  int ul_centre = MulDiv(-face->underline_position, em26, units26);
  if (face->underline_position == 0) ul_centre = std::max(1, m.Descent / 2);
  m.UnderlineOffset = std::clamp(ul_centre, 0, std::max(0, m.Descent - m.UnderlineThickness));
  if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    m.StrikeoutThickness = std::max(1, MulDiv(os2->yStrikeoutSize, em26, units26));
    m.StrikeoutOffset = MulDiv(os2->yStrikeoutPosition, em26, units26);
  } else {
    m.StrikeoutThickness = m.UnderlineThickness;
    m.StrikeoutOffset = MulDiv(upm * 3 / 10, em26, units26);
  }
  m.StrikeoutOffset = std::clamp(m.StrikeoutOffset, m.StrikeoutThickness, std::max(1, m.Ascent));
}

unsigned TSizedFont::CharIndex(char32_t cp) const {
  const unsigned index = FT_Get_Char_Index(face_->Get(), cp);
  if (index != 0 || !symbol_ || cp > 0xFF) return index;
  return FT_Get_Char_Index(face_->Get(), 0xF000 + cp);
}

bool TSizedFont::HasChar(char32_t cp) const { return CharIndex(cp) != 0; }

ustring TSizedFont::FamilyName() const {
  const char* name = face_->Get()->family_name;
  return name ? Utf8ToUtf16(name) : ustring();
}

TSizedFont* TSizedFont::Fallback() {
  if (!fallback_tried_) {
    fallback_tried_ = true;
    const TFaceSource source = FallbackFace(bold_, italic_);
    if (source.Valid() && source.Key() != source_.Key())
      fallback_ = Create(source, -std::max(1, metrics_.EmHeight), bold_, italic_, mode_);
  }
  return fallback_.get();
}

const TGlyph& TSizedFont::Glyph(char32_t cp) {
  if (cp < kDirectChars && direct_[cp]) return *direct_[cp];
  if (auto it = glyphs_.find(cp); it != glyphs_.end()) return it->second;
  const unsigned index = CharIndex(cp);
  // A control character the face does not map (line breaks in single-line
  // text, unexpanded tabs) shows nothing and takes no room, as carriage
  // returns do in the platform's own faces, rather than a missing-glyph box;
  // nor does it borrow a shape from the fallback face.
  TGlyph g;
  const bool control = cp < 0x20 || cp == 0x7F;
  TSizedFont* fallback = index == 0 && !control ? Fallback() : nullptr;
  if (fallback && fallback->HasChar(cp)) {
    g = fallback->Glyph(cp);
  } else if (index != 0 || !control) {
    g = Render(index);
  }
  if (glyph_bytes_ + g.Coverage.size() > kGlyphCacheBytes) {
    glyphs_.clear();
    direct_.fill(nullptr);
    glyph_bytes_ = 0;
  }
  glyph_bytes_ += g.Coverage.size();
  const TGlyph& stored = glyphs_.emplace(cp, std::move(g)).first->second;
  if (cp < kDirectChars) direct_[cp] = &stored;
  return stored;
}

TGlyph TSizedFont::Render(unsigned index) {
  TGlyph g;
  FT_Face face = face_->Get();
  // Grey text is hinted vertically only, which keeps the shapes true to the
  // unhinted widths that text is spaced by; mono text needs full hinting to
  // be legible. Embedded bitmap strikes are skipped: their widths differ.
  const FT_Int32 load =
      FT_LOAD_NO_BITMAP | (mode_ == TRenderMode::Mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT);
  if (FT_Load_Glyph(face, index, load) != 0) return g;
  FT_GlyphSlot slot = face->glyph;
  // Advances are the unhinted widths rounded to pixels: the same in every
  // quality, and close to the platform's widths of the Windows faces, which
  // the stored window layout was made with.
  g.Advance = static_cast<int>((slot->linearHoriAdvance + 0x8000) >> 16);
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (source_.SynthItalic) {
      FT_Matrix shear{0x10000, kItalicShear, 0, 0x10000};
      FT_Outline_Transform(&slot->outline, &shear);
    }
    if (source_.SynthBold) FT_Outline_EmboldenXY(&slot->outline, 64, 0);
    // Thin bold outlines get the stem a bold design has: about 8 % of the em
    // wider, within the face's own (bold) advances.
    if (source_.ThinBold)
      FT_Outline_EmboldenXY(&slot->outline, std::max<FT_Pos>(32, em_ * 5 / 64), 0);
  }
  if (source_.SynthBold) ++g.Advance;
  const FT_Render_Mode render =
      mode_ == TRenderMode::Mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
  if (FT_Render_Glyph(slot, render) != 0) return g;
  const FT_Bitmap& bm = slot->bitmap;
  if (bm.pixel_mode != FT_PIXEL_MODE_GRAY && bm.pixel_mode != FT_PIXEL_MODE_MONO) return g;
  g.Left = slot->bitmap_left;
  g.Top = slot->bitmap_top;
  g.Width = static_cast<int>(bm.width);
  g.Height = static_cast<int>(bm.rows);
  g.Coverage.resize(static_cast<std::size_t>(g.Width) * g.Height);
  const int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
  for (int y = 0; y < g.Height; ++y) {
    // A negative pitch stores the bottom row first.
    const std::ptrdiff_t pitch = bm.pitch;
    const unsigned char* top = pitch >= 0 ? bm.buffer : bm.buffer - pitch * (g.Height - 1);
    const unsigned char* row = top + pitch * y;
    std::uint8_t* out = g.Coverage.data() + static_cast<std::size_t>(y) * g.Width;
    for (int x = 0; x < g.Width; ++x) {
      if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
        out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      } else {
        out[x] = static_cast<std::uint8_t>(levels == 255 ? row[x] : row[x] * 255 / levels);
      }
    }
  }
  return g;
}

}  // namespace qv::text
