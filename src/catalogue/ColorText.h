#pragma once
// Colours in catalogue lines: a standard colour by its name ("clGray"), any other as "$" and
// eight hexadecimal digits of 0x00BBGGRR. Plain decimal numbers are read as well.

#include "platform/Canvas.h"

#include <QString>

#include <optional>

QString ColorToText(TColor color);
// Names compare with a-z case folding; blanks around the text are allowed. None when the
// text is neither a name nor a number.
std::optional<TColor> ColorFromText(const QString& text);
