// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/PrintLayout.h"

namespace kvrole {

namespace {

// Runs down the body, block by block, starting a new page where the next block would not fit.
class LayoutRun {
public:
    LayoutRun(RolePrintLayout& layout, const TextMeasure& measure) : m_layout(layout), m_measure(measure) {}

    void place(const std::string& text, PrintFont font, int indent, int keep) {
        const int height = m_measure.wrappedHeight(text, font, m_layout.rightEdge() - indent);
        if (m_y + height + keep > m_layout.bottomLimit() && m_y > 0) {
            newPage();
        }
        m_layout.blocks.push_back({m_page, indent, m_y, m_layout.rightEdge(), m_layout.bottomLimit(), text, font});
        m_y += height;
        if (m_y > m_layout.bottomLimit()) {
            newPage();
        }
    }

    void gap(int height) {
        m_y += height;
        if (m_y > m_layout.bottomLimit() && m_y > 0) {
            newPage();
        }
    }

    // A last page break with nothing after it leaves no page behind.
    int pageCount() const { return m_y == 0 && m_page > 1 ? m_page - 1 : m_page; }

private:
    void newPage() {
        ++m_page;
        m_y = 0;
    }

    RolePrintLayout& m_layout;
    const TextMeasure& m_measure;
    int m_page = 1;
    int m_y = 0;
};

} // namespace

RolePrintLayout RolePrintLayout::of(const CRole& role, int pageWidth, int pageHeight, const TextMeasure& measure) {
    RolePrintLayout layout;
    layout.pageWidth = pageWidth;
    layout.pageHeight = pageHeight;
    const int line = measure.bodyLineHeight();
    const int behaviourIndent = 6 * measure.bodyAverageCharWidth();

    LayoutRun run(layout, measure);
    run.place(role.name, PrintFont::RoleName, 0, 10 * line);
    run.gap(line);
    run.place(role.description, PrintFont::Body, 0, 0);
    run.gap(3 * line);
    run.place(std::string(kHeading), PrintFont::Heading, 0, 10 * line);
    run.gap(line);
    const auto& framework = role.framework;
    for (std::size_t competency = 0; competency < framework.competencies.size(); ++competency) {
        run.place(framework.competencies[competency].name, PrintFont::Body, 0, 4 * line);
        for (const CBehaviour& behaviour : framework.behaviours) {
            if (behaviour.competency == static_cast<int>(competency)) {
                run.place(behaviour.statement, PrintFont::Body, behaviourIndent, 0);
            }
        }
        run.gap(2 * line);
    }
    layout.pageCount = run.pageCount();
    return layout;
}

} // namespace kvrole
