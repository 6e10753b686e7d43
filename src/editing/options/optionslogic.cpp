#include "editing/options/optionslogic.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"
#include "core/registry/registry.h"
#include "core/session/datafiles.h"
#include "core/session/session.h"
#include "editing/options/audittrail.h"
#include "editing/options/encoding.h"
#include "editing/options/outsidewrites.h"
#include "editing/saving/checks.h"
#include "editing/saving/recordchanges.h"
#include "core/messages/errorreport.h"

#include <QFile>

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

void OptionsLogic::load()
{
    db::Recordset &user = m_ctx.session->table(kUserGegevens);
    user.MoveFirst();
    const bool record = !user.Eof();
    std::map<QString, std::optional<QStringList>> markerLines; // by file, read once; nothing: no file
    m_loaded.clear();
    m_states.clear();
    for (const Option &option : m_screen.options) {
        QVariant stored;
        switch (option.kind == Control::Heading ? Place::UserGegevens : option.place) {
        case Place::UserGegevens:
            if (record && option.kind != Control::Heading)
                stored = user.value(option.name);
            break;
        case Place::Registry:
            if (const QString text = m_ctx.registry->LeesRegistry(RegKeyKorvenal, option.name); !text.isEmpty())
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
        }
        m_loaded.push_back(stored);
        m_states.push_back(shownState(option, stored, m_ctx.separators));
    }
    m_loadedStates = m_states;
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
    const db::TableInfo &table = m_ctx.session->DBAdmin().table(kUserGegevens);
    for (size_t i = 0; i < m_screen.options.size(); ++i) {
        const Option &option = m_screen.options[i];
        if (!storedValue(option, m_states[i], m_ctx.separators))
            return u"Vul bij \"" + named(int(i)) + u"\" " + expected(option) + u" in.";
        if (option.place == Place::UserGegevens && (option.encoding == Encoding::Text || option.encoding == Encoding::Postcode)) {
            const int size = table.columns[size_t(table.column(option.name))].size;
            if (size > 0 && m_states[i].size() > size)
                return QStringLiteral("\"%1\" mag niet meer dan %2 tekens bevatten.").arg(named(int(i))).arg(size);
        }
    }
    return {};
}

bool OptionsLogic::save()
{
    if (m_screen.onlyWithRecord && m_ctx.session->table(kUserGegevens).RecordCount() == 0)
        return true; // nothing to save to
    if (!passesChecks(m_ctx, m_screen.screen, [this] { return failedCheck(); }))
        return false;
    bool saved = false;
    tryOperation(m_ctx, m_screen.screen + u": Opslaan", [&] { saved = saveStates(); });
    return saved;
}

QString OptionsLogic::stored(int option) const
{
    return storedValue(m_screen.options[size_t(option)], m_states[size_t(option)], m_ctx.separators)->toString();
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
        if (option.place == Place::UserGegevens) {
            inDatabase.push_back(int(i));
        } else {
            values.emplace_back(option.name, stored(int(i)));
            entries.push_back({TrailRegistry.toString(), option.name, m_loaded[i], values.back().second});
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
    for (size_t i = 0; i < m_screen.options.size(); ++i) // the database's were taken from the record
        if (m_screen.options[i].place != Place::UserGegevens)
            m_loaded[i] = *storedValue(m_screen.options[i], m_states[i], m_ctx.separators);
    m_loadedStates = m_states;
    return true;
}

// Whether saving would store something else than is stored: the user changed the state, and
// not only the way it is written ("12,5" for "12,50").
bool OptionsLogic::changed(int option) const
{
    const size_t i = size_t(option);
    return m_states[i] != m_loadedStates[i]
        && logText(*storedValue(m_screen.options[i], m_states[i], m_ctx.separators)) != logText(m_loaded[i]);
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
// keeps these options only where the record exists), and the save's rows of the trail, in one
// transaction.
bool OptionsLogic::writeUserGegevens(const std::vector<int> &changed, const std::vector<AuditEntry> &entries)
{
    db::Recordset &user = m_ctx.session->table(kUserGegevens);
    if (changed.empty() || user.RecordCount() == 0) {
        if (!entries.empty())
            m_ctx.session->DBAdmin().write([&] { recordSave(m_ctx, m_screen.screen, entries); });
        return true;
    }
    std::vector<FieldChange> changes;
    for (int i : changed) {
        const Option &option = m_screen.options[size_t(i)];
        changes.push_back({option.name, named(i), m_loaded[size_t(i)],
                           *storedValue(option, m_states[size_t(i)], m_ctx.separators),
                           describedState(option, m_states[size_t(i)])});
    }
    auto optionOf = [&](const QString &name) {
        for (int i : changed)
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
            return describedState(option, shownState(option, value, m_ctx.separators));
        },
        .alongside = [&] {
            std::vector<AuditEntry> all = entries;
            for (const FieldChange &change : changes) // as the column holds it now (amounts to 4 decimals)
                all.push_back({TrailDatabase.toString(), kUserGegevens + u'.' + change.field, logText(change.loaded),
                               logText(user.value(change.field))});
            recordSave(m_ctx, m_screen.screen, all);
        },
    };
    std::vector<TheirValue> theirs;
    const SaveResult result = saveChanges(m_ctx, how, changes, theirs);
    if (result == SaveResult::Saved) {
        for (const FieldChange &change : changes)
            m_loaded[size_t(optionOf(change.field))] = change.loaded;
        return true;
    }
    for (const TheirValue &their : theirs) {
        const size_t i = size_t(optionOf(their.field));
        m_loaded[i] = their.value;
        m_states[i] = m_loadedStates[i] = shownState(m_screen.options[i], their.value, m_ctx.separators);
    }
    return false;
}

} // namespace kv::options
