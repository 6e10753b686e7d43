#include "editing/options/encoding.h"

#include "core/context.h"
#include "editing/accountnumbers.h"
#include "editing/amounts.h"
#include "editing/dates.h"
#include "editing/decimaltext.h"
#include "editing/numbers.h"
#include "editing/registration.h"
#include "editing/text.h"

#include <algorithm>

namespace kv::options {
namespace {

QString onOff(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

} // namespace

QString describedState(const Option &option, const QString &state)
{
    switch (option.kind) {
    case Control::Toggle: return state == u"on" ? QStringLiteral("aan") : QStringLiteral("uit");
    case Control::Choice:
    case Control::Combo:
        if (option.encoding != Encoding::Item || state.isEmpty()) // a key or a text, or nothing chosen yet
            return state;
        return option.items.value(state.toInt());
    case Control::Along:
        if (state == u"on" || state == u"off")
            return state == u"on" ? QStringLiteral("aan") : QStringLiteral("uit");
        return option.values.isEmpty() ? state : option.values.value(state.toInt());
    default: return state;
    }
}

QString shownState(const Option &option, const QVariant &stored, const Separators &separators)
{
    switch (option.encoding) {
    case Encoding::Db10:
        return onOff(!stored.isNull() && stored.toLongLong() == 1);
    case Encoding::DbMinus10:
        return onOff(stored.toBool());
    case Encoding::Reg10:
        return onOff(stored.toString() == u"1");
    case Encoding::Reg01:
        return onOff(stored.toString() == u"0");
    case Encoding::Present:
        return onOff(!stored.isNull());
    case Encoding::RegZeroOn:
        return onOff(stored.toString().toInt() == 0);
    case Encoding::RegOne10:
        return onOff(Val(stored.toString()) == 1);
    case Encoding::Marked:
        return onOff(stored.toString() == option.values.value(0));
    case Encoding::DateText:
        return DatumWeergave(stored.toString());
    case Encoding::CodeKey:
        return stored.isNull() ? QString() : QString::number(stored.toInt());
    case Encoding::Keys: {
        QStringList known; // a key the list does not know is dropped
        for (const QString &key : stored.toString().split(KeyEnd, Qt::SkipEmptyParts))
            if (option.values.contains(key) && !known.contains(key))
                known << key;
        return known.join(u',');
    }
    case Encoding::Postcode:
        return FormatPostcode(stored.toString().trimmed());
    case Encoding::BankAccount:
        return FormatRekeningnummer(stored.toString().trimmed());
    case Encoding::Item:
    {
        // Without regard to case: a marker file may say "False".
        const auto item = std::find_if(option.values.begin(), option.values.end(), [&](const QString &value) {
            return value.compare(stored.toString(), Qt::CaseInsensitive) == 0;
        });
        return QString::number(item == option.values.end() ? 0 : item - option.values.begin());
    }
    case Encoding::Amount:
    case Encoding::AmountText: {
        if (stored.isNull() || stored.toString().trimmed().isEmpty())
            return {};
        Separators copy = separators;
        return FormatBedrag(copy, stored);
    }
    case Encoding::Text:
    case Encoding::Compact:
    case Encoding::Number:
    case Encoding::Leading:
    case Encoding::Counter:
    case Encoding::CounterNotZero:
        break;
    }
    return option.spaceWhenEmpty ? stored.toString().trimmed() : stored.toString();
}

std::optional<QVariant> storedValue(const Option &option, const QString &state, const Separators &separators,
                                    int digits)
{
    const bool on = state == u"on";
    switch (option.encoding) {
    case Encoding::Db10:
        return QVariant(on ? 1 : 0);
    case Encoding::DbMinus10:
        return QVariant(on);
    case Encoding::Reg10:
        return QVariant(on ? QStringLiteral("1") : QStringLiteral("0"));
    case Encoding::Reg01:
        return QVariant(on ? QStringLiteral("0") : QStringLiteral("1"));
    case Encoding::Present:
        return on ? QVariant(option.values.value(0)) : QVariant();
    case Encoding::RegZeroOn:
        return QVariant(on ? QStringLiteral("0") : QStringLiteral("1"));
    case Encoding::RegOne10:
        return QVariant(on ? QStringLiteral("1") : QStringLiteral("0"));
    case Encoding::Marked:
        return QVariant(on ? option.values.value(0) : QString());
    case Encoding::CodeKey:
        return state.isEmpty() ? QVariant() : QVariant(state.toInt());
    case Encoding::DateText: // made by the logic, which knows how dates are typed here
        return QVariant(state);
    case Encoding::Leading:
        return QVariant(QString::number(Val(state), 'g', 15));
    case Encoding::Counter:
    case Encoding::CounterNotZero: {
        const double value = Val(state);
        if (value < 0 || value >= 1e15) // no number series goes below 0 or beyond 15 digits
            return std::nullopt;
        const auto number = qint64(value);
        if (number == 0 && option.encoding == Encoding::CounterNotZero)
            return QVariant(QString(u'1' + QString(std::max(digits, 1), u'0')).left(std::max(digits, 1)));
        return QVariant(VoorloopNullen(number, digits));
    }
    case Encoding::Keys: {
        QString keys;
        for (const QString &key : state.split(u',', Qt::SkipEmptyParts))
            keys += key + KeyEnd;
        return QVariant(keys);
    }
    case Encoding::Postcode: {
        const QString postcode = VerwijderTeken(state, u' ').toUpper().left(6);
        return QVariant(postcode.isEmpty() && option.spaceWhenEmpty ? QStringLiteral(" ") : postcode);
    }
    case Encoding::Item:
        return QVariant(option.values.value(state.toInt()));
    case Encoding::Number: {
        if (state.trimmed().isEmpty())
            return QVariant();
        bool ok = false;
        const int number = state.trimmed().toInt(&ok);
        return ok ? std::optional<QVariant>(number) : std::nullopt;
    }
    case Encoding::AmountText: {
        if (state.trimmed().isEmpty())
            return QVariant();
        if (!decimal::parse(state.trimmed(), separators.DecimaalTeken, separators.DuizendTeken))
            return std::nullopt;
        Separators copy = separators;
        return QVariant(FormatBedrag(copy, state.trimmed()));
    }
    case Encoding::Amount: {
        if (state.trimmed().isEmpty())
            return QVariant();
        const auto amount = decimal::parse(state.trimmed(), separators.DecimaalTeken, separators.DuizendTeken);
        if (!amount)
            return std::nullopt;
        return QVariant(decimal::render(*amount, u'.').toDouble());
    }
    case Encoding::BankAccount:
        return QVariant(QString(state).remove(u'.').remove(u' ').trimmed().toUpper());
    case Encoding::Compact:
        return QVariant(QString(state).remove(u' ').trimmed().toUpper());
    case Encoding::Text:
        break;
    }
    return QVariant(state.isEmpty() && option.spaceWhenEmpty ? QStringLiteral(" ") : state);
}

} // namespace kv::options
