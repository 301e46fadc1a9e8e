// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <QStringView>
#include <QWidget>

class UserPrompts;

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The user interface shows and edits QString; the files and the model hold Windows-1252 bytes.
// These conversions sit at that edge.
namespace ui {

// Every byte becomes one character; the five bytes the code page leaves undefined become the C1
// controls of the same value, so that converting back gives the same bytes.
QString fromCp1252(std::string_view bytes);
// A character outside the code page becomes '?'; a surrogate pair is one character, hence one '?'.
// Typed texts are checked with holdsCp1252 (or textsFit) first, so that no '?' is stored unasked.
std::string toCp1252(QStringView text);
// Whether toCp1252 keeps every character of the text.
bool holdsCp1252(QStringView text);

// A text typed into a field, with the field's name as the person sees it ("Assessor name") and,
// when there is one, the box to put the focus back into.
struct TypedText {
    QString text;
    QString field;
    QWidget* box = nullptr;
};
// True when every text fits the code page. Otherwise tells, through the prompts, which field holds a
// character the files cannot keep and what it can hold, puts the focus in that box, and is false.
bool textsFit(UserPrompts& prompts, const std::vector<TypedText>& texts);
// Shows the dialog until it is cancelled (false) or closed with OK while every text it holds fits
// (true); a refused text is told and the dialog comes back with what was typed.
bool execUntilTextsFit(QDialog& dialog, UserPrompts& prompts, const std::function<std::vector<TypedText>()>& texts);
// The message for one field: Sorry, "field" can hold only the letters of ...
std::string unfitTextMessage(const QString& field);

// Text-mode files: what the program reads has CR LF turned into LF (a lone CR stays), and what it
// writes has every LF turned into CR LF. An LF that already follows a CR is written as it is, so
// that text holding CR LF does not end up with CR CR LF.
std::string readTextMode(std::string_view fileBytes);
std::string writeTextMode(std::string_view text);

} // namespace ui
