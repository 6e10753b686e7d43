#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace kv {

// The program's own message window: Dutch button captions, an optional Help button, an
// icon, and buttons that either close it or report a click and stay open. The caller sets
// the properties, then calls ShowMessage.
class FMessage : public QDialog {
    Q_OBJECT
public:
    explicit FMessage(QWidget *parent = nullptr);

    int MessageIcon = 0; // 16 stop, 32 question, 48 exclamation, 64 information; else none
    QString MessageTitle;
    QStringList ButtonText;   // 1 to 4 captions, left to right
    QList<bool> ButtonsUnload; // per button: true closes the window, false raises ButtonClicked
    bool TopMost = false;
    int ButtonDefault = 0;     // the button that has the focus at first
    bool AlignRight = false;
    int EscapeButton = -1;     // the button Escape and the close box stand for; -1: neither works

    // The index of the button that closed the window; -1 while none has.
    int SelectedButton() const { return m_selected; }

    // Sizes the window to the text and shows it modally; returns when a button closed it.
    void ShowMessage(const QString &text);

    QPushButton *button(int index) const;

    // Escape and the close box: the escape button's click, or nothing without one.
    void reject() override;

Q_SIGNALS:
    void ButtonClicked(int index);

private:
    void buttonClicked(int index);
    void build(const QString &text);

    QLabel *m_icon;
    QLabel *m_text;
    QHBoxLayout *m_buttonRow;
    QList<QPushButton *> m_buttons;
    int m_selected = -1;
};

} // namespace kv
