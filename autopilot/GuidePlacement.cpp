// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuidePlacement.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace {

bool contains(const GuideRect& outer, const GuideRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::int64_t overlapArea(const GuideRect& a, const GuideRect& b) {
    const std::int64_t width = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    const std::int64_t height = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Squared distance between centres, in doubled coordinates so that it stays integral.
std::int64_t centreDistance(const GuideRect& a, const GuideRect& b) {
    const std::int64_t dx = (std::int64_t{a.left} + a.right) - (std::int64_t{b.left} + b.right);
    const std::int64_t dy = (std::int64_t{a.top} + a.bottom) - (std::int64_t{b.top} + b.bottom);
    // Screen coordinates stay far below 2^31, so the doubled differences square without overflow;
    // a damaged rectangle may not, and is then simply far away.
    constexpr std::int64_t kFar = std::int64_t{1} << 31;
    if (dx > kFar || dx < -kFar || dy > kFar || dy < -kFar) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return dx * dx + dy * dy;
}

const GuideRect& screenFor(const GuideRect& rect, const std::vector<GuideRect>& screens) {
    const GuideRect* best = &screens.front();
    std::int64_t bestOverlap = 0;
    for (const GuideRect& screen : screens) {
        const std::int64_t overlap = overlapArea(rect, screen);
        if (overlap > bestOverlap) {
            bestOverlap = overlap;
            best = &screen;
        }
    }
    if (bestOverlap > 0) {
        return *best;
    }
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    for (const GuideRect& screen : screens) {
        const std::int64_t distance = centreDistance(rect, screen);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &screen;
        }
    }
    return *best;
}

// The start of a span of the given length inside [low, high), as close to start as it fits.
std::int32_t fitInto(std::int64_t start, std::int64_t length, std::int32_t low, std::int32_t high) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(start, low, std::int64_t{high} - length));
}

} // namespace

GuideRect bringOntoScreen(const GuideRect& rect, const std::vector<GuideRect>& allScreens) {
    std::vector<GuideRect> screens;
    std::copy_if(allScreens.begin(), allScreens.end(), std::back_inserter(screens),
                 [](const GuideRect& screen) { return !screen.isEmpty(); });
    if (screens.empty()) {
        return rect;
    }
    for (const GuideRect& screen : screens) {
        if (contains(screen, rect)) {
            return rect;
        }
    }
    const GuideRect& screen = screenFor(rect, screens);
    const std::int64_t width = std::clamp<std::int64_t>(rect.width(), 0, screen.width());
    const std::int64_t height = std::clamp<std::int64_t>(rect.height(), 0, screen.height());
    GuideRect placed;
    placed.left = fitInto(rect.left, width, screen.left, screen.right);
    placed.top = fitInto(rect.top, height, screen.top, screen.bottom);
    placed.right = static_cast<std::int32_t>(placed.left + width);
    placed.bottom = static_cast<std::int32_t>(placed.top + height);
    return placed;
}

GuideRect placeGuideWindow(const GuideRect& stored, const GuideRect& mainClientArea, GuideSize ownSize,
                           const std::vector<GuideRect>& screens) {
    if (!stored.isEmpty()) {
        return bringOntoScreen(stored, screens);
    }
    GuideRect corner;
    corner.right = mainClientArea.right;
    corner.bottom = mainClientArea.bottom;
    corner.left = static_cast<std::int32_t>(std::int64_t{corner.right} - std::max(ownSize.width, 0));
    corner.top = static_cast<std::int32_t>(std::int64_t{corner.bottom} - std::max(ownSize.height, 0));
    return bringOntoScreen(corner, screens);
}
