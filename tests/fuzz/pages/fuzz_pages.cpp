// SPDX-License-Identifier: GPL-3.0-or-later
// Every page of any journal drawn as the view draws it, once, into a small image: the whole page is
// laid out and painted, and the painter clips what falls outside, so a loop that a stored number
// makes unbounded still shows up as a run past the per-input time limit (-timeout), a huge
// allocation as a run past the memory limit. One input in kPdfSample also prints a few of its
// pages (kPdfSheets, from a place its bytes choose) onto PDF sheets through the programs' own
// print routine: the printer's layout is checked too, without every input paying for a PDF, whose
// every sheet costs the PDF engine several large buffers.
//
// Bytes that read as a journal file are used as such; other bytes are shaped into a journal.
#include "analysis/ContentTree.h"
#include "analysis/pages/PageCanvas.h"
#include "analysis/pages/PageFactory.h"
#include "analysis/pages/PageOutput.h"
#include "model/JournalFile.h"
#include "tests/fuzz/analysis/ShapedJournal.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

namespace {

constexpr int kViewWidth = 640;
// The image the view's drawing lands on: big enough to hold the top of a page, small enough that
// filling it costs nothing next to the page's layout.
constexpr int kImageSide = 96;
constexpr std::uint32_t kPdfSample = 256;
constexpr std::size_t kPdfSheets = 2;

// Smaller than the statistics' fuzz target shapes: each page here costs a drawing and a sheet.
constexpr fuzzshape::Shape kShape{4, 3, 12, 12, 24, 6};

QString& pdfPath() {
    static QString path;
    return path;
}

// The same inputs print the same pages on every run, so that a finding can be replayed.
std::uint32_t hashOf(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

struct Printing {
    bool wanted = false;
    std::size_t firstSheet = 0;
};

Printing printingOf(std::string_view bytes) {
    const std::uint32_t hash = hashOf(bytes);
    return {hash % kPdfSample == 0, hash / kPdfSample};
}

void drawEveryPage(const JournalRecord& journal, Printing print) {
    ContentTree tree(journal, formatDateInCLocale);
    tree.build();
    std::vector<std::unique_ptr<CResultPage>> pages;
    tree.forEachNode([&](ContentNode& node, int) {
        pages.push_back(makeResultPage(node.page()));
        pages.back()->refresh();
    });
    static QImage image(kImageSide, kImageSide, QImage::Format_RGB32);
    for (const auto& page : pages) {
        QPainter painter(&image);
        PageCanvas canvas;
        canvas.painter = &painter;
        canvas.clientWidth = kViewWidth;
        canvas.visibleBottom = kImageSide;
        canvas.screenFont = QGuiApplication::font();
        page->paint(canvas);
    }
    if (!print.wanted || pages.empty()) {
        return;
    }
    std::vector<CResultPage*> sheets;
    for (std::size_t k = 0; k < std::min(kPdfSheets, pages.size()); ++k) {
        sheets.push_back(pages[(print.firstSheet + k) % pages.size()].get());
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

// Nearly every allocation here is Qt's text shaping, which is not instrumented: a smaller
// quarantine and shorter allocation stacks make each input several times cheaper, while reads and
// writes out of bounds in the pages' own code are still caught at once.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=32:malloc_context_size=8";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    pdfPath() = QDir::temp().filePath(QStringLiteral("fuzz_pages-%1.pdf").arg(QCoreApplication::applicationPid()));
    // Fonts and the printing engine load their caches once; doing it here keeps them out of the
    // per-input leak check.
    drawEveryPage(JournalRecord{}, {true, 0});
    fuzzshape::ByteSource none(nullptr, 0);
    drawEveryPage(fuzzshape::shapedJournal(none, kShape), {true, 0});
    std::atexit([] { QFile::remove(pdfPath()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    JournalRecord journal;
    const auto letThrough = [](const JournalFile::PasswordCheck&) { return JournalFile::PasswordVerdict::Continue; };
    const Printing print = printingOf(bytes);
    if (JournalFile::decode(bytes, journal, letThrough).ok()) {
        drawEveryPage(journal, print);
        return 0;
    }
    fuzzshape::ByteSource source(data, size);
    drawEveryPage(fuzzshape::shapedJournal(source, kShape), print);
    return 0;
}
