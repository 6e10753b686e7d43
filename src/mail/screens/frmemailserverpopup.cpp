#include "mail/screens/frmemailserverpopup.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "editing/widgets/dialogbuttons.h"
#include "mail/pictures.h"
#include "mail/screens/frmemailserverpopuphelp.h"
#include "mail/screens/frmemailserverpopuptestemail.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kv {
namespace {

// The icon of an attachment, by the kind of file its extension tells.
QIcon fileIcon(const QFileInfo &file, const QStyle *style)
{
    static const std::vector<std::pair<QStringList, QString>> kinds{
        {{u"xls"_s, u"xlsx"_s}, u"x-office-spreadsheet"_s},
        {{u"doc"_s, u"docx"_s}, u"x-office-document"_s},
        {{u"mdb"_s, u"accdb"_s}, u"x-office-database"_s},
        {{u"txt"_s}, u"text-x-generic"_s},
        {{u"bmp"_s, u"jpg"_s, u"gif"_s, u"jpeg"_s, u"png"_s, u"tif"_s}, u"image-x-generic"_s},
        {{u"pdf"_s}, u"application-pdf"_s},
    };
    const QString extension = file.suffix().toLower();
    for (const auto &[extensions, theme] : kinds)
        if (extensions.contains(extension))
            return QIcon::fromTheme(theme, style->standardIcon(QStyle::SP_FileIcon));
    return style->standardIcon(QStyle::SP_FileIcon);
}

} // namespace

FrmEmailServerPopup::FrmEmailServerPopup(Context &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_editor(ctx)
{
    setObjectName(u"frmEmailServerPopup"_s);
    setWindowTitle(u"E-mail sjablonen"_s);
    auto *tabs = new QTabWidget(this);
    tabs->addTab(basics(), u"Basisgegevens"_s);
    tabs->addTab(user(), u"Koppeling aan gebruiker"_s);
    tabs->addTab(content(), u"Inhoud e-mailbericht"_s);
    tabs->addTab(attachments(), u"Extra bijlagen"_s);

    QDialogButtonBox *buttons = okCancelButtons(this);
    auto *test = buttons->addButton(u"Test e-mailbericht sturen..."_s, QDialogButtonBox::ActionRole);
    test->setObjectName(u"cmdTest"_s);
    connect(test, &QPushButton::clicked, this, &FrmEmailServerPopup::sendTest);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(640, 520);
}

QLineEdit *FrmEmailServerPopup::text(QWidget *parent, const QString &field, const char *name)
{
    auto *edit = new QLineEdit(m_editor.value(field).toString(), parent);
    edit->setObjectName(QLatin1StringView(name));
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString &typed) { m_editor.setValue(field, typed); });
    return edit;
}

QCheckBox *FrmEmailServerPopup::toggle(QWidget *parent, const QString &field, const QString &caption, const char *name)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1StringView(name));
    box->setChecked(m_editor.value(field).toBool());
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) { m_editor.setValue(field, on); });
    return box;
}

QWidget *FrmEmailServerPopup::basics()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(u"Omschrijving:"_s, text(page, u"Omschrijving"_s, "txtOmschrijving"));
    m_type = new QComboBox(page);
    m_type->setObjectName(u"cboType"_s);
    m_type->addItems(templateKinds());
    m_type->setCurrentIndex(m_editor.value(u"Type"_s).toInt());
    form->addRow(u"Soort sjabloon:"_s, m_type);
    m_sendUbl = toggle(page, u"SendUBL"_s, u"Stuur ook een UBL factuur mee"_s, "chkSendUBL");
    m_sendUbl->setEnabled(m_editor.sendUblAllowed());
    form->addRow(m_sendUbl);
    connect(m_type, &QComboBox::currentIndexChanged, this, [this](int kind) {
        m_editor.setValue(u"Type"_s, kind);
        m_sendUbl->setChecked(m_editor.value(u"SendUBL"_s).toBool());
        m_sendUbl->setEnabled(m_editor.sendUblAllowed());
    });
    form->addRow(u"Naam afzender:"_s, text(page, u"Sender"_s, "txtSender"));
    form->addRow(u"E-mail afzender:"_s, text(page, u"EmailSender"_s, "txtEmailSender"));
    QLineEdit *bcc = text(page, u"EmailBCC"_s, "txtEmailBCC");
    bcc->setToolTip(u" BCC e-mailadres"_s);
    form->addRow(u"E-mail voor kopie:"_s, bcc);
    form->addRow(u"Onderwerp:"_s, text(page, u"Subject"_s, "txtSubject"));
    form->addRow(toggle(page, u"Disposition"_s, u"Verzoek ontvanger om leesbevestiging terug te sturen"_s, "chkDisposition"));
    form->addRow(toggle(page, u"ReturnReceipt"_s, u"Verzoek ontvanger om ontvangstbevestiging terug te sturen"_s, "chkReturnReceipt"));
    form->addRow(new QLabel(u"Let op: de ontvanger kan bovenstaande verzoeken negeren."_s, page));
    form->addRow(toggle(page, u"DefaultInType"_s, u"Gebruik dit sjabloon als standaard"_s, "chkDefault"));
    return page;
}

