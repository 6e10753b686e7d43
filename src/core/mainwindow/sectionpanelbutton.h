#pragma once

#include <QAbstractButton>

namespace kv {

struct SectionPanel;

// A section panel of the overview: a card with the section's icon and its two captions.
// A click anywhere on it chooses the section.
class SectionPanelButton : public QAbstractButton {
    Q_OBJECT
public:
    SectionPanelButton(const SectionPanel &panel, QWidget *parent = nullptr);

    const QString &mainCaption() const { return m_main; }
    const QString &detailCaption() const { return m_detail; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    void paintIcon(QPainter &p, const QRect &tile) const;

    QString m_main;
    QString m_detail;
    QChar m_symbol;
    QColor m_tile;
};

} // namespace kv
