#pragma once
// The catalogue files: every "*.DAT" of the catalogue folder, in the semicolon-separated text
// format (the one written) or the older stream format (read only), merged into one catalogue.
// New articles go into "USER.DAT".
//
// Unlike a plain reader, loading never loses data on a later save: a line is parsed in full
// before it replaces an article of the same number, and a file that was read only in part
// (a failed or ignored line, a skipped line, a file that failed) is left untouched by
// SaveProducts. Articles that laying or the offer could not handle (TProduct::Defect) are
// refused like unreadable lines.

#include "catalogue/CatalogueReporter.h"
#include "catalogue/Products.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Line 1 of a text catalogue.
QString CatalogueHeader();
// The line version written.
constexpr int kCatalogueLineVersion = 6;

// One article line without the line end, in Windows-1252: 31 fields, each followed by ";".
QByteArray FormatProductLine(const TProduct& product, const TProductGroup& group);

struct TParsedLine {
    enum TStatus {
        plArticle, // Product and the group fields are set
        plBlank,   // nothing on the line
        plSkipped, // no number, group or name, or an unknown type code
        plFailed,  // Error says why
    };
    TStatus Status = plBlank;
    std::unique_ptr<TProduct> Product;
    QString GroupName; // cut to its bound
    QString GroupInfo;
    QString GroupImage;
    QString Error;
};

// One line of a text catalogue (fields of every line version).
TParsedLine ParseProductLine(const QString& line);

// The bytes after a UTF-8 byte-order mark, if there is one.
QByteArray WithoutByteOrderMark(const QByteArray& bytes);
// Whether file bytes (without a byte-order mark) are read as text: files of 81 bytes or less
// always, longer ones when they begin with "ArtikelNr;".
bool IsTextCatalogue(const QByteArray& bytes);
// Text catalogue bytes as text: UTF-8 when they are valid UTF-8 and hold a byte-order mark or
// non-ASCII characters, else Windows-1252.
QString DecodeCatalogueText(const QByteArray& bytes);

// Reads one file into the catalogue as file `fileIndex`; `path` names it in messages. True
// when every line or record was taken.
bool ReadTextCatalogue(TCatalogue& catalogue, const QByteArray& bytes, int fileIndex,
                       const QString& path, TCatalogueReporter& reporter);
bool ReadStreamCatalogue(TCatalogue& catalogue, const QByteArray& bytes, int fileIndex,
                         const QString& path, TCatalogueReporter& reporter);

// The file `fileIndex` in the text format: header and the lines of its articles, groups and
// articles in catalogue order.
QByteArray WriteTextCatalogue(const TCatalogue& catalogue, int fileIndex);
// The same articles in the stream format; the program only reads it, this writes fixtures and
// exchange files from our own records.
QByteArray WriteStreamCatalogue(const TCatalogue& catalogue, int fileIndex);

// Clears the catalogue and reads every catalogue file of the folder (ascending by name, a-z
// case folded), then makes sure "USER.DAT" is listed.
void LoadProducts(TCatalogue& catalogue, const QString& folder, TCatalogueReporter& reporter);
// Writes every listed file that was read in full (or is new) in the text format, each through
// a temporary file that replaces it only when complete.
void SaveProducts(const TCatalogue& catalogue, const QString& folder, TCatalogueReporter& reporter);
