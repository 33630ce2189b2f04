// The ten inputs of the main window and the system choice, as the engine and drawings read them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/portal.h"

namespace strevo {

struct InputSet {
  double wD = 0;  // horizontal load on the left column, kN/m
  double q = 0;   // vertical load on the beam, kN/m
  double h = 0;   // column height, m
  double a = 0;   // position of the point load from the beam's left end, m
  double b = 0;   // L - a, m (read by no computation)
  double L = 0;   // span, m
  double wS = 0;  // horizontal load on the right column, kN/m
  double F = 0;   // point load, kN
  double I1 = 0;  // second moment of area of the columns, cm4
  double I2 = 0;  // second moment of area of the beam, cm4
};

inline constexpr int kFieldCount = 10;
using FieldTexts = std::array<std::string, kFieldCount>;

// Reads the fields in index order with the field-value rule; an overflowing text throws, naming
// its field.
InputSet ReadInputs(const FieldTexts& texts);
// The value of field `index` with this text, read as ReadInputs reads it.
double FieldValueOf(std::string_view text, int index);

// What a field's text reads as, when that is not plain to see: nothing for a text that is
// exactly a number (blanks around it allowed), "Gelesen wird: 2" for "2,5", "", "abc" or "4 m",
// "Zahl zu groß" for a number beyond the computation's range.
std::optional<std::string> FieldReadingNote(std::string_view text);

}  // namespace strevo
