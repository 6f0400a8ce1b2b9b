#include "app/MessageBoxes.h"

#include "platform/CodePage.h"
#include "platform/SystemTexts.h"

#include <QApplication>

#include <memory>
#include <string>
#include <utility>

namespace {

QString FromAnsi(const Text& text) {
    return QString::fromStdString(platform::ToUtf8(text, platform::CodePage::Cp1251));
}

} // namespace

QMessageBox* MakeMessageBox(const Text& text, const Text& caption) {
    const bool simple = caption.empty();
    QWidget* owner = simple ? QApplication::activeWindow() : nullptr;
    auto* box =
        new QMessageBox(QMessageBox::NoIcon, simple ? ApplicationCaption : FromAnsi(caption),
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

// ---------------------------------------------------------------------------------------------

// Installing the empty handler puts the default in place, and the next installation hands it
// back (the members are initialised in this order).
MessageLimit::MessageLimit()
    : next_(platform::SetMessageHandler({})),
      standardError_(platform::SetMessageHandler(
          [this](const Text& text, const Text& caption) { Pass(text, caption); })) {}

MessageLimit::~MessageLimit() {
    if (!finished_) platform::SetMessageHandler(std::move(next_));
}

void MessageLimit::Pass(const Text& text, const Text& caption) {
    standardError_(text, caption);
    ++count_;
    if (count_ <= Shown) {
        next_(text, caption);
    } else if (count_ == Shown + 1) {
        heldCaption_ = caption;
    } else if (caption != heldCaption_) {
        heldCaption_ = texts::ErrorCaption();
    }
}

void MessageLimit::Finish() {
    finished_ = true;
    platform::SetMessageHandler(next_);
    if (count_ > Shown)
        platform::MessageBoxA(texts::MoreMessages() + std::to_string(count_ - Shown), heldCaption_);
}
