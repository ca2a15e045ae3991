#pragma once
// Sets the program's default batten article for one test and restores it afterwards.

#include "substructure/LattenGeneratoren.h"

#include <QString>

class TDefaultBattenArticle {
public:
    explicit TDefaultBattenArticle(const QString& artikel)
        : fSaved(SubstructureDefaults().DefaultUKArtikel) {
        SubstructureDefaults().DefaultUKArtikel = artikel;
    }
    ~TDefaultBattenArticle() { SubstructureDefaults().DefaultUKArtikel = fSaved; }
    TDefaultBattenArticle(const TDefaultBattenArticle&) = delete;
    TDefaultBattenArticle& operator=(const TDefaultBattenArticle&) = delete;

private:
    QString fSaved;
};
