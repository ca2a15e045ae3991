#include "offer/EngineContext.h"

TEngineContext::TEngineContext(IMessageSink* Messages) : TSubstructureContext(Messages) {}

TEngineContext::~TEngineContext() = default;
