#pragma once
// The thumbnail of a module article in the article lists: its module drawn from its script.

#include <QSize>
#include <QString>

class QPainter;
class TProduct;
struct TArticleSource;

// Draws the module of the article, read from the script at ScriptPath, into the bitmap of
// that size (white already): the same scale in x and y, centred, its extent (at least 50 x 37
// units) filling the bitmap. EScriptError when the script cannot be read.
void DrawModuleThumbnail(QPainter& Painter, const QSize& Size, const TProduct& Module,
                         const QString& ScriptPath, const TArticleSource& Source);
