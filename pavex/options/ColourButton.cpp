// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/options/ColourButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPen>
#include <QStylePainter>

ColourButton::ColourButton(const QColor& colour, ColourChooser chooser, QWidget* parent)
    : QPushButton(parent), m_colour(colour), m_chooser(std::move(chooser)) {
    setMinimumSize(64, 22);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &ColourButton::choose);
    describeColour();
}

void ColourButton::setColour(const QColor& colour) {
    m_colour = colour;
    describeColour();
    update();
}

// A reader cannot see the button's face: the colour is told as its red, green and blue parts.
void ColourButton::describeColour() {
    setAccessibleDescription(
        QStringLiteral("Red %1, green %2, blue %3").arg(m_colour.red()).arg(m_colour.green()).arg(m_colour.blue()));
}

std::optional<QColor> ColourButton::chooseWithDialog(const QColor& initial, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

void ColourButton::choose() {
    if (const std::optional<QColor> chosen = m_chooser(m_colour, this)) {
        setColour(*chosen);
    }
}

void ColourButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.fillRect(rect(), m_colour);
    // A frame that shows whatever the colour, and the keyboard focus on top.
    painter.setPen(isDown() ? palette().color(QPalette::Highlight) : palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        // The style's faint focus rectangle vanishes on some colours: white under black dashes
        // shows on every one.
        const QRect focus = rect().adjusted(3, 3, -4, -4);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 3));
        painter.drawRect(focus);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(focus);
    }
}
