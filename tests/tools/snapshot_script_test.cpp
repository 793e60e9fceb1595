// Reading automation scripts: each action's arguments and their limits,
// comments, the verbatim text of "type", key chords and the characters they
// type, line numbers in errors, and the bytes a line may not hold; the JSON
// strings of the dump; the --game-host value.
#include <gtest/gtest.h>

#include "platform/window/keys.h"
#include "tools/snapshot/dump.h"
#include "tools/snapshot/host_option.h"
#include "tools/snapshot/key_names.h"
#include "tools/snapshot/script.h"
#include "tools/snapshot/ui_drive.h"

namespace qv::script {
namespace {

TAction One(std::string_view text) {
  const std::vector<TAction> a = ParseScript(text);
  EXPECT_EQ(a.size(), 1u) << text;
  return a.empty() ? TAction() : a[0];
}

// The message of the error the script raises; empty when it parses.
std::string ErrorOf(std::string_view text) {
  try {
    ParseScript(text);
  } catch (const EScriptError& e) {
    return e.what();
  }
  return "";
}

TEST(ScriptParse, ActionsWithTheirArguments) {
  const auto a = ParseScript(
      "page 3\nclick sBitBtn1\nselect sComboBox3 2\ndrag sTrackBar1 -40 +5\n"
      "hover sLabel1\nwait 250\nshot dir/a.png\ndump\n");
  ASSERT_EQ(a.size(), 8u);
  EXPECT_EQ(a[0].kind, TActionKind::Page);
  EXPECT_EQ(a[0].number, 3);
  EXPECT_EQ(a[1].kind, TActionKind::Click);
  EXPECT_EQ(a[1].name, "sBitBtn1");
  EXPECT_EQ(a[2].kind, TActionKind::Select);
  EXPECT_EQ(a[2].name, "sComboBox3");
  EXPECT_EQ(a[2].number, 2);
  EXPECT_EQ(a[3].dx, -40);
  EXPECT_EQ(a[3].dy, 5);
  EXPECT_EQ(a[4].kind, TActionKind::Hover);
  EXPECT_EQ(a[5].number, 250);
  EXPECT_EQ(a[6].file, "dir/a.png");
  EXPECT_EQ(a[7].kind, TActionKind::Dump);
  EXPECT_TRUE(a[7].names.empty());
  EXPECT_EQ(One("dump sLabel1  sp1 # the two").names, (std::vector<std::string>{"sLabel1", "sp1"}));
  for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].line, static_cast<int>(i + 1));
}

TEST(ScriptParse, CommentsBlankLinesAndLineEndings) {
  const auto a =
      ParseScript("\xEF\xBB\xBF# heading\r\n\r\n  \t\n  click  x   # why\r\nwait 5 #6\n");
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].line, 4);
  EXPECT_EQ(a[0].source, "click  x");
  // "#" only starts a comment at the start of a word.
  EXPECT_EQ(ErrorOf("wait 5#6"), "line 1: wait takes from 0 to 600000 milliseconds, not \"5#6\"");
  EXPECT_TRUE(ParseScript("").empty());
  EXPECT_TRUE(ParseScript("# only\n#\n").empty());
}

TEST(ScriptParse, TypeKeepsTheRestOfItsLine) {
  const TAction a = One("type cbUserLogin  Вася  Пупкин #1 \r\n");
  EXPECT_EQ(a.kind, TActionKind::Type);
  EXPECT_EQ(a.name, "cbUserLogin");
  EXPECT_EQ(a.text, u"Вася  Пупкин #1 ");
  EXPECT_EQ(ErrorOf("type cbUserLogin"), "line 1: type takes a control name and the text to type");
  EXPECT_EQ(ErrorOf("type cbUserLogin   "),
            "line 1: type takes a control name and the text to type");
}

