// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplyProgram.h"

#include "model/JournalFile.h"
#include "model/Requests.h"
#include "model/UserPrompts.h"
#include "model/Windows1252.h"
#include "questionnaire/PreliminariesDialog.h"
#include "questionnaire/QuestionnaireDialog.h"

#include <QFileInfo>

ReplyProgram::ReplyProgram(UserPrompts& prompts, DialogDecoration decoration)
    : m_prompts(prompts), m_decoration(std::move(decoration)) {}

bool ReplyProgram::chooseRequest(const QStringList& arguments, std::string* path) {
    if (!arguments.isEmpty()) {
        *path = arguments.first().toStdString();
        return true;
    }
    FileChoice choice;
    choice.title = replytext::kOpenTitle;
    choice.filters = {{"Reflectory Requests (*.KVQ)", {"*.KVQ", "*.kvq"}}};
    choice.mustExist = true;
    const std::optional<std::string> chosen = m_prompts.chooseOpenFile(choice);
    if (!chosen) {
        return false;
    }
    *path = *chosen;
    return true;
}

ReplyProgram::Outcome ReplyProgram::run(const QStringList& arguments) {
    std::string path;
    if (!chooseRequest(arguments, &path)) {
        return Outcome::Cancelled;
    }
    CPavexDoc request;
    if (!requests::openRequestToAnswer(path, request, m_prompts)) {
        return Outcome::Refused;
    }
    if (const std::string refusal = requests::questionnaireRefusal(request.framework); !refusal.empty()) {
        m_prompts.message(refusal);
        return Outcome::Refused;
    }

    const std::string personLine = request.person.empty() ? std::string() : "Person being assessed: " + request.person;
    PreliminariesDialog preliminaries(DialogFlavour::Reply, personLine, m_decoration, m_prompts);
    if (preliminaries.exec() != QDialog::Accepted) {
        return Outcome::Cancelled;
    }

    CPavexFeedback answers = requests::startAnswer(preliminaries.assessorName(), preliminaries.relationship());
    QuestionnaireDialog questionnaire(DialogFlavour::Reply, request.framework, answers, m_prompts, m_decoration);
    if (questionnaire.exec() != QDialog::Accepted) {
        return Outcome::Cancelled;
    }
    CPavexDoc completed = requests::withAnswers(request, answers);
    return save(completed);
}

// A request saved from a mail attachment often sits in a folder that cannot be written: the
// answers must not be lost because of that.
ReplyProgram::Outcome ReplyProgram::save(CPavexDoc& completed) {
    if (JournalFile::save(completed.path, completed, m_prompts)) {
        m_prompts.message(replytext::answersSaved(completed.path, completed.person));
        return Outcome::Saved;
    }
    const std::string fileName = QFileInfo(QString::fromStdString(completed.path)).fileName().toStdString();
    while (m_prompts.question(replytext::kSaveElsewhere)) {
        FileChoice choice;
        choice.title = replytext::kSaveElsewhereTitle;
        choice.filters = {{"Reflectory Requests (*.KVQ)", {"*.KVQ", "*.kvq"}}};
        choice.proposedName = fileName;
        choice.defaultExtension = "kvq";
        choice.confirmOverwrite = true;
        const std::optional<std::string> chosen = m_prompts.chooseSaveFile(choice);
        if (chosen && JournalFile::save(*chosen, completed, m_prompts)) {
            m_prompts.message(replytext::answersSaved(*chosen, completed.person));
            return Outcome::SavedElsewhere;
        }
    }
    m_prompts.message(replytext::kAnswersDiscarded);
    return Outcome::Cancelled;
}

namespace replytext {

std::string answersSaved(const std::string& path, const std::string& requester) {
    const std::string whom = requester.empty() ? std::string("the person who asked for them") : requester;
    return "Your answers are saved in " + cp1252::fromUtf8(path) + ". Send this file back to " + whom +
           ", who adds them to their reflectory.";
}

} // namespace replytext
