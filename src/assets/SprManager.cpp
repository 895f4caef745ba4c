#include "SprManager.h"

#include <allegro.h>

#include "Configuracion.h"
#include "Constantes.h"
#include "Datos.h"
#include "Globales.h"
#include "Hardware.h"

namespace {

// How an entry is made from the sheet.
enum Composicion { Plano, ConEsquis, Puerta, Meta };

struct Geometria {
    int ancho, alto, fotogramas;
    int sx, sy;           // sheet area of a plain entry, or of its first part
    Composicion como;
};

// Size, frame count and sheet area of entry e (1..85).
Geometria Describe(int e)
{
    Geometria g = {0, 0, 1, 0, 0, Plano};
    if (e <= 48) {  // vehicles: six kinds, four frames, right-going then left-going
        const int grupo = (e - 1) / 4;
        const int f = (e - 1) % 4;
        const int clase = grupo % TotalVehiculos;
        g.ancho = AnchoVehiculo[clase];
        g.alto = AltoVehiculo[clase];
        g.fotogramas = FotogramasVehiculo;
        g.sx = g.ancho * f;
        g.sy = FilaVehiculo[clase] + (grupo >= TotalVehiculos ? BajadaIzquierda : 0);
    } else if (e <= 56) {  // hero on foot: four facings, two frames
        const int v = (e - 49) / 2, f = (e - 49) % 2;
        g = {AnchoZumbelo, AltoZumbelo, FotogramasZumbelo, AnchoZumbelo * f,
             FilaZumbelo + AltoZumbelo * v, Plano};
    } else if (e <= 64) {  // hero carrying skis
        const int v = (e - 57) / 2, f = (e - 57) % 2;
        g = {AnchoZumbeloCS, AltoZumbelo, FotogramasZumbelo, AnchoZumbelo * f,
             FilaZumbelo + AltoZumbelo * v, ConEsquis};
    } else if (e == 65) {
        g = {AnchoZumbelo, AltoEsquiadorRecto, FotogramasEsquiador, 0, FilaEsquiador, Plano};
    } else if (e <= 69) {
        g = {AnchoEsquiador, AltoEsquiador, FotogramasEsquiador, 0,
             FilaEsquiadorGiro + AltoEsquiador * (e - 66), Plano};
    } else if (e <= 72) {
        g = {AnchoChoque, AltoChoque, FotogramasChoque, AnchoChoque * (e - 70), FilaChoque, Plano};
    } else if (e <= 80) {  // gates: narrow then wide, four frames each
        const int v = (e - 73) / 4, f = (e - 73) % 4;
        g = {v == 0 ? AnchoB1 : AnchoB2, AltoBand, FotogramasBand, 2 * AnchoBand * f,
             FilaBanderas, Puerta};
    } else if (e == 81) {
        g = {AnchoMonton, AltoMonton, 1, 0, FilaMonton, Plano};
    } else if (e <= 83) {
        g = {AnchoPino, AltoPino, 1, AnchoPino * (e - 82), FilaPinos, Plano};
    } else {
        g = {e == 84 ? AnchoM1 : AnchoM2, AltoMeta, 1, 0, FilaPoste, Meta};
    }
    return g;
}

// Datafile object n when it is a bitmap; null when the file is shorter or holds something else.
BITMAP* BitmapDe(DATAFILE* datos, int n)
{
    return static_cast<BITMAP*>(Hardware::Objeto(datos, n, DAT_BITMAP));
}

bool EsChoque(int e) { return e >= 70 && e <= 72; }
bool EsMeta(int e) { return e == 84 || e == 85; }

}  // namespace

SprManager::SprManager()
    : datos(load_datafile(ArchivoDatos)), i(0), j(0), k(0), fila(0), bitsPorPalabra(32),
      colorMascara(ColorMascara), hoja(DatHoja0), generacion(0)
{
    for (i = 0; i < Entradas; i++) {
        const Geometria g = Describe(i + 1);
        imagenes[i] = create_bitmap_ex(16, g.ancho, g.alto);
        sprites[i] = nullptr;
        Mascara* m = new Mascara;
        m->ancho = g.ancho;
        m->alto = g.alto;
        m->fotogramas = g.fotogramas;
        m->palabras = EsChoque(i + 1) ? 0 : (g.ancho + bitsPorPalabra - 1) / bitsPorPalabra;
        m->filas = nullptr;
        if (m->palabras > 0) {
            m->filas = new uint32_t*[m->alto];
            for (j = 0; j < m->alto; j++) {
                m->filas[j] = new uint32_t[m->palabras]();
            }
        }
        mascaras[i] = m;
    }
}

SprManager::~SprManager()
{
    for (i = 0; i < Entradas; i++) {
        if (sprites[i] != nullptr) destroy_compiled_sprite(static_cast<COMPILED_SPRITE*>(sprites[i]));
        if (imagenes[i] != nullptr) destroy_bitmap(imagenes[i]);
        Mascara* m = mascaras[i];
        if (m->filas != nullptr) {
            for (j = 0; j < m->alto; j++) delete[] m->filas[j];
            delete[] m->filas;
        }
        delete m;
    }
    if (datos != nullptr) unload_datafile(datos);
}

