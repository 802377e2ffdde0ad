#include "RealBoardBackend.h"

#ifdef QUORIN_HAVE_LIBFTDI
#include "FtdiBackend.h"
#include "LibFtdiTable.h"
#endif

namespace quorin::driver {

std::shared_ptr<Backend> makeRealBoardBackend() {
#ifdef QUORIN_HAVE_LIBFTDI
    return makeFtdiBackend(ftdi::libFtdiTable());
#else
    return makeNoBoardBackend();
#endif
}

} // namespace quorin::driver
