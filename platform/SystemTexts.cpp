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

const Text& NoOpenBracket() {
    static const Text text = Cp1251("Отсутствует [, правило ");
    return text;
}

const Text& NoSeparator() {
    static const Text text = Cp1251("Отсутствует ]=[ или ошибка описания параметров, правило ");
    return text;
}

const Text& RuleLineCaption() {
    static const Text text = Cp1251("Ошибка в правиле");
    return text;
}

const Text& BadRulePrefix() {
    static const Text text = Cp1251("В правиле ");
    return text;
}

const Text& BadRuleNumber() {
    static const Text text = Cp1251(" - правило номер ");
    return text;
}

const Text& BadRuleCaption() {
    static const Text text = Cp1251("Ошибка при чтении правил транскрипции");
    return text;
}

const Text& LineCountMismatch() {
    static const Text text = Cp1251("Несовпадение");
    return text;
}

const Text& ErrorCaption() {
    static const Text text = Cp1251("Ошибка");
    return text;
}

const Text& CannotOpenRules() {
    static const Text text = Cp1251("Не получилось открыть файл с правилами транскрипции!");
    return text;
}

const Text& MoreMessages() {
    static const Text text =
        Cp1251("Ещё сообщений (все они выведены в стандартный поток ошибок): ");
    return text;
}

const Text& CannotOpenHelp() {
    static const Text text = Cp1251("Не получилось открыть справку в браузере. Её файл: ");
    return text;
}

} // namespace texts
