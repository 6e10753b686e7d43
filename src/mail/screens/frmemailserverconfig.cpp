#include "mail/screens/frmemailserverconfig.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "editing/widgets/dialogbuttons.h"
#include "mail/connectiontest.h"
#include "mail/serverform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv {
namespace {

QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &text)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1StringView(name));
    return edit;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, bool checked)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1StringView(name));
    box->setChecked(checked);
    return box;
}

} // namespace

FrmEmailServerConfig::FrmEmailServerConfig(Context &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_auth(new QButtonGroup(this))
{
    setObjectName(u"frmEmailServerConfig"_s);
    setWindowTitle(u"E-mail"_s);
    const ServerForm loaded = loadServerForm(*ctx.registry, ctx.AdminCode);
    auto *tabs = new QTabWidget(this);

    auto *server = new QWidget(tabs);
    auto *serverForm = new QFormLayout(server);
    m_server = lineEdit(server, "txtServer", loaded.server);
    m_port = lineEdit(server, "txtPort", loaded.port);
    m_port->setMaximumWidth(90);
    m_ssl = checkBox(server, "chkSSL", u"Deze server maakt gebruikt van een SSL (beveiligde) verbinding"_s, loaded.ssl);
    serverForm->addRow(u"E-mail server:"_s, m_server);
    serverForm->addRow(u"Poort:"_s, m_port);
    serverForm->addRow(m_ssl);
    serverForm->addRow(new QLabel(u"Alleen 'implicit SSL' wordt ondersteund bij beveiligde verbindingen."_s, server));
    tabs->addTab(server, u"Server instellingen"_s);

    auto *auth = new QWidget(tabs);
    auto *authLayout = new QVBoxLayout(auth);
    authLayout->addWidget(new QLabel(u"SMTP authenticatie:"_s, auth));
    const QStringList options{u"Gebruik gebruikersnaam en wachtwoord voor authenticatie"_s,
                              u"Geen authenticatie gebruiken, anoniem"_s, u"Gebruik NTLM (NT Lan Manager) authenticatie"_s};
    for (int option = 0; option < options.size(); ++option) {
        auto *radio = new QRadioButton(options[option], auth);
        radio->setObjectName(u"optAuth%1"_s.arg(option));
        radio->setChecked(option == loaded.auth);
        m_auth->addButton(radio, option);
        authLayout->addWidget(radio);
    }
    auto *login = new QFormLayout;
    m_user = lineEdit(auth, "txtUsername", loaded.userName);
    m_password = lineEdit(auth, "txtPassword", loaded.password);
    m_password->setEchoMode(QLineEdit::Password);
    login->addRow(u"Gebruikersnaam:"_s, m_user);
    login->addRow(u"Wachtwoord:"_s, m_password);
    authLayout->addLayout(login);
    authLayout->addStretch();
    tabs->addTab(auth, u"Authenticatie"_s);

    auto *advanced = new QWidget(tabs);
    auto *advancedLayout = new QVBoxLayout(advanced);
    m_mailer = checkBox(advanced, "chkMailer", u"Maak gebruik van de externe e-mail functie"_s, loaded.externalMailer);
    advancedLayout->addWidget(m_mailer);
    advancedLayout->addStretch();
    tabs->addTab(advanced, u"Geavanceerd"_s);

    QDialogButtonBox *buttons = okCancelButtons(this);
    m_test = buttons->addButton(u"Verbinding testen"_s, QDialogButtonBox::ActionRole);
    m_test->setObjectName(u"cmdTestConnection"_s);
    connect(m_test, &QPushButton::clicked, this, &FrmEmailServerConfig::cmdTestConnection_Click);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(520, 300);
}

ServerForm FrmEmailServerConfig::form() const
{
    return {m_server->text(), m_port->text(), m_user->text(), m_password->text(),
            m_ssl->isChecked(), m_auth->checkedId() < 0 ? 0 : m_auth->checkedId(), m_mailer->isChecked()};
}

FrmEmailServerConfig::~FrmEmailServerConfig()
{
    if (m_worker)
        m_worker->wait();
}

// The typed values are tried before they are stored; the test runs in a worker, since a server
// that does not answer takes its full time limit.
void FrmEmailServerConfig::cmdTestConnection_Click()
{
    if (const QString refusal = serverFormRefusal(form()); !refusal.isEmpty()) {
        m_ctx.dialogs->MsgBox(refusal, mb::Exclamation);
        return;
    }
    m_test->setEnabled(false);
    setCursor(Qt::BusyCursor);
    m_worker = QThread::create([this, settings = settingsOf(form())] {
        const ConnectionReport report = testConnection(m_ctx, settings);
        QMetaObject::invokeMethod(this, [this, report] { showReport(report.ok, report.lines); }, Qt::QueuedConnection);
    });
    m_worker->start();
}

void FrmEmailServerConfig::showReport(bool ok, const QStringList &lines)
{
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    unsetCursor();
    m_test->setEnabled(true);
    QDialog report(this);
    report.setObjectName(u"frmVerbindingTesten"_s);
    report.setWindowTitle(ok ? u"Verbinding testen - gelukt"_s : u"Verbinding testen - mislukt"_s);
    auto *text = new QPlainTextEdit(lines.join(u'\n'), &report);
    text->setObjectName(u"txtReport"_s);
    text->setReadOnly(true);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, &report);
    close->button(QDialogButtonBox::Close)->setText(u"Sluiten"_s);
    connect(close, &QDialogButtonBox::rejected, &report, &QDialog::reject);
    auto *layout = new QVBoxLayout(&report);
    layout->addWidget(text);
    layout->addWidget(close);
    report.resize(620, 420);
    report.exec();
}

// Not while a test runs: it has the dialog's values.
void FrmEmailServerConfig::reject()
{
    if (!m_worker)
        QDialog::reject();
}

void FrmEmailServerConfig::accept()
{
    if (m_worker)
        return;
    const QString refusal = saveServerForm(*m_ctx.registry, m_ctx.AdminCode, form());
    if (!refusal.isEmpty()) {
        m_ctx.dialogs->MsgBox(refusal, mb::Exclamation);
        return;
    }
    QDialog::accept();
}

} // namespace kv
