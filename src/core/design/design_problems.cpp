// The mistakes that keep a design from being computed, shared by the design window (it marks
// the cells) and the design file (it names their lines).
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <map>
#include <utility>

#include "core/base/json.h"
#include "core/base/text_rules.h"
#include "core/design/design.h"
#include "core/design/design_result.h"

namespace strevo {
namespace {

std::string CountText(std::uint64_t count) {
  return count == std::numeric_limits<std::uint64_t>::max() ? "mehr als " + std::to_string(count)
                                                            : std::to_string(count);
}

class Problems {
 public:
  void Add(std::string key, int loadCase, const std::string& label, const std::string& what) {
    std::string message = QuotedExcerpt(key);
    if (!label.empty()) {
      message += " (" + label + ")";
    }
    list_.push_back({std::move(key), loadCase, message + ": " + what});
  }

  // A length or spacing that must be a finite number above 0.
  void Positive(double value, const std::string& key, const std::string& what) {
    if (!std::isfinite(value)) {
      Add(key, -1, "", what + " ist keine endliche Zahl.");
    } else if (value <= 0) {
      Add(key, -1, "", what + " muss größer als 0 sein, dort steht " + ShortestNumber(value) + ".");
    }
  }

  // Each segment between restraints is checked on its own: a hundred per member are plenty.
  void Spacing(double value, double length, const std::string& key, const std::string& what) {
    Positive(value, key, what);
    if (std::isfinite(value) && value > 0 && std::isfinite(length) && value < length / 100) {
      Add(key, -1, "",
          what + " ist kleiner als ein Hundertstel der Stablänge (" + FormatFixed2(length) +
              " m), dort steht " + ShortestNumber(value) + ".");
    }
  }

  void Restraints(const Design& design) {
    if (design.restraints.columns) {
      Spacing(*design.restraints.columns, design.h, "restraints.columns",
              "der Abstand der seitlichen Halterungen der Stützen");
    }
    if (design.restraints.beam) {
      Spacing(*design.restraints.beam, design.L, "restraints.beam",
              "der Abstand der seitlichen Halterungen des Riegels");
    }
  }

  void Member(const MemberChoice& member, const std::string& key, const std::string& whose) {
    if (!member.section.empty()) {
      if (SectionOf(member) == nullptr) {
        Add(key, -1, "",
            "das Profil " + QuotedExcerpt(member.section) + " steht nicht in der Profiltabelle.");
      }
    } else {
      Positive(member.I, key, "das Flächenträgheitsmoment I " + whose);
    }
  }

  void Limit(int n, const std::string& key, const char* limit) {
    if (n <= 0) {
      Add(key, -1, "",
          std::string("das n der Grenze ") + limit + " muss größer als 0 sein, dort steht " +
              std::to_string(n) + ".");
    }
  }

  // The further loads of one case: finite, on the beam, a partial load from < to.
  void FurtherLoads(const DesignCase& loadCase, int index, const std::string& label, double L) {
    const bool spanKnown = std::isfinite(L) && L > 0;
    const std::string span =
        spanKnown ? " liegen (L = " + ShortestNumber(L) + "), dort steht " : std::string();
    for (std::size_t i = 0; i < loadCase.partial.size(); ++i) {
      const PartialBeamLoad& load = loadCase.partial[i];
      const std::string path = "partial[" + std::to_string(i) + "].";
      if (!Finite({{"q", load.q}, {"from", load.from}, {"to", load.to}}, path, index, label)) {
        continue;
      }
      if (load.from >= load.to) {
        Add(path + "to", index, label,
            "die Teilstreckenlast endet nicht hinter ihrem Anfang; „from“ muss kleiner als „to“ "
            "sein, dort steht " +
                ShortestNumber(load.from) + " bis " + ShortestNumber(load.to) + ".");
      } else if (spanKnown && load.from < 0) {
        Add(path + "from", index, label,
            "die Teilstreckenlast beginnt vor dem Riegel; „from“ muss zwischen 0 und L" + span +
                ShortestNumber(load.from) + ".");
      } else if (spanKnown && load.to > L) {
        Add(path + "to", index, label,
            "die Teilstreckenlast reicht über den Riegel hinaus; „to“ muss zwischen 0 und L" +
                span + ShortestNumber(load.to) + ".");
      }
    }
    for (std::size_t i = 0; i < loadCase.points.size(); ++i) {
      const BeamPointLoad& load = loadCase.points[i];
      const std::string path = "points[" + std::to_string(i) + "].";
      if (Finite({{"F", load.F}, {"a", load.a}}, path, index, label) && spanKnown &&
          !(load.a >= 0 && load.a <= L)) {
        Add(path + "a", index, label,
            "die Einzellast steht nicht auf dem Riegel; a muss zwischen 0 und L" + span +
                ShortestNumber(load.a) + ".");
      }
    }
  }

