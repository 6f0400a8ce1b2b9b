#include "app/Interface.h"

#include "app/MessageBoxes.h"
#include "facade/TextEdges.h"
#include "platform/CodePage.h"
#include "platform/Messages.h"
#include "platform/StringList.h"
#include "platform/SystemTexts.h"

#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFont>
#include <QPixmap>
#include <QScreen>
#include <QStringList>

#include <algorithm>
#include <exception>
#include <iterator>
#include <string>

const char* const TForm1::BannerFile = "banner.html";
const char* const TForm1::HelpFile = "help.html";

namespace {

const char* const NewtonTT = "NewtonTT";
const QColor White(0xFF, 0xFF, 0xFF);
const QColor Cream(0xFF, 0xFB, 0xF0);
const QColor HotLight(0x00, 0x66, 0xCC);

// The radio buttons in the order they are tested: the first checked one names the language.
struct Language {
    QRadioButton* TForm1::*button;
    const char* key;
    int charset;
};
const Language Languages[] = {
    {&TForm1::RadioButton1, "english", ANSI_CHARSET},
    {&TForm1::RadioButton5, "deutsch", EASTEUROPE_CHARSET},
    {&TForm1::RadioButton7, "chineese", ANSI_CHARSET},
    {&TForm1::RadioButton9, "francais", EASTEUROPE_CHARSET},
    {&TForm1::RadioButton3, "2translit", RUSSIAN_CHARSET},
    {&TForm1::RadioButton2, "4translit", ANSI_CHARSET},
};

// The font is asked for by name; where it is missing a free serif face takes its place.
QFont NewtonFont(int pixelHeight) {
    static const bool registered = [] {
        QFont::insertSubstitutions(NewtonTT, {"PT Serif", "DejaVu Serif"});
        return true;
    }();
    (void)registered;
    QFont font(NewtonTT);
    font.setPixelSize(pixelHeight);
    return font;
}

// Runs a handler body; an error that escapes it is shown and the window goes on.
template <class Body> void Guarded(Body&& body) {
    try {
        body();
    } catch (const Text& error) {
        platform::MessageBoxA(error, ApplicationCaption);
    } catch (const std::exception& error) {
        platform::MessageBoxA(platform::FromUtf8(error.what(), platform::CodePage::Cp1251),
                              ApplicationCaption);
    }
}

template <class Control> Control* Place(Control* control, const char* name, QRect geometry) {
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

TPanel* MakePanel(QWidget* parent, const char* name, QRect geometry, const QColor& color,
                  TBevel outer, TBevel inner = TBevel::None) {
    auto* panel = Place(new TPanel(parent), name, geometry);
    panel->Color = color;
    panel->BevelOuter = outer;
    panel->BevelInner = inner;
    return panel;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* button = Place(new QRadioButton(caption, parent), name, geometry);
    // Set here, as the style sheet of the panel keeps the form's font from reaching the buttons;
    // slightly tightened so that the widest caption fits its button.
    QFont font = NewtonFont(16);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.5);
    button->setFont(font);
    return button;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      OpenInBrowser(QDesktopServices::openUrl) {
    setObjectName("Form1");
    setWindowTitle(ApplicationCaption);
    setFixedSize(473, 434);
    setFont(NewtonFont(16));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, White);
    colours.setColor(QPalette::Base, White);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        colours.setColor(role, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);

    CreateControls();
    ConnectHandlers();

    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());

    Guarded([this] { LoadLanguage("english"); });
}

TForm1::~TForm1() = default;

