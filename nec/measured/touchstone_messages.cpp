#include "nec/measured/touchstone_messages.hpp"

namespace Touchstone {
namespace {

using Messages::Language;
using Messages::Wording;

// The English and the Japanese words, with {t} for the error's text.
Wording wordingOf(Problem problem) {
  switch (problem) {
    case Problem::versionTwoKeyword:
      return {"'{t}' is a Touchstone version 2 keyword: expected a version 1 one-port file",
              "'{t}' は Touchstone バージョン2のキーワードです（バージョン1の1ポートのファイルが"
              "必要です）"};
    case Problem::unknownOption:
      return {
          "expected a unit (Hz, kHz, MHz, GHz), a parameter (S, Z, Y), a format (RI, MA, "
          "DB) or R and a resistance, not '{t}'",
          "単位（Hz、kHz、MHz、GHz）、パラメータ（S、Z、Y）、形式（RI、MA、DB）または R と"
          "抵抗値が必要です（'{t}' は不可）"};
    case Problem::badReference:
      return {"expected a resistance above 0 ohm after R, not '{t}'",
              "R の後には 0 Ω より大きい抵抗値が必要です（'{t}' は不可）"};
    case Problem::optionAfterData:
      return {"expected the option line '{t}' before the data",
              "オプション行 '{t}' はデータより前に必要です"};
    case Problem::notANumber:
      return {"'{t}' is not a number: expected a frequency and two numbers",
              "'{t}' は数値ではありません（周波数と二つの数値が必要です）"};
    case Problem::notOnePort:
      return {"expected a frequency and two numbers (one port), not '{t}'",
              "周波数と二つの数値（1ポート）が必要です（'{t}' は不可）"};
    case Problem::frequencyNotPositive:
      return {"expected a frequency above 0, not '{t}'",
              "周波数は 0 より大きくしてください（'{t}' は不可）"};
    case Problem::noImpedance:
      return {"'{t}' gives no finite impedance (an open circuit)",
              "'{t}' はインピーダンスが有限になりません（開放）"};
    case Problem::noData:
      return {"expected a frequency and two numbers: the file has no data",
              "周波数と二つの数値が必要です（ファイルにデータがありません）"};
  }
  return {"{t}", "{t}"};
}

}  // namespace

std::string describe(const Error& error, std::string_view file, Language language) {
  std::string words(Messages::pick(language, wordingOf(error.problem)));
  if (const size_t mark = words.find("{t}"); mark != words.npos) {
    words.replace(mark, 3, error.text);
  }
  const std::string where =
      std::string(file) + std::string(Messages::pick(language, " line ", " の ")) +
      std::to_string(error.line) + std::string(Messages::pick(language, "", " 行目"));
  return "tanshuku-nec: " + where + ": " + words;
}

}  // namespace Touchstone
