#pragma once

#include "platform/CodePage.h"
#include "platform/Text.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QUrl>

#include <functional>

// The window's controls: Qt widgets with the few properties and events the window relies on.

// Font charsets; the one of the input line decides the code page of the typed text.
enum FontCharset { ANSI_CHARSET = 0, RUSSIAN_CHARSET = 204, EASTEUROPE_CHARSET = 238 };

// The code page in which text typed under a font charset reaches the transcriber.
platform::CodePage CodePageOf(int charset);

// One-line edit. Its text leaves the control as bytes in the code page of its charset.
class TEdit : public QLineEdit {
public:
    explicit TEdit(QWidget* parent);

    int Charset() const { return charset_; }
    void SetCharset(int charset) { charset_ = charset; }

    // The text as bytes: cp1251 under RUSSIAN_CHARSET, cp1252 under any other charset. Line
    // breaks and tabs, which a paste of several lines brings in, become blanks (CR LF one).
    Text AnsiText() const;

    // Called for every key that types a character, with Enter as 13 and the character
    // otherwise as its byte in the edit's code page. Setting key to 0 swallows the key.
    std::function<void(char& key)> OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int charset_ = ANSI_CHARSET;
};

enum class TBevel { None, Lowered, Raised };

// A panel: a coloured rectangle with an outer and an inner bevel and a centred caption.
// A pushable panel serves as a button: it shows a pressed look while the mouse holds it.
class TPanel : public QFrame {
public:
    explicit TPanel(QWidget* parent);

    TBevel BevelOuter = TBevel::Raised;
    TBevel BevelInner = TBevel::None;
    QColor Color = QColor(0xF0, 0xF0, 0xF0);
    QString Caption;

    void SetPushable(bool pushable);
    bool Pushable() const { return pushable_; }
    bool Pressed() const { return pressed_; }

    // Runs when a left button press and its release both fall on the panel.
    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pushable_ = false;
    bool pressed_ = false;
    bool holding_ = false;
};

// A label that reports clicks.
class TLabel : public QLabel {
public:
    explicit TLabel(QWidget* parent);

    std::function<void()> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool holding_ = false;
};

// The banner view: a text browser that loads local pages.
class TCppWebBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit TCppWebBrowser(QWidget* parent);

    // Loads url, reading the page again when it is already shown.
    void Navigate(const QUrl& url);

Q_SIGNALS:
    void Navigated(const QUrl& url);
};
