// The DirectX version the layer stands for, as the program's start-up check asks for it.
#pragma once

namespace platform::media {

// The major version whose interfaces the media area offers (DirectDraw 7, DirectMusic 8).
int directXVersion();

} // namespace platform::media
