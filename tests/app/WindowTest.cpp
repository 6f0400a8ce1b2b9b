// The main window driven through its controls, offscreen, against tiny languages written for
// each case.

#include "app/Application.h"
#include "app/Interface.h"
#include "app/MessageBoxes.h"
#include "platform/CodePage.h"
#include "platform/Messages.h"
#include "platform/SystemTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

Text W(const char* utf8) {
    return platform::FromUtf8(utf8, platform::CodePage::Cp1251);
}

// A language whose letters each become one output text: "x" -> "y" pairs; a letter may have
// several outputs, which the engine gives as separate variants. The .bin file is a placeholder
// without the compiled magic, so the text files are read.
void WriteLanguage(const QString& key, const std::vector<std::pair<char, const char*>>& rules) {
    QByteArray alphabet, lines;
    QByteArray seen;
    for (const auto& [letter, output] : rules) {
        if (!seen.contains(letter))
            alphabet += QByteArray(1, letter) + '=' + letter + "\r\n---\r\n";
        seen += letter;
        const Text right = W(output);
        lines +=
            "[" + QByteArray(1, letter) + "]=[" + QByteArray(right.data(), right.size()) + "]\r\n";
    }
    for (const auto& [suffix, bytes] : {std::pair<const char*, QByteArray>{".bin", "placeholder"},
                                        {".alf", alphabet},
                                        {".lin", lines}}) {
        QFile file(key + suffix);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
}

// Types text the way a keyboard layout does, character by character, Cyrillic included.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QStringList MemoLines(const TForm1& form) {
    const QString text = form.Memo1->toPlainText();
    return text.isEmpty() ? QStringList() : text.split('\n');
}

// What is written to standard error (file descriptor 2) from construction to Take().
class StandardErrorCapture {
public:
    StandardErrorCapture() : file_(std::tmpfile()) {
        std::fflush(stderr);
        saved_ = dup(2);
        dup2(fileno(file_), 2);
    }
    ~StandardErrorCapture() { Take(); }
    StandardErrorCapture(const StandardErrorCapture&) = delete;
    StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;

    QStringList Take() {
        if (!file_) return {};
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
        std::rewind(file_);
        QByteArray bytes;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file_)) > 0;)
            bytes.append(buffer, static_cast<qsizetype>(n));
        std::fclose(file_);
        file_ = nullptr;
        return QString::fromUtf8(bytes).split('\n', Qt::SkipEmptyParts);
    }

private:
    std::FILE* file_;
    int saved_ = -1;
};

// The window's focus after each Tab press, until it comes back to where it started.
QStringList TabWalk(QWidget* start) {
    QStringList walk;
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget* focus = QApplication::focusWidget();
        walk << (focus ? focus->objectName() : QString("(none)"));
        if (focus == start) break;
    }
    return walk;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

public:
    // Stands in for the desktop: receives the web addresses the window asks it to open.
    QList<QUrl> opened;
    Q_INVOKABLE void open(const QUrl& url) { opened << url; }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString previousDir_;
    platform::MessageHandler previousHandler_;
    std::vector<std::pair<Text, Text>> messages_; // text, caption
    std::function<void(const Text&)> onMessage_;
    bool translated_ = false;

