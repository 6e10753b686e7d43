#include "core/db/database.h"
#include "editing/options/optionsscreen.h"
#include "editing/options/optionstool.h"
#include "optionsfixture.h"

#include <QPushButton>
#include <QTest>

#include <sqlite3.h>

using namespace kv;
using namespace kv::options;
using namespace Qt::Literals::StringLiterals;

namespace {

using test::optionNamed;

const OptionScreen &screenNamed(const QString &name)
{
    return test::optionScreen(name);
}

class OptionsTest : public test::OptionsFixture {
protected:
    // The value as stored: a column as SQLite holds it (empty for Null), the registry text, or
    // the line of a marker file.
    QString raw(const Option &option)
    {
        if (option.place == Place::Registry)
            return registry.LeesRegistry(RegKeyKorvenal, option.name);
        if (option.place == Place::MarkerFile && option.line < 0) // the file itself: its text, or that it is not there
            return QString::fromUtf8(fileBytes(markerFileName(option.name, ctx.workstation))).remove(u"\r\n"_s);
        if (option.place == Place::MarkerFile)
            return QString::fromUtf8(fileBytes(option.name)).split(u"\r\n"_s).value(option.line);
        sqlite3_stmt *stmt = nullptr;
        const QByteArray sql = "SELECT " + option.name.toUtf8() + " FROM UserGegevens";
        sqlite3_prepare_v2(session.DBAdmin().handle(), sql.constData(), -1, &stmt, nullptr);
        QString value;
        if (sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_type(stmt, 0) != SQLITE_NULL)
            value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        return value;
    }

    // Sets one option on a freshly loaded screen and saves.
    bool set(const QString &screen, const QString &control, const QString &state)
    {
        const OptionScreen &table = screenNamed(screen);
        OptionsLogic logic(ctx, table);
        logic.setState(optionNamed(table, control), state);
        return logic.save();
    }

};

} // namespace

