#include "finance/assets/assetmembers.h"

#include "core/context.h"
#include "core/db/recordset.h"
#include "core/dialogs.h"
#include "core/mainwindow/theme.h"
#include "editing/amounts.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/detailpopup.h"
#include "editing/listdetail/values.h"
#include "finance/assets/assetregister.h"
#include "finance/assets/schedule.h"

#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace kv::finance::assets {

using listdetail::DetailLogic;
using listdetail::Field;
using listdetail::Kind;

namespace {

const QStringList methodes{u"Lineair - vast bedrag/percentage van aanschafwaarde"_s, u"vast percentage van boekwaarde"_s,
                           u"som van de jaarnummers"_s};
const QStringList frequenties{u"jaar"_s, u"kwartaal"_s, u"maand"_s};
const QList<qint64> perJaar{1, 4, 12};

// The fields a group hands to each of its assets.
const QStringList methodeVelden{u"WOZBeperking"_s, u"Methode"_s, u"Looptijd"_s, u"Percentage"_s,
                                u"BoekingsFrequentie"_s, u"Termijnen"_s};

Field methode() { return {.name = u"Methode"_s, .caption = u"Methode:"_s, .kind = Kind::Number, .initial = u"0"_s, .choices = methodes}; }
Field looptijd() { return {u"Looptijd"_s, u"Looptijd in jaren:"_s, Kind::Number}; }
Field percentage() { return {u"Percentage"_s, u"Afschrijvings %:"_s, Kind::Decimal}; }
Field frequentie()
{
    return {.name = u"BoekingsFrequentie"_s, .caption = u"Boekfrequentie:"_s, .kind = Kind::Number, .initial = u"12"_s,
            .choices = frequenties, .choiceValues = perJaar};
}
Field termijnen() { return {.name = u"Termijnen"_s, .caption = u"Aantal termijnen:"_s, .kind = Kind::Number, .readOnly = true}; }
Field rekening(const QString &name, const QString &caption) { return {name, caption, Kind::LedgerAccount}; }
Field bedrag(const QString &name, const QString &caption, bool readOnly = false)
{
    return {.name = name, .caption = caption, .kind = Kind::Amount, .readOnly = readOnly};
}

// The number of instalments follows the life and the booking frequency, once one is chosen.
void telTermijnen(DetailLogic &popup, const QString &field)
{
    if (field != u"Looptijd" && field != u"BoekingsFrequentie")
        return;
    const QString per = popup.text(u"BoekingsFrequentie"_s).trimmed();
    if (!per.isEmpty())
        popup.setText(u"Termijnen"_s, QString::number(popup.text(u"Looptijd"_s).trimmed().toLongLong() * per.toLongLong()));
}

QString groepMetActiva(listdetail::MemberTables &tables, const QString &key)
{
    db::Recordset &rs = tables.table(u"ActivaRegistratie"_s);
    rs.setIndex(u"ActivaGroep"_s);
    rs.Seek(u"=", key.toLongLong());
    return rs.NoMatch() ? QString() : GroepInGebruik.toString();
}

qint64 centen(DetailLogic &popup, const QString &field)
{
    const auto &s = popup.context().separators;
    return std::llround(listdetail::number(popup.text(field), s.DecimaalTeken, s.DuizendTeken).value_or(0) * 100);
}

QDate datum(DetailLogic &popup, const QString &field)
{
    const auto stored = listdetail::storedValue(popup.context(), Kind::Date, popup.text(field));
    return stored ? QDate::fromString(stored->toString(), u"yyyyMMdd"_s) : QDate();
}

QString bedragTekst(DetailLogic &popup, qint64 centen)
{
    return FormatBedrag(popup.context().separators, double(centen) / 100);
}

// The asset as the schedule reads it, from what the popup holds.
Activum activumVan(DetailLogic &popup)
{
    const auto &s = popup.context().separators;
    Activum a;
    a.aanschafWaarde = centen(popup, u"AanschafWaarde"_s);
    a.restWaarde = centen(popup, u"RestWaarde"_s);
    a.basis = centen(popup, u"BasisBedragAfschrijving"_s);
    a.herinvesteringsReserve = centen(popup, u"HerInvesteringsReserve"_s);
    a.wozWaarde = centen(popup, u"WOZwaarde"_s);
    a.wozBeperking = popup.text(u"WOZBeperking"_s) == u"on";
    a.aanschaf = datum(popup, u"Aanschafdatum"_s);
    a.start = datum(popup, u"StartDatumAfschrijvingen"_s);
    a.methode = popup.text(u"Methode"_s).toInt();
    a.looptijd = popup.text(u"Looptijd"_s).trimmed().toInt();
    a.percentage = std::llround(
        listdetail::number(popup.text(u"Percentage"_s), s.GetalDecimaalTeken, s.GetalDuizendTeken).value_or(0) * kProcent);
    a.frequentie = popup.text(u"BoekingsFrequentie"_s).toInt();
    return a;
}

bool groepBestaat(DetailLogic &popup)
{
    const QString groep = popup.text(u"ActivaGroep"_s).trimmed();
    if (groep.isEmpty())
        return false;
    db::Recordset &rs = popup.tables().table(u"ActivaGroepen"_s);
    rs.setIndex(u"PrimaryKey"_s);
    rs.Seek(u"=", groep.toLongLong());
    return !rs.NoMatch();
}

// Choosing a group gives the asset the group's method.
void neemGroepOver(DetailLogic &popup)
{
    if (!groepBestaat(popup))
        return;
    db::Recordset &rs = popup.tables().table(u"ActivaGroepen"_s);
    for (const QString &veld : methodeVelden)
        popup.setText(veld, listdetail::fieldText(popup.context(), registerMember().field(veld)->kind, rs.value(veld)));
}

void activumGewijzigd(DetailLogic &popup, const QString &field)
{
    if (field == u"ActivaGroep")
        neemGroepOver(popup);
    telTermijnen(popup, field);
    if (field == u"AanschafWaarde" || field == u"Afgeschreven")
        popup.setText(u"Boekwaarde"_s,
                      bedragTekst(popup, centen(popup, u"AanschafWaarde"_s) - centen(popup, u"Afgeschreven"_s)));
}

// Written with every save: the proposed basis when none was typed, the book value, and the
// instalment amounts as the schedule gives them.
void vulAfgeleid(DetailLogic &popup)
{
    const Activum a = activumVan(popup);
    if (popup.text(u"BasisBedragAfschrijving"_s).trimmed().isEmpty())
        popup.setText(u"BasisBedragAfschrijving"_s, bedragTekst(popup, a.basisBedrag()));
    popup.setText(u"Boekwaarde"_s, bedragTekst(popup, a.aanschafWaarde - centen(popup, u"Afgeschreven"_s)));
    std::vector<qint64> bedragen;
    const QDate begin = a.start.isValid() ? a.start : a.aanschaf;
    for (int jaar = begin.year(); begin.isValid() && jaar <= begin.year() + a.looptijd + 1 && bedragen.size() < 2; ++jaar) {
        for (const Termijn &t : termijnen(a, jaar, false))
            if (t.bedrag != 0)
                bedragen.push_back(t.bedrag);
    }
    popup.setText(u"EersteTermijnBedrag"_s, bedragTekst(popup, bedragen.empty() ? 0 : bedragen[0]));
    popup.setText(u"TermijnBedrag"_s, bedragTekst(popup, bedragen.size() > 1 ? bedragen[1] : bedragen.empty() ? 0 : bedragen[0]));
}

// The asset's depreciation in the administration's year, below the fields; it follows what is
// typed once a field is left.
QWidget *schemaVanHetJaar(listdetail::DetailPopup &popup)
{
    auto *box = new QWidget(&popup);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    const int jaar = popup.logic().context().AdminJaar.toInt();
    auto *kop = new QLabel(u"Afschrijvingen %1"_s.arg(jaar), box);
    auto *lijst = new QTreeWidget(box);
    lijst->setObjectName(u"lstSchema"_s);
    lijst->setRootIsDecorated(false);
    lijst->setHeaderLabels({u"Periode"_s, u"Boekwaarde begin"_s, u"Afschrijving"_s, u"Boekwaarde eind"_s});
    lijst->setUniformRowHeights(true);
    lijst->setStyleSheet(u"QTreeView::item { padding: 2px 10px; }"_s);
    lijst->header()->setStretchLastSection(false);
    lijst->setMinimumHeight(300); // a year by month without scrolling
    auto *advies = new QLabel(box);
    advies->setObjectName(u"lblAdvies"_s);
    advies->setWordWrap(true);
    advies->setStyleSheet(u"color: %1;"_s.arg(QColor(theme::advice).name()));
    layout->addWidget(advies);
    layout->addWidget(kop);
    layout->addWidget(lijst);
    auto vul = [&popup, lijst, advies, jaar] {
        DetailLogic &logic = popup.logic();
        lijst->clear();
        const Activum a = activumVan(logic);
        const JaarInstellingen instellingen = jaarInstellingen(logic.context(), jaar);
        advies->setText(adviezen(a, instellingen.ondergrens).join(u'\n'));
        advies->setVisible(!advies->text().isEmpty());
        if (!bezwaren(a, true).isEmpty() || !(a.start.isValid() || a.aanschaf.isValid()))
            return;
        for (const Termijn &t : termijnen(a, jaar, instellingen.heleEuros)) {
            auto *rij = new QTreeWidgetItem(lijst, {periodeNaam(t), bedragTekst(logic, t.begin), bedragTekst(logic, t.bedrag),
                                                    bedragTekst(logic, t.eind())});
            for (int kolom = 1; kolom < 4; ++kolom)
                rij->setTextAlignment(kolom, Qt::AlignRight | Qt::AlignVCenter);
        }
        for (int kolom = 0; kolom < 4; ++kolom)
            lijst->resizeColumnToContents(kolom);
    };
    vul();
    QObject::connect(&popup, &listdetail::DetailPopup::fieldLeft, lijst, vul);
    return box;
}

const QString afschrijvingspercentage =
    u"Fiscaal mag per jaar ten hoogste 20% van de aanschafkosten worden afgeschreven, voor goodwill ten hoogste 10%.\n\n"
    u"Gebouwen worden afgeschreven over 30 jaar (bedrijfsgebouwen) of 50 jaar, en niet verder dan tot de "
    u"bodemwaarde: tot en met 2018 50% van de WOZ-waarde, vanaf 2019 de volle WOZ-waarde."_s;
const QString herinvesteringsreserve =
    u"Een boekwinst bij de verkoop van een bedrijfsmiddel mag in een herinvesteringsreserve worden gehouden als er "
    u"het voornemen is opnieuw te investeren. Bij de herinvestering wordt de reserve afgeboekt op de aanschafwaarde "
    u"van het nieuwe bedrijfsmiddel, zodat over dat deel niet wordt afgeschreven.\n\n"
    u"De reserve vervalt na drie jaar zonder herinvestering en valt dan in de winst."_s;

// The two explanations under a group's fields.
QWidget *uitleg(listdetail::DetailPopup &popup)
{
    auto *box = new QWidget(&popup);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(24);
    const std::pair<QString, QString> teksten[] = {{u"Meer informatie..."_s, afschrijvingspercentage},
                                                   {u"HIR - Herinvesteringsreserve..."_s, herinvesteringsreserve}};
    const QString titels[] = {u"Afschrijvingspercentage"_s, u"Herinvesteringsreserve"_s};
    for (int i = 0; i < 2; ++i) {
        auto *link = new QLabel(u"<a href=\"#\">"_s + teksten[i].first.toHtmlEscaped() + u"</a>", box);
        link->setObjectName(i == 0 ? u"lblMeerInformatie"_s : u"lblHIR"_s);
        QObject::connect(link, &QLabel::linkActivated, box, [&popup, tekst = teksten[i].second, titel = titels[i]] {
            popup.logic().context().dialogs->MsgBox(tekst, mb::Information, titel);
        });
        row->addWidget(link);
    }
    row->addStretch();
    return box;
}

QString bezwaar(DetailLogic &popup)
{
    return bezwaren(activumVan(popup), groepBestaat(popup)).join(u'\n');
}

} // namespace

