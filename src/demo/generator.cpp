#include "demo/generator.h"

#include "core/db/dberror.h"
#include "demo/banking.h"

#include <QFile>
#include <QLocale>

#include <algorithm>

namespace kv::demo {
namespace {

// Rows per transaction: large enough that commits cost little, small enough that the
// write-ahead log stays modest.
constexpr qint64 kBatch = 5000;

} // namespace

qint64 Invoice::total() const
{
    qint64 sum = 0;
    for (const InvoicePart &p : parts)
        sum += p.net + p.vat;
    return sum;
}

qint64 Invoice::vat() const
{
    qint64 sum = 0;
    for (const InvoicePart &p : parts)
        sum += p.vat;
    return sum;
}

Generator::Generator(db::Database &mainDb, db::Database &archiveDb, const Scale &s, int y,
                     std::function<void(int)> progress)
    : main(mainDb), archive(archiveDb), scale(s), year(y), m_progress(std::move(progress))
{
    // Roughly the rows each step writes: orders average three lines, open items bring payments.
    QRandomGenerator bank = random(0);
    companyIban = makeDutchIban(bank, QStringLiteral("RABO"));
    m_expected = qint64(s.relations) * 2 + s.articles + qint64(s.orders) * 7 / 2 + s.ledgerLines
        + qint64(s.openItems) * 2 + s.trips + 2000;
}

std::vector<const RelationRef *> Generator::customers() const
{
    std::vector<const RelationRef *> list;
    for (const RelationRef &r : relations)
        if (r.buys())
            list.push_back(&r);
    return list;
}

std::vector<const RelationRef *> Generator::suppliers() const
{
    std::vector<const RelationRef *> list;
    for (const RelationRef &r : relations)
        if (r.sells())
            list.push_back(&r);
    return list;
}

const VatRate &Generator::vatRate(int code) const
{
    for (const VatRate &r : vatRates)
        if (r.code == code)
            return r;
    db::raise(db::ErrItemNotFound, QStringLiteral("BTW code %1 ontbreekt.").arg(code));
}

void Generator::inBatches(db::Database &db, qint64 count, const std::function<void(qint64)> &row)
{
    for (qint64 start = 0; start < count; start += kBatch) {
        const qint64 end = std::min(count, start + kBatch);
        db.write([&] {
            for (qint64 i = start; i < end; ++i)
                row(i);
        });
        advance(end - start);
    }
}

void Generator::advance(qint64 rows)
{
    m_done += rows;
    const int percent = int(std::min<qint64>(99, m_done * 100 / m_expected));
    if (percent != m_reported && m_progress) {
        m_reported = percent;
        m_progress(percent);
    }
}

void Generator::finished()
{
    if (m_progress)
        m_progress(100);
}

Rows::Rows(db::Database &db, const QString &table) : m_rs(db.OpenTable(table)), m_info(db.table(table)) {}

Rows &Rows::add()
{
    m_rs->AddNew();
    return *this;
}

Rows &Rows::set(QStringView field, const QVariant &value)
{
    m_rs->setValue(field, value);
    return *this;
}

Rows &Rows::date(QStringView field, const QDate &value)
{
    return set(field, value.isValid() ? dateText(value) : QString());
}

Rows &Rows::amount(QStringView field, qint64 cents)
{
    const int column = m_info.column(field);
    if (column >= 0 && m_info.columns[size_t(column)].type == schema::Type::Text)
        return set(field, amountText(cents));
    return set(field, double(cents) / 100.0);
}

void Rows::post()
{
    m_rs->Update();
}

QString dateText(const QDate &date)
{
    return date.toString(u"yyyyMMdd");
}

QString amountText(qint64 cents)
{
    static const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    return dutch.toString(double(cents) / 100.0, 'f', 2);
}

QString zeroFilled(qint64 number, int digits)
{
    return QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0'));
}

QStringList dataFile(const QString &name)
{
    QFile file(QStringLiteral(":/demo/data/") + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        db::raise(db::ErrFileNotFound, QStringLiteral("Het gegevensbestand %1 ontbreekt.").arg(name));
    QStringList lines;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (!line.trimmed().isEmpty() && !line.startsWith(u'#'))
            lines << line;
    return lines;
}

QDate randomDay(QRandomGenerator &random, int year)
{
    const QDate first(year, 1, 1);
    return first.addDays(random.bounded(first.daysInYear()));
}

qint64 percentOf(qint64 cents, int percent)
{
    const qint64 scaled = cents * percent;
    return (scaled >= 0 ? scaled + 50 : scaled - 50) / 100;
}

} // namespace kv::demo
