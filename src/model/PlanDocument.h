#pragma once
// One plan: its laying areas in stacking order, free text boxes and modules, customer data and
// hand-entered offer rows. Free of any window; the plan window holds one.

#include "geometry/GPCUtils.h"
#include "model/GraphicObject.h"
#include "model/PlanHost.h"
#include "platform/TextFields.h"

#include <QString>

#include <memory>
#include <vector>

class TShape;
class TReader;
struct TPlanReadDefaults;
class TWriter;

// An offer row typed in by the user, cell texts exactly as typed.
struct TUserAngebotsItem {
    TShortText<64> Artikel;
    TShortText<64> Paket;
    TShortText<64> Stueck;
    TShortText<128> Bezeichnung;
    TShortText<32> Menge;
    TShortText<32> Einzelpreis;
};

class TPlanDocument {
public:
    static constexpr int kDocumentVersion = 6;
    static constexpr int kCommentSize = 512;
    static constexpr int kZoomCount = 6; // entries of the zoom list
    static constexpr int kDefaultZoomIndex = 3;

    explicit TPlanDocument(IPlanHost* Host = nullptr);
    TPlanDocument(const TPlanDocument&) = delete;
    TPlanDocument& operator=(const TPlanDocument&) = delete;
    ~TPlanDocument();

    std::vector<std::unique_ptr<TShape>> ShapeList; // later areas lie above earlier ones
    TGraphicObjectList TextList;                    // text boxes of the laying views
    TGraphicObjectList TextListUK;                  // text boxes of the substructure view
    TGraphicObjectList CommonModulList;             // modules placed outside any area
    std::vector<TUserAngebotsItem> UserAngebotsList;
    TShortText<kCommentSize> Comment;
    std::int32_t ZoomIndex = kDefaultZoomIndex;
    QString KundenName, KundenVorName, KundenStrasse, KundenPLZ, KundenOrt, KundenNummer;
    QString Bearbeiter, Telefon, Kommission;
    QString FileName;
    bool Modified = false;
    Tgpc_vertex Start{-50, -50};
    double GesamtFlaeche = 0;
    double GesamtUmfang = 0;
    double GesamtSpiegel = 0;
    double Verlattung = 0;

    IPlanHost& Host() const { return *fHost; }
    void SetHost(IPlanHost* Host);

    // Closes and validates the area, then appends it as the topmost one. On a validation
    // failure the area is destroyed, the user is told, and the result returned.
    int AddShape(std::unique_ptr<TShape> AShape);
    // Effective outlines, edge lists, strip vectors and totals of every area after a change of
    // outlines or stacking; discards every area's battens.
    void UpdateShapes();
    void UpdateSummen();

    TShape* ShapeFromPoint(double x, double y) const;
    static TGraphicObject* TextBoxFromPoint(const TGraphicObjectList& List, double x, double y);
    TGraphicObject* CommonModulFromPoint(double x, double y) const;

    static void InitExtentRect(double& x1, double& y1, double& x2, double& y2);
    static void GetExtentRect(const TGraphicObjectList& GraphObjects, double& x1, double& y1,
                              double& x2, double& y2);
    void GetShapesExtentRect(double& x1, double& y1, double& x2, double& y2) const;

    void DeleteUserAngebotsList();

    // The document record of a plan file; Defaults stand in for what older records lack.
    void ReadData(TReader& Reader, const TPlanReadDefaults& Defaults);
    void WriteData(TWriter& Writer) const;

private:
    IPlanHost fDefaultHost; // for documents no window holds
    IPlanHost* fHost;
};
