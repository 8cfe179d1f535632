#include "arithmetic/extended_parts.hpp"

namespace Arithmetic::Parts {

Outcome nanResult(SoftExtended a, Kind kindA, SoftExtended b, Kind kindB) {
  if (kindA == Kind::unsupported || kindB == Kind::unsupported) return invalid();
  if (!isNaN(kindB)) return quieted(a);
  if (!isNaN(kindA)) return quieted(b);
  const FaultFlags flags =
      kindA == Kind::signalingNaN || kindB == Kind::signalingNaN ? kInvalidFlag : FaultFlags{0};
  SoftExtended chosen = a;
  if (kindA != kindB) {
    chosen = kindA == Kind::quietNaN ? a : b;
  } else if (b.significand > a.significand || (b.significand == a.significand && !signbit(b))) {
    chosen = b;
  }
  return {chosen.significand | kQuietBit, chosen.signAndExponent, flags};
}

Outcome nanResult(SoftExtended x, Kind kind) {
  if (kind == Kind::unsupported) return invalid();
  return quieted(x);
}

}  // namespace Arithmetic::Parts
