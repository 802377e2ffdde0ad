// The table of FtdiTable.h bound to libftdi1.
#pragma once

#include "FtdiTable.h"

namespace quorin::driver::ftdi {

const Table& libFtdiTable();

} // namespace quorin::driver::ftdi
