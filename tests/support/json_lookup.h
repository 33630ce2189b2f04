// A member of a parsed JSON object by its key, for the tests that read the program's JSON.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "core/base/json.h"

namespace strevo::testing {

// A missing key fails the test and gives a null value.
inline const JsonValue& Get(const JsonValue& object, const std::string& key) {
  for (const JsonMember& member : object.members) {
    if (member.key == key) {
      return member.value;
    }
  }
  ADD_FAILURE() << "no key " << key;
  static const JsonValue none;
  return none;
}

}  // namespace strevo::testing
