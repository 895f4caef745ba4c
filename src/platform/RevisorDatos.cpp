#include "RevisorDatos.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string>
#include <vector>

#include "Datos.h"
#include "Hardware.h"

namespace {

// Far above the game's file (about 5 MB), far below what would strain memory.
const unsigned long long LargoMaximo = 64ULL * 1024 * 1024;

// Reads up to n bytes; how many it got (fewer at the end of the file or on an error).
size_t LeeTodo(int fd, unsigned char* destino, size_t n)
{
    size_t hecho = 0;
    while (hecho < n) {
        const ssize_t r = read(fd, destino + hecho, n - hecho);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        hecho += static_cast<size_t>(r);
    }
    return hecho;
}

// Big-endian reads within [p, fin); each gives false when the bytes run out.
class Lector {
public:
    Lector(const unsigned char* p, size_t n) : p(p), resto(n) {}
    bool M16(int& v)
    {
        if (resto < 2) return false;
        v = (p[0] << 8) | p[1];
        Salta(2);
        return true;
    }
    bool M32(uint32_t& v)
    {
        if (resto < 4) return false;
        v = (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
            (static_cast<uint32_t>(p[2]) << 8) | p[3];
        Salta(4);
        return true;
    }
    bool Byte(int& v)
    {
        if (resto < 1) return false;
        v = p[0];
        Salta(1);
        return true;
    }
    bool Salta(size_t n)
    {
        if (n > resto) return false;
        p += n;
        resto -= n;
        return true;
    }
    const unsigned char* Ver() const { return p; }
    size_t Resto() const { return resto; }

private:
    const unsigned char* p;
    size_t resto;
};

int ConSigno16(int v) { return v >= 0x8000 ? v - 0x10000 : v; }

struct Objeto {
    uint32_t tipo;
    std::string nombre;
    int ancho;  // bitmaps only
    int alto;
};

// The bytes of one bitmap: depth, width, height, then every pixel.
bool BitmapBien(Lector l, Objeto& o)
{
    int bits, ancho, alto;
    if (!l.M16(bits) || !l.M16(ancho) || !l.M16(alto)) return false;
    bits = ConSigno16(bits);
    size_t porPixel = 0;
    if (bits == 8) porPixel = 1;
    else if (bits == 15 || bits == 16) porPixel = 2;
    else if (bits == 24) porPixel = 3;
    else if (bits == -32) porPixel = 4;
    if (porPixel == 0 || ancho == 0 || alto == 0) return false;
    o.ancho = ancho;
    o.alto = alto;
    return l.Resto() == static_cast<size_t>(ancho) * alto * porPixel;
}

// One sample: bits (negative for stereo), frequency, length, the data.
bool MuestraBien(Lector l)
{
    int bits, frecuencia;
    uint32_t largo;
    if (!l.M16(bits) || !l.M16(frecuencia) || !l.M32(largo)) return false;
    bits = ConSigno16(bits);
    size_t canales = bits < 0 ? 2 : 1;
    if (bits < 0) bits = -bits;
    if ((bits != 8 && bits != 16) || frecuencia == 0) return false;
    return l.Resto() / (canales * (bits / 8)) == largo && l.Resto() % (canales * (bits / 8)) == 0;
}

// A tune: divisions, then every track's length and bytes.
bool MidiBien(Lector l)
{
    int divisiones;
    if (!l.M16(divisiones)) return false;
    for (int i = 0; i < PistasMidi; i++) {
        uint32_t largo;
        if (!l.M32(largo) || !l.Salta(largo)) return false;
    }
    return l.Resto() == 0;
}

// A font of the current layout: ranges of glyphs, each glyph its width,
// height and pixels (one bit or one byte each).
bool FuenteBien(Lector l)
{
    int formato, rangos;
    if (!l.M16(formato) || formato != 0 || !l.M16(rangos) || rangos == 0) return false;
    for (int r = 0; r < rangos; r++) {
        int mono;
        uint32_t primero, ultimo;
        if (!l.Byte(mono) || (mono != 1 && mono != 8) || !l.M32(primero) || !l.M32(ultimo)) return false;
        if (ultimo < primero) return false;
        for (uint32_t c = primero;; c++) {
            int ancho, alto;
            if (!l.M16(ancho) || !l.M16(alto)) return false;
            size_t bytes = mono == 1 ? static_cast<size_t>((ancho + 7) / 8) * alto
                                     : static_cast<size_t>(ancho) * alto;
            if (!l.Salta(bytes)) return false;
            if (c == ultimo) break;
        }
    }
    return l.Resto() == 0;
}

bool ContenidoBien(uint32_t tipo, const unsigned char* p, size_t n, Objeto& o)
{
    Lector l(p, n);
    if (tipo == TipoBitmap) return BitmapBien(l, o);
    if (tipo == TipoMuestra) return MuestraBien(l);
    if (tipo == TipoMidi) return MidiBien(l);
    if (tipo == TipoFuente) return FuenteBien(l);
    if (tipo == TipoPaleta) return n == LargoPaleta;
    return false;  // the game's file holds no other kind
}

bool MismoNombre(const std::string& a, const char* b)
{
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); i++) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

bool HayNombre(const std::vector<Objeto>& objetos, const char* nombre, uint32_t tipo)
{
    for (const Objeto& o : objetos)
        if (o.tipo == tipo && MismoNombre(o.nombre, nombre)) return true;
    return false;
}

// What the game reads by index and by name.
bool TieneLoQueElJuegoLee(const std::vector<Objeto>& o)
{
    if (o.size() <= static_cast<size_t>(DatHoja1)) return false;  // the last object read by index
    for (int i : {DatAhh, DatSirena, DatAplauso, DatCaja, DatExtra, DatFin, DatGolpe, DatCrujido, DatEsqui})
        if (o[i].tipo != TipoMuestra) return false;
    for (int i = DatMusicaMenu; i <= DatMusicaNivel3; i++)
        if (o[i].tipo != TipoMidi) return false;
    if (o[DatFuenteVersion].tipo != TipoFuente) return false;
    for (int i : {DatCarretera0, DatCarretera1, DatFondoCreditos, DatTitulo})
        if (o[i].tipo != TipoBitmap || o[i].ancho < Hardware::AnchoPantalla || o[i].alto < Hardware::AltoPantalla)
            return false;
    for (int i : {DatHoja0, DatHoja1})
        if (o[i].tipo != TipoBitmap || o[i].ancho < AnchoHoja || o[i].alto < AltoHoja) return false;
    const char* fuentes[] = {FuenteJuego, FuenteMenu, FuenteNieve, FuenteMin, FuenteCreditos};
    const char* paletas[] = {PaletaJuego, PaletaMenu, PaletaNieve, PaletaMin, PaletaCreditos};
    for (const char* f : fuentes)
        if (!HayNombre(o, f, TipoFuente)) return false;
    for (const char* p : paletas)
        if (!HayNombre(o, p, TipoPaleta)) return false;
    return true;
}

}  // namespace

