// strevo-cli started as a script starts it, with neither a display nor a Qt platform set: its
// output, its exit status for each outcome, its messages and its report.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/base/json.h"
#include "core/base/text_rules.h"
#include "core/design/design_file.h"
#include "core/design/section_search.h"
#include "json_lookup.h"

namespace strevo {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Outcome {
  int status = -1;  // the exit status; -1 when the program did not exit by itself
  std::string out, err;
};

class StrevoCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("strevo-cli-test-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Path(const std::string& name) const { return dir_ / name; }

  // The example with each `from` replaced by its `to`, as a file of its own.
  std::string Variant(const std::string& name,
                      const std::vector<std::pair<std::string, std::string>>& changes) const {
    std::string text = Read(STREVO_DESIGN_EXAMPLE);
    for (const auto& [from, to] : changes) {
      const std::size_t at = text.find(from);
      EXPECT_NE(at, std::string::npos) << from;
      text.replace(at, from.size(), to);
    }
    std::ofstream(Path(name), std::ios::binary) << text;
    return Path(name).string();
  }

  // The program with the environment less QT_QPA_PLATFORM and any display; standard output
  // into `output` when one is given (then `out` stays empty).
  Outcome Start(const std::string& program, std::vector<std::string> arguments,
                const std::string& output = {}) const {
    const std::string out = output.empty() ? Path("stdout").string() : output;
    const std::string err = Path("stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments) {
      argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string_view variable = *e;
      if (variable.starts_with("LSAN_OPTIONS=")) {
        // The sanitizer run's leak check lists the suppressions it used on standard error,
        // where only the program's own words are expected.
        variables.push_back(std::string(variable) + ":print_suppressions=0");
      } else if (!variable.starts_with("QT_QPA_PLATFORM=") && !variable.starts_with("DISPLAY=") &&
                 !variable.starts_with("WAYLAND_DISPLAY=")) {
        variables.emplace_back(variable);
      }
    }
    std::vector<char*> env;
    env.reserve(variables.size() + 1);
    for (std::string& variable : variables) {
      env.push_back(variable.data());
    }
    env.push_back(nullptr);
    pid_t pid = 0;
    const int spawned =
        posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    Outcome run;
    if (spawned != 0) {
      ADD_FAILURE() << program << " could not be started: " << spawned;
      return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = output.empty() ? Read(out) : "";
    run.err = Read(err);
    return run;
  }

  Outcome Cli(const std::vector<std::string>& arguments, const std::string& output = {}) const {
    return Start(STREVO_CLI, arguments, output);
  }

 private:
  fs::path dir_;
};

using testing::Get;

// The golden file holds what the example gave once the combinations had been checked against an
// independent stiffness solution; any change of the output shows here, byte for byte.
TEST_F(StrevoCli, ExampleGivesTheGoldenJson) {
  const Outcome run = Cli({STREVO_DESIGN_EXAMPLE});
  const std::string golden = Read(STREVO_CLI_GOLDEN);
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(run.out, golden);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.status, 1) << "the example's sections are too small";
}

// The golden file's first combination by hand: 1,35·G on the two-hinged frame is a uniform
// load q = 1.35·(4 + g_IPE450) on the beam, whose thrust is H = q·L² / (4·h·(2k + 3)) with
// k = (I2/I1)·(h/L); the corners carry −H·h, midspan q·L²/8 − H·h. The columns' weight adds
// 1.35·g_HE300A·h to each vertical reaction.
TEST_F(StrevoCli, GoldenFirstCombinationAgreesWithTheTextbookFrame) {
  const JsonValue root = ParseJson(Read(STREVO_CLI_GOLDEN));
  const JsonValue& first = Get(root, "combinations").items.at(0);
  EXPECT_EQ(Get(first, "label").text, "1,35·G");
  const JsonValue& r = Get(first, "results");
  const double h = 6, L = 15, I1 = 18260, I2 = 33740;
  const double q = 1.35 * (4 + 77.6 * 9.81 / 1000), gColumn = 88.3 * 9.81 / 1000;
  const double k = I2 / I1 * h / L;
  const double H = q * L * L / (4 * h * (2 * k + 3));
  EXPECT_NEAR(Get(r, "AH").number, H, 1e-9 * H);
  EXPECT_NEAR(Get(r, "BH").number, H, 1e-9 * H);
  EXPECT_NEAR(Get(r, "AV").number, q * L / 2 + 1.35 * gColumn * h, 1e-9 * q * L);
  EXPECT_EQ(Get(r, "MA").number, 0);
  EXPECT_NEAR(Get(r, "M1").number, -H * h, 1e-9 * H * h);
  EXPECT_NEAR(Get(r, "M3").number, q * L * L / 8 - H * h, 1e-9 * H * h);
  EXPECT_NEAR(Get(r, "X3").number, L / 2, 1e-12);
  EXPECT_NEAR(Get(r, "u").number, 0, 1e-9) << "symmetric: no sway";
}

TEST_F(StrevoCli, ExitStatusSaysWhetherEveryCheckIsMet) {
  // Strong members held sideways at short spacings.
  const Outcome allMet =
      Cli({Variant("stark.strevo", {{"\"HE 300 A\"", "\"HE 400 A\""},
                                    {"\"IPE 450\"", "\"IPE 550\""},
                                    {"\"selfWeight\": true,",
                                     "\"selfWeight\": true, \"restraints\": { \"columns\": 3.0, "
                                     "\"beam\": 2.5 },"}})});
  EXPECT_EQ(allMet.status, 0) << allMet.err;
  EXPECT_EQ(allMet.out.find("\"met\": false"), std::string::npos);
  EXPECT_EQ(allMet.err, "");
  // Strong columns, but the beam deflects beyond L/300: one check is enough for 1.
  const Outcome deflects = Cli({Variant("biegsam.strevo", {{"\"HE 300 A\"", "\"HE 400 A\""}})});
  EXPECT_EQ(deflects.status, 1);

  // A hundred times the roof load: the portal buckles under it before any member is checked.
  const Outcome unstable = Cli({Variant("instabil.strevo", {{"\"q\": 4.0", "\"q\": 400.0"}})});
  EXPECT_EQ(unstable.status, 1) << unstable.err;
  const JsonValue columns = Get(Get(ParseJson(unstable.out), "checks"), "columns");
  EXPECT_TRUE(Get(columns, "unstable").boolean);
  EXPECT_EQ(Get(columns, "eta").kind, JsonValue::Kind::Null);

  const Outcome tooSmall = Cli({Variant("klein.strevo", {{"\"IPE 450\"", "\"IPE 200\""}})});
  EXPECT_EQ(tooSmall.status, 1);
  const JsonValue beam = Get(Get(ParseJson(tooSmall.out), "checks"), "beam");
  EXPECT_GT(Get(beam, "eta").number, 2);
  EXPECT_FALSE(Get(beam, "met").boolean);
}

// --bemessen writes what the search of the design core finds (tested there against trying every
// pair): the chosen pair of the example, its alternatives and the lighter pairs that fail; 1
// when no pair passes, with the suggestions.
TEST_F(StrevoCli, BemessenGivesTheLightestPassingPair) {
  const Outcome found = Cli({STREVO_DESIGN_EXAMPLE, "--bemessen"});
  EXPECT_EQ(found.status, 0) << found.err;
  const SectionSearch search = SearchSections(ReadDesignFile(STREVO_DESIGN_EXAMPLE), {});
  ASSERT_EQ(search.passing.size(), 5u);
  const JsonValue json = ParseJson(found.out);
  EXPECT_EQ(Get(json, "columns").text, search.passing[0].columns->designation);
  EXPECT_EQ(Get(json, "beam").text, search.passing[0].beam->designation);
  EXPECT_EQ(Get(json, "mass").number, search.passing[0].mass);
  EXPECT_EQ(Get(Get(json, "eta"), "beam").number, search.passing[0].etaBeam);
  EXPECT_EQ(Get(json, "alternatives").items.size(), 4u);
  EXPECT_EQ(Get(json, "lighterFailing").items.size(), 3u);

  const Outcome none =
      Cli({Variant("zuviel.strevo", {{"\"q\": 4.0", "\"q\": 400.0"}}), "--bemessen"});
  EXPECT_EQ(none.status, 1) << none.err;
  const JsonValue nothing = ParseJson(none.out);
  EXPECT_EQ(Get(nothing, "columns").kind, JsonValue::Kind::Null);
  EXPECT_FALSE(Get(nothing, "suggestions").items.empty());
}

TEST_F(StrevoCli, BadInputIsTwoWithAGermanMessageNamingKeyAndLine) {
  const Outcome typo = Cli({Variant("tippfehler.strevo", {{"\"selfWeight\"", "\"selfWeigth\""}})});
  EXPECT_EQ(typo.status, 2);
  EXPECT_EQ(typo.out, "");
  EXPECT_NE(typo.err.find("Zeile 12, „selfWeigth“"), std::string::npos) << typo.err;
  EXPECT_NE(typo.err.find("keine gültige Bemessung"), std::string::npos) << typo.err;
  EXPECT_EQ(typo.err.rfind("strevo-cli: ", 0), 0u) << typo.err;

  const Outcome negative = Cli({Variant("negativ.strevo", {{"\"h\": 6.0", "\"h\": -6.0"}})});
  EXPECT_EQ(negative.status, 2);
  EXPECT_NE(negative.err.find("Zeile 6, „h“"), std::string::npos) << negative.err;

  const Outcome missing = Cli({Path("fehlt.strevo").string()});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("fehlt.strevo"), std::string::npos) << missing.err;
  EXPECT_EQ(missing.out, "");
}

