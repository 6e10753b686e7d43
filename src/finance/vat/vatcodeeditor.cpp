#include "finance/vat/vatcodeeditor.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "editing/amounts.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/values.h"
#include "editing/numbers.h"
#include "editing/options/audittrail.h"
#include "editing/saving/recordchanges.h"
#include "finance/vat/vatboxes.h"
#include "finance/vat/vatcodelist.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace kv::finance {
namespace {

using listdetail::Kind;

std::unique_ptr<db::Recordset> codes(Context &ctx)
{
    auto rs = ctx.session->DBAdmin().OpenTable(QStringLiteral("BTWcodering"));
    rs->setIndex(QStringLiteral("PrimaryKey"));
    return rs;
}

// The captions the conflict question names the fields by.
QString captionOf(const QString &column)
{
    static const std::map<QString, QString> captions{
        {u"Omschrijving"_s, u"Omschrijving"_s},          {u"BTWPercentage"_s, u"Percentage"_s},
        {u"BTWRubriek"_s, u"Aangifte rubriek"_s},        {u"BTWGrondslag"_s, u"Grondslag"_s},
        {u"BTWType"_s, u"Type"_s},                       {u"InEx"_s, u"Basis bedrag is"_s},
        {u"DatumVanaf"_s, u"Gebruiken vanaf"_s},         {u"DatumTotEnMet"_s, u"Gebruiken t/m"_s},
        {u"BTWCodeExtern"_s, u"BTW code extern"_s},      {u"Invisible"_s, u"Niet (meer) zichtbaar"_s},
    };
    const auto found = captions.find(column);
    return found == captions.end() ? column : found->second;
}

} // namespace

VatCodeEditor::VatCodeEditor(Context &ctx, std::optional<int> code) : m_ctx(ctx)
{
    if (code)
        load(*code);
}

void VatCodeEditor::load(int code)
{
    auto rs = codes(m_ctx);
    rs->Seek(u"=", code);
    if (rs->NoMatch())
        return; // gone meanwhile: a new code
    m_adding = false;
    input.code = QString::number(code);
    for (int field = 0; field < rs->FieldCount(); ++field) {
        m_loaded[rs->FieldName(field)] = rs->value(field);
        show(rs->FieldName(field), rs->value(field));
    }
}

// Puts a stored value in the window's input.
void VatCodeEditor::show(const QString &column, const QVariant &value)
{
    const std::map<QString, std::function<void()>> fields{
        {u"Omschrijving"_s, [&] { input.omschrijving = value.toString(); }},
        {u"BTWPercentage"_s, [&] { input.percentage = FormatBedrag(m_ctx.separators, value); }},
        {u"BTWRubriek"_s, [&] { chooseRubric(value.isNull() ? -1 : value.toInt()); }}, // the basis follows the rubric
        {u"BTWType"_s, [&] { input.type = value.isNull() ? -1 : value.toInt(); }},
        {u"InEx"_s, [&] { input.exclusief = value.toBool(); }},
        {u"Invisible"_s, [&] { input.invisible = value.toBool(); }},
        {u"grootboekreknrinkoop"_s, [&] { input.inkoop = value.toString(); }},
        {u"grootboekreknrverkoop"_s, [&] { input.verkoop = value.toString(); }},
        {u"grootboekreknrkorting"_s, [&] { input.korting = value.toString(); }},
        {u"DatumVanaf"_s, [&] { input.vanaf = listdetail::fieldText(m_ctx, Kind::Date, value); }},
        {u"DatumTotEnMet"_s, [&] { input.totEnMet = listdetail::fieldText(m_ctx, Kind::Date, value); }},
        {u"BTWCodeExtern"_s, [&] { input.externCode = value.isNull() ? QString() : value.toString(); }},
    };
    if (const auto field = fields.find(column); field != fields.end())
        field->second();
}

void VatCodeEditor::chooseRubric(int rubric)
{
    input.rubriek = rubricBox(rubric).isEmpty() ? -1 : rubric;
    input.grondslag = basisOfRubric(input.rubriek);
}

bool VatCodeEditor::leavePercentage()
{
    if (input.percentage.trimmed().isEmpty())
        return true;
    const QString number = FormatGetal(m_ctx.separators, input.percentage, 0, true);
    if (number == u"n/a") {
        m_ctx.dialogs->MsgBox(QStringLiteral("Er is geen correct BTW percentage ingegeven."), mb::Exclamation);
        return false;
    }
    input.percentage = number;
    return true;
}

