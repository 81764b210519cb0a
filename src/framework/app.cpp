#include "framework/app.h"

#include <utility>

namespace fw {

int App::Run(Platform& platform, std::u16string command_line) {
  SetPlatform(&platform);
  command_line_ = std::move(command_line);
  // With no message loop of its own, the application ends here whatever
  // InitInstance answered, and ends well.
  InitInstance();
  return 0;
}

}  // namespace fw
