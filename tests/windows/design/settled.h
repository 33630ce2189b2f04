// Waits, as the user does, for the computation a design window or a search window runs off its
// thread to end and its result to be shown. False when it never ends: the test fails there.
#pragma once

#include <QTest>

#include "windows/design/design_window.h"
#include "windows/design/section_search_window.h"

namespace strevo::testing {

inline constexpr int kLongestComputationMs = 120000;

[[nodiscard]] inline bool Settled(const DesignWindow& window) {
  return QTest::qWaitFor([&] { return !window.IsComputing(); }, kLongestComputationMs);
}

[[nodiscard]] inline bool Settled(const SectionSearchWindow& window) {
  return QTest::qWaitFor([&] { return !window.IsSearching(); }, kLongestComputationMs);
}

}  // namespace strevo::testing
