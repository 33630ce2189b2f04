#include "core/design/design_file.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <fstream>
#include <initializer_list>
#include <map>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "core/analysis/input_table.h"
#include "core/base/json.h"
#include "core/base/readable_file.h"
#include "core/base/text_rules.h"

namespace strevo {
namespace {

using Kind = JsonValue::Kind;
// Where each key of the file stands, by its path as ProblemsOf names it ("h", "limits.sway").
using KeyLines = std::map<std::string, int, std::less<>>;

constexpr std::array<SteelGrade, 3> kGrades = {SteelGrade::S235, SteelGrade::S275,
                                               SteelGrade::S355};
constexpr std::array<Action, 4> kActions = {Action::Permanent, Action::Imposed, Action::Snow,
                                            Action::Wind};
constexpr const char* kOver1000 = "over1000";

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Null:
      return "null";
    case Kind::Boolean:
      return "ein Wahrheitswert";
    case Kind::Number:
      return "eine Zahl";
    case Kind::String:
      return "ein Text";
    case Kind::Array:
      return "eine Liste";
    case Kind::Object:
      break;
  }
  return "ein Objekt";
}

// What stands where a value was expected, with the value where it is short: "ein Text
// („6.0“)", "1.5", "true", "eine Liste".
std::string Found(const JsonValue& value) {
  switch (value.kind) {
    case Kind::Boolean:
      return value.boolean ? "true" : "false";
    case Kind::Number:
      return ShortestNumber(value.number);
    case Kind::String:
      return std::string(KindName(value.kind)) + " (" + QuotedExcerpt(value.text) + ")";
    default:
      break;
  }
  return KindName(value.kind);
}

std::string AtLine(int line) {
  return "Zeile " + std::to_string(line);
}

// How a mistake in a load case names the case: by its name, or by its place when it has none
// (as ProblemsOf does).
std::string CaseLabel(const JsonValue& loadCase, int index) {
  for (const JsonMember& member : loadCase.members) {
    if (member.key == "name" && member.value.kind == Kind::String &&
        member.value.text.find_first_not_of(" \t") != std::string::npos) {
      return member.value.text;
    }
  }
  return "Lastfall " + std::to_string(index + 1);
}

// One object of the file, read key by key: each key it holds goes into `lines` under its path.
class Fields {
 public:
  Fields(const JsonValue& object, std::string prefix, std::string label, KeyLines& lines)
      : object_(object), prefix_(std::move(prefix)), label_(std::move(label)) {
    for (const JsonMember& member : object.members) {
      lines[prefix_ + member.key] = member.line;
    }
  }

  [[noreturn]] void Fail(std::string_view key, int line, const std::string& what) const {
    std::string path = prefix_;
    path += key;
    std::string message = AtLine(line) + ", " + QuotedExcerpt(path);
    if (!label_.empty()) {
      message += " (" + label_ + ")";
    }
    throw DesignFileError(line, path, message + ": " + what);
  }

  // A typing mistake never goes unnoticed: every key must be one of these.
  void OnlyKeys(std::initializer_list<std::string_view> known) const {
    for (const JsonMember& member : object_.members) {
      if (std::find(known.begin(), known.end(), member.key) == known.end()) {
        std::string list;
        for (const std::string_view key : known) {
          list += (list.empty() ? "" : ", ") + std::string(key);
        }
        Fail(member.key, member.line,
             "diesen Schlüssel gibt es hier nicht; erlaubt sind " + list + ".");
      }
    }
  }

  const JsonMember* Find(std::string_view key) const {
    for (const JsonMember& member : object_.members) {
      if (member.key == key) {
        return &member;
      }
    }
    return nullptr;
  }

  const JsonMember& Required(std::string_view key) const {
    const JsonMember* member = Find(key);
    if (member == nullptr) {
      Fail(key, object_.line, "die Angabe fehlt.");
    }
    return *member;
  }

  [[noreturn]] void WrongKind(const JsonMember& member, const std::string& expected) const {
    Fail(member.key, member.value.line,
         "erwartet wird " + expected + ", dort steht " + Found(member.value) + ".");
  }

  const JsonMember& Of(const JsonMember& member, Kind kind) const {
    if (member.value.kind != kind) {
      WrongKind(member, KindName(kind));
    }
    return member;
  }

