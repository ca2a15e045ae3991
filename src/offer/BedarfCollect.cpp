#include "offer/BedarfCollect.h"

#include "catalogue/Klammern.h"
#include "catalogue/Paneele.h"
#include "catalogue/Products.h"
#include "model/Bedarf.h"
#include "model/GraphLeiste.h"
#include "model/GraphPaneele.h"
#include "model/PlanDocument.h"
#include "model/Shapes.h"
#include "substructure/LattenGeneratoren.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

void Warn(QStringList* Warnings, const QString& Text) {
    if (Warnings != nullptr && !Warnings->contains(Text)) Warnings->append(Text);
}

TArtikelItem CountedItem(const QString& ArtikelNr, std::int32_t Typ) {
    TArtikelItem item;
    item.ArtikelNr.SetText(ArtikelNr);
    item.Laenge = 1;
    item.Typ = static_cast<std::uint16_t>(Typ);
    item.StirnSeite = 1;
    return item;
}

// Counts stay within the 32-bit field instead of wrapping.
void AddToFirst(TArtikelItemArray& Entry, std::int64_t n) {
    const std::int64_t sum = Entry.First().PckEin + n;
    Entry.First().PckEin = static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, 0, INT_MAX));
}

} // namespace

void CreateGraphObjectsStapel(const TShape& Shape, TBedarfsColl& Coll) {
    for (const auto& layer : Shape.Layers())
        for (const auto& object : layer)
            object->AddtoBedarfsColl(Coll, nullptr);
}

void CreateLeistenStapel(const TCatalogue& Catalogue, const TShape& Shape, TBedarfsColl& Coll,
                         QStringList* Warnings) {
    for (const auto& strip : Shape.Verleistung()) {
        const QString number = strip->ArtikelNr.Text();
        if (number.isEmpty()) continue;
        TArtikelItemArray& entry = Coll.Entry(number);
        const TProduct* article = Catalogue.FindProduct(number);
        if (article == nullptr) {
            Warn(Warnings,
                 QStringLiteral("Randleiste %1 nicht im Artikelstamm: nicht gezählt.").arg(number));
            continue;
        }
        const auto* laid = dynamic_cast<const TGraphLeiste*>(strip.get());
        if (laid == nullptr) continue;
        const double length = laid->Vektor.Betrag();
        TArtikelItem item;
        item.ArtikelNr.SetText(number);
        item.Typ = ptLeiste;
        item.StirnSeite = 1;
        item.ParentShape = &Shape;
        // Without a sold length the strip cannot be split: it is needed in one piece.
        if (!(article->VLaenge > 0)) {
            Warn(Warnings, QStringLiteral("Leiste %1 hat keine Länge: die Randleisten sind "
                                          "ungeteilt gezählt.")
                               .arg(number));
            item.Laenge = length;
            entry.Add(item);
            continue;
        }
        double pos = 0;
        do {
            item.Laenge = std::min(length - pos, article->VLaenge);
            pos += item.Laenge;
            entry.Add(item);
        } while (pos < length);
    }
}

void CreateLattenStapel(const TCatalogue& Catalogue, const TShape& Shape, TBedarfsColl& Coll,
                        QStringList* Warnings) {
    const TLattenGenerator* generator = LattenGeneratorOf(Shape);
    if (generator == nullptr) return;
    if (Catalogue.FindProduct(generator->LattenArtNr.Text()) == nullptr) {
        if (!Shape.VerlattungColl().empty())
            Warn(Warnings, QStringLiteral("Lattenartikel %1 nicht im Artikelstamm: die Latten "
                                          "sind nicht gezählt.")
                               .arg(generator->LattenArtNr.Text()));
        return;
    }
    for (const TVektorGruppe& group : Shape.VerlattungColl()) {
        TArtikelItemArray& entry = Coll.Entry(group.ArtikelNr);
        for (const TVektor& batten : group.Vektoren) {
            TArtikelItem item;
            item.ArtikelNr.SetText(group.ArtikelNr);
            item.Laenge = batten.Betrag();
            item.Typ = ptLatte;
            item.StirnSeite = 1;
            item.ParentShape = &Shape;
            entry.Add(item);
        }
    }
}

