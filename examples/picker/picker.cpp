// Asks the clerk for a client through the lookup request and prints the client's code: what a
// program of the family does with the components. The database is the demo one, whose path
// `dbtool demo` prints (making it on first use), or the SQLite file given as the argument.
#include <QApplication>
#include <QProcess>
#include <cstdio>

#include "cheques/ado/Enums.h"
#include "cheques/db/DB_Dll.h"
#include "cheques/lookup/Lib_ClsCons3.h"

namespace {

QString DemoDatabasePath() {
    QProcess dbtool;
    dbtool.start(QStringLiteral("dbtool"), {QStringLiteral("demo")});
    if (!dbtool.waitForFinished() || dbtool.exitCode() != 0) {
        return {};
    }
    return QString::fromLocal8Bit(dbtool.readAllStandardOutput()).trimmed();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : DemoDatabasePath();
    if (path.isEmpty()) {
        std::fputs("picker: no database (is dbtool installed?)\n", stderr);
        return 1;
    }

    // Every query of the lookup component runs on the program's default database component;
    // no administrator look-up for this example.
    db::DB_Dll& db = db::DB_Dll::Default();
    db.OpenServerADODB(false, ado::adUseClient,
                       QStringLiteral("Provider=SQLite;Data Source=") + path, false);
    if (db.gCnn()->State() != ado::adStateOpen) {
        std::fputs("picker: the database could not be opened\n", stderr);
        return 1;
    }

    lookup::Lib_ClsCons3 request;
    request.CampoDevuelto = QStringLiteral("CODIGO");
    request.ConsultaSearch(
        QStringLiteral("SELECT CODIGO, NOMBRE, LOCALIDAD FROM VT_CLIENTES ORDER BY NOMBRE"));
    if (!request.Valores) {
        std::fputs("picker: cancelled\n", stderr);
        return 1;
    }
    std::printf("%s\n", request.ValorDevuelto.ToText().toUtf8().constData());
    return 0;
}