  double Number(std::string_view key) const { return Of(Required(key), Kind::Number).value.number; }
  double Number(std::string_view key, double absent) const {
    const JsonMember* member = Find(key);
    return member != nullptr ? Of(*member, Kind::Number).value.number : absent;
  }

  int Integer(std::string_view key, std::optional<int> absent = std::nullopt) const {
    const JsonMember* member = absent ? Find(key) : &Required(key);
    if (member == nullptr) {
      return *absent;
    }
    const double value = Of(*member, Kind::Number).value.number;
    if (value != std::trunc(value) || value < INT_MIN || value > INT_MAX) {
      WrongKind(*member, "eine ganze Zahl");
    }
    return static_cast<int>(value);
  }

  const std::string& Text(std::string_view key) const {
    return Of(Required(key), Kind::String).value.text;
  }
  std::string Text(std::string_view key, const std::string& absent) const {
    const JsonMember* member = Find(key);
    return member != nullptr ? Of(*member, Kind::String).value.text : absent;
  }

  bool Boolean(std::string_view key, bool absent) const {
    const JsonMember* member = Find(key);
    return member != nullptr ? Of(*member, Kind::Boolean).value.boolean : absent;
  }

 private:
  const JsonValue& object_;
  std::string prefix_, label_;
};

class Reader {
 public:
  Design Read(const JsonValue& root) {
    if (root.kind != Kind::Object) {
      const std::string what = "eine Bemessung ist ein JSON-Objekt { … }, dort steht ";
      throw DesignFileError(root.line, "",
                            AtLine(root.line) + ": " + what + KindName(root.kind) + ".");
    }
    const Fields top(root, "", "", lines_);
    FormatAndVersion(top);
    top.OnlyKeys({"format", "version", "project", "system", "h", "L", "columns", "beam", "steel",
                  "limits", "selfWeight", "restraints", "loadCases"});
    Design design;
    if (const JsonValue* project = Object(top, "project")) {
      const Fields fields(*project, "project.", "", lines_);
      fields.OnlyKeys({"title", "position", "author"});
      design.project = {fields.Text("title", ""), fields.Text("position", ""),
                        fields.Text("author", "")};
    }
    design.system = System(top);
    design.h = top.Number("h");
    design.L = top.Number("L");
    design.columns = Member(top, "columns");
    design.beam = Member(top, "beam");
    design.settings.grade = Grade(top);
    Limits(top, design.settings);
    design.selfWeight = top.Boolean("selfWeight", true);
    design.restraints = RestraintsOf(top);
    const JsonMember& cases = top.Of(top.Required("loadCases"), Kind::Array);
    for (const JsonValue& item : cases.value.items) {
      design.loadCases.push_back(Case(item));
    }
    Refuse(ProblemsOf(design));
    return design;
  }

 private:
  // Format and version first: another file should be named as such, not by its keys.
  static void FormatAndVersion(const Fields& top) {
    const JsonMember& format = top.Of(top.Required("format"), Kind::String);
    if (format.value.text != kDesignFormat) {
      top.Fail("format", format.value.line,
               "die Datei ist keine Strevo-Bemessung (erwartet wird „strevo-bemessung“, dort "
               "steht " +
                   QuotedExcerpt(format.value.text) + ").");
    }
    // Version 1 means what it always meant; its files may already use version 2's keys, as a
    // user adding a partial load to an old file would expect.
    const JsonMember& version = top.Of(top.Required("version"), Kind::Number);
    if (version.value.number != 1 && version.value.number != kDesignVersion) {
      top.Fail("version", version.value.line,
               "Version " + ShortestNumber(version.value.number) +
                   " kann dieses Programm nicht lesen, es liest Version 1 und 2.");
    }
  }

  static SystemType System(const Fields& top) {
    const int system = top.Integer("system");
    if (system < 0 || system > 2) {
      top.Fail("system", top.Find("system")->value.line,
               std::string("erlaubt sind 0 (") + kSystemCaptions[0] + "), 1 (" +
                   kSystemCaptions[1] + ") und 2 (" + kSystemCaptions[2] + "), dort steht " +
                   std::to_string(system) + ".");
    }
    return static_cast<SystemType>(system);
  }

  void Limits(const Fields& top, CheckSettings& settings) {
    if (const JsonValue* limits = Object(top, "limits")) {
      const Fields fields(*limits, "limits.", "", lines_);
      fields.OnlyKeys({"sway", "deflection"});
      settings.swayLimit = fields.Integer("sway", settings.swayLimit);
      settings.deflectionLimit = fields.Integer("deflection", settings.deflectionLimit);
    }
  }

