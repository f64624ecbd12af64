// COM-style creation: a per-thread initialisation count and a registry of class factories.
#include "platform/media/objbase.h"
#include "platform/media/media.h"

#include <map>
#include <mutex>
#include <tuple>

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace platform::com {
namespace {

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const
    {
        return std::tie(a.Data1, a.Data2, a.Data3) < std::tie(b.Data1, b.Data2, b.Data3)
            || (std::tie(a.Data1, a.Data2, a.Data3) == std::tie(b.Data1, b.Data2, b.Data3)
                && std::lexicographical_compare(a.Data4, a.Data4 + 8, b.Data4, b.Data4 + 8));
    }
};

struct Registry {
    std::mutex mutex;
    std::map<CLSID, ClassFactory, GuidLess> factories;
    std::map<CLSID, HRESULT, GuidLess> failures;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

thread_local int t_initCount = 0;

} // namespace

void registerClass(const CLSID& clsid, ClassFactory factory)
{
    std::lock_guard lock(registry().mutex);
    registry().factories[clsid] = std::move(factory);
}

void unregisterClass(const CLSID& clsid)
{
    std::lock_guard lock(registry().mutex);
    registry().factories.erase(clsid);
}

void setCreationFailure(const CLSID& clsid, HRESULT result)
{
    std::lock_guard lock(registry().mutex);
    if (result == S_OK)
        registry().failures.erase(clsid);
    else
        registry().failures[clsid] = result;
}

} // namespace platform::com

using namespace platform::com;

HRESULT CoInitializeEx(LPVOID, DWORD)
{
    platform::media::registerModules();
    return t_initCount++ == 0 ? S_OK : S_FALSE;
}

HRESULT CoInitialize(LPVOID reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

void CoUninitialize()
{
    if (t_initCount > 0)
        --t_initCount;
}

HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD, REFIID riid, LPVOID* object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (t_initCount == 0)
        return CO_E_NOTINITIALIZED;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    ClassFactory factory;
    {
        std::lock_guard lock(registry().mutex);
        if (auto failure = registry().failures.find(clsid); failure != registry().failures.end())
            return failure->second;
        auto found = registry().factories.find(clsid);
        if (found == registry().factories.end())
            return REGDB_E_CLASSNOTREG;
        factory = found->second;
    }
    return factory(riid, object);
}
