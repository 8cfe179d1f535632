#include "nec/texts/messages.hpp"

#include <cstdlib>

namespace Messages {

Language languageOf(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value == nullptr || *value == '\0') continue;
    return std::string_view(value).starts_with("ja") ? Language::japanese : Language::english;
  }
  return Language::english;
}

Language userLanguage() {
  return languageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

}  // namespace Messages
