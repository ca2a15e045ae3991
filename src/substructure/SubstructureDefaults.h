#pragma once
// Where the context's substructure defaults are set: at start-up, when an area is laid with a
// new pattern, and when the user clicks an area.

struct TGeneralSettings;
class TPaneele;
class TPatternGenerator;
class TShape;
class TSubstructureContext;

// Layout used when the stored one is missing, out of range or not part of this build.
constexpr int kFallbackUKMuster = 2;

// Start-up: DefaultUKArtikel from the settings, else the first batten article of the
// catalogue; DefaultUKMuster from the settings (a layout this build lacks counts as the
// fallback); the default generator is that prototype, initialised from the current board,
// with DefaultUKArtikel as its batten article.
void InitSubstructureDefaults(TSubstructureContext& Context, const TGeneralSettings& Settings);

// A pattern was chosen for laying: the prototype of DefaultUKMuster when the pattern names it
// among its preferred layouts, else the pattern's own layout when it is not 0, else none; a
// chosen prototype takes the defaults of the pattern's board.
void ChooseDefaultLattenGenerator(TSubstructureContext& Context, const TPatternGenerator& Pattern);

// The user clicked an area with a generator: the first prototype of the same Name becomes the
// default and takes over the generator's settings; its batten article becomes DefaultUKArtikel.
void AdoptLattenGeneratorOfShape(TSubstructureContext& Context, const TShape& Shape);
