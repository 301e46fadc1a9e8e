// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/report/SummarySections.h"

#include "analysis/PageTexts.h"
#include "analysis/ReportContent.h"
#include "analysis/pages/PagePainting.h"
#include "analysis/pages/SeriesStyle.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace summarysections {

namespace {

using summaryfigures::BehaviourFigures;

const QColor kQuiet(90, 90, 90);
const QColor kRule(170, 170, 170);
const QColor kShade(242, 242, 242);
constexpr double kBodyPoints = 10.0;
constexpr double kSmallPoints = 8.5;

QString text(const std::string& bytes) {
    return pagepaint::textOf(bytes);
}

QString lower(const std::string& term) {
    return text(term).toLower();
}

QString plural(const std::string& term) {
    const QString word = lower(term);
    if (word.endsWith(u'y') && word.size() > 1) {
        return word.left(word.size() - 1) + QStringLiteral("ies");
    }
    return word + QStringLiteral("s");
}

QString groupLabel(const JournalRecord& journal, int group) {
    return text(pagetext::groupLabel(journal, group));
}

QColor groupColour(const JournalRecord& journal, int group) {
    return pagepaint::colourOf(journal.colours.relationships[static_cast<std::size_t>(group)]);
}

QString number(double value) {
    return QString::number(value, 'f', 1);
}

const CBehaviour* behaviourOf(const JournalRecord& journal, std::int32_t behaviour) {
    if (behaviour < 0 || static_cast<std::size_t>(behaviour) >= journal.framework.behaviours.size()) {
        return nullptr;
    }
    return &journal.framework.behaviours[static_cast<std::size_t>(behaviour)];
}

QString statementOf(const JournalRecord& journal, std::int32_t behaviour) {
    const CBehaviour* found = behaviourOf(journal, behaviour);
    return found != nullptr ? text(found->statement) : QString();
}

QString competencyName(const JournalRecord& journal, std::int32_t competency) {
    if (competency < 0 || static_cast<std::size_t>(competency) >= journal.framework.competencies.size()) {
        return {};
    }
    return text(journal.framework.competencies[static_cast<std::size_t>(competency)].name);
}

// The label of the scale option nearest to a score, "≈" in front when the score lies between two.
QString scaleWords(const JournalRecord& journal, std::int32_t behaviour, double value) {
    const CBehaviour* found = behaviourOf(journal, behaviour);
    const CResponseScale* scale = found != nullptr ? journal.framework.scaleOf(*found) : nullptr;
    if (scale == nullptr || value < 0.0) {
        return {};
    }
    const int options = std::clamp(scale->optionCount, 0, kMaxOptions);
    int best = -1;
    for (int option = 0; option < options; ++option) {
        const std::int32_t optionValue = scale->values[static_cast<std::size_t>(option)];
        if (optionValue < 0) {
            continue;
        }
        if (best < 0 ||
            std::abs(optionValue - value) < std::abs(scale->values[static_cast<std::size_t>(best)] - value)) {
            best = option;
        }
    }
    if (best < 0) {
        return {};
    }
    const bool exact = std::abs(scale->values[static_cast<std::size_t>(best)] - value) < 1e-9;
    return (exact ? QString() : QStringLiteral("\u2248 ")) + text(scale->labels[static_cast<std::size_t>(best)]);
}

void bodyText(SheetFlow& flow, const QString& words, double spaceAfterPoints = 6.0) {
    flow.paragraph(words, SheetFlow::font(kBodyPoints), flow.left(), flow.width());
    flow.skip(spaceAfterPoints * flow.point());
}

void subheading(SheetFlow& flow, const QString& title, const QString& note = {}) {
    const QFont font = SheetFlow::font(13, true);
    const double noteHeight = note.isEmpty() ? 0 : flow.textHeight(note, SheetFlow::font(kSmallPoints), flow.width());
    // A subheading never ends a sheet alone: room for it and a few lines below.
    flow.ensureSpace(flow.textHeight(title, font, flow.width()) + noteHeight + 40 * flow.point());
    flow.skip(4 * flow.point());
    flow.paragraph(title, font, flow.left(), flow.width(), QColor(30, 30, 30));
    if (!note.isEmpty()) {
        flow.paragraph(note, SheetFlow::font(kSmallPoints, false, true), flow.left(), flow.width(), kQuiet);
    }
    flow.skip(6 * flow.point());
}

// A group's marker in its colour, the shape its rows carry on the ranking pages.
void swatch(SheetFlow& flow, double x, double y, const JournalRecord& journal, int group) {
    if (!flow.drawing()) {
        return;
    }
    const double size = 8 * flow.point();
    seriesstyle::drawMarker(flow.painter(), QRectF(x, y + 2 * flow.point(), size, size).toRect(),
                            seriesstyle::markerOf(group), groupColour(journal, group),
                            std::max(1, static_cast<int>(0.75 * flow.point())));
}

// A table of behaviours with their figures: the statement and its competency, then value columns.
struct ValueColumn {
    QString header;
    std::function<QString(const BehaviourFigures&)> value;
    std::function<QString(const BehaviourFigures&)> words;
};

// A row of a table never outgrows a sheet: texts beyond these lengths end in an ellipsis here (the
// result pages show them whole).
constexpr qsizetype kLongestStatement = 600;
constexpr qsizetype kLongestName = 200;

QString shortened(const QString& words, qsizetype longest) {
    return words.size() <= longest ? words : words.left(longest - 1) + QChar(0x2026);
}

void behaviourTable(SheetFlow& flow, const SummaryInput& input, const std::vector<BehaviourFigures>& rows,
                    const std::vector<ValueColumn>& columns, const QString& statementHeader) {
    const double gap = 6 * flow.point();
    const double columnWidth = flow.width() * 0.15;
    const double statementWidth = flow.width() - columnWidth * static_cast<double>(columns.size()) - gap;
    const QFont headerFont = SheetFlow::font(kSmallPoints, true);
    const QFont statementFont = SheetFlow::font(kBodyPoints, true);
    const QFont smallFont = SheetFlow::font(kSmallPoints);
    const QFont valueFont = SheetFlow::font(kBodyPoints);
    const double padding = 4 * flow.point();

    const auto header = [&] {
        double height = flow.textHeight(statementHeader, headerFont, statementWidth);
        for (const ValueColumn& column : columns) {
            height = std::max(height, flow.textHeight(column.header, headerFont, columnWidth - gap));
        }
        flow.ensureSpace(height + padding);
        const double top = flow.y();
        flow.textAt(flow.left(), top, statementWidth, statementHeader, headerFont, kQuiet);
        double x = flow.left() + statementWidth + gap;
        for (const ValueColumn& column : columns) {
            flow.textAt(x, top, columnWidth - gap, column.header, headerFont, kQuiet);
            x += columnWidth;
        }
        flow.skip(height + padding / 2);
        flow.lineAcross(flow.y(), kRule, 0.75);
        flow.skip(padding / 2);
    };
    header();
    bool shaded = false;
    for (const BehaviourFigures& row : rows) {
        const QString statement = shortened(statementOf(input.journal, row.behaviour), kLongestStatement);
        const QString competency = shortened(competencyName(input.journal, row.competency), kLongestName);
        const double textWidth = statementWidth - padding;
        const double statementHeight = flow.textHeight(statement, statementFont, textWidth) +
                                       (competency.isEmpty() ? 0 : flow.textHeight(competency, smallFont, textWidth));
        double height = statementHeight;
        for (const ValueColumn& column : columns) {
            const QString words = column.words ? column.words(row) : QString();
            height = std::max(height, flow.textHeight(column.value(row), valueFont, columnWidth - gap) +
                                          (words.isEmpty() ? 0 : flow.textHeight(words, smallFont, columnWidth - gap)));
        }
        const int sheetBefore = flow.sheet();
        flow.ensureSpace(height + 2 * padding);
        if (flow.sheet() != sheetBefore) {
            header();
        }
        const double top = flow.y();
        if (shaded) {
            flow.fillRect(QRectF(flow.left(), top, flow.width(), height + 2 * padding), kShade);
        }
        shaded = !shaded;
        double y = top + padding;
        y += flow.textAt(flow.left() + padding, y, textWidth, statement, statementFont);
        if (!competency.isEmpty()) {
            flow.textAt(flow.left() + padding, y, textWidth, competency, smallFont, kQuiet);
        }
        double x = flow.left() + statementWidth + gap;
        for (const ValueColumn& column : columns) {
            const double valueHeight = flow.textAt(x, top + padding, columnWidth - gap, column.value(row), valueFont);
            if (column.words) {
                flow.textAt(x, top + padding + valueHeight, columnWidth - gap, column.words(row), smallFont, kQuiet);
            }
            x += columnWidth;
        }
        flow.skip(height + 2 * padding);
    }
    flow.skip(8 * flow.point());
}

QString valueOrDash(double value) {
    return value >= 0.0 ? number(value) : QStringLiteral("\u2014");
}

ValueColumn othersColumn(const SummaryInput& input) {
    return {QStringLiteral("Others' average"), [](const BehaviourFigures& row) { return valueOrDash(row.others); },
            [&input](const BehaviourFigures& row) { return scaleWords(input.journal, row.behaviour, row.others); }};
}

ValueColumn selfColumn(const SummaryInput& input) {
    return {groupLabel(input.journal, 0), [](const BehaviourFigures& row) { return valueOrDash(row.self); },
            [&input](const BehaviourFigures& row) { return scaleWords(input.journal, row.behaviour, row.self); }};
}

ValueColumn spreadColumn() {
    return {QStringLiteral("Spread between groups"),
            [](const BehaviourFigures& row) { return valueOrDash(row.spread); },
            [](const BehaviourFigures& row) { return row.spread >= 0.0 ? QStringLiteral("scale points") : QString(); }};
}

ValueColumn gapColumn() {
    return {QStringLiteral("Difference"), [](const BehaviourFigures& row) { return number(std::abs(row.gap())); },
            [](const BehaviourFigures&) { return QStringLiteral("scale points"); }};
}

bool hasQuestionnaires(const SummaryInput& input) {
    return !input.journal.questionnaires.empty();
}

void noResults(SheetFlow& flow) {
    bodyText(flow, text(pagetext::kNoQuestionnaires));
}

} // namespace

