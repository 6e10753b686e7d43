#include "codetables_fixture.h"

#include "core/db/database.h"
#include "core/db/dberror.h"
#include "editing/codetables/autosave.h"
#include "editing/codetables/catalog.h"
#include "editing/codetables/frmhulppopup.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>

using namespace kv;
using namespace kv::codetables;
using namespace Qt::Literals::StringLiterals;
using kv::test::CodeTableTest;
using kv::test::Stored;

namespace {

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : u"<missing>"_s;
}

} // namespace

TEST_F(CodeTableTest, EveryTableOfTheMenusAndOfTheCaptionsHasACaptionAndATable)
{
    QSet<QString> known;
    for (const CodeTable &t : codeTables()) {
        EXPECT_FALSE(known.contains(t.key.toString())) << "twice: " << t.key.toString().toStdString();
        known << t.key.toString();
        EXPECT_TRUE(session.DBAdmin().hasTable(t.key.toString())) << t.key.toString().toStdString();
    }
    for (const QString &table : kv::test::menuCodeTables())
        EXPECT_TRUE(known.contains(table.toLower())) << table.toStdString();
}

TEST_F(CodeTableTest, AnEmptyTableOpensWithItsSlotCountOfUnsetEntries)
{
    const std::pair<QString, int> rows[] = {
        {u"tabelprijsgroepcode"_s, 10}, {u"TabelPalletLabel"_s, 200}, {u"TabelKostenplaatsen"_s, 200},
        {u"TabelBrandstof"_s, 99},      {u"tabelfgmineraalgegevens"_s, 99},
    };
    for (const auto &[table, slots] : rows) {
        const HulpList list = open(table);
        ASSERT_EQ(int(list.entries().size()), slots) << table.toStdString();
        for (const Entry &e : list.entries()) {
            EXPECT_EQ(e.text, u"(niet ingesteld)"_s);
            EXPECT_FALSE(e.ticked);
        }
    }
    // A table the catalog does not know still opens, under its own name.
    const HulpList unknown = open(u"TabelLandcode"_s);
    EXPECT_EQ(unknown.caption(), u"TabelLandcode"_s);
    EXPECT_EQ(unknown.entries().size(), 99u);
}

TEST_F(CodeTableTest, LoadingShowsBlankDescriptionsAsUnsetAndStopsAtTheSlotCount)
{
    std::vector<Stored> records = {
        {1, u"Consument"_s, true, 1}, {2, u"  "_s, true, 1}, {5, QString(2, QChar(0)), true, 1},
        {7, u"Dealer"_s, false, -1},  {8, u" Export "_s, true, 1},
    };
    for (int i = 0; i < 8; ++i)
        records.push_back({20 + i, u"Extra %1"_s.arg(i), true, 1});
    put(u"TabelPrijsgroepcode"_s, records);

    const HulpList list = open(u"tabelprijsgroepcode"_s);
    const QStringList texts = {u"Consument"_s, u"(niet ingesteld)"_s, u"(niet ingesteld)"_s, u"Dealer"_s,
                               u" Export "_s, u"Extra 0"_s, u"Extra 1"_s, u"Extra 2"_s, u"Extra 3"_s, u"Extra 4"_s};
    const QString ticks = u"X---XXXXXX"_s;
    QStringList shown;
    QString ticked;
    for (const Entry &e : list.entries()) {
        shown << e.text;
        ticked += e.ticked ? u'X' : u'-';
    }
    EXPECT_EQ(shown, texts);
    EXPECT_EQ(ticked, ticks);
}

