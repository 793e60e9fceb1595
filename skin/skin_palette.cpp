// Deriving the palette of a skin.
#include "skin/skin_palette.h"

#include "paint/compositing.h"
#include "skin/element_notation.h"

namespace qv {

namespace {

constexpr char16_t kGlobal[] = u"GLOBALINFO";

bool IsUnset(TColor c) { return c == -1 || c == clKeyColor; }
TColor Opaque(TColor c) { return static_cast<TColor>(static_cast<std::uint32_t>(c) | 0xFF000000u); }

class TPaletteReader {
 public:
  TPaletteReader(const TMemIniFile& ini, const TacSkinData& sd) : ini_(ini), sd_(sd) {}

  TColor G(const char16_t* key, TColor def) const { return ini_.ReadInteger(kGlobal, key, def); }

  // An ARGB button colour: 64-bit integers truncated to 32 bits; text that is
  // not a number aborts the load.
  TColor Button(const char16_t* key, TColor def) const {
    const ustring* v = ini_.FindValue(kGlobal, key);
    if (v == nullptr) return def;
    const auto n = TryParseSkinInt64(*v);
    if (!n)
      throw ESkinConvertError("GLOBALINFO, key " + Utf16ToUtf8(key) + ": \"" + Utf16ToUtf8(*v) +
                              "\" is not a colour.");
    return static_cast<TColor>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(*n)));
  }

  const TsGeneralData* Section(const char16_t* name) const {
    const int i = GetSkinIndex(sd_, name);
    return sd_.IsValidSkinIndex(i) ? &sd_.gd[static_cast<std::size_t>(i)] : nullptr;
  }

 private:
  const TMemIniFile& ini_;
  const TacSkinData& sd_;
};

// A plain colour for mixing: system colours take the platform's value.
TColor Plain(TColor c) { return c < 0 ? DefaultSysColor(c & 0xFF) : c; }

}  // namespace