  Restraints RestraintsOf(const Fields& top) {
    Restraints r;
    if (const JsonValue* restraints = Object(top, "restraints")) {
      const Fields fields(*restraints, "restraints.", "", lines_);
      fields.OnlyKeys({"columns", "beam"});
      if (fields.Find("columns") != nullptr) {
        r.columns = fields.Number("columns");
      }
      if (fields.Find("beam") != nullptr) {
        r.beam = fields.Number("beam");
      }
    }
    return r;
  }

  // The object under `key`, none when the key is left out.
  static const JsonValue* Object(const Fields& fields, std::string_view key) {
    const JsonMember* member = fields.Find(key);
    return member != nullptr ? &fields.Of(*member, Kind::Object).value : nullptr;
  }

  MemberChoice Member(const Fields& top, std::string_view key) {
    const JsonMember& member = top.Required(key);
    if (member.value.kind == Kind::String) {
      if (member.value.text.empty()) {
        top.Fail(key, member.value.line, "die Profilbezeichnung ist leer.");
      }
      return {member.value.text, 0};
    }
    if (member.value.kind != Kind::Object) {
      top.WrongKind(member, "eine Profilbezeichnung wie „HE 300 A“ oder { \"I\": … }");
    }
    const Fields bare(member.value, std::string(key) + ".", "", lines_);
    bare.OnlyKeys({"I"});
    return {"", bare.Number("I")};
  }

  static SteelGrade Grade(const Fields& top) {
    const std::string steel = top.Text("steel", GradeName(SteelGrade::S235));
    for (const SteelGrade grade : kGrades) {
      if (steel == GradeName(grade)) {
        return grade;
      }
    }
    top.Fail("steel", top.Find("steel")->value.line,
             "erlaubt sind „S235“, „S275“ und „S355“, dort steht " + QuotedExcerpt(steel) + ".");
  }

  DesignCase Case(const JsonValue& item) {
    const int index = static_cast<int>(caseLines_.size());
    caseLines_.emplace_back();
    caseStarts_.push_back(item.line);
    if (item.kind != Kind::Object) {
      throw DesignFileError(item.line, "loadCases",
                            AtLine(item.line) + ", " + QuotedExcerpt("loadCases") +
                                ": erwartet wird ein Lastfall { … }, dort steht " +
                                KindName(item.kind) + ".");
    }
    const Fields fields(item, "", CaseLabel(item, index), caseLines_.back());
    fields.OnlyKeys(
        {"name", "action", "category", "altitude", "wD", "wS", "q", "F", "a", "partial", "points"});
    DesignCase loadCase;
    loadCase.name = fields.Text("name");
    const JsonMember& action = fields.Of(fields.Required("action"), Kind::String);
    const auto* const found = std::find_if(kActions.begin(), kActions.end(), [&](Action known) {
      return action.value.text == ActionLetter(known);
    });
    if (found == kActions.end()) {
      fields.Fail("action", action.value.line,
                  "erlaubt sind „G“ (ständig), „Q“ (Nutzlast), „S“ (Schnee) und „W“ (Wind), "
                  "dort steht " +
                      QuotedExcerpt(action.value.text) + ".");
    }
    loadCase.action = *found;
    if (loadCase.action == Action::Imposed) {
      // Required: a silent default could take ψ0 = 0.7 for a storage load whose ψ0 is 1.0.
      const std::string& category = fields.Text("category");
      if (category.size() != 1) {
        fields.Fail("category", fields.Find("category")->value.line,
                    "die Nutzungskategorie muss A, B, C, D, E, F, G oder H sein, dort steht " +
                        QuotedExcerpt(category) + ".");
      }
      loadCase.category = category[0];  // ProblemsOf checks the letter
    } else if (const JsonMember* category = fields.Find("category")) {
      fields.Fail("category", category->line,
                  "eine Nutzungskategorie gibt es nur bei Nutzlasten („action“: „Q“).");
    }
    if (const JsonMember* altitude = fields.Find("altitude")) {
      if (loadCase.action != Action::Snow) {
        fields.Fail("altitude", altitude->line,
                    "die Höhenlage gibt es nur bei Schnee („action“: „S“).");
      }
      if (const std::string& text = fields.Text("altitude"); text != kOver1000) {
        fields.Fail("altitude", altitude->value.line,
                    "erlaubt ist nur „over1000“ (Ort über 1000 m über NN), dort steht " +
                        QuotedExcerpt(text) + ".");
      }
      loadCase.over1000m = true;
    }
    loadCase.loads.wD = fields.Number("wD", 0);
    loadCase.loads.wS = fields.Number("wS", 0);
    loadCase.loads.q = fields.Number("q", 0);
    loadCase.loads.F = fields.Number("F", 0);
    loadCase.loads.a = fields.Number("a", 0);
    FurtherLoads(fields, CaseLabel(item, index), loadCase);
    return loadCase;
  }

