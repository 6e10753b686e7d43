#include "printfixture.h"

#include "printing/frmprintpreview.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QtTest/QTest>

namespace kv {
namespace {

TEST(PreviewScroll, TheOffsetIsThePartOfTheOverflowTheBarSays)
{
    const struct {
        int value, overflow, offset;
    } cases[] = {{0, 0, 0}, {100, 0, 0}, {0, 3000, 0}, {100, 3000, 3000}, {50, 301, 151}, {1, 1000, 10}, {99, 7, 7}};
    for (const auto &c : cases)
        EXPECT_EQ(scrollOffset(c.value, c.overflow), c.offset) << c.value << " " << c.overflow;
}

class PreviewWindow : public test::PrintFixture {
protected:
    // A preview of `count` pages, drawn and ended as a report does.
    const PreviewTarget &drawn(int count)
    {
        EXPECT_TRUE(BeginPrintJob(ctx, true));
        PrintTarget &target = *ctx.print.PrintTarget;
        for (int page = 1; page <= count; ++page) {
            if (page > 1)
                target.NewPage();
            target.Print(QStringLiteral("Pagina %1").arg(page));
        }
        target.EndDoc();
        return static_cast<const PreviewTarget &>(target);
    }
    static QAction *button(QWidget &window, int number)
    {
        return window.findChild<QAction *>(QStringLiteral("Button%1").arg(number));
    }
    static QString panel(QWidget &window, int number)
    {
        return window.findChild<QLabel *>(QStringLiteral("Panel%1").arg(number))->text();
    }
    // Which of first, previous, next and last are enabled.
    static QString navigation(QWidget &window)
    {
        QString enabled;
        for (int number = 3; number <= 6; ++number)
            enabled += button(window, number)->isEnabled() ? u'1' : u'0';
        return enabled;
    }
};

TEST_F(PreviewWindow, NavigatesThePages)
{
    frmPrintPreview one(ctx, drawn(1));
    EXPECT_EQ(one.windowTitle(), QStringLiteral("Afdrukvoorbeeld"));
    EXPECT_EQ(panel(one, 1), QStringLiteral("Pagina: 1"));
    EXPECT_EQ(panel(one, 2), QStringLiteral("Totaal aantal pagina's : 1"));
    EXPECT_EQ(navigation(one), QStringLiteral("0000"));
    EndPreview(ctx);

    frmPrintPreview three(ctx, drawn(3));
    EXPECT_EQ(navigation(three), QStringLiteral("0011"));
    const struct {
        int button;
        int page;
        const char *enabled;
    } steps[] = {{5, 2, "1111"}, {5, 3, "1100"}, {4, 2, "1111"}, {3, 1, "0011"}, {6, 3, "1100"}};
    for (const auto &step : steps) {
        button(three, step.button)->trigger();
        EXPECT_EQ(three.page(), step.page) << step.button;
        EXPECT_EQ(panel(three, 1), QStringLiteral("Pagina: %1").arg(step.page));
        EXPECT_EQ(navigation(three), QLatin1String(step.enabled)) << step.button;
    }
    // The recorded page plays back on the screen: text where the page is white.
    const QImage shown = three.grab().toImage();
    EXPECT_FALSE(shown.isNull());
}

// Without a printer the preview shows, but cannot print.
TEST_F(PreviewWindow, PrintsOnlyWithAPrinter)
{
    frmPrintPreview window(ctx, drawn(2));
    EXPECT_TRUE(button(window, 1)->isEnabled());
    EXPECT_EQ(button(window, 1)->toolTip(), QStringLiteral("Afdrukken (Zebra)"));
    button(window, 1)->trigger();
    EXPECT_TRUE(ctx.print.PrintFromPreview);
    EndPreview(ctx);

    ctx.printers = nullptr;
    ctx.print.systemPrinter.clear();
    frmPrintPreview without(ctx, drawn(2));
    EXPECT_FALSE(button(without, 1)->isEnabled());
    button(without, 8)->trigger();
    EXPECT_FALSE(ctx.print.PrintFromPreview);
}

TEST_F(PreviewWindow, MoreThanFortyPagesAreAnnouncedAndFortyShown)
{
    for (int count : {40, 41}) {
        dialogs.shown.clear();
        drawn(count);
        QString total;
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(QTest::qWaitFor([] { return qobject_cast<frmPrintPreview *>(QApplication::activeModalWidget()); }, 2000));
            auto &window = *qobject_cast<frmPrintPreview *>(QApplication::activeModalWidget());
            total = panel(window, 2);
            button(window, 8)->trigger();
        });
        ShowPreview(ctx);
        EndPreview(ctx);
        EXPECT_EQ(total, QStringLiteral("Totaal aantal pagina's : 40")) << count;
        EXPECT_EQ(dialogs.prompts(),
                  count > 40 ? QStringList{QStringLiteral("Er zijn meer dan 40 pagina's gevonden, in het afdrukvoorbeeld worden maximaal 40 pagina's getoond.")}
                             : QStringList())
            << count;
    }
}

// Ctrl and the wheel zoom between 50 and 200 %; "Opslaan als PDF..." hands the file back to the
// print manager as printing from the preview does.
TEST_F(PreviewWindow, ZoomsWithTheWheelAndSavesAsPdf)
{
    frmPrintPreview window(ctx, drawn(2));
    const auto wheel = [&](int notches) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), {}, QPoint(0, 120 * notches), Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&window, &event);
        return window.zoom();
    };
    EXPECT_EQ(wheel(3), 130);
    EXPECT_EQ(wheel(20), 200);
    EXPECT_EQ(wheel(-30), 50);

    dialogs.saveFiles = {QStringLiteral("/tmp/lijst.pdf")};
    window.findChild<QAction *>(QStringLiteral("ID_Pdf"))->trigger();
    EXPECT_TRUE(ctx.print.PrintFromPreview);
    EXPECT_EQ(ctx.print.PdfFile, QStringLiteral("/tmp/lijst.pdf"));
}

} // namespace
} // namespace kv
