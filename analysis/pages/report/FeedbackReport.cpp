// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/report/FeedbackReport.h"

#include "analysis/ContentTree.h"
#include "analysis/GraphContent.h"
#include "analysis/PageTexts.h"
#include "analysis/SummaryFigures.h"
#include "analysis/pages/PageFactory.h"
#include "analysis/pages/PageOutput.h"
#include "analysis/pages/PagePainting.h"
#include "analysis/pages/report/PdfOutline.h"
#include "analysis/pages/report/SheetFlow.h"
#include "analysis/pages/report/SummarySections.h"
#include "model/AtomicFile.h"
#include "model/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

namespace {

const char* const kProgramName = "Reflectory 360";

// A page of the contents tree printed in the detail part.
struct DetailSheet {
    ContentNode* node = nullptr;
    int depth = 0;
    std::unique_ptr<CResultPage> page;
    int sheet = 0; // the first of its sheets
    // A branch without scores: no sheet of its own, but a bookmark that holds the pages below it.
    bool sheetless = false;
};

// The report is laid out twice over the same painter: once to learn on which sheet every part
// begins (for the contents and the page numbers), once to draw.
class ReportWriter {
public:
    ReportWriter(const JournalRecord& journal, const ReportOptions& options, ReportRun* run)
        : m_journal(journal), m_options(options), m_run(run), m_tree(journal, options.formatDate) {
        m_tree.setEarlierJournal(options.earlier);
        m_tree.build();
        std::vector<std::pair<ContentNode*, int>> nodes;
        m_tree.forEachNode([&](ContentNode& node, int depth) {
            if (options.withNames || options.pagesOnly || !inFeedbackBranch(node)) {
                nodes.emplace_back(&node, depth);
            }
        });
        // Working out every page of a large journal takes a while of its own: it counts as progress.
        m_pageCount = static_cast<int>(nodes.size());
        for (const auto& [node, depth] : nodes) {
            std::unique_ptr<CResultPage> page = makeResultPage(node->page());
            page->refresh();
            // A sheet that only says there is nothing to show pads the report; the contents count them.
            // A branch keeps its bookmark, to hold the pages below it.
            const bool empty = !options.pagesOnly && page->showsNoScores();
            if (empty) {
                ++m_leftOut;
            }
            if (!empty || node->childCount() > 0) {
                m_details.push_back({node, depth, std::move(page), 0, empty});
            }
            if (!advance()) {
                return;
            }
        }
        m_pagesReady = true;
        if (ContentNode* behaviours = m_tree.landmarks().behaviours) {
            m_summary =
                summaryfigures::summarise(static_cast<RankingContent&>(behaviours->page()).list(), journal.framework);
        }
        if (ContentNode* competencies = m_tree.landmarks().competencies) {
            m_competencyRanking = makeResultPage(competencies->page());
            m_competencyRanking->refresh();
        }
    }

    bool print(QPrinter& printer) {
        if (m_cancelled) {
            return false;
        }
        QPainter painter;
        if (!painter.begin(&printer)) {
            return false;
        }
        m_printer = &printer;
        m_painter = &painter;
        if (m_options.pagesOnly) {
            m_drawing = true;
            for (std::size_t i = 0; i < m_details.size(); ++i) {
                if ((i > 0 && !printer.newPage()) || !pageoutput::printPage(*m_details[i].page, painter) ||
                    !advance()) {
                    return false;
                }
            }
            m_sheetCount = countPrintedSheets();
            return painter.end();
        }
        layOut(false);
        if (!m_failed) {
            layOut(true);
        }
        return !m_failed && painter.end();
    }

    bool cancelled() const { return m_cancelled; }
    int sheetCount() const { return m_sheetCount; }
    // Steps of the progress: each page worked out, then measured and drawn, then the bookmarks and
    // the file.
    int totalSteps() const {
        const int printed = m_pagesReady ? static_cast<int>(m_details.size()) : m_pageCount;
        return m_pageCount + printed * (m_options.pagesOnly ? 1 : 2) + 2;
    }
    bool advance() {
        ++m_stepsDone;
        if (m_run != nullptr && m_run->progress && !m_run->progress(m_stepsDone, totalSteps())) {
            m_cancelled = true;
            m_failed = true;
        }
        return !m_cancelled;
    }

    std::vector<OutlineEntry> outline() const {
        std::vector<OutlineEntry> entries;
        for (const Part& part : m_parts) {
            entries.push_back({part.title.toStdString(), part.sheet - 1, {}});
        }
        // The detail sheets mirror the tree: each entry goes below the last entry of smaller depth.
        std::vector<std::vector<OutlineEntry>*> levels{&entries};
        for (std::size_t i = 0; i < m_details.size(); ++i) {
            const int depth = std::min<int>(m_details[i].depth, static_cast<int>(levels.size()) - 1);
            levels.resize(static_cast<std::size_t>(depth) + 1);
            std::vector<OutlineEntry>& siblings = *levels.back();
            // A sheetless branch opens the sheet that follows it (the last one when nothing does).
            const int sheet = std::min(m_details[i].sheet, m_sheetCount);
            siblings.push_back({cp1252::toUtf8(m_details[i].node->label()), sheet - 1, {}});
            levels.push_back(&siblings.back().children);
        }
        return entries;
    }

private:
    struct Part {
        QString title;
        int sheet = 0;
    };

