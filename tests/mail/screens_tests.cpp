#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/registry/registry.h"
#include "core/session/session.h"
#include "editing/listdetail/listlogic.h"
#include "editing/scrambling.h"
#include "mail/screens/frmemailserverconfig.h"
#include "mail/screens/frmemailserverpopup.h"
#include "mail/screens/templatelist.h"
#include "mail/serverform.h"
#include "mail/templateeditor.h"
#include "mailfixture.h"
#include "support/demofixture.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTimer>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kv;
using namespace Qt::StringLiterals;

using test::fileBytes;

class MailScreensTest : public DemoTest {
protected:
    // CodeNr, Type and DefaultInType of every template, in key order.
    QStringList templates()
    {
        auto rs = session.DBAdmin().OpenTable(u"TabelEmailTemplate"_s);
        rs->setIndex(u"PrimaryKey"_s);
        QStringList rows;
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
            rows << u"%1:%2:%3"_s.arg(rs->text(u"CodeNr"), rs->text(u"Type"), rs->value(u"DefaultInType").toBool() ? u"std"_s : u"-"_s);
        return rows;
    }

    bool addTemplate(const QString &omschrijving, int type, bool standaard)
    {
        ctx.EditMode = u"addnew"_s;
        TemplateEditor editor(ctx);
        editor.setValue(u"Omschrijving"_s, omschrijving);
        editor.setValue(u"Type"_s, type);
        editor.setValue(u"DefaultInType"_s, standaard);
        return editor.save();
    }
};

TEST_F(MailScreensTest, ServerFormStoresAllSevenValuesOrNothing)
{
    ASSERT_TRUE(registry.createKey(RegKeyKorvenal));
    const ServerForm typed{u"  SMTP.Akkerhof.NL "_s, u" 0465"_s, u" jan "_s, u" geheim "_s, true, 2, true};
    ASSERT_EQ(saveServerForm(registry, ctx.AdminCode, typed), QString());
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"01-EmailSMTPServer"), u"smtp.akkerhof.nl");
    const ServerForm stored{u"smtp.akkerhof.nl"_s, u"465"_s, u"jan"_s, u"geheim"_s, true, 2, true};
    EXPECT_EQ(loadServerForm(registry, ctx.AdminCode), stored);

    const QByteArray before = fileBytes(registry.path());
    for (const QString &port : {u"0"_s, u"65536"_s, u"587a"_s, QString()}) {
        ServerForm wrong = typed;
        wrong.server = u"ander.nl"_s;
        wrong.port = port;
        EXPECT_EQ(saveServerForm(registry, ctx.AdminCode, wrong), PoortBuitenBereik) << port.toStdString();
    }
    EXPECT_EQ(fileBytes(registry.path()), before);

    ASSERT_TRUE(registry.SchrijfRegistry(RegKeyKorvenal, u"01-EmailAuthMethod", u"7"_s));
    EXPECT_EQ(loadServerForm(registry, ctx.AdminCode).auth, 0) << "an unknown method loads as name and password";
}

TEST_F(MailScreensTest, NewTemplatesTakeTheFirstFreeNumberAndOneDefaultPerKind)
{
    ASSERT_EQ(templates(), (QStringList{u"1:0:std"_s, u"2:1:std"_s, u"3:2:std"_s}));
    ASSERT_TRUE(addTemplate(u"Tweede factuur"_s, 0, true));
    EXPECT_EQ(templates(), (QStringList{u"1:0:-"_s, u"2:1:std"_s, u"3:2:std"_s, u"4:0:std"_s}))
        << "the new default of kind 0 takes the mark from template 1 only";

    // Template 3 goes; the next template fills the gap.
    listdetail::ListLogic list(ctx, templatesMember());
    list.refresh();
    dialogs.script({mb::Yes});
    list.remove(list.rowOf(u"3"_s));
    EXPECT_EQ(dialogs.prompts().last(),
              u"Weet u zeker dat u het geselecteerde sjabloon wilt verwijderen?\nAlle eventueel gekoppelde informatie gaat verloren."_s);
    ASSERT_TRUE(addTemplate(u"Herinnering"_s, 2, false));
    EXPECT_EQ(templates(), (QStringList{u"1:0:-"_s, u"2:1:std"_s, u"3:2:-"_s, u"4:0:std"_s}));

    // Moving a default to another kind clears that kind's default.
    ctx.EditMode = u"edit"_s;
    ctx.EditKey = u"4"_s;
    TemplateEditor editor(ctx);
    editor.setValue(u"Type"_s, 1);
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(templates(), (QStringList{u"1:0:-"_s, u"2:1:-"_s, u"3:2:-"_s, u"4:1:std"_s}));
}

