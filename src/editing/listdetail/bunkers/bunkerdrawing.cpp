#include "editing/listdetail/bunkers/bunkerdrawing.h"

#include "core/db/recordset.h"
#include "core/messages/errorreport.h"
#include "editing/listdetail/bunkers/bunkercanvas.h"
#include "editing/listdetail/listscreen.h"
#include "editing/listdetail/tables.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace kv::listdetail {

BunkerData readBunkers(Context &ctx)
{
    BunkerData data;
    MemberTables tables(ctx, {});
    db::Recordset &sheds = tables.table(QStringLiteral("TabelLoods"));
    sheds.setIndex(QStringLiteral("PrimaryKey"));
    for (sheds.MoveFirst(); !sheds.Eof(); sheds.MoveNext())
        data.sheds.push_back({sheds.value(u"CodeNr").toLongLong(), sheds.text(u"Omschrijving").trimmed()});

    db::Recordset &rs = tables.table(QStringLiteral("Bunkers"));
    rs.setIndex(QStringLiteral("PrimaryKey"));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        BunkerItem item{rs.text(u"BunkerID"), rs.text(u"BunkerNaam"), rs.text(u"BunkerExtraOmschrijving"),
                        rs.text(u"BunkerType"), rs.text(u"BunkerStatus"), rs.text(u"InkoopNr"),
                        rs.text(u"BunkerHuidigePartijNaam"), filledText(rs.text(u"DateTimeGevuld")), {}};
        if (const QVariant shed = rs.value(u"BunkerLoods"); !shed.isNull())
            item.shed = shed.toLongLong();
        data.bunkers.push_back(std::move(item));
    }
    return data;
}

BunkerDrawing::BunkerDrawing(Context &ctx, ListLogic &list, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_list(list), m_canvas(new BunkerCanvas)
{
    setObjectName(QStringLiteral("frmBunkersTekening"));
    setWindowTitle(QStringLiteral("Bunkers en aanvoerlijnen - tekening"));
    setModal(true);

    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrTekening"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::StyledPanel);
    scroll->setWidget(m_canvas);
    auto *hint = new QLabel(QStringLiteral("Een lege bunker is licht getekend. Dubbelklik op een bunker om deze te wijzigen."), this);
    auto *close = new QPushButton(QStringLiteral("Sluiten"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setMinimumWidth(110);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(hint, 1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    const int margin = 14, spacing = 10;
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    m_canvas->activated = [this](const QString &key) { edit(key); };
    reload();
    // As high as the drawing needs, up to the screen.
    const int width = 1120, frame = 2 * scroll->frameWidth();
    const int height = m_canvas->heightForWidth(width - 2 * margin - frame) + frame + 2 * margin + spacing + close->sizeHint().height();
    resize(QSize(width, std::max(height, 420)).boundedTo(screen()->availableSize()));
}

void BunkerDrawing::reload()
{
    BunkerData data;
    if (tryOperation(m_ctx, QStringLiteral("frmBunkersTekening: Lezen"), [&] { data = readBunkers(m_ctx); }))
        m_canvas->setBunkers(std::move(data.bunkers), std::move(data.sheds));
}

void BunkerDrawing::edit(const QString &key)
{
    if (m_list.rowOf(key) < 0) // added by another program since the list was read
        m_list.refresh();
    m_list.edit(m_list.rowOf(key));
    reload();
}

void showBunkerDrawing(ListScreen &screen)
{
    BunkerDrawing drawing(screen.context(), screen.logic(), &screen);
    drawing.exec();
}

} // namespace kv::listdetail
