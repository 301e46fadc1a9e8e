// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/pages/PageCanvas.h"
#include "analysis/pages/PageOutput.h"
#include "analysis/pages/PagePainting.h"
#include "analysis/pages/ResultPage.h"

#include <QFont>
#include <QImage>

#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Drawing pages in the tests: a fixed font, so that every position is known in advance (cw 8,
// lh 15), and pages drawn into images through the output routines the view, the printer and the
// tools use.
namespace pagetest {

inline constexpr int kCw = 8;
inline constexpr int kLh = 15;

inline QFont fixedFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    return font;
}

// The page on screen in a view `width` pixels wide, drawn as the view and the tools draw it, and
// shown `height` pixels high from its top (the view's white beyond the page).
inline QImage drawOnScreen(CResultPage& page, int width, int height) {
    const QImage drawn = pageoutput::renderImage(page, width, fixedFont());
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawImage(0, 0, drawn);
    return image;
}

// The page as the view paints it when its client area is `height` pixels high: the background runs
// down to that visible bottom, below the page's own extent (the output routines stop at the page).
inline QImage drawInView(CResultPage& page, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PageCanvas canvas;
    canvas.painter = &painter;
    canvas.clientWidth = width;
    canvas.visibleBottom = height;
    canvas.screenFont = fixedFont();
    page.paint(canvas);
    return image;
}

// The page printed on a sheet `width` by `height` device units (an image stands in for the printer).
inline QImage drawOnPaper(CResultPage& page, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    pageoutput::printPage(page, painter);
    return image;
}

// A page printed on as many sheets of the size as it needs, each sheet an image.
inline std::vector<QImage> drawOnSheets(CResultPage& page, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    std::vector<QImage> sheets;
    QPainter painter(&image);
    pageoutput::printPage(page, painter, [&] {
        sheets.push_back(image.copy());
        painter.fillRect(image.rect(), Qt::white);
        return true;
    });
    painter.end();
    sheets.push_back(image);
    return sheets;
}

inline QColor at(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

inline QColor stored(std::int32_t colour) {
    return pagepaint::colourOf(colour);
}

// Whether any pixel of the rectangle has the colour.
inline bool contains(const QImage& image, const QRect& rect, const QColor& colour) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

inline bool hasInk(const QImage& image, const QRect& rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                return true;
            }
        }
    }
    return false;
}

// The rectangle's pixels, one character each, row by row: 'c' where the colour is, 'k' where black
// is, '.' elsewhere. Two drawings of one shape read alike whatever lies behind them.
inline std::string silhouette(const QImage& image, const QRect& rect, const QColor& colour) {
    std::string shape;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            shape += pixel == colour ? 'c' : (pixel == QColor(Qt::black) ? 'k' : '.');
        }
        shape += '\n';
    }
    return shape;
}

// The colour most of the rectangle's pixels have.
inline QColor dominant(const QImage& image, const QRect& rect) {
    std::map<QRgb, int> counts;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() ? QColor() : QColor(most->first);
}

} // namespace pagetest
