#include "catalogue/CatalogueContext.h"

TCatalogueContext::TCatalogueContext(IMessageSink* Messages)
    : fMessages(Messages ? Messages : &fStderr) {}

TCatalogueContext::~TCatalogueContext() = default;

void TCatalogueContext::SetMessages(IMessageSink* Messages) {
    fMessages = Messages ? Messages : &fStderr;
}

TArticleSource TCatalogueContext::ArticleSource() const {
    return TArticleSource{Catalogue, Settings.Folders().ElementPath};
}

TProductImageEnvironment TCatalogueContext::ProductImageEnvironment() {
    TProductImageEnvironment environment;
    environment.Catalogue = &Catalogue;
    environment.Store = &Settings.Store();
    environment.ProductPath = Settings.Folders().ProductPath;
    environment.ImagePath = Settings.Folders().ImagePath;
    environment.ElementPath = Settings.Folders().ElementPath;
    environment.ProductReadOnly = Settings.Folders().ProductReadOnly;
    environment.ColorDepth = CurrentColorDepth();
    environment.Messages = fMessages;
    return environment;
}
