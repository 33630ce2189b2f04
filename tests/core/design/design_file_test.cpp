// The design file: the strict JSON reader, the design's mistakes with their keys and lines,
// canonical writing and the round trip.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "core/base/json.h"
#include "core/design/design_file.h"

namespace strevo {
namespace {

namespace fs = std::filesystem;
using Kind = JsonValue::Kind;

std::string ExampleText() {
  std::ifstream in(STREVO_DESIGN_EXAMPLE, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The example with `from` replaced once by `to`; the test fails when `from` is not in it.
std::string ExampleWith(const std::string& from, const std::string& to) {
  std::string text = ExampleText();
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(JsonParse, ValuesRememberTheirLinesAndMembersTheirKeys) {
  const JsonValue root = ParseJson(
      "\r\n{ \"a\": [1, -2.5e2, 0.125],\n  \"b\":\n    true, \"c\": null,\n"
      "  \"d\": { \"e\": \"x\" }, \"f\": false }  \n");
  ASSERT_EQ(root.kind, Kind::Object);
  EXPECT_EQ(root.line, 2);
  ASSERT_EQ(root.members.size(), 5u);
  const JsonValue& a = root.members[0].value;
  ASSERT_EQ(a.kind, Kind::Array);
  ASSERT_EQ(a.items.size(), 3u);
  EXPECT_EQ(a.items[1].number, -250);
  EXPECT_EQ(a.items[2].number, 0.125);
  EXPECT_EQ(root.members[1].key, "b");
  EXPECT_EQ(root.members[1].line, 3);  // the key's line, the value stands on the next
  EXPECT_EQ(root.members[1].value.line, 4);
  EXPECT_TRUE(root.members[1].value.boolean);
  EXPECT_EQ(root.members[2].value.kind, Kind::Null);
  EXPECT_EQ(root.members[3].value.members[0].value.text, "x");
  EXPECT_EQ(root.members[3].line, 5);
  EXPECT_EQ(root.members[4].value.kind, Kind::Boolean);
  EXPECT_FALSE(root.members[4].value.boolean);
}

TEST(JsonParse, EscapesAndSurrogatePairsBecomeUtf8) {
  // U+00E4 is C3 A4 in UTF-8, U+1F600 (the pair D83D DE00) F0 9F 98 80.
  EXPECT_EQ(ParseJson(R"("\u00e4\uD83D\uDE00\n\t\"\\\/\b\f\r")").text,
            "\xC3\xA4\xF0\x9F\x98\x80\n\t\"\\/\b\f\r");
  EXPECT_EQ(ParseJson("\"Stütze \xE2\x80\x9E\"").text, "Stütze \xE2\x80\x9E");
  const std::string awkward = std::string("a\"b\\c\x01\x1f\n") + '\0' + "Ä";
  EXPECT_EQ(ParseJson(JsonString(awkward)).text, awkward);
}

TEST(JsonParse, NumbersBeyondTheDoubleRangeAreInfiniteOrZero) {
  EXPECT_EQ(ParseJson("1e400").number, std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseJson("-12345.6e305").number, -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseJson("0.00001e-320").number, 0.0);
  EXPECT_EQ(ParseJson("-1e-400").number, 0.0);
  EXPECT_TRUE(std::signbit(ParseJson("-1e-400").number));
  EXPECT_EQ(ParseJson("0e99999999999999999999").number, 0.0);
  EXPECT_EQ(ParseJson("1.7976931348623157e308").number, std::numeric_limits<double>::max());
}

TEST(JsonParse, RefusesWhatIsNoStrictJsonAtItsLine) {
  struct Bad {
    std::string text;
    int line;
    std::string says;
  };
  const std::vector<Bad> bad = {
      {"{\n  \"a\": 1,\n}", 3, "Komma zu viel"},
      {"[1,\n2,\n]", 3, "Komma zu viel"},
      {"{\"a\": 1, // Stütze\n\"b\": 2}", 1, "Kommentar"},
      {"/* x */ {}", 1, "Kommentar"},
      {"{\n\"a\": 1,\n\"a\": 2}", 3, "„a“ steht zweimal"},
      {"{}\n\nx", 3, "nach dem Ende der Daten steht noch „x“"},
      {"", 1, "erwartet wird ein Wert, dort steht das Ende"},
      {"\n[1 2]", 2, "erwartet wird „,“ oder „]“, dort steht „2“"},
      {"{\"a\" 1}", 1, "erwartet wird „:“"},
      {"{a: 1}", 1, "ein Schlüssel in Anführungszeichen"},
      {"[tru]", 1, "erwartet wird ein Wert, dort steht „t“"},
      {"NaN", 1, "erwartet wird ein Wert"},
      {"[Infinity]", 1, "erwartet wird ein Wert"},
      {"[+1]", 1, "erwartet wird ein Wert, dort steht „+“"},
      {"[.5]", 1, "erwartet wird ein Wert"},
      {"\n\n01", 3, "überflüssigen 0"},
      {"-", 1, "Minuszeichen"},
      {"1.", 1, "Dezimalpunkt"},
      {"1e+", 1, "Exponenten"},
      {"\"ab", 1, "endet nicht"},
      {"\"a\nb\"", 1, "muss maskiert werden"},
      {R"("\x")", 1, "nach „\\“ steht „x“"},
      {R"("\u12G4")", 1, "vier Hexadezimalziffern"},
      {R"("\uD800")", 1, "fehlt die zweite"},
      {R"("\uD800\u0041")", 1, "fehlt die zweite"},
      {R"("\uDC00")", 1, "zweiten Hälfte"},
      {"\"\xC3\"", 1, "kein UTF-8"},
      {"\"\xC0\xAF\"", 1, "kein UTF-8"},          // overlong "/"
      {"\"\xED\xA0\x80\"", 1, "kein UTF-8"},      // a surrogate written out
      {"\"\xF4\x90\x80\x80\"", 1, "kein UTF-8"},  // beyond U+10FFFF
      {"\xE2\x80\x9E"
       "a\"",
       1, "dort steht „„“"},  // a German opening quote
  };
  for (const Bad& b : bad) {
    try {
      ParseJson(b.text);
      ADD_FAILURE() << "accepted: " << b.text;
    } catch (const JsonError& error) {
      EXPECT_EQ(error.line(), b.line) << b.text;
      const std::string message = error.what();
      EXPECT_EQ(message.rfind("Zeile " + std::to_string(b.line) + ": ", 0), 0u) << message;
      EXPECT_NE(message.find(b.says), std::string::npos) << message;
    }
  }
}

TEST(JsonParse, NestsSixtyFourDeepAndNoDeeper) {
  EXPECT_NO_THROW(ParseJson(std::string(64, '[') + std::string(64, ']')));
  EXPECT_THROW(ParseJson(std::string(65, '[') + std::string(65, ']')), JsonError);
  EXPECT_THROW(ParseJson(std::string(100000, '[')), JsonError);
}

// Every value against the example in the file's description.
TEST(DesignFile, ReadsTheExampleAndWritesItBackByteForByte) {
  const std::string text = ExampleText();
  const Design design = ReadDesign(text);
  EXPECT_EQ(design.project.title, "Halle Nord");
  EXPECT_EQ(design.project.position, "Pos. 1 Rahmenachse 2");
  EXPECT_EQ(design.project.author, "");
  EXPECT_EQ(design.system, SystemType::TwoHingedFrame);
  EXPECT_EQ(design.h, 6.0);
  EXPECT_EQ(design.L, 15.0);
  EXPECT_EQ(design.columns.section, "HE 300 A");
  EXPECT_EQ(design.beam.section, "IPE 450");
  EXPECT_EQ(design.settings.grade, SteelGrade::S235);
  EXPECT_EQ(design.settings.swayLimit, 150);
  EXPECT_EQ(design.settings.deflectionLimit, 300);
  EXPECT_TRUE(design.selfWeight);
  EXPECT_FALSE(design.restraints.columns || design.restraints.beam);
  ASSERT_EQ(design.loadCases.size(), 4u);
  const DesignCase& wind = design.loadCases[2];
  EXPECT_EQ(wind.name, "Wind");
  EXPECT_EQ(wind.action, Action::Wind);
  EXPECT_EQ(wind.loads.wD, 3.0);
  EXPECT_EQ(wind.loads.wS, 1.5);
  EXPECT_EQ(wind.loads.q, -1.2);
  EXPECT_EQ(wind.loads.F, 0);
  const DesignCase& storage = design.loadCases[3];
  EXPECT_EQ(storage.action, Action::Imposed);
  EXPECT_EQ(storage.category, 'E');
  EXPECT_EQ(storage.loads.F, 40.0);
  EXPECT_EQ(storage.loads.a, 5.0);
  EXPECT_EQ(design.loadCases[1].action, Action::Snow);
  EXPECT_FALSE(design.loadCases[1].over1000m);
  // Written, a version 1 file becomes version 2 and is otherwise the same.
  EXPECT_EQ(WriteDesign(design), ExampleWith("\"version\": 1", "\"version\": 2"));
}

// The wind case of the file's description, with its partial and point loads, written as read.
constexpr const char* kVersion2 = R"({
  "format": "strevo-bemessung",
  "version": 2,
  "project": { "title": "Halle Süd", "position": "", "author": "" },
  "system": 2,
  "h": 5.5,
  "L": 12.0,
  "columns": "HE 240 A",
  "beam": "IPE 400",
  "steel": "S355",
  "limits": { "sway": 150, "deflection": 300 },
  "selfWeight": true,
  "loadCases": [
    { "name": "Dach", "action": "G", "q": 3.5 },
    { "name": "Wind quer, Innendruck", "action": "W", "wD": 2.1, "wS": 1.3, "partial": [ { "q": -2.9, "from": 0.0, "to": 1.2 }, { "q": -1.7, "from": 1.2, "to": 6.0 } ], "points": [ { "F": 12.0, "a": 3.0 }, { "F": 12.0, "a": 9.0 } ] },
    { "name": "Kran", "action": "Q", "category": "E", "F": 20.0, "a": 4.0, "points": [ { "F": -5.5, "a": 12.0 } ] }
  ]
})";

TEST(DesignFile, PartialAndPointLoadsReadAndWriteBackByteForByte) {
  const std::string text = std::string(kVersion2) + "\n";
  const Design design = ReadDesign(text);
  ASSERT_EQ(design.loadCases.size(), 3u);
  EXPECT_TRUE(design.loadCases[0].partial.empty());
  EXPECT_TRUE(design.loadCases[0].points.empty());
  const DesignCase& wind = design.loadCases[1];
  EXPECT_EQ(wind.partial, (std::vector<PartialBeamLoad>{{-2.9, 0.0, 1.2}, {-1.7, 1.2, 6.0}}));
  EXPECT_EQ(wind.points, (std::vector<BeamPointLoad>{{3.0, 12.0}, {9.0, 12.0}}));
  EXPECT_EQ(wind.loads.wD, 2.1);
  const DesignCase& crane = design.loadCases[2];
  EXPECT_EQ(crane.loads.F, 20.0);
  EXPECT_EQ(crane.points, (std::vector<BeamPointLoad>{{12.0, -5.5}}));  // at the beam's end
  const std::string written = WriteDesign(design);
  EXPECT_EQ(written, text);
  EXPECT_NE(written.find("\n  \"version\": 2,\n"), std::string::npos);
  EXPECT_EQ(ReadDesign(written), design);
}

TEST(DesignFile, AVersion1FileMeansWhatItMeantAndMayHoldFurtherLoads) {
  const Design v1 = ReadDesign(ExampleText());
  EXPECT_EQ(ReadDesign(ExampleWith("\"version\": 1", "\"version\": 2")), v1);
  for (const DesignCase& loadCase : v1.loadCases) {
    EXPECT_TRUE(loadCase.partial.empty() && loadCase.points.empty()) << loadCase.name;
  }
  const Design extended = ReadDesign(ExampleWith(
      "\"q\": 8.0", "\"q\": 8.0, \"partial\": [ { \"q\": 2.0, \"from\": 0.0, \"to\": 3.0 } ]"));
  EXPECT_EQ(extended.loadCases[1].partial, (std::vector<PartialBeamLoad>{{2.0, 0.0, 3.0}}));
  // Empty lists are no loads and are not written.
  const Design empty =
      ReadDesign(ExampleWith("\"q\": 8.0", "\"q\": 8.0, \"partial\": [], \"points\": []"));
  EXPECT_EQ(empty, v1);
  EXPECT_EQ(WriteDesign(empty).find("partial"), std::string::npos);
}

TEST(DesignFile, LeftOutKeysTakeTheirDefaults) {
  const Design design = ReadDesign(R"({"format": "strevo-bemessung", "version": 1, "system": 2,
    "h": 4, "L": 10, "columns": {"I": 18260}, "beam": "HE 200 B",
    "loadCases": [{"name": "Nutzlast", "action": "Q", "category": "A"}]})");
  EXPECT_EQ(design.project, ProjectHeader{});
  EXPECT_EQ(design.system, SystemType::FixedFrame);
  EXPECT_EQ(design.columns, (MemberChoice{"", 18260}));
  EXPECT_EQ(design.settings, CheckSettings{});
  EXPECT_EQ(design.settings.grade, SteelGrade::S235);
  EXPECT_TRUE(design.selfWeight);
  EXPECT_EQ(design.restraints, Restraints{});
  ASSERT_EQ(design.loadCases.size(), 1u);
  EXPECT_EQ(design.loadCases[0].loads.q, 0);
  EXPECT_EQ(design.loadCases[0].loads.a, 0);
  EXPECT_FALSE(design.loadCases[0].over1000m);
}

TEST(DesignFile, WritesTheOptionalPartsOnlyWhereTheyAreSet) {
  Design design;
  design.system = SystemType::KinkedBeam;
  design.h = 1e21;
  design.L = 0.1 + 0.2;
  design.columns = {"", 18260};
  design.beam = {"IPE 300", 0};
  design.settings = {SteelGrade::S355, 200, 250};
  design.selfWeight = false;
  design.restraints.beam = 3.75;
  design.loadCases = {{"Schnee hoch", Action::Snow, 'A', true, {2.5, 0, 0, 0, 0}},
                      {"Dach", Action::Imposed, 'H', false, {0, -3, 0.3, 0, 0}}};
  EXPECT_EQ(WriteDesign(design),
            "{\n"
            "  \"format\": \"strevo-bemessung\",\n"
            "  \"version\": 2,\n"
            "  \"project\": { \"title\": \"\", \"position\": \"\", \"author\": \"\" },\n"
            "  \"system\": 0,\n"
            "  \"h\": 1e+21,\n"
            "  \"L\": 0.30000000000000004,\n"
            "  \"columns\": { \"I\": 18260.0 },\n"
            "  \"beam\": \"IPE 300\",\n"
            "  \"steel\": \"S355\",\n"
            "  \"limits\": { \"sway\": 200, \"deflection\": 250 },\n"
            "  \"selfWeight\": false,\n"
            "  \"restraints\": { \"beam\": 3.75 },\n"
            "  \"loadCases\": [\n"
            "    { \"name\": \"Schnee hoch\", \"action\": \"S\", \"altitude\": \"over1000\", "
            "\"q\": 2.5 },\n"
            "    { \"name\": \"Dach\", \"action\": \"Q\", \"category\": \"H\", \"F\": -3.0, "
            "\"a\": 0.3 }\n"
            "  ]\n"
            "}\n");
  EXPECT_EQ(ReadDesign(WriteDesign(design)), design);
  design.loadCases.clear();
  design.restraints = {1e20, std::nullopt};
  const std::string text = WriteDesign(design);
  EXPECT_NE(text.find("  \"restraints\": { \"columns\": 1e+20 },\n  \"loadCases\": []\n}"),
            std::string::npos)
      << text;
  // Saved while being edited; opened, it says what it lacks.
  try {
    ReadDesign(text);
    ADD_FAILURE() << "a design without load cases was read";
  } catch (const DesignFileError& error) {
    EXPECT_EQ(error.key(), "loadCases");
    EXPECT_EQ(error.line(), 14);
  }
}

// A design being edited may hold a number JSON cannot write: it is saved as null, and opening
// the file names it.
TEST(DesignFile, ANonFiniteNumberIsWrittenAsNullAndRefusedAtItsLine) {
  Design design = ReadDesign(ExampleText());
  design.loadCases[2].loads.wS = std::numeric_limits<double>::quiet_NaN();
  const std::string text = WriteDesign(design);
  EXPECT_NE(text.find("\"wS\": null"), std::string::npos);
  try {
    ReadDesign(text);
    ADD_FAILURE() << text;
  } catch (const DesignFileError& error) {
    EXPECT_EQ(error.line(), 16);
    EXPECT_EQ(error.key(), "wS");
    EXPECT_STREQ(error.what(), "Zeile 16, „wS“ (Wind): erwartet wird eine Zahl, dort steht null.");
  }
}

std::string RandomText(std::mt19937& random) {
  static const std::vector<std::string> pieces = {
      "a", "Ä", "ß", " ", "\"", "\\", "\n", "\t", "\x01", "/", "€", "\xF0\x9F\x98\x80", "7"};
  std::string text;
  for (int n = std::uniform_int_distribution(0, 6)(random); n > 0; --n) {
    text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
  }
  return text;
}

double RandomNumber(std::mt19937& random, double low, double high) {
  switch (std::uniform_int_distribution(0, 3)(random)) {
    case 0:
      return std::ceil(std::uniform_real_distribution(low, high)(random));  // integral
    case 1:
      return std::ceil(std::uniform_real_distribution(low, high)(random) * 100) / 100;
    default:
      return std::uniform_real_distribution(low, high)(random);  // all 17 digits
  }
}

Design RandomDesign(std::mt19937& random) {
  const auto chance = [&random] { return std::bernoulli_distribution(0.5)(random); };
  Design design;
  design.project = {RandomText(random), RandomText(random), RandomText(random)};
  design.system = static_cast<SystemType>(std::uniform_int_distribution(0, 2)(random));
  design.h = RandomNumber(random, 0.5, 20);
  design.L = RandomNumber(random, 1, 60);
  const auto member = [&] {
    if (chance()) {
      return MemberChoice{"", RandomNumber(random, 1, 1e6)};
    }
    const auto index =
        std::uniform_int_distribution<std::size_t>(0, kSectionProperties.size() - 1)(random);
    return MemberChoice{kSectionProperties[index].designation, 0};
  };
  design.columns = member();
  design.beam = member();
  design.settings = {static_cast<SteelGrade>(std::uniform_int_distribution(0, 2)(random)),
                     std::uniform_int_distribution(1, 1000)(random),
                     std::uniform_int_distribution(1, 1000)(random)};
  design.selfWeight = chance();
  if (chance()) {
    design.restraints.columns = RandomNumber(random, 0.5, 20);
  }
  if (chance()) {
    design.restraints.beam = RandomNumber(random, 0.7, 60);
  }
  for (int i = std::uniform_int_distribution(1, 6)(random); i > 0; --i) {
    DesignCase loadCase;
    loadCase.name = "LF " + std::to_string(i) + RandomText(random);
    loadCase.action = static_cast<Action>(std::uniform_int_distribution(0, 3)(random));
    if (loadCase.action == Action::Imposed) {
      loadCase.category = static_cast<char>('A' + std::uniform_int_distribution(0, 7)(random));
    }
    loadCase.over1000m = loadCase.action == Action::Snow && chance();
    const auto load = [&] { return chance() ? 0.0 : RandomNumber(random, -1e3, 1e3); };
    loadCase.loads = {load(), load(), load(), load(), load()};
    if (loadCase.loads.F != 0) {
      loadCase.loads.a = design.L * std::uniform_real_distribution(0.0, 1.0)(random);
    }
    const auto along = [&] { return design.L * std::uniform_real_distribution(0.0, 1.0)(random); };
    for (int n = std::uniform_int_distribution(0, 2)(random); n > 0; --n) {
      const double from = along();
      const double to = std::min(from + 0.01 + along(), design.L);
      loadCase.partial.push_back({RandomNumber(random, -1e3, 1e3), from, to});
    }
    for (int n = std::uniform_int_distribution(0, 2)(random); n > 0; --n) {
      loadCase.points.push_back({along(), RandomNumber(random, -1e3, 1e3)});
    }
    design.loadCases.push_back(loadCase);
  }
  return design;
}

TEST(DesignFile, EveryValidDesignReadsBackEqual) {
  std::mt19937 random(20240611);
  for (int i = 0; i < 500; ++i) {
    const Design design = RandomDesign(random);
    ASSERT_TRUE(ProblemsOf(design).empty()) << WriteDesign(design);
    const std::string text = WriteDesign(design);
    const Design again = ReadDesign(text);
    ASSERT_EQ(again, design) << text;
    ASSERT_EQ(WriteDesign(again), text);
  }
}

// A file from another system: its mistakes stand at the same lines whichever way its lines end.
TEST(DesignFile, LinesCountAlikeForLfCrlfAndCrAlone) {
  const std::string lf = ExampleWith("\"h\": 6.0", "\"h\": -6.0");
  for (const char* end : {"\n", "\r\n", "\r"}) {
    std::string text;
    for (const char c : lf) {
      text += c == '\n' ? std::string(end) : std::string(1, c);
    }
    try {
      ReadDesign(text);
      ADD_FAILURE() << "h = -6 read";
    } catch (const DesignFileError& error) {
      EXPECT_EQ(error.line(), 6) << static_cast<int>(end[0]) << " " << std::strlen(end);
      EXPECT_EQ(std::string(error.what()).substr(0, 8), "Zeile 6,");
    }
    // No JSON at all: the reader's own line.
    try {
      ReadDesign(text.substr(0, text.find("\"h\"")) + "h");
      ADD_FAILURE() << "no JSON read";
    } catch (const DesignFileError& error) {
      EXPECT_EQ(error.line(), 6) << std::strlen(end);
    }
  }
}

TEST(DesignFile, EveryMistakeIsNamedWithItsKeyAndLine) {
  struct Mistake {
    std::string from, to;  // in the example
    int line;
    std::string key, says;
  };
  const std::string afterSelfWeight = "\"selfWeight\": true,\n";
  const std::vector<Mistake> mistakes = {
      // What is no design file, or not this version of it.
      {ExampleText(), "\n[]", 2, "", "eine Bemessung ist ein JSON-Objekt { … }, dort steht eine"},
      {"{\n  \"format\"", "[\n  \"format\"", 2, "", "erwartet wird „,“ oder „]“"},
      {"strevo-bemessung", "strevo-ergebnis", 2, "format",
       "keine Strevo-Bemessung (erwartet wird „strevo-bemessung“, dort steht „strevo-ergebnis“)."},
      {"\"version\": 1", "\"version\": 3", 3, "version",
       "Version 3 kann dieses Programm nicht lesen, es liest Version 1 und 2."},
      {"\"format\": \"strevo-bemessung\",\n", "", 1, "format", "die Angabe fehlt"},
      // Unknown keys, at every level.
      {"\"h\": 6.0", "\"hoehe\": 6.0", 6, "hoehe", "diesen Schlüssel gibt es hier nicht"},
      {"\"author\"", "\"autor\"", 4, "project.autor", "erlaubt sind title, position, author"},
      {"\"sway\"", "\"Sway\"", 11, "limits.Sway", "gibt es hier nicht"},
      {"\"q\": 4.0", "\"qq\": 4.0", 14, "qq", "gibt es hier nicht"},
      {"\"IPE 450\"", R"({ "I": 1, "A": 2 })", 9, "beam.A", "gibt es hier nicht"},
      // Missing and mistyped values.
      {"  \"L\": 15.0,\n", "", 1, "L", "die Angabe fehlt"},
      {R"("name": "Dach", )", "", 14, "name", "(Lastfall 1): die Angabe fehlt"},
      {"\"h\": 6.0", R"("h": "6.0")", 6, "h",
       "erwartet wird eine Zahl, dort steht ein Text („6.0“)."},
      {"\"selfWeight\": true", "\"selfWeight\": 1", 12, "selfWeight",
       "erwartet wird ein Wahrheitswert, dort steht 1."},
      {"\"h\": 6.0", "\"h\": false", 6, "h", "erwartet wird eine Zahl, dort steht false."},
      {R"("columns": "HE 300 A")", "\"columns\": 300", 8, "columns",
       "wie „HE 300 A“ oder { \"I\": … }, dort steht 300."},
      {R"("columns": "HE 300 A")", R"("columns": "")", 8, "columns", "ist leer"},
      {R"("project": { "title": "Halle Nord", "position": "Pos. 1 Rahmenachse 2", "author": "" })",
       "\"project\": []", 4, "project", "erwartet wird ein Objekt, dort steht eine Liste"},
      {R"(    { "name": "Dach", "action": "G", "q": 4.0 })", "    []", 14, "loadCases",
       "erwartet wird ein Lastfall"},
      // Values out of their range, as the reader checks them.
      {"\"system\": 1", "\"system\": 3", 5, "system", "erlaubt sind 0 (Geknickter Träger)"},
      {"\"system\": 1", "\"system\": -1", 5, "system", "(Eingesp. Strevo), dort steht -1."},
      {"\"system\": 1", "\"system\": 1.5", 5, "system", "eine ganze Zahl, dort steht 1.5."},
      {"\"S235\"", "\"S420\"", 10, "steel", "„S235“, „S275“ und „S355“, dort steht „S420“."},
      {"\"deflection\": 300", "\"deflection\": 300.5", 11, "limits.deflection",
       "erwartet wird eine ganze Zahl, dort steht 300.5."},
      {R"("action": "G")", R"("action": "g")", 14, "action",
       "erlaubt sind „G“ (ständig), „Q“ (Nutzlast), „S“ (Schnee) und „W“ (Wind), dort steht „g“."},
      {R"("action": "G")", R"("action": "G", "category": "A")", 14, "category",
       "nur bei Nutzlasten"},
      {R"("category": "E", )", "", 17, "category", "(Lager): die Angabe fehlt"},
      {R"("action": "W")", R"("action": "W", "altitude": "over1000")", 16, "altitude",
       "nur bei Schnee"},
      {R"("action": "S")", R"("action": "S", "altitude": "under1000")", 15, "altitude",
       "erlaubt ist nur „over1000“ (Ort über 1000 m über NN), dort steht „under1000“."},
      // The design's own mistakes, as ProblemsOf words them.
      {"\"h\": 6.0", "\"h\": 0", 6, "h",
       "„h“: die Stützenhöhe h muss größer als 0 sein, dort steht 0."},
      {"\"L\": 15.0", "\"L\": -15.0", 7, "L",
       "die Spannweite L muss größer als 0 sein, dort steht -15."},
      {"\"h\": 6.0", "\"h\": 1e999", 6, "h", "keine endliche Zahl"},
      {"\"HE 300 A\"", "\"HE 301 A\"", 8, "columns", "„HE 301 A“ steht nicht in der Profiltabelle"},
      {"\"IPE 450\"", "{\n\"I\": -5 }", 9, "beam",
       "das Flächenträgheitsmoment I des Riegels muss größer als 0 sein, dort steht -5."},
      {"\"HE 300 A\"", "{ \"I\": 0 }", 8, "columns",
       "I der Stützen muss größer als 0 sein, dort steht 0."},
      {"\"sway\": 150", "\"sway\": 0", 11, "limits.sway",
       "das n der Grenze u ≤ h/n muss größer als 0 sein, dort steht 0."},
      {R"("category": "E")", R"("category": "I")", 17, "category",
       "A, B, C, D, E, F, G oder H sein, dort steht „I“."},
      {R"("category": "E")", R"("category": "EE")", 17, "category",
       "A, B, C, D, E, F, G oder H sein, dort steht „EE“."},
      {R"("category": "E")", R"("category": "")", 17, "category", "H sein, dort steht „“."},
      {"\"a\": 5.0", "\"a\": 15.5", 17, "a",
       "„a“ (Lager): die Einzellast F steht nicht auf dem Riegel; a muss zwischen 0 und L = 15 "
       "liegen, dort steht 15.5."},
      {"\"a\": 5.0", "\"a\": -0.1", 17, "a",
       "nicht auf dem Riegel; a muss zwischen 0 und L = 15 liegen, dort steht -0.1."},
      {"\"q\": -1.2", "\"q\": -1e400", 16, "q", "„q“ (Wind): der Wert ist keine endliche"},
      {"\"Lager\"", "\"Dach\"", 17, "name", "„name“ (Dach): den Namen trägt schon Lastfall 1."},
      {"\"Lager\"", "\" \"", 17, "name", "(Lastfall 4): der Lastfall braucht einen Namen"},
      {"\"Dach\"", "\"Eigengewicht\"", 14, "name", "dem Eigengewicht vorbehalten"},
      {afterSelfWeight, afterSelfWeight + "  \"restraints\": { \"columns\": 0 },\n", 13,
       "restraints.columns",
       "Abstand der seitlichen Halterungen der Stützen muss größer als 0 sein, dort steht 0."},
      {afterSelfWeight, afterSelfWeight + "  \"restraints\": {\n\"beam\": -1 },\n", 14,
       "restraints.beam", "Halterungen des Riegels"},
      {afterSelfWeight, afterSelfWeight + "  \"restraints\": { \"beam\": 0.1 },\n", 13,
       "restraints.beam", "kleiner als ein Hundertstel der Stablänge (15.00 m), dort steht 0.1."},
      // Further loads: unknown keys, missing and mistyped values, and off the beam.
      {"\"wS\": 1.5", R"("wS": 1.5, "partial": [ { "q": 1, "from": 0, "to": 2, "bis": 3 } ])", 16,
       "partial[0].bis",
       "„partial[0].bis“ (Wind): diesen Schlüssel gibt es hier nicht; erlaubt "
       "sind q, from, to."},
      {"\"a\": 5.0", "\"a\": 5.0, \"points\": [ { \"F\": 1, \"a\": 2 },\n{ \"F\": 1, \"x\": 2 } ]",
       18, "points[1].x", "(Lager): diesen Schlüssel gibt es hier nicht; erlaubt sind F, a."},
      {"\"a\": 5.0", R"("a": 5.0, "points": [ { "F": 1 } ])", 17, "points[0].a",
       "„points[0].a“ (Lager): die Angabe fehlt."},
      {"\"a\": 5.0", R"("a": 5.0, "points": { "F": 1, "a": 2 })", 17, "points",
       "erwartet wird eine Liste, dort steht ein Objekt."},
      {"\"a\": 5.0", R"("a": 5.0, "points": [ 12 ])", 17, "points",
       "erwartet wird eine Liste von Objekten { … }, dort steht eine Zahl."},
      {"\"a\": 5.0", R"("a": 5.0, "points": [ { "F": "12", "a": 2 } ])", 17, "points[0].F",
       "erwartet wird eine Zahl, dort steht ein Text („12“)."},
      {"\"wS\": 1.5", R"("wS": 1.5, "partial": [ { "q": 1, "from": 2.5, "to": 2.5 } ])", 16,
       "partial[0].to",
       "„partial[0].to“ (Wind): die Teilstreckenlast endet nicht hinter ihrem Anfang; „from“ muss "
       "kleiner als „to“ sein, dort steht 2.5 bis 2.5."},
      {"\"wS\": 1.5",
       "\"wS\": 1.5, \"partial\": [ { \"q\": 1, \"from\": 0, \"to\": 2 },\n"
       "{ \"q\": 1, \"from\": 2, \"to\": 15.5 } ]",
       17, "partial[1].to",
       "„partial[1].to“ (Wind): die Teilstreckenlast reicht über den Riegel hinaus; „to“ muss "
       "zwischen 0 und L liegen (L = 15), dort steht 15.5."},
      {"\"wS\": 1.5", R"("wS": 1.5, "partial": [ { "q": 1, "from": -0.5, "to": 2 } ])", 16,
       "partial[0].from",
       "die Teilstreckenlast beginnt vor dem Riegel; „from“ muss zwischen 0 und "
       "L liegen (L = 15), dort steht -0.5."},
      {"\"wS\": 1.5", R"("wS": 1.5, "partial": [ { "q": 1e999, "from": 0, "to": 2 } ])", 16,
       "partial[0].q", "„partial[0].q“ (Wind): der Wert ist keine endliche Zahl."},
      {"\"a\": 5.0", R"("a": 5.0, "points": [ { "F": 12, "a": 15.01 } ])", 17, "points[0].a",
       "„points[0].a“ (Lager): die Einzellast steht nicht auf dem Riegel; a muss zwischen 0 und L "
       "liegen (L = 15), dort steht 15.01."},
      {"\"a\": 5.0", R"("a": 5.0, "points": [ { "F": 0, "a": -1 } ])", 17, "points[0].a",
       "nicht auf dem Riegel; a muss zwischen 0 und L liegen (L = 15), dort steht -1."},
      {"\"a\": 5.0", R"("a": 5.0, "points": [ { "F": -1e400, "a": 1 } ])", 17, "points[0].F",
       "„points[0].F“ (Lager): der Wert ist keine endliche Zahl."},
  };
  for (const Mistake& m : mistakes) {
    const std::string text = ExampleWith(m.from, m.to);
    try {
      ReadDesign(text);
      ADD_FAILURE() << "accepted: " << m.to;
    } catch (const DesignFileError& error) {
      EXPECT_EQ(error.line(), m.line) << m.to;
      EXPECT_EQ(error.key(), m.key) << m.to;
      const std::string message = error.what();
      const std::string where =
          "Zeile " + std::to_string(m.line) + (m.key.empty() ? ": " : ", „" + m.key + "“");
      EXPECT_EQ(message.rfind(where, 0), 0u) << message;
      EXPECT_NE(message.find(m.says), std::string::npos) << message;
    }
  }
}

TEST(DesignFile, TheFirstOfSeveralMistakesInTheFileIsNamed) {
  // ProblemsOf lists h before the load cases; here the load case stands first in the file.
  const std::string text = R"({"format": "strevo-bemessung", "version": 1,
    "loadCases": [{"name": "P", "action": "G", "F": 1, "a": 99}],
    "system": 1, "h": -1, "L": 10, "columns": "IPE 300", "beam": "IPE 300"})";
  try {
    ReadDesign(text);
    ADD_FAILURE();
  } catch (const DesignFileError& error) {
    EXPECT_EQ(error.line(), 2);
    EXPECT_EQ(error.key(), "a");
  }
}

