#include "app/Controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <string>

platform::CodePage CodePageOf(int charset) {
    return charset == RUSSIAN_CHARSET ? platform::CodePage::Cp1251 : platform::CodePage::Cp1252;
}

// ---------------------------------------------------------------------------------------------

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {}

Text TEdit::AnsiText() const {
    QString line = text();
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : line) {
        switch (c.unicode()) {
        case '\t':
        case '\n':
        case '\v':
        case '\f':
        case '\r':
        case 0x85:   // next line
        case 0x2028: // line separator
        case 0x2029: // paragraph separator
            c = QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return platform::FromUtf8(line.toStdString(), CodePageOf(charset_));
}

void TEdit::keyPressEvent(QKeyEvent* event) {
    if (OnKeyPress) {
        char key = 0;
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter) {
            key = 13;
        } else if (!event->text().isEmpty()) {
            const Text bytes =
                platform::FromUtf8(event->text().toStdString(), CodePageOf(charset_));
            if (!bytes.empty()) key = bytes[0];
        }
        if (enter || key != 0) {
            OnKeyPress(key);
            if (key == 0) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

// ---------------------------------------------------------------------------------------------

namespace {

const QColor BtnHighlight(0xFF, 0xFF, 0xFF);
const QColor BtnShadow(0xA0, 0xA0, 0xA0);

// One bevel ring: top and left in topColor, bottom and right in bottomColor; rect shrinks by 1.
void Frame3D(QPainter& painter, QRect& rect, const QColor& topColor, const QColor& bottomColor) {
    painter.setPen(topColor);
    painter.drawLine(rect.left(), rect.top(), rect.right(), rect.top());
    painter.drawLine(rect.left(), rect.top(), rect.left(), rect.bottom());
    painter.setPen(bottomColor);
    painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    painter.drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
    rect.adjust(1, 1, -1, -1);
}

void DrawBevel(QPainter& painter, QRect& rect, TBevel bevel) {
    if (bevel == TBevel::Raised) Frame3D(painter, rect, BtnHighlight, BtnShadow);
    if (bevel == TBevel::Lowered) Frame3D(painter, rect, BtnShadow, BtnHighlight);
}

} // namespace

TPanel::TPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
}

void TPanel::SetPushable(bool pushable) {
    pushable_ = pushable;
    setCursor(pushable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect rect = this->rect();
    const bool down = pushable_ && pressed_;
    DrawBevel(painter, rect, down && BevelOuter == TBevel::Raised ? TBevel::Lowered : BevelOuter);
    DrawBevel(painter, rect, BevelInner);
    painter.fillRect(rect, down ? Color.darker(106) : Color);
    if (!Caption.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setFont(font());
        painter.drawText(rect.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, Caption);
    }
}

void TPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QFrame::mousePressEvent(event);
    holding_ = true;
    pressed_ = true;
    update();
}

void TPanel::mouseMoveEvent(QMouseEvent* event) {
    if (!holding_) return QFrame::mouseMoveEvent(event);
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != pressed_) {
        pressed_ = inside;
        update();
    }
}

void TPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !holding_) return QFrame::mouseReleaseEvent(event);
    const bool inside = rect().contains(event->position().toPoint());
    holding_ = false;
    pressed_ = false;
    update();
    if (inside && OnClick) OnClick();
}

// ---------------------------------------------------------------------------------------------

TLabel::TLabel(QWidget* parent) : QLabel(parent) {}

void TLabel::mousePressEvent(QMouseEvent* event) {
    holding_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = holding_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    holding_ = false;
    if (click && OnClick) OnClick();
    QLabel::mouseReleaseEvent(event);
}

// ---------------------------------------------------------------------------------------------

TCppWebBrowser::TCppWebBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenExternalLinks(true);
}

void TCppWebBrowser::Navigate(const QUrl& url) {
    if (source() == url)
        reload();
    else
        setSource(url);
    Q_EMIT Navigated(url);
}