bool VatCodeEditor::leaveDate(QString &date)
{
    const std::optional<QString> shown = listdetail::leftText(m_ctx, Kind::Date, date);
    if (!shown) {
        m_ctx.dialogs->MsgBox(listdetail::OnlogischeDatum.toString(), mb::Exclamation);
        return false;
    }
    date = *shown;
    return true;
}

// The checks of OK in their order; the message of the first that fails.
QString VatCodeEditor::failedCheck()
{
    m_focus.clear();
    if (input.rubriek < 0)
        return m_focus = u"rubriek"_s, QStringLiteral("De BTW-rubriek voor de aangifte is nog niet ingegeven.");
    if (input.grondslag < 0)
        return m_focus = u"grondslag"_s, QStringLiteral("De BTW-grondslag voor de aangifte is nog niet ingegeven.");
    if (input.percentage.trimmed().isEmpty())
        return m_focus = u"percentage"_s, QStringLiteral("Het BTW-percentage is een verplicht veld...");
    if (FormatGetal(m_ctx.separators, input.percentage, 0, true) == u"n/a")
        return m_focus = u"percentage"_s, QStringLiteral("Het BTW percentage is onjuist of mag niet voorkomen...");
    if (input.omschrijving.trimmed().isEmpty())
        return m_focus = u"omschrijving"_s, QStringLiteral("U heeft nog geen omschrijving ingegeven");
    if (input.code.trimmed().isEmpty() && !m_adding)
        return m_focus = u"code"_s, QStringLiteral("U heeft nog geen BTW code ingegeven");
    if (!input.code.trimmed().isEmpty() && !IsNumeriek(input.code.trimmed()))
        return m_focus = u"code"_s, QStringLiteral("De BTW code moet een getal zijn.");
    for (QString *date : {&input.vanaf, &input.totEnMet})
        if (!listdetail::storedValue(m_ctx, Kind::Date, *date))
            return m_focus = u"datum"_s, listdetail::OnlogischeDatum.toString();
    const QString from = listdetail::storedValue(m_ctx, Kind::Date, input.vanaf)->toString();
    const QString to = listdetail::storedValue(m_ctx, Kind::Date, input.totEnMet)->toString();
    if (!from.isEmpty() && !to.isEmpty() && to < from)
        return m_focus = u"datum"_s, QStringLiteral("De einddatum mag niet voor de begindatum liggen.");
    return {};
}

// Every column as the window's input stores it.
std::map<QString, QVariant> VatCodeEditor::values() const
{
    Separators separators = m_ctx.separators;
    const QString percentage = FormatBedrag(separators, FormatGetal(separators, input.percentage, 0, true));
    const double rate = listdetail::number(percentage, separators.DecimaalTeken, separators.DuizendTeken).value_or(0);
    return {
        {u"Omschrijving"_s, input.omschrijving},
        {u"BTWPercentage"_s, rate},
        {u"BTWRubriek"_s, input.rubriek},
        {u"BTWGrondslag"_s, input.grondslag},
        {u"BTWType"_s, input.type},
        {u"BTWPercentageVrij"_s, input.type == VrijTarief},
        {u"Invisible"_s, input.invisible},
        {u"InEx"_s, input.exclusief},
        {u"grootboekreknrinkoop"_s, input.inkoop.trimmed()},
        {u"grootboekreknrverkoop"_s, input.verkoop.trimmed()},
        {u"grootboekreknrkorting"_s, input.korting.trimmed()},
        {u"DatumVanaf"_s, *listdetail::storedValue(m_ctx, Kind::Date, input.vanaf)},
        {u"DatumTotEnMet"_s, *listdetail::storedValue(m_ctx, Kind::Date, input.totEnMet)},
        {u"BTWCodeExtern"_s, qint64(Val(input.externCode))},
    };
}

bool VatCodeEditor::save()
{
    if (const QString message = failedCheck(); !message.isEmpty()) {
        m_ctx.dialogs->MsgBox(message, mb::Exclamation);
        return false;
    }
    bool saved = false;
    tryOperation(m_ctx, u"frmBTWPopup: Opslaan"_s, [&] { saved = m_adding ? insert() : update(); });
    return saved;
}

