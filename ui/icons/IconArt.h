// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

// The suite's icons and pictures as drawings. Each is drawn on a square grid of design units and
// rendered at whole multiples of it, so that lines laid on the grid stay sharp at every size;
// the build renders them to PNG files that the resource system compiles into the `ui` library.
namespace iconart {

struct Art {
    QString name;           // the file name, without ".png"
    int grid;               // the drawing's size in design units
    std::vector<int> sizes; // pixel sizes to render
    std::function<void(QPainter&)> draw;
};

// Every icon and picture, toolbar icons first, then tree icons, program icons and pictures.
const std::vector<Art>& catalogue();

// `size` pixels square, transparent where nothing is drawn.
QImage render(const Art& art, int size);

} // namespace iconart
