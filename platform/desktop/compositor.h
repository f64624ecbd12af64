// The compositor: top-level layers in z-order drawn onto one 32-bit screen buffer, recomposing
// only the dirty rectangles.
#pragma once

#include "platform/desktop/desktop.h"
#include "platform/desktop/rect_list.h"
#include "platform/kernel/zeroed_table.h"

#include <functional>
#include <mutex>
#include <vector>

namespace platform::desktop {

class Compositor {
public:
    Compositor(SIZE size, uint32_t backgroundXrgb);

    SIZE size() const { return m_size; }

    LayerId addLayer(const LayerState& state);
    void removeLayer(LayerId layer);
    void updateLayer(LayerId layer, const LayerState& state);
    void placeLayer(LayerId layer, LayerId below);
    void invalidateLayer(LayerId layer, const RECT& windowRect);
    void invalidateScreen(const RECT& screenRect);
    bool hasDirty() const;
    // Bottom to top.
    std::vector<LayerId> zOrder() const;

    // Recomposes the dirty part of the screen and returns the rectangles that changed.
    std::vector<RECT> compose();
    // Runs f with the screen buffer locked (rows of size().cx pixels, 32-bit XRGB).
    void withScreen(const std::function<void(const uint32_t* pixels)>& f) const;
    // Composes, then copies a rectangle of the screen (clipped to it) row by row.
    std::vector<uint32_t> copyScreen(const RECT& screenRect);

private:
    struct Layer {
        LayerId id = 0;
        std::shared_ptr<Surface> surface;
        RECT screenRect {};
        bool visible = false;
        std::shared_ptr<const Region> shape;
        RECT storeRect {}; // the part of screenRect the store covers, read at compose time
    };

    Layer* find(LayerId layer);
    void invalidateLayerArea(const Layer& layer);
    // A rectangle of the screen copied row by row from `source`, whose rows lie `stride` apart.
    struct Run {
        RECT rect;
        const uint32_t* source;
        size_t stride;
    };

    void composeArea(Region uncovered, const std::vector<Layer>& layers);
    void drawRuns(const std::vector<Run>& runs);

    const SIZE m_size;
    const std::vector<uint32_t> m_backgroundRow; // one screen row of the background colour
    mutable std::mutex m_mutex; // layers, z-order, dirty list
    std::vector<Layer> m_layers; // bottom to top
    RectList m_dirty;
    LayerId m_nextId = 1;
    mutable std::mutex m_screenMutex; // the buffer; taken before any surface's mutex
    ZeroedTable<uint32_t> m_screen;
};

} // namespace platform::desktop