const listdetail::Member &groupsMember()
{
    static const listdetail::Member member{
        .screen = u"frmActivaGroepen"_s,
        .popup = u"frmActivaGroepenPopup"_s,
        .caption = u"Activagroep"_s,
        .table = u"ActivaGroepen"_s,
        .key = u"InternNr"_s,
        .columns = {
            {u"Nr"_s,    u"InternNr"_s, Kind::Number},
            {u"Groep"_s, u"ActivaGroep"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde activa groep wilt verwijderen?"_s,
        .fields = {
            {.name = u"InternNr"_s, .caption = u"Nummer:"_s, .kind = Kind::Number, .numberedOnAdd = true},
            {.name = u"RecordCode"_s, .kind = Kind::Number, .initial = u"1"_s},
            {u"ActivaGroep"_s, u"Activagroep:"_s},
            methode(),
            looptijd(),
            percentage(),
            frequentie(),
            termijnen(),
            {u"WOZBeperking"_s, u"Beperking tot WOZ-waarde:"_s, Kind::YesNo},
            rekening(u"GrbRekActiva"_s, u"Grootboekrekening voor investeringen - activa:"_s),
            rekening(u"GrbRekAfschrijvenActiva"_s, u"Grootboekrekening voor afschrijvingen - activa balans:"_s),
            rekening(u"GrbRekAfschrijvenKosten"_s, u"Grootboekrekening voor afschrijvingen - kosten / v && w:"_s),
            rekening(u"GrbRekVerkopen"_s, u"Grootboekrekening voor verkopen - activa balans:"_s),
            rekening(u"GrbRekResultaatHIR"_s, u"Grootboekrekening voor verkopen - HIR balans:"_s),
            rekening(u"GrbRekResultaatVW"_s, u"Grootboekrekening voor verkopen - verkoopresultaat:"_s),
            rekening(u"GrbRekVervreemding"_s, u"Grootboekrekeningen vervreemding/afstoten - kosten vervr.:"_s),
        },
        .checks = {
            listdetail::required(u"ActivaGroep"_s, u"U heeft nog geen omschrijving ingegeven"_s),
            listdetail::numeric(u"Percentage"_s, u"Er is geen correct BTW percentage ingegeven."_s),
        },
        .section = uitleg,
        .trail = u"frmActivaGroepen"_s,
        .mayDelete = groepMetActiva,
        .edited = telTermijnen,
    };
    return member;
}

const listdetail::Member &registerMember()
{
    static const listdetail::Member member{
        .screen = u"frmActivaRegister"_s,
        .popup = u"frmActivaRegisterPopup"_s,
        .caption = u"Activum"_s,
        .table = u"ActivaRegistratie"_s,
        .key = u"InternNr"_s,
        .columns = {
            {u"Nr"_s,           u"InternNr"_s, Kind::Number},
            {u"Omschrijving"_s, u"Omschrijving"_s},
            {.caption = u"Groep"_s, .field = u"ActivaGroep"_s,
             .lookup = listdetail::Lookup{.table = u"ActivaGroepen"_s, .index = u"PrimaryKey"_s, .field = u"ActivaGroep"_s,
                                          .missing = u"onbekend"_s}},
            {u"Locatie"_s,      u"Locatie"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u het geselecteerde activum wilt verwijderen?"_s,
        .fields = {
            {.name = u"InternNr"_s, .caption = u"Nummer:"_s, .kind = Kind::Number, .numberedOnAdd = true},
            {.name = u"RecordCode"_s, .kind = Kind::Number, .initial = u"1"_s},
            {.name = u"ActivaGroep"_s, .caption = u"Activagroep:"_s, .kind = Kind::Number,
             .choicesFrom = Field::ChoiceTable{u"ActivaGroepen"_s, u"InternNr"_s, u"ActivaGroep"_s}},
            {u"Omschrijving"_s, u"Omschrijving:"_s},
            {u"Locatie"_s, u"Locatie:"_s},
            {u"Identificatie"_s, u"Identificatie:"_s},
            {u"Gebruiker"_s, u"Gebruiker:"_s},
            {u"Aanschafdatum"_s, u"Aanschafdatum:"_s, Kind::Date},
            bedrag(u"AanschafWaarde"_s, u"Aanschafwaarde:"_s),
            bedrag(u"RestWaarde"_s, u"Restwaarde:"_s),
            bedrag(u"HerInvesteringsReserve"_s, u"Herinvesteringsreserve:"_s),
            bedrag(u"BasisBedragAfschrijving"_s, u"Basisbedrag afschrijving:"_s),
            {u"StartDatumAfschrijvingen"_s, u"Start afschrijvingen:"_s, Kind::Date},
            methode(),
            looptijd(),
            percentage(),
            frequentie(),
            termijnen(),
            bedrag(u"EersteTermijnBedrag"_s, u"Eerste termijnbedrag:"_s, true),
            bedrag(u"TermijnBedrag"_s, u"Termijnbedrag:"_s, true),
            {.name = u"Afgeschreven"_s, .caption = u"Afgeschreven:"_s, .kind = Kind::Amount, .initial = u"0"_s, .readOnly = true},
            bedrag(u"Boekwaarde"_s, u"Boekwaarde:"_s, true),
            {u"WOZBeperking"_s, u"Beperking tot WOZ-waarde:"_s, Kind::YesNo},
            bedrag(u"WOZwaarde"_s, u"WOZ-waarde:"_s),
            {u"Garantietermijn"_s, u"Garantie tot:"_s, Kind::Date},
            bedrag(u"VerzekerdBedrag"_s, u"Verzekerd bedrag:"_s),
        },
        .checks = {
            listdetail::required(u"Omschrijving"_s, u"U heeft nog geen omschrijving ingegeven"_s),
            listdetail::numeric(u"Percentage"_s, u"Er is geen correct BTW percentage ingegeven."_s),
            bezwaar,
        },
        .derive = vulAfgeleid,
        .section = schemaVanHetJaar,
        .trail = u"frmActivaRegister"_s,
        .edited = activumGewijzigd,
    };
    return member;
}

} // namespace kv::finance::assets
