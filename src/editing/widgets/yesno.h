#pragma once

#include <QAbstractButton>

namespace kv {

// The on/off switch of the option screens. Its state is the text "on" or "off", which each
// screen maps to its stored encoding; a click (or the space bar) toggles it.
class YesNo : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString state READ state WRITE setState NOTIFY stateChanged)

public:
    explicit YesNo(QWidget *parent = nullptr);

    QString state() const;
    // "on" switches it on; any other text off.
    void setState(const QString &state);

    QSize sizeHint() const override;

Q_SIGNALS:
    void stateChanged(const QString &state);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kv
