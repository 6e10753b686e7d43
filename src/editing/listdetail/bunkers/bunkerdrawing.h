#pragma once

#include "editing/listdetail/bunkers/bunkerlayout.h"

#include <QDialog>

namespace kv {
class Context;
}

namespace kv::listdetail {

class BunkerCanvas;
class ListLogic;
class ListScreen;

// The bunkers read from the administration in their list order, and the sheds in theirs.
struct BunkerData {
    std::vector<BunkerItem> bunkers;
    std::vector<Shed> sheds;
};
BunkerData readBunkers(Context &ctx);

// frmBunkersTekening: the bunkers drawn in their sheds, read only. A double-click on one edits
// it through the list's own edit, after which the drawing is read again.
class BunkerDrawing : public QDialog {
    Q_OBJECT
public:
    BunkerDrawing(Context &ctx, ListLogic &list, QWidget *parent = nullptr);

    BunkerCanvas &canvas() { return *m_canvas; }
    void reload();

private:
    void edit(const QString &key);

    Context &m_ctx;
    ListLogic &m_list;
    BunkerCanvas *m_canvas;
};

// What the list's "Tekening..." does: the drawing, modally over the list.
void showBunkerDrawing(ListScreen &screen);

} // namespace kv::listdetail
