#include "calculators/efficiency/loading_point_guides.hpp"

#include <span>
#include <string_view>

#include "console/console_io.hpp"

namespace LoadingPointGuides {
namespace {

constexpr std::string_view kPressReturn = "リターンキーを押してください";

// In the drawings ﾛ is a coil or trap.
constexpr std::string_view kSingleBandGuide[] = {
    " ",
    " ",
    "************* センターローディングの時　****************",
    "    ｺｲﾙ",
    "-----ﾛ---------- 給電点 -----------ﾛ-----",
    "[ L2 ][   L1   ]  として、長さ（ｍ）を計ってください",
    " ",
    "************** ベースローディングの時 *****************",
    "              ｺｲﾙ",
    "---------------ﾛ 給電点 ﾛ----------------",
    "[       L2     ] として、長さ（ｍ）を計ってください（Ｌ１＝０）",
    " ",
    "************** トップローディングの時　*****************",
    "ｺｲﾙ ",
    "ﾛ--------------- 給電点 ----------------ﾛ",
    "[       L1      ]  として、長さ（ｍ）を計ってください（Ｌ２＝０）",
    " ",
    kPressReturn,
};

constexpr std::string_view kTwoBandGuide[] = {
    " ",
    " ",
    "                     　   ------ﾛ---------- TXout ----------ﾛ------",
    "周波数が低いバンドでは 　[  L2 ][   L1   ]  （ｍ）としてください",
    "周波数が高いバンドではＬ１＝０で[   L2   ] （ｍ）とします",
    "  これで、ｎ＝０（０ｄＢ）よりも低い能率になるときは",
    "                        　　　　　ベースにもローディングが隠れています",
    "  この場合高いほうのバンドの計算しかサポートしていませんが。",
    "                                   　　　 全体に能率が低いのが通例です ",
    " ",
    " ",
    " ",
    "常に、一番給電点に近いトラップと給電点間が　Ｌ１",
    " そのトラップと、目的周波数のトラップ（最低周波数では先端）が、Ｌ２です",
    " ",
    " ",
    " ",
    kPressReturn,
};

constexpr std::string_view kMultiBandGuide[] = {
    " ",
    " ",
    "                  　    ---ﾛ--ﾛ---------- 給電点 ----------ﾛ--ﾛ---",
    "周波数が低いバンドでは [  L2 ][   L1   ] 　（ｍ）としてください",
    "周波数が高いバンドでは    [L2][   L1   ]　 （ｍ）としてください",
    " ",
    "一番高いバンドでは Ｌ１＝０で [   L2   ] としてみてください",
    "  これで、ｎ＝０（０ｄＢ）よりも低い能率になるときは",
    "                        　　　　　ベースにもローディングが隠れています",
    "  この場合最高バンドの計算しかサポートしていませんが。",
    "                                   　　　 全体に能率が低いのが通例です ",
    " ",
    " ",
    " ",
    "常に、一番給電点に近いトラップと給電点間が　Ｌ１  ",
    " そのトラップと、目的周波数のトラップ（最低周波数では先端）が　Ｌ２です",
    " ",
    kPressReturn,
};

void show(std::span<const std::string_view> guide) {
  ConsoleIo::writeLines(guide);
  ConsoleIo::waitForReturn();
}

}  // namespace

void singleBandGuide() { show(kSingleBandGuide); }

void twoBandGuide() { show(kTwoBandGuide); }

void multiBandGuide() { show(kMultiBandGuide); }

}  // namespace LoadingPointGuides
