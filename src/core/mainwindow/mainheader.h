#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace kv {

// The bar above everything: the back button, the caption of the open section (or
// "KorvenalPro"), and the save indicator "Gegevens opslaan...".
class MainHeader : public QWidget {
    Q_OBJECT
public:
    explicit MainHeader(QWidget *parent = nullptr);

    QToolButton *backButton() const { return m_back; }
    QString caption() const;
    void setCaption(const QString &caption);
    bool isSavingShown() const;
    void setSavingShown(bool shown);

private:
    QToolButton *m_back;
    QLabel *m_caption;
    QWidget *m_saving;
};

} // namespace kv