QWidget *FrmEmailServerPopup::user()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    m_forUser = new QButtonGroup(page);
    const QStringList captions{u"voor alle gebruikers beschikbaar"_s, u"alleen beschikbaar voor onderstaande gebruiker:"_s};
    for (int option = 0; option < captions.size(); ++option) {
        auto *radio = new QRadioButton(captions[option], page);
        radio->setObjectName(u"optUser%1"_s.arg(option));
        m_forUser->addButton(radio, option);
        layout->addWidget(radio);
    }
    m_users = new QComboBox(page);
    m_users->setObjectName(u"cboUser"_s);
    m_users->addItems(m_editor.users());
    layout->addWidget(m_users);
    layout->addStretch();
    const QString stored = m_editor.value(u"DefaultUserName"_s).toString();
    m_forUser->button(stored.isEmpty() ? 0 : 1)->setChecked(true);
    m_users->setCurrentIndex(std::max(0, int(m_editor.users().indexOf(stored))));
    showUser();
    const auto choose = [this] {
        m_editor.setValue(u"DefaultUserName"_s, m_forUser->checkedId() == 1 ? m_users->currentText() : QString());
        showUser();
    };
    connect(m_forUser, &QButtonGroup::idClicked, this, choose);
    connect(m_users, &QComboBox::currentIndexChanged, this, choose);
    return page;
}

void FrmEmailServerPopup::showUser()
{
    m_users->setEnabled(m_forUser->checkedId() == 1);
}

QWidget *FrmEmailServerPopup::content()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(u"Inhoud e-mailbericht HTML:"_s, page));
    m_content = new QPlainTextEdit(m_editor.value(u"Content"_s).toString(), page);
    m_content->setObjectName(u"txtContent"_s);
    connect(m_content, &QPlainTextEdit::textChanged, this,
            [this] { m_editor.setValue(u"Content"_s, m_content->toPlainText()); });
    layout->addWidget(m_content, 1);
    auto *help = new QLabel(u"<a href=\"#\">Help mij met het opzetten van een HTML e-mailbericht</a>"_s, page);
    help->setObjectName(u"lblHelp"_s);
    connect(help, &QLabel::linkActivated, this, &FrmEmailServerPopup::openHelp);
    layout->addWidget(help);
    return page;
}

QWidget *FrmEmailServerPopup::attachments()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(u"Maximaal 5 bijlagen die standaard worden meegezonden:"_s, page));
    m_files = new QListWidget(page);
    m_files->setObjectName(u"lstAttachments"_s);
    layout->addWidget(m_files, 1);
    m_add = new QPushButton(u"Toevoegen"_s, page);
    m_add->setObjectName(u"cmdAddAttachment"_s);
    m_remove = new QPushButton(u"Verwijderen"_s, page);
    m_remove->setObjectName(u"cmdRemoveAttachment"_s);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (m_editor.addAttachment())
            showAttachments();
    });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        m_editor.removeAttachment(m_files->currentRow());
        showAttachments();
    });
    showAttachments();
    return page;
}

// An existing file by its name without extension; a path whose file is not here (one written on
// another workstation) as written, greyed: it stays and is saved.
void FrmEmailServerPopup::showAttachments()
{
    m_files->clear();
    for (const QString &path : m_editor.attachments()) {
        const QString found = findTemplateFile(path, m_ctx.DataPad);
        auto *item = new QListWidgetItem(fileIcon(QFileInfo(path), style()),
                                         found.isEmpty() ? path : QFileInfo(found).completeBaseName(), m_files);
        item->setToolTip(path);
        if (found.isEmpty())
            item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
    }
    m_add->setEnabled(m_editor.canAddAttachment());
    m_remove->setEnabled(m_files->count() > 0);
}

void FrmEmailServerPopup::openHelp()
{
    FrmEmailServerPopupHelp help(m_ctx, this);
    connect(&help, &FrmEmailServerPopupHelp::copied, this, [this](const QString &example) { m_content->setPlainText(example); });
    help.exec();
}

void FrmEmailServerPopup::accept()
{
    if (m_editor.save())
        QDialog::accept();
}

// The test goes out from the stored template, so one new or changed is saved first.
void FrmEmailServerPopup::sendTest()
{
    if (m_editor.adding() || m_editor.changed()) {
        if (m_ctx.dialogs->MsgBox(u"Het sjabloon moet eerst worden opgeslagen. Nu opslaan?"_s, mb::YesNo | mb::Question) != mb::Yes
            || !m_editor.save())
            return;
    }
    FrmEmailServerPopupTestEmail(m_ctx, m_editor.codeNr(), this).exec();
}

} // namespace kv
