// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPushButton>

#include <functional>
#include <optional>

// A button painted entirely in its colour; clicking it asks for a new colour.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    // Asks the user for a colour starting from the given one; nothing when they cancel.
    using ColourChooser = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    ColourButton(const QColor& colour, ColourChooser chooser, QWidget* parent = nullptr);

    QColor colour() const { return m_colour; }
    void setColour(const QColor& colour);

    // The standard colour dialog.
    static std::optional<QColor> chooseWithDialog(const QColor& initial, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void describeColour();
    void choose();

    QColor m_colour;
    ColourChooser m_chooser;
};