// A new code: a blank code becomes the highest + 1, taken inside the transaction.
bool VatCodeEditor::insert()
{
    db::Database &db = m_ctx.session->DBAdmin();
    bool exists = false;
    db.write([&] {
        if (input.code.trimmed().isEmpty()) {
            db::Statement highest = db.prepare(QStringLiteral("SELECT MAX(BTWCode) FROM BTWcodering"));
            input.code = QString::number(highest.step() ? highest.column(0).toInt() + 1 : 1);
        }
        const int code = input.code.trimmed().toInt();
        auto rs = codes(m_ctx);
        rs->Seek(u"=", code);
        if ((exists = !rs->NoMatch()))
            return;
        std::vector<options::AuditEntry> entries;
        rs->AddNew();
        rs->setValue(u"BTWCode", code);
        rs->setValue(u"SortNr", 99);
        for (const auto &[column, value] : values())
            rs->setValue(column, value);
        rs->Update();
        for (const QString &column : {u"BTWCode"_s, u"SortNr"_s})
            entries.push_back({options::TrailDatabase.toString(), trailName(code, column), {}, options::logText(column == u"SortNr" ? 99 : code)});
        for (const auto &[column, value] : values())
            entries.push_back({options::TrailDatabase.toString(), trailName(code, column), {}, options::logText(value)});
        db::Statement extended = db.prepare(QStringLiteral("SELECT ExtendedBTWGrootboek FROM UserGegevens LIMIT 1"));
        if (extended.step() && extended.column(0).toBool()) {
            db::Statement count = db.prepare(QStringLiteral("SELECT COUNT(*) FROM ArtikelenBTW"));
            const qint64 before = count.step() ? count.column(0).toLongLong() : 0;
            count.reset();
            db::Statement links = db.prepare(QStringLiteral(
                "INSERT INTO ArtikelenBTW (ArtikelNummer, BTWCode, InkoopRekening, Grootboeknummer) "
                "SELECT ArtikelNummer, ?, InkoopRekening, Grootboeknummer FROM Artikelen"));
            links.bind(1, code);
            links.step();
            db.bumpGeneration();
            const qint64 after = count.step() ? count.column(0).toLongLong() : 0;
            entries.push_back({options::TrailDatabase.toString(), u"ArtikelenBTW"_s, QString::number(before),
                               QString::number(after)});
        }
        options::recordSave(m_ctx, VatScreen.toString(), entries);
    });
    if (exists) {
        m_focus = u"percentage"_s;
        m_ctx.dialogs->MsgBox(QStringLiteral("Deze BTW code bestaat reeds."), mb::Exclamation);
        return false;
    }
    return true;
}

// An existing code: only what the user changed is written, and a field another program changed
// meanwhile only after the user says so.
bool VatCodeEditor::update()
{
    const int code = input.code.toInt();
    std::vector<FieldChange> changes;
    for (const auto &[column, value] : values())
        if (options::logText(m_loaded[column]) != options::logText(value))
            changes.push_back({column, captionOf(column), m_loaded[column], value, value.toString()});
    auto rs = codes(m_ctx);
    const RecordSave how{
        .db = m_ctx.session->DBAdmin(),
        .rs = *rs,
        .seek = [code](db::Recordset &r) {
            r.Seek(u"=", code);
            return !r.NoMatch();
        },
        .shown = [](const QString &, const QVariant &stored) { return stored.toString(); },
        .alongside = [&] {
            std::vector<options::AuditEntry> entries;
            for (const FieldChange &change : changes)
                entries.push_back({options::TrailDatabase.toString(), trailName(code, change.field),
                                   options::logText(change.loaded), options::logText(rs->value(change.field))});
            options::recordSave(m_ctx, VatScreen.toString(), entries);
        },
    };
    std::vector<TheirValue> theirs;
    switch (saveChanges(m_ctx, how, changes, theirs)) {
    case SaveResult::Saved:
        return true;
    case SaveResult::Deleted:
        m_adding = true; // the next OK adds it again
        return false;
    case SaveResult::Theirs:
        for (const TheirValue &their : theirs) { // their values shown, the rest of the input kept
            m_loaded[their.field] = their.value;
            show(their.field, their.value);
        }
        return false;
    }
    return false;
}

} // namespace kv::finance
