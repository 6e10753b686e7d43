#pragma once

#include "editing/selection/recordfill.h"
#include "editing/selection/selectiekinds.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace kv {

struct ListSource;

class Context;

// The logic of the search window `frmSelectieScherm`: the kind's sort orders and columns, the
// search with its progress and status texts, and the pick handed back in `SelectieResultaat`.
class SelectieScherm {
public:
    SelectieScherm(Context &ctx, const QString &selectieSoort);

    bool bekend() const { return m_kind.bouwer && m_kind.lijst; }
    // The starting search text: `EditKey` without quotes.
    QString startTekst() const;
    QStringList volgordes() const;
    QStringList kolommen() const;
    // "Geselecteerd overzicht op basis van " and the sort order's caption in lower case.
    QString lijstKop(int volgorde) const;

    // Runs the search unless the text is empty; false when nothing ran. A failure is reported
    // and leaves the rows read so far.
    bool zoek(const QString &zoektekst, int volgorde);
    // The window's hooks into the fill: status text and the pause every 501 rows.
    RecordFill &fill() { return m_fill; }
    const std::vector<LijstRij> &rijen() const { return m_fill.rijen; }
    bool nietsGevonden() const { return m_nietsGevonden; }
    QString laatsteQuery() const { return m_query; }

    // The search for an export that reads its rows while they are written instead of holding
    // them; the walk runs the query. Throws DbError when the query cannot be opened.
    ListSource stroom(const QString &zoektekst, int volgorde);

    // Picks a row: writes its value into `SelectieResultaat`.
    void kies(const LijstRij &rij);

    static QString eindTekst(int aantal);

private:
    // Per column the record set's field, found once per query.
    const std::vector<int> &velden(const class db::Recordset &rs);
    LijstRij maakRij(class db::Recordset &rs);

    Context &m_ctx;
    QString m_soort;
    SelectieKind m_kind;
    RecordFill m_fill;
    std::vector<int> m_velden; // per column the record set's field, -1 when absent
    int m_sleutel = -1;
    RijBouwer m_rij;
    QString m_query;
    bool m_nietsGevonden = false;
};

} // namespace kv
