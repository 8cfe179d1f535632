#include "nec/input/value_messages.hpp"

#include <string_view>

namespace DesignValues {
namespace {

using Messages::Language;
using Messages::Wording;

// The English and the Japanese line, with {s} for the subject and {d} for
// the detail.
Wording wordingOf(Problem problem) {
  switch (problem) {
    case Problem::unknownOption:
      return {"unknown option '{s}' (see tanshuku-nec --help)",
              "不明なオプション '{s}' です（tanshuku-nec --help を参照）"};
    case Problem::missingValue: return {"{s} needs a value", "{s} に値がありません"};
    case Problem::notANumber:
      return {"{s}: '{d}' is not a number (such as 7.05, .5 or 2.5E-2)",
              "{s}: '{d}' は数値ではありません（7.05、.5、2.5E-2 などと書きます）"};
    case Problem::unknownConductor:
      return {"--conductor takes copper, aluminium or perfect, not '{s}'",
              "--conductor には copper、aluminium、perfect のどれかを指定します（'{s}' は不可）"};
    case Problem::baseWithTip:
      return {"--base and --tip exclude each other: the coil is at the base or at the tip length",
              "--base と --tip は同時に指定できません（コイルは基部か先端からの長さの位置です）"};
    case Problem::incompleteCoil:
      return {"--coil-radius, --pitch and --wire go together: give all three or none",
              "--coil-radius、--pitch、--wire は三つそろえて指定するか、どれも指定しません"};
    case Problem::missingDesign:
      return {"{s} is missing (it is asked only on a terminal)",
              "{s} がありません（問い合わせは端末でのみ行います）"};
    case Problem::frequencyNotPositive:
      return {"the frequency must be above 0 MHz, not {s}",
              "周波数は 0 MHz より大きくしてください（{s} は不可）"};
    case Problem::frequencyOutsideModel:
      return {"a frequency of {s} MHz is outside what tanshuku-nec models ({d} MHz)",
              "周波数 {s} MHz は tanshuku-nec が扱う範囲（{d} MHz）の外です"};
    case Problem::lengthNotPositive:
      return {"the element's length must be above 0 m, not {s}",
              "エレメントの長さは 0 m より大きくしてください（{s} は不可）"};
    case Problem::lengthBeyondQuarterWave:
      return {
          "an element of {s} m is longer than a quarter wave ({d} m): menu 1 takes "
          "shortened elements only",
          "{s} m のエレメントは 1/4 波長（{d} m）より長いので、メニュー1の短縮アンテナの計算は"
          "できません"};
    case Problem::tipOutsideElement:
      return {
          "the tip length must lie between 0 and the element's {d} m, not {s}",
          "先端からコイルまでの長さは 0 m とエレメント長 {d} m の間にしてください（{s} は不可）"};
    case Problem::diameterNotPositive:
      return {"the element's diameter must be above 0 mm, not {s}",
              "エレメントの直径は 0 mm より大きくしてください（{s} は不可）"};
    case Problem::qNotPositive:
      return {"the coil's Q must be above 0, not {s}",
              "コイルの Q は 0 より大きくしてください（{s} は不可）"};
    case Problem::groundLossNegative:
      return {"the ground loss must be 0 ohm or more, not {s}",
              "接地損失は 0 Ω 以上にしてください（{s} は不可）"};
    case Problem::groundLossWithDipole:
      return {"--ground-loss has no meaning for a dipole, which stands clear of the ground",
              "ダイポールは大地から離れているので --ground-loss は指定できません"};
    case Problem::coilMeasureNotPositive:
      return {"the coil's radius, pitch and wire must be above 0 mm, not {s}",
              "コイルの半径、ピッチ、線径は 0 mm より大きくしてください（{s} は不可）"};
    case Problem::pitchBelowWire:
      return {"a pitch of {s} mm is below the wire's {d} mm: such a coil cannot be wound",
              "ピッチ {s} mm が線径 {d} mm より小さいので、そのコイルは巻けません"};
    case Problem::helixWithoutCoil:
      return {"--helix needs the coil's measures: --coil-radius, --pitch and --wire",
              "--helix にはコイルの寸法（--coil-radius、--pitch、--wire）が必要です"};
    case Problem::helixWithLumped:
      return {"--helix and --lumped ask for opposite checks: give one of them",
              "--helix と --lumped は逆の指定です。どちらか一方にしてください"};
    case Problem::helixTurnsTooClose:
      return {
          "NEC2's helix does not hold for a pitch of {s} mm: its turns must lie at least "
          "four wire radii apart ({d} mm)",
          "ピッチ {s} mm では NEC2 のヘリックスモデルが成り立ちません（巻線の間隔は線の"
          "半径の4倍、{d} mm 以上が必要です）"};
    case Problem::helixSegmentsTooShort:
      return {
          "NEC2's helix does not hold for a coil radius of {s} mm: its segments would be "
          "too short against the wire's or the element's radius",
          "コイルの半径 {s} mm では NEC2 のヘリックスモデルが成り立ちません（セグメントが"
          "線またはエレメントの半径に比べて短すぎます）"};
    case Problem::elementTooShortForModel:
      return {
          "an element of {s} m is too short for NEC2 at {d} MHz: its segments would be under "
          "1/20000 of a wavelength, where nec2c is not to be trusted",
          "{s} m のエレメントは {d} MHz では NEC2 には短すぎます（セグメントが 1/20000 波長"
          "未満になり、nec2c の答えが信頼できません）"};
    case Problem::wireTooThick:
      return {
          "an element of {s} mm is too thick for NEC2's thin wire at this length: even "
          "{d} segments would each be shorter than twice its radius",
          "{s} mm のエレメントはこの長さでは NEC2 の細線モデルには太すぎます（{d} 分割でも"
          "セグメントが半径の2倍より短くなります）"};
    case Problem::measuredTwice:
      return {"--measured, --measured-swr-minimum and --s1p each give the measurement: give one",
              "--measured、--measured-swr-minimum、--s1p はどれも測定値です。一つだけ指定します"};
    case Problem::measurementMissing:
      return {"{s} goes with a measurement: --measured, --measured-swr-minimum or --s1p",
              "{s} は測定値（--measured、--measured-swr-minimum、--s1p）と一緒に指定します"};
    case Problem::measureNotPositive:
      return {"{d} must be above 0, not {s}", "{d} は 0 より大きくしてください（{s} は不可）"};
    case Problem::unknownTrim:
      return {"--trim takes turns or top, not '{s}'",
              "--trim には turns か top を指定します（'{s}' は不可）"};
    case Problem::turnsWithoutCoil:
      return {"{s} needs the coil's measures: --coil-radius, --pitch and --wire",
              "{s} にはコイルの寸法（--coil-radius、--pitch、--wire）が必要です"};
    case Problem::fileNotWritable: return {"cannot write {s}: {d}", "{s} を書き込めません: {d}"};
  }
  return {"{s}", "{s}"};
}

// Why a file cannot be written, from checkFiles' detail.
std::string_view fileReason(std::string_view detail, Language language) {
  if (detail == "is a folder") return Messages::pick(language, "it is a folder", "フォルダです");
  if (detail == "no folder") {
    return Messages::pick(language, "its folder does not exist", "フォルダがありません");
  }
  if (detail == "read-only file") {
    return Messages::pick(language, "it is not writable", "書き込みが許されていません");
  }
  if (detail == "link loop") {
    return Messages::pick(language, "its symbolic links go round in a loop",
                          "シンボリックリンクが循環しています");
  }
  return Messages::pick(language, "its folder is not writable", "フォルダに書き込めません");
}

void replaceAll(std::string& text, std::string_view mark, std::string_view by) {
  for (size_t at = text.find(mark); at != text.npos; at = text.find(mark, at + by.size())) {
    text.replace(at, mark.size(), by);
  }
}

}  // namespace

std::string describe(const Error& error, Language language) {
  std::string line(Messages::pick(language, wordingOf(error.problem)));
  const std::string detail = error.problem == Problem::fileNotWritable
                                 ? std::string(fileReason(error.detail, language))
                                 : error.detail;
  replaceAll(line, "{s}", error.subject);
  replaceAll(line, "{d}", detail);
  return "tanshuku-nec: " + line;
}

}  // namespace DesignValues
