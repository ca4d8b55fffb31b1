#include "variation.h"

#include "model/number_text.h"

namespace orvo {

double Variation::Apply(double value) const {
  if (percent) return value * amount * 0.01;
  if (additive) return value + amount;
  return amount;
}

void Variation::AppendNote() const {
  if (note == nullptr) return;
  *note += ' ';
  if (additive) *note += "+/- ";
  *note += RealText(amount);
  if (percent) *note += '%';
}

}  // namespace orvo
