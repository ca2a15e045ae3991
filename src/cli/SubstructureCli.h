#pragma once
// The substructure parts of tarv-cli: the layout list, the options of "lay" that choose and
// set up a layout, the battens and generator of an area as JSON, and the battens in pictures.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class QCommandLineParser;
class QTextStream;
class TCanvas;
class TLattenGenerator;
class TPaneele;
class TPlanDocument;
class TShape;
class TSubstructureContext;
struct TVektorGruppe;
using TLattenGeneratorList = std::vector<std::unique_ptr<TLattenGenerator>>;

// --substructure ID, --batten NR, --set-uk PROPERTY=VALUE (repeatable).
struct TSubstructureCliOptions {
    bool Any = false;           // one of the options was given
    std::int32_t LayoutID = -1; // -1: the default laying chose
    QString BattenNr;           // empty: the default batten article
    QStringList Settings;       // "PROPERTY=VALUE", in the order given
};

// The substructure options of "lay" on a command line.
void AddSubstructureOptions(QCommandLineParser& Parser);
// Their values once the line is parsed; false with Error set for a malformed value.
bool ReadSubstructureOptions(const QCommandLineParser& Parser, TSubstructureCliOptions& Options,
                             QString& Error);

// After laying: makes the chosen layout (or the default laying chose) the default, with the
// board's defaults, then --batten and --set-uk applied, gives the areas fresh copies of it and
// generates their battens. The changed prototypes are written to UKPrevFile when it is not
// empty. False with Error (nothing regenerated) for an unknown layout or a refused property.
bool ApplySubstructureOptions(TSubstructureContext& Context, TPlanDocument& Plan,
                              const std::vector<TShape*>& Shapes,
                              const TSubstructureCliOptions& Options, const TPaneele& Board,
                              const QString& UKPrevFile, QString& Error);

// "lay --list-uk": every layout with identifier, class, name and its properties (kind, range,
// default, current value).
QJsonArray LattenGeneratorListJson(const TLattenGeneratorList& Prototypes);
void PrintLattenGeneratorList(QTextStream& Out, const TLattenGeneratorList& Prototypes);

// Class name, Name, BitMapIndex, LattenArtNr and the properties by name; null for none.
QJsonValue LattenGeneratorJson(const TLattenGenerator* Generator);
// Per group the article number and its battens as [x, y, rx, ry].
QJsonArray VerlattungCollJson(const std::vector<TVektorGruppe>& VerlattungColl);
// Per connector article its points as [x, y, rx, ry, Flags].
QJsonArray UKVerbinderCollJson(const std::vector<TVektorGruppe>& UKVerbinderColl);
// "LattenGenerator", "VerlattungColl", "UKVerbinderColl" and "LaengeVerlattung" (cm) of an
// area. The length is
// summed from the battens: plans do not store it.
QJsonObject ShapeSubstructureJson(const TShape& Shape);

// The battens as the substructure view draws them: with one group in the canvas's current pen;
// with several, the first solid and width 1, the others width 2 dash-dot, dotted, dashed.
void DrawVerlattung(TCanvas& Canvas, const TShape& Shape);
// Every area's battens in the substructure view's dotted grey pen, on a canvas mapped like the
// plan picture (model units).
void DrawPlanVerlattung(TCanvas& Canvas, const TPlanDocument& Plan);
