#pragma once
// Where plan objects find what they were made from: the catalogue their articles are looked up
// in, and the folder of the module scripts that draw module articles.

#include <QString>

class TCatalogue;

struct TArticleSource {
    const TCatalogue& Catalogue;
    QString ModuleFolder; // empty: no module scripts
};
