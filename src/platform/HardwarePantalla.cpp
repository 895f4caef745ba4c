// The screen of the display object: the window or full screen opened at the
// largest whole scale, each frame presented (widened when scaled, at most one
// per refresh when that is costly), the colour sweep and the fade, pauses,
// and what the window manager tells the game (close button, input focus).
#include "Hardware.h"

#include <allegro.h>
#ifdef ALLEGRO_WITH_XWINDOWS
#include <xalleg.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>

#include "Configuracion.h"
#include "Globales.h"

namespace {

const char* const TituloVentana = "Zumbelo Esquiador PC - (c) 2026 Estudio Ventisca";

const int ModoVentana = GFX_AUTODETECT_WINDOWED;      // 2
const int ModoCompleto = GFX_AUTODETECT_FULLSCREEN;   // 1

// The colour sweep: boxes grow from the middle line in steps of 16 pixels.
const int PasoBarrido = 16;
const int InicioBarrido = 240;
const int PausaBarrido = 7;

// The fade: eleven blends of the background with black.
const int PasosFundido = 11;
const int SaltoFundido = 25;

// The window's class, by which desktops match it to its menu entry.
const char* const NombreClase = "zumbelo";
const char* const GrupoClase = "Zumbelo";

// A window takes at most this share of the desktop, in tenths.
const int DecimasEscritorio = 9;
// The display's refresh rate when the library cannot tell it.
const int RefrescoHabitual = 60;
// The longest sleep of a pause, in ms, so a closed window ends it at once.
const int TramoPausa = 10;

// Microseconds on a clock that only goes forward.
long long Ahora()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Called by the library: the window manager's close request (the close
// button) and the loss of the input focus. Like the tick callbacks they only
// set a flag; the screens look at it.
volatile int Cierre = 0;
volatile int FocoPerdido = 0;

void BotonCierre()
{
    Cierre = 1;
}
END_OF_FUNCTION(BotonCierre)

void PerdidaFoco()
{
    FocoPerdido = 1;
}
END_OF_FUNCTION(PerdidaFoco)

// One row of the picture widened k times: each 16-bit pixel written k times over.
template <int K>
void EnsanchaFila(const uint16_t* origen, uint16_t* destino, int ancho)
{
    for (int x = 0; x < ancho; x++) {
        const uint16_t p = origen[x];
        for (int j = 0; j < K; j++) destino[K * x + j] = p;
    }
}

void EnsanchaFila(const uint16_t* origen, uint16_t* destino, int ancho, int k)
{
    switch (k) {
    case 2: EnsanchaFila<2>(origen, destino, ancho); break;
    case 3: EnsanchaFila<3>(origen, destino, ancho); break;
    case 4: EnsanchaFila<4>(origen, destino, ancho); break;
    default:
        for (int x = 0; x < ancho; x++)
            for (int j = 0; j < k; j++) destino[k * x + j] = origen[x];
    }
}

}  // namespace

void Hardware::PreparaVentana()
{
    periodo = 1000000 / RefrescoHabitual;
    LOCK_VARIABLE(Cierre);
    LOCK_VARIABLE(FocoPerdido);
    LOCK_FUNCTION(BotonCierre);
    LOCK_FUNCTION(PerdidaFoco);
    Cierre = 0;
    FocoPerdido = 0;
#ifdef ALLEGRO_WITH_XWINDOWS
    // The window's class must be named before the library starts.
    xwin_set_window_name(NombreClase, GrupoClase);
#endif
}

void Hardware::AtiendeVentana()
{
    set_window_title(TituloVentana);
    set_close_button_callback(BotonCierre);
}

