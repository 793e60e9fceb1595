// The system metrics table and the system pixel density.
#include "platform/window/metrics.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/density.h"
#include "platform/window/system.h"

namespace qv {

namespace {

struct Metric {
  int index;
  int value;  // at 96 pixels per inch
};

// Frame sizes of a classic desktop at 100 %: a single-border captioned window
// is 3 + 23 + 3 pixels taller and 3 + 3 pixels wider than its client area.
constexpr Metric kTable[] = {
    {SM_CXVSCROLL, 16},  {SM_CYHSCROLL, 16},  {SM_CYCAPTION, 23},   {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},    {SM_CXDLGFRAME, 3},  {SM_CYDLGFRAME, 3},   {SM_CYVTHUMB, 16},
    {SM_CXHTHUMB, 16},   {SM_CXICON, 32},     {SM_CYICON, 32},      {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},   {SM_CYMENU, 19},     {SM_CYVSCROLL, 16},   {SM_CXHSCROLL, 16},
    {SM_CXMIN, 112},     {SM_CYMIN, 27},      {SM_CXSIZE, 21},      {SM_CYSIZE, 21},
    {SM_CXFRAME, 4},     {SM_CYFRAME, 4},     {SM_CXMINTRACK, 112}, {SM_CYMINTRACK, 27},
    {SM_CXDOUBLECLK, 4}, {SM_CYDOUBLECLK, 4}, {SM_CXEDGE, 2},       {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},   {SM_CYSMICON, 16},   {SM_CYSMCAPTION, 17}, {SM_CXSMSIZE, 15},
    {SM_CYSMSIZE, 15},   {SM_CXDRAG, 4},      {SM_CYDRAG, 4},       {SM_CXPADDEDBORDER, 4},
};

int g_dpi = 96;

}  // namespace

int GetSystemMetricsForDpi(int index, int dpi) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXMAXIMIZED:
      return ScreenSize().cx;
    case SM_CYSCREEN:
    case SM_CYMAXIMIZED:
      return ScreenSize().cy;
    default:
      break;
  }
  for (const Metric& m : kTable) {
    // Truncated, so a frame never grows past its scaled design (a 23-pixel
    // caption is 28 at 120 pixels per inch, 34 at 144).
    if (m.index == index) return ScaleDesigned(m.value, dpi, TScaleRounding::TowardZero);
  }
  return 0;
}

int GetSystemMetrics(int index) { return GetSystemMetricsForDpi(index, g_dpi); }

int GetDpiForSystem() { return g_dpi; }

void SetSystemDpi(int dpi) {
  if (dpi >= 48 && dpi <= 480) g_dpi = dpi;
}

int ParseXftDpi(const char* resources) {
  if (resources == nullptr) return 96;
  const char* p = resources;
  while (*p != '\0') {
    const char* line_end = std::strchr(p, '\n');
    if (line_end == nullptr) line_end = p + std::strlen(p);
    constexpr char kKey[] = "Xft.dpi:";
    const std::size_t key_len = sizeof(kKey) - 1;
    if (static_cast<std::size_t>(line_end - p) > key_len && std::strncmp(p, kKey, key_len) == 0) {
      const char* v = p + key_len;
      while (v < line_end && (*v == ' ' || *v == '\t')) ++v;
      char* end = nullptr;
      const double d = std::strtod(v, &end);
      if (end != v && end <= line_end && std::isfinite(d) && d >= 48 && d <= 480) {
        return static_cast<int>(std::lround(d));
      }
      return 96;
    }
    p = *line_end == '\0' ? line_end : line_end + 1;
  }
  return 96;
}

unsigned GetDoubleClickTime() { return 500; }

}  // namespace qv
