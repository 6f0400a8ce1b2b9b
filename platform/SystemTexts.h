#pragma once

#include "platform/Text.h"

// The system's fixed Russian texts, written in UTF-8 in SystemTexts.cpp and handed out in cp1251.
namespace texts {

const Text& BadIndex();          // "Неверный Индекс " (the index follows)
const Text& StoringNotEmpty();   // setting Storing on a non-empty collection
const Text& DuplicateStrings();  // inserting an equal element with duplicates as errors

} // namespace texts
