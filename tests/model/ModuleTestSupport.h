#pragma once
// A module folder with scripts and a catalogue of module articles, for the module tests.

#include "catalogue/ArticleSource.h"
#include "catalogue/Module.h"
#include "catalogue/Products.h"
#include "model/GraphModule.h"
#include "platform/Cp1252.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

class TModuleFolder {
public:
    QTemporaryDir Dir;
    TCatalogue Catalogue;

    TModuleFolder() {
        fGroup = Catalogue.AddGroup(std::make_unique<TProductGroup>(QStringLiteral("Module")));
    }

    QString Path(const QString& Name) const { return Dir.filePath(Name); }

    // Writes the script; "\n" in Text becomes CR LF, the rest Windows-1252.
    QString WriteScript(const QString& Name, const QString& Text) {
        QString crlf = Text;
        crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        QFile file(Path(Name));
        if (!file.open(QIODevice::WriteOnly)) return QString();
        file.write(ToCp1252(crlf));
        return file.fileName();
    }

    // A module article drawn by that script.
    TProduct& AddModule(const QString& Number, const QString& Script) {
        auto article = std::make_unique<TModul>();
        article->ArtikelNr.SetText(Number);
        article->ImageFileName.SetText(Script);
        return *fGroup->Products.Get(fGroup->Products.Add(std::move(article)));
    }

    TArticleSource Source() const { return {Catalogue, Dir.path()}; }

    // A module of the article read from the script of that name.
    std::unique_ptr<TGraphModule> Read(const QString& Script,
                                       const QString& Number = QStringLiteral("M")) const {
        auto module = std::make_unique<TGraphModule>(nullptr, nullptr, Number);
        module->ReadScript(Source(), Path(Script));
        return module;
    }

private:
    TProductGroup* fGroup = nullptr;
};
