#include "finance/vat/frmbtwcontrole.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "editing/dates.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/values.h"
#include "editing/widgets/listledger.h"
#include "finance/vat/vatcheck.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::finance {

FrmBTWControle::FrmBTWControle(Context &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_from(new QLineEdit(this)), m_to(new QLineEdit(this)),
      m_findings(new QTreeWidget(this)), m_summary(new QLabel(this))
{
    setObjectName(u"frmBTWControle"_s);
    setWindowTitle(u"Aangifte controleren"_s);
    int returnPeriod = 1;
    tryOperation(ctx, u"frmBTWControle: Laden"_s, [&] {
        db::Statement period = ctx.session->DBAdmin().prepare(u"SELECT BTWperiode FROM UserGegevens LIMIT 1"_s);
        if (period.step())
            returnPeriod = period.column(0).toInt();
    });
    const auto [from, to] = lastReturnPeriod(returnPeriod, ctx.today());
    m_from->setText(DatumWeergave(from));
    m_to->setText(DatumWeergave(to));
    for (QLineEdit *date : {m_from, m_to})
        date->setMaximumWidth(140);

    auto *check = new QPushButton(u"Controleren"_s, this);
    check->setObjectName(u"cmdCheck"_s);
    connect(check, &QPushButton::clicked, this, &FrmBTWControle::cmdCheck_Click);
    auto *range = new QHBoxLayout;
    range->addWidget(new QLabel(u"Boekingen van:"_s, this));
    range->addWidget(m_from);
    range->addWidget(new QLabel(u"t/m:"_s, this));
    range->addWidget(m_to);
    range->addWidget(check);
    range->addStretch();

    m_findings->setHeaderLabels({u"BTW code"_s, u"Bevinding"_s});
    m_findings->setRootIsDecorated(false);
    m_findings->header()->setStretchLastSection(true);
    m_findings->setColumnWidth(0, 90);
    SetListLedger(m_findings);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(u"Sluiten"_s);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Controleer de BTW coderingen en de boekingen van een aangifteperiode voordat u de "
                                 u"aangifte doet."_s, this));
    layout->addLayout(range);
    layout->addWidget(m_findings, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(760, 460);
    cmdCheck_Click();
}

void FrmBTWControle::cmdCheck_Click()
{
    const auto from = listdetail::storedValue(m_ctx, listdetail::Kind::Date, m_from->text());
    const auto to = listdetail::storedValue(m_ctx, listdetail::Kind::Date, m_to->text());
    if (!from || !to || from->toString().isEmpty() || to->toString().isEmpty()) {
        m_ctx.dialogs->MsgBox(listdetail::OnlogischeDatum.toString(), mb::Exclamation);
        return;
    }
    m_findings->clear();
    std::vector<VatFinding> findings;
    if (!tryOperation(m_ctx, u"frmBTWControle: Controleren"_s, [&] { findings = checkVat(m_ctx, from->toString(), to->toString()); }))
        return;
    for (const VatFinding &finding : findings)
        new QTreeWidgetItem(m_findings, {finding.code == 0 ? u"geen"_s : QString::number(finding.code), finding.text});
    m_summary->setText(findings.empty() ? u"Geen bevindingen: de BTW coderingen en boekingen zijn in orde."_s
                                        : u"%1 bevindingen."_s.arg(findings.size()));
}

} // namespace kv::finance
