// The published properties of the profile table's 65 rolled sections, compiled into the
// program from data/section_properties.csv.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace strevo {

struct SectionProperties {
  const char* family;       // "IPE", "HE-A", "HE-B"
  const char* designation;  // as published: "IPE 300", "HE 200 A"
  double h, b, tw, tf, r;   // mm
  double A;                 // cm²
  double mass;              // kg/m
  double Iy;                // cm4
  double Wel;               // elastic section modulus about the strong axis, cm³
  double Wpl;               // plastic section modulus about the strong axis, cm³
  double Avz;               // shear area for load parallel to the web (6.2.6(3)a), cm²
  double iy;                // cm
  double Iz;                // cm4
  double Welz, Wplz;        // cm³
  double iz;                // cm
  double It;                // St Venant torsion constant, cm4
  double Iw;                // warping constant, cm6
  // Table 5.2 for pure bending about y and for pure compression, by grade: S235, S275, S355.
  int classBending[3], classCompression[3];
};

extern const std::array<SectionProperties, 65> kSectionProperties;

// The section as the cross-section window names it ("HE-A 200", "IPE 300", blanks around
// allowed); none for any other text.
const SectionProperties* FindSection(std::string_view programDesignation);
// The name the cross-section window gives a section: "HE-A 300" for "HE 300 A".
std::string ProgramDesignation(const SectionProperties& section);

}  // namespace strevo
