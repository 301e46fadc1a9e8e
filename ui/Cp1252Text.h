#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

// The user interface shows and edits QString; the files and the model hold Windows-1252 bytes.
// These conversions sit at that edge.
namespace ui {

// Every byte becomes one character; the five bytes the code page leaves undefined become the C1
// controls of the same value, so that converting back gives the same bytes.
QString fromCp1252(std::string_view bytes);
// A character outside the code page becomes '?'; a surrogate pair is one character, hence one '?'.
std::string toCp1252(QStringView text);

// Text-mode files: what the program reads has CR LF turned into LF (a lone CR stays), and what it
// writes has every LF turned into CR LF. An LF that already follows a CR is written as it is, so
// that text holding CR LF does not end up with CR CR LF.
std::string readTextMode(std::string_view fileBytes);
std::string writeTextMode(std::string_view text);

} // namespace ui
