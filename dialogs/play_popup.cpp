// PlayPopup: running, ending and placing the play popups, and their watch on play.
#include "dialogs/play_popup.h"

#include "lib/error.h"
#include "lib/media/bitmap.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/presentation.h"

namespace {

constexpr UINT_PTR kPlayTimer = 1;

} // namespace

PlayPopup::PlayPopup(const WindowContext& context, UINT templateId, swCWindow* owner, UINT cancelId)
    : KitWindow(templateId, owner)
    , m_state(context.game)
    , m_main(context.main)
    , m_look(context.look)
    , m_cancelId(cancelId)
{
    registerGameDialogTemplates();
}

INT_PTR PlayPopup::run()
{
    if (!prepare())
        return 0;
    setResult(0);
    CreateModal();
    return result();
}

void PlayPopup::end(int result)
{
    setResult(result);
    DestroyModal();
}

void PlayPopup::placeWindow(SIZE client, const char* placementKey)
{
    ui::centreWindow(*this, parent() ? parent()->handle() : nullptr, client);
    if (placementKey)
        windowRestorePlacement(placementKey, false, false);
}

const ui::WindowDescription& PlayPopup::description() const
{
    static constexpr ui::WindowDescription kDescription {};
    return kDescription;
}

bool PlayPopup::makeControls(const std::function<void()>& make)
{
    if (ui::runShowingError(handle(), make))
        return true;
    end(0);
    return false;
}

void PlayPopup::watchPlay()
{
    SetTimer(handle(), kPlayTimer, 100, nullptr);
    m_watching = true;
}

bool PlayPopup::loadPanels(const char* file, swCBitmap& canvas, swCBitmap& clean)
{
    return ui::runShowingError(parent() ? parent()->handle() : nullptr, [&] {
        const std::string path = m_look.bitmapPath(file);
        canvas.bitmapLoadFile(path.c_str());
        clean.bitmapLoadFile(path.c_str());
    });
}

int PlayPopup::OnMessage(MessageRecord& msg)
{
    if (msg.message == WM_TIMER && m_watching) {
        if (msg.wParam != kPlayTimer)
            return 0;
        // A popup outlives no game: a stopped game takes its question away.
        if (!m_state.handshake().playRunning())
            end(0);
        return 1;
    }
    return KitWindow::OnMessage(msg);
}

int PlayPopup::OnCommand(MessageRecord&, UINT id, UINT)
{
    if (id == IDCANCEL || id == m_cancelId) {
        end(0);
        return 1;
    }
    return id == IDOK ? 1 : 0;
}

void PlayPopup::destroying()
{
    if (m_watching)
        KillTimer(handle(), kPlayTimer);
    m_watching = false;
}
