#include "maintenance/jobrows.h"

#include "editing/widgets/taskform.h"
#include "editing/widgets/yesno.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::maintenance {

QLineEdit *limitRow(TaskForm &form, QWidget *screen, const QString &caption)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(12);
    row->addWidget(new QLabel(caption, screen));
    auto *limit = new QLineEdit(screen);
    limit->setObjectName(QStringLiteral("txtDatum"));
    limit->setMaximumWidth(140);
    row->addWidget(limit);
    row->addStretch();
    form.layout()->addLayout(row);
    return limit;
}

YesNo *switchRow(TaskForm &form, QWidget *screen, const QString &caption, const QString &name)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(12);
    auto *toggle = new YesNo(screen);
    toggle->setObjectName(name);
    toggle->setToolTip(QStringLiteral(" Klik om aan / uit te zetten "));
    auto *label = new QLabel(caption, screen);
    label->setWordWrap(true);
    row->addWidget(toggle, 0, Qt::AlignTop);
    row->addWidget(label, 1);
    form.layout()->addLayout(row);
    return toggle;
}

QPushButton *jobButton(QWidget *screen, const QString &text, const QString &name)
{
    auto *button = new QPushButton(text, screen);
    button->setObjectName(name);
    button->setMinimumWidth(120);
    return button;
}

QPlainTextEdit *trialPanel(TaskForm &form, QWidget *screen)
{
    auto *panel = new QPlainTextEdit(screen);
    panel->setObjectName(QStringLiteral("txtProef"));
    panel->setReadOnly(true);
    panel->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    panel->hide();
    form.layout()->addWidget(panel, 1);
    form.layout()->addStretch(); // the screen's rows at the top while there is no trial to show
    return panel;
}

} // namespace kv::maintenance