TEST_F(StrevoCli, BadArgumentsAreTwoAndShowHowToCall) {
  const std::vector<std::vector<std::string>> calls{
      {},
      {"--json", STREVO_DESIGN_EXAMPLE},
      {STREVO_DESIGN_EXAMPLE, "--csv", "--bericht", Path("b.pdf").string()},
      {STREVO_DESIGN_EXAMPLE, "--bericht"},
      {STREVO_DESIGN_EXAMPLE, STREVO_DESIGN_EXAMPLE}};
  const std::vector<std::string> messages{
      "Keine Bemessungsdatei angegeben.", "Unbekannte Option „--json“.",
      "--csv, --bericht und --bemessen schließen einander aus.",
      "--bericht braucht den Namen der PDF-Datei.", "Nur eine Bemessungsdatei"};
  for (std::size_t i = 0; i < calls.size(); ++i) {
    const Outcome run = Cli(calls[i]);
    EXPECT_EQ(run.status, 2) << messages[i];
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("strevo-cli: " + messages[i], 0), 0u) << run.err;
    EXPECT_NE(run.err.find("Aufruf: strevo-cli DATEI.strevo"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(fs::exists(Path("b.pdf")));

  const Outcome help = Cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--bericht AUSGABE.pdf"), std::string::npos);
  EXPECT_NE(help.out.find("Rückgabewert: 0 alle Nachweise erfüllt"), std::string::npos);
  const Outcome version = Cli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "strevo-cli (Strevo) " STREVO_VERSION "\n");
}

TEST_F(StrevoCli, OverflowingLoadsAreAnArithmeticFault) {
  const Outcome run = Cli({Variant("riesig.strevo", {{"\"q\": 4.0", "\"q\": 1e300"}})});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.out, "") << "nothing is written from a computation that failed";
  EXPECT_NE(run.err.find("riesig.strevo: Rechenfehler ("), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("; größter Lastwert: „q“ („Dach“) = 1e+300."), std::string::npos)
      << "the key, its case and the value: " << run.err;
  // The further loads count as well, named by their path in the file.
  const Outcome partial = Cli({Variant(
      "teillast.strevo",
      {{"\"q\": 8.0",
        R"("q": 8.0, "partial": [ { "q": 1, "from": 0, "to": 2 }, { "q": -3e300, "from": 2, "to": 4 } ])"}})});
  EXPECT_EQ(partial.status, 3);
  EXPECT_NE(partial.err.find("; größter Lastwert: „partial[1].q“ („Schnee“) = -3e+300."),
            std::string::npos)
      << partial.err;
  const Outcome point =
      Cli({Variant("einzellast.strevo",
                   {{"\"a\": 5.0", R"("a": 5.0, "points": [ { "F": 2e300, "a": 7.5 } ])"}})});
  EXPECT_EQ(point.status, 3);
  EXPECT_NE(point.err.find("; größter Lastwert: „points[0].F“ („Lager“) = 2e+300."),
            std::string::npos)
      << point.err;
}

