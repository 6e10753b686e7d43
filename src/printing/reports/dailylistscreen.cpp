#include "printing/reports/dailylistscreen.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/jobs/listsource.h"
#include "core/messages/errorreport.h"
#include "core/navigation/screenregistry.h"
#include "editing/datecheck.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/widgets/exportbutton.h"
#include "editing/widgets/taskform.h"
#include "printing/frmprintmanager.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kv::reports {

namespace {

QLineEdit *dateField(QWidget *screen, const char *name, const QString &text)
{
    auto *field = new QLineEdit(text, screen);
    field->setObjectName(QLatin1String(name));
    field->setMaximumWidth(120);
    return field;
}

} // namespace

DailyListScreen::DailyListScreen(Context &ctx, const DailyList &list) : m_ctx(ctx), m_list(list)
{
    setObjectName(QLatin1String(list.screen));
    TaskForm form(this, 10);
    form.caption(list.header);
    form.text(list.kind == DailyList::Kind::Loslijst
                  ? QStringLiteral("Per dag de orders van de ritten die die dag eindigen, per wagen en chauffeur.")
                  : QStringLiteral("Per dag de geleverde orderregels, per relatie met subtotalen en het totaal van de dag."),
              "lblUitleg");

    const QString today = m_ctx.today().toString(QStringLiteral("dd-MM-yyyy"));
    m_from = dateField(this, "txtDatum", today);
    m_to = dateField(this, "txtTotEnMet", today);
    auto *row = new QHBoxLayout;
    row->setSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Datum:"), this));
    row->addWidget(m_from);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("t/m:"), this));
    row->addWidget(m_to);
    row->addStretch();
    form.layout()->addLayout(row);
    for (QLineEdit *field : {m_from, m_to})
        connect(field, &QLineEdit::editingFinished, this, &DailyListScreen::showContents);

    m_contents = new QTreeWidget(this);
    m_contents->setObjectName(QStringLiteral("lvwInhoud"));
    m_contents->setRootIsDecorated(true);
    m_contents->setUniformRowHeights(true);
    QStringList headings;
    for (const Column &column : columnsOf(list))
        headings << column.heading;
    m_contents->setHeaderLabels(headings);
    QHeaderView *header = m_contents->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch); // the relation or article: the widest
    for (int i = 0; i < int(columnsOf(list).size()); ++i)
        if (columnsOf(list)[size_t(i)].kind == Column::Kind::Number)
            m_contents->headerItem()->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    form.layout()->addWidget(m_contents, 1);

    m_print = form.button(QStringLiteral("&Afdrukken"), "cmdAfdrukken");
    connect(m_print, &QPushButton::clicked, this, &DailyListScreen::cmdAfdrukken_Click);
    form.beside(exportButton(ctx, this, [this]() -> std::optional<ListSource> {
        if (!readPeriod(QStringLiteral(": Exporteren"), QStringLiteral("Er is niets te exporteren voor deze periode.")))
            return std::nullopt;
        return reportList(m_report);
    }));

    // The print manager calls back under the form's name.
    m_ctx.print.callers.insert(QString::fromLatin1(list.screen).toLower(), [this](int, int &, bool preview) {
        printColumnReport(m_ctx, m_report, preview, this);
    });
}

DailyListScreen::~DailyListScreen()
{
    m_ctx.print.callers.remove(QString::fromLatin1(m_list.screen).toLower());
}

void DailyListScreen::Init()
{
    showContents();
}

std::optional<Period> DailyListScreen::period()
{
    const Period days = periodOf(m_ctx, m_from->text(), m_to->text());
    if (days.refusal.isEmpty())
        return days;
    m_ctx.dialogs->MsgBox(days.refusal, mb::Exclamation);
    (DatumControleren(m_ctx, m_from->text()) ? m_to : m_from)->setFocus();
    return std::nullopt;
}

// The list as it will print: the days, under each its groups, under those the rows.
void DailyListScreen::showContents()
{
    m_contents->clear();
    const Period days = periodOf(m_ctx, m_from->text(), m_to->text());
    if (!days.refusal.isEmpty())
        return;
    tryOperation(m_ctx, QString::fromLatin1(m_list.screen) + QStringLiteral(": Lezen"),
                 [&] { m_report = readDailyList(m_ctx, m_list, days.from, days.to); });
    const auto row = [this](QTreeWidgetItem *parent, const QStringList &cells, bool bold) {
        auto *item = new QTreeWidgetItem(parent, cells);
        for (size_t i = 0; i < m_report.columns.size(); ++i) {
            if (m_report.columns[i].kind == Column::Kind::Number)
                item->setTextAlignment(int(i), Qt::AlignRight | Qt::AlignVCenter);
            QFont font = item->font(int(i));
            font.setBold(bold);
            item->setFont(int(i), font);
        }
    };
    const auto heading = [](QTreeWidgetItem *item) {
        item->setFirstColumnSpanned(true);
        QFont font = item->font(0);
        font.setBold(true);
        item->setFont(0, font);
        return item;
    };
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    for (const Day &day : m_report.days) {
        auto *dayItem = heading(new QTreeWidgetItem(m_contents, {dutch.toString(day.date, QStringLiteral("dddd d MMMM yyyy"))}));
        for (const Group &group : day.groups) {
            auto *groupItem = heading(new QTreeWidgetItem(dayItem, {group.heading}));
            for (const QStringList &cells : group.rows)
                row(groupItem, cells, false);
            if (!group.total.isEmpty())
                row(groupItem, group.total, true);
        }
        if (!day.total.isEmpty())
            row(dayItem, day.total, true);
    }
    m_contents->expandAll();
}

bool DailyListScreen::readPeriod(const QString &action, const QString &nothing)
{
    const auto days = period();
    if (!days)
        return false;
    if (!tryOperation(m_ctx, QString::fromLatin1(m_list.screen) + action,
                      [&] { m_report = readDailyList(m_ctx, m_list, days->from, days->to); }))
        return false;
    if (m_report.days.empty()) {
        m_ctx.dialogs->MsgBox(nothing, mb::Information);
        return false;
    }
    return true;
}

void DailyListScreen::cmdAfdrukken_Click()
{
    if (readPeriod(QStringLiteral(": Afdrukken"), QStringLiteral("Er is niets af te drukken voor deze periode.")))
        OpenPrintManager(m_ctx, QString::fromLatin1(m_list.screen), {m_list.document}, this);
}

void registerDailyListScreens(ScreenRegistry &screens)
{
    for (const DailyList &list : dailyLists())
        screens.add(QLatin1String(list.screen), [&list](Context &ctx) { return std::make_unique<DailyListScreen>(ctx, list); });
}

} // namespace kv::reports
