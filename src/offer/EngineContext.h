#pragma once
// The engine context: everything the engine keeps for the whole run of a program, in one
// object the program creates and passes on (tarv-cli and tests make their own). Its layers
// follow the engine's folders: the settings, messages, catalogue and pictures
// (TCatalogueContext), the pattern prototypes and laying defaults (TLayingContext), the
// substructure prototypes and defaults with the substructure step (TSubstructureContext).
// The requirement collection and the last offer join here.

#include "substructure/SubstructureContext.h"

class TEngineContext : public TSubstructureContext {
public:
    explicit TEngineContext(IMessageSink* Messages = nullptr);
    ~TEngineContext() override;
};
