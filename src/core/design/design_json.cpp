#include <cmath>
#include <string_view>

#include "core/base/json.h"
#include "core/base/text_rules.h"
#include "core/design/design_output.h"
#include "core/design/design_output_parts.h"

namespace strevo {
namespace {

const char* Bool(bool value) {
  return value ? "true" : "false";
}

void FactorsJson(JsonWriter& w, const DesignResult& result, const Combination& combination) {
  w.Key("factors");
  w.Open('[');
  for (const CaseFactor& factor : combination.factors) {
    const DesignCase& loadCase = result.cases[factor.loadCase];
    w.Open('{');
    w.Field("case", JsonString(loadCase.name));
    if (loadCase.action == Action::Wind) {
      w.Field("direction", factor.mirrored ? "\"rechts\"" : "\"links\"");
    }
    w.Field("factor", ShortestNumber(factor.factor));
    w.Close('}');
  }
  w.Close(']');
}

void ValuesJson(JsonWriter& w, std::string_view key, const std::vector<ResultValue>& values) {
  w.Key(key);
  w.Open('{');
  for (const ResultValue& value : values) {
    w.Field(value.symbol, value.value ? ShortestNumber(*value.value) : "null");
  }
  w.Close('}');
}

void CombinationJson(JsonWriter& w, const DesignResult& result, const CombinationResult& c) {
  w.Open('{');
  w.Field("id", JsonString(c.combination.id));
  w.Field("limitState", JsonString(LimitStateName(c.combination.state)));
  w.Field("label", JsonString(c.combination.label));
  FactorsJson(w, result, c.combination);
  ValuesJson(w, "results", ResultValuesOf(c));
  if (const std::optional<CombinationStability>& st = c.stability) {
    w.Key("alphaCr");
    if (std::isfinite(st->critical.factor)) {
      w.Open('{');
      w.Field("value", ShortestNumber(st->critical.factor));
      w.Field("mode", st->critical.mode == BucklingMode::Sway ? "\"sway\"" : "\"symmetric\"");
      w.Close('}');
    } else {
      w.Value("null");
    }
    w.Field("imperfection", ShortestNumber(st->imperfection));
    w.Field("secondOrder", Bool(st->secondOrder));
    if (st->unstable) {
      w.Field("resultsDesign", "null");
    } else {
      ValuesJson(w, "resultsDesign", DesignValuesOf(*st));
    }
  }
  w.Close('}');
}

// A utilisation; null where there is none to give (the portal unstable).
std::string EtaJson(double eta) {
  return std::isfinite(eta) ? ShortestNumber(eta) : "null";
}

void ChecksJson(JsonWriter& w, const DesignResult& result) {
  w.Key("checks");
  w.Open('{');
  for (const MemberEntry& member : MemberEntries(result)) {
    if (!member.check) {
      continue;
    }
    const GoverningMember& governing = *member.check;
    const MemberDesign& check = governing.check;
    w.Key(member.key);
    w.Open('{');
    w.Field("eta", EtaJson(check.Eta()));
    for (const MemberCheckKind kind : kMemberCheckKinds) {
      w.Field(EtaKey(kind),
              check.unstable ? "null" : ShortestNumber(LargestOf(governing, kind).eta));
    }
    w.Field("combination", JsonString(IdOf(result, governing.combination)));
    w.Field("place", JsonString(check.unstable ? "" : CheckPlace(check, GoverningCheck(check))));
    w.Field("met", Bool(check.Met()));
    if (check.unstable) {
      w.Field("unstable", "true");
    } else if (!check.verification.covered) {
      w.Field("covered", "false");
    }
    w.Close('}');
  }
  for (const LimitEntry& limit : LimitEntries(result)) {
    if (!limit.check) {
      continue;
    }
    w.Key(limit.key);
    w.Open('{');
    w.Field("ratio", ShortestNumber(limit.check->check.ratio));
    w.Field("limit", std::to_string(limit.limit));
    w.Field("combination", JsonString(IdOf(result, limit.check->combination)));
    w.Field("met", Bool(limit.check->check.met));
    w.Close('}');
  }
  w.Close('}');
}

void WritePair(JsonWriter& w, const TriedPair& pair, const CheckSettings& settings) {
  w.Field("columns", JsonString(pair.columns->designation));
  w.Field("beam", JsonString(pair.beam->designation));
  w.Field("mass", ShortestNumber(pair.mass));
  if (!pair.passes) {
    w.Field("failure", JsonString(pair.failure));
    return;
  }
  w.Key("eta");
  w.Open('{');
  w.Field("columns", ShortestNumber(pair.etaColumns));
  w.Field("beam", ShortestNumber(pair.etaBeam));
  // A limit as a utilisation: 1/n against 1/limit; 0 where nothing moves.
  w.Field("sway", ShortestNumber(pair.sway > 0 ? settings.swayLimit / pair.sway : 0));
  w.Field("deflection",
          ShortestNumber(pair.deflection > 0 ? settings.deflectionLimit / pair.deflection : 0));
  w.Close('}');
}

}  // namespace

void WriteDesignResultJson(const DesignResult& result, const JsonWriter::Sink& sink) {
  JsonWriter w(sink);
  w.Open('{');
  w.Field("format", JsonString("strevo-ergebnis"));
  w.Field("version", "1");
  w.Key("combinations");
  w.Open('[');
  for (const CombinationResult& c : result.combinations) {
    CombinationJson(w, result, c);
  }
  w.Close(']');
  ChecksJson(w, result);
  w.Close('}');
  w.Finish();
}

std::string DesignResultJson(const DesignResult& result) {
  std::string text;
  WriteDesignResultJson(result, [&text](std::string_view piece) { text += piece; });
  return text;
}

std::string SectionSearchJson(const SectionSearch& search) {
  JsonWriter w;
  w.Open('{');
  if (search.passing.empty()) {
    for (const char* key : {"columns", "beam", "mass", "eta"}) {
      w.Field(key, "null");
    }
  } else {
    WritePair(w, search.passing.front(), search.settings);
  }
  w.Key("alternatives");
  w.Open('[');
  for (std::size_t i = 1; i < search.passing.size(); ++i) {
    w.Open('{');
    WritePair(w, search.passing[i], search.settings);
    w.Close('}');
  }
  w.Close(']');
  w.Key("lighterFailing");
  w.Open('[');
  for (const TriedPair& pair : search.lighterFailing) {
    w.Open('{');
    WritePair(w, pair, search.settings);
    w.Close('}');
  }
  w.Close(']');
  if (search.passing.empty()) {
    w.Key("suggestions");
    w.Open('[');
    for (const std::string& s : search.suggestions) {
      w.Value(JsonString(s));
    }
    w.Close(']');
  }
  w.Field("pairs", ShortestNumber(static_cast<double>(search.pairs)));
  w.Field("decided", ShortestNumber(static_cast<double>(search.decided)));
  w.Close('}');
  return std::move(w).Text();
}

}  // namespace strevo
