#include "app/MessageBoxes.h"

#include "platform/CodePage.h"
#include "platform/Messages.h"

#include <QApplication>

#include <memory>

namespace {

QString FromAnsi(const Text& text) {
    return QString::fromStdString(platform::ToUtf8(text, platform::CodePage::Cp1251));
}

} // namespace

QMessageBox* MakeMessageBox(const Text& text, const Text& caption) {
    const bool simple = caption.empty();
    QWidget* owner = simple ? QApplication::activeWindow() : nullptr;
    auto* box = new QMessageBox(QMessageBox::NoIcon,
                                simple ? QApplication::applicationDisplayName() : FromAnsi(caption),
                                FromAnsi(text), QMessageBox::Ok, owner);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

void InstallMessageBoxes() {
    platform::SetMessageHandler([](const Text& text, const Text& caption) {
        std::unique_ptr<QMessageBox> box(MakeMessageBox(text, caption));
        box->exec();
    });
}
