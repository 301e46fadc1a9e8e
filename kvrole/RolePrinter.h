// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kvrole/core/PrintLayout.h"

#include <QFont>

#include <algorithm>

class QPainter;
class QPaintDevice;
class QPrinter;

// Prints a role: one routine for the printer, the print preview and the tests' PDF files.
class RolePrinter {
public:
    // Lays the role out for the device (its page in device pixels and its resolution).
    RolePrinter(const CRole& role, QPaintDevice& device);

    int pageCount() const { return m_layout.pageCount; }
    const kvrole::RolePrintLayout& layout() const { return m_layout; }

    // Draws page `page` (from 1) with the painter, which paints on the device given above.
    void paintPage(QPainter& painter, int page) const;
    // Every page, with a new page between them: for QPrinter and QPdfWriter painters.
    template <typename PagedDevice> void paintAll(QPainter& painter, PagedDevice& device) const {
        paintPages(painter, device, 1, pageCount());
    }
    // Pages `first` to `last` (from 1, both included), kept within the role's pages.
    template <typename PagedDevice> void paintPages(QPainter& painter, PagedDevice& device, int first, int last) const {
        first = std::max(first, 1);
        last = std::min(last, pageCount());
        for (int page = first; page <= last; ++page) {
            if (page > first) {
                device.newPage();
            }
            paintPage(painter, page);
        }
    }
    // The pages the print dialog chose: a page range when one was given, else every page.
    void print(QPrinter& printer) const;

    QFont fontFor(kvrole::PrintFont font) const;

private:
    QPaintDevice& m_device;
    QFont m_body;
    QFont m_roleName;
    QFont m_heading;
    kvrole::RolePrintLayout m_layout;
};
