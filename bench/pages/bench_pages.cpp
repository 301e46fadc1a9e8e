// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing every page of the largest journal a role allows (256 behaviours in 16 competencies, 32
// questionnaires, marks and actions) 1280 pixels wide, two ways per page of the contents tree:
//  - "view": what one frame of the view costs, a 1280 x 1024 window on the middle of the page;
//  - "page": the whole page into an image as tall as the page (allocated once), as kvtool render does.
// Goal: a frame within 16 ms. `bench_pages --benchmark_filter=Behaviours` picks pages by name.
#include "analysis/ContentTree.h"
#include "analysis/pages/PageFactory.h"
#include "tests/analysis/TestJournals.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kViewWidth = 1280;

JournalRecord& maximalJournal() {
    static JournalRecord journal = [] {
        JournalRecord record = testjournals::maximalJournal(2024);
        for (std::int32_t b = 0; b < 128; b += 3) {
            CPavexAction action;
            action.behaviour = b;
            action.action = "Practise behaviour " + std::to_string(b) + " in every team meeting this month";
            record.actions.push_back(action);
        }
        return record;
    }();
    return journal;
}

constexpr int kViewHeight = 1024;

// Paints the page rows `top` to `top + image height` into the image, as the view paints a scrolled
// window: translated by the scroll position and clipped to the window.
void paintWindow(CResultPage& page, QImage& image, int top) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setClipRect(image.rect());
    painter.translate(0, -top);
    PageCanvas canvas;
    canvas.painter = &painter;
    canvas.clientWidth = image.width();
    canvas.visibleBottom = top + image.height();
    canvas.screenFont = QGuiApplication::font();
    page.paint(canvas);
}

void drawViewFrame(benchmark::State& state, CResultPage* page) {
    QImage image(kViewWidth, kViewHeight, QImage::Format_RGB32);
    paintWindow(*page, image, 0);
    const int top = std::max(0, page->extent().height() / 2 - kViewHeight / 2);
    for (auto _ : state) {
        paintWindow(*page, image, top);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void drawWholePage(benchmark::State& state, CResultPage* page) {
    QImage scrap(kViewWidth, 1, QImage::Format_RGB32);
    paintWindow(*page, scrap, 0);
    QImage image(kViewWidth, std::max(1, page->extent().height()), QImage::Format_RGB32);
    for (auto _ : state) {
        paintWindow(*page, image, 0);
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    ContentTree tree(maximalJournal(), formatDateInCLocale);
    tree.build();
    std::vector<std::unique_ptr<CResultPage>> pages;
    std::vector<std::string> labels;
    int position = 0;
    tree.forEachNode([&](ContentNode& node, int depth) {
        labels.resize(static_cast<std::size_t>(depth));
        labels.push_back(node.label());
        std::string path;
        for (const std::string& label : labels) {
            path += (path.empty() ? "" : "/") + label;
        }
        pages.push_back(makeResultPage(node.page()));
        pages.back()->refresh();
        const std::string name = std::to_string(position++) + " " + path;
        benchmark::RegisterBenchmark(("view " + name).c_str(), drawViewFrame, pages.back().get())
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("page " + name).c_str(), drawWholePage, pages.back().get())
            ->Unit(benchmark::kMillisecond);
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
