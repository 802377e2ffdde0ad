// The backend the `quorin` executable installs: real boards through libftdi1 when the build found
// it, otherwise the backend with no boards.
#pragma once

#include "DriverBackend.h"

#include <memory>

namespace quorin::driver {

std::shared_ptr<Backend> makeRealBoardBackend();

} // namespace quorin::driver
