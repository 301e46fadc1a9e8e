// SPDX-License-Identifier: GPL-3.0-or-later
#include "Samples.h"

namespace samples {

CRole role() {
    CRole role = CRole::makeDefault();
    role.name = "Team Leader";
    role.description = "Leads a small team.";
    role.framework.description = "Framework notes";
    role.framework.competencies = {{"Communication", "Speaks and listens"}, {"Planning", "Looks ahead"}};
    CResponseScale yesNo;
    yesNo.optionCount = 2;
    yesNo.labels[0] = "No";
    yesNo.labels[1] = "Yes";
    yesNo.values[0] = 0;
    yesNo.values[1] = 1;
    yesNo.maximum = 1;
    role.framework.scales.push_back(yesNo);
    role.framework.behaviours = {
        {"Listens to others", 0, 0, "", 0, "Lets people finish"},
        {"Explains decisions", 0, 1, "kept", 0, ""},
        {"Sets clear goals \xe9t\xe9", 1, 0, "", 0, "Goals with dates"},
    };
    return role;
}

CPavexDoc journal(const std::string& password) {
    CPavexDoc doc;
    doc.newJournal();
    doc.chooseRole(role());
    doc.password = password;
    doc.person = "Alex Example";
    doc.framework.behaviours[1].marked = 1;
    doc.colours.relationships = {1, 2, 3, 4, 5, 6};
    doc.colours.average = 7;
    doc.colours.background = 8;
    doc.colours.lines = 9;
    doc.colours.heading = 10;
    doc.reserved = "r";
    doc.autopilotPage = 3;
    doc.autopilotWindow = {10, 20, 300, 400};
    doc.autopilotShown = 0;

    CPavexFeedback self;
    self.assessor = "Self";
    self.relationship = 0;
    self.details = "I try hard.";
    self.date = {OleDate::Valid, 46000.5};
    self.responses = {{0, 3}, {1, 1}, {2, 2}};
    doc.questionnaires.push_back(self);

    CPavexFeedback peer = self;
    peer.assessor = "Pat";
    peer.relationship = 3;
    peer.details = "";
    peer.useInResults = 0;
    peer.responses = {{0, 0}, {1, 0}, {2, 1}};
    doc.questionnaires.push_back(peer);

    CPavexAction action;
    action.behaviour = 2;
    action.action = "Write goals down";
    action.support = "Manager";
    action.doBy = {OleDate::Valid, 46090.0};
    action.situation = "Weekly meeting";
    action.measure = "Team knows the goals";
    doc.actions.push_back(action);
    CPavexAction loose;
    loose.action = "Read a book";
    loose.doBy = {OleDate::Null, 0.0};
    loose.completed = 1;
    doc.actions.push_back(loose);
    return doc;
}

CWebReply webReply(const std::string& password) {
    CWebReply reply;
    reply.password = password;
    reply.assessor = "Sam Respondent";
    reply.roleName = "Team Leader";
    reply.responses = "301";
    reply.relationship = "2";
    reply.date = {OleDate::Valid, 46001.25};
    reply.details = "Good work \xa3";
    return reply;
}

} // namespace samples