TEST(ScriptParse, KeysAndChords) {
  const TAction a = One("key sEdit Ctrl+A shift+HOME BackSpace f12 Ctrl+Alt+Tab 7");
  ASSERT_EQ(a.keys.size(), 6u);
  EXPECT_EQ(a.keys[0].vk, 'A');
  EXPECT_TRUE(a.keys[0].ctrl);
  EXPECT_FALSE(a.keys[0].shift);
  EXPECT_EQ(a.keys[1].vk, VK_HOME);
  EXPECT_TRUE(a.keys[1].shift);
  EXPECT_EQ(a.keys[2].vk, VK_BACK);
  EXPECT_EQ(a.keys[3].vk, VK_F12);
  EXPECT_TRUE(a.keys[4].ctrl && a.keys[4].alt && !a.keys[4].shift);
  EXPECT_EQ(a.keys[4].vk, VK_TAB);
  EXPECT_EQ(a.keys[5].vk, '7');

  for (const char* bad :
       {"Ctrl+", "Ctrl++", "+A", "Ctrl+Ctrl+A", "Hyper+A", "F0", "F13", "F01", "AB", "Ctrl"})
    EXPECT_FALSE(ParseKeyChord(bad)) << bad;
  EXPECT_EQ(ErrorOf("key x Right Sideways"), "line 1: unknown key \"Sideways\"");
  EXPECT_EQ(ErrorOf("key x"), "line 1: key takes a control name and one or more keys");
}

TEST(ScriptParse, PressTakesKeysAndNoControl) {
  const TAction a = One("press Tab Ctrl+Shift+Tab alt+F4 # where the focus is");
  EXPECT_EQ(a.kind, TActionKind::Press);
  EXPECT_EQ(a.name, "");
  EXPECT_EQ(a.source, "press Tab Ctrl+Shift+Tab alt+F4");
  ASSERT_EQ(a.keys.size(), 3u);
  EXPECT_EQ(a.keys[0].vk, VK_TAB);
  EXPECT_TRUE(a.keys[1].ctrl && a.keys[1].shift && !a.keys[1].alt);
  EXPECT_EQ(a.keys[2].vk, VK_F4);
  EXPECT_TRUE(a.keys[2].alt);
  EXPECT_EQ(ErrorOf("press"), "line 1: press takes one or more keys");
  EXPECT_EQ(ErrorOf("press # nothing"), "line 1: press takes one or more keys");
  EXPECT_EQ(ErrorOf("press sComboBox1 Down"), "line 1: unknown key \"sComboBox1\"");
}

TEST(ScriptKeys, AChordTypesWhatAKeyboardWould) {
  const auto typed = [](std::string_view name) {
    const auto chord = ParseKeyChord(name);
    return chord ? drive::TypedChar(*chord) : char16_t(0xFFFF);
  };
  EXPECT_EQ(typed("a"), u'a');
  EXPECT_EQ(typed("Shift+A"), u'A');
  EXPECT_EQ(typed("7"), u'7');
  EXPECT_EQ(typed("Space"), u' ');
  EXPECT_EQ(typed("Shift+Space"), u' ');
  for (const char* none : {"Ctrl+A", "Alt+A", "Alt+Space", "Shift+7", "Enter", "Tab", "Escape",
                           "BackSpace", "F4", "Left"})
    EXPECT_EQ(typed(none), 0) << none;
}

