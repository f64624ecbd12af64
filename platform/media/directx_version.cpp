// The version answer of the start-up check.
#include "platform/media/directx_version.h"

namespace platform::media {

int directXVersion()
{
    return 8;
}

} // namespace platform::media
