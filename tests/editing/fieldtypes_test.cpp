#include "editing/fieldtypes.h"

#include <gtest/gtest.h>

using namespace kv;

TEST(FilterKey, AcceptsReplacesOrRejectsPerFieldType)
{
    struct Row {
        QStringView type;
        int typed, expected;
    };
    const Row rows[] = {
        {u"BEDRAG", ',', ','},       {u"BEDRAG", '.', ','},       {u"BEDRAG", 'a', 0},          {u"BEDRAG", '-', '-'},
        {u"BEDRAG", 8, 8},           {u" bedrag ", '.', ','},     {u"TELEFOON", '.', '.'},      {u"TELEFOON", ',', 0},
        {u"TELEFOON", 'm', 'm'},     {u"TELEFOON", 'M', 0},       {u"TELEFOON", '(', '('},      {u"NUMERIEK", '-', '-'},
        {u"NUMERIEK", '.', 0},       {u"NUMMERIEK", '3', '3'},    {u"NUMERIEK/VOLLEDIG", 'a', 0}, {u"DATUM", '/', 0},
        {u"DATUM/VOLLEDIG", ',', 0}, {u"POSNUMERIEK", '-', 0},    {u"POSNUMERIEK", '.', ','},   {u"GETAL", '-', '-'},
        {u"NUMSTER", '*', '*'},      {u"NUMSTER", ',', 0},        {u"PROCENT", '%', '%'},       {u"PERCENTAGE", '.', ','},
        {u"ALPHA", 233, 233},        {u"ALPHA", ' ', ' '},        {u"ALPHA", '5', 0},           {u"ALPHA", '.', '.'},
        {u"ALPHA", ',', 0},          {u"ALPHA", '\'', '\''},      {u"ALPHA", 128, 128},         {u"ALPHA", 322, 0},
        {u"ONBEKEND", ',', ','},     {u"", 0x20AC, 0x20AC},
    };
    Separators separators;
    for (const Row &r : rows)
        EXPECT_EQ(FilterKey(r.typed, r.type, separators), r.expected) << r.type.toString().toStdString() << " " << r.typed;

    separators.DecimaalTeken = u'.';
    EXPECT_EQ(FilterKey(',', u"BEDRAG", separators), '.');
    separators.DecimaalTeken = QChar();
    EXPECT_EQ(FilterKey(',', u"BEDRAG", separators), 0);
}
