#include "core/navigation/menutables.h"

#include "core/session/datafiles.h"

#include <QHash>

namespace kv::nav {

const std::vector<MenuSection> &menuSections()
{
    // Section key, header; then per row: row, caption, key, opens, shown when.
    static const std::vector<MenuSection> sections{
        {u"activa", u"Beheer - Activaregister", {
            {0,  u"Algemeen",      u"frmactivaalgemeen", screen(u"frmActivaAlgemeen"), always},
            {1,  u"Activagroepen", u"frmactivagroepen",  screen(u"frmActivaGroepen"),  always},
            {2,  u"Register",      u"frmactivaregister", screen(u"frmActivaRegister"), always},
        }},
        {u"externlijst", u"Externe lijsten", {
            {0,  u"Loslijst per dag",       u"frmloslijst",      screen(u"frmLosLijst"),        always},
            {1,  u"Leveringslijst per dag", u"frmleverlijstdag", screen(u"frmLeveringenLijst"), always},
        }},
        {u"extern", u"Externe koppelingen", {
            {0,  u"Webportaal",                 u"frmklantenportaal",       screen(u"frmKlantenKorvenalProOnline"), always},
            {1,  u"Webportaal / webshop groep", u"tabelwebportaalgroep",    hulp(u"tabelwebportaalgroep"),          always},
            {2,  u"Exact",                      u"frmexact",                screen(u"frmExact"),                    always},
            {3,  u"Facturen",                   u"frmfacturen",             screen(u"frmFacturenKopie"),            always},
            {4,  u"Google",                     u"frmgoogle",               screen(u"frmGoogle"),                   always},
            {5,  u"Trimble - FleetWorks",       u"frmtrimblestam",          screen(u"frmTrimble"),                  fileExists(u"trimble.mdb")},
            {6,  u"Drevanik|Bramel",            u"frmklantenportaalbramel", screen(u"frmKlantenportaalBramel"),     always},
        }},
        {u"factuurherkennen", u"Factuur herkennen", {
            {0,  u"UBL facturen", u"frmfacturen_ubl",      screen(u"frmFacturen_UBL"),      always},
            {1,  u"ReadSoft",     u"frmfacturen_readsoft", screen(u"frmFacturen_ReadSoft"), always},
            {2,  u"FM Module",    u"frmfacturen_fmmodule", screen(u"frmFacturen_FMModule"), always},
        }},
        {u"personeel", u"Personeel, medewerkers en functies", {
            {0,  u"Functies ",                    u"frmfuncties",             hulp(u"tabelfuncties"),    always},
            {1,  u"Medewerkers",                  u"frmmedewerkersprogramma", hulp(u"tabelmedewerkers"), always},
            {2,  u"Vertegenwoordigers / agenten", u"frmvert",                 hulp(u"TabelVertcode"),    always},
            {3,  u"Werknemers / personeel",       u"frmmedewerkers",          screen(u"frmMedewerkers"), always},
        }},
        {u"beheer", u"Beheer - Onderhoud administratie", {
            {0,  u"Auditfile XML aanmaken",                u"frmauditfile",                           screen(u"frmAuditFile"),                           always},
            {1,  u"Verwijderen vervallen relaties",        u"frmrelaties_delrelaties",                screen(u"frmRelaties_DelRelaties"),                always},
            {2,  u"Verwijderen betaalde facturen",         u"frmrelaties_delopenstaandeposten",       screen(u"frmRelaties_DelOpenstaandePosten"),       always},
            {3,  u"Verwijder alle facturen",               u"frmrelaties_delalleopenstaandeposten",   screen(u"frmRelaties_DelAlleOpenstaandePosten"),   always},
            {4,  u"Verwijderen balie orders",              u"frmbalie_delorders",                     screen(u"frmBalie_DelOrders"),                     always},
            {5,  u"Verwijderen ritten",                    u"frmritten_delorders",                    screen(u"frmRitten_DelOrders"),                    always},
            {6,  u"Verwijderen inslag/uitslag",            u"frmdel_inslaguitslag",                   screen(u"frmDel_InslagUitslag"),                   always},
            {7,  u"Bepalen rayon / provincie",             u"frmrelaties_rayonprovincie",             screen(u"frmRelaties_RayonProvincie"),             always},
            {8,  u"Bepalen schrijfwijze plaatsnaam",       u"frmrelaties_plaatsnaam",                 screen(u"frmRelaties_Plaatsnaam"),                 always},
            {9,  u"Laad- en loslocaties factuur",          u"frmfactuur_laadlos",                     screen(u"frmFactuur_LaadLos"),                     always},
            {10, u"Boekdata en periode corrigeren",        u"frmboekhouding_boekperiode",             screen(u"frmBoekhouding_CorrectieBoekPeriode"),    always},
            {11, u"Artikelen toewijzen aan artikelgroep",  u"frmhistorie_artikelgroepen_toewijzen",   screen(u"frmHistorie_ArtikelToewijzen"),           always},
            {12, u"Artikelgroep(en) naar historie",        u"frmhistorie_artikelgroepen",             screen(u"frmHistorie_ArtikelGroepen"),             always},
            {13, u"Overzicht niet gebruikte ordernummers", u"frmoverzicht_nietgebruikteordernummers", screen(u"frmOverzicht_NietGebruikteOrdernummers"), always},
            {14, u"Vertegenwoordiger collectief omzetten", u"frmvertomzetten",                        screen(u"frmVertegenwoordigerOmzetten"),           always},
            {15, u"Diersoort naar historie",               u"frmhistorie_diergroep",                  screen(u"frmHistorie_ArtikelDiergroep"),           always},
            {16, u"Opschonen administratie",               u"frmrelaties_opschonen",                  screen(u"frmOpschonen"),                           always},
            {17, u"Archiveren historische orders",         u"frmordersarchiveren",                    screen(u"frmOrdersArchiveren"),                    always},
        }},
        {u"fourage", u"Stambestanden - Transport && Logistiek", {
            {0,  u"Boten",                             u"frmboten",              screen(u"frmBoten"),                 always},
            {1,  u"Brandstof",                         u"frmbrandstof",          hulp(u"TabelBrandstof"),             always},
            {2,  u"Bunkers && aanvoerlijnen",          u"frmbunkers",            screen(u"frmBunkers"),               always},
            {3,  u"Colli",                             u"frmcolli",              screen(u"frmColli"),                 always},
            {4,  u"Containers",                        u"frmcontainers",         screen(u"frmContainers"),            always},
            {5,  u"Loodsen",                           u"frmloodsen",            hulp(u"TabelLoods"),                 always},
            {6,  u"Pallet labels",                     u"frmpalletlabels",       hulp(u"TabelPalletLabel"),           always},
            {7,  u"Productielijnen",                   u"frmproductielijnen",    screen(u"frmProductieLijnen"),       always},
            {8,  u"Restricties",                       u"frmsoortlading",        hulp(u"TabelSoortLading"),           always},
            {9,  u"Transport categorie",               u"frmtransportcategorie", hulp(u"tabeltransportcategorie"),    always},
            {10, u"Wagencategorie",                    u"frmwagencategorie",     hulp(u"TabelWagenCategorie"),        always},
            {11, u"Wagenpark",                         u"frmautogegevens",       screen(u"frmAutogegevens"),          always},
            {12, u"Weegbrug",                          u"frmweegbrug",           screen(u"frmWeegbrug"),              always},
            {13, u"Weegbrug conditie",                 u"frmweegloon",           hulp(u"tabelweegcode"),              always},
            {14, u"Verpakkingen",                      u"frmverpakkingen",       screen(u"frmVerpakkingen"),          always},
            {15, u"Verzendwijzen",                     u"frmverzenden",          hulp(u"TabelVerzendcode"),           always},
            {16, u"Verzendwijzen, logistiek en prijs", u"frmverzendlogistiek",   screen(u"frmVerzendwijzeLogistiek"), always},
        }},
        {u"oogst", u"Stambestanden - Oogst", {
            {0,  u"Afrekenen",            u"frmafrekenen",       screen(u"frmAfrekenen"),    always},
            {1,  u"Bewaarloon",           u"frmbewaarloon",      screen(u"frmBewaarloon"),   always},
            {2,  u"Bewaarmethoden",       u"frmbewaren",         hulp(u"tabelbewaren"),      always},
            {3,  u"Droogtabellen",        u"frmdrogen",          screen(u"frmDrogen"),       always},
            {4,  u"Keuring",              u"frmkeuring",         hulp(u"tabelkeuringscode"), always},
            {5,  u"Kwaliteit",            u"frmkwaliteit",       hulp(u"tabelkwaliteit"),    always},
            {6,  u"Linten",               u"frmlinten",          hulp(u"tabelLint"),         always},
            {7,  u"Locatie",              u"frmfourage_locatie", hulp(u"tabellocatie"),      always},
            {8,  u"Monstername",          u"frmfourage_monster", hulp(u"tabelmonster"),      always},
            {9,  u"Rassen - Gewas",       u"frmfourage_rassen",  hulp(u"tabelras"),          always},
            {10, u"Soort - Type - Kleur", u"frmfourage_soort",   hulp(u"tabelsoort"),        always},
            {11, u"Tarravoorwaarden",     u"frmtarra",           screen(u"frmTarra"),        always},
        }},
        {u"fourage2", u"Stambestanden - Fourage", {
            {0,  u"Algemeen",                   u"frmfourage",             screen(u"frmFourage"),            always},
            {1,  u"Artikelsoorten",             u"frmartikelsoort",        screen(u"frmArtikelSoort"),       always},
            {2,  u"Agrovision",                 u"frmagrovision",          screen(u"frmAgroVision"),         always},
            {3,  u"Baalsoorten",                u"frmbaalsoort",           hulp(u"tabelbaalsoort"),          always},
            {4,  u"Bonuskorting",               u"frmbonus",               hulp(u"tabelbonuskorting"),       always},
            {5,  u"CMR",                        u"frmCMR",                 screen(u"frmCMR"),                always},
            {6,  u"EDI Circle Categorie",       u"frmfourage_edi",         hulp(u"tabelcategorieedi"),       always},
            {7,  u"Favorieten",                 u"frmfavorieten",          screen(u"frmFavorieten"),         always},
            {8,  u"Graasdieren",                u"frmfourage_graasdieren", hulp(u"tabelfggraasdieren"),      always},
            {9,  u"Mest - Opmerkingscodes VDM", u"frmfourage_mest",        hulp(u"TabelFGVDMOpmerkingen"),   always},
            {10, u"Mineralen",                  u"frmfourage_mineralen",   hulp(u"tabelfgmineraalgegevens"), always},
            {11, u"Rundveegroepen",             u"frmfourage_rundvee",     hulp(u"tabelfgrundvee"),          always},
            {12, u"Staldieren",                 u"frmfourage_staldieren",  hulp(u"tabelfgstaldieren"),       always},
            {13, u"Transport",                  u"frmTransport",           screen(u"frmTransport"),          always},
            {14, u"Nutriënten",                 u"frmnutrienten",          screen(u"frmNutrienten"),         fileExists(u"grondstof.mdb")},
            {15, u"Grondstoffen",               u"frmgrondstoffen",        screen(u"frmGrondstoffen"),       fileExists(u"grondstof.mdb")},
        }},
        {u"hulp", u"Stambestanden - Algemeen", {
            {0,  u"Aanmaning opties",               u"frmaanmaning",                  hulp(u"tabelAanmaanCode"),        always},
            {1,  u"Artikel productlijnen",          u"frmartikelproductlijnen",       hulp(u"tabelproductlijn"),        always},
            {2,  u"Artikelgroepen",                 u"frmartikelgroepen",             hulp(u"TabelArtikelGroepen"),     always},
            {3,  u"Artikel subgroepen",             u"frmartikelsubgroepen",          hulp(u"TabelArtikelSubgroep"),    always},
            {4,  u"Betaalwijzen",                   u"frmbetaalwijzen",               hulp(u"TabelBetaalwijzen"),       always},
            {5,  u"Betalingscondities",             u"frmbetalingscondities",         hulp(u"TabelBetalingscondities"), always},
            {6,  u"Eenheid per artikel",            u"frmartikeleenheid",             hulp(u"TabelArtikeleenheid"),     always},
            {7,  u"Factuurgroepen",                 u"frmfactuurgroepen",             hulp(u"TabelFactuurGroepen"),     always},
            {8,  u"Factuursoorten",                 u"frmfactuursoorten",             hulp(u"tabelfactuursoorten"),     always},
            {9,  u"Kostenplaatsen",                 u"frmkostenplaatsen",             hulp(u"TabelKostenplaatsen"),     always},
            {10, u"Mailinggroepen",                 u"frmmailingen",                  hulp(u"TabelMailcode"),           always},
            {11, u"Orderfase",                      u"frmorderfase",                  hulp(u"TabelOrderfase"),          always},
            {12, u"Relatiegroepen",                 u"frmrelatiegroep",               hulp(u"TabelRelatiegroepen"),     always},
            {13, u"Verzekeringen",                  u"frmverzekering",                hulp(u"TabelVerzekering"),        always},
            {14, u"Verpakkingseenheid per artikel", u"frmartikelverpakkingseenheden", hulp(u"TabelAfleververpakking"),  always},
        }},
        {u"diversen", u"Diversen - Instellingen", {
            {0,  u"Aanschrijfvormen",                   u"frmaanschrijfvorm",       hulp(u"tabelaanschrijfvorm"),       always},
            {1,  u"Adelijke titel/predikaat",           u"frmadel",                 hulp(u"tabeladelcode"),             always},
            {2,  u"Douanekantoren",                     u"frmdouane",               screen(u"frmDouane"),               always},
            {3,  u"Journaalpost teksten",               u"frmjournaaltekst",        hulp(u"tabeljpteksten"),            always},
            {4,  u"Landen",                             u"frmlanden",               screen(u"frmLanden"),               always},
            {5,  u"Leveringsvoorwaarden",               u"frmleveringsvoorwaarden", hulp(u"tabelleveringsvoorwaarden"), always},
            {6,  u"Rayon / gebied",                     u"frmrayon",                hulp(u"TabelRayonCode"),            always},
            {7,  u"Relatie / basis kortingspercentage", u"frmrelatiekorting",       hulp(u"TabelKortingscode"),         always},
            {8,  u"Relatie / prijsgroep",               u"frmrelatieprijsgroep",    hulp(u"tabelprijsgroepcode"),       always},
            {9,  u"Relatie / sluitregels",              u"frmsluitregels",          hulp(u"tabelsluitregel"),           always},
            {10, u"Titulatuur (voor de naam)",          u"frmtitelvoor",            hulp(u"tabeltitulatuurvoor"),       always},
            {11, u"Titulatuur (achter de naam)",        u"frmtitelachter",          hulp(u"tabeltitulatuurachter"),     always},
            {12, u"Valuta",                             u"frmvaluta",               screen(u"frmValuta"),               always},
            {13, u"Vaste relatienummers",               u"frmrelatieszelf",         screen(u"frmRelatiesZelf"),         always},
            {14, u"Voorvoegsels",                       u"frmvoorvoegsels",         hulp(u"TabelVoorvoegsels"),         always},
        }},
        {u"systeem", u"Bedrijf configuratie", {
            {0,  u"Bedrijfsgegevens",         u"frmbedrijfsgegevens", screen(u"frmBedrijfsgegevens"), always},
            {1,  u"Administratie",            u"frmadministratie",    screen(u"frmAdministratie"),    always},
            {2,  u"BTW coderingen",           u"frmbtw",              screen(u"frmBTW"),              always},
            {3,  u"Incasseren && Betalen",    u"frmincassobetalen",   screen(u"frmIncassoBetalen"),   always},
            {4,  u"Subadministratie",         u"frmsubadministratie", screen(u"frmSubAdministratie"), always},
            {5,  u"Relaties - per gebruiker", u"frmrelaties",         screen(u"frmRelaties"),         always},
            {6,  u"Orders - voor iedereen",   u"frmorders",           screen(u"frmOrders"),           always},
            {7,  u"Orders - per gebruiker",   u"frmorders2",          screen(u"frmOrdersGebruiker"),  always},
            {8,  u"Voorraad",                 u"frmvoorraad",         screen(u"frmVoorraad"),         always},
            {9,  u"Facturen",                 u"frmfactureren",       screen(u"frmFactureren"),       always},
            {10, u"Denominatie",              u"frmdenominatie",      screen(u"frmDenominatie"),      always},
            {11, u"E-mail",                   u"frmemailserver",      screen(u"frmEmailServer"),      always},
            {12, u"Diversen",                 u"frmdiversen",         screen(u"frmDiversen"),         always},
            {13, u"Systeem",                  u"frmsysteem",          screen(u"frmSysteem"),          always},
            {14, u"Printers",                 u"frmprinters",         screen(u"frmPrinters"),         always},
            {15, u"Geavanceerd",              u"frmadvanced",         screen(u"frmAdvanced"),         always},
        }},
        {u"bga", u"Stambestanden - Begraafplaats", {
            {0,  u"Algemeen",          u"frmbga",              screen(u"frmBGA"),                 always},
            {1,  u"Asbestemming",      u"frmbestemmingas",     hulp(u"tabelbgaasbestemming"),     always},
            {2,  u"Begraafplaatsen",   u"frmbegraafplaatsen",  hulp(u"tabelbgabegraafplaatsen"),  always},
            {3,  u"Burgerlijke staat", u"frmbgaburgstaat",     hulp(u"tabelbgaburgstaat"),        always},
            {4,  u"Gezinsrelatie",     u"frmbgagezinsrelatie", hulp(u"tabelbgarelatie"),          always},
            {5,  u"Graftypen",         u"frmbgagraftypen",     hulp(u"tabelbgagraftypen"),        always},
            {6,  u"Grafzijden",        u"frmbgagrafzijden",    hulp(u"tabelbgagrafzijden"),       always},
            {7,  u"Grafklasse",        u"frmbgagrafklasse",    hulp(u"tabelbgaklasseaanduiding"), always},
            {8,  u"Monument",          u"frmbgamonument",      hulp(u"tabelbgamonument"),         always},
            {9,  u"Kerkgenootschap",   u"frmbgakerkgez",       hulp(u"tabelbgakerkgezindte"),     always},
        }},
    };
    return sections;
}

namespace {

// Keys the dispatcher accepts that no menu row carries.
struct ExtraKey {
    QStringView key;
    Opens opens;
};
const ExtraKey extraKeys[] = {
    {u"tabelfgartikelsoort",    hulp(u"tabelfgartikelsoort")},
    {u"frmfourage_diergroepen", hulp(u"tabelfgdiergroepen")},
};

struct Target {
    Opens opens;
    QStringView caption;
};

// Every key the dispatcher knows, in lower case.
const QHash<QString, Target> &targets()
{
    static const QHash<QString, Target> byKey = [] {
        QHash<QString, Target> keys;
        for (const MenuSection &section : menuSections())
            for (const MenuRow &row : section.rows)
                keys.insert(row.key.toString().toLower(), {row.opens, row.caption});
        for (const ExtraKey &extra : extraKeys)
            keys.insert(extra.key.toString().toLower(), {extra.opens, {}});
        return keys;
    }();
    return byKey;
}

} // namespace

const MenuSection *findSection(QStringView key)
{
    for (const MenuSection &section : menuSections())
        if (section.key == key)
            return &section;
    return nullptr;
}

std::vector<const MenuRow *> shownRows(const MenuSection &section, const QString &dataPad)
{
    std::vector<const MenuRow *> rows;
    for (const MenuRow &row : section.rows) {
        const bool shown = row.shownWhen.file.isEmpty() || !findDataFile(dataPad, row.shownWhen.file.toString()).isEmpty();
        rows.push_back(shown ? &row : nullptr);
    }
    return rows;
}

std::optional<Opens> screenFor(QStringView key)
{
    const auto it = targets().constFind(key.toString().toLower());
    return it == targets().cend() ? std::nullopt : std::optional<Opens>(it->opens);
}

QString captionFor(QStringView key)
{
    return displayed(targets().value(key.toString().toLower()).caption);
}

QString displayed(QStringView caption)
{
    return caption.toString().replace(QStringLiteral("&&"), QStringLiteral("&"));
}

} // namespace kv::nav