void heading(SheetFlow& flow, const QString& title) {
    const QFont font = SheetFlow::font(20, true);
    flow.paragraph(title, font, flow.left(), flow.width());
    flow.skip(4 * flow.point());
    flow.lineAcross(flow.y(), QColor(60, 60, 60), 1.5);
    flow.skip(14 * flow.point());
}

void cover(SheetFlow& flow, const SummaryInput& input) {
    const JournalRecord& journal = input.journal;
    flow.skip(flow.point() * 90);
    flow.paragraph(QString::fromUtf8(kReportTitle), SheetFlow::font(14, false), flow.left(), flow.width(), kQuiet);
    flow.skip(8 * flow.point());
    const QString person = journal.person.empty() ? QStringLiteral("(no name given)") : text(journal.person);
    flow.paragraph(person, SheetFlow::font(28, true), flow.left(), flow.width());
    flow.skip(4 * flow.point());
    if (!journal.roleName.empty()) {
        flow.paragraph(text(journal.roleName), SheetFlow::font(16), flow.left(), flow.width(), QColor(50, 50, 50));
    }
    flow.skip(10 * flow.point());
    flow.lineAcross(flow.y(), QColor(60, 60, 60), 1.5);
    flow.skip(24 * flow.point());

    const reportcontent::CoverFacts facts = reportcontent::coverFacts(journal);
    const QFont body = SheetFlow::font(11);
    if (facts.firstQuestionnaire && facts.lastQuestionnaire) {
        const QString first = QString::fromStdString(input.formatDate(*facts.firstQuestionnaire, DateStyle::Long));
        const QString last = QString::fromStdString(input.formatDate(*facts.lastQuestionnaire, DateStyle::Long));
        const QString when = first == last ? QStringLiteral("Feedback given on %1").arg(first)
                                           : QStringLiteral("Feedback given from %1 to %2").arg(first, last);
        flow.paragraph(when, body, flow.left(), flow.width());
        flow.skip(12 * flow.point());
    }
    int total = 0;
    for (const std::int32_t count : facts.questionnairesPerGroup) {
        total += count;
    }
    flow.paragraph(total == 0 ? QStringLiteral("No questionnaires are included in the results yet.")
                              : QStringLiteral("Questionnaires included in the results:"),
                   SheetFlow::font(11, true), flow.left(), flow.width());
    flow.skip(6 * flow.point());
    const double labelWidth = flow.width() * 0.45;
    for (int group = 0; group < kRelationshipCount && total > 0; ++group) {
        const std::int32_t count = facts.questionnairesPerGroup[static_cast<std::size_t>(group)];
        if (count == 0) {
            continue;
        }
        const double x = flow.left() + 12 * flow.point();
        const double height = flow.textHeight(groupLabel(journal, group), body, labelWidth);
        flow.ensureSpace(height);
        swatch(flow, x, flow.y(), journal, group);
        flow.textAt(x + 14 * flow.point(), flow.y(), labelWidth, groupLabel(journal, group), body);
        flow.textAt(x + 14 * flow.point() + labelWidth, flow.y(), flow.width() * 0.2, QString::number(count), body,
                    Qt::black, Qt::AlignRight);
        flow.skip(height + 3 * flow.point());
    }
    flow.skip(24 * flow.point());
    const QString made = QString::fromStdString(input.formatDate(input.madeOn, DateStyle::Long));
    if (!made.isEmpty()) {
        flow.paragraph(QStringLiteral("Report made on %1").arg(made), body, flow.left(), flow.width(), kQuiet);
    }
    flow.skip(6 * flow.point());
    flow.paragraph(input.withNames
                       ? QStringLiteral("This report includes the names of those who gave feedback.")
                       : QStringLiteral("This report leaves out the names of those who gave feedback, so that it "
                                        "can be shared."),
                   SheetFlow::font(kSmallPoints + 0.5, false, true), flow.left(), flow.width(), kQuiet);
}

