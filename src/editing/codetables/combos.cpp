#include "editing/codetables/combos.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/session/session.h"
#include "editing/codetables/catalog.h"

#include <QComboBox>
#include <QPalette>

namespace kv::codetables {
namespace {

constexpr const char *kNotFound = "kvNotFound";
const QColor kNotFoundColour(128, 0, 0);

// A marked combo shows dark red; unmarked it takes the window's colours again.
void markNotFound(QComboBox *combo, bool notFound)
{
    combo->setProperty(kNotFound, notFound);
    if (!notFound) {
        combo->setPalette(QPalette());
        return;
    }
    QPalette palette = combo->palette();
    palette.setColor(QPalette::Base, kNotFoundColour);
    palette.setColor(QPalette::Button, kNotFoundColour);
    combo->setPalette(palette);
}

} // namespace

void FillCombo(QComboBox *combo, db::Recordset &table, const QString &noChoice, const QString &fromZero,
               bool skipNietIngesteld)
{
    combo->clear();
    if (!noChoice.isEmpty())
        combo->addItem(noChoice, -1);
    table.setIndex(QStringLiteral("PrimaryKey"));
    int key = fromZero.isEmpty() ? 1 : 0;
    for (table.MoveFirst(); !table.Eof(); table.MoveNext(), ++key) {
        if (table.value(u"RecordCode").toInt() == -1)
            continue;
        const QString text = table.text(u"Omschrijving").trimmed();
        if (skipNietIngesteld && text == NietIngesteld)
            continue;
        combo->addItem(text, key);
    }
}

QString GetOmschrijving(db::Recordset &table, int key)
{
    if (key <= 0 || table.RecordCount() == 0)
        return {};
    table.setIndex(QStringLiteral("PrimaryKey"));
    table.Seek(u"=", key);
    if (table.NoMatch())
        return {};
    const QString text = table.text(u"Omschrijving");
    return text == NietIngesteld ? QStringLiteral("n/a") : text;
}

QString GetOmschrijvingUitTabel(Context &ctx, const QString &table, int key)
{
    auto rs = ctx.session->DBAdmin().OpenTable(table);
    return GetOmschrijving(*rs, key);
}

int GetComboKey(const QComboBox *combo, int storedKey)
{
    if (combo->property(kNotFound).toBool())
        return storedKey;
    return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt();
}

void SetComboKey(QComboBox *combo, int key, bool keepColour)
{
    if (!combo)
        return;
    combo->setCurrentIndex(-1);
    if (key == -1 && combo->count() > 0 && combo->itemData(0).toInt() == -1) {
        combo->setCurrentIndex(0);
        return;
    }
    if (key < 0)
        return;
    const int found = combo->findData(key);
    if (found >= 0) {
        combo->setCurrentIndex(found);
        markNotFound(combo, false);
    } else if (!keepColour) {
        markNotFound(combo, true);
    }
}

} // namespace kv::codetables
