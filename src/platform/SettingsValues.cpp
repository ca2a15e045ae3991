// The values of the settings store: for each key one table of its values, from which reading,
// writing and the first-time defaults of the User key are all made.

#include "platform/AppSettings.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

// One table per key says for every value its name, how it is read (with its default and
// range), how it is written and, for the User key, its first-time value.

namespace {

int BrandingInteger(const TBranding& branding, int number, int fallback) {
    std::int64_t value = 0;
    return ParseInteger(branding.Text(number), value) ? int(value) : fallback;
}

double BrandingReal(const TBranding& branding, int number, double fallback) {
    double value = 0;
    return ParseReal(branding.Text(number), value) ? value : fallback;
}

// The radio buttons tick none for a value outside 0..2; the dialog then reports the first.
std::int64_t CurrencyIndex(std::int64_t value) {
    return value >= 0 && value <= 2 ? value : 0;
}

std::int64_t ScaleIndex(std::int64_t value) {
    return value >= 0 && value <= 11 ? value : 0;
}

template <std::int64_t Min, std::int64_t Max>
std::int64_t Clamped(std::int64_t value) {
    return std::clamp(value, Min, Max);
}

// Reads the User values in the table's order; the first failing read marks the whole set.
struct TUserReader {
    TSettingsStore& Store;
    bool Ok = true;