TEST_F(CodeTableTest, SavingRewritesTheTableAsTheListStandsNumberedFromOne)
{
    put(u"TabelBrandstof"_s, {{3, u"Diesel"_s, true, 1}, {9, u""_s, false, -1}, {40, u"Benzine"_s, true, 1}});
    HulpList list = open(u"TabelBrandstof"_s);
    list.setTicked(2, false);
    list.setTicked(3, true);
    list.save();

    const std::vector<Stored> after = stored(u"TabelBrandstof"_s);
    ASSERT_EQ(after.size(), 99u);
    EXPECT_EQ(after[0], (Stored{1, u"Diesel"_s, true, 1}));
    EXPECT_EQ(after[1], (Stored{2, u"(niet ingesteld)"_s, false, -1}));
    EXPECT_EQ(after[2], (Stored{3, u"Benzine"_s, false, -1}));
    EXPECT_EQ(after[3], (Stored{4, u"(niet ingesteld)"_s, true, 1}));
    EXPECT_EQ(after[98], (Stored{99, u"(niet ingesteld)"_s, false, -1}));
}

TEST_F(CodeTableTest, ASaveThatFailsLeavesTheTableAsItWas)
{
    put(u"TabelBrandstof"_s, {{1, u"Diesel"_s, true, 1}});
    HulpList list = open(u"TabelBrandstof"_s);
    list.beginEdit(0);
    hulpPopupOk(ctx, u"Diesel"_s, QString(300, u'x')); // longer than the field holds
    list.endEdit(0);
    EXPECT_THROW(list.save(), db::DbError);
    EXPECT_EQ(stored(u"TabelBrandstof"_s), (std::vector<Stored>{{1, u"Diesel"_s, true, 1}}));
}

TEST_F(CodeTableTest, AnEditReplacesTheEntryOnlyWhenThePopupAnsweredUpdate)
{
    struct Row {
        QString table, old, typed, shown;
    };
    const Row rows[] = {
        {u"TabelKortingscode"_s, u"1,00"_s, u"1,2"_s, u"1,20"_s},
        {u"tabelbonuskorting"_s, u"0,10"_s, u"0.5"_s, u"0,50"_s},
        {u"tabelbonuskorting"_s, u"0,10"_s, u"1234,5"_s, u"1.234,50"_s},
        {u"TabelBrandstof"_s, u"Diesel"_s, u"Waterstof"_s, u"Waterstof"_s},
        {u"TabelBrandstof"_s, u"Diesel"_s, u"  Diesel "_s, u"Diesel"_s}, // blanks alone change nothing
        {u"TabelBrandstof"_s, u"Diesel"_s, u"1,2"_s, u"1,2"_s},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(QString(r.table + u" " + r.typed).toStdString());
        put(r.table, {{1, r.old, true, 1}});
        HulpList list = open(r.table);
        list.beginEdit(0);
        EXPECT_EQ(ctx.EditMode, u"edit"_s);
        EXPECT_EQ(ctx.EditKey, r.old);
        const bool answered = hulpPopupOk(ctx, ctx.EditKey, r.typed);
        EXPECT_EQ(list.endEdit(0), answered);
        EXPECT_EQ(list.entries()[0].text, r.shown);
        EXPECT_EQ(ctx.EditKey, r.table);
        session.DBAdmin().Execute(u"DELETE FROM "_s + r.table);
    }
}

