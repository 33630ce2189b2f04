#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "core/base/text_rules.h"
#include "core/design/design_result.h"

namespace strevo {
namespace {

struct Partial {
  LimitState state;
  double permanent, leading;  // γG and γQ; the accompanying ones take γQ·ψ0
};

// 1,35 as the labels write a factor; 1 is left out.
std::string FactorText(double factor) {
  std::string text = ShortestNumber(factor);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

// γ·ψ0 to six decimals, so that 1.5·0.7 is the 1.05 a label shows and not 1.0499999999999998.
double Rounded(double factor) {
  return std::round(factor * 1e6) / 1e6;
}

// Whether two cases may act together: roof imposed loads (category H) never with snow or wind.
bool Roof(const DesignCase& c) {
  return c.action == Action::Imposed && c.category == 'H';
}
bool Weather(const DesignCase& c) {
  return c.action == Action::Snow || c.action == Action::Wind;
}
bool Compatible(const DesignCase& a, const DesignCase& b) {
  return !(Roof(a) && Weather(b)) && !(Roof(b) && Weather(a));
}

std::uint64_t Sum(std::uint64_t a, std::uint64_t b) {
  return a > std::numeric_limits<std::uint64_t>::max() - b
             ? std::numeric_limits<std::uint64_t>::max()
             : a + b;
}

// The combinations one leading case (from one side) starts, counted as Enumeration::Accompany
// makes them: whether a combination may take a case depends only on whether it holds a roof
// load, a weather load and on which side its wind blows, so those are all a count must follow.
std::uint64_t LedBy(const std::vector<DesignCase>& cases, const std::vector<std::size_t>& variable,
                    std::size_t lead, bool mirrored) {
  // [roof][weather][side: none, left, right]
  using States = std::array<std::array<std::array<std::uint64_t, 3>, 2>, 2>;
  States count{};
  const DesignCase& leading = cases[lead];
  const bool wind = leading.action == Action::Wind;
  count[Roof(leading)][Weather(leading)][wind ? (mirrored ? 2 : 1) : 0] = 1;
  for (const std::size_t other : variable) {
    const DesignCase& c = cases[other];
    if (other == lead || !(Psi0(c) > 0) || !Compatible(leading, c)) {
      continue;
    }
    States next = count;  // every combination so far, without this case
    for (std::size_t roof = 0; roof < 2; ++roof) {
      for (std::size_t weather = 0; weather < 2; ++weather) {
        if ((roof != 0 && Weather(c)) || (weather != 0 && Roof(c))) {
          continue;
        }
        const std::size_t r = roof != 0 || Roof(c), w = weather != 0 || Weather(c);
        for (std::size_t side = 0; side < 3; ++side) {
          const std::uint64_t n = count[roof][weather][side];
          if (c.action != Action::Wind) {
            next[r][w][side] = Sum(next[r][w][side], n);
            continue;
          }
          for (const std::size_t to : {std::size_t{1}, std::size_t{2}}) {
            if (side == 0 || side == to) {
              next[r][w][to] = Sum(next[r][w][to], n);
            }
          }
        }
      }
    }
    count = next;
  }
  std::uint64_t total = 0;
  for (const auto& byWeather : count) {
    for (const auto& bySide : byWeather) {
      for (const std::uint64_t n : bySide) {
        total = Sum(total, n);
      }
    }
  }
  return total;
}

class Enumeration {
 public:
  explicit Enumeration(const std::vector<DesignCase>& cases) : cases_(cases) {
    for (std::size_t i = 0; i < cases.size(); ++i) {
      (cases[i].action == Action::Permanent ? permanent_ : variable_).push_back(i);
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
      names_.push_back({Name(i, false), Name(i, true)});
    }
  }

  std::vector<Combination> All() {
    std::vector<Partial> sets;
    const DesignCode& code = GermanAnnex();
    sets.push_back({LimitState::Ultimate, code.gammaGSup, code.gammaQ});
    if (!permanent_.empty()) {  // without permanent cases both sets would be the same
      sets.push_back({LimitState::Ultimate, code.gammaGInf, code.gammaQ});
    }
    sets.push_back({LimitState::Serviceability, 1.0, 1.0});
    for (const Partial& set : sets) {
      Set(set);
    }
    return std::move(combinations_);
  }

 private:
  struct Chosen {
    std::size_t loadCase;
    bool mirrored;
    double factor;
    bool leading;
  };

  void Set(const Partial& set) {
    if (!permanent_.empty()) {
      Add(set, {});
    }
    for (const std::size_t lead : variable_) {
      const bool wind = cases_[lead].action == Action::Wind;
      for (const bool mirrored : {false, true}) {
        if (mirrored && !wind) {
          break;
        }
        std::vector<std::size_t> others;
        for (const std::size_t other : variable_) {
          if (other != lead && Psi0(cases_[other]) > 0 && Compatible(cases_[lead], cases_[other])) {
            others.push_back(other);
          }
        }
        std::vector<Chosen> chosen{{lead, mirrored, set.leading, true}};
        Accompany(set, others, 0, wind ? std::optional<bool>(mirrored) : std::nullopt, chosen);
      }
    }
  }

  // Every subset of others[from…], each wind case from either side (but all wind cases of one
  // combination from the same side), in the order: without, from the left, from the right.
  void Accompany(const Partial& set, const std::vector<std::size_t>& others, std::size_t from,
                 std::optional<bool> windSide, std::vector<Chosen>& chosen) {
    if (from == others.size()) {
      Add(set, chosen);
      return;
    }
    Accompany(set, others, from + 1, windSide, chosen);
    const std::size_t other = others[from];
    const double factor = Rounded(set.leading * Psi0(cases_[other]));
    for (const bool mirrored : {false, true}) {
      if (cases_[other].action != Action::Wind) {
        if (mirrored) {
          break;
        }
      } else if (windSide && *windSide != mirrored) {
        continue;
      }
      const bool compatible = std::all_of(chosen.begin(), chosen.end(), [&](const Chosen& c) {
        return Compatible(cases_[c.loadCase], cases_[other]);
      });
      if (!compatible) {
        continue;
      }
      chosen.push_back({other, mirrored, factor, false});
      Accompany(set, others, from + 1,
                cases_[other].action == Action::Wind ? std::optional<bool>(mirrored) : windSide,
                chosen);
      chosen.pop_back();
    }
  }

  void Add(const Partial& set, const std::vector<Chosen>& variable) {
    Combination combination;
    combination.state = set.state;
    const bool ultimate = set.state == LimitState::Ultimate;
    combination.id = std::string(LimitStateName(set.state)) + " " +
                     std::to_string((ultimate ? ultimate_ : serviceability_) += 1);
    combination.factors.reserve(permanent_.size() + variable.size());
    for (const std::size_t i : permanent_) {
      combination.factors.push_back({i, false, set.permanent});
    }
    for (const std::size_t i : variable_) {
      for (const Chosen& c : variable) {
        if (c.loadCase == i) {
          combination.factors.push_back({i, c.mirrored, c.factor});
        }
      }
    }
    std::string& label = combination.label;
    label.reserve(64);
    const auto term = [&](double factor, const std::string& what) {
      if (!label.empty()) {
        label += " + ";
      }
      if (factor != 1) {
        label += Factor(factor);
        label += "·";
      }
      label += what;
    };
    if (!permanent_.empty()) {
      term(set.permanent, "G");
    }
    // The leading case first, then the others in case order.
    for (const bool leading : {true, false}) {
      for (const Chosen& c : variable) {
        if (c.leading == leading) {
          term(c.factor, names_[c.loadCase][c.mirrored ? 1 : 0]);
        }
      }
    }
    combinations_.push_back(std::move(combination));
  }

  // "S", "W→", "W←"; with its name where the action has more than one case: "Q (Lager)".
  std::string Name(std::size_t i, bool mirrored) const {
    const DesignCase& loadCase = cases_[i];
    std::string name = ActionLetter(loadCase.action);
    const auto same = std::count_if(variable_.begin(), variable_.end(), [&](std::size_t j) {
      return cases_[j].action == loadCase.action;
    });
    if (same > 1) {
      name += " (" + loadCase.name + ")";
    }
    if (loadCase.action == Action::Wind) {
      name += mirrored ? "←" : "→";
    }
    return name;
  }

  // The few factors there are, each written once.
  const std::string& Factor(double factor) {
    for (const auto& [value, text] : factorTexts_) {
      if (value == factor) {
        return text;
      }
    }
    return factorTexts_.emplace_back(factor, FactorText(factor)).second;
  }

  const std::vector<DesignCase>& cases_;
  std::vector<std::size_t> permanent_, variable_;
  std::vector<std::array<std::string, 2>> names_;  // by case: from the left, from the right
  std::vector<std::pair<double, std::string>> factorTexts_;
  std::vector<Combination> combinations_;
  int ultimate_ = 0, serviceability_ = 0;
};

}  // namespace

const char* LimitStateName(LimitState state) {
  return state == LimitState::Ultimate ? "GZT" : "GZG";
}

std::vector<Combination> CombinationsOf(const std::vector<DesignCase>& cases) {
  return Enumeration(cases).All();
}

std::uint64_t CombinationCount(const std::vector<DesignCase>& cases) {
  std::vector<std::size_t> variable;
  bool permanent = false;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    if (cases[i].action == Action::Permanent) {
      permanent = true;
    } else {
      variable.push_back(i);
    }
  }
  // One set of combinations per set of partial factors: γG 1.35 and 1.00 (the same without a
  // permanent case), then the characteristic one.
  std::uint64_t perSet = permanent ? 1 : 0;
  for (const std::size_t lead : variable) {
    perSet = Sum(perSet, LedBy(cases, variable, lead, false));
    if (cases[lead].action == Action::Wind) {
      perSet = Sum(perSet, LedBy(cases, variable, lead, true));
    }
  }
  const std::uint64_t sets = permanent ? 3 : 2;
  return perSet > std::numeric_limits<std::uint64_t>::max() / sets
             ? std::numeric_limits<std::uint64_t>::max()
             : perSet * sets;
}

}  // namespace strevo
