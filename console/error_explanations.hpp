// What the run-time errors that a typed answer can cause mean to the person
// at the keyboard, in plain Japanese: shown below the report where the
// program's window would close with it, and by tanshuku-utf8 before it
// offers to go back to the question.
#pragma once

#include <string_view>

namespace ErrorExplanations {

struct Explanation {
  int number;
  std::string_view lines[2];
};

inline constexpr Explanation kExplanations[] = {
    {106,
     {"答えを数値として読めませんでした。",
      "数字は半角で入れてください（小数点はピリオドで、1,5 ではなく 1.5）。"}},
    {200,
     {"入力した値で、ゼロによる割り算になりました。",
      "周波数や長さなどに 0 を入れていないか、確かめてください。"}},
    {205,
     {"計算の途中で、値が大きくなりすぎました。",
      "桁や単位の違う値を入れていないか、確かめてください。"}},
    {207,
     {"計算できない値になりました（負の数の平方根や対数など）。",
      "負の値や、ありえない組み合わせの値を入れていないか、確かめてください。"}},
};

// The last line in the program's own window, below the explanation if any.
inline constexpr std::string_view kPressAKeyToClose =
    "何かキーを押すと、このウィンドウを閉じます。";

// The explanation of the error, or none for errors that no answer causes.
constexpr const Explanation* find(int number) {
  for (const Explanation& explanation : kExplanations) {
    if (explanation.number == number) return &explanation;
  }
  return nullptr;
}

}  // namespace ErrorExplanations