void TForm1::CreateControls() {
    Edit1 = Place(new TEdit(this), "Edit1", {8, 8, 457, 27});
    Edit1->setFont(NewtonFont(17));
    Edit1->SetCharset(EASTEUROPE_CHARSET);

    Panel2 = MakePanel(this, "Panel2", {8, 272, 457, 60}, Cream, TBevel::Raised);
    Panel1 = MakePanel(Panel2, "Panel1", {4, 4, 450, 53}, White, TBevel::Lowered, TBevel::Lowered);
    // The serif face is a little wider than the one the captions were measured for: a narrow
    // gap between mark and caption.
    Panel1->setStyleSheet("QRadioButton { spacing: 3px; }");
    RadioButton1 = MakeRadio(Panel1, "RadioButton1", "Английский", {8, 8, 105, 16});
    RadioButton1->setChecked(true);
    RadioButton5 = MakeRadio(Panel1, "RadioButton5", "Немецкий", {176, 8, 97, 16});
    RadioButton7 = MakeRadio(Panel1, "RadioButton7", "Китайский", {8, 29, 105, 16});

    Image1 = Place(new QLabel(this), "Image1", {8, 37, 457, 228});
    Image1->setPixmap(QPixmap(":/pictures/picture.png"));
    Image1->setScaledContents(true);

    RadioButton9 = MakeRadio(Panel1, "RadioButton9", "Французский", {328, 8, 121, 16});

    Memo1 = Place(new QPlainTextEdit(this), "Memo1", {172, 83, 280, 169});
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The results are read and copied, not edited; Tab moves on instead of typing a tab.
    Memo1->setReadOnly(true);
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setTabChangesFocus(true);

    CppWebBrowser1 = Place(new TCppWebBrowser(this), "CppWebBrowser1", {8, 336, 457, 100});
    CppWebBrowser1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CppWebBrowser1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    RadioButton2 = MakeRadio(Panel1, "RadioButton2", "Транслит", {176, 29, 105, 16});
    RadioButton3 = MakeRadio(Panel1, "RadioButton3", "На транслит", {328, 29, 113, 16});

    Panel3 = MakePanel(this, "Panel3", {341, 49, 113, 25}, Cream, TBevel::Raised);
    Panel3->Caption = "Поехали!";
    Panel3->SetPushable(true);

    // White strips over the banner's edges, so that only the page itself shows.
    Panel4 = MakePanel(this, "Panel4", {440, 336, 33, 97}, White, TBevel::None);
    Panel5 = MakePanel(this, "Panel5", {0, 337, 17, 97}, White, TBevel::None);
    Panel6 = MakePanel(this, "Panel6", {8, 336, 465, 9}, White, TBevel::None);
    Panel7 = MakePanel(this, "Panel7", {8, 424, 465, 9}, White, TBevel::None);

    Label1 = Place(new TLabel(this), "Label1", {216, 56, 84, 18});
    QFont link = NewtonFont(16);
    link.setUnderline(true);
    link.setLetterSpacing(QFont::AbsoluteSpacing, -0.4);
    Label1->setFont(link);
    QPalette linkColours = Label1->palette();
    linkColours.setColor(QPalette::WindowText, HotLight);
    Label1->setPalette(linkColours);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->setText(HelpFile);

    QWidget::setTabOrder(Edit1, RadioButton1);
    QWidget::setTabOrder(RadioButton1, RadioButton5);
    QWidget::setTabOrder(RadioButton5, RadioButton9);
    QWidget::setTabOrder(RadioButton9, RadioButton7);
    QWidget::setTabOrder(RadioButton7, RadioButton2);
    QWidget::setTabOrder(RadioButton2, RadioButton3);
    QWidget::setTabOrder(RadioButton3, Memo1);
    QWidget::setTabOrder(Memo1, CppWebBrowser1);
}

void TForm1::ConnectHandlers() {
    Panel3->OnClick = [this] { Button1Click(); };
    Edit1->OnKeyPress = [this](char& key) { Edit1KeyPress(key); };
    Label1->OnClick = [this] { Label1Click(); };
    // A button's click reaches the handler when it becomes the checked one.
    for (const Language& language : Languages)
        connect(this->*language.button, &QRadioButton::toggled, this, [this](bool checked) {
            if (!checked) return;
            RadioButton1Click();
            LanguageChosen();
        });
}

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QWidget::event(event);
}

void TForm1::Button1Click() {
    Guarded([this] {
        Memo1->clear();
        // The input goes in, and the variants come out, through the same edges as in the
        // library: what the rules do not rewrite comes out as it was typed.
        TextEdges edges(CodePageOf(Edit1->Charset()), Morph.syllabite.alphabet);
        platform::StringList list;
        Morph.Transcribe(edges.In(Edit1->text().toStdString()), list);
        QStringList lines;
        for (int i = 0; i < list.Count(); ++i)
            lines << QString::fromStdString(edges.Out(list[i]));
        Memo1->setPlainText(lines.join('\n'));
    });
}

// The key stays as it is: Enter goes on to the edit after the transcription.
// cppcheck-suppress constParameter
void TForm1::Edit1KeyPress(char& key) {
    if (key == 13) Button1Click();
}

void TForm1::RadioButton1Click() {
    Guarded([this] {
        const Language* const end = std::end(Languages);
        const Language* checked = std::find_if(std::begin(Languages), end, [this](const auto& l) {
            return (this->*l.button)->isChecked();
        });
        if (checked == end) {
            Morph.LoadLanguage(Text());
            return;
        }
        Edit1->SetCharset(checked->charset);
        LoadLanguage(checked->key);
    });
}

// Of the messages one loading gives (one per faulty rule line), a few are shown; a damaged file
// would otherwise bury the window under boxes.
void TForm1::LoadLanguage(const Text& key) {
    MessageLimit limit;
    Morph.LoadLanguage(key);
    limit.Finish();
}

// The results always belong to the checked language: what the input line holds is transcribed
// again, and the input line takes the focus back. (Arrow keys among the buttons keep the focus
// there, as the button they reach takes it after its click.)
void TForm1::LanguageChosen() {
    Edit1->setFocus(Qt::OtherFocusReason);
    if (!Edit1->text().isEmpty()) Button1Click();
}

void TForm1::FormActivate() {
    Guarded([this] {
        CppWebBrowser1->Navigate(QUrl::fromLocalFile(QDir::current().absoluteFilePath(BannerFile)));
    });
}

void TForm1::Label1Click() {
    Guarded([this] {
        const QString page = QDir::current().absoluteFilePath(HelpFile);
        if (QFileInfo::exists(page) && OpenInBrowser(QUrl::fromLocalFile(page))) return;
        platform::ShowMessage(texts::CannotOpenHelp() +
                              platform::FromUtf8(QDir::toNativeSeparators(page).toStdString(),
                                                 platform::CodePage::Cp1251));
    });
}
