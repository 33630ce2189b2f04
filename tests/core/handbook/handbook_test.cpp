// The handbook converter on small sources (markup, escapes, page selection, faults) and on the
// real docs/handbuch.md: every part of it reaches the window's HTML and a manual page, and the
// texts it repeats from the program are the program's.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "core/analysis/input_table.h"
#include "core/design/design_output.h"
#include "core/handbook/handbook.h"

namespace strevo {
namespace {

constexpr const char* kTwoPages =
    "<!-- manpage werk: Werkzeug für Tests -->\n"
    "<!-- manpage werk-cli: Werkzeug ohne Fenster -->\n"
    "<!-- stand: 2026-01-02 -->\n"
    "# Titel\n"
    "Nur im Fenster.\n"
    "<!-- man werk: BESCHREIBUNG -->\n"
    "## Beschreibung\n"
    "Ein **fetter** und ein `--csv` Text,\n"
    "über zwei Zeilen.\n"
    "### Unterabschnitt\n"
    "- erster Punkt\n"
    "  geht weiter\n"
    "- zweiter Punkt\n"
    "<!-- man werk, werk-cli: GEMEINSAM -->\n"
    "## Beide\n"
    "| Taste | Wirkung |\n"
    "|---|---|\n"
    "| F4 | Liste |\n"
    "<!-- man werk-cli: ÜBERSICHT -->\n"
    "## Aufruf\n"
    "    werk-cli DATEI\n";

TEST(Handbook, ReadsHeadingsListsTablesAndInlineMarkup) {
  const Handbook handbook = ParseHandbook(kTwoPages);
  const std::vector<HandbookHeading> headings = HandbookHeadings(handbook);
  ASSERT_EQ(headings.size(), 5u);
  EXPECT_EQ(headings[1].level, 2);
  EXPECT_EQ(headings[2].level, 3);
  EXPECT_EQ(headings[2].text, "Unterabschnitt");
  EXPECT_EQ(handbook.date, "2026-01-02");

  const std::string html = HandbookHtml(handbook);
  EXPECT_NE(html.find("<h3><a name=\"" + headings[2].anchor + "\"></a>Unterabschnitt</h3>"),
            std::string::npos);
  EXPECT_NE(html.find("<p>Ein <b>fetter</b> und ein <code>--csv</code> Text, über zwei Zeilen."
                      "</p>"),
            std::string::npos);
  EXPECT_NE(html.find("<ul>\n<li>erster Punkt geht weiter</li>\n<li>zweiter Punkt</li>\n</ul>"),
            std::string::npos);
  EXPECT_NE(html.find("<tr><th>Taste</th><th>Wirkung</th></tr>\n<tr><td>F4</td><td>Liste</td>"),
            std::string::npos);
  EXPECT_NE(html.find("<pre>werk-cli DATEI\n</pre>"), std::string::npos);
  EXPECT_EQ(html.find("---"), std::string::npos) << "the table's rule is no row";
}

TEST(Handbook, EscapesHtml) {
  const std::string html = HandbookHtml(
      ParseHandbook("a < b & c > d `x<y>&z`\n\n    if (a < b && c > d)\n\n# <Titel>\n"));
  EXPECT_NE(html.find("<p>a &lt; b &amp; c &gt; d <code>x&lt;y&gt;&amp;z</code></p>"),
            std::string::npos);
  EXPECT_NE(html.find("<pre>if (a &lt; b &amp;&amp; c &gt; d)\n</pre>"), std::string::npos);
  EXPECT_NE(html.find("></a>&lt;Titel&gt;</h1>"), std::string::npos);
}

TEST(Handbook, WritesEachPageItsSectionsWithTheSynopsisFirst) {
  const Handbook handbook = ParseHandbook(kTwoPages);
  const std::string werk = HandbookManPage(handbook, "werk", "1.2.3");
  EXPECT_EQ(werk.rfind(".TH WERK 1 \"2026-01-02\" \"Strevo 1.2.3\" \"Benutzerbefehle\"\n"
                       ".SH NAME\nwerk \\- Werkzeug für Tests\n.SH BESCHREIBUNG\n",
                       0),
            0u)
      << werk;
  EXPECT_NE(werk.find(".PP\nEin \\fBfetter\\fR und ein \\fB\\-\\-csv\\fR Text, über zwei Zeilen.\n"
                      ".SS Unterabschnitt\n.IP \\(bu 2\nerster Punkt geht weiter\n"),
            std::string::npos)
      << werk;
  EXPECT_NE(werk.find(".SH GEMEINSAM\n.TP\n\\fBTaste\\fR\n\\fBWirkung\\fR\n.TP\nF4\nListe\n"),
            std::string::npos)
      << werk;
  EXPECT_EQ(werk.find("Nur im Fenster"), std::string::npos);
  EXPECT_EQ(werk.find("werk\\-cli DATEI"), std::string::npos);
  EXPECT_NE(werk.find(".SH SIEHE AUCH\n.BR werk\\-cli (1)\n"), std::string::npos);

  const std::string cli = HandbookManPage(handbook, "werk-cli", "1.2.3");
  EXPECT_NE(cli.find(".SH NAME\nwerk\\-cli \\- Werkzeug ohne Fenster\n.SH ÜBERSICHT\n"
                     ".PP\n.RS 4\n.nf\nwerk\\-cli DATEI\n.fi\n.RE\n.SH GEMEINSAM\n"),
            std::string::npos)
      << cli;
  EXPECT_EQ(cli.find("BESCHREIBUNG"), std::string::npos);
}

TEST(Handbook, EscapesWhatRoffWouldReadAsRequestsOrEscapes) {
  const Handbook handbook = ParseHandbook(
      "<!-- manpage p: Probe -->\n<!-- man p: TEXT -->\n# T\n"
      ".profile am Zeilenanfang\n\n'quoted' am Zeilenanfang\n\nC:\\Pfad mit \"Zitat\"\n\n"
      "    .nf im Code\n");
  const std::string roff = HandbookManPage(handbook, "p", "1");
  EXPECT_NE(roff.find("\n\\&.profile am Zeilenanfang\n"), std::string::npos) << roff;
  EXPECT_NE(roff.find("\n\\&'quoted' am Zeilenanfang\n"), std::string::npos);
  EXPECT_NE(roff.find("\nC:\\ePfad mit \\(dqZitat\\(dq\n"), std::string::npos);
  EXPECT_NE(roff.find("\n\\&.nf im Code\n"), std::string::npos);
}

TEST(Handbook, RefusesWhatItDoesNotUnderstand) {
  const auto refusal = [](const char* source) {
    try {
      ParseHandbook(source);
    } catch (const HandbookError& e) {
      return std::string(e.what());
    }
    return std::string("angenommen");
  };
  EXPECT_EQ(refusal("# A\n\nein **offenes Wort\n"), "handbuch.md, Zeile 3: ** ohne Ende");
  EXPECT_EQ(refusal("- ein `offener Code\n"), "handbuch.md, Zeile 1: ` ohne Ende");
  EXPECT_EQ(refusal("| a | b |\n|---|---|\n| 1 |\n"),
            "handbuch.md, Zeile 3: Tabellenzeile mit 1 statt 2 Spalten");
  EXPECT_EQ(refusal("| a | b |\n| 1 | 2 |\n"),
            "handbuch.md, Zeile 2: Tabelle ohne Trennzeile unter der Kopfzeile");
  EXPECT_NE(refusal("<!-- man fremd: X -->\n# A\n").find("„fremd“ nicht"), std::string::npos);
  EXPECT_NE(refusal("<!-- manpage p: P -->\n<!-- man p: X -->\n").find("ohne folgende"),
            std::string::npos);
  EXPECT_NE(refusal("<!-- offen\n# A\n").find("Zeile 1"), std::string::npos);
  EXPECT_THROW(HandbookManPage(ParseHandbook("# A\n"), "strevo", "1"), HandbookError);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RealHandbook : public ::testing::Test {
 protected:
  Handbook handbook_ = ParseHandbook(ReadFile(STREVO_HANDBOOK));
  std::string html_ = HandbookHtml(handbook_);
  std::string pages_ = HandbookManPage(handbook_, "strevo", "1.0.0") +
                       HandbookManPage(handbook_, "strevo-cli", "1.0.0");
};

TEST_F(RealHandbook, ReachesTheWindowAndTheManualPagesWhole) {
  ASSERT_EQ(handbook_.pages.size(), 2u);
  for (const HandbookHeading& heading : HandbookHeadings(handbook_)) {
    EXPECT_NE(html_.find("<a name=\"" + heading.anchor + "\"></a>"), std::string::npos);
  }
  // Every paragraph, list item and table row lands in a page: found by its end after the last
  // character that the escapes or the markup change.
  int checked = 0;
  for (const HandbookBlock& block : handbook_.blocks) {
    std::vector<std::string> texts = block.items;
    for (const std::vector<std::string>& row : block.rows) {
      texts.push_back(row.back());
    }
    if (block.kind == HandbookBlockKind::Paragraph) {
      texts.push_back(block.text);
    }
    for (const std::string& text : texts) {
      const std::size_t cut = text.find_last_of("-\\\"`*");
      const std::string tail = cut == std::string::npos ? text : text.substr(cut + 1);
      if (tail.size() >= 12) {
        EXPECT_NE(pages_.find(tail), std::string::npos) << text;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 100);
}

TEST_F(RealHandbook, ManualPagesPassGroffWithoutAWarning) {
  if (std::system("groff -v > /dev/null 2>&1") != 0) {
    GTEST_SKIP() << "groff fehlt";
  }
  for (const HandbookPage& page : handbook_.pages) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("handbook_test_" + page.name + ".1");
    std::ofstream(file, std::ios::binary) << HandbookManPage(handbook_, page.name, "1.0.0");
    const std::string command = "groff -man -ww -z -K utf8 " + file.string() + " 2>&1";
    FILE* groff = popen(command.c_str(), "r");
    ASSERT_NE(groff, nullptr);
    std::string output;
    for (int c = std::fgetc(groff); c != EOF; c = std::fgetc(groff)) {
      output += static_cast<char>(c);
    }
    EXPECT_EQ(pclose(groff), 0);
    EXPECT_EQ(output, "") << page.name;
    std::filesystem::remove(file);
  }
}

TEST_F(RealHandbook, RepeatsTheProgramsOwnTextsAndUnits) {
  // The statement of what the design checks, word for word as the program gives it.
  bool statement = false;
  for (const HandbookBlock& block : handbook_.blocks) {
    statement = statement || block.text.find(kDesignCheckStatement) != std::string::npos;
  }
  EXPECT_TRUE(statement);
  // The inputs table: every field with the unit its window shows.
  const HandbookBlock* inputs = nullptr;
  for (const HandbookBlock& block : handbook_.blocks) {
    if (block.kind == HandbookBlockKind::Table && block.rows[0][0] == "Feld") {
      inputs = &block;
    }
  }
  ASSERT_NE(inputs, nullptr);
  ASSERT_EQ(inputs->rows.size(), kInputFields.size() + 1);
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    EXPECT_EQ(inputs->rows[i + 1][0], kInputFields[i].symbol);
    EXPECT_EQ(inputs->rows[i + 1][1], kInputFields[i].unit);
  }
}

}  // namespace
}  // namespace strevo
