// Draws the picture that lies behind the output box of the window (457 x 228 pixels):
// paper tones, the program's name, a few sample transcriptions and a quill.
// Usage: quillomorph-draw-picture OUTPUT.png   (QT_QPA_PLATFORM=offscreen works)

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

const QColor Ink(0x2B, 0x3A, 0x55);
const QColor Rust(0x8C, 0x3B, 0x22);

QFont Serif(int pixels, bool italic = false, bool bold = false) {
    QFont font("PT Serif");
    font.setFamilies({"PT Serif", "DejaVu Serif"});
    font.setPixelSize(pixels);
    font.setItalic(italic);
    font.setBold(bold);
    return font;
}

// A feather lying from the nib at the lower left towards the upper right.
void DrawQuill(QPainter& p) {
    p.save();
    p.translate(16, 206);
    p.rotate(-24);
    p.scale(0.78, 0.78);
    QPainterPath vane;
    vane.moveTo(0, 0);
    vane.cubicTo(40, -16, 120, -22, 196, -4);
    vane.cubicTo(150, 10, 70, 14, 0, 0);
    QLinearGradient fill(0, -20, 0, 14);
    fill.setColorAt(0, QColor(0xC9, 0xD6, 0xE6, 150));
    fill.setColorAt(1, QColor(0xF4, 0xEB, 0xD6, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(vane);
    p.setPen(QPen(QColor(0x7D, 0x8E, 0xA8, 150), 1));
    for (int x = 30; x < 190; x += 9) {
        p.drawLine(QPointF(x, -1), QPointF(x + 14, -12 + (x > 150 ? (x - 150) / 4 : 0)));
        p.drawLine(QPointF(x, 0), QPointF(x + 12, 8 - (x > 150 ? (x - 150) / 6 : 0)));
    }
    p.setPen(QPen(QColor(0x5A, 0x4A, 0x3A, 200), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-6, 0), QPointF(196, -4));
    p.restore();
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    QImage image(457, 228, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient paper(0, 0, 457, 228);
    paper.setColorAt(0, QColor(0xFF, 0xF8, 0xE9));
    paper.setColorAt(0.55, QColor(0xF3, 0xF1, 0xEA));
    paper.setColorAt(1, QColor(0xDF, 0xE9, 0xF4));
    p.fillRect(image.rect(), paper);

    // Large pale letters, Latin and Cyrillic, behind everything.
    p.setFont(Serif(120, true));
    p.setPen(QColor(0xE6, 0xDD, 0xC8));
    p.drawText(QPointF(36, 168), "Q");
    p.setPen(QColor(0xD6, 0xE0, 0xEC));
    p.drawText(QPointF(96, 196), "Я");

    DrawQuill(p);

    p.setFont(Serif(25, true, true));
    p.setPen(Ink);
    p.drawText(QPointF(12, 33), "QuilloMorph");

    // A few names and their Russian forms.
    const char* const samples[][2] = {
        {"Smith", "Смит"}, {"Müller", "Мюллер"}, {"Dupont", "Дюпон"}, {"Wang", "Ван"}};
    int y = 74;
    for (const auto& sample : samples) {
        p.setFont(Serif(14, true));
        p.setPen(Ink);
        p.drawText(QRectF(8, y - 14, 64, 18), Qt::AlignRight | Qt::AlignVCenter,
                   QString::fromUtf8(sample[0]));
        p.setPen(QColor(0x9A, 0x8F, 0x7A));
        p.drawText(QRectF(74, y - 14, 16, 18), Qt::AlignCenter, QString::fromUtf8("→"));
        p.setFont(Serif(14));
        p.setPen(Rust);
        p.drawText(QRectF(92, y - 14, 72, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(sample[1]));
        y += 24;
    }

    // An ink flourish along the bottom edge.
    QPainterPath flourish;
    flourish.moveTo(150, 222);
    flourish.cubicTo(230, 212, 300, 228, 360, 219);
    flourish.cubicTo(400, 213, 430, 218, 457, 214);
    p.setPen(QPen(QColor(0x2B, 0x3A, 0x55, 120), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flourish);
    p.end();

    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