  // "partial" and "points" of a load case, each entry's keys under its path.
  void FurtherLoads(const Fields& fields, const std::string& label, DesignCase& loadCase) {
    for (const JsonValue* load : Items(fields, "partial")) {
      const Fields part(*load, PathOf("partial", loadCase.partial.size()), label,
                        caseLines_.back());
      part.OnlyKeys({"q", "from", "to"});
      loadCase.partial.push_back({part.Number("q"), part.Number("from"), part.Number("to")});
    }
    for (const JsonValue* load : Items(fields, "points")) {
      const Fields point(*load, PathOf("points", loadCase.points.size()), label, caseLines_.back());
      point.OnlyKeys({"F", "a"});
      loadCase.points.push_back({point.Number("a"), point.Number("F")});
    }
  }

  // "partial[0].": the prefix of the keys of one entry, counted from 0 as JSON paths are.
  static std::string PathOf(const char* key, std::size_t index) {
    return std::string(key) + "[" + std::to_string(index) + "].";
  }

  // The objects of the list under `key`, none when the key is left out.
  static std::vector<const JsonValue*> Items(const Fields& fields, std::string_view key) {
    std::vector<const JsonValue*> objects;
    if (const JsonMember* member = fields.Find(key)) {
      for (const JsonValue& item : fields.Of(*member, Kind::Array).value.items) {
        if (item.kind != Kind::Object) {
          fields.Fail(key, item.line,
                      "erwartet wird eine Liste von Objekten { … }, dort steht " +
                          std::string(KindName(item.kind)) + ".");
        }
        objects.push_back(&item);
      }
    }
    return objects;
  }

  int LineOf(const DesignProblem& problem) const {
    const KeyLines& lines =
        problem.loadCase >= 0 ? caseLines_[static_cast<std::size_t>(problem.loadCase)] : lines_;
    if (const auto found = lines.find(problem.key); found != lines.end()) {
      return found->second;
    }
    return problem.loadCase >= 0 ? caseStarts_[static_cast<std::size_t>(problem.loadCase)] : 1;
  }

  // The first of the design's mistakes in the file, at its key's line.
  void Refuse(const std::vector<DesignProblem>& problems) const {
    const DesignProblem* first = nullptr;
    int firstLine = 0;
    for (const DesignProblem& problem : problems) {
      const int line = LineOf(problem);
      if (first == nullptr || line < firstLine) {
        first = &problem;
        firstLine = line;
      }
    }
    if (first != nullptr) {
      throw DesignFileError(firstLine, first->key, AtLine(firstLine) + ", " + first->message);
    }
  }

  KeyLines lines_;
  std::vector<KeyLines> caseLines_;
  std::vector<int> caseStarts_;
};

// A number as the file writes it: integral values keep a ".0" ("6.0"), so that a length never
// looks like a count; what JSON cannot hold is null.
std::string FileNumber(double value) {
  if (!std::isfinite(value)) {
    return "null";
  }
  std::string text = ShortestNumber(value);
  if (text.find_first_not_of("-0123456789") == std::string::npos) {
    text += ".0";
  }
  return text;
}

void WriteMember(JsonWriter& w, const char* key, const MemberChoice& member) {
  w.Key(key);
  if (!member.section.empty()) {
    w.Value(JsonString(member.section));
    return;
  }
  w.OpenInline('{');
  w.Field("I", FileNumber(member.I));
  w.Close('}');
}

