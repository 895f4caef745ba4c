// The one door to the screen, the keyboard and the library's global state:
// the display and its two off-screen bitmaps, colours, fonts and text, key
// bindings, screen transitions and blending, and what the window manager
// tells the game (close button, input focus). One class in three files:
// Hardware.cpp (life cycle, text, fonts, buffers), HardwarePantalla.cpp (the
// screen, its scale and presentation, transitions, the window manager) and
// HardwareTeclado.cpp (the keys).
#ifndef HARDWARE_H
#define HARDWARE_H

#include <map>
#include <string>

// The library's types, reached only through pointers here: no includer of
// this header sees the library.
struct BITMAP;
struct DATAFILE;
struct FONT;

class Hardware {
public:
    // The six key actions, as Tecla gives them; SinAccion when no key, or a
    // key bound to none, was pressed.
    enum Accion {
        SinAccion = -1,
        AccionArriba,
        AccionAbajo,
        AccionIzquierda,
        AccionDerecha,
        AccionSeleccionar,
        AccionPausa,
        Acciones  // how many
    };
    // What VerTecla and LeeCaracter give when no key is waiting.
    static constexpr int SinTecla = -1;
    // What VerTecla gives for a press of the gamepad (a direction or a
    // button): above every key's value, its scan code none of the library's.
    static constexpr int PulsacionMando = 0x10000;
    // The gamepad's buttons that act: the first gives select, the second pause.
    static constexpr int BotonesMando = 2;

    Hardware();
    ~Hardware();

    // Life cycle.
    int InitGraph();
    int Init();
    void DeInit();

    // Text, at visible coordinates; fg/bg are colour indices, -1 for the
    // font's own colours or a transparent background.
    void TextOut(const char* s, int x, int y, int fg, int bg);
    void TextOutCentre(const char* s, int y, int fg, int bg);
    void TextOutCentre_ex(const char* s, int x, int y, int fg, int bg);
    int TextHeight();
    int TextLength(const char* s);

    // Fonts.
    void SetFont(const char* fontName, const char* paletteName);
    void SetFont(int n);
    void DelFont();

    // Buffers and background.
    void cls(int col);
    void ClrFondo(int col);
    void SetFondo(int n);
    void CopyFondo();
    void DrawFondoBuffer(int x, int y, int w, int h, int sx, int sy);
    void Borra(int x, int y, int w, int h);
    void Dibuja(int x, int y, void* sprite);
    void RectFill(int x1, int y1, int x2, int y2, int col);
    void RectFill_ex(int x1, int y1, int x2, int y2, int colour);
    void VuelcaBuffer();
    void SolidMode();

    // Keyboard and key bindings. The bindings start as the player last
    // defined them (MapaTeclas keeps them between runs) or as the defaults.
    // Tecla, VerTecla and EsperaTecla take the first gamepad too: its stick
    // or direction pad gives the four directions and its first two buttons
    // select and pause, each press once however long it is held;
    // ClearKeyBuf drops what it holds as it drops waiting keys.
    int Tecla();
    int VerTecla();
    int VerTecla(int action);
    // Binds action to the scan code of the raw key value (0 unbinds); once
    // every action is bound and no key twice, the six are saved.
    void GrabarTecla(int action, int raw);
    void EsperaTecla();
    void ClearKeyBuf();
    void Rest(int ms);
    // The character of the next key: -1 when none is waiting, 0 for a key
    // without one, else its Unicode code.
    int LeeCaracter();

    // Screen transitions and blending.
    void Interzona(int d);
    void Fundido(int d);
    void TransMode(int alpha);

    // What object n of a loaded datafile holds when it exists and is of the
    // library's kind tipo (DAT_BITMAP, DAT_SAMPLE...); null otherwise, or
    // without a datafile. The game's one look into a datafile by index.
    static void* Objeto(DATAFILE* datos, int n, int tipo);

