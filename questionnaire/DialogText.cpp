// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogText.h"

#include "model/Windows1252.h"

QString toDisplay(const std::string& bytes) {
    return QString::fromStdString(cp1252::toUtf8(bytes));
}

std::string fromDisplay(const QString& text) {
    return cp1252::fromUtf8(text.toStdString());
}

QString toEditable(const std::string& bytes) {
    QString text = toDisplay(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

std::string fromEditable(const QString& text) {
    QString stored = text;
    stored.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    stored.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return fromDisplay(stored);
}

QString escapedMnemonics(QString text) {
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}
