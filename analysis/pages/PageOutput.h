// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/pages/ResultPage.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

class QPrinter;

// Pages drawn into images and onto paper, as the view, the print command and the tools need them.
namespace pageoutput {

// The page as the view shows it in a client area `width` pixels wide, from top to bottom: as wide as
// the wider of the two, as tall as the page, on the view's white.
QImage renderImage(CResultPage& page, int width, const QFont& screenFont);

// Prints one page from the printer's current sheet on, on as many sheets as it needs; `nextSheet`
// starts each further sheet (the printer's new page when not given). The painter must be active on
// a printer. False when a further sheet could not be started.
bool printPage(CResultPage& page, QPainter& painter, std::function<bool()> nextSheet = {});

// Prints the pages into a PDF file of A4 sheets, each page from a new sheet. False when the file
// cannot be written.
bool printToPdf(const std::vector<CResultPage*>& pages, const QString& path, const QString& documentName);

} // namespace pageoutput
