#pragma once
#include <QString>

class Prompts;

// Texts of the register's error codes 0-119 (empty where the code has none).
QString RegisterErrorText(int code);
// "Błąd " + code + ": " + text; codes beyond the table say the code is unknown.
QString RegisterErrorMessage(int code);
void ShowRegisterError(Prompts& prompts, int code);
