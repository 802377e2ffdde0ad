#include "ProcessState.h"

FT_HANDLE deviceHandle = nullptr;
FT_STATUS lastStatus = FT_OK;
bool deviceOpen = false;
bool captureRunning = false;
std::atomic<bool> acquisitionRunning{true};
DevelopView* developerWindow = nullptr;
QImage lastImage;
int displaySize = 600;
int screenWidth = 0;
int screenHeight = 0;
