#pragma once
// The article model: the article classes with their fields and defaults, the owning article
// list, the groups, and the catalogue that holds every group and finds articles by number.
// Lengths and widths are centimetres; prices are in the currency unit.

#include "catalogue/ArticleText.h"
#include "platform/AppSettings.h"
#include "platform/Canvas.h"

#include <QString>
#include <QStringList>

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

class TProductGroup;
class TPaneele;
class TReader;
class TWriter;

// Type numbers (`Typ`).
enum TProductType : std::int32_t {
    ptProfilholz = 0,  // PR
    ptPaneel = 1,      // PL, loose tongue or none
    ptPaneelFeder = 2, // PF, fixed tongue
    ptParkett = 3,     // PA
    ptLeiste = 10,     // LE, edge strip
    ptLatte = 11,      // LA, substructure batten
    ptKlammer = 20,    // KL, clip
    ptKralle = 21,     // KR, claw
    ptSonstiges = 30,  // SO, other article
    ptModul = 40,      // MO
    ptBalken = 50,     // BA, beam or frieze
};

// The two-letter code of catalogue files; "SO" for 30 and for every number not in the table.
QString ProductTypeCode(std::int32_t typ);
// The type of a code, letters a-z in any case; none for an unknown code.
std::optional<std::int32_t> ProductTypeFromCode(const QString& code);
// The caption of the editing dialogs ("&" marks the accelerator); empty for unknown numbers.
QString ProductTypeCaption(std::int32_t typ);
// The article class a type number calls for ("TPaneele", ...); empty for unknown numbers.
QString ProductClassOfType(std::int32_t typ);

// A set of type numbers 0..255, for the article choosers.
class TProductSet {
public:
    TProductSet() = default;
    TProductSet(std::initializer_list<std::int32_t> types);
    static TProductSet All();
    void Include(std::int32_t typ);
    void Exclude(std::int32_t typ);
    bool Contains(std::int32_t typ) const;
    bool operator==(const TProductSet&) const = default;

private:
    std::bitset<256> fTypes;
};

class EInvalidProductType : public std::runtime_error {
public:
    EInvalidProductType() : std::runtime_error("Ungültige Typkennung") {}
};

// An article; instances of this class itself are other articles (type 30).
class TProduct {
public:
    TProduct();
    virtual ~TProduct();
    TProduct(const TProduct&) = delete;
    TProduct& operator=(const TProduct&) = delete;

    virtual QString ClassName() const { return QStringLiteral("TProduct"); }
    // A new article of the same class with the constructor defaults.
    virtual std::unique_ptr<TProduct> Create() const;
    // Copies every field, ProductGroup, FileListIndex and Hidden included; the own fields of a
    // subclass only when the source is of that class too.
    virtual void Assign(const TProduct& source);
    std::unique_ptr<TProduct> Clone() const;

    // The article record of streams. Fails (EReadError) on a record version above 4 and on
    // a length or price that is not a finite number.
    virtual void ReadData(TReader& reader);
    virtual void WriteData(TWriter& writer) const;

    // Whether `other` may stand in for this article: same type, name (a-z case folded), width,
    // picture, colour and group, and not longer.
    bool IsCompatible(const TProduct* other) const;

    // The editing dialog of the article's class, as the program installs it in its context;
    // false on cancel or when the program has no dialogs.
    bool Edit(const std::function<bool(TProduct&)>& editor);

    // The dimension and price line of article lists, in the currency the prices are shown in.
    QString DimCode(const TCurrency& currency) const;

    // Why laying, counting or pricing the article would fail (a package unit below one piece,
    // a board or strip without length or width); empty when it is usable.
    virtual QString Defect() const;

    TProductGroup* ProductGroup = nullptr; // not owned
    TArticleText<50> Name{u"Neuer Artikel ohne Name"};
    TArticleText<25> ArtikelNr;
    TArticleText<80> InfoText1;
    std::int32_t Typ = ptSonstiges;
    TArticleText<30> ImageFileName; // for modules: the module script
    std::int32_t ImageIndex = 0;    // 0: the picture comes from ImageFileName
    double VBreite = 25;            // covering width
    double VLaenge = 80;            // covering length
    double PckEin = 10;             // pieces per package
    std::array<double, 3> Preis{24.95, 0, 0};
    std::int32_t PreisArt = 2;
    std::int32_t FileListIndex = -1; // index into ProductFiles, -1 = none
    TColor Color = RGBColor(255, 255, 255);
    bool Hidden = false; // not laid on its own
    std::int32_t AngebotsTextNr = 0;
    std::int32_t MeldungsTextNr = 0;
    bool AutoInsert = false;
    // Battens: clips per crossing; other articles: quantity of the optional article.
    std::int32_t Multiplikator = 1;
    // Strips and battens: the cross connector; other articles: the optional article.
    TArticleString Kreuzverbinder;
    TArticleString Winkelverbinder;
    TArticleString Laengsverbinder;
    // The calculation length and width live on the board and beam classes, where they are in
    // use; the base class has no such fields.

protected:
    virtual QString FormatDimCode(int currency, const QString& currencyName) const;
    // The defect of an article that is cut to length and laid by its width.
    QString DimensionDefect() const;
};

// The editing dialogs are not part of the engine; the program installs them in its context.
using TProductEditor = std::function<bool(TProduct&)>;

using TProductListMatch = std::function<bool(const TProduct&)>;

