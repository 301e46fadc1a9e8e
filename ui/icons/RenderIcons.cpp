// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the suite's icons to PNG files and writes the resource file listing them.
//
//   reflectory_icon_render OUTPUT_FOLDER [--sheet CONTACT_SHEET.png]
//
// The contact sheet shows every drawing at its sizes, on light and dark ground, with the 16 and
// 32 pixel renderings enlarged pixel for pixel so that blurred edges show.

#include "IconArt.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

bool writeIcons(const QString& folder) {
    QFile qrc(folder + "/icons.qrc");
    if (!QDir().mkpath(folder) || !qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write into %s\n", qPrintable(folder));
        return false;
    }
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/reflectory/icons\">\n";
    for (const iconart::Art& art : iconart::catalogue()) {
        for (int size : art.sizes) {
            const QString relative = QStringLiteral("%1/%2.png").arg(size).arg(art.name);
            QDir().mkpath(folder + '/' + QString::number(size));
            if (!iconart::render(art, size).save(folder + '/' + relative, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(relative));
                return false;
            }
            out << "  <file>" << relative << "</file>\n";
        }
    }
    out << "</qresource>\n</RCC>\n";
    return true;
}

QImage enlarged(const QImage& image, int factor) {
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

bool writeContactSheet(const QString& path) {
    constexpr int kRow = 140;
    constexpr int kLabel = 150;
    const auto& all = iconart::catalogue();
    QImage sheet(1500, kRow * int(all.size()) + 10, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.setFont(QFont("DejaVu Sans", 9));
    int y = 5;
    for (const iconart::Art& art : all) {
        p.setPen(Qt::black);
        p.drawText(QRect(5, y, kLabel - 10, kRow - 10), Qt::AlignVCenter | Qt::TextWordWrap, art.name);
        int x = kLabel;
        for (const QColor& ground : {QColor(Qt::white), QColor(0xe4, 0xe4, 0xe4), QColor(0x30, 0x30, 0x30)}) {
            int width = 0;
            for (int size : art.sizes) {
                width += size <= 128 ? size + 8 : 0;
            }
            p.fillRect(QRect(x - 4, y, width, kRow - 10), ground);
            for (int size : art.sizes) {
                if (size <= 128) {
                    p.drawImage(x, y + 2, iconart::render(art, size));
                    x += size + 8;
                }
            }
            x += 10;
        }
        const int small = art.sizes.front();
        p.drawImage(x, y, enlarged(iconart::render(art, small), small <= 16 ? 6 : 2));
        x += small * (small <= 16 ? 6 : 2) + 10;
        if (small == 16 && art.sizes.size() > 1) {
            p.drawImage(x, y, enlarged(iconart::render(art, 32), 3));
        }
        y += kRow;
    }
    p.end();
    return sheet.save(path, "PNG");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Keeps Qt from warning about a missing runtime folder on build machines without a session.
    QTemporaryDir runtimeFolder;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeFolder.isValid()) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
    }
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args.at(2) == "--sheet")) {
        std::fprintf(stderr, "usage: reflectory_icon_render OUTPUT_FOLDER [--sheet CONTACT_SHEET.png]\n");
        return 2;
    }
    if (!writeIcons(args.at(1))) {
        return 1;
    }
    if (args.size() == 4 && !writeContactSheet(args.at(3))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    return 0;
}
