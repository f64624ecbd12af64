// Handle tables: every handle the layer gives out is a kind tag, a slot index and a generation,
// so a stale or foreign handle is refused instead of reaching freed memory.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

// The kind tag keeps, say, a bitmap handle from being taken for a device context.
enum class HandleKind : uint8_t {
    File = 1,
    Find,
    Event,
    Mutex,
    Thread,
    Window,
    DC,
    GdiObject,
    Menu,
    Accelerator,
    Cursor,
    Hook,
    Module,
    Media,
    Semaphore,
    Waitable,
    Global,
};

// Layout of a handle value: bits 0..23 slot index + 1, bits 24..47 generation, bits 48..55 kind.
// Index + 1 keeps every valid handle non-zero; values stay below 2^56 so they never equal -1.
inline uintptr_t encodeHandle(HandleKind kind, uint32_t index, uint32_t generation)
{
    return (uintptr_t(kind) << 48) | (uintptr_t(generation & 0xFFFFFF) << 24) | uintptr_t(index + 1);
}

inline HandleKind handleKindOf(uintptr_t value) { return HandleKind((value >> 48) & 0xFF); }

// Objects are held by shared_ptr so a caller that looked one up keeps it alive while another
// thread closes the handle. Thread-safe.
template <class T>
class HandleTable {
public:
    explicit HandleTable(HandleKind kind)
        : m_kind(kind)
    {
    }

    uintptr_t add(std::shared_ptr<T> object)
    {
        std::lock_guard lock(m_mutex);
        uint32_t index;
        if (!m_free.empty()) {
            index = m_free.back();
            m_free.pop_back();
        } else {
            index = uint32_t(m_slots.size());
            m_slots.push_back({});
        }
        Slot& slot = m_slots[index];
        slot.object = std::move(object);
        return encodeHandle(m_kind, index, slot.generation);
    }

    std::shared_ptr<T> get(uintptr_t value) const
    {
        std::lock_guard lock(m_mutex);
        const Slot* slot = find(value);
        return slot ? slot->object : nullptr;
    }

    // Removes the object; the handle and every copy of it are stale from now on.
    std::shared_ptr<T> remove(uintptr_t value)
    {
        std::lock_guard lock(m_mutex);
        Slot* slot = const_cast<Slot*>(find(value));
        if (!slot)
            return nullptr;
        std::shared_ptr<T> object = std::move(slot->object);
        slot->object.reset();
        slot->generation = (slot->generation + 1) & 0xFFFFFF;
        m_free.push_back(uint32_t(slot - m_slots.data()));
        return object;
    }

    // Calls f(handle, object) for every live object, on a snapshot taken under the lock.
    template <class F>
    void forEach(F f) const
    {
        std::vector<std::pair<uintptr_t, std::shared_ptr<T>>> snapshot;
        {
            std::lock_guard lock(m_mutex);
            for (uint32_t i = 0; i < m_slots.size(); ++i)
                if (m_slots[i].object)
                    snapshot.emplace_back(encodeHandle(m_kind, i, m_slots[i].generation), m_slots[i].object);
        }
        for (auto& [handle, object] : snapshot)
            f(handle, object);
    }

    size_t size() const
    {
        std::lock_guard lock(m_mutex);
        return m_slots.size() - m_free.size();
    }

private:
    struct Slot {
        std::shared_ptr<T> object;
        uint32_t generation = 1;
    };

    const Slot* find(uintptr_t value) const
    {
        if (handleKindOf(value) != m_kind)
            return nullptr;
        uint32_t index = uint32_t(value & 0xFFFFFF);
        uint32_t generation = uint32_t((value >> 24) & 0xFFFFFF);
        if (index == 0 || index > m_slots.size())
            return nullptr;
        const Slot& slot = m_slots[index - 1];
        if (!slot.object || slot.generation != generation)
            return nullptr;
        return &slot;
    }

    HandleKind m_kind;
    mutable std::mutex m_mutex;
    std::vector<Slot> m_slots;
    std::vector<uint32_t> m_free;
};

template <class H>
inline uintptr_t handleValue(H handle) { return reinterpret_cast<uintptr_t>(handle); }

template <class H>
inline H makeHandle(uintptr_t value) { return reinterpret_cast<H>(value); }

} // namespace platform
