// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/RolePrinter.h"

#include "ui/Cp1252Text.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>

namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

QFont pointFont(const QString& family, int points, QPaintDevice& device) {
    // The fonts are sized for the device, as a printer's fonts are.
    QFont font(family, points);
    font = QFont(font, &device);
    return font;
}

class DeviceTextMeasure : public kvrole::TextMeasure {
public:
    DeviceTextMeasure(const RolePrinter& printer, QPaintDevice& device) : m_printer(printer), m_device(device) {}

    int wrappedHeight(std::string_view text, kvrole::PrintFont font, int width) const override {
        const QFontMetrics metrics(m_printer.fontFor(font), &m_device);
        const QString shown = ui::fromCp1252(text);
        // An empty text still takes a line, as it does on paper.
        if (shown.isEmpty()) {
            return metrics.height();
        }
        return metrics.boundingRect(QRect(0, 0, std::max(width, 1), 1 << 24), kTextFlags, shown).height();
    }
    int bodyLineHeight() const override {
        return QFontMetrics(m_printer.fontFor(kvrole::PrintFont::Body), &m_device).height();
    }
    int bodyAverageCharWidth() const override {
        return QFontMetrics(m_printer.fontFor(kvrole::PrintFont::Body), &m_device).averageCharWidth();
    }

private:
    const RolePrinter& m_printer;
    QPaintDevice& m_device;
};

} // namespace

RolePrinter::RolePrinter(const CRole& role, QPaintDevice& device)
    : m_device(device), m_body(pointFont(QStringLiteral("Times New Roman"), 11, device)),
      m_roleName(pointFont(QStringLiteral("Arial"), 14, device)),
      m_heading(pointFont(QStringLiteral("Arial"), 12, device)) {
    m_layout = kvrole::RolePrintLayout::of(role, device.width(), device.height(), DeviceTextMeasure(*this, device));
}

QFont RolePrinter::fontFor(kvrole::PrintFont font) const {
    switch (font) {
    case kvrole::PrintFont::RoleName:
        return m_roleName;
    case kvrole::PrintFont::Heading:
        return m_heading;
    case kvrole::PrintFont::Body:
        break;
    }
    return m_body;
}

void RolePrinter::print(QPrinter& printer) const {
    QPainter painter(&printer);
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        paintPages(painter, printer, printer.fromPage(), printer.toPage());
    } else {
        paintAll(painter, printer);
    }
}

void RolePrinter::paintPage(QPainter& painter, int page) const {
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(m_body);

    const kvrole::RolePrintLayout& layout = m_layout;
    const QFontMetrics body(m_body, &m_device);
    const int footerTop = layout.footerBaseline() - body.height();
    painter.drawText(QRect(layout.footerLeft(), footerTop, layout.footerRight() - layout.footerLeft(), body.height()),
                     Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(kvrole::RolePrintLayout::kFooterLeft));
    painter.drawText(QRect(layout.footerLeft(), footerTop, layout.footerRight() - layout.footerLeft(), body.height()),
                     Qt::AlignRight | Qt::AlignTop, QString::fromLatin1(kvrole::RolePrintLayout::kFooterRight));

    painter.translate(layout.bodyLeft(), layout.bodyTop());
    for (const kvrole::PlacedBlock& block : layout.blocks) {
        if (block.page != page) {
            continue;
        }
        painter.setFont(fontFor(block.font));
        const QRect area(QPoint(block.left, block.top), QPoint(block.right - 1, block.bottom - 1));
        painter.save();
        painter.setClipRect(area);
        painter.drawText(area, kTextFlags, ui::fromCp1252(block.text));
        painter.restore();
    }
    painter.restore();
}
