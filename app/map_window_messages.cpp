// MapWindow's messages from the main window and the game thread, each answering the wait it carries.
#include "app/map_window.h"

#include "app/map_view_host.h"
#include "state/game_state.h"
#include "ui/private_messages.h"

#include <algorithm>

void MapWindow::notePostedWait(uint32_t id)
{
    std::lock_guard lock(m_waitLock);
    m_postedWaits.push_back(id);
}

void MapWindow::answerWait(uint32_t id)
{
    if (id == 0)
        return;
    {
        std::lock_guard lock(m_waitLock);
        m_postedWaits.erase(std::remove(m_postedWaits.begin(), m_postedWaits.end(), id), m_postedWaits.end());
    }
    if (std::shared_ptr<UiWait> wait = m_state.handshake().findWait(id))
        wait->answer(0);
}

void MapWindow::releasePostedWaits()
{
    std::vector<uint32_t> ids;
    {
        std::lock_guard lock(m_waitLock);
        ids.swap(m_postedWaits);
    }
    // Messages still queued die with the window; nobody may be left waiting for them.
    for (uint32_t id : ids)
        if (std::shared_ptr<UiWait> wait = m_state.handshake().findWait(id))
            wait->answer(0);
}

bool MapWindow::handleUserMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kMapFullRefresh:
        reinitialise();
        answerWait(uint32_t(msg.wParam));
        return true;
    case ui_message::kMapRefresh:
        refresh();
        answerWait(uint32_t(msg.wParam));
        return true;
    case ui_message::kMapBlinkHex: {
        const int x = int(msg.wParam & 0xFFFF);
        const int y = int((msg.wParam >> 16) & 0xFFFF);
        if (m_state.isOnMap(x, y))
            blinkHex(x, y);
        m_state.handshake().releaseMapWait();
        return true;
    }
    case ui_message::kMapCentreOnHex:
        if (m_state.isOnMap(int(msg.wParam), int(msg.lParam)))
            centreOn(int(msg.wParam), int(msg.lParam));
        m_state.handshake().releaseMapWait();
        return true;
    case ui_message::kMapLevelChange: {
        const uint32_t id = uint32_t(msg.wParam);
        std::shared_ptr<UiWait> wait = m_state.handshake().findWait(id);
        if (wait && wait->kind() == UiWaitKind::LevelChange)
            animateLevelChange(static_cast<UiWaitWith<LevelChange>&>(*wait).data);
        answerWait(id);
        return true;
    }
    case ui_message::kMapPlaceCarryOver:
        beginPlacement(int(msg.wParam));
        return true;
    case ui_message::kMapDayNight:
        m_dayNightPosted = false;
        reinitialise();
        return true;
    case ui_message::kMapSyncScrollBars:
        syncScrollBars();
        if (m_host)
            m_host->viewChanged();
        return true;
    default:
        return false;
    }
}
