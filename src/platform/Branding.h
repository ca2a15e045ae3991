#pragma once
// Branding texts and pictures by number and name. A reseller's branding replaces them; without
// one every lookup falls back to the text of our own table (or to an empty picture).

#include <QImage>
#include <QString>

#include <map>

// Numbers of the branding texts in use.
enum TBrandingNumber : int {
    bnCaption = 40000,       // caption of the main window
    bnPlanCredit = 40001,    // credit line of plan sheets
    bnOfferCredit = 40002,   // credit line of the offer print
    bnCutListCredit = 40003, // credit line of the cut list
    bnDistributor0 = 40600,  // distributor lines of the information dialog, 40600..40604
    bnTelefon = 40700,       // first-time settings from here on
    bnFax = 40701,
    bnBearbeiter = 40702,
    bnMehrwertsteuer0 = 40711, // ..40713
    bnWaehrung0 = 40721,       // ..40723
    bnCurrency = 40724,
    bnOptimierung = 40725,  // "1" = on
    bnOfferShowAll = 40726, // "1" = on
    bnLogoFile = 40730,
    bnLogoWidth = 40731,
    bnLogoHeight = 40732,
    bnPrintLogo = 40733, // print switches: upper-cased "TRUE" = on
    bnFarbdruck = 40740,
    bnOneSheet = 40741, // the "print separately" box, not the stored value
    bnPrintThickFrame = 40742,
    bnPrintThickPaneel = 40743,
    bnPrintSingleItems = 40744,
    bnPrintLandScape = 40745,
    bnLogoBoxWidth = 40750,
    bnLogoBoxHeight = 40751,
};

// A reseller's branding: texts that take precedence over the program's own fall-backs, and
// pictures. The settings hold the one of the program; tests and builds for a reseller set texts.
class TBranding {
public:
    // The branding's text `number` when it has a non-empty one, else `fallback`.
    QString Text(int number, const QString& fallback) const;
    // The same with the program's own fall-back for that number (empty for unknown numbers).
    QString Text(int number) const;
    // A print switch of the first-time settings: on when the text, upper-cased, is "TRUE".
    bool Switch(int number) const;
    // The branding picture of that name ("BMPSTARTUP", "BMPTOOLBAR", "BMPPRINT", "BMPINFO"); a
    // null image when the branding has none.
    QImage Bitmap(const QString& name) const;

    // An empty text removes the entry.
    void SetText(int number, const QString& text);
    void Clear();

private:
    std::map<int, QString> fTexts;
};

// The program's own text for that number; empty for unknown numbers.
QString BrandingFallback(int number);
