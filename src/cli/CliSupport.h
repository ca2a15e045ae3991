#pragma once
// What every tarv-cli command shares: its command line (parsed by QCommandLineParser, with
// German messages), the one form its errors take, the engine context with the data folder,
// and writing results.
//
// Errors: the message as the program would show it, on standard error; for arguments the
// command cannot work with, a hint at its help follows and the exit status is 2; a failure of
// the work itself ends with status 1.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <memory>

class QImage;
class QJsonDocument;
class TCatalogueReporter;
class TEngineContext;
class TGraphModule;
struct Tgpc_vertex;
class TPlanDocument;

struct ECliError {
    QString Message;
    int Status = 2;
};

// The arguments do not fit the command.
[[noreturn]] void UsageError(const QString& Message);
// The command could not do its work.
[[noreturn]] void WorkError(const QString& Message);

// The command line of one command: -h/--help and --data on every command.
class TCommandLine {
public:
    TCommandLine(const QString& Command, const char* Usage);

    void AddFlag(const QString& Name);
    void AddValue(const QString& Name, const QString& ValueName);

    // False when help was asked for (it is printed); ECliError for unknown options, missing
    // values, values given to flags, or a number of positional arguments other than Positional.
    bool Parse(const QStringList& Args, std::initializer_list<int> Positional);

    bool IsSet(const QString& Name) const { return fParser.isSet(Name); }
    QString Value(const QString& Name) const { return fParser.value(Name); }
    QStringList Values(const QString& Name) const { return fParser.values(Name); }
    QStringList Positional() const { return fParser.positionalArguments(); }
    // --data, or empty.
    QString DataFolder() const { return Value(QStringLiteral("data")); }
    // For options other parts of the program add and read themselves.
    QCommandLineParser& Parser() { return fParser; }

private:
    QString fCommand;
    const char* fUsage;
    QCommandLineParser fParser;
};

// Runs the command and turns its errors into their one form and exit status.
int RunCommand(const QString& Command, const std::function<int()>& Work);

// The data folder for the run: Folder when given (as --data), else TARV_DATA_DIR, else the
// user's; its folders are worked out (and the sample data copied in on first use) as the
// program does at start-up. The other general settings keep their defaults: a batch run
// does not write the window's settings.
void UseDataFolder(TEngineContext& Context, const QString& Folder);
// UseDataFolder, then the catalogue (line errors ignored and reported on standard error), the
// picture folder, and the substructure prototypes with their last settings ("UKprev.bin").
void LoadDataFolder(TEngineContext& Context, const QString& Folder);

// The plan of the file, read as the program reads it. With a data folder (--data) its
// catalogue and settings are loaded first, so that older plans get its default batten
// article and the battens their connectors; WorkError with the program's load error when the
// plan cannot be read.
std::unique_ptr<TPlanDocument> LoadPlan(TEngineContext& Context, const QString& Path,
                                        const QString& DataFolder);

// "x,y" in cm with a decimal point; UsageError otherwise.
Tgpc_vertex ParsePlanPoint(const QString& Text);

// The module of the module article numbered Number, placed at At and turned by Angle degrees
// about it as the program places modules; UsageError for an article that is missing or no
// module, or whose script cannot be read (with the script's message).
std::unique_ptr<TGraphModule> PlaceModule(TEngineContext& Context, const QString& Number,
                                          const Tgpc_vertex& At, double Angle);

// Writes the JSON indented to standard output.
void PrintJson(const QJsonDocument& Json);
// Writes the picture in the format its name asks for (PNG when Qt has no writer for it).
// The file is replaced only once the picture is complete; WorkError otherwise.
void WritePicture(const QImage& Picture, const QString& Path);
