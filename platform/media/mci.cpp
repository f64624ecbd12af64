// mciSendCommandA: the device table and the command dispatcher.
#include "platform/media/mci_device.h"
#include "platform/media/media.h"
#include "platform/media/notify.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace platform::media {
namespace {

struct DeviceTable {
    std::mutex mutex;
    std::map<MCIDEVICEID, std::shared_ptr<MciDevice>> devices;
    std::map<std::string, MCIDEVICEID> aliases;
    MCIDEVICEID next = 1;
};

DeviceTable& table()
{
    static auto* instance = new DeviceTable;
    return *instance;
}

std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

std::shared_ptr<MciDevice> find(MCIDEVICEID id)
{
    std::lock_guard lock(table().mutex);
    auto found = table().devices.find(id);
    return found == table().devices.end() ? nullptr : found->second;
}

bool kindOfName(std::string_view type, std::string_view element, MciDevice::Kind& kind)
{
    std::string name = lower(type);
    if (name.empty()) {
        std::string file = lower(element);
        auto dot = file.rfind('.');
        name = dot == std::string::npos ? "" : file.substr(dot);
        name = name == ".mid" || name == ".rmi" ? "sequencer" : name == ".wav" ? "waveaudio" : "";
    }
    if (name == "sequencer")
        kind = MciDevice::Kind::Sequencer;
    else if (name == "waveaudio")
        kind = MciDevice::Kind::WaveAudio;
    else
        return false;
    return true;
}

MCIERROR openDevice(DWORD_PTR flags, MCI_OPEN_PARMSA* p)
{
    if (!p)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (flags & MCI_OPEN_TYPE_ID)
        return MCIERR_UNSUPPORTED_FUNCTION;
    const char* type = (flags & MCI_OPEN_TYPE) && p->lpstrDeviceType ? p->lpstrDeviceType : "";
    if (!(flags & MCI_OPEN_ELEMENT) || !p->lpstrElementName)
        return MCIERR_MISSING_PARAMETER;
    MciDevice::Kind kind;
    if (!kindOfName(type, p->lpstrElementName, kind))
        return *type ? MCIERR_INVALID_DEVICE_NAME : MCIERR_DEVICE_TYPE_REQUIRED;
    bool explicitAlias = (flags & MCI_OPEN_ALIAS) && p->lpstrAlias;
    std::string alias = lower(explicitAlias ? p->lpstrAlias : p->lpstrElementName);
    if (explicitAlias) {
        std::lock_guard lock(table().mutex);
        if (table().aliases.count(alias))
            return MCIERR_DUPLICATE_ALIAS;
    }
    std::shared_ptr<MciDevice> device;
    if (MCIERROR error = MciDevice::open(kind, p->lpstrElementName, device))
        return error;
    std::lock_guard lock(table().mutex);
    MCIDEVICEID id = table().next++;
    device->setId(id);
    table().devices[id] = device;
    // The element name as a name is only a convenience: a second open of the same file keeps the first.
    if (explicitAlias || !table().aliases.count(alias))
        table().aliases[alias] = id;
    p->wDeviceID = id;
    return 0;
}

void closeDevice(MCIDEVICEID id)
{
    std::shared_ptr<MciDevice> device;
    {
        std::lock_guard lock(table().mutex);
        auto found = table().devices.find(id);
        if (found == table().devices.end())
            return;
        device = found->second;
        table().devices.erase(found);
        std::erase_if(table().aliases, [id](auto& entry) { return entry.second == id; });
    }
    device->close();
}

MCIERROR status(MciDevice& device, DWORD_PTR flags, MCI_STATUS_PARMS* p)
{
    if (!p)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (!(flags & MCI_STATUS_ITEM))
        return MCIERR_MISSING_PARAMETER;
    switch (p->dwItem) {
    case MCI_STATUS_LENGTH: p->dwReturn = device.lengthMs(); return 0;
    case MCI_STATUS_POSITION: p->dwReturn = device.positionMs(); return 0;
    case MCI_STATUS_MODE: p->dwReturn = device.mode(); return 0;
    case MCI_STATUS_TIME_FORMAT: p->dwReturn = MCI_FORMAT_MILLISECONDS; return 0;
    case MCI_STATUS_READY: p->dwReturn = TRUE; return 0;
    }
    return MCIERR_UNSUPPORTED_FUNCTION;
}

HWND callbackOf(DWORD_PTR param)
{
    return param ? reinterpret_cast<HWND>(reinterpret_cast<MCI_GENERIC_PARMS*>(param)->dwCallback) : nullptr;
}

} // namespace

