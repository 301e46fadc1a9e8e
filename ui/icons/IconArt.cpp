// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

// Conventions of the drawings: a 1-unit outline runs along half-unit coordinates and filled areas
// end on whole units, so at 1x, 2x and 4x every straight edge covers whole pixels.
namespace iconart {

namespace {

// The suite's palette.
const QColor kInk(0x2b, 0x3a, 0x4a);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kPaperShade(0xdd, 0xe5, 0xee);
const QColor kTextLine(0x9a, 0xa9, 0xb8);
const QColor kBlue(0x2f, 0x6d, 0xb5);
const QColor kLightBlue(0x9c, 0xc6, 0xf0);
const QColor kNavy(0x1e, 0x3a, 0x5f);
const QColor kTeal(0x1f, 0x8a, 0x80);
const QColor kGreen(0x3e, 0x9b, 0x4f);
const QColor kDarkGreen(0x2a, 0x6e, 0x37);
const QColor kLightGreen(0x8b, 0xcb, 0x7a);
const QColor kYellow(0xf7, 0xce, 0x5b);
const QColor kAmber(0xe0, 0xa5, 0x26);
const QColor kGold(0xf2, 0xb9, 0x29);
const QColor kDarkGold(0x9a, 0x6b, 0x00);
const QColor kOrange(0xee, 0x8a, 0x2a);
const QColor kRed(0xd6, 0x45, 0x45);
const QColor kBrown(0xb9, 0x7a, 0x3e);
const QColor kDarkBrown(0x7a, 0x4b, 0x1e);
const QColor kSilver(0xc3, 0xcc, 0xd5);
const QColor kSteel(0x6b, 0x78, 0x85);
const QColor kSkin(0xf2, 0xc9, 0xa0);

QPen line(const QColor& colour, qreal width = 1.0) {
    return QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

QPen roundLine(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A filled rectangle with a 1-unit border inside its edges.
void box(QPainter& p, const QRectF& r, const QColor& fill, const QColor& border = kInk) {
    p.fillRect(r, border);
    p.fillRect(r.adjusted(1, 1, -1, -1), fill);
}

void shape(QPainter& p, const QPainterPath& path, const QColor& fill, const QPen& pen) {
    p.setPen(pen);
    p.setBrush(fill);
    p.drawPath(path);
}

void shape(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& border = kInk) {
    shape(p, path, fill, line(border));
}

void fillOnly(QPainter& p, const QPainterPath& path, const QColor& fill) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath ellipse(const QPointF& centre, qreal rx, qreal ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPainterPath star(const QPointF& centre, qreal outer, qreal inner, int points = 5) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = -M_PI / 2 + i * M_PI / points;
        const QPointF point(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        i == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

// Horizontal text lines on a page.
void textLines(QPainter& p, qreal x, qreal firstY, std::initializer_list<qreal> widths, qreal gap = 2) {
    qreal y = firstY;
    for (qreal width : widths) {
        p.fillRect(QRectF(x, y, width, 1), kTextLine);
        y += gap;
    }
}

// A sheet of paper with a turned corner: outline on half units from (x, y) to (right, bottom).
void page(QPainter& p, qreal left, qreal top, qreal right, qreal bottom, qreal corner) {
    shape(p, polygon({{left, top}, {right - corner, top}, {right, top + corner}, {right, bottom}, {left, bottom}}),
          kPaper);
    shape(p, polygon({{right - corner, top}, {right - corner, top + corner}, {right, top + corner}}), kPaperShade);
}

// The "new" sparkle in the top left corner.
void sparkle(QPainter& p, const QPointF& centre) {
    fillOnly(p, star(centre, 4.2, 1.2, 4), kOrange);
    fillOnly(p, star(centre, 2.6, 0.8, 4), kYellow);
}

// The "add" badge in the bottom right corner of a 16-unit icon.
void plusBadge(QPainter& p) {
    shape(p, ellipse({12, 12}, 3.5, 3.5), kGreen, kDarkGreen);
    p.fillRect(QRectF(11, 10, 2, 4), kPaper);
    p.fillRect(QRectF(10, 11, 4, 2), kPaper);
}

void checkBadge(QPainter& p) {
    shape(p, ellipse({12, 12}, 3.5, 3.5), kGreen, kDarkGreen);
    QPainterPath tick;
    tick.moveTo(10, 12);
    tick.lineTo(11.5, 13.5);
    tick.lineTo(14, 10.5);
    p.setPen(roundLine(kPaper, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

// ---- toolbar ---------------------------------------------------------------------------------

void fileNew(QPainter& p) {
    page(p, 3.5, 1.5, 13.5, 14.5, 4);
    textLines(p, 6, 7, {5, 5, 4});
    sparkle(p, {4, 4});
}

void fileOpen(QPainter& p) {
    shape(p, polygon({{1.5, 2.5}, {5.5, 2.5}, {7.5, 4.5}, {13.5, 4.5}, {13.5, 13.5}, {1.5, 13.5}}), kAmber);
    p.fillRect(QRectF(3, 5, 9, 3), kPaper);
    shape(p, polygon({{1.5, 13.5}, {4.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}}), kYellow);
}

void fileSave(QPainter& p) {
    shape(p, polygon({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}), kBlue);
    p.fillRect(QRectF(4, 2, 7, 4), kSilver);
    p.fillRect(QRectF(8, 3, 2, 2), kInk);
    p.fillRect(QRectF(3, 8, 10, 6), kPaper);
    textLines(p, 4, 10, {8, 6});
}

void filePrint(QPainter& p) {
    box(p, QRectF(4, 1, 8, 6), kPaper);
    box(p, QRectF(1, 6, 14, 6), kSilver);
    p.fillRect(QRectF(2, 7, 12, 1), kPaper);
    box(p, QRectF(4, 10, 8, 5), kPaper);
    textLines(p, 5, 12, {6});
    p.fillRect(QRectF(12, 8, 1, 1), kGreen);
}

void about(QPainter& p) {
    shape(p, ellipse({8, 8}, 6.5, 6.5), kBlue, kNavy);
    QPainterPath mark;
    mark.moveTo(5.6, 6.2);
    mark.cubicTo(5.6, 3.2, 10.4, 3.2, 10.4, 6.0);
    mark.cubicTo(10.4, 7.6, 8, 7.8, 8, 9.6);
    p.setPen(roundLine(kPaper, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    fillOnly(p, ellipse({8, 12}, 1.1, 1.1), kPaper);
}

void editCut(QPainter& p) {
    p.setPen(roundLine(kSteel, 1.6));
    p.drawLine(QPointF(5.5, 10), QPointF(11.5, 1.5));
    p.drawLine(QPointF(10.5, 10), QPointF(4.5, 1.5));
    fillOnly(p, ellipse({8, 6.5}, 0.9, 0.9), kInk);
    p.setPen(line(kRed, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 12.2), 2.4, 2.4);
    p.drawEllipse(QPointF(11.5, 12.2), 2.4, 2.4);
}

void editCopy(QPainter& p) {
    box(p, QRectF(1, 1, 9, 11), kPaper);
    textLines(p, 3, 3, {5, 5, 4, 5});
    box(p, QRectF(6, 4, 9, 11), kPaper);
    textLines(p, 8, 7, {5, 5, 3});
}

void editPaste(QPainter& p) {
    box(p, QRectF(1, 2, 11, 13), kBrown, kDarkBrown);
    box(p, QRectF(4, 1, 5, 3), kSilver);
    box(p, QRectF(6, 6, 9, 9), kPaper);
    textLines(p, 8, 8, {5, 5, 3});
}

// A hooked arrow turning back to the left; Redo is its mirror image.
void undoArrow(QPainter& p) {
    QPainterPath hook;
    hook.moveTo(13.5, 13);
    hook.cubicTo(14.5, 8, 11.5, 5, 7, 5);
    hook.lineTo(4.5, 5);
    p.setPen(roundLine(kBlue, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    QPainterPath head;
    head.moveTo(1, 5);
    head.lineTo(6, 0.5);
    head.lineTo(6, 9.5);
    head.closeSubpath();
    fillOnly(p, head, kBlue);
}

void editUndo(QPainter& p) {
    undoArrow(p);
}

void editRedo(QPainter& p) {
    p.translate(16, 0);
    p.scale(-1, 1);
    undoArrow(p);
}

void person(QPainter& p, qreal dx, qreal dy, qreal scale) {
    p.save();
    p.translate(dx, dy);
    p.scale(scale, scale);
    QPainterPath shoulders;
    shoulders.moveTo(2.5, 15.5);
    shoulders.lineTo(2.5, 13.5);
    shoulders.cubicTo(2.5, 11, 5, 9.5, 8, 9.5);
    shoulders.cubicTo(11, 9.5, 13.5, 11, 13.5, 13.5);
    shoulders.lineTo(13.5, 15.5);
    shoulders.closeSubpath();
    shape(p, shoulders, kBlue, line(kInk, 1.0 / scale));
    shape(p, polygon({{6.5, 9.5}, {8, 12}, {9.5, 9.5}}), kPaper, line(kInk, 1.0 / scale));
    shape(p, ellipse({8, 5}, 3.5, 3.5), kSkin, line(kInk, 1.0 / scale));
    p.restore();
}

void chooseRole(QPainter& p) {
    person(p, -1, 0, 1.0);
    checkBadge(p);
}

void newQuestionnaire(QPainter& p) {
    box(p, QRectF(1, 2, 12, 13), kBrown, kDarkBrown);
    p.fillRect(QRectF(2, 4, 10, 10), kPaper);
    box(p, QRectF(4, 1, 6, 3), kSilver);
    box(p, QRectF(3, 5, 3, 3), kPaper);
    box(p, QRectF(3, 10, 3, 3), kPaper);
    p.fillRect(QRectF(7, 6, 4, 1), kTextLine);
    p.fillRect(QRectF(7, 11, 4, 1), kTextLine);
    QPainterPath tick;
    tick.moveTo(3.5, 6);
    tick.lineTo(4.7, 7.4);
    tick.lineTo(7, 4);
    p.setPen(roundLine(kGreen, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    sparkle(p, {12.5, 3.5});
}

void envelope(QPainter& p, const QRectF& r) {
    box(p, r, kPaper);
    QPainterPath flap;
    flap.moveTo(r.left() + 0.5, r.top() + 0.5);
    flap.lineTo(r.center().x(), r.top() + r.height() * 0.55);
    flap.lineTo(r.right() - 0.5, r.top() + 0.5);
    p.setPen(line(kInk));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flap);
}

void sendRequest(QPainter& p) {
    envelope(p, QRectF(1, 2, 13, 10));
    fillOnly(p, polygon({{7, 11}, {11, 11}, {11, 8.5}, {15.5, 12.5}, {11, 16}, {11, 14}, {7, 14}}), kGreen);
}

void smallDisk(QPainter& p) {
    shape(p, polygon({{8.5, 8.5}, {13.5, 8.5}, {15.5, 10.5}, {15.5, 15.5}, {8.5, 15.5}}), kBlue);
    p.fillRect(QRectF(10, 9, 3, 2), kSilver);
    p.fillRect(QRectF(10, 12, 4, 3), kPaper);
}

void createRequest(QPainter& p) {
    page(p, 1.5, 1.5, 11.5, 14.5, 3);
    box(p, QRectF(3, 5, 3, 3), kPaper);
    p.fillRect(QRectF(7, 6, 3, 1), kTextLine);
    box(p, QRectF(3, 9, 3, 3), kPaper);
    smallDisk(p);
}

void mergeRequest(QPainter& p) {
    box(p, QRectF(10, 2, 6, 12), kPaper);
    textLines(p, 11, 5, {3, 3, 3, 2});
    QPainterPath upper;
    upper.moveTo(1, 2.5);
    upper.cubicTo(5, 2.5, 4, 8, 8, 8);
    QPainterPath lower;
    lower.moveTo(1, 13.5);
    lower.cubicTo(5, 13.5, 4, 8, 8, 8);
    p.setPen(roundLine(kGreen, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(upper);
    p.drawPath(lower);
    fillOnly(p, polygon({{6.5, 4.5}, {11, 8}, {6.5, 11.5}}), kGreen);
}

void flag(QPainter& p) {
    p.fillRect(QRectF(3, 1, 1, 14), kInk);
    p.fillRect(QRectF(1, 14, 6, 1), kInk);
    shape(p, polygon({{4, 1.5}, {13.5, 1.5}, {11, 4.5}, {13.5, 8.5}, {4, 8.5}}), kRed, QColor(0x9e, 0x2a, 0x2a));
}

void newAction(QPainter& p) {
    flag(p);
    plusBadge(p);
}

void autopilot(QPainter& p) {
    // A ship's wheel: the straight spokes on whole pixels, the rim and diagonals drawn round.
    p.setPen(roundLine(kDarkBrown, 1.5));
    p.drawLine(QPointF(3.2, 3.2), QPointF(12.8, 12.8));
    p.drawLine(QPointF(12.8, 3.2), QPointF(3.2, 12.8));
    p.fillRect(QRectF(7, 1, 2, 14), kDarkBrown);
    p.fillRect(QRectF(1, 7, 14, 2), kDarkBrown);
    p.setPen(line(kBrown, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 4.5, 4.5);
    shape(p, ellipse({8, 8}, 2, 2), kGold, kDarkBrown);
}

// ---- role editor toolbar ---------------------------------------------------------------------

void pencil(QPainter& p) {
    shape(p, polygon({{13.5, 4.5}, {15.5, 6.5}, {9.5, 12.5}, {7.5, 10.5}}), kOrange);
    shape(p, polygon({{7.5, 10.5}, {9.5, 12.5}, {6.5, 13.5}}), kSkin);
}

void roleDetails(QPainter& p) {
    box(p, QRectF(1, 2, 14, 12), kPaper);
    p.fillRect(QRectF(2, 3, 12, 2), kBlue);
    textLines(p, 3, 7, {8, 6, 5});
    pencil(p);
}

void competency(QPainter& p) {
    shape(p, star({8, 8.6}, 7.2, 3.0), kGold, kDarkGold);
}

void behaviour(QPainter& p) {
    QPainterPath eye;
    eye.moveTo(0.8, 8);
    eye.quadTo(8, 0.5, 15.2, 8);
    eye.quadTo(8, 15.5, 0.8, 8);
    shape(p, eye, kPaper);
    fillOnly(p, ellipse({8, 8}, 3.2, 3.2), kTeal);
    fillOnly(p, ellipse({8, 8}, 1.4, 1.4), kInk);
    p.fillRect(QRectF(9, 6, 1, 1), kPaper);
}

void newCompetency(QPainter& p) {
    p.save();
    p.scale(0.875, 0.875);
    competency(p);
    p.restore();
    plusBadge(p);
}

void newBehaviour(QPainter& p) {
    p.save();
    p.translate(0, -1);
    behaviour(p);
    p.restore();
    plusBadge(p);
}

void editResponses(QPainter& p) {
    for (int row = 0; row < 3; ++row) {
        const qreal y = 1.5 + row * 5;
        p.setPen(line(kInk));
        p.setBrush(kPaper);
        p.drawEllipse(QRectF(1.5, y, 4, 4));
        p.fillRect(QRectF(7, y + 1.5, row == 1 ? 8 : 6, 1), kTextLine);
    }
    fillOnly(p, ellipse({3.5, 8.5}, 1.2, 1.2), kGreen);
}

void webQuestionnaire(QPainter& p) {
    box(p, QRectF(1, 1, 9, 12), kPaper);
    textLines(p, 3, 3, {5, 4});
    shape(p, ellipse({10.5, 10.5}, 5, 5), kBlue, kNavy);
    p.setPen(line(kLightBlue, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(10.5, 10.5), 2.2, 4.6);
    p.drawLine(QPointF(10.5, 5.8), QPointF(10.5, 15.2));
    p.drawLine(QPointF(5.8, 10.5), QPointF(15.2, 10.5));
    p.drawLine(QPointF(6.6, 8), QPointF(14.4, 8));
    p.drawLine(QPointF(6.6, 13), QPointF(14.4, 13));
}

// ---- journal tree ----------------------------------------------------------------------------

void feedback(QPainter& p) {
    QPainterPath back;
    back.addRoundedRect(QRectF(5.5, 0.5, 10, 7), 2, 2);
    back.addPolygon(QPolygonF({{12, 7.2}, {14.5, 10.5}, {10, 7.2}}));
    shape(p, back.simplified(), kOrange, QColor(0xa8, 0x5a, 0x12));
    QPainterPath front;
    front.addRoundedRect(QRectF(0.5, 4.5, 11, 8), 2, 2);
    front.addPolygon(QPolygonF({{3, 12.2}, {2.5, 15.5}, {6.5, 12.2}}));
    shape(p, front.simplified(), kPaper, kNavy);
    textLines(p, 3, 7, {6, 4}, 3);
}

void results(QPainter& p) {
    p.fillRect(QRectF(3, 9, 3, 5), kBlue);
    p.fillRect(QRectF(7, 3, 3, 11), kTeal);
    p.fillRect(QRectF(11, 6, 3, 8), kOrange);
    p.fillRect(QRectF(1, 1, 1, 14), kInk);
    p.fillRect(QRectF(1, 14, 15, 1), kInk);
}

void journal(QPainter& p) {
    box(p, QRectF(3, 1, 12, 14), kTeal, QColor(0x14, 0x5c, 0x55));
    p.fillRect(QRectF(4, 2, 2, 12), QColor(0x17, 0x6e, 0x66));
    box(p, QRectF(7, 4, 6, 4), kPaper);
    for (int y : {3, 6, 9, 12}) {
        p.fillRect(QRectF(1, y, 4, 1), kInk);
    }
}

void developmentArea(QPainter& p) {
    fillOnly(p, ellipse({8, 15.5}, 7, 3), kBrown);
    p.fillRect(QRectF(7, 6, 2, 8), kDarkGreen);
    QPainterPath left;
    left.moveTo(7.5, 10);
    left.quadTo(1, 10.5, 1.5, 4.5);
    left.quadTo(7, 4, 7.5, 10);
    shape(p, left, kLightGreen, kDarkGreen);
    QPainterPath right;
    right.moveTo(8.5, 7.5);
    right.quadTo(15, 7.5, 14.5, 1.5);
    right.quadTo(9, 1, 8.5, 7.5);
    shape(p, right, kGreen, kDarkGreen);
}

void role(QPainter& p) {
    person(p, 0, 0, 1.0);
}

// ---- programs --------------------------------------------------------------------------------

// The suite's mark: a sailboat at sea in a circle. 32 units.
void sailboatMark(QPainter& p, bool withSun) {
    const QPointF centre(16, 16);
    QPainterPath disc = ellipse(centre, 14, 14);
    QLinearGradient sky(0, 2, 0, 30);
    sky.setColorAt(0, QColor(0xd8, 0xec, 0xff));
    sky.setColorAt(1, kLightBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawPath(disc);

    p.save();
    p.setClipPath(disc);
    if (withSun) {
        fillOnly(p, ellipse({8.5, 8}, 2.5, 2.5), kYellow);
        QPainterPath gull;
        gull.moveTo(22, 9);
        gull.quadTo(23, 8, 24, 9);
        gull.quadTo(25, 8, 26, 9);
        p.setPen(roundLine(kNavy, 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(gull);
        p.drawPath(gull.translated(3, 3.5));
    }
    QPainterPath sea;
    sea.moveTo(0, 22);
    for (int x = 0; x < 32; x += 8) {
        sea.quadTo(x + 2, 20.5, x + 4, 22);
        sea.quadTo(x + 6, 23.5, x + 8, 22);
    }
    sea.lineTo(32, 32);
    sea.lineTo(0, 32);
    sea.closeSubpath();
    fillOnly(p, sea, kBlue);
    p.restore();

    p.fillRect(QRectF(15, 5, 2, 16), kInk);
    shape(p, polygon({{17, 5}, {17, 19}, {26, 19}}), kPaper, line(kInk, 1.5));
    shape(p, polygon({{14, 8}, {14, 19}, {7, 19}}), kPaper, line(kInk, 1.5));
    shape(p, polygon({{5, 21}, {27, 21}, {23, 26}, {9, 26}}), kRed, line(QColor(0x8a, 0x22, 0x22), 1.5));

    // The circle is a turning arrow: the whole round of views about one person.
    p.setPen(line(kOrange, 2.5));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - 14, centre.y() - 14, 28, 28);
    p.drawArc(ring, 110 * 16, 320 * 16);
    const qreal tipAngle = qDegreesToRadians(110.0 + 320.0 - 360.0);
    const QPointF end(centre.x() + 14 * qCos(tipAngle), centre.y() - 14 * qSin(tipAngle));
    QTransform turn;
    turn.translate(end.x(), end.y());
    turn.rotate(-qRadiansToDegrees(tipAngle));
    fillOnly(p, turn.map(polygon({{-4, 0}, {4, 0}, {0, -5}})), kOrange);
}

void programPavex(QPainter& p) {
    sailboatMark(p, false);
}

void programReply(QPainter& p) {
    shape(p, polygon({{5, 1}, {20, 1}, {26, 7}, {26, 31}, {5, 31}}), kPaper, line(kInk, 2));
    shape(p, polygon({{20, 1}, {20, 7}, {26, 7}}), kPaperShade, line(kInk, 2));
    for (int row = 0; row < 3; ++row) {
        const qreal y = 10 + row * 6;
        p.setPen(line(kInk, 1.5));
        p.setBrush(kPaper);
        p.drawEllipse(QPointF(10, y + 1), 2, 2);
        p.fillRect(QRectF(14, y, 8, 2), kTextLine);
    }
    fillOnly(p, ellipse({10, 17}, 1.2, 1.2), kGreen);
    shape(p, ellipse({23, 23}, 8, 8), kBlue, line(kNavy, 2));
    QPainterPath reply;
    reply.moveTo(27, 27);
    reply.cubicTo(27, 21, 24, 20, 19, 20);
    p.setPen(roundLine(kPaper, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(reply);
    fillOnly(p, polygon({{20.5, 15.5}, {15.5, 20}, {20.5, 24.5}}), kPaper);
}

void programRole(QPainter& p) {
    // An anvil on which roles are made, and the competency star being forged.
    QPainterPath anvil;
    anvil.moveTo(1, 15);
    anvil.quadTo(6, 15, 9, 14);
    anvil.lineTo(29, 14);
    anvil.lineTo(29, 19);
    anvil.quadTo(22, 19, 21, 23);
    anvil.lineTo(25, 27);
    anvil.lineTo(25, 30);
    anvil.lineTo(7, 30);
    anvil.lineTo(7, 27);
    anvil.lineTo(11, 23);
    anvil.quadTo(10, 19, 5, 18);
    anvil.quadTo(2, 17, 1, 15);
    anvil.closeSubpath();
    shape(p, anvil, kSteel, line(kInk, 2));
    p.fillRect(QRectF(10, 15, 18, 2), kSilver);
    shape(p, star({17, 7.5}, 7, 3), kGold, line(kDarkGold, 1.5));
    p.setPen(roundLine(kOrange, 1.5));
    p.drawLine(QPointF(4, 6), QPointF(7, 8));
    p.drawLine(QPointF(28, 4), QPointF(25, 7));
    p.drawLine(QPointF(29, 10), QPointF(26, 10.5));
}

// ---- file kinds -------------------------------------------------------------------------------

// A sheet with a folded corner and lines of text, for the file managers; each kind of file carries
// its badge in the lower right, so that a file never looks like the program that opens it. 32 units.
void sheet(QPainter& p) {
    shape(p, polygon({{4, 1}, {19, 1}, {25, 7}, {25, 31}, {4, 31}}), kPaper, line(kInk, 2));
    shape(p, polygon({{19, 1}, {19, 7}, {25, 7}}), kPaperShade, line(kInk, 2));
    for (int row = 0; row < 4; ++row) {
        p.fillRect(QRectF(8, 10 + row * 4, row == 0 ? 8 : 13, 2), kTextLine);
    }
}

// The badge is drawn on the 32-unit grid and shown at 18 units in the lower right.
void withBadge(QPainter& p, const std::function<void(QPainter&)>& badge) {
    sheet(p);
    p.save();
    p.translate(14, 14);
    p.scale(18.0 / 32, 18.0 / 32);
    badge(p);
    p.restore();
}

void fileJournal(QPainter& p) {
    withBadge(p, [](QPainter& q) { sailboatMark(q, false); });
}

// A request travels by mail: an envelope.
void fileRequest(QPainter& p) {
    withBadge(p, [](QPainter& q) {
        shape(q, QPainterPath(polygon({{2, 7}, {30, 7}, {30, 27}, {2, 27}})), kYellow, line(kInk, 2.5));
        q.setPen(roundLine(kInk, 2.5));
        q.setBrush(Qt::NoBrush);
        q.drawPolyline(QPolygonF({{2, 7}, {16, 19}, {30, 7}}));
    });
}

// A web reply comes from a web page: a globe.
void fileReply(QPainter& p) {
    withBadge(p, [](QPainter& q) {
        shape(q, ellipse({16, 16}, 14, 14), kLightBlue, line(kNavy, 2.5));
        q.setPen(line(kNavy, 2));
        q.setBrush(Qt::NoBrush);
        q.drawEllipse(QPointF(16, 16), 6, 14);
        q.drawLine(QPointF(16, 2), QPointF(16, 30));
        q.drawLine(QPointF(2, 16), QPointF(30, 16));
        q.drawLine(QPointF(5, 9), QPointF(27, 9));
        q.drawLine(QPointF(5, 23), QPointF(27, 23));
    });
}

// A role is made of competencies: the competency star.
void fileRole(QPainter& p) {
    withBadge(p, [](QPainter& q) { shape(q, star({16, 17}, 15, 6.5), kGold, line(kDarkGold, 2.5)); });
}

void dialogPicture(QPainter& p) {
    p.scale(2, 2);
    sailboatMark(p, true);
}

const std::vector<int> kToolSizes{16, 32, 64};
const std::vector<int> kProgramSizes{16, 24, 32, 48, 64, 128, 256};
const std::vector<int> kPictureSizes{64, 128, 256};

} // namespace

const std::vector<Art>& catalogue() {
    static const std::vector<Art> all{
        {"file-new", 16, kToolSizes, fileNew},
        {"file-open", 16, kToolSizes, fileOpen},
        {"file-save", 16, kToolSizes, fileSave},
        {"file-print", 16, kToolSizes, filePrint},
        {"about", 16, kToolSizes, about},
        {"edit-cut", 16, kToolSizes, editCut},
        {"edit-copy", 16, kToolSizes, editCopy},
        {"edit-paste", 16, kToolSizes, editPaste},
        {"edit-undo", 16, kToolSizes, editUndo},
        {"edit-redo", 16, kToolSizes, editRedo},
        {"choose-role", 16, kToolSizes, chooseRole},
        {"new-questionnaire", 16, kToolSizes, newQuestionnaire},
        {"send-request", 16, kToolSizes, sendRequest},
        {"create-request", 16, kToolSizes, createRequest},
        {"merge-request", 16, kToolSizes, mergeRequest},
        {"new-action", 16, kToolSizes, newAction},
        {"autopilot", 16, kToolSizes, autopilot},
        {"role-details", 16, kToolSizes, roleDetails},
        {"new-competency", 16, kToolSizes, newCompetency},
        {"new-behaviour", 16, kToolSizes, newBehaviour},
        {"edit-responses", 16, kToolSizes, editResponses},
        {"web-questionnaire", 16, kToolSizes, webQuestionnaire},
        {"feedback", 16, kToolSizes, feedback},
        {"results", 16, kToolSizes, results},
        {"behaviour", 16, kToolSizes, behaviour},
        {"journal", 16, kToolSizes, journal},
        {"development-area", 16, kToolSizes, developmentArea},
        {"action", 16, kToolSizes, flag},
        {"role", 16, kToolSizes, role},
        {"competency", 16, kToolSizes, competency},
        {"program-pavex", 32, kProgramSizes, programPavex},
        {"program-kvreply", 32, kProgramSizes, programReply},
        {"program-kvrole", 32, kProgramSizes, programRole},
        {"file-journal", 32, kProgramSizes, fileJournal},
        {"file-request", 32, kProgramSizes, fileRequest},
        {"file-reply", 32, kProgramSizes, fileReply},
        {"file-role", 32, kProgramSizes, fileRole},
        {"dialog-picture", 64, kPictureSizes, dialogPicture},
    };
    return all;
}

QImage render(const Art& art, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size) / art.grid, qreal(size) / art.grid);
    art.draw(painter);
    painter.end();
    return image;
}

} // namespace iconart