    template <class T>
    T Take(std::optional<T> value) {
        if (!value) Ok = false;
        return value.value_or(T{});
    }
};

struct TUserField {
    QString Name;
    std::function<void(TUserReader&, const QString&, TUserSettings&)> Read;
    std::function<void(TSettingsStore&, const QString&, const TUserSettings&)> Write;
    std::function<void(const TBranding&, TUserSettings&)> FirstTime;
};

// Each field names its member once, through an accessor that serves both the const settings
// being written and the ones being read.
// A text of at most maxLength characters (-1: unbounded).
template <class Access>
TUserField Text(const QString& name, int maxLength, Access access,
                std::function<QString(const TBranding&)> firstTime) {
    return {name,
            [=](TUserReader& r, const QString& n, TUserSettings& s) {
                const QString text = r.Take(r.Store.ReadString(kUserKey, n));
                access(s) = maxLength < 0 ? text : text.left(maxLength);
            },
            [=](TSettingsStore& store, const QString& n, const TUserSettings& s) {
                store.WriteString(kUserKey, n, access(s));
            },
            [=](const TBranding& b, TUserSettings& s) { access(s) = firstTime(b); }};
}

template <class Access>
TUserField Flag(const QString& name, Access access,
                std::function<bool(const TBranding&)> firstTime) {
    return {name,
            [=](TUserReader& r, const QString& n, TUserSettings& s) {
                access(s) = r.Take(r.Store.ReadBool(kUserKey, n));
            },
            [=](TSettingsStore& store, const QString& n, const TUserSettings& s) {
                store.WriteBool(kUserKey, n, access(s));
            },
            [=](const TBranding& b, TUserSettings& s) { access(s) = firstTime(b); }};
}

// An integer brought into its range by `normalise` when read and when given by the branding.
template <class Access>
TUserField Number(const QString& name, Access access, std::int64_t (*normalise)(std::int64_t),
                  std::function<std::int64_t(const TBranding&)> firstTime) {
    return {
        name,
        [=](TUserReader& r, const QString& n, TUserSettings& s) {
            access(s) = int(normalise(r.Take(r.Store.ReadInteger(kUserKey, n))));
        },
        [=](TSettingsStore& store, const QString& n, const TUserSettings& s) {
            store.WriteInteger(kUserKey, n, access(s));
        },
        [=](const TBranding& b, TUserSettings& s) { access(s) = int(normalise(firstTime(b))); }};
}

// Written with one decimal and the decimal point.
template <class Access>
TUserField Real(const QString& name, Access access,
                std::function<double(const TBranding&)> firstTime) {
    return {name,
            [=](TUserReader& r, const QString& n, TUserSettings& s) {
                access(s) = r.Take(r.Store.ReadFloat(kUserKey, n));
            },
            [=](TSettingsStore& store, const QString& n, const TUserSettings& s) {
                store.WriteString(kUserKey, n, FormatFixed(access(s), 1, u'.'));
            },
            [=](const TBranding& b, TUserSettings& s) { access(s) = firstTime(b); }};
}

std::function<QString(const TBranding&)> Fixed(const QString& text) {
    return [text](const TBranding&) { return text; };
}

std::function<QString(const TBranding&)> Branded(int number, int maxLength = -1) {
    return [=](const TBranding& b) {
        return maxLength < 0 ? b.Text(number) : b.Text(number).left(maxLength);
    };
}

std::function<bool(const TBranding&)> Switch(int number) {
    return [number](const TBranding& b) { return b.Switch(number); };
}

std::function<bool(const TBranding&)> On(int number) {
    return [number](const TBranding& b) { return b.Text(number) == u"1"; };
}

// The User values in the order the settings dialog reads and writes them.
const std::vector<TUserField>& UserFields() {
    static const std::vector<TUserField> fields = [] {
        std::vector<TUserField> f;
        f.push_back(Text(
            QStringLiteral("Waehrung0"), 3, [](auto& s) -> auto& { return s.Waehrung[0]; },
            Branded(bnWaehrung0, 3)));
        f.push_back(Text(
            QStringLiteral("Waehrung1"), 3, [](auto& s) -> auto& { return s.Waehrung[1]; },
            Branded(bnWaehrung0 + 1, 3)));
        f.push_back(Text(
            QStringLiteral("Waehrung2"), 3, [](auto& s) -> auto& { return s.Waehrung[2]; },
            Branded(bnWaehrung0 + 2, 3)));
        f.push_back(Real(
            QStringLiteral("Mehrwertsteuer0"), [](auto& s) -> auto& { return s.Mehrwertsteuer[0]; },
            [](const TBranding& b) { return BrandingReal(b, bnMehrwertsteuer0 + 0, 19.0); }));
        f.push_back(Real(
            QStringLiteral("Mehrwertsteuer1"), [](auto& s) -> auto& { return s.Mehrwertsteuer[1]; },
            [](const TBranding& b) { return BrandingReal(b, bnMehrwertsteuer0 + 1, 19.0); }));
        f.push_back(Real(
            QStringLiteral("Mehrwertsteuer2"), [](auto& s) -> auto& { return s.Mehrwertsteuer[2]; },
            [](const TBranding& b) { return BrandingReal(b, bnMehrwertsteuer0 + 2, 19.0); }));
        f.push_back(Number(
            QStringLiteral("Currency"), [](auto& s) -> auto& { return s.Currency; }, &CurrencyIndex,
            [](const TBranding& b) { return BrandingInteger(b, bnCurrency, 1); }));
        f.push_back(Flag(
            QStringLiteral("Optimierung"), [](auto& s) -> auto& { return s.Optimierung; },
            On(bnOptimierung)));
        f.push_back(Text(
            QStringLiteral("FirmaName"), 30, [](auto& s) -> auto& { return s.FirmaName; },
            Fixed(QStringLiteral("Firma"))));
        f.push_back(Text(
            QStringLiteral("FirmaStrasse"), 30, [](auto& s) -> auto& { return s.FirmaStrasse; },
            Fixed(QStringLiteral("Firmenstrasse"))));
        f.push_back(Text(
            QStringLiteral("FirmaPLZ"), 7, [](auto& s) -> auto& { return s.FirmaPLZ; },
            Fixed(QStringLiteral("12345"))));
        f.push_back(Text(
            QStringLiteral("FirmaOrt"), 30, [](auto& s) -> auto& { return s.FirmaOrt; },
            Fixed(QStringLiteral("Firmenort"))));
        f.push_back(Flag(
            QStringLiteral("PrintAnschrift"), [](auto& s) -> auto& { return s.PrintAnschrift; },
            [](const TBranding&) { return true; }));
        f.push_back(Text(
            QStringLiteral("LogoFile"), -1, [](auto& s) -> auto& { return s.LogoFile; },
            Branded(bnLogoFile)));
        f.push_back(Number(
            QStringLiteral("LogoWidth"), [](auto& s) -> auto& { return s.LogoWidth; },
            &Clamped<300, 500>,
            [](const TBranding& b) { return BrandingInteger(b, bnLogoWidth, 400); }));
        f.push_back(Number(
            QStringLiteral("LogoHeight"), [](auto& s) -> auto& { return s.LogoHeight; },
            &Clamped<200, 500>,
            [](const TBranding& b) { return BrandingInteger(b, bnLogoHeight, 300); }));
        f.push_back(Flag(
            QStringLiteral("PrintLogo"), [](auto& s) -> auto& { return s.PrintLogo; },
            Switch(bnPrintLogo)));
        f.push_back(Flag(
            QStringLiteral("Farbdruck"), [](auto& s) -> auto& { return s.Farbdruck; },
            Switch(bnFarbdruck)));
        // The branding gives the dialog's "print separately" box, the negation of the value.
        f.push_back(Flag(
            QStringLiteral("OneSheet"), [](auto& s) -> auto& { return s.OneSheet; },
            [](const TBranding& b) { return !b.Switch(bnOneSheet); }));
        f.push_back(Flag(
            QStringLiteral("PrintThickFrame"), [](auto& s) -> auto& { return s.PrintThickFrame; },
            Switch(bnPrintThickFrame)));
        f.push_back(Flag(
            QStringLiteral("PrintThickPaneel"), [](auto& s) -> auto& { return s.PrintThickPaneel; },
            Switch(bnPrintThickPaneel)));
        f.push_back(Flag(
            QStringLiteral("PrintSingleItems"), [](auto& s) -> auto& { return s.PrintSingleItems; },
            Switch(bnPrintSingleItems)));
        f.push_back(Flag(
            QStringLiteral("PrintLandScape"), [](auto& s) -> auto& { return s.PrintLandScape; },
            Switch(bnPrintLandScape)));
        f.push_back(Number(
            QStringLiteral("PrintMassstab"), [](auto& s) -> auto& { return s.PrintMassstab; },
            &ScaleIndex, [](const TBranding&) { return std::int64_t{0}; }));
        f.push_back(Text(
            QStringLiteral("Bearbeiter"), 20, [](auto& s) -> auto& { return s.Bearbeiter; },
            Branded(bnBearbeiter, 20)));
        f.push_back(Text(
            QStringLiteral("Telefon"), 20, [](auto& s) -> auto& { return s.Telefon; },
            Branded(bnTelefon, 20)));
        f.push_back(Text(
            QStringLiteral("Fax"), 20, [](auto& s) -> auto& { return s.Fax; }, Branded(bnFax, 20)));
        f.push_back(Text(
            QStringLiteral("FixKopfZeile"), 1000, [](auto& s) -> auto& { return s.FixKopfZeile; },
            [](const TBranding&) { return DefaultFixKopfZeile(); }));
        f.push_back(Flag(
            QStringLiteral("OfferShowAllProducts"),
            [](auto& s) -> auto& { return s.OfferShowAllProducts; }, On(bnOfferShowAll)));
        // The exact cut optimiser unless the classic search is asked for.
        f.push_back(Flag(
            QStringLiteral("ExakteOptimierung"),
            [](auto& s) -> auto& { return s.ExakteOptimierung; },
            [](const TBranding&) { return true; }));
        return f;
    }();
    return fields;
}

// The other values of the General key, in the order the program reads them. A value missing
// from the store takes its default; only the orientation and the colour depth are written
// back at once (the print dialogs and the thumbnail list look for them).
struct TGeneralField {
    QString Name;
    std::function<void(TSettingsStore&, const QString&, TGeneralSettings&, int colourDepth)> Read;
    std::function<void(TSettingsStore&, const QString&, const TGeneralSettings&)> Write;
};

template <class Access>
TGeneralField GeneralFlag(const QString& name, Access access, bool fallback,
                          bool writeWhenMissing = false) {
    return {name,
            [=](TSettingsStore& store, const QString& n, TGeneralSettings& s, int) {
                const auto value = store.ReadBool(kGeneralKey, n);
                access(s) = value.value_or(fallback);
                if (!value && writeWhenMissing) store.WriteBool(kGeneralKey, n, fallback);
            },
            [=](TSettingsStore& store, const QString& n, const TGeneralSettings& s) {
                store.WriteBool(kGeneralKey, n, access(s));
            }};
}

template <class Access>
TGeneralField GeneralText(const QString& name, Access access, const QString& fallback,
                          int maxLength) {
    return {name,
            [=](TSettingsStore& store, const QString& n, TGeneralSettings& s, int) {
                access(s) = store.ReadString(kGeneralKey, n).value_or(fallback).left(maxLength);
            },
            [=](TSettingsStore& store, const QString& n, const TGeneralSettings& s) {
                store.WriteString(kGeneralKey, n, access(s));
            }};
}

const std::vector<TGeneralField>& GeneralFields() {
    static const std::vector<TGeneralField> fields = [] {
        std::vector<TGeneralField> f;
        f.push_back(GeneralFlag(
            QStringLiteral("ShowVerlattung"), [](auto& s) -> auto& { return s.ShowVerlattung; },
            true));
        f.push_back(GeneralFlag(
            QStringLiteral("ShowImage"), [](auto& s) -> auto& { return s.ShowImage; }, true));
        f.push_back(GeneralFlag(
            QStringLiteral("ShowLeisten"), [](auto& s) -> auto& { return s.ShowLeisten; }, true));
        f.push_back(GeneralFlag(
            QStringLiteral("ShowBemassung"), [](auto& s) -> auto& { return s.ShowBemassung; },
            true));
        f.push_back(GeneralFlag(
            QStringLiteral("ShowZuschnitt"), [](auto& s) -> auto& { return s.ShowZuschnitt; },
            true));
        f.push_back(GeneralFlag(
            QStringLiteral("ShowAussenBemassung"),
            [](auto& s) -> auto& { return s.ShowAussenBemassung; }, true));
        f.push_back(GeneralFlag(
            QStringLiteral("ShowTipFenster"), [](auto& s) -> auto& { return s.ShowTipFenster; },
            false));
        f.push_back(GeneralFlag(
            QStringLiteral("Querformat"), [](auto& s) -> auto& { return s.Querformat; }, false,
            true));
        // The screen's depth when missing, any true-colour depth as 24.
        f.push_back({QStringLiteral("ColorRes"),
                     [](TSettingsStore& store, const QString& n, TGeneralSettings& s, int depth) {
                         const auto value = store.ReadInteger(kGeneralKey, n);
                         s.ColorRes = value ? int(*value) : (depth > 15 ? 24 : depth);
                         if (!value) store.WriteInteger(kGeneralKey, n, s.ColorRes);
                     },
                     [](TSettingsStore& store, const QString& n, const TGeneralSettings& s) {
                         store.WriteInteger(kGeneralKey, n, s.ColorRes);
                     }});
        f.push_back(GeneralFlag(
            QStringLiteral("ColorWarning"), [](auto& s) -> auto& { return s.ColorWarning; }, true));
        f.push_back(GeneralText(
            QStringLiteral("DefaultProduct"), [](auto& s) -> auto& { return s.DefaultProduct; },
            QStringLiteral("99999999"), 20));
        f.push_back(GeneralText(
            QStringLiteral("DefaultUKArtikel"), [](auto& s) -> auto& { return s.DefaultUKArtikel; },
            QString(), -1));
        // The layout list has kSubstructureLayoutCount entries; anything else picks layout 2.
        f.push_back({QStringLiteral("DefaultUKMuster"),
                     [](TSettingsStore& store, const QString& n, TGeneralSettings& s, int) {
                         const std::int64_t layout = store.ReadInteger(kGeneralKey, n).value_or(-1);
                         s.DefaultUKMuster =
                             layout >= 0 && layout < kSubstructureLayoutCount ? int(layout) : 2;
                     },
                     [](TSettingsStore& store, const QString& n, const TGeneralSettings& s) {
                         store.WriteInteger(kGeneralKey, n, s.DefaultUKMuster);
                     }});
        return f;
    }();
    return fields;
}

} // namespace

