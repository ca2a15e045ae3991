#pragma once
// The collection run: every piece and count the laid plans need, per article.

#include <QStringList>

#include <vector>

class TBedarfsColl;
class TCatalogue;
class TPlanDocument;
class TShape;

// Collects the requirement of the plans into Coll (emptied first). Per plan, each step over
// all areas before the next: the objects of every layer, the edge strips, the battens, the
// clips, the connectors; then the free modules. Articles the catalogue lacks do not stop the
// run: what cannot be counted without them is left out and named in Warnings.
void CollectBedarf(const TCatalogue& Catalogue, const std::vector<const TPlanDocument*>& Plans,
                   TBedarfsColl& Coll, QStringList* Warnings = nullptr);

// The contributions of one area, in the order the run calls them.
void CreateGraphObjectsStapel(const TShape& Shape, TBedarfsColl& Coll);
void CreateLeistenStapel(const TCatalogue& Catalogue, const TShape& Shape, TBedarfsColl& Coll,
                         QStringList* Warnings = nullptr);
void CreateLattenStapel(const TCatalogue& Catalogue, const TShape& Shape, TBedarfsColl& Coll,
                        QStringList* Warnings = nullptr);
void CreateKlammerStapel(const TCatalogue& Catalogue, const TShape& Shape, TBedarfsColl& Coll);
void CreateUKVerbinderStapel(const TCatalogue& Catalogue, const TShape& Shape, TBedarfsColl& Coll,
                             QStringList* Warnings = nullptr);

// Adds n of the counted article (clips, connectors, modules' extras) to its first item, then
// its optional article: n times its quantity (Multiplikator) of the article it names in
// Kreuzverbinder. A chain that leads back to an article already in it stops there.
void AddCount(const TCatalogue& Catalogue, TBedarfsColl& Coll, std::int64_t n,
              const QString& ArtikelNr, QStringList* Warnings = nullptr);
