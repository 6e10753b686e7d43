#include "mail/screens/frmemailserverpopuptestemail.h"

#include "core/context.h"
#include "core/db/dberror.h"
#include "core/dialogs.h"
#include "core/jobs/progress.h"
#include "core/messages/errorreport.h"
#include "mail/testemail.h"
#include "mail/testorder.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv {
namespace {

// Hands the worker's steps to the window's thread; asks the window whether to stop.
class QueuedProgress : public Progress {
public:
    QueuedProgress(QLabel *status, QProgressBar *bar, const std::atomic_bool &stop)
        : m_status(status), m_bar(bar), m_stop(stop)
    {
    }
    void step(const QString &text) override
    {
        QMetaObject::invokeMethod(m_status, [status = m_status, text] { status->setText(text); }, Qt::QueuedConnection);
    }
    void percent(int value) override
    {
        QMetaObject::invokeMethod(m_bar, [bar = m_bar, value] { bar->setValue(value); }, Qt::QueuedConnection);
    }
    bool stopRequested() override { return m_stop; }

private:
    QLabel *m_status;
    QProgressBar *m_bar;
    const std::atomic_bool &m_stop;
};

} // namespace

FrmEmailServerPopupTestEmail::FrmEmailServerPopupTestEmail(Context &ctx, const QString &codeNr, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_codeNr(codeNr), m_typed(new QLineEdit(this)),
      m_send(new QPushButton(u"Versturen"_s, this)), m_status(new QLabel(this)), m_bar(new QProgressBar(this))
{
    setObjectName(u"frmEmailServerPopupTestEmail"_s);
    setWindowTitle(u"E-mail sjablonen - Testbericht"_s);
    m_typed->setObjectName(u"txtEmail"_s);
    m_send->setObjectName(u"cmdSend"_s);
    m_status->setObjectName(u"lblStatus"_s);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    auto *form = new QFormLayout;
    form->addRow(u"E-mailadres:"_s, m_typed);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_send, 0, Qt::AlignRight);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    connect(m_send, &QPushButton::clicked, this, &FrmEmailServerPopupTestEmail::cmdSend_Click);
    resize(460, 150);
}

FrmEmailServerPopupTestEmail::~FrmEmailServerPopupTestEmail()
{
    if (m_worker) {
        m_stop = true;
        m_worker->wait();
    }
}

void FrmEmailServerPopupTestEmail::cmdSend_Click()
{
    TestOrder order;
    if (!tryOperation(m_ctx, u"frmEmailServerPopupTestEmail: Versturen"_s,
                      [&] { order = prepareTestEmail(m_ctx, m_codeNr, m_typed->text()); }))
        return;
    if (order.refusal == SjabloonNietGevonden) {
        m_status->setText(order.refusal);
        return;
    }
    if (!order.refusal.isEmpty()) {
        m_ctx.dialogs->MsgBox(order.refusal, mb::Exclamation);
        return;
    }
    m_address = order.address;
    m_typed->setEnabled(false);
    m_send->setEnabled(false);
    m_stop = false;
    auto *progress = new QueuedProgress(m_status, m_bar, m_stop);
    m_worker = QThread::create([this, order, progress] {
        int number = 0;
        QString description;
        try {
            sendTestEmail(m_ctx, order, progress);
        } catch (const db::DbError &e) {
            number = e.number(), description = e.description();
        } catch (const std::exception &e) {
            number = -1, description = QString::fromLocal8Bit(e.what());
        }
        delete progress;
        QMetaObject::invokeMethod(this, [this, number, description] { finish(number, description); }, Qt::QueuedConnection);
    });
    m_worker->start();
}

void FrmEmailServerPopupTestEmail::finish(int number, const QString &description)
{
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    m_typed->setEnabled(true);
    m_send->setEnabled(true);
    if (m_stop) // the user closed the window: the send was given up on purpose
        return QDialog::reject();
    if (number != 0)
        reportError(m_ctx, u"frmEmailServerPopupTestEmail: Versturen"_s, number, description);
    else
        m_ctx.dialogs->MsgBox(testEmailSent(m_address), mb::Information, u"Beheer"_s);
}

// A send under way is asked to stop; the window closes once it has.
void FrmEmailServerPopupTestEmail::reject()
{
    if (m_worker)
        m_stop = true;
    else
        QDialog::reject();
}

} // namespace kv
