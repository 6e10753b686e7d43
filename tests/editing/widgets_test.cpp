#include "editing/widgets/typedlineedit.h"
#include "editing/widgets/yesno.h"

#include "support/printers.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace kv;
using namespace Qt::Literals::StringLiterals;

namespace {

// keyClicks only knows ASCII; this types any character as the keyboard would.
void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

TEST(TypedLineEdit, FiltersEveryKeystroke)
{
    struct Row {
        QString type, typed, shown;
    };
    const Row rows[] = {
        {u"BEDRAG"_s, u"-12a.5"_s, u"-12,5"_s},
        {u"DATUM"_s, u"01-01.2020x"_s, u"01-012020"_s},
        {u"ALPHA"_s, u"Jan 3é"_s, u"Jan é"_s},
        {u"PROCENT"_s, u"21,5%"_s, u"21,5%"_s},
        {u"VRIJ"_s, u"a,b.c"_s, u"a,b.c"_s},
    };
    const Separators separators;
    for (const Row &r : rows) {
        TypedLineEdit field(separators, r.type);
        typeText(&field, r.typed);
        EXPECT_EQ(field.text(), r.shown) << r.type.toStdString();
    }
}

TEST(TypedLineEdit, EditsTextThatTheProgramSet)
{
    const Separators separators;
    TypedLineEdit field(separators, u"BEDRAG"_s);
    field.setText(u"1.234,50"_s);
    QTest::keyClicks(&field, u"9"_s);
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), u"1.234,5"_s);
}

TEST(TypedLineEdit, FiltersPastedText)
{
    const Separators separators;
    TypedLineEdit field(separators, u"BEDRAG"_s);
    QApplication::clipboard()->setText(u"1x2.3 €"_s);
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), u"12,3"_s);

    field.setReadOnly(true);
    field.pasteFiltered();
    EXPECT_EQ(field.text(), u"12,3"_s);
}

TEST(YesNo, ToggleStatesAreOnAndOff)
{
    YesNo toggle;
    QSignalSpy changes(&toggle, &YesNo::stateChanged);
    EXPECT_EQ(toggle.state(), u"off"_s);
    EXPECT_EQ(toggle.toolTip(), u" Klik om aan / uit te zetten "_s);

    toggle.resize(toggle.sizeHint());
    QTest::mouseClick(&toggle, Qt::LeftButton);
    EXPECT_EQ(toggle.state(), u"on"_s);
    QTest::keyClick(&toggle, Qt::Key_Space);
    EXPECT_EQ(toggle.state(), u"off"_s);
    ASSERT_EQ(changes.size(), 2);
    EXPECT_EQ(changes[0][0].toString(), u"on"_s);

    toggle.setState(u"on"_s);
    EXPECT_EQ(toggle.state(), u"on"_s);
    toggle.setState(u"ON"_s);
    EXPECT_EQ(toggle.state(), u"off"_s);
}