TEST(DesignFileProblems, NamesEveryMistakeOfADesignInFileOrder) {
  Design design = ReadDesign(ExampleText());
  EXPECT_TRUE(ProblemsOf(design).empty());
  // On the beam's ends, and anywhere while there is no point load.
  design.loadCases[3].loads.a = 15.0;
  design.loadCases[0].loads.a = -3;
  EXPECT_TRUE(ProblemsOf(design).empty());
  design.selfWeight = false;
  design.loadCases[0].name = kSelfWeightCaseName;
  EXPECT_TRUE(ProblemsOf(design).empty());

  design.h = std::numeric_limits<double>::infinity();
  design.L = 0;
  design.columns = {"", 0};
  design.beam = {"IPE 451", 0};
  design.settings.deflectionLimit = -1;
  design.restraints = {std::nullopt, 0.0};
  design.loadCases[1].name = "Lager";
  design.loadCases[3].category = 'Z';
  design.loadCases[3].loads.a = 16;  // no span to measure it against: L is the mistake
  design.loadCases[2].loads.wD = std::nan("");
  struct Expected {
    std::string key;
    int loadCase;
  };
  const std::vector<Expected> expected = {{"h", -1},
                                          {"L", -1},
                                          {"columns", -1},
                                          {"beam", -1},
                                          {"limits.deflection", -1},
                                          {"restraints.beam", -1},
                                          {"wD", 2},
                                          {"name", 3},
                                          {"category", 3}};
  const std::vector<DesignProblem> problems = ProblemsOf(design);
  ASSERT_EQ(problems.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(problems[i].key, expected[i].key) << i;
    EXPECT_EQ(problems[i].loadCase, expected[i].loadCase) << i;
    EXPECT_EQ(problems[i].message.rfind("„" + expected[i].key + "“", 0), 0u) << problems[i].message;
  }
  EXPECT_EQ(problems[7].message, "„name“ (Lager): den Namen trägt schon Lastfall 2.");
}

