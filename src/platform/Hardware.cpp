// The display object's life cycle (the library started and shut down, the
// datafile and the two off-screen bitmaps), text, fonts and the buffers.
// The screen itself is in HardwarePantalla.cpp, the keys in HardwareTeclado.cpp.
#include "Hardware.h"

#include <allegro.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "Datos.h"
#include "RevisorDatos.h"

namespace {

const int AnchoBuffer = Hardware::AnchoPantalla + 2 * Hardware::Margen;  // 1040
const int AltoBuffer = Hardware::AltoPantalla + 2 * Hardware::Margen;    // 880

}  // namespace

Hardware::Hardware()
    : buffer(nullptr), fondo(nullptr), fuenteBase(nullptr), datos(nullptr), modo(0),
      teclaIzquierda(0), teclaDerecha(0), teclaArriba(0), teclaAbajo(0),
      teclaSeleccionar(0), teclaPausa(0), fuenteLibreria(font), arrancada(false),
      direccionVista(SinAccion), botonVisto{false, false},
      lienzo(nullptr), escala(1), escalaPedida(0), origenX(0), origenY(0), porRefresco(false), pendiente(false),
      ultimoVolcado(0), periodo(0)
{
    for (int i = 0; i < 8; i++) colores[i] = 0;
    CargaTeclas();

    PreparaVentana();
    // With no display to open (no X server) the library cannot start, and
    // nothing else of it may be touched: InitGraph then reports the failure.
    arrancada = install_allegro(SYSTEM_AUTODETECT, &errno,
                                reinterpret_cast<int (*)(void (*)(void))>(atexit)) == 0;
    if (!arrancada) return;
    install_keyboard();
    // A gamepad when one is there; none is no fault, and nothing is said.
    install_joystick(JOY_TYPE_AUTODETECT);
    install_timer();
    install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr);
    set_volume(128, 128);
    set_hardware_volume(128, 128);
    srand(static_cast<unsigned>(time(nullptr)));
    set_color_depth(16);
    AtiendeVentana();

    fuenteLibreria = font;
    fuenteBase = font;
}

Hardware::~Hardware()
{
    DeInit();
    LiberaFuentes();
    font = fuenteLibreria;
    if (lienzo != nullptr) destroy_bitmap(lienzo);
    allegro_exit();
}

int Hardware::Init()
{
    if (datos != nullptr || buffer != nullptr || fondo != nullptr) DeInit();

    colores[0] = makecol(0, 0, 0);
    colores[1] = makecol(0, 0, 255);
    colores[2] = makecol(255, 0, 0);
    colores[3] = makecol(255, 0, 255);
    colores[4] = makecol(0, 255, 0);
    colores[5] = makecol(0, 255, 255);
    colores[6] = makecol(255, 255, 0);
    colores[7] = makecol(255, 255, 255);

    fuenteBase = font;
    // A cut or damaged file is refused like a missing one: the library would
    // trust its sizes and crash on it.
    datos = RevisorDatos::Revisa(ArchivoDatos) == 0 ? load_datafile(ArchivoDatos) : nullptr;
    if (datos == nullptr) {
        allegro_message("                   ERROR FATAL\n No se encuentra el archivo DATOS.DAT");
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
        return 1;
    }
    buffer = create_bitmap_ex(16, AnchoBuffer, AltoBuffer);
    fondo = create_bitmap_ex(16, AnchoPantalla, AltoPantalla);
    return 0;
}

void Hardware::DeInit()
{
    // A font of the datafile must not stay current once the datafile is gone.
    if (FuenteDeDatos(fuenteBase)) fuenteBase = fuenteLibreria;
    if (FuenteDeDatos(font)) font = fuenteBase;

    if (buffer != nullptr) destroy_bitmap(buffer);
    if (fondo != nullptr) destroy_bitmap(fondo);
    if (datos != nullptr) unload_datafile(datos);
    buffer = nullptr;
    fondo = nullptr;
    datos = nullptr;
}

// ---------------------------------------------------------------- text

void Hardware::TextOut(const char* s, int x, int y, int fg, int bg)
{
    textout_ex(buffer, font, s, x + Margen, y + Margen, Color(fg), Color(bg));
}

void Hardware::TextOutCentre(const char* s, int y, int fg, int bg)
{
    TextOutCentre_ex(s, AnchoPantalla / 2, y, fg, bg);
}

void Hardware::TextOutCentre_ex(const char* s, int x, int y, int fg, int bg)
{
    textout_centre_ex(buffer, font, s, x + Margen, y + Margen, Color(fg), Color(bg));
}

int Hardware::TextHeight()
{
    return text_height(font);
}

int Hardware::TextLength(const char* s)
{
    return text_length(font, s);
}

// ---------------------------------------------------------------- fonts

struct Hardware::FuenteCargada {
    FONT* fuente;
    PALETTE paleta;
};