// Absurd heights: no equilibrium of the frame (1e158 m), a value out of range (1e100 m). Each
// output ends in a German message and 3, nothing written; the search lets each pair fail.
TEST_F(StrevoCli, AFrameThatCannotBeComputedIsThreeInEveryOutput) {
  const std::string pdf = Path("bericht.pdf").string();
  for (const auto& [h, fault] : {std::pair{"1e158", "Rahmen ohne Gleichgewicht"},
                                 std::pair{"1e100", "Ungültige Rechenoperation"}}) {
    const std::string design = Variant("hoch.strevo", {{"\"h\": 6.0", std::string("\"h\": ") + h}});
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, {"--csv"}, {"--bericht", pdf}}) {
      std::vector<std::string> arguments{design};
      arguments.insert(arguments.end(), options.begin(), options.end());
      const Outcome run = Cli(arguments);
      EXPECT_EQ(run.status, 3) << h << " " << run.err;
      EXPECT_EQ(run.out, "");
      const std::string message = "strevo-cli: " + design + ": Rechenfehler (" + fault +
                                  "), die Bemessung lässt sich nicht berechnen";
      EXPECT_EQ(run.err.rfind(message, 0), 0u) << run.err;
      EXPECT_FALSE(fs::exists(pdf));
    }
    const Outcome search = Cli({design, "--bemessen"});
    EXPECT_EQ(search.status, 1) << search.err;
    EXPECT_EQ(search.err, "");
    const JsonValue failing = Get(ParseJson(search.out), "lighterFailing").items.at(0);
    EXPECT_EQ(Get(failing, "failure").text, std::string("Rechenfehler (") + fault + ")");
  }
  // No load is to blame for a frame without equilibrium; for the value out of range the
  // largest one is named as before.
  const Outcome unstable = Cli({Variant("hoch.strevo", {{"\"h\": 6.0", "\"h\": 1e158"}})});
  EXPECT_EQ(unstable.err.find("Lastwert"), std::string::npos) << unstable.err;
}

