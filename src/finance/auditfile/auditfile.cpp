#include "finance/auditfile/auditfile.h"

#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/session/session.h"
#include "finance/auditfile/xmlwriter.h"

#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace kv::finance::auditfile {
namespace {

Schrijffout schrijffout(const QString &pad, const QString &reden)
{
    return Schrijffout{u"Het bestand "_s + pad + u" kan niet worden geschreven: "_s + reden
                       + u"\n\nDe XML auditfile is NIET aangemaakt."_s};
}

// Reads the whole file into `file` inside one read transaction.
std::vector<BtwHerstel> schrijf(Context &ctx, XmlWriter &out, const Opties &opties)
{
    db::Database &db = ctx.session->DBAdmin();
    db.BeginReadTrans();
    try {
        Secties s(ctx, out, opties);
        s.all();
        db.Rollback(); // nothing was written
        return s.herstellingen();
    } catch (...) {
        db.Rollback();
        throw;
    }
}

void bewaarHerstellingen(Context &ctx, const std::vector<BtwHerstel> &herstellingen)
{
    if (herstellingen.empty())
        return;
    db::Database &db = ctx.session->DBAdmin();
    db.write([&] {
        db::Statement update = db.prepareOnce(u"UPDATE RelatieGegevens SET BTWNr = ? WHERE RelNr = ?"_s);
        for (const BtwHerstel &h : herstellingen) {
            update.bind(1, h.btwNr);
            update.bind(2, h.relNr);
            update.step();
            update.reset();
        }
        db.bumpGeneration();
    });
}

} // namespace

Resultaat maakAuditfile(Context &ctx, const QString &pad, const Opties &opties)
{
    QSaveFile file(pad); // a temp file beside the target, renamed over it by commit()
    if (!file.open(QIODevice::WriteOnly))
        throw schrijffout(pad, file.errorString());
    Resultaat resultaat;
    {
        XmlWriter out(file);
        resultaat.herstellingen = schrijf(ctx, out, opties);
        if (!out.flush())
            throw schrijffout(pad, file.errorString());
        resultaat.bytes = out.written();
    }
    if (!file.commit())
        throw schrijffout(pad, file.errorString());
    bewaarHerstellingen(ctx, resultaat.herstellingen);
    return resultaat;
}

} // namespace kv::finance::auditfile
