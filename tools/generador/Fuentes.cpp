// Renders the game's fonts through FreeType. Each colour font gets a look
// from its style: an antialiased fill with a vertical gradient, a dark
// outline, an optional drop shadow and, for the title words, snow lying on
// every upward-facing edge. All glyphs of a font share one height.
#include "Fuentes.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>

namespace {

const char* const DirectorioCaras = "/usr/share/fonts/truetype/dejavu/";
const int PrimerCaracter = 32;
const int UltimoCaracter = 126;

// Palette layout shared by every colour font.
const int IndiceBorde = 1;
const int IndiceSombra = 2;
const int IndiceNieve = 3;
const int IndiceNieveSombra = 4;
const int IndiceRelleno = 16;   // 4 coverage levels x 32 gradient rows from here
const int FilasDegradado = 32;
const int NivelesCobertura = 4;

struct Color {
    int r, g, b;
};

struct Estilo {
    const char* cara;    // DejaVu file name
    int pixeles;         // em size in pixels
    int contorno;        // outline thickness, 0 none
    int sombra;          // drop-shadow offset down and right, 0 none
    int nieve;           // thickness of the snow on top edges, 0 none
    int espacio;         // extra pixels after each glyph
    int anchoBlanco;     // width of the space character, 0 for the typeface's own
    bool suave;          // antialiased edges; otherwise hard hinted pixels
    int altoCelda;       // line height at least this, empty rows below the letters
    Color borde, colorSombra, arriba, medio, abajo;
};

// Coverage of one glyph before colouring (0..255 per pixel).
struct Mapa {
    int ancho = 0, alto = 0;
    std::vector<int> v;
    int Lee(int x, int y) const { return (x < 0 || y < 0 || x >= ancho || y >= alto) ? 0 : v[y * ancho + x]; }
    void Pon(int x, int y, int c) { if (x >= 0 && y >= 0 && x < ancho && y < alto) v[y * ancho + x] = c; }
};

Color Mezcla(Color a, Color b, int num, int den)
{
    return Color{a.r + (b.r - a.r) * num / den, a.g + (b.g - a.g) * num / den, a.b + (b.b - a.b) * num / den};
}

void PonColor(Paleta& p, int i, Color c)
{
    p.rgb[i][0] = static_cast<uint8_t>(std::clamp(c.r, 0, 255) >> 2);
    p.rgb[i][1] = static_cast<uint8_t>(std::clamp(c.g, 0, 255) >> 2);
    p.rgb[i][2] = static_cast<uint8_t>(std::clamp(c.b, 0, 255) >> 2);
}

// Fill colour of gradient row f (0 at the top of the letters, 31 at the baseline).
Color Degradado(const Estilo& e, int f)
{
    const int mitad = FilasDegradado / 2;
    if (f < mitad)
        return Mezcla(e.arriba, e.medio, f, mitad);
    return Mezcla(e.medio, e.abajo, f - mitad, FilasDegradado - 1 - mitad);
}

void HazPaleta(const Estilo& e, Paleta& p)
{
    for (int i = 0; i < 256; i++)
        PonColor(p, i, Color{0, 0, 0});
    PonColor(p, IndiceBorde, e.borde);
    PonColor(p, IndiceSombra, e.colorSombra);
    PonColor(p, IndiceNieve, Color{255, 255, 255});
    PonColor(p, IndiceNieveSombra, Color{196, 222, 250});
    for (int n = 0; n < NivelesCobertura; n++)
        for (int f = 0; f < FilasDegradado; f++)
            PonColor(p, IndiceRelleno + n * FilasDegradado + f,
                     Mezcla(e.borde, Degradado(e, f), n + 1, NivelesCobertura));
}

// A FreeType face opened for one size; closes itself.
class Cara {
public:
    Cara(const char* archivo, int pixeles)
    {
        if (FT_Init_FreeType(&libreria) != 0)
            return;
        std::string ruta = std::string(DirectorioCaras) + archivo;
        if (FT_New_Face(libreria, ruta.c_str(), 0, &cara) != 0) {
            cara = nullptr;
            return;
        }
        FT_Set_Pixel_Sizes(cara, 0, static_cast<FT_UInt>(pixeles));
    }
    ~Cara()
    {
        if (cara)
            FT_Done_Face(cara);
        if (libreria)
            FT_Done_FreeType(libreria);
    }
    Cara(const Cara&) = delete;
    Cara& operator=(const Cara&) = delete;

