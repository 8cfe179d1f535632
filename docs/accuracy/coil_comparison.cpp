#include "docs/accuracy/coil_comparison.hpp"

#include "arithmetic/stored.hpp"
#include "calculators/coil/coil_formulas.hpp"
#include "docs/accuracy/coil_reference.hpp"

namespace CoilComparison {
namespace {

constexpr double kAirCore = 1.0;

constexpr WoundCoil kStudyCoils[] = {
    {50.0, 10, 2.0, 1.0},   {25.4, 20, 2.0, 1.0}, {60.0, 30, 3.0, 2.0}, {20.0, 50, 1.0, 0.8},
    {50.8, 32, 3.175, 1.6}, {100.0, 6, 4.0, 2.0}, {150.0, 4, 6.0, 3.0}, {30.0, 40, 0.5, 0.5},
};

CoilReference::Coil referenceCoil(const WoundCoil& coil) {
  return {coil.radiusM(), coil.pitchMm / 1000.0, coil.wireDiameterMm / 1000.0,
          static_cast<long double>(coil.turns)};
}

}  // namespace

double programNagaokaCoefficient(double radiusM, double lengthM) {
  return stored(CoilFormulas::nagaokaCoefficient(radiusM, lengthM));
}

double programInductanceUh(double radiusM, double lengthM, double turns, double pitchM,
                           double wireDiameterM) {
  double k = programNagaokaCoefficient(radiusM, lengthM);
  double inductance =
      stored(CoilFormulas::currentSheetInductance(radiusM, lengthM, turns, k, kAirCore));
  if (pitchM != 0.0) {
    double a = stored(CoilFormulas::wireCorrectionA(wireDiameterM, pitchM));
    double b = stored(CoilFormulas::wireCorrectionB(turns));
    inductance =
        stored(CoilFormulas::wireCorrectedInductance(inductance, a, b, radiusM, lengthM, turns, k));
  }
  return stored(inductance * 1000.0L * 1000.0L);
}

double programTurns(double wantedInductanceH, double radiusM, double lengthM) {
  double k = programNagaokaCoefficient(radiusM, lengthM);
  return stored(CoilFormulas::turnsForInductance(wantedInductanceH, radiusM, lengthM, k, kAirCore));
}

long double relativeError(long double program, long double reference) {
  return program / reference - 1.0L;
}

NagaokaPoint compareNagaoka(double radiusToLength) {
  const double lengthM = 0.1;
  const double radiusM = radiusToLength * lengthM;
  long double exact =
      CoilReference::nagaokaCoefficient(radiusM / static_cast<long double>(lengthM));
  double program = programNagaokaCoefficient(radiusM, lengthM);
  return {radiusToLength, exact, program, relativeError(program, exact)};
}

double WoundCoil::radiusM() const { return diameterMm / 2.0 / 1000.0; }
double WoundCoil::lengthM() const { return turns * pitchMm / 1000.0; }
double WoundCoil::radiusToLength() const { return radiusM() / lengthM(); }

InductanceComparison compareInductance(const WoundCoil& coil) {
  const CoilReference::Coil exact = referenceCoil(coil);
  long double reference = CoilReference::roundWireInductance(exact) * 1e6L;
  long double ringSum = CoilReference::ringSumInductance(exact) * 1e6L;
  const double pitchM = coil.pitchMm / 1000.0;
  const double wireM = coil.wireDiameterMm / 1000.0;
  double program = programInductanceUh(coil.radiusM(), coil.lengthM(), coil.turns, pitchM, wireM);
  double closeWound = programInductanceUh(coil.radiusM(), coil.lengthM(), coil.turns, 0.0, wireM);
  double shortLength = programInductanceUh(coil.radiusM(), (coil.turns - 1) * coil.pitchMm / 1000.0,
                                           coil.turns, pitchM, wireM);
  return {
      coil,
      reference,
      ringSum,
      program,
      relativeError(program, reference),
      closeWound,
      relativeError(closeWound, reference),
      shortLength,
      relativeError(shortLength, reference),
      CoilReference::magneticConstant() * exact.radiusM * exact.turns / 4.0L * 1e6L / reference};
}

TurnsComparison compareTurns(const WoundCoil& coil) {
  long double wantedH = CoilReference::roundWireInductance(referenceCoil(coil));
  long double exactTurns = CoilReference::turnsForInductance(
      wantedH, coil.radiusM(), coil.lengthM(), coil.wireDiameterMm / 1000.0);
  long double sheetTurns =
      CoilReference::currentSheetTurns(wantedH, coil.radiusM(), coil.lengthM());
  double program = programTurns(static_cast<double>(wantedH), coil.radiusM(), coil.lengthM());
  return {coil,
          wantedH * 1e6L,
          exactTurns,
          sheetTurns,
          program,
          relativeError(program, exactTurns),
          relativeError(program, sheetTurns)};
}

double programWireCorrectionA(double wireDiameterToPitch) {
  return stored(CoilFormulas::wireCorrectionA(wireDiameterToPitch, 1.0));
}

double programWireCorrectionB(double turns) { return stored(CoilFormulas::wireCorrectionB(turns)); }

std::span<const WoundCoil> studyCoils() { return kStudyCoils; }

double programNagaokaSignChange() {
  // Halves a bracket around the sign change of the program's own coefficient.
  double positive = 40.0;
  double negative = 50.0;
  for (int step = 0; step < 200; ++step) {
    double middle = (positive + negative) / 2.0;
    if (middle == positive || middle == negative) break;
    (compareNagaoka(middle).program > 0.0 ? positive : negative) = middle;
  }
  return positive;
}

}  // namespace CoilComparison
