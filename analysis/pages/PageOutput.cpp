// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/PageOutput.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <utility>

namespace pageoutput {

namespace {

void paintOnScreen(CResultPage& page, QPainter& painter, int width, int visibleBottom, const QFont& screenFont) {
    PageCanvas canvas;
    canvas.painter = &painter;
    canvas.clientWidth = width;
    canvas.visibleBottom = visibleBottom;
    canvas.screenFont = screenFont;
    page.paint(canvas);
}

} // namespace

QImage renderImage(CResultPage& page, int width, const QFont& screenFont) {
    // The extent is known only once the page has chosen its font, so a first drawing on a scrap
    // image of the same resolution measures it.
    QImage scrap(1, 1, QImage::Format_RGB32);
    {
        QPainter painter(&scrap);
        paintOnScreen(page, painter, width, 0, screenFont);
    }
    const QSize extent = page.extent();
    QImage image(std::max({width, extent.width(), 1}), std::max(extent.height(), 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintOnScreen(page, painter, width, image.height(), screenFont);
    return image;
}

bool printPage(CResultPage& page, QPainter& painter, std::function<bool()> nextSheet) {
    PageCanvas canvas;
    canvas.painter = &painter;
    canvas.printing = true;
    canvas.nextSheet = std::move(nextSheet);
    return page.paint(canvas);
}

bool printToPdf(const std::vector<CResultPage*>& pages, const QString& path, const QString& documentName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCreator(QStringLiteral("Reflectory 360"));
    printer.setDocName(documentName);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    bool first = true;
    for (CResultPage* page : pages) {
        if (!first && !printer.newPage()) {
            return false;
        }
        first = false;
        if (!printPage(*page, painter)) {
            return false;
        }
    }
    return painter.end();
}

} // namespace pageoutput
