// The process around the main window, shared by both programs: splash, window, event loop, shutdown.
#pragma once

#include "DriverBackend.h"

#include <QWidget>

#include <functional>
#include <memory>

class Quorin_Interface;

namespace quorin {

// Builds a window shown beside the main window for the whole run (the simulated board's panel).
using CompanionWindow = std::function<std::unique_ptr<QWidget>()>;

// Installs `backend`, shows the splash for one second, then the fixed-size main window; runs the event
// loop and returns its result after an orderly shutdown.
int runQuorinStation(int argc, char** argv, std::shared_ptr<driver::Backend> backend,
                     const CompanionWindow& companion = {});

// Stops the acquisition thread within its bound, then deletes the window, the developer window and the
// thread object, so nothing runs on when process-wide state is destroyed. Returns false, and leaves the
// objects alive, when the thread did not stop in time.
bool closeStation(std::unique_ptr<Quorin_Interface> window);

} // namespace quorin
