#pragma once
// User parameters that pattern and substructure generators publish by name: typed, with a
// range-checking setter. Dialogs and tarv-cli list them generically, sorted by name.

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>
#include <vector>

enum class TPropertyKind { Integer, Real, Boolean, Enumeration };

// A value the setter refuses; the message is the one the user sees.
class EPropertyError : public std::runtime_error {
public:
    explicit EPropertyError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

struct TPublishedProperty {
    QString Name;
    TPropertyKind Kind = TPropertyKind::Real;
    // The accepted range as the setter checks it (informational: the setter decides).
    double Min = 0;
    double Max = 0;
    QStringList Values; // names of an enumeration's values, index = value
    double Default = 0;
    std::function<double()> Get;
    // Raises EPropertyError with the owner's message and keeps the old value on refusal.
    std::function<void(double)> Set;
};

using TPropertyList = std::vector<TPublishedProperty>;

// The message of a setter that refuses a value outside its range, built from the same limits
// the setter checks: "<Subject> muß zwischen <Min> und <Max> liegen" (the limits as the caller
// writes them, with their unit).
QString RangeMessage(const QString& Subject, const QString& Min, const QString& Max);
// The same for lengths in cm with one decimal and the decimal comma, ending with a full stop:
// "Die Versatzlänge muß zwischen 2,0 cm und 304,0 cm liegen."
QString LengthRangeMessage(const QString& Subject, double Min, double Max);

// The list sorted by name (a-z case folded), as dialogs show it.
void SortProperties(TPropertyList& List);
// The property of that name (a-z case folded), or null.
TPublishedProperty* FindProperty(TPropertyList& List, const QString& Name);
// Parses the text for the property's kind ("." or "," for reals, 0/1/true/false/ja/nein for
// booleans, a value name or index for enumerations) and sets it. EPropertyError on a text that
// is not a value of the kind, or when the setter refuses it.
void SetPropertyText(TPublishedProperty& Property, const QString& Text);
// The current value as text ("." for reals, value names for enumerations).
QString PropertyText(const TPublishedProperty& Property);
QString PropertyKindName(TPropertyKind Kind);
