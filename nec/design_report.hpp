// What tanshuku-nec says about a design without the solver: menu 1's coil,
// menu 4's figure, Chu's limit, the coil as wound, the segmentation and the
// warnings; and the screen's lines for every figure the solver adds once it
// has run (none are made up here: a figure not computed is left out and
// the screen says so).
#pragma once

#include <string>

#include "nec/design_options.hpp"
#include "nec/figures.hpp"
#include "nec/messages.hpp"

namespace DesignReport {

// Warnings, by the codes the JSON object lists.
inline constexpr const char* kSelfResonanceLow = "selfResonanceBelowThreeTimesFrequency";
inline constexpr const char* kNearOwnResonance = "elementNearItsOwnResonance";
inline constexpr const char* kExtendedKernel = "segmentsNeedTheExtendedKernel";
inline constexpr const char* kShortSegments = "segmentsBelowTheAdvisedLength";
inline constexpr const char* kCoilTooLarge = "noCoilOfTheseMeasuresReachesTheInductance";
inline constexpr const char* kHelixNotSettled = "helixTurnsNotSettled";
inline constexpr const char* kNoTurnsResonate = "noTurnsOfTheHelixResonate";

// An element beyond this share of a quarter wave is close to resonating on
// its own: the coil is small and the result sensitive to everything.
inline constexpr double kNearResonanceShare = 0.9;

// The figures of a complete, checked design that need no solver.
Results::Figures designFigures(const DesignOptions::Options& options);
// With the coil's measures: the coil as wound for NEC2's inductance where
// the figures hold it, else for menu 1's.
void addCoilAsWound(const DesignOptions::Options& options, Results::Figures& figures);

// The screen, UTF-8 with LF line ends.
std::string text(const DesignOptions::Options& options, const Results::Figures& figures,
                 Messages::Language language);

}  // namespace DesignReport
