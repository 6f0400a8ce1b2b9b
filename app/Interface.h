#pragma once

#include "app/Controls.h"
#include "facade/LinearQuilloMorph.h"

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QWidget>

#include <functional>

class QEvent;

// The main window: an input line, six language choices, the "Поехали!" button and the output
// box, with a banner below and a link to the help page. It owns the transcriber.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    static const char* const BannerFile; // the banner page, in the working directory
    static const char* const HelpFile;   // the help page Label1 opens, in the working directory

    // Controls, parented by the form unless noted; each later one lies above the earlier ones.
    TEdit* Edit1;
    TPanel* Panel1; // in Panel2; parent of the radio buttons
    TPanel* Panel2;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton5;
    QRadioButton* RadioButton7;
    QLabel* Image1;
    QRadioButton* RadioButton9;
    QPlainTextEdit* Memo1;
    TCppWebBrowser* CppWebBrowser1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    TPanel* Panel3;
    TPanel* Panel4;
    TPanel* Panel5;
    TPanel* Panel6;
    TPanel* Panel7;
    TLabel* Label1;

    // Handlers. Each catches what escapes it and shows it in a message box.
    void Button1Click();
    void Edit1KeyPress(char& key);
    void RadioButton1Click();
    void FormActivate();
    void Label1Click();

    // Opens a page in the system's browser; false when none could be started.
    std::function<bool(const QUrl&)> OpenInBrowser;

    LinearQuilloMorph Morph;

protected:
    bool event(QEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void LoadLanguage(const Text& key);
    void LanguageChosen();
};
