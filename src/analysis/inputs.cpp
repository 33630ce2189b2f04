#include "inputs.h"

#include "text_rules.h"

namespace strevo {

InputSet ReadInputs(const FieldTexts& texts) {
  InputSet in;
  in.wD = FieldValue(texts[0]);
  in.q = FieldValue(texts[1]);
  in.h = FieldValue(texts[2]);
  in.a = FieldValue(texts[3]);
  in.b = FieldValue(texts[4]);
  in.L = FieldValue(texts[5]);
  in.wS = FieldValue(texts[6]);
  in.F = FieldValue(texts[7]);
  in.I1 = FieldValue(texts[8]);
  in.I2 = FieldValue(texts[9]);
  return in;
}

}  // namespace strevo