    static bool inFeedbackBranch(const ContentNode& node) {
        const ContentNode* root = &node;
        while (root->parent() != nullptr) {
            root = root->parent();
        }
        return root->icon() == IconKind::Feedback;
    }

    SummaryInput input() const {
        return SummaryInput{m_journal, m_summary, m_options.formatDate, m_options.madeOn, m_options.withNames};
    }

    // Starts sheet `number` (from 1) while drawing: a new page after the first, and its footer.
    void beginSheet(int number, bool fullFooter) {
        if (!m_drawing) {
            return;
        }
        if (number > 1 && !m_printer->newPage()) {
            m_failed = true;
        }
        QPainter& p = *m_painter;
        const int width = p.device()->width();
        const int height = p.device()->height();
        p.save();
        p.setFont(SheetFlow::font(9));
        p.setPen(QColor(90, 90, 90));
        const QString pageNumber = QStringLiteral("Page %1 of %2").arg(number).arg(m_sheetCount);
        pagepaint::drawBottomCentre(p, width / 2, height * 29 / 30, pageNumber);
        if (fullFooter) {
            const QFontMetricsF metrics(p.font(), p.device());
            const double room = width * 0.35;
            pagepaint::drawBottomLeft(p, width / 20, height * 29 / 30,
                                      metrics.elidedText(pagepaint::textOf(m_journal.person), Qt::ElideRight, room));
            pagepaint::drawBottomRight(p, width * 19 / 20, height * 29 / 30, QString::fromLatin1(kProgramName));
        }
        p.restore();
    }

    // A part of the summary drawn through a flow, starting on a sheet of its own.
    template <typename Draw> void flowPart(const QString& title, Draw draw) {
        const int first = m_nextSheet;
        if (!title.isEmpty()) {
            m_parts.push_back({title, first});
        }
        beginSheet(first, true);
        SheetFlow* current = nullptr;
        SheetFlow flow(*m_painter, m_drawing, first, [this, &current] { beginSheet(current->sheet(), true); });
        current = &flow;
        draw(flow);
        m_nextSheet = flow.sheet() + 1;
    }

    // A page from a sheet of its own, on as many sheets as it needs; returns its first sheet.
    int pageSheet(CResultPage& page) {
        const int first = m_nextSheet;
        if (!m_drawing) {
            m_nextSheet += page.measureSheets(*m_painter);
            return first;
        }
        int sheet = first;
        beginSheet(sheet, false);
        if (!pageoutput::printPage(page, *m_painter, [this, &sheet] {
                beginSheet(++sheet, false);
                return !m_failed;
            })) {
            m_failed = true;
        }
        m_nextSheet = sheet + 1;
        return first;
    }

    int countPrintedSheets() const {
        int sheets = 0;
        for (const DetailSheet& detail : m_details) {
            sheets += detail.sheetless ? 0 : detail.page->printedSheets();
        }
        return sheets;
    }

    std::vector<summarysections::ContentsLine> contentsLines() const {
        std::vector<summarysections::ContentsLine> lines;
        for (const Part& part : m_parts) {
            lines.push_back({part.title, 0, part.sheet});
        }
        lines.push_back({QString::fromUtf8(summarysections::kDetailTitle), 0, m_detailStart});
        // The branches and the lists right below them; the pages further down (each competency,
        // behaviour, questionnaire and action) are grouped under these and reached through the
        // bookmarks, so the contents stay short however large the journal.
        for (const DetailSheet& detail : m_details) {
            if (detail.node->kind() == NodeKind::Other && detail.depth <= 1) {
                lines.push_back({pagepaint::textOf(detail.node->label()), detail.depth + 1, detail.sheet});
            }
        }
        if (m_leftOut > 0) {
            lines.push_back({m_leftOut == 1 ? QStringLiteral("1 page without scores is left out")
                                            : QStringLiteral("%1 pages without scores are left out").arg(m_leftOut),
                             1, 0});
        }
        return lines;
    }

