#include "platform/Branding.h"

#include "platform/TextFields.h"

namespace {

struct TFallback {
    int Number;
    const char16_t* Text;
};

// The program's own texts where no branding supplies one.
constexpr TFallback kFallbacks[] = {
    {bnCaption, u"TARV"},
    {bnPlanCredit, u"Erstellt mit Tarv \u2013 Verlegeplanung f\u00fcr Holz und WPC"},
    {bnOfferCredit, u"Angebot erstellt mit Tarv \u2013 Verlegeplanung f\u00fcr Holz und WPC"},
    {bnCutListCredit, u"Zuschnittliste erstellt mit Tarv"},
    {bnDistributor0, u"Tarv Verlegeplanung"},
    {bnDistributor0 + 1, u"Planungssoftware f\u00fcr Terrassen, Fassaden und B\u00f6den"},
    {bnDistributor0 + 2, u""},
    {bnDistributor0 + 3, u""},
    {bnDistributor0 + 4, u""},
    {bnTelefon, u""},
    {bnFax, u""},
    {bnBearbeiter, u""},
    {bnMehrwertsteuer0, u"19.0"},
    {bnMehrwertsteuer0 + 1, u"19.0"},
    {bnMehrwertsteuer0 + 2, u"19.0"},
    {bnWaehrung0, u"EUR"},
    {bnWaehrung0 + 1, u"EUR"},
    {bnWaehrung0 + 2, u"EUR"},
    {bnCurrency, u"1"},
    {bnOptimierung, u"1"},
    {bnOfferShowAll, u"1"},
    {bnLogoFile, u""},
    {bnLogoWidth, u"400"},
    {bnLogoHeight, u"300"},
    {bnPrintLogo, u"FALSE"},
    {bnFarbdruck, u"FALSE"},
    {bnOneSheet, u"FALSE"},
    {bnPrintThickFrame, u"TRUE"},
    {bnPrintThickPaneel, u"FALSE"},
    {bnPrintSingleItems, u"TRUE"},
    {bnPrintLandScape, u"FALSE"},
    {bnLogoBoxWidth, u"200"},
    {bnLogoBoxHeight, u"100"},
};

} // namespace

QString BrandingFallback(int number) {
    for (const TFallback& entry : kFallbacks)
        if (entry.Number == number) return QString::fromUtf16(entry.Text);
    return QString();
}

QString TBranding::Text(int number, const QString& fallback) const {
    const auto it = fTexts.find(number);
    return it != fTexts.end() && !it->second.isEmpty() ? it->second : fallback;
}

QString TBranding::Text(int number) const {
    return Text(number, BrandingFallback(number));
}

bool TBranding::Switch(int number) const {
    return UpperCaseAZ(Text(number)) == u"TRUE";
}

QImage TBranding::Bitmap(const QString&) const {
    return QImage();
}

void TBranding::SetText(int number, const QString& text) {
    if (text.isEmpty())
        fTexts.erase(number);
    else
        fTexts[number] = text;
}

void TBranding::Clear() {
    fTexts.clear();
}
