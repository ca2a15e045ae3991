#pragma once
// The lowest layer of the engine context: what every part of the engine may need of the
// program around it. The settings with the folders, the message sink, the article catalogue
// and the article pictures. The layers above extend it (laying, substructure) up to the one
// engine context the program, tarv-cli and tests create and pass on.

#include "catalogue/ArticleSource.h"
#include "catalogue/JPGImages.h"
#include "catalogue/ProductImages.h"
#include "catalogue/Products.h"
#include "platform/AppSettings.h"
#include "platform/MessageSink.h"

class TCatalogueContext {
public:
    // `Messages` (not owned) receives the engine's messages; null writes them to standard
    // error.
    explicit TCatalogueContext(IMessageSink* Messages = nullptr);
    TCatalogueContext(const TCatalogueContext&) = delete;
    TCatalogueContext& operator=(const TCatalogueContext&) = delete;
    virtual ~TCatalogueContext();

    TAppSettings Settings;
    TCatalogue Catalogue;
    TImageCache Images;
    TProductImageList ProductImages;
    // The article dialogs; none in tarv-cli and tests.
    TProductEditor ProductEditor;

    IMessageSink& Messages() const { return *fMessages; }
    // Null restores standard error.
    void SetMessages(IMessageSink* Messages);

    // The catalogue's article of that number; null when there is none.
    TProduct* FindProduct(const QString& ArtikelNr) const {
        return Catalogue.FindProduct(ArtikelNr);
    }

    // The catalogue and the module folder of the settings.
    TArticleSource ArticleSource() const;

    // Where the thumbnails come from and go to: this catalogue, the settings' store and
    // folders, the display's colour depth and this context's messages.
    TProductImageEnvironment ProductImageEnvironment();

private:
    TStderrMessageSink fStderr;
    IMessageSink* fMessages;
};
