// The PNG writer: signature, IHDR, one IDAT holding the rows deflated by
// zlib at its best level, IEND. Nothing in it depends on the time or the
// machine, so the bytes stay the same from build to build.
#include "Png.h"

#include <zlib.h>

#include <cstdio>

namespace {

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
    PonBE(png, static_cast<uint32_t>(crc32(0, png.data() + inicio, static_cast<uInt>(png.size() - inicio))));
}

}  // namespace

std::vector<uint8_t> CodificaPNG(const Lienzo& l)
{
    // The raw image: each row a filter byte (0, none) and its RGBA pixels.
    // Unfiltered rows deflate best here: the dithered gradients of the
    // icons repeat as they are, and any filter turns them into noise.
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

    // One zlib stream at the best level: the same rows give the same bytes.
    uLongf tam = compressBound(static_cast<uLong>(crudo.size()));
    std::vector<uint8_t> z(tam);
    if (compress2(z.data(), &tam, crudo.data(), static_cast<uLong>(crudo.size()), Z_BEST_COMPRESSION) != Z_OK)
        return {};
    z.resize(tam);

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
    if (png.empty())
        return false;
    FILE* f = std::fopen(ruta, "wb");
    if (!f)
        return false;
    bool bien = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && bien;
}
