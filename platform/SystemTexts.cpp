#include "platform/SystemTexts.h"

#include "platform/CodePage.h"

namespace texts {
namespace {

Text Cp1251(const char* utf8) { return platform::FromUtf8(utf8, platform::CodePage::Cp1251); }

} // namespace

const Text& BadIndex() {
    static const Text text = Cp1251("Неверный Индекс ");
    return text;
}

const Text& StoringNotEmpty() {
    static const Text text = Cp1251("Нельзя изменять свойство Storing для не пустой коллекции");
    return text;
}

const Text& DuplicateStrings() {
    static const Text text = Cp1251("Попытка вставить дуплицированные строки");
    return text;
}

} // namespace texts
