// Radiation efficiency of a shortened element against a full-size quarter
// wave: the current on a quarter wave (velocity factor 0.96) goes as the
// cosine of the electrical angle; the share of it, summed over 1800 samples,
// that lies on the two conductor sections is the efficiency. Coil losses and
// coil radiation are left out. Each function returns its values as stored
// (rounded to double) at the steps where the calculator stores them.
#pragma once

#include <cstdint>

#include "arithmetic/maths.hpp"
#include "arithmetic/stored.hpp"
#include "calculators/ln10.hpp"

namespace EfficiencyFormulas {

inline constexpr std::int16_t kSampleCount = 1800;

// The element as measured, lengths in metres.
struct Element {
  double frequencyMhz;
  double nearLoadingPointM;  // L1: feed point to the nearest loading point
  double farLoadingPointM;   // L2: tip to the loading point nearest the tip
};

// Where the two conductor sections end, as electrical angles in radians.
struct SectionAngles {
  double nearAngle;  // a1: where the feed-point section ends
  double farAngle;   // a2: where the tip section begins
};

// The current summed over the samples.
struct CurrentSums {
  double element;  // on the two conductor sections
  double full;     // on the whole quarter wave
};

// Sections longer than a shortened quarter wave. f = 0 divides by 0 here.
inline bool sectionsTooLong(const Element& element) {
  return Extended{element.nearLoadingPointM} + element.farLoadingPointM >
         288.0L / (4.0L * Extended{element.frequencyMhz});
}

// 6.28 stands where 2π would: a quarter wave spans 1.57 radians.
inline SectionAngles sectionAngles(const Element& element) {
  const double shortenedWavelengthM = stored(288.0L / Extended{element.frequencyMhz});  // λ
  const double nearShare = stored(element.nearLoadingPointM / Extended{shortenedWavelengthM});
  const double nearAngle = stored(Extended{nearShare} * 6.28L);
  const double farShare = stored(element.farLoadingPointM / Extended{shortenedWavelengthM});
  const double farAngle = stored((0.25L - Extended{farShare}) * 6.28L);
  return {nearAngle, farAngle};
}

// A sample lying exactly on a section boundary counts for neither section;
// where the sections overlap, a sample counts for both.
inline CurrentSums sumCurrents(const SectionAngles& angles) {
  CurrentSums sums{0.0, 0.0};
  for (std::int16_t sample = 1; sample <= kSampleCount; ++sample) {
    const double sampleAngle = stored(static_cast<Extended>(sample) * 3.14L / 3600.0L);
    const double sampleCurrent = stored(Arithmetic::cos(sampleAngle));
    if (angles.nearAngle > sampleAngle) {
      sums.element = stored(Extended{sums.element} + sampleCurrent);
    }
    if (angles.farAngle < sampleAngle) {
      sums.element = stored(Extended{sums.element} + sampleCurrent);
    }
    sums.full = stored(Extended{sums.full} + sampleCurrent);
  }
  return sums;
}

// The efficiency as a ratio of currents.
inline double efficiency(const CurrentSums& sums) {
  return stored(Extended{sums.element} / sums.full);
}

// The efficiency in decibels; an efficiency of 0 divides by 0 here.
inline double efficiencyDb(double ratio) { return stored(20.0L * Arithmetic::log(ratio) / kLn10); }

}  // namespace EfficiencyFormulas
