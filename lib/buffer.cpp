// swCBuffer: an owned, zero-terminated character block.
#include "lib/buffer.h"

#include <cstring>
#include <utility>

swCBuffer::swCBuffer(const char* text)
{
    if (text)
        assign(text, std::strlen(text));
}

swCBuffer::swCBuffer(const swCBuffer* other)
{
    if (other && other->m_text)
        assign(other->m_text.get(), other->m_length);
}

swCBuffer::swCBuffer(size_t n)
{
    bufferSetSize(n);
}

swCBuffer::swCBuffer(const swCBuffer& other)
    : swCBuffer(&other)
{
}

swCBuffer::swCBuffer(swCBuffer&& other) noexcept
    : m_length(std::exchange(other.m_length, 0))
    , m_text(std::move(other.m_text))
{
}

swCBuffer& swCBuffer::operator=(const swCBuffer& other)
{
    if (this != &other) {
        if (other.m_text)
            assign(other.m_text.get(), other.m_length);
        else
            bufferFree();
    }
    return *this;
}

swCBuffer& swCBuffer::operator=(swCBuffer&& other) noexcept
{
    if (this != &other) {
        m_length = std::exchange(other.m_length, 0);
        m_text = std::move(other.m_text);
    }
    return *this;
}

void swCBuffer::bufferSetSize(size_t n)
{
    m_text = std::make_unique_for_overwrite<char[]>(n + 1);
    m_length = n;
    m_text[n] = 0;
}

void swCBuffer::bufferFree()
{
    m_text.reset();
    m_length = 0;
}

void swCBuffer::assign(const char* text, size_t length)
{
    // Built aside first, so assigning a buffer its own text stays safe.
    auto copy = std::make_unique_for_overwrite<char[]>(length + 1);
    std::memcpy(copy.get(), text, length);
    copy[length] = 0;
    m_text = std::move(copy);
    m_length = length;
}