// Another console has template 1, the default of kind 0, open: taking its mark fails as a
// whole, the new template included.
TEST_F(MailScreensTest, ADefaultHeldElsewhereStopsTheWholeSave)
{
    QProcess peer;
    peer.start(QStringLiteral(EDITING_PEER), {u"lock"_s, ctx.DataPad, u"TabelEmailTemplate"_s});
    ASSERT_TRUE(peer.waitForReadyRead(60000));
    ASSERT_EQ(peer.readLine().trimmed(), "locked");
    const QStringList before = templates();
    EXPECT_FALSE(addTemplate(u"Tweede factuur"_s, 0, true));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(u"3260"_s)) << dialogs.errors[0].toStdString();
    EXPECT_EQ(templates(), before);
    peer.closeWriteChannel();
    EXPECT_TRUE(peer.waitForFinished(60000));
}

TEST_F(MailScreensTest, RefusedTemplatesChangeNothing)
{
    const QStringList before = templates();
    for (const QString &omschrijving : {QString(), u"   "_s})
        EXPECT_FALSE(addTemplate(omschrijving, 3, true));
    EXPECT_EQ(dialogs.prompts(), (QStringList{GeenOmschrijving.toString(), GeenOmschrijving.toString()}));
    EXPECT_EQ(templates(), before);
}

TEST_F(MailScreensTest, EditorOffersTheUsersOfTheUserFileAndKeepsAStoredStranger)
{
    ctx.EditMode = u"addnew"_s;
    EXPECT_EQ(TemplateEditor(ctx).users(), (QStringList{u"Beheerder"_s, u"Marieke"_s, u"Henk"_s}));

    // A line without ":" is no user; a user no longer in the file stays choosable.
    QFile file(ctx.DataPad + u"ACCESS.DAT"_s);
    ASSERT_TRUE(QFile::remove(ctx.DataPad + u"access.dat"_s) && file.open(QIODevice::WriteOnly));
    file.write(Codeer(u"Piet:1").toLatin1() + "\r\n" + Codeer(u"zonder dubbele punt").toLatin1() + "\r\n");
    file.close();
    auto rs = session.DBAdmin().OpenTable(u"TabelEmailTemplate"_s);
    rs->setIndex(u"PrimaryKey"_s);
    rs->Seek(u"=", u"2"_s);
    rs->Edit();
    rs->setValue(u"DefaultUserName", u"Marieke"_s);
    rs->Update();
    ctx.EditMode = u"edit"_s;
    ctx.EditKey = u"2"_s;
    EXPECT_EQ(TemplateEditor(ctx).users(), (QStringList{u"Piet"_s, u"Marieke"_s}));
}

TEST_F(MailScreensTest, AttachmentsStopAtFiveAndKeepTheirOrder)
{
    ctx.EditMode = u"edit"_s;
    ctx.EditKey = u"1"_s;
    TemplateEditor editor(ctx);
    ASSERT_EQ(editor.attachments(), QStringList{u"Documenten\\Algemene voorwaarden.pdf"_s});
    dialogs.openFiles = {u"/a.pdf"_s, u"/b.xlsx"_s, u"/c.txt"_s, u"/d.doc"_s, u"/e.png"_s};
    while (editor.addAttachment()) {
    }
    EXPECT_FALSE(editor.canAddAttachment());
    EXPECT_EQ(dialogs.openRequests.size(), 4u) << "no dialog once five are chosen";
    EXPECT_EQ(dialogs.openRequests[0].title, u"Open bestand..."_s);
    editor.removeAttachment(0);
    ASSERT_TRUE(editor.save());
    ctx.EditMode = u"edit"_s;
    ctx.EditKey = u"1"_s;
    EXPECT_EQ(TemplateEditor(ctx).attachments(), (QStringList{u"/a.pdf"_s, u"/b.xlsx"_s, u"/c.txt"_s, u"/d.doc"_s}));
}

