// Slots whose behaviour is still to be filled; each group moves to the file of its concern.
#include "Quorin_Interface.h"
