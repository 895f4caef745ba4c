// "zumbelo.cfg", "zumbelo.keys" and "scores.his" of every length from 0 to
// 200 bytes with seeded random contents: whatever the file holds, the readers
// keep every value in range, take what is valid in it, and the next save
// writes a valid file that reads back to the same values. Hostile places: a
// link, a pipe, a directory or an unreadable file in place of any of them or
// of datos.dat, and saves that fail half-way.
#include <gtest/gtest.h>

#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Configuracion.h"
#include "HiScore.h"
#include "MapaTeclas.h"
#include "RevisorDatos.h"

namespace {

typedef std::vector<unsigned char> Bytes;

const unsigned Semilla = 20261206;
const int LargoMaximo = 200;
const int VariantesPorLargo = 12;  // 201 lengths x 12: 2412 files per reader
const int FallosMostrados = 10;    // enough to see a pattern, not a flood

void Escribe(const char* nombre, const Bytes& b)
{
    FILE* f = std::fopen(nombre, "wb");
    ASSERT_NE(f, nullptr);
    if (!b.empty()) std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
}

Bytes Lee(const char* nombre)
{
    Bytes b;
    FILE* f = std::fopen(nombre, "rb");
    for (int c; f != nullptr && (c = std::fgetc(f)) != EOF;) b.push_back(static_cast<unsigned char>(c));
    if (f != nullptr) std::fclose(f);
    return b;
}

// The contents of case k of a length: pure noise, noise from the values that
// sit on the edges of the rules, or (for the scores) a file with the right
// marker and names with and without terminators.
Bytes Contenido(std::mt19937& gen, int largo, int k, bool marcaRecords)
{
    static const unsigned char Bordes[] = {0, 1, 2, 5, 6, 7, 'R', 0x7F, 0x80, 0xFE, 0xFF};
    Bytes b(largo);
    for (int n = 0; n < largo; n++) {
        if (k % 3 == 0) b[n] = static_cast<unsigned char>(gen() & 0xFF);
        else if (k % 3 == 1) b[n] = Bordes[gen() % sizeof Bordes];
        else b[n] = (gen() % 4 == 0) ? 0 : static_cast<unsigned char>(1 + gen() % 255);
    }
    if (marcaRecords && largo > 0 && k % 4 != 3) b[0] = 'R';
    return b;
}

std::string Caso(int largo, int k)
{
    std::ostringstream s;
    s << "seed " << Semilla << ", length " << largo << ", case " << k;
    return s.str();
}

// --- Settings -------------------------------------------------------------

struct Ajustes {
    int idioma, sonido, set, ventana, speed;
    bool operator==(const Ajustes& o) const
    {
        return idioma == o.idioma && sonido == o.sonido && set == o.set && ventana == o.ventana &&
               speed == o.speed;
    }
};

Ajustes Valores(Configuracion& c)
{
    return {c.VerIdioma(), c.VerSonido(), c.SetGraf(), c.VerWindowed(), c.VerSpeed()};
}

std::string EnRango(const Ajustes& a)
{
    if (a.idioma != 0 && a.idioma != 1) return "language out of range";
    if (a.set != 0 && a.set != 1) return "graphic set out of range";
    if (a.speed < 0 || a.speed > 6) return "frame skipping out of range";
    return "";
}

// Five bytes, each within its rule, holding exactly a.
std::string ArchivoAjustesValido(const Bytes& b, const Ajustes& a)
{
    if (b.size() != 5) return "saved settings are " + std::to_string(b.size()) + " bytes";
    for (int n = 0; n < 4; n++)
        if (b[n] > 1) return "saved byte " + std::to_string(n) + " is not 0 or 1";
    if (b[4] > 6) return "saved frame skipping is not 0..6";
    const Ajustes leido = {b[0], b[1], b[2], b[3], b[4]};
    return leido == a ? "" : "saved bytes differ from the settings in use";
}

// One hostile settings file through start-up, a save and the next start-up;
// an empty string when all went by the rules.
std::string CompruebaAjustes(const Bytes& archivo)
{
    const char* const Nombre = "zumbelo.cfg";
    std::remove(Nombre);
    Escribe(Nombre, archivo);
    const size_t L = archivo.size();
    std::string fallo;
    {
        Configuracion c;
        const Ajustes a = Valores(c);
        if (!(fallo = EnRango(a)).empty()) return fallo;
        // A value the file holds within its rule is kept, not lost to the default.
        const int s0 = L > 0 ? archivo[0] : -1;
        const int s2 = L > 2 ? archivo[2] : -1;
        const int s4 = L > 4 ? archivo[4] : -1;
        if ((s0 == 0 || s0 == 1) && a.idioma != s0) return "a valid language was lost";
        if (L > 1 && a.sonido != (archivo[1] != 0)) return "the sound flag was misread";
        if ((s2 == 0 || s2 == 1) && a.set != s2) return "a valid graphic set was lost";
        if (L > 3 && a.ventana != (archivo[3] != 0)) return "the window flag was misread";
        if (s4 >= 0 && s4 <= 6 && a.speed != s4) return "a valid frame skipping was lost";
        // A file that was not good enough is repaired at once.
        const bool bueno = L >= 5 && (s0 == 0 || s0 == 1) && (s2 == 0 || s2 == 1) && s4 >= 0 && s4 <= 6;
        const Bytes tras = Lee(Nombre);
        if (bueno && tras != archivo) return "a valid file was rewritten at start-up";
        if (!bueno && !(fallo = ArchivoAjustesValido(tras, a)).empty()) return "start-up repair: " + fallo;

        if (c.Save() != 0) return "Save failed";
        if (!(fallo = ArchivoAjustesValido(Lee(Nombre), a)).empty()) return fallo;
        c.SetSpeed();  // a change saves too and stays in range
        if (!(fallo = EnRango(Valores(c))).empty()) return "after a change: " + fallo;
    }
    const Bytes guardado = Lee(Nombre);
    Configuracion otra;
    if (!(fallo = ArchivoAjustesValido(guardado, Valores(otra))).empty()) return "read back: " + fallo;
    if (Lee(Nombre) != guardado) return "a saved file was rewritten by the next start-up";
    return "";
}

// --- Key bindings -----------------------------------------------------------

typedef std::vector<int> Teclas;
const Teclas TeclasNuevas = {17, 31, 30, 32, 57, 25};  // W S A D Space P

Teclas LeeTeclas(int& r)
{
    int t[6] = {-1, -1, -1, -1, -1, -1};  // what no file may give
    r = MapaTeclas::Lee(t);
    return Teclas(t, t + 6);
}

// Seven bytes: 'T' and six different scan codes of the library's, 1 to 126.
bool TeclasUsables(const Bytes& b)
{
    if (b.size() != 7 || b[0] != 'T') return false;
    for (size_t n = 1; n < 7; n++)
        if (b[n] < 1 || b[n] > 126 || std::find(b.begin() + 1, b.begin() + n, b[n]) != b.begin() + n) return false;
    return true;
}

// One bindings file through start-up and a save: a usable one is taken
// whole, anything else gives nothing (the game keeps its default keys) and is
// left as it is; a save writes seven bytes that read back.
std::string CompruebaTeclas(const Bytes& archivo)
{
    const char* const Nombre = "zumbelo.keys";
    std::remove(Nombre);
    Escribe(Nombre, archivo);
    int r = 0;
    const Teclas leidas = LeeTeclas(r);
    if (TeclasUsables(archivo)) {
        if (r != 0 || leidas != Teclas(archivo.begin() + 1, archivo.end())) return "a usable set of keys was not taken";
    } else if (r != 1 || leidas != Teclas(6, -1)) {
        return "keys taken from a damaged file";
    }
    if (Lee(Nombre) != archivo) return "the bindings file was changed by reading it";
    const int invalidas[6] = {17, 31, 30, 32, 57, 17};
    if (MapaTeclas::Graba(invalidas) != 1 || Lee(Nombre) != archivo) return "a key twice was saved";
    if (MapaTeclas::Graba(TeclasNuevas.data()) != 0) return "Save failed";
    if (Lee(Nombre) != Bytes{'T', 17, 31, 30, 32, 57, 25}) return "the saved keys are not seven bytes of them";
    if (LeeTeclas(r) != TeclasNuevas || r != 0) return "the saved keys do not read back";
    return "";
}

// --- Hall of fame ---------------------------------------------------------

const int Rangos = 10;
const int LargoRegistro = 14;
const int LargoArchivo = 1 + Rangos * LargoRegistro;

struct Tabla {
    std::string nombres[Rangos];
    int32_t puntos[Rangos];
};

// The table as the reader offers it; a name that is not terminated within
// its 10-byte slot is a fault and is reported, not followed.
std::string Extrae(HiScore& t, Tabla& tabla)
{
    for (int r = 0; r < Rangos; r++) {
        const char* n = t.LeeNombre(r);
        if (std::memchr(n, '\0', 10) == nullptr) return "name " + std::to_string(r) + " runs past its slot";
        tabla.nombres[r] = n;
        tabla.puntos[r] = t.LeePuntos(r);
    }
    return "";
}

int32_t Entero(const unsigned char* p)
{
    const uint32_t u = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    int32_t v;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

// 141 bytes: 'R', then per rank a name ended within its slot and zero after
// its end, and the score; and it holds exactly the table.
std::string ArchivoRecordsValido(const Bytes& b, const Tabla& tabla)
{
    if (b.size() != size_t(LargoArchivo)) return "saved table is " + std::to_string(b.size()) + " bytes";
    if (b[0] != 'R') return "saved table has no 'R'";
    for (int r = 0; r < Rangos; r++) {
        const unsigned char* reg = &b[1 + r * LargoRegistro];
        const void* fin = std::memchr(reg, '\0', 10);
        if (fin == nullptr) return "saved name " + std::to_string(r) + " has no terminator";
        for (const unsigned char* p = static_cast<const unsigned char*>(fin); p < reg + 10; p++)
            if (*p != 0) return "saved name " + std::to_string(r) + " has stale bytes after its end";
        if (std::string(reinterpret_cast<const char*>(reg)) != tabla.nombres[r] || Entero(reg + 10) != tabla.puntos[r])
            return "saved record " + std::to_string(r) + " differs from the table";
    }
    return "";
}

std::string CompruebaRecords(const Bytes& archivo, const Tabla& inicial)
{
    const char* const Nombre = "scores.his";
    std::remove(Nombre);
    Escribe(Nombre, archivo);
    const size_t L = archivo.size();
    const bool marcado = L > 0 && archivo[0] == 'R';
    std::string fallo;
    Tabla tabla;
    {
        HiScore t;
        if (!(fallo = Extrae(t, tabla)).empty()) return fallo;
        // Whole records after the marker are taken (names cut to nine); the
        // rest keep the default table.
        const int enteros = marcado ? static_cast<int>(std::min<size_t>(Rangos, (L - 1) / LargoRegistro)) : 0;
        for (int r = 0; r < Rangos; r++) {
            std::string nombre = inicial.nombres[r];
            int32_t puntos = inicial.puntos[r];
            if (r < enteros) {
                const char* reg = reinterpret_cast<const char*>(&archivo[1 + r * LargoRegistro]);
                nombre = std::string(reg, strnlen(reg, 9));
                puntos = Entero(&archivo[1 + r * LargoRegistro + 10]);
            }
            if (tabla.nombres[r] != nombre || tabla.puntos[r] != puntos)
                return "record " + std::to_string(r) + " is not what the file or the default gives";
        }
        if (!marcado && !(fallo = ArchivoRecordsValido(Lee(Nombre), tabla)).empty())
            return "a foreign file was not replaced: " + fallo;

        if (t.Save() != 0) return "Save failed";
        if (!(fallo = ArchivoRecordsValido(Lee(Nombre), tabla)).empty()) return fallo;
    }
    const Bytes guardado = Lee(Nombre);
    HiScore otra;
    Tabla leida;
    if (!(fallo = Extrae(otra, leida)).empty()) return "read back: " + fallo;
    if (!(fallo = ArchivoRecordsValido(guardado, leida)).empty()) return "read back: " + fallo;
    if (Lee(Nombre) != guardado) return "a saved table was rewritten by the next start-up";
    return "";
}

// --- Hostile places ----------------------------------------------------------

// What lies at a name, without following it: kind, size, identity and, for a
// link, where it leads and what lies there; equal before and after means untouched.
std::string Foto(const std::string& nombre)
{
    struct stat st;
    if (lstat(nombre.c_str(), &st) != 0) return "nothing";
    std::ostringstream s;
    s << std::oct << st.st_mode << std::dec << " " << st.st_size << " " << st.st_ino << " "
      << st.st_mtim.tv_sec << "." << st.st_mtim.tv_nsec;
    if (S_ISLNK(st.st_mode)) {
        char destino[256] = "";
        const ssize_t n = readlink(nombre.c_str(), destino, sizeof destino - 1);
        if (n > 0) destino[n] = '\0';
        s << " -> " << destino << " (" << Foto(destino) << ")";
    }
    return s.str();
}

// The names in the working directory, sorted, space-separated.
std::string Contenido()
{
    std::vector<std::string> v;
    if (DIR* d = opendir(".")) {
        while (const dirent* e = readdir(d))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) v.push_back(e->d_name);
        closedir(d);
    }
    std::sort(v.begin(), v.end());
    std::string s;
    for (const std::string& n : v) s += (s.empty() ? "" : " ") + n;
    return s;
}

// Runs the checks as a player meets them: as root (who reads any file), in a
// child that has become the user nobody, owner of the working directory;
// otherwise here. Gives what they report; they may not take a minute.
std::string ComoJugador(const std::function<std::string()>& prueba)
{
    if (geteuid() != 0) {
        alarm(60);
        const std::string r = prueba();
        alarm(0);
        return r;
    }
    const passwd* pw = getpwnam("nobody");
    if (pw == nullptr) return "no user nobody";
    if (chown(".", pw->pw_uid, pw->pw_gid) != 0) return "the directory cannot be given to nobody";
    int tubo[2];
    if (pipe(tubo) != 0) return "no pipe";
    const pid_t hijo = fork();
    if (hijo == 0) {
        close(tubo[0]);
        alarm(60);
        const bool otro = setgroups(0, nullptr) == 0 && setgid(pw->pw_gid) == 0 && setuid(pw->pw_uid) == 0;
        const std::string r = otro ? prueba() : "could not become nobody";
        for (size_t hecho = 0; hecho < r.size();) {
            const ssize_t n = write(tubo[1], r.data() + hecho, r.size() - hecho);
            if (n <= 0) break;
            hecho += static_cast<size_t>(n);
        }
        _exit(0);
    }
    close(tubo[1]);
    std::string r;
    char trozo[512];
    for (ssize_t n; (n = read(tubo[0], trozo, sizeof trozo)) > 0;) r.append(trozo, static_cast<size_t>(n));
    close(tubo[0]);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    if (!WIFEXITED(estado)) r += "\nthe checks did not finish: blocked or killed";
    return r;
}

// What can lie in place of a file.
enum Cosa { Enlace, EnlaceRoto, Tuberia, Carpeta, Ilegible, Cosas };
const char* const NombreCosa[Cosas] = {"a link to a good file", "a dangling link", "a pipe", "a directory",
                                       "an unreadable good file"};

// Puts the thing at nombre (a link leads to "destino-" and the name); bueno
// is what a good file holds. False when it could not be made.
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

// Thousands of small rewrites: in memory when the machine offers it, as on a
// busy disk each truncated rewrite may wait for the one before to be written out.
class ArchivosHostiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char plantilla[] = "/dev/shm/zumbelo-hostil-XXXXXX";
        if (getcwd(anterior, sizeof anterior) != nullptr && mkdtemp(plantilla) != nullptr) {
            if (chdir(plantilla) == 0) memoria = plantilla;
            else rmdir(plantilla);
        }
        std::remove("zumbelo.cfg");
        std::remove("zumbelo.keys");
        std::remove("scores.his");
    }
    void TearDown() override
    {
        std::remove("zumbelo.cfg");
        std::remove("zumbelo.keys");
        std::remove("scores.his");
        if (!memoria.empty() && chdir(anterior) == 0) rmdir(memoria.c_str());
    }
    char anterior[4096] = "";
    std::string memoria;
};

}  // namespace

