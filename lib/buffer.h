// swCBuffer: an owned, zero-terminated character block (error captions, scratch text).
#pragma once

#include <cstddef>
#include <memory>

class swCBuffer {
public:
    swCBuffer() = default;
    swCBuffer(const char* text);
    // A copy of the other buffer's text; none gives an empty buffer.
    explicit swCBuffer(const swCBuffer* other);
    // n bytes of unspecified text, zero-terminated at n.
    explicit swCBuffer(size_t n);
    swCBuffer(const swCBuffer& other);
    swCBuffer(swCBuffer&& other) noexcept;
    swCBuffer& operator=(const swCBuffer& other);
    swCBuffer& operator=(swCBuffer&& other) noexcept;
    ~swCBuffer() = default;

    void bufferSetSize(size_t n);
    void bufferFree();

    const char* bufferText() const { return m_text ? m_text.get() : ""; }
    // The writable block (length + 1 bytes), or null for an empty buffer.
    char* bufferData() { return m_text.get(); }
    size_t length() const { return m_length; }
    bool empty() const { return !m_text; }

private:
    void assign(const char* text, size_t length);

    size_t m_length = 0;
    std::unique_ptr<char[]> m_text;
};
