// Serialises the generated objects in the library's datafile layout.
// Numbers are big-endian except the 16-bit sample and bitmap words, which
// the loader reads in Intel order.
#include "Datafile.h"

#include <cstdio>

#include "Datos.h"

namespace {

void PonM16(std::vector<uint8_t>& v, int n)
{
    v.push_back(static_cast<uint8_t>((n >> 8) & 0xFF));
    v.push_back(static_cast<uint8_t>(n & 0xFF));
}

void PonM32(std::vector<uint8_t>& v, uint32_t n)
{
    v.push_back(static_cast<uint8_t>(n >> 24));
    v.push_back(static_cast<uint8_t>(n >> 16));
    v.push_back(static_cast<uint8_t>(n >> 8));
    v.push_back(static_cast<uint8_t>(n));
}

void PonI16(std::vector<uint8_t>& v, unsigned n)
{
    v.push_back(static_cast<uint8_t>(n & 0xFF));
    v.push_back(static_cast<uint8_t>((n >> 8) & 0xFF));
}

void PonBytes(std::vector<uint8_t>& v, const std::vector<uint8_t>& b)
{
    v.insert(v.end(), b.begin(), b.end());
}

}  // namespace

// An empty place has kind 0: no object of the format has it.
void Datafile::Pon(int indice, uint32_t tipo, const char* nombre, std::vector<uint8_t> datos)
{
    if (indice < 0) return;
    if (indice >= Cuantos()) objetos.resize(static_cast<size_t>(indice) + 1, Objeto{0, "", {}});
    objetos[static_cast<size_t>(indice)] = Objeto{tipo, nombre ? nombre : "", std::move(datos)};
}

int Datafile::Hueco() const
{
    for (int i = 0; i < Cuantos(); i++)
        if (objetos[static_cast<size_t>(i)].tipo == 0) return i;
    return -1;
}

void Datafile::PonMuestra(int indice, const char* nombre, const Muestra& m)
{
    std::vector<uint8_t> d;
    PonM16(d, m.bits);
    PonM16(d, m.frecuencia);
    PonM32(d, static_cast<uint32_t>(m.datos.size()));
    // The library keeps samples unsigned: silence is the middle value.
    for (int16_t s : m.datos) {
        if (m.bits == 8)
            d.push_back(static_cast<uint8_t>((s >> 8) + 128));
        else
            PonI16(d, static_cast<unsigned>(s + 32768));
    }
    Pon(indice, TipoMuestra, nombre, std::move(d));
}

void Datafile::PonBitmap(int indice, const char* nombre, const Lienzo& l)
{
    std::vector<uint8_t> d;
    PonM16(d, 16);
    PonM16(d, l.ancho);
    PonM16(d, l.alto);
    for (uint16_t p : l.pixeles)
        PonI16(d, p);
    Pon(indice, TipoBitmap, nombre, std::move(d));
}

void Datafile::PonFuente(int indice, const char* nombre, const Fuente& f)
{
    std::vector<uint8_t> d;
    PonM16(d, 0);  // the font layout with character ranges
    PonM16(d, 1);  // one range
    d.push_back(f.mono ? 1 : 8);
    PonM32(d, static_cast<uint32_t>(f.primero));
    PonM32(d, static_cast<uint32_t>(f.primero + static_cast<int>(f.glifos.size()) - 1));
    for (const Glifo& g : f.glifos) {
        PonM16(d, g.ancho);
        PonM16(d, g.alto);
        if (!f.mono) {
            PonBytes(d, g.pixeles);
            continue;
        }
        // One bit per pixel, rows padded to whole bytes, leftmost pixel in the high bit.
        int porFila = (g.ancho + 7) / 8;
        for (int y = 0; y < g.alto; y++) {
            for (int b = 0; b < porFila; b++) {
                uint8_t byte = 0;
                for (int k = 0; k < 8; k++) {
                    int x = b * 8 + k;
                    if (x < g.ancho && g.pixeles[static_cast<size_t>(y) * g.ancho + x])
                        byte |= static_cast<uint8_t>(0x80 >> k);
                }
                d.push_back(byte);
            }
        }
    }
    Pon(indice, TipoFuente, nombre, std::move(d));
}

void Datafile::PonPaleta(int indice, const char* nombre, const Paleta& p)
{
    std::vector<uint8_t> d;
    for (int i = 0; i < 256; i++) {
        d.push_back(p.rgb[i][0]);
        d.push_back(p.rgb[i][1]);
        d.push_back(p.rgb[i][2]);
        d.push_back(0);
    }
    Pon(indice, TipoPaleta, nombre, std::move(d));
}

void Datafile::PonMidi(int indice, const char* nombre, const Tema& t)
{
    std::vector<uint8_t> d;
    PonM16(d, t.divisiones);
    for (int i = 0; i < PistasMidi; i++) {
        if (i < static_cast<int>(t.pistas.size())) {
            PonM32(d, static_cast<uint32_t>(t.pistas[i].size()));
            PonBytes(d, t.pistas[i]);
        } else {
            PonM32(d, 0);
        }
    }
    Pon(indice, TipoMidi, nombre, std::move(d));
}

std::vector<uint8_t> Datafile::Bytes() const
{
    std::vector<uint8_t> v;
    PonM32(v, MagicoSinComprimir);
    PonM32(v, MagicoDatos);
    PonM32(v, static_cast<uint32_t>(objetos.size()));
    for (const Objeto& o : objetos) {
        if (!o.nombre.empty()) {
            PonM32(v, MagicoPropiedad);
            PonM32(v, PropiedadNombre);
            PonM32(v, static_cast<uint32_t>(o.nombre.size()));
            v.insert(v.end(), o.nombre.begin(), o.nombre.end());
        }
        PonM32(v, o.tipo);
        PonM32(v, static_cast<uint32_t>(o.datos.size()));
        PonM32(v, static_cast<uint32_t>(o.datos.size()));
        PonBytes(v, o.datos);
    }
    return v;
}

int Datafile::Escribe(const char* ruta) const
{
    std::vector<uint8_t> v = Bytes();
    FILE* f = std::fopen(ruta, "wb");
    if (!f)
        return 1;
    size_t escritos = std::fwrite(v.data(), 1, v.size(), f);
    int cerrado = std::fclose(f);
    return (escritos == v.size() && cerrado == 0) ? 0 : 1;
}
