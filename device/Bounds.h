// Every pause, time-out and wait bound of the program, in one place.
#pragma once

#include <chrono>

namespace quorin::bounds {
using namespace std::chrono_literals;

// Board protocol.
inline constexpr auto configurationPause = 100ms; // between a configuration packet and the apply command
inline constexpr unsigned openReadTimeoutMs = 2000;
inline constexpr unsigned openWriteTimeoutMs = 1000;
inline constexpr unsigned captureTimeoutMs = 1000; // read and write time-outs of a capture and a read-back
inline constexpr int handshakeAttempts = 10;
inline constexpr auto handshakeAttemptPause = 1ms;

// Acquisition.
inline constexpr auto framePause = 30ms;         // after each presented frame
inline constexpr auto blockSilenceTimeout = 1s;  // a board silent this long has its frame requested again
inline constexpr auto blockPollBackoff = 1ms;    // sleep between polls of an empty receive queue
inline constexpr auto acquisitionStopBound = 5s; // longest a stop waits for the loop (export excluded)

// Developer window.
inline constexpr auto parameterReadBackTimeout = 2s;
inline constexpr auto parameterPollBackoff = 1ms; // sleep between polls of an empty receive queue

// Main window.
inline constexpr auto splashDuration = 1000ms;
inline constexpr auto captureButtonLock = 1000ms;

// Real boards (libftdi backend).
inline constexpr unsigned ftdiDefaultTimeoutMs = 5000;  // libftdi's own, in force until the program sets one
inline constexpr unsigned ftdiLongestTimeoutMs = 30000; // 0 ("wait forever") and longer are capped here
inline constexpr auto ftdiReaderStopMargin = 500ms;     // close waits one USB read time-out plus this
inline constexpr unsigned char ftdiLatencyTimerMs = 2;  // the bridge flushes a short packet this often

} // namespace quorin::bounds
