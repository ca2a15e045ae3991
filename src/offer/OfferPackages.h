#pragma once
// Counted articles in whole packages for the offer: clips and claws by the sum of their items'
// counts, other articles and modules by the count of their entry's first item.

#include "model/Bedarf.h"

#include <cstdint>

class TProduct;

// Whether the article's entries are counted into packages (types 20, 21, 30, 40).
bool IsCountedTyp(std::int32_t Typ);

// The packages of a counted entry: one package record per package (the article number,
// length 1, end code 1, its type, the package unit), and where the last is opened in part one
// leftover record holding the pieces left in it. The package unit is the article's rounded to
// whole pieces, at least one. False, with nothing added, beyond kMaxPackages packages.
constexpr std::int64_t kMaxPackages = 1000000;
bool PackCountedEntry(const TProduct& Article, const TArtikelItemArray& Items,
                      TArtikelItemArray& PaketList, TArtikelItemArray& RestColl);
