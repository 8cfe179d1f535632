#include "shell/main_menu.hpp"

#include <cstdint>
#include <string_view>

#include "calculators/coil/coil_calculator.hpp"
#include "calculators/dipole/dipole_calculator.hpp"
#include "calculators/efficiency/efficiency_calculator.hpp"
#include "calculators/impedance/impedance_calculator.hpp"
#include "calculators/loading_coil/loading_coil_calculator.hpp"
#include "console/console_io.hpp"
#include "console/run_time_error.hpp"
#include "contract/program_contract.hpp"
#include "shell/guide_screens.hpp"

namespace MainMenu {
namespace {

// The question above the menu's last line; the number is typed below both.
constexpr std::string_view kChoiceQuestion =
    "             どのソフトを走らせましょうか　　番号を入力してください　    ";

constexpr std::string_view kMenuScreen[] = {
    " ",
    "＊＊＊＊＊＊＊＊＊＊＊＊＊短縮アンテナ作成用プログラム＊＊＊＊＊＊＊＊＊＊＊",
    " ",
    "                                                  tanshuku ver.1.0  (C) 2026",
    " ",
    " ",
    " ",
    "   ",
    "                    １，ローディングコイルの定数計算                      ",
    "                                                                          ",
    "                    ２，コイルのインダクタンス、巻数計算                  ",
    "                                                                          ",
    "                    ３，短縮アンテナ（アンテナ導体）のインピーダンス計算  ",
    "                                                                          ",
    "                    ４，短縮アンテナの能率計算                            ",
    " ",
    "                    ５，半波長ダイポールアンテナの計算      ",
    " ",
    " ",
    " ",
    kChoiceQuestion,
    ProgramContract::kMenuLastLine,
};

void dispatch(std::int16_t menuChoice) {
  switch (menuChoice) {
    case 0: RunTime::endProgram(0);
    case 1: LoadingCoilCalculator::run(); break;
    case 2: CoilCalculator::run(); break;
    case 3: ImpedanceCalculator::run(); break;
    case 4: EfficiencyCalculator::run(); break;
    case 5: DipoleCalculator::run(); break;
    case 6: GuideScreens::run(); break;
    default: break;  // any other number shows the menu again
  }
}

}  // namespace

void run() {
  for (;;) {
    ConsoleIo::writeLines(kMenuScreen);
    std::int16_t menuChoice = ConsoleIo::readInteger();
    ConsoleIo::writeBlankLines(1);
    dispatch(menuChoice);
  }
}

}  // namespace MainMenu