TGeneralSettings ReadGeneralSettings(TSettingsStore& store, int colourDepth) {
    TGeneralSettings settings;
    for (const TGeneralField& field : GeneralFields())
        field.Read(store, field.Name, settings, colourDepth);
    store.Sync();
    return settings;
}

void WriteGeneralSettings(TSettingsStore& store, const TGeneralSettings& settings) {
    for (const TGeneralField& field : GeneralFields())
        field.Write(store, field.Name, settings);
    store.Sync();
}

TUserSettings FirstTimeUserSettings(const TBranding& branding) {
    TUserSettings s;
    for (const TUserField& field : UserFields())
        field.FirstTime(branding, s);
    return s;
}

TUserSettings ReadUserSettings(TSettingsStore& store, const TBranding& branding, bool* firstTime) {
    TUserReader r{store};
    TUserSettings s;
    for (const TUserField& field : UserFields())
        field.Read(r, field.Name, s);

    if (!r.Ok) {
        s = FirstTimeUserSettings(branding);
        // The offer's own texts are the user's work: only missing ones get the defaults.
        if (!store.ValueExists(kUserKey, QStringLiteral("Kopfzeile")))
            store.WriteString(kUserKey, QStringLiteral("Kopfzeile"), DefaultKopfzeile());
        if (!store.ValueExists(kUserKey, QStringLiteral("Fusszeile")))
            store.WriteString(kUserKey, QStringLiteral("Fusszeile"), DefaultFusszeile());
    }
    if (firstTime) *firstTime = !r.Ok;
    WriteUserSettings(store, s);
    return s;
}

void WriteUserSettings(TSettingsStore& store, const TUserSettings& s) {
    for (const TUserField& field : UserFields())
        field.Write(store, field.Name, s);
    store.Sync();
}
