#pragma once

namespace GuideScreens {

void run();

}  // namespace GuideScreens
