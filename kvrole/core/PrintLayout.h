// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Role.h"

#include <string>
#include <string_view>
#include <vector>

namespace kvrole {

enum class PrintFont { Body, RoleName, Heading };

// Measures text for the device being printed on, in its units.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The height of `text` word-wrapped within `width`.
    virtual int wrappedHeight(std::string_view text, PrintFont font, int width) const = 0;
    // Line height and average character width of the body font.
    virtual int bodyLineHeight() const = 0;
    virtual int bodyAverageCharWidth() const = 0;
};

// One block of text where it lands: page (from 1) and rectangle relative to the body origin. Text
// beyond the rectangle is clipped.
struct PlacedBlock {
    int page = 1;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    std::string text;
    PrintFont font = PrintFont::Body;
};

// A printed role: the name, the description, a heading, then each competency with its behaviours
// indented below it. A block that would leave less than its keep-with-next space below it on the
// page starts the next page, so a name is never left alone at the foot of a page.
struct RolePrintLayout {
    static constexpr std::string_view kHeading = "Competencies and Behaviours";
    static constexpr std::string_view kFooterLeft = "Role Profile";
    static constexpr std::string_view kFooterRight = "Reflectory 360";

    int pageWidth = 0;  // W
    int pageHeight = 0; // H
    std::vector<PlacedBlock> blocks;
    int pageCount = 1;

    // Relative to the page: the body starts at (W/20, H/15), ends at 19W/20 and 14H/15.
    int bodyLeft() const { return pageWidth / 20; }
    int bodyTop() const { return pageHeight / 15; }
    int rightEdge() const { return 18 * pageWidth / 20; }
    int bottomLimit() const { return 13 * pageHeight / 15; }
    // The footer's text bottoms, relative to the page.
    int footerBaseline() const { return 29 * pageHeight / 30; }
    int footerLeft() const { return pageWidth / 20; }
    int footerRight() const { return 19 * pageWidth / 20; }

    static RolePrintLayout of(const CRole& role, int pageWidth, int pageHeight, const TextMeasure& measure);
};

} // namespace kvrole
