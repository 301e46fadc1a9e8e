// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>

// The welcome dialog's animation: a small boat riding the swell past a rock, drawn by the program
// itself so that it needs no installation file.
class SailboatAnimation : public QWidget {
    Q_OBJECT
public:
    explicit SailboatAnimation(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {240, 110}; }
    int frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void advance();

    QTimer m_timer;
    int m_frame = 0;
};
