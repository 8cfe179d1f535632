// What the front ends rely on of the program's output, in one place for
// both sides: the program writes by it (console/, shell/), and the front
// ends read the program's output by it (utf8/, web/). Its texts take the
// charset of the file that includes them: code page 932 in the program,
// UTF-8 in the front ends.
#pragma once

#include <string_view>

namespace ProgramContract {

// The main menu's last line, where it waits for the answer: the front end
// finds the menu in the program's output by it.
inline constexpr std::string_view kMenuLastLine =
    "                                     ６でヘルプ　 ０を入力すると終了します";

// Menu 1's questions, each written without a line end and answered on its
// line, in the order asked (the tip length only where the loading
// question's answer starts with a byte of kTipLoadingFirstBytes), and the
// start of its result's inductance line: the page finds the design just
// typed in the program's output by them.
namespace LoadingCoil {
inline constexpr std::string_view kDiameterQuestion =
    "アンテナエレメントの直径（ｍｍ）を、入力してください     ";
inline constexpr std::string_view kLengthQuestion =
    "アンテナエレメントの長さ（ｍ）を、入力してください       ";
inline constexpr std::string_view kFrequencyQuestion =
    "周波数（ＭＨｚ）は、いくつですか？？                     ";
inline constexpr std::string_view kLoadingQuestion =
    "ベースローディングですね　Ｙ  or  Ｎ           ";
inline constexpr std::string_view kTipLoadingFirstBytes = "Nn";
inline constexpr std::string_view kTipLengthQuestion =
    "先端（または、容量冠のはじっこ）から、ローディングコイルまでの長さです  ";
inline constexpr std::string_view kInductanceText = "ローディングコイルのインダクタンスは ";
}  // namespace LoadingCoil

// The run-time error numbers (the program's exit codes) that the front ends
// tell apart.
enum ErrorNumber : int {
  writeFailed = 101,    // standard output took fewer bytes than were written
  invalidNumber = 106,  // an answer that is not a number
  divisionByZero = 200,
  stackOverflow = 202,
  floatingOverflow = 205,
  invalidOperation = 207,
  accessViolation = 216,
};

// What the errors that a typed answer can cause mean to the person at the
// keyboard, in plain Japanese: shown below the report where the program's
// window would close with it, and by the front end before it offers to go
// back to the question. The front ends fold full-width answers to
// half-width, so where the program's own advice would tell the user to type
// half-width, they say what else keeps an answer from being a number.
struct Explanation {
  ErrorNumber number;
  std::string_view what;                    // what went wrong
  std::string_view advice;                  // what to check, below the program's report
  std::string_view adviceWhereFolded = {};  // at the front ends, when it differs

  constexpr std::string_view frontEndAdvice() const {
    return adviceWhereFolded.empty() ? advice : adviceWhereFolded;
  }
};

inline constexpr Explanation kAnswerErrors[] = {
    {invalidNumber, "答えを数値として読めませんでした。",
     "数字は半角で入れてください（小数点はピリオドで、1,5 ではなく 1.5）。",
     "コンマ、単位などの英字、二つ目の小数点は使えません（1,5 でなく 1.5）。"},
    {divisionByZero, "入力した値で、ゼロによる割り算になりました。",
     "周波数や長さなどに 0 を入れていないか、確かめてください。"},
    {floatingOverflow, "計算の途中で、値が大きくなりすぎました。",
     "桁や単位の違う値を入れていないか、確かめてください。"},
    {invalidOperation, "計算できない値になりました（負の数の平方根や対数など）。",
     "負の値や、ありえない組み合わせの値を入れていないか、確かめてください。"},
};

// The explanation of an error that an answer can cause, or none for the
// errors that no answer causes.
constexpr const Explanation* answerError(int number) {
  for (const Explanation& explanation : kAnswerErrors) {
    if (explanation.number == number) return &explanation;
  }
  return nullptr;
}

// The report of a run-time error, each line ended by CR LF:
// kReportStart, the number in decimal, kReportAt and the location; then
// kLocationLine and a location for the same place and for each caller,
// innermost first, at most kConsoleCallerLines of them when the output is a
// console and kKeptCallerLines otherwise; then an empty line. A location is
// kLocationDigits upper-case hexadecimal digits.
inline constexpr std::string_view kReportStart = "Runtime error ";
inline constexpr std::string_view kReportAt = " at $";
inline constexpr std::string_view kLocationLine = "  $";
inline constexpr int kLocationDigits = 8;
inline constexpr int kConsoleCallerLines = 9;
inline constexpr int kKeptCallerLines = 257;

}  // namespace ProgramContract
