#include "nec/measured/measured_file.hpp"

#include "nec/measured/measured_resonance.hpp"
#include "nec/measured/touchstone_messages.hpp"

namespace MeasuredFile {

std::variant<Taken, std::string> take(std::string_view text, std::string_view name,
                                      std::optional<double> designMhz,
                                      Messages::Language language) {
  std::variant<Touchstone::OnePort, Touchstone::Error> read = Touchstone::read(text);
  if (const auto* error = std::get_if<Touchstone::Error>(&read)) {
    return Touchstone::describe(*error, name, language);
  }
  Taken taken{std::get<Touchstone::OnePort>(std::move(read)), {}};
  taken.figures = MeasuredFigures::of(taken.measured);
  if (designMhz && !MeasuredResonance::tuned(taken.figures, *designMhz)) {
    return "tanshuku-nec: " + std::string(name) +
           Messages::say(language, ": no resonance where the reactance rises through zero",
                         ": リアクタンスが負から正になる共振がありません");
  }
  return taken;
}

}  // namespace MeasuredFile
