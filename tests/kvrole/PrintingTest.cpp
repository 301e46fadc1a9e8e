// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/RolePrinter.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CRole roleWith(int competencies, int behavioursEach) {
    CRole role = CRole::makeDefault();
    role.name = "Team Leader";
    role.description = "Leads a team day to day.";
    for (int competency = 0; competency < competencies; ++competency) {
        role.framework.competencies.push_back({"Competency " + std::to_string(competency), ""});
        for (int behaviour = 0; behaviour < behavioursEach; ++behaviour) {
            role.framework.behaviours.push_back(
                {"Behaviour " + std::to_string(competency) + "." + std::to_string(behaviour), competency, 0, "", 0,
                 ""});
        }
    }
    return role;
}

// Prints to a PDF through QPrinter, as File Print does; returns the pages' text.
QStringList printToPdf(const CRole& role, const QString& path, int* layoutPages) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    {
        QPainter painter(&printer);
        const RolePrinter rolePrinter(role, printer);
        *layoutPages = rolePrinter.pageCount();
        rolePrinter.paintAll(painter, printer);
    }
    QProcess info;
    info.start("pdfinfo", {path});
    info.waitForFinished(10000);
    const QString details = QString::fromUtf8(info.readAllStandardOutput());
    const int pages = details.section("Pages:", 1).trimmed().section('\n', 0, 0).toInt();
    QStringList texts;
    for (int page = 1; page <= pages; ++page) {
        QProcess text;
        text.start("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page), path, "-"});
        text.waitForFinished(10000);
        texts << QString::fromUtf8(text.readAllStandardOutput());
    }
    return texts;
}

class Printing : public ::testing::Test {
protected:
    QTemporaryDir m_folder;
    QString pdf() const { return m_folder.filePath("role.pdf"); }
};

} // namespace

TEST_F(Printing, ARoleWithoutCompetenciesIsOnePageWithNameDescriptionHeadingAndFooter) {
    int layoutPages = 0;
    const QStringList pages = printToPdf(roleWith(0, 0), pdf(), &layoutPages);
    EXPECT_EQ(layoutPages, 1);
    ASSERT_EQ(pages.size(), 1);
    const QString& page = pages[0];
    for (const char* text :
         {"Team Leader", "Leads a team day to day.", "Competencies and Behaviours", "Role Profile", "Reflectory 360"}) {
        EXPECT_TRUE(page.contains(text)) << text;
    }
    // The footer is the last line, its two parts on it; the name comes first.
    const QStringList lines = page.trimmed().split('\n');
    EXPECT_TRUE(lines.front().contains("Team Leader"));
    EXPECT_TRUE(lines.back().contains("Role Profile") && lines.back().contains("Reflectory 360"));
    EXPECT_LT(lines.back().indexOf("Role Profile"), lines.back().indexOf("Reflectory 360"));
}

TEST_F(Printing, ALongRolePrintsTheLaidOutPagesWithAFooterOnEachAndNoEmptyLastPage) {
    const CRole role = roleWith(12, 8);
    int layoutPages = 0;
    const QStringList pages = printToPdf(role, pdf(), &layoutPages);
    ASSERT_GE(layoutPages, 2);
    ASSERT_EQ(pages.size(), layoutPages);
    for (const QString& page : pages) {
        EXPECT_TRUE(page.contains("Role Profile"));
        EXPECT_TRUE(page.contains("Behaviour"));
    }
    EXPECT_TRUE(pages.back().contains("Behaviour 11.7"));
}

TEST_F(Printing, ACompetencyThatWouldEndAPageMovesToTheNextWithItsFirstBehaviours) {
    QPdfWriter writer(pdf());
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::A4));
    // Some group size puts a competency name where less than four lines of room would be left.
    bool movedOne = false;
    for (int behaviours = 3; behaviours < 30 && !movedOne; ++behaviours) {
        const RolePrinter printer(roleWith(12, behaviours), writer);
        const kvrole::RolePrintLayout& layout = printer.layout();
        const int line = QFontMetrics(printer.fontFor(kvrole::PrintFont::Body), &writer).height();
        for (std::size_t index = 1; index + 1 < layout.blocks.size(); ++index) {
            const kvrole::PlacedBlock& block = layout.blocks[index];
            if (block.left != 0 || block.text.rfind("Competency ", 0) != 0) {
                continue;
            }
            // Every competency has at least four lines of room below it, and its first behaviour
            // is on its page.
            EXPECT_LE(block.top + line + 4 * line, layout.bottomLimit()) << block.text;
            EXPECT_EQ(layout.blocks[index + 1].page, block.page) << block.text;
            const kvrole::PlacedBlock& before = layout.blocks[index - 1];
            // Moved: it would have fitted on the page before, but not with four lines below it.
            if (block.page > before.page && block.top == 0) {
                movedOne = true;
            }
        }
    }
    EXPECT_TRUE(movedOne);
}

TEST_F(Printing, ATooTallStatementIsClippedAtTheBottomLimitAndTheNextBlockStartsANewPage) {
    CRole role = roleWith(1, 0);
    std::string tall;
    for (int word = 0; word < 4000; ++word) {
        tall += "word ";
    }
    role.framework.behaviours.push_back({tall, 0, 0, "", 0, ""});
    role.framework.behaviours.push_back({"After the tall one", 0, 0, "", 0, ""});
    int layoutPages = 0;
    const QStringList pages = printToPdf(role, pdf(), &layoutPages);
    ASSERT_EQ(layoutPages, 3);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_FALSE(pages[0].contains("word"));
    EXPECT_TRUE(pages[1].contains("word"));
    EXPECT_TRUE(pages[2].contains("After the tall one"));
    EXPECT_FALSE(pages[2].contains("word"));
}

TEST_F(Printing, APageRangeChosenInThePrintDialogPrintsOnlyThosePages) {
    const CRole role = roleWith(20, 8);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf());
    printer.setPageSize(QPageSize(QPageSize::A4));
    const RolePrinter rolePrinter(role, printer);
    ASSERT_GE(rolePrinter.pageCount(), 4);
    int allPages = 0;
    QTemporaryDir other;
    const QStringList every = printToPdf(role, other.filePath("all.pdf"), &allPages);

    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    rolePrinter.print(printer);
    QProcess text;
    text.start("pdftotext", {"-layout", pdf(), "-"});
    text.waitForFinished(10000);
    const QStringList printed = QString::fromUtf8(text.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(printed.size(), 2);
    EXPECT_EQ(printed[0].trimmed(), every[1].trimmed());
    EXPECT_EQ(printed[1].trimmed(), every[2].trimmed());
}
