#pragma once
// "UKprev.bin": the last settings of every layout prototype, kept in the data folder between
// runs. The file starts with a signature and a format version and frames every prototype's
// record with its identifier, class name and length, so that one unreadable record costs only
// that prototype and a cut or foreign file changes nothing. Files without the signature are
// the older plain concatenation of the records in list order; they are read as far as they
// parse.

#include "substructure/LattenGeneratoren.h"

#include <QByteArray>
#include <QString>

class QIODevice;
class TAppSettings;

// "<data folder>/UKprev.bin"; empty while the settings' data folder is not worked out.
QString UKPrevFileName(const TAppSettings& Settings);

// Applies what the bytes hold to the prototypes; false when nothing could be applied. Never
// throws: a damaged file leaves the prototypes as they are.
bool ReadUKPrev(const QByteArray& Bytes, TLattenGeneratorList& Prototypes);
// An empty file name reads and writes nothing.
bool ReadUKPrevFile(const QString& FileName, TLattenGeneratorList& Prototypes);
// The records of all prototypes in the framed format.
QByteArray UKPrevBytes(const TLattenGeneratorList& Prototypes);
// Replaces the file atomically; false (the old file untouched) on any failure.
bool WriteUKPrevFile(const QString& FileName, const TLattenGeneratorList& Prototypes);
