// The one door to the screen, the keyboard and the library's global state:
// the display and its two off-screen bitmaps, colours, fonts and text, key
// bindings, screen transitions and blending.
#ifndef HARDWARE_H
#define HARDWARE_H

#include <allegro.h>
#include <map>
#include <string>

class Hardware {
public:
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

    // Keyboard and key bindings.
    int Tecla();
    int VerTecla();
    int VerTecla(int action);
    void GrabarTecla(int action, int raw);
    void EsperaTecla();
    void ClearKeyBuf();
    void Rest(int ms);
    bool Esc();
    // The character of the next key: -1 when none is waiting, 0 for a key
    // without one, else its Unicode code.
    int LeeCaracter();

    // Screen transitions and blending.
    void Interzona(int d);
    void Fundido(int d);
    void TransMode(int alpha);

    // For tests and tools: the work bitmap, the background and the datafile.
    BITMAP* VerBuffer() { return buffer; }
    BITMAP* VerFondo() { return fondo; }
    DATAFILE* VerDatos() { return datos; }
    int VerColor(int indice) { return colores[indice]; }
    int VerFuentesCargadas() { return static_cast<int>(fuentes.size()); }

    // The guard band around the visible area of the work bitmap.
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
    struct FuenteCargada {
        FONT* fuente;
        PALETTE paleta;
    };
    std::map<std::string, FuenteCargada> fuentes;
    void LiberaFuentes();

    FONT* fuenteLibreria;  // the library's own font, safe to fall back on
    bool arrancada;        // the library started: without a display it cannot
    int Color(int indice);
    bool FuenteDeDatos(const FONT* f);
    int* Enlace(int action);
};

#endif
