#pragma once

#include "core/db/database.h"
#include "core/db/recordset.h"
#include "demo/demoadministration.h"

#include <QDate>
#include <QHash>
#include <QRandomGenerator>
#include <QString>
#include <QStringBuilder>

#include <functional>
#include <memory>
#include <vector>

// The shared workshop of the generator: the databases, the year, what earlier steps made for
// later ones (relations, articles, invoices) and the helpers every step writes with.
namespace kv::demo {

// A relation that orders, invoices and payments refer to.
struct RelationRef {
    QString relNr;
    int relSoort = 0;      // 0 customer, 1 supplier, 2 both, 3 prospect
    QString country;       // NL, BE or DE
    int vatCode = 0;       // what its sales are booked with; 0: the article's own code
    bool marked = false;   // RecordCode 9: marked for deletion
    bool trades = true;    // takes part in orders and invoices
    bool buys() const { return trades && (relSoort == 0 || relSoort == 2); }
    bool sells() const { return trades && (relSoort == 1 || relSoort == 2); }
};

// The counter-sale customer every cash sale is booked on.
inline constexpr const char *kCounterSaleRelation = "9";

struct ArticleRef {
    QString nr;
    QString description;
    double price = 0;          // sales price per unit
    double purchasePrice = 0;
    int vatCode = 0;
    int minQuantity = 1, maxQuantity = 1;
    QString revenueAccount, purchaseAccount;
};

// One part of an invoice: net amount on one revenue (or cost) account with one VAT code.
struct InvoicePart {
    QString account;
    int vatCode = 0;
    qint64 net = 0; // cents
    qint64 vat = 0;
};

// A sales invoice (made from an order) or a purchase invoice, and how far it has been paid.
struct Invoice {
    QString nr;
    QString relNr;
    QDate date;
    bool sales = true;
    std::vector<InvoicePart> parts;
    qint64 paid = 0;       // cents
    qint64 writtenOff = 0; // cents, settles the rest
    QDate paidOn;
    QString paymentBooking; // BoekstukNr of the payment, when it was booked
    qint64 total() const;
    qint64 vat() const;
};

// A VAT code as bookings need it.
struct VatRate {
    int code;
    int percent;
    QString salesAccount, purchaseAccount;
};

class Generator {
public:
    Generator(db::Database &main, db::Database &archive, const Scale &scale, int year,
              std::function<void(int)> progress);

    db::Database &main;
    db::Database &archive;
    const Scale scale;
    const int year;

    // Each step draws from its own stream, so a change in one step leaves the others' data alone.
    QRandomGenerator random(quint32 step) const { return QRandomGenerator(0x4b56'0000u + step); }

    QString companyIban;
    std::vector<RelationRef> relations; // by relation number
    std::vector<const RelationRef *> customers() const;
    std::vector<const RelationRef *> suppliers() const;
    std::vector<ArticleRef> articles;
    std::vector<Invoice> invoices; // sales and purchase, in the order they were made
    QHash<QString, qint64> balances; // per relation: what its open items still amount to
    std::vector<VatRate> vatRates;
    const VatRate &vatRate(int code) const;

    // Calls `row(i)` for i in [0, count) in transactions of a few thousand rows on `db`,
    // counting the rows towards the progress.
    void inBatches(db::Database &db, qint64 count, const std::function<void(qint64)> &row);
    void finished();

private:
    void advance(qint64 rows);

    std::function<void(int)> m_progress;
    qint64 m_expected = 1, m_done = 0;
    int m_reported = -1;
};

// Appends records to one table: rows.add().set(u"Veld", waarde)...post().
class Rows {
public:
    Rows(db::Database &db, const QString &table);
    Rows &add();
    Rows &set(QStringView field, const QVariant &value);
    template <typename A, typename B>
    Rows &set(QStringView field, const QStringBuilder<A, B> &value) { return set(field, QVariant(QString(value))); }
    Rows &date(QStringView field, const QDate &value);
    // Money in cents; fields kept as text get the Dutch notation 1.234,50.
    Rows &amount(QStringView field, qint64 cents);
    void post();

private:
    std::unique_ptr<db::Recordset> m_rs;
    const db::TableInfo &m_info;
};

// Text forms the suite keeps.
QString dateText(const QDate &date);                 // yyyymmdd
QString amountText(qint64 cents);                    // 1.234,50 and -12,00
QString zeroFilled(qint64 number, int digits);       // 000123
// The lines of one of the generator's data files, without blank lines and # comments.
QStringList dataFile(const QString &name);
QDate randomDay(QRandomGenerator &random, int year); // any day of the year
qint64 percentOf(qint64 cents, int percent);         // rounded half away from zero
template <typename T>
const T &pick(QRandomGenerator &random, const std::vector<T> &list)
{
    return list[size_t(random.bounded(int(list.size())))];
}

} // namespace kv::demo
