#pragma once
// Plan files: load and save a whole document.

#include <QString>

#include <memory>

class IPlanHost;
class TPlanDocument;
struct TPlanReadDefaults;

// "Falsches Dateiformat oder Fehler beim Laden des Plans." and the path in upper case.
QString PlanLoadErrorText(const QString& Path);
// "Fehler beim Speichern des Verlegeplans." ... and the file name in upper case.
QString PlanSaveErrorText(const QString& Path);

// The document of the file, or null when it cannot be read (nothing of it remains then);
// `Detail` gets the reason for logs and tests. Defaults stand in for what older files lack.
std::unique_ptr<TPlanDocument> LoadPlanFile(const QString& Path, const TPlanReadDefaults& Defaults,
                                            IPlanHost* Host = nullptr, QString* Detail = nullptr);

// Writes the document completely to a temporary file beside Path and then replaces Path, so a
// failure never destroys the previous file. On success FileName becomes Path and Modified is
// cleared; on failure both stay.
bool SavePlanFile(TPlanDocument& Document, const QString& Path, QString* Detail = nullptr);