    void layOut(bool drawing) {
        m_drawing = drawing;
        const std::vector<Part> knownParts = m_parts;
        const int knownDetailStart = m_detailStart;
        m_parts.clear();
        m_nextSheet = 1;
        flowPart({}, [&](SheetFlow& flow) { summarysections::cover(flow, input()); });
        // While measuring, the contents already has its final number of lines: the parts are known
        // by name before their sheets are.
        std::vector<summarysections::ContentsLine> lines;
        if (drawing) {
            m_parts = knownParts;
            m_detailStart = knownDetailStart;
            lines = contentsLines();
            m_parts.clear();
        } else {
            for (const char* title :
                 {summarysections::kHowToReadTitle, summarysections::kStrengthsTitle,
                  summarysections::kDisagreementTitle, summarysections::kCommentsTitle, summarysections::kPlanTitle}) {
                m_parts.push_back({QString::fromUtf8(title), 0});
            }
            if (m_competencyRanking) {
                m_parts.push_back({});
            }
            lines = contentsLines();
            m_parts.clear();
        }
        flowPart({}, [&](SheetFlow& flow) { summarysections::contents(flow, lines); });
        flowPart(QString::fromUtf8(summarysections::kHowToReadTitle),
                 [&](SheetFlow& flow) { summarysections::howToRead(flow, input()); });
        if (m_competencyRanking) {
            m_parts.push_back({pagepaint::textOf(pagetext::competencyRankingTitle()), m_nextSheet});
            pageSheet(*m_competencyRanking);
        }
        flowPart(QString::fromUtf8(summarysections::kStrengthsTitle),
                 [&](SheetFlow& flow) { summarysections::strengthsAndPriorities(flow, input()); });
        flowPart(QString::fromUtf8(summarysections::kDisagreementTitle),
                 [&](SheetFlow& flow) { summarysections::disagreements(flow, input()); });
        flowPart(QString::fromUtf8(summarysections::kCommentsTitle),
                 [&](SheetFlow& flow) { summarysections::comments(flow, input()); });
        flowPart(QString::fromUtf8(summarysections::kPlanTitle),
                 [&](SheetFlow& flow) { summarysections::developmentPlan(flow, input()); });
        m_detailStart = m_nextSheet;
        for (DetailSheet& detail : m_details) {
            detail.sheet = detail.sheetless ? m_nextSheet : pageSheet(*detail.page);
            if (m_failed || !advance()) {
                return;
            }
        }
        m_sheetCount = m_nextSheet - 1;
    }

    const JournalRecord& m_journal;
    const ReportOptions& m_options;
    ReportRun* m_run;
    ContentTree m_tree;
    std::vector<DetailSheet> m_details;
    summaryfigures::Summary m_summary;
    std::unique_ptr<CResultPage> m_competencyRanking;

    QPrinter* m_printer = nullptr;
    QPainter* m_painter = nullptr;
    bool m_drawing = false;
    bool m_failed = false;
    int m_nextSheet = 1;
    int m_sheetCount = 0;
    int m_detailStart = 0;
    std::vector<Part> m_parts;
    int m_leftOut = 0;
    int m_pageCount = 0;
    bool m_pagesReady = false;
    int m_stepsDone = 0;
    bool m_cancelled = false;
};

void fail(QString* failure, const QString& reason) {
    if (failure != nullptr) {
        *failure = reason;
    }
}

} // namespace

std::optional<QPageSize> paperNamed(const QString& name) {
    const QString lowered = name.toLower();
    if (lowered == QStringLiteral("a4")) {
        return QPageSize(QPageSize::A4);
    }
    if (lowered == QStringLiteral("letter")) {
        return QPageSize(QPageSize::Letter);
    }
    return std::nullopt;
}

bool writeFeedbackReport(const JournalRecord& journal, const ReportOptions& options, const QString& path,
                         QString* failure, ReportRun* run) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        fail(failure, QStringLiteral("cannot create a temporary folder"));
        return false;
    }
    const QString printed = scratch.filePath(QStringLiteral("printed.pdf"));
    const QString finished = scratch.filePath(QStringLiteral("report.pdf"));
    ReportWriter writer(journal, options, run);
    const auto cancelled = [&] {
        fail(failure, QStringLiteral("cancelled"));
        if (run != nullptr) {
            run->cancelled = true;
        }
        return false;
    };
    if (writer.cancelled()) {
        return cancelled();
    }
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPageSize(options.pageSize);
        printer.setCreator(QString::fromLatin1(kProgramName));
        printer.setDocName(pagepaint::textOf(journal.person));
        if (!writer.print(printer)) {
            if (writer.cancelled()) {
                return cancelled();
            }
            fail(failure, QStringLiteral("cannot print the report"));
            return false;
        }
    }
    QString result = printed;
    if (!options.pagesOnly) {
        std::string reason;
        if (!writeWithOutline(printed, finished, writer.outline(), reason)) {
            fail(failure, QStringLiteral("cannot add the bookmarks: %1").arg(QString::fromStdString(reason)));
            return false;
        }
        result = finished;
    }
    if (!writer.advance()) {
        return cancelled();
    }
    // The finished file replaces the target in one step, as every save of the suite does.
    QFile finishedFile(result);
    if (!finishedFile.open(QIODevice::ReadOnly) ||
        !AtomicFile::write(QFile::encodeName(path).toStdString(), finishedFile.readAll().toStdString())) {
        fail(failure, QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    if (run != nullptr) {
        run->sheets = writer.sheetCount();
    }
    writer.advance();
    return true;
}
