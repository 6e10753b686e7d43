#include "editing/options/optionslogic.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"
#include "core/db/tableinfo.h"
#include "core/dialogs.h"
#include "core/log/schrijflog.h"
#include "core/messages/errorreport.h"
#include "editing/listdetail/tables.h"
#include "core/registry/registry.h"
#include "core/session/datafiles.h"
#include "core/session/session.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/values.h"
#include "editing/numbers.h"
#include "editing/options/audittrail.h"
#include "editing/options/encoding.h"
#include "editing/options/outsidewrites.h"
#include "editing/options/undo.h"
#include "editing/saving/checks.h"
#include "editing/saving/recordchanges.h"
#include "editing/text.h"

#include <QFile>

#include <algorithm>

#include <map>

namespace kv::options {
namespace {

const QString kUserGegevens = QStringLiteral("UserGegevens");

QVariant fileText(const std::optional<QByteArray> &bytes)
{
    return bytes ? QVariant(QString::fromUtf8(*bytes)) : QVariant();
}

// What a field that cannot be stored should hold.
QString expected(const Option &option)
{
    if (option.encoding == Encoding::Counter || option.encoding == Encoding::CounterNotZero)
        return QStringLiteral("een nummer van hoogstens 15 cijfers");
    return option.kind == Control::Amount ? QStringLiteral("een bedrag") : QStringLiteral("een geheel getal");
}

} // namespace

OptionsLogic::OptionsLogic(Context &ctx, const OptionScreen &screen) : m_ctx(ctx), m_screen(screen)
{
    load();
}

QString OptionsLogic::markerPath(const QString &file) const
{
    const QString found = findDataFile(m_ctx.DataPad, file);
    return found.isEmpty() ? m_ctx.DataPad + file : found;
}

QString OptionsLogic::tableOf(const Option &option) const
{
    return option.table.isEmpty() ? kUserGegevens : option.table;
}

int OptionsLogic::indexOf(const QString &control) const
{
    for (size_t i = 0; i < m_screen.options.size(); ++i)
        if (m_screen.options[i].control == control)
            return int(i);
    Q_ASSERT_X(false, "OptionsLogic", "a table names a control it does not have");
    return 0;
}

bool OptionsLogic::ownNumber(int option) const
{
    return m_own[size_t(option)];
}

QString OptionsLogic::storedName(int i) const
{
    const Option &option = m_screen.options[size_t(i)];
    if (ownNumber(i))
        return option.workstationName;
    switch (option.place) {
    case Place::UserGegevens: return tableOf(option) + u'.' + option.name;
    case Place::Registry: return registryName(option, m_ctx.AdminCode);
    case Place::MarkerFile: return markerName(option);
    case Place::Screen: break;
    }
    return option.name;
}

bool OptionsLogic::perYear(const QString &table) const
{
    return !m_screen.yearField.isEmpty() && table != kUserGegevens;
}

// The record the options of `table` are kept in: the first, or on a screen kept per year the
// year's; `orEarlier`, without that the latest earlier year's.
bool OptionsLogic::seekRecord(db::Recordset &rs, const QString &table, bool orEarlier) const
{
    if (!perYear(table)) {
        rs.MoveFirst();
        return !rs.Eof();
    }
    rs.setIndex(QStringLiteral("PrimaryKey"));
    rs.Seek(u"=", m_ctx.AdminJaar);
    if (rs.NoMatch() && orEarlier)
        rs.Seek(u"<", m_ctx.AdminJaar);
    return !rs.NoMatch();
}

// The session's shared record set of a table, or one of the screen's own where it has none.
db::Recordset &OptionsLogic::recordsOf(const QString &table)
{
    if (listdetail::sharedBySession(table))
        return m_ctx.session->table(table);
    auto &rs = m_opened[table.toLower()];
    if (!rs)
        rs = m_ctx.session->DBAdmin().OpenTable(table);
    return *rs;
}

// How the trail names the record of `table`: "ActivaAlgemeen[2026]" for a year's.
QString OptionsLogic::trailRecord(const QString &table) const
{
    return perYear(table) ? table + u'[' + m_ctx.AdminJaar + u']' : table;
}

void OptionsLogic::load()
{
    std::map<QString, db::Recordset *> records; // each table's record; null when it has none
    m_newYear = false;
    auto recordOf = [&](const QString &table) {
        auto found = records.find(table);
        if (found == records.end()) {
            db::Recordset &rs = recordsOf(table);
            m_newYear = m_newYear || (perYear(table) && !seekRecord(rs, table, false));
            const bool there = seekRecord(rs, table, true);
            found = records.emplace(table, there ? &rs : nullptr).first;
        }
        return found->second;
    };
    const bool empty = m_screen.onlyWithRecord && !recordOf(kUserGegevens); // shows nothing
    std::map<QString, std::optional<QStringList>> markerLines; // by file, read once; nothing: no file
    std::vector<std::pair<size_t, QString>> asStored;        // states a fallback stands in for
    m_loaded.clear();
    m_states.clear();
    m_locked.clear();
    m_own.clear();
    for (const Option &option : m_screen.options) {
        QVariant stored;
        const bool own = !option.switchName.isEmpty()
                      && m_ctx.registry->LeesRegistry(RegKeyKorvenal, option.switchName) == u"1";
        m_own.push_back(own);
        m_locked.push_back(!empty && !option.lockedWhile.isEmpty() && !m_released.contains(option.control)
                           && m_ctx.session->DBAdmin().hasRows(option.lockedWhile));
        if (empty || option.kind == Control::Heading || option.kind == Control::Button) { // store nothing
        } else if (own) {
            if (const QString text = m_ctx.registry->LeesRegistry(RegKeyKorvenal, option.workstationName); !text.isEmpty())
                stored = text;
        } else {
            switch (option.place) {
            case Place::UserGegevens:
                if (perYear(tableOf(option)) && option.name == m_screen.yearField)
                    stored = m_ctx.AdminJaar;
                else if (db::Recordset *record = recordOf(tableOf(option)))
                    stored = record->value(option.name);
                break;
            case Place::Registry:
                if (const QString text = m_ctx.registry->LeesRegistry(RegKeyKorvenal, storedName(int(m_loaded.size())));
                    !text.isEmpty())
                    stored = text;
                break;
            case Place::MarkerFile: {
                const QString name = markerName(option);
                auto lines = markerLines.find(name);
                if (lines == markerLines.end()) {
                    const QString path = findDataFile(m_ctx.DataPad, name);
                    QFile file(path);
                    std::optional<QStringList> text;
                    if (!path.isEmpty() && file.open(QIODevice::ReadOnly))
                        text = QString::fromUtf8(file.readAll()).remove(u'\r').split(u'\n');
                    lines = markerLines.emplace(name, text).first;
                }
                if (lines->second && option.line < 0)
                    stored = QString(u"" + lines->second->value(0)); // the file is there, whatever it holds
                else if (lines->second && !lines->second->value(option.line).isEmpty())
                    stored = lines->second->value(option.line);
                break;
            }
            case Place::Screen:
                break;
            }
        }
        QString state = shownState(option, stored, m_ctx.separators);
        if (option.place == Place::Screen && option.shownFrom && !empty)
            state = option.shownFrom(*this);
        const bool fallback = !option.fallback.isEmpty() || option.fallbackOf;
        const bool nothing = option.encoding == Encoding::Text ? stored.toString().trimmed().isEmpty()
                                                               : Val(stored.toString()) == 0;
        if (!empty && fallback && nothing) {
            asStored.emplace_back(m_states.size(), state); // saved as shown
            state = option.fallbackOf ? option.fallbackOf(*this) : option.fallback;
        }
        m_loaded.push_back(stored);
        m_states.push_back(state);
    }
    followLeaders();
    clearUnknownAccounts();
    m_loadedStates = m_states;
    for (const auto &[i, state] : asStored)
        m_loadedStates[i] = state;
}

// An account that is not in the chart of accounts shows nothing.
void OptionsLogic::clearUnknownAccounts()
{
    for (size_t i = 0; i < m_screen.options.size(); ++i) {
        if (m_screen.options[i].kind != Control::Account || m_states[i].trimmed().isEmpty())
            continue;
        db::Statement known = m_ctx.session->DBAdmin().prepare(
            QStringLiteral("SELECT 1 FROM RekeningSchema WHERE GrootboekReknr = ?"));
        known.bind(1, m_states[i].trimmed());
        if (!known.step())
            m_states[i].clear();
    }
}

// A value that follows another control takes its state. Where it tells the items apart (a
// shading strength beside "shading on"), the item shown is the first one both values match.
void OptionsLogic::followLeaders()
{
    for (size_t i = 0; i < m_screen.options.size(); ++i) {
        const Option &option = m_screen.options[i];
        if (option.kind != Control::Along || option.follows.isEmpty())
            continue;
        const auto leader = size_t(indexOf(option.follows));
        const Option &lead = m_screen.options[leader];
        for (qsizetype item = 0; !option.values.isEmpty() && item < lead.values.size(); ++item) {
            const QString mine = option.values.value(item);
            if (lead.values[item].compare(m_loaded[leader].toString(), Qt::CaseInsensitive) == 0
                && (mine.isEmpty() || mine == m_loaded[i].toString())) {
                m_states[leader] = QString::number(item);
                break;
            }
        }
        m_states[i] = m_states[leader];
    }
}

void OptionsLogic::setState(int option, const QString &state, bool byUser)
{
    const bool other = m_states[size_t(option)] != state;
    m_states[size_t(option)] = state;
    for (size_t i = 0; i < m_screen.options.size(); ++i)
        if (m_screen.options[i].kind == Control::Along && m_screen.options[i].follows == m_screen.options[size_t(option)].control)
            m_states[i] = state;
    if (other && byUser && m_screen.changed)
        m_screen.changed(*this, option);
}

void OptionsLogic::showStored(int option, const QVariant &stored)
{
    m_loaded[size_t(option)] = stored;
    m_states[size_t(option)] = m_loadedStates[size_t(option)] = shownState(m_screen.options[size_t(option)], stored, m_ctx.separators);
}

bool OptionsLogic::release(int option)
{
    const Option &field = m_screen.options[size_t(option)];
    const QString prompt = !field.releaseQuestion.isEmpty()
                             ? field.releaseQuestion
                             : QStringLiteral("Weet u zeker dat u dit veld wilt muteren?\n\n"
                                              "LET OP: Onjuiste wijzigingen hebben rechtstreeks invloed op uw administratie!");
    if (m_ctx.dialogs->MsgBox(prompt, mb::YesNo | mb::Exclamation | mb::DefaultButton2) != mb::Yes)
        return false;
    const QString tag = PadRechts(QStringLiteral("SYSTEEM"), 10);
    SchrijfLog(m_ctx, tag + u": Formulier       : " + QStringLiteral("Systeem"));
    SchrijfLog(m_ctx, tag + u": + Actie         : "
                          + (!field.releaseLog.isEmpty() ? field.releaseLog
                                                         : u"Vrijgeven veld " + field.control.section(u' ', 1)
                                                               + u", huidige waarde: " + state(option)));
    m_locked[size_t(option)] = false;
    m_released << field.control;
    return true;
}

// How messages name an option: its caption, or that of the toggle it stands beside.
QString OptionsLogic::named(int option) const
{
    for (int i = option; i >= 0; --i)
        if (const Option &o = m_screen.options[size_t(i)]; !o.caption.isEmpty())
            return o.caption.trimmed();
    return m_screen.options[size_t(option)].control;
}

QString OptionsLogic::failedCheck() const
{
    for (size_t i = 0; i < m_screen.options.size(); ++i) {
        const Option &option = m_screen.options[i];
        if (!storedAt(int(i)) && option.encoding == Encoding::DateText)
            return listdetail::OnlogischeDatum.toString();
        if (!storedAt(int(i)))
            return u"Vul bij \"" + named(int(i)) + u"\" " + expected(option) + u" in.";
        if (option.place == Place::UserGegevens && (option.encoding == Encoding::Text || option.encoding == Encoding::Postcode)) {
            const db::TableInfo &table = m_ctx.session->DBAdmin().table(tableOf(option));
            const int size = table.columns[size_t(table.column(option.name))].size;
            if (size > 0 && m_states[i].size() > size)
                return QStringLiteral("\"%1\" mag niet meer dan %2 tekens bevatten.").arg(named(int(i))).arg(size);
        }
    }
    return m_screen.check ? m_screen.check(*this) : QString();
}

bool OptionsLogic::undoLast()
{
    bool undone = false;
    tryOperation(m_ctx, m_screen.screen + u": Ongedaan maken", [&] {
        undone = undoLastSave(m_ctx, m_screen.screen, [this](const QString &file) { return markerPath(file); });
    });
    if (undone)
        load();
    return undone;
}

bool OptionsLogic::save()
{
    if (m_screen.onlyWithRecord && m_ctx.session->table(kUserGegevens).RecordCount() == 0)
        return true; // nothing to save to
    if (!passesChecks(m_ctx, m_screen.screen, [this] { return failedCheck(); }))
        return false;
    bool saved = false;
    tryOperation(m_ctx, m_screen.screen + u": Opslaan",
                 [&] { saved = (!m_screen.confirm || m_screen.confirm(*this)) && saveStates(); });
    return saved;
}

QString OptionsLogic::stored(int option) const
{
    return storedAt(option)->toString();
}

std::optional<QVariant> OptionsLogic::storedAt(int option) const
{
    const Option &o = m_screen.options[size_t(option)];
    const QString state = o.compute ? o.compute(*this) : m_states[size_t(option)];
    if (o.encoding == Encoding::DateText)
        return listdetail::storedValue(m_ctx, listdetail::Kind::Date, state);
    const int digits = o.width.isEmpty() ? 0 : int(std::clamp(Val(stateOf(o.width)), 0.0, 15.0));
    return storedValue(o, state, m_ctx.separators, digits);
}

// Every marker file of the screen as it is to be written, by file name.
std::map<QString, QStringList> OptionsLogic::markerFiles() const
{
    std::map<QString, QStringList> files;
    for (int i = 0; i < int(m_screen.options.size()); ++i) {
        const Option &option = m_screen.options[size_t(i)];
        if (option.place == Place::MarkerFile && option.line >= 0) {
            QStringList &lines = files[option.name];
            while (lines.size() <= option.line)
                lines << QString();
            lines[option.line] = stored(i);
        }
        if (!option.mirror.isEmpty())
            files[option.mirror] = QStringList{stored(i)};
    }
    return files;
}

bool OptionsLogic::saveStates()
{
    std::vector<int> inDatabase;
    Registry::Values values;
    std::vector<AuditEntry> entries;
    for (size_t i = 0; i < m_screen.options.size(); ++i) {
        const Option &option = m_screen.options[i];
        if (!changed(int(i)) || option.place == Place::MarkerFile)
            continue;
        if (option.place == Place::UserGegevens && !ownNumber(int(i))) {
            inDatabase.push_back(int(i));
            // A number kept in the database is no longer this workstation's own.
            if (const QString own = option.workstationName; !own.isEmpty()) {
                if (const QString was = m_ctx.registry->LeesRegistry(RegKeyKorvenal, own); !was.isEmpty()) {
                    values.emplace_back(own, QString());
                    entries.push_back({TrailRegistry.toString(), own, was, QString()});
                }
            }
        } else {
            values.emplace_back(storedName(int(i)), stored(int(i)));
            if (option.secret) // a key or password is not written into the trail
                entries.push_back({TrailRegistry.toString(), values.back().first, Verborgen.toString(), Verborgen.toString()});
            else
                entries.push_back({TrailRegistry.toString(), values.back().first, m_loaded[i], values.back().second});
        }
    }
    OutsideWrites outside(m_ctx);
    bool written = false;
    try {
        outside.registry(values);
        for (const auto &[name, lines] : markerFiles()) {
            const QByteArray bytes = (lines.join(u"\r\n") + u"\r\n").toUtf8();
            const std::optional<QByteArray> old = outside.file(markerPath(name), bytes);
            if (old != bytes)
                entries.push_back({TrailFile.toString(), name, fileText(old), fileText(bytes)});
        }
        writeWholeFiles(outside, entries);
        written = writeUserGegevens(inDatabase, entries);
    } catch (...) {
        outside.putBack();
        throw;
    }
    if (!written) {
        outside.putBack();
        return false;
    }
    removeWithAbsentFiles();
    m_newYear = false;
    for (size_t i = 0; i < m_screen.options.size(); ++i) // the database's were taken from the record
        if (m_screen.options[i].place != Place::UserGegevens || ownNumber(int(i)))
            m_loaded[i] = *storedAt(int(i));
    m_loadedStates = m_states;
    return true;
}

// Whether saving would store something else than is stored: the user changed the state, and
// not only the way it is written ("12,5" for "12,50").
// A value the screen derives (a copy, a constant, a list that drops keys it does not know, the
// same number zero-filled) is written whenever it differs from what is stored; a value that follows a choice and stores
// nothing for the chosen item is left alone. Null and an empty text count as the same.
bool OptionsLogic::changed(int option) const
{
    const size_t i = size_t(option);
    const Option &o = m_screen.options[i];
    if (o.place == Place::Screen) // stored by the option it is a part of
        return false;
    if (m_newYear && o.place == Place::UserGegevens && perYear(tableOf(o)) && !o.name.isEmpty())
        return true; // the year's record is made whole
    if (o.kind == Control::Along && !o.follows.isEmpty() && !o.values.isEmpty() && stored(option).isEmpty())
        return false;
    const bool counter = o.encoding == Encoding::Counter || o.encoding == Encoding::CounterNotZero;
    const double was = Val(m_loaded[i].toString());
    // A number is kept zero-filled; one that the count would cut is left to the user.
    const bool derived = o.kind == Control::Along || o.kind == Control::Picks
                      || (counter && (was == 0 || was == Val(stored(option))));
    return (derived || m_states[i] != m_loadedStates[i])
        && logText(*storedAt(option)).toString() != logText(m_loaded[i]).toString();
}

// The name of an option's marker file, with this workstation's name where it takes one.
QString OptionsLogic::markerName(const Option &option) const
{
    return markerFileName(option.name, m_ctx.workstation);
}

// Files that are the value themselves: there with their text, or not there.
void OptionsLogic::writeWholeFiles(OutsideWrites &outside, std::vector<AuditEntry> &entries)
{
    for (int i = 0; i < int(m_screen.options.size()); ++i) {
        const Option &option = m_screen.options[size_t(i)];
        if (option.place != Place::MarkerFile || option.line >= 0 || !changed(i))
            continue;
        QString text = stored(i);
        for (qsizetype at = text.indexOf(Vandaag); at >= 0; at = text.indexOf(Vandaag)) {
            const qsizetype end = text.indexOf(u'}', at);
            Q_ASSERT(end > at); // the tables close every {vandaag:...}
            text.replace(at, end + 1 - at, m_ctx.today().toString(text.mid(at + Vandaag.size(), end - at - Vandaag.size())));
        }
        const std::optional<QByteArray> content = text.isEmpty() ? std::nullopt : std::optional((text + u"\r\n").toUtf8());
        const std::optional<QByteArray> old = outside.file(markerPath(markerName(option)), content);
        if (old != content)
            entries.push_back({TrailFile.toString(), markerName(option), fileText(old), fileText(content)});
    }
}

// A file switched off takes the files that belong to it along (a workstation's offline copy of
// the database): they cannot be put back, so they go only once the save has landed, and a file
// that will not go is left.
void OptionsLogic::removeWithAbsentFiles() const
{
    for (size_t i = 0; i < m_screen.options.size(); ++i) {
        const Option &option = m_screen.options[i];
        if (option.encoding != Encoding::Present || m_states[i] == u"on" || m_loadedStates[i] != u"on")
            continue; // only when switched off
        for (const QString &also : option.values.mid(1))
            QFile::remove(markerPath(markerFileName(also, m_ctx.workstation)));
    }
}

// The changed columns of the one `UserGegevens` record (with no record there, none: the suite
// keeps these options only where the record exists), those of other single-record tables, and
// the save's rows of the trail, in one transaction.
bool OptionsLogic::writeUserGegevens(const std::vector<int> &changed, const std::vector<AuditEntry> &entries)
{
    db::Recordset &user = m_ctx.session->table(kUserGegevens);
    std::vector<int> inUser, elsewhere;
    for (int i : changed)
        (tableOf(m_screen.options[size_t(i)]) == kUserGegevens ? inUser : elsewhere).push_back(i);
    if (user.RecordCount() == 0)
        inUser.clear();
    auto writeRest = [&](std::vector<AuditEntry> all) {
        writeOtherTables(elsewhere, all);
        if (m_screen.alongside)
            m_screen.alongside(*this, all);
        if (!all.empty())
            recordSave(m_ctx, m_screen.screen, all);
    };
    auto landed = [&] {
        for (int i : elsewhere)
            m_loaded[size_t(i)] = *storedAt(i);
        return true;
    };
    if (inUser.empty()) {
        if (!entries.empty() || !elsewhere.empty() || m_screen.alongside)
            m_ctx.session->DBAdmin().write([&] { writeRest(entries); });
        return landed();
    }
    std::vector<FieldChange> changes;
    for (int i : inUser) {
        const Option &option = m_screen.options[size_t(i)];
        changes.push_back({option.name, named(i), m_loaded[size_t(i)], *storedAt(i),
                           option.secret ? Verborgen.toString() : describedState(option, m_states[size_t(i)])});
    }
    auto optionOf = [&](const QString &name) {
        for (int i : inUser)
            if (m_screen.options[size_t(i)].name == name)
                return i;
        return -1;
    };
    const RecordSave how{
        .db = m_ctx.session->DBAdmin(),
        .rs = user,
        .seek = [](db::Recordset &rs) {
            rs.MoveFirst();
            return !rs.Eof();
        },
        .shown = [&](const QString &name, const QVariant &value) {
            const Option &option = m_screen.options[size_t(optionOf(name))];
            if (option.secret) // another program's password is not shown either
                return Verborgen.toString();
            return describedState(option, shownState(option, value, m_ctx.separators));
        },
        .alongside = [&] {
            std::vector<AuditEntry> all = entries;
            for (const FieldChange &change : changes) { // as the column holds it now (amounts to 4 decimals)
                const bool secret = m_screen.options[size_t(optionOf(change.field))].secret;
                all.push_back({TrailDatabase.toString(), kUserGegevens + u'.' + change.field,
                               secret ? QVariant(Verborgen.toString()) : logText(change.loaded),
                               secret ? QVariant(Verborgen.toString()) : logText(user.value(change.field))});
            }
            writeRest(all);
        },
    };
    std::vector<TheirValue> theirs;
    const SaveResult result = saveChanges(m_ctx, how, changes, theirs);
    if (result == SaveResult::Saved) {
        for (const FieldChange &change : changes)
            m_loaded[size_t(optionOf(change.field))] = change.loaded;
        return landed();
    }
    for (const TheirValue &their : theirs) {
        const size_t i = size_t(optionOf(their.field));
        m_loaded[i] = their.value;
        m_states[i] = m_loadedStates[i] = shownState(m_screen.options[i], their.value, m_ctx.separators);
    }
    return false;
}

// The changed columns of the other single-record tables, in the caller's transaction: the first
// record, made when there is none. A value another program changed since loading stops the save.
void OptionsLogic::writeOtherTables(const std::vector<int> &changed, std::vector<AuditEntry> &entries)
{
    std::map<QString, std::vector<int>> byTable;
    for (int i : changed)
        byTable[tableOf(m_screen.options[size_t(i)])].push_back(i);
    for (const auto &[table, columns] : byTable) {
        db::Recordset &rs = recordsOf(table);
        const bool adding = !seekRecord(rs, table, false);
        adding ? rs.AddNew() : rs.Edit();
        try {
            for (int i : columns) {
                const Option &option = m_screen.options[size_t(i)];
                const QVariant before = adding ? QVariant() : logText(rs.value(option.name));
                // A year's record made anew starts from the earlier year's values it showed.
                const bool newYear = adding && perYear(table);
                if (!newYear && !option.secret && before.toString() != logText(m_loaded[size_t(i)]).toString()
                    && before.toString() != stored(i)) {
                    m_loaded[size_t(i)] = rs.value(option.name); // saving again overwrites it
                    db::raise(3197, IntussenGewijzigd + u'\n' + veldNaam(named(i)) + u": nu " + before.toString() + u", uw invoer "
                                        + stored(i) + u"\n\nSla opnieuw op om uw invoer toch op te slaan.");
                }
                rs.setValue(option.name, *storedAt(i));
                entries.push_back({TrailDatabase.toString(), trailRecord(table) + u'.' + option.name,
                                   option.secret ? Verborgen.toString() : before,
                                   option.secret ? Verborgen.toString() : logText(rs.value(option.name))});
            }
            rs.Update();
        } catch (...) {
            rs.CancelUpdate();
            throw;
        }
    }
}

} // namespace kv::options
