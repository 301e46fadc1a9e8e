// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/pages/report/PdfOutline.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

// qpdf reads and writes the file and keeps its cross-references; it has no helper that creates an
// outline, so the outline's dictionaries are made through its object interface.
namespace {

class OutlineBuilder {
public:
    OutlineBuilder(QPDF& pdf, std::vector<QPDFPageObjectHelper> pages) : m_pdf(pdf), m_pages(std::move(pages)) {}

    // Adds the entries below `parent`; returns how many entries were added at every depth.
    int addChildren(QPDFObjectHandle parent, const std::vector<OutlineEntry>& entries) {
        QPDFObjectHandle previous;
        QPDFObjectHandle first;
        int total = 0;
        for (const OutlineEntry& entry : entries) {
            if (entry.sheet < 0 || static_cast<std::size_t>(entry.sheet) >= m_pages.size()) {
                continue;
            }
            QPDFObjectHandle item = m_pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
            item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(entry.title));
            item.replaceKey("/Parent", parent);
            QPDFObjectHandle destination = QPDFObjectHandle::newArray();
            destination.appendItem(m_pages[static_cast<std::size_t>(entry.sheet)].getObjectHandle());
            destination.appendItem(QPDFObjectHandle::newName("/Fit"));
            item.replaceKey("/Dest", destination);
            const int below = addChildren(item, entry.children);
            if (below > 0) {
                // Negative: the entry opens closed, so a long tree stays readable.
                item.replaceKey("/Count", QPDFObjectHandle::newInteger(-below));
            }
            if (previous.isInitialized()) {
                previous.replaceKey("/Next", item);
                item.replaceKey("/Prev", previous);
            } else {
                first = item;
            }
            previous = item;
            total += 1;
        }
        if (first.isInitialized()) {
            parent.replaceKey("/First", first);
            parent.replaceKey("/Last", previous);
        }
        return total;
    }

private:
    QPDF& m_pdf;
    std::vector<QPDFPageObjectHelper> m_pages;
};

} // namespace

bool writeWithOutline(const QString& source, const QString& target, const std::vector<OutlineEntry>& outline,
                      std::string& failure) {
    try {
        QPDF pdf;
        pdf.processFile(source.toLocal8Bit().constData());
        QPDFObjectHandle root = pdf.getRoot();
        QPDFObjectHandle outlines = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        outlines.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
        OutlineBuilder builder(pdf, QPDFPageDocumentHelper(pdf).getAllPages());
        const int shown = builder.addChildren(outlines, outline);
        outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(shown));
        root.replaceKey("/Outlines", outlines);
        root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
        QPDFWriter writer(pdf, target.toLocal8Bit().constData());
        writer.setStaticID(false);
        writer.write();
        return true;
    } catch (const std::exception& error) {
        failure = error.what();
        return false;
    }
}

std::size_t outlineSize(const std::vector<OutlineEntry>& outline) {
    std::size_t size = 0;
    for (const OutlineEntry& entry : outline) {
        size += 1 + outlineSize(entry.children);
    }
    return size;
}
