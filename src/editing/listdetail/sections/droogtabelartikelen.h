#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace kv::listdetail {

class DetailLogic;
class DetailPopup;

// The articles a drying table applies to (`DroogtabelDetails`), kept from the drying table's
// popup. Each change is written at once; the drying table itself must be stored first.
class DroogtabelArtikelen {
public:
    struct Artikel {
        QString id; // the link's key
        QString nummer;
        QString omschrijving;
    };

    explicit DroogtabelArtikelen(DetailLogic &popup);

    const std::vector<Artikel> &artikelen() const { return m_artikelen; }
    QString caption() const; // "Gekoppelde artikelen (n)"

    void refresh();
    // Links an article picked in the selection window; a new drying table is saved first when
    // the user agrees. An article linked already is not linked twice. True when one was added.
    bool add();
    // Unlinks an article after the question; nothing without a row.
    bool remove(int row);

private:
    void read();

    DetailLogic &m_popup;
    std::vector<Artikel> m_artikelen;
};

QWidget *droogtabelArtikelenSectie(DetailPopup &popup);

} // namespace kv::listdetail
