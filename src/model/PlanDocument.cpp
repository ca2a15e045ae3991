#include "model/PlanDocument.h"

#include "model/PlanHost.h"
#include "model/Shapes.h"

#include <algorithm>

TPlanDocument::TPlanDocument(IPlanHost* Host) : fHost(Host ? Host : &fDefaultHost) {}

TPlanDocument::~TPlanDocument() = default;

void TPlanDocument::SetHost(IPlanHost* Host) {
    fHost = Host ? Host : &fDefaultHost;
}

int TPlanDocument::AddShape(std::unique_ptr<TShape> AShape) {
    if (!AShape) return vrDegenerate;
    AShape->SetClosed(true);
    AShape->CopyF2Vpolygon();
    AShape->CreateV_VectorList();
    const int result = AShape->Validate();
    if (result != vrOk) {
        // The area is dropped here; the caller handed it over and holds nothing any more.
        AShape.reset();
        fHost->Beep();
        fHost->StatusText(0, result == vrSelfCrossing
                                 ? QStringLiteral(" Linien dürfen sich nicht selbst schneiden !")
                                 : QStringLiteral(" Die Fläche hat keinen Inhalt !"));
        return result;
    }
    TShape* shape = AShape.get();
    ShapeList.push_back(std::move(AShape));
    fHost->SelectShape(shape);
    fHost->ClearOfferGrid();
    Modified = true;
    return result;
}

void TPlanDocument::UpdateShapes() {
    fHost->ClearSelections();
    fHost->ClearRequirement();
    for (auto& shape : ShapeList)
        shape->DiscardEffectiveOutline();

    fHost->StatusText(0, QStringLiteral(" Resultierende Verlegeflächen berechnen."));
    // The union of the cut-outs above the current area. It starts empty, so nothing a user can
    // draw is ever cut by a helper shape.
    Tgpc_polygon accumulator;
    for (auto it = ShapeList.rbegin(); it != ShapeList.rend(); ++it) {
        TShape& shape = **it;
        const int number = static_cast<int>(ShapeList.rend() - it);
        QString error;
        if (!shape.CutEffectiveOutline(accumulator, &error))
            fHost->ReportError(QStringLiteral("Verlegefläche %1: die darüberliegenden Flächen "
                                              "konnten nicht ausgespart werden (%2).")
                                   .arg(number)
                                   .arg(error));
        if (shape.Operator() == GPC_XOR) continue;
        try {
            Tgpc_polygon merged;
            gpc_polygon_clip(GPC_UNION, accumulator, shape.DrawnPolygon(), merged);
            GPCRemoveDoubles(merged);
            GPCDropDegenerateContours(merged);
            accumulator = std::move(merged);
        } catch (const EClipError& e) {
            // The areas below lose only this cut-out.
            fHost->ReportError(QStringLiteral("Verlegefläche %1 konnte nicht aus den "
                                              "darunterliegenden Flächen ausgespart werden (%2).")
                                   .arg(number)
                                   .arg(QString::fromUtf8(e.what())));
        }
    }

    for (auto& shape : ShapeList) {
        shape->UpdateClipRgn();
        shape->CreateV_VectorList();
    }
    fHost->Repaint();
    if (fHost->InteractiveMoveInProgress()) return;

    fHost->StatusText(0, QStringLiteral(" Leistenvektoren erzeugen..."));
    for (auto& shape : ShapeList)
        shape->RebuildVerleistung();
    fHost->StatusText(0, QStringLiteral(" Umfang und Fläche berechnen..."));
    for (auto& shape : ShapeList) {
        shape->BerechneUmfang();
        shape->BerechneFlaeche();
        shape->BerechneSchwerpunkt();
    }
    fHost->StatusText(0, QString());
}

void TPlanDocument::UpdateSummen() {
    GesamtFlaeche = GesamtUmfang = GesamtSpiegel = 0;
    for (const auto& shape : ShapeList) {
        if (shape->Layers().empty() || shape->Layers().front().empty()) continue;
        GesamtFlaeche += shape->Flaeche();
        GesamtUmfang += shape->Umfang();
        GesamtSpiegel += shape->SpiegelFederLaenge();
    }
    fHost->SummenChanged();
}

TShape* TPlanDocument::ShapeFromPoint(double x, double y) const {
    for (auto it = ShapeList.rbegin(); it != ShapeList.rend(); ++it)
        if ((*it)->PointInObject(x, y)) return it->get();
    return nullptr;
}

TGraphicObject* TPlanDocument::TextBoxFromPoint(const TGraphicObjectList& List, double x,
                                                double y) {
    for (auto it = List.rbegin(); it != List.rend(); ++it)
        if ((*it)->PointInObject(x, y)) return it->get();
    return nullptr;
}

TGraphicObject* TPlanDocument::CommonModulFromPoint(double x, double y) const {
    for (auto it = CommonModulList.rbegin(); it != CommonModulList.rend(); ++it)
        if (TGraphicObject* hit = (*it)->ObjectFromPoint(x, y)) return hit;
    return nullptr;
}

void TPlanDocument::InitExtentRect(double& x1, double& y1, double& x2, double& y2) {
    x1 = y1 = 1000000;
    x2 = y2 = -1000000;
}

namespace {

void Enlarge(const TGraphicObject& o, double& x1, double& y1, double& x2, double& y2) {
    double a1, b1, a2, b2;
    o.GetExtent(a1, b1, a2, b2);
    x1 = std::min(x1, a1);
    y1 = std::min(y1, b1);
    x2 = std::max(x2, a2);
    y2 = std::max(y2, b2);
}

} // namespace

void TPlanDocument::GetExtentRect(const TGraphicObjectList& GraphObjects, double& x1, double& y1,
                                  double& x2, double& y2) {
    for (const auto& o : GraphObjects)
        Enlarge(*o, x1, y1, x2, y2);
}

void TPlanDocument::GetShapesExtentRect(double& x1, double& y1, double& x2, double& y2) const {
    for (const auto& s : ShapeList)
        Enlarge(*s, x1, y1, x2, y2);
}

void TPlanDocument::DeleteUserAngebotsList() {
    UserAngebotsList.clear();
}
