// Where a run-time error report starts: the return address into the caller
// of the function that says RETURN_ADDRESS(), taken where the operation
// begins and given to the report only when it fails.
//
// WebAssembly has no return addresses: there it is null, and the report
// finds its origin by walking the stack instead (console/platform/
// web_faults.cpp).
#pragma once

#if defined(__wasm__)
#define RETURN_ADDRESS() (static_cast<const void*>(nullptr))
#else
#define RETURN_ADDRESS() (__builtin_return_address(0))
#endif
