// SPDX-License-Identifier: GPL-3.0-or-later
#include "pavex/options/Cp1252Validator.h"

#include "questionnaire/DialogText.h"

QValidator::State Cp1252Validator::validate(QString& input, int&) const {
    return toDisplay(fromDisplay(input)) == input ? Acceptable : Invalid;
}
