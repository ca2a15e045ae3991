#pragma once
// The catalogue as JSON (tarv-cli catalogue --json): groups with their articles, every field
// under its own name plus the DimCode line, and the list of catalogue files.

#include "catalogue/CatalogueReporter.h"
#include "catalogue/Products.h"

#include <QJsonObject>

#include <vector>

QJsonObject ProductToJson(const TProduct& product, const TCurrency& currency);
QJsonObject GroupToJson(const TProductGroup& group, const TCurrency& currency);
QJsonObject ErrorToJson(const TCatalogueError& error);
// {"ProductGroups": [...], "ProductFiles": [...]} and "Errors" when there are any.
QJsonObject CatalogueToJson(const TCatalogue& catalogue, const TCurrency& currency,
                            const std::vector<TCatalogueError>& errors);
