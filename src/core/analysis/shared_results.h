// The values one computation leaves for the drawings; all start at 0.
#pragma once

namespace strevo {

struct SharedResults {
  double AH = 0, AV = 0, MA = 0, BH = 0, BV = 0, MB = 0;  // reactions, kN and kNm
  double M1 = 0, N1 = 0, Q1 = 0;                          // point 1, top of the left column
  double M2 = 0, N2 = 0, Q2 = 0;                          // point 2, left end of the beam
  double M3 = 0, N3 = 0, Q3 = 0;                          // field point; N3, Q3 stay 0
  double M4 = 0, N4 = 0, Q4 = 0;                          // point 4, right end of the beam
  double M5 = 0, N5 = 0, Q5 = 0;                          // point 5, top of the right column
  double X3 = 0;                                          // field point from point 2, m
  double k = 0;                                           // stiffness ratio (I2/I1)(h/L)
  double Lmax = 0;  // reference length of the drawings, set by DrawSystem
};

}  // namespace strevo
