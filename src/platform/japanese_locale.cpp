#include <clocale>

#include "platform/code_page.h"

void SetJapaneseCharacterLocale() {
  // Only Windows knows the locale by this name; elsewhere the call changes
  // nothing, and no conversion here depends on it.
  std::setlocale(LC_CTYPE, "Japanese");
}
