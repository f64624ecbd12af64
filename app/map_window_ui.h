// MapWindow::Ui: the map window as the person's orders see it.
#pragma once

#include "app/map_view_host.h"
#include "app/map_window.h"
#include "app/window_helpers.h"
#include "infowin/arm_change_window.h"
#include "platform/kernel/host.h"

// What the orders ask of the window: the host's palette and panel, questions and redraws.
class MapWindow::Ui : public OrderUi {
public:
    explicit Ui(MapWindow& window) : m_window(window) { }

    void unitSelected(int side, int index, uint32_t mask) override
    {
        if (m_window.m_host)
            m_window.m_host->unitSelected(side, index, mask);
    }
    void hexShown(int x, int y) override
    {
        if (m_window.m_host)
            m_window.m_host->hexShown(x, y);
    }
    bool confirm(const std::string& text) override
    {
        return modalMessageBox(owner(), text.c_str(), platform::utf8ToCp932("確認").c_str(), MB_YESNO) == IDYES;
    }
    void notice(const std::string& text, const std::string& caption) override
    {
        modalMessageBox(owner(), text.c_str(), caption.c_str(), MB_OK);
    }
    void marksChanged() override { m_window.redrawMarked(); }
    int chooseArmamentSet(int side, int index) override
    {
        ArmChangeWindow window(owner(), side, index, -1);
        return window.run() == 1 ? window.selectedSet() : -1;
    }

private:
    // The game's boxes belong to the main window.
    swCWindow* owner() const
    {
        HWND root = m_window.handle() ? GetAncestor(m_window.handle(), GA_ROOT) : nullptr;
        swCWindow* main = root ? windowFromHandle(root) : nullptr;
        return main ? main : &m_window;
    }

    MapWindow& m_window;
};
