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
