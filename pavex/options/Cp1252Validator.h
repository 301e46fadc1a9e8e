// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

// Refuses characters the journal's 8-bit code page cannot hold, so that a typed name or password
// is stored exactly as the user sees it instead of with '?' in their place.
class Cp1252Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
