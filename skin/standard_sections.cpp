// Names of the standard sections and the sections that stand in for the
// newer ones when a skin lacks them.
#include "skin/skin_types.h"

namespace qv {

const std::array<const char16_t*, kStandardSectionCount> kStandardSectionNames = {
    u"MENUITEM",    u"CHECKBOX",    u"SPEEDBUTTON", u"SPEEDBUTTON_SMALL",
    u"TOOLBUTTON",  u"TRANSPARENT", u"GROUPBOX",    u"DIVIDER",
    u"WEBBUTTON",   u"BUTTON",      u"COMBONOEDIT", u"BUTTON_HUGE",
    u"TOOLBAR",     u"EDIT",        u"GAUGE",       u"SELECTION",
    u"STATUSBAR",   u"PANEL",       u"PANEL_LOW",   u"TRACKBAR",
    u"PROGRESSV",   u"DRAGBAR",     u"GRIPH",       u"GRIPV",
    u"PROGRESSH",   u"TABSHEET",    u"UPDOWNBTN",   u"COMBOBOX",
    u"CAPTION",     u"MAINMENU",    u"SPLITTER",    u"COMBOBTN",
    u"FORMTITLE",   u"HINT",        u"DIVIDERV",    u"PAGECONTROL",
    u"TABTOP",      u"BARPANEL",    u"BARTITLE",    u"MENUCAPTION",
    u"DIALOGTITLE", u"MENUBTN",     u"MENULINE",    u"FORMHEADER",
    u"TB_BTN",      u"TB_MENUBTN",  u"TB_TAB",      u"COLHEADER",
    u"COLHEADERA",  u"COLHEADERL",  u"COLHEADERR",  u"SLIDER_OFF",
    u"SLIDER_ON",
};

int StandardSectionFallback(TacSection s) {
  switch (s) {
    case ssMenuCaption:
      return ssToolBar;
    case ssDialogTitle:
      return ssFormTitle;
    case ssMenuButton:
      return ssSpeedButton;
    case ssTBBtn:
      return ssToolButton;
    case ssTBTab:
      return ssTabTop;
    case ssColHeader:
      return ssButton;
    case ssColHeaderA:
    case ssColHeaderL:
    case ssColHeaderR:
      return ssColHeader;
    case ssSlider_Off:
    case ssSlider_On:
      return ssPanelLow;
    default:
      return -1;
  }
}

}  // namespace qv
