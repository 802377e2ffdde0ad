#include "QuorinResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerBundle() {
    Q_INIT_RESOURCE(resources);
}

namespace quorin {
void initResources() {
    static const bool registered = (registerBundle(), true);
    (void)registered;
}
} // namespace quorin
