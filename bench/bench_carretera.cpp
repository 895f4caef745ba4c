// What one step of the road phase costs, logic and drawing, with the road as
// full as levels 0, 10 and 20 make it, against one bare frame copy to the screen.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "Entorno.h"
#include "FaseUno.h"
#include "Globales.h"
#include "Hardware.h"
#include "Trafico.h"
#include "Zumbelo.h"

class PruebaFaseUno {
public:
    static void Paso(FaseUno& f) { f.Paso(); }
};

namespace {

using Reloj = std::chrono::steady_clock;

const int Rondas = 10;
const int PorRonda = 500;

// Microseconds per call of f over one round.
template <typename F>
double Ronda(F f)
{
    const Reloj::time_point t0 = Reloj::now();
    for (int i = 0; i < PorRonda; ++i) f();
    return std::chrono::duration<double, std::micro>(Reloj::now() - t0).count() / PorRonda;
}

// A scratch working directory with the game's datafile, so the settings file
// written at start-up lands there rather than beside the game.
std::string Directorio()
{
    char plantilla[] = "/tmp/zumbelo-medida-XXXXXX";
    if (mkdtemp(plantilla) == nullptr) return "";
    const std::string dir = plantilla;
    const std::string datos = std::string(Entorno::DirectorioJuego()) + "/datos.dat";
    if (symlink(datos.c_str(), (dir + "/datos.dat").c_str()) != 0 || chdir(dir.c_str()) != 0)
        return "";
    return dir;
}

}  // namespace

int main()
{
    const std::string dir = Directorio();
    if (dir.empty() || !Entorno::ArrancaTodo()) {
        std::fprintf(stderr, "no screen or no datos.dat\n");
        return 1;
    }
    H->SetFont("DFFontGame_DATA", "DFFontGame_PAL");
    Dinero = 40;
    Puntos = 0;
    ProximaVida = 1000;

    for (int nivel : {0, 10, 20}) {
        srand(7 + nivel);
        Nivel = nivel;
        FaseUno* f = new FaseUno(1);
        f->Inicia(0);
        remove_int(Ret1);  // steps are driven here, not by the timer

        // Traffic as the phase makes it, until the road holds its fill.
        Trafico* t = f->VerTrafico();
        for (int n = 0; n < 20000 || t->Cuantos() < nivel + 16; ++n) {
            if (t->Cuantos() < nivel + 18 && rand() % 100 <= nivel) t->NuevoVehiculo();
            t->Mueve();
        }
        H->DrawFondoBuffer(0, 0, 640, 480, 0, 0);

        // The hero stands at the top, out of the traffic's way.
        Zumbelo* z = f->VerHeroe();
        z->SetVelX(0);
        z->SetVelY(0);
        z->SetY(H->TextHeight() + 1);

        // Steps and bare copies in alternate rounds, so both meet the same load; best of each.
        double paso = 1e30, copia = 1e30;
        int minimo = 1000, maximo = 0;
        for (int r = 0; r < Rondas; ++r) {
            const double p = Ronda([&] {
                PruebaFaseUno::Paso(*f);
                if (t->Cuantos() < minimo) minimo = t->Cuantos();
                if (t->Cuantos() > maximo) maximo = t->Cuantos();
            });
            const double c = Ronda([] { H->VuelcaBuffer(); });
            if (p < paso) paso = p;
            if (c < copia) copia = c;
        }
        std::printf("level %2d: %2d-%2d vehicles; step (logic and drawing) %.1f us; bare frame "
                    "copy %.1f us; ratio %.2f\n",
                    nivel, minimo, maximo, paso, copia, paso / copia);
        delete f;
    }

    Entorno::Para();
    for (const char* nombre : {"/datos.dat", "/zumbelo.cfg", "/scores.his"})
        unlink((dir + nombre).c_str());
    rmdir(dir.c_str());
    return 0;
}
