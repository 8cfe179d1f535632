#include "arithmetic/arithmetic_fault.hpp"

#include <cstdlib>

namespace Arithmetic {
namespace {

FaultHandler installedHandler = nullptr;

}  // namespace

void setFaultHandler(FaultHandler handler) { installedHandler = handler; }

void raiseFault(Fault fault, const void* returnAddress) {
  if (installedHandler != nullptr) installedHandler(fault, returnAddress);
  std::abort();
}

}  // namespace Arithmetic
