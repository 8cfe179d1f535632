#include "docs/accuracy/thick_element.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "nec/host/posix/solver.hpp"
#include "nec/model/loaded_element.hpp"

namespace ThickElement {
namespace {

using Complex = std::complex<double>;

// Neighbouring cage segments grow by at most this factor away from a hub.
constexpr double kCageGrowth = 1.2;

// The fit is repeated until the coil moves by less than this.
constexpr double kCoilToleranceUh = 1e-4;

double radiusOf(const Design& design) { return design.diameterM / 2.0; }

bool isBaseCoil(const Design& design) { return design.coilHeightM == 0.0; }

Nec2::Structure emptyStructure(const Design& design, const char* comment) {
  Nec2::Structure structure;
  structure.comment = comment;
  structure.ground = Nec2::Ground::perfect;
  structure.extendedKernel = true;
  structure.feed = {1, 1};
  structure.sweep = {design.frequencyMhz};
  return structure;
}

Nec2::Wire verticalWire(int segments, double x, double y, double bottomM, double topM,
                        double radiusM) {
  return {segments, x, y, bottomM, x, y, topM, radiusM};
}

int segmentsFor(double lengthM, double nominalM) {
  return std::max(1, static_cast<int>(std::lround(lengthM / nominalM)));
}

// Segment lengths of a cage run between two heights: R long where the run
// meets a hub, growing (or shrinking) by kCageGrowth to the nominal length,
// which fills the middle.
std::vector<double> cageRunSegments(double runM, double nominalM, double hubSegmentM,
                                    bool hubAtBottom, bool hubAtTop) {
  std::vector<double> ramp;
  for (double length = hubSegmentM; std::max(length / nominalM, nominalM / length) > kCageGrowth;
       length *= nominalM > length ? kCageGrowth : 1.0 / kCageGrowth) {
    ramp.push_back(length);
  }
  const int ramps = (hubAtBottom ? 1 : 0) + (hubAtTop ? 1 : 0);
  auto middleOf = [&] {
    double rampM = 0.0;
    for (double length : ramp) rampM += length;
    return runM - ramps * rampM;
  };
  while (!ramp.empty() && middleOf() < nominalM) ramp.pop_back();
  const double middleM = middleOf();
  if (middleM <= 0.0) throw std::runtime_error("cage run too short for its hubs");
  const int middle = segmentsFor(middleM, nominalM);
  std::vector<double> lengths;
  if (hubAtBottom) lengths = ramp;
  lengths.insert(lengths.end(), middle, middleM / middle);
  if (hubAtTop) lengths.insert(lengths.end(), ramp.rbegin(), ramp.rend());
  return lengths;
}

// The eight cage wires between two heights, each cut as cageRunSegments
// says: a wire for every run of equal segments, the same heights on all
// eight so that their segments lie side by side.
void addCageRun(Nec2::Structure& structure, const Design& design, double bottomM, double topM,
                double nominalM, double hubSegmentM, bool hubAtBottom, bool hubAtTop) {
  const double tubeRadius = radiusOf(design);
  const double wireRadius = tubeRadius / kCageWires;
  std::vector<double> lengths =
      cageRunSegments(topM - bottomM, nominalM, hubSegmentM, hubAtBottom, hubAtTop);
  for (int k = 0; k < kCageWires; ++k) {
    const double angle = 2.0 * std::numbers::pi * k / kCageWires;
    const double x = tubeRadius * std::cos(angle);
    const double y = tubeRadius * std::sin(angle);
    double z = bottomM;
    for (std::size_t i = 0; i < lengths.size();) {
      std::size_t end = i;
      while (end < lengths.size() && lengths[end] == lengths[i]) ++end;
      double next = end == lengths.size() ? topM : z + lengths[i] * static_cast<double>(end - i);
      structure.wires.push_back(verticalWire(static_cast<int>(end - i), x, y, z, next, wireRadius));
      z = next;
      i = end;
    }
  }
}

// Eight radial spokes from the axis to the cage's circle, at one height.
void addHub(Nec2::Structure& structure, const Design& design, double heightM,
            int segmentsPerSpoke) {
  const double tubeRadius = radiusOf(design);
  for (int k = 0; k < kCageWires; ++k) {
    const double angle = 2.0 * std::numbers::pi * k / kCageWires;
    structure.wires.push_back({segmentsPerSpoke, 0.0, 0.0, heightM, tubeRadius * std::cos(angle),
                               tubeRadius * std::sin(angle), heightM, tubeRadius / kCageWires});
  }
}

Complex feedWithCoil(const LoadableElement& element, double reactanceOhm) {
  Nec2::Structure structure = element.structure;
  structure.loads.push_back({element.coil.wire, element.coil.segment, reactanceOhm});
  return Nec2::feedImpedance(structure);
}

// The bilinear function Z(ZL) = (a + b ZL) / (1 + c ZL) through three points.
struct Bilinear {
  Complex a, b, c;
};

// Solves the 3 x 3 complex system m x = v by Cramer's rule.
std::array<Complex, 3> solve3(const std::array<std::array<Complex, 3>, 3>& m,
                              const std::array<Complex, 3>& v) {
  auto det = [](const std::array<std::array<Complex, 3>, 3>& q) {
    return q[0][0] * (q[1][1] * q[2][2] - q[1][2] * q[2][1]) -
           q[0][1] * (q[1][0] * q[2][2] - q[1][2] * q[2][0]) +
           q[0][2] * (q[1][0] * q[2][1] - q[1][1] * q[2][0]);
  };
  const Complex whole = det(m);
  if (std::abs(whole) == 0.0) throw std::runtime_error("singular bilinear fit");
  std::array<Complex, 3> x;
  for (int column = 0; column < 3; ++column) {
    auto replaced = m;
    for (int row = 0; row < 3; ++row) replaced[row][column] = v[row];
    x[column] = det(replaced) / whole;
  }
  return x;
}

struct Sample {
  double reactanceOhm;
  Complex feedOhm;
};

// a + b ZL - c ZL Z = Z for each sample.
Bilinear fit(const std::array<Sample, 3>& samples) {
  std::array<std::array<Complex, 3>, 3> m;
  std::array<Complex, 3> v;
  for (int i = 0; i < 3; ++i) {
    const Complex load{0.0, samples[i].reactanceOhm};
    m[i] = {1.0, load, -load * samples[i].feedOhm};
    v[i] = samples[i].feedOhm;
  }
  auto [a, b, c] = solve3(m, v);
  return {a, b, c};
}

// The smallest positive coil reactance X at which Im Z(jX) = 0. With
// Z = (a + jbX) / (1 + jcX), Im of (a + jbX)(1 - j conj(c) X) is
// Im(b conj c) X² + (Re b - Re(a conj c)) X + Im a.
double firstZeroOfReactance(const Bilinear& f) {
  const double square = (f.b * std::conj(f.c)).imag();
  const double linear = f.b.real() - (f.a * std::conj(f.c)).real();
  const double constant = f.a.imag();
  std::vector<double> roots;
  if (std::fabs(square) * std::fabs(constant) < 1e-12 * linear * linear) {
    roots.push_back(-constant / linear);
  } else {
    const double discriminant = linear * linear - 4.0 * square * constant;
    if (discriminant < 0.0) throw std::runtime_error("the feed-point reactance never reaches 0");
    // The numerically stable pair of roots.
    const double q = -0.5 * (linear + std::copysign(std::sqrt(discriminant), linear));
    roots = {q / square, constant / q};
  }
  double first = INFINITY;
  for (double root : roots) {
    if (root > 0.0) first = std::min(first, root);
  }
  if (!std::isfinite(first)) throw std::runtime_error("no positive coil resonates the element");
  return first;
}

double microhenries(double reactanceOhm, double frequencyMhz) {
  return reactanceOhm / (2.0 * std::numbers::pi * frequencyMhz);
}

double lengthOf(const Nec2::Wire& wire) {
  return std::hypot(wire.x2 - wire.x1, wire.y2 - wire.y1, wire.z2 - wire.z1);
}

}  // namespace

// The single wire as tanshuku-nec builds it (nec/model/loaded_element.hpp), its
// coil's load left off for the fit to put on.
LoadableElement singleWire(const Design& design, int segments) {
  Nec2::LoadedElement element{.lengthM = design.lengthM,
                              .diameterM = design.diameterM,
                              .segments = segments,
                              .coil = Nec2::LoadingCoil{design.coilHeightM, 0.0},
                              .conductor = Nec2::Conductor::perfect,
                              .sweep = {design.frequencyMhz}};
  Nec2::Structure structure = Nec2::structureOf(element);
  structure.comment = "thick element as one wire";
  structure.seriesLoads.clear();
  return {structure, {isBaseCoil(design) ? 1 : 2, 1}};
}

LoadableElement cage(const Design& design, int segments, int segmentsPerSpoke) {
  const double nominal = design.lengthM / segments;
  const double hubSegment = radiusOf(design) / segmentsPerSpoke;
  const double thin = radiusOf(design) / kCageWires;
  Nec2::Structure structure = emptyStructure(design, "thick element as a cage of eight wires");
  structure.wires.push_back(verticalWire(1, 0, 0, 0, hubSegment, thin));
  addHub(structure, design, hubSegment, segmentsPerSpoke);
  if (isBaseCoil(design)) {
    addCageRun(structure, design, hubSegment, design.lengthM, nominal, hubSegment, true, false);
    return {structure, {1, 1}};
  }
  const double coilBottom = design.coilHeightM - hubSegment / 2.0;
  const double coilTop = design.coilHeightM + hubSegment / 2.0;
  addCageRun(structure, design, hubSegment, coilBottom, nominal, hubSegment, true, true);
  addHub(structure, design, coilBottom, segmentsPerSpoke);
  structure.wires.push_back(verticalWire(1, 0, 0, coilBottom, coilTop, thin));
  const int coilWire = static_cast<int>(structure.wires.size());
  addHub(structure, design, coilTop, segmentsPerSpoke);
  addCageRun(structure, design, coilTop, design.lengthM, nominal, hubSegment, true, false);
  return {structure, {coilWire, 1}};
}

double shortestSegmentToRadius(const Nec2::Structure& structure) {
  double shortest = INFINITY;
  for (const Nec2::Wire& wire : structure.wires) {
    if (wire.lengthRatio != 1.0 || wire.winding) {
      throw std::logic_error("only straight, evenly cut wires are measured");
    }
    shortest = std::min(shortest, lengthOf(wire) / wire.segments / wire.radiusM);
  }
  return shortest;
}

ResonatingCoil resonatingCoil(const LoadableElement& element, double frequencyMhz) {
  int runs = 0;
  auto sample = [&](double reactance) {
    ++runs;
    return Sample{reactance, feedWithCoil(element, reactance)};
  };
  // A coil part-way up needs more reactance than the base coil, -X of the
  // bare element; three samples spread over that scale fix the fit.
  const Sample bare = sample(0.0);
  const double scale = std::max(-bare.feedOhm.imag(), 1.0);
  std::array<Sample, 3> samples{bare, sample(scale), sample(2.0 * scale)};
  double reactance = firstZeroOfReactance(fit(samples));
  for (int step = 0; step < 10; ++step) {
    const Sample check = sample(reactance);
    // The new run replaces the sample farthest from the zero.
    auto farthest = std::max_element(samples.begin(), samples.end(), [&](auto& p, auto& q) {
      return std::fabs(p.reactanceOhm - reactance) < std::fabs(q.reactanceOhm - reactance);
    });
    *farthest = check;
    const double next = firstZeroOfReactance(fit(samples));
    if (microhenries(std::fabs(next - reactance), frequencyMhz) < kCoilToleranceUh) {
      return {microhenries(reactance, frequencyMhz), check.feedOhm, bare.feedOhm, runs};
    }
    reactance = next;
  }
  throw std::runtime_error("the resonating coil does not settle");
}

bool Comparison::rangeHoldsTheCages() const {
  auto holds = [&](double uh) { return uh >= singleRange.low && uh <= singleRange.high; };
  return holds(cageUh.back()) && holds(cageHalfHubUh);
}

double Comparison::cageAgainstFinestPercent() const {
  return 100.0 * (cageUh.back() / singleUh.back() - 1.0);
}

double Comparison::cageAgainstFinestInLastChanges() const {
  const std::size_t n = singleUh.size();
  return (cageUh.back() - singleUh.back()) / (singleUh[n - 1] - singleUh[n - 2]);
}

Comparison compare(const Design& design) {
  Comparison result{design};
  for (int count : kSingleWireCounts) {
    LoadableElement element = singleWire(design, count);
    const double ratio = shortestSegmentToRadius(element.structure);
    if (ratio < kSmallestSegmentToRadius) break;
    ResonatingCoil coil = resonatingCoil(element, design.frequencyMhz);
    result.singleCounts.push_back(count);
    result.singleUh.push_back(coil.inductanceUh);
    result.finestSegmentToRadius = ratio;
    result.singleBareOhm = coil.bareFeedImpedanceOhm;
  }
  if (result.singleCounts.size() < 2) throw std::runtime_error("fewer than two usable counts");
  result.singleRange = SegmentSeries::estimate(result.singleUh);
  for (int count : kCageCounts) {
    LoadableElement element = cage(design, count, 1);
    ResonatingCoil coil = resonatingCoil(element, design.frequencyMhz);
    result.cageCounts.push_back(count);
    result.cageUh.push_back(coil.inductanceUh);
    result.cageSegmentToRadius = shortestSegmentToRadius(element.structure);
    result.cageSegments = 0;
    for (const Nec2::Wire& wire : element.structure.wires) result.cageSegments += wire.segments;
    result.cageBareOhm = coil.bareFeedImpedanceOhm;
  }
  result.cageHalfHubUh =
      resonatingCoil(cage(design, kHalfHubCageCount, 2), design.frequencyMhz).inductanceUh;
  return result;
}

}  // namespace ThickElement
