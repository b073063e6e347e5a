// Escaping of text that a script will evaluate later.
#pragma once

#include <string_view>

// A fresh heap text with every backslash doubled and each of "$[]{}"
// preceded by a backslash, so that evaluating it yields the text again.
char* zorakEscapeScriptText(std::string_view text);
