// The presentation's start-up and shut-down, and the installed presentation.
#include "ui/presentation.h"

#include "lib/error.h"
#include "platform/kernel/host.h"
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/master_text.h"
#include "ui/game_picture_services.h"

#include <string>
#include <utility>
#include <vector>

namespace {

PresentationServices* g_lookServices = nullptr;
Presentation* g_installedLook = nullptr;

struct FontSpec {
    int height;
    int weight;
};
constexpr FontSpec kFonts[kFontCount] = {
    { 22, 400 }, { 18, 400 }, { 16, 400 }, { 16, 700 }, { 14, 400 }, { 14, 700 }, { 12, 400 }, { 12, 700 }, { 10, 400 },
};

// The pictures read at start-up that could not be read, told together in one notice.
class UnreadPictures {
public:
    void note(FileFault fault, const char* file)
    {
        if (fault != FileFault::None)
            m_files.emplace_back(file, fault);
    }
    void report() const { showUnusableFiles("画像ファイルを読み込めません。", m_files, "読み込めた画像だけで表示します。"); }

private:
    std::vector<std::pair<std::string, FileFault>> m_files;
};

} // namespace

void setPresentationServices(PresentationServices* services) { g_lookServices = services; }

PresentationServices* presentationServices() { return g_lookServices; }

void setPresentation(Presentation* look) { g_installedLook = look; }

Presentation& presentation() { return *g_installedLook; }

Presentation* installedPresentation() { return g_installedLook; }

Presentation::Presentation(const GameState& game)
    : m_game(game)
{
}

Presentation::~Presentation() { shutDown(); }

void Presentation::startUp()
{
    m_baseBitmaps.release();
    m_started = true;

    const std::string face = platform::utf8ToCp932("ＭＳ ゴシック");
    for (int i = 0; i < kFontCount; ++i)
        m_fonts[size_t(i)].fontCreate(kFonts[i].height, kFonts[i].weight, face.c_str());
    m_pictureServices = std::make_unique<GamePictureServices>(*this);
    setPictureServices(m_pictureServices.get());

    m_customColors = std::make_unique<CustomColorTable>();
    m_customColors->clear();
    try {
        m_customColors->load(dataPath("", kFolderProgram));
    } catch (swCError* error) {
        m_customColors->clear();
        for (int i = 0; i < CustomColorTable::kShownEntries; ++i)
            m_customColors->setEntry(i, CustomColorTable::defaultEntry(i));
        showUnreadableFile("カスタムカラー", CustomColorTable::kFileName, error);
    }

    // Pictures that cannot be read stay empty, told in one notice.
    UnreadPictures unread;
    for (int i : { kLand32Base, kLand16Base })
        unread.note(m_baseBitmaps.load(i), baseBitmapFile(i));
    prepareSmallBuildingSheets();
    for (int i = kCategorySheet; i <= kOwnerStrip2; ++i)
        unread.note(m_baseBitmaps.load(i), baseBitmapFile(i));
    prepareUnitSheet();
    for (int i = kCivilian32; i <= kInfoButtons; ++i)
        unread.note(m_baseBitmaps.load(i), baseBitmapFile(i));
    if (g_lookServices)
        unread.note(g_lookServices->loadStartArrowBitmap(), kStartArrowFile);
    unread.report();
}

std::string Presentation::bitmapPath(const char* fileName) const { return dataPath(fileName, kFolderBitmap); }

void Presentation::prepareSmallBuildingSheets()
{
    m_baseBitmaps.store(kSmallBuildingSheet, g_lookServices ? g_lookServices->buildSmallBuildingSheets(*this) : nullptr);
}

void Presentation::prepareUnitSheet() { m_baseBitmaps.store(kUnitSheet, g_lookServices ? g_lookServices->buildUnitSheet(*this) : nullptr); }

void Presentation::shutDown()
{
    if (!m_started)
        return;
    m_started = false;
    m_customColors.reset();
    m_baseBitmaps.release();
    if (g_lookServices)
        g_lookServices->freeStartArrowBitmap();
    if (&pictureServices() == m_pictureServices.get())
        setPictureServices(nullptr);
    m_pictureServices.reset();
}
