#include "docs/accuracy/antenna_comparison.hpp"

#include <cmath>
#include <map>
#include <numbers>
#include <utility>

namespace AntennaComparison {
namespace {

using ProgramDialogue::asTyped;

// Inductance in microhenries of a reactance at the study's frequency.
double microhenries(double reactanceOhm) {
  return reactanceOhm / (2.0 * std::numbers::pi * kFrequencyMhz);
}

// The radiation resistance of the resonant full-size monopole of a conductor,
// found once per conductor.
double fullSizeResistance(Conductor conductor) {
  static std::map<std::pair<double, double>, double> resistances;
  const std::pair key{conductor.diameterMm, conductor.frequencyMhz};
  if (!resistances.contains(key)) {
    resistances[key] =
        AntennaReference::firstResonance(conductor.diameterMm / 1000.0, conductor.frequencyMhz)
            .resistanceOhm;
  }
  return resistances[key];
}

}  // namespace

double programWavelengthM() { return 300.0 / kFrequencyMhz; }

double Element::lengthM() const { return asTyped(electricalLength * programWavelengthM()); }
double Element::diameterMm() const { return asTyped(lengthM() / lengthToDiameter * 1000.0); }

AntennaReference::Monopole Element::monopole(int segmentsPerWave) const {
  return {lengthM(), diameterMm() / 1000.0, kFrequencyMhz, segmentsPerWave};
}

double relativeError(double program, double reference) { return program / reference - 1.0; }

double FeedPointComparison::impedanceError() const {
  std::complex<double> programZ{program.resistanceOhm, program.reactanceOhm};
  return std::abs(programZ - reference) / std::abs(reference);
}

double FeedPointComparison::resistanceError() const {
  return relativeError(program.resistanceOhm, reference.real());
}

FeedPointComparison compareFeedPoint(const Element& element) {
  return {element,
          ProgramDialogue::feedImpedance(kFrequencyMhz, element.lengthM(), element.diameterMm()),
          AntennaReference::feedImpedance(element.monopole())};
}

Convergence convergence(const Element& element) {
  using AntennaReference::feedImpedance;
  const int nominal = AntennaReference::kSegmentsPerWave;
  return {element, feedImpedance(element.monopole(nominal / 2)),
          feedImpedance(element.monopole(nominal)), feedImpedance(element.monopole(nominal * 2)),
          AntennaReference::segmentToRadius(element.monopole(nominal * 2))};
}

double CoilComparison::error() const { return relativeError(programUh, referenceUh); }

CoilComparison compareBaseCoil(const Element& element) {
  double program =
      ProgramDialogue::baseLoadingCoilUh(element.diameterMm(), element.lengthM(), kFrequencyMhz);
  double reference = microhenries(-AntennaReference::feedImpedance(element.monopole()).imag());
  return {element, 0.0, program, reference};
}

CoilComparison compareCentreCoil(const Element& element, double wantedCoilHeight) {
  AntennaReference::CentreCoil coil =
      AntennaReference::resonatingCoil(element.monopole(), wantedCoilHeight * element.lengthM());
  double tipLength = asTyped(element.lengthM() - coil.heightM);
  double program = ProgramDialogue::centreLoadingCoilUh(element.diameterMm(), element.lengthM(),
                                                        kFrequencyMhz, tipLength);
  return {element, coil.heightM / element.lengthM(), program, microhenries(coil.reactanceOhm)};
}

double EfficiencyComparison::referenceDecibels() const {
  return 10.0 * std::log10(loadedResistanceOhm / fullSizeResistanceOhm);
}

double EfficiencyComparison::errorDecibels() const {
  return program.decibels - referenceDecibels();
}

EfficiencyComparison compareEfficiency(Loading loading, double conductorLength,
                                       Conductor conductor) {
  const double lengthM = asTyped(conductorLength * 300.0 / conductor.frequencyMhz);
  const AntennaReference::Monopole monopole{lengthM, conductor.diameterMm / 1000.0,
                                            conductor.frequencyMhz};
  double nearM = 0.0, farM = 0.0, resistance = 0.0;
  switch (loading) {
    case Loading::base:
      farM = lengthM;
      resistance = AntennaReference::feedImpedance(monopole).real();
      break;
    case Loading::centre: {
      AntennaReference::CentreCoil coil = AntennaReference::resonatingCoil(monopole, lengthM / 2.0);
      nearM = asTyped(coil.heightM);
      farM = asTyped(lengthM - coil.heightM);
      resistance = coil.resistanceOhm;
      break;
    }
    case Loading::top:
      nearM = lengthM;
      resistance = AntennaReference::resonatingTopHat(monopole).resistanceOhm;
      break;
  }
  return {loading,
          conductor,
          conductorLength,
          nearM,
          farM,
          ProgramDialogue::efficiency(conductor.frequencyMhz, nearM, farM),
          resistance,
          fullSizeResistance(conductor)};
}

double DipoleComparison::referenceShorteningPercent() const {
  return 100.0 * (1.0 - referenceLengthM / (programWavelengthM() / 4.0));
}

double DipoleComparison::error() const {
  return relativeError(program.elementLengthM, referenceLengthM);
}

DipoleComparison compareDipole(double wavelengthToDiameter) {
  const double diameterMm = asTyped(programWavelengthM() / wavelengthToDiameter * 1000.0);
  return {wavelengthToDiameter, ProgramDialogue::dipole(kFrequencyMhz, diameterMm),
          AntennaReference::firstResonance(diameterMm / 1000.0, kFrequencyMhz).lengthM};
}

}  // namespace AntennaComparison
