#include "core/mainwindow/frmmain.h"

#include "core/context.h"
#include "core/db/recordset.h"
#include "core/mainwindow/mainheader.h"
#include "core/mainwindow/sectionoverview.h"
#include "core/mainwindow/sectionpanels.h"
#include "core/messages/errorreport.h"
#include "core/navigation/childscreen.h"
#include "core/navigation/menucolumn.h"
#include "core/navigation/menuitem.h"
#include "core/navigation/menutables.h"
#include "core/navigation/screenregistry.h"
#include "core/session/session.h"
#include "core/startup/startup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>

namespace kv {

frmMain::frmMain(Context &ctx, const ScreenRegistry &screens, const QString &commandLine, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_screens(screens)
{
    const CommandLineFolder folder = parseCommandLine(commandLine);
    m_dataFolder = folder.dataPad;
    m_ctx.AdminCode = folder.adminCode;
    m_ctx.AdminJaar = folder.adminJaar;
    if (m_ctx.registry) {
        installRegistryKeys(*m_ctx.registry);
        m_ctx.TweeCijferJaarMax = readTweeCijferJaarMax(*m_ctx.registry, m_ctx.today());
    }
    readLocale(m_ctx);

    setWindowTitle(TitelPrefix.toString());
    buildLayout();
    showOverview();
    m_overview->setEnabled(false); // the sections need the administration, which opens below

    m_saveIndicator.setSingleShot(true);
    m_saveIndicator.setInterval(500);
    connect(&m_saveIndicator, &QTimer::timeout, this, [this] { m_header->setSavingShown(false); });
    m_startup.setSingleShot(true);
    connect(&m_startup, &QTimer::timeout, this, &frmMain::openAdministration);
    m_startup.start(100);
}

void frmMain::openAdministration()
{
    m_ctx.DataPad = m_dataFolder;
    if (!m_ctx.session || !m_ctx.session->OpenAdministratie(m_ctx.DataPad)) {
        close();
        return;
    }
    m_overview->setEnabled(true);
    tryOperation(m_ctx, QStringLiteral("frmMain: Openen"), [this] {
        db::Recordset &user = m_ctx.session->table(QStringLiteral("UserGegevens"));
        if (user.RecordCount() > 0) {
            user.MoveFirst();
            setWindowTitle(user.text(u"Naam") + u" - Configuratie en Beheer");
            m_overview->setCompany(user.text(u"Naam").trimmed());
        }
    });
}

bool frmMain::isOverviewShown() const
{
    return m_pages->currentWidget() == m_overviewPage;
}

void frmMain::Saved()
{
    m_header->setSavingShown(true);
    m_saveIndicator.start();
}

void frmMain::ToonSectie(int index)
{
    const std::vector<SectionPanel> &panels = sectionPanels();
    if (index < 0 || index >= int(panels.size()) || !leaveScreen())
        return;
    m_header->backButton()->show();
    const nav::MenuSection *section = nav::findSection(panels[size_t(index)].key);
    m_header->setCaption(section ? nav::displayed(section->header) : QString());
    m_menu->fill(section ? nav::shownRows(*section, m_ctx.DataPad) : std::vector<const nav::MenuRow *>());
    m_pages->setCurrentWidget(m_sectionPage);
    menuRowClicked(0);
}

void frmMain::menuRowClicked(int index)
{
    const bool again = m_screen && m_menu->item(index)->key().compare(m_screenKey, Qt::CaseInsensitive) == 0;
    if (!again && !leaveScreen())
        return; // the menu keeps showing the screen that stays
    m_content->verticalScrollBar()->setValue(0);
    m_menu->select(index);
    OpenScherm(m_menu->item(index)->key());
}

void frmMain::OpenScherm(const QString &key)
{
    if (m_screen && !key.isEmpty() && key.compare(m_screenKey, Qt::CaseInsensitive) == 0) {
        closeOtherWindows();
        m_screen->Init();
    } else if (leaveScreen()) {
        if (const std::optional<nav::Opens> opens = nav::screenFor(key))
            openScreen(key, *opens);
    }
    m_ctx.EditMode.clear();
    m_ctx.EditKey.clear();
}

void frmMain::openScreen(const QString &key, const nav::Opens &opens)
{
    if (!opens.table.isEmpty())
        m_ctx.EditKey = opens.table.toString();
    QString title = nav::captionFor(key);
    if (title.isEmpty())
        title = opens.table.isEmpty() ? opens.screen.toString() : opens.table.toString();
    tryOperation(m_ctx, opens.screen + u": Openen", [&] {
        std::unique_ptr<ChildScreen> screen = m_screens.create(opens.screen, m_ctx, title);
        m_screen = screen.get();
        m_screenKey = key;
        connect(m_screen, &ChildScreen::saved, this, &frmMain::Saved);
        connect(m_screen, &ChildScreen::done, this, [this] {
            if (leaveScreen())
                m_menu->select(-1);
        });
        m_content->setWidget(screen.release());
        m_screen->Init();
    });
}

void frmMain::imgBack_Click()
{
    if (!leaveScreen())
        return;
    showOverview();
}

void frmMain::showOverview()
{
    m_header->setCaption(QStringLiteral("KorvenalPro"));
    m_header->backButton()->hide();
    m_pages->setCurrentWidget(m_overviewPage);
}

// The open screen is left: it saves what it saves on leaving, then closes. False when it
// stays open.
bool frmMain::leaveScreen()
{
    if (m_screen && !m_screen->leave())
        return false;
    closeOtherWindows();
    if (QWidget *old = m_content->takeWidget()) {
        old->hide();
        old->deleteLater(); // it may be the screen whose own action got us here
    }
    m_screen = nullptr;
    m_screenKey.clear();
    return true;
}

// Windows a screen left open beside the main window close with it.
void frmMain::closeOtherWindows()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!leaveScreen()) {
        event->ignore();
        return;
    }
    QCoreApplication::processEvents();
    event->accept();
}

} // namespace kv
