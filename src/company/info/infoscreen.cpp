#include "company/info/infoscreen.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/messages/errorreport.h"
#include "core/navigation/screenregistry.h"
#include "core/session/session.h"
#include "editing/widgets/taskform.h"

#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::info {

std::vector<std::pair<QString, qint64>> countsOf(Context &ctx, const InfoEntry &entry)
{
    std::vector<std::pair<QString, qint64>> values;
    for (const InfoCount &count : entry.counts) {
        db::Statement row = ctx.session->DBAdmin().prepareOnce(count.sql);
        values.emplace_back(count.caption, row.step() ? row.column(0).toLongLong() : 0);
    }
    return values;
}

InfoScreen::InfoScreen(Context &ctx, const InfoEntry &entry) : m_ctx(ctx), m_entry(entry)
{
    setObjectName(QLatin1String(entry.form));
    TaskForm form(this, 10);
    form.caption(entry.caption);
    form.text(entry.text, "lblUitleg");
    form.layout()->addSpacing(8);
    form.text(u"In deze administratie"_s, "lblAantallen", true);
    m_counts = new QFormLayout;
    m_counts->setHorizontalSpacing(24);
    form.layout()->addLayout(m_counts);
    form.layout()->addStretch();
}

void InfoScreen::Init()
{
    while (m_counts->rowCount() > 0)
        m_counts->removeRow(0);
    tryOperation(m_ctx, objectName() + u": Tellen"_s, [this] {
        const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
        for (const auto &[caption, value] : countsOf(m_ctx, m_entry)) {
            auto *number = new QLabel(dutch.toString(value), this);
            number->setObjectName(u"lblAantal"_s);
            m_counts->addRow(caption + u':', number);
        }
    });
}

void registerInfoScreens(ScreenRegistry &screens)
{
    for (const InfoEntry &entry : infoEntries())
        screens.add(QLatin1String(entry.form), [&entry](Context &ctx) { return std::make_unique<InfoScreen>(ctx, entry); });
}

} // namespace kv::info
