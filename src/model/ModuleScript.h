#pragma once
// Module scripts: the ".mod" files in the module folder that draw module articles.
//
// A script has up to three sections, [CONTOUR] (the outline as drawing primitives),
// [Elements] (element articles placed and turned relative to the module) and [COMPATIBLE]
// (the articles a placed module may be exchanged for), in any order. Every line of a section
// is "key: values"; keys compare without regard to case. TGraphModule::ReadScript turns a
// script into a module (model/ModuleScript.cpp).
//
// Values are read one at a time from the text after the colon. A number: leading characters
// up to the first digit or "-" are dropped (so ".5" reads as 5), the number runs to the next
// ";" or "," and uses "." as decimal point; a missing or unreadable one is a syntax error. An
// integer: the same, but missing or unreadable gives 0. A colour: the text up to the next
// ";", transparent when it starts with "TR" (no blank before), else a decimal or "$hex"
// integer.

#include <QString>
#include <QStringList>

#include <optional>

// The script of that name in the folder, found without regard to letter case; empty when the
// name is not a plain file name (no folder parts, not "." or "..") or there is no such file.
// Script names come from catalogue and plan files: they never reach outside the folder.
QString ModuleScriptPath(const QString& Folder, const QString& Name);

// The article numbers of the [COMPATIBLE] section, each the whole text after the colon (line
// ends removed, blanks kept). A missing file has none; EScriptError when it cannot be read.
QStringList ReadCompatibleArticles(const QString& Path);

// The readers of the values after the colon of one line.
class TScriptValues {
public:
    explicit TScriptValues(const QString& Text) : fRest(Text) {}
    // Empty when missing or unreadable.
    std::optional<double> Number();
    // 0 when missing or unreadable.
    std::int64_t Integer();
    std::optional<std::uint32_t> Colour();
    // The text up to the next ";" (consumed with it).
    QString UpToSemicolon();
    const QString& Rest() const { return fRest; }

private:
    QString fRest;
};
