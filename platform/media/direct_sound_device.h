// The "dsound.dll" entry point, as the module registry hands it out.
#pragma once

#include "platform/media/dsound.h"
#include "platform/media/media.h"

namespace platform::media {

HRESULT directSoundCreate(LPCGUID device, LPDIRECTSOUND* directSound, LPUNKNOWN outer);

} // namespace platform::media
