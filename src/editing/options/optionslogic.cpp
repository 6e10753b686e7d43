#include "editing/options/optionslogic.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"
#include "core/messages/errorreport.h"
#include "core/registry/registry.h"
#include "core/session/session.h"
#include "editing/options/encoding.h"
#include "editing/saving/checks.h"
#include "editing/saving/recordchanges.h"

namespace kv::options {
namespace {

const QString kUserGegevens = QStringLiteral("UserGegevens");

// A state as the user knows it, for the question about another program's change.
QString described(const Option &option, const QString &state)
{
    if (option.kind == Control::Toggle)
        return state == u"on" ? QStringLiteral("aan") : QStringLiteral("uit");
    if (option.kind == Control::Choice)
        return option.items.value(state.toInt());
    return state;
}

QString named(const Option &option)
{
    return option.caption.isEmpty() ? option.control : option.caption.trimmed();
}

} // namespace

OptionsLogic::OptionsLogic(Context &ctx, const OptionScreen &screen) : m_ctx(ctx), m_screen(screen)
{
    load();
}

void OptionsLogic::load()
{
    db::Recordset &user = m_ctx.session->table(kUserGegevens);
    user.MoveFirst();
    const bool record = !user.Eof();
    m_loaded.clear();
    m_states.clear();
    for (const Option &option : m_screen.options) {
        QVariant stored;
        if (option.place == Place::UserGegevens && record)
            stored = user.value(option.name);
        if (option.place == Place::Registry) {
            const QString text = m_ctx.registry->LeesRegistry(RegKeyKorvenal, option.name);
            if (!text.isEmpty())
                stored = text;
        }
        m_loaded.push_back(stored);
        m_states.push_back(shownState(option, stored));
    }
    m_loadedStates = m_states;
}

QString OptionsLogic::failedCheck() const
{
    const db::TableInfo &table = m_ctx.session->DBAdmin().table(kUserGegevens);
    for (size_t i = 0; i < m_screen.options.size(); ++i) {
        const Option &option = m_screen.options[i];
        if (!storedValue(option, m_states[i]))
            return u"Vul bij \"" + named(option) + u"\" een geheel getal in.";
        if (option.place == Place::UserGegevens && option.encoding == Encoding::Text) {
            const int size = table.columns[size_t(table.column(option.name))].size;
            if (size > 0 && m_states[i].size() > size)
                return QStringLiteral("\"%1\" mag niet meer dan %2 tekens bevatten.").arg(named(option)).arg(size);
        }
    }
    return {};
}

bool OptionsLogic::save()
{
    if (!passesChecks(m_ctx, m_screen.screen, [this] { return failedCheck(); }))
        return false;
    bool saved = false;
    tryOperation(m_ctx, m_screen.screen + u": Opslaan", [&] { saved = saveStates(); });
    return saved;
}

bool OptionsLogic::saveStates()
{
    std::vector<int> inDatabase, inRegistry;
    Registry::Values values, before;
    for (size_t i = 0; i < m_screen.options.size(); ++i) {
        if (m_states[i] == m_loadedStates[i])
            continue;
        const Option &option = m_screen.options[i];
        if (option.place == Place::UserGegevens) {
            inDatabase.push_back(int(i));
        } else {
            inRegistry.push_back(int(i));
            values.emplace_back(option.name, storedValue(option, m_states[i])->toString());
            before.emplace_back(option.name, m_loaded[i].toString());
        }
    }
    if (!values.empty() && !m_ctx.registry->SchrijfRegistry(RegKeyKorvenal, values))
        db::raise(db::ErrFileInUse, QStringLiteral("De instellingen kunnen niet in het register worden opgeslagen."));
    bool written = false;
    try {
        written = writeUserGegevens(inDatabase);
    } catch (...) {
        m_ctx.registry->SchrijfRegistry(RegKeyKorvenal, before);
        throw;
    }
    if (!written) {
        m_ctx.registry->SchrijfRegistry(RegKeyKorvenal, before);
        return false;
    }
    for (size_t i = 0; i < values.size(); ++i)
        m_loaded[size_t(inRegistry[i])] = values[i].second;
    m_loadedStates = m_states;
    return true;
}

// The changed columns of the one `UserGegevens` record; with no record there, nothing (the
// suite keeps these options only where the record exists).
bool OptionsLogic::writeUserGegevens(const std::vector<int> &changed)
{
    db::Recordset &user = m_ctx.session->table(kUserGegevens);
    if (changed.empty() || user.RecordCount() == 0)
        return true;
    std::vector<FieldChange> changes;
    for (int i : changed) {
        const Option &option = m_screen.options[size_t(i)];
        changes.push_back({option.name, named(option), m_loaded[size_t(i)], *storedValue(option, m_states[size_t(i)]),
                           described(option, m_states[size_t(i)])});
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
        .shown = [&](const QString &name, const QVariant &stored) {
            const Option &option = m_screen.options[size_t(optionOf(name))];
            return described(option, shownState(option, stored));
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
        m_states[i] = m_loadedStates[i] = shownState(m_screen.options[i], their.value);
    }
    return false;
}

} // namespace kv::options
