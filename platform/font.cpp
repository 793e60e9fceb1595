// Font description: conversion between pixel height and point size.
#include "platform/font.h"

#include <cstdlib>

namespace qv {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long p = static_cast<long long>(a) * b;
  const long long half = std::llabs(static_cast<long long>(c)) / 2;
  const bool negative = (p < 0) != (c < 0);
  const long long q = (std::llabs(p) + half) / std::llabs(static_cast<long long>(c));
  return static_cast<int>(negative ? -q : q);
}

int TFont::Size() const { return -MulDiv(Height, 72, PixelsPerInch); }

void TFont::SetSize(int points) { Height = -MulDiv(points, PixelsPerInch, 72); }

}  // namespace qv
