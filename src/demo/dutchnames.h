#pragma once

#include <QRandomGenerator>
#include <QString>

// Names and addresses that read as the Dutch countryside (and its neighbours across the border).
namespace kv::demo {

struct Address {
    QString street, houseNumber, postcode, place, phone;
    QString country; // NL, BE or DE
};

struct Person {
    QString firstName, initials, prefix, surname;
    QString shortName() const; // "J. van der Berg"
    QString fullName() const;  // "Jan van der Berg"
    QString surnameWithPrefix() const;
};

Person makePerson(QRandomGenerator &random);
Address makeAddress(QRandomGenerator &random, const QString &country = QStringLiteral("NL"));

enum class Trade { Customer, Supplier };
// A farm or firm named after its owner or its place, e.g. "Maatschap Wolters" or "Mengvoeders Raalte B.V.".
QString makeCompanyName(QRandomGenerator &random, Trade trade, const Person &owner, const Address &address);

// An e-mail address and web site made from a company name: info@maatschapwolters.nl.
QString domainOf(const QString &companyName, const QString &country);

} // namespace kv::demo
