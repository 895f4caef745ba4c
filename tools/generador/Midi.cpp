#include "Midi.h"

#include <algorithm>

namespace {

void PonVariable(std::vector<uint8_t>& v, uint32_t n)
{
    uint8_t tmp[5];
    int k = 0;
    tmp[k++] = static_cast<uint8_t>(n & 0x7F);
    while (n >>= 7)
        tmp[k++] = static_cast<uint8_t>((n & 0x7F) | 0x80);
    while (k > 0)
        v.push_back(tmp[--k]);
}

uint8_t Byte7(int n)
{
    return static_cast<uint8_t>(std::clamp(n, 0, 127));
}

}  // namespace

void Pista::Nota(int canal, int tiempo, int duracion, int nota, int velocidad)
{
    if (duracion <= 0 || nota < 0 || nota > 127)
        return;
    const uint8_t c = static_cast<uint8_t>(canal & 0x0F);
    eventos.push_back(Evento{tiempo, 2, {static_cast<uint8_t>(0x90 | c), Byte7(nota), Byte7(velocidad)}});
    eventos.push_back(Evento{tiempo + duracion, 1, {static_cast<uint8_t>(0x80 | c), Byte7(nota), 0}});
}

void Pista::Programa(int canal, int tiempo, int programa)
{
    eventos.push_back(Evento{tiempo, 0, {static_cast<uint8_t>(0xC0 | (canal & 0x0F)), Byte7(programa)}});
}

void Pista::Control(int canal, int tiempo, int control, int valor)
{
    eventos.push_back(Evento{tiempo, 0, {static_cast<uint8_t>(0xB0 | (canal & 0x0F)), Byte7(control), Byte7(valor)}});
}

void Pista::Tempo(int tiempo, int microsNegra)
{
    const uint32_t m = static_cast<uint32_t>(microsNegra);
    eventos.push_back(Evento{tiempo, 0, {0xFF, 0x51, 0x03, static_cast<uint8_t>(m >> 16),
                                         static_cast<uint8_t>(m >> 8), static_cast<uint8_t>(m)}});
}

std::vector<uint8_t> Pista::Bytes(int fin) const
{
    std::vector<Evento> orden = eventos;
    std::stable_sort(orden.begin(), orden.end(), [](const Evento& a, const Evento& b) {
        return a.tiempo != b.tiempo ? a.tiempo < b.tiempo : a.orden < b.orden;
    });
    std::vector<uint8_t> v;
    int ahora = 0;
    for (const Evento& e : orden) {
        if (e.tiempo > fin)
            break;
        PonVariable(v, static_cast<uint32_t>(e.tiempo - ahora));
        ahora = e.tiempo;
        v.insert(v.end(), e.bytes.begin(), e.bytes.end());
    }
    PonVariable(v, static_cast<uint32_t>(std::max(0, fin - ahora)));
    v.push_back(0xFF);
    v.push_back(0x2F);
    v.push_back(0x00);
    return v;
}
