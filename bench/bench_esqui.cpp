// The cost of one ski-phase step on each course, at the scroll where most
// obstacles are in view, next to one bare copy of a frame to the screen.
#include <allegro.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <unistd.h>

#include "Entorno.h"
#include "Esquiador.h"
#include "FaseDos.h"
#include "Globales.h"
#include "Hardware.h"
#include "Obstaculo.h"
#include "Pista.h"

class PruebaFaseDos {
public:
    static void Paso(FaseDos& f) { f.Paso(); }
    static void Reinicia(FaseDos& f)
    {
        f.choque = 0;
        f.resultado = 0;
    }
    // Rebuilds the course and scrolls it, without drawing, to hasta.
    static void Coloca(FaseDos& f, int hasta)
    {
        f.pista->Init();
        while (f.pista->VerMargen() != 0 || f.pista->VerDesplazamiento() < hasta) {
            f.fin = f.pista->Avanza(f.paso, f.desplazamiento, f.margen);
            if (f.fin) break;
        }
    }
};

class PruebaEsquiador {
public:
    // Far above the course: the collision pass walks every obstacle in view
    // but no crash stops the measured step.
    static void Aparta(Esquiador& e)
    {
        e.x = 320;
        e.y = 196;
        e.variante = 0;
        e.yPista = -100000;
        e.Actualiza();
    }
};

namespace {

using Reloj = std::chrono::steady_clock;

double Micros(Reloj::time_point a, Reloj::time_point b)
{
    return std::chrono::duration<double, std::micro>(b - a).count();
}

// Median and mean of the timings: the median is the figure, the mean shows
// the cost of the odd slow frame.
struct Cifras {
    double mediana, media;
};

Cifras Resume(std::vector<double> v)
{
    double suma = 0;
    for (double x : v) suma += x;
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], suma / v.size()};
}

// The scroll with the most obstacles on screen, and how many.
int MasDenso(Pista* p, int alturaTexto, int& cuantos)
{
    const int tope = alturaTexto + p->VerLongitud() - 480;
    int mejor = 0;
    cuantos = -1;
    for (int d = 0; d <= tope; d++) {
        int n = 0;
        for (Obstaculo* o = p->VerPrimero(); o != nullptr; o = o->VerSiguiente())
            if (o->VerY(true) > d && o->VerY() - d + alturaTexto <= 480) n++;
        if (n > cuantos) {
            cuantos = n;
            mejor = d;
        }
    }
    return mejor;
}

}  // namespace

// Runs in a fresh temporary directory beside links to the built datafile and
// patch set, so it can be started from anywhere and leaves no settings behind.
std::string Temporal;

bool DirectorioPropio()
{
    char plantilla[] = "/tmp/zumbelo-medida-XXXXXX";
    const char* dir = mkdtemp(plantilla);
    if (dir == nullptr) return false;
    Temporal = dir;
    for (const char* nombre : {"datos.dat", "patches.dat"}) {
        const std::string origen = std::string(Entorno::DirectorioJuego()) + "/" + nombre;
        const std::string destino = std::string(dir) + "/" + nombre;
        if (symlink(origen.c_str(), destino.c_str()) != 0) return false;
    }
    return chdir(dir) == 0;
}

int main()
{
    if (!DirectorioPropio() || !Entorno::ArrancaTodo()) {
        std::fprintf(stderr, "no screen or no datos.dat\n");
        return 1;
    }
    H->SetFont("DFFontGame_DATA", "DFFontGame_PAL");
    const int T = H->TextHeight();
    const int repeticiones = 500;

    // One bare frame copy to the screen.
    H->cls(7);
    H->VuelcaBuffer();
    std::vector<double> copias;
    for (int i = 0; i < repeticiones; i++) {
        const Reloj::time_point t0 = Reloj::now();
        H->VuelcaBuffer();
        copias.push_back(Micros(t0, Reloj::now()));
    }
    const Cifras copia = Resume(copias);
    std::printf("frame copy (VuelcaBuffer): median %7.1f us, mean %7.1f us\n", copia.mediana,
                copia.media);

    {
        FaseDos fase(0);  // steps of 1 pixel, 200 a second
        for (int curso = 0; curso < 4; curso++) {
            Nivel = curso;
            Vidas = 3;
            Puntos = 0;
            Dinero = 40;
            ProximaVida = 1000000;
            fase.Inicia();
            int cuantos = 0;
            const int denso = MasDenso(fase.VerPista(), T, cuantos);

            std::vector<double> pasos;
            for (int i = 0; i < repeticiones; i++) {
                PruebaFaseDos::Coloca(fase, denso);
                PruebaEsquiador::Aparta(*fase.VerEsquiador());
                PruebaFaseDos::Reinicia(fase);
                const Reloj::time_point t0 = Reloj::now();
                PruebaFaseDos::Paso(fase);
                pasos.push_back(Micros(t0, Reloj::now()));
            }
            const Cifras paso = Resume(pasos);
            std::printf("course %d: %3d obstacles in view at scroll %4d: step median %7.1f us "
                        "(%.2f frame copies), mean %7.1f us (%.2f)\n",
                        curso, cuantos, denso, paso.mediana, paso.mediana / copia.mediana,
                        paso.media, paso.media / copia.media);
        }
    }

    Entorno::Para();
    if (chdir("/") == 0) std::system(("rm -rf '" + Temporal + "'").c_str());
    return 0;
}
