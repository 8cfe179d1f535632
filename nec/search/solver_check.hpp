// The design put through nec2c: the coil that resonates the element at
// each segmentation until a halving changes it little, the feed and the
// power budget at resonance with and without the losses, a lossless
// full-size quarter wave beside it, where menu 1's coil makes the element
// resonate, and the sweeps either side of resonance. Always the monopole
// over perfect ground; a dipole's figures follow from it
// (nec/search/solver_figures.hpp). Throws Nec2::SolverMissing or
// Nec2::SolverFailed where nec2c does not give its answers, NoResonance
// where they show no coil that resonates the element.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "nec/design/design.hpp"
#include "nec/model/loaded_element.hpp"
#include "nec/model/structure_solver.hpp"
#include "nec/search/progress.hpp"
#include "nec/search/resonance.hpp"
#include "nec/search/solver_figures.hpp"

namespace SolverCheck {

struct Check {
  // Empty where the element needs no coil: it resonates at or below the
  // frequency without one (it is at or beyond its own resonance).
  std::optional<SolverFigures::SolverResults> results;
  // The resonated design at the finest segmentation, as the deck models it:
  // a monopole, or the dipole of two such halves where the design is one,
  // resonated as a dipole.
  Nec2::LoadedElement resonated;
  // The feed impedance as a function of the coil's impedance at the finest
  // segmentation, at the frequency: what any coil in the coil's place makes
  // of the element.
  std::optional<Resonance::Bilinear> feedOfCoil;
};

// Thrown where NEC2 finds no coil that resonates the element, though it
// needs one (its reactance stays negative for every inductance).
struct NoResonance : std::runtime_error {
  NoResonance();
};

Check run(const Checked::Design& design, Nec2::StructureSolver& solver,
          const Progress::Report& report = {});

// The feed impedance with that coil and no loss anywhere: the radiation
// resistance at resonance.
std::complex<double> losslessFeedOhm(Nec2::StructureSolver& solver, const Checked::Design& design,
                                     int segments, double inductanceH);

}  // namespace SolverCheck