int Hardware::InitGraph()
{
    modo = (Config != nullptr && Config->VerWindowed()) ? ModoVentana : ModoCompleto;
    if (!arrancada) {
        allegro_message("Incapaz de entrar a modo grafico\n%s\n", allegro_error);
        return 1;
    }
    if (lienzo != nullptr) destroy_bitmap(lienzo);
    lienzo = nullptr;
    pendiente = false;
    if (!AbrePantalla()) {
        allegro_message("No se puede iniciar modo gr\xE1"
                        "fico seleccionado\nSe va a intentar modo GFX_SAFE");
        if (set_gfx_mode(GFX_SAFE, AnchoPantalla, AltoPantalla, 0, 0) != 0) {
            set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
            allegro_message("Incapaz de entrar a modo grafico\n%s\n", allegro_error);
            return 1;
        }
    }
    Coloca();
    // The stored setting follows the mode the driver actually gave, the
    // safe mode's too.
    if (Config != nullptr) {
        const bool enVentana = is_windowed_mode() != 0;
        if (enVentana != Config->VerWindowed()) Config->ToggleWindowed();
    }
    return 0;
}

int Hardware::EscalaVentana(int anchoEscritorio, int altoEscritorio)
{
    const int k = std::min(anchoEscritorio * DecimasEscritorio / (10 * AnchoPantalla),
                           altoEscritorio * DecimasEscritorio / (10 * AltoPantalla));
    return std::max(k, 1);
}

int Hardware::EscalaCompleta(int anchoEscritorio, int altoEscritorio)
{
    return std::max(std::min(anchoEscritorio / AnchoPantalla, altoEscritorio / AltoPantalla), 1);
}

// The screen in the mode asked for: a window as many times 640 x 480 as the
// desktop takes, or the whole desktop at its own resolution, so the monitor
// never changes mode. When the desktop's size is unknown or that mode is
// refused, a plain 640 x 480.
bool Hardware::AbrePantalla()
{
    int ancho = 0, alto = 0;
    const bool escritorio = get_desktop_resolution(&ancho, &alto) == 0 && ancho >= AnchoPantalla &&
                            alto >= AltoPantalla;
    if (modo == ModoVentana) {
        const int k = escalaPedida > 0 ? escalaPedida : (escritorio ? EscalaVentana(ancho, alto) : 1);
        if (k > 1 && set_gfx_mode(modo, AnchoPantalla * k, AltoPantalla * k, 0, 0) == 0) return true;
    } else if (escritorio && set_gfx_mode(modo, ancho, alto, 0, 0) == 0) {
        return true;
    }
    return set_gfx_mode(modo, AnchoPantalla, AltoPantalla, 0, 0) == 0;
}

// Fits the picture to the screen just opened: the largest whole scale,
// centred, black around it; listens to the window manager.
void Hardware::Coloca()
{
    escala = EscalaCompleta(SCREEN_W, SCREEN_H);
    if (escala > 1) {
        lienzo = create_bitmap_ex(16, AnchoPantalla * escala, AltoPantalla * escala);
        if (lienzo == nullptr) escala = 1;  // no memory for it: the picture unscaled
    }
    origenX = std::max(0, (SCREEN_W - AnchoPantalla * escala) / 2);
    origenY = std::max(0, (SCREEN_H - AltoPantalla * escala) / 2);
    porRefresco = escala > 1 || desktop_color_depth() != bitmap_color_depth(screen);
    const int refresco = get_refresh_rate();
    periodo = 1000000 / (refresco > 0 ? refresco : RefrescoHabitual);
    ultimoVolcado = 0;
    clear_to_color(screen, makecol(0, 0, 0));

    remove_display_switch_callback(PerdidaFoco);
    set_display_switch_callback(SWITCH_OUT, PerdidaFoco);
}

// ---------------------------------------------------------------- presentation

void Hardware::VuelcaBuffer()
{
    if (porRefresco && Ahora() - ultimoVolcado < periodo) {
        pendiente = true;  // shown at the next refresh
        return;
    }
    Presenta();
}

