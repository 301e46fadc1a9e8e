#pragma once

#include "analysis/pages/ResultPage.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <vector>

class QPrinter;

// Pages drawn into images and onto paper, as the view, the print command and the tools need them.
namespace pageoutput {

// The page as the view shows it in a client area `width` pixels wide, from top to bottom: as wide as
// the wider of the two, as tall as the page, on the view's white.
QImage renderImage(CResultPage& page, int width, const QFont& screenFont);

// Prints one page on the printer's current sheet. The painter must be active on a printer.
void printPage(CResultPage& page, QPainter& painter);

// Prints the pages into a PDF file of A4 sheets, one sheet per page. False when the file cannot be
// written.
bool printToPdf(const std::vector<CResultPage*>& pages, const QString& path, const QString& documentName);

} // namespace pageoutput