void contents(SheetFlow& flow, const std::vector<ContentsLine>& lines) {
    heading(flow, QString::fromUtf8(kContentsTitle));
    const QFont font = SheetFlow::font(kBodyPoints);
    const QFont topFont = SheetFlow::font(kBodyPoints, true);
    const QFontMetricsF metrics(font, flow.painter().device());
    const double numberWidth = metrics.horizontalAdvance(QStringLiteral("0000")) + 4 * flow.point();
    const double lineHeight = metrics.height() * 1.3;
    for (const ContentsLine& line : lines) {
        flow.ensureSpace(lineHeight);
        const double indent = line.depth * 14 * flow.point();
        const QFont& lineFont = line.depth == 0 ? topFont : font;
        const double titleWidth = flow.width() - indent - numberWidth;
        const QString title =
            QFontMetricsF(lineFont, flow.painter().device()).elidedText(line.title, Qt::ElideRight, titleWidth);
        flow.textAt(flow.left() + indent, flow.y(), titleWidth, title, lineFont);
        if (line.page > 0) {
            flow.textAt(flow.right() - numberWidth, flow.y(), numberWidth, QString::number(line.page), lineFont,
                        Qt::black, Qt::AlignRight);
        }
        flow.skip(lineHeight);
    }
}

void howToRead(SheetFlow& flow, const SummaryInput& input) {
    const JournalRecord& journal = input.journal;
    heading(flow, QString::fromUtf8(kHowToReadTitle));
    const QString behaviours = plural(journal.behaviourTerm);
    const QString competencies = plural(journal.competencyTerm);
    const QString self = groupLabel(journal, 0);
    bodyText(flow, QStringLiteral("This report brings together the feedback collected in the journal of %1. Each "
                                  "questionnaire rated %2: things a person does that others can see. The %2 are "
                                  "grouped into %3.")
                       .arg(journal.person.empty() ? QStringLiteral("this person") : text(journal.person), behaviours,
                            competencies));
    if (!journal.framework.scales.empty()) {
        const CResponseScale& scale = journal.framework.scales.front();
        QStringList steps;
        QStringList notCounted;
        for (int option = 0; option < std::clamp(scale.optionCount, 0, kMaxOptions); ++option) {
            const std::int32_t value = scale.values[static_cast<std::size_t>(option)];
            const QString label = text(scale.labels[static_cast<std::size_t>(option)]);
            if (value < 0) {
                notCounted << QStringLiteral("\"%1\"").arg(label);
            } else {
                steps << QStringLiteral("%1 \"%2\"").arg(value).arg(label);
            }
        }
        QString words = QStringLiteral("Every answer is a point on a scale: %1. Averages are given in these points.")
                            .arg(steps.join(QStringLiteral(", ")));
        if (!notCounted.isEmpty()) {
            words += QStringLiteral(" An answer of %1 means the %2 does not apply; it is left out of every average.")
                         .arg(notCounted.join(QStringLiteral(" or ")), lower(journal.behaviourTerm));
        }
        if (journal.framework.scales.size() > 1) {
            words += QStringLiteral(" Some %1 use a scale of their own; their words are shown beside the figures.")
                         .arg(behaviours);
        }
        bodyText(flow, words);
    }
    QStringList others;
    for (int group = 1; group < kRelationshipCount; ++group) {
        others << groupLabel(journal, group);
    }
    bodyText(flow, QStringLiteral("Answers are grouped by the relationship of the person who gave them: %1 (your own "
                                  "view) and %2. Each group has its own average; the ranked pages order %3 and "
                                  "%4 by the mean of the group averages, so every group weighs the same however "
                                  "many people answered in it.")
                       .arg(self, others.join(QStringLiteral(", ")), competencies, behaviours));
    bodyText(flow, QStringLiteral("Strengths and priorities are the five %1 with the highest and the five with the "
                                  "lowest others' average: the mean of every answer from %2, without %3. Beside it "
                                  "stand the %3 answer (a dash when there is none) and the spread: the highest "
                                  "minus the lowest group average, a measure of how far the groups agree.")
                       .arg(behaviours, others.join(QStringLiteral(", ")), self));
    bodyText(flow, QStringLiteral("Where you and others disagree lists blind spots, %1 you rated at least %2 scale "
                                  "point above the others' average, and hidden strengths, rated at least %2 point "
                                  "below it.")
                       .arg(behaviours)
                       .arg(summaryfigures::kDisagreementPoints, 0, 'f', 0));
    bodyText(flow, input.withNames
                       ? QStringLiteral("The comments are grouped by relationship. The list of questionnaires at the "
                                        "end of the report names who gave them.")
                       : QStringLiteral("The comments are grouped by relationship and shown without names: this "
                                        "report is meant to be shared."));
    bodyText(flow, QStringLiteral("The development plan lists the %1 marked for development with their actions. "
                                  "After it come all result pages as the journal shows them; the contents and the "
                                  "bookmarks lead to each.")
                       .arg(behaviours));
    subheading(flow, QStringLiteral("Colours and shapes of the relationship groups"));
    const QFont body = SheetFlow::font(kBodyPoints);
    const double column = flow.width() / 3;
    for (int group = 0; group < kRelationshipCount; group += 3) {
        double height = 0;
        for (int g = group; g < std::min(group + 3, kRelationshipCount); ++g) {
            height = std::max(height, flow.textHeight(groupLabel(journal, g), body, column - 18 * flow.point()));
        }
        flow.ensureSpace(height);
        for (int g = group; g < std::min(group + 3, kRelationshipCount); ++g) {
            const double x = flow.left() + column * (g - group);
            swatch(flow, x, flow.y(), journal, g);
            flow.textAt(x + 14 * flow.point(), flow.y(), column - 18 * flow.point(), groupLabel(journal, g), body);
        }
        flow.skip(height + 4 * flow.point());
    }
}