private Q_SLOTS:
    // The application is set up as the program sets it up.
    void initTestCase() { translated_ = SetUpApplication(*qApp); }

    // Every case runs in a fresh directory holding all six languages and the banner page, with
    // messages recorded.
    void init() {
        messages_.clear();
        onMessage_ = nullptr;
        previousHandler_ = platform::SetMessageHandler([this](const Text& text, const Text& cap) {
            messages_.emplace_back(text, cap);
            if (onMessage_) onMessage_(text);
        });
        dir_ = std::make_unique<QTemporaryDir>();
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(dir_->path());
        WriteLanguage("english", {{'a', "а"}, {'b', "б"}, {'c', "к"}, {'c', "ц"}});
        WriteLanguage("deutsch", {{'b', "б"}, {'r', "р"}, {'\xE4', "э"}});
        WriteLanguage("francais", {{'c', "к"}, {'a', "а"}, {'f', "ф"}, {'\xE9', "е"}});
        WriteLanguage("2translit", {{'\xE4', "d"}, {'\xE0', "a"}});
        WriteLanguage("4translit", {{'a', "а"}});
        WriteLanguage("chineese", {{'a', "а"}});
        QVERIFY(QFile::copy(QM_DATA_DIR "/banner.html", TForm1::BannerFile));
        QVERIFY(QFile::copy(QM_DATA_DIR "/help.html", TForm1::HelpFile));
    }
    void cleanup() {
        QDir::setCurrent(previousDir_);
        dir_.reset();
        platform::SetMessageHandler(previousHandler_);
    }

    void startUp() {
        TForm1 form;
        QCOMPARE(form.Morph.languageKey, Text("english"));
        QVERIFY(form.RadioButton1->isChecked());
        for (QRadioButton* other : {form.RadioButton5, form.RadioButton7, form.RadioButton9,
                                    form.RadioButton2, form.RadioButton3})
            QVERIFY(!other->isChecked());
        QCOMPARE(form.Edit1->Charset(), 238);
        QVERIFY(messages_.empty());
        // "NewtonTT" is asked for everywhere and a free serif face stands in for it.
        const QWidget* const serif[] = {form.Edit1, form.Memo1, form.RadioButton3, form.Label1};
        for (const QWidget* control : serif) {
            const QString face = QFontInfo(control->font()).family();
            QVERIFY2(face == "PT Serif" || face == "DejaVu Serif", qPrintable(face));
        }
        QCOMPARE(form.Label1->text(), QString(TForm1::HelpFile));
        // The serif stand-in is wider than the original face; captions must still fit.
        QList<QWidget*> boxes = form.Panel1->findChildren<QWidget*>();
        boxes << form.Label1;
        form.ensurePolished();
        for (const QWidget* box : boxes)
            QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->objectName()));
    }

    void goButtonAndEnterAgree() {
        TForm1 form;
        QTest::keyClicks(form.Edit1, "cab");
        QTest::mouseClick(form.Panel3, Qt::LeftButton);
        const QStringList expected{"каб", "цаб"};
        QCOMPARE(MemoLines(form), expected);
        for (const Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
            form.Memo1->setPlainText("old");
            QTest::keyClick(form.Edit1, enter);
            QCOMPARE(MemoLines(form), expected);
        }
        QTest::keyClick(form.Edit1, Qt::Key_A); // any other key only types
        QCOMPARE(form.Edit1->text(), QString("caba"));
        QCOMPARE(MemoLines(form), expected);

        // A press that leaves the panel before its release is no click.
        form.Memo1->clear();
        QTest::mousePress(form.Panel3, Qt::LeftButton);
        QVERIFY(form.Panel3->Pressed());
        QTest::mouseRelease(form.Panel3, Qt::LeftButton, {}, QPoint(-5, -5));
        QVERIFY(!form.Panel3->Pressed());
        QVERIFY(MemoLines(form).isEmpty());
    }

    void emptyInputOrNoLanguageClearsMemo() {
        TForm1 form;
        form.Memo1->setPlainText("old");
        QTest::mouseClick(form.Panel3, Qt::LeftButton);
        QVERIFY(MemoLines(form).isEmpty());

        QFile::remove("chineese.bin");
        form.RadioButton7->click();
        QCOMPARE(messages_.size(), size_t(1));
        form.Edit1->setText("a");
        form.Memo1->setPlainText("old");
        QTest::keyClick(form.Edit1, Qt::Key_Return);
        QVERIFY(MemoLines(form).isEmpty());
    }

    void radioButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("charset");
        QTest::newRow("english") << "RadioButton1"
                                 << "english" << 0;
        QTest::newRow("deutsch") << "RadioButton5"
                                 << "deutsch" << 238;
        QTest::newRow("chineese") << "RadioButton7"
                                  << "chineese" << 0;
        QTest::newRow("francais") << "RadioButton9"
                                  << "francais" << 238;
        QTest::newRow("2translit") << "RadioButton3"
                                   << "2translit" << 204;
        QTest::newRow("4translit") << "RadioButton2"
                                   << "4translit" << 0;
    }
    void radioButtons() {
        QFETCH(QString, button);
        QFETCH(QString, key);
        QFETCH(int, charset);
        TForm1 form;
        if (button == "RadioButton1") form.RadioButton3->click(); // start elsewhere
        form.findChild<QRadioButton*>(button)->click();
        QCOMPARE(QString::fromStdString(form.Morph.languageKey), key);
        QCOMPARE(form.Edit1->Charset(), charset);
        QVERIFY(messages_.empty());
    }

    void noCheckedButtonLoadsNothing() {
        TForm1 form;
        form.RadioButton1->setAutoExclusive(false);
        form.RadioButton1->setChecked(false);
        form.RadioButton1Click();
        QCOMPARE(form.Morph.languageKey, Text());
        QCOMPARE(form.Edit1->Charset(), 238);
        QCOMPARE(messages_.size(), size_t(1)); // ".bin" does not exist
    }

    void missingBinShowsItsMessageOnce() {
        QFile::remove("english.bin");
        TForm1 form;
        QCOMPARE(messages_.size(), size_t(1));
        QCOMPARE(messages_[0].first, texts::CannotOpenRules());
        QCOMPARE(messages_[0].second, Text()); // the simple application message
        QCOMPARE(form.Morph.languageKey, Text());
        form.Edit1->setText("cab");
        QTest::mouseClick(form.Panel3, Qt::LeftButton);
        QVERIFY(MemoLines(form).isEmpty());
        QCOMPARE(messages_.size(), size_t(1));
    }

    void typedTextReachesTranscriberInCodePage_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German umlaut as cp1252") << "RadioButton5"
                                                 << "bär"
                                                 << "бэр";
        QTest::newRow("French accent as cp1252") << "RadioButton9"
                                                 << "café"
                                                 << "кафе";
        QTest::newRow("Cyrillic as cp1251") << "RadioButton3"
                                            << "да"
                                            << "da";
    }
    void typedTextReachesTranscriberInCodePage() {
        QFETCH(QString, button);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        TForm1 form;
        form.findChild<QRadioButton*>(button)->click();
        Type(form.Edit1, typed);
        QTest::keyClick(form.Edit1, Qt::Key_Return);
        QCOMPARE(MemoLines(form), QStringList{expected});
    }

    void collectionErrorIsShownAndWindowGoesOn() {
        TForm1 form;
        const Text error = texts::BadIndex() + "7";
        onMessage_ = [error](const Text& text) {
            if (text == texts::CannotOpenRules()) throw error;
        };
        QFile::remove("chineese.bin");
        form.RadioButton7->click();
        QCOMPARE(messages_.size(), size_t(2));
        QCOMPARE(messages_[1], std::make_pair(error, Text("QuilloMorph")));

        form.RadioButton1->click();
        form.Edit1->setText("ab");
        QTest::mouseClick(form.Panel3, Qt::LeftButton);
        QCOMPARE(MemoLines(form), QStringList{"аб"});
    }

    void activationNavigatesBannerEachTime() {
        TForm1 form;
        QSignalSpy navigations(form.CppWebBrowser1, &TCppWebBrowser::Navigated);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(navigations.size(), 1);
        QCOMPARE(navigations[0][0].toUrl(),
                 QUrl::fromLocalFile(QDir::current().absoluteFilePath("banner.html")));
        QVERIFY(form.CppWebBrowser1->toPlainText().contains("QuilloMorph"));

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(navigations.size(), 2);
    }

    // The link opens the help page in the system's browser; where none starts, one box says so.
    void labelOpensHelpPage() {
        TForm1 form;
        QDesktopServices::setUrlHandler("file", this, "open");
        QTest::mouseClick(form.Label1, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("file");
        const QString page = QDir::current().absoluteFilePath("help.html");
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(page)});
        QVERIFY(messages_.empty());

        const Text message = texts::CannotOpenHelp() + W(qPrintable(page));
        form.OpenInBrowser = [](const QUrl&) { return false; };
        QTest::mouseClick(form.Label1, Qt::LeftButton);
        QFile::remove("help.html");
        form.OpenInBrowser = [this](const QUrl& url) { return opened << url, true; };
        QTest::mouseClick(form.Label1, Qt::LeftButton);
        QCOMPARE(messages_.size(), size_t(2));
        for (const auto& [text, caption] : messages_) {
            QCOMPARE(text, message);
            QCOMPARE(caption, Text()); // the simple application message
        }
        QCOMPARE(opened.size(), 1);

        // The shipped page covers every language of the window, the command line and Python.
        QFile shipped(QM_DATA_DIR "/help.html");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(shipped.readAll());
        for (const QRadioButton* button : form.Panel1->findChildren<QRadioButton*>())
            QVERIFY2(html.contains(button->text()), qPrintable(button->text()));
        for (const char* part : {"quillomorph-cli", "Transcriber::Open", "import quillomorph"})
            QVERIFY2(html.contains(part), part);
    }

    void messageBoxes() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        std::unique_ptr<QMessageBox> owned(MakeMessageBox(W("Нет файла"), W("Ошибка")));
        QCOMPARE(owned->windowTitle(), QString("Ошибка"));
        QCOMPARE(owned->text(), QString("Нет файла"));
        QCOMPARE(owned->parentWidget(), nullptr);
        QCOMPARE(owned->standardButtons(), QMessageBox::Ok);
        std::unique_ptr<QMessageBox> simple(MakeMessageBox(W("Готово"), Text()));
        QCOMPARE(simple->windowTitle(), QString("QuilloMorph"));
        QCOMPARE(simple->parentWidget(), &form);

        // Qt's desktop plugins append " — " and the application's display name, once one is
        // set, to every title that does not end with it: none may be set. Unset, the display
        // name follows the application name.
        const QString name = QApplication::applicationName();
        QCOMPARE(name, QString("QuilloMorph"));
        QApplication::setApplicationName("probe");
        const QString displayName = QApplication::applicationDisplayName();
        QApplication::setApplicationName(name);
        QCOMPARE(displayName, QString("probe"));
        QCOMPARE(form.windowTitle(), QString("QuilloMorph"));
        for (const Text& caption : {texts::RuleLineCaption(), texts::BadRuleCaption()}) {
            std::unique_ptr<QMessageBox> box(MakeMessageBox(W("1"), caption));
            QCOMPARE(box->windowTitle().toStdString(),
                     platform::ToUtf8(caption, platform::CodePage::Cp1251));
        }
    }

    // Qt's own texts, such as the standard context menus, are in Russian.
    void standardTextsSpeakRussian() {
        QVERIFY2(translated_, "qtbase_ru.qm not found: install qt6-translations-l10n");
        TForm1 form;
        form.Edit1->setText("ab");
        std::unique_ptr<QMenu> menus[] = {
            std::unique_ptr<QMenu>(form.Edit1->createStandardContextMenu()),
            std::unique_ptr<QMenu>(form.Memo1->createStandardContextMenu())};
        for (const auto& menu : menus) {
            QVERIFY(!menu->actions().isEmpty());
            for (const QAction* action : menu->actions())
                if (!action->isSeparator())
                    QVERIFY2(action->text().contains(QRegularExpression("[А-Яа-я]")),
                             qPrintable(action->text()));
        }
    }

    // Of the messages one loading gives, ten are boxes and one more tells how many were held
    // back; every one goes to standard error. The next loading counts afresh.
    void messageFloodOfOneLoading() {
        QFile lin("english.lin");
        QVERIFY(lin.open(QIODevice::ReadOnly));
        const QByteArray rules = lin.readAll();
        lin.close();
        QVERIFY(lin.open(QIODevice::WriteOnly));
        for (int i = 0; i < 50; ++i)
            lin.write("# not a rule\r\n");
        lin.write(rules);
        lin.close();

        auto checkFlood = [this](const QStringList& standardError) {
            QCOMPARE(messages_.size(), size_t(11));
            for (std::size_t i = 0; i < 10; ++i)
                QCOMPARE(messages_[i], std::make_pair(texts::NoOpenBracket() + std::to_string(i),
                                                      texts::RuleLineCaption()));
            QCOMPARE(messages_[10],
                     std::make_pair(texts::MoreMessages() + "40", texts::RuleLineCaption()));
            QStringList expected;
            for (int i = 0; i < 50; ++i)
                expected << QString("Ошибка в правиле: Отсутствует [, правило %1").arg(i);
            QCOMPARE(standardError.filter("правил"), expected);
        };
        StandardErrorCapture startUp;
        TForm1 form;
        checkFlood(startUp.Take());

        form.RadioButton3->click();
        messages_.clear();
        StandardErrorCapture choice;
        form.RadioButton1->click();
        checkFlood(choice.Take());

        // The rules after the faulty lines are loaded; later messages are boxes again.
        form.Edit1->setText("ab");
        QTest::keyClick(form.Edit1, Qt::Key_Return);
        QCOMPARE(MemoLines(form), QStringList{"аб"});
        StandardErrorCapture after;
        platform::ShowMessage("after");
        QCOMPARE(messages_.size(), size_t(12));
        QVERIFY(after.Take().filter("after").isEmpty());
    }

    // The results are read, selected and copied, never edited; Tab goes from the input line
    // through the checked language, the results and the banner back to the input line.
    void resultsAreReadOnlyAndTabLeavesThem() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClicks(form.Edit1, "cab");
        QTest::keyClick(form.Edit1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form.Edit1);
        QCOMPARE(TabWalk(form.Edit1),
                 QStringList({"RadioButton1", "Memo1", "CppWebBrowser1", "Edit1"}));

        form.Memo1->setFocus();
        QGuiApplication::clipboard()->setText("pasted");
        QTest::keyClicks(form.Memo1, "x");
        for (const auto& sequence : {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo})
            QTest::keySequence(form.Memo1, sequence);
        QTest::keyClick(form.Memo1, Qt::Key_Backspace);
        QTest::keyClick(form.Memo1, Qt::Key_Delete);
        QCOMPARE(MemoLines(form), QStringList({"каб", "цаб"}));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("pasted"));

        QTest::keyClick(form.Memo1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(form.Memo1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("каб\nцаб"));
        // Selecting by keyboard works as well.
        QTest::keyClick(form.Memo1, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(form.Memo1, Qt::Key_End, Qt::ShiftModifier);
        QTest::keySequence(form.Memo1, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("каб"));
        QCOMPARE(QApplication::focusWidget(), form.Memo1);
    }

    // Choosing a language transcribes the input line again and gives it the focus back: a
    // language that does not load gives no results; with nothing typed nothing is transcribed.
    void choosingLanguageTranscribesAgain() {
        for (const char* suffix : {".bin", ".alf", ".syl", ".ex", ".lin"}) {
            QFile::remove(QString("deutsch") + suffix);
            QFile::copy(QString(QM_DATA_DIR "/deutsch") + suffix, QString("deutsch") + suffix);
        }
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        Type(form.Edit1, "Müller");
        QTest::mouseClick(form.RadioButton5, Qt::LeftButton);
        QCOMPARE(MemoLines(form), QStringList{"Мюллер"});
        QCOMPARE(QApplication::focusWidget(), form.Edit1);
        // Chosen by the arrow keys, the language is loaded and used, but the focus stays with
        // the buttons so that the arrows go on.
        form.RadioButton5->setFocus();
        QTest::keyClick(form.RadioButton5, Qt::Key_Left);
        QCOMPARE(form.Morph.languageKey, Text("english"));
        QCOMPARE(QApplication::focusWidget(), form.RadioButton1);
        QVERIFY(MemoLines(form) != QStringList{"Мюллер"}); // English has none of its letters
        QTest::mouseClick(form.RadioButton5, Qt::LeftButton);

        QFile::remove("chineese.bin");
        QTest::mouseClick(form.RadioButton7, Qt::LeftButton);
        QVERIFY(MemoLines(form).isEmpty());
        QCOMPARE(messages_.size(), size_t(1));

        form.Edit1->clear();
        form.Memo1->setPlainText("old");
        QTest::mouseClick(form.RadioButton1, Qt::LeftButton);
        QCOMPARE(form.Morph.languageKey, Text("english"));
        QCOMPARE(MemoLines(form), QStringList{"old"});
        QCOMPARE(QApplication::focusWidget(), form.Edit1);
    }

    // Several lines pasted into the input line are one line of words: line breaks and tabs
    // reach the transcriber as blanks.
    void pastedLinesBecomeBlanks() {
        TForm1 form;
        QGuiApplication::clipboard()->setText("ab\r\nba\tab\nb\rab\u2029a");
        form.Edit1->setFocus();
        QTest::keySequence(form.Edit1, QKeySequence::Paste);
        QCOMPARE(form.Edit1->AnsiText(), Text("ab ba ab b ab a"));
        QTest::keyClick(form.Edit1, Qt::Key_Return);
        QCOMPARE(MemoLines(form), QStringList{"аб ба аб б аб а"});
    }

    void layout() {
        TForm1 form;
        QCOMPARE(form.size(), QSize(473, 434));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        const struct {
            const char* name;
            const char* parent;
            QRect rect;
        } controls[] = {
            {"Edit1", "Form1", {8, 8, 457, 27}},
            {"Panel1", "Panel2", {4, 4, 450, 53}},
            {"Panel2", "Form1", {8, 272, 457, 60}},
            {"RadioButton1", "Panel1", {8, 8, 105, 16}},
            {"RadioButton5", "Panel1", {176, 8, 97, 16}},
            {"RadioButton7", "Panel1", {8, 29, 105, 16}},
            {"Image1", "Form1", {8, 37, 457, 228}},
            {"RadioButton9", "Panel1", {328, 8, 121, 16}},
            {"Memo1", "Form1", {172, 83, 280, 169}},
            {"CppWebBrowser1", "Form1", {8, 336, 457, 100}},
            {"RadioButton2", "Panel1", {176, 29, 105, 16}},
            {"RadioButton3", "Panel1", {328, 29, 113, 16}},
            {"Panel3", "Form1", {341, 49, 113, 25}},
            {"Panel4", "Form1", {440, 336, 33, 97}},
            {"Panel5", "Form1", {0, 337, 17, 97}},
            {"Panel6", "Form1", {8, 336, 465, 9}},
            {"Panel7", "Form1", {8, 424, 465, 9}},
            {"Label1", "Form1", {216, 56, 84, 18}},
        };
        for (const auto& control : controls) {
            const QWidget* widget = form.findChild<QWidget*>(control.name);
            QVERIFY2(widget, control.name);
            QCOMPARE(widget->parentWidget()->objectName(), QString(control.parent));
            QCOMPARE(widget->geometry(), control.rect);
        }

        // Later controls lie above earlier ones: the picture under the output box, the button
        // and the link; the white strips over the banner.
        QStringList stacking;
        for (const QObject* child : form.children())
            if (!child->objectName().isEmpty()) stacking << child->objectName();
        QCOMPARE(stacking,
                 QStringList({"Edit1", "Panel2", "Image1", "Memo1", "CppWebBrowser1", "Panel3",
                              "Panel4", "Panel5", "Panel6", "Panel7", "Label1"}));

        QStringList tabs;
        QWidget* widget = form.Edit1;
        do {
            if ((widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().isEmpty())
                tabs << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != form.Edit1);
        QCOMPARE(tabs, QStringList({"Edit1", "RadioButton1", "RadioButton5", "RadioButton9",
                                    "RadioButton7", "RadioButton2", "RadioButton3", "Memo1",
                                    "CppWebBrowser1"}));
    }

    // Renders the window for a person to look at: build/tests/app/quillomorph-window.png.
    void screenshot() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClicks(form.Edit1, "cab");
        QTest::keyClick(form.Edit1, Qt::Key_Return);
        const QImage image = form.grab().toImage();
        QVERIFY(image.save(QM_SCREENSHOT));
        // The built-in picture shows left of the output box.
        QVERIFY(image.pixelColor(30, 200) != QColor(Qt::white));
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
