// The language of tanshuku-nec's own lines: Japanese where the user's locale
// says so, English elsewhere; both written in UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace Messages {

enum class Language { english, japanese };

// The locale variables in the order the C library consults them for
// messages (LC_ALL, LC_MESSAGES, LANG): the first one set decides, and a
// value that starts with "ja" is Japanese.
Language languageOf(const char* lcAll, const char* lcMessages, const char* lang);
// The same for this process's environment.
Language userLanguage();

// The text for the language.
inline std::string_view pick(Language language, std::string_view english,
                             std::string_view japanese) {
  return language == Language::japanese ? japanese : english;
}

// The same as a string, to be joined with the rest of its line.
inline std::string say(Language language, std::string_view english, std::string_view japanese) {
  return std::string(pick(language, english, japanese));
}

// A line's words in both languages, {marks} standing for what the caller
// puts in.
struct Wording {
  std::string_view english;
  std::string_view japanese;
};

inline std::string_view pick(Language language, const Wording& wording) {
  return pick(language, wording.english, wording.japanese);
}

}  // namespace Messages