void Hardware::SetFont(const char* fontName, const char* paletteName)
{
    std::map<std::string, FuenteCargada*>::iterator it = fuentes.find(fontName);
    if (it == fuentes.end()) {
        FuenteCargada* nueva = new FuenteCargada;
        get_palette(nueva->paleta);
        const char* nombres[2] = {fontName, paletteName};
        nueva->fuente = load_dat_font(ArchivoDatos, nueva->paleta, nombres);
        if (nueva->fuente == nullptr) {  // no such font: the current one stays
            delete nueva;
            return;
        }
        it = fuentes.insert(std::make_pair(std::string(fontName), nueva)).first;
    }
    set_palette(it->second->paleta);
    font = it->second->fuente;
}

void Hardware::SetFont(int n)
{
    FONT* f = static_cast<FONT*>(Objeto(datos, n, DAT_FONT));
    if (f != nullptr) font = f;
}

void Hardware::DelFont()
{
    if (fuenteBase != nullptr) font = fuenteBase;
}

void Hardware::LiberaFuentes()
{
    std::map<std::string, FuenteCargada*>::iterator it;
    for (it = fuentes.begin(); it != fuentes.end(); ++it) {
        if (font == it->second->fuente) font = fuenteLibreria;
        if (fuenteBase == it->second->fuente) fuenteBase = fuenteLibreria;
        destroy_font(it->second->fuente);
        delete it->second;
    }
    fuentes.clear();
}

bool Hardware::FuenteDeDatos(const FONT* f)
{
    if (datos == nullptr || f == nullptr) return false;
    for (int i = 0; datos[i].type != DAT_END; i++)
        if (datos[i].type == DAT_FONT && datos[i].dat == f) return true;
    return false;
}

// ---------------------------------------------------------------- buffers

int Hardware::Color(int indice)
{
    // Negative values mean "the font's own colours" or "transparent" and pass unchanged.
    if (indice < 0) return indice;
    return colores[indice & 7];
}

void Hardware::cls(int col)
{
    clear_to_color(buffer, Color(col));
}

void Hardware::ClrFondo(int col)
{
    clear_to_color(fondo, Color(col));
}

void Hardware::SetFondo(int n)
{
    BITMAP* imagen = static_cast<BITMAP*>(Objeto(datos, n, DAT_BITMAP));
    if (imagen != nullptr) blit(imagen, fondo, 0, 0, 0, 0, imagen->w, imagen->h);
}

void* Hardware::Objeto(DATAFILE* datos, int n, int tipo)
{
    if (datos == nullptr || n < 0) return nullptr;
    // The list ends with a DAT_END entry: none before n, or n is past the end.
    for (int i = 0; i <= n; i++)
        if (datos[i].type == DAT_END) return nullptr;
    return datos[n].type == tipo ? datos[n].dat : nullptr;
}

void Hardware::CopyFondo()
{
    blit(buffer, fondo, Margen, Margen, 0, 0, AnchoPantalla, AltoPantalla);
}

void Hardware::DrawFondoBuffer(int x, int y, int w, int h, int sx, int sy)
{
    blit(fondo, buffer, sx, sy, x + Margen, y + Margen, w, h);
}

void Hardware::Borra(int x, int y, int w, int h)
{
    // blit clips at the background's edges, so only the visible part is restored.
    blit(fondo, buffer, x, y, x + Margen, y + Margen, w, h);
}

void Hardware::Dibuja(int x, int y, void* sprite)
{
    if (sprite == nullptr) return;
    const COMPILED_SPRITE* spr = static_cast<const COMPILED_SPRITE*>(sprite);
    const int bx = x + Margen;
    const int by = y + Margen;
    if (bx >= 0 && by >= 0 && bx + spr->w <= AnchoBuffer && by + spr->h <= AltoBuffer) {
        draw_compiled_sprite(buffer, spr, bx, by);
        return;
    }
    // Beyond the guard band. Wholly outside there is nothing to draw; partly
    // outside, only the emulated compiled sprites (run-length sprites) clip.
    if (bx >= AnchoBuffer || by >= AltoBuffer || bx + spr->w <= 0 || by + spr->h <= 0) return;
#if !(defined ALLEGRO_I386 && !defined ALLEGRO_NO_ASM)
    draw_compiled_sprite(buffer, spr, bx, by);
#endif
}

void Hardware::RectFill(int x1, int y1, int x2, int y2, int col)
{
    rectfill(buffer, x1 + Margen, y1 + Margen, x2 + Margen, y2 + Margen, Color(col));
}

void Hardware::RectFill_ex(int x1, int y1, int x2, int y2, int colour)
{
    rectfill(buffer, x1 + Margen, y1 + Margen, x2 + Margen, y2 + Margen, colour);
}

void Hardware::SolidMode()
{
    solid_mode();
}

int Hardware::ColorRgb(int r, int g, int b)
{
    return makecol(r, g, b);
}

