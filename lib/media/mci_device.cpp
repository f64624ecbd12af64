// swCMCIDevice: the MCI commands the game sends, with notify or wait.
#include "lib/media/mci_device.h"
#include "lib/error.h"

namespace {
DWORD notifyOrWait(HWND window) { return window ? MCI_NOTIFY : MCI_WAIT; }
} // namespace

swCMCIDevice::swCMCIDevice(const char* deviceType, const char* element)
{
    MCI_OPEN_PARMSA block {};
    block.lpstrDeviceType = deviceType;
    block.lpstrElementName = element;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT, DWORD_PTR(&block)) != 0) {
        m_deviceId = 0;
        throw new swCMCIError(0, element);
    }
    m_deviceId = block.wDeviceID;
}

MCIERROR swCMCIDevice::mciSend(UINT message, DWORD_PTR flags, void* block)
{
    return mciSendCommandA(m_deviceId, message, flags, DWORD_PTR(block));
}

MCIERROR swCMCIDevice::mciClose()
{
    MCI_GENERIC_PARMS block {};
    return mciSend(MCI_CLOSE, MCI_WAIT, &block);
}

MCIERROR swCMCIDevice::mciPlay(HWND window)
{
    MCI_PLAY_PARMS block {};
    block.dwCallback = DWORD_PTR(window);
    return mciSend(MCI_PLAY, notifyOrWait(window), &block);
}

MCIERROR swCMCIDevice::mciSet(DWORD timeFormat, HWND window)
{
    MCI_SET_PARMS block {};
    block.dwCallback = DWORD_PTR(window);
    block.dwTimeFormat = timeFormat;
    return mciSend(MCI_SET, MCI_SET_TIME_FORMAT | notifyOrWait(window), &block);
}

MCIERROR swCMCIDevice::mciCommand(UINT message, HWND window)
{
    MCI_GENERIC_PARMS block {};
    bool notify = LONG_PTR(window) > 0;
    block.dwCallback = notify ? DWORD_PTR(window) : 0;
    return mciSend(message, notify ? MCI_NOTIFY : MCI_WAIT, &block);
}