  // Each combination is computed and kept: their number doubles with each variable case.
  void Combinations(const Design& design) {
    if (const std::uint64_t count = CombinationCount(CasesOf(design)); count > kMostCombinations) {
      Add("loadCases", -1, "",
          "die Lastfälle ergeben " + CountText(count) + " Kombinationen, mehr als die " +
              std::to_string(kMostCombinations) +
              ", die eine Bemessung haben darf. Bitte weniger veränderliche Lastfälle "
              "ansetzen, die einander begleiten: Lastfälle, die nie gleichzeitig wirken, "
              "zu einem zusammenfassen oder weglassen.");
    }
  }

  std::vector<DesignProblem> Take() { return std::move(list_); }

 private:
  // Adds a problem for each value that is not finite; true when all are.
  bool Finite(std::initializer_list<std::pair<const char*, double>> values, const std::string& path,
              int index, const std::string& label) {
    bool finite = true;
    for (const auto& [key, value] : values) {
      if (!std::isfinite(value)) {
        Add(path + key, index, label, "der Wert ist keine endliche Zahl.");
        finite = false;
      }
    }
    return finite;
  }

  std::vector<DesignProblem> list_;
};

// How a message names a load case: by its name, or by its place when it has none.
std::string CaseLabel(const DesignCase& loadCase, int index) {
  if (loadCase.name.find_first_not_of(" \t") == std::string::npos) {
    return "Lastfall " + std::to_string(index + 1);
  }
  return loadCase.name;
}

}  // namespace

std::vector<DesignProblem> ProblemsOf(const Design& design) {
  Problems problems;
  problems.Positive(design.h, "h", "die Stützenhöhe h");
  problems.Positive(design.L, "L", "die Spannweite L");
  problems.Member(design.columns, "columns", "der Stützen");
  problems.Member(design.beam, "beam", "des Riegels");
  problems.Limit(design.settings.swayLimit, "limits.sway", "u ≤ h/n");
  problems.Limit(design.settings.deflectionLimit, "limits.deflection", "w ≤ L/n");
  problems.Restraints(design);
  const bool spanKnown = std::isfinite(design.L) && design.L > 0;
  std::map<std::string, int> names;  // the first load case with each name
  for (int i = 0; i < static_cast<int>(design.loadCases.size()); ++i) {
    const DesignCase& loadCase = design.loadCases[i];
    const std::string label = CaseLabel(loadCase, i);
    const auto add = [&](const char* key, const std::string& what) {
      problems.Add(key, i, label, what);
    };
    if (loadCase.name.find_first_not_of(" \t") == std::string::npos) {
      add("name", "der Lastfall braucht einen Namen.");
    } else if (design.selfWeight && loadCase.name == kSelfWeightCaseName) {
      add("name", "der Name ist dem Eigengewicht vorbehalten, solange es mitgerechnet wird.");
    } else if (const auto [first, isNew] = names.try_emplace(loadCase.name, i); !isNew) {
      add("name", "den Namen trägt schon Lastfall " + std::to_string(first->second + 1) + ".");
    }
    if (loadCase.action == Action::Imposed &&
        (loadCase.category < 'A' || loadCase.category > 'H')) {
      add("category", "die Nutzungskategorie muss A, B, C, D, E, F, G oder H sein, dort steht " +
                          QuotedExcerpt(std::string(1, loadCase.category)) + ".");
    }
    const LoadCase& loads = loadCase.loads;
    const std::pair<const char*, double> values[] = {
        {"wD", loads.wD}, {"wS", loads.wS}, {"q", loads.q}, {"F", loads.F}, {"a", loads.a}};
    for (const auto& [key, value] : values) {
      if (!std::isfinite(value)) {
        add(key, "der Wert ist keine endliche Zahl.");
      }
    }
    if (spanKnown && std::isfinite(loads.F) && loads.F != 0 && std::isfinite(loads.a) &&
        !(loads.a >= 0 && loads.a <= design.L)) {
      add("a", "die Einzellast F steht nicht auf dem Riegel; a muss zwischen 0 und L = " +
                   ShortestNumber(design.L) + " liegen, dort steht " + ShortestNumber(loads.a) +
                   ".");
    }
    problems.FurtherLoads(loadCase, i, label, design.L);
  }
  // Without a case, and without the self-weight that would be one, there is nothing to check:
  // "every check met" would be said of no check at all.
  const bool selfWeightCase =
      design.selfWeight && (SelfWeightOf(design.beam) > 0 || SelfWeightOf(design.columns) > 0);
  if (design.loadCases.empty() && !selfWeightCase) {
    problems.Add("loadCases", -1, "", "die Bemessung hat keinen Lastfall.");
  }
  problems.Combinations(design);
  return problems.Take();
}

}  // namespace strevo
