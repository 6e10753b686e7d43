#pragma once

#include <QWidget>

#include <vector>

class QGridLayout;
class QLabel;

namespace kv {

class SectionPanelButton;

// The overview of the thirteen section panels, in a grid that follows the window's width,
// under the name of the company once the administration is open.
class SectionOverview : public QWidget {
    Q_OBJECT
public:
    explicit SectionOverview(QWidget *parent = nullptr);

    void setCompany(const QString &name);
    SectionPanelButton *panel(int index) const { return m_panels.at(size_t(index)); }

Q_SIGNALS:
    void sectionChosen(int index);

protected:
    void resizeEvent(QResizeEvent *) override;

private:
    void arrange(int columns);

    QLabel *m_company;
    QGridLayout *m_grid;
    std::vector<SectionPanelButton *> m_panels;
    int m_columns = 0;
};

} // namespace kv
