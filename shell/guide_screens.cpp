#include "shell/guide_screens.hpp"

namespace GuideScreens {

void run() {}

}  // namespace GuideScreens
