// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Icons.h"

#include <QFile>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

using namespace ui;

namespace {

QImage resourceImage(const QString& name, int size) {
    return QImage(QStringLiteral(":/reflectory/icons/%1/%2.png").arg(size).arg(name));
}

// Something drawn, and some ground left to show through.
bool isDrawn(const QImage& image) {
    int opaque = 0;
    int clear = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            opaque += alpha == 255;
            clear += alpha == 0;
        }
    }
    return opaque > image.width() && clear > 0;
}

} // namespace

TEST(Icons, EveryIconIsCompiledInAt16_32And64PixelsAndDrawn) {
    QSet<QString> names;
    for (const Icon which : allIcons()) {
        const QString name = iconName(which);
        EXPECT_FALSE(name.isEmpty());
        names.insert(name);
        for (const int size : {16, 32, 64}) {
            const QImage image = resourceImage(name, size);
            EXPECT_EQ(image.size(), QSize(size, size)) << name.toStdString() << " " << size;
            EXPECT_TRUE(isDrawn(image)) << name.toStdString() << " " << size;
        }
    }
    EXPECT_EQ(names.size(), allIcons().size()) << "two icons share a name";
}

TEST(Icons, NoTwoIconsLookAlike) {
    QSet<QByteArray> seen;
    for (const Icon which : allIcons()) {
        const QImage image = icon(which).pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32);
        const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        EXPECT_FALSE(seen.contains(bytes)) << iconName(which).toStdString();
        seen.insert(bytes);
    }
}

TEST(Icons, HighResolutionScreensGetTheLargerDrawingNotAScaledSmallOne) {
    const QIcon save = icon(Icon::FileSave);
    EXPECT_EQ(save.pixmap(16).size(), QSize(16, 16));
    const QPixmap sharp = save.pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(sharp.size(), QSize(32, 32));
    EXPECT_EQ(sharp.toImage().convertToFormat(QImage::Format_ARGB32),
              resourceImage("file-save", 32).convertToFormat(QImage::Format_ARGB32));
}

TEST(Icons, ProgramIconsAndTheDialogPictureAreThere) {
    for (const Program which : {Program::Journal, Program::Reply, Program::RoleEditor}) {
        const QIcon program = programIcon(which);
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            EXPECT_TRUE(isDrawn(resourceImage(programIconName(which), size)))
                << programIconName(which).toStdString() << " " << size;
        }
        EXPECT_EQ(program.availableSizes().size(), 7);
    }
    EXPECT_EQ(dialogPicture().pixmap(QSize(dialogPictureSize(), dialogPictureSize()), 2.0).size(), QSize(128, 128));
    EXPECT_TRUE(isDrawn(dialogPicture().pixmap(dialogPictureSize()).toImage()));
}
