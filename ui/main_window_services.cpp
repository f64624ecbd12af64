// The installed main-window services and the default of a run without a main window.
#include "ui/main_window_services.h"

#include "lib/window.h"
#include "platform/media/wave_file.h"
#include "state/master_text.h"
#include "ui/presentation.h"
#include "ui/window_context.h"

#include <atomic>

namespace {

class NoMainWindow final : public MainWindowServices {
public:
    HWND mainWindow() const override { return nullptr; }
    void unloadSound(int) override { }
    void restartMusic() override { }
    void fadeOutMusic() override { }
    MusicPlayer* musicPlayer() const override { return nullptr; }
    SoundPlayer* soundPlayer() const override { return nullptr; }
};

NoMainWindow g_none;
std::atomic<MainWindowServices*> g_installed = nullptr;

} // namespace

void MainWindowServices::tellUnplayableSound(const std::string& path) { showUnplayableSounds({ path }); }

void setMainWindowServices(MainWindowServices* services) { g_installed = services; }

void postToOwner(const swCWindow& window, UINT message, WPARAM wParam)
{
    const swCWindow* owner = window.parent();
    HWND target = owner && owner->handle() ? owner->handle() : mainWindowServices().mainWindow();
    if (target)
        PostMessageA(target, message, wParam, 0);
}

WindowContext makeWindowContext(GameState& game) { return { game, mainWindowServices(), presentation() }; }

MainWindowServices& mainWindowServices()
{
    MainWindowServices* services = g_installed;
    return services ? *services : g_none;
}

void showUnplayableSounds(const std::vector<std::string>& paths)
{
    std::vector<std::pair<std::string, FileFault>> files;
    for (const std::string& path : paths) {
        const FileFault fault = checkFileBytes(path.c_str(), platform::media::kMaxMediaFileBytes);
        files.emplace_back(path, fault == FileFault::None ? FileFault::Damaged : fault);
    }
    showUnusableFiles("音声ファイルを再生できません。", files, "このファイルの音は鳴りません。");
}
