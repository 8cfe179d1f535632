// The program's antenna models against NEC2, case by case. The program's
// side comes from its own dialogue (docs/accuracy/program_dialogue.hpp), the
// reference from NEC2 (docs/accuracy/antenna_reference.hpp); both are given
// the same element, typed the same way.
//
// All cases are at kFrequencyMhz. Electrical lengths are in the program's
// wavelength, 300 / f metres, so that a length of 0.25 is the program's own
// quarter wave; NEC2's wavelength at the same frequency is 0.07 % shorter,
// and that difference is part of the program's error.
#pragma once

#include <complex>

#include "docs/accuracy/antenna_reference.hpp"
#include "docs/accuracy/program_dialogue.hpp"

namespace AntennaComparison {

constexpr double kFrequencyMhz = 7.5;

// The wavelength by which the program turns metres into wavelengths.
double programWavelengthM();

// The element of a case: length in the program's wavelengths and length over
// diameter, in metres and millimetres as typed.
struct Element {
  double electricalLength;
  double lengthToDiameter;
  double lengthM() const;
  double diameterMm() const;
  AntennaReference::Monopole monopole(
      int segmentsPerWave = AntennaReference::kSegmentsPerWave) const;
};

// Relative error, program / reference - 1.
double relativeError(double program, double reference);

// Menu entry 3 against NEC2's feed-point impedance of the same monopole.
struct FeedPointComparison {
  Element element;
  ProgramDialogue::FeedImpedance program;
  std::complex<double> reference;
  // |Z_program - Z_NEC2| / |Z_NEC2|, the size of the error as a part of the
  // impedance; and the program's resistance error alone.
  double impedanceError() const;
  double resistanceError() const;
};
FeedPointComparison compareFeedPoint(const Element& element);

// NEC2's feed-point impedance of one element with the segment length
// halved and doubled, for the convergence check.
struct Convergence {
  Element element;
  std::complex<double> coarse, nominal, fine;  // 50, 100, 200 segments a wavelength
  double fineSegmentToRadius;
};
Convergence convergence(const Element& element);

// Menu entry 1 against the coil that NEC2 needs to make the monopole
// resonate: at the base, the coil that cancels the feed-point reactance;
// part-way up, the lumped coil found by a root search on the feed-point
// reactance. coilHeight is a part of the element's length; 0 is the base.
struct CoilComparison {
  Element element;
  double coilHeight;  // as placed, a whole number of segments up
  double programUh;
  double referenceUh;
  double error() const;
};
CoilComparison compareBaseCoil(const Element& element);
CoilComparison compareCentreCoil(const Element& element, double wantedCoilHeight);

// Menu entry 4 against NEC2's radiation resistances: a monopole of total
// conductor length H (in wavelengths) brought to resonance by a coil at the
// base, a coil half-way up, or a four-spoke top hat, against the resonant
// full-size monopole of the same wire. The program's decibels are
// 20 log10 of its ratio; NEC2's are 10 log10 of the ratio of the radiation
// resistances, the power radiated for the same feed current.
enum class Loading { base, centre, top };
constexpr double kEfficiencyDiameterMm = 10.0;

// The conductor and band of an efficiency comparison.
struct Conductor {
  double diameterMm = kEfficiencyDiameterMm;
  double frequencyMhz = kFrequencyMhz;
};

struct EfficiencyComparison {
  Loading loading;
  Conductor conductor;
  double conductorLength;  // L1 + L2, wavelengths
  double nearLoadingPointM, farLoadingPointM;
  ProgramDialogue::Efficiency program;
  double loadedResistanceOhm;
  double fullSizeResistanceOhm;
  double referenceDecibels() const;
  double errorDecibels() const;  // program - NEC2
};
EfficiencyComparison compareEfficiency(Loading loading, double conductorLength,
                                       Conductor conductor = {});

// Menu entry 5 against NEC2's resonant half-length of a dipole in free space.
struct DipoleComparison {
  double wavelengthToDiameter;  // the program's wavelength over the diameter
  ProgramDialogue::Dipole program;
  double referenceLengthM;
  double referenceShorteningPercent() const;  // against 300 / f / 4, as the program's
  double error() const;                       // of the element length
};
DipoleComparison compareDipole(double wavelengthToDiameter);

}  // namespace AntennaComparison
