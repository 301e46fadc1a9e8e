// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/RenderCommands.h"

#include "tools/JournalAccess.h"
#include "tools/PageCommandDefinitions.h"
#include "tools/ToolFiles.h"

#include "analysis/ContentTree.h"
#include "analysis/DateFormat.h"
#include "analysis/pages/PageFactory.h"
#include "analysis/pages/PageOutput.h"
#include "analysis/pages/report/FeedbackReport.h"
#include "model/OleDate.h"
#include "model/Windows1252.h"
#include "tools/CompareCommand.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iostream>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kDefaultWidth = 1280;
constexpr int kMaxWidth = 16384;

// Drawing needs a GUI application, which these commands create on first use; without a display it
// draws offscreen. The other commands never start one.
void ensureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "kvtool";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

std::optional<std::size_t> childNumber(std::string_view segment) {
    if (segment.size() < 2 || segment.front() != '#') {
        return std::nullopt;
    }
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(segment.data() + 1, segment.data() + segment.size(), number);
    if (error != std::errc() || end != segment.data() + segment.size()) {
        return std::nullopt;
    }
    return number;
}

// Labels may contain "/", so every label that the rest of the path starts with is tried.
ContentNode* findAmong(const std::vector<ContentNode*>& nodes, std::string_view rest) {
    const std::string_view segment = rest.substr(0, rest.find('/'));
    const auto descend = [&](ContentNode& node, std::size_t consumed) -> ContentNode* {
        if (consumed == rest.size()) {
            return &node;
        }
        if (rest[consumed] != '/') {
            return nullptr;
        }
        std::vector<ContentNode*> children;
        for (std::size_t i = 0; i < node.childCount(); ++i) {
            children.push_back(&node.child(i));
        }
        return findAmong(children, rest.substr(consumed + 1));
    };
    if (const auto number = childNumber(segment); number && *number < nodes.size()) {
        if (ContentNode* found = descend(*nodes[*number], segment.size())) {
            return found;
        }
    }
    for (ContentNode* node : nodes) {
        const std::string& label = node->label();
        if (rest.substr(0, label.size()) == label) {
            if (ContentNode* found = descend(*node, label.size())) {
                return found;
            }
        }
    }
    return nullptr;
}

