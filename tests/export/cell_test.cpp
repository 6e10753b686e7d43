// How a shown text becomes a spreadsheet cell, with both sets of separators.
#include "core/context.h"
#include "export/cell.h"

#include <gtest/gtest.h>

using namespace kv;
using namespace kv::exporting;
using namespace Qt::StringLiterals;

namespace {

using Kind = SheetCell::Kind;
const QString Two = u"#,##0.00_);[Red](#,##0.00)"_s;
const QString Three = u"#,##0.000_);[Red](#,##0.000)"_s;

struct Case {
    QString text;
    Kind kind;
    double number = 0;
    QString format = {};
    QDate date = {};
};

void check(const Separators &separators, const std::vector<Case> &cases)
{
    Context ctx;
    ctx.separators = separators;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const SheetCell cell = classify(ctx, c.text);
        EXPECT_EQ(cell.kind, c.kind);
        if (c.kind == Kind::Number) {
            EXPECT_DOUBLE_EQ(cell.number, c.number);
            EXPECT_EQ(cell.numberFormat, c.format);
        } else if (c.kind == Kind::Date) {
            EXPECT_EQ(cell.date, c.date);
            EXPECT_EQ(cell.numberFormat, u"dd-mm-yyyy"_s);
        } else {
            EXPECT_EQ(cell.numberFormat, u"@"_s);
            EXPECT_EQ(cell.text, c.text.left(MaxCellText));
        }
    }
}

} // namespace

TEST(ExportCell, DutchSeparators)
{
    check({u',', u'.', u',', u'.'},
          {{u"1.234,56"_s, Kind::Number, 1234.56, Two},
           {u"12,345"_s, Kind::Number, 12.345, Three},
           {u"0,1234"_s, Kind::Number, 0.1234, u"#,##0.0000_);[Red](#,##0.0000)"_s},
           {u"1234"_s, Kind::Number, 1234, Two},
           {u"12,5"_s, Kind::Number, 12.5, Two},
           {u"0"_s, Kind::Number, 0, Two},
           {u"100126"_s, Kind::Number, 100126, Two}, // an order number, never a date
           {u"123456789012345"_s, Kind::Number, 123456789012345.0, Two},
           {u"1234567890123456"_s, Kind::Text},
           {u"0012"_s, Kind::Text},
           {u"1,2,3"_s, Kind::Text},
           {u"A12B"_s, Kind::Text},
           {u"12 kg"_s, Kind::Text},
           {u""_s, Kind::Blank},
           {QString(40000, u'x'), Kind::Text},
           {u"05-01-2020"_s, Kind::Date, 0, {}, QDate(2020, 1, 5)},
           {u"(31-12-19)"_s, Kind::Date, 0, {}, QDate(2019, 12, 31)},
           {u"05-01-20"_s, Kind::Date, 0, {}, QDate(2020, 1, 5)},
           {u"01-01-1900"_s, Kind::Date, 0, {}, QDate(1900, 1, 1)},
           {u"31-12-1899"_s, Kind::Text},
           {u"31-02-2020"_s, Kind::Text},
           {u"05-01-2020-1"_s, Kind::Text}}); // twelve characters
}

TEST(ExportCell, EnglishSeparators)
{
    check({u'.', u',', u'.', u','},
          {{u"1,234.56"_s, Kind::Number, 1234.56, Two},
           {u"12.345"_s, Kind::Number, 12.345, Three},
           {u"1,234"_s, Kind::Number, 1234, Two},
           {u"1.2.3"_s, Kind::Text},
           {u"05-01-2020"_s, Kind::Date, 0, {}, QDate(2020, 1, 5)}});
}
