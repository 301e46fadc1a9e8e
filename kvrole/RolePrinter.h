#pragma once

#include "kvrole/core/PrintLayout.h"

#include <QFont>

class QPainter;
class QPaintDevice;

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
        for (int page = 1; page <= pageCount(); ++page) {
            if (page > 1) {
                device.newPage();
            }
            paintPage(painter, page);
        }
    }

    QFont fontFor(kvrole::PrintFont font) const;

private:
    QPaintDevice& m_device;
    QFont m_body;
    QFont m_roleName;
    QFont m_heading;
    kvrole::RolePrintLayout m_layout;
};