// An ordered list that owns its articles. A list that belongs to a group makes that group
// the ProductGroup of every article put into it.
class TProductList {
public:
    explicit TProductList(TProductGroup* owner = nullptr);
    ~TProductList();
    TProductList(const TProductList&) = delete;
    TProductList& operator=(const TProductList&) = delete;
    // The moved list belongs to no group.
    TProductList(TProductList&& other) noexcept;

    int Count() const { return static_cast<int>(fItems.size()); }
    bool IsEmpty() const { return fItems.empty(); }
    TProduct* Get(int index) const;
    // Replaces (and destroys) the article at index.
    void Put(int index, std::unique_ptr<TProduct> product);
    int Add(std::unique_ptr<TProduct> product);
    void Insert(int index, std::unique_ptr<TProduct> product);
    int IndexOf(const TProduct* product) const;
    TProduct* First() const;
    TProduct* Last() const;
    void Delete(int index);
    // Destroys the article; its former index, or -1 when it is not in the list.
    int Remove(const TProduct* product);
    // Takes the article out without destroying it.
    std::unique_ptr<TProduct> Extract(int index);
    void Clear();
    TProductList Clone() const;
    TProduct* FirstThat(const TProductListMatch& match) const;

    const std::vector<std::unique_ptr<TProduct>>& Items() const { return fItems; }

private:
    void CheckIndex(int index, bool end) const;
    TProduct* Adopt(TProduct* product) const;

    TProductGroup* fOwner;
    std::vector<std::unique_ptr<TProduct>> fItems;
};

class TProductGroup {
public:
    TProductGroup();
    explicit TProductGroup(const QString& name);
    TProductGroup(const TProductGroup&) = delete;
    TProductGroup& operator=(const TProductGroup&) = delete;

    // Never empty: a catalogue line without a group name would be lost at the next start.
    const TArticleText<50>& Name() const { return fName; }
    // Refuses (false, name unchanged) a name that is empty once cut.
    bool SetName(const QString& name);

    TArticleText<80> InfoText1;
    TArticleText<30> ImageFileName;
    std::int32_t ImageIndex = 0;
    TProductList Products{this};

    // The stream group record with its articles. An empty name keeps the default name.
    void ReadData(TReader& reader);
    // Only the articles of that catalogue file; all of them for a negative index.
    void WriteData(TWriter& writer, int fileIndex) const;

private:
    TArticleText<50> fName{u"Neue Warengruppe"};
};

// A catalogue file: the upper-case name is the key articles refer to; I/O uses the real name.
struct TProductFile {
    QString Name;     // upper case (letters a-z), no folder
    QString FileName; // as found in the folder
    // False when loading left part of the file unread: saving it would lose those lines.
    bool Writable = true;
};

class TCatalogue {
public:
    TCatalogue();
    ~TCatalogue();
    TCatalogue(const TCatalogue&) = delete;
    TCatalogue& operator=(const TCatalogue&) = delete;

    // Groups in load order, then those made later.
    const std::vector<std::unique_ptr<TProductGroup>>& ProductGroups() const { return fGroups; }
    int GroupCount() const { return static_cast<int>(fGroups.size()); }
    TProductGroup* Group(int index) const;
    TProductGroup* AddGroup(std::unique_ptr<TProductGroup> group);
    // The first group of exactly that name, compared after cutting it to the bound.
    TProductGroup* FindGroupByName(const QString& name) const;
    // Destroys the group and its articles.
    void DeleteGroup(TProductGroup* group);

    const std::vector<TProductFile>& ProductFiles() const { return fFiles; }
    TProductFile& ProductFile(int index);
    QStringList ProductFileNames() const;
    // The index of the file with that name (compared upper-cased), added when missing.
    int AddProductFile(const QString& fileName);
    // Always a new entry: on a case-sensitive file system "user.dat" and "USER.DAT" are two
    // files with the same key.
    int AppendProductFile(const QString& fileName);
    int ProductFileIndex(const QString& fileName) const;

    // The first article with exactly that number (case-sensitive), groups and articles in
    // order; none when there is no such article.
    TProduct* FindProduct(const QString& artikelNr) const;
    TProductGroup* FindProductGroup(const QString& artikelNr) const;
    int ProductCount() const;
    // Destroys the article, looked up in every group; false when no group holds it.
    bool DeleteProduct(const TProduct* product);

    TProductGroup* CurrentProductGroup() const { return fCurrentGroup; }
    void SetCurrentProductGroup(TProductGroup* group);
    // The default board of new laying areas: a copy of the board chosen or edited last.
    TPaneele& CurrentPaneel() { return *fCurrentPaneel; }
    const TPaneele& CurrentPaneel() const { return *fCurrentPaneel; }

    // Destroys every group and empties ProductFiles.
    void Clear();

private:
    std::vector<std::unique_ptr<TProductGroup>> fGroups;
    std::vector<TProductFile> fFiles;
    TProductGroup* fCurrentGroup = nullptr;
    std::unique_ptr<TPaneele> fCurrentPaneel;
};

// A raw double of an article record; EReadError when it is not a finite number.
double ReadFiniteDouble(TReader& reader);

// A new article of the class the type number calls for; EInvalidProductType otherwise.
std::unique_ptr<TProduct> CreateProductOfType(std::int32_t typ);
// A new article of the named class ("TPaneele", ...); nullptr for any other name.
std::unique_ptr<TProduct> CreateProductOfClass(const QString& className);