TEST_F(ArchivosHostiles, EverySettingsOrKeysFileUpTo200BytesGivesSettingsInRangeAndSavesAValidFile)
{
    int fallos = 0, casos = 0;
    for (int largo = 0; largo <= LargoMaximo; largo++) {
        for (int k = 0; k < VariantesPorLargo; k++) {
            std::mt19937 gen(Semilla + static_cast<unsigned>(largo * VariantesPorLargo + k));
            const std::string fallo = CompruebaAjustes(Contenido(gen, largo, k, false));
            // The same noise as keys, and most of it behind the keys' marker.
            Bytes teclas = Contenido(gen, largo, k, false);
            if (largo > 0 && k % 4 != 3) teclas[0] = 'T';
            const std::string falloTeclas = CompruebaTeclas(teclas);
            casos++;
            if (!fallo.empty() && ++fallos <= FallosMostrados) ADD_FAILURE() << Caso(largo, k) << ": " << fallo;
            if (!falloTeclas.empty() && ++fallos <= FallosMostrados) ADD_FAILURE() << Caso(largo, k) << ", keys: " << falloTeclas;
        }
    }
    // Keys files that noise seldom makes.
    const struct { const char* que; Bytes b; } nombrados[] = {
        {"empty", {}},
        {"short", {'T', 84, 85, 82}},
        {"one byte too long", {'T', 84, 85, 82, 83, 67, 59, 0}},
        {"a key twice", {'T', 84, 85, 82, 83, 84, 59}},
        {"an action without a key", {'T', 84, 85, 0, 83, 67, 59}},
        {"scan code 127", {'T', 84, 85, 82, 83, 67, 127}},
        {"scan code 255", {'T', 255, 85, 82, 83, 67, 59}},
        {"another marker", {'R', 84, 85, 82, 83, 67, 59}},
        {"scan codes 1 and 126", {'T', 1, 85, 82, 83, 67, 126}},
    };
    for (const auto& n : nombrados) EXPECT_EQ(CompruebaTeclas(n.b), "") << n.que;
    EXPECT_EQ(fallos, 0) << "of " << casos << " settings and keys files";
}

