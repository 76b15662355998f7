#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "AnchosConsulta.h"
#include "ContenidoMatado.h"
#include "EscritorMatado.h"
#include "TempDir.h"

namespace {

constexpr int kMuertes = 200;

const lookup::RegistroAnchos kOtraTabla{QStringLiteral("OTRA"), QStringLiteral("1440|2880|")};

// The file the rewriter alternates: the record of another table, then the rewritten one.
QByteArray ContenidoAnchos(const QString& anchos) {
    return lookup::EscribirRegistroAnchos(kOtraTabla) +
           lookup::EscribirRegistroAnchos({kTablaMatada, anchos});
}

QByteArray Leer(const QString& ruta) {
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

// A process killed while it stores column widths (a power cut, the OOM killer) leaves the file
// as it was before that write or as it is after it, never a mixture or a part.
TEST(AnchosKillTest, EveryKillLeavesTheOldOrTheNewFileWhole) {
    const TempDir dir;
    const QString ruta = lookup::RutaAnchos(dir.Path());
    lookup::GuardarAnchos(dir.Path(), kOtraTabla);
    lookup::GuardarAnchos(dir.Path(), {kTablaMatada, ValorMatado(false)});
    ASSERT_EQ(Leer(ruta), ContenidoAnchos(ValorMatado(false)));

    const QString fallo =
        MatarReescritor({QStringLiteral(REESCRITOR_PATH),
                         {QStringLiteral("anchos"), dir.Path()},
                         ruta,
                         {ContenidoAnchos(ValorMatado(false)), ContenidoAnchos(ValorMatado(true))}},
                        kMuertes);
    EXPECT_TRUE(fallo.isEmpty()) << fallo.toStdString();

    // A kill leaves its temporary file (a name of its own) and maybe its lock behind; the next
    // write takes the dead writer's lock over and reads only the file.
    lookup::GuardarAnchos(dir.Path(), {kTablaMatada, QStringLiteral("100|")});
    EXPECT_EQ(Leer(ruta), ContenidoAnchos(QStringLiteral("100|")));
    const QStringList restos = QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_FALSE(restos.contains(QStringLiteral("CONSULTASLEN.KDX.lock")));
    RecordProperty("temporary_files_left", static_cast<int>(restos.size()) - 1);
}

}  // namespace