int RevisorDatos::Revisa(const unsigned char* bytes, size_t largo)
{
    if (bytes == nullptr) return 1;
    Lector l(bytes, largo);
    uint32_t magico, datos, cuantos;
    if (!l.M32(magico) || magico != MagicoSinComprimir) return 1;
    if (!l.M32(datos) || datos != MagicoDatos) return 1;
    if (!l.M32(cuantos) || cuantos > l.Resto() / CabeceraObjeto) return 1;

    std::vector<Objeto> objetos;
    for (uint32_t i = 0; i < cuantos; i++) {
        Objeto o{0, std::string(), 0, 0};
        uint32_t tipo;
        // Properties first, then the object's own header and its bytes.
        for (;;) {
            if (!l.M32(tipo)) return 1;
            if (tipo != MagicoPropiedad) break;
            uint32_t propiedad, tam;
            if (!l.M32(propiedad) || !l.M32(tam) || tam > l.Resto()) return 1;
            if (propiedad == PropiedadNombre)
                o.nombre.assign(reinterpret_cast<const char*>(l.Ver()), tam);
            l.Salta(tam);
        }
        uint32_t guardado, real;
        if (!l.M32(guardado) || !l.M32(real)) return 1;
        // Stored plain: both sizes agree and the bytes are all there.
        if (guardado != real || guardado > l.Resto()) return 1;
        o.tipo = tipo;
        if (!ContenidoBien(tipo, l.Ver(), guardado, o)) return 1;
        l.Salta(guardado);
        objetos.push_back(o);
    }
    return TieneLoQueElJuegoLee(objetos) ? 0 : 1;
}

int RevisorDatos::Revisa(const char* ruta)
{
    // Through a link (the run directories link the installed file), but only
    // to a regular file: a pipe opens without waiting and is refused.
    const int fd = open(ruta, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return 1;
    struct stat st;
    unsigned char cabecera[8];
    std::vector<unsigned char> bytes;
    // The size and the header first: a huge or foreign file is refused
    // before any of it is read.
    bool bien = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0 &&
                static_cast<unsigned long long>(st.st_size) <= LargoMaximo &&
                LeeTodo(fd, cabecera, sizeof cabecera) == sizeof cabecera;
    if (bien) {
        Lector l(cabecera, sizeof cabecera);
        uint32_t magico, datos;
        bien = l.M32(magico) && magico == MagicoSinComprimir && l.M32(datos) && datos == MagicoDatos;
    }
    if (bien) {
        // One byte more than the size shows a file that grew meanwhile.
        bytes.resize(static_cast<size_t>(st.st_size) + 1);
        std::memcpy(bytes.data(), cabecera, sizeof cabecera);
        const size_t resto = LeeTodo(fd, bytes.data() + sizeof cabecera, bytes.size() - sizeof cabecera);
        bien = sizeof cabecera + resto == static_cast<size_t>(st.st_size);
        bytes.resize(static_cast<size_t>(st.st_size));
    }
    close(fd);
    if (!bien) return 1;
    return Revisa(bytes.data(), bytes.size());
}