void strengthsAndPriorities(SheetFlow& flow, const SummaryInput& input) {
    heading(flow, QString::fromUtf8(kStrengthsTitle));
    if (!hasQuestionnaires(input)) {
        noResults(flow);
        return;
    }
    const QString behaviours = plural(input.journal.behaviourTerm);
    const QString header = text(input.journal.behaviourTerm);
    const std::vector<ValueColumn> columns{othersColumn(input), selfColumn(input), spreadColumn()};
    subheading(flow, QStringLiteral("Strengths"),
               QStringLiteral("The %1 with the highest average of the others' answers.").arg(behaviours));
    if (input.summary.strengths.empty()) {
        bodyText(flow,
                 QStringLiteral("No %1 were rated by anyone but %2.").arg(behaviours, groupLabel(input.journal, 0)));
    } else {
        behaviourTable(flow, input, input.summary.strengths, columns, header);
    }
    subheading(flow, QStringLiteral("Priorities"),
               QStringLiteral("The %1 with the lowest average of the others' answers.").arg(behaviours));
    if (input.summary.priorities.empty()) {
        bodyText(
            flow,
            QStringLiteral("Every rated %1 is already among the strengths.").arg(lower(input.journal.behaviourTerm)));
    } else {
        behaviourTable(flow, input, input.summary.priorities, columns, header);
    }
}