TEST_F(StrevoCli, APortalThatOverflowsByItselfIsNamedNotALoad) {
  const Outcome run = Cli({Variant("hoch.strevo", {{"\"h\": 6.0", "\"h\": 1e200"}})});
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("; Ursache ist der Rahmen selbst, nicht seine Lasten: h = 1e+200 m, "
                         "L = 15 m, Stützen „HE 300 A“, Riegel „IPE 450“."),
            std::string::npos)
      << run.err;
  EXPECT_EQ(run.err.find("Lastwert"), std::string::npos) << run.err;
  const Outcome search = Cli({Path("hoch.strevo").string(), "--bemessen"});
  EXPECT_EQ(search.status, 1) << search.err;  // every pair fails with the fault
}

// G and n wind cases: 3 · (1 + n · 2ⁿ) combinations.
std::string WindCases(int n) {
  std::string cases = R"({ "name": "Dach", "action": "G", "q": 4.0 })";
  for (int i = 0; i < n; ++i) {
    cases += R"(, { "name": "W)" + std::to_string(i) + R"(", "action": "W", "wD": 0.3 })";
  }
  return cases;
}

TEST_F(StrevoCli, TooManyCombinationsAreRefusedBeforeAnyIsComputed) {
  const auto withCases = [&](const std::string& name, int n) {
    std::string design = Read(STREVO_DESIGN_EXAMPLE);
    const std::size_t from = design.find("\"loadCases\"");
    const std::size_t to = design.find(']', from);
    design.replace(from, to + 1 - from, "\"loadCases\": [ " + WindCases(n) + " ]");
    std::ofstream(Path(name), std::ios::binary) << design;
    return Path(name).string();
  };
  const Outcome seven = Cli({withCases("sieben.strevo", 7), "--csv"});  // 2691 combinations
  EXPECT_TRUE(seven.status == 0 || seven.status == 1) << seven.err;
  EXPECT_NE(seven.out.find("GZG 897;"), std::string::npos);
  const Outcome eight = Cli({withCases("acht.strevo", 8)});  // 6147
  EXPECT_EQ(eight.status, 2);
  EXPECT_EQ(eight.out, "");
  EXPECT_NE(eight.err.find("„loadCases“: die Lastfälle ergeben 6147 Kombinationen, mehr als die "
                           "2700, die eine Bemessung haben darf. Bitte weniger veränderliche "
                           "Lastfälle ansetzen"),
            std::string::npos)
      << eight.err;
  EXPECT_EQ(Cli({Path("acht.strevo").string(), "--bemessen"}).status, 2);
}

