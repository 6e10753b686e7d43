#pragma once

#include <QDialog>

namespace kv {

class Context;

// "E-mail sjablonen - Help": how to set up an HTML message ("Uitleg") and an example letter
// ("Voorbeeld") that "Overnemen naar sjabloon" hands to the editor after asking.
class FrmEmailServerPopupHelp : public QDialog {
    Q_OBJECT
public:
    explicit FrmEmailServerPopupHelp(Context &ctx, QWidget *parent = nullptr);

    static const QString &example();

Q_SIGNALS:
    void copied(const QString &example);

private:
    void cmdCopy_Click();

    Context &m_ctx;
};

} // namespace kv
