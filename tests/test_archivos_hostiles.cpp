// Hostile places: a link, a dangling link, a pipe, a directory or an
// unreadable file in place of "zumbelo.cfg", "zumbelo.keys", "scores.his" or
// datos.dat is neither followed, nor waited for, nor written through; and a
// save that fails half-way keeps the old bytes and leaves nothing behind.
#include <gtest/gtest.h>

#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "Configuracion.h"
#include "Entorno.h"
#include "HiScore.h"
#include "MapaTeclas.h"
#include "RevisorDatos.h"

using Entorno::Bytes;
using Entorno::Escribe;
using Entorno::Lee;

namespace {

// What lies at a name, without following it: kind, size, identity and time.
// Equal before and after: untouched.
std::string Foto(const std::string& nombre)
{
    struct stat st;
    if (lstat(nombre.c_str(), &st) != 0) return "nothing";
    return std::to_string(st.st_mode) + " " + std::to_string(st.st_size) + " " + std::to_string(st.st_ino) + " " +
           std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
}

// The names in the working directory, sorted, space-separated.
std::string Listado()
{
    dirent** lista = nullptr;
    auto nombre = [](const dirent* e) { return int(std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0); };
    const int n = scandir(".", &lista, nombre, alphasort);
    std::string s;
    for (int i = 0; i < n; i++) {
        s += (s.empty() ? "" : " ") + std::string(lista[i]->d_name);
        free(lista[i]);
    }
    free(lista);
    return s;
}

// Runs the checks as a player meets them: as root (who reads any file), in a
// child that has become the user nobody, owner of the working directory;
// otherwise here. Gives what they report; they may not take a minute.
std::string ComoJugador(const std::function<std::string()>& prueba)
{
    if (geteuid() != 0) return prueba();
    const passwd* pw = getpwnam("nobody");
    if (pw == nullptr || chown(".", pw->pw_uid, pw->pw_gid) != 0) return "the directory cannot be given to nobody";
    const pid_t hijo = fork();
    if (hijo == 0) {
        alarm(60);
        const bool otro = setgroups(0, nullptr) == 0 && setgid(pw->pw_gid) == 0 && setuid(pw->pw_uid) == 0;
        const std::string r = otro ? prueba() : "could not become nobody";
        Escribe("informe", Bytes(r.begin(), r.end()));
        _exit(0);
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    const Bytes r = Lee("informe");
    std::remove("informe");
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) return "the checks did not finish: blocked or killed";
    return std::string(r.begin(), r.end());
}

// What can lie in place of a file; a link leads to "destino-" and the name,
// and bueno is what a good file holds. False when it could not be made.
enum Cosa { Enlace, EnlaceRoto, Tuberia, Carpeta, Ilegible, Cosas };
const char* const NombreCosa[Cosas] = {"a link to a good file", "a dangling link", "a pipe", "a directory",
                                       "an unreadable good file"};

bool Pone(Cosa cosa, const std::string& nombre, const Bytes& bueno)
{
    const std::string destino = "destino-" + nombre;
    switch (cosa) {
    case Enlace: Escribe(destino.c_str(), bueno); return symlink(destino.c_str(), nombre.c_str()) == 0;
    case EnlaceRoto: return symlink(destino.c_str(), nombre.c_str()) == 0;
    case Tuberia: return mkfifo(nombre.c_str(), 0666) == 0;
    case Carpeta: return mkdir(nombre.c_str(), 0755) == 0;
    case Ilegible:  // the player may write it, not read it
        Escribe(nombre.c_str(), bueno);
        return chmod(nombre.c_str(), 0200) == 0;
    default: return false;
    }
}

void Quita(const std::string& nombre)
{
    if (std::remove(nombre.c_str()) != 0) rmdir(nombre.c_str());
    std::remove(("destino-" + nombre).c_str());
}

// Each case works in a new directory of its own, holding nothing else.
class ArchivosHostiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[] = "hostil-XXXXXX";
        ASSERT_TRUE(mkdtemp(dir) != nullptr && chdir(dir) == 0);
    }
    void TearDown() override { EXPECT_EQ(chdir(".."), 0); }
};

}  // namespace