TacPaletteArray BuildPalette(const TMemIniFile& ini, const TacSkinData& sd) {
  const TPaletteReader r(ini, sd);
  TacPaletteArray p{};
  p[pcMainColor] = r.G(u"COLOR", DefaultSysColor(COLOR_BTNFACE));
  p[pcLabelText] = r.G(u"FONTCOLOR", 0);
  p[pcWebText] = r.G(u"TCBOTTOM", 0xFF0000);
  p[pcWebTextHot] = r.G(u"TCTOP", 0x0000FF);

  if (const TsGeneralData* edit = r.Section(u"EDIT")) {
    p[pcEditText] = edit->Props[0].FontColor.Color;
    p[pcEditBG] = edit->Props[0].Color;
  } else {
    p[pcEditText] = DefaultSysColor(COLOR_WINDOWTEXT);
    p[pcEditBG] = DefaultSysColor(COLOR_WINDOW);
  }

  p[pcSelectionBG] = p[pcSelectionText] = p[pcSelectionBG_Focused] = p[pcSelectionText_Focused] =
      -1;
  if (const TsGeneralData* sel = r.Section(u"SELECTION")) {
    const TsGenState& hot = sel->Props[sel->States < 2 ? 0 : 1];
    p[pcSelectionBG] = sel->Props[0].Color;
    p[pcSelectionText] = sel->Props[0].FontColor.Color;
    p[pcSelectionBG_Focused] = hot.Color;
    p[pcSelectionText_Focused] = hot.FontColor.Color;
  }
  if (IsUnset(p[pcSelectionText])) {
    if (const TsGeneralData* item = r.Section(u"MENUITEM")) {
      const TsGenState& hot = item->Props[1];
      p[pcSelectionText] =
          IsUnset(hot.FontColor.Color) ? DefaultSysColor(COLOR_HIGHLIGHTTEXT) : hot.FontColor.Color;
      p[pcSelectionBG] = hot.Color;
      p[pcSelectionBG_Focused] = hot.Color;
    } else {
      p[pcSelectionBG] = p[pcSelectionBG_Focused] = DefaultSysColor(COLOR_HIGHLIGHT);
      p[pcSelectionText] = DefaultSysColor(COLOR_HIGHLIGHTTEXT);
    }
    p[pcSelectionText_Focused] = p[pcSelectionText];
  }

  p[pcEditBG_Inverted] = r.G(u"EDITBG_INV", p[pcEditText]);
  p[pcEditText_Inverted] = r.G(u"EDITTEXT_INV", p[pcEditBG]);
  p[pcEditBG_OddRow] = r.G(u"EDITBG_ODD", p[pcEditBG]);
  p[pcEditBG_EvenRow] = r.G(u"EDITBG_EVEN", MixColors(p[pcEditText], p[pcEditBG], 13));
  p[pcEditText_Ok] = r.G(u"EDITTEXT_OK", 0x404000);
  p[pcEditText_Warning] = r.G(u"EDITTEXT_WARN", 0x004C4C);
  p[pcEditText_Alert] = p[pcEditText_Caution] = p[pcEditText_Bypassed] =
      r.G(u"EDITTEXT_ALERT", 0x00006C);
  p[pcEditBG_Ok] = r.G(u"EDITBG_OK", 0xC9FFD2);
  p[pcEditBG_Warning] = r.G(u"EDITBG_WARN", 0xBAFFFF);
  p[pcEditBG_Alert] = p[pcEditBG_Caution] = p[pcEditBG_Bypassed] = r.G(u"EDITBG_ALERT", 0xDBDBFF);
  p[pcEditText_Highlight1] = r.G(u"EDITTEXT_H1", 0);
  p[pcEditText_Highlight2] = r.G(u"EDITTEXT_H2", 0);
  p[pcEditText_Highlight3] = r.G(u"EDITTEXT_H3", 0);

  // The border colour is the default of the button borders read before it.
  p[pcBorder] = r.G(u"BORDERCOLOR", 0);
  const TColor main = Plain(p[pcMainColor]);
  p[pcBtnColor1Active] = r.Button(u"BTNCOLOR1ACTIVE", Opaque(MixColors(main, 0xFFFFFF, 177)));
  p[pcBtnColor2Active] = r.Button(u"BTNCOLOR2ACTIVE", Opaque(main));
  p[pcBtnColor1Normal] = r.Button(u"BTNCOLOR1NORMAL", Opaque(main));
  p[pcBtnColor2Normal] = r.Button(u"BTNCOLOR2NORMAL", Opaque(MixColors(main, 0, 244)));
  p[pcBtnColor1Pressed] = r.Button(u"BTNCOLOR1PRESSED", Opaque(MixColors(main, 0, 233)));
  p[pcBtnColor2Pressed] = r.Button(u"BTNCOLOR2PRESSED", Opaque(MixColors(main, 0, 233)));
  p[pcBtnBorderActive] = r.G(u"BTNBORDERACTIVE", p[pcBorder]);
  p[pcBtnBorderNormal] = r.G(u"BTNBORDERNORMAL", p[pcBorder]);
  p[pcBtnBorderPressed] = r.G(u"BTNBORDERPRESSED", p[pcBorder]);
  p[pcBtnFontActive] = r.G(u"BTNFONTACTIVE", p[pcLabelText]);
  p[pcBtnFontNormal] = r.G(u"BTNFONTNORMAL", p[pcLabelText]);
  p[pcBtnFontPressed] = r.G(u"BTNFONTPRESSED", p[pcLabelText]);

  p[pcBtnToneRed] = r.G(u"COLORTONERED", 0xD5D5FF);
  p[pcBtnToneGreen] = r.G(u"COLORTONEGREEN", 0xE1FFD2);
  p[pcBtnToneBlue] = r.G(u"COLORTONEBLUE", 0xFFEDC9);
  p[pcBtnToneYellow] = r.G(u"COLORTONEYELLOW", 0xCAF3FF);
  p[pcBtnToneRedActive] = r.G(u"COLORTONEREDACTIVE", p[pcBtnToneRed]);
  p[pcBtnToneGreenActive] = r.G(u"COLORTONEGREENACTIVE", p[pcBtnToneGreen]);
  p[pcBtnToneBlueActive] = r.G(u"COLORTONEBLUEACTIVE", p[pcBtnToneBlue]);
  p[pcBtnToneYellowActive] = r.G(u"COLORTONEYELLOWACTIVE", p[pcBtnToneYellow]);
  p[pcBtnRedText] = r.G(u"COLORTONEREDTEXT", 0x0000B4);
  p[pcBtnGreenText] = r.G(u"COLORTONEGREENTEXT", 0x28851A);
  p[pcBtnBlueText] = r.G(u"COLORTONEBLUETEXT", 0xAE7400);
  p[pcBtnYellowText] = r.G(u"COLORTONEYELLOWTEXT", 0x00A5D7);
  p[pcBtnRedTextActive] = r.G(u"COLORTONEREDTEXTACTIVE", p[pcBtnRedText]);
  p[pcBtnGreenTextActive] = r.G(u"COLORTONEGREENTEXTACTIVE", p[pcBtnGreenText]);
  p[pcBtnBlueTextActive] = r.G(u"COLORTONEBLUETEXTActive", p[pcBtnBlueText]);
  p[pcBtnYellowTextActive] = r.G(u"COLORTONEYELLOWTEXTActive", p[pcBtnYellowText]);

  p[pcGrid] = r.G(u"GRIDLINE", -1);
  if (p[pcGrid] == -1) p[pcGrid] = MixColors(p[pcEditText], p[pcEditBG], 30);
  if (const TsGeneralData* hint = r.Section(u"HINT")) {
    p[pcHintBG] = hint->Props[0].Color;
    p[pcHintText] = hint->Props[0].FontColor.Color;
  } else {
    p[pcHintBG] = DefaultSysColor(COLOR_INFOBK);
    p[pcHintText] = DefaultSysColor(COLOR_INFOTEXT);
  }
  return p;
}

}  // namespace qv