TEST_F(CodeTableTest, AutoSaveWritesTheTickedEntriesToEachFileSet)
{
    const QString first = dir.filePath(u"labels1.txt"_s), third = dir.filePath(u"labels3.txt"_s);
    {
        QFile old(third);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("oude inhoud\r\nmeer\r\n");
    }
    HulpAutoSave window(ctx, u"tabelpalletlabel"_s);
    EXPECT_EQ(window.caption(), u"Pallet labels"_s);
    window.paths = {u"  "_s + first + u" "_s, u""_s, third};
    window.ok();
    EXPECT_EQ(ctx.EditKey, u"refresh"_s);
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"tabelpalletlabel_AutoSaveFilename3"), third);

    put(u"TabelPalletLabel"_s, {{1, u" Euro "_s, true, 1}, {2, u"Blok"_s, false, -1}, {3, u"Kist"_s, true, 1}});
    HulpList list = open(u"TabelPalletLabel"_s);
    ctx.EditKey = u"refresh"_s;
    list.autoSaveClosed();
    EXPECT_EQ(ctx.EditKey, u"TabelPalletLabel"_s);
    EXPECT_EQ(readFile(first), u"Euro\r\nKist\r\n"_s);
    EXPECT_EQ(readFile(third), u"Euro\r\nKist\r\n"_s);

    // A change made in the popup is exported at once.
    list.setTicked(1, true);
    list.beginEdit(0);
    hulpPopupOk(ctx, ctx.EditKey, u"Europallet"_s);
    list.endEdit(0);
    EXPECT_EQ(readFile(first), u"Europallet\r\nBlok\r\nKist\r\n"_s);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(CodeTableTest, AutoSaveStopsAtAFileItCannotReplace)
{
    const QString blocked = dir.filePath(u"map"_s), after = dir.filePath(u"daarna.txt"_s);
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"map/vol"_s)); // a non-empty folder cannot be removed as a file
    registry.SchrijfRegistry(RegKeyKorvenal, u"tabelloods_AutoSaveFilename1", blocked);
    registry.SchrijfRegistry(RegKeyKorvenal, u"tabelloods_AutoSaveFilename2", after);
    put(u"TabelLoods"_s, {{1, u"Loods A"_s, true, 1}});
    HulpList list = open(u"TabelLoods"_s);

    ctx.EditKey = u"refresh"_s;
    list.autoSaveClosed();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].prompt, u"Dit bestand is geen lijst van een code-tabel en wordt niet overschreven:\n"_s + blocked);
    EXPECT_EQ(dialogs.shown[0].title, u"Beheer - KorvenalPro"_s);
    EXPECT_FALSE(QFile::exists(after));
}

TEST_F(CodeTableTest, LookingWithoutChangingWritesNothing)
{
    put(u"TabelBrandstof"_s, {{1, u"Diesel"_s, true, 1}, {2, u"Benzine"_s, false, -1}});
    HulpList list = open(u"TabelBrandstof"_s);
    list.setTicked(0, false);
    list.setTicked(0, true); // and back: nothing changed
    list.beginEdit(1);
    hulpPopupOk(ctx, ctx.EditKey, u"Benzine"_s);
    list.endEdit(1);
    EXPECT_EQ(list.save(), HulpList::Saved::Unchanged);
    EXPECT_EQ(stored(u"TabelBrandstof"_s), (std::vector<Stored>{{1, u"Diesel"_s, true, 1}, {2, u"Benzine"_s, false, -1}}));
}

