#include "platform/PublishedProperties.h"

#include "platform/Numbers.h"
#include "platform/TextFields.h"

#include <algorithm>
#include <cmath>

QString RangeMessage(const QString& Subject, const QString& Min, const QString& Max) {
    return Subject + QStringLiteral(" muß zwischen ") + Min + QStringLiteral(" und ") + Max +
           QStringLiteral(" liegen");
}

QString LengthRangeMessage(const QString& Subject, double Min, double Max) {
    return RangeMessage(Subject, FormatFixed(Min, 1, u',') + QStringLiteral(" cm"),
                        FormatFixed(Max, 1, u',') + QStringLiteral(" cm")) +
           QLatin1Char('.');
}

void SortProperties(TPropertyList& List) {
    std::stable_sort(List.begin(), List.end(), [](const auto& a, const auto& b) {
        return CompareTextAZ(a.Name, b.Name) < 0;
    });
}

TPublishedProperty* FindProperty(TPropertyList& List, const QString& Name) {
    for (TPublishedProperty& p : List)
        if (SameTextAZ(p.Name, Name)) return &p;
    return nullptr;
}

void SetPropertyText(TPublishedProperty& Property, const QString& Text) {
    const QString t = Text.trimmed();
    double value = 0;
    bool ok = false;
    switch (Property.Kind) {
    case TPropertyKind::Real:
        ok = ParseReal(t, value) && std::isfinite(value);
        break;
    case TPropertyKind::Integer: {
        std::int64_t i = 0;
        ok = ParseInteger(t, i);
        value = double(i);
        break;
    }
    case TPropertyKind::Boolean: {
        const QString l = LowerCaseAZ(t);
        if (l == "1" || l == "true" || l == "ja") value = 1, ok = true;
        if (l == "0" || l == "false" || l == "nein") value = 0, ok = true;
        break;
    }
    case TPropertyKind::Enumeration: {
        const qsizetype index = Property.Values.indexOf(t);
        std::int64_t i = 0;
        if (index >= 0) {
            value = double(index);
            ok = true;
        } else if (ParseInteger(t, i) && i >= 0 && i < Property.Values.size()) {
            value = double(i);
            ok = true;
        }
        break;
    }
    }
    if (!ok)
        throw EPropertyError(
            QStringLiteral("Ungültiger Wert \"%1\" für %2.").arg(Text, Property.Name));
    Property.Set(value);
}

QString PropertyText(const TPublishedProperty& Property) {
    const double v = Property.Get();
    switch (Property.Kind) {
    case TPropertyKind::Real:
        return FormatGeneral(v, QLatin1Char('.'));
    case TPropertyKind::Integer:
        return QString::number(static_cast<long long>(v));
    case TPropertyKind::Boolean:
        return v != 0 ? QStringLiteral("true") : QStringLiteral("false");
    case TPropertyKind::Enumeration: {
        const auto i = static_cast<qsizetype>(v);
        return i >= 0 && i < Property.Values.size() ? Property.Values[i] : QString::number(i);
    }
    }
    return QString();
}

QString PropertyKindName(TPropertyKind Kind) {
    switch (Kind) {
    case TPropertyKind::Integer:
        return QStringLiteral("Ganzzahl");
    case TPropertyKind::Real:
        return QStringLiteral("Zahl");
    case TPropertyKind::Boolean:
        return QStringLiteral("Ja/Nein");
    case TPropertyKind::Enumeration:
        return QStringLiteral("Auswahl");
    }
    return QString();
}