// Every toggle stores its encoding: switched on, then off again, then read back.
TEST_F(OptionsTest, EveryToggleStoresItsEncoding)
{
    struct Row {
        QString screen, control, on, off;
    };
    const Row rows[] = {
        {u"frmBedrijfsgegevens"_s, u"toggle 0"_s, u"0"_s, u"1"_s},
        {u"frmOrders"_s, u"toggle 0"_s, u"1"_s, u"0"_s},        {u"frmOrders"_s, u"toggle 1"_s, u"1"_s, u"0"_s},
        {u"frmOrders"_s, u"toggle 2"_s, u"1"_s, u"0"_s},        {u"frmOrders"_s, u"toggle 3"_s, u"1"_s, u"0"_s},
        {u"frmOrders"_s, u"toggle 4"_s, u"1"_s, u"0"_s},        {u"frmOrders"_s, u"toggle 5"_s, u"1"_s, u"0"_s},
        {u"frmOrders"_s, u"toggle 6"_s, u"1"_s, u"0"_s},        {u"frmOrders"_s, u"toggle 15"_s, u"-1"_s, u"0"_s},
        {u"frmFactureren"_s, u"toggle 0"_s, u"1"_s, u"0"_s},    {u"frmFactureren"_s, u"toggle 1"_s, u"1"_s, u"0"_s},
        {u"frmFactureren"_s, u"toggle 2"_s, u"1"_s, u"0"_s},    {u"frmFactureren"_s, u"toggle 3"_s, u"1"_s, u"0"_s},
        {u"frmFactureren"_s, u"toggle 4"_s, u"-1"_s, u"0"_s},   {u"frmFactureren"_s, u"toggle 5"_s, u"1"_s, u"0"_s},
        {u"frmFactureren"_s, u"toggle 6"_s, u"1"_s, u"0"_s},    {u"frmFactureren"_s, u"toggle 7"_s, u"1"_s, u"0"_s},
        {u"frmFactureren"_s, u"toggle 8"_s, u"1"_s, u"0"_s},    {u"frmFactureren"_s, u"toggle 9"_s, u"1"_s, u"0"_s},
        {u"frmFactureren"_s, u"toggle 10"_s, u"1"_s, u"0"_s},   {u"frmFactureren"_s, u"toggle 11"_s, u"1"_s, u"0"_s},
        {u"frmFactureren"_s, u"toggle 12"_s, u"0"_s, u"1"_s},   {u"frmFactureren"_s, u"toggle 13"_s, u"1"_s, u"0"_s},
        {u"frmFactureren"_s, u"toggle 14"_s, u"1"_s, u"0"_s},   {u"frmFactureren"_s, u"toggle 15"_s, u"1"_s, u"0"_s},
        {u"frmFactureren"_s, u"toggle 16"_s, u"1"_s, u"0"_s},
        {u"frmVoorraad"_s, u"toggle 4"_s, u"1"_s, u"0"_s},
        {u"frmWeegbrug"_s, u"toggle 0"_s, u"0"_s, u"1"_s},      {u"frmWeegbrug"_s, u"toggle 1"_s, u"0"_s, u"1"_s},
        {u"frmWeegbrug"_s, u"toggle 2"_s, u"1"_s, u"0"_s},      {u"frmWeegbrug"_s, u"toggle 3"_s, u"0"_s, u"1"_s},
        {u"frmWeegbrug"_s, u"toggle 4"_s, u"1"_s, u"0"_s},      {u"frmWeegbrug"_s, u"toggle 5"_s, u"0"_s, u"1"_s},
        {u"frmAfrekenen"_s, u"toggle 0"_s, u"0"_s, u"1"_s},     {u"frmAfrekenen"_s, u"toggle 1"_s, u"0"_s, u"1"_s},
        {u"frmAfrekenen"_s, u"toggle 2"_s, u"0"_s, u"1"_s},     {u"frmAfrekenen"_s, u"toggle 3"_s, u"0"_s, u"1"_s},
        {u"frmAfrekenen"_s, u"toggle 4"_s, u"0"_s, u"1"_s},     {u"frmAfrekenen"_s, u"toggle 5"_s, u"0"_s, u"1"_s},
        {u"frmAfrekenen"_s, u"toggle 6"_s, u"0"_s, u"1"_s},
        {u"frmTransport"_s, u"toggle 3"_s, u"1"_s, u"0"_s},     {u"frmTransport"_s, u"toggle 5"_s, u"1"_s, u"0"_s},
        {u"frmTransport"_s, u"toggle 6"_s, u"1"_s, u"0"_s},     {u"frmTransport"_s, u"toggle 19"_s, u"1"_s, u"0"_s},
        {u"frmAdvanced"_s, u"toggle 3"_s, u"1"_s, u"0"_s},      {u"frmAdvanced"_s, u"toggle 4"_s, u"1"_s, u"0"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 7"_s, u"1"_s, u"0"_s},    {u"frmOrdersGebruiker"_s, u"toggle 9"_s, u"1"_s, u"0"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 10"_s, u"1"_s, u"0"_s},    {u"frmOrdersGebruiker"_s, u"toggle 11"_s, u"1"_s, u"0"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 12"_s, u"1"_s, u"0"_s},    {u"frmOrdersGebruiker"_s, u"toggle 13"_s, u"0"_s, u"1"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 14"_s, u"0"_s, u"1"_s},    {u"frmOrdersGebruiker"_s, u"toggle 16"_s, u"1"_s, u"0"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 17"_s, u"1"_s, u"0"_s},    {u"frmOrdersGebruiker"_s, u"toggle 25"_s, u"0"_s, u"1"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 26"_s, u"1"_s, u"0"_s},    {u"frmOrdersGebruiker"_s, u"toggle 28"_s, u"1"_s, u"0"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 29"_s, u"1"_s, u"0"_s},    {u"frmOrdersGebruiker"_s, u"toggle 30"_s, u"1"_s, u"0"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 31"_s, u"1"_s, u"0"_s},    {u"frmOrdersGebruiker"_s, u"toggle 18"_s, u"0"_s, u"1"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 19"_s, u"0"_s, u"1"_s},    {u"frmOrdersGebruiker"_s, u"toggle 20"_s, u"0"_s, u"1"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 21"_s, u"0"_s, u"1"_s},    {u"frmOrdersGebruiker"_s, u"toggle 22"_s, u"0"_s, u"1"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 23"_s, u"0"_s, u"1"_s},    {u"frmOrdersGebruiker"_s, u"toggle 24"_s, u"0"_s, u"1"_s},
        {u"frmOrdersGebruiker"_s, u"toggle 27"_s, u"1"_s, u"0"_s},    {u"frmCMR"_s, u"toggle 8"_s, u"1"_s, u"0"_s},
        {u"frmCMR"_s, u"toggle 3"_s, u"1"_s, u"0"_s},    {u"frmCMR"_s, u"toggle 7"_s, u"0"_s, u"1"_s},
        {u"frmCMR"_s, u"toggle 9"_s, u"1"_s, u"0"_s},    {u"frmCMR"_s, u"toggle 10"_s, u"0"_s, u"1"_s},
        {u"frmCMR"_s, u"toggle 11"_s, u"0"_s, u"1"_s},    {u"frmCMR"_s, u"toggle 12"_s, u"1"_s, u"0"_s},
        {u"frmCMR"_s, u"toggle 13"_s, u"1"_s, u"0"_s},    {u"frmCMR"_s, u"toggle 14"_s, u"1"_s, u"0"_s},
        {u"frmCMR"_s, u"toggle 15"_s, u"1"_s, u"0"_s},    {u"frmCMR"_s, u"toggle 16"_s, u"1"_s, u"0"_s},
        {u"frmCMR"_s, u"toggle 17"_s, u"1"_s, u"0"_s},    {u"frmCMR"_s, u"toggle 18"_s, u"0"_s, u"1"_s},
        {u"frmCMR"_s, u"toggle 20"_s, u"0"_s, u"1"_s},    {u"frmCMR"_s, u"toggle 21"_s, u"1"_s, u"0"_s},
        {u"frmCMR"_s, u"toggle 22"_s, u"0"_s, u"1"_s},    {u"frmCMR"_s, u"toggle 23"_s, u"1"_s, u"0"_s},
        {u"frmAdvanced"_s, u"toggle 5"_s, u"1"_s, u"0"_s},      {u"frmAdvanced"_s, u"toggle 6"_s, u"1"_s, u"0"_s},
        {u"frmAdvanced"_s, u"toggle 0"_s, u"Client mode geactiveerd 20261207"_s, u"(geen bestand)"_s},
        {u"frmAdvanced"_s, u"toggle 2"_s, u"Database open houden, ingesteld op 2026-12-07"_s, u"(geen bestand)"_s},
        {u"frmGoogle"_s, u"toggle 0"_s, u"1"_s, u"0"_s},        {u"frmFourage"_s, u"toggle 0"_s, u"1"_s, u"0"_s},
        {u"frmOrderRelgegevens"_s, u"toggle 0"_s, u"1"_s, u"0"_s},
    };
    registry.SchrijfRegistry(RegKeyKorvenal, u"GoogleAPIKey"_s, u"sleutel"_s); // the key the switch asks for
    int toggles = 0;
    for (const OptionScreen &screen : company::optionScreens())
        for (const Option &option : screen.options)
            toggles += option.kind == Control::Toggle;
    EXPECT_EQ(toggles, int(std::size(rows))) << "a toggle without its row here";

    for (const Row &r : rows) {
        SCOPED_TRACE(QString(r.screen + u' ' + r.control).toStdString());
        const OptionScreen &screen = screenNamed(r.screen);
        const Option &option = screen.options[size_t(optionNamed(screen, r.control))];
        ASSERT_TRUE(set(r.screen, r.control, u"off"_s)); // from off, whatever nothing stored reads as
        ASSERT_TRUE(set(r.screen, r.control, u"on"_s));
        EXPECT_EQ(raw(option), r.on);
        EXPECT_EQ(OptionsLogic(ctx, screen).state(optionNamed(screen, r.control)), u"on"_s);
        ASSERT_TRUE(set(r.screen, r.control, u"off"_s));
        EXPECT_EQ(raw(option), r.off);
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(OptionsTest, EveryScreenLoadsAndSavesUnchangedWithoutAQuestion)
{
    for (const OptionScreen &screen : company::optionScreens()) {
        SCOPED_TRACE(screen.screen.toStdString());
        OptionsLogic logic(ctx, screen);
        EXPECT_EQ(logic.screen().options.size(), screen.options.size());
        EXPECT_TRUE(logic.save());
    }
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(registry.valueNames(RegKeyKorvenal).isEmpty()); // nothing changed, nothing written
}

// The invoicing screen writes its three marker files on every save, found whatever their case.
TEST_F(OptionsTest, InvoicingRewritesItsMarkerFilesOnEverySave)
{
    {
        QFile sorteren(admin.dataPad() + u"Sorteren.INI"_s);
        ASSERT_TRUE(sorteren.open(QIODevice::WriteOnly));
        sorteren.write("1\r\n0\r\n");
    }
    const OptionScreen &factureren = screenNamed(u"frmFactureren"_s);
    OptionsLogic logic(ctx, factureren);
    EXPECT_EQ(logic.state(optionNamed(factureren, u"toggle 14"_s)), u"on"_s);
    EXPECT_EQ(logic.state(optionNamed(factureren, u"toggle 15"_s)), u"off"_s);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(fileBytes(u"Sorteren.INI"_s), QByteArray("1\r\n0\r\n"));
    EXPECT_EQ(fileBytes(u"creditfact.ini"_s), QByteArray("1\r\n"));
    EXPECT_EQ(fileBytes(u"doorboeken.ini"_s), QByteArray("0\r\n"));

    logic.setState(optionNamed(factureren, u"toggle 12"_s), u"on"_s);
    logic.setState(optionNamed(factureren, u"choice"_s), u"1"_s);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(fileBytes(u"creditfact.ini"_s), QByteArray("0\r\n"));
    EXPECT_EQ(fileBytes(u"doorboeken.ini"_s), QByteArray("1\r\n"));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"DoorboekenFactuurmutaties"), u"1"_s);
}

// The workstation's files: named after it, there or not there, and read back whatever their case.
TEST_F(OptionsTest, TheWorkstationOptionsAreFilesThatAreThereOrNot)
{
    const OptionScreen &advanced = screenNamed(u"frmAdvanced"_s);
    for (const char *name : {"PC-07_KorvenalClientDB.mdb", "PC-07.reset"}) {
        QFile file(admin.dataPad() + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    {
        QFile lock(admin.dataPad() + u"KORVENAL.LOCK"_s);
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write("False\r\n");
    }
    OptionsLogic logic(ctx, advanced);
    EXPECT_EQ(logic.state(optionNamed(advanced, u"combo 3"_s)), u"1"_s); // "Meteen bijwerken", whatever the case
    EXPECT_EQ(logic.state(optionNamed(advanced, u"toggle 0"_s)), u"off"_s);

    logic.setState(optionNamed(advanced, u"toggle 0"_s), u"on"_s);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(fileBytes(u"PC-07.client"_s), QByteArray("Client mode geactiveerd 20261207\r\n"));
    EXPECT_EQ(fileBytes(u"KORVENAL.LOCK"_s), QByteArray("False\r\n")); // unchanged: not written
    EXPECT_EQ(fileBytes(u"PC-07.reset"_s), QByteArray()); // on: the offline files stay

    // A later save of something else keeps the day offline mode was switched on.
    ctx.clock = [] { return QDateTime(QDate(2026, 12, 8), QTime(9, 0)); };
    logic.setState(optionNamed(advanced, u"toggle 3"_s), u"on"_s);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(fileBytes(u"PC-07.client"_s), QByteArray("Client mode geactiveerd 20261207\r\n"));

    logic.setState(optionNamed(advanced, u"toggle 0"_s), u"off"_s);
    logic.setState(optionNamed(advanced, u"combo 3"_s), u"0"_s);
    ASSERT_TRUE(logic.save());
    for (const char *name : {"PC-07.client", "PC-07_KorvenalClientDB.mdb", "PC-07.reset", "KORVENAL.LOCK"})
        EXPECT_EQ(fileBytes(QString::fromLatin1(name)), QByteArray("(geen bestand)")) << name;
    EXPECT_EQ(OptionsLogic(ctx, advanced).state(optionNamed(advanced, u"combo 3"_s)), u"0"_s);
}

TEST_F(OptionsTest, CompanyDataKeepsPostcodesAndStreetsAsTheSuiteReadsThem)
{
    const OptionScreen &company = screenNamed(u"frmBedrijfsgegevens"_s);
    const int backup = optionNamed(company, u"toggle 0"_s);
    EXPECT_EQ(OptionsLogic(ctx, company).state(backup), u"on"_s); // nothing stored: backups are on
    registry.SchrijfRegistry(RegKeyKorvenal, u"AutoBackupDisabled", u"2"_s);
    EXPECT_EQ(OptionsLogic(ctx, company).state(backup), u"off"_s);

    ASSERT_TRUE(set(u"frmBedrijfsgegevens"_s, u"field 4"_s, u"1234 ab"_s));
    ASSERT_TRUE(set(u"frmBedrijfsgegevens"_s, u"field 2"_s, u"Dorpsstraat"_s));
    ASSERT_TRUE(set(u"frmBedrijfsgegevens"_s, u"field 6"_s, u"Postbus"_s));
    ASSERT_TRUE(set(u"frmBedrijfsgegevens"_s, u"field 2"_s, u""_s));
    ASSERT_TRUE(set(u"frmBedrijfsgegevens"_s, u"field 6"_s, u""_s));
    auto raw = [&](const QString &control) { return this->raw(company.options[size_t(optionNamed(company, control))]); };
    EXPECT_EQ(raw(u"field 4"_s), u"1234AB"_s);
    EXPECT_EQ(raw(u"field 2"_s), u" "_s);  // the street holds something
    EXPECT_EQ(raw(u"field 6"_s), u""_s);   // the postal street may stay empty
    OptionsLogic logic(ctx, company);
    EXPECT_EQ(logic.state(optionNamed(company, u"field 4"_s)), u"1234 AB"_s);
    EXPECT_EQ(logic.state(optionNamed(company, u"field 2"_s)), u""_s);

    // Without the company record nothing is saved, not even this workstation's backup switch.
    session.DBAdmin().Execute(u"DELETE FROM UserGegevens"_s);
    OptionsLogic empty(ctx, company);
    empty.setState(backup, u"on"_s);
    EXPECT_TRUE(empty.save());
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"AutoBackupDisabled"), u"2"_s);
}

TEST_F(OptionsTest, ChoicesAndFieldsStoreWhatIsChosenAndTyped)
{
    const OptionScreen &weegbrug = screenNamed(u"frmWeegbrug"_s);
    const int choice = optionNamed(weegbrug, u"choice"_s);
    EXPECT_EQ(OptionsLogic(ctx, weegbrug).state(choice), u"0"_s);
    registry.SchrijfRegistry(RegKeyKorvenal, u"WeegbrugType", u"7"_s); // no item stores 7
    EXPECT_EQ(OptionsLogic(ctx, weegbrug).state(choice), u"0"_s);

    ASSERT_TRUE(set(u"frmWeegbrug"_s, u"choice"_s, u"2"_s));
    ASSERT_TRUE(set(u"frmWeegbrug"_s, u"field 0"_s, u"/srv/weegbrug"_s));
    ASSERT_TRUE(set(u"frmWeegbrug"_s, u"field 6"_s, u"R000123"_s));
    ASSERT_TRUE(set(u"frmVoorraad"_s, u"field 0"_s, u" 2 "_s));
    ASSERT_TRUE(set(u"frmTransport"_s, u"field 14"_s, u"TL-77"_s));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"WeegbrugType"), u"2"_s);
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"WeegbrugPath"), u"/srv/weegbrug"_s);
    auto user = session.DBAdmin().OpenQuery(u"SELECT LastRitNummer, VoorraadMoment, TransportLijst FROM UserGegevens"_s);
    EXPECT_EQ(user->text(u"LastRitNummer"), u"R000123"_s);
    EXPECT_EQ(user->value(u"VoorraadMoment"), QVariant(qint64(2)));
    EXPECT_EQ(user->text(u"TransportLijst"), u"TL-77"_s);
    EXPECT_EQ(OptionsLogic(ctx, weegbrug).state(choice), u"2"_s);

    ASSERT_TRUE(set(u"frmOrdersGebruiker"_s, u"combo 1"_s, u"1"_s)); // "Ordernummer"
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"OrderOverzichtSort"), u"1"_s);
    ASSERT_TRUE(set(u"frmOrdersGebruiker"_s, u"choice"_s, u"1"_s)); // first the quantity, then the price
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"OrderInvoerVolgorde"), u"0"_s);
    ASSERT_TRUE(set(u"frmCMR"_s, u"type choice"_s, u"2"_s));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"CMRType"), u"2"_s);
    ASSERT_TRUE(set(u"frmCMR"_s, u"field 5"_s, u"Europallet"_s));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"CMRPallet6"), u"Europallet"_s);
    // The new relations' lists store the entry's key, and nothing for none.
    ASSERT_TRUE(set(u"frmRelaties"_s, u"combo 4"_s, u"3"_s));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"Relaties_CredDetaultBetaalwijze"), u"3"_s);
    ASSERT_TRUE(set(u"frmRelaties"_s, u"combo 4"_s, QString()));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"Relaties_CredDetaultBetaalwijze"), QString());
    EXPECT_FALSE(set(u"frmRelaties"_s, u"field 4"_s, u"366"_s));
    EXPECT_EQ(dialogs.prompts().last(), u"Het aantal betaaldagen moet tussen 0 en 365 liggen."_s);
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"Relaties_CredDetaultBetaaldagen"), QString());

    // An amount is typed and shown as amounts are.
    ASSERT_TRUE(set(u"frmFactureren"_s, u"field 5"_s, u"1.250,5"_s));
    const OptionScreen &factureren = screenNamed(u"frmFactureren"_s);
    EXPECT_EQ(raw(factureren.options[size_t(optionNamed(factureren, u"field 5"_s))]), u"1250.5"_s);
    EXPECT_EQ(OptionsLogic(ctx, factureren).state(optionNamed(factureren, u"field 5"_s)), u"1.250,50"_s);
}