// With its data limited to a few megabytes the program runs out of memory: that is no fault of
// the input.
TEST_F(StrevoCli, OutOfMemoryIsFourWithAGermanMessage) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's shadow memory does not fit in the limit";
#endif
  std::string design = Read(STREVO_DESIGN_EXAMPLE);
  const std::size_t from = design.find("\"loadCases\"");
  design.replace(from, design.find(']', from) + 1 - from,
                 "\"loadCases\": [ " + WindCases(7) + " ]");
  std::ofstream(Path("gross.strevo"), std::ios::binary) << design;
  const Outcome run = Start("/bin/sh", {"-c", "ulimit -d 8000 && exec \"$0\" \"$1\"", STREVO_CLI,
                                        Path("gross.strevo").string()});
  EXPECT_EQ(run.status, 4) << run.err;
  EXPECT_NE(run.err.find("gross.strevo: Der Arbeitsspeicher reicht für diese Bemessung nicht aus."),
            std::string::npos)
      << run.err;
}

TEST_F(StrevoCli, AnOutputThatCannotBeWrittenIsTwo) {
  const Outcome full = Cli({STREVO_DESIGN_EXAMPLE}, "/dev/full");
  EXPECT_EQ(full.status, 2);
  EXPECT_NE(full.err.find("nicht auf die Standardausgabe geschrieben"), std::string::npos)
      << full.err;
  const Outcome nowhere = Cli({STREVO_DESIGN_EXAMPLE, "--bericht", Path("fehlt/b.pdf").string()});
  EXPECT_EQ(nowhere.status, 2);
  EXPECT_NE(nowhere.err.find("konnte nicht gespeichert werden (der Ordner existiert nicht)"),
            std::string::npos)
      << nowhere.err;
}

