// System metrics: frame, caption and scroll sizes from one table at 96 pixels
// per inch, scaled by the pixel density; and the system pixel density itself
// (96 unless the desktop's X resources set Xft.dpi).
#pragma once

namespace qv {

enum : int {
  SM_CXSCREEN = 0,
  SM_CYSCREEN = 1,
  SM_CXVSCROLL = 2,
  SM_CYHSCROLL = 3,
  SM_CYCAPTION = 4,
  SM_CXBORDER = 5,
  SM_CYBORDER = 6,
  SM_CXDLGFRAME = 7,
  SM_CXFIXEDFRAME = 7,
  SM_CYDLGFRAME = 8,
  SM_CYFIXEDFRAME = 8,
  SM_CYVTHUMB = 9,
  SM_CXHTHUMB = 10,
  SM_CXICON = 11,
  SM_CYICON = 12,
  SM_CXCURSOR = 13,
  SM_CYCURSOR = 14,
  SM_CYMENU = 15,
  SM_CYVSCROLL = 20,
  SM_CXHSCROLL = 21,
  SM_CXMIN = 28,
  SM_CYMIN = 29,
  SM_CXSIZE = 30,
  SM_CYSIZE = 31,
  SM_CXFRAME = 32,
  SM_CXSIZEFRAME = 32,
  SM_CYFRAME = 33,
  SM_CYSIZEFRAME = 33,
  SM_CXMINTRACK = 34,
  SM_CYMINTRACK = 35,
  SM_CXDOUBLECLK = 36,
  SM_CYDOUBLECLK = 37,
  SM_CXEDGE = 45,
  SM_CYEDGE = 46,
  SM_CXSMICON = 49,
  SM_CYSMICON = 50,
  SM_CYSMCAPTION = 51,
  SM_CXSMSIZE = 52,
  SM_CYSMSIZE = 53,
  SM_CXMAXIMIZED = 61,
  SM_CYMAXIMIZED = 62,
  SM_CXDRAG = 68,
  SM_CYDRAG = 69,
  SM_CXPADDEDBORDER = 92,
  SM_CMETRICS = 97,
};

// The value for the system pixel density (screen sizes are never scaled;
// unknown indexes answer 0).
int GetSystemMetrics(int index);
int GetSystemMetricsForDpi(int index, int dpi);

// Pixels per inch of the desktop.
int GetDpiForSystem();
// Sets it (the backend does, from Xft.dpi); values outside 48..480 are refused.
void SetSystemDpi(int dpi);
// Reads Xft.dpi out of an X resource database text; 96 when it is absent or
// unusable. Fractional values are rounded.
int ParseXftDpi(const char* resources);

// The interval within which two presses make a double click, in ms.
unsigned GetDoubleClickTime();

}  // namespace qv
