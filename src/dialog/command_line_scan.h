#pragma once

#include <optional>
#include <string_view>

#include "model/reservation_form.h"

// What the command line asks for: a registration mode from the switch, and
// the reservation file argument.
struct CommandLineRequest {
  RegistrationMode mode = RegistrationMode::Normal;
  std::optional<std::u16string_view> file_argument;
};

// Scans the text after the program name once. The registration switch is a
// hyphen and a lowercase "a", six characters in all whatever they are; a
// "1" in the sixth place asks for quiet registration. Everything after the
// switches and their blanks is the file argument. A switch with no file
// after it asks for nothing.
CommandLineRequest ScanCommandLine(std::u16string_view text);
