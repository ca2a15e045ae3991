// The substructure operations of the laying area.

#include "model/Shapes.h"

#include "substructure/LattenGeneratoren.h"

bool TShape::Verlatten() {
    DeleteVerlattung();
    LaengeVerlattung = 0;
    if (Layers.empty()) return true;
    if (VerlattungsRichtung.rx == 0 && VerlattungsRichtung.ry == 0) return true;
    if (LattenGenerator) {
        // A generator cloned or read elsewhere may still point at another area.
        LattenGenerator->Shape = this;
        LattenGenerator->CreateVerlattung();
    }
    for (const TVektorGruppe& group : VerlattungColl)
        for (const TVektor& batten : group.Vektoren)
            LaengeVerlattung += batten.Betrag();
    return true;
}