class DesignFileOnDisk : public testing::Test {
 protected:
  DesignFileOnDisk()
      : dir_(fs::temp_directory_path() / ("strevo-design-test-" + std::to_string(::getpid()))) {
    fs::create_directories(dir_);
  }
  ~DesignFileOnDisk() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& name, const std::string& contents) const {
    fs::path file = dir_ / name;
    std::ofstream(file, std::ios::binary) << contents;
    return file;
  }

  fs::path dir_;
};

TEST_F(DesignFileOnDisk, ReadsWithOrWithoutAByteOrderMark) {
  const Design design = ReadDesign(ExampleText());
  EXPECT_EQ(ReadDesignFile(Write("plain.strevo", ExampleText())), design);
  EXPECT_EQ(ReadDesignFile(Write("bom.strevo", "\xEF\xBB\xBF" + ExampleText())), design);
}

TEST_F(DesignFileOnDisk, RefusesWhatItCannotReadNamingTheFile) {
  const auto refusal = [](const fs::path& file) {
    try {
      ReadDesignFile(file);
    } catch (const DesignFileError& error) {
      return error;
    }
    ADD_FAILURE() << file;
    return DesignFileError(-1, "", "");
  };
  EXPECT_EQ(refusal(dir_).line(), 0);
  EXPECT_NE(std::string(refusal(dir_).what()).find("keine gewöhnliche Datei"), std::string::npos);
  const fs::path large = Write("large.strevo", std::string(1024 * 1024 + 1, ' '));
  EXPECT_NE(std::string(refusal(large).what()).find("zu groß"), std::string::npos);
  EXPECT_NE(std::string(refusal(dir_ / "none.strevo").what()).find("kann nicht geöffnet"),
            std::string::npos);
  const fs::path wrong = Write("wrong.strevo", ExampleWith("\"h\": 6.0", "\"h\": -6.0"));
  const DesignFileError error = refusal(wrong);
  EXPECT_EQ(error.line(), 6);
  EXPECT_EQ(error.key(), "h");
  EXPECT_EQ(std::string(error.what()),
            "Die Datei „" + wrong.string() +
                "“ ist keine gültige Bemessung.\nZeile 6, „h“: die Stützenhöhe h muss größer als "
                "0 sein, dort steht -6.");
}

}  // namespace
}  // namespace strevo
