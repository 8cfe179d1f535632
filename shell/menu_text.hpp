// The main menu's last line, where it waits for the answer: the program
// writes it, and tanshuku-utf8 finds the menu in the program's output by it.
#pragma once

#include <string_view>

namespace MenuText {

inline constexpr std::string_view kLastLine =
    "                                     ６でヘルプ　 ０を入力すると終了します";

}  // namespace MenuText