// The report onto its own design, by any name that reaches it: refused before anything is
// computed, the design byte for byte as it was.
TEST_F(StrevoCli, TheReportNeverReplacesItsDesign) {
  const std::string design = Variant("h.strevo", {});
  const std::string original = Read(design);
  fs::create_hard_link(design, Path("hart.pdf"));
  fs::create_symlink(design, Path("weich.pdf"));
  const std::string dotted = (Path(".") / "h.strevo").string();
  for (const std::vector<std::string>& report : {std::vector<std::string>{"--bericht", design},
                                                 {"--bericht", dotted},
                                                 {"--bericht=" + design},
                                                 {"--bericht", Path("hart.pdf").string()},
                                                 {"--bericht", Path("weich.pdf").string()}}) {
    std::vector<std::string> arguments{design};
    arguments.insert(arguments.end(), report.begin(), report.end());
    const Outcome run = Cli(arguments);
    EXPECT_EQ(run.status, 2) << report.back();
    const std::string named = report.back().substr(report.back().find('/'));
    EXPECT_EQ(run.err, "strevo-cli: Die Datei „" + named +
                           "“ konnte nicht gespeichert werden (sie ist die gelesene Datei „" +
                           design + "“). Eine vorhandene Datei bleibt unverändert.\n");
    EXPECT_EQ(Read(design), original);
  }
  EXPECT_TRUE(fs::is_symlink(Path("weich.pdf")));
  EXPECT_EQ(fs::hard_link_count(design), 2u);
}

// Only a regular file takes the report: a named pipe and a folder are refused and stay what
// they are; a hard-linked file is written in place and keeps its link.
TEST_F(StrevoCli, TheReportGoesOnlyIntoARegularFile) {
  ASSERT_EQ(mkfifo(Path("rohr.pdf").c_str(), 0600), 0);
  const Outcome pipe = Cli({STREVO_DESIGN_EXAMPLE, "--bericht", Path("rohr.pdf").string()});
  EXPECT_EQ(pipe.status, 2);
  EXPECT_EQ(pipe.err, "strevo-cli: Die Datei „" + Path("rohr.pdf").string() +
                          "“ konnte nicht gespeichert werden (der Name gehört einer benannten "
                          "Pipe). Eine vorhandene Datei bleibt unverändert.\n");
  EXPECT_TRUE(fs::is_fifo(Path("rohr.pdf")));
  fs::create_directory(Path("ordner.pdf"));
  const Outcome folder = Cli({STREVO_DESIGN_EXAMPLE, "--bericht", Path("ordner.pdf").string()});
  EXPECT_EQ(folder.status, 2);
  EXPECT_NE(folder.err.find("(der Name gehört einem Ordner)"), std::string::npos) << folder.err;
  EXPECT_TRUE(fs::is_directory(Path("ordner.pdf")));

  std::ofstream(Path("alt.pdf")) << "alt";
  fs::create_hard_link(Path("alt.pdf"), Path("zweiter.pdf"));
  const Outcome linked = Cli({STREVO_DESIGN_EXAMPLE, "--bericht", Path("zweiter.pdf").string()});
  EXPECT_EQ(linked.status, 1) << linked.err;
  EXPECT_EQ(Read(Path("alt.pdf")).substr(0, 5), "%PDF-");
  EXPECT_EQ(fs::hard_link_count(Path("alt.pdf")), 2u);
}

// The name is the bytes given, whether or not they are UTF-8.
TEST_F(StrevoCli, TheReportTakesTheNameAsItsBytes) {
  const std::string name = Path("o\xff.pdf").string();
  const Outcome run = Cli({STREVO_DESIGN_EXAMPLE, "--bericht", name});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(Read(name).substr(0, 5), "%PDF-");
  EXPECT_FALSE(fs::exists(Path("o\xEF\xBF\xBD.pdf")));
}

