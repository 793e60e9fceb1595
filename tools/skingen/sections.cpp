// The sections of the program's skin. Colours are named by what the user
// sees (palette.h) and written authored; the few palette keys the skin engine
// does not rotate (the hot link, the status and tone colours) are written as
// shown. Sections that look alike take their keys from a parent.
#include "tools/skingen/sections.h"

#include <algorithm>
#include <string>

#include "tools/skingen/elements.h"
#include "tools/skingen/palette.h"

namespace qv::skingen {
namespace {

using namespace shown;

ustring Text(const std::string& ascii) { return ustring(ascii.begin(), ascii.end()); }
ustring Number(long long n) { return Text(std::to_string(n)); }
// A colour that the window's hue offset rotates, and one it leaves alone.
ustring Rotated(TColor c) { return Number(Authored(c)); }
ustring Raw(TColor c) { return Number(c & 0xFFFFFF); }
// An opaque button colour of the palette (alpha in the top byte).
ustring Opaque(TColor c) { return Number(0xFF000000LL | Authored(c)); }

class TBuilder {
 public:
  explicit TBuilder(std::vector<TSectionDef>& out, const char16_t* name) : out_(out) {
    out_.push_back({name, {}});
  }
  TBuilder& Key(ustring key, ustring value) {
    out_.back().Keys.push_back({std::move(key), std::move(value)});
    return *this;
  }
  TBuilder& Key(ustring key, long long value) { return Key(std::move(key), Number(value)); }
  TBuilder& Parent(const char16_t* parent) { return Key(u"PARENTCLASS", parent); }
  // The number of states; with three, the pressed state has keys of its own.
  TBuilder& States(int n) {
    Key(u"STATES", n);
    if (n >= 3) Key(u"USESTATE2", 1);
    return *this;
  }
  TBuilder& Look(int state, TColor face, TColor font, int transparency = 0) {
    static const char16_t* const kColor[] = {u"COLOR", u"HOTCOLOR", u"COLOR2"};
    static const char16_t* const kFont[] = {u"FONTCOLOR", u"HOTFONTCOLOR", u"FONTCOLOR2"};
    static const char16_t* const kTransparency[] = {u"TRANSPARENCY", u"HOTTRANSPARENCY",
                                                    u"TRANSPARENCY2"};
    Key(kColor[state], Rotated(face));
    Key(kFont[state], Rotated(font));
    return Key(kTransparency[state], transparency);
  }
  // Three states with their own faces and one text colour; the resting state
  // may be see-through.
  TBuilder& Looks3(TColor rest, TColor hot, TColor pressed, TColor font,
                   int rest_transparency = 0) {
    return Look(0, rest, font, rest_transparency).Look(1, hot, font).Look(2, pressed, font);
  }
  // The same look in every state up to n.
  TBuilder& Looks(int n, TColor face, TColor font, int transparency = 0) {
    for (int s = 0; s < n && s < 3; ++s) Look(s, face, font, transparency);
    return *this;
  }

