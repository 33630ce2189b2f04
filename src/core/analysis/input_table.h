// Captions, units and default texts of the ten input fields Text1(0..9).
#pragma once

#include <array>
#include <string_view>

#include "core/analysis/inputs.h"

namespace strevo {

struct InputField {
  const char* symbol;
  const char* caption;
  const char* unit;
  const char* defaultText;
  int left, top;              // the field, twips in the frame "System"
  int captionLeft, unitLeft;  // its caption and unit labels, at the same top
};

inline constexpr std::array<InputField, kFieldCount> kInputFields = {{
    {"wD", "wD =", "kN/m", "0.00", 720, 1320, 120, 1560},
    {"q", "q =", "kN/m", "2.00", 2400, 720, 1920, 3240},
    {"h", "h =", "m", "4.00", 6000, 2640, 5520, 6960},
    {"a", "a =", "m", "3.00", 2880, 4320, 2400, 3720},
    {"b", "b =", "m", "2.00", 4800, 4320, 4320, 5640},
    {"L", "L =", "m", "5.00", 3240, 4920, 2760, 4080},
    {"wS", "wS =", "kN/m", "0.00", 5520, 1320, 4920, 6360},
    {"F", "F =", "kN", "0.00", 4680, 720, 4200, 5520},
    {"I1", "I1 =", "cm4", "1.00", 3120, 2760, 2640, 4080},
    {"I2", "I2 =", "cm4", "1.50", 3120, 2040, 2640, 4080},
}};

inline constexpr int kFieldWD = 0, kFieldQ = 1, kFieldH = 2, kFieldA = 3, kFieldB = 4, kFieldL = 5,
                     kFieldWS = 6, kFieldF = 7, kFieldI1 = 8, kFieldI2 = 9;

// The value of each field in an input set, in field order.
inline constexpr std::array<double InputSet::*, kFieldCount> kFieldValues = {
    &InputSet::wD, &InputSet::q,  &InputSet::h, &InputSet::a,  &InputSet::b,
    &InputSet::L,  &InputSet::wS, &InputSet::F, &InputSet::I1, &InputSet::I2};

// The index of the field with this symbol ("L"), or −1 for none.
inline int FieldIndexOf(std::string_view symbol) {
  for (int i = 0; i < static_cast<int>(kInputFields.size()); ++i) {
    if (symbol == kInputFields[i].symbol) {
      return i;
    }
  }
  return -1;
}

inline bool IsLoadField(int index) {
  return index == kFieldWD || index == kFieldQ || index == kFieldWS || index == kFieldF;
}

// The option captions of the three systems, by SystemType.
inline constexpr std::array<const char*, 3> kSystemCaptions = {
    "Geknickter Träger", "Zweigelenk Strevo", "Eingesp. Strevo"};

}  // namespace strevo