std::string lowerExtension(const std::string& path) {
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) {
        return {};
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

int widthOption(const ParsedArguments& arguments) {
    const std::string* given = arguments.option("--width");
    if (given == nullptr) {
        return kDefaultWidth;
    }
    int width = 0;
    const auto [end, error] = std::from_chars(given->data(), given->data() + given->size(), width);
    if (error != std::errc() || end != given->data() + given->size() || width < 1 || width > kMaxWidth) {
        throw UsageError("--width must be a whole number of pixels from 1 to " + std::to_string(kMaxWidth));
    }
    return width;
}

QString documentNameOf(const JournalRecord& journal) {
    return QString::fromStdString(cp1252::toUtf8(journal.person));
}

// The PDF goes to a scratch file first and then replaces the output in one step, as every other
// output of the tool does.
void writePdf(const std::vector<CResultPage*>& pages, const JournalRecord& journal, const std::string& outPath) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        throw CommandFailure("cannot create a temporary folder for " + outPath);
    }
    const QString scratchPath = scratch.filePath(QStringLiteral("report.pdf"));
    if (!pageoutput::printToPdf(pages, scratchPath, documentNameOf(journal))) {
        throw CommandFailure("cannot print to " + outPath);
    }
    QFile file(scratchPath);
    if (!file.open(QIODevice::ReadOnly)) {
        throw CommandFailure("cannot print to " + outPath);
    }
    const QByteArray bytes = file.readAll();
    writeOutputFile(outPath, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void writePng(CResultPage& page, int width, const std::string& outPath) {
    const QImage image = pageoutput::renderImage(page, width, QGuiApplication::font());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        throw CommandFailure("cannot encode the image for " + outPath);
    }
    writeOutputFile(outPath, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void runRender(const ParsedArguments& arguments, std::ostream&) {
    const std::string& path = arguments.positionals.at(0);
    const std::string& pagePath = *arguments.option("--page");
    const std::string& outPath = *arguments.option("-o");
    const std::string extension = lowerExtension(outPath);
    if (extension != "png" && extension != "pdf") {
        throw UsageError("-o must name a .png or a .pdf file");
    }
    const int width = widthOption(arguments);
    const JournalRecord journal = readJournalForCommand(path, passwordOption(arguments));
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    ContentNode* node = findNodeByPath(tree, pagePath);
    if (node == nullptr) {
        throw CommandFailure("no page \"" + pagePath + "\" in " + path + " (kvtool results lists the paths)");
    }
    ensureGuiApplication();
    const std::unique_ptr<CResultPage> page = makeResultPage(node->page());
    page->refresh();
    if (extension == "png") {
        writePng(*page, width, outPath);
    } else {
        writePdf({page.get()}, journal, outPath);
    }
}

QPageSize paperOption(const ParsedArguments& arguments) {
    const std::string* given = arguments.option("--paper");
    if (given == nullptr) {
        return QPageSize(QPageSize::A4);
    }
    const std::optional<QPageSize> paper = paperNamed(QString::fromStdString(*given));
    if (!paper) {
        throw UsageError("--paper must be a4 or letter");
    }
    return *paper;
}

void runReport(const ParsedArguments& arguments, std::ostream&) {
    const std::string& path = arguments.positionals.at(0);
    const std::string& outPath = *arguments.option("-o");
    if (lowerExtension(outPath) != "pdf") {
        throw UsageError("-o must name a .pdf file");
    }
    ReportOptions options;
    options.pageSize = paperOption(arguments);
    options.withNames = arguments.option("--with-names") != nullptr;
    options.pagesOnly = arguments.option("--pages-only") != nullptr;
    options.formatDate = formatDateInCLocale;
    options.madeOn = oledate::todayPlusDays(0);
    std::optional<ComparedJournals> compared;
    JournalRecord journal;
    if (const std::string* earlierPath = arguments.option("--compare")) {
        compared = readComparedJournals(*earlierPath, passwordOption(arguments, "--password-earlier"), path,
                                        passwordOption(arguments));
        options.earlier = &compared->earlier;
        journal = compared->later;
    } else {
        journal = readJournalForCommand(path, passwordOption(arguments));
    }
    ensureGuiApplication();
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        throw CommandFailure("cannot create a temporary folder for " + outPath);
    }
    const QString scratchPath = scratch.filePath(QStringLiteral("report.pdf"));
    QString failure;
    ReportRun run;
    // Someone watching at a terminal sees how far a large report has come; a script's error output
    // stays clean.
    const bool watched = isatty(STDERR_FILENO) == 1;
    int shownPercent = -1;
    if (watched) {
        run.progress = [&shownPercent](int done, int total) {
            const int percent = total > 0 ? static_cast<int>(100LL * done / total) : 100;
            if (percent != shownPercent) {
                shownPercent = percent;
                std::cerr << "\rWriting the report: " << percent << "%" << std::flush;
            }
            return true;
        };
    }
    const bool written = writeFeedbackReport(journal, options, scratchPath, &failure, &run);
    if (watched) {
        std::cerr << "\r\033[K" << std::flush;
    }
    if (!written) {
        throw CommandFailure("cannot print to " + outPath + ": " + failure.toStdString());
    }
    QFile file(scratchPath);
    if (!file.open(QIODevice::ReadOnly)) {
        throw CommandFailure("cannot print to " + outPath);
    }
    const QByteArray bytes = file.readAll();
    writeOutputFile(outPath, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace

ContentNode* findNodeByPath(const ContentTree& tree, const std::string& path) {
    std::vector<ContentNode*> roots;
    for (std::size_t i = 0; i < tree.rootCount(); ++i) {
        roots.push_back(&tree.root(i));
    }
    return path.empty() ? nullptr : findAmong(roots, cp1252::fromUtf8(path));
}

Command renderCommand() {
    return renderCommandDefinition(&runRender);
}

Command reportCommand() {
    return reportCommandDefinition(&runReport);
}