TEST(ScriptParse, MalformedLinesNameTheirLine) {
  EXPECT_EQ(ErrorOf("dump\nclick\n"), "line 2: click takes a control name");
  EXPECT_EQ(ErrorOf("\n\njump x"), "line 3: unknown action \"jump\"");
  EXPECT_EQ(ErrorOf("Click x"), "line 1: unknown action \"Click\"");
  EXPECT_EQ(ErrorOf("click a b"), "line 1: click takes a control name");
  EXPECT_EQ(ErrorOf("page 0"), "line 1: page takes a page number from 1, not \"0\"");
  EXPECT_EQ(ErrorOf("page 2x"), "line 1: page takes a page number from 1, not \"2x\"");
  EXPECT_EQ(ErrorOf("select c -1"), "line 1: select takes an item index from 0, not \"-1\"");
  EXPECT_EQ(ErrorOf("select c 99999999999999999999"),
            "line 1: select takes an item index from 0, not \"99999999999999999999\"");
  EXPECT_EQ(ErrorOf("wait 600001"),
            "line 1: wait takes from 0 to 600000 milliseconds, not \"600001\"");
  EXPECT_EQ(ErrorOf("wait +-5"), "line 1: wait takes from 0 to 600000 milliseconds, not \"+-5\"");
  EXPECT_EQ(ErrorOf("drag t 10001 0"),
            "line 1: drag takes distances from -10000 to 10000, not \"10001\"");
  EXPECT_EQ(ErrorOf("drag t 1"), "line 1: drag takes a control name and two distances");
  EXPECT_EQ(ErrorOf("wait 10\nwait 10 20"), "line 2: wait takes a number of milliseconds");
}

TEST(ScriptParse, ShotsStayInsideTheOutputFolder) {
  EXPECT_EQ(One("shot a/b/c.png").file, "a/b/c.png");
  for (const char* bad :
       {"/etc/x.png", "../x.png", "a/../../x.png", "a//b.png", "a/", ".", "a\\b.png"})
    EXPECT_NE(ErrorOf(std::string("shot ") + bad), "") << bad;
  EXPECT_EQ(ErrorOf("shot"), "line 1: shot takes a file name");
}

TEST(ScriptParse, BytesALineMayNotHold) {
  EXPECT_EQ(ErrorOf(std::string("click a\0b", 9)), "line 1: holds a control character");
  EXPECT_EQ(ErrorOf("dump\ntype e a\x1b[2J"), "line 2: holds a control character");
  EXPECT_EQ(ErrorOf("type e \xC3\x28"), "line 1: is not valid UTF-8");
  EXPECT_EQ(ErrorOf("type e \xC0\xAF"), "line 1: is not valid UTF-8");      // overlong "/"
  EXPECT_EQ(ErrorOf("type e \xED\xA0\x80"), "line 1: is not valid UTF-8");  // a surrogate
  EXPECT_EQ(One("type e \tx\t").text, u"x\t");
}

TEST(ScriptDump, JsonStringsEscapeWhatTheyMust) {
  EXPECT_EQ(JsonString(u"plain"), "\"plain\"");
  EXPECT_EQ(JsonString(u"a\"b\\c/d"), "\"a\\\"b\\\\c/d\"");
  EXPECT_EQ(JsonString(u"\n\r\t\b\f"), "\"\\n\\r\\t\\b\\f\"");
  EXPECT_EQ(JsonString(ustring(u"\x01\x1f\x7f") + u'\0'), "\"\\u0001\\u001f\\u007f\\u0000\"");
  EXPECT_EQ(JsonString(u"Схема: 4-4-2 ✓"), "\"Схема: 4-4-2 ✓\"");
  // A lone surrogate cannot be written as UTF-8: it becomes U+FFFD.
  EXPECT_EQ(JsonString(ustring(1, char16_t(0xD800))), "\"\xEF\xBF\xBD\"");
}

TEST(ScriptOptions, GameHostIsAHostAndAPort) {
  for (const char* good : {"127.0.0.1:8080", "localhost", "www.ballora.example", "h:1", "h:65535"})
    EXPECT_TRUE(ValidGameHost(good)) << good;
  for (const char* bad : {"", "127.0.0.1:", "h:0", "h:65536", "h:80x", "a b", "h/p", ":80", "-h",
                          ".h", "h@x", "h:123456", "h:8080/x", "ж.example"})
    EXPECT_FALSE(ValidGameHost(bad)) << bad;
}

}  // namespace
}  // namespace qv::script
