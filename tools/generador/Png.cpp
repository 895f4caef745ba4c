// The PNG writer: signature, IHDR, one IDAT holding a zlib stream of stored
// blocks, IEND. Stored blocks need no compressor and keep the bytes the same
// from build to build.
#include "Png.h"

#include <algorithm>
#include <cstdio>

namespace {

uint32_t Crc32(const uint8_t* p, size_t n, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < n; i++) {
        crc ^= p[i];
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

uint32_t Adler32(const std::vector<uint8_t>& d)
{
    uint32_t a = 1, b = 0;
    for (uint8_t c : d) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PonBE(std::vector<uint8_t>& v, uint32_t x)
{
    for (int s = 24; s >= 0; s -= 8)
        v.push_back(static_cast<uint8_t>(x >> s));
}

void Trozo(std::vector<uint8_t>& png, const char* tipo, const std::vector<uint8_t>& datos)
{
    PonBE(png, static_cast<uint32_t>(datos.size()));
    size_t inicio = png.size();
    png.insert(png.end(), tipo, tipo + 4);
    png.insert(png.end(), datos.begin(), datos.end());
    PonBE(png, Crc32(png.data() + inicio, png.size() - inicio));
}

}  // namespace

std::vector<uint8_t> CodificaPNG(const Lienzo& l)
{
    // The raw image: each row a filter byte (0, none) and its RGBA pixels.
    std::vector<uint8_t> crudo;
    crudo.reserve(static_cast<size_t>(l.alto) * (1 + static_cast<size_t>(l.ancho) * 4));
    for (int y = 0; y < l.alto; y++) {
        crudo.push_back(0);
        for (int x = 0; x < l.ancho; x++) {
            uint16_t c = l.Lee(x, y);
            bool hueco = c == ColorTransparente;
            crudo.push_back(static_cast<uint8_t>(hueco ? 0 : RojoDe(c)));
            crudo.push_back(static_cast<uint8_t>(hueco ? 0 : VerdeDe(c)));
            crudo.push_back(static_cast<uint8_t>(hueco ? 0 : AzulDe(c)));
            crudo.push_back(hueco ? 0 : 255);
        }
    }

    // zlib: header, stored blocks of at most 65535 bytes, Adler-32 of the raw data.
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t n = std::min<size_t>(65535, crudo.size() - pos);
        bool ultimo = pos + n == crudo.size();
        z.push_back(ultimo ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n & 0xFF));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n & 0xFF));
        z.push_back(static_cast<uint8_t>((~n >> 8) & 0xFF));
        z.insert(z.end(), crudo.begin() + static_cast<long>(pos), crudo.begin() + static_cast<long>(pos + n));
        pos += n;
    } while (pos < crudo.size());
    PonBE(z, Adler32(crudo));

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> cabecera;
    PonBE(cabecera, static_cast<uint32_t>(l.ancho));
    PonBE(cabecera, static_cast<uint32_t>(l.alto));
    cabecera.insert(cabecera.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace
    Trozo(png, "IHDR", cabecera);
    Trozo(png, "IDAT", z);
    Trozo(png, "IEND", {});
    return png;
}

bool GuardaPNG(const Lienzo& l, const char* ruta)
{
    std::vector<uint8_t> png = CodificaPNG(l);
    FILE* f = std::fopen(ruta, "wb");
    if (!f)
        return false;
    bool bien = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && bien;
}
