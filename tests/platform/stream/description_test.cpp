// The stored window description text: every value kind, round trips and
// errors that name the line.
#include "platform/stream/description.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr std::string_view kSample = R"(// sample form
object Form1: TForm1
  Caption = 'Ballora Quorvane [Версия 1.2]'
  Quote = 'it''s'#13#10'next' +
    ' line'
  ClientWidth = 516
  Color = $00FF8000
  Offset = -12
  Scale = 1.25
  Small = 2.5e-3
  Font.Name = 'Tahoma'
  Anchors = [akLeft, akBottom]
  NoAnchors = []
  OnCreate = FormCreate
  Items.Strings = (
    '4-3-3'
    '3-4-3')
  Empty = ''
  InternalSkins = <
    item
      Name = 'MetroUI (internal)'
      Data = {skins/metroui.asz}
    end>
  object sPageControl1: TsPageControl
    Left = 8
    object sTabSheet1: TsTabSheet
      Caption = 'Тактика'
    end
  end
  object sBitBtn4: TsBitBtn
  end
end
)";

TEST(Description, ReadsEveryValueKind) {
  const TDescObject root = ParseDescription(kSample, "sample.qvd");
  EXPECT_EQ(root.name, "Form1");
  EXPECT_EQ(root.class_name, "TForm1");
  EXPECT_EQ(root.line, 2);
  const auto& p = root.properties;
  ASSERT_EQ(p.size(), 14u);
  EXPECT_EQ(p[0].value.text, u"Ballora Quorvane [Версия 1.2]");
  EXPECT_EQ(p[1].value.text, u"it's\r\nnext line");
  EXPECT_EQ(p[2].value.integer, 516);
  EXPECT_EQ(p[3].value.integer, 0x00FF8000);
  EXPECT_EQ(p[4].value.integer, -12);
  EXPECT_EQ(p[5].value.kind, TDescValue::Kind::Float);
  EXPECT_EQ(p[5].value.number, 1.25);
  EXPECT_EQ(p[6].value.number, 2.5e-3);
  EXPECT_EQ(p[7].name, "Font.Name");
  EXPECT_EQ(p[8].value.set, (std::vector<std::string>{"akLeft", "akBottom"}));
  EXPECT_TRUE(p[9].value.set.empty());
  EXPECT_EQ(p[10].value.kind, TDescValue::Kind::Ident);
  EXPECT_EQ(p[10].value.ident, "FormCreate");
  ASSERT_EQ(p[11].value.list.size(), 2u);
  EXPECT_EQ(p[11].value.list[1].text, u"3-4-3");
  EXPECT_EQ(p[12].value.text, u"");
  ASSERT_EQ(p[13].value.items.size(), 1u);
  EXPECT_EQ(p[13].value.items[0][1].value.kind, TDescValue::Kind::Binary);
  EXPECT_EQ(p[13].value.items[0][1].value.ident, "skins/metroui.asz");
  EXPECT_EQ(p[13].value.items[0][1].line, 22);
  ASSERT_EQ(root.children.size(), 2u);
  EXPECT_EQ(root.children[0].children[0].properties[0].value.text, u"Тактика");
  EXPECT_EQ(root.children[1].name, "sBitBtn4");
}

void ExpectSameTree(const TDescObject& a, const TDescObject& b) {
  // The writer's text is canonical: writing both and comparing covers every field.
  EXPECT_EQ(WriteDescription(a), WriteDescription(b));
}

TEST(Description, RoundTripIsExact) {
  const TDescObject root = ParseDescription(kSample, "sample.qvd");
  const std::string written = WriteDescription(root);
  const TDescObject again = ParseDescription(written, "written.qvd");
  ExpectSameTree(root, again);
  EXPECT_EQ(again.properties[1].value.text, u"it's\r\nnext line");
  EXPECT_EQ(again.properties[5].value.number, 1.25);
  EXPECT_EQ(again.properties[3].value.integer, 0x00FF8000);
}

TEST(Description, WriterKeepsAwkwardTextAndNumbers) {
  TDescObject obj{"A", "TA", {}, {}, 0};
  TDescValue text;
  text.kind = TDescValue::Kind::String;
  text.text =
      u"'\x01"
      u"Ё"
      u"\xD800"
      u"z";  // quote, control, Cyrillic, lone surrogate
  obj.properties.push_back({"T", text, 0});
  TDescValue whole;
  whole.kind = TDescValue::Kind::Float;
  whole.number = 3.0;  // must stay a decimal, not turn into an integer
  obj.properties.push_back({"F", whole, 0});
  const TDescObject back = ParseDescription(WriteDescription(obj), "x");
  EXPECT_EQ(back.properties[0].value.text, text.text);
  EXPECT_EQ(back.properties[1].value.kind, TDescValue::Kind::Float);
  EXPECT_EQ(back.properties[1].value.number, 3.0);
}

struct BadCase {
  const char* text;
  int line;
  const char* says;
};

TEST(Description, ErrorsNameFileAndLine) {
  const BadCase cases[] = {
      {"object A: TA\n  X = 'open\nend\n", 2, "unterminated string"},
      {"object A: TA\n  X = 1\n", 3, "'end' expected"},
      {"object A TA\nend\n", 1, "':' expected"},
      {"object A: TA\n  X = 99999999999999999999\nend\n", 2, "bad integer"},
      {"object A: TA\n  X = [a,]\nend\n", 2, "identifier expected"},
      {"object A: TA\nend\nobject B: TB\nend\n", 3, "text after the end"},
      {"object A: TA\n\n  Y = @\nend\n", 3, "unexpected character"},
      {"object A: TA\n  D = {}\nend\n", 2, "empty resource name"},
      {"", 1, "'object' expected"},
  };
  for (const auto& c : cases) {
    try {
      ParseDescription(c.text, "form.qvd");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const TDescriptionError& e) {
      EXPECT_EQ(e.line(), c.line) << c.text;
      const std::string what = e.what();
      EXPECT_EQ(what.rfind("form.qvd:" + std::to_string(c.line) + ": ", 0), 0u) << what;
      EXPECT_NE(what.find(c.says), std::string::npos) << what;
    }
  }
}

TEST(Description, DeepNestingIsRefusedNotOverflowed) {
  std::string text = "object A: TA\n  X = ";
  text += std::string(100000, '(');
  EXPECT_THROW(ParseDescription(text, "deep"), TDescriptionError);
}

}  // namespace
}  // namespace qv
