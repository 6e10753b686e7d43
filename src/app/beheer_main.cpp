// korvenal-beheer <data folder>: the configuration and maintenance console of one administration.
#include "app/optionscreens.h"
#include "company/info/infoscreen.h"
#include "core/context.h"
#include "core/mainwindow/frmmain.h"
#include "core/messages/qtdialogservice.h"
#include "core/navigation/screenregistry.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "core/startup/startup.h"
#include "editing/codetables/screens.h"
#include "editing/listdetail/registration.h"
#include "editing/options/optionsscreen.h"
#include "export/exportwindow.h"
#include "finance/registration.h"
#include "mail/screens/registration.h"
#include "maintenance/deletionscreen.h"
#include "maintenance/ordergapsscreen.h"
#include "maintenance/ordermovescreen.h"
#include "printing/cupsprinters.h"
#include "printing/registration.h"
#include "printing/reports/dailylistscreen.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    kv::Context context;
    kv::Session session;
    kv::RegistryFile registry;
    kv::QtDialogService dialogs;
    kv::CupsPrinters printers;
    context.session = &session;
    context.registry = &registry;
    context.dialogs = &dialogs;
    context.printers = &printers;
    context.exportList = [&context](const kv::ListSource &list, QWidget *parent) { kv::exporting::showExportWindow(context, list, parent); };
    session.onOpenFailed([&](const kv::db::DbError &e) { kv::reportFailedOpen(context, e); });

    kv::ScreenRegistry screens;
    kv::codetables::registerCodeTableScreens(screens);
    kv::listdetail::registerListDetailScreens(screens);
    kv::options::registerOptionScreens(screens, allOptionScreens());
    kv::finance::registerFinanceScreens(screens);
    kv::maintenance::registerMaintenanceScreens(screens);
    kv::maintenance::registerDeletionScreens(screens);
    kv::maintenance::registerOrderGapsScreen(screens);
    kv::info::registerInfoScreens(screens);
    kv::registerMailScreens(screens);
    kv::reports::registerDailyListScreens(screens);
    kv::registerPrintingScreens(screens);

    // The whole command line is the data folder.
    kv::frmMain window(context, screens, app.arguments().mid(1).join(u' '));
    dialogs.setWindow(&window);
    window.show();
    return app.exec();
}