void CreateKlammerStapel(const TCatalogue& Catalogue, const TShape& Shape, TBedarfsColl& Coll) {
    const TGraphicObjectList* boards = nullptr;
    for (const auto& layer : Shape.Layers())
        for (const auto& object : layer)
            if (boards == nullptr && dynamic_cast<const TGraphPaneel*>(object.get()))
                boards = &layer;
    if (boards == nullptr) return;
    for (const auto& object : *boards) {
        const auto* board = dynamic_cast<const TGraphPaneel*>(object.get());
        if (board == nullptr) continue;
        const TVektor edge(board->P(0).x, board->P(0).y, board->P(1).x, board->P(1).y);
        for (const TVektorGruppe& group : Shape.VerlattungColl()) {
            std::int64_t k = 0;
            for (const TVektor& batten : group.Vektoren) {
                double px = 0, py = 0;
                if (batten.SchnittpunktStreckeOffen(edge, px, py)) ++k;
            }
            if (k == 0) continue;
            const auto* article =
                dynamic_cast<const TPaneele*>(Catalogue.FindProduct(board->ArtikelNr.Text()));
            if (article == nullptr) continue;
            const QString clipNumber = article->KlammernNr.Text();
            const auto* clip = dynamic_cast<const TKlammer*>(Catalogue.FindProduct(clipNumber));
            if (clip == nullptr) continue;
            TArtikelItemArray& entry = Coll.Entry(clipNumber);
            if (entry.Empty()) entry.Add(CountedItem(clipNumber, ptKlammer));
            if (const TProduct* batten = Catalogue.FindProduct(group.ArtikelNr))
                k *= batten->Multiplikator;
            AddToFirst(entry, k);
        }
    }
}

void AddCount(const TCatalogue& Catalogue, TBedarfsColl& Coll, std::int64_t n,
              const QString& ArtikelNr, QStringList* Warnings) {
    QStringList chain;
    QString number = ArtikelNr;
    while (!number.isEmpty()) {
        const TProduct* article = Catalogue.FindProduct(number);
        if (article == nullptr) return;
        if (chain.contains(number)) {
            Warn(Warnings, QStringLiteral("Die Zusatzartikel von %1 führen zu %2 zurück: die "
                                          "Kette ist dort abgebrochen.")
                               .arg(chain.first(), number));
            return;
        }
        chain << number;
        TArtikelItemArray& entry = Coll.Entry(number);
        if (entry.Empty()) entry.Add(CountedItem(number, article->Typ));
        AddToFirst(entry, n);
        n = std::clamp<std::int64_t>(n * article->Multiplikator, 0, INT_MAX);
        number = article->Kreuzverbinder.Text();
    }
}

void CreateUKVerbinderStapel(const TCatalogue& Catalogue, const TShape& Shape, TBedarfsColl& Coll,
                             QStringList* Warnings) {
    for (const TVektorGruppe& entry : Shape.UKVerbinderColl())
        for (const TVektor& point : entry.Vektoren)
            AddCount(Catalogue, Coll, point.Flags & 0xFFFF, entry.ArtikelNr, Warnings);
}

void CollectBedarf(const TCatalogue& Catalogue, const std::vector<const TPlanDocument*>& Plans,
                   TBedarfsColl& Coll, QStringList* Warnings) {
    Coll.Clear();
    for (const TPlanDocument* plan : Plans) {
        for (const auto& shape : plan->ShapeList)
            CreateGraphObjectsStapel(*shape, Coll);
        for (const auto& shape : plan->ShapeList)
            CreateLeistenStapel(Catalogue, *shape, Coll, Warnings);
        for (const auto& shape : plan->ShapeList)
            CreateLattenStapel(Catalogue, *shape, Coll, Warnings);
        for (const auto& shape : plan->ShapeList)
            CreateKlammerStapel(Catalogue, *shape, Coll);
        for (const auto& shape : plan->ShapeList)
            CreateUKVerbinderStapel(Catalogue, *shape, Coll, Warnings);
        for (const auto& module : plan->CommonModulList)
            module->AddtoBedarfsColl(Coll, nullptr);
    }
}
