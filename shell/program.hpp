// Start-up of the program: arithmetic, fault handling and the streams.
#pragma once

namespace Program {

// Sets up the floating-point environment and the fault handler, then opens
// the standard streams. Called once, before anything is written.
void start();

}  // namespace Program