TEST_F(ArchivosHostiles, EveryScoresFileUpTo200BytesGivesTerminatedNamesAndSavesAValidTable)
{
    Tabla inicial;
    {
        HiScore t;  // no file: the default table
        ASSERT_EQ(Extrae(t, inicial), "");
    }
    int fallos = 0, casos = 0;
    for (int largo = 0; largo <= LargoMaximo; largo++) {
        for (int k = 0; k < VariantesPorLargo; k++) {
            std::mt19937 gen(~Semilla + static_cast<unsigned>(largo * VariantesPorLargo + k));
            const std::string fallo = CompruebaRecords(Contenido(gen, largo, k, true), inicial);
            casos++;
            if (!fallo.empty() && ++fallos <= FallosMostrados) ADD_FAILURE() << Caso(largo, k) << ": " << fallo;
        }
    }
    EXPECT_EQ(fallos, 0) << "of " << casos << " score files";
}

TEST_F(ArchivosHostiles, ANameWithBytesAfterItsEndIsSavedZeroFilled)
{
    Bytes b(LargoArchivo, 0);
    b[0] = 'R';
    for (int r = 0; r < Rangos; r++) {
        unsigned char* reg = &b[1 + r * LargoRegistro];
        std::memcpy(reg, "Ana\0XYZW\xFF\x01", 10);
        reg[10] = static_cast<unsigned char>(100 - r);
    }
    Escribe("scores.his", b);
    HiScore t;
    EXPECT_STREQ(t.LeeNombre(4), "Ana");
    ASSERT_EQ(t.Save(), 0);
    const Bytes guardado = Lee("scores.his");
    ASSERT_EQ(guardado.size(), size_t(LargoArchivo));
    EXPECT_EQ(0, std::memcmp(&guardado[1 + 4 * LargoRegistro], "Ana\0\0\0\0\0\0\0", 10));
    EXPECT_EQ(guardado[1 + 4 * LargoRegistro + 10], 96);
}

