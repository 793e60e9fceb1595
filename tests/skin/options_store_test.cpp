// The options store: INI grammar, case-sensitive names, number reading.
#include "skin/options_store.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TMemIniFile Ini(const std::vector<ustring>& lines) {
  TMemIniFile ini;
  ini.SetStrings(lines);
  return ini;
}

TEST(OptionsStore, GrammarOfLinesSectionsAndKeys) {
  const TMemIniFile ini =
      Ini({u"ORPHAN=1", u"  [ GLOBALINFO ]  ", u"; comment=1", u"", u" COLOR = 0x00FF00 ", u"A=B=C",
           u"FLAG", u"EMPTY=", u"[Second]", u"K=1", u"[GLOBALINFO]", u"LATE=2", u"COLOR=5"});
  EXPECT_EQ(ini.ReadSections(), (std::vector<ustring>{u"GLOBALINFO", u"Second"}));
  EXPECT_FALSE(ini.ValueExists(u"GLOBALINFO", u"ORPHAN"));
  EXPECT_FALSE(ini.ValueExists(u"GLOBALINFO", u"; comment"));
  EXPECT_EQ(ini.ReadString(u"GLOBALINFO", u"COLOR", u"?"), u"0x00FF00");
  EXPECT_EQ(ini.ReadString(u"GLOBALINFO", u"A", u"?"), u"B=C");
  EXPECT_TRUE(ini.ValueExists(u"GLOBALINFO", u"FLAG"));
  EXPECT_EQ(ini.ReadString(u"GLOBALINFO", u"FLAG", u"?"), u"");
  EXPECT_EQ(ini.ReadString(u"GLOBALINFO", u"EMPTY", u"?"), u"");
  // A repeated section continues the first; the first value of a key counts.
  EXPECT_EQ(ini.ReadInteger(u"GLOBALINFO", u"LATE", 0), 2);
  EXPECT_EQ(ini.ReadInteger(u"GLOBALINFO", u"COLOR", 0), 0x00FF00);
  const auto& keys = ini.SectionValues(u"GLOBALINFO");
  ASSERT_EQ(keys.size(), 5u);
  EXPECT_EQ(keys[0].Key, u"COLOR");
  EXPECT_EQ(keys[4].Key, u"LATE");
}

TEST(OptionsStore, NamesAreCaseSensitive) {
  const TMemIniFile ini = Ini({u"[GLOBALINFO]", u"MainFont=Tahoma"});
  EXPECT_EQ(ini.ReadString(u"GLOBALINFO", u"MainFont", u""), u"Tahoma");
  EXPECT_EQ(ini.ReadString(u"GLOBALINFO", u"MAINFONT", u"none"), u"none");
  EXPECT_FALSE(ini.SectionExists(u"GlobalInfo"));
  EXPECT_EQ(ini.ReadString(u"X", u"MainFont", u"def"), u"def");
}

TEST(OptionsStore, IntegersDecimalHexAndDefaults) {
  EXPECT_EQ(TryParseSkinInt(u"-12"), -12);
  EXPECT_EQ(TryParseSkinInt(u"+7"), 7);
  EXPECT_EQ(TryParseSkinInt(u"0x1F"), 0x1F);
  EXPECT_EQ(TryParseSkinInt(u"0XfF"), 0xFF);
  EXPECT_EQ(TryParseSkinInt(u"$10"), 16);
  // Eight hex digits fill all 32 bits: ARGB colours read negative.
  EXPECT_EQ(TryParseSkinInt(u"0x99000000"), static_cast<std::int32_t>(0x99000000u));
  EXPECT_EQ(TryParseSkinInt(u"$1FFFFFFFF"), std::nullopt);
  EXPECT_EQ(TryParseSkinInt(u"4294967295"), std::nullopt);
  EXPECT_EQ(TryParseSkinInt64(u"4294967295"), 4294967295LL);
  for (const ustring bad : {u"", u"0x", u"$", u"12a", u"1 2", u"+-1", u"--1", u"x"})
    EXPECT_EQ(TryParseSkinInt(bad), std::nullopt) << Utf16ToUtf8(bad);
  const TMemIniFile ini = Ini({u"[S]", u"BAD=abc", u"NEG=-5"});
  EXPECT_EQ(ini.ReadInteger(u"S", u"BAD", 42), 42);
  EXPECT_EQ(ini.ReadInteger(u"S", u"NEG", 42), -5);
  EXPECT_EQ(ini.ReadInteger(u"S", u"MISSING", 42), 42);
}

TEST(OptionsStore, VersionUsesPointWhateverTheLocale) {
  EXPECT_EQ(TryParseDecimal(u"14.01"), 14.01);
  EXPECT_EQ(TryParseDecimal(u"-0.5"), -0.5);
  EXPECT_EQ(TryParseDecimal(u"10"), 10.0);
  EXPECT_EQ(TryParseDecimal(u"14,01"), std::nullopt);
  EXPECT_EQ(TryParseDecimal(u"1.2.3"), std::nullopt);
  EXPECT_EQ(TryParseDecimal(u""), std::nullopt);
  const TMemIniFile ini = Ini({u"[GLOBALINFO]", u"VERSION=14,01"});
  EXPECT_EQ(ini.ReadDecimal(u"GLOBALINFO", u"VERSION", 0), 0);
}

TEST(OptionsStore, TextEncodingsByByteOrderMark) {
  const std::vector<std::uint8_t> utf8 = {0xEF, 0xBB, 0xBF, 'A', '=', 0xD0, 0x96, '\r', '\n', 'B'};
  EXPECT_EQ(TextLinesFromBytes(utf8), (std::vector<ustring>{u"A=\u0416", u"B"}));
  const std::vector<std::uint8_t> le = {0xFF, 0xFE, 'A', 0, '\n', 0, 0x16, 0x04};
  EXPECT_EQ(TextLinesFromBytes(le), (std::vector<ustring>{u"A", u"\u0416"}));
  const std::vector<std::uint8_t> be = {0xFE, 0xFF, 0, 'A', 0, '\r', 0x04, 0x16};
  EXPECT_EQ(TextLinesFromBytes(be), (std::vector<ustring>{u"A", u"\u0416"}));
  // Without a mark: the 8-bit code page (0xC6 is Ж).
  const std::vector<std::uint8_t> ansi = {'X', '=', 0xC6, '\r', '\r', 'Y'};
  EXPECT_EQ(TextLinesFromBytes(ansi), (std::vector<ustring>{u"X=\u0416", u"", u"Y"}));
}

}  // namespace
}  // namespace qv
