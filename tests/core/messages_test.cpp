#include "core/context.h"
#include "core/dialogs.h"
#include "core/messages/cmessage.h"
#include "core/messages/errorreport.h"
#include "core/messages/messagestyle.h"
#include "core/messages/qtdialogservice.h"
#include "support/printers.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mb = kv::mb;

namespace {

// Runs `answer` on the message window once it is shown modally; a window left open is
// closed after a while, so that a failing test does not hang.
void whenShown(std::function<void(kv::FMessage &)> answer)
{
    QTimer::singleShot(0, [answer] {
        if (auto *form = qobject_cast<kv::FMessage *>(QApplication::activeModalWidget()))
            answer(*form);
    });
    QTimer::singleShot(5000, [] {
        if (auto *form = qobject_cast<kv::FMessage *>(QApplication::activeModalWidget()))
            form->done(0);
    });
}

QStringList captions(const kv::FMessage &form)
{
    QStringList texts;
    for (int i = 0; form.button(i); ++i)
        texts << form.button(i)->text();
    return texts;
}

class MockDialogs : public kv::DialogService {
public:
    MOCK_METHOD(int, MsgBox, (const QString &, int, const QString &), (override));
    MOCK_METHOD(void, DisplayError, (const QString &, bool), (override));
    MOCK_METHOD(bool, OpenDocument, (const QString &), (override));
};

} // namespace

TEST(MessageStyle, DecodesButtonsIconFocusAlignmentAndTopMost)
{
    struct Case {
        int style;
        QStringList buttons;
        int icon, defaultButton, escapeButton;
        bool alignRight, topMost;
    } cases[] = {
        {mb::OKOnly, {"OK"}, 0, 0, 0, false, false},
        {mb::OKCancel + mb::Information, {"OK", "Annuleren"}, 64, 0, 1, false, false},
        {mb::AbortRetryIgnore + mb::Critical + mb::DefaultButton3, {"Afbreken", "Opnieuw", "Negeren"}, 16, 2, -1, false, false},
        {mb::YesNoCancel + mb::Exclamation, {"Ja", "Nee", "Annuleren"}, 48, 0, 2, false, false},
        {mb::YesNo + mb::Question + mb::DefaultButton2, {"Ja", "Nee"}, 32, 1, -1, false, false},
        {mb::RetryCancel + mb::MsgBoxRight + mb::SetForeground, {"Opnieuw", "Annuleren"}, 0, 0, 1, true, true},
        {6, {"OK"}, 0, 0, 0, false, false},
        {7 + 80, {"OK"}, 0, 0, 0, false, false}, // 80 is no icon
        {mb::MsgBoxHelpButton + mb::DefaultButton2, {"OK", "Help"}, 0, 1, 0, false, false},
        {mb::YesNo + mb::DefaultButton4, {"Ja", "Nee"}, 0, 0, -1, false, false}, // no fourth button
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.style);
        const kv::MessageStyle m = kv::decodeMsgBoxStyle(c.style);
        EXPECT_EQ(m.buttons, c.buttons);
        EXPECT_EQ(m.icon, c.icon);
        EXPECT_EQ(m.defaultButton, c.defaultButton);
        EXPECT_EQ(m.escapeButton, c.escapeButton);
        EXPECT_EQ(m.alignRight, c.alignRight);
        EXPECT_EQ(m.topMost, c.topMost);
        std::vector<bool> closes(size_t(c.buttons.size()), true);
        if (c.style & mb::MsgBoxHelpButton)
            closes.back() = false;
        EXPECT_EQ(m.closes, closes);
    }
}

TEST(MessageStyle, ResultFollowsTheButtonSetAndIndex)
{
    const std::vector<int> results[] = {
        {mb::OK},
        {mb::OK, mb::Cancel},
        {mb::Abort, mb::Retry, mb::Ignore},
        {mb::Yes, mb::No, mb::Cancel},
        {mb::Yes, mb::No},
        {mb::Retry, mb::Cancel},
        {mb::OK},
        {mb::OK},
    };
    for (int set = 0; set < 8; ++set)
        for (int i = 0; i < int(results[set].size()); ++i)
            EXPECT_EQ(kv::msgBoxResult(set, i), results[set][size_t(i)]) << set << ',' << i;
}