TEST_F(StrevoCli, CsvHoldsTheJsonsNumbersInGermanForm) {
  const Outcome run = Cli({STREVO_DESIGN_EXAMPLE, "--csv"});
  // The example's unloaded columns have moments of -0 along them: they are written as 0.
  EXPECT_EQ(run.out.find(";-0;"), std::string::npos);
  EXPECT_EQ(run.out.find(";-0\r"), std::string::npos);
  const std::string json = Cli({STREVO_DESIGN_EXAMPLE}).out;
  EXPECT_EQ(json.find(": -0,"), std::string::npos);
  EXPECT_EQ(json.find(": -0\n"), std::string::npos);
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(run.out.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(run.out.find("\r\n"), run.out.find('\n') - 1) << "lines end in CRLF";
  const JsonValue root = ParseJson(Read(STREVO_CLI_GOLDEN));
  for (const JsonValue& combination : Get(root, "combinations").items) {
    // The line of the combination: id, limit state, label, then the factors and the values.
    const std::string start = Get(combination, "id").text + ";" +
                              Get(combination, "limitState").text + ";" +
                              Get(combination, "label").text + ";";
    const std::size_t line = run.out.find("\r\n" + start);
    ASSERT_NE(line, std::string::npos) << start;
    const std::string text = run.out.substr(line + 2, run.out.find("\r\n", line + 2) - line - 2);
    std::string number = ShortestNumber(Get(Get(combination, "results"), "M3").number);
    std::replace(number.begin(), number.end(), '.', ',');
    EXPECT_NE(text.find(";" + number + ";"), std::string::npos) << text;
  }
  EXPECT_NE(run.out.find("\r\nDurchbiegung L/w;"), std::string::npos);
}

TEST_F(StrevoCli, ReportIsAPdfWithoutDisplayOrPlatform) {
  const std::string pdf = Path("bericht.pdf").string();
  const Outcome run = Cli({STREVO_DESIGN_EXAMPLE, "--bericht", pdf});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  ASSERT_EQ(Read(pdf).substr(0, 5), "%PDF-");
  const Outcome text = Start("pdftotext", {"-layout", pdf, "-"});
  ASSERT_EQ(text.status, 0) << "pdftotext (poppler-utils) is needed";
  for (const char* expected :
       {"Strevo-Bemessung", "Projekt: Halle Nord", "Position: Pos. 1 Rahmenachse 2",
        "HE 300 A, I1 = 18260,00 cm4", "Nutzlast (Q), Kategorie E, ψ0 = 1,00", "GZT 42", "GZG 21",
        "Umhüllende der Momente", "Stabilität des Rahmens (GZT)", "Theorie II. Ordnung",
        "Maßgebende Kombinationen", "Bemessungsschnittgrößen", "Ausnutzung je Kombination",
        "Querschnittsnachweise (GZT)", "Biegedrillknicken", "Nicht alle Nachweise sind erfüllt.",
        "Fußpunkte sind nicht nachgewiesen.", "Anhang: Rechenweg"}) {
    EXPECT_NE(text.out.find(expected), std::string::npos) << expected;
  }
  // Each page ends in a form feed and is footed with its number of all.
  const auto pages = std::count(text.out.begin(), text.out.end(), '\f');
  EXPECT_GE(pages, 4);
  for (int page = 1; page <= pages; ++page) {
    const std::string footer = "Seite " + std::to_string(page) + " von " + std::to_string(pages);
    EXPECT_NE(text.out.find(footer), std::string::npos) << footer;
  }
}

// Bare second moments of area: no section check, so no utilisation table and no statement on
// what the section check leaves out; the deformation limits alone decide.
TEST_F(StrevoCli, ReportOfBareMembersHasOnlyTheLimits) {
  const std::string pdf = Path("bericht.pdf").string();
  const Outcome run = Cli({Variant("ohne_profil.strevo", {{"\"HE 300 A\"", "{ \"I\": 45070 }"},
                                                          {"\"IPE 450\"", "{ \"I\": 67120 }"}}),
                           "--bericht", pdf});
  EXPECT_EQ(run.status, 0) << run.err;
  const Outcome text = Start("pdftotext", {"-layout", pdf, "-"});
  ASSERT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("ohne Profil, I1 = 45070,00 cm4"), std::string::npos);
  EXPECT_NE(text.out.find("Alle Nachweise sind erfüllt."), std::string::npos);
  EXPECT_NE(text.out.find("Verformungen (GZG)"), std::string::npos);
  EXPECT_EQ(text.out.find("Ausnutzung"), std::string::npos);
  EXPECT_EQ(text.out.find("Rahmenecken"), std::string::npos);
  EXPECT_EQ(text.out.find("Rechenweg"), std::string::npos);
}

}  // namespace
}  // namespace strevo
