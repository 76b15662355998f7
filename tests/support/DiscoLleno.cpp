#include "DiscoLleno.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// Room for the files a test writes before it fills the disk.
constexpr const char* kOpciones = "size=64k";
constexpr size_t kBloque = 4096;

}  // namespace

DiscoLleno::DiscoLleno() {
    if (::geteuid() != 0) {
        motivo_ = QStringLiteral("mounting a small file system to fill needs the superuser");
        return;
    }
    const QByteArray carpeta = QFile::encodeName(dir_.Path());
    if (::mount("tmpfs", carpeta.constData(), "tmpfs", 0, kOpciones) != 0) {
        motivo_ =
            QStringLiteral("cannot mount a tmpfs: ") + QString::fromLocal8Bit(strerror(errno));
        return;
    }
    montado_ = true;
}

DiscoLleno::~DiscoLleno() {
    if (montado_) {
        ::umount2(QFile::encodeName(dir_.Path()).constData(), MNT_DETACH);
    }
}

bool DiscoLleno::Llenar(int paginasLibres) const {
    const QByteArray ruta = QFile::encodeName(dir_.File(QStringLiteral(".relleno")));
    const int fd = ::open(ruta.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    const std::vector<char> bloque(kBloque, 'x');
    // Whole blocks first, then single bytes, until the file system refuses one.
    for (size_t largo = kBloque; largo > 0;) {
        if (::write(fd, bloque.data(), largo) < 0) {
            if (errno != ENOSPC) {
                break;
            }
            largo = largo == kBloque ? 1 : 0;
        }
    }
    bool lleno = errno == ENOSPC;
    if (lleno && paginasLibres > 0) {
        const off_t largo = ::lseek(fd, 0, SEEK_END);
        const off_t libres = static_cast<off_t>(paginasLibres) * static_cast<off_t>(kBloque);
        lleno = largo >= libres && ::ftruncate(fd, largo - libres) == 0;
    }
    ::close(fd);
    return lleno;
}
