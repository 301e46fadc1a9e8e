// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ProgressPages.h"
#include "analysis/pages/TablePage.h"

// The Progress page of the competencies: the others' average then and now as a pair of bars, the
// earlier one hatched, so that the two differ in pattern as well as in shade.
class CProgressBarsPage final : public CTablePage {
public:
    explicit CProgressBarsPage(progresspages::ProgressContent& content);

protected:
    void drawCell(QPainter& painter, const QRect& rect, std::size_t row, std::size_t column) override;

private:
    const progresspages::ProgressContent& m_progress;
};
