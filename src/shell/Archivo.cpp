#include "Archivo.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int IntentosTemporal = 100;  // names tried for the temporary file
const mode_t ModoNuevo = 0666;     // as any new file: the umask takes off the rest

// Writes all the bytes, however the system splits the write.
bool EscribeTodo(int fd, const unsigned char* bytes, size_t largo)
{
    size_t hecho = 0;
    while (hecho < largo) {
        const ssize_t n = write(fd, bytes + hecho, largo - hecho);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        hecho += static_cast<size_t>(n);
    }
    return true;
}

// Flushes the file to the disk; a file system that cannot flush is no fault.
bool Vuelca(int fd)
{
    return fsync(fd) == 0 || errno == EINVAL || errno == ENOSYS;
}

}  // namespace

Archivo::Archivo(const char* nombre) : nombre(nombre), directorio("."), base(nombre), cerrojo(-1)
{
    const size_t barra = this->nombre.rfind('/');
    if (barra != std::string::npos) {
        directorio = barra == 0 ? "/" : this->nombre.substr(0, barra);
        base = this->nombre.substr(barra + 1);
    }
}

Archivo::~Archivo()
{
    Desbloquea();
}

int Archivo::Lee(unsigned char* bytes, size_t maximo, size_t& leidos)
{
    leidos = 0;
    // A final link is not followed, and a pipe opens without waiting for a writer.
    const int fd = open(nombre.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? Falta : Inservible;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return Inservible;
    }
    while (leidos < maximo) {
        const ssize_t n = read(fd, bytes + leidos, maximo - leidos);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            close(fd);
            leidos = 0;
            return Inservible;
        }
        if (n == 0) break;
        leidos += static_cast<size_t>(n);
    }
    close(fd);
    return Leido;
}

int Archivo::Graba(const unsigned char* bytes, size_t largo)
{
    // A hidden name of this process beside the file: the rename that puts it
    // in place never crosses file systems, and two copies never share one.
    const std::string prefijo = (directorio == "." ? std::string() : directorio + "/") + "." + base + ".";
    std::string temporal;
    int fd = -1;
    for (int k = 0; k < IntentosTemporal && fd < 0; k++) {
        char sufijo[32];
        std::snprintf(sufijo, sizeof sufijo, "%ld.%d", static_cast<long>(getpid()), k);
        temporal = prefijo + sufijo;
        fd = open(temporal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, ModoNuevo);
        if (fd < 0 && errno != EEXIST) return 1;
    }
    if (fd < 0) return 1;

    bool bien = EscribeTodo(fd, bytes, largo) && Vuelca(fd);
    if (close(fd) != 0) bien = false;
    if (bien) bien = std::rename(temporal.c_str(), nombre.c_str()) == 0;
    if (!bien) {
        unlink(temporal.c_str());
        return 1;
    }
    // The new name itself reaches the disk with the directory.
    const int dir = open(directorio.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return 0;
}

int Archivo::Bloquea()
{
    if (cerrojo >= 0) return 0;
    cerrojo = open(directorio.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (cerrojo < 0) return 1;
    int r;
    do {
        r = flock(cerrojo, LOCK_EX);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        close(cerrojo);
        cerrojo = -1;
        return 1;
    }
    return 0;
}

void Archivo::Desbloquea()
{
    if (cerrojo < 0) return;
    flock(cerrojo, LOCK_UN);
    close(cerrojo);
    cerrojo = -1;
}
