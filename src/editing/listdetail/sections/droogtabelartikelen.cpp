#include "editing/listdetail/sections/droogtabelartikelen.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"
#include "editing/listdetail/detailpopup.h"
#include "editing/listdetail/members/members.h"
#include "editing/widgets/listledger.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::listdetail {

namespace {
const QString details = u"DroogtabelDetails"_s;
} // namespace

DroogtabelArtikelen::DroogtabelArtikelen(DetailLogic &popup) : m_popup(popup)
{
    refresh();
}

QString DroogtabelArtikelen::caption() const
{
    return u"Gekoppelde artikelen ("_s + QString::number(m_artikelen.size()) + u')';
}

void DroogtabelArtikelen::refresh()
{
    m_artikelen.clear();
    if (!m_popup.adding())
        tryOperation(m_popup.context(), m_popup.member().popup + u": Artikelen lezen", [&] { read(); });
}

void DroogtabelArtikelen::read()
{
    const QString tabel = m_popup.editKey();
    db::Recordset &artikelen = m_popup.tables().table(u"Artikelen"_s);
    artikelen.setIndex(u"PrimaryKey"_s);
    forEachHolding(m_popup.tables().table(details), u"DroogtabelID"_s, tabel, [&](db::Recordset &link) {
        Artikel artikel{link.text(u"ID"_s), link.text(u"ArtikelNummer"_s).trimmed(), {}};
        artikelen.Seek(u"=", artikel.nummer);
        if (!artikelen.NoMatch())
            artikel.omschrijving = artikelen.text(u"Omschrijving1"_s).trimmed();
        m_artikelen.push_back(std::move(artikel));
    });
}

bool DroogtabelArtikelen::add()
{
    if (!m_popup.ensureSaved(u"Wilt u deze droogtabel nu opslaan?"_s,
                             u"Voordat u artikelen aan deze droogtabel kunt toevoegen moet de droogtabel eerst worden opgeslagen."_s))
        return false;
    const QString nummer = m_popup.selectionWindow ? m_popup.selectionWindow(artikel().pick, {}).trimmed() : QString();
    if (nummer.isEmpty())
        return false;
    refresh();
    for (const Artikel &artikel : m_artikelen) {
        if (artikel.nummer.compare(nummer, Qt::CaseInsensitive) == 0)
            return false;
    }
    const bool added = tryOperation(m_popup.context(), m_popup.member().popup + u": Artikel koppelen", [&] {
        db::Recordset &links = m_popup.tables().table(details);
        m_popup.tables().database().write([&] {
            links.AddNew();
            links.setValue(u"DroogtabelID"_s, m_popup.editKey());
            links.setValue(u"ArtikelNummer"_s, nummer);
            links.Update();
        });
    });
    refresh();
    return added;
}

bool DroogtabelArtikelen::remove(int row)
{
    if (row < 0 || row >= int(m_artikelen.size()))
        return false;
    if (m_popup.context().dialogs->MsgBox(u"Weet u zeker dat u dit artikel uit deze droogtabel wilt verwijderen?"_s,
                                          mb::YesNo | mb::Question) != mb::Yes)
        return false;
    const QString id = m_artikelen[size_t(row)].id;
    const bool removed = tryOperation(m_popup.context(), m_popup.member().popup + u": Artikel ontkoppelen", [&] {
        db::Recordset &links = m_popup.tables().table(details);
        links.setIndex(u"PrimaryKey"_s);
        links.Seek(u"=", id);
        if (!links.NoMatch())
            m_popup.tables().database().write([&] { links.Delete(); });
    });
    refresh();
    return removed;
}

namespace {

// The list with its caption and two buttons, under the drying table's fields.
class ArtikelenSectie : public QWidget {
public:
    explicit ArtikelenSectie(DetailPopup &popup)
        : QWidget(&popup), m_logic(popup.logic()), m_caption(new QLabel(this)), m_list(new QTreeWidget(this))
    {
        m_caption->setObjectName(u"lblGekoppeldeArtikelen"_s);
        QFont bold = m_caption->font();
        bold.setBold(true);
        m_caption->setFont(bold);
        m_list->setObjectName(u"lstArtikelen"_s);
        m_list->setHeaderLabels({u"Artikelnr"_s, u"Omschrijving"_s});
        m_list->setRootIsDecorated(false);
        m_list->setUniformRowHeights(true);
        m_list->setAllColumnsShowFocus(true);
        m_list->setStyleSheet(u"QTreeView::item { padding: 3px 6px; }"_s);
        SetListLedger(m_list);
        m_list->setMinimumHeight(130);
        m_list->header()->resizeSection(0, 140);
        auto *add = new QPushButton(tr("Artikel toevoegen"), this);
        auto *remove = new QPushButton(tr("Artikel verwijderen"), this);
        add->setObjectName(u"cmdArtikelToevoegen"_s);
        remove->setObjectName(u"cmdArtikelVerwijderen"_s);
        connect(add, &QPushButton::clicked, this, [this] {
            m_logic.add();
            showArticles();
        });
        connect(remove, &QPushButton::clicked, this, [this] {
            QTreeWidgetItem *item = m_list->currentItem();
            if (item && item->isSelected() && m_logic.remove(m_list->indexOfTopLevelItem(item)))
                showArticles();
        });
        // The buttons take no focus on a click, so the field being left is checked once.
        for (QPushButton *button : {add, remove})
            button->setFocusPolicy(Qt::TabFocus);

        auto *buttons = new QVBoxLayout;
        buttons->addWidget(add);
        buttons->addWidget(remove);
        buttons->addStretch();
        auto *row = new QHBoxLayout;
        row->addWidget(m_list, 1);
        row->addLayout(buttons);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_caption);
        layout->addLayout(row);
        showArticles();
    }

private:
    void showArticles()
    {
        m_caption->setText(m_logic.caption());
        m_list->clear();
        for (const auto &artikel : m_logic.artikelen())
            m_list->addTopLevelItem(new QTreeWidgetItem({artikel.nummer, artikel.omschrijving}));
    }

    DroogtabelArtikelen m_logic;
    QLabel *m_caption;
    QTreeWidget *m_list;
};

} // namespace

QWidget *droogtabelArtikelenSectie(DetailPopup &popup)
{
    return new ArtikelenSectie(popup);
}

} // namespace kv::listdetail
