// A player at the keyboard for tests: a thread presses keys into the game's
// key buffer, each after its own pause, while the screen under test runs on
// the main thread and reads them.
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
        int ascii;
        int esperaMs;                // pause before the press
        std::function<void()> mira;  // run after the pause, before the press
    };

    // Puts F12 (it types nothing and is bound to nothing) into the buffer and
    // starts pressing once the game has read or cleared it: the screen is then
    // up and reading, and no press is lost to a screen clearing the buffer as
    // it opens. Delete the object once the screen has returned.
    static InyectorTeclas* TrasVaciado(std::vector<Pulsacion> guion)
    {
        simulate_keypress(KEY_F12 << 8);
        return new InyectorTeclas(std::move(guion));
    }

    ~InyectorTeclas()
    {
        terminado = true;
        hilo.join();
    }

    static Pulsacion Tecla(int scancode, int ascii = 0, int esperaMs = 400)
    {
        return Pulsacion{scancode, ascii, esperaMs, nullptr};
    }
    static Pulsacion Mira(int esperaMs, std::function<void()> mira)
    {
        return Pulsacion{0, 0, esperaMs, std::move(mira)};
    }
    // Each character of a text, 5 ms apart (the name entry reads without pacing).
    static std::vector<Pulsacion> Texto(const char* texto)
    {
        std::vector<Pulsacion> v;
        for (const char* c = texto; *c != '\0'; c++) v.push_back(Tecla(Scancode(*c), *c, 5));
        return v;
    }

private:
    explicit InyectorTeclas(std::vector<Pulsacion> guion) : pulsaciones(std::move(guion))
    {
        hilo = std::thread([this] { Ejecuta(); });
    }

    void Ejecuta()
    {
        for (int n = 0; n < 2000 && keypressed(); n++) Duerme(5);
        Duerme(20);
        for (const Pulsacion& p : pulsaciones) {
            Duerme(p.esperaMs);
            if (p.mira) p.mira();
            if (p.scancode != 0) simulate_keypress((p.scancode << 8) | (p.ascii & 0xFF));
        }
        // A screen still running long after the last press has missed one:
        // end the test process rather than hang.
        for (int n = 0; n < 3000 && !terminado; n++) Duerme(10);
        if (!terminado) {
            std::fprintf(stderr, "the screen did not return 30 s after the last key\n");
            std::abort();
        }
    }

    static void Duerme(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    static int Scancode(char c)
    {
        if (c >= 'a' && c <= 'z') return KEY_A + (c - 'a');
        if (c >= 'A' && c <= 'Z') return KEY_A + (c - 'A');
        if (c >= '1' && c <= '9') return KEY_1 + (c - '1');
        switch (c) {
        case '0': return KEY_0;
        case ' ': return KEY_SPACE;
        case '-': return KEY_MINUS;
        case '.': return KEY_STOP;
        case '\b': return KEY_BACKSPACE;
        case '\r': return KEY_ENTER;
        default: return KEY_SLASH;  // any other sign: its character is what counts
        }
    }

    std::vector<Pulsacion> pulsaciones;
    std::atomic<bool> terminado{false};
    std::thread hilo;
};

#endif
