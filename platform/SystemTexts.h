#pragma once

#include "platform/Text.h"

// The system's fixed Russian texts, written in UTF-8 in SystemTexts.cpp and handed out in cp1251.
namespace texts {

const Text& BadIndex();          // "Неверный Индекс " (the index follows)
const Text& StoringNotEmpty();   // setting Storing on a non-empty collection
const Text& DuplicateStrings();  // inserting an equal element with duplicates as errors

// Rule file loading. The numbers that follow a text are appended by the caller.
const Text& NoOpenBracket();     // "Отсутствует [, правило "
const Text& NoSeparator();       // "Отсутствует ]=[ или ошибка описания параметров, правило "
const Text& RuleLineCaption();   // "Ошибка в правиле"
const Text& BadRulePrefix();     // "В правиле " (the left symbols follow)
const Text& BadRuleNumber();     // " - правило номер "
const Text& BadRuleCaption();    // "Ошибка при чтении правил транскрипции"
const Text& LineCountMismatch(); // "Несовпадение"
const Text& ErrorCaption();      // "Ошибка"

// Loading a language.
const Text& CannotOpenRules(); // "Не получилось открыть файл с правилами транскрипции!"

// The window. The number or file name that follows a text is appended by the caller.
const Text& MoreMessages(); // "Ещё сообщений (...): " (the count of messages not shown)
const Text& CannotOpenHelp(); // "Не получилось открыть справку в браузере. Её файл: "

} // namespace texts