TEST_F(MailScreensTest, TheUblBoxFollowsTheKind)
{
    ctx.EditMode = u"edit"_s;
    ctx.EditKey = u"1"_s;
    FrmEmailServerPopup popup(ctx);
    auto *kind = popup.findChild<QComboBox *>(u"cboType"_s);
    auto *ubl = popup.findChild<QCheckBox *>(u"chkSendUBL"_s);
    ASSERT_TRUE(ubl->isChecked() && ubl->isEnabled());
    kind->setCurrentIndex(3);
    EXPECT_FALSE(ubl->isChecked());
    EXPECT_FALSE(ubl->isEnabled());
    kind->setCurrentIndex(0);
    EXPECT_TRUE(ubl->isEnabled());
    QTest::mouseClick(popup.findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
    EXPECT_EQ(templates().first(), u"1:0:std"_s);
    EXPECT_FALSE(popup.editor().value(u"SendUBL"_s).toBool()) << "stored as the box was left";
}

TEST_F(MailScreensTest, ServerDialogMasksThePasswordAndRefusesABadPort)
{
    ASSERT_TRUE(registry.createKey(RegKeyKorvenal));
    FrmEmailServerConfig dialog(ctx);
    EXPECT_EQ(dialog.findChild<QLineEdit *>(u"txtPassword"_s)->echoMode(), QLineEdit::Password);
    QTest::keyClicks(dialog.findChild<QLineEdit *>(u"txtServer"_s), u"smtp.voorbeeld.nl"_s);
    QTest::keyClicks(dialog.findChild<QLineEdit *>(u"txtPort"_s), u"70000"_s);
    QTest::mouseClick(dialog.findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
    EXPECT_EQ(dialogs.prompts(), QStringList{PoortBuitenBereik.toString()});
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"01-EmailSMTPServer"), QString());
    dialog.findChild<QLineEdit *>(u"txtPort"_s)->clear();
    QTest::keyClicks(dialog.findChild<QLineEdit *>(u"txtPort"_s), u"587"_s);
    QTest::mouseClick(dialog.findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"01-EmailSMTPPort"), u"587"_s);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// The typed, unsaved values are tried; a password the server took without TLS is pointed out.
TEST_F(MailScreensTest, ConnectionTestTriesTheTypedValues)
{
    test::SmtpServer server({.user = u"jan"_s, .password = u"geheim"_s});
    FrmEmailServerConfig dialog(ctx);
    const auto type = [&](const char *name, const QString &text) { QTest::keyClicks(dialog.findChild<QLineEdit *>(QLatin1StringView(name)), text); };
    type("txtServer", u"127.0.0.1"_s);
    type("txtPort", QString::number(server.port()));
    type("txtUsername", u"jan"_s);
    type("txtPassword", u"geheim"_s);
    QString report;
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        if (auto *shown = QApplication::activeModalWidget(); shown && shown->objectName() == u"frmVerbindingTesten") {
            report = shown->findChild<QPlainTextEdit *>()->toPlainText();
            shown->close();
        }
    });
    reader.start(20);
    QTest::mouseClick(dialog.findChild<QPushButton *>(u"cmdTestConnection"_s), Qt::LeftButton);
    while (report.isEmpty())
        QTest::qWait(20);
    EXPECT_TRUE(report.startsWith(u"Verbinding met 127.0.0.1 op poort %1: gelukt\nBeveiligde verbinding: niet gebruikt\n"
                                  "Aanmelden: gelukt\nNOOP: gelukt\n"_s.arg(server.port()))) << report.toStdString();
    EXPECT_TRUE(report.endsWith(u"Let op: het wachtwoord is zonder versleuteling naar de server gestuurd."_s)) << report.toStdString();
    EXPECT_FALSE(report.contains(u"geheim"_s));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"01-EmailSMTPServer"), QString()) << "nothing stored";
}

TEST_F(MailScreensTest, TestingANewTemplateAsksToStoreItFirst)
{
    ctx.EditMode = u"addnew"_s;
    FrmEmailServerPopup popup(ctx);
    QTest::keyClicks(popup.findChild<QLineEdit *>(u"txtOmschrijving"_s), u"Offerte"_s);
    const QStringList before = templates();
    dialogs.script({mb::No});
    QTest::mouseClick(popup.findChild<QPushButton *>(u"cmdTest"_s), Qt::LeftButton);
    EXPECT_EQ(dialogs.prompts(), QStringList{u"Het sjabloon moet eerst worden opgeslagen. Nu opslaan?"_s});
    EXPECT_EQ(templates(), before);
    EXPECT_TRUE(popup.editor().adding());
}
