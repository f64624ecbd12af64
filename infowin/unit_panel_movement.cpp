// The terrain movement panel: the type's cost on each terrain of a fixed list over "info_move.bmp".
#include "infowin/panel_text.h"
#include "infowin/unit_panels.h"

#include "state/data_path.h"
#include "state/game_state.h"
#include "ui/presentation.h"

#include <string>

void drawMovementPanel(HDC dc, const Presentation& look, const GameState& game, const UnitTypeRecord& type)
{
    std::string path;
    buildDataPath(path, "info_move.bmp", kFolderBitmap);
    {
        swCBitmap background;
        background.bitmapLoadFile(path.c_str());
        const SIZE size = background.bitmapGetSize();
        PaletteHolder(dc).blitBitmap(info_sheet::kMovePanelX, info_sheet::kMovePanelY, background.handle(),
            RECT { 0, 0, size.cx, size.cy });
    }
    panel::TextScope scope(dc, look.font(kSmallFont));
    const std::vector<TerrainRecord>& terrains = game.terrainTypes();
    const bool immobile = type.model[0].values[0] == 0;
    for (int n = 0; n < info_sheet::kMovePanelEntries; ++n) {
        const info_sheet::Cell box = info_sheet::movePanelFigure(n);
        const int terrain = info_sheet::movePanelTerrain(n);
        // The list is fixed; a terrain table shorter than it shows "-" past its end.
        const int cost = size_t(terrain) < terrains.size() && type.movementType < kMovementTypeCount
            ? terrains[size_t(terrain)].moveCost[type.movementType]
            : 0;
        if (cost == 0 || immobile)
            panel::text(dc, box.x, box.y, box.right(), box.bottom(), "-");
        else
            panel::format(dc, box.x, box.y, box.right(), box.bottom(), DT_LEFT, "%2d", cost);
    }
}
