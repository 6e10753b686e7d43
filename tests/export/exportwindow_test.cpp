// The export window's start: the file asked for, written, and opened or said to need Excel.
#include "editing/listdetail/listlogic.h"
#include "editing/listdetail/members/members.h"
#include "export/exportwindow.h"
#include "export/sources.h"
#include "support/demofixture.h"

#include <QFile>
#include <QPushButton>
#include <QStandardPaths>

using namespace kv;
using namespace kv::exporting;
using namespace Qt::StringLiterals;

TEST_F(DemoTest, ExportStartAsksTheFileAndOpensIt)
{
    ctx.clock = [] { return QDateTime(QDate(2026, 3, 9), QTime(10, 0)); };
    listdetail::ListLogic logic(ctx, *listdetail::findMember(u"frmVerpakkingen"_s));
    logic.refresh();
    const ListSource source = listSource(logic);

    startExport(ctx, source, SheetFormat::Xlsx, nullptr); // cancelled: nothing happens
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].proposed,
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + u"/Verpakking-20260309.xlsx"_s);
    EXPECT_TRUE(dialogs.opened.isEmpty());

    const QString path = dir.filePath(u"verpakkingen.xlsx"_s);
    dialogs.saveFiles = {path, path};
    startExport(ctx, source, SheetFormat::Xlsx, nullptr);
    EXPECT_EQ(dialogs.opened, QStringList{path});
    EXPECT_TRUE(dialogs.shown.empty());

    dialogs.opens = false;
    startExport(ctx, source, SheetFormat::Xlsx, nullptr);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].prompt, u"U heeft Microsoft Excel nodig voor deze functie"_s);
    EXPECT_EQ(dialogs.shown[0].title, u"Printen naar Excel"_s);
    EXPECT_TRUE(QFile::exists(path));

    FrmSelectieExporteren window(ctx, source);
    EXPECT_EQ(window.findChild<QPushButton *>(u"cmdStart"_s)->toolTip(), u"Klik hier om het exporteren te starten..."_s);
}