// Bad input names the field and writes nothing, not even the options that were fine.
TEST_F(OptionsTest, BadInputWritesNothing)
{
    struct Case {
        QString screen, control, typed, message;
    };
    const Case cases[] = {
        {u"frmVoorraad"_s, u"field 0"_s, u"morgen"_s, u"Vul bij \"Moment van bijwerken:\" een geheel getal in."_s},
        {u"frmWeegbrug"_s, u"field 6"_s, QString(16, u'9'), u"\"Laatste ritnummer weegbrug:\" mag niet meer dan 15 tekens bevatten."_s},
        {u"frmFactureren"_s, u"field 5"_s, u"veel"_s, u"Vul bij \"Facturen mogen worden afgeboekt bij een openstaand bedrag kleiner dan:\" een bedrag in."_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.control.toStdString());
        const OptionScreen &screen = screenNamed(c.screen);
        OptionsLogic logic(ctx, screen);
        const Option &toggle = screen.options[size_t(optionNamed(screen, u"toggle 4"_s))]; // on each of these screens
        const Option &field = screen.options[size_t(optionNamed(screen, c.control))];
        const QString toggleBefore = raw(toggle), fieldBefore = raw(field);
        logic.setState(optionNamed(screen, u"toggle 4"_s), u"on"_s);
        logic.setState(optionNamed(screen, c.control), c.typed);
        EXPECT_FALSE(logic.save());
        EXPECT_EQ(dialogs.prompts().last(), c.message);
        EXPECT_EQ(raw(toggle), toggleBefore);
        EXPECT_EQ(raw(field), fieldBefore);
        EXPECT_EQ(fileBytes(u"creditfact.ini"_s), QByteArray("(geen bestand)"));
    }
}