TEST_F(ArchivosHostiles, ALinkPipeDirectoryOrUnreadableFileInPlaceOfAFileIsNeitherFollowedNorWaitedForNorWrittenThrough)
{
    const Bytes datos = Lee("../datos.dat");
    ASSERT_GT(datos.size(), 1000u);
    Escribe("bueno.dat", datos);  // a good datafile the player can read wherever the build is
    // Each player's file: what a good one holds, a start-up that must give
    // the defaults, and a change that saves (its status, -1 when memory lost it).
    const struct {
        const char* nombre;
        Bytes bueno;
        std::function<bool()> defecto;
        std::function<int()> cambia;
        Bytes nuevo;  // what a save puts in place of anything but a directory; empty: nothing is replaced
    } archivos[] = {
        {"zumbelo.cfg", {1, 0, 1, 1, 3},
         [] { Configuracion c;
              return c.VerIdioma() == 0 && c.VerSonido() && c.SetGraf() == 0 && !c.VerWindowed() && c.VerSpeed() == 0; },
         [] { Configuracion c; c.ToggleIdioma(); return c.Save(); }, {1, 1, 0, 0, 0}},
        {"zumbelo.keys", {'T', 17, 31, 30, 32, 57, 25},
         [] { int t[6] = {-1, -1, -1, -1, -1, -1}; return MapaTeclas::Lee(t) == 1 && t[0] == -1 && t[5] == -1; },
         [] { const int t[6] = {84, 85, 82, 83, 67, 59}; return MapaTeclas::Graba(t); }, {'T', 84, 85, 82, 83, 67, 59}},
        {"scores.his", Bytes(141, 'R'), [] { HiScore t; return t.LeePuntos(0) == 1000 && t.LeePuntos(9) == 100; },
         [] { HiScore t; t.GrabaPuntos(5000, 0); const int r = t.Save(); return t.LeePuntos(0) == 5000 ? r : -1; }, {}},
    };
    const std::string fallos = ComoJugador([&] {
        std::string f;
        for (int k = 0; k < Cosas; k++) {
            const Cosa cosa = static_cast<Cosa>(k);
            for (const auto& a : archivos) {
                const std::string que = std::string(NombreCosa[k]) + " as " + a.nombre + ": ";
                const std::string destino = std::string("destino-") + a.nombre;
                if (!Pone(cosa, a.nombre, a.bueno)) f += que + "could not be made\n";
                const std::string antes = Foto(a.nombre), antesDestino = Foto(destino);
                if (!a.defecto()) f += que + "not the defaults\n";
                if (Foto(a.nombre) != antes) f += que + "changed at start-up\n";
                const bool reemplaza = !a.nuevo.empty() && cosa != Carpeta;
                if (a.cambia() != (reemplaza ? 0 : 1)) f += que + "the save's status is wrong\n";
                if (reemplaza && Lee(a.nombre) != a.nuevo) f += que + "the save is not there\n";
                if (!reemplaza && Foto(a.nombre) != antes) f += que + "changed by a failed save\n";
                if (Foto(destino) != antesDestino) f += que + "written through\n";
                Quita(a.nombre);
            }
            // The datafile: only a link to a good file is taken.
            const bool puesto = cosa == Enlace ? symlink("bueno.dat", "datos.dat") == 0 : Pone(cosa, "datos.dat", datos);
            if (!puesto) f += "datos.dat could not be made\n";
            if (RevisorDatos::Revisa("datos.dat") != (cosa == Enlace ? 0 : 1))
                f += std::string(NombreCosa[k]) + " as datos.dat: wrong verdict\n";
            Quita("datos.dat");
            if (Listado() != "bueno.dat") f += std::string(NombreCosa[k]) + ": left behind: " + Listado() + "\n";
        }
        return f;
    });
    EXPECT_EQ(fallos, "");
}

TEST_F(ArchivosHostiles, ASaveThatFailsPartWayKeepsTheOldBytesAndTheNextSaveTriesAgain)
{
    Escribe("zumbelo.cfg", {1, 0, 1, 1, 3});
    Configuracion c;
    HiScore t;  // writes the default table
    const Bytes ajustes = Lee("zumbelo.cfg"), tabla = Lee("scores.his");
    ASSERT_EQ(tabla.size(), 141u);

    // No file may grow past 3 bytes: each save stops in the middle of its write.
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit antes;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    const struct rlimit tope = {3, antes.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tope), 0);
    c.ToggleIdioma();
    EXPECT_EQ(c.Save(), 1);
    t.GrabaNombre("Nuevo", 9);  // what a record at the last place does
    t.GrabaPuntos(150, 9);
    EXPECT_EQ(t.Save(), 1);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &antes), 0);

    EXPECT_EQ(Lee("zumbelo.cfg"), ajustes);
    EXPECT_EQ(Lee("scores.his"), tabla);
    EXPECT_EQ(Listado(), "scores.his zumbelo.cfg") << "a temporary file stayed";
    // The next save writes what memory holds.
    EXPECT_EQ(t.Save(), 0);
    const Bytes nueva = Lee("scores.his");
    ASSERT_EQ(nueva.size(), 141u);
    EXPECT_EQ(Bytes(nueva.begin() + 127, nueva.end()), (Bytes{'N', 'u', 'e', 'v', 'o', 0, 0, 0, 0, 0, 150, 0, 0, 0}));
}
