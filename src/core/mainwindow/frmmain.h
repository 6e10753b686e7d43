#pragma once

#include "core/navigation/childscreen.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QScrollArea;
class QStackedWidget;

namespace kv {

class Context;
class MainHeader;
class MenuColumn;
class ScreenRegistry;
class SectionOverview;
namespace nav {
struct Opens;
}

// The console's one window: the overview of section panels, and per section the menu
// column beside the content area that shows one screen at a time. No menu bar, no toolbar:
// everything goes through panels, menu rows and the back button.
class frmMain : public QWidget {
    Q_OBJECT
public:
    // Takes the administration from the command line and the settings from the locale and
    // the registry; the administration opens 100 ms later, once the window is painted. If it
    // cannot be opened the window closes without a word, which ends the program.
    frmMain(Context &ctx, const ScreenRegistry &screens, const QString &commandLine, QWidget *parent = nullptr);

    // Shows "Gegevens opslaan..." for half a second; screens call it after a save.
    void Saved();
    // Fills the menu with the section of panel `index` and opens its first row.
    void ToonSectie(int index);
    // Opens the screen of `key` in the content area, leaving the one that was there, unless
    // it is the screen already open for that key or it refuses to be left. Clears the edit
    // context afterwards.
    void OpenScherm(const QString &key);
    // Back to the overview; the open screen is left.
    void imgBack_Click();

    ChildScreen *ActiefScherm() const { return m_screen; }
    const QString &activeKey() const { return m_screenKey; }
    MainHeader *header() const { return m_header; }
    SectionOverview *overview() const { return m_overview; }
    MenuColumn *menu() const { return m_menu; }
    bool isOverviewShown() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    QWidget *buildSectionPage();
    void openAdministration();
    void showOverview();
    void menuRowClicked(int index);
    void openScreen(const QString &key, const nav::Opens &opens);
    bool leaveScreen();
    void closeOtherWindows();

    Context &m_ctx;
    const ScreenRegistry &m_screens;
    QString m_dataFolder;

    MainHeader *m_header = nullptr;
    QStackedWidget *m_pages = nullptr;
    QScrollArea *m_overviewPage = nullptr;
    SectionOverview *m_overview = nullptr;
    QWidget *m_sectionPage = nullptr;
    MenuColumn *m_menu = nullptr;
    QScrollArea *m_content = nullptr;

    QPointer<ChildScreen> m_screen;
    QString m_screenKey;
    QTimer m_startup;
    QTimer m_saveIndicator;
};

} // namespace kv
