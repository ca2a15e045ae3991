#pragma once
// The numbered text lists the articles refer to by number: the offer texts ("Angebot.txt")
// and the message texts ("Meldungen.txt"). One entry per line, the number, a blank and the
// text; empty lines and lines starting with ";" are comments, malformed lines are skipped.

#include <QString>

#include <vector>

struct TTextEntry {
    int Nr = 0;
    QString Text;
};

// The entries of the decoded text, in its order.
std::vector<TTextEntry> ParseTextList(const QString& Text);

// The entries of a list file (UTF-8, else Windows-1252). A file that does not exist is created
// empty; one that exists but cannot be read is left as it is and reads as empty.
std::vector<TTextEntry> ReadTextList(const QString& FileName);

// The text of the first entry numbered TextNr: empty where TextNr is below 0 or none has it.
QString GetText(const QString& FileName, int TextNr);

// What the text chooser offers: the empty text numbered 0, then every entry with a text, in
// file order.
std::vector<TTextEntry> TextChoices(const QString& FileName);
