// Every page of any journal drawn as the view draws it (into an image) and as the printer does
// (onto PDF sheets), through the same output routines as the programs. A loop that a stored number
// makes unbounded shows up here as a run past the per-input time limit (-timeout), a huge
// allocation as a run past the memory limit.
//
// Bytes that read as a journal file are used as such; other bytes are shaped into a journal.
#include "analysis/ContentTree.h"
#include "analysis/pages/PageFactory.h"
#include "analysis/pages/PageOutput.h"
#include "model/JournalFile.h"
#include "tests/fuzz/analysis/ShapedJournal.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kViewWidth = 640;

// Smaller than the statistics' fuzz target shapes: each page here costs a drawing and a sheet.
constexpr fuzzshape::Shape kShape{4, 3, 12, 12, 24, 6};

QString& pdfPath() {
    static QString path;
    return path;
}

void drawEveryPage(const JournalRecord& journal) {
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    std::vector<std::unique_ptr<CResultPage>> pages;
    tree.forEachNode([&](ContentNode& node, int) {
        pages.push_back(makeResultPage(node.page()));
        pages.back()->refresh();
    });
    std::vector<CResultPage*> sheets;
    const QFont screenFont = QGuiApplication::font();
    for (const auto& page : pages) {
        pageoutput::renderImage(*page, kViewWidth, screenFont);
        sheets.push_back(page.get());
    }
    if (!pageoutput::printToPdf(sheets, pdfPath(), QStringLiteral("fuzz"))) {
        std::abort();
    }
}

} // namespace

// Qt keeps the font fallbacks fontconfig matches for new characters for the life of the process:
// caches, not leaks of the pages.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    pdfPath() = QDir::temp().filePath(QStringLiteral("fuzz_pages-%1.pdf").arg(QCoreApplication::applicationPid()));
    // Fonts and the printing engine load their caches once; doing it here keeps them out of the
    // per-input leak check.
    drawEveryPage(JournalRecord{});
    fuzzshape::ByteSource none(nullptr, 0);
    drawEveryPage(fuzzshape::shapedJournal(none, kShape));
    std::atexit([] { QFile::remove(pdfPath()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    JournalRecord journal;
    const auto letThrough = [](const JournalFile::PasswordCheck&) { return JournalFile::PasswordVerdict::Continue; };
    if (JournalFile::decode(bytes, journal, letThrough).ok()) {
        drawEveryPage(journal);
        return 0;
    }
    fuzzshape::ByteSource source(data, size);
    drawEveryPage(fuzzshape::shapedJournal(source, kShape));
    return 0;
}
