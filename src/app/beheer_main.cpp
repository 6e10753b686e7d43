// korvenal-beheer <data folder>: the configuration and maintenance console of one administration.
#include "core/context.h"
#include "core/session/session.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    kv::Context context;
    kv::Session session;
    context.session = &session;

    // The whole command line is the data folder.
    QStringList args = app.arguments().mid(1);
    context.DataPad = args.join(u' ').trimmed();
    if (!context.DataPad.isEmpty() && !context.DataPad.endsWith(u'/') && !context.DataPad.endsWith(u'\\'))
        context.DataPad += u'/';

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Beheer - KorvenalPro"));
    auto *overview = new QLabel(&window);
    overview->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(overview);
    window.resize(1280, 800);
    window.show();

    // The databases open once the window is painted; a failure ends the program without a word.
    QTimer::singleShot(100, &window, [&] {
        if (!session.OpenAdministratie(context.DataPad)) {
            window.close();
            app.quit();
            return;
        }
        kv::db::Recordset &user = session.table(QStringLiteral("UserGegevens"));
        if (user.RecordCount() > 0) {
            user.MoveFirst();
            window.setWindowTitle(user.text(u"Naam") + QStringLiteral(" - Configuratie en Beheer"));
            overview->setText(user.text(u"Naam"));
        }
    });
    return app.exec();
}
