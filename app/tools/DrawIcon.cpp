// Draws the program's icon, SIZE x SIZE pixels: a Cyrillic Я in ink on a sheet of paper, with
// a quill behind it, in the colours of the window's picture. Shapes only, no fonts, so that it
// looks the same wherever it is built, and no display or application object is needed.
// Usage: quillomorph-draw-icon SIZE OUTPUT.png

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstdlib>

namespace {

const QColor Ink(0x2B, 0x3A, 0x55);
const QColor Rust(0x8C, 0x3B, 0x22);

// The drawing is made on a 256-unit square.
void DrawIcon(QPainter& p) {
    // The sheet: a rounded square, cream at the top left, pale blue at the bottom right.
    QLinearGradient paper(0, 0, 256, 256);
    paper.setColorAt(0, QColor(0xFB, 0xF5, 0xE6));
    paper.setColorAt(1, QColor(0xDC, 0xE6, 0xF2));
    p.setPen(QPen(QColor(0x9A, 0x8F, 0x7A), 6));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(10, 10, 236, 236), 40, 40);

    // The quill, from the nib at the bottom to the upper right, beside the letter.
    p.save();
    p.translate(150, 232);
    p.rotate(-68);
    QPainterPath vane;
    vane.moveTo(40, 0);
    vane.cubicTo(84, -30, 150, -34, 200, -4);
    vane.cubicTo(150, 20, 90, 22, 40, 0);
    QLinearGradient feather(0, -30, 0, 22);
    feather.setColorAt(0, QColor(0xB4, 0xC6, 0xDC));
    feather.setColorAt(1, QColor(0xE8, 0xDC, 0xC0));
    p.setPen(Qt::NoPen);
    p.setBrush(feather);
    p.drawPath(vane);
    p.setPen(QPen(Rust, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 0), QPointF(204, -4));
    p.restore();

    // The letter Я: a stem on the right, a bowl to its left, a leg down to the lower left.
    QPainterPath letter;
    letter.setFillRule(Qt::OddEvenFill);
    letter.addRect(QRectF(160, 46, 32, 166));
    QPainterPath bowl;
    bowl.moveTo(162, 46);
    bowl.lineTo(122, 46);
    bowl.cubicTo(62, 46, 62, 140, 122, 140);
    bowl.lineTo(162, 140);
    bowl.lineTo(162, 114);
    bowl.lineTo(124, 114);
    bowl.cubicTo(94, 114, 94, 72, 124, 72);
    bowl.lineTo(162, 72);
    bowl.closeSubpath();
    QPainterPath leg;
    leg.moveTo(110, 132);
    leg.lineTo(146, 132);
    leg.lineTo(100, 212);
    leg.lineTo(62, 212);
    leg.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.translate(-34, 6);
    p.drawPath(letter.united(bowl).united(leg));
}

} // namespace

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 8 || size > 1024) {
        std::fprintf(stderr, "usage: quillomorph-draw-icon SIZE OUTPUT.png\n");
        return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    DrawIcon(p);
    p.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
