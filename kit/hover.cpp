#include "kit/hover.h"

#include <cmath>

namespace kit {

Hover UpdateHover(const System& kit, double x, double y)
{
    const auto& zone = kit.ElemZoneX;
    // An element's body first: in point-grid mode a lens may stand left of
    // where the grid's zone starts, and must stay within reach.
    for (int k = 1; k < kit.ElemCount; k += 2)
        if (x >= zone[k] && x < zone[k + 1])
            return {static_cast<std::int16_t>(k), 1, Pointer::SizeHorizontal};
    if (x < zone[0]) {
        // The tip of the arrow or candle; in the other modes no tip is drawn.
        const bool symbol = kit.ObjMode == ObjectMode::Arrow || kit.ObjMode == ObjectMode::Candle;
        if (symbol && std::abs(y - kit.ObjY) < 10 && std::abs(x - kit.ObjX) < 10)
            return {-1, -1, Pointer::SizeNESW};
        return {-2, -1, Pointer::Cross};
    }
    for (int i = 0; i + 1 < kit.ElemCount; ++i) {
        if (!(x >= zone[i] && x < zone[i + 1]))
            continue;
        const auto at = static_cast<std::int16_t>(i);
        if (i == 0)
            return {0, -1, kit.ObjMode == ObjectMode::Parallel ? Pointer::SizeVertical : Pointer::Cross};
        if (i % 2 == 1)
            return {at, 1, Pointer::SizeHorizontal};
        return {at, -1, Pointer::Arrow};
    }
    return {kit.ElemCount, -1, Pointer::Arrow};
}

} // namespace kit
