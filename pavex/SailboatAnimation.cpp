// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/SailboatAnimation.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace {
constexpr int kFrameMs = 60;
constexpr int kFramesPerCrossing = 240;
} // namespace

SailboatAnimation::SailboatAnimation(QWidget* parent) : QWidget(parent) {
    setMinimumSize(sizeHint());
    m_timer.setInterval(kFrameMs);
    connect(&m_timer, &QTimer::timeout, this, &SailboatAnimation::advance);
}

void SailboatAnimation::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_timer.start();
}

void SailboatAnimation::hideEvent(QHideEvent* event) {
    m_timer.stop();
    QWidget::hideEvent(event);
}

void SailboatAnimation::advance() {
    m_frame = (m_frame + 1) % kFramesPerCrossing;
    update();
}

void SailboatAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = width();
    const double h = height();
    const double sea = h * 0.62;
    const double phase = 2 * std::numbers::pi * m_frame / 40.0;

    painter.fillRect(rect(), QColor(0xcc, 0xe6, 0xff));

    // The rock the sailor keeps clear of.
    QPainterPath rock;
    rock.moveTo(w * 0.70, sea + 4);
    rock.lineTo(w * 0.76, sea - h * 0.22);
    rock.lineTo(w * 0.81, sea - h * 0.12);
    rock.lineTo(w * 0.86, sea + 4);
    rock.closeSubpath();
    painter.fillPath(rock, QColor(0x70, 0x68, 0x60));

    QPainterPath water;
    water.moveTo(0, h);
    for (int x = 0; x <= static_cast<int>(w); x += 4) {
        water.lineTo(x, sea + 3 * std::sin(phase + x / 18.0));
    }
    water.lineTo(w, h);
    water.closeSubpath();
    painter.fillPath(water, QColor(0x1f, 0x5f, 0xa8));

    // The boat crosses from the left, passing well in front of the rock.
    const double boatX = -40 + (w + 80) * m_frame / kFramesPerCrossing;
    // Nearer the viewer than the rock, so the boat is seen to sail clear of it.
    const double boatY = sea + h * 0.16 + 3 * std::sin(phase + boatX / 18.0);
    const double roll = 4 * std::sin(phase * 0.7);
    painter.save();
    painter.translate(boatX, boatY);
    painter.rotate(roll);
    QPainterPath hull;
    hull.moveTo(-22, -6);
    hull.lineTo(22, -6);
    hull.lineTo(14, 4);
    hull.lineTo(-16, 4);
    hull.closeSubpath();
    painter.fillPath(hull, QColor(0x8b, 0x4a, 0x1c));
    painter.setPen(QPen(QColor(0x40, 0x30, 0x20), 2));
    painter.drawLine(QPointF(0, -6), QPointF(0, -44));
    QPainterPath sail;
    sail.moveTo(2, -44);
    sail.lineTo(20, -10);
    sail.lineTo(2, -10);
    sail.closeSubpath();
    painter.fillPath(sail, Qt::white);
    QPainterPath jib;
    jib.moveTo(-2, -40);
    jib.lineTo(-2, -10);
    jib.lineTo(-16, -10);
    jib.closeSubpath();
    painter.fillPath(jib, QColor(0xf5, 0xf0, 0xe0));
    painter.restore();
}
