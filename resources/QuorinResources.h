// Registers the image bundle. Needed because a static library's bundle is not registered on its own.
#pragma once

namespace quorin {
void initResources();
}