void disagreements(SheetFlow& flow, const SummaryInput& input) {
    heading(flow, QString::fromUtf8(kDisagreementTitle));
    if (!hasQuestionnaires(input)) {
        noResults(flow);
        return;
    }
    const QString self = groupLabel(input.journal, 0);
    const QString behaviours = plural(input.journal.behaviourTerm);
    const QString threshold = QString::number(summaryfigures::kDisagreementPoints, 'f', 0);
    const std::vector<ValueColumn> columns{selfColumn(input), othersColumn(input), gapColumn()};
    subheading(flow, QStringLiteral("Blind spots"),
               QStringLiteral("%1 where the %2 answer lies at least %3 scale point above the others' average "
                              "(at most five, the widest first).")
                   .arg(text(input.journal.behaviourTerm) + QStringLiteral("s"), self, threshold));
    if (input.summary.blindSpots.empty()) {
        bodyText(flow, QStringLiteral("None: no %1 answer lies that far above the others.").arg(self));
    } else {
        behaviourTable(flow, input, input.summary.blindSpots, columns, text(input.journal.behaviourTerm));
    }
    subheading(flow, QStringLiteral("Hidden strengths"),
               QStringLiteral("%1 where the %2 answer lies at least %3 scale point below the others' average "
                              "(at most five, the widest first).")
                   .arg(text(input.journal.behaviourTerm) + QStringLiteral("s"), self, threshold));
    if (input.summary.hiddenStrengths.empty()) {
        bodyText(flow, QStringLiteral("None: no %1 answer lies that far below the others.").arg(self));
    } else {
        behaviourTable(flow, input, input.summary.hiddenStrengths, columns, text(input.journal.behaviourTerm));
    }
    if (input.summary.blindSpots.empty() && input.summary.hiddenStrengths.empty()) {
        bodyText(flow, QStringLiteral("Only %1 rated by %2 and by others can be compared.").arg(behaviours, self));
    }
}