// The further beam loads, each list on the case's line.
void WriteBeamLoads(JsonWriter& w, const DesignCase& loadCase) {
  if (!loadCase.partial.empty()) {
    w.Key("partial");
    w.Open('[');
    for (const PartialBeamLoad& load : loadCase.partial) {
      w.Open('{');
      w.Field("q", FileNumber(load.q));
      w.Field("from", FileNumber(load.from));
      w.Field("to", FileNumber(load.to));
      w.Close('}');
    }
    w.Close(']');
  }
  if (!loadCase.points.empty()) {
    w.Key("points");
    w.Open('[');
    for (const BeamPointLoad& load : loadCase.points) {
      w.Open('{');
      w.Field("F", FileNumber(load.F));
      w.Field("a", FileNumber(load.a));
      w.Close('}');
    }
    w.Close(']');
  }
}

// A load case on one line, its zero loads left out.
void WriteCase(JsonWriter& w, const DesignCase& loadCase) {
  w.OpenInline('{');
  w.Field("name", JsonString(loadCase.name));
  w.Field("action", JsonString(ActionLetter(loadCase.action)));
  if (loadCase.action == Action::Imposed) {
    w.Field("category", JsonString(std::string(1, loadCase.category)));
  }
  if (loadCase.action == Action::Snow && loadCase.over1000m) {
    w.Field("altitude", JsonString(kOver1000));
  }
  const LoadCase& loads = loadCase.loads;
  const std::pair<const char*, double> values[] = {
      {"wD", loads.wD}, {"wS", loads.wS}, {"q", loads.q}, {"F", loads.F}, {"a", loads.a}};
  for (const auto& [key, value] : values) {
    if (value != 0) {
      w.Field(key, FileNumber(value));
    }
  }
  WriteBeamLoads(w, loadCase);
  w.Close('}');
}

}  // namespace

DesignFileError::DesignFileError(int line, std::string key, const std::string& message)
    : std::runtime_error(message), line_(line), key_(std::move(key)) {}

Design ReadDesign(std::string_view text) {
  JsonValue root;
  try {
    root = ParseJson(text);
  } catch (const JsonError& error) {
    throw DesignFileError(error.line(), "", error.what());
  }
  return Reader().Read(root);
}

std::string WriteDesign(const Design& design) {
  JsonWriter w;
  w.Open('{');
  w.Field("format", JsonString(kDesignFormat));
  w.Field("version", std::to_string(kDesignVersion));
  const ProjectHeader& project = design.project;
  w.Key("project");
  w.OpenInline('{');
  w.Field("title", JsonString(project.title));
  w.Field("position", JsonString(project.position));
  w.Field("author", JsonString(project.author));
  w.Close('}');
  w.Field("system", std::to_string(static_cast<int>(design.system)));
  w.Field("h", FileNumber(design.h));
  w.Field("L", FileNumber(design.L));
  WriteMember(w, "columns", design.columns);
  WriteMember(w, "beam", design.beam);
  w.Field("steel", JsonString(GradeName(design.settings.grade)));
  w.Key("limits");
  w.OpenInline('{');
  w.Field("sway", std::to_string(design.settings.swayLimit));
  w.Field("deflection", std::to_string(design.settings.deflectionLimit));
  w.Close('}');
  w.Field("selfWeight", design.selfWeight ? "true" : "false");
  if (design.restraints.columns || design.restraints.beam) {
    w.Key("restraints");
    w.OpenInline('{');
    if (design.restraints.columns) {
      w.Field("columns", FileNumber(*design.restraints.columns));
    }
    if (design.restraints.beam) {
      w.Field("beam", FileNumber(*design.restraints.beam));
    }
    w.Close('}');
  }
  w.Key("loadCases");
  w.Open('[');
  for (const DesignCase& loadCase : design.loadCases) {
    WriteCase(w, loadCase);
  }
  w.Close(']');
  w.Close('}');
  return std::move(w).Text();
}

Design ReadDesignFile(const std::filesystem::path& file) {
  if (const std::optional<std::string> problem = UnreadableFileProblem(file, kLargestProjectFile)) {
    throw DesignFileError(0, "", *problem);
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    throw DesignFileError(0, "", "Die Datei \"" + file.string() + "\" kann nicht geöffnet werden.");
  }
  std::ostringstream contents;
  contents << in.rdbuf();
  if (in.bad()) {
    throw DesignFileError(0, "", "Die Datei \"" + file.string() + "\" kann nicht gelesen werden.");
  }
  std::string_view text = contents.view();
  if (text.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  try {
    return ReadDesign(text);
  } catch (const DesignFileError& error) {
    throw DesignFileError(
        error.line(), error.key(),
        "Die Datei „" + file.string() + "“ ist keine gültige Bemessung.\n" + error.what());
  }
}

}  // namespace strevo