    bool Valida() const { return cara != nullptr; }

    // Renders character c; false if the face has no picture for it.
    bool Carga(int c, bool suave)
    {
        FT_Int32 banderas = FT_LOAD_RENDER | (suave ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
        if (FT_Load_Char(cara, static_cast<FT_ULong>(c), banderas) != 0)
            return false;
        return true;
    }
    FT_GlyphSlot Glifo() const { return cara->glyph; }

    // Coverage of pixel (x, y) of the glyph last rendered, 0..255.
    int Cobertura(int x, int y) const
    {
        const FT_Bitmap& b = cara->glyph->bitmap;
        const unsigned char* fila = b.buffer + static_cast<std::ptrdiff_t>(y) * b.pitch;
        if (b.pixel_mode == FT_PIXEL_MODE_MONO)
            return (fila[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        return fila[x];
    }

private:
    FT_Library libreria = nullptr;
    FT_Face cara = nullptr;
};

// Raw coverage of every character, aligned on a common baseline, each
// padded by `margen` pixels on the left, right and top and `margenAbajo`
// at the bottom; the space gets `anchoBlanco` if given.
int Rasteriza(const Estilo& e, int margen, int margenArriba, int margenAbajo, std::vector<Mapa>& mapas,
              std::vector<int>& avances)
{
    Cara cara(e.cara, e.pixeles);
    if (!cara.Valida())
        return 1;
    // Common extent above and below the baseline over the whole range.
    int arriba = 0, abajo = 0;
    for (int c = PrimerCaracter; c <= UltimoCaracter; c++) {
        if (!cara.Carga(c, e.suave))
            continue;
        FT_GlyphSlot g = cara.Glifo();
        arriba = std::max(arriba, g->bitmap_top);
        abajo = std::max(abajo, static_cast<int>(g->bitmap.rows) - g->bitmap_top);
    }
    const int alto = margenArriba + arriba + abajo + margenAbajo;
    mapas.clear();
    avances.clear();
    for (int c = PrimerCaracter; c <= UltimoCaracter; c++) {
        Mapa m;
        int avance = 0;
        if (cara.Carga(c, e.suave)) {
            FT_GlyphSlot g = cara.Glifo();
            avance = static_cast<int>((g->advance.x + 32) >> 6);
            if (c == ' ' && e.anchoBlanco > 0)
                avance = e.anchoBlanco;
            const int izquierda = std::min(0, g->bitmap_left);
            const int derecha = std::max(avance, g->bitmap_left + static_cast<int>(g->bitmap.width));
            m.ancho = derecha - izquierda + 2 * margen;
            m.alto = alto;
            m.v.assign(static_cast<size_t>(m.ancho) * m.alto, 0);
            const int x0 = margen - izquierda + g->bitmap_left;
            const int y0 = margenArriba + arriba - g->bitmap_top;
            for (int y = 0; y < static_cast<int>(g->bitmap.rows); y++)
                for (int x = 0; x < static_cast<int>(g->bitmap.width); x++)
                    m.Pon(x0 + x, y0 + y, cara.Cobertura(x, y));
        } else {
            m.ancho = 2 * margen + e.pixeles / 3;
            m.alto = alto;
            m.v.assign(static_cast<size_t>(m.ancho) * m.alto, 0);
        }
        mapas.push_back(std::move(m));
        avances.push_back(avance);
    }
    return 0;
}

// Whether pixel (x, y) lies within `r` of a pixel that `dentro` accepts.
template <class F>
bool Cerca(int x, int y, int r, F dentro)
{
    for (int dy = -r; dy <= r; dy++)
        for (int dx = -r; dx <= r; dx++)
            if (dx * dx + dy * dy <= r * r + r && dentro(x + dx, y + dy))
                return true;
    return false;
}

// Height of the snow heaped on the top edge at column x: a gentle wave.
int Monton(int x, int c)
{
    static const int ola[8] = {1, 2, 2, 3, 2, 2, 1, 1};
    return ola[((x + c * 3) / 2) % 8];
}

// Colours one glyph from its coverage.
Glifo Colorea(const Estilo& e, const Mapa& m, int c, int filaArriba, int filaBase)
{
    Glifo g;
    g.ancho = m.ancho + e.espacio;
    g.alto = m.alto;
    g.pixeles.assign(static_cast<size_t>(g.ancho) * g.alto, 0);
    auto pon = [&](int x, int y, int i) {
        if (x >= 0 && y >= 0 && x < g.ancho && y < g.alto)
            g.pixeles[static_cast<size_t>(y) * g.ancho + x] = static_cast<uint8_t>(i);
    };
    auto lee = [&](int x, int y) -> int {
        return (x < 0 || y < 0 || x >= g.ancho || y >= g.alto) ? 0 : g.pixeles[static_cast<size_t>(y) * g.ancho + x];
    };
    const int umbral = e.suave ? 40 : 1;
    auto tinta = [&](int x, int y) { return m.Lee(x, y) >= umbral; };

    for (int y = 0; y < m.alto; y++) {
        const int fila = std::clamp((y - filaArriba) * (FilasDegradado - 1) / std::max(1, filaBase - filaArriba), 0,
                                    FilasDegradado - 1);
        for (int x = 0; x < m.ancho; x++) {
            const int cob = m.Lee(x, y);
            if (cob >= umbral) {
                int nivel = e.suave ? std::min(NivelesCobertura - 1, cob * NivelesCobertura / 224) : NivelesCobertura - 1;
                if (e.contorno == 0)
                    nivel = NivelesCobertura - 1;  // no outline to blend the edge into
                pon(x, y, IndiceRelleno + nivel * FilasDegradado + fila);
            } else if (e.contorno > 0 && Cerca(x, y, e.contorno, tinta)) {
                pon(x, y, IndiceBorde);
            }
        }
    }

    if (e.nieve > 0) {
        // Snow lies on the top of every vertical run of the letter, heaped a
        // little above it where there is room, with a dark line over the heap.
        std::vector<uint8_t> antes = g.pixeles;
        auto habia = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < g.ancho && y < g.alto && antes[static_cast<size_t>(y) * g.ancho + x] != 0;
        };
        for (int x = 0; x < m.ancho; x++) {
            for (int y = 0; y < g.alto; y++) {
                if (!habia(x, y) || habia(x, y - 1))
                    continue;
                int largo = 0;
                while (habia(x, y + largo))
                    largo++;
                const int capa = largo > e.nieve + 3 ? e.nieve : 1;
                int libre = 0;
                while (libre < 6 && y - libre - 1 >= 0 && !habia(x, y - libre - 1))
                    libre++;
                const int monton = libre >= 5 ? Monton(x, c) : 0;
                for (int k = -monton; k <= capa; k++)
                    pon(x, y + k, k == capa ? IndiceNieveSombra : IndiceNieve);
                pon(x, y - monton - 1, IndiceBorde);
            }
        }
    }

    if (e.sombra > 0) {
        std::vector<uint8_t> antes = g.pixeles;
        for (int y = g.alto - 1; y >= 0; y--)
            for (int x = g.ancho - 1; x >= 0; x--) {
                const int sx = x - e.sombra, sy = y - e.sombra;
                if (lee(x, y) == 0 && sx >= 0 && sy >= 0 && antes[static_cast<size_t>(sy) * g.ancho + sx] != 0)
                    pon(x, y, IndiceSombra);
            }
    }
    return g;
}

int HazColor(const Estilo& e, FuenteColor& f)
{
    const int margen = e.contorno;
    const int margenArriba = e.contorno + (e.nieve > 0 ? 4 : 0);
    const int margenAbajo = e.contorno + e.sombra;
    std::vector<Mapa> mapas;
    std::vector<int> avances;
    if (Rasteriza(e, margen, margenArriba, margenAbajo, mapas, avances) != 0)
        return 1;
    // Widen each cell for the shadow, and deepen it to the style's line height:
    // the menus and the title space their lines by a fraction of it.
    for (Mapa& m : mapas) {
        Mapa ancho;
        ancho.ancho = m.ancho + e.sombra;
        ancho.alto = std::max(m.alto, e.altoCelda);
        ancho.v.assign(static_cast<size_t>(ancho.ancho) * ancho.alto, 0);
        for (int y = 0; y < m.alto; y++)
            for (int x = 0; x < m.ancho; x++)
                ancho.Pon(x, y, m.Lee(x, y));
        m = std::move(ancho);
    }
    // The gradient runs from the top of the capitals to the baseline.
    Cara cara(e.cara, e.pixeles);
    if (!cara.Valida() || !cara.Carga('H', e.suave))
        return 1;
    int arribaH = cara.Glifo()->bitmap_top;
    int arriba = 0;
    for (int c = PrimerCaracter; c <= UltimoCaracter; c++)
        if (cara.Carga(c, e.suave))
            arriba = std::max(arriba, cara.Glifo()->bitmap_top);
    const int base = margenArriba + arriba;
    const int filaArriba = base - arribaH;

    HazPaleta(e, f.paleta);
    f.fuente.mono = false;
    f.fuente.primero = PrimerCaracter;
    f.fuente.glifos.clear();
    for (size_t i = 0; i < mapas.size(); i++)
        f.fuente.glifos.push_back(Colorea(e, mapas[i], PrimerCaracter + static_cast<int>(i), filaArriba, base));
    return 0;
}

}  // namespace

int HazFuenteJuego(FuenteColor& f)
{
    // Bold gold letters with a dark outline: they read on the white, blue and red bands.
    Estilo e{"DejaVuSans-Bold.ttf", 14, 1, 0, 0, 0, 4, true, 0,
             {24, 16, 40}, {0, 0, 0}, {255, 250, 150}, {255, 200, 40}, {235, 110, 10}};
    return HazColor(e, f);
}

int HazFuenteMenu(FuenteColor& f)
{
    // Large warm letters, yellow to red, outlined and shadowed.
    Estilo e{"DejaVuSans-Bold.ttf", 20, 2, 2, 0, 0, 0, true, 36,
             {60, 12, 0}, {20, 10, 30}, {255, 246, 140}, {255, 170, 30}, {220, 40, 20}};
    return HazColor(e, f);
}

int HazFuenteNieve(FuenteColor& f)
{
    // Big icy letters with snow on top, outlined in deep blue.
    Estilo e{"DejaVuSans-Bold.ttf", 38, 2, 2, 2, 0, 0, true, 63,
             {8, 28, 84}, {10, 20, 60}, {235, 248, 255}, {150, 200, 245}, {60, 120, 210}};
    return HazColor(e, f);
}

int HazFuenteMin(FuenteColor& f)
{
    // Small crisp letters without outline: the game draws them in one flat colour.
    Estilo e{"DejaVuSans.ttf", 10, 0, 0, 0, 0, 0, false, 0,
             {0, 0, 0}, {0, 0, 0}, {20, 30, 80}, {20, 30, 80}, {20, 30, 80}};
    return HazColor(e, f);
}

int HazFuenteCreditos(FuenteColor& f)
{
    // Light letters for the dark credits picture, white to pale gold.
    Estilo e{"DejaVuSansCondensed-Bold.ttf", 16, 1, 1, 0, 0, 0, true, 0,
             {10, 14, 40}, {0, 0, 0}, {255, 255, 255}, {230, 240, 255}, {255, 214, 120}};
    return HazColor(e, f);
}

int HazFuenteVersion(Fuente& f)
{
    Estilo e{"DejaVuSans.ttf", 10, 0, 0, 0, 0, 0, false, 0,
             {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    std::vector<Mapa> mapas;
    std::vector<int> avances;
    if (Rasteriza(e, 0, 0, 0, mapas, avances) != 0)
        return 1;
    f.mono = true;
    f.primero = PrimerCaracter;
    f.glifos.clear();
    for (const Mapa& m : mapas) {
        Glifo g{m.ancho, m.alto, std::vector<uint8_t>(m.v.size(), 0)};
        for (size_t i = 0; i < m.v.size(); i++)
            g.pixeles[i] = m.v[i] ? 1 : 0;
        f.glifos.push_back(std::move(g));
    }
    return 0;
}