void comments(SheetFlow& flow, const SummaryInput& input) {
    heading(flow, QString::fromUtf8(kCommentsTitle));
    bodyText(flow, QStringLiteral("The written comments of the included questionnaires, grouped by relationship. "
                                  "They are shown without the names of those who wrote them: this report is meant "
                                  "to be shared."));
    const std::vector<reportcontent::CommentGroup> groups = reportcontent::commentsByGroup(input.journal);
    if (groups.empty()) {
        bodyText(flow, QStringLiteral("No comments were written."));
        return;
    }
    const QFont body = SheetFlow::font(kBodyPoints);
    const double indent = 14 * flow.point();
    for (const reportcontent::CommentGroup& group : groups) {
        const QString label = groupLabel(input.journal, group.group);
        const QFont font = SheetFlow::font(13, true);
        const double height = flow.textHeight(label, font, flow.width() - indent);
        flow.ensureSpace(height + 40 * flow.point());
        flow.skip(4 * flow.point());
        swatch(flow, flow.left(), flow.y() + 2 * flow.point(), input.journal, group.group);
        flow.textAt(flow.left() + indent, flow.y(), flow.width() - indent, label, font);
        flow.skip(height + 6 * flow.point());
        for (const std::string& comment : group.comments) {
            flow.paragraph(text(comment), body, flow.left() + indent, flow.width() - indent);
            flow.skip(8 * flow.point());
        }
    }
}

