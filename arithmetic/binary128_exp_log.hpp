// The exponential and the logarithm in the 128-bit IEEE format, for targets
// whose C library computes them in that format only to a double's precision
// (WebAssembly's): to within a few units of the format's last place, some
// 40 bits finer than the extended result that they are rounded to.
#pragma once

#include "arithmetic/soft_extended.hpp"

namespace Arithmetic::Wide {

// Infinity above the largest finite result, zero below the smallest; a NaN
// for a NaN.
Binary128 exponential(Binary128 x);
// Of a positive finite number or infinity; a NaN below zero, minus infinity
// at zero.
Binary128 logarithm(Binary128 x);

}  // namespace Arithmetic::Wide
