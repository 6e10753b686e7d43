#pragma once

#include "editing/options/option.h"

#include <QWidget>

class QTreeWidget;

namespace kv::options {

// An ordered choice from a catalogue: what is still available on the left, what is chosen on
// the right in its order, with buttons (or a double-click) to move an item across and to move a
// chosen item up or down. The state is the chosen keys in order, separated by commas.
class PicksLists : public QWidget {
    Q_OBJECT
public:
    PicksLists(const Option &option, QWidget *parent);

    void setKeys(const QString &keys);
    QString keys() const;

    QTreeWidget *available() const { return m_available; }
    QTreeWidget *chosen() const { return m_chosen; }

    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdUp_Click() { moveChosen(-1); }
    void cmdDown_Click() { moveChosen(1); }

Q_SIGNALS:
    void keysChanged(const QString &keys);

private:
    QTreeWidget *list(const QString &name);
    void moveAcross(QTreeWidget *from, QTreeWidget *to);
    void moveChosen(int step);

    const Option &m_option;
    QTreeWidget *m_available, *m_chosen;
};

} // namespace kv::options
