#pragma once

#include <QString>

#include <vector>

namespace kv {
class Context;
class Session;
struct FoundList;
struct ListRequest;
struct ListSource;
} // namespace kv

namespace kv::maintenance {

// A run of order numbers that no order holds, neither a working one nor an archived one,
// with the order just before it.
struct OrderGap {
    qint64 van = 0, tm = 0;
    QString vorigeOrder, datum; // datum as stored: "yyyymmdd"
    qint64 aantal() const { return tm - van + 1; }
};

struct OrderGaps {
    std::vector<OrderGap> gaps;
    QString teller;          // UserGegevens.OrderNummer: the next number to be handed out
    bool tellerGeldig = false;
    int overgeslagen = 0;    // order numbers that are not a number, left out
};

// The gaps from the lowest order number up to the counter minus one, found in one walk over
// Ordergegevens and OrderGegevensArchief in numeric order. Reads only; throws DbError.
OrderGaps findOrderGaps(Session &session);

// The overview as the screen shows it, a row per gap with the numbers in the counter's width.
// `found` must outlive the source.
ListSource orderGapsList(const OrderGaps &found);
// Why there is no overview when the counter is not a number.
QString counterRefusal(const OrderGaps &found);

// frmOverzicht_NietGebruikteOrdernummers for the automation tool's export.
FoundList findOrderGapsList(Context &ctx, const ListRequest &request);

} // namespace kv::maintenance
