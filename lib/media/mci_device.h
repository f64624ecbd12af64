// swCMCIDevice: one opened MCI device (the "sequencer" plays the game's MIDI music).
#pragma once

#include "platform/media/mmsystem.h"

class swCMCIDevice {
public:
    // Opens the device type with the file; throws swCMCIError code 0 with the file name as caption.
    swCMCIDevice(const char* deviceType, const char* element);
    virtual ~swCMCIDevice() = default;

    MCIERROR mciClose();
    // Plays from the current position: with a window, returns at once and the window later gets
    // MM_MCINOTIFY; with 0, returns when the piece ends.
    MCIERROR mciPlay(HWND window);
    MCIERROR mciSet(DWORD timeFormat, HWND window);
    // Stop, pause and the like; notifies when the window value is above 0, otherwise waits.
    MCIERROR mciCommand(UINT message, HWND window);
    MCIERROR mciSend(UINT message, DWORD_PTR flags, void* block);

    MCIDEVICEID deviceId() const { return m_deviceId; }

private:
    MCIDEVICEID m_deviceId = 0;
};
