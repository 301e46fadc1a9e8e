// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/GraphContent.h"
#include "analysis/pages/ResultPage.h"

// How often each response to one behaviour was given: a stacked bar per option of its scale, a
// segment per group, with the behaviour's development check box and a key below.
class CResponseFrequencies final : public CResultPage {
public:
    // The geometry of the last drawing, in page coordinates.
    struct Geometry {
        int options = 0;   // p
        int axisTop = 0;   // a
        int left = 0;      // C
        int right = 0;     // R
        int unit = 0;      // D, tenths of a pixel per response
        int zero = 0;      // X0
        int bottom = 0;    // B
        int rowHeight = 0; // h
        int gridStep = 1;  // responses between grid lines
        int labelStep = 1; // responses between axis numbers
    };

    explicit CResponseFrequencies(FrequencyContent& content);

    const Geometry& geometry() const { return m_geometry; }

protected:
    void draw() override;

private:
    void drawOption(int option, int top);
    // A group's segment, or its key swatch: its colour and its hatching.
    void fillSegment(const QRect& rect, int group);
    void drawAxisAndMark();
    void drawKey();

    const FrequencyContent& m_frequencies;
    Geometry m_geometry;
};