// A second console (a real process) changes the table while this one has it open.
TEST_F(CodeTableTest, AnotherConsolesChangeIsOnlyOverwrittenAfterYes)
{
    auto peerSets = [&](const QString &text) {
        QProcess peer;
        peer.start(QStringLiteral(EDITING_PEER), {u"hulp"_s, admin.dataPad(), u"TabelBrandstof"_s, u"0"_s, text});
        EXPECT_TRUE(peer.waitForFinished(60000));
        EXPECT_EQ(peer.exitCode(), 0) << peer.readAllStandardOutput().toStdString();
    };
    const QString question = u"Deze tabel is intussen door een andere gebruiker gewijzigd:\n1. %1\n\n"
                             u"Wilt u uw versie toch opslaan? De wijzigingen van de andere gebruiker gaan dan verloren."_s;
    put(u"TabelBrandstof"_s, {{1, u"Diesel"_s, true, 1}, {2, u"Benzine"_s, true, 1}});

    // No: the table as the other console left it, the user's change gone, its export too.
    const QString exported = dir.filePath(u"brandstof.txt"_s);
    registry.SchrijfRegistry(RegKeyKorvenal, u"tabelbrandstof_AutoSaveFilename1", exported);
    HulpList list = open(u"TabelBrandstof"_s);
    list.setTicked(1, false);
    peerSets(u"Biodiesel"_s);
    dialogs.script({mb::No});
    EXPECT_EQ(list.save(), HulpList::Saved::Reloaded);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].prompt, question.arg(u"Biodiesel"_s));
    EXPECT_EQ(dialogs.shown[1].prompt, u"Uw wijzigingen zijn niet opgeslagen; de tabel toont nu wat de andere "
                                       u"gebruiker heeft opgeslagen."_s);
    EXPECT_EQ(list.entries()[0], (Entry{u"Biodiesel"_s, true}));
    EXPECT_EQ(list.entries()[1], (Entry{u"Benzine"_s, true}));
    EXPECT_FALSE(list.changed());
    EXPECT_EQ(stored(u"TabelBrandstof"_s)[0].text, u"Biodiesel"_s);
    EXPECT_EQ(readFile(exported), u"Biodiesel\r\nBenzine\r\n"_s);

    // Yes: the user's version, the other console's change overwritten.
    list.setTicked(1, false);
    peerSets(u"Gas"_s);
    dialogs.script({mb::Yes});
    EXPECT_EQ(list.save(), HulpList::Saved::Written);
    EXPECT_EQ(dialogs.shown.back().prompt, question.arg(u"Gas"_s));
    const std::vector<Stored> after = stored(u"TabelBrandstof"_s);
    EXPECT_EQ(after[0], (Stored{1, u"Biodiesel"_s, true, 1}));
    EXPECT_EQ(after[1], (Stored{2, u"Benzine"_s, false, -1}));
}

TEST_F(CodeTableTest, AutoSaveFilesLiveOutsideTheDataFolderAndOnlyExportsAreReplaced)
{
    HulpAutoSave window(ctx, u"tabelloods"_s);
    for (const QString &path : QStringList{u"lijst.txt"_s, admin.dataPad() + u"lijst.txt"_s, admin.dataPad() + u"../Testbedrijf072026/x.txt"_s}) {
        SCOPED_TRACE(path.toStdString());
        window.paths = {path, {}, {}};
        EXPECT_FALSE(window.ok());
        EXPECT_EQ(dialogs.shown.back().prompt,
                  u"Kies voor dit bestand een volledig pad buiten de map van de administratie:\n"_s + path);
    }
    EXPECT_TRUE(registry.LeesRegistry(RegKeyKorvenal, u"tabelloods_AutoSaveFilename1").isEmpty());

    // A link that leads into the data folder is inside it.
    const QString link = dir.filePath(u"database.txt"_s);
    ASSERT_TRUE(QFile::link(admin.dataPad() + u"KorvenalDB.sqlite"_s, link));
    window.paths = {link, {}, {}};
    EXPECT_FALSE(window.ok());

    // Only a file as an export writes it is replaced: not a binary, not a note of the user's.
    const QString list = dir.filePath(u"lijst.txt"_s), kept = dir.filePath(u"notities.txt"_s);
    put(u"TabelLoods"_s, {{1, u"Loods A"_s, true, 1}});
    HulpList loods = open(u"TabelLoods"_s);
    for (const QByteArray &other : {QByteArray("\x00\x01binair", 8), QByteArray("boodschappen\nmelk\n"),
                                    QByteArray(" inspringen\r\n"), QByteArray("laatste regel zonder einde")}) {
        SCOPED_TRACE(other.toStdString());
        for (const auto &[path, bytes] : {std::pair{list, QByteArray("oud\r\n")}, {kept, other}}) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        window.paths = {list, kept, {}};
        ASSERT_TRUE(window.ok());
        ctx.EditKey = u"refresh"_s;
        loods.autoSaveClosed();
        EXPECT_EQ(readFile(list), u"Loods A\r\n"_s);
        EXPECT_EQ(readFile(kept).toUtf8(), other);
        EXPECT_EQ(dialogs.shown.back().prompt,
                  u"Dit bestand is geen lijst van een code-tabel en wordt niet overschreven:\n"_s + kept);
    }
}
