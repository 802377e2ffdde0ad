// The driver backend for real boards: FT232H / FT2232H bridges in synchronous FIFO mode, through
// libftdi1 (or any table of the same calls).
#pragma once

#include "DriverBackend.h"
#include "FtdiTable.h"

#include <cstddef>
#include <memory>

namespace quorin::driver {

// Room for a little more than four frames of unread bytes per open bridge.
inline constexpr std::size_t ftdiReceiveCapacity = std::size_t(1) << 20;

std::shared_ptr<Backend> makeFtdiBackend(const ftdi::Table& table,
                                         std::size_t receiveCapacity = ftdiReceiveCapacity);

} // namespace quorin::driver