void SprManager::Init()
{
    hoja = DatHoja0 + (Config != nullptr ? Config->SetGraf() : 0);
    BITMAP* lamina = BitmapDe(datos, hoja);

    // Pictures. Without a sheet every picture stays transparent.
    for (i = 0; i < Entradas; i++) {
        BITMAP* b = imagenes[i];
        const Geometria g = Describe(i + 1);
        clear_to_color(b, colorMascara);
        if (lamina == nullptr) continue;
        switch (g.como) {
        case Plano:
            blit(lamina, b, g.sx, g.sy, 0, 0, g.ancho, g.alto);
            break;
        case ConEsquis: {
            // The skis are drawn over the right side of the hero's picture.
            const int f = (i + 1 - 57) % 2;
            blit(lamina, b, g.sx, g.sy, 0, 0, AnchoZumbelo, AltoZumbelo);
            masked_blit(lamina, b, XSki + AnchoSki * f, FilaZumbelo, AnchoZumbeloCS - AnchoSki, 0,
                        AnchoSki, AltoZumbelo);
            break;
        }
        case Puerta:
            // Left flag, a transparent gap, then the right flag.
            blit(lamina, b, g.sx, g.sy, 0, 0, AnchoBand, AltoBand);
            blit(lamina, b, g.sx + AnchoBand, g.sy, g.ancho - AnchoBand, 0, AnchoBand, AltoBand);
            break;
        case Meta:
            // Two posts under a banner squeezed to a little more than half the arch.
            blit(lamina, b, 0, FilaPoste, 0, AltoPancarta, AnchoMeta, AltoPoste);
            blit(lamina, b, 0, FilaPoste, g.ancho - AnchoMeta, AltoPancarta, AnchoMeta, AltoPoste);
            stretch_blit(lamina, b, 0, FilaPancarta, AnchoPancarta, AltoPancarta, 0, 0,
                         g.ancho == AnchoM1 ? PancartaM1 : PancartaM2, AltoPancarta);
            break;
        }
    }

    // Compiled sprites: the new build is made before the previous one is
    // released, so no new sprite can take an old one's address; figures alive
    // now fetch the new ones before their next draw (see Sprite::Dibuja).
    void* anteriores[Entradas];
    for (i = 0; i < Entradas; i++) {
        anteriores[i] = sprites[i];
        sprites[i] = get_compiled_sprite(imagenes[i], FALSE);
    }
    for (i = 0; i < Entradas; i++) {
        if (anteriores[i] != nullptr) destroy_compiled_sprite(static_cast<COMPILED_SPRITE*>(anteriores[i]));
    }
    generacion++;

    // Masks, rebuilt in place so pointers held by figures stay valid.
    for (i = 0; i < Entradas; i++) {
        Mascara* m = mascaras[i];
        for (fila = 0; fila < m->alto && m->palabras > 0; fila++) {
            for (j = 0; j < m->palabras; j++) m->filas[fila][j] = 0;
        }
    }
    for (i = 0; i < Entradas; i++) {
        if (EsChoque(i + 1)) continue;
        Mascara* m = mascaras[i];
        // The finish banner never collides: only the posts below it do.
        for (fila = EsMeta(i + 1) ? AltoPancarta : 0; fila < m->alto; fila++) {
            for (k = 0; k < bitsPorPalabra * m->palabras; k++) {
                const int color = getpixel(imagenes[i], k, fila);
                if (color < 0 || color == colorMascara) continue;
                m->filas[fila][k / bitsPorPalabra] |= 1u << (k % bitsPorPalabra);
            }
        }
    }
}

int SprManager::Entrada(int tipo, int variante, int frame)
{
    // A combination outside a figure's family gives no entry rather than
    // another figure's picture (or one beyond the sheet).
    switch (tipo) {
    case TipoCamion1: case TipoCamion2: case TipoCoche1: case TipoCoche2: case TipoAmbulancia: case TipoMoto: {
        if (frame < 0 || frame >= FotogramasVehiculo) return 0;
        const int clase = tipo - TipoCamion1;
        const int g = variante >= 0 ? clase : clase + TotalVehiculos;
        return 1 + 4 * g + frame;
    }
    case TipoAPie:
    case TipoConEsquis:
        if (variante < 0 || variante > 3 || frame < 0 || frame >= FotogramasZumbelo) return 0;
        return (tipo == TipoAPie ? 49 : 57) + 2 * variante + frame;
    case TipoEsquiador:
        if (variante + frame < 0 || variante + frame > 4) return 0;
        return 65 + variante + frame;
    case TipoBandera:
        if (variante < 0 || variante > 1 || frame < 0 || frame >= FotogramasBand) return 0;
        return 73 + 4 * variante + frame;
    case TipoMonton:
        return 81;
    case TipoPino:
        return (variante == 0 || variante == 1) ? 82 + variante : 0;
    case TipoChoque:
        return (frame >= 0 && frame < FotogramasChoque) ? 70 + frame : 0;
    case TipoMeta:
        return (variante == 0 || variante == 1) ? 84 + variante : 0;
    default:
        return 0;
    }
}

void* SprManager::Sprite(int tipo, int variante, int frame)
{
    return SpriteEntrada(Entrada(tipo, variante, frame));
}

Mascara* SprManager::Mask(int tipo, int variante, int frame)
{
    return MaskEntrada(Entrada(tipo, variante, frame));
}

void* SprManager::SpriteEntrada(int entrada)
{
    if (entrada < 1 || entrada > Entradas) return nullptr;
    return sprites[entrada - 1];
}

Mascara* SprManager::MaskEntrada(int entrada)
{
    if (entrada < 1 || entrada > Entradas) return nullptr;
    return mascaras[entrada - 1];
}

unsigned SprManager::VerGeneracion()
{
    return generacion;
}