void developmentPlan(SheetFlow& flow, const SummaryInput& input) {
    const JournalRecord& journal = input.journal;
    heading(flow, QString::fromUtf8(kPlanTitle));
    const reportcontent::DevelopmentPlan plan = reportcontent::developmentPlan(journal);
    const QString behaviour = lower(journal.behaviourTerm);
    if (plan.areas.empty() && plan.unattached.empty()) {
        bodyText(flow, QStringLiteral("No %1 is marked for development and no action is planned yet.").arg(behaviour));
        return;
    }
    const QFont body = SheetFlow::font(kBodyPoints);
    const QFont bold = SheetFlow::font(kBodyPoints, true);
    const QFont small = SheetFlow::font(kSmallPoints);
    const double indent = 14 * flow.point();
    const auto action = [&](std::size_t position) {
        const CPavexAction& entry = journal.actions[position];
        QStringList facts;
        if (!entry.support.empty()) {
            facts << QStringLiteral("Support: %1").arg(text(entry.support));
        }
        const std::string doBy = input.formatDate(entry.doBy, DateStyle::Long);
        if (!doBy.empty()) {
            facts << QStringLiteral("Do by: %1").arg(QString::fromStdString(doBy));
        }
        facts << (entry.completed != 0 ? QStringLiteral("Completed") : QStringLiteral("Not completed yet"));
        const double height = flow.textHeight(text(entry.action), bold, flow.width() - 2 * indent);
        flow.ensureSpace(height + flow.textHeight(facts.join(u'\n'), small, flow.width() - 2 * indent));
        flow.paragraph(text(entry.action), body, flow.left() + indent, flow.width() - indent);
        flow.paragraph(facts.join(QStringLiteral("   \u00b7   ")), small, flow.left() + indent, flow.width() - indent,
                       kQuiet);
        flow.skip(6 * flow.point());
    };
    for (const reportcontent::PlanArea& area : plan.areas) {
        const CBehaviour& entry = journal.framework.behaviours[static_cast<std::size_t>(area.behaviour)];
        const QString statement = text(entry.statement);
        QString note = competencyName(journal, entry.competency);
        if (entry.marked == 0) {
            note += (note.isEmpty() ? QString() : QStringLiteral(" \u00b7 ")) +
                    QStringLiteral("not marked for development");
        }
        flow.ensureSpace(flow.textHeight(statement, bold, flow.width()) + 40 * flow.point());
        flow.skip(4 * flow.point());
        flow.paragraph(statement, SheetFlow::font(11, true), flow.left(), flow.width());
        if (!note.isEmpty()) {
            flow.paragraph(note, small, flow.left(), flow.width(), kQuiet);
        }
        flow.skip(4 * flow.point());
        if (area.actions.empty()) {
            flow.paragraph(QStringLiteral("No action planned yet."), SheetFlow::font(kBodyPoints, false, true),
                           flow.left() + indent, flow.width() - indent, kQuiet);
            flow.skip(6 * flow.point());
        }
        for (const std::size_t position : area.actions) {
            action(position);
        }
    }
    if (!plan.unattached.empty()) {
        subheading(flow, QStringLiteral("Actions for no particular %1").arg(behaviour));
        for (const std::size_t position : plan.unattached) {
            action(position);
        }
    }
}

} // namespace summarysections