 private:
  std::vector<TSectionDef>& out_;
};

// A key with its value at each design density ("*125", "*150", "*200").
template <class F>
void Scaled(TBuilder& b, const char16_t* key, F value_at) {
  for (const TDensity& d : kDensities) b.Key(ScaledKey(key, d.Index), Number(value_at(d)));
}

}  // namespace

std::vector<TSectionDef> SectionCatalogue() {
  std::vector<TSectionDef> s;
  const auto section = [&s](const char16_t* name) { return TBuilder(s, name); };

  {
    TBuilder g = section(u"GLOBALINFO");
    g.Key(u"VERSION", u"14.01")
        .Key(u"AUTHOR", u"Quorvane")
        .Key(u"DESCRIPTION", u"Flat, calm and square: the program's own skin, drawn by skingen")
        .Key(u"MainFont", u"Tahoma")
        .Key(u"MASTERBITMAP", u"MASTER COPY.PNG")
        .Key(u"COLOR", Rotated(kWindow))
        .Key(u"FONTCOLOR", Rotated(kText))
        // Links: at rest the accent (rotated), under the mouse a darker green
        // written as shown, since the hot link colour keeps its hue.
        .Key(u"TCBOTTOM", Rotated(kAccent))
        .Key(u"TCTOP", Raw(kLinkHot))
        .Key(u"BORDERCOLOR", Rotated(kBorder))
        .Key(u"GRIDLINE", Rotated(kDivider))
        .Key(u"EDITBG_INV", Rotated(kAccent))
        .Key(u"EDITTEXT_INV", Rotated(kOnAccent))
        .Key(u"EDITBG_ODD", Rotated(kSurface))
        .Key(u"EDITBG_EVEN", Rotated(Hex(0xF7F7F7)))
        .Key(u"EDITTEXT_OK", Raw(Hex(0x0E5C0E)))
        .Key(u"EDITTEXT_WARN", Raw(Hex(0x7A5B00)))
        .Key(u"EDITTEXT_ALERT", Raw(Hex(0xA80000)))
        .Key(u"EDITBG_OK", Raw(Hex(0xDFF6DD)))
        .Key(u"EDITBG_WARN", Raw(Hex(0xFFF4CE)))
        .Key(u"EDITBG_ALERT", Raw(Hex(0xFDE7E9)))
        .Key(u"EDITTEXT_H1", Raw(Hex(0x107C10)))
        .Key(u"EDITTEXT_H2", Raw(Hex(0xA80000)))
        .Key(u"EDITTEXT_H3", Raw(Hex(0x005A9E)))
        .Key(u"BTNCOLOR1ACTIVE", Opaque(kAccentTint))
        .Key(u"BTNCOLOR2ACTIVE", Opaque(kAccentTint))
        .Key(u"BTNCOLOR1NORMAL", Opaque(kSurface))
        .Key(u"BTNCOLOR2NORMAL", Opaque(kSurface))
        .Key(u"BTNCOLOR1PRESSED", Opaque(kAccentTintDeep))
        .Key(u"BTNCOLOR2PRESSED", Opaque(kAccentTintDeep))
        .Key(u"BTNBORDERACTIVE", Rotated(kAccent))
        .Key(u"BTNBORDERNORMAL", Rotated(kBorder))
        .Key(u"BTNBORDERPRESSED", Rotated(kAccentDark))
        .Key(u"BTNFONTACTIVE", Rotated(kText))
        .Key(u"BTNFONTNORMAL", Rotated(kText))
        .Key(u"BTNFONTPRESSED", Rotated(kText))
        // Tones and their texts keep their hue.
        .Key(u"COLORTONERED", Raw(Hex(0xFDE7E9)))
        .Key(u"COLORTONEGREEN", Raw(Hex(0xDFF6DD)))
        .Key(u"COLORTONEBLUE", Raw(Hex(0xDEECF9)))
        .Key(u"COLORTONEYELLOW", Raw(Hex(0xFFF4CE)))
        .Key(u"COLORTONEREDACTIVE", Raw(Hex(0xF9CDD2)))
        .Key(u"COLORTONEGREENACTIVE", Raw(Hex(0xC4ECC1)))
        .Key(u"COLORTONEBLUEACTIVE", Raw(Hex(0xC7E0F4)))
        .Key(u"COLORTONEYELLOWACTIVE", Raw(Hex(0xFFE9A8)))
        .Key(u"COLORTONEREDTEXT", Raw(Hex(0xA80000)))
        .Key(u"COLORTONEGREENTEXT", Raw(Hex(0x0E5C0E)))
        .Key(u"COLORTONEBLUETEXT", Raw(Hex(0x005A9E)))
        .Key(u"COLORTONEYELLOWTEXT", Raw(Hex(0x7A5B00)))
        .Key(u"COLORTONEREDTEXTACTIVE", Raw(Hex(0x8A0000)))
        .Key(u"COLORTONEGREENTEXTACTIVE", Raw(Hex(0x0B4A0B)))
        .Key(u"COLORTONEBLUETEXTActive", Raw(Hex(0x004578)))
        .Key(u"COLORTONEYELLOWTEXTActive", Raw(Hex(0x5C4400)))
        // Only the close button's red keeps its hue; the other title glyphs are grey.
        .Key(u"BIKEEPHUE", 2)
        .Key(u"ARROWSTYLE", 1)
        // One pixel inside the field's line; above 143 PPI the engine makes it 2.
        .Key(u"COMBOMARGIN", 1)
        .Key(u"SLIDERMARGIN", 1)
        .Key(u"BORDERWIDTH", 1)
        .Key(u"TITLEHEIGHT", TitleMetrics(kDensities[0]).Header())
        .Key(u"MAXHEIGHT", TitleMetrics(kDensities[0]).Header())
        .Key(u"FORMOFFSET", 0)
        .Key(u"CENTEROFFSET", 0)
        .Key(u"BISPACE", 0)
        .Key(u"FADINGENABLED", 1)
        .Key(u"FADINGITERATIONS", 6)
        .Key(u"PREVIEW", 1);
    // The title bar's parts, per density: the close button ends at the
    // window's inner edge, the icon sits 8 design pixels from the outer one.
    Scaled(g, u"BIRIGHT",
           [](const TDensity& d) { return d.Stroke(1) - std::max(4, TitleMetrics(d).Side); });
    Scaled(g, u"BILEFT", [](const TDensity& d) { return d.Size(8) - TitleMetrics(d).Side; });
    Scaled(g, u"BITOP", [](const TDensity& d) { return TitleMetrics(d).Caption - d.Size(16); });
  }

  section(u"DIVIDER").States(1).Looks(1, kSurface, kText, 100);
  section(u"EDIT").States(2).Looks(2, kSurface, kText);

  // The window and its title bar: state 0 inactive, 1 active.
  section(u"FORM").States(2).Looks(2, kWindow, kText);
  section(u"FORMTITLE")
      .States(2)
      .Look(0, kAccent, kOnAccent)
      .Key(u"IMAGEPERCENT", 100)
      .Look(1, kAccent, kOnAccent);
  section(u"CAPTION").States(2).Looks(2, kAccent, kOnAccent, 100);

  section(u"PAGECONTROL").States(1).Looks(1, kSurface, kText);
  section(u"TABSHEET").States(1).Looks(1, kSurface, kText);
  // Tabs: at rest, hot, selected.
  section(u"TABTOP")
      .States(3)
      .Look(0, kWindow, kTextMuted)
      .Look(1, kAccentTint, kText)
      .Look(2, kSurface, kText)
      .Key(u"TABSCOVERING", 0);
  for (const char16_t* tab :
       {u"TABTOPFIRST", u"TABTOPMIDDLE", u"TABTOPLAST", u"TABBOTTOM", u"TABLEFT", u"TABRIGHT"})
    section(tab).Parent(u"TABTOP");
  section(u"GROUPBOX").States(1).Looks(1, kSurface, kText);

  // At rest a faint sheen, white to 92 % grey: the program's button gradient.
  section(u"BUTTON")
      .States(4)
      .Looks3(kSurface, kAccentTint, kAccentTintDeep, kText)
      .Key(u"GRADIENTDATA", u"16777215;15461355;97;0;0;15461355;15461355;0;0;0")
      .Key(u"GRADIENTPERCENT", 100)
      .Key(u"SHIFTCLICK", 1)
      .Key(u"GLOW", 1)
      .Key(u"GLOWMARGIN", 0);
  section(u"BUTTON_HUGE")
      .States(3)
      .Looks3(kSurface, kAccentTint, kAccentTintDeep, kText)
      .Key(u"SHIFTCLICK", 1);
  section(u"SPEEDBUTTON").Parent(u"BUTTON");
  section(u"SPEEDBUTTON_SMALL").Parent(u"BUTTON");
  // Flat buttons: nothing at rest but their text.
  section(u"TOOLBUTTON").States(3).Looks3(kSurface, kAccentTint, kAccentTintDeep, kText, 100);
  section(u"CHECKBOX").States(3).Looks(3, kSurface, kText, 100);
  section(u"WEBBUTTON")
      .States(2)
      .Look(0, kSurface, kAccent, 100)
      .Look(1, kSurface, kAccentDark, 100);

  section(u"COMBOBOX").States(3).Looks(3, kSurface, kText);
  section(u"COMBONOEDIT").Parent(u"BUTTON");
  section(u"COMBOBTN")
      .States(3)
      .Look(0, kSurface, kTextMuted, 100)
      .Look(1, kAccentTint, kText)
      .Look(2, kAccentTintDeep, kText);
  section(u"ALPHAEDIT").Parent(u"EDIT");
  // At rest the selection of an unfocused list; hot and pressed, focused.
  section(u"SELECTION")
      .States(3)
      .Look(0, kAccentTintDeep, kText)
      .Look(1, kAccent, kOnAccent)
      .Look(2, kAccent, kOnAccent);
  section(u"UPDOWNBTN").Parent(u"BUTTON");

  section(u"TRACKBAR").States(3).Looks(3, kSurface, kText, 100);
  section(u"GAUGE").States(1).Looks(1, kTrack, kText);
  section(u"PROGRESSH").States(1).Looks(1, kAccent, kOnAccent);
  section(u"PROGRESSV").Parent(u"PROGRESSH");
  section(u"DIALOG").States(1).Looks(1, DialogFace(), kText).Key(u"IMAGEPERCENT", 100);
  section(u"HINT").States(1).Looks(1, kSurface, kText);

  section(u"MENUITEM").States(3).Looks3(kSurface, kAccentTint, kAccentTintDeep, kText);
  section(u"MENULINE").States(1).Looks(1, kDivider, kText);
  section(u"MAINMENU").States(1).Looks(1, kWindow, kText);
  section(u"MENUCAPTION").States(1).Looks(1, kWindow, kText);
  section(u"MENUBTN").Parent(u"TOOLBUTTON");
  section(u"TOOLBAR").States(1).Looks(1, kWindow, kText);
  section(u"STATUSBAR").States(1).Looks(1, kWindow, kTextMuted);
  section(u"PANEL").States(1).Looks(1, kWindow, kText);
  section(u"PANEL_LOW").States(1).Looks(1, kSurface, kText);
  section(u"BARPANEL").States(1).Looks(1, kWindow, kText);
  section(u"BARTITLE").States(1).Looks(1, kAccentTint, kText);
  section(u"DRAGBAR").States(1).Looks(1, kWindow, kText);
  section(u"GRIPH").States(1).Looks(1, kWindow, kText);
  section(u"GRIPV").States(1).Looks(1, kWindow, kText);
  section(u"SPLITTER").States(1).Looks(1, kWindow, kText);
  section(u"DIVIDERV").States(1).Looks(1, kSurface, kText, 100);
  section(u"TB_BTN").Parent(u"TOOLBUTTON");
  section(u"TB_MENUBTN").Parent(u"TOOLBUTTON");
  section(u"TB_TAB").Parent(u"TABTOP");
  section(u"COLHEADER").States(3).Looks3(kSurface, kAccentTint, kAccentTintDeep, kText);
  // A switch: off it is an outlined field, on it is the accent.
  section(u"SLIDER_OFF").States(3).Looks3(kSurface, kSurface, kAccentTint, kText);
  section(u"SLIDER_ON").States(3).Looks3(kAccent, kAccentDark, kAccentDark, kOnAccent);

  // Scroll bars of lists: a light track, a grey thumb, flat arrow buttons.
  section(u"SCROLLBAR1H").States(3).Looks3(kTrack, kTrack, kDivider, kText);
  section(u"SCROLLBAR1V").Parent(u"SCROLLBAR1H");
  section(u"SCROLLBAR2H").Parent(u"SCROLLBAR1H");
  section(u"SCROLLBAR2V").Parent(u"SCROLLBAR1H");
  section(u"SCROLLSLIDERH").States(3).Looks3(kThumb, kThumbHot, kBorderStrong, kText);
  section(u"SCROLLSLIDERV").Parent(u"SCROLLSLIDERH");
  for (const char16_t* b :
       {u"SCROLLBTNLEFT", u"SCROLLBTNTOP", u"SCROLLBTNRIGHT", u"SCROLLBTNBOTTOM"})
    section(b).Parent(u"TOOLBUTTON");
  for (const char16_t* b :
       {u"UPDOWNBTN_LEFT", u"UPDOWNBTN_TOP", u"UPDOWNBTNRIGHT", u"UPDOWNBTN_BOTTOM"})
    section(b).Parent(u"UPDOWNBTN");
  return s;
}

}  // namespace qv::skingen
