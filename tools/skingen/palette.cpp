// Authoring colours against the window's hue offset, and the contrast ratio.
#include "tools/skingen/palette.h"

#include <cmath>
#include <cstdlib>
#include <map>

#include "skin/color_transforms.h"

namespace qv::skingen {
namespace {

// The rotation the skin engine undoes on the way in: 1000 degrees act as 280.
constexpr int kBackwards = 360 - kShownHueOffset % 360;
constexpr int kSearch = 3;  // channel steps tried around the first guess

int Distance(TColor a, TColor b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(TColor c) {
  return 0.2126 * Linear(GetRValue(c)) + 0.7152 * Linear(GetGValue(c)) +
         0.0722 * Linear(GetBValue(c));
}

}  // namespace

TColor Shown(TColor authored) { return HueColor(authored, kShownHueOffset); }

TColor Authored(TColor shown) {
  const int r = GetRValue(shown), g = GetGValue(shown), b = GetBValue(shown);
  if (r == g && g == b) return shown & 0xFFFFFF;
  // The same colours come back for every pixel of an element; remember them.
  static std::map<TColor, TColor> known;
  if (const auto it = known.find(shown); it != known.end()) return it->second;
  const TColor guess = HueColor(shown, kBackwards);
  TColor best = guess;
  int best_distance = Distance(Shown(guess), shown);
  // Scanned in a fixed order, so the result never depends on anything but shown.
  for (int dr = -kSearch; dr <= kSearch && best_distance > 0; ++dr)
    for (int dg = -kSearch; dg <= kSearch; ++dg)
      for (int db = -kSearch; db <= kSearch; ++db) {
        const int cr = GetRValue(guess) + dr, cg = GetGValue(guess) + dg,
                  cb = GetBValue(guess) + db;
        if (cr < 0 || cg < 0 || cb < 0 || cr > 255 || cg > 255 || cb > 255) continue;
        const TColor candidate = RGB(cr, cg, cb);
        const int d = Distance(Shown(candidate), shown);
        if (d < best_distance) {
          best = candidate;
          best_distance = d;
        }
      }
  known.emplace(shown, best);
  return best;
}

TBGRA AuthoredPixel(TBGRA shown) {
  if (shown.A == 0) return {};
  return ColorToPixel(Authored(RGB(shown.R, shown.G, shown.B)), shown.A);
}

double ContrastRatio(TColor a, TColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace qv::skingen
