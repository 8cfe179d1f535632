// Help screens of the efficiency calculator: text drawings that show which
// conductor sections to measure as L1 and L2.
#pragma once

namespace LoadingPointGuides {

// Centre, base and top loading of a one-band element.
void singleBandGuide();
// One trap on each side of the feed point.
void twoBandGuide();
// Two traps on each side of the feed point (three to eight bands).
void multiBandGuide();

}  // namespace LoadingPointGuides
