// The draw thread: elapsed time to frame numbers, and each new frame painted into both buffers.
#include "battle/scene_painters.h"

#include "battle/battle_sound.h"
#include "ui/private_messages.h"

#include <algorithm>
#include <cstdio>

void LiveClashWindow::paintFrame(int frame)
{
    SceneState& st = sceneState();
    const int f = std::clamp(frame, 0, std::max(st.plan.totalFrames - 1, 0));
    const int cut = std::min(f / kCutFrames, 4);
    for (int side = 0; side < 2; ++side) {
        const SceneSide& s = st.sides[size_t(side)];
        const SceneSide& o = st.sides[size_t(1 - side)];
        const int phase = st.plan.phases[size_t(side)][size_t(cut)];
        if (phase == kPhaseEmpty) {
            drawEmptySide(side);
        } else {
            if (PhasePainter painter = phasePainter(s.sceneKind, o.weaponKind))
                painter(f, side, cut);
            drawLabels(side, f);
        }
        if (o.weaponKind == 83 && phase == kPhaseHit)
            drawKind83Overlay(f - cut * kCutFrames, side);
    }
    for (HWND window : st.windows)
        if (window)
            InvalidateRect(window, nullptr, FALSE);
}

DWORD WINAPI battleDrawThread(LPVOID)
{
    SceneState& st = sceneState();
    while (st.running) {
        WaitForSingleObject(st.event, INFINITE);
        if (!st.running)
            break;
        EnterCriticalSection(&st.lock);
        bool first = false;
        int frame = st.frame;
        int total = st.plan.totalFrames;
        uint32_t next_time = 0;
        if (frame >= 0) {
            if (st.startTime == UINT32_MAX) {
                st.startTime = timeGetTime();
                st.prevTime = st.curTime = 0;
                first = true;
                char line[32];
                std::snprintf(line, sizeof line, "DrawThread:%d\r\n", st.frame);
                OutputDebugStringA(line);
            }
            st.prevTime = st.curTime;
            st.curTime = timeGetTime();
            st.frame = int((st.curTime * 30u - st.startTime * 30u) / 1000u);
            frame = st.frame;
            if (st.frame != st.lastFrame) {
                LiveClashWindow::paintFrame(st.frame);
                st.lastFrame = st.frame;
            }
            if (first)
                for (int side = 0; side < 2; ++side)
                    playSideSound(side, 0);
            // The first millisecond of the next frame: rounded down, the loop would wake before
            // the frame number moves on and spin until it does.
            next_time = st.startTime + uint32_t(((int64_t(frame) + 1) * 1000 + 29) / 30);
        }
        const std::array<HWND, 2> windows = st.windows;
        LeaveCriticalSection(&st.lock);
        if (frame >= 0 && frame >= total) {
            // Attacker first; the defender's hand-back resets the scene and so stops this loop.
            SendMessageA(windows[1], ui_message::kSceneEnd, 0, 0);
            SendMessageA(windows[0], ui_message::kSceneEnd, 0, 0);
            continue;
        }
        // Nothing changes before the next frame is due.
        const uint32_t now = timeGetTime();
        if (frame >= 0 && int32_t(next_time - now) > 0)
            Sleep(std::min<uint32_t>(next_time - now, 34));
    }
    return 1;
}