void Hardware::Presenta()
{
    pendiente = false;
    ultimoVolcado = Ahora();
    if (lienzo == nullptr) {
        blit(buffer, screen, Margen, Margen, origenX, origenY, AnchoPantalla, AltoPantalla);
        return;
    }
    Amplia();
    blit(lienzo, screen, 0, 0, origenX, origenY, lienzo->w, lienzo->h);
}

void Hardware::MuestraPendiente()
{
    if (pendiente) Presenta();
}

// Nearest neighbour: every pixel of the visible picture becomes a k x k block
// of the canvas. Each row is widened once and copied k - 1 times below itself.
void Hardware::Amplia()
{
    const int k = escala;
    const size_t bytesFila = static_cast<size_t>(AnchoPantalla) * k * sizeof(uint16_t);
    int fila = 0;  // the canvas row of the source row y: y * k
    for (int y = 0; y < AltoPantalla; y++, fila += k) {
        const uint16_t* origen = reinterpret_cast<const uint16_t*>(buffer->line[y + Margen]) + Margen;
        unsigned char* primera = lienzo->line[fila];
        EnsanchaFila(origen, reinterpret_cast<uint16_t*>(primera), AnchoPantalla, k);
        for (int j = 1; j < k; j++) std::memcpy(lienzo->line[fila + j], primera, bytesFila);
    }
}

// A box of the visible picture (corners included) filled straight on the
// screen at the picture's scale; what lies beyond the picture is left alone.
void Hardware::CajaPantalla(int x1, int y1, int x2, int y2, int color)
{
    x2 = std::min(x2, AnchoPantalla - 1);
    y2 = std::min(y2, AltoPantalla - 1);
    rectfill(screen, origenX + x1 * escala, origenY + y1 * escala, origenX + (x2 + 1) * escala - 1,
             origenY + (y2 + 1) * escala - 1, color);
}

void Hardware::Rest(int ms)
{
    // The frame drawn before the pause is on the screen during all of it, and
    // a closed window ends the pause within a few milliseconds.
    MuestraPendiente();
    const long long fin = Ahora() + ms * 1000LL;
    for (long long queda = fin - Ahora(); queda > 0 && !VerCierre(); queda = fin - Ahora())
        rest(static_cast<int>(std::min<long long>(TramoPausa, (queda + 999) / 1000)));
}


// ---------------------------------------------------------------- transitions

void Hardware::Interzona(int d)
{
    MuestraPendiente();
    for (int i = 0; i < 8; i++) {
        const int c = (d > 0) ? colores[i] : colores[7 - i];
        for (int s = InicioBarrido; s >= 0; s -= PasoBarrido) {
            if (VerCierre()) return;
            CajaPantalla(s, s, AnchoPantalla - s, AltoPantalla - s, c);
            rest(PausaBarrido);
        }
    }
}

void Hardware::Fundido(int d)
{
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    if (d == -1 || d == 1) {
        for (int paso = 0; paso < PasosFundido; paso++) {
            // Out: opacity of black rises 0..250; in: it falls 255..5.
            const int a = (d == -1) ? paso * SaltoFundido : 255 - paso * SaltoFundido;
            set_trans_blender(0, 0, 0, a);
            blit(fondo, buffer, 0, 0, Margen, Margen, AnchoPantalla, AltoPantalla);
            rectfill(buffer, Margen, Margen, Margen + AnchoPantalla - 1, Margen + AltoPantalla - 1, 0);
            VuelcaBuffer();
        }
    }
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
}

void Hardware::TransMode(int alpha)
{
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    set_trans_blender(0, 0, 0, alpha);
}

// ---------------------------------------------------------------- desktop

void Hardware::Espera()
{
    if (pendiente && Ahora() - ultimoVolcado >= periodo) Presenta();
    rest(1);
}

bool Hardware::VerCierre()
{
    return Cierre != 0;
}

void Hardware::PideCierre()
{
    BotonCierre();
}

bool Hardware::SinFoco()
{
    if (FocoPerdido == 0) return false;
    FocoPerdido = 0;
    return true;
}
