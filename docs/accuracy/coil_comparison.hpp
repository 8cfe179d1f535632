// The program's coil formulas against the exact references, case by case.
// The program's side calls the program's own CoilFormulas in the order of the
// coil calculator, with the same stores to double and an air core (relative
// permeability 1); nothing of them is written out again here.
#pragma once

#include <span>

namespace CoilComparison {

// The program's Nagaoka coefficient, as stored by the coil calculator.
double programNagaokaCoefficient(double radiusM, double lengthM);

// The program's inductance mode in microhenries; a pitch of 0 is close-wound
// (no round-wire correction), as typed into the calculator.
double programInductanceUh(double radiusM, double lengthM, double turns, double pitchM,
                           double wireDiameterM);

// The program's turns mode.
double programTurns(double wantedInductanceH, double radiusM, double lengthM);

// Relative error of the program's value, program / reference - 1.
long double relativeError(long double program, long double reference);

struct NagaokaPoint {
  double radiusToLength;
  long double exact;
  double program;
  long double error;
};

// The coefficient of a coil 100 mm long with radius / length as given.
NagaokaPoint compareNagaoka(double radiusToLength);

// A single-layer coil as it is wound: diameter to the wire centres, turns,
// pitch and wire, in millimetres.
struct WoundCoil {
  double diameterMm;
  int turns;
  double pitchMm;
  double wireDiameterMm;
  double radiusM() const;
  // The current sheet's length N p (each turn stands for a strip one pitch wide).
  double lengthM() const;
  double radiusToLength() const;
};

struct InductanceComparison {
  WoundCoil coil;
  long double referenceUh;  // exact current sheet with Rosa's corrections
  long double ringSumUh;    // direct sum over the turns as rings
  double programUh;         // length N p, pitch and wire typed
  long double error;
  double programCloseWoundUh;  // the same with pitch typed as 0
  long double closeWoundError;
  double programShortLengthUh;  // length typed as (N - 1) p, pitch and wire typed
  long double shortLengthError;
  // The wire's internal inductance mu0 r N / 4 as a part of the reference:
  // included at low frequency, gone at radio frequencies (skin effect).
  long double internalInductanceShare;
};

InductanceComparison compareInductance(const WoundCoil& coil);

struct TurnsComparison {
  WoundCoil coil;
  long double wantedUh;           // the coil's reference inductance
  long double exactTurns;         // root search on the reference: the coil's own N
  long double currentSheetTurns;  // exact current sheet, no wire
  double programTurns;            // the program's turns mode, length N p
  long double error;              // program against the exact turns
  long double currentSheetError;  // program against the current-sheet turns
};

TurnsComparison compareTurns(const WoundCoil& coil);

// The coils of the study: those the question was asked with first, then more
// shapes from long and thin to short and wide, one close-wound.
std::span<const WoundCoil> studyCoils();

// The program's round-wire correction terms A (wire diameter / pitch) and
// B (turns), to set beside Rosa's G and H.
double programWireCorrectionA(double wireDiameterToPitch);
double programWireCorrectionB(double turns);

// The largest radius / length at which the program's coefficient is still
// positive; above it, 1 + 0.9 x - 0.02 x^2 is negative.
double programNagaokaSignChange();

}  // namespace CoilComparison
