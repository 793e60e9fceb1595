// The system's text type (UTF-16 code units) and its helpers: conversion to and
// from UTF-8 and the 8-bit code page (Windows-1251), 1-based position, copy and
// delete with the platform's bounds rules, decimal conversion and upper-casing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

using ustring = std::u16string;
using ustring_view = std::u16string_view;

// UTF-8 <-> UTF-16. Invalid input (bad bytes, lone surrogates) becomes U+FFFD.
ustring Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(ustring_view s);
// A UTF-8 literal as system text: u"…"_u is not needed, u"" literals work too.
inline ustring U(std::string_view utf8) { return Utf8ToUtf16(utf8); }

// The 8-bit "ANSI" code page of the program: Windows-1251. Bytes with no
// character (0x98) map to U+FFFD; characters outside the page become '?'.
ustring AnsiToUtf16(std::string_view s);
std::string Utf16ToAnsi(ustring_view s);

// 1-based position of the first occurrence of needle in haystack; 0 when there is
// none or when either is empty.
int Pos(ustring_view needle, ustring_view haystack);
// Up to count code units from 1-based index. An index below 1 counts as 1; an
// index past the end or a count of 0 or less gives an empty string.
ustring Copy(ustring_view s, int index, int count);
// Removes min(count, length - index + 1) units from 1-based index; does nothing
// when index < 1, index > length or count <= 0.
void Delete(ustring& s, int index, int count);

ustring IntToStr(std::int64_t v);
// Decimal integer with optional sign and surrounding blanks refused; nullopt
// on any other text or on overflow of 32 bits.
std::optional<std::int32_t> TryStrToInt(ustring_view s);
std::int32_t StrToIntDef(ustring_view s, std::int32_t def);

// Maps each code unit to one code unit: ASCII a-z and Cyrillic а-я, ё, and the
// other Cyrillic lower-case letters of U+0450..U+045F.
char16_t UpCaseChar(char16_t c);
char16_t LowCaseChar(char16_t c);
ustring UpperCase(ustring_view s);
ustring LowerCase(ustring_view s);

}  // namespace qv
