// A player for tests, at the keyboard and the gamepad. The library asks it
// for a key each time the screen under test looks at an empty key buffer, on
// the screen's own thread; each step of its script happens at such a look,
// so a key comes only when the screen is ready to read it, never in the
// middle of a walk or a fade, however busy the machine is.
#ifndef JUGADOR_H
#define JUGADOR_H

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <vector>

class Jugador {
public:
    // The screen's looks reach this player while it lives; both ends drop
    // any key waiting.
    Jugador();
    ~Jugador();
    Jugador(const Jugador&) = delete;
    Jugador& operator=(const Jugador&) = delete;

    // Every step waits for a look of its own, the first for the next look.
    // A key press, veces times, each at a look of its own.
    Jugador& Pulsa(int scancode, int caracter = 0, int veces = 1);
    // Each character of a text; the name entry reads only the character.
    Jugador& Escribe(const char* texto);
    // Several keys at one look: the screen reads the first, the rest wait.
    Jugador& Juntas(std::initializer_list<int> scancodes);
    // Something done at the look `tras` looks after the step before: a
    // gamepad moved, or a look at what the screen shows or stored.
    Jugador& Haz(std::function<void()> accion, int tras = 1);
    // The next step waits, look after look, until this holds.
    Jugador& Cuando(std::function<bool()> listo);
    // The gamepad of Entorno::ConMando: a stick pushed, or a button pressed,
    // and let go `sostenida` looks later.
    Jugador& Palanca(int palanca, int x, int y, int sostenida = 30);
    Jugador& Boton(int b, int sostenida = 30);

    bool Terminado() const { return siguiente == pasos.size(); }

private:
    struct Paso {
        std::function<bool()> listo;
        std::function<void()> haz;
        int tras;
        bool tecla;  // it leaves a key waiting
    };
    std::vector<Paso> pasos;
    std::function<bool()> condicion;
    size_t siguiente = 0;
    int miradas = 0;
    long long desde = 0;  // ms, the first look since the last step

    Jugador& Agrega(std::function<void()> haz, int tras, bool tecla);
    int Atiende();
    static int Mira();
};

#endif
