#include "editing/iban.h"

#include <algorithm>
#include <array>

namespace kv {

namespace {

struct Bank {
    QStringView code;
    QStringView bic;
};

// The Dutch banks by the code in their IBANs. Deutsche Bank is decided by the account number.
// clang-format off
constexpr std::array<Bank, 63> banks = {{
    {u"ABNA", u"ABNANL2A"}, {u"AEGO", u"AEGONL2U"}, {u"ANDL", u"ANDLNL2A"}, {u"ARBN", u"ARBNNL22"},
    {u"ARSN", u"ARSNNL21"}, {u"ARTE", u"ARTENL2A"}, {u"ASNB", u"ASNBNL21"}, {u"ASRB", u"ASRBNL2R"},
    {u"ATBA", u"ATBANL2A"}, {u"BBRU", u"BBRUNL2X"}, {u"BCDM", u"BCDMNL22"}, {u"BCIT", u"BCITNL2A"},
    {u"BICK", u"BICKNL2A"}, {u"BKMG", u"BKMGNL2A"}, {u"BNGH", u"BNGHNL2G"}, {u"BNPA", u"BNPANL2A"},
    {u"BOFA", u"BOFANLNX"}, {u"BOTK", u"BOTKNL2X"}, {u"CITC", u"CITCNL2A"}, {u"CITI", u"CITINL2X"},
    {u"COBA", u"COBANL2X"}, {u"DHBN", u"DHBNNL2R"}, {u"DLBK", u"DLBKNL2A"}, {u"DNIB", u"DNIBNL2G"},
    {u"FBHL", u"FBHLNL2A"}, {u"FLOR", u"FLORNL2A"}, {u"FRBK", u"FRBKNL2L"}, {u"FTSB", u"FTSBNL2R"},
    {u"FVLB", u"FVLBNL22"}, {u"GILL", u"GILLNL2A"}, {u"HAND", u"HANDNL2A"}, {u"HHBA", u"HHBANL22"},
    {u"HSBC", u"HSBCNL2A"}, {u"ICBK", u"ICBKNL2A"}, {u"INGB", u"INGBNL2A"}, {u"INKB", u"INKBNL21"},
    {u"INSI", u"INSINL2A"}, {u"ISBK", u"ISBKNL2A"}, {u"KABA", u"KABANL2A"}, {u"KASA", u"KASANL2A"},
    {u"KNAB", u"KNABNL2H"}, {u"KOEX", u"KOEXNL2A"}, {u"KRED", u"KREDNL2X"}, {u"LOCY", u"LOCYNL2A"},
    {u"LOYD", u"LOYDNL2A"}, {u"LPLN", u"LPLNNL2A"}, {u"MHCB", u"MHCBNL2A"}, {u"NNBA", u"NNBANL2G"},
    {u"NWAB", u"NWABNL2G"}, {u"OVBN", u"OVBNNL22"}, {u"RABO", u"RABONL2U"}, {u"RBOS", u"RBOSNL2A"},
    {u"RBRB", u"RBRBNL21"}, {u"RGRB", u"RGRBNL2R"}, {u"SNSB", u"SNSBNL2A"}, {u"SOGE", u"SOGENL2A"},
    {u"STAL", u"STALNL2G"}, {u"TEBU", u"TEBUNL2A"}, {u"TRIO", u"TRIONL2U"}, {u"UBSW", u"UBSWNL2A"},
    {u"UGBI", u"UGBINL2A"}, {u"VOWA", u"VOWANL21"}, {u"VPVG", u"VPVGNL22"},
}};
// clang-format on

} // namespace

QString BankcodeNaarBIC(QStringView iban, QStringView bankcode)
{
    const QString code = bankcode.toString().toUpper();
    if (code == u"DEUT") {
        const QString account = iban.toString().remove(u'.').remove(u' ').mid(8, 10);
        return account.startsWith(u"0265") ? QStringLiteral("DEUTNL2A") : QStringLiteral("DEUTNL2N");
    }
    const auto bank = std::find_if(banks.begin(), banks.end(), [&](const Bank &b) { return b.code == code; });
    return bank == banks.end() ? QString() : bank->bic.toString();
}

} // namespace kv
