// A player at the keyboard for tests: a thread presses keys into the game's
// key buffer, each after its own pause, while the screen under test runs.
#ifndef INYECTORTECLAS_H
#define INYECTORTECLAS_H

#include <allegro.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

class InyectorTeclas {
public:
    struct Pulsacion {
        int scancode;                // 0: press nothing, only look
        int ascii;                   // the character, a Unicode code
        int esperaMs;                // pause before the press
        std::function<void()> mira;  // run after the pause, before the press
    };
    typedef std::vector<Pulsacion> Teclas;

    // F12 (bound to nothing, types nothing) goes in first; the presses start once the screen
    // has read or cleared it, so none is lost as it opens. Destroy it once the screen returns.
    explicit InyectorTeclas(Teclas guion) : pulsaciones(std::move(guion))
    {
        simulate_keypress(KEY_F12 << 8);
        hilo = std::thread([this] { Ejecuta(); });
    }
    ~InyectorTeclas()
    {
        terminado = true;
        hilo.join();
    }

    static Pulsacion Tecla(int scancode, int ascii, int esperaMs) { return Pulsacion{scancode, ascii, esperaMs, nullptr}; }
    // Each character of a text, 5 ms apart; the name entry reads only the
    // character, so any key with a scancode carries it.
    static Teclas Texto(const char* texto)
    {
        Teclas v;
        for (const char* c = texto; *c != '\0'; c++) v.push_back(Tecla(KEY_SLASH, *c, 5));
        return v;
    }

private:
    void Ejecuta()
    {
        for (int n = 0; n < 2000 && keypressed(); n++) Duerme(5);
        Duerme(20);
        for (const Pulsacion& p : pulsaciones) {
            Duerme(p.esperaMs);
            if (p.mira) p.mira();
            if (p.scancode != 0) simulate_ukeypress(p.ascii, p.scancode);
        }
        // A screen still running long after the last press has missed one: end rather than hang.
        for (int n = 0; n < 3000 && !terminado; n++) Duerme(10);
        if (!terminado) {
            std::fprintf(stderr, "the screen did not return 30 s after the last key\n");
            std::abort();
        }
    }
    static void Duerme(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    Teclas pulsaciones;
    std::atomic<bool> terminado{false};
    std::thread hilo;
};

// One list of presses after another.
inline InyectorTeclas::Teclas operator+(InyectorTeclas::Teclas a, const InyectorTeclas::Teclas& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

#endif
