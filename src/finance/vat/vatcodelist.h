#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace kv {
class Context;
}

namespace kv::finance {

// One row of the VAT code list, in the columns of `VatCodeColumns`.
struct VatCodeRow {
    enum class Icon { Normal, Inactive, Incomplete };
    int code = 0;
    QStringList cells;
    Icon icon = Icon::Normal;
    bool hidden = false; // not offered in the suite's choice lists any more
};

inline const QStringList VatCodeColumns{QStringLiteral("Volgnr"),           QStringLiteral("Percentage"),
                                        QStringLiteral("Bedrag basis"),     QStringLiteral("Omschrijving"),
                                        QStringLiteral("Aangifte rubriek"), QStringLiteral("Aangifte grondslag"),
                                        QStringLiteral("BTW code")};

// The list of VAT codes (frmBTW) without its widgets: the codes in their own order, moving a
// code up or down, deleting one that is not in use. Every write is one transaction with its
// rows of the settings trail.
class VatCodeList {
public:
    explicit VatCodeList(Context &ctx);

    const std::vector<VatCodeRow> &rows() const { return m_rows; }
    int rowOf(int code) const; // -1 when not listed
    void refresh();

    // Swaps the row with its neighbour (`step` -1 up, +1 down) and numbers every code 1..n in
    // the new order; nothing at the top or bottom. Returns the moved row's new position.
    int move(int row, int step);

    // Asks, then deletes the code unless the administration uses it. True when deleted.
    bool remove(int row);

    // Undoes this user's last change of the VAT codes on this workstation, after asking.
    bool undoLast();

private:
    QString usedBy(int code);

    Context &m_ctx;
    std::vector<VatCodeRow> m_rows;
};

// How the settings trail names a field of a VAT code: "BTWcodering[6].Omschrijving".
QString trailName(int code, QStringView field);

// The rate as the list shows it: "21%", "5,50%", "0%".
QString percentageText(Context &ctx, const QVariant &percentage);

inline constexpr QStringView VatScreen = u"frmBTW";

} // namespace kv::finance
