// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Where the guide window goes on screen, in screen pixels. A rectangle's right and bottom are
// exclusive: width is right - left.
struct GuideRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int64_t width() const { return std::int64_t{right} - left; }
    std::int64_t height() const { return std::int64_t{bottom} - top; }
    // Nothing stored yet (a new journal stores all zeros). A rectangle turned inside out by a
    // damaged file counts as nothing too.
    bool isEmpty() const { return width() <= 0 || height() <= 0; }

    static GuideRect fromStored(const std::array<std::int32_t, 4>& edges) {
        return {edges[0], edges[1], edges[2], edges[3]};
    }
    std::array<std::int32_t, 4> toStored() const { return {left, top, right, bottom}; }

    bool operator==(const GuideRect&) const = default;
};

struct GuideSize {
    int width = 0;
    int height = 0;
};

// The rectangle to give the window as it is shown. An empty stored rectangle puts the window at the
// bottom right of the main window's client area, at the window's own size; otherwise the stored
// rectangle is used as it is. Either way the result lies on a screen (see bringOntoScreen).
GuideRect placeGuideWindow(const GuideRect& stored, const GuideRect& mainClientArea, GuideSize ownSize,
                           const std::vector<GuideRect>& screens);

// A rectangle wholly on one of the screens is returned unchanged. Otherwise it is moved, and shrunk
// if it is bigger, onto the screen it overlaps most, or the nearest screen when it overlaps none, so
// that a window left on a monitor since unplugged comes back into sight. Screens without area are
// ignored; with none left the rectangle is unchanged.
GuideRect bringOntoScreen(const GuideRect& rect, const std::vector<GuideRect>& screens);
