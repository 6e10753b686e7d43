#include "core/printing/printerservice.h"
#include "printing/cupsprinters.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(PrinterStatusText, EachBitAfterALineBreakLowestFirst)
{
    const struct {
        qint64 status;
        QString text;
    } cases[] = {
        {0, QStringLiteral("Ready")},
        {-1, QStringLiteral("Ready")},
        {0x0A, QStringLiteral("\r\nError\r\nPaper Jam")},
        {0x1, QStringLiteral("\r\nPaused")},
        {0x400000, QStringLiteral("\r\nDoor Open")},
        {0x60010, QStringLiteral("\r\nPaper Out\r\nToner Low\r\nNo Toner")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PrinterStatusText(c.status), c.text) << c.status;
}

TEST(CupsStatus, StateReasonsAndAcceptingBecomeTheSpoolerBits)
{
    const struct {
        int state;
        QStringList reasons;
        bool accepting;
        quint32 bits;
    } cases[] = {
        {3, {QStringLiteral("none")}, true, 0},
        {5, {QStringLiteral("paused")}, true, 0x1},
        {3, {QStringLiteral("paused")}, true, 0x1},
        {4, {}, true, 0x400},
        {3, {}, false, 0x1000},
        {3, {QStringLiteral("media-jam-error")}, true, 0x8},
        {3, {QStringLiteral("media-empty-error"), QStringLiteral("media-needed-warning")}, true, 0x10},
        {3, {QStringLiteral("offline-report")}, true, 0x80},
        {3, {QStringLiteral("output-area-full-warning")}, true, 0x800},
        {3, {QStringLiteral("toner-low-report"), QStringLiteral("marker-supply-low-warning")}, true, 0x20000},
        {3, {QStringLiteral("marker-supply-empty-error")}, true, 0x40000},
        {3, {QStringLiteral("cover-open-error"), QStringLiteral("door-open-report")}, true, 0x400000},
        // An error CUPS knows and the spooler has no bit for is an error all the same.
        {3, {QStringLiteral("fuser-over-temp-error")}, true, 0x2},
        {3, {QStringLiteral("fuser-over-temp-warning")}, true, 0},
        {5, {QStringLiteral("paused"), QStringLiteral("media-jam-error")}, false, 0x1 | 0x8 | 0x1000},
    };
    for (const auto &c : cases)
        EXPECT_EQ(statusBits(c.state, c.reasons, c.accepting), c.bits) << c.reasons.join(u',').toStdString();
}

} // namespace
} // namespace kv
