#include "platform/desktop/Desktop.h"

namespace desktop {

Platform& Services() {
    static Platform platform;
    return platform;
}

void Install(Platform platform) {
    Services() = std::move(platform);
}

}  // namespace desktop
