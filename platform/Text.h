#pragma once

#include <string>

// The system's text: a byte string in Windows-1251 (cp1251). Empty and null are the same value.
using Text = std::string;
