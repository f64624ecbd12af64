// Owned top-level windows: kept above their owners through every restacking, whole chains
// included, and hidden while their owner is minimised.
#include "platform/user/window_state.h"

#include <algorithm>

namespace platform::user {

namespace {

using Order = std::vector<Window*>;

Order::iterator at(Order& tops, Window* w) { return std::find(tops.begin(), tops.end(), w); }

bool seen(const Order& visited, const Window* w) { return std::find(visited.begin(), visited.end(), w) != visited.end(); }

// Puts what `owner` owns directly above it, keeping their order, then does the same for each of
// them. `visited` ends the walk where GWLP_HWNDPARENT made ownership go round in a circle.
void liftOwned(Window& owner, Order& visited)
{
    auto& tops = windowSystem().topLevels;
    Order owned;
    for (Window* w : tops)
        if (w->owner == owner.handle && !seen(visited, w))
            owned.push_back(w);
    visited.insert(visited.end(), owned.begin(), owned.end());
    bool ownerTopmost = (owner.exStyle & WS_EX_TOPMOST) != 0;
    for (Window* w : owned) {
        // A topmost window above a plain owner is above it already.
        if (!ownerTopmost && (w->exStyle & WS_EX_TOPMOST))
            continue;
        // What a topmost window owns is topmost too.
        if (ownerTopmost)
            w->exStyle |= WS_EX_TOPMOST;
        tops.erase(at(tops, w));
        tops.insert(at(tops, &owner), w);
    }
    for (Window* w : owned)
        liftOwned(*w, visited);
}

// Every top-level window `owner` owns, directly or through others, in z-order.
Order ownedChain(const Window& owner)
{
    Order chain;
    Order frontier { const_cast<Window*>(&owner) };
    while (!frontier.empty()) {
        Window* from = frontier.back();
        frontier.pop_back();
        for (Window* w : windowSystem().topLevels)
            if (w->owner == from->handle && w != &owner && !seen(chain, w)) {
                chain.push_back(w);
                frontier.push_back(w);
            }
    }
    Order ordered;
    for (Window* w : windowSystem().topLevels)
        if (seen(chain, w))
            ordered.push_back(w);
    return ordered;
}

} // namespace

bool keepOwnedOrder(Window& w)
{
    auto& tops = windowSystem().topLevels;
    if (w.parent || at(tops, &w) == tops.end())
        return false;
    Order before = tops;
    Window* owner = peekWindow(w.owner);
    if (owner && owner != &w && !owner->parent && at(tops, &w) > at(tops, owner)) {
        tops.erase(at(tops, &w));
        tops.insert(at(tops, owner), &w);
    }
    Order visited { &w };
    liftOwned(w, visited);
    return before != tops;
}

bool hideOwnedWindows(HWND owner)
{
    std::vector<HWND> hidden;
    {
        TreeLock lock;
        Window* w = peekWindow(owner);
        if (!w || w->parent)
            return false;
        for (Window* o : ownedChain(*w))
            if ((o->style & WS_VISIBLE) && !o->destroying)
                hidden.push_back(o->handle);
    }
    HWND active = GetActiveWindow();
    for (HWND hwnd : hidden) {
        sendMessage(hwnd, WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING);
        setWindowPos(hwnd, nullptr, 0, 0, 0, 0,
            SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        TreeLock lock;
        if (Window* o = peekWindow(hwnd))
            o->hiddenWithOwner = true;
    }
    return std::find(hidden.begin(), hidden.end(), active) != hidden.end();
}

void showOwnedWindows(HWND owner)
{
    std::vector<HWND> shown;
    {
        TreeLock lock;
        Window* w = peekWindow(owner);
        if (!w || w->parent)
            return;
        for (Window* o : ownedChain(*w))
            if (o->hiddenWithOwner) {
                o->hiddenWithOwner = false;
                shown.push_back(o->handle);
            }
    }
    for (HWND hwnd : shown) {
        sendMessage(hwnd, WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
        setWindowPos(hwnd, nullptr, 0, 0, 0, 0,
            SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace platform::user
