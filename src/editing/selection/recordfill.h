#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace kv {

namespace db {
class Database;
class Recordset;
} // namespace db

// One row of a search list: the texts of its columns and the record key. The columns live in
// one text, so a list of 100,000 rows costs one allocation per row, not one per cell: the
// allocator, not the database, was what a large fill spent its time on.
struct LijstRij {
    static constexpr QChar Scheiding = QChar(0x1F);

    QString tekst; // the cells, separated by Scheiding
    QString tag;
    int kenmerken = 0; // markers the list shows as icons before the first column

    static LijstRij van(const QStringList &cellen, const QString &tag = {});
    QStringView cel(int kolom) const;
    QStringList cellen() const { return tekst.split(Scheiding); }
};

// Puts a row's cells together in a buffer that keeps its capacity from row to row.
class RijBouwer {
public:
    void cel(const QString &tekst);
    LijstRij klaar(const QString &tag, int kenmerken = 0);

private:
    QString m_buffer;
    bool m_eerste = true;
};

// Reads the result of a query into rows for a search window, with the progress texts the
// user watches on a large table. The window hears every 501 rows, so it can repaint and
// take an Escape or a stop click, which sets the aborted flag; the fill stops at the next row.
class RecordFill {
public:
    static constexpr int VoortgangPerRijen = 501;

    std::function<LijstRij(db::Recordset &)> maakRij;
    std::function<void(const QString &)> toonStatus; // called only when the text changes
    std::function<void(int rijen)> voortgang;         // rows so far; let the window breathe here

    // Runs `jetSql` and fills `rijen`. A query the engine refuses throws; the rows read until
    // then stay.
    void vul(db::Database &db, const QString &jetSql);

    void afbreken() { m_afgebroken = true; }
    bool afgebroken() const { return m_afgebroken; }
    int totaal() const { return m_totaal; }
    bool bezig() const { return m_bezig; }

    // The final status text, with " - (afgebroken)" after an interrupted fill.
    void eindStatus(const QString &tekst);

    std::vector<LijstRij> rijen;

private:
    void status(const QString &tekst);

    QString m_laatsteStatus;
    int m_totaal = 0;
    bool m_afgebroken = false;
    bool m_bezig = false;
};

// "Totaal gevonden : n - een ogenblik geduld ..." while a search list fills; with the percentage
// read so far when `procent` is not negative.
QString vulStatus(int totaal, int procent = -1);

} // namespace kv