    // The desktop. Every waiting loop sleeps in Espera and ends once VerCierre
    // is true; the play phases pause when SinFoco reports a lost focus.
    void Espera();      // gives the processor back for a moment while no tick is due
    bool VerCierre();   // the window manager asked the window to close
    bool SinFoco();     // true once for each loss of the input focus since the last call

    // The 640 x 480 picture on the screen: each pixel a k x k block, the
    // picture centred on a full screen. The largest whole k with 640k and
    // 480k within 90% of the desktop for a window, within all of it for a
    // full screen; at least 1.
    static int EscalaVentana(int anchoEscritorio, int altoEscritorio);
    static int EscalaCompleta(int anchoEscritorio, int altoEscritorio);
    int VerEscala() { return escala; }
    int VerOrigenX() { return origenX; }
    int VerOrigenY() { return origenY; }

    // A colour value as makecol gives it, for RectFill_ex.
    int ColorRgb(int r, int g, int b);

    void PideCierre();  // what the window's close button does
    // The next InitGraph opens a window of scale k whatever the desktop, for
    // tools that measure every scale; 0 goes back to the desktop's rule.
    void PideEscala(int k) { escalaPedida = k; }

    // The visible screen, and the guard band around it in the work bitmap.
    static constexpr int AnchoPantalla = 640;
    static constexpr int AltoPantalla = 480;
    static const int Margen = 200;

private:
    BITMAP* buffer;      // work bitmap, 1040 x 880
    BITMAP* fondo;       // background, 640 x 480
    FONT* fuenteBase;    // the font current when Init last ran
    DATAFILE* datos;     // datos.dat
    int colores[8];      // colour table, makecol values
    int modo;            // 2 windowed, 1 full screen
    int teclaIzquierda;
    int teclaDerecha;
    int teclaArriba;
    int teclaAbajo;
    int teclaSeleccionar;
    int teclaPausa;

    // Fonts loaded by name, each with its palette, kept until shut-down so
    // switching fonts neither leaks nor rereads the datafile.
    struct FuenteCargada;
    std::map<std::string, FuenteCargada*> fuentes;
    void LiberaFuentes();

    FONT* fuenteLibreria;  // the library's own font, safe to fall back on
    bool arrancada;        // the library started: without a display it cannot
    int Color(int indice);
    bool FuenteDeDatos(const FONT* f);
    int* Enlace(int action);
    void CargaTeclas();      // the player's stored keys, or the defaults
    void PreparaVentana();   // before the library starts: the window's class, no close asked yet
    void AtiendeVentana();   // once it has started: the title, the close button heard

    // The gamepad, and what of it was held when it was last looked at.
    int direccionVista;  // the direction held, as an action; SinAccion for none
    bool botonVisto[BotonesMando];
    void SondeaMando(int& direccion, bool botones[BotonesMando]);  // how it stands now; nothing without one
    int Mando();         // the action of a new press, one at a time; SinAccion
    void OlvidaMando();  // what it holds now counts as seen

    // Presentation. A scaled frame, or one the library must convert to the
    // desktop's colour depth, costs many plain copies to show: then at most
    // one is shown per refresh of the display, and the latest one drawn
    // waits for the next refresh, or for any pause or wait.
    BITMAP* lienzo;           // the picture at its scale, 640k x 480k; none at 1x
    int escala;               // k
    int escalaPedida;         // a window's k asked for by a tool; 0 by the desktop
    int origenX, origenY;     // the picture's top-left corner on the screen
    bool porRefresco;         // at most one frame per refresh
    bool pendiente;           // a frame drawn that is not on the screen yet
    long long ultimoVolcado;  // when the last frame was shown, in microseconds
    long long periodo;        // microseconds between two refreshes of the display
    bool AbrePantalla();
    void Coloca();
    void Presenta();
    void MuestraPendiente();
    void Amplia();
    void CajaPantalla(int x1, int y1, int x2, int y2, int color);
};

#endif
