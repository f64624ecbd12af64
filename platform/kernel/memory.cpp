// GlobalAlloc and friends: fixed blocks are their own pointer, moveable ones a handle.
#include "platform/kernel/handle_table.h"
#include "platform/kernel/winbase.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace {

struct Block {
    void* data = nullptr;
    size_t size = 0;
    unsigned lockCount = 0;
    ~Block() { std::free(data); }
};

struct Heap {
    std::mutex mutex;
    platform::HandleTable<Block> moveable { platform::HandleKind::Global };
    std::map<void*, std::shared_ptr<Block>> fixed;
};

Heap& heap()
{
    static auto* state = new Heap;
    return *state;
}

// A handle value carries its kind in bits 48..55; a user-space pointer never does.
bool isMoveableHandle(HGLOBAL handle)
{
    return platform::handleKindOf(platform::handleValue(handle)) == platform::HandleKind::Global;
}

std::shared_ptr<Block> findBlock(HGLOBAL handle)
{
    Heap& state = heap();
    if (isMoveableHandle(handle))
        return state.moveable.get(platform::handleValue(handle));
    std::lock_guard lock(state.mutex);
    auto it = state.fixed.find(handle);
    return it == state.fixed.end() ? nullptr : it->second;
}

} // namespace

HGLOBAL GlobalAlloc(UINT uFlags, size_t dwBytes)
{
    auto block = std::make_shared<Block>();
    // A zero-byte block still gets its own address, so fixed blocks stay distinct.
    block->data = (uFlags & GMEM_ZEROINIT) ? std::calloc(1, dwBytes ? dwBytes : 1) : std::malloc(dwBytes ? dwBytes : 1);
    if (!block->data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    block->size = dwBytes;
    Heap& state = heap();
    if (uFlags & GMEM_MOVEABLE)
        return platform::makeHandle<HGLOBAL>(state.moveable.add(std::move(block)));
    std::lock_guard lock(state.mutex);
    void* data = block->data;
    state.fixed[data] = std::move(block);
    return data;
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    std::shared_ptr<Block> block = findBlock(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    std::lock_guard lock(heap().mutex);
    if (isMoveableHandle(hMem))
        ++block->lockCount;
    return block->data;
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    std::shared_ptr<Block> block = findBlock(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(heap().mutex);
    if (!isMoveableHandle(hMem) || block->lockCount == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    if (--block->lockCount == 0) {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}

size_t GlobalSize(HGLOBAL hMem)
{
    std::shared_ptr<Block> block = findBlock(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return block->size;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    Heap& state = heap();
    if (isMoveableHandle(hMem)) {
        if (state.moveable.remove(platform::handleValue(hMem)))
            return nullptr;
    } else {
        std::lock_guard lock(state.mutex);
        if (state.fixed.erase(hMem))
            return nullptr;
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return hMem;
}
