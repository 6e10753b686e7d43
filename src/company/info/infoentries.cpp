#include "company/info/infoscreen.h"

using namespace Qt::StringLiterals;

namespace kv::info {
namespace {

const InfoCount kKlanten{u"Klanten"_s, u"SELECT COUNT(*) FROM RelatieGegevens WHERE RelSoort IN (0, 2)"_s};
const InfoCount kRelaties{u"Relaties"_s, u"SELECT COUNT(*) FROM RelatieGegevens"_s};
const InfoCount kArtikelen{u"Artikelen"_s, u"SELECT COUNT(*) FROM Artikelen"_s};
const InfoCount kArtikelgroepen{u"Artikelgroepen"_s, u"SELECT COUNT(*) FROM TabelArtikelgroepen"_s};
const InfoCount kOrders{u"Orders"_s, u"SELECT COUNT(DISTINCT OrderNr) FROM Ordergegevens"_s};

const QString kElders = u" Dat werk gebeurt in KorvenalPro zelf; Beheer toont hier alleen hoeveel gegevens van de "
                        u"administratie het betreft en wijzigt niets."_s;

} // namespace

const std::vector<InfoEntry> &infoEntries()
{
    // Form, caption, what the suite does with it; then what is counted.
    static const std::vector<InfoEntry> entries{
        {"frmKlantenKorvenalProOnline", u"Webportaal"_s,
         u"Via het webportaal zien klanten hun gegevens, orders en facturen en bestellen zij producten. Welke klanten en "
         u"artikelen op het portaal staan en het bijwerken van het portaal regelt KorvenalPro. De groepen waarin producten "
         u"op het portaal verschijnen legt u vast onder \"Webportaal / webshop groep\"."_s + kElders,
         {kKlanten, kArtikelen, {u"Webportaal / webshop groepen"_s, u"SELECT COUNT(*) FROM TabelWebportaalGroep"_s}}},
        {"frmKlantenportaalBramel", u"Drevanik|Bramel"_s,
         u"Het klantenportaal van Drevanik|Bramel ontvangt klanten en orders uit de administratie, zodat klanten daar hun "
         u"leveringen volgen."_s + kElders,
         {kKlanten, kOrders}},
        {"frmRelatiesZelf", u"Vaste relatienummers"_s,
         u"Vaste relatienummers zijn relaties die de programma's zelf gebruiken, zoals de eigen onderneming bij interne "
         u"orders en de klant van de balieverkoop. Ze worden bij het inrichten van KorvenalPro vastgelegd en daar "
         u"onderhouden."_s + kElders,
         {{u"Vaste relatienummers"_s, u"SELECT COUNT(*) FROM RelatieGegevensZelf"_s}, kRelaties}},
        {"frmDenominatie", u"Denominatie"_s,
         u"De denominatie is de indeling in munten en biljetten waarmee de kas van de balieverkoop wordt geteld bij het "
         u"afsluiten van de dag."_s + kElders,
         {{u"Balieverkopen"_s, u"SELECT COUNT(*) FROM BalieVerkoop"_s}}},
        {"frmRelaties_RayonProvincie", u"Bepalen rayon / provincie"_s,
         u"Deze bewerking vult bij alle relaties het rayon en de provincie in aan de hand van de postcode."_s + kElders,
         {kRelaties, {u"Relaties met een postcode"_s, u"SELECT COUNT(*) FROM RelatieGegevens WHERE BedrijfsPostcode <> ''"_s},
          {u"Rayons"_s, u"SELECT COUNT(*) FROM TabelRayoncode"_s}}},
        {"frmRelaties_Plaatsnaam", u"Bepalen schrijfwijze plaatsnaam"_s,
         u"Deze bewerking brengt de schrijfwijze van de plaatsnamen van alle relaties op één lijn, zodat een plaats "
         u"overal hetzelfde geschreven staat."_s + kElders,
         {kRelaties, {u"Verschillende plaatsnamen"_s,
                      u"SELECT COUNT(DISTINCT BedrijfsWoonplaats) FROM RelatieGegevens WHERE BedrijfsWoonplaats <> ''"_s}}},
        {"frmFactuur_LaadLos", u"Laad- en loslocaties factuur"_s,
         u"Deze bewerking zet bij gemaakte facturen de laad- en loslocaties van de bijbehorende orders en ritten."_s + kElders,
         {{u"Facturen"_s, u"SELECT COUNT(*) FROM FactuurHeader"_s}, kOrders,
          {u"Ritten"_s, u"SELECT COUNT(*) FROM Ritgegevens"_s}}},
        {"frmHistorie_ArtikelToewijzen", u"Artikelen toewijzen aan artikelgroep"_s,
         u"Deze bewerking wijst in één keer een reeks artikelen toe aan een artikelgroep, ook in de historie van de "
         u"orders."_s + kElders,
         {kArtikelen, {u"Artikelen zonder artikelgroep"_s,
                       u"SELECT COUNT(*) FROM Artikelen WHERE Artikelgroep IS NULL OR Artikelgroep = ''"_s},
          kArtikelgroepen}},
        {"frmHistorie_ArtikelGroepen", u"Artikelgroep(en) naar historie"_s,
         u"Deze bewerking zet de artikelen van een of meer artikelgroepen met hun gegevens naar de historie, zodat zij "
         u"niet meer in de keuzelijsten voor nieuwe orders staan."_s + kElders,
         {kArtikelen, kArtikelgroepen}},
        {"frmVertegenwoordigerOmzetten", u"Vertegenwoordiger collectief omzetten"_s,
         u"Deze bewerking zet alle relaties van de ene vertegenwoordiger in één keer over naar een andere."_s + kElders,
         {kRelaties, {u"Vertegenwoordigers / agenten"_s, u"SELECT COUNT(*) FROM TabelVertcode"_s}}},
        {"frmHistorie_ArtikelDiergroep", u"Diersoort naar historie"_s,
         u"Deze bewerking zet de artikelen van een diersoort met hun gegevens naar de historie, zodat zij niet meer in "
         u"de keuzelijsten voor nieuwe orders staan."_s + kElders,
         {kArtikelen, {u"Diersoorten"_s, u"SELECT COUNT(*) FROM TabelFGDiergroepen"_s}}},
    };
    return entries;
}

} // namespace kv::info