TEST_F(OptionsTest, WithoutACompanyRecordOnlyTheRegistryIsWritten)
{
    session.DBAdmin().Execute(u"DELETE FROM UserGegevens"_s);
    const OptionScreen &weegbrug = screenNamed(u"frmWeegbrug"_s);
    OptionsLogic logic(ctx, weegbrug);
    logic.setState(optionNamed(weegbrug, u"field 6"_s), u"R1"_s);
    logic.setState(optionNamed(weegbrug, u"toggle 3"_s), u"on"_s);
    EXPECT_TRUE(logic.save());
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"PartijNrAanvullenMetBonNummer"), u"0"_s);
    EXPECT_EQ(session.table(u"UserGegevens"_s).RecordCount(), 0);
}

// Another program (a second connection) stores the same column while the screen is open.
TEST_F(OptionsTest, AnotherProgramsChangeIsOnlyOverwrittenAfterYes)
{
    const OptionScreen &weegbrug = screenNamed(u"frmWeegbrug"_s);
    auto other = db::Database::open(admin.dataPad() + u"KorvenalDB.sqlite"_s, {});
    auto otherSets = [&](const QString &number) {
        other->Execute(u"UPDATE UserGegevens SET LastRitNummer = '"_s + number + u"'"_s);
    };
    const QString question = u"Dit record is intussen door een andere gebruiker gewijzigd:\n"
                             u"Laatste ritnummer weegbrug: nu %1, uw invoer R2\n\nWilt u uw invoer toch opslaan?"_s;

    OptionsLogic logic(ctx, weegbrug);
    logic.setState(optionNamed(weegbrug, u"field 6"_s), u"R2"_s);
    logic.setState(optionNamed(weegbrug, u"toggle 2"_s), u"on"_s);
    logic.setState(optionNamed(weegbrug, u"toggle 4"_s), u"on"_s);
    otherSets(u"R9"_s);
    registry.SchrijfRegistry(RegKeyKorvenal, u"WeegbrugVraagAantalInStuks", u"0"_s); // the other program's too
    dialogs.script({mb::No});
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(dialogs.prompts().last(), question.arg(u"R9"_s));
    EXPECT_EQ(logic.state(optionNamed(weegbrug, u"field 6"_s)), u"R9"_s);
    EXPECT_EQ(logic.state(optionNamed(weegbrug, u"toggle 2"_s)), u"on"_s); // still the user's input
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"InkoopContractenPartijenAanvoerAdvanced"), u""_s);
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"WeegbrugVraagAantalInStuks"), u"0"_s); // as it was, not as loaded

    logic.setState(optionNamed(weegbrug, u"field 6"_s), u"R2"_s);
    otherSets(u"R10"_s);
    dialogs.script({mb::Yes});
    EXPECT_TRUE(logic.save());
    EXPECT_EQ(dialogs.prompts().last(), question.arg(u"R10"_s));
    EXPECT_EQ(raw(weegbrug.options[size_t(optionNamed(weegbrug, u"field 6"_s))]), u"R2"_s);
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"InkoopContractenPartijenAanvoerAdvanced"), u"1"_s);

    // The marker files of a save that did not land are as they were: here, not there.
    const OptionScreen &factureren = screenNamed(u"frmFactureren"_s);
    OptionsLogic invoicing(ctx, factureren);
    invoicing.setState(optionNamed(factureren, u"field 0"_s), u"F100"_s);
    invoicing.setState(optionNamed(factureren, u"toggle 12"_s), u"on"_s);
    other->Execute(u"UPDATE UserGegevens SET FactuurNr = 'F200'"_s);
    dialogs.script({mb::No});
    EXPECT_FALSE(invoicing.save());
    for (const char *file : {"creditfact.ini", "sorteren.ini", "doorboeken.ini"})
        EXPECT_EQ(fileBytes(QString::fromLatin1(file)), QByteArray("(geen bestand)")) << file;
}