TEST(FMessage, QuestionWithSecondButtonFocusedReturnsNoAndTitleDefaultsToTheProgram)
{
    kv::QtDialogService dialogs;
    whenShown([](kv::FMessage &form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Beheer - KorvenalPro"));
        EXPECT_EQ(captions(form), QStringList({"Ja", "Nee"}));
        EXPECT_EQ(form.MessageIcon, 32);
        EXPECT_TRUE(form.button(1)->isDefault());
        form.reject(); // no cancel button: Escape does nothing
        EXPECT_TRUE(form.isVisible());
        QTest::mouseClick(form.button(1), Qt::LeftButton);
    });
    EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Wilt u doorgaan?"), mb::YesNo + mb::Question + mb::DefaultButton2), mb::No);
}

TEST(FMessage, HelpStaysOpenAndEscapeCancels)
{
    kv::QtDialogService dialogs;
    whenShown([](kv::FMessage &form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Eigen titel"));
        EXPECT_EQ(captions(form), QStringList({"OK", "Help"}));
        QTest::mouseClick(form.button(1), Qt::LeftButton);
        EXPECT_TRUE(form.isVisible());
        QTest::mouseClick(form.button(0), Qt::LeftButton);
    });
    EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Klaar."), mb::MsgBoxHelpButton, QStringLiteral("Eigen titel")), mb::OK);

    whenShown([](kv::FMessage &form) { QTest::keyClick(&form, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Opslaan?"), mb::YesNoCancel), mb::Cancel);
}

TEST(FMessage, WidthFollowsTheTextWithinItsBounds)
{
    int narrow = 0, wide = 0;
    kv::QtDialogService dialogs;
    whenShown([&](kv::FMessage &form) { narrow = form.width(), form.done(0); });
    dialogs.MsgBox(QStringLiteral("Ja."));
    whenShown([&](kv::FMessage &form) { wide = form.width(), form.done(0); });
    dialogs.MsgBox(QString(400, u'x'));
    kv::FMessage probe;
    EXPECT_GE(narrow, 5145 * probe.logicalDpiX() / 1440);
    EXPECT_LE(wide, 8715 * probe.logicalDpiX() / 1440 + 2);
    EXPECT_GT(wide, narrow);
}

TEST(FMessage, ErrorWindowCopiesTheMessageAndClosesOnSluiten)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("oud"));
    kv::CMessage message;
    whenShown([](kv::FMessage &form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Beheer - KorvenalPro"));
        EXPECT_EQ(captions(form), QStringList({"Sluiten", "Kopie", "Help"}));
        EXPECT_EQ(form.MessageIcon, 16);
        EXPECT_TRUE(form.TopMost);
        QTest::mouseClick(form.button(1), Qt::LeftButton);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Fout 3022: dubbele sleutel"));
        QTest::mouseClick(form.button(0), Qt::LeftButton);
    });
    message.DisplayError(QStringLiteral("Fout 3022: dubbele sleutel"), true);
    EXPECT_EQ(message.form().SelectedButton(), 0);
}

TEST(ErrorReport, AFailedOperationIsLoggedAndShownAndTheProgramGoesOn)
{
    QTemporaryDir dir;
    MockDialogs dialogs;
    kv::Context ctx;
    ctx.DataPad = dir.path() + u'/';
    ctx.dialogs = &dialogs;
    ctx.clock = [] { return QDateTime(QDate(2026, 12, 1), QTime(9, 0)); };
    ctx.locale = QLocale(QLocale::Dutch, QLocale::Netherlands);
    ctx.workstation = QStringLiteral("PC");

    EXPECT_CALL(dialogs, DisplayError(QStringLiteral("Dubbele sleutel.\n\nFout 3022 bij: frmBTW: Opslaan"), false));
    EXPECT_FALSE(kv::tryOperation(ctx, QStringLiteral("frmBTW: Opslaan"),
                                  [] { kv::db::raise(kv::db::ErrDuplicateKey, QStringLiteral("Dubbele sleutel.")); }));
    EXPECT_TRUE(kv::tryOperation(ctx, QStringLiteral("frmBTW: Laden"), [] {}));

    QFile log(dir.filePath(QStringLiteral("kvpro-2026-12.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), "01-dec-2026 09:00:00 : PC              : BEHEER          : SYSTEEM   : + Actie         : frmBTW: Opslaan\r\n"
                             "01-dec-2026 09:00:00 : PC              : BEHEER          : ERROR     :  + Error        : 3022 -> Dubbele sleutel.\r\n");
}