MCIERROR sendCommand(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR param)
{
    registerModules();
    if (message == MCI_OPEN)
        return openDevice(flags, reinterpret_cast<MCI_OPEN_PARMSA*>(param));
    if (message == MCI_CLOSE && id == MCI_ALL_DEVICE_ID) {
        std::vector<MCIDEVICEID> ids;
        {
            std::lock_guard lock(table().mutex);
            for (auto& entry : table().devices)
                ids.push_back(entry.first);
        }
        for (MCIDEVICEID each : ids)
            closeDevice(each);
        return 0;
    }
    auto device = find(id);
    if (!device)
        return MCIERR_INVALID_DEVICE_ID;
    HWND notify = (flags & MCI_NOTIFY) ? callbackOf(param) : nullptr;
    bool wait = flags & MCI_WAIT;
    if ((flags & MCI_NOTIFY) && wait && message == MCI_PLAY)
        return MCIERR_FLAGS_NOT_COMPATIBLE;
    MCIERROR result = 0;
    switch (message) {
    case MCI_PLAY: {
        auto* p = reinterpret_cast<MCI_PLAY_PARMS*>(param);
        if (!p && (flags & (MCI_FROM | MCI_TO)))
            return MCIERR_NULL_PARAMETER_BLOCK;
        return device->play(flags & MCI_FROM, p ? p->dwFrom : 0, flags & MCI_TO, p ? p->dwTo : 0,
            (flags & MCI_NOTIFY) ? notify : nullptr, wait);
    }
    case MCI_CLOSE:
        closeDevice(id);
        break;
    case MCI_STOP:
        result = device->stop();
        break;
    case MCI_PAUSE:
        result = device->pause();
        break;
    case MCI_RESUME:
        result = device->resume();
        break;
    case MCI_SEEK: {
        auto* p = reinterpret_cast<MCI_SEEK_PARMS*>(param);
        if (flags & MCI_SEEK_TO_START)
            result = device->seek(0);
        else if (flags & MCI_SEEK_TO_END)
            result = device->seek(device->lengthMs());
        else if ((flags & MCI_TO) && p)
            result = device->seek(p->dwTo);
        else
            result = MCIERR_MISSING_PARAMETER;
        break;
    }
    case MCI_SET: {
        auto* p = reinterpret_cast<MCI_SET_PARMS*>(param);
        if ((flags & MCI_SET_TIME_FORMAT) && (!p || p->dwTimeFormat != MCI_FORMAT_MILLISECONDS))
            result = p ? MCIERR_BAD_TIME_FORMAT : MCIERR_NULL_PARAMETER_BLOCK;
        break;
    }
    case MCI_STATUS:
        result = status(*device, flags, reinterpret_cast<MCI_STATUS_PARMS*>(param));
        break;
    default:
        return MCIERR_UNRECOGNIZED_COMMAND;
    }
    if (result == 0 && (flags & MCI_NOTIFY)) {
        if (message != MCI_STOP && message != MCI_CLOSE && message != MCI_SEEK)
            device->settlePending(true);
        postNotice(notify, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, LPARAM(id));
    }
    return result;
}

MCIDEVICEID deviceIdOfAlias(std::string_view alias)
{
    std::lock_guard lock(table().mutex);
    auto found = table().aliases.find(lower(alias));
    return found == table().aliases.end() ? 0 : found->second;
}

} // namespace platform::media

MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR param)
{
    return platform::media::sendCommand(device, message, flags, param);
}

BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT textLength)
{
    if (!text || textLength == 0)
        return FALSE;
    const char* message = nullptr;
    switch (error) {
    case 0: message = "The specified command was carried out."; break;
    case MCIERR_INVALID_DEVICE_ID: message = "Invalid MCI device ID."; break;
    case MCIERR_UNRECOGNIZED_COMMAND: message = "The driver cannot recognize the specified command."; break;
    case MCIERR_INVALID_DEVICE_NAME: message = "The specified device is not open or is not recognized by MCI."; break;
    case MCIERR_MISSING_PARAMETER: message = "The specified command requires a parameter."; break;
    case MCIERR_UNSUPPORTED_FUNCTION: message = "The MCI device cannot carry out the specified command."; break;
    case MCIERR_FILE_NOT_FOUND: message = "Cannot find the specified file."; break;
    case MCIERR_OUTOFRANGE: message = "The specified parameter is out of range."; break;
    case MCIERR_FLAGS_NOT_COMPATIBLE: message = "The specified parameters cannot be used together."; break;
    case MCIERR_DEVICE_TYPE_REQUIRED: message = "The device type cannot be determined from the file name."; break;
    case MCIERR_DUPLICATE_ALIAS: message = "The specified alias is already in use."; break;
    case MCIERR_BAD_TIME_FORMAT: message = "The specified time format is not supported."; break;
    case MCIERR_INVALID_FILE: message = "The file is not a valid file for this device."; break;
    case MCIERR_NULL_PARAMETER_BLOCK: message = "A null parameter block was passed to MCI."; break;
    case MCIERR_UNRECOGNIZED_KEYWORD: message = "The command string contains an unknown keyword."; break;
    default: text[0] = '\0'; return FALSE;
    }
    std::strncpy(text, message, textLength - 1);
    text[textLength - 1] = '\0';
    return TRUE;
}
