#include "EscritorMatado.h"

#include <QFile>
#include <QProcess>
#include <chrono>
#include <random>
#include <thread>

namespace {

constexpr unsigned kSemilla = 20261209;
// A kill lands anywhere in the next few rewrites.
constexpr int kEsperaMaximaMicrosegundos = 30'000;
constexpr int kEsperaDeArranqueMs = 30'000;

// One run of the rewriter, killed at a random moment after its first complete rewrite.
QString MatarUnaVez(const Matanza& matanza, std::mt19937& azar) {
    QProcess proceso;
    proceso.start(matanza.programa, matanza.argumentos);
    if (!proceso.waitForStarted(kEsperaDeArranqueMs) ||
        !proceso.waitForReadyRead(kEsperaDeArranqueMs)) {
        proceso.kill();
        proceso.waitForFinished();
        return QStringLiteral("the rewriter did not report its first rewrite: ") +
               proceso.errorString() + QString::fromLocal8Bit(proceso.readAllStandardError());
    }
    std::uniform_int_distribution<int> espera(0, kEsperaMaximaMicrosegundos);
    std::this_thread::sleep_for(std::chrono::microseconds(espera(azar)));
    proceso.kill();  // SIGKILL: no handler and no clean-up run, as in a power cut
    proceso.waitForFinished();
    if (proceso.exitStatus() != QProcess::CrashExit) {
        return QStringLiteral("the rewriter ended by itself: ") +
               QString::fromLocal8Bit(proceso.readAllStandardError());
    }
    return {};
}

QString Describir(const QByteArray& contenido) {
    return QStringLiteral("%1 bytes beginning \"%2\"")
        .arg(contenido.size())
        .arg(QString::fromUtf8(contenido.left(40)));
}

}  // namespace

QString MatarReescritor(const Matanza& matanza, int muertes) {
    std::mt19937 azar(kSemilla);
    for (int muerte = 1; muerte <= muertes; ++muerte) {
        if (QString fallo = MatarUnaVez(matanza, azar); !fallo.isEmpty()) {
            return QStringLiteral("kill %1: ").arg(muerte) + fallo;
        }
        QFile archivo(matanza.ruta);
        if (!archivo.open(QIODevice::ReadOnly)) {
            return QStringLiteral("kill %1: the file cannot be read: ").arg(muerte) +
                   archivo.errorString();
        }
        const QByteArray contenido = archivo.readAll();
        if (contenido != matanza.completos[0] && contenido != matanza.completos[1]) {
            return QStringLiteral("kill %1: the file holds neither complete content but ")
                       .arg(muerte) +
                   Describir(contenido);
        }
    }
    return {};
}
