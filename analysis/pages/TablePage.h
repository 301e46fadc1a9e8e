// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ListContent.h"
#include "analysis/pages/ResultPage.h"

#include <QRect>

#include <vector>

class QPainter;

// Rows of cells under a band of column headers, each column as wide as its share of the page.
class CTablePage : public CResultPage {
public:
    explicit CTablePage(TableContent& content);

protected:
    void draw() override;
    // One cell of the rows; the plain table writes its text.
    virtual void drawCell(QPainter& painter, const QRect& rect, std::size_t row, std::size_t column);

private:
    // x(0) .. x(columns): each column as wide as its share of the page.
    std::vector<int> columnEdges(int width) const;
    std::vector<int> linesOfRows() const;

    const TableContent& m_table;
};

// The completed questionnaires.
class CQuestionnaireList final : public CTablePage {
public:
    explicit CQuestionnaireList(QuestionnaireListContent& content) : CTablePage(content) {}
};

// The development actions, grouped by behaviour.
class CJournalList final : public CTablePage {
public:
    explicit CJournalList(JournalListContent& content) : CTablePage(content) {}
};
