// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace ui {

// Runs a desktop helper (a mail composer, a document opener) and waits a while for its exit
// status. Helpers that start a program for the user often stay until the user closes that
// program, so one still running after the wait counts as having taken over.
class PatientProcess {
public:
    enum class Outcome { Exited, StillRunning, NotStarted };

    struct Result {
        Outcome outcome = Outcome::NotStarted;
        int exitCode = -1; // meaningful only when the helper exited normally
        bool succeeded() const {
            return outcome == Outcome::StillRunning || (outcome == Outcome::Exited && exitCode == 0);
        }
    };

    // Windows repaint during the wait, but take no input: the user cannot start another command.
    static Result run(const QString& program, const QStringList& arguments, int patienceMs);

    // `program` as given when it holds a '/', else the first one on PATH; empty when there is none.
    static QString locate(const QString& program);
};

} // namespace ui
