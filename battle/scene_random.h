// SceneRandom: the battle scene's own generator, so that tests seed it and the game's pool is untouched.
#pragma once

#include <cstdint>

class SceneRandom {
public:
    void seed(uint32_t value) { m_state = value; }
    // 0..32767, as a runtime library's generator gives.
    int next()
    {
        m_state = m_state * 214013u + 2531011u;
        return int((m_state >> 16) & 0x7FFF);
    }

private:
    uint32_t m_state = 1;
};