TEST_F(ArchivosHostiles, ALinkPipeDirectoryOrUnreadableFileInPlaceOfAFileIsNeitherFollowedNorWaitedForNorWrittenThrough)
{
    // A good datafile of its own, which the player can read wherever the build is.
    const Bytes datos = Lee((std::string(anterior) + "/datos.dat").c_str());
    ASSERT_GT(datos.size(), 1000u);
    Escribe("bueno.dat", datos);
    Bytes tabla(141, 0);
    tabla[0] = 'R';
    for (int r = 0; r < Rangos; r++) {
        std::snprintf(reinterpret_cast<char*>(&tabla[1 + r * LargoRegistro]), 10, "Eva%d", r);
        tabla[11 + r * LargoRegistro] = static_cast<unsigned char>(90 - r);
    }
    const Bytes ajustes = {1, 0, 1, 1, 3};
    const std::string fallos = ComoJugador([&] {
        std::ostringstream f;
        for (int k = 0; k < Cosas; k++) {
            const Cosa cosa = static_cast<Cosa>(k);
            const std::string que = std::string(NombreCosa[k]) + " as ";

            // Settings: the defaults, nothing touched at start-up; a change
            // puts a file of its own there, beside the link's target.
            if (!Pone(cosa, "zumbelo.cfg", ajustes)) f << que << "zumbelo.cfg could not be made\n";
            const std::string antes = Foto("zumbelo.cfg"), destino = Foto("destino-zumbelo.cfg");
            {
                Configuracion c;
                if (!(Valores(c) == Ajustes{0, 1, 0, 0, 0})) f << que << "zumbelo.cfg: not the defaults\n";
                if (Foto("zumbelo.cfg") != antes) f << que << "zumbelo.cfg: changed at start-up\n";
                c.ToggleIdioma();
                if (cosa == Carpeta) {
                    if (c.Save() != 1 || Foto("zumbelo.cfg") != antes) f << que << "zumbelo.cfg: the save did not fail cleanly\n";
                } else if (Lee("zumbelo.cfg") != Bytes{1, 1, 0, 0, 0} || Foto("zumbelo.cfg").rfind("100", 0) != 0) {
                    f << que << "zumbelo.cfg: a change did not put a file of its own there\n";
                }
                if (Foto("destino-zumbelo.cfg") != destino) f << que << "zumbelo.cfg: written through\n";
            }
            Quita("zumbelo.cfg");

            // Keys: nothing taken, nothing touched; a save as for the settings.
            if (!Pone(cosa, "zumbelo.keys", {'T', 17, 31, 30, 32, 57, 25})) f << que << "zumbelo.keys could not be made\n";
            const std::string antesTeclas = Foto("zumbelo.keys"), destinoTeclas = Foto("destino-zumbelo.keys");
            int r = 0;
            if (LeeTeclas(r) != Teclas(6, -1) || r != 1) f << que << "zumbelo.keys: keys taken\n";
            if (Foto("zumbelo.keys") != antesTeclas) f << que << "zumbelo.keys: changed by reading it\n";
            const int otras[6] = {84, 85, 82, 83, 67, 59};
            if (cosa == Carpeta) {
                if (MapaTeclas::Graba(otras) != 1 || Foto("zumbelo.keys") != antesTeclas) f << que << "zumbelo.keys: the save did not fail cleanly\n";
            } else if (MapaTeclas::Graba(otras) != 0 || Lee("zumbelo.keys") != Bytes{'T', 84, 85, 82, 83, 67, 59} ||
                       Foto("zumbelo.keys").rfind("100", 0) != 0) {
                f << que << "zumbelo.keys: a save did not put a file of its own there\n";
            }
            if (Foto("destino-zumbelo.keys") != destinoTeclas) f << que << "zumbelo.keys: written through\n";
            Quita("zumbelo.keys");

            // Hall of fame: the default table, and a save leaves it all as it was.
            if (!Pone(cosa, "scores.his", tabla)) f << que << "scores.his could not be made\n";
            const std::string antesTabla = Foto("scores.his");
            {
                HiScore t;
                if (t.LeePuntos(0) != 1000 || t.LeePuntos(9) != 100) f << que << "scores.his: not the default table\n";
                if (Foto("scores.his") != antesTabla) f << que << "scores.his: changed at start-up\n";
                t.GrabaPuntos(5000, 0);
                if (t.Save() != 1 || t.LeePuntos(0) != 5000) f << que << "scores.his: the save did not fail cleanly\n";
                if (Foto("scores.his") != antesTabla) f << que << "scores.his: changed by a save\n";
            }
            Quita("scores.his");

            // The datafile: only a link to a good file is taken.
            const bool puesto = cosa == Enlace ? symlink("bueno.dat", "datos.dat") == 0 : Pone(cosa, "datos.dat", datos);
            if (!puesto) f << que << "datos.dat could not be made\n";
            if (RevisorDatos::Revisa("datos.dat") != (cosa == Enlace ? 0 : 1))
                f << que << "datos.dat: " << (cosa == Enlace ? "refused" : "taken") << "\n";
            Quita("datos.dat");

            if (Contenido() != "bueno.dat") f << que << "left behind: " << Contenido() << "\n";
        }
        return f.str();
    });
    EXPECT_EQ(fallos, "");
    std::remove("bueno.dat");
}

