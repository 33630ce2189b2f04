#include <algorithm>
#include <cmath>
#include <utility>

#include "core/design/design_computation.h"

namespace strevo {
namespace {

void Take(EnvelopeStation& station, double value, std::size_t i) {
  if (value > station.max) {
    station.max = value;
    station.maxBy = i;
  }
  if (value < station.min) {
    station.min = value;
    station.minBy = i;
  }
}

// One force of one member over the ultimate combinations, whose lines are all cut alike.
class ForceEnvelopeBuilder {
 public:
  ForceEnvelopeBuilder(const std::vector<CombinationResult>& combinations,
                       std::vector<std::size_t> ultimate, std::size_t member,
                       ForceLine MemberLines::*force)
      : combinations_(combinations), ultimate_(std::move(ultimate)), m_(member), force_(force) {
    for (const LinePiece& p : Line(ultimate_.front()).pieces) {
      cuts_.push_back(p.start);
    }
  }

  ForceEnvelope Build(double length) {
    ForceEnvelope envelope{{}, {-HUGE_VAL, 0, 0}, {HUGE_VAL, 0, 0}};
    Extremes(envelope);
    std::vector<double> stations{envelope.max.s, envelope.min.s};
    for (int j = 0; j <= 10; ++j) {
      stations.push_back(length * j / 10);
    }
    stations.insert(stations.end(), cuts_.begin(), cuts_.end());
    std::sort(stations.begin(), stations.end());
    stations.erase(std::unique(stations.begin(), stations.end()), stations.end());
    Stations(stations, envelope);
    return envelope;
  }

 private:
  const ForceLine& Line(std::size_t i) const { return combinations_[i].solution.lines[m_].*force_; }

  // Exact: a line's extremes lie at its pieces' ends and where a quadratic piece turns.
  void Extremes(ForceEnvelope& envelope) const {
    const auto extreme = [&](double value, double s, std::size_t i) {
      if (value > envelope.max.value) {
        envelope.max = {value, s, i};
      }
      if (value < envelope.min.value) {
        envelope.min = {value, s, i};
      }
    };
    for (const std::size_t i : ultimate_) {
      for (const LinePiece& p : Line(i).pieces) {
        extreme(p.At(p.start), p.start, i);
        extreme(p.At(p.end), p.end, i);
        if (p.c2 != 0) {
          const double t = -p.c1 / (2 * p.c2);
          if (t > 0 && p.start + t < p.end) {
            extreme(p.At(p.start + t), p.start + t, i);
          }
        }
      }
    }
  }

  // The largest and smallest value at each station, both sides where a line jumps there.
  void Stations(const std::vector<double>& stations, ForceEnvelope& envelope) const {
    // The piece left and right of each station (one where the station is no cut); a station's
    // piece is the same in every combination.
    const std::size_t count = stations.size();
    std::vector<std::size_t> left(count), right(count);
    for (std::size_t k = 0; k < count; ++k) {
      const auto from = std::upper_bound(cuts_.begin(), cuts_.end(), stations[k]);
      right[k] = static_cast<std::size_t>(from - cuts_.begin()) - 1;
      left[k] = right[k] > 0 && cuts_[right[k]] == stations[k] ? right[k] - 1 : right[k];
    }
    std::vector<EnvelopeStation> before(count), after(count);
    for (std::size_t k = 0; k < count; ++k) {
      before[k] = after[k] = {stations[k], -HUGE_VAL, HUGE_VAL, 0, 0};
    }
    std::vector<char> jumps(count, 0);
    // Combination by combination, so that each one's pieces are read while they are at hand.
    for (const std::size_t i : ultimate_) {
      const std::vector<LinePiece>& pieces = Line(i).pieces;
      for (std::size_t k = 0; k < count; ++k) {
        const double s = stations[k];
        const double valueBefore = pieces[left[k]].At(s);
        Take(before[k], valueBefore, i);
        if (left[k] != right[k]) {
          const double valueAfter = pieces[right[k]].At(s);
          Take(after[k], valueAfter, i);
          // Where a line runs on through a cut its two pieces meet but for rounding.
          if (std::abs(valueBefore - valueAfter) > 1e-9 * (1 + std::abs(valueBefore))) {
            jumps[k] = 1;
          }
        }
      }
    }
    for (std::size_t k = 0; k < count; ++k) {
      envelope.stations.push_back(before[k]);
      if (jumps[k] != 0) {
        envelope.stations.push_back(after[k]);
      }
    }
  }

  const std::vector<CombinationResult>& combinations_;
  std::vector<std::size_t> ultimate_;
  std::size_t m_;
  ForceLine MemberLines::*force_;
  std::vector<double> cuts_;
};

}  // namespace

PortalEnvelope EnvelopeOf(const std::vector<CombinationResult>& combinations,
                          const Portal& portal) {
  PortalEnvelope envelope;
  std::vector<std::size_t> ultimate;
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    if (combinations[i].combination.state == LimitState::Ultimate) {
      ultimate.push_back(i);
    }
  }
  if (ultimate.empty()) {
    return envelope;
  }
  for (std::size_t m = 0; m < 3; ++m) {
    const double length = m == 1 ? portal.L : portal.h;
    using Kind = std::pair<ForceLine MemberLines::*, ForceEnvelope MemberEnvelope::*>;
    for (const auto& [line, force] :
         {Kind{&MemberLines::M, &MemberEnvelope::M}, Kind{&MemberLines::Q, &MemberEnvelope::Q},
          Kind{&MemberLines::N, &MemberEnvelope::N}}) {
      envelope[m].*force = ForceEnvelopeBuilder(combinations, ultimate, m, line).Build(length);
    }
  }
  return envelope;
}

}  // namespace strevo
