#include "EscritoresALaVez.h"

#include <QProcess>
#include <memory>

namespace {

constexpr int kEsperaMs = 60'000;

}  // namespace

QString EscribirALaVez(const QString& programa, const std::vector<QStringList>& argumentos) {
    std::vector<std::unique_ptr<QProcess>> procesos;
    for (const QStringList& args : argumentos) {
        procesos.push_back(std::make_unique<QProcess>());
        procesos.back()->start(programa, args);
    }
    QString fallos;
    for (size_t i = 0; i < procesos.size(); ++i) {
        QProcess& proceso = *procesos[i];
        const QString nombre = argumentos[i].join(QLatin1Char(' '));
        if (!proceso.waitForFinished(kEsperaMs)) {
            proceso.kill();
            proceso.waitForFinished();
            fallos += nombre + QStringLiteral(": did not end\n");
        } else if (proceso.exitStatus() != QProcess::NormalExit || proceso.exitCode() != 0) {
            fallos += nombre + QStringLiteral(": ") +
                      QString::fromLocal8Bit(proceso.readAllStandardError()) + QLatin1Char('\n');
        }
    }
    return fallos;
}
