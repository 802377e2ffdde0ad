// Process-wide values of the run: the open board, the capture flags, the display values.
// GUI-thread values are plain; the values the acquisition thread reads are atomic.
#pragma once

#include "ftd2xx.h"

#include <QImage>

#include <atomic>

class DevelopView;

extern FT_HANDLE deviceHandle;
extern FT_STATUS lastStatus;
extern bool deviceOpen;
extern bool captureRunning;
extern std::atomic<bool> acquisitionRunning; // loop flag of the acquisition thread
extern DevelopView* developerWindow;
extern QImage lastImage;
extern int displaySize;
extern int screenWidth;
extern int screenHeight;
