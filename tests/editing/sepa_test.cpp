#include "editing/sepa.h"

#include "support/printers.h"

#include <gtest/gtest.h>

using namespace kv;

TEST(SepaTekst, ReducesToTheSepaCharacterSet)
{
    struct Row {
        QStringView text;
        int max;
        QStringView expected;
    };
    const Row rows[] = {
        {u"Café&Zoon;Müller", 0, u"Cafe Zoon,Muller"}, {u"  Ærø ", 0, u"AEr"},     {u"Straße 5", 0, u"Strae 5"},
        {u"a\"b`c<d>e", 0, u"a.b.c.de"},            {u"x\ty\nz", 0, u"xyz"},   {u"€ 100,-", 0, u"100,-"},
        {u"Ñandú ¡Olé!", 0, u"Nandu iOle"},          {u"£5 ½", 0, u"5"},         {u"Çà ÉÖÜ", 0, u"Ca EOU"},
        {u"/-?:().,'+", 0, u"/-?:().,'+"},           {u"{[x]}_#@*=", 0, u"x"},   {u"René Çelik", 4, u"Rene"},
        {u"ab cd", 3, u"ab "}, // cut after trimming
    };
    for (const Row &r : rows)
        EXPECT_EQ(SepaTekst(r.text, r.max), r.expected.toString()) << r.text.toString().toStdString();
}

TEST(VerwijderAccenten, FoldsWhatItKnowsAndDropsTheRest)
{
    struct Row {
        QStringView text, expected;
    };
    const Row rows[] = {
        {u"Ça\u0001", u"Ca"}, {u"ß", u""}, {u"ÿ", u"y"}, {u"È", u""}, {u"&;{}", u"&;{}"}, {u"æÆ", u"aeAE"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(VerwijderAccenten(r.text), r.expected.toString()) << r.text.toString().toStdString();
}
