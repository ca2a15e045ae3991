#pragma once
// Messages the engine shows the user (error boxes with an OK button). The program installs a
// message box; tarv-cli writes to standard error; tests record.

#include <QString>

#include <functional>

using TErrorMessageHandler = std::function<void(const QString& Message)>;

// Installs the handler and returns the previous one; an empty handler restores the default
// (standard error).
TErrorMessageHandler SetErrorMessageHandler(TErrorMessageHandler Handler);
void ShowErrorMessage(const QString& Message);