TEST_F(OptionsTest, TheScreenSavesWhatIsClicked)
{
    const OptionScreen &orders = screenNamed(u"frmOrders"_s);
    OptionsScreen screen(ctx, orders);
    screen.show();
    QTest::mouseClick(screen.control(optionNamed(orders, u"toggle 15"_s)), Qt::LeftButton);
    QTest::mouseClick(screen.findChild<QPushButton *>(u"cmdSave"_s), Qt::LeftButton);
    EXPECT_EQ(raw(orders.options[size_t(optionNamed(orders, u"toggle 15"_s))]), u"-1"_s);
}

// What korvenal-admin opties lists and sets: keys as stored, values as stored and as shown.
TEST_F(OptionsTest, TheToolListsAndSetsOptionsByTheirStoredNames)
{
    const OptionScreen &weegbrug = screenNamed(u"frmWeegbrug"_s);
    const OptionScreen &factureren = screenNamed(u"frmFactureren"_s);
    EXPECT_TRUE(setOptions(ctx, weegbrug, {u"PartijNrAanvullenMetBonNummer=aan"_s, u"WeegbrugType=2"_s, u"LastRitNummer=R7"_s}));
    EXPECT_TRUE(setOptions(ctx, factureren, {u"sorteren.ini:2=aan"_s, u"Autoboekstuknr=aan"_s}));

    QStringList lines;
    for (const OptionRow &row : listOptions(ctx, {weegbrug, factureren}))
        lines << row.form + u'\t' + row.key + u'\t' + row.stored + u'\t' + row.shown;
    for (const QString &expected : {u"frmWeegbrug\tPartijNrAanvullenMetBonNummer\t0\taan"_s,
                                    u"frmWeegbrug\tWeegbrugType\t2\tKoppel het programma aan een extern weegbrug programma"_s,
                                    u"frmWeegbrug\tLastRitNummer\tR7\tR7"_s,
                                    u"frmWeegbrug\tWeegbrugVraagAantalInStuks\t\tuit"_s,
                                    u"frmFactureren\tsorteren.ini:1\t0\tuit"_s,
                                    u"frmFactureren\tsorteren.ini:2\t1\taan"_s,
                                    u"frmFactureren\tAutoboekstuknr\t-1\taan"_s})
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString();

    struct Refused {
        QString assignment, message;
    };
    for (const Refused &r : {Refused{u"Bestaatniet=aan"_s, u"frmWeegbrug heeft geen instelling Bestaatniet."_s},
                             Refused{u"WeegbrugTypesSimpleVoorraad=ja"_s,
                                     u"WeegbrugTypesSimpleVoorraad kan niet ja zijn (aan of uit)."_s},
                             Refused{u"WeegbrugType=3"_s, u"WeegbrugType kan niet 3 zijn (0 tot en met 2)."_s}}) {
        EXPECT_FALSE(setOptions(ctx, weegbrug, {u"WeegbrugPath=/x"_s, r.assignment}));
        EXPECT_EQ(dialogs.prompts().last(), r.message);
    }
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"WeegbrugPath"), QString()); // nothing of a refused call
    EXPECT_FALSE(setOptions(ctx, screenNamed(u"frmCMR"_s), {u"=x"_s})); // a heading is no option
}

// A value typed again in another form ("12,5" for "12,50") is no change: not written, not recorded.
TEST_F(OptionsTest, AValueInAnotherFormIsNoChange)
{
    ASSERT_TRUE(set(u"frmFactureren"_s, u"field 5"_s, u"12,50"_s));
    auto rows = [&] { return session.DBAdmin().OpenTable(u"InstellingenLog"_s)->RecordCount(); };
    const int before = rows();
    ASSERT_TRUE(set(u"frmFactureren"_s, u"field 5"_s, u"12,5"_s));
    EXPECT_EQ(rows(), before);
}
