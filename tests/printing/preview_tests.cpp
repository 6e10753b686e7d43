#include "core/context.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

// Without a printer the preview lays the report out on A4 with 360-twip margins.
TEST(Preview, WithoutAPrinterOnA4)
{
    Context ctx;
    ASSERT_TRUE(BeginPrintJob(ctx, true));
    EXPECT_TRUE(ctx.print.PreviewActive);
    EXPECT_EQ(ctx.print.PrintPageWidth, (595 - 36) * 20);
    EXPECT_EQ(ctx.print.PrintPageHeight, (842 - 36) * 20);
    EXPECT_EQ(ctx.print.PrintMarginLeft, 360);
    EXPECT_EQ(ctx.print.PrintMarginTop, 360);
    EXPECT_EQ(ctx.print.PrintTarget->FontName(), QStringLiteral("Tahoma"));
    EXPECT_GT(ctx.print.PrintLineHeight, 8 * 20); // an 8-point line, in twips
    EXPECT_LT(ctx.print.PrintLineHeight, 8 * 20 * 2);
    EXPECT_FALSE(BeginPrintJob(ctx, false)) << "a printer job without a printer";
    EXPECT_TRUE(ctx.print.NoPrinter);
    EndPreview(ctx);
    EXPECT_FALSE(ctx.print.PrintTarget);
    EXPECT_FALSE(ctx.print.PreviewActive);
}

// Text is measured alike on every target: a report breaks its pages at the same lines in the
// preview and on paper, whatever the resolution of the device.
TEST(Preview, MeasuresTextLikeTheSurfaceItDrawsOn)
{
    Context ctx;
    ASSERT_TRUE(BeginPrintJob(ctx, true));
    PrintTarget &target = *ctx.print.PrintTarget;
    const double narrow = target.TextWidth(QStringLiteral("Leveringenlijst"));
    target.FontBold(true);
    EXPECT_GT(target.TextWidth(QStringLiteral("Leveringenlijst")), narrow);
    target.FontSize(16);
    EXPECT_NEAR(target.TextHeight(QStringLiteral("X")), 2 * ctx.print.PrintLineHeight, 2);
    EXPECT_NEAR(target.TextHeight(QStringLiteral("X\nY")), 2 * target.TextHeight(QStringLiteral("X")), 0.01);
    target.CurrentX = 500;
    target.CurrentY = 100;
    target.Print(QStringLiteral("regel"));
    EXPECT_EQ(target.CurrentX, 0);
    EXPECT_NEAR(target.CurrentY, 100 + target.TextHeight(QStringLiteral("X")), 0.01);
    EndPreview(ctx);
}

} // namespace
} // namespace kv
