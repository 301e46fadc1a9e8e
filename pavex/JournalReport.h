#pragma once

#include "model/PavexDoc.h"

#include <QString>

// The journal's report: every page of its contents in tree order, one A4 sheet each, as a PDF.
// False when the file cannot be written. Needs a GUI application.
bool writeJournalReport(const JournalRecord& journal, const QString& pdfPath);
