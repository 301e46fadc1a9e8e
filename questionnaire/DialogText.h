// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

// The dialogs show the files' 8-bit texts and hand typed texts back in the same code page.
QString toDisplay(const std::string& bytes);
std::string fromDisplay(const QString& text);
// Edit boxes use line feeds; the stored texts keep carriage return and line feed pairs.
QString toEditable(const std::string& bytes);
std::string fromEditable(const QString& text);
// A label shown on a button: '&' would otherwise start a mnemonic.
QString escapedMnemonics(QString text);

// The six relationships to the person being assessed, as the radio buttons name them, in index order.
inline constexpr const char* kRelationshipCaptions[] = {
    "&Self assessment",
    "&Manager of person being assessed",
    "&Reporting to person being assessed",
    "&Peer of person being assessed",
    "&Customer of person being assessed",
    "&Other",
};
