// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/PageContent.h"
#include "analysis/pages/PageCanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QSize>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

class QPainter;

// Every page the content view shows: a results graph, a list or a detail page drawn from the page
// content it is given (owned by the contents tree, which must outlive the page). One paint routine
// serves the view, the printer and images.
//
// How a host uses a page:
//  - refresh() before showing it;
//  - paint() with a canvas: on screen with the client width and the visible bottom in page
//    coordinates (translate the painter by the scroll position first); on paper with a painter on a
//    QPrinter (the page adds the title, the person's name and the program name to every sheet; a
//    page taller than a sheet goes on as many sheets as it needs, breaking only where it allows);
//  - then, on screen: extent() for the scroll sizes, takeScrollToTop() to scroll to the top left
//    after the first drawing, hotAreas() for the mouse, statusTitle() for the status bar.
class CResultPage {
public:
    // The most rows that answer the mouse in one drawing; later rows are drawn without.
    static constexpr std::size_t kMaxHotAreas = 256;

    virtual ~CResultPage() = default;
    CResultPage(const CResultPage&) = delete;
    CResultPage& operator=(const CResultPage&) = delete;

    // Recomputes the page's content from the journal as it stands.
    virtual void refresh();

    // Draws the page, or the message page while the journal holds no questionnaires. On paper false
    // when a further sheet could not be started.
    bool paint(const PageCanvas& canvas);
    // On paper: the sheets the page needs, measured without drawing anything.
    int measureSheets(QPainter& painter);
    // The sheets of the last printing.
    int printedSheets() const { return m_sheetCount; }
    // True when the page has nothing of the journal's to show (only a message).
    virtual bool showsNoScores() const;

    // The page extent of the last drawing in device units (before widening to the client area):
    // the view's scroll sizes.
    QSize extent() const { return m_extent; }
    // True once, after the first drawing on screen: the view scrolls to the top left.
    bool takeScrollToTop();
    // The rows that answer the mouse, as of the last drawing on screen.
    const std::vector<HotArea>& hotAreas() const { return m_hotAreas; }
    // The title for the status bar and the printed header.
    QString statusTitle() const;

    const PageContent& content() const { return m_content; }

    // The layout values of the last drawing.
    struct Layout {
        int charWidth = 0;  // cw
        int lineHeight = 0; // lh
        int width = 0;      // W
        int height = 0;     // H
        int visibleBottom = 0;
    };
    const Layout& layout() const { return m_layout; }

protected:
    explicit CResultPage(PageContent& content);

    // Prepares the surface for a page `widthChars` characters wide and `heightLines` lines high and
    // fixes the layout; on paper prints the header and footer and fits the page into the band.
    virtual void beginPage(int widthChars, int heightLines);
    // Draws the page between beginPage() and endPage(); the base draws the message page.
    virtual void draw();
    virtual void endPage();

    // The message page: the text with its bottom centre at the page's bottom centre.
    void drawMessagePage(const QString& message, int heightLines);
    // Metrics of the font beginPage() starts with, and the page width it will fix for a page
    // `widthChars` wide: for pages that measure their text before choosing their height.
    QFontMetrics startingFontMetrics() const;
    int prospectiveWidth(int widthChars) const;

    QPainter& painter() const { return *m_canvas.painter; }
    bool printing() const { return m_canvas.printing; }
    int cw() const { return m_layout.charWidth; }
    int lh() const { return m_layout.lineHeight; }
    int pageWidth() const { return m_layout.width; }
    int pageHeight() const { return m_layout.height; }
    int visibleBottom() const { return m_layout.visibleBottom; }
    // Registers a row that answers the mouse (screen only, at most kMaxHotAreas).
    void addHotArea(const QRect& checkBox, const QRect& name, int behaviour);
    // On paper: a page taller than a sheet may start a new sheet at `y` (page coordinates), between
    // two rows or two lines of text. Elsewhere it is never split, unless a stretch without such a
    // place is taller than a whole sheet.
    void allowSheetBreak(int y);
    QFont startingFont() const;

private:
    struct Slice {
        int top = 0;
        int bottom = 0;
    };
    void drawContent();
    void layOutSheets();
    void selectFont(const QFont& font);
    void printHeaderAndFooter();
    QFont printFont(int points) const;

    PageContent& m_content;
    PageCanvas m_canvas;
    Layout m_layout;
    QSize m_extent;
    bool m_drawnOnce = false;
    bool m_scrollToTop = false;
    std::vector<HotArea> m_hotAreas;
    // Paper: the first pass only measures; then each sheet draws the page clipped to its slice.
    bool m_measuring = false;
    std::vector<int> m_breaks;
    std::vector<Slice> m_slices;
    std::optional<Slice> m_slice;
    int m_sheetCount = 0;
};
