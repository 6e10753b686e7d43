#include "editing/selection/zoekvenster.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/jobs/listsource.h"
#include "editing/selection/recordfill.h"
#include "editing/selection/vensterplaats.h"
#include "editing/widgets/exportbutton.h"
#include "editing/widgets/listledger.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv {

ZoekVenster::ZoekVenster(Context &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setWindowTitle(TitelPrefix.toString());
    bouwOp();

    const VensterPlaats plaats = VensterPlaats::lees(ctx);
    setGeometry(plaats.pixels());
    if (plaats.state == 2)
        setWindowState(Qt::WindowMaximized);
}

void ZoekVenster::begin(RecordFill &fill, const QStringList &keuzes, const QStringList &kolommen, const QString &tekst)
{
    m_fill = &fill;
    m_fill->toonStatus = [this](const QString &tekst) { m_status->setText(tekst); };
    m_fill->voortgang = [this](int) {
        m_model.groei();
        QApplication::processEvents(); // paints the progress and hears Escape or the stop button
    };
    m_keuze->addItems(keuzes);
    m_model.setKolommen(kolommen);
    m_model.toon(&m_fill->rijen);
    m_zoek->setText(tekst);
    m_kop->setText(lijstKop(0));
}

void ZoekVenster::bouwOp()
{
    m_zoek = new QLineEdit(this);
    m_zoek->setObjectName(QStringLiteral("UserText0"));
    // The text goes into SQL between single quotes.
    m_zoek->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^']*")), m_zoek));
    m_zoek->installEventFilter(this);

    m_keuze = new QComboBox(this);
    m_keuze->setObjectName(QStringLiteral("UserCombo0"));
    m_keuze->installEventFilter(this);

    auto *zoekKnop = new QPushButton(QStringLiteral("Zoeken"), this);
    zoekKnop->setAutoDefault(false);
    connect(zoekKnop, &QPushButton::clicked, this, &ZoekVenster::zoeken);
    m_stop = new QPushButton(QStringLiteral("Stoppen"), this);
    m_stop->setAutoDefault(false);
    m_stop->setEnabled(false);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_fill->afbreken(); });

    m_kop = new QLabel(this);
    m_kop->setStyleSheet(QStringLiteral("font-weight: bold"));

    m_lijst = new QTableView(this);
    m_lijst->setModel(&m_model);
    m_lijst->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lijst->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lijst->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lijst->setShowGrid(false);
    SetListLedger(m_lijst);
    m_lijst->setWordWrap(false);
    m_lijst->verticalHeader()->hide();
    m_lijst->verticalHeader()->setDefaultSectionSize(m_lijst->fontMetrics().height() + 6);
    m_lijst->horizontalHeader()->setDefaultSectionSize(110);
    m_lijst->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_lijst->horizontalHeader()->setStretchLastSection(true);
    m_lijst->horizontalHeader()->setResizeContentsPrecision(100); // a look at the first rows, not all of them
    m_lijst->installEventFilter(this);
    connect(m_lijst, &QTableView::doubleClicked, this, &ZoekVenster::kiesHuidige);
    connect(m_lijst->horizontalHeader(), &QHeaderView::sectionClicked, this, &ZoekVenster::sorteerOp);

    m_status = new QLabel(this);
    m_status->setFrameShape(QFrame::StyledPanel);

    auto *boven = new QHBoxLayout;
    boven->addWidget(new QLabel(QStringLiteral("Zoeken op:"), this));
    boven->addWidget(m_zoek, 2);
    boven->addWidget(m_keuze, 1);
    boven->addWidget(zoekKnop);
    boven->addWidget(m_stop);
    if (QPushButton *exporteren = exportButton(m_ctx, this, [this] { return m_model.bron(u"Zoekresultaat"_s); })) {
        exporteren->setAutoDefault(false);
        boven->addWidget(exporteren);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(boven);
    layout->addWidget(m_kop);
    layout->addWidget(m_lijst, 1);
    layout->addWidget(m_status);
}

QString ZoekVenster::status() const
{
    return m_status->text();
}

QString ZoekVenster::kop() const
{
    return m_kop->text();
}

void ZoekVenster::zoeken()
{
    if (m_fill->bezig())
        return;
    const int keuze = m_keuze->currentIndex();
    m_kop->setText(lijstKop(keuze));

    // The list is not locked while it fills: the rows that arrive are the progress the user sees.
    m_model.toon(nullptr);
    m_stop->setEnabled(true);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    const bool gezocht = voerUit(m_zoek->text(), keuze);
    QApplication::restoreOverrideCursor();
    m_stop->setEnabled(false);
    m_sorteerKolom = -1;
    m_model.toon(&m_fill->rijen);
    if (!gezocht)
        return;
    if (m_model.rowCount() > 0) {
        m_lijst->resizeColumnsToContents();
        m_lijst->selectRow(0);
    }

    // After the search has returned, so the window is painted first.
    if (nietsGevonden())
        QTimer::singleShot(0, this, [this] {
            m_ctx.dialogs->MsgBox(QStringLiteral("Er zijn geen gegevens gevonden op de gekozen selectie."),
                                  mb::Information);
        });
    else
        QTimer::singleShot(0, m_lijst, [this] { m_lijst->setFocus(); });
}

void ZoekVenster::kiesHuidige()
{
    if (m_fill->bezig())
        return;
    const LijstRij *rij = m_model.rij(m_lijst->currentIndex().row());
    if (!rij)
        return;
    kies(*rij);
    accept();
}

void ZoekVenster::reject()
{
    if (m_fill->bezig()) {
        m_fill->afbreken();
        return;
    }
    QDialog::reject();
}

void ZoekVenster::sorteerOp(int kolom)
{
    if (m_fill->bezig())
        return;
    m_sorteerRichting = kolom == m_sorteerKolom && m_sorteerRichting == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                                           : Qt::AscendingOrder;
    m_sorteerKolom = kolom;
    m_model.sort(kolom, m_sorteerRichting);
    m_lijst->scrollTo(m_lijst->currentIndex());
}

bool ZoekVenster::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(object, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if ((object == m_zoek || object == m_keuze) && enter) {
        zoeken();
        return true;
    }
    if (object != m_lijst)
        return false;
    if (enter) {
        kiesHuidige();
        return true;
    }
    // Typing in the list goes on with the search text.
    if (key->key() == Qt::Key_Backspace) {
        m_zoek->setText(m_zoek->text().chopped(m_zoek->text().isEmpty() ? 0 : 1));
        m_zoek->setFocus();
        return true;
    }
    const QString tekst = key->text();
    if (!tekst.isEmpty() && tekst[0].isPrint() && !tekst.contains(u'\'')) {
        m_zoek->setText(m_zoek->text() + tekst);
        m_zoek->setFocus();
        return true;
    }
    return false;
}

void ZoekVenster::done(int result)
{
    VensterPlaats plaats;
    plaats.state = isMaximized() ? 2 : 0;
    plaats.twips = VensterPlaats::naarTwips(isMaximized() ? normalGeometry() : geometry());
    plaats.schrijf(m_ctx);
    QDialog::done(result);
}

} // namespace kv
