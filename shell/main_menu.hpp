// The program's main loop: the menu screen, the answer, the chosen entry.
#pragma once

namespace MainMenu {

// Runs for ever; the program ends through menu answer 0 or a run-time error.
[[noreturn]] void run();

}  // namespace MainMenu
