#pragma once

#include "editing/listdetail/detaillogic.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>

namespace kv::listdetail {

// The modal detail window every member shares: one labelled control per field of the member.
class DetailPopup : public QDialog {
    Q_OBJECT
public:
    DetailPopup(Context &ctx, const Member &member, QWidget *parent = nullptr);

    DetailLogic &logic() { return m_logic; }

Q_SIGNALS:
    // A field was left and its text shown again in its display form.
    void fieldLeft(const QString &field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QGridLayout *fieldGrid();
    QHBoxLayout *buttonRow();
    QWidget *editorFor(const Field &field);
    QWidget *withName(QWidget *editor, const Field &field);
    QWidget *withAdvice(QWidget *editor, const Field &field);
    void showAdvice(const Field &field);
    void leave(const Field &field);
    void pick(const Field &field);
    void showTexts(const QString &except = {}); // the controls again from the logic's texts
    QWidget *choiceFor(const Field &field);
    void openLink();
    void openSubList();

    Context &m_ctx;
    DetailLogic m_logic;
    QHash<QString, QWidget *> m_editors;
    QHash<QObject *, const Field *> m_fields; // the typed fields, by their control
    QHash<QString, QLabel *> m_advice;  // under fields with advice
    QHash<QString, QLabel *> m_names;   // beside fields that refer to another record
    bool m_leaving = false;
};

} // namespace kv::listdetail
