// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Cp1252Text.h"

#include "model/UserPrompts.h"
#include "model/Windows1252.h"

namespace ui {

QString fromCp1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        // Every character of the code page lies in the basic plane, so one UTF-16 unit each.
        text.append(QChar(static_cast<char16_t>(cp1252::toUnicode(static_cast<unsigned char>(byte)))));
    }
    return text;
}

std::string toCp1252(QStringView text) {
    return cp1252::fromUtf16(text.utf16(), static_cast<std::size_t>(text.size()));
}

bool holdsCp1252(QStringView text) {
    return cp1252::holdsUtf16(text.utf16(), static_cast<std::size_t>(text.size()));
}

std::string unfitTextMessage(const QString& field) {
    return cp1252::refusal("\"" + toCp1252(field) + "\"");
}

bool textsFit(UserPrompts& prompts, const std::vector<TypedText>& texts) {
    for (const TypedText& typed : texts) {
        if (!holdsCp1252(typed.text)) {
            prompts.message(unfitTextMessage(typed.field));
            if (typed.box != nullptr) {
                typed.box->setFocus();
            }
            return false;
        }
    }
    return true;
}

bool execUntilTextsFit(QDialog& dialog, UserPrompts& prompts, const std::function<std::vector<TypedText>()>& texts) {
    while (dialog.exec() == QDialog::Accepted) {
        if (textsFit(prompts, texts())) {
            return true;
        }
    }
    return false;
}

std::string readTextMode(std::string_view fileBytes) {
    std::string text;
    text.reserve(fileBytes.size());
    for (std::size_t i = 0; i < fileBytes.size(); ++i) {
        if (fileBytes[i] == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n') {
            continue;
        }
        text.push_back(fileBytes[i]);
    }
    return text;
}

std::string writeTextMode(std::string_view text) {
    std::string fileBytes;
    fileBytes.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            fileBytes.push_back('\r');
        }
        fileBytes.push_back(text[i]);
    }
    return fileBytes;
}

} // namespace ui
