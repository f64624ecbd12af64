// Reference counting shared by the layer's COM-style objects.
#pragma once

#include "platform/media/objbase.h"

#include <atomic>

namespace platform::com {

// Implements AddRef/Release for `Interface`; the object deletes itself at zero.
template <class Interface>
class RefCounted : public Interface {
public:
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override
    {
        ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~RefCounted() = default;

    // Answers IUnknown and `iid` with this object.
    HRESULT answer(REFIID asked, const IID& iid, void** object)
    {
        if (!object)
            return E_POINTER;
        if (asked == IID_IUnknown || asked == iid) {
            AddRef();
            *object = static_cast<Interface*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

private:
    std::atomic<ULONG> m_references { 1 };
};

} // namespace platform::com
