#include "compose/forbidden_characters.h"

bool ContainsForbiddenCharacter(std::u16string_view text) {
  return text.find_first_of(kForbiddenCharacters) != std::u16string_view::npos;
}

void ReplaceForbiddenCharacters(std::u16string& text) {
  constexpr char16_t kFullWidthOffset = 0xFEE0;
  for (char16_t& c : text) {
    if (kForbiddenCharacters.find(c) != std::u16string_view::npos) c = static_cast<char16_t>(c + kFullWidthOffset);
  }
}
