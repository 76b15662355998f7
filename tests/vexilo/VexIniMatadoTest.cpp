#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "ContenidoMatado.h"
#include "EscritorMatado.h"
#include "TempDir.h"
#include "cheques/vexilo/VexIni.h"

namespace {

constexpr int kMuertes = 200;

// The file the rewriter alternates: its key K holds one value or the other, and the lines
// around it stay as they are.
QByteArray ContenidoIni(bool segundo) {
    return (QStringLiteral("; comentario\r\n[Otra]\r\nX=1\r\n\r\n[S]\r\nK=") +
            ValorMatado(segundo) + QStringLiteral("\r\nZ=2\r\n"))
        .toUtf8();
}

// A process killed while it writes an INI file (a power cut, the OOM killer) leaves the file as
// it was before that write or as it is after it, never a mixture or a part.
TEST(VexIniKillTest, EveryKillLeavesTheOldOrTheNewFileWhole) {
    const TempDir dir;
    const QString ruta = dir.File(QStringLiteral("matado.ini"));
    QFile archivo(ruta);
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.write(ContenidoIni(false));
    archivo.close();

    const QString fallo = MatarReescritor({QStringLiteral(REESCRITOR_PATH),
                                           {QStringLiteral("ini"), ruta},
                                           ruta,
                                           {ContenidoIni(false), ContenidoIni(true)}},
                                          kMuertes);
    EXPECT_TRUE(fallo.isEmpty()) << fallo.toStdString();

    // Whatever temporary file a kill left behind has a name of its own: the next write and the
    // readings ignore it.
    const vexilo::VexIni ini;
    ini.GrabarValor(ruta, kSeccionMatada, kClaveMatada, QStringLiteral("final"));
    EXPECT_EQ(ini.LeerValor(ruta, kSeccionMatada, kClaveMatada, 0), "final");
    EXPECT_EQ(ini.LeerValor(ruta, QStringLiteral("Otra"), QStringLiteral("X"), 0), "1");
    EXPECT_EQ(ini.LeerValor(ruta, kSeccionMatada, QStringLiteral("Z"), 0), "2");
    const QStringList restos = QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden);
    RecordProperty("temporary_files_left", static_cast<int>(restos.size()) - 1);
}

}  // namespace