TEST_F(ArchivosHostiles, ASaveThatFailsPartWayKeepsTheOldBytesAndTheNextSaveTriesAgain)
{
    Escribe("zumbelo.cfg", {1, 0, 1, 1, 3});
    Escribe("zumbelo.keys", {'T', 17, 31, 30, 32, 57, 25});
    Configuracion c;
    HiScore t;  // writes the default table
    const Bytes ajustes = Lee("zumbelo.cfg"), tabla = Lee("scores.his"), teclas = Lee("zumbelo.keys");
    ASSERT_EQ(tabla.size(), size_t(LargoArchivo));

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
    const int otras[6] = {84, 85, 82, 83, 67, 59};
    EXPECT_EQ(MapaTeclas::Graba(otras), 1);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &antes), 0);

    EXPECT_EQ(Lee("zumbelo.cfg"), ajustes);
    EXPECT_EQ(Lee("scores.his"), tabla);
    EXPECT_EQ(Lee("zumbelo.keys"), teclas);
    EXPECT_EQ(Contenido(), "scores.his zumbelo.cfg zumbelo.keys") << "a temporary file stayed";
    EXPECT_EQ(Valores(c), (Ajustes{0, 0, 1, 1, 3}));
    EXPECT_EQ(t.LeePuntos(9), 150);
    // The next save writes what memory holds.
    EXPECT_EQ(c.Save(), 0);
    EXPECT_EQ(Lee("zumbelo.cfg"), (Bytes{0, 0, 1, 1, 3}));
    EXPECT_EQ(t.Save(), 0);
    const Bytes nueva = Lee("scores.his");
    ASSERT_EQ(nueva.size(), size_t(LargoArchivo));
    EXPECT_STREQ(reinterpret_cast<const char*>(&nueva[1 + 9 * LargoRegistro]), "Nuevo");
    EXPECT_EQ(Entero(&nueva[11 + 9 * LargoRegistro]), 150);
}
